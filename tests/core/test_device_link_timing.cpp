// The device link's waits, driven by a replaced tick counter so that every count is exact.

#include "core/PortState.h"
#include "core/DeviceLink.h"
#include "platform/TickCount.h"

#include <gtest/gtest.h>

namespace {

// A counter that moves one millisecond per reading, starting at `start`.
struct SteppingClock {
    std::uint32_t now;
    std::uint32_t readings = 0;
    platform::TickSource Source()
    {
        return [this] {
            ++readings;
            return now++;
        };
    }
};

} // namespace

TEST(WaitMilliseconds, EndsAtTheFirstReadingMoreThanTheWaitAfterTheStart)
{
    for (std::uint32_t start : {0u, 1000u, 0xFFFFFFF0u, 0xFFFFFFFBu, 0xFFFFFFFFu}) {
        SteppingClock clock{start};
        platform::ScopedTickSource fake(clock.Source());
        WaitMilliseconds(ByteGap);
        // Readings start, start+1 .. start+11: the last is the first more than 10 past the start,
        // whether or not the counter wrapped on the way.
        EXPECT_EQ(clock.readings, ByteGap + 2) << "start " << start;
        EXPECT_EQ(static_cast<std::uint32_t>(clock.now - start), ByteGap + 2) << "start " << start;
    }
}

TEST(WaitMilliseconds, ZeroWaitsForOneStep)
{
    SteppingClock clock{0xFFFFFFFFu};
    platform::ScopedTickSource fake(clock.Source());
    WaitMilliseconds(0);
    EXPECT_EQ(clock.readings, 2u);
}

TEST(WaitMilliseconds, TheLongestWaitStillEnds)
{
    // No difference of two readings exceeds 2^32 - 1, so a wait of that many milliseconds taken
    // literally could never end; it ends at the largest difference there is.
    std::uint32_t readings = 0;
    std::uint32_t now = 0;
    platform::ScopedTickSource fake([&] {
        ++readings;
        const std::uint32_t reading = now;
        now += 0xFFFFFFFFu;
        return reading;
    });
    WaitMilliseconds(0xFFFFFFFFu);
    EXPECT_EQ(readings, 2u);
}

TEST(ReceiveByteTimed, WithNoPortRunsItsFullLimitAcrossAWrap)
{
    ASSERT_EQ(PortHandle, platform::InvalidPortHandle);
    for (std::uint32_t start : {5u, 0xFFFFFF9Cu}) {
        SteppingClock clock{start};
        platform::ScopedTickSource fake(clock.Source());
        std::uint8_t b = 0x5A;
        std::uint32_t count = 7;
        const std::uint32_t spent = ReceiveByteTimed(b, count, ReplyTimeLimit);
        EXPECT_EQ(count, 0u);
        EXPECT_EQ(b, 0x5A);
        // The last attempt is made just after the limit has passed.
        EXPECT_EQ(spent, ReplyTimeLimit + 1) << "start " << start;
    }
}

TEST(DeviceLinkWithoutPort, EveryExchangeFailsAfterItsTimeLimits)
{
    ASSERT_EQ(PortHandle, platform::InvalidPortHandle);
    SteppingClock clock{0xFFFFFF00u};
    platform::ScopedTickSource fake(clock.Source());
    EXPECT_FALSE(SendByte(0x67));
    std::uint8_t b = 0;
    std::uint32_t count = 1;
    EXPECT_FALSE(ReceiveByte(b, count));
    EXPECT_EQ(count, 0u);

    bool ok = true;
    std::uint32_t before = clock.now;
    EXPECT_EQ(ReadWord(SyncRegister, ok), 0);
    EXPECT_FALSE(ok);
    // One reply wait (readings start .. start+201, plus the final one), no high-byte request.
    EXPECT_EQ(static_cast<std::uint32_t>(clock.now - before), ReplyTimeLimit + 2);

    ok = true;
    before = clock.now;
    WriteWord(9, 0x1234, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(static_cast<std::uint32_t>(clock.now - before), 3 * (ByteGap + 2) + ReplyTimeLimit + 2);

    ok = true;
    EXPECT_EQ(ReadLongWord(3, ok), 0u);
    EXPECT_FALSE(ok);
    ok = true;
    WriteLongWord(3, 100000, ok);
    EXPECT_FALSE(ok);
}

TEST(DeviceLinkWithoutPort, RegistersFrom128OnAreRefusedWithoutWaiting)
{
    SteppingClock clock{0};
    platform::ScopedTickSource fake(clock.Source());
    for (unsigned reg : {128u, 200u, 255u}) {
        bool ok = true;
        EXPECT_EQ(ReadWord(static_cast<std::uint8_t>(reg), ok), 0);
        EXPECT_FALSE(ok);
        ok = true;
        WriteWord(static_cast<std::uint8_t>(reg), 1, ok);
        EXPECT_FALSE(ok);
        ok = true;
        WriteLongWord(static_cast<std::uint8_t>(reg), 1, ok);
        EXPECT_FALSE(ok);
        ok = true;
        EXPECT_EQ(ReadLongWord(static_cast<std::uint8_t>(reg), ok), 0u);
        EXPECT_FALSE(ok);
    }
    EXPECT_EQ(clock.readings, 0u);
}
