#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/VirtualClock.h"

namespace vantelo::test {
namespace {

TEST(VirtualClock, FiresTimersInDueOrderAtTheirOwnTime) {
    VirtualClock clock(LocalTime{2003, 12, 31, 23, 59, 58});
    std::vector<std::string> fired;
    TimerHandle repeating = clock.StartRepeating(
        5000, [&] { fired.push_back("tick " + std::to_string(clock.ElapsedMs())); });
    clock.StartSingleShot(7000, [&] {
        fired.push_back("shot " + std::to_string(clock.ElapsedMs()));
        // A timer started from a callback fires within the same advance when due.
        clock.StartSingleShot(1000, [&] { fired.push_back("chained"); });
    });
    TimerHandle stopped = clock.StartSingleShot(1, [&] { fired.push_back("never"); });
    clock.Stop(stopped);

    clock.Advance(10000);
    EXPECT_EQ(fired, (std::vector<std::string>{"tick 5000", "shot 7000", "chained", "tick 10000"}));
    EXPECT_EQ(clock.ElapsedMs(), 10000);
    LocalTime now = clock.Now();
    EXPECT_EQ(now.year, 2004);
    EXPECT_EQ(now.month, 1);
    EXPECT_EQ(now.day, 1);
    EXPECT_EQ(now.hour, 0);
    EXPECT_EQ(now.minute, 0);
    EXPECT_EQ(now.second, 8);

    clock.Stop(repeating);
    clock.Advance(60000);
    EXPECT_EQ(fired.size(), 4u);
    EXPECT_EQ(clock.ActiveTimers(), 0);
}

TEST(VirtualClock, ARepeatingTimerMayStopItself) {
    VirtualClock clock;
    int ticks = 0;
    TimerHandle handle = 0;
    handle = clock.StartRepeating(1500, [&] {
        if (++ticks == 3) {
            clock.Stop(handle);
        }
    });
    clock.Advance(100000);
    EXPECT_EQ(ticks, 3);
}

}  // namespace
}  // namespace vantelo::test
