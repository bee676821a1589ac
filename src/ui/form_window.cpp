#include "ui/form_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "ui/fonts.h"
#include "ui/label.h"
#include "ui/picture_box.h"

namespace velloran::ui {
namespace {

bool sameName(const char* a, const char* b) {
    return a == b || (a && b && std::strcmp(a, b) == 0);
}

COLORREF colour(Colour c) {
    return RGB(c.red, c.green, c.blue);
}

// Typed characters other than digits and '-' are dropped without a sound; control codes
// (backspace, the clipboard shortcuts) and pasted text pass.
LRESULT CALLBACK digitsAndMinusOnly(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR) {
    if (message == WM_CHAR && wParam >= 32 && wParam != '-' && (wParam < '0' || wParam > '9')) {
        return 0;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

constexpr UINT_PTR kFilterSubclassId = 1;

int fontCharacterHeight(HWND hwnd, HFONT font) {
    HDC dc = GetDC(hwnd);
    TEXTMETRICA metrics{};
    {
        ScopedSelectObject selected(dc, font);
        GetTextMetricsA(dc, &metrics);
    }
    ReleaseDC(hwnd, dc);
    return metrics.tmHeight;
}

}  // namespace

FormWindow::FormWindow(const WindowDescription& description, FormEvents& events)
    : description_(description), events_(events) {}

FormWindow::~FormWindow() {
    // Controls with windows of their own (timers) go first, the form's children with it.
    controls_.clear();
}

bool FormWindow::build(HWND owner) {
    const DWORD style = description_.frame == FrameStyle::FixedDialog
                            ? WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX
                            : WS_POPUP;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - description_.width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - description_.height) / 2;
    if (!create("VelloranWindow", 0, description_.title ? description_.title : "", style, x, y,
                description_.width, description_.height, owner)) {
        return false;
    }
    if (description_.icon) {
        icon_.reset(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                                                  MAKEINTRESOURCEA(description_.icon), IMAGE_ICON,
                                                  0, 0, LR_DEFAULTSIZE)));
        SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
        SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
    }

