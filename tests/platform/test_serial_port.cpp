#include "support_pty.h"

#include "platform/SerialPort.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace platform;

namespace {

PortHandle OpenOrFail(const std::string& path)
{
    auto opened = OpenPortExclusive(path);
    EXPECT_TRUE(opened) << opened.result.Message();
    return opened.value;
}

struct ClosesPort {
    PortHandle handle;
    ~ClosesPort() { ClosePort(handle); }
};

} // namespace

TEST(SerialPortOpen, NonexistentPathFailsCleanly)
{
    auto opened = OpenPortExclusive("/dev/duoclave-no-such-port");
    EXPECT_FALSE(opened);
    EXPECT_EQ(opened.value, InvalidPortHandle);
    EXPECT_EQ(opened.result.error, ENOENT);
    EXPECT_NE(opened.result.Message().find("open"), std::string::npos);
}

TEST(SerialPortOpen, AFileThatIsNoTerminalIsRefused)
{
    auto opened = OpenPortExclusive("/dev/null");
    EXPECT_FALSE(opened);
    EXPECT_EQ(opened.value, InvalidPortHandle);
    EXPECT_EQ(opened.result.error, ENOTTY);
}

TEST(SerialPortOpen, SecondOpenOfAnOpenPortFailsAndAClosedPortOpensAgain)
{
    PtyPair pty;
    const PortHandle first = OpenOrFail(pty.SlavePath());
    auto second = OpenPortExclusive(pty.SlavePath());
    EXPECT_FALSE(second);
    EXPECT_EQ(second.value, InvalidPortHandle);
    EXPECT_EQ(second.result.error, EBUSY);

    // The refused open must not have loosened the first one's hold.
    EXPECT_FALSE(OpenPortExclusive(pty.SlavePath()));
    EXPECT_TRUE(ClosePort(first));
    const PortHandle again = OpenOrFail(pty.SlavePath());
    EXPECT_NE(again, first);
    EXPECT_TRUE(ClosePort(again));
}

// Another program holds the port with TIOCEXCL and no advisory lock. Root gets past TIOCEXCL,
// so the open itself succeeds there; the port is in use all the same, and the other program's
// claim stays as it was.
TEST(SerialPortOpen, APortClaimedWithTiocexclAloneIsInUse)
{
    PtyPair pty;
    const int other = ::open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(other, 0);
    ASSERT_EQ(ioctl(other, TIOCEXCL), 0);
    auto refused = OpenPortExclusive(pty.SlavePath());
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.value, InvalidPortHandle);
    EXPECT_EQ(refused.result.error, EBUSY);
    int held = 0;
    ASSERT_EQ(ioctl(other, TIOCGEXCL, &held), 0);
    EXPECT_EQ(held, 1) << "the refused open released the other program's claim";

    // Released by its holder, the port opens; closing releases only our own claim.
    ASSERT_EQ(ioctl(other, TIOCNXCL), 0);
    const PortHandle port = OpenOrFail(pty.SlavePath());
    ASSERT_EQ(ioctl(other, TIOCGEXCL, &held), 0);
    EXPECT_EQ(held, 1);
    EXPECT_TRUE(ClosePort(port));
    ASSERT_EQ(ioctl(other, TIOCGEXCL, &held), 0);
    EXPECT_EQ(held, 0);
    ::close(other);
}

TEST(SerialPortOpen, ClosingTwiceOrClosingTheInvalidHandleHasNoEffect)
{
    PtyPair pty;
    const PortHandle port = OpenOrFail(pty.SlavePath());
    EXPECT_TRUE(IsOpenPort(port));
    EXPECT_TRUE(ClosePort(port));
    EXPECT_FALSE(IsOpenPort(port));
    EXPECT_EQ(ClosePort(port).error, EBADF);
    EXPECT_EQ(ClosePort(InvalidPortHandle).error, EBADF);
    // A stale handle reaches nothing, not even a port opened since.
    const PortHandle other = OpenOrFail(pty.SlavePath());
    EXPECT_EQ(ClosePort(port).error, EBADF);
    EXPECT_TRUE(IsOpenPort(other));
    ClosePort(other);
}

TEST(SerialPortOpen, EveryOperationOnTheInvalidHandleFails)
{
    std::uint8_t byte = 0;
    EXPECT_EQ(ReadByteWithinTimeouts(InvalidPortHandle, byte).result.error, EBADF);
    EXPECT_EQ(ReadByteWithinTimeouts(InvalidPortHandle, byte).value, 0u);
    EXPECT_EQ(WriteByteWithinTimeouts(InvalidPortHandle, 0x55).result.error, EBADF);
    EXPECT_EQ(GetLineSettings(InvalidPortHandle).result.error, EBADF);
    EXPECT_EQ(SetLineSettings(InvalidPortHandle, Dcb{}).error, EBADF);
    EXPECT_EQ(SetQueueSizes(InvalidPortHandle, 20, 20).error, EBADF);
    EXPECT_EQ(SetTimeouts(InvalidPortHandle, PromptReadTimeouts).error, EBADF);
    EXPECT_EQ(PurgePort(InvalidPortHandle, PurgeRxClear).error, EBADF);
    EXPECT_EQ(ClearErrorsAndCountWaiting(InvalidPortHandle).result.error, EBADF);
}

