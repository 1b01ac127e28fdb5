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
