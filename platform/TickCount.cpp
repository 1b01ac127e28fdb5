#include "platform/TickCount.h"

#include <cerrno>
#include <ctime>

namespace platform {

namespace {

TickSource& ReplacedSource()
{
    static TickSource source;
    return source;
}

constexpr std::uint64_t NanosecondsPerMicrosecond = 1000;
constexpr std::uint64_t MicrosecondsPerMillisecond = 1000;
constexpr std::uint64_t NanosecondsPerSecond = 1000000000;

} // namespace

std::uint64_t MonotonicMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (static_cast<std::uint64_t>(now.tv_sec) * NanosecondsPerSecond + static_cast<std::uint64_t>(now.tv_nsec))
        / NanosecondsPerMicrosecond;
}

std::uint32_t GetTickCount()
{
    if (const TickSource& source = ReplacedSource())
        return source();
    // Truncation to 32 bits is the wrap.
    return static_cast<std::uint32_t>(MonotonicMicroseconds() / MicrosecondsPerMillisecond);
}

void SetTickSource(TickSource source)
{
    ReplacedSource() = std::move(source);
}

void SleepOneSlice()
{
    // One slice at most: a signal merely ends the slice early, the caller reads the clock again.
    timespec slice{0, static_cast<long>(std::chrono::nanoseconds(BusyWaitSlice).count())};
    nanosleep(&slice, nullptr);
}

} // namespace platform
