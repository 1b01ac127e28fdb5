#pragma once
// duoclave-sim's I/O: the pseudo-terminal the host opens, the emulated line speed, the trace,
// the control FIFO and the signals that end the run. The device itself is sim::Device.

#include "sim/Device.h"
#include "sim/Options.h"

#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <random>
#include <signal.h>
#include <string>

namespace sim {

class PtyServer {
public:
    explicit PtyServer(Options options);
    ~PtyServer();   // removes the link and the control FIFO it made
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the pty (raw), the link, the FIFO and the trace, loads the E2PROM file. False with
    // a message when any of them fails.
    bool Open(std::string& error);
    const std::string& PtyPath() const { return ptyPath_; }

    // Serves the host until SIGINT or SIGTERM; returns the exit status.
    int Serve();

private:
    struct Pending {
        std::uint8_t byte;
        std::uint64_t dueUs;     // absolute monotonic microseconds
        bool reply;              // from the protocol, not junk
    };

    void CatchStopSignals();
    bool OpenPty(std::string& error);
    bool MakeLink(const std::string& path, std::string& error);
    void RemoveLink(const std::string& path);
    void Unplug();
    void Replug();
    std::uint64_t Now() const;
    void ReadHost();
    void ReadControl();
    void ApplyFaults(std::uint64_t now);
    void ScheduleOutput(std::uint8_t byte, std::uint64_t readyUs, bool reply);
    void ScheduleStray(std::uint64_t now);
    void WriteDueOutput(std::uint64_t now);
    std::int64_t NextEventUs(std::uint64_t now) const;
    void TraceByte(const char* direction, std::uint8_t byte, std::uint64_t atUs);
    void Warn(const std::string& message) const;

    Options options_;
    std::unique_ptr<Device> device_;
    int master_ = -1;
    int holdSlave_ = -1;            // keeps the slave open so the master never sees a hang-up
    int control_ = -1;
    int controlKeepOpen_ = -1;      // a writer of our own, so the FIFO never reads end-of-file
    bool madeFifo_ = false;
    bool madeLink_ = false;
    std::string byIdPath_;          // the by-id style link, when asked for
    bool plugged_ = true;
    std::string ptyPath_;
    std::string controlBuffer_;
    std::FILE* trace_ = nullptr;
    std::uint64_t startUs_ = 0;
    std::uint64_t byteTimeUs_ = 0;
    std::deque<Pending> output_;    // due when the line has carried them to the host
    std::uint64_t lastInputEndUs_ = 0;
    std::uint64_t lastOutputEndUs_ = 0;
    bool strayRunning_ = false;
    std::uint64_t nextStrayUs_ = 0;
    std::mt19937 junk_;
    sigset_t waitingMask_{};        // the signal mask while Serve sleeps: stop signals let through
};

} // namespace sim
