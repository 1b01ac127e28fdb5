// How the device link fares when the device is slow, silent, half-answering or gone.

#include "support_link.h"

#include "support/SimProcess.h"
#include "core/PortState.h"
#include "core/DeviceLink.h"
#include "platform/PortNames.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <iostream>

using platform::LineDirection;
using Bytes = std::vector<std::uint8_t>;

namespace {

using DeviceLinkFaults = SimulatorLinkTest;

} // namespace

// The longest time from a request the host sent to the simulator's reply to it, over the replies
// the simulator sent after trace entry `traceFrom`; 0 when it sent none.
std::uint64_t LongestReplyTimeUs(const LineRecorder& line, const std::vector<SimProcess::TraceEntry>& trace,
                                 std::size_t traceFrom)
{
    std::uint64_t longest = 0;
    for (std::size_t i = traceFrom; i < trace.size(); ++i) {
        if (trace[i].toDevice)
            continue;
        std::uint64_t request = 0;
        for (const auto& e : line.Events())
            if (e.direction == LineDirection::Sent && e.microseconds <= trace[i].microseconds)
                request = e.microseconds;
        if (request != 0)
            longest = std::max(longest, trace[i].microseconds - request);
    }
    return longest;
}

// Runs `exchange` until it succeeds. A failure counts only when the simulator did reply in time:
// on a starved machine it may read a request or send its reply late, and then the reply the
// test wanted (150 ms after the request) never happened. Five such attempts fail the test too.
template <class Exchange>
void ExpectTakenWhenRepliedInTime(SimProcess& sim, Exchange exchange)
{
    constexpr int Attempts = 5;
    constexpr std::uint64_t InTimeUs = (ReplyTimeLimit - 10) * 1000;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        const std::size_t traceFrom = sim.Trace().size();
        LineRecorder line;
        if (exchange())
            return;
        // Let a late reply arrive, so that it is traced and does not disturb the next attempt.
        std::uint8_t b = 0;
        std::uint32_t count = 1;
        while (count != 0)
            ReceiveByteTimed(b, count, 2 * ReplyTimeLimit);
        const std::uint64_t longest = LongestReplyTimeUs(line, sim.Trace(), traceFrom);
        ASSERT_GT(longest, 0u) << "no reply at all";
        ASSERT_GE(longest, InTimeUs) << "failed although every reply came within " << longest << " us";
    }
    FAIL() << "the simulator never managed to reply in time";
}

TEST_F(DeviceLinkFaults, AReplyAfter150MsIsTaken)
{
    Start({"--sync", "constant:300", "--reply-delay", "150"});
    ExpectTakenWhenRepliedInTime(*sim_, [] {
        bool ok = false;
        const std::uint16_t value = ReadWord(SyncRegister, ok);
        EXPECT_EQ(value, ok ? 300 : 0);
        return ok;
    });
    ExpectTakenWhenRepliedInTime(*sim_, [] {
        bool ok = false;
        WriteWord(9, 0x0102, ok);
        return ok;
    });
    EXPECT_EQ(sim_->DumpValue("e2prom 9"), 0x0102);
}

TEST_F(DeviceLinkFaults, AReplyAfter250MsIsNotTakenAndStaysWaiting)
{
    Start({"--sync", "constant:300", "--fault", "late", "--late-delay", "250"});
    // A host starved for more than 50 ms finds the late byte waiting at its last attempt and
    // takes it; such an attempt shows nothing and is repeated.
    constexpr int Attempts = 5;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        LineRecorder line;
        bool ok = true;
        const std::uint16_t value = ReadWord(SyncRegister, ok);
        if (ok) {
            std::uint8_t b = 0;
            std::uint32_t count = 1;
            while (count != 0)
                ReceiveByteTimed(b, count, 2 * ReplyTimeLimit);
            continue;
        }
        EXPECT_EQ(value, 0);
        // The exchange gave up before the high-byte request.
        EXPECT_EQ(line.Bytes(LineDirection::Sent), (Bytes{0x67}));
        std::uint8_t late = 0;
        std::uint32_t count = 0;
        ReceiveByteTimed(late, count, 2 * ReplyTimeLimit);
        EXPECT_EQ(count, 1u);
        EXPECT_EQ(late, 300 & 0xFF);
        return;
    }
    FAIL() << "the host never waited in time";
}

TEST_F(DeviceLinkFaults, ALateAcknowledgementFailsTheWrite)
{
    Start({"--fault", "late", "--late-delay", "250"});
    bool ok = true;
    WriteWord(9, 0x1234, ok);
    EXPECT_FALSE(ok);
}

