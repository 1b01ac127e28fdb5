#pragma once
// The device link: byte-level exchanges with the controller on PortHandle (core/PortState.h).
// Every exchange is a busy wait on the calling thread; none raises, none is retried. Success is
// reported through `ok`; a failed read returns 0.

#include <cstdint>

// Added to the register number in the first byte of a write.
inline constexpr std::uint8_t WriteFlag = 0x80;
// Sent to fetch the high byte during a read (the same byte as a read request for register 101).
inline constexpr std::uint8_t HighByteRequest = 101;
// The reply by which the device accepts a write.
inline constexpr std::uint8_t WriteAck = 1;
// Longest wait for any single reply byte, ms.
inline constexpr std::uint32_t ReplyTimeLimit = 200;
// Pause between the bytes of a write, before HighByteRequest and between the halves of a 32-bit
// access, ms.
inline constexpr std::uint32_t ByteGap = 10;
// Registers are 0 .. RegisterCount - 1; a request for any other number sends nothing.
inline constexpr unsigned RegisterCount = 128;

// Registers the application uses besides the E2PROM variables 0 to 20.
inline constexpr std::uint8_t TeleWideWriteRegister = 98;
inline constexpr std::uint8_t CopyToWorkingRegister = 101;  // writing 0 copies the E2PROM into the working registers
inline constexpr std::uint8_t TeleWideReadRegister = 102;
inline constexpr std::uint8_t SyncRegister = 103;           // measured sync offset, signed microseconds

// Waits until the tick counter has moved more than `ms` past its reading at the start (a wrap of
// the counter is harmless). Handles no window messages; sleeps in slices of at most 1 ms.
void WaitMilliseconds(std::uint32_t ms);

// Writes one byte to PortHandle; true when the port took it.
bool SendByte(std::uint8_t b);

// Reads at most one byte into `b`; `count` becomes 0 or 1. Returns within about a millisecond
// when nothing is waiting. False when the port failed (no port open: at once).
bool ReceiveByte(std::uint8_t& b, std::uint32_t& count);

// ReceiveByte, repeated until a byte has arrived or more than `limitMs` have passed (the last
// attempt just after). Returns the milliseconds spent.
std::uint32_t ReceiveByteTimed(std::uint8_t& b, std::uint32_t& count, std::uint32_t limitMs);

// One 16-bit register: request, low byte, ByteGap, HighByteRequest, high byte.
std::uint16_t ReadWord(std::uint8_t reg, bool& ok);
// One 16-bit register: first byte, high, low, checksum ByteGap apart; ok only on WriteAck.
void WriteWord(std::uint8_t reg, std::uint16_t value, bool& ok);
// A 32-bit value in registers reg (low half) and reg + 1 (high half), ByteGap between halves.
void WriteLongWord(std::uint8_t reg, std::uint32_t value, bool& ok);
std::uint32_t ReadLongWord(std::uint8_t reg, bool& ok);
