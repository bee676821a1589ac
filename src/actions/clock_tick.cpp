#include "actions/auxiliary_actions.h"
#include "actions/clock_text.h"
#include "app/shell.h"

namespace velloran {

void updateClock() {
    setControlText(WindowId::Main, "标签3", formatDateTime(currentDateTime()));
}

}  // namespace velloran
