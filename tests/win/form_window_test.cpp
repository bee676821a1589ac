#include "ui/form_window.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "message_pump.h"
#include "ui/fonts.h"

namespace velloran::ui {
namespace {

constexpr ControlDescription kControls[] = {
    {.name = "标签A",
     .kind = ControlKind::Label,
     .x = 0,
     .y = 0,
     .width = 100,
     .height = 20,
     .text = "标签"},
    {.name = "分组框",
     .kind = ControlKind::GroupBox,
     .x = 10,
     .y = 30,
     .width = 200,
     .height = 100,
     .text = "基础"},
    {.name = "按钮A",
     .kind = ControlKind::Button,
     .x = 220,
     .y = 10,
     .width = 60,
     .height = 24,
     .text = "A",
     .flags = kVisible | kTabStop},
    {.name = "编辑框C",
     .kind = ControlKind::EditBox,
     .x = 220,
     .y = 50,
     .width = 60,
     .height = 24,
     .text = "",
     .flags = kVisible | kTabStop},
    {.name = "时钟", .kind = ControlKind::Timer, .timerPeriod = 0},

    {.name = "编辑框A",
     .kind = ControlKind::EditBox,
     .parent = "分组框",
     .x = 10,
     .y = 20,
     .width = 80,
     .height = 5,
     .text = "20",
     .flags = kVisible | kTabStop | kDigitsAndMinus},
    {.name = "编辑框B",
     .kind = ControlKind::EditBox,
     .parent = "分组框",
     .x = 10,
     .y = 50,
     .width = 80,
     .height = 40,
     .text = "只读",
     .flags = kVisible | kTabStop | kReadOnly},
    {.name = "按钮B",
     .kind = ControlKind::Button,
     .parent = "分组框",
     .x = 100,
     .y = 20,
     .width = 60,
     .height = 24,
     .text = "B",
     .flags = kVisible | kTabStop},
    {.name = "分组框内",
     .kind = ControlKind::GroupBox,
     .parent = "分组框",
     .x = 100,
     .y = 50,
     .width = 80,
     .height = 40,
     .text = "内"},
    {.name = "按钮C",
     .kind = ControlKind::Button,
     .parent = "分组框内",
     .x = 5,
     .y = 15,
     .width = 40,
     .height = 20,
     .text = "C",
     .flags = kVisible | kTabStop},
};

constexpr const char* kTabOrder[] = {"按钮A", "编辑框A", "编辑框B", "按钮B", "按钮C", "编辑框C"};

constexpr WindowDescription kWindow{
    .title = "form test",
    .width = 320,
    .height = 200,
    .frame = FrameStyle::FixedDialog,
    .controls = kControls,
    .events = {},
    .tabOrder = kTabOrder,
};

struct RecordedEvents : FormEvents {
    bool raise(const char* source, EventKind kind) override {
        raised.emplace_back(source ? source : "", kind);
        return true;
    }
    void closeRequested() override { ++closeRequests; }
    void windowGone() override { gone = true; }

    std::vector<std::pair<std::string, EventKind>> raised;
    int closeRequests = 0;
    bool gone = false;
};

class FormWindowTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(form.build(nullptr)); }

