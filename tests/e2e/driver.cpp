#include "driver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace e2e {

namespace {

constexpr UINT kMessageTimeoutMs = 2000;
constexpr int kStaticTextId = 0xFFFF;  // the text of a standard message box
constexpr int kOpenDialogFileNameId = 0x47C;
const char* const kOpenDialogTitle = "打开";

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

struct WindowSearch {
    DWORD pid;
    std::string cls;
    std::vector<HWND> found;
};

BOOL CALLBACK collectProcessWindow(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search.pid && IsWindowVisible(window) &&
        (search.cls.empty() || className(window) == search.cls)) {
        search.found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK collectChild(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::vector<HWND> childrenOf(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, collectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND childWithId(HWND parent, int id) {
    for (HWND child : childrenOf(parent)) {
        if ((GetWindowLongPtrA(child, GWLP_ID) & 0xFFFF) == (id & 0xFFFF)) {
            return child;
        }
    }
    return nullptr;
}

HWND waitForOpenDialog(const Program& program, DWORD timeout) {
    HWND dialog = nullptr;
    waitUntil(
        [&] {
            for (HWND window : program.windows("#32770")) {
                if (windowText(window) == kOpenDialogTitle &&
                    childWithId(window, kOpenDialogFileNameId)) {
                    dialog = window;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return dialog;
}

bool pressDialogButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (!button) {
        return false;
    }
    click(button);
    return waitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

INPUT keyInput(WORD virtualKey, bool release) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
    return input;
}

// A mouse event at a point of the screen, given in absolute coordinates so that it does not
// depend on where the cursor has got to.
INPUT mouseInput(DWORD flags, POINT point) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = (point.x * 65536 + width - 1) / width;
    input.mi.dy = (point.y * 65536 + height - 1) / height;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

// A window of ours that owns what we put on the clipboard.
HWND clipboardOwner() {
    static HWND owner = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
    return owner;
}

// Closes the clipboard when the scope ends.
struct OpenClipboardScope {
    bool open;
    explicit OpenClipboardScope(HWND owner)
        : open(waitUntil([&] { return OpenClipboard(owner) != FALSE; }, 2000)) {}
    ~OpenClipboardScope() {
        if (open) {
            CloseClipboard();
        }
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
};

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
    ScreenDc() = default;
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
};

struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC compatible) : dc(CreateCompatibleDC(compatible)) {}
    ~MemoryDc() { DeleteDC(dc); }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
};

// 32-bit pixels, rows from the top when the height is positive.
BITMAPINFO topDownBitmapInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::optional<Screenshot> captureScreenOf(HWND window) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) {
        return std::nullopt;
    }
    Screenshot shot;
    shot.width = rect.right - rect.left;
    shot.height = rect.bottom - rect.top;
    ScreenDc screen;
    MemoryDc memory(screen.dc);
    velloran::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.dc, shot.width, shot.height));
    if (!bitmap) {
        return std::nullopt;
    }
    {
        velloran::ScopedSelectObject select(memory.dc, bitmap.get());
        BitBlt(memory.dc, 0, 0, shot.width, shot.height, screen.dc, rect.left, rect.top,
               SRCCOPY | CAPTUREBLT);
    }
    BITMAPINFO info = topDownBitmapInfo(shot.width, shot.height);
    std::vector<RGBQUAD> quads(static_cast<size_t>(shot.width) * shot.height);
    if (GetDIBits(memory.dc, bitmap.get(), 0, shot.height, quads.data(), &info, DIB_RGB_COLORS) !=
        shot.height) {
        return std::nullopt;
    }
    shot.pixels.reserve(quads.size());
    for (const RGBQUAD& quad : quads) {
        shot.pixels.push_back(RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue));
    }
    return shot;
}

}  // namespace

bool waitUntil(const std::function<bool()>& condition, DWORD timeout) {
    const ULONGLONG deadline = GetTickCount64() + timeout;
    while (!condition()) {
        if (GetTickCount64() >= deadline) {
            return condition();
        }
        Sleep(5);
    }
    return true;
}

std::string windowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

std::string velloranExe() {
    return windowsPath(environmentValue("VELLORAN_EXE"));
}

