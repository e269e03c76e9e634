#include "cli/cli_options.h"

#include "cli/cli_command.h"
#include "cli/option_checks.h"
#include "cli/printable.h"
#include "core/encode.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace {

constexpr unsigned kValueCommands =
    kHexCommand | kPressureCommand | kUnitsCommand | kDepthCommand | kRecordCommand | kReadCommand;
// The commands that read lines of input, and so fields of them.
constexpr unsigned kLineCommands =
    kHexCommand | kPressureCommand | kUnitsCommand | kDepthCommand | kRecordCommand;
constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The names an option's argument takes, each mapped in order by SetOption.
constexpr std::string_view kFormatNames[] = {"fixed", "shortest", "exact", "hex"};
constexpr ValueFormat kFormats[] = {ValueFormat::Fixed, ValueFormat::Shortest, ValueFormat::Exact,
                                    ValueFormat::Hex};
constexpr std::string_view kFluidNames[] = {"seawater", "freshwater"};
constexpr double kFluidDensities[] = {1026.0, 1000.0};
constexpr std::string_view kModelNames[] = {"dialog", "physical", "unesco"};
constexpr DepthModel kModels[] = {DepthModel::Dialog, DepthModel::Physical, DepthModel::Unesco};
constexpr std::string_view kParityNames[] = {"none", "even", "odd"};
constexpr char kParities[] = {'N', 'E', 'O'};

// clang-format off
constexpr OptionEntry kOptions[] = {
    {"--order", "ORDER", kHexCommand | kEncodeCommand | kRecordCommand | kReadCommand,
     "byte order: ABCD (big, 1234, default), DCBA (little, 4321), CDAB (word-swap, 3412), "
     "BADC (byte-swap, 2143); eight-letter and AB/BA forms too", BYTE_ORDER_NAMES},
    {"--format", "NAME", kValueCommands,
     "fixed (six decimals, default), shortest, exact or hex", kFormatNames},
    {"--digits", "N", kValueCommands,
     "fixed notation with N decimals, 0 to 60", {}, NumberRule{0, 60, false, true}},
    {"--registers", "", kHexCommand | kInspectCommand | kEncodeCommand | kRecordCommand,
     "TEXT is 16-bit registers in decimal, not hex: the first value's (--strict: exactly "
     "one); encode: prints them", {}},
    {"--each", "", kHexCommand,
     "every value in the line, not only the first", {}},
    {"--strict", "", kHexCommand,
     "each line clean hex with exactly one value's bytes", {}},
    {"--field", "N", kLineCommands,
     "TEXT is field N of each delimited (CSV) line", {}, NumberRule{1, 1e6, false, true}},
    {"--delimiter", "D", kLineCommands | kReadCommand,
     "the fields' delimiter: one character (, default), tab, or space for runs of blanks", {}},
    {"--replace", "", kLineCommands,
     "with --field: results in place of the field", {}},
    {"--header", "", kLineCommands | kReadCommand,
     "with --field: the first line is a header; record and read: print one", {}},
    {"--binary", "", kHexCommand | kRecordCommand,
     "standard input (or FILE) is raw bytes, consecutive values or records", {}},
    {"--skip", "N", kHexCommand | kRecordCommand,
     "with --binary: pass over N header bytes", {}, NumberRule{0, 9007199254740992.0, false, true}},
    {"--near", "VALUE", kInspectCommand | kReadCommand,
     "sort the rows by distance from VALUE (inf and -inf too), nearest first", {}, NumberRule{-kInf, kInf}},
    {"--json", "", kInspectCommand | kRecordCommand | kReadCommand,
     "print JSON (one object per line of input)", {}},
    {"--surface", "KPA", kDepthCommand,
     "absolute pressure at the surface, kPa", {}, NumberRule{0, kMax}},
    {"--density", "KG_PER_M3", kDepthCommand,
     "density of the water column", {}, NumberRule{0, kMax, true}},
    {"--fluid", "NAME", kDepthCommand,
     "seawater (1026 kg/m^3) or freshwater (1000 kg/m^3)", kFluidNames},
    {"--gravity", "M_PER_S2", kDepthCommand,
     "acceleration of gravity", {}, NumberRule{0, kMax, true}},
    {"--latitude", "DEG", kDepthCommand,
     "gravity from latitude (1980 international gravity formula); the UNESCO model's "
     "latitude", {}, NumberRule{-90, 90}},
    {"--model", "NAME", kDepthCommand,
     "dialog (default), physical or unesco", kModelNames},
    {"--input", "", kReadCommand,
     "read input registers (function 4), not holding (3)", {}},
    {"--reference", "", kReadCommand,
     "ADDRESS is a reference: 4xxxx/4xxxxx holding, 3xxxx/3xxxxx input, from 1", {}},
    {"--unit", "ID", kReadCommand,
     "the device's unit (slave) id, 1 by default", {}, NumberRule{0, 255, false, true}},
    {"--baud", "N", kReadCommand,
     "serial line speed, 9600 by default", {}, NumberRule{1, 4000000, false, true}},
    {"--parity", "NAME", kReadCommand,
     "serial parity: none, even (default) or odd", kParityNames},
    {"--stop-bits", "N", kReadCommand,
     "serial stop bits: 1 (default) or 2", {}, NumberRule{1, 2, false, true}},
    {"--timeout", "MS", kReadCommand,
     "wait this long for an answer, 1000 by default", {}, NumberRule{1, 3600000, false, true}},
    {"--retries", "N", kReadCommand,
     "try a failed read N more times first, 0 by default", {}, NumberRule{0, 100, false, true}},
    {"--count", "N", kReadCommand,
     "N consecutive values (inspect: 1, 2 or 4 registers)", {}, NumberRule{1, 125, false, true}},
    {"--raw", "", kReadCommand,
     "print the registers read, in decimal, not decoded", {}},
    {"--watch", "SECONDS", kReadCommand,
     "read again every SECONDS (0.01 or more) until stopped", {}, NumberRule{0.01, 1e6}},
    {"--samples", "N", kReadCommand,
     "with --watch: stop after N reads", {}, NumberRule{1, 1e15, false, true}},
};
// clang-format on

