#include "core/DeviceLink.h"

#include "core/PortState.h"
#include "platform/PortFailure.h"
#include "platform/SerialPort.h"
#include "platform/TickCount.h"

namespace {

constexpr unsigned BitsPerByte = 8;
constexpr std::uint32_t LowByteMask = 0xFF;
constexpr unsigned HalfBits = 16;
constexpr std::uint32_t HalfMask = 0xFFFF;

bool IsRegister(unsigned reg) { return reg < RegisterCount; }

} // namespace

void WaitMilliseconds(std::uint32_t ms)
{
    // The difference of two readings never exceeds the counter's largest value, so a wait that
    // long could never end.
    if (ms == UINT32_MAX)
        ms = UINT32_MAX - 1;
    const std::uint32_t start = platform::GetTickCount();
    // The first reading that ends the wait; until then sleep towards it, a millisecond at most.
    const std::uint32_t end = start + ms + 1;
    while (static_cast<std::uint32_t>(platform::GetTickCount() - start) <= ms)
        platform::SleepTowardsTick(end);
}

// The port's connection closes a port whose device has gone; the exchange only fails.
static void NoteFailure(const platform::SerialResult& result)
{
    if (platform::MeansDeviceGone(result))
        PortDeviceGone = true;
}

bool SendByte(std::uint8_t b)
{
    const auto written = platform::WriteByteWithinTimeouts(PortHandle, b);
    NoteFailure(written.result);
    return written.Ok();
}

bool ReceiveByte(std::uint8_t& b, std::uint32_t& count)
{
    const auto read = platform::ReadByteWithinTimeouts(PortHandle, b);
    count = static_cast<std::uint32_t>(read.value);
    NoteFailure(read.result);
    return read.Ok();
}

std::uint32_t ReceiveByteTimed(std::uint8_t& b, std::uint32_t& count, std::uint32_t limitMs)
{
    const std::uint32_t start = platform::GetTickCount();
    for (;;) {
        const bool portWorks = ReceiveByte(b, count);
        const std::uint32_t elapsed = platform::GetTickCount() - start;
        if (count != 0 || elapsed > limitMs)
            return elapsed;
        // A failing port answers at once; without a pause this loop would spin a core. Nothing
        // can arrive on it, so the pause may run up to the tick that ends the wait.
        if (!portWorks)
            platform::SleepTowardsTick(start + limitMs + 1);
    }
}

std::uint16_t ReadWord(std::uint8_t reg, bool& ok)
{
    ok = false;
    if (!IsRegister(reg))
        return 0;
    std::uint8_t low = 0;
    std::uint8_t high = 0;
    std::uint32_t count = 0;
    SendByte(reg);
    ReceiveByteTimed(low, count, ReplyTimeLimit);
    if (count != 1)
        return 0;
    WaitMilliseconds(ByteGap);
    SendByte(HighByteRequest);
    ReceiveByteTimed(high, count, ReplyTimeLimit);
    if (count != 1)
        return 0;
    ok = true;
    return static_cast<std::uint16_t>((high << BitsPerByte) | low);
}

void WriteWord(std::uint8_t reg, std::uint16_t value, bool& ok)
{
    ok = false;
    if (!IsRegister(reg))
        return;
    const std::uint8_t first = static_cast<std::uint8_t>(reg + WriteFlag);
    const std::uint8_t high = static_cast<std::uint8_t>(value >> BitsPerByte);
    const std::uint8_t low = static_cast<std::uint8_t>(value & LowByteMask);
    const std::uint8_t check = first ^ high ^ low;
    // The high byte travels before the low byte (a read returns them the other way round).
    SendByte(first);
    WaitMilliseconds(ByteGap);
    SendByte(high);
    WaitMilliseconds(ByteGap);
    SendByte(low);
    WaitMilliseconds(ByteGap);
    SendByte(check);
    std::uint8_t reply = 0;
    std::uint32_t count = 0;
    ReceiveByteTimed(reply, count, ReplyTimeLimit);
    ok = count == 1 && reply == WriteAck;
}

void WriteLongWord(std::uint8_t reg, std::uint32_t value, bool& ok)
{
    ok = false;
    if (!IsRegister(reg))
        return;
    WriteWord(reg, static_cast<std::uint16_t>(value & HalfMask), ok);
    if (!ok)
        return;
    WaitMilliseconds(ByteGap);
    // For register 127 the high half lands on 128, which WriteWord refuses: the write fails
    // with the low half already written.
    WriteWord(static_cast<std::uint8_t>(reg + 1), static_cast<std::uint16_t>(value >> HalfBits), ok);
}

std::uint32_t ReadLongWord(std::uint8_t reg, bool& ok)
{
    ok = false;
    const std::uint16_t low = ReadWord(reg, ok);
    if (!ok)
        return 0;
    WaitMilliseconds(ByteGap);
    // reg is below 128 here, so reg + 1 fits a byte; 128 itself is refused by ReadWord.
    const std::uint16_t high = ReadWord(static_cast<std::uint8_t>(reg + 1), ok);
    if (!ok)
        return 0;
    return (static_cast<std::uint32_t>(high) << HalfBits) | low;
}
