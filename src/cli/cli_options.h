// tarvel-cli's options: one table, from which parsing, --help and shell
// completion all take their names.
#pragma once

#include "cli/cli_command.h"
#include "core/byte_order.h"

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

struct CliOptions {
    ByteOrder order = ByteOrder::ABCD;
    ValueFormat format = ValueFormat::Fixed;
    int digits = 6;                       // decimals of the fixed format
    bool registers = false;               // encode: 16-bit words in decimal, not bytes
    bool json = false;                    // inspect
    std::optional<std::string> nearValue; // inspect: the value to sort rows by
    // depth and pressure-at; any of the first four switches to Physical.
    std::optional<double> surface;  // kPa, absolute
    std::optional<double> density;  // kg/m^3
    std::optional<double> gravity;  // m/s^2
    std::optional<double> latitude; // degrees
    DepthModel model = DepthModel::Dialog;

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

struct OptionEntry {
    std::string_view name;     // "--order"
    std::string_view argument; // its argument's name, empty for none
    unsigned commands;         // the CommandKind bits of the commands taking it
    std::string_view help;     // one line
    // The names its argument takes; none for a number or any text.
    std::span<const std::string_view> values;
};

// Every option, in the order --help lists them.
std::span<const OptionEntry> CliOptionTable();

// Reads the options of a command of `kind` from `words`, up to the first
// word that is not an option (a TEXT; a single '-' starts none, so "-5" is
// TEXT) or past "--". Returns the number of words taken, or nullopt with
// `error` set to a one-line message that names the word and the accepted
// names.
std::optional<std::size_t> ParseCliOptions(std::span<const std::string_view> words, unsigned kind,
                                           CliOptions& options, std::string& error);

// The words of a command line joined by single spaces, as one TEXT.
std::string JoinWords(std::span<const std::string_view> words);

// Splits a session line's text into words at single spaces, for options;
// the TEXT after them is what follows the last option's space, untouched.
std::vector<std::string_view> SplitWords(std::string_view text);

// `text` as a number when the whole of it is one (white space around it
// allowed), rounded once to double; nullopt for anything else. For our own
// commands, which reject what the dialog would read as 0.
std::optional<double> ReadStrictNumber(std::string_view text);
