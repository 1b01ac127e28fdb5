#include "core/PortMessages.h"

namespace core {

using platform::PortFailure;

const char* PortFailureAdvice(PortFailure failure)
{
    switch (failure) {
    case PortFailure::NotFound:
        return "device not found. Plug it in, or choose another.";
    case PortFailure::NoPermission:
        return "no permission. The group dialout grants it: "
               "sudo adduser $USER dialout, log in again.";
    case PortFailure::InUse:
        return "in use by another program. Close it, then choose the port again.";
    case PortFailure::NotSerial:
        return "not a serial device. Choose the adapter's port.";
    case PortFailure::DeviceGone:
        return "device lost. Plug it in again; reading resumes by itself.";
    case PortFailure::None:
    case PortFailure::Other:
        break;
    }
    return "";
}

std::string PortStatusText(PortFailure failure, const platform::SerialResult& result)
{
    if (failure == PortFailure::None)
        return StatusOkText;
    const std::string advice = PortFailureAdvice(failure);
    const std::string detail = advice.empty() ? result.Message() : advice;
    return detail.empty() ? std::string(StatusErrorText) : std::string(StatusErrorText) + ": " + detail;
}

} // namespace core