    const auto order = stackingOrder();
    controls_.resize(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        controls_[i].description = order[i];
        const POINT at = positionInWindow(*order[i]);
        if (!createControl(controls_[i], at.x, at.y)) {
            return false;
        }
    }
    // New children go to the top of the stack: put them in the listed order explicitly.
    HWND above = HWND_TOP;
    for (const Control& control : controls_) {
        if (control.hwnd) {
            SetWindowPos(control.hwnd, above, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
            above = control.hwnd;
        }
    }
    for (const Control& control : controls_) {
        if (control.hwnd && (control.description->flags & kVisible)) {
            ShowWindow(control.hwnd, SW_SHOWNA);
        }
    }
    return true;
}

std::vector<const ControlDescription*> FormWindow::stackingOrder() const {
    std::vector<const ControlDescription*> order;
    // A container's controls sit just above it, in their own listed order.
    auto add = [&](auto& self, const char* parent) -> void {
        for (const ControlDescription& control : description_.controls) {
            if (!sameName(control.parent, parent)) {
                continue;
            }
            if (control.kind == ControlKind::GroupBox) {
                self(self, control.name);
            }
            order.push_back(&control);
        }
    };
    add(add, nullptr);
    return order;
}

POINT FormWindow::positionInWindow(const ControlDescription& control) const {
    POINT at{control.x, control.y};
    for (const char* parent = control.parent; parent;) {
        const auto it = std::ranges::find_if(
            description_.controls,
            [&](const ControlDescription& c) { return sameName(c.name, parent); });
        if (it == description_.controls.end()) {
            break;
        }
        at.x += it->x;
        at.y += it->y;
        parent = it->parent;
    }
    return at;
}

bool FormWindow::createControl(Control& control, int x, int y) {
    const ControlDescription& d = *control.description;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const auto id =
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + (&control - controls_.data())));
    control.font = createFont(d.font);
    const HFONT font = control.font ? control.font.get() : defaultGuiFont();
    DWORD common = WS_CHILD | WS_CLIPSIBLINGS;
    if (d.flags & kDisabled) {
        common |= WS_DISABLED;
    }
    if (d.flags & kTabStop) {
        common |= WS_TABSTOP;
    }
    switch (d.kind) {
        case ControlKind::Label: {
            auto label = std::make_unique<Label>();
            if (!label->create(hwnd(), d.text, x, y, d.width, d.height,
                               {font, colour(d.textColour), (d.flags & kWordWrap) != 0})) {
                return false;
            }
            control.hwnd = label->hwnd();
            control.object = std::move(label);
            if (d.flags & kDisabled) {
                EnableWindow(control.hwnd, FALSE);
            }
            return true;
        }
        case ControlKind::PictureBox: {
            auto box = std::make_unique<PictureBox>();
            if (!box->create(hwnd(), x, y, d.width, d.height, loadPictureResource(d.picture),
                             (d.flags & kStretchPicture) != 0)) {
                return false;
            }
            control.hwnd = box->hwnd();
            control.object = std::move(box);
            return true;
        }
        case ControlKind::Button:
            control.hwnd = CreateWindowExA(
                0, "BUTTON", d.text, common | BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER,
                x, y, d.width, d.height, hwnd(), id, instance, nullptr);
            break;
        case ControlKind::GroupBox:
            control.hwnd = CreateWindowExA(0, "BUTTON", d.text, common | BS_GROUPBOX, x, y, d.width,
                                           d.height, hwnd(), id, instance, nullptr);
            break;
        case ControlKind::EditBox: {
            DWORD style = common | ES_LEFT | ES_AUTOHSCROLL;
            if (d.flags & kReadOnly) {
                style |= ES_READONLY;
            }
            const int minimum = fontCharacterHeight(hwnd(), font) + 2 * GetSystemMetrics(SM_CYEDGE);
            control.hwnd =
                CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", d.text, style, x, y, d.width,
                                std::max(d.height, minimum), hwnd(), id, instance, nullptr);
            if (control.hwnd) {
                SendMessageA(control.hwnd, EM_LIMITTEXT, 0, 0);  // no limit
                SendMessageA(control.hwnd, EM_SETSEL, 0, 0);     // caret at the start
                if (d.flags & kDigitsAndMinus) {
                    SetWindowSubclass(control.hwnd, digitsAndMinusOnly, kFilterSubclassId, 0);
                }
            }
            break;
        }
        case ControlKind::Timer: {
            auto timer = std::make_unique<TimerControl>();
            const char* name = d.name;
            if (!timer->create(d.timerPeriod,
                               [this, name] { events_.raise(name, EventKind::Tick); })) {
                return false;
            }
            control.object = std::move(timer);
            return true;
        }
        case ControlKind::OpenFileDialog:
            control.dialog = std::make_unique<OpenFileDialog>();
            return true;
    }
    if (!control.hwnd) {
        return false;
    }
    SendMessageA(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return true;
}

FormWindow::Control* FormWindow::find(const char* name) {
    for (Control& control : controls_) {
        if (sameName(control.description->name, name)) {
            return &control;
        }
    }
    return nullptr;
}

const FormWindow::Control* FormWindow::find(const char* name) const {
    return const_cast<FormWindow*>(this)->find(name);
}

const FormWindow::Control* FormWindow::findByWindow(HWND hwnd) const {
    for (const Control& control : controls_) {
        if (control.hwnd && control.hwnd == hwnd) {
            return &control;
        }
    }
    return nullptr;
}

Text FormWindow::controlText(const char* name) const {
    const Control* control = find(name);
    if (!control || !control->hwnd) {
        return {};
    }
    Text text(GetWindowTextLengthA(control->hwnd) + 1, '\0');
    text.resize(GetWindowTextA(control->hwnd, text.data(), static_cast<int>(text.size())));
    return text;
}

