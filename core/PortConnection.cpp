#include "core/PortConnection.h"

#include "core/PortMessages.h"
#include "core/PortOpening.h"
#include "core/PortState.h"
#include "platform/PortPresence.h"
#include "platform/SerialDevices.h"
#include "platform/SerialPort.h"
#include "platform/TickCount.h"

#include <cerrno>

namespace core {

using platform::PortFailure;

bool PortConnection::OpenHandle(const std::string& path)
{
    result_ = OpenPortHandleAt(path);
    lastAttempt_ = platform::GetTickCount();
    PortDeviceGone = false;
    open_ = result_.Ok();
    failure_ = platform::ClassifyOpenFailure(result_);
    return open_;
}

void PortConnection::CloseHandle()
{
    if (open_)
        platform::ClosePort(PortHandle);
    PortHandle = platform::InvalidPortHandle;
    open_ = false;
}

bool PortConnection::Open(const std::string& path)
{
    path_ = path;
    const bool opened = OpenHandle(path_);
    const std::string stable = opened ? platform::StableDeviceName(path_) : std::string();
    reopenPath_ = stable.empty() ? path_ : stable;
    // Absent now may mean not plugged in yet: it counts as a device to wait for.
    waiting_ = failure_ == PortFailure::NotFound;
    waitingReason_ = failure_;
    return opened;
}

void PortConnection::Close()
{
    CloseHandle();
    waiting_ = false;
}

bool PortConnection::Watch()
{
    if (open_) {
        const platform::SerialResult check = PortDeviceGone ? platform::SerialResult::Failure("read", EIO)
                                                            : platform::CheckPortPresent(PortHandle);
        if (platform::MeansDeviceGone(check)) {
            CloseHandle();
            PortDeviceGone = false;
            failure_ = PortFailure::DeviceGone;
            result_ = check;
            waiting_ = true;
            waitingReason_ = PortFailure::DeviceGone;
            // The device has just gone; the first try comes an interval later.
            lastAttempt_ = platform::GetTickCount();
            return true;
        }
    }
    if (!waiting_ || platform::GetTickCount() - lastAttempt_ < ReconnectIntervalMs - ReconnectSlackMs)
        return false;

    const std::string before = StatusText();
    if (OpenHandle(reopenPath_)) {
        waiting_ = false;
        if (lineSetup_)
            lineSetup_();
        return true;
    }
    // Still absent: the status keeps saying what it said (lost, or not found); another reason
    // (a program that grabbed the port first, permissions not yet set) is worth showing.
    if (failure_ == PortFailure::NotFound)
        failure_ = waitingReason_;
    return StatusText() != before;
}

std::string PortConnection::StatusText() const
{
    return PortStatusText(open_ ? PortFailure::None : failure_, result_);
}

} // namespace core
