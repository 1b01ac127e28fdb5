// Published properties of the driver: defaults, normalising setters, and the rules that
// depend on whether the port is open.
#include "serial/SerialPortDriver.h"
#include "support_linespeed.h"
#include "support_pty.h"

#include <gtest/gtest.h>

#include <termios.h>

using namespace serial;

TEST(SerialPortDriverProperties, DefaultsAfterCreation)
{
    TSerialPortDriver d;
    EXPECT_EQ(d.Port(), pnCOM2);
    EXPECT_EQ(d.PortName(), "\\\\.\\COM2");
    EXPECT_EQ(d.BaudRate(), br9600);
    EXPECT_EQ(d.BaudRateValue(), 9600u);
    EXPECT_EQ(d.DataBits(), db8BITS);
    EXPECT_EQ(d.StopBits(), sb1BITS);
    EXPECT_EQ(d.Parity(), ptNONE);
    EXPECT_EQ(d.HwFlow(), hfNONERTSON);
    EXPECT_EQ(d.SwFlow(), sfNONE);
    EXPECT_EQ(d.InBufSize(), 2048u);
    EXPECT_EQ(d.OutBufSize(), 2048u);
    EXPECT_EQ(d.PacketSize(), -1);
    EXPECT_EQ(d.PacketTimeout(), -1);
    EXPECT_EQ(d.PacketMode(), pmDiscard);
    EXPECT_EQ(d.PollingDelay(), 50);
    EXPECT_TRUE(d.EnableDTROnOpen());
    EXPECT_EQ(d.OutputTimeout(), 500);
    EXPECT_EQ(d.InputTimeout(), 200u);
    EXPECT_FALSE(d.CheckLineStatus());
    EXPECT_FALSE(d.OnReceiveData);
    EXPECT_FALSE(d.OnReceivePacket);
    EXPECT_FALSE(d.IsOpen());
    EXPECT_FALSE(d.PollTimerActive());
    EXPECT_EQ(d.PollingPauseCount, 0);
    EXPECT_EQ(d.PacketStartTime(), -1);
}

