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

void SleepTowardsTick(std::uint32_t tick)
{
    if (ReplacedSource()) {
        SleepOneSlice();
        return;
    }
    constexpr std::uint64_t LongestSleepUs = MicrosecondsPerMillisecond;
    const std::uint64_t nowUs = MonotonicMicroseconds();
    const std::uint32_t nowTick = static_cast<std::uint32_t>(nowUs / MicrosecondsPerMillisecond);
    // Ticks ahead of now, across a wrap; a tick already passed reads as far ahead, hence the cap.
    const std::uint32_t ticksAhead = tick - nowTick;
    if (ticksAhead == 0)
        return;
    const std::uint64_t untilTickUs = static_cast<std::uint64_t>(ticksAhead) * MicrosecondsPerMillisecond
        - nowUs % MicrosecondsPerMillisecond;
    const std::uint64_t sleepUs = untilTickUs < LongestSleepUs ? untilTickUs : LongestSleepUs;
    timespec pause{0, static_cast<long>(sleepUs * NanosecondsPerMicrosecond)};
    nanosleep(&pause, nullptr);
}

} // namespace platform
