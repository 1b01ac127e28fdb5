#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QEvent;
class QTimer;

namespace serial {

// Ordinal = COM port number; pnCustom means "the name in PortName".
enum TPortNumber : int {
    pnCustom,
    pnCOM1, pnCOM2, pnCOM3, pnCOM4, pnCOM5, pnCOM6, pnCOM7, pnCOM8,
    pnCOM9, pnCOM10, pnCOM11, pnCOM12, pnCOM13, pnCOM14, pnCOM15, pnCOM16
};

enum TBaudRate : int {
    brCustom, br110, br300, br600, br1200, br2400, br4800, br9600, br14400,
    br19200, br38400, br56000, br57600, br115200, br128000, br256000
};

// Bits per second of each TBaudRate; brCustom has no rate (0).
extern const uint32_t BaudRateTable[br256000 + 1];

// Data bits = 5 + ordinal.
enum TDataBits : int { db5BITS, db6BITS, db7BITS, db8BITS };
// The ordinal is the line's stop-bit code: one, one and a half, two.
enum TStopBits : int { sb1BITS, sb1HALFBITS, sb2BITS };
// The ordinal is the line's parity code.
enum TParity : int { ptNONE, ptODD, ptEVEN, ptMARK, ptSPACE };
enum THwFlowControl : int { hfNONE, hfNONERTSON, hfRTSCTS };
enum TSwFlowControl : int { sfNONE, sfXONXOFF };
// What happens to an incomplete packet whose PacketTimeout ran out.
enum TPacketMode : int { pmDiscard, pmPass };

class TSerialPortDriver;

// DataPtr / Packet point into the driver's receive buffer and are valid only during the call.
using TReceiveDataEvent =
    std::function<void(QObject* Sender, const uint8_t* DataPtr, uint32_t DataSize)>;
using TReceivePacketEvent =
    std::function<void(QObject* Sender, const uint8_t* Packet, uint32_t DataSize)>;

// A non-visual component that owns one serial port: opens it by name with its line settings,
// queue sizes and time-outs, polls it with a timer and hands received data or fixed-size
// packets to the event handlers. Everything runs on the thread of its owner.
class TSerialPortDriver : public QObject {
    Q_OBJECT

public:
    static constexpr uint32_t MinBufSize = 128;
    static constexpr uint32_t MaxBufSize = 8192;
    static constexpr uint16_t MinPollingDelay = 5;
    // Number of the polling timer on the notify window.
    static constexpr int PollTimerId = 1;

    explicit TSerialPortDriver(QObject* AOwner = nullptr);
    ~TSerialPortDriver() override;

    TSerialPortDriver(const TSerialPortDriver&) = delete;
    TSerialPortDriver& operator=(const TSerialPortDriver&) = delete;

    // --- published properties, in their published order ---

    TPortNumber Port() const { return FPort; }
    // Ignored while open; pnCOM1..pnCOM16 also set PortName to "\\.\COM<n>".
    void SetPort(TPortNumber v);

    const std::string& PortName() const { return FPortName; }
    // Ignored while open; sets Port to pnCustom.
    void SetPortName(const std::string& v);

    TBaudRate BaudRate() const { return FBaudRate; }
    // Any value but brCustom also sets BaudRateValue from BaudRateTable. Re-applies if open.
    void SetBaudRate(TBaudRate v);

    uint32_t BaudRateValue() const { return FBaudRateValue; }
    // Sets BaudRate to brCustom. Re-applies if open.
    void SetBaudRateValue(uint32_t v);

    TDataBits DataBits() const { return FDataBits; }
    void SetDataBits(TDataBits v);      // re-applies if open

    TStopBits StopBits() const { return FStopBits; }
    void SetStopBits(TStopBits v);      // re-applies if open

    TParity Parity() const { return FParity; }
    void SetParity(TParity v);          // re-applies if open

    THwFlowControl HwFlow() const { return FHwFlow; }
    void SetHwFlow(THwFlowControl v);   // re-applies if open

    TSwFlowControl SwFlow() const { return FSwFlow; }
    void SetSwFlow(TSwFlowControl v);   // re-applies if open

    uint32_t InBufSize() const { return FInBufSize; }
    // Ignored while open; limited to MinBufSize..MaxBufSize; reallocates the receive buffer
    // (zero-filled) and then applies PacketSize again, which may enlarge it once more.
    void SetInBufSize(uint32_t v);

    uint32_t OutBufSize() const { return FOutBufSize; }
    // Ignored while open; limited to MinBufSize..MaxBufSize.
    void SetOutBufSize(uint32_t v);

