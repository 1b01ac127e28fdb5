#include "core/PortOpening.h"

#include "core/PortChoice.h"
#include "core/PortState.h"
#include "platform/SerialPort.h"

namespace core {

namespace {

constexpr std::uint32_t QueueBytes = 20;
constexpr std::uint32_t LineBaudRate = 9600;
constexpr std::uint32_t LineFlags = platform::DcbBinary; // the flag word's first flag alone
constexpr std::uint8_t LineByteSize = 8;

} // namespace

std::string PortDevicePath(std::string_view name)
{
    return ResolvePortPath(name.empty() ? DefaultPortName : name);
}

platform::SerialResult OpenPortHandle()
{
    return OpenPortHandleAt(PortDevicePath(PortDeviceName));
}

platform::SerialResult OpenPortHandleAt(const std::string& path)
{
    PortConfig.Size = platform::CommConfigBytes;
    platform::FillDefaultPortConfig(path, PortConfig);
    const platform::Outcome<platform::PortHandle> opened = platform::OpenPortExclusive(path);
    PortHandle = opened ? opened.value : platform::InvalidPortHandle;
    if (opened) PortIsOpen = true;
    return opened.result;
}

platform::SerialResult ApplyStartupLineSettings()
{
    platform::SetQueueSizes(PortHandle, QueueBytes, QueueBytes);
    const platform::Outcome<platform::Dcb> current = platform::GetLineSettings(PortHandle);
    if (current) PortConfig.dcb = current.value;
    PortConfig.dcb.BaudRate = LineBaudRate;
    PortConfig.dcb.Flags = LineFlags;
    PortConfig.dcb.ByteSize = LineByteSize;
    PortConfig.dcb.Parity = platform::ParityNone;
    PortConfig.dcb.StopBits = platform::StopBitsOne;
    PortConfig.dcb.EofChar = 0;
    return platform::SetLineSettings(PortHandle, PortConfig.dcb);
}

} // namespace core
