#include "platform/TickCount.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(TickCount, ReplacedSourceIsUsedAndRestored)
{
    {
        ScopedTickSource fake([] { return 0xFFFFFFFFu; });
        EXPECT_EQ(GetTickCount(), 0xFFFFFFFFu);
    }
    // Back on the monotonic clock: two readings never go backwards (short of a wrap).
    const std::uint32_t a = GetTickCount();
    const std::uint32_t b = GetTickCount();
    EXPECT_LT(static_cast<std::uint32_t>(b - a), 1000u);
}

TEST(TickCount, FollowsTheMonotonicClockInMilliseconds)
{
    const std::uint64_t before = MonotonicMicroseconds() / 1000;
    const std::uint32_t tick = GetTickCount();
    const std::uint64_t after = MonotonicMicroseconds() / 1000;
    EXPECT_GE(tick, static_cast<std::uint32_t>(before));
    EXPECT_LE(tick, static_cast<std::uint32_t>(after));
}

TEST(TickCount, SleepOneSliceLetsTimePass)
{
    const std::uint64_t before = MonotonicMicroseconds();
    SleepOneSlice();
    EXPECT_GT(MonotonicMicroseconds(), before);
}

TEST(TickCount, SleepTowardsTickReachesANearTickInOneCall)
{
    for (int i = 0; i < 5; ++i) {
        const std::uint32_t target = GetTickCount() + 1;
        SleepTowardsTick(target);
        EXPECT_LT(static_cast<std::uint32_t>(GetTickCount() - target), 0x80000000u) << "tick not reached";
    }
}

TEST(TickCount, SleepTowardsAFarTickSleepsAMillisecondAtMost)
{
    // A full millisecond (the longest pause) moves the counter on by at least one.
    const std::uint32_t before = GetTickCount();
    SleepTowardsTick(before + 1000);
    EXPECT_GE(static_cast<std::uint32_t>(GetTickCount() - before), 1u);
}

TEST(TickCount, SleepTowardsTickWithAReplacedSourceSleepsOneSlice)
{
    std::uint32_t readings = 0;
    ScopedTickSource fake([&] { return ++readings, 5u; });
    const std::uint64_t before = MonotonicMicroseconds();
    SleepTowardsTick(6);
    EXPECT_EQ(readings, 0u); // it does not consult a clock whose real pace it can't know
    EXPECT_GT(MonotonicMicroseconds(), before);
}
