#include "app/application_shell.h"

#include <gtest/gtest.h>

#include <cstring>

#include "message_pump.h"

namespace velloran {
namespace {

using testing_support::pumpUntil;
using ui::ControlDescription;
using ui::ControlKind;
using ui::EventBinding;
using ui::EventKind;
using ui::WindowDescription;

// What the handlers of the test windows saw; handlers are plain functions.
struct Seen {
    int created = 0;
    bool visibleWhenCreated = true;
    int clicks = 0;
    int closeQueries = 0;
    int ticks = 0;
    bool mainEnabledDuringDialog = true;
    bool destroyInCreated = false;
    HWND dialogOwner = nullptr;
    bool dialogOwnerVisible = true;
};
Seen seen;

HWND windowOf(WindowId id) {
    ui::FormWindow* form = ApplicationShell::current()->loadedWindow(id);
    return form ? form->hwnd() : nullptr;
}

void onMainCreated() {
    ++seen.created;
    seen.visibleWhenCreated = IsWindowVisible(windowOf(WindowId::Main)) != FALSE;
    if (seen.destroyInCreated) {
        destroyWindow(WindowId::Main);
    }
}
void onClick() {
    ++seen.clicks;
}
void onCloseQuery() {
    ++seen.closeQueries;
}
void onDialogTick() {
    if (seen.ticks++ == 0) {
        seen.mainEnabledDuringDialog = IsWindowEnabled(windowOf(WindowId::Main)) != FALSE;
        seen.dialogOwner = GetWindow(windowOf(WindowId::Completion), GW_OWNER);
        seen.dialogOwnerVisible = IsWindowVisible(seen.dialogOwner) != FALSE;
        destroyWindow(WindowId::Completion);
    }
}

constexpr ControlDescription kMainControls[] = {
    {.name = "按钮1",
     .kind = ControlKind::Button,
     .x = 8,
     .y = 8,
     .width = 80,
     .height = 24,
     .text = "queued click",
     .flags = ui::kVisible | ui::kTabStop},
};
constexpr EventBinding kMainEvents[] = {
    {.source = nullptr, .kind = EventKind::Created, .handler = onMainCreated},
    {.source = nullptr, .kind = EventKind::CloseQuery, .handler = onCloseQuery},
    {.source = "按钮1", .kind = EventKind::Click, .handler = onClick},
};
constexpr WindowDescription kMain{.title = "shell test main",
                                  .width = 200,
                                  .height = 120,
                                  .frame = ui::FrameStyle::FixedDialog,
                                  .controls = kMainControls,
                                  .events = kMainEvents,
                                  .tabOrder = {}};

constexpr ControlDescription kDialogControls[] = {
    {.name = "时钟1", .kind = ControlKind::Timer, .timerPeriod = 20},
};
constexpr EventBinding kDialogEvents[] = {
    {.source = "时钟1", .kind = EventKind::Tick, .handler = onDialogTick},
};
constexpr WindowDescription kDialog{.title = "",
                                    .width = 100,
                                    .height = 60,
                                    .frame = ui::FrameStyle::Borderless,
                                    .controls = kDialogControls,
                                    .events = kDialogEvents,
                                    .tabOrder = {}};

const WindowDescription* testWindows(WindowId id) {
    return id == WindowId::Main ? &kMain : &kDialog;
}

class ApplicationShellTest : public testing::Test {
  protected:
    void SetUp() override { seen = {}; }
    void TearDown() override { testing_support::pumpWaiting(); }

