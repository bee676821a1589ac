#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "../expected_server_files.h"
#include "../win/disk_files.h"
#include "start_to_main_window.h"

using namespace e2e;
namespace expected = velloran::expected;
namespace disk = velloran::disk;

namespace {

// The rig maps D: to a fresh temporary folder for the run.
const std::string kServerFolder = "D" + expected::serverFolder;
const std::string kJarFolder = "D:\\下载的jar";
const std::string kJarPath = kJarFolder + "\\mcpc+_151-R02_331.jar";

const char* const kJarHintText = "jar必须是自带的mcpc+_151-R02_331.jar";
const char* const kThanksText = "再次感谢您的使用,进入文件夹立即开服吧！\r\n服务器版本：1.6.2";

// ---- files on the test drive

// Jars are compared without printing their bytes.
void expectJar(const std::string& path, const std::string& jar) {
    const std::optional<std::string> bytes = disk::readWholeFile(path);
    ASSERT_TRUE(bytes) << path << " is missing";
    EXPECT_TRUE(*bytes == jar) << path << " holds " << bytes->size() << " other bytes";
}

// Bytes that no other jar of these tests has: a run that mixes them up shows.
std::string jarBytes(unsigned seed) {
    std::string bytes = "PK\x03\x04";
    unsigned state = seed * 2654435761u + 1;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1103515245u + 12345u;
        bytes.push_back(static_cast<char>(state >> 16));
    }
    return bytes;
}

// A clean drive with a jar in a folder of its own, as a person has it after downloading.
void prepareDrive(const std::string& jar) {
    disk::removeTree(kServerFolder);
    disk::removeTree(kJarFolder);
    CreateDirectoryA(kJarFolder.c_str(), nullptr);
    ASSERT_TRUE(disk::writeWholeFile(kJarPath, jar));
}

// ---- the main window's controls that the road goes through (client coordinates)

struct MainControl {
    const char* cls;
    int left, top, width, height;
};
constexpr MainControl kMemoryBox{"Edit", 56, 56, 80, 20};          // 编辑框2
constexpr MainControl kDriveBox{"Edit", 104, 128, 56, 24};         // 编辑框3
constexpr MainControl kOperatorBox{"Edit", 56, 80, 80, 20};        // 编辑框5
constexpr MainControl kJarBox{"Edit", 64, 160, 208, 20};           // 编辑框4
constexpr MainControl kCreateButton{"Button", 288, 184, 80, 32};   // 按钮1
constexpr MainControl kBrowseButton{"Button", 224, 184, 48, 16};   // 按钮2
constexpr MainControl kClockLabel{"", 56, 224, 256, 16};           // 标签3
constexpr MainControl kContactButton{"Button", 288, 224, 80, 24};  // 按钮7

HWND control(HWND top, const MainControl& c) {
    return findControl(top, c.cls, rectOf(c.left, c.top, c.width, c.height));
}

// Replaces an edit box's text with keystrokes, as a person does: click, go to the end, erase.
bool retype(HWND top, HWND edit, const std::string& ascii) {
    // A click that comes while the window is still settling can be lost: click again then.
    bool focused = false;
    for (int attempt = 0; attempt < 3 && !focused; ++attempt) {
        focused = bringToFront(top) && mouseClick(edit) &&
                  waitUntil([&] { return focusedControl(top) == edit; }, 1000);
    }
    if (!focused) {
        ADD_FAILURE() << "the box does not take the focus";
        return false;
    }
    pressKey(VK_END);
    for (size_t i = windowText(edit).size(); i > 0; --i) {
        pressKey(VK_BACK);
    }
    // Typing starts on an empty box, so the box shows the whole text only once every key has
    // been taken; otherwise a posted click could overtake the last keys.
    if (!waitUntil([&] { return windowText(edit).empty(); })) {
        ADD_FAILURE() << "the box was not emptied: '" << windowText(edit) << "'";
        return false;
    }
    typeText(ascii);
    if (!waitUntil([&] { return windowText(edit) == ascii; })) {
        ADD_FAILURE() << "typed '" << ascii << "', the box shows '" << windowText(edit)
                      << "'; focus on " << className(focusedControl(top));
        return false;
    }
    return true;
}

// A real left click at a point of the screen, whatever window is there.
bool clickAt(POINT point) {
    if (!SetCursorPos(point.x, point.y)) {
        return false;
    }
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

// Chinese cannot be typed into an ANSI edit from here; it is put in as GBK text.
void putText(HWND edit, const std::string& gbk) {
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(gbk.c_str()));
}