TEST(SerialPortData, BytesTravelBothWaysUnchanged)
{
    PtyPair pty;
    const PortHandle port = OpenOrFail(pty.SlavePath());
    ClosesPort closer{port};
    // Bytes that a cooked terminal would translate, swallow or act on.
    std::vector<std::uint8_t> bytes{0x00, 0x03, 0x0A, 0x0D, 0x11, 0x13, 0x1A, 0x7F, 0x80, 0xFF};
    auto written = WriteWithinTimeouts(port, bytes);
    ASSERT_TRUE(written) << written.result.Message();
    EXPECT_EQ(written.value, bytes.size());
    EXPECT_EQ(pty.ReadAtFarEnd(), bytes);

    pty.WriteFromFarEnd(bytes);
    std::vector<std::uint8_t> received;
    SetTimeouts(port, {0, 0, 500, 0, 0});
    while (received.size() < bytes.size()) {
        std::uint8_t chunk[16];
        auto read = ReadWithinTimeouts(port, chunk);
        ASSERT_TRUE(read) << read.result.Message();
        ASSERT_GT(read.value, 0u);
        received.insert(received.end(), chunk, chunk + read.value);
    }
    EXPECT_EQ(received, bytes);
}

TEST(SerialPortData, APromptReadWithNothingWaitingReturnsNoByte)
{
    PtyPair pty;
    const PortHandle port = OpenOrFail(pty.SlavePath());
    ClosesPort closer{port};
    EXPECT_EQ(GetTimeouts(port).value, PromptReadTimeouts);
    std::uint8_t byte = 0xAA;
    auto read = ReadByteWithinTimeouts(port, byte);
    EXPECT_TRUE(read);
    EXPECT_EQ(read.value, 0u);
    EXPECT_EQ(byte, 0xAA);

    pty.WriteFromFarEnd({0x42});
    std::size_t count = 0;
    while (count == 0) {
        auto next = ReadByteWithinTimeouts(port, byte);
        ASSERT_TRUE(next);
        count = next.value;
    }
    EXPECT_EQ(byte, 0x42);
}

TEST(SerialPortData, PurgeAndWaitingCount)
{
    PtyPair pty;
    const PortHandle port = OpenOrFail(pty.SlavePath());
    ClosesPort closer{port};
    pty.WriteFromFarEnd({1, 2, 3});
    std::uint32_t waiting = 0;
    while (waiting < 3) {
        auto status = ClearErrorsAndCountWaiting(port);
        ASSERT_TRUE(status) << status.result.Message();
        EXPECT_EQ(status.value.Errors, 0u);
        waiting = status.value.InQueue;
    }
    EXPECT_EQ(waiting, 3u);
    EXPECT_TRUE(PurgePort(port, PurgeRxAbort | PurgeRxClear | PurgeTxAbort | PurgeTxClear));
    EXPECT_EQ(ClearErrorsAndCountWaiting(port).value.InQueue, 0u);
    EXPECT_EQ(PurgePort(port, 0x10).error, EINVAL);
}

