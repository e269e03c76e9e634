// tarvel-cli's options: one table, from which parsing, --help and shell
// completion all take their names.
#pragma once

#include "cli/cli_command.h"
#include "core/byte_order.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// How a value is written.
enum class ValueFormat { Fixed, Shortest, Exact, Hex };

// How depth and pressure relate: the dialog's "KPa to metres" rule, the
// hydrostatic (P - P_surface) / (rho g), or the UNESCO 1983 seawater formula.
enum class DepthModel { Dialog, Physical, Unesco };

// read: how to reach the device, what to read and how often.
struct ReadOptions {
    bool input = false;     // input registers (function 4), not holding (3)
    bool reference = false; // ADDRESS is a 3xxxx/4xxxx reference
    bool raw = false;       // the registers in decimal, not decoded
    int unit = 1;
    int baud = 9600;
    char parity = 'E';
    int stopBits = 1;
    int timeoutMs = 1000;
    int retries = 0;
    std::optional<std::size_t> count; // values (inspect: registers)
    std::optional<double> watch;      // seconds between reads
    std::optional<std::uint64_t> samples;
};

struct CliOptions {
    ByteOrder order = ByteOrder::ABCD;
    ValueFormat format = ValueFormat::Fixed;
    int digits = 6;         // decimals of the fixed format
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
    // Whether `conversion` with these options is exactly one of the dialog's
    // buttons, so the dialog's own path gives the result.
    bool IsDialogPath(Conversion conversion) const
    {
        return IsDialogDefault() && conversion != Conversion::Half &&
               conversion != Conversion::BFloat16;
    }
};

// The numbers an option's argument may be: from `low` to `high` (above
// `low` when `lowOpen`), whole when `whole`. NaN is never in range; an
// infinity only where a bound is one.
struct NumberRule {
    double low;
    double high;
    bool lowOpen = false;
    bool whole = false;
};

struct OptionEntry {
    std::string_view name;     // "--order"
    std::string_view argument; // its argument's name, empty for none
    unsigned commands;         // the CommandKind bits of the commands taking it
    std::string_view help;     // one line
    // The names its argument takes; none for a number or any text.
    std::span<const std::string_view> values;
    // For a number: the numbers it takes.
    std::optional<NumberRule> number = std::nullopt;
};

// Every option, in the order --help lists them.
std::span<const OptionEntry> CliOptionTable();

// What the words of a command line hold besides its options.
struct CommandWords {
    std::vector<std::string_view> text; // the TEXT words, in order
    bool help = false;                  // -h or --help among them
};

// Reads the options of `command` from `words`: a word starting with "--" is
// an option wherever it stands, taking the next word as its argument if it
// has one, until a "--" word, after which every word is TEXT; any other word
// is TEXT ("-5" too), except "-h". Every argument is checked against the
// option's names or number rule, and the options together for conflicts
// (never settled by position). Returns the TEXT words, or nullopt with
// `error` set to a one-line message naming the option and the value.
std::optional<CommandWords> ParseCliOptions(std::span<const std::string_view> words,
                                            const CliCommand& command, CliOptions& options,
                                            std::string& error);

// The words of a command line joined by single spaces, as one TEXT.
std::string JoinWords(std::span<const std::string_view> words);

// Splits a session line's text into words at spaces and tabs; runs of them
// give empty words, so joining with single spaces gives back a text of
// single-space runs unchanged.
std::vector<std::string_view> SplitWords(std::string_view text);

// `text` as a number when the whole of it is one (white space around it
// allowed), rounded once to double; nullopt for anything else. For our own
// commands, which reject what the dialog would read as 0.
std::optional<double> ReadStrictNumber(std::string_view text);