bool pickJar(const RunningVelloran& app, const std::string& path) {
    click(control(app.mainWindow, kBrowseButton));
    return chooseFileInOpenDialog(app.program, path) &&
           waitUntil([&] { return windowText(control(app.mainWindow, kJarBox)) == path; });
}

struct Inputs {
    std::string memory, drive, operatorName;
};

// Starts the program and fills in every input, the jar picked in the open dialog.
std::optional<RunningVelloran> startAndFillIn(const Inputs& inputs, const std::string& jar) {
    auto app = startToMainWindow();
    if (!app) {
        return std::nullopt;
    }
    HWND main = app->mainWindow;
    if (!retype(main, control(main, kMemoryBox), inputs.memory) ||
        !retype(main, control(main, kDriveBox), inputs.drive)) {
        ADD_FAILURE() << "typing into the main window failed";
        return std::nullopt;
    }
    putText(control(main, kOperatorBox), inputs.operatorName);
    if (!pickJar(*app, jar)) {
        ADD_FAILURE() << "picking the jar failed";
        return std::nullopt;
    }
    return app;
}

// ---- the completion window

constexpr int kCompletionWidth = 495;
constexpr int kCompletionHeight = 252;

HWND completionWindow(const Program& program) {
    for (HWND window : program.windows()) {
        RECT r{};
        GetWindowRect(window, &r);
        if (r.right - r.left == kCompletionWidth && r.bottom - r.top == kCompletionHeight) {
            return window;
        }
    }
    return nullptr;
}

HWND waitForCompletionWindow(const Program& program, DWORD timeout = kDefaultTimeout) {
    HWND found = nullptr;
    waitUntil([&] { return (found = completionWindow(program)) != nullptr; }, timeout);
    return found;
}

struct CompletionRow {
    const char* cls;
    int left, top, width, height;
    const char* text;  // nullptr: a picture
};

const CompletionRow kCompletionControls[] = {
    {"", 8, 136, 480, 56, nullptr},  // 图片框1
    {"", 16, 208, 320, 32,
     "提示：完美的服务器是需要各种各样不同的插件和mod的哦！如果你要搜索插件，请进入"
     "www.baidu.com查找"},
    {"Button", 344, 192, 136, 48, "去试试"},
    {"", 8, 104, 280, 24, "3.等到服务端加载完毕，你就成功开服了！！"},
    {"", 8, 80, 360, 24, "2.打开1.6.2MCPC+服务器的文件夹，打开服务端.bat文件"},
    {"", 8, 56, 248, 24, "1.服务器已经生产在了你所选的磁盘中"},
    {"", 88, 24, 160, 32, "你现在已经是一个腐竹了！"},
    {"", 16, 24, 112, 32, "恭喜！"},
    {"", 288, 8, 248, 88, nullptr},   // 图片框4, cut at the right edge
    {"", 344, 88, 160, 56, nullptr},  // 图片框2, cut at the right edge
};

RECT rectOfRow(const CompletionRow& row) {
    return rectOf(row.left, row.top, row.width, row.height);
}

HWND goButton(HWND completion) {
    return findControl(completion, "Button", rectOf(344, 192, 136, 48));
}

void keepScreenshot(HWND window, const std::string& name) {
    std::optional<Screenshot> shot = captureWindow(window);
    ASSERT_TRUE(shot);
    EXPECT_TRUE(saveBmp(*shot, artefactsFolder() + "\\" + name + ".bmp"));
}