    int16_t PacketSize() const { return FPacketSize; }
    // 0 or less stores -1 (no packets). A larger size grows InBufSize to it; the stored size
    // never exceeds InBufSize, so it is limited to MaxBufSize, and while open to InBufSize.
    void SetPacketSize(int16_t v);

    int32_t PacketTimeout() const { return FPacketTimeout; }
    // Milliseconds; 0 or less stores -1 (no time-out); a value below PollingDelay becomes
    // PollingDelay * 1.4 (integer arithmetic).
    void SetPacketTimeout(int32_t v);

    TPacketMode PacketMode() const { return FPacketMode; }
    void SetPacketMode(TPacketMode v) { FPacketMode = v; }

    uint16_t PollingDelay() const { return FPollingDelay; }
    // Milliseconds, at least MinPollingDelay; restarts a running poll timer with the new period
    // and applies PacketTimeout again.
    void SetPollingDelay(uint16_t v);

    bool EnableDTROnOpen() const { return FEnableDTROnOpen; }
    void SetEnableDTROnOpen(bool v) { FEnableDTROnOpen = v; }

    uint16_t OutputTimeout() const { return FOutputTimeout; }
    void SetOutputTimeout(uint16_t v) { FOutputTimeout = v; }

    uint32_t InputTimeout() const { return FInputTimeout; }
    void SetInputTimeout(uint32_t v) { FInputTimeout = v; }

    bool CheckLineStatus() const { return FCheckLineStatus; }
    void SetCheckLineStatus(bool v) { FCheckLineStatus = v; }

    TReceiveDataEvent OnReceiveData;
    TReceivePacketEvent OnReceivePacket;

    // --- operations ---

    // Opens PortName exclusively, applies the line settings, purges, sets the queue sizes and
    // the 1 ms read time-outs, and starts polling. True when open (also if it already was).
    bool OpenPort();
    // Stops polling and closes the port; nothing when closed.
    void ClosePort();
    bool IsOpen() const;

    // Applies the line settings to the open port, purges both directions and sets the queue
    // sizes. False when closed or when any of these is refused.
    bool ApplyLineSettings();

    // Drops unsent output and/or unread input; forgets a pending packet. False when closed.
    bool PurgeBuffers(bool input, bool output);

    // The notify window's procedure: a timer message of the poll timer polls the open port,
    // every other message goes to the default handling. Returns what the handling returned.
    bool PollTimerProc(QEvent* message);

    // While above 0, timer messages do nothing; 0 at creation.
    int32_t PollingPauseCount = 0;

    // --- inspection ---

    bool PollTimerActive() const;
    // Period of the running poll timer in ms (meaningful while PollTimerActive()).
    int PollTimerInterval() const;
    // Tick at which the pending incomplete packet began; -1 when none is pending.
    int64_t PacketStartTime() const { return FPacketStartTime; }
    // Milliseconds a whole packet occupies the line at ten line bits per byte.
    uint32_t PacketTransferTime() const;

private:
    class TNotifyWindow;

    void ReapplyIfOpen();
    void AllocateReceiveBuffer();
    void Poll();
    void ReceiveUnpacketed(uint32_t waiting);
    void ReceivePackets(uint32_t waiting);
    void ReceiveRemainder(uint32_t waiting);
    // Reads up to count bytes into the receive buffer; the number read, 0 on failure.
    uint32_t ReadIntoBuffer(uint32_t count);
    void StartPollTimer();
    void StopPollTimer();

    TPortNumber FPort = pnCOM2;
    std::string FPortName;
    TBaudRate FBaudRate = br9600;
    uint32_t FBaudRateValue = 9600;
    TDataBits FDataBits = db8BITS;
    TStopBits FStopBits = sb1BITS;
    TParity FParity = ptNONE;
    THwFlowControl FHwFlow = hfNONERTSON;
    TSwFlowControl FSwFlow = sfNONE;
    uint32_t FInBufSize = 2048;
    uint32_t FOutBufSize = 2048;
    int16_t FPacketSize = -1;
    int32_t FPacketTimeout = -1;
    TPacketMode FPacketMode = pmDiscard;
    uint16_t FPollingDelay = 50;
    bool FEnableDTROnOpen = true;
    uint16_t FOutputTimeout = 500;
    uint32_t FInputTimeout = 200;
    bool FCheckLineStatus = false;

    std::intptr_t FHandle;             // platform port handle; invalid while closed
    std::vector<uint8_t> ReceiveBuffer;
    // A 32-bit tick or -1: wider than the tick so that no tick value collides with "none".
    int64_t FPacketStartTime = -1;
    std::unique_ptr<TNotifyWindow> NotifyWindow;
    QTimer* PollTimer = nullptr;       // timer 1 of NotifyWindow
};

} // namespace serial
