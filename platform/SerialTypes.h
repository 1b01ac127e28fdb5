#pragma once
// The serial line's records, laid out as the platform's own (a 28-byte device control block inside
// a 52-byte communications configuration), so that code written against those records reads the
// same here. The operations on them are in platform/SerialPort.h.

#include <cstdint>

namespace platform {

// A port opened by OpenPortExclusive. Handles are never reused within a process, so a stale
// handle can't reach another port.
using PortHandle = std::intptr_t;
// Every operation on it fails at once; closing it has no effect.
inline constexpr PortHandle InvalidPortHandle = -1;

// Flag word of Dcb::Flags, bit by bit.
inline constexpr std::uint32_t DcbBinary = 1u << 0;            // always on: there is no text mode
inline constexpr std::uint32_t DcbParityCheck = 1u << 1;       // check parity of received bytes
inline constexpr std::uint32_t DcbOutxCtsFlow = 1u << 2;       // send only while CTS is up
inline constexpr std::uint32_t DcbOutxDsrFlow = 1u << 3;       // accepted, not available on POSIX
inline constexpr unsigned DcbDtrControlShift = 4;              // two bits: DtrControl*
inline constexpr std::uint32_t DcbDsrSensitivity = 1u << 6;    // accepted, not available on POSIX
inline constexpr std::uint32_t DcbTxContinueOnXoff = 1u << 7;
inline constexpr std::uint32_t DcbOutX = 1u << 8;              // XON/XOFF on output
inline constexpr std::uint32_t DcbInX = 1u << 9;               // XON/XOFF on input
inline constexpr std::uint32_t DcbErrorChar = 1u << 10;
inline constexpr std::uint32_t DcbNull = 1u << 11;
inline constexpr unsigned DcbRtsControlShift = 12;             // two bits: RtsControl*
inline constexpr std::uint32_t DcbAbortOnError = 1u << 14;
inline constexpr std::uint32_t DcbControlMask = 3u;

inline constexpr std::uint32_t DtrControlDisable = 0;
inline constexpr std::uint32_t DtrControlEnable = 1;
inline constexpr std::uint32_t DtrControlHandshake = 2;        // not available on POSIX: DTR is raised

inline constexpr std::uint32_t RtsControlDisable = 0;
inline constexpr std::uint32_t RtsControlEnable = 1;
inline constexpr std::uint32_t RtsControlHandshake = 2;        // hardware flow control (CRTSCTS)
inline constexpr std::uint32_t RtsControlToggle = 3;           // not available on POSIX: RTS is raised

inline constexpr std::uint8_t ParityNone = 0;
inline constexpr std::uint8_t ParityOdd = 1;
inline constexpr std::uint8_t ParityEven = 2;
inline constexpr std::uint8_t ParityMark = 3;
inline constexpr std::uint8_t ParitySpace = 4;

inline constexpr std::uint8_t StopBitsOne = 0;
inline constexpr std::uint8_t StopBitsOneAndHalf = 1;          // only with 5 data bits
inline constexpr std::uint8_t StopBitsTwo = 2;

inline constexpr std::uint32_t DcbLengthBytes = 28;
inline constexpr std::uint32_t CommConfigBytes = 52;
inline constexpr std::uint16_t CommConfigVersion = 1;
inline constexpr std::uint32_t ProviderSubTypeRs232 = 1;

inline constexpr char DefaultXonChar = 17;
inline constexpr char DefaultXoffChar = 19;

// Device control block: the line settings of a port.
struct Dcb {
    std::uint32_t DCBlength = DcbLengthBytes;
    std::uint32_t BaudRate = 0;          // bits per second, any positive value
    std::uint32_t Flags = 0;             // Dcb* bits above
    std::uint16_t Reserved = 0;
    std::uint16_t XonLim = 0;            // bytes; kept, the POSIX line discipline has its own limits
    std::uint16_t XoffLim = 0;
    std::uint8_t ByteSize = 0;           // 5..8
    std::uint8_t Parity = 0;             // Parity*
    std::uint8_t StopBits = 0;           // StopBits*
    char XonChar = 0;
    char XoffChar = 0;
    char ErrorChar = 0;
    char EofChar = 0;
    char EvtChar = 0;
    std::uint16_t Reserved1 = 0;

    bool Flag(std::uint32_t bit) const { return (Flags & bit) != 0; }
    void SetFlag(std::uint32_t bit, bool on) { Flags = on ? (Flags | bit) : (Flags & ~bit); }
    std::uint32_t DtrControl() const { return (Flags >> DcbDtrControlShift) & DcbControlMask; }
    void SetDtrControl(std::uint32_t mode) { SetField(DcbDtrControlShift, mode); }
    std::uint32_t RtsControl() const { return (Flags >> DcbRtsControlShift) & DcbControlMask; }
    void SetRtsControl(std::uint32_t mode) { SetField(DcbRtsControlShift, mode); }

private:
    void SetField(unsigned shift, std::uint32_t mode)
    {
        Flags = (Flags & ~(DcbControlMask << shift)) | ((mode & DcbControlMask) << shift);
    }
};
static_assert(sizeof(Dcb) == DcbLengthBytes);

// Communications configuration of a port: its default line settings.
struct CommConfig {
    std::uint32_t Size = CommConfigBytes; // must be at least CommConfigBytes when filled
    std::uint16_t Version = 0;
    std::uint16_t Reserved = 0;
    Dcb dcb;
    std::uint32_t ProviderSubType = 0;
    std::uint32_t ProviderOffset = 0;
    std::uint32_t ProviderSize = 0;
    std::uint16_t ProviderData[2] = {0, 0};
};
static_assert(sizeof(CommConfig) == CommConfigBytes);

// Read and write time-outs in milliseconds (see ReadWithinTimeouts / WriteWithinTimeouts).
inline constexpr std::uint32_t TimeoutMaximum = 0xFFFFFFFFu;
struct CommTimeouts {
    std::uint32_t ReadIntervalTimeout = 0;
    std::uint32_t ReadTotalTimeoutMultiplier = 0;
    std::uint32_t ReadTotalTimeoutConstant = 0;
    std::uint32_t WriteTotalTimeoutMultiplier = 0;
    std::uint32_t WriteTotalTimeoutConstant = 0;
    bool operator==(const CommTimeouts&) const = default;
};
// What a freshly opened port uses: a read returns after about a millisecond with whatever has
// arrived, possibly nothing.
inline constexpr CommTimeouts PromptReadTimeouts{1, 0, 1, 0, 0};

// Purge flags; the abort flags have nothing to abort, since no operation runs in the background.
inline constexpr std::uint32_t PurgeTxAbort = 0x1;
inline constexpr std::uint32_t PurgeRxAbort = 0x2;
inline constexpr std::uint32_t PurgeTxClear = 0x4;
inline constexpr std::uint32_t PurgeRxClear = 0x8;

// Line errors reported (and cleared) by ClearErrorsAndCountWaiting.
inline constexpr std::uint32_t CommErrorRxOver = 0x1;
inline constexpr std::uint32_t CommErrorOverrun = 0x2;
inline constexpr std::uint32_t CommErrorRxParity = 0x4;
inline constexpr std::uint32_t CommErrorFrame = 0x8;
inline constexpr std::uint32_t CommErrorBreak = 0x10;

struct PortStatus {
    std::uint32_t Errors = 0;       // CommError* bits seen since the last call
    std::uint32_t InQueue = 0;      // bytes received and not yet read
    std::uint32_t OutQueue = 0;     // bytes written and not yet sent
};

struct QueueSizes {
    std::uint32_t In = 0;
    std::uint32_t Out = 0;
};

} // namespace platform
