// Reading 16-bit registers from a Modbus device, over TCP or a serial line
// (RTU), behind one small interface so that everything above it can be tested
// without a device. Read-only: nothing here writes a register or a coil.
#pragma once

#include <csignal>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Which table a read asks: coils (function 1), discrete inputs (2), holding
// registers (3) or input registers (4).
enum class RegisterTable { Coils, Discrete, Holding, Input };

// Whether a read of `table` gives bits (coils, discrete inputs), not registers.
constexpr bool IsBitTable(RegisterTable table)
{
    return table == RegisterTable::Coils || table == RegisterTable::Discrete;
}

struct DeviceSettings {
    // "tcp://HOST[:PORT]" (HOST a name, an IPv4 address or an IPv6 address
    // in brackets; PORT 502 unless given), or anything else: the path of a
    // serial device, read with RTU framing.
    std::string device;
    int unit = 1;         // 0 to 247 or 255 over TCP, 1 to 247 on a serial line
    int baud = 9600;      // serial only, as every setting below but the last two
    char parity = 'E';    // 'N', 'E' or 'O'
    int stopBits = 1;     // 1 or 2
    int timeoutMs = 1000; // for each whole answer and each TCP connect: 1 to 3600000
    int retries = 0;      // a failed read is tried again this often: 0 to 100
    bool rs485 = false;   // serial: the port's RS-485 mode, the driver switching direction
    // Set by a signal handler: a pending read ends within 100 ms as
    // Interrupted. Null: nothing interrupts.
    const volatile std::sig_atomic_t* interrupted = nullptr;
    // Given a line for every frame sent or received and every byte discarded:
    // "request 01 03 00 64 00 02 85 D4", "answer ...", "stale ..." (found
    // waiting before a request) or "late ..." (after a failed read). Empty:
    // no trace.
    std::function<void(std::string_view)> trace = {};
};

// Why a read gave no registers.
enum class ReadFailure {
    None,
    BadRequest,     // count 0 or above 125, or a range past register 65535
    Unreachable,    // connect or open failed: refused, unknown host, missing device...
    ConnectionLost, // the connection broke; the next Read connects again
    Timeout,        // nothing came within timeoutMs
    Incomplete,     // an answer started and did not finish within timeoutMs
    BadReply,       // bytes that failed their CRC, or did not fit the request
    Exception,      // the device answered with exception exceptionCode
    Interrupted,    // a signal ended the wait
};

struct ReadResult {
    // `count` registers, or for coils and discrete inputs `count` bits as 0
    // and 1, when failure is None; else none.
    std::vector<std::uint16_t> registers;
    ReadFailure failure = ReadFailure::None;
    int exceptionCode = 0; // 1 to 255 when failure is Exception, else 0
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

    // Reads `count` registers (or bits) from `address` of `table` of `unit`,
    // connecting first when not connected (the first read, or after a
    // connection was lost). Whatever waits in the receive buffer is discarded
    // first; an answer is taken only when it fits the request. A failed read
    // is tried settings.retries times more, a little later each time, when
    // another try may succeed: a timeout, a lost connection, an incomplete
    // answer, a CRC error or a transient exception (acknowledge, busy,
    // gateway); any other answer is reported at once. After a failed try the
    // line gets one more timeout to bring the late answer, so a read waits at
    // most about twice the timeout a try. A signal (settings.interrupted)
    // ends it within 100 ms. Never writes a register or a coil, never
    // prints, never throws.
    virtual ReadResult Read(RegisterTable table, std::uint16_t address, std::uint16_t count,
                            int unit) = 0;
};

// Empty when `settings` can be used, else a one-line message saying what is
// wrong, for the caller's usage error: a DEVICE text ParseDeviceAddress
// refuses, or a unit, baud rate, parity, stop bits, timeout or retry count out
// of range. Pure: opens nothing.
std::string CheckDeviceSettings(const DeviceSettings& settings);

// A source for `settings`, which connects on its first Read, so that an
// unreachable device is reported by Read. Null, with a one-line `error`, when
// CheckDeviceSettings refuses the settings or the system cannot make a link.
std::unique_ptr<RegisterSource> OpenRegisterSource(const DeviceSettings& settings,
                                                   std::string& error);
