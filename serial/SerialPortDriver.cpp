#include "serial/SerialPortDriver.h"

#include "platform/SerialPort.h"
#include "platform/TickCount.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <span>

namespace serial {

const uint32_t BaudRateTable[br256000 + 1] = {
    0,      110,    300,    600,    1200,   2400,   4800,   9600,
    14400,  19200,  38400,  56000,  57600,  115200, 128000, 256000,
};

namespace {

constexpr const char* DefaultPortName = "\\\\.\\COM2";
// Line bits per byte on the wire: start bit, eight data bits, stop bit.
constexpr double LineBitsPerByte = 10.0;
constexpr double MillisecondsPerSecond = 1000.0;
// PacketTimeout below one polling period grows to 140 % of it.
constexpr int32_t PacketTimeoutPercent = 140;
constexpr uint32_t XonXoffLimitDivisor = 4;

// Read time-outs that make a read return after about a millisecond with whatever has arrived.
constexpr uint32_t ReadIntervalTimeoutMs = 1;
constexpr uint32_t ReadTotalTimeoutMultiplier = 0;
constexpr uint32_t ReadTotalTimeoutConstantMs = 1;
constexpr uint32_t WriteTotalTimeoutMultiplier = 0;
constexpr uint32_t WriteTotalTimeoutConstantMs = 10;

// Signed distance between two ticks of the wrapping 32-bit counter: positive when `to` is later.
int32_t TickDiff(uint32_t from, uint32_t to) { return static_cast<int32_t>(to - from); }

} // namespace

// Stands for the hidden message window: every event it receives goes through PollTimerProc.
class TSerialPortDriver::TNotifyWindow : public QObject {
public:
    explicit TNotifyWindow(TSerialPortDriver* owner) : Owner(owner) {}
    bool DefaultProc(QEvent* e) { return QObject::event(e); }

protected:
    bool event(QEvent* e) override { return Owner->PollTimerProc(e); }

private:
    TSerialPortDriver* Owner;
};

TSerialPortDriver::TSerialPortDriver(QObject* AOwner)
    : QObject(AOwner), FPortName(DefaultPortName), FHandle(platform::InvalidPortHandle)
{
    AllocateReceiveBuffer();
    NotifyWindow = std::make_unique<TNotifyWindow>(this);
    PollTimer = new QTimer(NotifyWindow.get());
    PollTimer->setTimerType(Qt::PreciseTimer);
    // The timer's expiry becomes timer message 1 of the notify window.
    connect(PollTimer, &QTimer::timeout, NotifyWindow.get(), [this] {
        QTimerEvent message(PollTimerId);
        QCoreApplication::sendEvent(NotifyWindow.get(), &message);
    });
}

TSerialPortDriver::~TSerialPortDriver()
{
    ClosePort();
    NotifyWindow.reset();
}

// ---------------------------------------------------------------- properties

void TSerialPortDriver::SetPort(TPortNumber v)
{
    // The name of an open port cannot change under it.
    if (IsOpen())
        return;
    FPort = v;
    if (v >= pnCOM1 && v <= pnCOM16) {
        char name[16];
        std::snprintf(name, sizeof name, "\\\\.\\COM%d", static_cast<int>(v));
        FPortName = name;
    }
}

void TSerialPortDriver::SetPortName(const std::string& v)
{
    if (IsOpen())
        return;
    FPortName = v;
    FPort = pnCustom;
}

void TSerialPortDriver::SetBaudRate(TBaudRate v)
{
    FBaudRate = v;
    if (v != brCustom)
        FBaudRateValue = BaudRateTable[v];
    ReapplyIfOpen();
}

void TSerialPortDriver::SetBaudRateValue(uint32_t v)
{
    FBaudRateValue = v;
    FBaudRate = brCustom;
    ReapplyIfOpen();
}

void TSerialPortDriver::SetDataBits(TDataBits v)
{
    FDataBits = v;
    ReapplyIfOpen();
}

void TSerialPortDriver::SetStopBits(TStopBits v)
{
    FStopBits = v;
    ReapplyIfOpen();
}

void TSerialPortDriver::SetParity(TParity v)
{
    FParity = v;
    ReapplyIfOpen();
}

void TSerialPortDriver::SetHwFlow(THwFlowControl v)
{
    FHwFlow = v;
    ReapplyIfOpen();
}

void TSerialPortDriver::SetSwFlow(TSwFlowControl v)
{
    FSwFlow = v;
    ReapplyIfOpen();
}

void TSerialPortDriver::SetInBufSize(uint32_t v)
{
    // The receive buffer is in use while open.
    if (IsOpen())
        return;
    FInBufSize = std::clamp(v, MinBufSize, MaxBufSize);
    AllocateReceiveBuffer();
    SetPacketSize(FPacketSize);
}

void TSerialPortDriver::SetOutBufSize(uint32_t v)
{
    if (IsOpen())
        return;
    FOutBufSize = std::clamp(v, MinBufSize, MaxBufSize);
}

void TSerialPortDriver::SetPacketSize(int16_t v)
{
    if (v <= 0) {
        FPacketSize = -1;
        return;
    }
    // A whole packet is read into the receive buffer, so the packet must fit: the buffer grows
    // to the packet where it can; beyond MaxBufSize, or while the port is open and the buffer
    // cannot change, the packet size is cut to the buffer instead.
    if (static_cast<uint32_t>(v) > FInBufSize)
        SetInBufSize(static_cast<uint32_t>(v));
    FPacketSize = static_cast<int16_t>(std::min<uint32_t>(static_cast<uint32_t>(v), FInBufSize));
}

void TSerialPortDriver::SetPacketTimeout(int32_t v)
{
    if (v <= 0)
        FPacketTimeout = -1;
    else if (v < FPollingDelay)
        // A time-out shorter than a polling period would cut packets that are still arriving.
        FPacketTimeout = FPollingDelay + FPollingDelay * (PacketTimeoutPercent - 100) / 100;
    else
        FPacketTimeout = v;
}

void TSerialPortDriver::SetPollingDelay(uint16_t v)
{
    v = std::max(v, MinPollingDelay);
    if (v == FPollingDelay)
        return;
    if (IsOpen()) {
        StopPollTimer();
        FPollingDelay = v;
        StartPollTimer();
    } else {
        FPollingDelay = v;
    }
    SetPacketTimeout(FPacketTimeout);
}

// ---------------------------------------------------------------- port

bool TSerialPortDriver::IsOpen() const { return FHandle != platform::InvalidPortHandle; }

bool TSerialPortDriver::OpenPort()
{
    if (IsOpen())
        return true;
    const platform::Outcome<platform::PortHandle> opened = platform::OpenPortExclusive(FPortName);
    if (!opened)
        return false;
    FHandle = opened.value;
    if (!ApplyLineSettings()) {
        ClosePort();
        return false;
    }
    platform::CommTimeouts timeouts;
    timeouts.ReadIntervalTimeout = ReadIntervalTimeoutMs;
    timeouts.ReadTotalTimeoutMultiplier = ReadTotalTimeoutMultiplier;
    timeouts.ReadTotalTimeoutConstant = ReadTotalTimeoutConstantMs;
    timeouts.WriteTotalTimeoutMultiplier = WriteTotalTimeoutMultiplier;
    timeouts.WriteTotalTimeoutConstant = WriteTotalTimeoutConstantMs;
    platform::SetTimeouts(FHandle, timeouts);
    StartPollTimer();
    return true;
}

void TSerialPortDriver::ClosePort()
{
    if (!IsOpen())
        return;
    StopPollTimer();
    platform::ClosePort(FHandle);
    FHandle = platform::InvalidPortHandle;
}

bool TSerialPortDriver::ApplyLineSettings()
{
    if (!IsOpen())
        return false;
    platform::Dcb dcb;  // all zero but its length
    dcb.BaudRate = FBaudRateValue;
    dcb.SetFlag(platform::DcbBinary, true);
    if (FEnableDTROnOpen)
        dcb.SetDtrControl(platform::DtrControlEnable);
    switch (FHwFlow) {
    case hfNONE:
        break;
    case hfNONERTSON:
        dcb.SetRtsControl(platform::RtsControlEnable);
        break;
    case hfRTSCTS:
        dcb.SetFlag(platform::DcbOutxCtsFlow, true);
        dcb.SetRtsControl(platform::RtsControlHandshake);
        break;
    }
    if (FSwFlow == sfXONXOFF) {
        dcb.SetFlag(platform::DcbOutX, true);
        dcb.SetFlag(platform::DcbInX, true);
    }
    dcb.XonLim = static_cast<uint16_t>(FInBufSize / XonXoffLimitDivisor);
    dcb.XoffLim = static_cast<uint16_t>(FInBufSize / XonXoffLimitDivisor);
    dcb.ByteSize = static_cast<uint8_t>(5 + FDataBits);
    dcb.Parity = static_cast<uint8_t>(FParity);
    dcb.StopBits = static_cast<uint8_t>(FStopBits);
    dcb.XonChar = platform::DefaultXonChar;
    dcb.XoffChar = platform::DefaultXoffChar;
    if (!platform::SetLineSettings(FHandle, dcb))
        return false;
    if (!PurgeBuffers(true, true))
        return false;
    return platform::SetQueueSizes(FHandle, FInBufSize, FOutBufSize).Ok();
}

bool TSerialPortDriver::PurgeBuffers(bool input, bool output)
{
    if (!IsOpen())
        return false;
    uint32_t flags = 0;
    if (output)
        flags |= platform::PurgeTxAbort | platform::PurgeTxClear;
    if (input)
        flags |= platform::PurgeRxAbort | platform::PurgeRxClear;
    const bool ok = platform::PurgePort(FHandle, flags).Ok();
    if (ok)
        FPacketStartTime = -1;
    return ok;
}

void TSerialPortDriver::ReapplyIfOpen()
{
    // A setter has no way to report a refused setting; the next OpenPort would.
    if (IsOpen())
        ApplyLineSettings();
}

void TSerialPortDriver::AllocateReceiveBuffer()
{
    ReceiveBuffer.assign(FInBufSize, 0);
}

// ---------------------------------------------------------------- polling

void TSerialPortDriver::StartPollTimer() { PollTimer->start(FPollingDelay); }

void TSerialPortDriver::StopPollTimer() { PollTimer->stop(); }

bool TSerialPortDriver::PollTimerActive() const { return PollTimer->isActive(); }

int TSerialPortDriver::PollTimerInterval() const { return PollTimer->interval(); }

bool TSerialPortDriver::PollTimerProc(QEvent* message)
{
    const bool isPollTimer = message->type() == QEvent::Timer
        && static_cast<QTimerEvent*>(message)->timerId() == PollTimerId;
    if (!isPollTimer || !IsOpen())
        return NotifyWindow->DefaultProc(message);
    if (PollingPauseCount <= 0)
        Poll();
    return true;
}

void TSerialPortDriver::Poll()
{
    const platform::Outcome<platform::PortStatus> status =
        platform::ClearErrorsAndCountWaiting(FHandle);
    if (!status)
        return;
    const uint32_t waiting = status.value.InQueue;
    if (FPacketSize <= 0)
        ReceiveUnpacketed(waiting);
    else if (waiting >= static_cast<uint32_t>(FPacketSize))
        ReceivePackets(waiting);
    else
        ReceiveRemainder(waiting);
}

uint32_t TSerialPortDriver::ReadIntoBuffer(uint32_t count)
{
    count = std::min<uint32_t>(count, static_cast<uint32_t>(ReceiveBuffer.size()));
    const platform::Outcome<std::size_t> got =
        platform::ReadWithinTimeouts(FHandle, std::span<uint8_t>(ReceiveBuffer.data(), count));
    return got ? static_cast<uint32_t>(got.value) : 0;
}

void TSerialPortDriver::ReceiveUnpacketed(uint32_t waiting)
{
    if (waiting == 0)
        return;
    const uint32_t got = ReadIntoBuffer(waiting);
    if (got > 0 && OnReceiveData)
        OnReceiveData(this, ReceiveBuffer.data(), got);
}

uint32_t TSerialPortDriver::PacketTransferTime() const
{
    // The table has no rate for brCustom; BaudRateValue is the rate the line really runs at
    // (and equals the table's rate for every other BaudRate).
    const double rate = FBaudRateValue;
    if (FPacketSize <= 0 || rate / LineBitsPerByte <= 0.0)
        return 0;
    // Round half to even, the default rounding mode.
    return static_cast<uint32_t>(
        std::nearbyint(FPacketSize / (rate / LineBitsPerByte) * MillisecondsPerSecond));
}

void TSerialPortDriver::ReceivePackets(uint32_t waiting)
{
    const uint32_t size = static_cast<uint32_t>(FPacketSize);
    const uint32_t now = platform::GetTickCount();
    do {
        const uint32_t got = ReadIntoBuffer(size);
        if (got > 0 && OnReceivePacket)
            OnReceivePacket(this, ReceiveBuffer.data(), got);
        // The next packet began about one packet's transfer time after this one. Bytes that
        // arrive faster than the nominal rate (a pty, a USB adapter) must not push the start
        // past the present, or the time-out would see a huge age and cut the next packet.
        if (FPacketStartTime != -1) {
            const uint32_t next = static_cast<uint32_t>(FPacketStartTime) + PacketTransferTime();
            FPacketStartTime = TickDiff(next, now) < 0 ? now : next;
        }
        waiting -= size;
        if (waiting == 0)
            FPacketStartTime = -1;
        // A handler may have closed the port.
        if (!IsOpen())
            return;
    } while (waiting >= size);
    // Whole packets found with none pending carry no start time; the bytes left over began
    // within the last polling period, so they count from now and their time-out is not early.
    if (waiting > 0 && FPacketStartTime == -1)
        FPacketStartTime = now;
}

void TSerialPortDriver::ReceiveRemainder(uint32_t waiting)
{
    const uint32_t now = platform::GetTickCount();
    if (FPacketTimeout > 0 && FPacketStartTime != -1
        && now - static_cast<uint32_t>(FPacketStartTime) > static_cast<uint32_t>(FPacketTimeout)) {
        const uint32_t got = waiting > 0 ? ReadIntoBuffer(waiting) : 0;
        if (FPacketMode == pmPass && got > 0 && OnReceivePacket)
            OnReceivePacket(this, ReceiveBuffer.data(), got);
        FPacketStartTime = -1;
        return;
    }
    if (waiting > 0 && FPacketStartTime == -1)
        FPacketStartTime = now;
}

} // namespace serial
