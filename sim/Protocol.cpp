#include "sim/Protocol.h"

#include <cstdio>

namespace sim {

namespace {

constexpr std::uint64_t MicrosecondsPerMillisecond = 1000;
constexpr double MicrosecondsPerSecond = 1e6;
constexpr unsigned BitsPerByte = 8;
constexpr std::uint8_t RegisterMask = 0x7F;

} // namespace

std::uint64_t Protocol::ReplyDue(std::uint64_t nowUs) const
{
    const std::uint32_t delay = faults_.Has(Fault::Late) ? timing_.lateDelayMs : timing_.replyDelayMs;
    return nowUs + delay * MicrosecondsPerMillisecond;
}

void Protocol::Log(const std::string& line) const
{
    if (log)
        log(line);
}

std::vector<Reply> Protocol::Receive(std::uint8_t byte, std::uint64_t nowUs)
{
    Expire(nowUs);
    if (faults_.Has(Fault::Silence)) {
        state_ = State::Idle;
        return {};
    }
    switch (state_) {
    case State::AwaitHighRequest:
        state_ = State::Idle;
        if (byte == HighByteRequest) {
            if (faults_.Has(Fault::NoHighByte))
                return {};
            return {Reply{pendingHigh_, ReplyDue(nowUs)}};
        }
        return StartRequest(byte, nowUs); // the read was cut short; this is a new request
    case State::CollectWrite:
        write_[writeCount_++] = byte;
        lastActivityUs_ = nowUs;
        if (writeCount_ < WriteLength)
            return {};
        state_ = State::Idle;
        return FinishWrite(nowUs);
    case State::Idle:
        break;
    }
    return StartRequest(byte, nowUs);
}

std::vector<Reply> Protocol::StartRequest(std::uint8_t byte, std::uint64_t nowUs)
{
    if (byte & WriteFlag) {
        state_ = State::CollectWrite;
        write_[0] = byte;
        writeCount_ = 1;
        lastActivityUs_ = nowUs;
        return {};
    }
    // Both halves come from one reading, so a changing register can't tear.
    const std::uint16_t value = registers_.Read(byte, static_cast<double>(nowUs) / MicrosecondsPerSecond);
    const Reply low{static_cast<std::uint8_t>(value & 0xFF), ReplyDue(nowUs)};
    pendingHigh_ = static_cast<std::uint8_t>(value >> BitsPerByte);
    state_ = State::AwaitHighRequest;
    lastActivityUs_ = low.dueUs;
    return {low};
}

std::vector<Reply> Protocol::FinishWrite(std::uint64_t nowUs)
{
    const std::uint8_t reg = write_[0] & RegisterMask;
    const std::uint8_t expected = write_[0] ^ write_[1] ^ write_[2];
    const std::uint16_t value = static_cast<std::uint16_t>((write_[1] << BitsPerByte) | write_[2]);
    if (write_[3] != expected) {
        ++checksumErrors_;
        char line[128];
        std::snprintf(line, sizeof line, "write of 0x%04X to register %u refused: check byte 0x%02X, expected 0x%02X",
                      value, reg, write_[3], expected);
        Log(line);
        if (faults_.Has(Fault::NoAck))
            return {};
        return {Reply{WriteNak, ReplyDue(nowUs)}};
    }
    if (faults_.Has(Fault::RefuseWrites))
        return {Reply{WriteNak, ReplyDue(nowUs)}};
    registers_.Write(reg, value);
    if (faults_.Has(Fault::NoAck))
        return {};
    return {Reply{WriteAck, ReplyDue(nowUs)}};
}

std::optional<std::uint64_t> Protocol::ExpiryDue() const
{
    if (state_ == State::Idle)
        return std::nullopt;
    return lastActivityUs_ + timing_.requestTimeoutMs * MicrosecondsPerMillisecond;
}

void Protocol::ReplySent(std::uint64_t nowUs)
{
    if (state_ == State::AwaitHighRequest && nowUs > lastActivityUs_)
        lastActivityUs_ = nowUs;
}

void Protocol::Expire(std::uint64_t nowUs)
{
    if (auto due = ExpiryDue(); due && nowUs > *due)
        state_ = State::Idle;
}

} // namespace sim