void expectServerFolder(const Inputs& inputs, const std::string& jar) {
    const std::string memory = inputs.memory + "M";
    EXPECT_EQ(disk::readWholeFile(kServerFolder + "\\" + expected::startScriptName),
              expected::startScript(expected::javaLine(memory, memory)));
    EXPECT_EQ(disk::readWholeFile(kServerFolder + "\\server.properties"), expected::configuration);
    EXPECT_EQ(disk::readWholeFile(kServerFolder + "\\ops.txt"), inputs.operatorName);
    expectJar(kServerFolder + "\\" + expected::jarName, jar);
    EXPECT_EQ(GetFileAttributesA((kServerFolder + "\\plugins").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_FALSE(disk::exists(kJarPath)) << "the jar was copied, not moved";
}

// No message box comes up until the process has ended; its exit code.
std::optional<DWORD> exitWithoutAnyBox(const Program& program, bool& sawBox) {
    sawBox = false;
    waitUntil([&] {
        sawBox = sawBox || !program.windows("#32770").empty();
        return !program.running();
    });
    return program.waitForExit(0);
}

// Builds on D: from the given inputs and waits for the completion window.
struct Built {
    RunningVelloran app;
    HWND completion;
};
std::optional<Built> buildUpToCompletion(const Inputs& inputs) {
    auto app = startAndFillIn(inputs, kJarPath);
    if (!app) {
        return std::nullopt;
    }
    click(control(app->mainWindow, kCreateButton));
    HWND completion = waitForCompletionWindow(app->program);
    if (!completion) {
        const std::optional<MessageBoxSeen> box = waitForMessageBox(app->program, 0);
        ADD_FAILURE() << "no completion window"
                      << (box ? "; a box instead: " + box->title + ": " + box->text : "");
        return std::nullopt;
    }
    return Built{std::move(*app), completion};
}

TEST(CompletionWindow, IsABorderlessCentredPanelLaidOutInItsZOrder) {
    prepareDrive(jarBytes(1));
    auto built = buildUpToCompletion({"1024", "D", "Alex"});
    ASSERT_TRUE(built);
    HWND completion = built->completion;

    RECT window{};
    GetWindowRect(completion, &window);
    EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - kCompletionWidth) / 2);
    EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - kCompletionHeight) / 2);
    EXPECT_FALSE(GetWindowLongPtrA(completion, GWL_STYLE) &
                 (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU))
        << "it has a frame";
    // An owned window without WS_EX_APPWINDOW gets no taskbar button of its own.
    EXPECT_NE(GetWindow(completion, GW_OWNER), nullptr);
    EXPECT_FALSE(GetWindowLongPtrA(completion, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    for (const CompletionRow& row : kCompletionControls) {
        SCOPED_TRACE(testing::Message() << row.left << "," << row.top);
        HWND found = findControl(completion, row.cls, rectOfRow(row));
        ASSERT_NE(found, nullptr) << "no control at its place";
        EXPECT_TRUE(IsWindowVisible(found));
        if (row.text) {
            EXPECT_EQ(windowText(found), row.text);
        }
    }

    struct Overlap {
        POINT point;
        int upperRow;  // index into kCompletionControls
    };
    const Overlap overlaps[] = {
        {{100, 40}, 6},   // 标签2 over the right part of 标签1
        {{300, 90}, 4},   // 标签4 over the lower left corner of 图片框4
        {{350, 100}, 4},  // 标签4 over the upper left corner of 图片框2
        {{400, 92}, 8},   // 图片框4 over the top strip of 图片框2
        {{400, 140}, 0},  // 图片框1 over the bottom of 图片框2
        {{491, 140}, 9},  // 图片框2 to the right of 图片框1
    };
    for (const Overlap& overlap : overlaps) {
        SCOPED_TRACE(testing::Message() << overlap.point.x << "," << overlap.point.y);
        POINT point = overlap.point;
        ClientToScreen(completion, &point);
        const CompletionRow& upper = kCompletionControls[overlap.upperRow];
        EXPECT_EQ(WindowFromPoint(point), findControl(completion, upper.cls, rectOfRow(upper)));
    }

    // 按钮1 is the only tab stop: Tab and Shift+Tab leave the focus on it.
    HWND go = goButton(completion);
    ASSERT_TRUE(bringToFront(completion));
    EXPECT_TRUE(waitUntil([&] { return focusedControl(completion) == go; }));
    pressKey(VK_TAB);
    pressKey(VK_TAB, VK_SHIFT);
    pressKey(VK_TAB);
    EXPECT_FALSE(waitUntil([&] { return focusedControl(completion) != go; }, 500));

    // The pictures show: the red frame of the console, the black writing on white, and the
    // tile's grey text. Kept as an artefact for a person to compare with the layout.
    std::optional<Screenshot> shot;
    const auto count = [&](RECT r, auto&& accept) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < std::min<LONG>(r.right, shot->width); ++x) {
                const COLORREF c = shot->at(x, y);
                n += accept(GetRValue(c), GetGValue(c), GetBValue(c)) ? 1 : 0;
            }
        }
        return n;
    };
    const auto red = [](int r, int g, int b) { return r > 180 && g < 80 && b < 80; };
    const auto black = [](int r, int g, int b) { return r < 60 && g < 60 && b < 60; };
    const auto white = [](int r, int g, int b) { return r > 240 && g > 240 && b > 240; };
    EXPECT_TRUE(waitUntil([&] {
        shot = captureWindow(completion);
        return shot && count(rectOf(8, 136, 480, 56), red) > 50;
    })) << "no red frame in the console picture";
    ASSERT_TRUE(shot);
    EXPECT_TRUE(saveBmp(*shot, artefactsFolder() + "\\completion_window.bmp"));
    EXPECT_GT(count(rectOf(288, 8, 207, 72), black), 200);
    EXPECT_GT(count(rectOf(288, 8, 207, 72), white), 5000);
    EXPECT_GT(count(rectOf(392, 104, 100, 32), white), 1000);
    EXPECT_GT(count(rectOf(392, 104, 100, 32),
                    [](int r, int g, int b) { return r == g && g == b && r > 60 && r < 200; }),
              20);
}

