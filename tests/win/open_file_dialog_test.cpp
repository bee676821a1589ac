#include "ui/open_file_dialog.h"

#include <windows.h>
// Needs the declarations of windows.h first.
#include <commctrl.h>
#include <commdlg.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace velloran::ui {
namespace {

constexpr int kFileNameBox = 0x47C;  // the file-name combo box of the Explorer-style dialog

struct FoundDialog {
    DWORD process;
    HWND dialog;
};

BOOL CALLBACK findOpenDialog(HWND window, LPARAM context) {
    auto* found = reinterpret_cast<FoundDialog*>(context);
    char className[32] = {};
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    GetClassNameA(window, className, sizeof className);
    if (process == found->process && IsWindowVisible(window) &&
        std::string(className) == "#32770") {
        found->dialog = window;
        return FALSE;
    }
    return TRUE;
}

HWND waitForOpenDialog() {
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (GetTickCount64() < deadline) {
        FoundDialog found{GetCurrentProcessId(), nullptr};
        EnumWindows(findOpenDialog, reinterpret_cast<LPARAM>(&found));
        if (found.dialog != nullptr && GetDlgItem(found.dialog, kFileNameBox) != nullptr) {
            return found.dialog;
        }
        Sleep(20);
    }
    return nullptr;
}

HWND fileNameEdit(HWND dialog) {
    HWND box = GetDlgItem(dialog, kFileNameBox);
    HWND edit = reinterpret_cast<HWND>(SendMessageA(box, CBEM_GETEDITCONTROL, 0, 0));
    return edit != nullptr ? edit : box;
}

// What the person at the dialog saw and did.
struct Visit {
    bool appeared = false;
    HWND owner = nullptr;
    std::string prefilled;  // the full path that the dialog offered
};

// Runs the dialog on this thread while another thread plays the person: it reads the
// file-name field, then types `typed` and presses Open, or presses Cancel when typed is null.
Visit runDialog(OpenFileDialog& dialog, const char* typed, bool& confirmed) {
    Visit visit;
    std::thread person([&] {
        HWND box = waitForOpenDialog();
        if (box == nullptr) {
            return;
        }
        visit.appeared = true;
        visit.owner = GetWindow(box, GW_OWNER);
        char text[1024] = {};
        SendMessageA(fileNameEdit(box), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        // The dialog splits a full path into its current folder and the bare name in the field.
        if (text[0] != '\0') {
            SendMessageA(box, CDM_GETFILEPATH, sizeof text, reinterpret_cast<LPARAM>(text));
        }
        visit.prefilled = text;
        if (typed != nullptr) {
            SendMessageA(fileNameEdit(box), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed));
        }
        PostMessageA(GetDlgItem(box, typed != nullptr ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
    });
    confirmed = dialog.run();
    person.join();
    return visit;
}

class OpenFileDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        folder_ =
            std::string(temp) + "velloran-open-dialog-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
        for (const char* name : {"\\first.jar", "\\second.jar"}) {
            HANDLE file = CreateFileA((folder_ + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            CloseHandle(file);
        }
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                 100, nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(owner_);
        SetActiveWindow(owner_);
    }
    void TearDown() override {
        DestroyWindow(owner_);
        DeleteFileA((folder_ + "\\first.jar").c_str());
        DeleteFileA((folder_ + "\\second.jar").c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    std::string folder_;
    HWND owner_ = nullptr;
};

TEST_F(OpenFileDialogTest, RemembersOnlyConfirmedPathsAndOffersTheLastOne) {
    const std::string first = folder_ + "\\first.jar";
    const std::string second = folder_ + "\\second.jar";
    struct Step {
        const char* what;
        std::string typed;  // empty: Cancel
        std::string prefilled, fileName;
        bool confirmed;
    };
    const Step steps[] = {
        {"cancel before any choice", "", "", "", false},
        {"confirm a full path", first, "", first, true},
        {"cancel after a choice", "", first, first, false},
        // The dialog opened in the folder of the last choice, so a bare name is found there.
        {"confirm a bare name", "second.jar", first, second, true},
    };
    OpenFileDialog dialog;
    for (const Step& step : steps) {
        bool confirmed = false;
        const Visit visit =
            runDialog(dialog, step.typed.empty() ? nullptr : step.typed.c_str(), confirmed);
        ASSERT_TRUE(visit.appeared) << step.what;
        EXPECT_EQ(visit.owner, owner_) << step.what;
        EXPECT_EQ(visit.prefilled, step.prefilled) << step.what;
        EXPECT_EQ(confirmed, step.confirmed) << step.what;
        EXPECT_EQ(dialog.fileName(), step.fileName) << step.what;
    }
}

}  // namespace
}  // namespace velloran::ui
