#pragma once

#include "text.h"

namespace velloran {

// Every message of the program: no owner, OK only, no icon, task-modal.
void showMessage(const Text& text, const Text& title);

}  // namespace velloran