// Which of `entry`'s names `value` is (0 for the first), or a message that
// lists them: "unknown format 'x' (fixed, shortest, exact, hex)".
std::optional<std::size_t> NameIndex(const OptionEntry& entry, std::string_view value,
                                     std::string& error)
{
    const auto found = std::find(entry.values.begin(), entry.values.end(), value);
    if (found != entry.values.end())
        return static_cast<std::size_t>(found - entry.values.begin());
    std::string listed;
    for (const std::string_view name : entry.values)
        listed += (listed.empty() ? "" : ", ") + std::string(name);
    error = "unknown " + std::string(entry.name.substr(2)) + " '" + Printable(value) + "' (" +
            listed + ")";
    return std::nullopt;
}

// The order names as a message lists them: in their fours.
std::string OrderNames()
{
    std::string listed;
    for (std::size_t k = 0; k < BYTE_ORDER_NAMES.size(); ++k)
        listed += (k == 0 ? "" : k % 4 == 0 ? ", " : " ") + std::string(BYTE_ORDER_NAMES[k]);
    return listed;
}

std::string AcceptedOptions(unsigned kind)
{
    std::string names;
    for (const OptionEntry& entry : kOptions)
        if ((entry.commands & kind) != 0)
            names += (names.empty() ? "" : ", ") + std::string(entry.name);
    return names.empty() ? "none" : names;
}

// A delimiter as --delimiter names it; ' ' (or "space") for runs of blanks.
std::optional<char> ReadDelimiter(std::string_view value)
{
    if (value == "tab")
        return '\t';
    if (value == "space")
        return ' ';
    if (value.size() != 1 || value == "\"" || value == "\n" || value == "\r")
        return std::nullopt;
    return value.front();
}

// Sets a read option; false for any other.
bool SetReadOption(std::string_view name, std::size_t index, double number, ReadOptions& read)
{
    const auto whole = static_cast<int>(number);
    if (name == "--input" || name == "--reference" || name == "--raw")
        (name == "--input" ? read.input : name == "--reference" ? read.reference : read.raw) = true;
    else if (name == "--unit" || name == "--baud" || name == "--stop-bits" || name == "--timeout" ||
             name == "--retries")
        (name == "--unit"        ? read.unit
         : name == "--baud"      ? read.baud
         : name == "--stop-bits" ? read.stopBits
         : name == "--timeout"   ? read.timeoutMs
                                 : read.retries) = whole;
    else if (name == "--parity")
        read.parity = kParities[index];
    else if (name == "--count")
        read.count = static_cast<std::size_t>(number);
    else if (name == "--watch")
        read.watch = number;
    else if (name == "--samples")
        read.samples = static_cast<std::uint64_t>(number);
    else
        return false;
    return true;
}

