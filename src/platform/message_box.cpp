#include "platform/message_box.h"

#include <windows.h>

namespace velloran {

void showMessage(const Text& text, const Text& title) {
    MessageBoxA(nullptr, text.c_str(), title.c_str(), MB_OK | MB_TASKMODAL);
}

}  // namespace velloran
