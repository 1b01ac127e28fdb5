#include "support_link.h"

#include "core/PortOpening.h"
#include "core/PortState.h"
#include "platform/PortNames.h"
#include "platform/TickCount.h"

#include <algorithm>
#include <limits>

bool OpenApplicationPort(const std::string& path)
{
    platform::SetComPortPath(1, path);
    PortDeviceName = "Com1";
    if (!core::OpenPortHandle())
        return false;
    return core::ApplyStartupLineSettings().Ok();
}

void CloseApplicationPort()
{
    platform::ClosePort(PortHandle);
    PortHandle = platform::InvalidPortHandle;
    platform::SetComPortPath(1, "");
}

LineRecorder::LineRecorder()
{
    platform::SetLineMonitor([this](platform::PortHandle, platform::LineDirection direction,
                                    std::span<const std::uint8_t> bytes) {
        const std::uint64_t now = platform::MonotonicMicroseconds();
        for (std::uint8_t b : bytes)
            events_.push_back({now, direction, b});
    });
}

LineRecorder::~LineRecorder()
{
    platform::SetLineMonitor({});
}

std::vector<std::uint8_t> LineRecorder::Bytes(platform::LineDirection direction) const
{
    std::vector<std::uint8_t> bytes;
    for (const Event& e : events_)
        if (e.direction == direction)
            bytes.push_back(e.byte);
    return bytes;
}

std::uint64_t LineRecorder::ShortestPauseBeforeSending() const
{
    std::uint64_t shortest = std::numeric_limits<std::uint64_t>::max();
    for (std::size_t i = 1; i < events_.size(); ++i)
        if (events_[i].direction == platform::LineDirection::Sent)
            shortest = std::min(shortest, events_[i].microseconds - events_[i - 1].microseconds);
    return shortest;
}
