#include "ui/window_catalogue.h"

#include "ui/completion_window.h"
#include "ui/main_window.h"

namespace velloran::ui {

const WindowDescription* windowDescription(WindowId window) {
    switch (window) {
        case WindowId::Main:
            return &mainWindowDescription();
        case WindowId::Completion:
            return &completionWindowDescription();
    }
    return nullptr;
}

}  // namespace velloran::ui