TEST_F(DeviceLinkFaults, ADeviceAnsweringOnlyTheLowByte)
{
    Start({"--sync", "constant:300", "--fault", "no-high-byte"});
    LineRecorder line;
    bool ok = true;
    EXPECT_EQ(ReadWord(SyncRegister, ok), 0);
    EXPECT_FALSE(ok);
    EXPECT_EQ(line.Bytes(LineDirection::Sent), (Bytes{0x67, 0x65}));
    EXPECT_EQ(line.Bytes(LineDirection::Received), (Bytes{300 & 0xFF}));
    ok = true;
    EXPECT_EQ(ReadLongWord(3, ok), 0u);
    EXPECT_FALSE(ok);
}

TEST_F(DeviceLinkFaults, AWriteAnsweredWithZeroFails)
{
    Start({"--fault", "refuse-writes"});
    const long before = sim_->DumpValue("e2prom 9");
    bool ok = true;
    WriteWord(9, 0x4321, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(sim_->DumpValue("e2prom 9"), before);
    ok = true;
    WriteLongWord(3, 100000, ok);
    EXPECT_FALSE(ok);
    // The high half is not attempted after a refused low half.
    EXPECT_EQ(sim_->TraceBytes(true).size(), 8u);
}

TEST_F(DeviceLinkFaults, AnUnansweredWriteFails)
{
    Start({"--fault", "no-ack"});
    bool ok = true;
    WriteWord(9, 0x4321, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(sim_->DumpValue("e2prom 9"), 0x4321);
}

TEST_F(DeviceLinkFaults, SilenceInTheMiddleOfARun)
{
    Start({"--sync", "ramp:10:1"});
    bool ok = false;
    EXPECT_EQ(ReadWord(SyncRegister, ok), 10);
    EXPECT_TRUE(ok);
    ASSERT_TRUE(sim_->Control("fault on silence"));
    EXPECT_EQ(ReadWord(SyncRegister, ok), 0);
    EXPECT_FALSE(ok);
    WriteWord(9, 1, ok);
    EXPECT_FALSE(ok);
    ASSERT_TRUE(sim_->Control("fault off silence"));
    EXPECT_EQ(ReadWord(SyncRegister, ok), 11);
    EXPECT_TRUE(ok);
}

TEST_F(DeviceLinkFaults, StrayBytesArriveUnasked)
{
    Start({"--fault", "stray", "--stray-interval", "5"});
    std::uint8_t b = 0;
    std::uint32_t count = 0;
    for (int i = 0; i < 3; ++i) {
        ReceiveByteTimed(b, count, ReplyTimeLimit);
        EXPECT_EQ(count, 1u);
    }
    EXPECT_TRUE(sim_->TraceBytes(true).empty());
}

TEST_F(DeviceLinkFaults, AVanishedDeviceFailsEveryExchange)
{
    Start({});
    bool ok = false;
    ReadWord(5, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(sim_->Stop(), 0);
    EXPECT_EQ(ReadWord(5, ok), 0);
    EXPECT_FALSE(ok);
    WriteWord(5, 1, ok);
    EXPECT_FALSE(ok);
}

TEST(DeviceLinkPort, TheSimulatorsPortIsExclusiveAndOpensAgainAfterClosing)
{
    SimProcess sim;
    ASSERT_TRUE(sim.Running()) << sim.Error();
    ASSERT_TRUE(OpenApplicationPort(sim.LinkPath()));
    const platform::PortHandle first = PortHandle;
    auto second = platform::OpenPortExclusive("Com1");
    EXPECT_FALSE(second);
    EXPECT_EQ(second.result.error, EBUSY);
    CloseApplicationPort();
    ASSERT_TRUE(OpenApplicationPort(sim.LinkPath()));
    EXPECT_NE(PortHandle, first);
    bool ok = false;
    ReadWord(0, ok);
    EXPECT_TRUE(ok);
    CloseApplicationPort();
}

TEST(DeviceLinkPort, ANonexistentPortFailsCleanly)
{
    EXPECT_FALSE(OpenApplicationPort("/dev/duoclave-no-such-port"));
    EXPECT_EQ(PortHandle, platform::InvalidPortHandle);
    CloseApplicationPort();
}

TEST(DeviceLinkPort, TheE2promIsKeptBetweenRuns)
{
    std::string state;
    {
        SimProcess sim;
        ASSERT_TRUE(sim.Running()) << sim.Error();
        state = sim.Folder() + "-e2prom";
    }
    for (int run = 0; run < 2; ++run) {
        SimProcess sim({"--state", state});
        ASSERT_TRUE(sim.Running()) << sim.Error();
        ASSERT_TRUE(OpenApplicationPort(sim.LinkPath()));
        bool ok = false;
        if (run == 0) {
            WriteWord(18, 4711, ok);
            EXPECT_TRUE(ok);
        } else {
            EXPECT_EQ(ReadWord(18, ok), 4711);
            EXPECT_TRUE(ok);
        }
        CloseApplicationPort();
        EXPECT_EQ(sim.Stop(), 0);
    }
    std::remove(state.c_str());
}
