#pragma once
// Waits until `condition` holds, looking every few milliseconds. The limit only guards against a
// peer that never does what it was told: generous, and never a measure of speed.

#include <chrono>
#include <functional>
#include <thread>

inline constexpr auto WaitForGuard = std::chrono::seconds(10);

// False when the guard ran out first.
inline bool WaitFor(const std::function<bool()>& condition,
                    std::chrono::steady_clock::duration guard = WaitForGuard)
{
    const auto end = std::chrono::steady_clock::now() + guard;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}