std::string artefactsFolder() {
    const std::string unixFolder = environmentValue("VELLORAN_ARTEFACTS");
    const std::string folder = windowsPath(unixFolder.empty() ? "/tmp" : unixFolder);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string windowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                             &length)) {
        return {};
    }
    // The text may grow between the two messages (a clock label does so every second): a
    // text that fills the buffer may have been cut, so it is read again with more room.
    for (size_t room = length + 64; room <= (1u << 24); room *= 2) {
        std::string text(room, '\0');
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(),
                                 reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                                 kMessageTimeoutMs, &copied)) {
            return {};
        }
        if (copied + 1 < room) {
            text.resize(copied);
            return text;
        }
    }
    return {};
}

std::string className(HWND window) {
    char name[256] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

RECT rectIn(HWND window, HWND reference) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, reference, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT rectOf(int left, int top, int width, int height) {
    return RECT{left, top, left + width, top + height};
}

std::vector<Control> controlsOf(HWND top) {
    std::vector<Control> controls;
    for (HWND child : childrenOf(top)) {
        controls.push_back(Control{child, className(child), windowText(child), rectIn(child, top),
                                   IsWindowVisible(child) != FALSE});
    }
    return controls;
}

HWND findControl(HWND top, const std::string& cls, const RECT& rect) {
    for (HWND child : childrenOf(top)) {
        const RECT childRect = rectIn(child, top);
        if (EqualRect(&childRect, &rect) && (cls.empty() || className(child) == cls)) {
            return child;
        }
    }
    return nullptr;
}

HWND findControlByText(HWND top, const std::string& cls, const std::string& text) {
    for (const Control& control : controlsOf(top)) {
        if ((cls.empty() || control.className == cls) && control.text == text) {
            return control.hwnd;
        }
    }
    return nullptr;
}

std::optional<Program> Program::start(const std::string& exePath) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string commandLine = "\"" + exePath + "\"";
    if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        return std::nullopt;
    }
    CloseHandle(info.hThread);
    Program program(info.hProcess, info.dwProcessId);
    WaitForInputIdle(info.hProcess, 10000);
    return program;
}

Program::~Program() {
    if (process_ && running()) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
}

