#include "app/fatal_error.h"

#include <ole2.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "app/application_shell.h"
#include "app/shell.h"
#include "platform/http_read.h"

namespace velloran {
namespace {

// Builds the text on the stack: the failure may be that no memory is left.
[[noreturn]] void showFatalBox(const char* reason) {
    if (ApplicationShell* shell = ApplicationShell::current()) {
        shell->suppressEventsForGood();
    }
    char text[512];
    std::snprintf(text, sizeof text, "运行时出错!\r\n\r\n错误信息：%s\r\n", reason);
    MessageBoxA(nullptr, text, "错误", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    // Released as at shutdown.
    closeInternetSession();
    OleUninitialize();
    std::exit(-1);
}

}  // namespace

void fatalError(const Text& reason) {
    showFatalBox(reason.c_str());
}

void fatalAllocationFailure() {
    char reason[64];
    std::snprintf(reason, sizeof reason, "分配 %d 字节内存失败!",
                  static_cast<int>(lastRequestedAllocationSize()));
    showFatalBox(reason);
}

}  // namespace velloran
