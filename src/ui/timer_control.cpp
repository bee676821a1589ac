#include "ui/timer_control.h"

#include <utility>

namespace velloran::ui {

bool TimerControl::create(int period, std::function<void()> onTick) {
    onTick_ = std::move(onTick);
    if (!WindowBase::create("VelloranTimer", 0, "", 0, 0, 0, 0, 0, HWND_MESSAGE)) {
        return false;
    }
    setPeriod(period);
    return true;
}

TimerControl::~TimerControl() {
    stop();
}

void TimerControl::setPeriod(int period) {
    if (period < 0) {
        period = 0;
    }
    if (period == period_) {
        return;
    }
    stop();
    period_ = period;
    if (period_ > 0 && hwnd()) {
        running_ = SetTimer(hwnd(), kTimerId, static_cast<UINT>(period_), nullptr) != 0;
    }
}

void TimerControl::stop() {
    if (running_) {
        KillTimer(hwnd(), kTimerId);
        running_ = false;
    }
}

LRESULT TimerControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kTimerId) {
        if (onTick_) {
            onTick_();
        }
        return 0;
    }
    return WindowBase::handleMessage(message, wParam, lParam);
}

}  // namespace velloran::ui