// Sets what `entry` says, its argument `value` already checked against its
// number rule (`number`) where it has one.
bool SetOption(const OptionEntry& entry, std::string_view value, double number, CliOptions& options,
               std::string& error)
{
    const std::string_view name = entry.name;
    std::optional<std::size_t> index = 0;
    if (!entry.values.empty() && name != "--order" && !(index = NameIndex(entry, value, error)))
        return false;
    if (name == "--order") {
        const auto order = ParseByteOrder(value);
        if (!order) {
            error = "unknown byte order '" + Printable(value) + "' (" + OrderNames() + ")";
            return false;
        }
        options.order = *order;
    } else if (name == "--format") {
        options.format = kFormats[*index];
    } else if (name == "--digits") {
        options.format = ValueFormat::Fixed;
        options.digits = static_cast<int>(number);
    } else if (name == "--registers") {
        options.registers = true;
    } else if (name == "--near") {
        options.nearest = number;
    } else if (name == "--json") {
        options.json = true;
    } else if (name == "--each" || name == "--strict" || name == "--replace" ||
               name == "--header" || name == "--binary") {
        (name == "--each"      ? options.each
         : name == "--strict"  ? options.strict
         : name == "--replace" ? options.replace
         : name == "--header"  ? options.header
                               : options.binary) = true;
    } else if (name.starts_with("--") &&
               SetReadOption(name, index.value_or(0), number, options.read)) {
    } else if (name == "--field") {
        options.field = static_cast<std::size_t>(number);
    } else if (name == "--skip") {
        options.skip = static_cast<std::size_t>(number);
        options.skipGiven = true;
    } else if (name == "--delimiter") {
        options.delimiter = ReadDelimiter(value);
        if (!options.delimiter) {
            error = "--delimiter takes one character, tab or space, not '" + Printable(value) + "'";
            return false;
        }
    } else if (name == "--model") {
        options.modelAsked = kModels[*index];
    } else if (name == "--fluid") {
        options.fluidDensity = kFluidDensities[*index];
    } else {
        (name == "--surface"   ? options.surface
         : name == "--density" ? options.density
         : name == "--gravity" ? options.gravity
                               : options.latitude) = number;
    }
    return true;
}

// Takes the option `word` (with its argument at words[k], moving k past it).
bool TakeOption(std::string_view word, std::span<const std::string_view> words, std::size_t& k,
                const CliCommand& command, CliOptions& options, std::string& error)
{
    const OptionEntry* found = nullptr;
    for (const OptionEntry& entry : kOptions)
        if (entry.name == word)
            found = &entry;
    if (found == nullptr || (found->commands & command.kind) == 0) {
        error = (found == nullptr ? "unknown option '" + Printable(word) + "'"
                                  : "'" + std::string(word) + "' is not an option of " +
                                        std::string(command.name)) +
                " (" + std::string(command.name) + " takes " + AcceptedOptions(command.kind) + ")";
        return false;
    }
    std::string_view value;
    if (!found->argument.empty()) {
        if (k == words.size()) {
            error = std::string(word) + " needs " + std::string(found->argument);
            return false;
        }
        value = words[k++];
    }
    double number = 0;
    if (found->number) {
        const auto read = CheckedNumber(value, *found->number);
        if (!read) {
            error = std::string(word) + " takes " + DescribeRule(*found->number) + ", not '" +
                    Printable(value) + "'";
            return false;
        }
        number = *read;
    }
    return SetOption(*found, value, number, options, error);
}

} // namespace

std::span<const OptionEntry> CliOptionTable()
{
    return kOptions;
}

std::optional<CommandWords> ParseCliOptions(std::span<const std::string_view> words,
                                            const CliCommand& command, CliOptions& options,
                                            std::string& error)
{
    CommandWords parsed;
    bool optionsEnded = false;
    std::vector<std::pair<std::string_view, std::string_view>> given; // name, argument
    for (std::size_t k = 0; k < words.size();) {
        const std::string_view word = words[k++];
        if (optionsEnded || !(word.starts_with("--") || word == "-h")) {
            parsed.text.push_back(word);
        } else if (word == "--") {
            optionsEnded = true;
        } else if (word == "--help" || word == "-h") {
            parsed.help = true;
        } else {
            const std::size_t at = k;
            if (!TakeOption(word, words, k, command, options, error))
                return std::nullopt;
            const std::string_view argument = k > at ? words[at] : std::string_view();
            for (const auto& [name, before] : given)
                if (name == word && k > at) { // a second value: which one was meant?
                    error = std::string(word) + " is given twice ('" + Printable(before) + "', '" +
                            Printable(argument) + "'); give it once";
                    return std::nullopt;
                }
            given.emplace_back(word, argument);
        }
    }
    const auto format = std::find_if(given.begin(), given.end(),
                                     [](const auto& option) { return option.first == "--format"; });
    const bool digits = std::any_of(given.begin(), given.end(),
                                    [](const auto& option) { return option.first == "--digits"; });
    if (digits && format != given.end() && format->second != "fixed") {
        error = "--digits and --format " + Printable(format->second) +
                " contradict each other; --digits writes fixed notation";
        return std::nullopt;
    }
    if (!SettleDepthOptions(options, error) || !SettleInputOptions(command, options, error))
        return std::nullopt;
    return parsed;
}

std::optional<double> ReadStrictNumber(std::string_view text)
{
    const auto bits = EncodeBits(FloatType::Float64, text);
    if (!bits)
        return std::nullopt;
    return std::bit_cast<double>(*bits);
}

std::string JoinWords(std::span<const std::string_view> words)
{
    std::string text;
    for (std::size_t k = 0; k < words.size(); ++k) {
        if (k > 0)
            text += ' ';
        text += words[k];
    }
    return text;
}

std::vector<std::string_view> SplitWords(std::string_view text)
{
    std::vector<std::string_view> words;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find_first_of(" \t", start), text.size());
        words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}
