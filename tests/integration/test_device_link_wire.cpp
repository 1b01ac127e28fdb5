// The device link's exchanges on the wire, byte for byte, against the simulator over a real pty.

#include "support_link.h"

#include "support/SimProcess.h"
#include "core/PortState.h"
#include "core/DeviceLink.h"

#include <gtest/gtest.h>
#include <iostream>

using platform::LineDirection;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr std::uint64_t ByteGapUs = ByteGap * 1000;

using DeviceLinkWire = SimulatorLinkTest;

} // namespace

TEST_F(DeviceLinkWire, ReadOfRegister103)
{
    Start({"--sync", "constant:-12"});
    LineRecorder line;
    bool ok = false;
    const std::uint16_t value = ReadWord(SyncRegister, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(value, 0xFFF4);
    EXPECT_EQ(line.Bytes(LineDirection::Sent), (Bytes{0x67, 0x65}));
    EXPECT_EQ(line.Bytes(LineDirection::Received), (Bytes{0xF4, 0xFF}));
    ASSERT_EQ(line.Events().size(), 4u);
    EXPECT_EQ(line.Events()[1].direction, LineDirection::Received); // low byte before the request for the high one
    EXPECT_GE(line.ShortestPauseBeforeSending(), ByteGapUs);
    EXPECT_EQ(sim_->TraceBytes(true), (Bytes{0x67, 0x65}));
    EXPECT_EQ(sim_->TraceBytes(false), (Bytes{0xF4, 0xFF}));
}

TEST_F(DeviceLinkWire, WriteOfZeroToRegister101CopiesTheE2prom)
{
    Start({});
    EXPECT_EQ(sim_->DumpValue("copies"), 0);
    LineRecorder line;
    bool ok = false;
    WriteWord(CopyToWorkingRegister, 0, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(line.Bytes(LineDirection::Sent), (Bytes{0xE5, 0x00, 0x00, 0xE5}));
    EXPECT_EQ(line.Bytes(LineDirection::Received), (Bytes{0x01}));
    EXPECT_GE(line.ShortestPauseBeforeSending(), ByteGapUs);
    EXPECT_EQ(sim_->TraceBytes(true), (Bytes{0xE5, 0x00, 0x00, 0xE5}));
    EXPECT_EQ(sim_->DumpValue("copies"), 1);
}

TEST_F(DeviceLinkWire, WriteOf0x1234ToRegister9)
{
    Start({"--reg", "9=1"});
    LineRecorder line;
    bool ok = false;
    WriteWord(9, 0x1234, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(line.Bytes(LineDirection::Sent), (Bytes{0x89, 0x12, 0x34, 0xAF}));
    EXPECT_EQ(line.Bytes(LineDirection::Received), (Bytes{0x01}));
    EXPECT_GE(line.ShortestPauseBeforeSending(), ByteGapUs);
    EXPECT_EQ(sim_->TraceBytes(true), (Bytes{0x89, 0x12, 0x34, 0xAF}));
    EXPECT_EQ(sim_->DumpValue("e2prom 9"), 0x1234);
    // Written to the E2PROM only; the working copy follows on the copy command.
    EXPECT_EQ(sim_->DumpValue("working 9"), 1);

    ok = false;
    EXPECT_EQ(ReadWord(9, ok), 0x1234);
    EXPECT_TRUE(ok);
}

TEST_F(DeviceLinkWire, WriteOf100000AsA32BitValueAtRegister3)
{
    Start({});
    LineRecorder line;
    bool ok = false;
    WriteLongWord(3, 100000, ok);
    EXPECT_TRUE(ok);
    const Bytes expected{0x83, 0x86, 0xA0, 0xA5, 0x84, 0x00, 0x01, 0x85};
    EXPECT_EQ(line.Bytes(LineDirection::Sent), expected);
    EXPECT_EQ(line.Bytes(LineDirection::Received), (Bytes{0x01, 0x01}));
    // Includes the pause between the first acknowledgement and the second write.
    EXPECT_GE(line.ShortestPauseBeforeSending(), ByteGapUs);
    EXPECT_EQ(sim_->TraceBytes(true), expected);
    EXPECT_EQ(sim_->DumpValue("e2prom 3"), 0x86A0);
    EXPECT_EQ(sim_->DumpValue("e2prom 4"), 0x0001);

    ok = false;
    EXPECT_EQ(ReadLongWord(3, ok), 100000u);
    EXPECT_TRUE(ok);
}

TEST_F(DeviceLinkWire, ValuesSurviveTheRoundTrip)
{
    Start({});
    struct Case { std::uint8_t reg; std::uint16_t value; };
    for (Case c : {Case{0, 0x0000}, Case{17, 0xFFFF}, Case{20, 0x8001}, Case{60, 0x00FF}, Case{127, 0xFF00}}) {
        bool ok = false;
        WriteWord(c.reg, c.value, ok);
        EXPECT_TRUE(ok) << int(c.reg);
        ok = false;
        EXPECT_EQ(ReadWord(c.reg, ok), c.value) << int(c.reg);
        EXPECT_TRUE(ok);
    }
    bool ok = false;
    WriteLongWord(40, 0xDEADBEEF, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(ReadLongWord(40, ok), 0xDEADBEEFu);
    EXPECT_TRUE(ok);
}

TEST_F(DeviceLinkWire, TeleWideIsWrittenTo98AndReadFrom102)
{
    Start({});
    bool ok = false;
    WriteWord(TeleWideWriteRegister, 0x1234, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(ReadWord(TeleWideReadRegister, ok), 0x34);
    EXPECT_TRUE(ok);
}

TEST_F(DeviceLinkWire, RegistersFrom128OnSendNothing)
{
    Start({});
    LineRecorder line;
    for (unsigned reg = 128; reg <= 255; ++reg) {
        bool ok = true;
        EXPECT_EQ(ReadWord(static_cast<std::uint8_t>(reg), ok), 0);
        EXPECT_FALSE(ok);
        WriteWord(static_cast<std::uint8_t>(reg), 0x1234, ok);
        EXPECT_FALSE(ok);
        WriteLongWord(static_cast<std::uint8_t>(reg), 0x12345678, ok);
        EXPECT_FALSE(ok);
        EXPECT_EQ(ReadLongWord(static_cast<std::uint8_t>(reg), ok), 0u);
        EXPECT_FALSE(ok);
    }
    EXPECT_TRUE(line.Events().empty());
    // A read that does go out afterwards is the first thing the device sees.
    bool ok = false;
    ReadWord(5, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(sim_->TraceBytes(true), (Bytes{0x05, 0x65}));
}

TEST_F(DeviceLinkWire, Register127As32BitFailsAfterItsFirstHalf)
{
    Start({"--reg", "127=0x1234"});
    LineRecorder line;
    bool ok = true;
    EXPECT_EQ(ReadLongWord(127, ok), 0u);
    EXPECT_FALSE(ok);
    EXPECT_EQ(line.Bytes(LineDirection::Sent), (Bytes{0x7F, 0x65}));
    EXPECT_EQ(line.Bytes(LineDirection::Received), (Bytes{0x34, 0x12}));

    ok = true;
    WriteLongWord(127, 0x00050006, ok);
    EXPECT_FALSE(ok);
    // The low half went out and was taken; the high half never left.
    EXPECT_EQ(sim_->TraceBytes(true), (Bytes{0x7F, 0x65, 0xFF, 0x00, 0x06, 0xF9}));
    EXPECT_EQ(sim_->DumpValue("register 127"), 6);
}
