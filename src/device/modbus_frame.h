// Modbus read requests and their answers as bytes, over TCP (MBAP header) or
// a serial line (RTU, with its CRC): the frames we send for functions 1 to 4,
// and every check an answer passes before its data is believed. Pure: no
// I/O, no library.
#pragma once

#include "device/register_source.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

enum class Framing { Tcp, Rtu };

// One read: `count` registers or bits of `table` from `address`, of `unit`.
struct ReadRequest {
    RegisterTable table = RegisterTable::Holding;
    std::uint8_t unit = 1;
    std::uint16_t address = 0;
    std::uint16_t count = 1;
};

// The function code of a read of `table`: 1 coils, 2 discrete inputs,
// 3 holding registers, 4 input registers.
std::uint8_t FunctionOf(RegisterTable table);

// The data bytes a complete answer to `request` carries: two a register,
// one per eight bits (rounded up).
std::size_t DataBytesOf(const ReadRequest& request);

// CRC-16 of the RTU framing (polynomial 0xA001 reflected, from 0xFFFF), as
// sent: low byte first.
std::uint16_t ModbusCrc(std::span<const std::uint8_t> bytes);

// The frame that asks `request`; over TCP with `transaction` as its
// transaction id (ignored on a serial line).
std::vector<std::uint8_t> RequestFrame(Framing framing, std::uint16_t transaction,
                                       const ReadRequest& request);

// What the bytes received so far after sending `request` (with
// `transaction`) amount to.
struct AnswerCheck {
    enum class State {
        NeedMore,  // a frame so far; `length` is its whole length once known, else 0
                   // (the other states: the frame's length when it was read whole)
        Data,      // the answer: `data` are its data bytes
        Exception, // the device's exception `exceptionCode`
        Refused,   // not an answer to this request: `problem` says why
    };
    State state = State::NeedMore;
    std::size_t length = 0;
    std::span<const std::uint8_t> data;
    int exceptionCode = 0;
    std::string problem; // lower case, one line
    bool badCrc = false; // refused for its CRC alone: a line error, worth another try
};
// Never reads past `got`; the bytes after a complete frame are not looked at.
// Refuses, naming what did not fit: bytes that cannot start a Modbus answer,
// a TCP protocol id other than 0 or a length no answer has, a CRC error (the
// CRC received and the one expected), another transaction id, another unit,
// another function, and a byte count other than the request's.
AnswerCheck ExamineAnswer(Framing framing, std::uint16_t transaction, const ReadRequest& request,
                          std::span<const std::uint8_t> got);

// "illegal data address (exception 2)", or "exception 12" for a code with no
// name.
std::string ExceptionText(int code);

// Whether an exception says "ask again later" (acknowledge 5, server device
// busy 6, gateway path unavailable 10, gateway target device failed to
// respond 11), rather than that the request can never succeed.
bool IsTransientException(int code);

// `bytes` as upper-case hex pairs apart by spaces: "01 03 02 12 34".
std::string HexBytes(std::span<const std::uint8_t> bytes);
