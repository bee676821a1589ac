#include "ui/timer_control.h"

#include <gtest/gtest.h>

#include <vector>

#include "message_pump.h"

namespace velloran::ui {
namespace {

using testing_support::pumpUntil;

struct PeriodStep {
    int written;
    int period;
    bool running;
};

struct PeriodCase {
    const char* name;
    int created;
    bool runningAtCreation;
    std::vector<PeriodStep> steps;
};

TEST(TimerControl, PeriodWritesStartAndStopThePlatformTimer) {
    const PeriodCase cases[] = {
        {"created stopped, then started", 0, false, {{500, 500, true}, {0, 0, false}}},
        {"negative is kept as zero", 1000, true, {{-5, 0, false}, {-1, 0, false}, {7, 7, true}}},
        {"restart with a new period", 1000, true, {{1000, 1000, true}, {250, 250, true}}},
        {"created with a negative period", -3, false, {{0, 0, false}}},
    };
    for (const PeriodCase& c : cases) {
        SCOPED_TRACE(c.name);
        TimerControl timer;
        ASSERT_TRUE(timer.create(c.created, [] {}));
        EXPECT_EQ(timer.running(), c.runningAtCreation);
        for (const PeriodStep& step : c.steps) {
            timer.setPeriod(step.written);
            EXPECT_EQ(timer.period(), step.period) << "after writing " << step.written;
            EXPECT_EQ(timer.running(), step.running) << "after writing " << step.written;
        }
    }
}

TEST(TimerControl, TicksKeepComingAndStopWithThePeriod) {
    int ticks = 0;
    TimerControl timer;
    ASSERT_TRUE(timer.create(10, [&] { ++ticks; }));
    EXPECT_TRUE(pumpUntil([&] { return ticks >= 3; }));
    timer.setPeriod(0);
    const int stoppedAt = ticks;
    Sleep(60);
    testing_support::pumpWaiting();
    EXPECT_EQ(ticks, stoppedAt);
}

TEST(TimerControl, CatchesUpWithOneTickAfterABusySpell) {
    int ticks = 0;
    TimerControl timer;
    ASSERT_TRUE(timer.create(300, [&] { ++ticks; }));
    Sleep(1000);  // three periods pass while no message is taken
    testing_support::pumpWaiting();
    EXPECT_EQ(ticks, 1);
}

}  // namespace
}  // namespace velloran::ui
