#pragma once
// A driver on a real pty, polled by hand, with a tick clock that stands still until the test
// moves it.

#include "serial/SerialPortDriver.h"
#include "support_pty.h"

#include "platform/TickCount.h"

#include <cstdint>
#include <functional>
#include <vector>

using Bytes = std::vector<uint8_t>;

// Delivers timer message 1, as the poll timer does.
void PollOnce(serial::TSerialPortDriver& d);

// Polls by hand until cond holds (bytes written to a pty reach the other side asynchronously);
// false if it never did within a generous number of polls.
bool PollUntil(serial::TSerialPortDriver& d, const std::function<bool()>& cond);

struct PacketRig {
    uint32_t now = 100000;
    platform::ScopedTickSource clock{[this] { return now; }};
    TestPty pty;
    serial::TSerialPortDriver d;
    std::vector<Bytes> packets;

    // Port name set to the pty; every packet is recorded in `packets`.
    explicit PacketRig(int16_t packetSize);
    bool Open() { return pty.Ok() && d.OpenPort(); }
};
