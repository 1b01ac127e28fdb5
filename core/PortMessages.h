#pragma once
// The port's status line: "Status: OK", or "Status: Error" followed by why and what to do.

#include "platform/PortFailure.h"
#include "platform/SerialResult.h"

#include <string>

namespace core {

inline constexpr const char* StatusOkText = "Status: OK";
inline constexpr const char* StatusErrorText = "Status: Error";

// The reason and the advice that follow StatusErrorText for each kind of failure; empty for
// PortFailure::None and PortFailure::Other (whose text is the system's own message).
const char* PortFailureAdvice(platform::PortFailure failure);

// "Status: OK" for PortFailure::None; otherwise "Status: Error: " and the advice, or for
// PortFailure::Other the failed call and the system's message ("open: Too many open files").
std::string PortStatusText(platform::PortFailure failure, const platform::SerialResult& result);

// Every text with advice, for sizing the status line.
inline constexpr platform::PortFailure AdvisedFailures[] = {
    platform::PortFailure::NotFound, platform::PortFailure::NoPermission, platform::PortFailure::InUse,
    platform::PortFailure::NotSerial, platform::PortFailure::DeviceGone};

} // namespace core
