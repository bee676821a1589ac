// The public address as a person meets it: shown at start-up from the echo page, copied
// with "复制IP".
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <optional>
#include <string>

#include "../held_clipboard.h"
#include "http_stub/stub_control.h"
#include "start_to_main_window.h"

using namespace e2e;

namespace {

const RECT kAddressLabel = rectOf(56, 8, 104, 24);
const RECT kCopyButton = rectOf(144, 8, 56, 24);
const UINT kOtherFormat = RegisterClipboardFormatA("Velloran e2e format");

// Text and a format of another program.
bool fillClipboard(const std::string& text) {
    HeldClipboard clipboard;
    if (!clipboard.isOpen() || !EmptyClipboard()) {
        return false;
    }
    for (const auto& [format, data] : {std::pair{CF_TEXT, text}, {kOtherFormat, "other"}}) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, data.size() + 1);
        std::memcpy(GlobalLock(block), data.c_str(), data.size() + 1);
        GlobalUnlock(block);
        SetClipboardData(format, block);
    }
    return true;
}

bool clipboardHasOtherFormat() {
    HeldClipboard clipboard;
    return clipboard.isOpen() && IsClipboardFormatAvailable(kOtherFormat);
}

struct AddressScreen {
    RunningVelloran velloran;
    HWND label;
    HWND copyButton;
};

std::optional<AddressScreen> startWithEcho(const std::string& scenario) {
    if (!velloran::test::setEchoScenario(scenario)) {
        ADD_FAILURE() << "the HTTP stub did not take the scenario " << scenario;
        return std::nullopt;
    }
    std::optional<RunningVelloran> velloran = startToMainWindow();
    if (!velloran) {
        ADD_FAILURE() << "the main window did not show up";
        return std::nullopt;
    }
    HWND label = findControl(velloran->mainWindow, "", kAddressLabel);
    HWND button = findControl(velloran->mainWindow, "Button", kCopyButton);
    EXPECT_NE(label, nullptr);
    EXPECT_NE(button, nullptr);
    return AddressScreen{std::move(*velloran), label, button};
}

class PublicAddress : public ::testing::Test {
  protected:
    void TearDown() override { velloran::test::setEchoScenario("ok"); }
};

TEST_F(PublicAddress, ShowsTheAddressAndCopiesItAsPlainText) {
    std::optional<AddressScreen> screen = startWithEcho("ok");
    ASSERT_TRUE(screen);
    EXPECT_EQ(windowText(screen->label), "192.0.2.1");
    EXPECT_EQ(velloran::test::lastRequestTo("ipecho.velloran.org")
                  .rfind("GET /templates/ipv6man/?id='ipv6'/></iframe> HTTP/1.0\r\n", 0),
              0u);

    ASSERT_TRUE(fillClipboard("old text"));
    click(screen->copyButton);
    const std::optional<MessageBoxSeen> box = waitForMessageBox(screen->velloran.program);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, "提示");
    EXPECT_EQ(box->text, "已复制！");
    EXPECT_EQ(clipboardText(), "192.0.2.1");
    EXPECT_FALSE(clipboardHasOtherFormat());
    EXPECT_TRUE(dismissMessageBox(box->box));
}

TEST_F(PublicAddress, WithoutAServerTheLabelIsEmptyAndNothingIsSaid) {
    std::optional<AddressScreen> screen = startWithEcho("down");
    ASSERT_TRUE(screen);
    EXPECT_EQ(windowText(screen->label), "");
    EXPECT_FALSE(waitForMessageBox(screen->velloran.program, 500));

    // The empty caption is copied like any other.
    ASSERT_TRUE(fillClipboard("old text"));
    click(screen->copyButton);
    const std::optional<MessageBoxSeen> box = waitForMessageBox(screen->velloran.program);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "已复制！");
    EXPECT_EQ(clipboardText(), "");
    EXPECT_TRUE(dismissMessageBox(box->box));
}

TEST_F(PublicAddress, ClipboardHeldByAnotherProgramIsReportedAndLeftAlone) {
    std::optional<AddressScreen> screen = startWithEcho("ok");
    ASSERT_TRUE(screen);
    ASSERT_TRUE(fillClipboard("kept"));
    std::optional<MessageBoxSeen> box;
    {
        HeldClipboard held;
        ASSERT_TRUE(held.isOpen());
        click(screen->copyButton);
        box = waitForMessageBox(screen->velloran.program);
    }
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, "提示");
    EXPECT_EQ(box->text, "复制失败：剪贴板正被其他程序占用");
    EXPECT_EQ(clipboardText(), "kept");
    EXPECT_TRUE(clipboardHasOtherFormat());
    EXPECT_TRUE(dismissMessageBox(box->box));
}

}  // namespace