// Blocks larger than the terminal's own input queue (4095 bytes on Linux) are counted and read
// whole, up to the input queue size set; a purge empties it.
TEST(SerialPortData, BlocksUpToTheInputQueueSizeWaitWhole)
{
    for (const std::uint32_t size : {4096u, 6000u, 8192u}) {
        PtyPair pty;
        const PortHandle port = OpenOrFail(pty.SlavePath());
        ClosesPort closer{port};
        ASSERT_TRUE(SetQueueSizes(port, size, size));
        std::vector<std::uint8_t> sent(size);
        for (std::size_t i = 0; i < sent.size(); ++i)
            sent[i] = static_cast<std::uint8_t>(i * 13 + i / 256);
        pty.WriteFromFarEnd(sent);
        std::uint32_t waiting = 0;
        // The pty hands the rest over as the queue drains; a bounded wait for it.
        for (int i = 0; i < 2000 && waiting < size; ++i) {
            auto status = ClearErrorsAndCountWaiting(port);
            ASSERT_TRUE(status) << status.result.Message();
            waiting = status.value.InQueue;
            if (waiting < size)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_EQ(waiting, size);
        std::vector<std::uint8_t> got(size);
        auto read = ReadWithinTimeouts(port, got);
        ASSERT_TRUE(read) << read.result.Message();
        EXPECT_EQ(read.value, size);
        EXPECT_EQ(got, sent);
        EXPECT_EQ(ClearErrorsAndCountWaiting(port).value.InQueue, 0u);

        pty.WriteFromFarEnd(sent);
        for (int i = 0; i < 2000 && ClearErrorsAndCountWaiting(port).value.InQueue < size; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_TRUE(PurgePort(port, PurgeRxClear));
        EXPECT_EQ(ClearErrorsAndCountWaiting(port).value.InQueue, 0u);
    }
}

TEST(SerialPortData, BytesLeftFromAnEarlierOpenAreGoneAfterReopening)
{
    PtyPair pty;
    PortHandle port = OpenOrFail(pty.SlavePath());
    ClosePort(port);
    pty.WriteFromFarEnd({9, 9});
    port = OpenOrFail(pty.SlavePath());
    ClosesPort closer{port};
    EXPECT_EQ(ClearErrorsAndCountWaiting(port).value.InQueue, 0u);
}

TEST(SerialPortSettings, QueueSizesAndTimeoutsAreKept)
{
    PtyPair pty;
    const PortHandle port = OpenOrFail(pty.SlavePath());
    ClosesPort closer{port};
    EXPECT_TRUE(SetQueueSizes(port, 20, 20));
    EXPECT_EQ(GetQueueSizes(port).value.In, 20u);
    EXPECT_EQ(GetQueueSizes(port).value.Out, 20u);
    EXPECT_EQ(SetQueueSizes(port, 0, 20).error, EINVAL);
    const CommTimeouts timeouts{1, 0, 1, 0, 10};
    EXPECT_TRUE(SetTimeouts(port, timeouts));
    EXPECT_EQ(GetTimeouts(port).value, timeouts);
}

struct LineCase {
    const char* name;
    std::uint32_t baud;
    std::uint8_t byteSize, parity, stopBits;
    std::uint32_t flags;
};

class SerialPortLineSettings : public ::testing::TestWithParam<LineCase> {};

TEST_P(SerialPortLineSettings, WhatIsSetIsWhatIsRead)
{
    const LineCase& c = GetParam();
    PtyPair pty;
    const PortHandle port = OpenOrFail(pty.SlavePath());
    ClosesPort closer{port};
    Dcb dcb;
    dcb.BaudRate = c.baud;
    dcb.ByteSize = c.byteSize;
    dcb.Parity = c.parity;
    dcb.StopBits = c.stopBits;
    dcb.Flags = c.flags;
    dcb.XonChar = DefaultXonChar;
    dcb.XoffChar = DefaultXoffChar;
    dcb.XonLim = 512;
    dcb.XoffLim = 512;
    auto applied = SetLineSettings(port, dcb);
    ASSERT_TRUE(applied) << applied.Message();
    auto read = GetLineSettings(port);
    ASSERT_TRUE(read);
    EXPECT_EQ(read.value.BaudRate, c.baud);
    EXPECT_EQ(read.value.ByteSize, c.byteSize);
    EXPECT_EQ(read.value.Parity, c.parity);
    EXPECT_EQ(read.value.StopBits, c.stopBits);
    EXPECT_EQ(read.value.Flags, c.flags | DcbBinary);
    EXPECT_EQ(read.value.XonLim, 512);
    EXPECT_EQ(read.value.DCBlength, DcbLengthBytes);
}

const std::uint32_t DtrRts = (DtrControlEnable << DcbDtrControlShift) | (RtsControlEnable << DcbRtsControlShift);
const std::uint32_t Handshake = DcbOutxCtsFlow | (RtsControlHandshake << DcbRtsControlShift);

INSTANTIATE_TEST_SUITE_P(Lines, SerialPortLineSettings, ::testing::Values(
    LineCase{"Device9600_8N1_FlagWordOne", 9600, 8, ParityNone, StopBitsOne, DcbBinary},
    LineCase{"Default_DtrRtsRaised", 9600, 8, ParityNone, StopBitsOne, DcbBinary | DtrRts},
    LineCase{"Seven_Even_Two", 19200, 7, ParityEven, StopBitsTwo, DcbBinary | DcbParityCheck},
    LineCase{"Five_Odd_OneAndHalf", 1200, 5, ParityOdd, StopBitsOneAndHalf, DcbBinary},
    LineCase{"Mark", 4800, 8, ParityMark, StopBitsOne, DcbBinary},
    LineCase{"Space", 4800, 8, ParitySpace, StopBitsOne, DcbBinary},
    LineCase{"RtsCts", 115200, 8, ParityNone, StopBitsOne, DcbBinary | Handshake},
    LineCase{"XonXoff", 38400, 8, ParityNone, StopBitsOne, DcbBinary | DcbOutX | DcbInX}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SerialPortSettings, ValuesTheLineCannotTakeAreRefusedAndChangeNothing)
{
    PtyPair pty;
    const PortHandle port = OpenOrFail(pty.SlavePath());
    ClosesPort closer{port};
    Dcb good;
    good.BaudRate = 9600;
    good.ByteSize = 8;
    good.Flags = DcbBinary;
    ASSERT_TRUE(SetLineSettings(port, good));

    auto refused = [&](auto change) {
        Dcb bad = good;
        change(bad);
        return SetLineSettings(port, bad).error == EINVAL;
    };
    EXPECT_TRUE(refused([](Dcb& d) { d.BaudRate = 0; }));
    EXPECT_TRUE(refused([](Dcb& d) { d.ByteSize = 4; }));
    EXPECT_TRUE(refused([](Dcb& d) { d.ByteSize = 9; }));
    EXPECT_TRUE(refused([](Dcb& d) { d.Parity = 5; }));
    EXPECT_TRUE(refused([](Dcb& d) { d.StopBits = 3; }));
    EXPECT_TRUE(refused([](Dcb& d) { d.StopBits = StopBitsOneAndHalf; }));
    EXPECT_TRUE(refused([](Dcb& d) { d.SetFlag(DcbOutX, true); d.XonChar = d.XoffChar = 17; }));
    auto after = GetLineSettings(port).value;
    EXPECT_EQ(after.BaudRate, 9600u);
    EXPECT_EQ(after.ByteSize, 8);
}

TEST(SerialPortConfig, DefaultConfigurationOfAPort)
{
    PtyPair pty;
    CommConfig config;
    config.Size = CommConfigBytes;
    ASSERT_TRUE(FillDefaultPortConfig(pty.SlavePath(), config));
    EXPECT_EQ(config.Size, CommConfigBytes);
    EXPECT_EQ(config.dcb.DCBlength, DcbLengthBytes);
    EXPECT_EQ(config.dcb.BaudRate, 9600u);
    EXPECT_EQ(config.dcb.ByteSize, 8);
    EXPECT_EQ(config.dcb.Parity, ParityNone);
    EXPECT_EQ(config.dcb.StopBits, StopBitsOne);
    EXPECT_TRUE(config.dcb.Flag(DcbBinary));
    EXPECT_EQ(config.dcb.DtrControl(), DtrControlEnable);
    EXPECT_EQ(config.dcb.RtsControl(), RtsControlEnable);
    EXPECT_FALSE(config.dcb.Flag(DcbOutX) || config.dcb.Flag(DcbInX) || config.dcb.Flag(DcbOutxCtsFlow));

    CommConfig small;
    small.Size = CommConfigBytes - 1;
    small.dcb.BaudRate = 1234;
    EXPECT_EQ(FillDefaultPortConfig(pty.SlavePath(), small).error, EINVAL);
    EXPECT_EQ(small.dcb.BaudRate, 1234u);
    EXPECT_EQ(FillDefaultPortConfig("/dev/duoclave-no-such-port", config).error, ENOENT);
}

TEST(SerialPortMonitor, SeesBytesInBothDirections)
{
    PtyPair pty;
    const PortHandle port = OpenOrFail(pty.SlavePath());
    ClosesPort closer{port};
    std::vector<std::pair<LineDirection, std::uint8_t>> seen;
    SetLineMonitor([&](PortHandle h, LineDirection d, std::span<const std::uint8_t> bytes) {
        EXPECT_EQ(h, port);
        for (auto b : bytes)
            seen.emplace_back(d, b);
    });
    WriteByteWithinTimeouts(port, 0x67);
    pty.ReadAtFarEnd();
    pty.WriteFromFarEnd({0x34});
    std::uint8_t byte = 0;
    SetTimeouts(port, {0, 0, 500, 0, 0});
    ReadByteWithinTimeouts(port, byte);
    SetLineMonitor({});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], std::make_pair(LineDirection::Sent, std::uint8_t{0x67}));
    EXPECT_EQ(seen[1], std::make_pair(LineDirection::Received, std::uint8_t{0x34}));
}

TEST(SerialPortData, AVanishedFarEndMakesReadsFailAtOnce)
{
    auto pty = std::make_unique<PtyPair>();
    const PortHandle port = OpenOrFail(pty->SlavePath());
    ClosesPort closer{port};
    pty.reset();
    SetTimeouts(port, {0, 0, 60000, 0, 0});
    std::uint8_t byte = 0;
    auto read = ReadByteWithinTimeouts(port, byte); // must not sit out the minute
    EXPECT_FALSE(read);
    EXPECT_EQ(read.value, 0u);
}
