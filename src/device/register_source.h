// Reading 16-bit registers from a Modbus device, over TCP or a serial line
// (RTU), behind one small interface so that everything above it can be tested
// without a device. Read-only: nothing here writes a register or a coil.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Which table a read asks: holding registers (function 3) or input
// registers (function 4).
enum class RegisterTable { Holding, Input };

struct DeviceSettings {
    // "tcp://HOST[:PORT]" (HOST a name, an IPv4 address or an IPv6 address
    // in brackets; PORT 502 unless given), or anything else: the path of a
    // serial device, read with RTU framing.
    std::string device;
    int unit = 1;         // 0 to 247 or 255 over TCP, 1 to 247 on a serial line
    int baud = 9600;      // serial only, as every setting below but the last two
    char parity = 'E';    // 'N', 'E' or 'O'
    int stopBits = 1;     // 1 or 2
    int timeoutMs = 1000; // for each answer and each TCP connect: 1 to 3600000
    int retries = 0;      // a failed read is tried again this often: 0 to 100
};

// Why a read gave no registers.
enum class ReadFailure {
    None,
    BadRequest,     // count 0 or above 125, or a range past register 65535
    Unreachable,    // connect or open failed: refused, unknown host, missing device...
    ConnectionLost, // the connection broke; the next Read connects again
    Timeout,        // no complete answer within timeoutMs
    BadReply,       // an answer that failed its CRC or did not fit the request
    Exception,      // the device answered with exception exceptionCode
};

struct ReadResult {
    std::vector<std::uint16_t> registers; // `count` values when failure is None, else none
    ReadFailure failure = ReadFailure::None;
    int exceptionCode = 0; // 0 to 11 when failure is Exception, else 0
    // One line, no line end, empty when the read succeeded, naming the device
    // as given, the unit and the address, e.g.
    // "tcp://127.0.0.1:1502 unit 1 address 100: illegal data address (exception 2)".
    std::string error;
};

class RegisterSource {
public:
    RegisterSource() = default;
    RegisterSource(const RegisterSource&) = delete;
    RegisterSource& operator=(const RegisterSource&) = delete;
    virtual ~RegisterSource() = default;

    // Reads `count` registers from `address` of `table`, connecting first when
    // not connected (the first read, or after a connection was lost), and
    // tries a failed read settings.retries times more before reporting it; an
    // exception answer is the device's word and is reported at once. Waits at
    // most about (retries + 1) times the timeout. Never writes, never prints,
    // never throws.
    virtual ReadResult Read(RegisterTable table, std::uint16_t address, std::uint16_t count) = 0;
};

// Empty when `settings` can be used, else a one-line message saying what is
// wrong, for the caller's usage error: a DEVICE text ParseDeviceAddress
// refuses, or a unit, baud rate, parity, stop bits, timeout or retry count out
// of range. Pure: opens nothing.
std::string CheckDeviceSettings(const DeviceSettings& settings);

// A source for `settings`, which connects on its first Read, so that an
// unreachable device is reported by Read. Null, with a one-line `error`, when
// CheckDeviceSettings refuses the settings or this build has no device
// support (the Windows build, which has no Modbus library).
std::unique_ptr<RegisterSource> OpenRegisterSource(const DeviceSettings& settings,
                                                   std::string& error);
