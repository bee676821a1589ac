#pragma once

// Drives a real program under Wine the way a person would: finds its windows and controls,
// reads what they show, clicks, types keys, answers its boxes. Every wait polls a condition
// with a deadline. Texts are GBK, like the program's.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/handles.h"

namespace e2e {

// Timeouts are plain milliseconds: <chrono> does not build with the GBK execution charset.
inline constexpr DWORD kDefaultTimeout = 5000;

// Polls the condition until it holds or the timeout has passed; returns whether it held.
bool waitUntil(const std::function<bool()>& condition, DWORD timeout = kDefaultTimeout);

// The path under Wine of a Unix path (Wine maps / to drive Z:).
std::string windowsPath(const std::string& unixPath);
// The exe under test, from VELLORAN_EXE.
std::string velloranExe();
// The folder for screenshots and other artefacts, from VELLORAN_ARTEFACTS (created if missing).
std::string artefactsFolder();

// The text a window or control holds now (WM_GETTEXT: also right for other processes' edits).
std::string windowText(HWND window);
// The window's class name.
std::string className(HWND window);
// The window's outer rectangle in the client coordinates of `reference` (screen if null).
RECT rectIn(HWND window, HWND reference);
// A rectangle from left, top, width and height.
RECT rectOf(int left, int top, int width, int height);

struct Control {
    HWND hwnd;
    std::string className;
    std::string text;
    RECT rect;  // relative to the client area of the top-level window
    bool visible;
};
// Every control inside `top` (children and their children).
std::vector<Control> controlsOf(HWND top);
// The control of that class (empty: any class) that covers exactly `rect` of top's client area.
HWND findControl(HWND top, const std::string& cls, const RECT& rect);
// The control of that class (empty: any class) that shows exactly `text`.
HWND findControlByText(HWND top, const std::string& cls, const std::string& text);

// A started process; ends it on destruction if it still runs.
class Program {
  public:
    // Starts the exe (a Windows path) and waits until it first waits for input.
    static std::optional<Program> start(const std::string& exePath);
    Program(Program&&) = default;
    Program& operator=(Program&&) = delete;
    ~Program();

    DWORD pid() const { return pid_; }
    HANDLE process() const { return process_.get(); }
    bool running() const;
    // Visible top-level windows of this process with that class (empty: any).
    std::vector<HWND> windows(const std::string& cls = "") const;
    // The visible top-level window with that title, waiting for it up to the timeout.
    HWND waitForWindow(const std::string& title, DWORD timeout = kDefaultTimeout) const;
    // Waits for the end of the process; its exit code, or nothing at the timeout.
    std::optional<DWORD> waitForExit(DWORD timeout = kDefaultTimeout) const;

  private:
    Program(HANDLE process, DWORD pid) : process_(process), pid_(pid) {}
    velloran::UniqueKernelHandle process_;
    DWORD pid_ = 0;
};

struct MessageBoxSeen {
    HWND box;
    std::string title;
    std::string text;
};
// A visible message box of the program (not its open dialog), waiting for one up to the timeout.
std::optional<MessageBoxSeen> waitForMessageBox(const Program& program,
                                                DWORD timeout = kDefaultTimeout);
// Presses OK on a message box and waits until the box has gone.
bool dismissMessageBox(HWND box);
// Waits for the program's open-file dialog, types the path as its file name and confirms it.
bool chooseFileInOpenDialog(const Program& program, const std::string& path,
                            DWORD timeout = kDefaultTimeout);
// Waits for the program's open-file dialog and cancels it.
bool cancelOpenDialog(const Program& program, DWORD timeout = kDefaultTimeout);

// Posts a click to a button (returns at once, so a click that opens a modal box cannot block).
void click(HWND button);
// A real left mouse click in the middle of the control.
bool mouseClick(HWND control);
// Makes the window the foreground window so that keystrokes reach it.
bool bringToFront(HWND top);
// Presses and releases one key in the foreground window, with a modifier (VK_SHIFT, VK_CONTROL).
void pressKey(WORD virtualKey, WORD modifier = 0);
// Types ASCII characters as real keystrokes (letters, digits, '-', ...).
void typeText(const std::string& ascii);
// The control that has the keyboard focus in the thread of `top`.
HWND focusedControl(HWND top);

// The clipboard's CF_TEXT, or nothing when it holds no text.
std::optional<std::string> clipboardText();
// Puts GBK text on the clipboard as CF_TEXT.
bool setClipboardText(const std::string& text);

struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // row by row from the top
    COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
// What the screen shows of the window, frame included, once its painting has settled.
std::optional<Screenshot> captureWindow(HWND window);
// Writes the picture as a 24-bit BMP file.
bool saveBmp(const Screenshot& shot, const std::string& path);

}  // namespace e2e