    RECT rectInForm(const char* name) {
        RECT rect{};
        GetWindowRect(form.controlWindow(name), &rect);
        MapWindowPoints(HWND_DESKTOP, form.hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    std::string nameOf(HWND hwnd) {
        for (const ControlDescription& control : kControls) {
            if (form.controlWindow(control.name) == hwnd) {
                return control.name;
            }
        }
        return "?";
    }

    void type(const char* name, const std::string& keys) {
        for (unsigned char key : keys) {
            SendMessageA(form.controlWindow(name), WM_CHAR, key, 1);
        }
    }

    bool pressKey(WPARAM key) {
        const MSG message{GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
        return form.translateKeyboard(message);
    }

    RecordedEvents events;
    FormWindow form{kWindow, events};
};

TEST_F(FormWindowTest, ContainedControlsSitAtTheirContainersOffsetAboveIt) {
    struct Placement {
        const char* name;
        RECT rect;
    };
    const Placement placements[] = {
        {"标签A", {0, 0, 100, 20}},        {"分组框", {10, 30, 210, 130}},
        {"按钮B", {110, 50, 170, 74}},     {"编辑框B", {20, 80, 100, 120}},
        {"分组框内", {110, 80, 190, 120}}, {"按钮C", {115, 95, 155, 115}},
    };
    for (const Placement& p : placements) {
        SCOPED_TRACE(p.name);
        EXPECT_EQ(GetParent(form.controlWindow(p.name)), form.hwnd());
        const RECT r = rectInForm(p.name);
        EXPECT_EQ(r.left, p.rect.left);
        EXPECT_EQ(r.top, p.rect.top);
        EXPECT_EQ(r.right, p.rect.right);
        EXPECT_EQ(r.bottom, p.rect.bottom);
    }

    std::vector<std::string> stacking;
    for (HWND child = GetWindow(form.hwnd(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        stacking.push_back(nameOf(child));
    }
    const std::vector<std::string> expected{"标签A",    "编辑框A", "编辑框B", "按钮B",  "按钮C",
                                            "分组框内", "分组框",  "按钮A",   "编辑框C"};
    EXPECT_EQ(stacking, expected);
}

TEST_F(FormWindowTest, EditBoxTooLowForItsFontIsRaisedKeepingItsWidth) {
    HDC dc = GetDC(form.hwnd());
    HGDIOBJ previous = SelectObject(dc, defaultGuiFont());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(form.hwnd(), dc);

    const RECT low = rectInForm("编辑框A");
    EXPECT_EQ(low.right - low.left, 80);
    EXPECT_EQ(low.bottom - low.top, metrics.tmHeight + 2 * GetSystemMetrics(SM_CYEDGE));
    const RECT tall = rectInForm("编辑框B");
    EXPECT_EQ(tall.bottom - tall.top, 40);
}

TEST_F(FormWindowTest, DigitsAndMinusOnlyAreTypedIntoAFilteredBox) {
    struct Typing {
        const char* keys;
        const char* text;
    };
    const Typing typings[] = {
        {"a1b2", "12"}, {"-5x-", "-5-"},
        {" +.e", ""},   {"\xD6\xD0", ""},  // the two bytes of a GBK character
        {"12\b", "1"},                     // control codes such as backspace pass
    };
    for (const Typing& t : typings) {
        SCOPED_TRACE(t.keys);
        form.setControlText("编辑框A", "");
        type("编辑框A", t.keys);
        EXPECT_EQ(form.controlText("编辑框A"), t.text);
    }

    form.setControlText("编辑框C", "");
    type("编辑框C", "a1");
    EXPECT_EQ(form.controlText("编辑框C"), "a1") << "an unfiltered box takes letters";
}

TEST_F(FormWindowTest, PastedLettersReachAFilteredBox) {
    form.setControlText("编辑框A", "");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 4);
    memcpy(GlobalLock(memory), "ab7", 4);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    SendMessageA(form.controlWindow("编辑框A"), WM_PASTE, 0, 0);
    EXPECT_EQ(form.controlText("编辑框A"), "ab7");
}

TEST_F(FormWindowTest, ReadOnlyEditBoxStaysWhite) {
    HDC dc = GetDC(form.hwnd());
    const LRESULT brush = SendMessageA(form.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(form.controlWindow("编辑框B")));
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    ReleaseDC(form.hwnd(), dc);

    SendMessageA(form.controlWindow("编辑框B"), WM_CHAR, 'x', 1);
    EXPECT_EQ(form.controlText("编辑框B"), "只读");
}

TEST_F(FormWindowTest, ClicksOfContainedButtonsReachTheWindow) {
    ShowWindow(form.hwnd(), SW_SHOWNA);
    for (const char* name : {"按钮A", "按钮B", "按钮C"}) {
        SendMessageA(form.controlWindow(name), BM_CLICK, 0, 0);
    }
    const std::vector<std::pair<std::string, EventKind>> expected{
        {"按钮A", EventKind::Click}, {"按钮B", EventKind::Click}, {"按钮C", EventKind::Click}};
    EXPECT_EQ(events.raised, expected);
}

TEST_F(FormWindowTest, TabGoesRoundTheRingSkippingWhatCannotTakeTheFocus) {
    ShowWindow(form.hwnd(), SW_SHOW);
    SetForegroundWindow(form.hwnd());
    testing_support::pumpWaiting();
    EXPECT_EQ(nameOf(GetFocus()), "按钮A") << "first focus goes to the ring's first control";

    EnableWindow(form.controlWindow("按钮B"), FALSE);
    ShowWindow(form.controlWindow("按钮C"), SW_HIDE);
    std::vector<std::string> forwards;
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(pressKey(VK_TAB));
        forwards.push_back(nameOf(GetFocus()));
    }
    EXPECT_EQ(forwards,
              (std::vector<std::string>{"编辑框A", "编辑框B", "编辑框C", "按钮A", "编辑框A"}));

    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    std::vector<std::string> backwards;
    for (int i = 0; i < 3; ++i) {
        pressKey(VK_TAB);
        backwards.push_back(nameOf(GetFocus()));
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(backwards, (std::vector<std::string>{"按钮A", "编辑框C", "编辑框B"}));
}

TEST_F(FormWindowTest, FocusComesBackToTheLastControlOnReactivation) {
    ShowWindow(form.hwnd(), SW_SHOW);
    SetForegroundWindow(form.hwnd());
    testing_support::pumpWaiting();
    SetFocus(form.controlWindow("编辑框C"));

    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                 nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    SetActiveWindow(other);
    testing_support::pumpWaiting();
    SetForegroundWindow(form.hwnd());
    SetActiveWindow(form.hwnd());
    testing_support::pumpWaiting();
    EXPECT_EQ(nameOf(GetFocus()), "编辑框C");
    DestroyWindow(other);
}

TEST_F(FormWindowTest, EscAnywhereInTheWindowRequestsClosing) {
    ShowWindow(form.hwnd(), SW_SHOW);
    SetForegroundWindow(form.hwnd());
    SetFocus(form.controlWindow("编辑框B"));
    EXPECT_TRUE(pressKey(VK_ESCAPE));
    EXPECT_FALSE(pressKey('A')) << "other keys go to the control";
    EXPECT_TRUE(testing_support::pumpUntil([&] { return events.closeRequests == 1; }));
    EXPECT_FALSE(events.gone) << "the owner decides whether the window goes";
    form.destroy();
    EXPECT_TRUE(events.gone);
}

TEST_F(FormWindowTest, LabelCaptionIsReadAndWritten) {
    EXPECT_EQ(form.controlText("标签A"), "标签");
    form.setControlText("标签A", "12:00:00");
    EXPECT_EQ(form.controlText("标签A"), "12:00:00");
    EXPECT_EQ(form.controlText("没有"), "");
}

}  // namespace
}  // namespace velloran::ui
