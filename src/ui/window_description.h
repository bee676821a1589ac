#pragma once

#include <cstdint>
#include <span>

namespace velloran::ui {

enum class ControlKind { Label, Button, EditBox, GroupBox, PictureBox, Timer, OpenFileDialog };

struct Colour {
    std::uint8_t red = 0, green = 0, blue = 0;
};

// A font of the control's own; no face means the system default GUI font.
struct FontDescription {
    const char* face = nullptr;
    int height = 0;  // character height in pixels
    int weight = 400;
};

enum ControlFlag : unsigned {
    kVisible = 1u << 0,
    kDisabled = 1u << 1,
    kTabStop = 1u << 2,
    kReadOnly = 1u << 3,        // edit box: no typing
    kWordWrap = 1u << 4,        // label: breaks into lines from the top
    kDigitsAndMinus = 1u << 5,  // edit box: typed characters other than 0-9 and '-' are dropped
    kStretchPicture = 1u << 6,  // picture box: stretched to the box, else natural size
};

struct ControlDescription {
    const char* name;
    ControlKind kind;
    const char* parent = nullptr;  // a group box of the same window, or none: the window
    int x = 0, y = 0, width = 0, height = 0;
    const char* text = "";
    Colour textColour{};
    FontDescription font{};
    unsigned flags = kVisible;
    int picture = 0;      // picture box: resource id of its picture
    int timerPeriod = 0;  // timer: milliseconds, 0 or less is stopped
};

enum class EventKind { Created, CloseQuery, Click, Tick };

using Handler = void (*)();

struct EventBinding {
    const char* source;  // a control's name, or nullptr for the window itself
    EventKind kind;
    Handler handler;  // nullptr: not bound yet, the event is dropped
};

enum class FrameStyle {
    FixedDialog,  // title bar, system menu, minimise box, not resizable
    Borderless,   // no frame, no title bar
};

struct WindowDescription {
    const char* title;
    int width, height;  // outer size
    FrameStyle frame;
    std::span<const ControlDescription> controls;  // in z-order, topmost first
    std::span<const EventBinding> events;
    std::span<const char* const> tabOrder;  // names of the tab stops in Tab order
    int icon = 0;                           // resource id of the window's icon, 0: none
    bool visible = true;                    // shown (normally) once its created event has run
};

}  // namespace velloran::ui
