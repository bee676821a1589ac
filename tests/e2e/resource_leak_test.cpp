#include <gtest/gtest.h>
#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <vector>

#include "driver.h"
#include "start_to_main_window.h"

namespace e2e {
namespace {

struct ResourceCounts {
    DWORD gdiObjects;
    DWORD windows;
    DWORD handles;
};

// GDI objects in use, from the process's GDI handle table (its PEB points at it; an entry is
// used when its type byte is set).
DWORD gdiTableCount(HANDLE process) {
    PROCESS_BASIC_INFORMATION info{};
    ULONG length = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &info, sizeof info, &length) !=
        0) {
        return 0;
    }
    const auto peb = reinterpret_cast<const BYTE*>(info.PebBaseAddress);
    const SIZE_T tableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
    void* table = nullptr;
    if (!ReadProcessMemory(process, peb + tableOffset, &table, sizeof table, nullptr) || !table) {
        return 0;
    }
    constexpr size_t kEntries = 0x4000, kEntrySize = 24, kTypeOffset = 14;
    std::vector<BYTE> entries(kEntries * kEntrySize);
    SIZE_T read = 0;
    ReadProcessMemory(process, table, entries.data(), entries.size(), &read);
    DWORD used = 0;
    for (size_t i = 0; i + kEntrySize <= read; i += kEntrySize) {
        used += entries[i + kTypeOffset] != 0;
    }
    return used;
}

// Kernel handles the process holds, from the system's handle list.
DWORD kernelHandleCount(DWORD pid) {
    struct Entry {
        ULONG ownerPid;
        BYTE objectType;
        BYTE flags;
        USHORT value;
        PVOID object;
        ACCESS_MASK access;
    };
    std::vector<BYTE> buffer(1 << 20);
    ULONG needed = 0;
    constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
    while (NtQuerySystemInformation(kSystemHandleInformation, buffer.data(),
                                    static_cast<ULONG>(buffer.size()), &needed) != 0) {
        if (buffer.size() >= (64u << 20)) {
            return 0;
        }
        buffer.resize(buffer.size() * 2);
    }
    const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* entries = reinterpret_cast<const Entry*>(buffer.data() + sizeof(void*));
    DWORD owned = 0;
    for (ULONG i = 0; i < count; ++i) {
        owned += entries[i].ownerPid == pid;
    }
    return owned;
}

BOOL CALLBACK countChild(HWND, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    return TRUE;
}

struct WindowCount {
    DWORD pid;
    DWORD count;
};

BOOL CALLBACK countOwnWindow(HWND window, LPARAM param) {
    auto* windows = reinterpret_cast<WindowCount*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == windows->pid) {
        ++windows->count;
        EnumChildWindows(window, countChild, reinterpret_cast<LPARAM>(&windows->count));
    }
    return TRUE;
}

// Windows of the process, hidden and message-only ones included.
DWORD windowCount(DWORD pid) {
    WindowCount windows{pid, 0};
    EnumWindows(countOwnWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND w = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
         w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr)) {
        countOwnWindow(w, reinterpret_cast<LPARAM>(&windows));
    }
    return windows.count;
}

ResourceCounts countsOf(const Program& program) {
    return {gdiTableCount(program.process()), windowCount(program.pid()),
            kernelHandleCount(program.pid())};
}

HWND searchButton(HWND mainWindow) {
    return findControlByText(mainWindow, "Button", "搜索");
}

void browseAndCancel(const RunningVelloran& velloran) {
    click(searchButton(velloran.mainWindow));
    ASSERT_TRUE(cancelOpenDialog(velloran.program));
    ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(velloran.mainWindow) != FALSE; }));
}

// Ticks sent to the clock's own timer window run its handler like real ones, one by one.
void tick(HWND timerWindow, int times) {
    for (int i = 0; i < times; ++i) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(timerWindow, WM_TIMER, 1000, 0, SMTO_BLOCK, kDefaultTimeout, &result);
    }
}

TEST(ResourceLeaks, DialogsAndClockTicksLeaveNoObjectsBehind) {
    auto velloran = startToMainWindow();
    ASSERT_TRUE(velloran);
    const HWND timerWindow = FindWindowExA(HWND_MESSAGE, nullptr, "VelloranTimer", nullptr);
    ASSERT_NE(timerWindow, nullptr);

    // The first dialog and tick load what stays loaded; count from after them.
    browseAndCancel(*velloran);
    tick(timerWindow, 5);
    const ResourceCounts before = countsOf(velloran->program);

    constexpr int kOpenings = 20;
    for (int i = 0; i < kOpenings; ++i) {
        browseAndCancel(*velloran);
    }
    const ResourceCounts afterDialogs = countsOf(velloran->program);
    tick(timerWindow, 100);
    const ResourceCounts after = countsOf(velloran->program);

    // Wine's own dialog code caches a few objects and keeps a kernel handle per opening
    // (the program's dialog holds none): across the dialogs, a leak is one object or more
    // per opening; across the ticks, which run only the program's code, nothing may grow.
    const auto growth = [](DWORD from, DWORD to) { return static_cast<int>(to - from); };
    EXPECT_LT(growth(before.gdiObjects, afterDialogs.gdiObjects), kOpenings);
    EXPECT_LE(after.gdiObjects, afterDialogs.gdiObjects);
    EXPECT_LE(after.handles, afterDialogs.handles);
    EXPECT_EQ(after.windows, before.windows);
    std::printf("GDI objects %lu -> %lu, windows %lu -> %lu, kernel handles %lu -> %lu -> %lu\n",
                before.gdiObjects, after.gdiObjects, before.windows, after.windows, before.handles,
                afterDialogs.handles, after.handles);

    bringToFront(velloran->mainWindow);
    pressKey(VK_ESCAPE);
    EXPECT_EQ(velloran->program.waitForExit(), 0u);
}

}  // namespace
}  // namespace e2e
