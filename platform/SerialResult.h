#pragma once
// The one result type of the serial line: success, or the system call that failed and its errno.

#include <string>

namespace platform {

struct SerialResult {
    int error = 0;                 // errno of the failure; 0 on success
    const char* call = "";         // the system call (or check) that failed

    bool Ok() const { return error == 0; }
    explicit operator bool() const { return Ok(); }
    // "open /dev/ttyS0: No such file or directory"; "" on success.
    std::string Message() const;

    static SerialResult Success() { return {}; }
    static SerialResult Failure(const char* call, int error) { return {error, call}; }
};

// A value together with the result of the operation that produced it; on failure the value is
// what was done before the failure (no handle; the bytes moved so far).
template <class T>
struct Outcome {
    T value{};
    SerialResult result;

    bool Ok() const { return result.Ok(); }
    explicit operator bool() const { return result.Ok(); }
};

} // namespace platform
