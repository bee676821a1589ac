// The main window's small actions as a person meets them: the greeting, the clock, the web
// links, the contact box and picking the server jar.
#include <windows.h>
// Needs the declarations of windows.h first.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "start_to_main_window.h"

using namespace e2e;

namespace {

const std::string kAuthorQq = "2894175063";

// Controls found by their place in the client area of the main window.
const RECT kClockLabel = rectOf(56, 224, 256, 16);
const RECT kContactButton = rectOf(288, 224, 80, 24);
const RECT kForumButton = rectOf(200, 8, 56, 24);
const RECT kPluginButton = rectOf(256, 8, 112, 24);
const RECT kJarShareButton = rectOf(224, 128, 48, 16);
const RECT kBrowseButton = rectOf(8 + 216, 40 + 144, 48, 16);
const RECT kJarPathBox = rectOf(8 + 56, 40 + 120, 208, 20);

// Seconds since 1601 of local calendar fields (as FILETIME counts them).
std::optional<long long> secondsOf(const SYSTEMTIME& time) {
    FILETIME file;
    if (!SystemTimeToFileTime(&time, &file)) {
        return std::nullopt;
    }
    return static_cast<long long>((static_cast<ULONGLONG>(file.dwHighDateTime) << 32) |
                                  file.dwLowDateTime) /
           10000000;
}

// The moment a clock text stands for; fields left out of the text are zero.
std::optional<long long> clockSeconds(const std::string& text) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    const int fields = std::sscanf(text.c_str(), "%d年%d月%d日%d时%d分%d秒", &year, &month, &day,
                                   &hour, &minute, &second);
    if (fields < 3) {
        return std::nullopt;
    }
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    return secondsOf(time);
}

long long nowSeconds() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return *secondsOf(now);
}

// True when the text is a clock text of a moment at most `slack` seconds ago.
::testing::AssertionResult showsTheTimeNow(const std::string& text, long long slack = 2) {
    const std::optional<long long> shown = clockSeconds(text);
    if (!shown) {
        return ::testing::AssertionFailure() << "not a clock text: " << text;
    }
    const long long age = nowSeconds() - *shown;
    if (age < 0 || age > slack) {
        return ::testing::AssertionFailure() << text << " is " << age << " s off the time now";
    }
    return ::testing::AssertionSuccess();
}

// The clock texts that 标签3 showed during the given time, in order, without repeats.
std::vector<std::string> watchClock(HWND label, DWORD milliseconds) {
    std::vector<std::string> seen;
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (GetTickCount64() < end) {
        const std::string text = windowText(label);
        if (seen.empty() || seen.back() != text) {
            seen.push_back(text);
        }
        Sleep(20);
    }
    return seen;
}

TEST(Greeting, ComesBeforeTheWindowWhichOpensWithTheClockSet) {
    std::optional<Program> program = Program::start(velloranExe());
    ASSERT_TRUE(program);
    const std::optional<MessageBoxSeen> greeting = waitForMessageBox(*program, 10000);
    ASSERT_TRUE(greeting);
    EXPECT_EQ(greeting->title, "欢迎");
    EXPECT_EQ(greeting->text,
              "欢迎使用由Tolvane制作的《Velloran1.6.2》,如果有什么问题,请询问QQ" + kAuthorQq);
    EXPECT_EQ(program->waitForWindow(kMainWindowTitle, 0), nullptr);

    // The person reads the greeting for a while: the clock ticks behind it.
    Sleep(1500);
    EXPECT_EQ(program->waitForWindow(kMainWindowTitle, 0), nullptr);
    ASSERT_TRUE(dismissMessageBox(greeting->box));
    HWND mainWindow = program->waitForWindow(kMainWindowTitle, 10000);
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_TRUE(showsTheTimeNow(windowText(findControl(mainWindow, "", kClockLabel)), 3));
}

