// Polling a real pseudo-terminal: received data, packet assembly and the packet time-out.
// Where time matters the test owns the tick clock and polls by hand.
#include "support_driver.h"

#include <QTest>
#include <QTimerEvent>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace serial;

namespace {
constexpr int WaitLimitMs = 10000;
}

TEST(SerialPortDriverReceive, DataArrivesThroughTheEventLoop)
{
    TestPty pty;
    ASSERT_TRUE(pty.Ok());
    TSerialPortDriver d;
    d.SetPortName(pty.PeerPath());
    Bytes got;
    QObject* sender = nullptr;
    d.OnReceiveData = [&](QObject* s, const uint8_t* p, uint32_t n) {
        sender = s;
        got.insert(got.end(), p, p + n);
    };
    ASSERT_TRUE(d.OpenPort());
    const Bytes sent = {0x00, 0x11, 0x0d, 0x0a, 0x13, 0xff, 0x7f, 0x03};
    ASSERT_TRUE(pty.Send(sent));
    EXPECT_TRUE(QTest::qWaitFor([&] { return got.size() >= sent.size(); }, WaitLimitMs));
    EXPECT_EQ(got, sent);  // binary bytes pass untouched
    EXPECT_EQ(sender, &d);
}

TEST(SerialPortDriverReceive, OnlyTimerOnePollsAndPauseHolds)
{
    PacketRig r(4);
    ASSERT_TRUE(r.Open());
    ASSERT_TRUE(r.pty.Send({1, 2, 3, 4}));
    QEvent user(QEvent::User);
    QTimerEvent otherTimer(TSerialPortDriver::PollTimerId + 1);
    r.d.PollingPauseCount = 1;
    for (int i = 0; i < 200; ++i) {
        r.d.PollTimerProc(&user);
        r.d.PollTimerProc(&otherTimer);
        PollOnce(r.d);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(r.packets.empty());
    r.d.PollingPauseCount = 0;
    ASSERT_TRUE(PollUntil(r.d, [&] { return !r.packets.empty(); }));
    EXPECT_EQ(r.packets.front(), (Bytes{1, 2, 3, 4}));
    // Closed, even timer 1 only reaches the default handling.
    r.d.ClosePort();
    PollOnce(r.d);
    EXPECT_EQ(r.packets.size(), 1u);
}

TEST(SerialPortDriverReceive, PacketsAssembledFromPieces)
{
    PacketRig r(4);
    ASSERT_TRUE(r.Open());
    ASSERT_TRUE(r.pty.Send({1, 2}));
    ASSERT_TRUE(PollUntil(r.d, [&] { return r.d.PacketStartTime() != -1; }));
    EXPECT_TRUE(r.packets.empty());
    ASSERT_TRUE(r.pty.Send({3, 4, 5}));
    ASSERT_TRUE(PollUntil(r.d, [&] { return !r.packets.empty(); }));
    ASSERT_TRUE(r.pty.Send({6, 7, 8, 9, 10, 11, 12}));
    ASSERT_TRUE(PollUntil(r.d, [&] { return r.packets.size() >= 3; }));
    EXPECT_EQ(r.packets, (std::vector<Bytes>{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}}));
    EXPECT_EQ(r.d.PacketStartTime(), -1);  // nothing left over
}

TEST(SerialPortDriverReceive, ShortPacketAfterTimeoutPassedOrDropped)
{
    for (TPacketMode mode : {pmPass, pmDiscard}) {
        PacketRig r(6);
        r.d.SetPacketTimeout(100);
        r.d.SetPacketMode(mode);
        ASSERT_TRUE(r.Open());
        const uint32_t start = r.now;
        ASSERT_TRUE(r.pty.Send({1, 2, 3}));
        ASSERT_TRUE(PollUntil(r.d, [&] { return r.d.PacketStartTime() == start; }));
        r.now = start + 100;  // not yet beyond the time-out
        PollOnce(r.d);
        EXPECT_TRUE(r.packets.empty());
        r.now = start + 101;
        PollOnce(r.d);
        EXPECT_EQ(r.d.PacketStartTime(), -1);
        if (mode == pmPass)
            EXPECT_EQ(r.packets, (std::vector<Bytes>{{1, 2, 3}}));
        else
            EXPECT_TRUE(r.packets.empty());
        // The next packet starts clean either way.
        ASSERT_TRUE(r.pty.Send({4, 5, 6, 7, 8, 9}));
        ASSERT_TRUE(PollUntil(r.d, [&] { return r.packets.size() == (mode == pmPass ? 2u : 1u); }));
        EXPECT_EQ(r.packets.back(), (Bytes{4, 5, 6, 7, 8, 9}));
    }
}

