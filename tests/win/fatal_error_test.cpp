// The fatal error box and exit code, seen from outside: each case runs in a child copy of this
// test program, which this test answers like a person would.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/application_shell.h"
#include "ui/window_base.h"

namespace velloran {
namespace {

const ui::WindowDescription* noWindows(WindowId) {
    return nullptr;
}

char* volatile hogged = nullptr;
// More than any allocator gives; read at run time so the compiler cannot judge it.
volatile std::size_t hugeSize = SIZE_MAX / 4;

// Run only as children of the test below.
TEST(DISABLED_FatalErrorChild, DestroyingAWindowThatIsNotLoaded) {
    ApplicationShell shell{noWindows};
    destroyWindow(WindowId::Completion);
}

TEST(DISABLED_FatalErrorChild, AllocationFailingInsideAMessage) {
    ui::guardedMessage([] {
        hogged = new char[hugeSize];
        return LRESULT{0};
    });
}

struct BoxSearch {
    DWORD processId;
    HWND box;
};

BOOL CALLBACK findMessageBox(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<BoxSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && IsWindowVisible(window) &&
        std::string(className) == "#32770") {
        search->box = window;
        return FALSE;
    }
    return TRUE;
}

std::string windowText(HWND window) {
    char text[512] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST(FatalError, ShowsTheErrorBoxThenEndsWithExitCodeMinusOne) {
    struct Case {
        const char* test;
        std::string reason;
    };
    const Case cases[] = {
        {"DestroyingAWindowThatIsNotLoaded", "指定窗口或窗口组件不存在或尚未载入"},
        {"AllocationFailingInsideAMessage",
         "分配 " + std::to_string(static_cast<int>(SIZE_MAX / 4)) + " 字节内存失败!"},
    };
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.test);
        std::string command = std::string("\"") + self +
                              "\" --gtest_also_run_disabled_tests --gtest_filter="
                              "DISABLED_FatalErrorChild." +
                              c.test;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION child{};
        ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &child));

        BoxSearch search{child.dwProcessId, nullptr};
        const DWORD start = GetTickCount();
        while (!search.box && GetTickCount() - start < 20000) {
            EnumWindows(findMessageBox, reinterpret_cast<LPARAM>(&search));
            if (!search.box) {
                Sleep(50);
            }
        }
        EXPECT_TRUE(search.box) << "no error box";
        if (search.box) {
            EXPECT_EQ(windowText(search.box), "错误");
            EXPECT_EQ(windowText(GetDlgItem(search.box, 0xFFFF)),
                      "运行时出错!\r\n\r\n错误信息：" + c.reason + "\r\n");
            EXPECT_TRUE(GetDlgItem(search.box, 0x440)) << "the error icon";
            PostMessageA(GetDlgItem(search.box, IDOK), BM_CLICK, 0, 0);
        }
        if (WaitForSingleObject(child.hProcess, 20000) != WAIT_OBJECT_0) {
            TerminateProcess(child.hProcess, 1);
            ADD_FAILURE() << "the program did not end";
        }
        DWORD exitCode = 0;
        GetExitCodeProcess(child.hProcess, &exitCode);
        EXPECT_EQ(static_cast<std::int32_t>(exitCode), -1);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
    }
}

}  // namespace
}  // namespace velloran
