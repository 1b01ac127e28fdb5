#pragma once
// Starts duoclave-sim (the path in the environment variable DUOCLAVE_SIM) on a fresh
// pseudo-terminal for one test and stops it again. Typical use:
//
//     #include "support/SimProcess.h"
//     SimProcess sim({"--sync", "constant:-12"});
//     ASSERT_TRUE(sim.Running()) << sim.Error();
//     platform::SetComPortPath(1, sim.LinkPath());      // "Com1" is now the simulator
//     sim.Control("fault on silence");                   // applies to every later host byte
//
// Every simulator gets its own temporary folder with the link ("com"), the control FIFO
// ("control") and the trace ("trace"); the folder goes when the object goes.

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

class SimProcess {
public:
    // Starts the simulator with `options` added to --link, --control and --trace, and waits
    // until it has printed its pty path.
    explicit SimProcess(const std::vector<std::string>& options = {});
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool Running() const { return pid_ > 0; }
    const std::string& Error() const { return error_; }       // why it did not start
    const std::string& LinkPath() const { return linkPath_; } // symbolic link to the pty
    const std::string& PtyPath() const { return ptyPath_; }
    const std::string& Folder() const { return folder_; }

    // Sends one control command (see duoclave-sim --help); false when the FIFO can't take it.
    bool Control(const std::string& command);

    // The simulator's state ("e2prom N V", "working N V", "register N V", "copies N",
    // "faults LIST" lines), fetched through the dump command.
    std::vector<std::string> Dump();
    // The value of one dumped entry ("e2prom 9", "working 3", "copies"), or -1.
    long DumpValue(const std::string& key);

    struct TraceEntry {
        std::uint64_t microseconds;  // monotonic clock, the same as platform::MonotonicMicroseconds
        bool toDevice;               // "in": host to device
        std::uint8_t byte;
    };
    // Everything the trace holds so far.
    std::vector<TraceEntry> Trace() const;
    // The trace as the simulator wrote it (for messages of failed tests).
    std::string TraceText() const;
    // Only the bytes, in order, of one direction.
    std::vector<std::uint8_t> TraceBytes(bool toDevice) const;

    // Stops the simulator (SIGTERM) and returns its exit status (-1 when it did not exit
    // normally). Called by the destructor if needed.
    int Stop();

private:
    pid_t pid_ = -1;
    std::string folder_, linkPath_, ptyPath_, controlPath_, tracePath_, error_;
    int dumps_ = 0;
};