TEST(CreateServer, TheWholeRoadFromInputsToTheFarewell) {
    const std::string jar = jarBytes(2);
    prepareDrive(jar);
    const Inputs inputs{"2048", "D", "Steve史蒂夫"};
    auto built = buildUpToCompletion(inputs);
    ASSERT_TRUE(built) << "no completion window";
    HWND main = built->app.mainWindow;
    HWND completion = built->completion;

    expectServerFolder(inputs, jar);

    // The main window stays on screen but takes no input, and its clock goes on.
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(waitUntil([&] { return !IsWindowEnabled(main); }));
    HWND clock = control(main, kClockLabel);
    const std::string time = windowText(clock);
    EXPECT_TRUE(waitUntil([&] { return windowText(clock) != time; }, 3000)) << "clock stopped";
    // The completion window covers nearly all of the main window; 按钮7 "联系作者" peeks out
    // below it. A click there would show the contact box if the main window took input.
    RECT contact = rectIn(control(main, kContactButton), nullptr);
    RECT cover{};
    GetWindowRect(completion, &cover);
    const POINT below{(contact.left + contact.right) / 2, (cover.bottom + contact.bottom) / 2};
    ASSERT_GT(contact.bottom, cover.bottom + 1) << "nothing of 按钮7 shows";
    ASSERT_EQ(GetAncestor(WindowFromPoint(below), GA_ROOT), main);
    ASSERT_TRUE(clickAt(below));
    EXPECT_FALSE(waitUntil([&] { return !built->app.program.windows("#32770").empty(); }, 500))
        << "a click on the main window got through";
    keepScreenshot(GetDesktopWindow(), "desktop_with_completion_window");

    click(goButton(completion));
    std::optional<MessageBoxSeen> thanks = waitForMessageBox(built->app.program);
    ASSERT_TRUE(thanks);
    EXPECT_EQ(thanks->title, "谢谢");
    EXPECT_EQ(thanks->text, kThanksText);
    EXPECT_TRUE(IsWindowVisible(main)) << "gone before the thanks were dismissed";
    EXPECT_TRUE(IsWindowVisible(completion)) << "gone before the thanks were dismissed";
    ASSERT_TRUE(dismissMessageBox(thanks->box));
    EXPECT_EQ(built->app.program.waitForExit(), std::optional<DWORD>(0));
}

TEST(CreateServer, AJarNeverPickedIsRefusedWithNothingOnDisk) {
    prepareDrive(jarBytes(2));
    auto app = startToMainWindow();
    ASSERT_TRUE(app);
    HWND main = app->mainWindow;
    ASSERT_EQ(windowText(control(main, kJarBox)), kJarHintText);

    click(control(main, kCreateButton));
    std::optional<MessageBoxSeen> box = waitForMessageBox(app->program);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, "jar路径错误");
    EXPECT_EQ(box->text, "jar路径错误：请选中‘Velloran’中的mcpc+_151-R02_331.jar文件");
    ASSERT_TRUE(dismissMessageBox(box->box));

    EXPECT_FALSE(disk::exists(kServerFolder));
    EXPECT_EQ(completionWindow(app->program), nullptr);
    EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(main); }));
    EXPECT_TRUE(IsWindowVisible(main));
}