bool Program::running() const {
    return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::vector<HWND> Program::windows(const std::string& cls) const {
    WindowSearch search{pid_, cls, {}};
    EnumWindows(collectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Program::waitForWindow(const std::string& title, DWORD timeout) const {
    HWND found = nullptr;
    waitUntil(
        [&] {
            for (HWND window : windows()) {
                if (windowText(window) == title) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

std::optional<DWORD> Program::waitForExit(DWORD timeout) const {
    if (WaitForSingleObject(process_.get(), timeout) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

std::optional<MessageBoxSeen> waitForMessageBox(const Program& program, DWORD timeout) {
    std::optional<MessageBoxSeen> seen;
    waitUntil(
        [&] {
            for (HWND window : program.windows("#32770")) {
                const std::string title = windowText(window);
                HWND text = childWithId(window, kStaticTextId);
                if (title != kOpenDialogTitle && text) {
                    seen = MessageBoxSeen{window, title, windowText(text)};
                    return true;
                }
            }
            return false;
        },
        timeout);
    return seen;
}

bool dismissMessageBox(HWND box) {
    return pressDialogButton(box, IDOK);
}

bool chooseFileInOpenDialog(const Program& program, const std::string& path, DWORD timeout) {
    HWND dialog = waitForOpenDialog(program, timeout);
    if (!dialog) {
        return false;
    }
    HWND combo = childWithId(dialog, kOpenDialogFileNameId);
    HWND edit = reinterpret_cast<HWND>(SendMessageA(combo, CBEM_GETEDITCONTROL, 0, 0));
    if (!edit) {
        return false;
    }
    DWORD_PTR result = 0;
    SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                        SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result);
    return pressDialogButton(dialog, IDOK);
}

bool cancelOpenDialog(const Program& program, DWORD timeout) {
    HWND dialog = waitForOpenDialog(program, timeout);
    return dialog && pressDialogButton(dialog, IDCANCEL);
}

void click(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}

bool mouseClick(HWND control) {
    RECT rect{};
    if (!GetWindowRect(control, &rect)) {
        return false;
    }
    const POINT middle{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    INPUT inputs[] = {mouseInput(0, middle), mouseInput(MOUSEEVENTF_LEFTDOWN, middle),
                      mouseInput(MOUSEEVENTF_LEFTUP, middle)};
    return SendInput(3, inputs, sizeof(INPUT)) == 3;
}

bool bringToFront(HWND top) {
    return waitUntil([&] {
        if (GetForegroundWindow() == top) {
            return true;
        }
        SetForegroundWindow(top);
        return GetForegroundWindow() == top;
    });
}

void pressKey(WORD virtualKey, WORD modifier) {
    std::vector<INPUT> inputs;
    if (modifier) {
        inputs.push_back(keyInput(modifier, false));
    }
    inputs.push_back(keyInput(virtualKey, false));
    inputs.push_back(keyInput(virtualKey, true));
    if (modifier) {
        inputs.push_back(keyInput(modifier, true));
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void typeText(const std::string& ascii) {
    for (char c : ascii) {
        const SHORT scan = VkKeyScanA(c);
        if (scan != -1) {
            pressKey(LOBYTE(scan), (HIBYTE(scan) & 1) ? VK_SHIFT : 0);
        }
    }
}

HWND focusedControl(HWND top) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

std::optional<std::string> clipboardText() {
    OpenClipboardScope clipboard(nullptr);
    if (!clipboard.open) {
        return std::nullopt;
    }
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (!text) {
        return std::nullopt;
    }
    std::string copy = text;
    GlobalUnlock(data);
    return copy;
}

bool setClipboardText(const std::string& text) {
    velloran::UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    char* bytes = memory ? static_cast<char*>(GlobalLock(memory.get())) : nullptr;
    if (!bytes) {
        return false;
    }
    std::copy(text.c_str(), text.c_str() + text.size() + 1, bytes);
    GlobalUnlock(memory.get());
    OpenClipboardScope clipboard(clipboardOwner());
    if (!clipboard.open || !EmptyClipboard() || !SetClipboardData(CF_TEXT, memory.get())) {
        return false;
    }
    memory.release();  // the clipboard owns it now
    return true;
}

std::optional<Screenshot> captureWindow(HWND window) {
    // Painting the program has still to do is done now; then the screen may lag a little
    // behind, so two captures in a row must agree.
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::optional<Screenshot> previous = captureScreenOf(window);
    ULONGLONG previousTime = GetTickCount64();
    std::optional<Screenshot> shot;
    waitUntil([&] {
        if (GetTickCount64() - previousTime < 50) {
            return false;
        }
        shot = captureScreenOf(window);
        const bool settled = shot && previous && shot->pixels == previous->pixels;
        previous = shot;
        previousTime = GetTickCount64();
        return settled;
    });
    return shot;
}

bool saveBmp(const Screenshot& shot, const std::string& path) {
    const size_t stride = (static_cast<size_t>(shot.width) * 3 + 3) & ~size_t{3};
    std::vector<unsigned char> rows(stride * shot.height);
    for (int y = 0; y < shot.height; ++y) {
        unsigned char* row = rows.data() + stride * (shot.height - 1 - y);
        for (int x = 0; x < shot.width; ++x) {
            const COLORREF colour = shot.at(x, y);
            row[x * 3] = GetBValue(colour);
            row[x * 3 + 1] = GetGValue(colour);
            row[x * 3 + 2] = GetRValue(colour);
        }
    }
    BITMAPINFOHEADER info = topDownBitmapInfo(shot.width, shot.height).bmiHeader;
    info.biHeight = shot.height;  // the rows above are stored bottom-up
    info.biBitCount = 24;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + static_cast<DWORD>(rows.size());
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    return file && std::fwrite(&header, sizeof header, 1, file.get()) == 1 &&
           std::fwrite(&info, sizeof info, 1, file.get()) == 1 &&
           std::fwrite(rows.data(), rows.size(), 1, file.get()) == 1;
}

}  // namespace e2e