void FormWindow::setControlText(const char* name, const Text& text) {
    const Control* control = find(name);
    if (!control || !control->hwnd) {
        return;
    }
    SetWindowTextA(control->hwnd, text.c_str());
    if (control->description->kind == ControlKind::Label) {
        UpdateWindow(control->hwnd);
    }
}

OpenFileDialog* FormWindow::openFileDialog(const char* name) {
    Control* control = find(name);
    return control ? control->dialog.get() : nullptr;
}

TimerControl* FormWindow::timer(const char* name) {
    Control* control = find(name);
    return control && control->description->kind == ControlKind::Timer
               ? static_cast<TimerControl*>(control->object.get())
               : nullptr;
}

HWND FormWindow::controlWindow(const char* name) const {
    const Control* control = find(name);
    return control ? control->hwnd : nullptr;
}

bool FormWindow::translateKeyboard(const MSG& message) {
    if (message.message != WM_KEYDOWN || !hwnd() ||
        (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd))) {
        return false;
    }
    switch (message.wParam) {
        case VK_ESCAPE:
            PostMessageA(hwnd(), WM_CLOSE, 0, 0);
            return true;
        case VK_TAB:
            moveFocusAlongRing(GetKeyState(VK_SHIFT) < 0);
            return true;
        default:
            return false;
    }
}

void FormWindow::moveFocusAlongRing(bool backwards) {
    const auto& ring = description_.tabOrder;
    const int count = static_cast<int>(ring.size());
    if (count == 0) {
        return;
    }
    const HWND focus = GetFocus();
    int current = -1;
    for (int i = 0; i < count; ++i) {
        const HWND candidate = controlWindow(ring[i]);
        if (candidate && (candidate == focus || IsChild(candidate, focus))) {
            current = i;
            break;
        }
    }
    const int step = backwards ? count - 1 : 1;
    int index = current < 0 ? (backwards ? 0 : count - 1) : current;
    for (int tried = 0; tried < count; ++tried) {
        index = (index + step) % count;
        const HWND candidate = controlWindow(ring[index]);
        if (candidate && IsWindowVisible(candidate) && IsWindowEnabled(candidate)) {
            SetFocus(candidate);
            return;
        }
    }
}

void FormWindow::focusRememberedOrFirst() {
    if (lastFocus_ && IsWindow(lastFocus_) && IsChild(hwnd(), lastFocus_) &&
        IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_)) {
        SetFocus(lastFocus_);
        return;
    }
    for (const char* name : description_.tabOrder) {
        const HWND candidate = controlWindow(name);
        if (candidate && IsWindowVisible(candidate) && IsWindowEnabled(candidate)) {
            SetFocus(candidate);
            return;
        }
    }
    SetFocus(hwnd());  // keys such as Esc still need a focus inside the window
}

LRESULT FormWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && lParam) {
                const Control* control = findByWindow(reinterpret_cast<HWND>(lParam));
                if (control && control->description->kind == ControlKind::Button) {
                    events_.raise(control->description->name, EventKind::Click);
                }
            }
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            // Edit boxes stay white, read-only ones included.
            const Control* control = findByWindow(reinterpret_cast<HWND>(lParam));
            if (control && control->description->kind == ControlKind::EditBox) {
                const HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, RGB(0, 0, 0));
                SetBkColor(dc, RGB(255, 255, 255));
                return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
            }
            return WindowBase::handleMessage(message, wParam, lParam);
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus && IsChild(hwnd(), focus)) {
                    lastFocus_ = focus;
                }
            } else if (!HIWORD(wParam)) {
                focusRememberedOrFirst();
            }
            return 0;
        case WM_SETFOCUS:
            focusRememberedOrFirst();
            return 0;
        case WM_CLOSE:
            events_.closeRequested();
            return 0;
        default:
            return WindowBase::handleMessage(message, wParam, lParam);
    }
}

void FormWindow::onWindowGone() {
    controls_.clear();
    events_.windowGone();
}

}  // namespace velloran::ui
