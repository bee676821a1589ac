#include "platform/clipboard.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <thread>

#include "../held_clipboard.h"

namespace velloran {
namespace {

const UINT kOtherFormat = RegisterClipboardFormatA("Velloran test format");

void putData(UINT format, const void* data, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);
    SetClipboardData(format, block);
}

// Fills the clipboard with a text and a format of another program.
void fillClipboard(const std::string& text) {
    HeldClipboard clipboard;
    ASSERT_TRUE(clipboard.isOpen());
    EmptyClipboard();
    putData(CF_TEXT, text.c_str(), text.size() + 1);
    putData(kOtherFormat, "other", 6);
}

struct ClipboardContents {
    std::string text;  // bytes up to the NUL
    size_t textBlockSize = 0;
    bool hasOtherFormat = false;
};

ClipboardContents readClipboard() {
    ClipboardContents contents;
    HeldClipboard clipboard;
    EXPECT_TRUE(clipboard.isOpen());
    contents.hasOtherFormat = IsClipboardFormatAvailable(kOtherFormat);
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
        contents.text = static_cast<const char*>(GlobalLock(block));
        contents.textBlockSize = GlobalSize(block);
        GlobalUnlock(block);
    }
    return contents;
}

TEST(PutTextOnClipboard, LeavesOnlyTheTextAsCfText) {
    for (const Text& text : {Text("192.0.2.1"), Text(), Text("载入中...")}) {
        fillClipboard("old text");
        EXPECT_EQ(putTextOnClipboard(text), ClipboardOutcome::Copied);
        const ClipboardContents contents = readClipboard();
        EXPECT_EQ(contents.text, text);
        EXPECT_GE(contents.textBlockSize, text.size() + 1);
        EXPECT_FALSE(contents.hasOtherFormat);
    }
}

TEST(PutTextOnClipboard, ClipboardHeldByAnotherProgramIsLeftAlone) {
    fillClipboard("kept");
    HANDLE held = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        HeldClipboard clipboard;
        SetEvent(held);
        WaitForSingleObject(done, 10000);
    });
    ASSERT_EQ(WaitForSingleObject(held, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(putTextOnClipboard("192.0.2.1"), ClipboardOutcome::Busy);
    SetEvent(done);
    holder.join();
    CloseHandle(held);
    CloseHandle(done);

    const ClipboardContents contents = readClipboard();
    EXPECT_EQ(contents.text, "kept");
    EXPECT_TRUE(contents.hasOtherFormat);
}

}  // namespace
}  // namespace velloran