TEST(SerialPortDriverProperties, OrdinalsAndRateTable)
{
    EXPECT_EQ(pnCOM1, 1);
    EXPECT_EQ(pnCOM16, 16);
    EXPECT_EQ(br256000, 15);
    EXPECT_EQ(db8BITS, 3);
    EXPECT_EQ(sb2BITS, 2);
    EXPECT_EQ(ptSPACE, 4);
    EXPECT_EQ(hfRTSCTS, 2);
    EXPECT_EQ(sfXONXOFF, 1);
    EXPECT_EQ(pmPass, 1);
    const uint32_t rates[] = {0,     110,   300,   600,    1200,   2400,   4800,   9600,
                              14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
    for (int i = br110; i <= br256000; ++i) {
        TSerialPortDriver d;
        d.SetBaudRate(static_cast<TBaudRate>(i));
        EXPECT_EQ(BaudRateTable[i], rates[i]);
        EXPECT_EQ(d.BaudRateValue(), rates[i]) << "ordinal " << i;
        EXPECT_EQ(d.BaudRate(), i);
    }
}

TEST(SerialPortDriverProperties, BaudRateAndValueFollowEachOther)
{
    TSerialPortDriver d;
    d.SetBaudRateValue(31250);
    EXPECT_EQ(d.BaudRate(), brCustom);
    EXPECT_EQ(d.BaudRateValue(), 31250u);
    d.SetBaudRate(br19200);
    EXPECT_EQ(d.BaudRateValue(), 19200u);
    d.SetBaudRate(brCustom);  // no table rate: the value stays
    EXPECT_EQ(d.BaudRateValue(), 19200u);
}

TEST(SerialPortDriverProperties, BufferSizesAreLimited)
{
    struct Row { uint32_t in, out; };
    const Row rows[] = {{0, 128}, {100, 128}, {127, 128}, {128, 128}, {3000, 3000},
                        {8192, 8192}, {8193, 8192}, {10000, 8192}};
    for (const Row& r : rows) {
        TSerialPortDriver d;
        d.SetInBufSize(r.in);
        d.SetOutBufSize(r.in);
        EXPECT_EQ(d.InBufSize(), r.out) << r.in;
        EXPECT_EQ(d.OutBufSize(), r.out) << r.in;
    }
}

TEST(SerialPortDriverProperties, PacketSizeAndBufferStayConsistent)
{
    TSerialPortDriver d;
    for (int16_t none : {0, -1, -300}) {
        d.SetPacketSize(none);
        EXPECT_EQ(d.PacketSize(), -1);
    }
    d.SetPacketSize(100);
    EXPECT_EQ(d.PacketSize(), 100);
    EXPECT_EQ(d.InBufSize(), 2048u);
    d.SetPacketSize(4000);  // larger than the buffer: the buffer grows
    EXPECT_EQ(d.InBufSize(), 4000u);
    d.SetInBufSize(200);    // smaller than the packet: the packet wins
    EXPECT_EQ(d.InBufSize(), 4000u);
    EXPECT_EQ(d.PacketSize(), 4000);
    d.SetPacketSize(10000); // beyond the largest buffer: cut to it
    EXPECT_EQ(d.InBufSize(), 8192u);
    EXPECT_EQ(d.PacketSize(), 8192);
    d.SetPacketSize(INT16_MAX);
    EXPECT_EQ(d.PacketSize(), 8192);
}

TEST(SerialPortDriverProperties, PacketTimeoutAgainstPollingDelay)
{
    struct Row { uint16_t delay; int32_t set, want; };
    const Row rows[] = {{50, 20, 70}, {50, 200, 200}, {50, 50, 50}, {50, 49, 70},
                        {50, 0, -1}, {50, -7, -1}, {5, 1, 7}, {33, 10, 46}};
    for (const Row& r : rows) {
        TSerialPortDriver d;
        d.SetPollingDelay(r.delay);
        d.SetPacketTimeout(r.set);
        EXPECT_EQ(d.PacketTimeout(), r.want) << r.delay << "/" << r.set;
    }
}

TEST(SerialPortDriverProperties, PollingDelayHasAFloorAndReappliesPacketTimeout)
{
    TSerialPortDriver d;
    d.SetPollingDelay(2);
    EXPECT_EQ(d.PollingDelay(), 5);
    d.SetPollingDelay(0);
    EXPECT_EQ(d.PollingDelay(), 5);
    d.SetPollingDelay(50);
    d.SetPacketTimeout(60);
    d.SetPollingDelay(100);  // 60 is now below one period
    EXPECT_EQ(d.PacketTimeout(), 140);
}

TEST(SerialPortDriverProperties, PortSetsDriverStyleName)
{
    TSerialPortDriver d;
    d.SetPort(pnCOM1);
    EXPECT_EQ(d.PortName(), "\\\\.\\COM1");
    d.SetPort(pnCOM16);
    EXPECT_EQ(d.PortName(), "\\\\.\\COM16");
    d.SetPort(pnCustom);
    EXPECT_EQ(d.Port(), pnCustom);
    EXPECT_EQ(d.PortName(), "\\\\.\\COM16");
    d.SetPort(pnCOM3);
    d.SetPortName("/dev/ttyUSB0");
    EXPECT_EQ(d.Port(), pnCustom);
    EXPECT_EQ(d.PortName(), "/dev/ttyUSB0");
}

// The main window's instance receives its stored settings in this order.
TEST(SerialPortDriverProperties, MainWindowStoredSettings)
{
    TSerialPortDriver d;
    d.SetPort(pnCustom);
    d.SetPortName("\\\\.\\COM1");
    d.SetHwFlow(hfNONE);
    d.SetEnableDTROnOpen(false);
    d.SetInputTimeout(100);
    EXPECT_EQ(d.Port(), pnCustom);
    EXPECT_EQ(d.PortName(), "\\\\.\\COM1");
    EXPECT_EQ(d.HwFlow(), hfNONE);
    EXPECT_FALSE(d.EnableDTROnOpen());
    EXPECT_EQ(d.InputTimeout(), 100u);
    EXPECT_EQ(d.BaudRate(), br9600);
}

TEST(SerialPortDriverProperties, NameAndBuffersFixedWhileOpen)
{
    TestPty pty;
    ASSERT_TRUE(pty.Ok());
    TSerialPortDriver d;
    d.SetPortName(pty.PeerPath());
    ASSERT_TRUE(d.OpenPort());
    d.SetPortName("/dev/null");
    d.SetPort(pnCOM4);
    d.SetInBufSize(4096);
    d.SetOutBufSize(4096);
    d.SetPacketSize(3000);  // the buffer cannot grow now: the packet is cut to it
    EXPECT_EQ(d.PortName(), pty.PeerPath());
    EXPECT_EQ(d.Port(), pnCustom);
    EXPECT_EQ(d.InBufSize(), 2048u);
    EXPECT_EQ(d.OutBufSize(), 2048u);
    EXPECT_EQ(d.PacketSize(), 2048);
    d.ClosePort();
    d.SetPortName("/dev/null");
    d.SetInBufSize(4096);
    EXPECT_EQ(d.PortName(), "/dev/null");
    EXPECT_EQ(d.InBufSize(), 4096u);
}

TEST(SerialPortDriverProperties, PollingDelayWhileOpenRestartsTimer)
{
    TestPty pty;
    ASSERT_TRUE(pty.Ok());
    TSerialPortDriver d;
    d.SetPortName(pty.PeerPath());
    d.SetPollingDelay(2);
    EXPECT_FALSE(d.PollTimerActive());
    d.SetPollingDelay(40);
    ASSERT_TRUE(d.OpenPort());
    EXPECT_TRUE(d.PollTimerActive());
    EXPECT_EQ(d.PollTimerInterval(), 40);
    d.SetPollingDelay(120);
    EXPECT_TRUE(d.PollTimerActive());
    EXPECT_EQ(d.PollTimerInterval(), 120);
    d.ClosePort();
    EXPECT_FALSE(d.PollTimerActive());
}

TEST(SerialPortDriverProperties, LineSettingsReachTheLine)
{
    TestPty pty;
    ASSERT_TRUE(pty.Ok());
    TSerialPortDriver d;
    d.SetPortName(pty.PeerPath());
    d.SetHwFlow(hfNONE);
    ASSERT_TRUE(d.OpenPort());
    termios t{};
    ASSERT_TRUE(pty.Settings(&t));
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_FALSE(t.c_cflag & PARENB);
    EXPECT_FALSE(t.c_cflag & CSTOPB);
    EXPECT_FALSE(t.c_cflag & CRTSCTS);
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B9600));

    // Each setter re-applies at once on the open port. (A pty always keeps eight data bits
    // and no parity, so those two cannot be seen here.)
    d.SetStopBits(sb2BITS);
    d.SetHwFlow(hfRTSCTS);
    d.SetSwFlow(sfXONXOFF);
    d.SetBaudRate(br19200);
    ASSERT_TRUE(pty.Settings(&t));
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_TRUE(t.c_cflag & CRTSCTS);
    EXPECT_TRUE(t.c_iflag & IXON);
    EXPECT_TRUE(t.c_iflag & IXOFF);
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B19200));
}

