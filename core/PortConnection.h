#pragma once
// The program's port (PortHandle, core/PortState.h) as a connection to a device that can fail to
// open, vanish and come back: it opens by path and keeps why an open failed, notices a device
// that went away, closes the dead handle and reopens it when the device returns: by its
// /dev/serial/by-id/ name when it has one, since an adapter may come back as another ttyUSB.
// Never waits: an open does not block, a check only looks.
//
//     core::PortConnection port;
//     port.SetLineSetup([] { /* queue sizes, 9600 8N1 on PortHandle */ });
//     port.Open("/dev/serial/by-id/usb-...");   // status: port.StatusText()
//     every tick:  measurement.Tick(now, port);   (core/SyncMeasurement.h: watch, then read or miss)
//     and once a second without a measurement:  port.Watch();

#include "platform/PortFailure.h"
#include "platform/SerialResult.h"

#include <cstdint>
#include <functional>
#include <string>

namespace core {

// A device that went away is tried again no more often than this, in ms of the tick counter...
inline constexpr std::uint32_t ReconnectIntervalMs = 1000;
// ...less this much: the one-second timers that drive Watch may run a little early against the
// time taken inside their previous run, and would otherwise skip every other attempt.
inline constexpr std::uint32_t ReconnectSlackMs = 50;

class PortConnection {
public:
    // Applied to PortHandle after a reopen (the program's line settings). May be empty.
    void SetLineSetup(std::function<void()> setup) { lineSetup_ = std::move(setup); }

    // Opens `path` exclusively as PortHandle (core::OpenPortHandleAt: PortConfig gets the default
    // configuration), setting PortIsOpen on success; on failure PortHandle is invalid and
    // Failure() says why. A path whose device is absent is tried again by Watch. The caller
    // applies the line settings; a port still open must be closed first.
    bool Open(const std::string& path);

    // Closes PortHandle if this connection holds it open; no more reopening.
    void Close();

    // Once per measurement tick and once a second otherwise: when the device of the open port is
    // gone (the line hung up, its node went away, or an exchange met an I/O error), closes the
    // dead handle; while the device is missing, tries the same path again, at most once per
    // ReconnectIntervalMs, and applies the line setup when it opens. True when the status
    // changed.
    bool Watch();

    bool IsOpen() const { return open_; }
    // True while the device is missing and Watch tries it again.
    bool IsWaitingForDevice() const { return waiting_; }
    platform::PortFailure Failure() const { return failure_; }
    const platform::SerialResult& Result() const { return result_; }
    // The path last opened or tried; empty before the first open.
    const std::string& Path() const { return path_; }
    // What a reopen tries: the device's by-id name when it has one, else Path().
    const std::string& ReopenPath() const { return reopenPath_; }
    // "Status: OK" or "Status: Error: " with the reason and what to do (core/PortMessages.h).
    std::string StatusText() const;

private:
    bool OpenHandle(const std::string& path);
    void CloseHandle();

    std::string path_;
    std::string reopenPath_;
    bool open_ = false;
    bool waiting_ = false;
    platform::PortFailure waitingReason_ = platform::PortFailure::None; // NotFound or DeviceGone
    platform::PortFailure failure_ = platform::PortFailure::None;
    platform::SerialResult result_;
    std::function<void()> lineSetup_;
    std::uint32_t lastAttempt_ = 0;
};

} // namespace core
