// What a command line's options say, once parsed and checked.
#pragma once

#include "cli/output/value_text.h"
#include "core/byte_order.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// How depth and pressure relate: the dialog's "KPa to metres" rule, the
// hydrostatic (P - P_surface) / (rho g), or the UNESCO 1983 seawater formula.
enum class DepthModel { Dialog, Physical, Unesco };

// read: how to reach the device, what to read and how often.
struct ReadOptions {
    bool input = false;     // input registers (function 4), not holding (3)
    bool coils = false;     // coils (function 1), bits
    bool discrete = false;  // discrete inputs (function 2), bits
    bool reference = false; // ADDRESS is a 0xxxx/1xxxx/3xxxx/4xxxx reference
    bool raw = false;       // the registers in decimal (or hex), not decoded
    bool trace = false;     // every frame on standard error
    bool rs485 = false;     // the serial port's RS-485 mode
    std::vector<int> units = {1};
    // Serial settings: a value once given, so that one given with a TCP
    // device is refused by name.
    std::optional<int> baud;
    std::optional<char> parity;
    std::optional<int> stopBits;
    int timeoutMs = 1000;
    int retries = 0;
    std::optional<std::size_t> count; // values, bits (inspect: registers)
    std::optional<double> watch;      // seconds between reads
    std::optional<std::uint64_t> samples;
    // poll: registers not asked for that one request may read between two
    // points, and whether to print the requests instead of sending them.
    int maxGap = 10;
    bool plan = false;
};

// The value's style (format and digits) and everything else options say.
struct CliOptions : ValueStyle {
    ByteOrder order = ByteOrder::ABCD;
    bool registers = false; // 16-bit registers in decimal, not hex bytes
    bool json = false;      // inspect, record
    // How bytes arrive, and where results go (see cli/input/).
    bool each = false;                // every value of a line
    bool strict = false;              // clean hex, exactly one value
    std::optional<std::size_t> field; // the 1-based field of a delimited line
    std::optional<char> delimiter;    // ' ' for runs of blanks
    bool replace = false;             // results in place of the field
    bool header = false;              // a header line
    bool binary = false;              // raw bytes in
    std::size_t skip = 0;             // bytes before them
    bool skipGiven = false;
    ReadOptions read;
    std::optional<double> nearest; // inspect: the value to sort rows by
    // depth and pressure-at; any of the first four, or --fluid, means
    // Physical unless --model says otherwise (conflicts are refused).
    std::optional<double> surface;      // kPa, absolute
    std::optional<double> density;      // kg/m^3, from --density or --fluid
    std::optional<double> gravity;      // m/s^2
    std::optional<double> latitude;     // degrees
    std::optional<double> fluidDensity; // --fluid's, until settled into density
    std::optional<DepthModel> modelAsked;
    DepthModel model = DepthModel::Dialog; // settled from the above

    // The dialog's own reading and writing: as written, six decimals.
    bool IsDialogDefault() const
    {
        return order == ByteOrder::ABCD && format == ValueFormat::Fixed && digits == 6;
    }
};
