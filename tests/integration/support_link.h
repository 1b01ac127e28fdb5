#pragma once
// Opens the application's PortHandle on a simulator the way the program does, and records the
// host's own view of the line with time stamps.

#include "platform/SerialPort.h"
#include "support/SimProcess.h"

#include <gtest/gtest.h>

#include <iostream>
#include <memory>

#include <cstdint>
#include <string>
#include <vector>

// Points "Com1" at `path`, then: default configuration, exclusive open, queues of 20 bytes, line
// settings 9600 8N1 with the flag word 1. Sets PortHandle and PortIsOpen; false when the open
// failed.
bool OpenApplicationPort(const std::string& path);
// Closes PortHandle (if any) and makes it invalid again, so that each test starts with none.
void CloseApplicationPort();

// Every byte moved through the platform layer while the object lives.
class LineRecorder {
public:
    struct Event {
        std::uint64_t microseconds;
        platform::LineDirection direction;
        std::uint8_t byte;
    };
    LineRecorder();
    ~LineRecorder();
    const std::vector<Event>& Events() const { return events_; }
    std::vector<std::uint8_t> Bytes(platform::LineDirection direction) const;
    // The shortest pause before any sent byte since the event before it (sent or received),
    // in microseconds; UINT64_MAX with fewer than two events.
    std::uint64_t ShortestPauseBeforeSending() const;

private:
    std::vector<Event> events_;
};

// A test with the simulator started on a pty and PortHandle opened on it as the program does;
// on failure the simulator's trace is printed.
class SimulatorLinkTest : public ::testing::Test {
protected:
    void Start(const std::vector<std::string>& options)
    {
        sim_ = std::make_unique<SimProcess>(options);
        ASSERT_TRUE(sim_->Running()) << sim_->Error();
        ASSERT_TRUE(OpenApplicationPort(sim_->LinkPath()));
    }
    void TearDown() override
    {
        CloseApplicationPort();
        if (HasFailure() && sim_)
            std::cout << sim_->TraceText();
    }

    std::unique_ptr<SimProcess> sim_;
};