class MainWindowActions : public ::testing::Test {
  protected:
    void SetUp() override {
        std::optional<RunningVelloran> started = startToMainWindow();
        ASSERT_TRUE(started);
        velloran_.emplace(std::move(*started));
    }
    HWND mainWindow() const { return velloran_->mainWindow; }
    const Program& program() const { return velloran_->program; }
    HWND control(const RECT& rect) const { return findControl(mainWindow(), "", rect); }

    std::optional<RunningVelloran> velloran_;
};

TEST_F(MainWindowActions, ContactButtonShowsTheAuthorsQq) {
    click(control(kContactButton));
    const std::optional<MessageBoxSeen> box = waitForMessageBox(program());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, "感谢");
    EXPECT_EQ(box->text, "作者QQ" + kAuthorQq);
    // A plain box: OK alone, no icon; the window waits behind it.
    EXPECT_NE(GetDlgItem(box->box, IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(box->box, IDCANCEL), nullptr);
    HWND icon = GetDlgItem(box->box, 0x440);
    EXPECT_TRUE(icon == nullptr || SendMessageA(icon, STM_GETICON, 0, 0) == 0);
    EXPECT_FALSE(IsWindowEnabled(mainWindow()));
    EXPECT_TRUE(dismissMessageBox(box->box));
    EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(mainWindow()) != FALSE; }));
}

TEST_F(MainWindowActions, ClockTicksEverySecondWhateverTheWindowIsDoing) {
    struct Situation {
        const char* what;
        std::function<void()> begin, end;
    };
    std::optional<MessageBoxSeen> box;
    const Situation situations[] = {
        {"window shown", [] {}, [] {}},
        {"message box open",
         [&] {
             click(control(kContactButton));
             box = waitForMessageBox(program());
             ASSERT_TRUE(box);
         },
         [&] {
             if (box) {
                 EXPECT_TRUE(dismissMessageBox(box->box));
             }
         }},
        {"window hidden", [&] { ShowWindow(mainWindow(), SW_HIDE); },
         [&] { ShowWindow(mainWindow(), SW_SHOW); }},
    };
    HWND label = control(kClockLabel);
    ASSERT_NE(label, nullptr);
    // The greeting went at once, so the window may still show the caption from before the first
    // tick.
    ASSERT_TRUE(waitUntil([&] { return clockSeconds(windowText(label)).has_value(); }));
    for (const Situation& situation : situations) {
        SCOPED_TRACE(situation.what);
        situation.begin();
        const std::vector<std::string> seen = watchClock(label, 3500);
        // At least three ticks in three and a half seconds. A late tick may skip a second.
        ASSERT_GE(seen.size(), 3u);
        for (size_t i = 1; i < seen.size(); ++i) {
            const std::optional<long long> before = clockSeconds(seen[i - 1]);
            const std::optional<long long> after = clockSeconds(seen[i]);
            ASSERT_TRUE(before && after) << seen[i - 1] << " then " << seen[i];
            EXPECT_TRUE(*after - *before == 1 || *after - *before == 2)
                << seen[i - 1] << " then " << seen[i];
        }
        EXPECT_TRUE(showsTheTimeNow(seen.back()));
        situation.end();
    }
}

// The addresses that the Windows shell hands to the recorder registered as the browser.
class LinkButtons : public MainWindowActions {
  protected:
    static void SetUpTestSuite() {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, sizeof self);
        std::string recorder = self;
        recorder = recorder.substr(0, recorder.rfind('\\') + 1) + "url_recorder.exe";
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        log_ = std::string(temp) + "velloran-opened-pages.log";
        DeleteFileA(log_.c_str());