TEST(SerialPortDriverReceive, TransferTimeRoundsHalfToEven)
{
    struct Row { TBaudRate rate; uint32_t value; int16_t size; uint32_t ms; };
    const Row rows[] = {
        {br9600, 0, 10, 10},      // 10.42
        {br9600, 0, 12, 12},      // 12.5 -> even
        {br9600, 0, 36, 38},      // 37.5 -> even
        {br115200, 0, 100, 9},    // 8.68
        {brCustom, 31250, 100, 32},
        {brCustom, 0, 100, 0},    // no rate: no time
        {br9600, 0, -1, 0},
    };
    for (const Row& r : rows) {
        TSerialPortDriver d;
        if (r.rate == brCustom)
            d.SetBaudRateValue(r.value);
        else
            d.SetBaudRate(r.rate);
        d.SetPacketSize(r.size);
        EXPECT_EQ(d.PacketTransferTime(), r.ms) << r.value << "/" << r.size;
    }
}

TEST(SerialPortDriverReceive, PacketStartAdvancesByTransferTime)
{
    PacketRig r(10);  // 10 ms per packet at 9600 baud
    r.d.SetPacketTimeout(1000);
    ASSERT_TRUE(r.Open());
    const uint32_t start = r.now;
    ASSERT_TRUE(r.pty.Send(Bytes(3, 0xaa)));
    ASSERT_TRUE(PollUntil(r.d, [&] { return r.d.PacketStartTime() == start; }));

    // Two whole packets and one byte: the pending start moves on by two transfer times.
    r.now = start + 50;
    ASSERT_TRUE(r.pty.Send(Bytes(18, 0xbb)));
    ASSERT_TRUE(PollUntil(r.d, [&] { return r.packets.size() == 2; }));
    EXPECT_EQ(r.d.PacketStartTime(), start + 20);

    // Bytes faster than the line rate: the start never moves past the present.
    r.now = start + 30;
    ASSERT_TRUE(r.pty.Send(Bytes(30, 0xcc)));
    ASSERT_TRUE(PollUntil(r.d, [&] { return r.packets.size() == 5; }));
    EXPECT_EQ(r.d.PacketStartTime(), start + 30);
}

TEST(SerialPortDriverReceive, WholePacketsWithNonePendingStartRemainderNow)
{
    PacketRig r(10);
    ASSERT_TRUE(r.Open());
    ASSERT_TRUE(r.pty.Send(Bytes(24, 0x55)));
    ASSERT_TRUE(PollUntil(r.d, [&] { return r.packets.size() == 2; }));
    EXPECT_EQ(r.d.PacketStartTime(), r.now);
}

TEST(SerialPortDriverReceive, HandlerMayCloseThePort)
{
    PacketRig r(2);
    r.d.OnReceivePacket = [&](QObject*, const uint8_t* p, uint32_t n) {
        r.packets.emplace_back(p, p + n);
        r.d.ClosePort();
    };
    ASSERT_TRUE(r.Open());
    ASSERT_TRUE(r.pty.Send({1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(PollUntil(r.d, [&] { return !r.packets.empty(); }));
    PollOnce(r.d);
    EXPECT_EQ(r.packets, (std::vector<Bytes>{{1, 2}}));
    EXPECT_FALSE(r.d.IsOpen());
}

// Packets larger than the terminal's own input queue (4095 bytes on Linux) arrive whole, in
// every packet mode, when the far end sends exactly one.
TEST(SerialPortDriverReceive, PacketsLargerThanTheTerminalQueueArriveWhole)
{
    struct Mode { const char* name; int32_t timeout; TPacketMode mode; };
    const Mode modes[] = {{"no time-out", -1, pmDiscard}, {"pass", 1000, pmPass}, {"discard", 1000, pmDiscard}};
    for (const int16_t size : {int16_t(4096), int16_t(6000)}) {
        for (const Mode& m : modes) {
            PacketRig r(size);
            r.d.SetPacketTimeout(m.timeout);
            r.d.SetPacketMode(m.mode);
            ASSERT_EQ(r.d.InBufSize(), uint32_t(size));
            ASSERT_TRUE(r.Open());
            Bytes sent(size_t(size), 0);
            for (size_t i = 0; i < sent.size(); ++i)
                sent[i] = uint8_t(i * 7 + i / 251);
            ASSERT_TRUE(r.pty.Send(sent));
            // Time runs on, 2 ms a poll: half a time-out in the polls a pty needs at most.
            auto tick = [&] { r.now += 2; return !r.packets.empty(); };
            EXPECT_TRUE(PollUntil(r.d, tick)) << size << " " << m.name;
            for (int i = 0; i < 600; ++i) // past the time-out: nothing else comes
                tick(), PollOnce(r.d);
            ASSERT_EQ(r.packets.size(), 1u) << size << " " << m.name;
            EXPECT_EQ(r.packets.front(), sent) << size << " " << m.name;
        }
    }
}
