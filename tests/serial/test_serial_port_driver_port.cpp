// Opening and closing a real pseudo-terminal: exclusive use, refused settings, purge.
#include "support_driver.h"

#include <gtest/gtest.h>

#include <termios.h>

using namespace serial;

TEST(SerialPortDriverPort, FailedOpenReturnsFalse)
{
    TSerialPortDriver d;
    d.SetPortName("/nonexistent/duoclave-port");
    EXPECT_FALSE(d.OpenPort());
    EXPECT_FALSE(d.IsOpen());
    EXPECT_FALSE(d.PollTimerActive());
    EXPECT_FALSE(d.ApplyLineSettings());
    EXPECT_FALSE(d.PurgeBuffers(true, true));
}

TEST(SerialPortDriverPort, PortInUseCannotBeOpenedTwice)
{
    TestPty pty;
    ASSERT_TRUE(pty.Ok());
    TSerialPortDriver first, second;
    first.SetPortName(pty.PeerPath());
    second.SetPortName(pty.PeerPath());
    ASSERT_TRUE(first.OpenPort());
    EXPECT_FALSE(second.OpenPort());
    first.ClosePort();
    EXPECT_FALSE(first.IsOpen());
    EXPECT_TRUE(second.OpenPort());
}

TEST(SerialPortDriverPort, OpenOnOpenPortDoesNotReopen)
{
    PacketRig r(8);
    ASSERT_TRUE(r.Open());
    ASSERT_TRUE(r.pty.Send({1, 2, 3}));
    ASSERT_TRUE(PollUntil(r.d, [&] { return r.d.PacketStartTime() != -1; }));
    // A reopen would purge the waiting bytes and forget the pending packet.
    EXPECT_TRUE(r.d.OpenPort());
    EXPECT_EQ(r.d.PacketStartTime(), r.now);
    ASSERT_TRUE(r.pty.Send({4, 5, 6, 7, 8}));
    ASSERT_TRUE(PollUntil(r.d, [&] { return !r.packets.empty(); }));
    EXPECT_EQ(r.packets.front(), (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(SerialPortDriverPort, PurgeDropsWaitingInputAndPendingPacket)
{
    PacketRig r(8);
    ASSERT_TRUE(r.Open());
    ASSERT_TRUE(r.pty.Send({9, 9, 9}));
    ASSERT_TRUE(PollUntil(r.d, [&] { return r.d.PacketStartTime() != -1; }));
    EXPECT_TRUE(r.d.PurgeBuffers(true, false));
    EXPECT_EQ(r.d.PacketStartTime(), -1);
    ASSERT_TRUE(r.pty.Send({1, 2, 3, 4, 5, 6, 7, 8}));
    ASSERT_TRUE(PollUntil(r.d, [&] { return !r.packets.empty(); }));
    EXPECT_EQ(r.packets.front(), (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(SerialPortDriverPort, RefusedLineSettingsCloseThePortAgain)
{
    TestPty pty;
    ASSERT_TRUE(pty.Ok());
    struct Row { uint32_t rate; TDataBits bits; TStopBits stop; };
    const Row refused[] = {{0, db8BITS, sb1BITS}, {9600, db8BITS, sb1HALFBITS}};
    for (const Row& r : refused) {
        TSerialPortDriver d;
        d.SetPortName(pty.PeerPath());
        d.SetBaudRateValue(r.rate);
        d.SetDataBits(r.bits);
        d.SetStopBits(r.stop);
        EXPECT_FALSE(d.OpenPort());
        EXPECT_FALSE(d.IsOpen());
        EXPECT_FALSE(d.PollTimerActive());
    }
    // The failed attempts left the port free.
    TSerialPortDriver good;
    good.SetPortName(pty.PeerPath());
    EXPECT_TRUE(good.OpenPort());
    // A setter on an open port cannot refuse: the port stays open with its old settings.
    good.SetBaudRateValue(0);
    EXPECT_TRUE(good.IsOpen());
    termios t{};
    ASSERT_TRUE(pty.Settings(&t));
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B9600));
}

TEST(SerialPortDriverPort, DestructionReleasesThePort)
{
    TestPty pty;
    ASSERT_TRUE(pty.Ok());
    {
        auto* owner = new QObject;
        auto* d = new TSerialPortDriver(owner);
        d->SetPortName(pty.PeerPath());
        ASSERT_TRUE(d->OpenPort());
        delete owner;  // the owner destroys its components
    }
    TSerialPortDriver again;
    again.SetPortName(pty.PeerPath());
    EXPECT_TRUE(again.OpenPort());
}