TEST(CreateServer, BadInputsAreRefusedBeforeTheDiskIsTouched) {
    struct BadInput {
        const char* memory;
        const char* drive;
        bool jarRemoved;
        const char* title;
        const char* text;
    };
    const char* const driveText = "盘符错误：请输入一个盘符字母，例如 D";
    const char* const memoryText =
        "内存错误：请输入以MB为单位的内存大小，1到7位数字且大于0，不带单位，例如 1024";
    const BadInput cases[] = {
        {"1024", "D:", false, "盘符错误", driveText},
        {"1024", "", false, "盘符错误", driveText},
        {"1024", "DE", false, "盘符错误", driveText},
        {"1024M", "D", false, "内存错误", memoryText},
        {"0", "D", false, "内存错误", memoryText},
        {"", "D", false, "内存错误", memoryText},
        {"12345678", "D", false, "内存错误", memoryText},
        {"1024", "D", true, "jar路径错误",
         "jar路径错误：所选的jar文件不存在，请点击“搜索”重新选择mcpc+_151-R02_331.jar文件"},
    };
    const std::string jar = jarBytes(3);
    prepareDrive(jar);
    auto app = startAndFillIn({"1024", "D", "Alex"}, kJarPath);
    ASSERT_TRUE(app);
    HWND main = app->mainWindow;
    for (const BadInput& c : cases) {
        SCOPED_TRACE(testing::Message() << "memory '" << c.memory << "' drive '" << c.drive
                                        << "' jar removed " << c.jarRemoved);
        ASSERT_TRUE(retype(main, control(main, kMemoryBox), c.memory));
        ASSERT_TRUE(retype(main, control(main, kDriveBox), c.drive));
        if (c.jarRemoved) {
            ASSERT_TRUE(MoveFileA(kJarPath.c_str(), (kJarFolder + "\\elsewhere.jar").c_str()));
        }
        click(control(main, kCreateButton));
        std::optional<MessageBoxSeen> box = waitForMessageBox(app->program);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->title, c.title);
        EXPECT_EQ(box->text, c.text);
        ASSERT_TRUE(dismissMessageBox(box->box));

        EXPECT_FALSE(disk::exists(kServerFolder));
        EXPECT_EQ(completionWindow(app->program), nullptr);
        EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(main); }));
        EXPECT_EQ(windowText(control(main, kDriveBox)), c.drive) << "inputs were changed";
    }
    expectJar(kJarFolder + "\\elsewhere.jar", jar);
}

TEST(CreateServer, ADriveThatDoesNotExistNamesWhatCouldNotBeMade) {
    ASSERT_FALSE(disk::exists("Q:\\")) << "the test needs a drive letter that is not mapped";
    const std::string jar = jarBytes(4);
    prepareDrive(jar);
    auto app = startAndFillIn({"1024", "Q", "Alex"}, kJarPath);
    ASSERT_TRUE(app);
    HWND main = app->mainWindow;

    click(control(main, kCreateButton));
    std::optional<MessageBoxSeen> box = waitForMessageBox(app->program);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, "服务器创建失败");
    for (const std::string& item :
         {"Q" + expected::serverFolder + "\r\n",
          "Q" + expected::serverFolder + "\\" + expected::startScriptName + "\r\n",
          "Q" + expected::serverFolder + "\\" + expected::jarName + "\r\n",
          "Q" + expected::serverFolder + "\\plugins\r\n"}) {
        EXPECT_NE(box->text.find(item), std::string::npos) << item << " not named";
    }
    ASSERT_TRUE(dismissMessageBox(box->box));

    EXPECT_EQ(completionWindow(app->program), nullptr);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(main); }));
    expectJar(kJarPath, jar);  // it stays where it was

    // The user puts the drive right and goes on from the same window.
    ASSERT_TRUE(retype(main, control(main, kDriveBox), "d"));
    click(control(main, kCreateButton));
    EXPECT_NE(waitForCompletionWindow(app->program), nullptr);
    expectServerFolder({"1024", "d", "Alex"}, jar);
}

TEST(CreateServer, EscInTheCompletionWindowEndsTheProgramWithoutThanks) {
    prepareDrive(jarBytes(5));
    auto built = buildUpToCompletion({"1024", "D", "Alex"});
    ASSERT_TRUE(built);
    ASSERT_TRUE(bringToFront(built->completion));

    pressKey(VK_ESCAPE);
    bool sawBox = false;
    EXPECT_EQ(exitWithoutAnyBox(built->app.program, sawBox), std::optional<DWORD>(0));
    EXPECT_FALSE(sawBox) << "Esc showed a box";
}

TEST(CreateServer, ARebuildReplacesTheFilesAndTheJarAndKeepsWhatElseIsThere) {
    const std::string firstJar = jarBytes(6);
    prepareDrive(firstJar);
    {
        auto built = buildUpToCompletion({"4096", "D", "FirstOp"});
        ASSERT_TRUE(built);
        ASSERT_TRUE(bringToFront(built->completion));
        pressKey(VK_ESCAPE);
        ASSERT_EQ(built->app.program.waitForExit(), std::optional<DWORD>(0));
    }
    const std::string plugin = kServerFolder + "\\plugins\\kept.jar";
    ASSERT_TRUE(disk::writeWholeFile(plugin, "a plug-in"));
    const std::string secondJar = jarBytes(7);
    ASSERT_TRUE(disk::writeWholeFile(kJarPath, secondJar));

    const Inputs second{"512", "D", ""};
    ASSERT_TRUE(buildUpToCompletion(second)) << "folders that were there already count as made";
    expectServerFolder(second, secondJar);
    EXPECT_EQ(disk::readWholeFile(plugin), "a plug-in");
}

}  // namespace
