#pragma once
// The end of an unbounded measurement: SIGINT or SIGTERM asks the run to stop after the tick
// under way, so that the samples taken so far are saved. A second signal acts as usual (the
// program ends at once). While the object lives a closed standard output raises no SIGPIPE:
// the write fails and the caller stops.

#include <chrono>
#include <csignal>

namespace cli {

class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Sleeps until `deadline`; true (at once) when a stop signal has come.
    bool WaitUntil(std::chrono::steady_clock::time_point deadline);

private:
    struct sigaction previousInt_ {};
    struct sigaction previousTerm_ {};
    struct sigaction previousPipe_ {};
};

} // namespace cli
