#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "platform/handles.h"
#include "text.h"
#include "ui/open_file_dialog.h"
#include "ui/timer_control.h"
#include "ui/window_base.h"
#include "ui/window_description.h"

namespace velloran::ui {

// What a built window reports to its owner.
class FormEvents {
  public:
    // A click, tick or close query of the window or one of its controls; the result
    // matters only for the close query (false keeps the window).
    virtual bool raise(const char* source, EventKind kind) = 0;
    // The close box, the system menu or Esc.
    virtual void closeRequested() = 0;
    // The window and its controls are gone.
    virtual void windowGone() = 0;

  protected:
    ~FormEvents() = default;
};

// A top-level window built from its description: every control created hidden with its
// settings, stacked as listed, the visible ones shown. The controls of a group box become
// children of the window at the group box's offset, stacked just above it, so their
// notifications reach the window like any other control's.
class FormWindow : public WindowBase {
  public:
    FormWindow(const WindowDescription& description, FormEvents& events);
    ~FormWindow() override;

    // Creates the window hidden, centred on the screen, owned by owner (or none).
    bool build(HWND owner);
    // Destroys the window and its controls now.
    void destroy() { DestroyWindow(hwnd()); }

    const WindowDescription& description() const { return description_; }
    bool hasControl(const char* name) const { return find(name) != nullptr; }

    // The text of an edit box or the caption of a label or button.
    Text controlText(const char* name) const;
    // Replaces it; a label is repainted at once.
    void setControlText(const char* name, const Text& text);
    OpenFileDialog* openFileDialog(const char* name);
    TimerControl* timer(const char* name);
    HWND controlWindow(const char* name) const;

    // Esc closes, Tab and Shift+Tab go round the tab ring; true when the message is used up.
    bool translateKeyboard(const MSG& message);

  protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onWindowGone() override;

  private:
    struct Control {
        const ControlDescription* description = nullptr;
        HWND hwnd = nullptr;
        UniqueFont font;
        std::unique_ptr<WindowBase> object;  // label, picture box or timer
        std::unique_ptr<OpenFileDialog> dialog;
    };

    bool createControl(Control& control, int x, int y);
    std::vector<const ControlDescription*> stackingOrder() const;
    POINT positionInWindow(const ControlDescription& control) const;
    Control* find(const char* name);
    const Control* find(const char* name) const;
    const Control* findByWindow(HWND hwnd) const;
    void moveFocusAlongRing(bool backwards);
    void focusRememberedOrFirst();

    const WindowDescription& description_;
    FormEvents& events_;
    std::vector<Control> controls_;
    UniqueIcon icon_;
    HWND lastFocus_ = nullptr;
};

}  // namespace velloran::ui
