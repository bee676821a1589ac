#pragma once

#include "text.h"

namespace velloran {

enum class ClipboardOutcome {
    Copied,
    Busy,      // another program holds the clipboard open
    NoMemory,  // no memory block for the text
    Refused,   // the clipboard did not take the block
};

// Replaces everything on the clipboard with the text in CF_TEXT (GBK, NUL-terminated).
// Every failure except Refused leaves the clipboard as it was.
ClipboardOutcome putTextOnClipboard(const Text& text);

}  // namespace velloran