        const std::string command = "\"" + recorder + "\" \"" + log_ + "\" \"%1\"";
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(
            RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                           static_cast<DWORD>(command.size() + 1)),
            ERROR_SUCCESS);
        RegCloseKey(key);
    }

    static std::vector<std::string> openedPages() {
        std::ifstream file(log_, std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    static std::string log_;
};
std::string LinkButtons::log_;

TEST_F(LinkButtons, EachButtonOpensExactlyItsPageEveryTime) {
    struct Link {
        const char* button;
        RECT rect;
        const char* address;
    };
    const Link links[] = {
        {"贴吧", kForumButton,
         "http://tieba.baidu.com/f?kw=%E6%88%91%E7%9A%84%E4%B8%96%E7%95%8C&ie=utf-8&fr=wwwt"},
        {"服务器插件下载", kPluginButton, "http://www.mcbbs.net/thread-26473-1-1.html"},
        {"下载", kJarShareButton, "http://pan.baidu.com/s/1i3G8M9n"},
        {"贴吧 again", kForumButton,
         "http://tieba.baidu.com/f?kw=%E6%88%91%E7%9A%84%E4%B8%96%E7%95%8C&ie=utf-8&fr=wwwt"},
    };
    size_t opened = 0;
    for (const Link& link : links) {
        SCOPED_TRACE(link.button);
        click(control(link.rect));
        ASSERT_TRUE(waitUntil([&] { return openedPages().size() > opened; }, 10000));
        const std::vector<std::string> pages = openedPages();
        ASSERT_EQ(pages.size(), opened + 1);
        EXPECT_EQ(pages.back(), link.address);
        opened = pages.size();
    }
}

// Picking the server jar in the open-file dialog; the chosen path lands in 编辑框4.
class JarBrowsing : public MainWindowActions {
  protected:
    void SetUp() override {
        MainWindowActions::SetUp();
        CreateDirectoryA(kFolder, nullptr);
        HANDLE jar = CreateFileA(kJar, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(jar, INVALID_HANDLE_VALUE);
        CloseHandle(jar);
    }
    void TearDown() override {
        velloran_.reset();
        DeleteFileA(kJar);
        RemoveDirectoryA(kFolder);
    }

    // Clicks 搜索 and waits for the dialog; nullptr when it does not come.
    HWND openDialog() {
        click(control(kBrowseButton));
        HWND dialog = nullptr;
        waitUntil([&] {
            for (HWND window : program().windows("#32770")) {
                if (windowText(window) == "打开") {
                    dialog = window;
                }
            }
            return dialog != nullptr;
        });
        return dialog;
    }
    static std::string fileNameField(HWND dialog) {
        HWND box = GetDlgItem(dialog, 0x47C);
        return windowText(reinterpret_cast<HWND>(SendMessageA(box, CBEM_GETEDITCONTROL, 0, 0)));
    }
    bool pathBoxShows(const std::string& text) const {
        return waitUntil([&] { return windowText(control(kJarPathBox)) == text; });
    }

    static constexpr const char* kFolder = "D:\\服务器 jar";
    static constexpr const char* kJar = "D:\\服务器 jar\\mcpc-plus.jar";
};

TEST_F(JarBrowsing, DialogRemembersTheConfirmedJarAndCancelPutsItBack) {
    HWND pathBox = control(kJarPathBox);
    ASSERT_NE(pathBox, nullptr);

    // Before any choice a cancel empties the box: the hint goes.
    HWND dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), mainWindow());
    EXPECT_EQ(fileNameField(dialog), "");
    click(GetDlgItem(dialog, IDCANCEL));
    EXPECT_TRUE(pathBoxShows(""));

    click(control(kBrowseButton));
    ASSERT_TRUE(chooseFileInOpenDialog(program(), kJar));
    EXPECT_TRUE(pathBoxShows(kJar));

    // The next opening offers that jar: Open alone picks it again, over what was typed.
    SendMessageA(pathBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed over"));
    dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(fileNameField(dialog), "mcpc-plus.jar");
    click(GetDlgItem(dialog, IDOK));
    EXPECT_TRUE(pathBoxShows(kJar));

    // A later cancel puts the last confirmed path back.
    SendMessageA(pathBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed over"));
    dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    click(GetDlgItem(dialog, IDCANCEL));
    EXPECT_TRUE(pathBoxShows(kJar));
}

}  // namespace