    ApplicationShell shell{testWindows};
};

TEST_F(ApplicationShellTest, CreatedRunsBeforeTheWindowShowsAndOnlyOncePerLoad) {
    ASSERT_TRUE(shell.loadWindow(WindowId::Main, false));
    EXPECT_EQ(seen.created, 1);
    EXPECT_FALSE(seen.visibleWhenCreated);
    EXPECT_TRUE(IsWindowVisible(windowOf(WindowId::Main)));

    const HWND first = windowOf(WindowId::Main);
    ASSERT_TRUE(shell.loadWindow(WindowId::Main, false));
    EXPECT_EQ(seen.created, 1) << "a loaded window is not built again";
    EXPECT_EQ(windowOf(WindowId::Main), first);
}

TEST_F(ApplicationShellTest, RequestedDestructionWaitsForTheLoopAndAsksNoCloseQuery) {
    ASSERT_TRUE(shell.loadWindow(WindowId::Main, false));
    const HWND main = windowOf(WindowId::Main);
    destroyWindow(WindowId::Main);
    EXPECT_TRUE(IsWindow(main)) << "only queued";
    EXPECT_TRUE(
        pumpUntil([] { return !ApplicationShell::current()->loadedWindow(WindowId::Main); }));
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(seen.closeQueries, 0);
}

TEST_F(ApplicationShellTest, UserCloseAsksTheCloseQueryThenDestroys) {
    ASSERT_TRUE(shell.loadWindow(WindowId::Main, false));
    PostMessageA(windowOf(WindowId::Main), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(
        pumpUntil([] { return !ApplicationShell::current()->loadedWindow(WindowId::Main); }));
    EXPECT_EQ(seen.closeQueries, 1);
}

// Posts a click notification for the button as it is being created: the message waits in
// the queue while the window is built, and must be dropped, not delivered later.
LRESULT CALLBACK postClickOnCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if (create->lpszName && !IS_INTRESOURCE(create->lpszName) &&
            std::strcmp(create->lpszName, "queued click") == 0) {
            PostMessageA(create->hwndParent, WM_COMMAND,
                         MAKEWPARAM(LOWORD(reinterpret_cast<UINT_PTR>(create->hMenu)), BN_CLICKED),
                         static_cast<LPARAM>(wParam));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(ApplicationShellTest, ClickQueuedWhileTheWindowIsBuiltIsDropped) {
    HHOOK hook = SetWindowsHookExA(WH_CBT, postClickOnCreation, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    const bool loaded = shell.loadWindow(WindowId::Main, false);
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(loaded);
    testing_support::pumpWaiting();
    EXPECT_EQ(seen.clicks, 0);

    const HWND button =
        ApplicationShell::current()->loadedWindow(WindowId::Main)->controlWindow("按钮1");
    PostMessageA(windowOf(WindowId::Main), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    testing_support::pumpWaiting();
    EXPECT_EQ(seen.clicks, 1) << "the same message after the build is delivered";
}

TEST_F(ApplicationShellTest, DialogModeDisablesTheOthersUntilItIsDestroyed) {
    struct Case {
        const char* name;
        bool mainEnabledBefore;
    };
    for (const Case c : {Case{"main enabled", true}, Case{"main already disabled", false}}) {
        SCOPED_TRACE(c.name);
        seen = {};
        ASSERT_TRUE(shell.loadWindow(WindowId::Main, false));
        const HWND main = windowOf(WindowId::Main);
        EnableWindow(main, c.mainEnabledBefore);

        ASSERT_TRUE(shell.loadWindow(WindowId::Completion, true));
        EXPECT_GE(seen.ticks, 1) << "the nested loop ran the dialog's timer";
        EXPECT_FALSE(seen.mainEnabledDuringDialog);
        EXPECT_TRUE(seen.dialogOwner && seen.dialogOwner != main && !seen.dialogOwnerVisible)
            << "owned by a hidden window: no taskbar button of its own";
        EXPECT_EQ(shell.loadedWindow(WindowId::Completion), nullptr);
        EXPECT_EQ(IsWindowEnabled(main) != FALSE, c.mainEnabledBefore) << "state given back";
        EnableWindow(main, TRUE);
    }
}

TEST_F(ApplicationShellTest, RunEndsWithExitCodeZeroWhenTheLastWindowIsGone) {
    seen.destroyInCreated = true;
    EXPECT_EQ(shell.run(), 0);
    EXPECT_EQ(shell.loadedWindow(WindowId::Main), nullptr);
    EXPECT_TRUE(shell.eventsSuppressed()) << "no event after the main loop";
}

}  // namespace
}  // namespace velloran
