#include "platform/TermiosTranslation.h"

#include "platform/LineQuirks.h"

#include <cerrno>

namespace platform {

namespace {

constexpr std::uint8_t SmallestByteSize = 5;
constexpr std::uint8_t LargestByteSize = 8;

tcflag_t SizeBits(std::uint8_t byteSize)
{
    switch (byteSize) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
    }
}

std::uint8_t ByteSizeOf(tcflag_t cflag)
{
    switch (cflag & CSIZE) {
    case CS5: return 5;
    case CS6: return 6;
    case CS7: return 7;
    default: return 8;
    }
}

template <class T>
void Clear(T& field, T bits) { field &= ~bits; }

} // namespace

void MakeRawLine(termios& tio)
{
    Clear<tcflag_t>(tio.c_iflag, IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | INPCK);
    Clear<tcflag_t>(tio.c_oflag, OPOST);
    Clear<tcflag_t>(tio.c_lflag, ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    Clear<tcflag_t>(tio.c_cflag, CSIZE | PARENB | PARODD | CRTSCTS);
#if defined(CMSPAR)
    Clear<tcflag_t>(tio.c_cflag, CMSPAR);
#endif
    // Without CLOCAL a missing carrier would block or hang up the line; the device has none.
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    // The time-outs live above the driver (poll), so the driver returns at once.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
}

int TranslateDcbToTermios(const Dcb& dcb, termios& tio, bool& customSpeed)
{
    customSpeed = false;
    if (dcb.BaudRate == 0)
        return EINVAL;
    if (dcb.ByteSize < SmallestByteSize || dcb.ByteSize > LargestByteSize)
        return EINVAL;
    if (dcb.Parity > ParitySpace || dcb.StopBits > StopBitsTwo)
        return EINVAL;
    // A UART sends 1.5 stop bits only with 5 data bits, when asked for two.
    if (dcb.StopBits == StopBitsOneAndHalf && dcb.ByteSize != SmallestByteSize)
        return EINVAL;
    const bool xonXoff = dcb.Flag(DcbOutX) || dcb.Flag(DcbInX);
    if (xonXoff && dcb.XonChar == dcb.XoffChar)
        return EINVAL;

    MakeRawLine(tio);
    if (!quirks::SetStandardSpeed(tio, dcb.BaudRate)) {
        customSpeed = true;
        quirks::SetStandardSpeed(tio, 38400); // placeholder until the custom rate is set
    }

    Clear<tcflag_t>(tio.c_cflag, CSIZE);
    tio.c_cflag |= SizeBits(dcb.ByteSize);

    switch (dcb.Parity) {
    case ParityNone: break;
    case ParityOdd: tio.c_cflag |= PARENB | PARODD; break;
    case ParityEven: tio.c_cflag |= PARENB; break;
    case ParityMark:
    case ParitySpace:
        if (!quirks::SetStickParity(tio, dcb.Parity == ParityMark))
            return EINVAL;
        break;
    }
    if (dcb.Parity != ParityNone && dcb.Flag(DcbParityCheck))
        tio.c_iflag |= INPCK;

    if (dcb.StopBits == StopBitsOne)
        Clear<tcflag_t>(tio.c_cflag, CSTOPB);
    else
        tio.c_cflag |= CSTOPB;

    // Linux couples the two directions of hardware flow control in one flag.
    if (dcb.Flag(DcbOutxCtsFlow) || dcb.RtsControl() == RtsControlHandshake)
        tio.c_cflag |= CRTSCTS;
    if (dcb.Flag(DcbOutX))
        tio.c_iflag |= IXON;
    if (dcb.Flag(DcbInX))
        tio.c_iflag |= IXOFF;
    tio.c_cc[VSTART] = static_cast<cc_t>(dcb.XonChar);
    tio.c_cc[VSTOP] = static_cast<cc_t>(dcb.XoffChar);
    return 0;
}

Dcb TranslateTermiosToDcb(const termios& tio, std::uint32_t rate, const Dcb& kept)
{
    Dcb dcb = kept;
    dcb.DCBlength = DcbLengthBytes;
    dcb.BaudRate = rate;
    dcb.ByteSize = ByteSizeOf(tio.c_cflag);
    if (const int stick = quirks::StickParity(tio); stick >= 0)
        dcb.Parity = stick ? ParityMark : ParitySpace;
    else if (tio.c_cflag & PARENB)
        dcb.Parity = (tio.c_cflag & PARODD) ? ParityOdd : ParityEven;
    else
        dcb.Parity = ParityNone;
    if (tio.c_cflag & CSTOPB)
        dcb.StopBits = dcb.ByteSize == SmallestByteSize && kept.StopBits == StopBitsOneAndHalf ? StopBitsOneAndHalf : StopBitsTwo;
    else
        dcb.StopBits = StopBitsOne;

    dcb.SetFlag(DcbBinary, true);
    dcb.SetFlag(DcbParityCheck, (tio.c_iflag & INPCK) != 0);
    const bool hardwareFlow = (tio.c_cflag & CRTSCTS) != 0;
    dcb.SetFlag(DcbOutxCtsFlow, hardwareFlow);
    if (hardwareFlow)
        dcb.SetRtsControl(RtsControlHandshake);
    else if (dcb.RtsControl() == RtsControlHandshake)
        dcb.SetRtsControl(RtsControlEnable);
    dcb.SetFlag(DcbOutX, (tio.c_iflag & IXON) != 0);
    dcb.SetFlag(DcbInX, (tio.c_iflag & IXOFF) != 0);
    dcb.XonChar = static_cast<char>(tio.c_cc[VSTART]);
    dcb.XoffChar = static_cast<char>(tio.c_cc[VSTOP]);
    return dcb;
}

} // namespace platform
