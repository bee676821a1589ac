#include "platform/clipboard.h"

#include <cstring>

#include "platform/handles.h"

namespace velloran {
namespace {

// The clipboard open for one scope, with no owner window.
class ClipboardSession {
  public:
    ClipboardSession() : open_(OpenClipboard(nullptr)) {}
    ~ClipboardSession() {
        if (open_) {
            CloseClipboard();
        }
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

    bool isOpen() const { return open_; }

  private:
    bool open_;
};

// A moveable block holding the text and its NUL.
UniqueGlobal textBlock(const Text& text) {
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1));
    if (!block) {
        return block;
    }
    void* bytes = GlobalLock(block.get());
    if (!bytes) {
        return UniqueGlobal();
    }
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block.get());
    return block;
}

}  // namespace

ClipboardOutcome putTextOnClipboard(const Text& text) {
    // The block comes first, so that a lack of memory leaves the clipboard untouched.
    UniqueGlobal block = textBlock(text);
    if (!block) {
        return ClipboardOutcome::NoMemory;
    }
    ClipboardSession clipboard;
    if (!clipboard.isOpen()) {
        return ClipboardOutcome::Busy;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, block.get())) {
        return ClipboardOutcome::Refused;
    }
    // The clipboard owns the block now.
    block.release();
    return ClipboardOutcome::Copied;
}

}  // namespace velloran
