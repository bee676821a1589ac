#pragma once

#include <functional>

#include "ui/window_base.h"

namespace velloran::ui {

// A timer with no visible presence: platform timer 1000 on a window of its own that is
// never shown, so its ticks arrive while its form is hidden or disabled.
class TimerControl : public WindowBase {
  public:
    static constexpr UINT_PTR kTimerId = 1000;

    // Creates the timer's window; a period above 0 starts the timer at once.
    bool create(int period, std::function<void()> onTick);
    ~TimerControl() override;

    int period() const { return period_; }
    bool running() const { return running_; }
    // Restarts with the new period, or stops at 0 or less (a negative period is kept as 0).
    // Writing the current period changes nothing.
    void setPeriod(int period);

  protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onWindowGone() override { running_ = false; }

  private:
    void stop();

    int period_ = 0;
    bool running_ = false;
    std::function<void()> onTick_;
};

}  // namespace velloran::ui