// Linux keeps separate input and output speeds: every rate the driver applies sets both, also
// after a custom rate, and a later open at a standard rate leaves none of the old one behind.
TEST(SerialPortDriverProperties, BothSpeedsFollowEveryRateChange)
{
    TestPty pty;
    ASSERT_TRUE(pty.Ok());
    TSerialPortDriver d;
    d.SetPortName(pty.PeerPath());
    d.SetBaudRate(br128000); // no termios constant: a custom rate
    ASSERT_TRUE(d.OpenPort());
    EXPECT_EQ(ReadLineSpeeds(pty.MasterFd()), (LineSpeeds{128000, 128000}));
    d.SetBaudRate(br9600);
    EXPECT_EQ(ReadLineSpeeds(pty.MasterFd()), (LineSpeeds{9600, 9600}));
    d.SetBaudRateValue(31250);
    EXPECT_EQ(ReadLineSpeeds(pty.MasterFd()), (LineSpeeds{31250, 31250}));
    d.ClosePort();

    TSerialPortDriver again; // 9600, on the line the custom rate was left on
    again.SetPortName(pty.PeerPath());
    ASSERT_TRUE(again.OpenPort());
    EXPECT_EQ(ReadLineSpeeds(pty.MasterFd()), (LineSpeeds{9600, 9600}));
}
