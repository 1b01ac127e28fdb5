#pragma once
// The device side of the link protocol, free of any I/O: bytes from the host go in with their
// time, reply bytes come out with the earliest time each may leave.
//
// A byte with bit 7 clear is a read request for that register: the device answers the low byte,
// then answers HighByteRequest (101) with the high byte of the same reading. A byte with bit 7
// set starts a write: register + 0x80, high byte, low byte, and the XOR of the three; the device
// stores the value and answers WriteAck (1), or answers 0 and stores nothing when the check
// byte is wrong. A request left incomplete longer than the request timeout is forgotten; any
// other byte while the high-byte request is awaited starts a new request.

#include "sim/Faults.h"
#include "sim/Registers.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sim {

inline constexpr std::uint8_t WriteFlag = 0x80;
inline constexpr std::uint8_t HighByteRequest = 101;
inline constexpr std::uint8_t WriteAck = 1;
inline constexpr std::uint8_t WriteNak = 0;

struct Reply {
    std::uint8_t byte = 0;
    std::uint64_t dueUs = 0;   // on the same clock as the time passed in
};

struct ProtocolTiming {
    std::uint32_t replyDelayMs = 0;       // before every reply byte
    std::uint32_t lateDelayMs = 250;      // instead of replyDelayMs under Fault::Late
    std::uint32_t requestTimeoutMs = 1000; // an incomplete request is forgotten after this
};

class Protocol {
public:
    explicit Protocol(Registers& registers) : registers_(registers) {}

    // One byte from the host at `nowUs` (microseconds since the start).
    std::vector<Reply> Receive(std::uint8_t byte, std::uint64_t nowUs);

    // A reply byte has left at `nowUs`: the wait for the high-byte request counts from here.
    void ReplySent(std::uint64_t nowUs);

    // Forgets an incomplete request whose time is up at `nowUs`.
    void Expire(std::uint64_t nowUs);
    // When the incomplete request (if any) will be forgotten.
    std::optional<std::uint64_t> ExpiryDue() const;
    bool Idle() const { return state_ == State::Idle; }
    // Forgets an incomplete request at once: the line it came on is gone.
    void Abandon() { state_ = State::Idle; writeCount_ = 0; }

    FaultSet& Faults() { return faults_; }
    const FaultSet& Faults() const { return faults_; }
    ProtocolTiming& Timing() { return timing_; }
    unsigned ChecksumErrors() const { return checksumErrors_; }

    // Receives one line per event worth telling the operator (a write with a wrong check byte).
    std::function<void(const std::string&)> log;

private:
    enum class State { Idle, AwaitHighRequest, CollectWrite };
    static constexpr unsigned WriteLength = 4;

    std::vector<Reply> StartRequest(std::uint8_t byte, std::uint64_t nowUs);
    std::vector<Reply> FinishWrite(std::uint64_t nowUs);
    std::uint64_t ReplyDue(std::uint64_t nowUs) const;
    void Log(const std::string& line) const;

    Registers& registers_;
    FaultSet faults_;
    ProtocolTiming timing_;
    State state_ = State::Idle;
    std::uint8_t pendingHigh_ = 0;
    std::uint8_t write_[WriteLength] = {};
    unsigned writeCount_ = 0;
    std::uint64_t lastActivityUs_ = 0;
    unsigned checksumErrors_ = 0;
};

} // namespace sim
