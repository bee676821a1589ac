#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "start_to_main_window.h"

using namespace e2e;

namespace {

enum class Kind { Label, Picture, Button, GroupBox, Edit };

struct ControlRow {
    const char8_t* name;  // UTF-8, so that failure messages stay readable
    Kind kind;
    int left, top, width, height;  // in the client area of the window
    const char* text;              // nullptr: not checked
};

// The controls of 分组框1 are placed relative to its top-left corner.
constexpr ControlRow inGroupBox(ControlRow row) {
    row.left += 8;
    row.top += 40;
    return row;
}

const ControlRow kControls[] = {
    {u8"标签11", Kind::Label, 8, 216, 48, 32, "时间："},
    {u8"图片框1", Kind::Picture, 280, 32, 88, 152, nullptr},
    {u8"按钮7", Kind::Button, 288, 224, 80, 24, "联系作者"},
    {u8"按钮6", Kind::Button, 224, 128, 48, 16, "下载"},
    {u8"标签10", Kind::Label, 192, 104, 80, 40, "没有jar文件？点击下载jar文件。"},
    {u8"按钮5", Kind::Button, 200, 8, 56, 24, "贴吧"},
    {u8"按钮1", Kind::Button, 288, 184, 80, 32, "创建服务器"},
    {u8"分组框1", Kind::GroupBox, 8, 40, 272, 176, "基础"},
    {u8"标签3", Kind::Label, 56, 224, 256, 16, nullptr},  // the clock rewrites it
    {u8"按钮4", Kind::Button, 256, 8, 112, 24, "服务器插件下载"},
    {u8"按钮3", Kind::Button, 144, 8, 56, 24, "复制IP"},
    {u8"标签2", Kind::Label, 56, 8, 104, 24, nullptr},  // the address lookup writes it
    {u8"标签1", Kind::Label, 8, 8, 80, 24, "您的IP："},
    inGroupBox({u8"分组框2", Kind::GroupBox, 176, 48, 96, 64, "下载"}),
    inGroupBox({u8"标签8", Kind::Label, 8, 144, 160, 16, "贴吧ID：Ostrelle"}),
    inGroupBox({u8"按钮2", Kind::Button, 216, 144, 48, 16, "搜索"}),
    inGroupBox({u8"标签7", Kind::Label, 8, 40, 40, 24, "你的ID"}),
    inGroupBox({u8"编辑框5", Kind::Edit, 48, 40, 80, 20, ""}),
    inGroupBox({u8"编辑框4", Kind::Edit, 56, 120, 208, 20, "jar必须是自带的mcpc+_151-R02_331.jar"}),
    inGroupBox({u8"标签6", Kind::Label, 8, 112, 56, 32, "jar路径"}),
    inGroupBox({u8"编辑框3", Kind::Edit, 96, 88, 56, 24, "D"}),
    inGroupBox({u8"标签5", Kind::Label, 8, 88, 80, 24, "欲创建的存盘："}),
    inGroupBox({u8"标签4", Kind::Label, 8, 16, 40, 24, "内存："}),
    inGroupBox({u8"标签9", Kind::Label, 8, 64, 40, 24, "人数："}),
    inGroupBox({u8"编辑框2", Kind::Edit, 48, 16, 80, 20, "1024"}),
    inGroupBox({u8"编辑框1", Kind::Edit, 48, 64, 48, 20, "20"}),
};

std::string printable(const char8_t* name) {
    return reinterpret_cast<const char*>(name);
}

const ControlRow& row(const char8_t* name) {
    return *std::find_if(std::begin(kControls), std::end(kControls),
                         [&](const ControlRow& r) { return printable(r.name) == printable(name); });
}

RECT rectOf(const ControlRow& r) {
    return e2e::rectOf(r.left, r.top, r.width, r.height);
}

std::string classOf(Kind kind) {
    switch (kind) {
        case Kind::Button:
        case Kind::GroupBox:
            return "Button";
        case Kind::Edit:
            return "Edit";
        default:
            return "";  // custom-drawn
    }
}

HWND control(HWND mainWindow, const char8_t* name) {
    const ControlRow& r = row(name);
    return findControl(mainWindow, classOf(r.kind), rectOf(r));
}

// The name of the control for messages, or what the window is when it is none of ours.
std::string nameOf(HWND mainWindow, HWND window) {
    const RECT rect = rectIn(window, mainWindow);
    for (const ControlRow& r : kControls) {
        const RECT expected = rectOf(r);
        if (window && EqualRect(&rect, &expected) &&
            (classOf(r.kind).empty() || classOf(r.kind) == className(window))) {
            return printable(r.name);
        }
    }
    return window ? "a window of class " + className(window) : "no window";
}

HWND focusedAfterWaitingFor(HWND mainWindow, HWND expected) {
    waitUntil([&] { return focusedControl(mainWindow) == expected; });
    return focusedControl(mainWindow);
}

// Starts the program and puts the keyboard focus on one of its controls with a real click
// (nullptr: leaves it where the window put it).
struct FocusedProgram {
    RunningVelloran app;
    HWND focused;
};
std::optional<FocusedProgram> startWithFocusOn(const char8_t* name) {
    auto app = startToMainWindow();
    if (!app || !bringToFront(app->mainWindow)) {
        return std::nullopt;
    }
    if (!name) {
        HWND focused = focusedControl(app->mainWindow);
        return FocusedProgram{std::move(*app), focused};
    }
    HWND target = control(app->mainWindow, name);
    if (!target || !mouseClick(target) ||
        focusedAfterWaitingFor(app->mainWindow, target) != target) {
        return std::nullopt;
    }
    return FocusedProgram{std::move(*app), target};
}

TEST(MainWindow, EveryControlSitsAtItsPlaceShowingItsText) {
    auto app = startToMainWindow();
    ASSERT_TRUE(app) << "the main window did not show up";
    for (const ControlRow& r : kControls) {
        SCOPED_TRACE(printable(r.name));
        HWND found = control(app->mainWindow, r.name);
        ASSERT_NE(found, nullptr) << "no control of its kind at its place; controls seen: "
                                  << controlsOf(app->mainWindow).size();
        EXPECT_TRUE(IsWindowVisible(found));
        if (r.text) {
            EXPECT_EQ(windowText(found), r.text);
        }
        if (r.kind == Kind::GroupBox) {
            EXPECT_EQ(GetWindowLongPtrA(found, GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
        }
    }
}

TEST(MainWindow, OverlappingControlsShowTheUpperOne) {
    struct Overlap {
        POINT point;  // in the client area of the window
        const char8_t* upper;
    };
    const Overlap overlaps[] = {
        {{150, 20}, u8"按钮3"},    // over the right end of 标签2
        {{70, 20}, u8"标签2"},     // over the right part of 标签1
        {{250, 136}, u8"按钮6"},   // over the lower right of 标签10
        {{200, 110}, u8"标签10"},  // over the frame of 分组框2
        {{300, 232}, u8"按钮7"},   // over the right end of 标签3
        {{68, 170}, u8"编辑框4"},  // over the right end of 标签6
    };
    auto app = startToMainWindow();
    ASSERT_TRUE(app);
    for (const Overlap& overlap : overlaps) {
        SCOPED_TRACE(printable(overlap.upper));
        POINT point = overlap.point;
        ClientToScreen(app->mainWindow, &point);
        EXPECT_EQ(nameOf(app->mainWindow, WindowFromPoint(point)), printable(overlap.upper));
    }
}

TEST(MainWindow, IsCentredWithItsOuterSizeAndAFixedFrame) {
    auto app = startToMainWindow();
    ASSERT_TRUE(app);
    RECT window{};
    GetWindowRect(app->mainWindow, &window);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - 380) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - 281) / 2;
    EXPECT_EQ(window.left, left);
    EXPECT_EQ(window.top, top);
    EXPECT_EQ(window.right - window.left, 380);
    EXPECT_EQ(window.bottom - window.top, 281);
    const LONG_PTR style = GetWindowLongPtrA(app->mainWindow, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
}

TEST(MainWindow, EscClosesItWithExitCodeZeroWhereverTheFocusIs) {
    for (const char8_t* focus : {static_cast<const char8_t*>(nullptr), u8"编辑框1", u8"编辑框4"}) {
        SCOPED_TRACE(focus ? printable(focus) : "first focus");
        auto started = startWithFocusOn(focus);
        ASSERT_TRUE(started);
        pressKey(VK_ESCAPE);
        EXPECT_EQ(started->app.program.waitForExit(), std::optional<DWORD>(0));
    }
}

TEST(MainWindow, TabAndShiftTabGoRoundTheRing) {
    const char8_t* const ring[] = {u8"按钮3",   u8"按钮4",   u8"编辑框1", u8"编辑框2",
                                   u8"编辑框3", u8"编辑框4", u8"编辑框5", u8"按钮2",
                                   u8"按钮1",   u8"按钮5",   u8"按钮6",   u8"按钮7"};
    const int size = static_cast<int>(std::size(ring));
    auto app = startToMainWindow();
    ASSERT_TRUE(app);
    HWND main = app->mainWindow;
    ASSERT_TRUE(bringToFront(main));
    ASSERT_EQ(nameOf(main, focusedAfterWaitingFor(main, control(main, ring[0]))),
              printable(ring[0]))
        << "first focus";
    for (int step = 1; step <= size; ++step) {
        pressKey(VK_TAB);
        const char8_t* expected = ring[step % size];
        ASSERT_EQ(nameOf(main, focusedAfterWaitingFor(main, control(main, expected))),
                  printable(expected))
            << "Tab number " << step;
    }
    for (int step = 1; step <= size; ++step) {
        pressKey(VK_TAB, VK_SHIFT);
        const char8_t* expected = ring[(size - step) % size];
        ASSERT_EQ(nameOf(main, focusedAfterWaitingFor(main, control(main, expected))),
                  printable(expected))
            << "Shift+Tab number " << step;
    }
}

TEST(MainWindow, PlayerCountTakesOnlyDigitsAndMinusFromTheKeyboardButAnyPastedText) {
    auto started = startWithFocusOn(u8"编辑框1");
    ASSERT_TRUE(started);
    HWND box = started->focused;
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    // Ends with a digit so that, once it has arrived, every earlier key has been handled.
    typeText("ab1-C2x;-9");
    EXPECT_TRUE(waitUntil([&] { return windowText(box) == "1-2-9"; })) << windowText(box);
    ASSERT_TRUE(setClipboardText("xy"));
    pressKey('V', VK_CONTROL);
    EXPECT_TRUE(waitUntil([&] { return windowText(box) == "1-2-9xy"; })) << windowText(box);
}

TEST(MainWindow, TypingIntoTheJarPathChangesNothing) {
    auto started = startWithFocusOn(u8"编辑框4");
    ASSERT_TRUE(started);
    HWND main = started->app.mainWindow;
    const std::string before = windowText(started->focused);
    typeText("abc123-");
    pressKey(VK_BACK);
    pressKey(VK_DELETE);
    pressKey('X', VK_CONTROL);
    // Keys are handled in order: once Tab has moved the focus, the others have been seen.
    pressKey(VK_TAB);
    HWND next = control(main, u8"编辑框5");
    ASSERT_EQ(nameOf(main, focusedAfterWaitingFor(main, next)), printable(u8"编辑框5"));
    EXPECT_EQ(windowText(started->focused), before);
}

TEST(MainWindow, ClockLabelShowsItsStoredCaptionBeforeTheFirstTick) {
    // The clock's first tick falls due a second after its window was made, which is after
    // the start: a label read within a second of the start cannot have been written yet.
    const ULONGLONG started = GetTickCount64();
    auto app = startToMainWindow();
    ASSERT_TRUE(app);
    const std::string caption = windowText(control(app->mainWindow, u8"标签3"));
    if (GetTickCount64() - started >= 1000) {
        GTEST_SKIP() << "the window took a second to show; the clock may have ticked";
    }
    EXPECT_EQ(caption, "载入中。。。");
}

// Kept as an artefact for a person to look at; checked only for the colours that must be there.
TEST(MainWindow, ScreenshotShowsThePictureAndTheColouredCaptions) {
    auto app = startToMainWindow();
    ASSERT_TRUE(app);
    HWND main = app->mainWindow;
    const std::optional<Screenshot> shot = captureWindow(main);
    ASSERT_TRUE(shot);
    EXPECT_TRUE(saveBmp(*shot, artefactsFolder() + "\\main_window.bmp"));
    POINT client{0, 0};
    ClientToScreen(main, &client);
    RECT window{};
    GetWindowRect(main, &window);
    const auto inShot = [&](RECT r) {
        OffsetRect(&r, client.x - window.left, client.y - window.top);
        return r;
    };
    const auto anyPixel = [&](const RECT& r, auto&& accept) {
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = shot->at(x, y);
                if (accept(GetRValue(c), GetGValue(c), GetBValue(c))) {
                    return true;
                }
            }
        }
        return false;
    };
    const auto nearTo = [](int value, int target) {
        return value >= target - 24 && value <= target + 24;
    };
    const auto yellow = [](int r, int g, int b) { return r > 200 && g > 200 && b < 120; };
    EXPECT_TRUE(anyPixel(inShot(rectOf(row(u8"图片框1"))), yellow)) << "no yellow in the picture";

    struct CaptionColour {
        const char8_t* label;
        int r, g, b;
    };
    const CaptionColour captions[] = {
        {u8"标签11", 255, 0, 0}, {u8"标签4", 255, 0, 0}, {u8"标签10", 128, 128, 0},
        {u8"标签8", 96, 96, 96}, {u8"标签1", 0, 0, 0},   {u8"标签5", 255, 0, 0},
    };
    for (const CaptionColour& caption : captions) {
        SCOPED_TRACE(printable(caption.label));
        EXPECT_TRUE(anyPixel(inShot(rectOf(row(caption.label))), [&](int r, int g, int b) {
            return nearTo(r, caption.r) && nearTo(g, caption.g) && nearTo(b, caption.b);
        }));
    }
}

}  // namespace
