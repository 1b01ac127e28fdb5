#pragma once
// The millisecond tick counter of busy waits and reply limits, and the pause that keeps those
// waits from spinning a core.

#include <chrono>
#include <cstdint>
#include <functional>

namespace platform {

// Milliseconds from the monotonic clock, unsigned 32-bit: wraps after about 49.7 days, so
// elapsed times must be taken as unsigned differences (now - start).
std::uint32_t GetTickCount();

// Replaces the clock behind GetTickCount (tests: a counter near the wrap, a stepping counter).
// An empty function restores the monotonic clock. Not for use while another thread waits.
using TickSource = std::function<std::uint32_t()>;
void SetTickSource(TickSource source);

// Installs a tick source for the lifetime of the object.
class ScopedTickSource {
public:
    explicit ScopedTickSource(TickSource source) { SetTickSource(std::move(source)); }
    ~ScopedTickSource() { SetTickSource({}); }
    ScopedTickSource(const ScopedTickSource&) = delete;
    ScopedTickSource& operator=(const ScopedTickSource&) = delete;
};

// Longest sleep of one pass of a busy wait: short against the 1 ms counter step, long enough
// that a wait costs the processor almost nothing.
inline constexpr std::chrono::microseconds BusyWaitSlice{250};

// Sleeps for one BusyWaitSlice (never more than a millisecond, signals notwithstanding).
void SleepOneSlice();

// Sleeps until GetTickCount() may have reached `tick`, but never longer than a millisecond:
// the pause of a busy wait that waits for a known tick. With a replaced tick source the real time
// of `tick` is unknown, and it sleeps one BusyWaitSlice.
void SleepTowardsTick(std::uint32_t tick);

// The monotonic clock in microseconds, the same clock as GetTickCount's (never replaced):
// for time stamps of line traffic.
std::uint64_t MonotonicMicroseconds();

} // namespace platform
