#pragma once

#include <cstddef>
#include <initializer_list>

#include "text.h"

namespace velloran {

// A borrowed text that may be absent: a Text, a literal, or nullptr. The routines below read it
// up to its first NUL, and an absent text counts as the empty one.
class TextRef {
  public:
    TextRef(const char* bytes) : bytes_(bytes) {}
    TextRef(const Text& text) : bytes_(text.c_str()) {}

    const char* bytes() const { return bytes_ != nullptr ? bytes_ : ""; }
    bool absent() const { return bytes_ == nullptr; }

  private:
    const char* bytes_;
};

// -1, 0 or +1 as first sorts before, equal to or after second, byte by byte as unsigned values:
// no case folding, no locale, no notion of double-byte characters.
int CompareText(TextRef first, TextRef second);

// The number of bytes before the NUL.
std::size_t TextLength(TextRef text);

// The pieces in order in one new text, sized once for all of them.
Text JoinTexts(std::initializer_list<TextRef> pieces);

}  // namespace velloran
