#include "sim/Registers.h"

#include <gtest/gtest.h>

using namespace sim;

TEST(Registers, E2promWritesWaitForTheCopyCommand)
{
    Registers r;
    int changes = 0;
    r.onE2promChanged = [&] { ++changes; };
    r.Write(5, 0x0100);
    EXPECT_EQ(r.Read(5, 0), 0x0100);
    EXPECT_EQ(r.E2prom()[5], 0x0100);
    EXPECT_NE(r.Working()[5], 0x0100);
    EXPECT_EQ(changes, 1);
    r.Write(CopyToWorkingRegister, 1); // only 0 copies
    EXPECT_NE(r.Working()[5], 0x0100);
    r.Write(CopyToWorkingRegister, CopyCommand);
    EXPECT_EQ(r.Working()[5], 0x0100);
    EXPECT_EQ(r.CopyCount(), 1u);
}

TEST(Registers, TeleWideReadsBackTheLowByteOfTheCommand)
{
    Registers r;
    r.Write(TeleWideWriteRegister, 0xABCD);
    EXPECT_EQ(r.Read(TeleWideReadRegister, 0), 0x00CD);
    r.Write(TeleWideReadRegister, 0x1111); // derived: a write changes nothing
    EXPECT_EQ(r.Read(TeleWideReadRegister, 0), 0x00CD);
}

TEST(Registers, PresetSetsBothCopiesAndMakesTheSyncConstant)
{
    Registers r;
    r.Preset(3, 42);
    EXPECT_EQ(r.E2prom()[3], 42);
    EXPECT_EQ(r.Working()[3], 42);
    r.Preset(SyncRegister, 0xFFF4);
    EXPECT_EQ(r.Read(SyncRegister, 0), 0xFFF4);
    EXPECT_EQ(r.Read(SyncRegister, 100), 0xFFF4);
    r.Preset(127, 7);
    EXPECT_EQ(r.Read(127, 0), 7);
}

TEST(SyncSource, ParsesItsModes)
{
    EXPECT_TRUE(SyncSource::Parse("drift", 1));
    EXPECT_EQ(SyncSource::Parse("constant:-5", 1)->GetMode(), SyncSource::Mode::Constant);
    EXPECT_EQ(SyncSource::Parse("ramp:0:2", 1)->GetMode(), SyncSource::Mode::Ramp);
    for (const char* bad : {"", "constant", "constant:", "constant:x", "ramp:1", "ramp:1:", "ramp:a:1", "wobble"})
        EXPECT_FALSE(SyncSource::Parse(bad, 1)) << bad;
}

TEST(SyncSource, RampStepsPerReadAndSaturates)
{
    auto ramp = *SyncSource::Parse("ramp:32766:1", 1);
    EXPECT_EQ(ramp.Next(0), 32766);
    EXPECT_EQ(ramp.Next(0), 32767);
    EXPECT_EQ(ramp.Next(0), 32767);
    auto down = *SyncSource::Parse("ramp:-32767:-1", 1);
    EXPECT_EQ(down.Next(0), -32767);
    EXPECT_EQ(down.Next(0), -32768);
    EXPECT_EQ(down.Next(0), -32768);
}

TEST(SyncSource, DriftWandersSlowlyAndRepeatsWithItsSeed)
{
    SyncSource a(7), b(7);
    int previous = a.Next(0);
    EXPECT_EQ(previous, b.Next(0));
    int lowest = previous, highest = previous;
    for (int second = 1; second <= 3600; ++second) {
        const int now = a.Next(second);
        EXPECT_EQ(now, b.Next(second));
        // Noise of a few microseconds on a drift of a fraction of a microsecond per second.
        EXPECT_LT(std::abs(now - previous), 40) << second;
        lowest = std::min(lowest, now);
        highest = std::max(highest, now);
        previous = now;
    }
    EXPECT_GT(highest - lowest, 100);   // it does drift over an hour
    EXPECT_LT(highest - lowest, 1000);
}
