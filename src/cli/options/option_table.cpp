#include "cli/options/option_table.h"

#include "cli/output/printable.h"

#include <algorithm>
#include <limits>

namespace {

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The names an option's argument takes, each mapped in order by ApplyOption.
constexpr std::string_view kFormatNames[] = {"fixed", "shortest", "exact", "hex"};
constexpr ValueFormat kFormats[] = {ValueFormat::Fixed, ValueFormat::Shortest, ValueFormat::Exact,
                                    ValueFormat::Hex};
constexpr std::string_view kFluidNames[] = {"seawater", "freshwater"};
constexpr double kFluidDensities[] = {1026.0, 1000.0};
constexpr std::string_view kModelNames[] = {"dialog", "physical", "unesco"};
constexpr DepthModel kModels[] = {DepthModel::Dialog, DepthModel::Physical, DepthModel::Unesco};
constexpr std::string_view kParityNames[] = {"none", "even", "odd", "N", "E", "O"};
constexpr char kParities[] = {'N', 'E', 'O', 'N', 'E', 'O'};

// clang-format off
constexpr OptionEntry kOptions[] = {
    {"--order", "ORDER",
     "byte order: ABCD (big, 1234, default), DCBA (little, 4321), CDAB (word-swap, 3412), "
     "BADC (byte-swap, 2143); eight-letter and AB/BA forms too", BYTE_ORDER_NAMES},
    {"--format", "NAME",
     "fixed (six decimals, default), shortest, exact or hex", kFormatNames},
    {"--digits", "N",
     "fixed notation with N decimals, 0 to 60", {}, NumberRule{0, 60, false, true}},
    {"--registers", "",
     "TEXT is 16-bit registers in decimal, not hex", {}},
    {"--each", "",
     "every value in the line, not only the first", {}},
    {"--strict", "",
     "each line clean hex with exactly one value's bytes", {}},
    {"--field", "N",
     "TEXT is field N of each delimited (CSV) line", {}, NumberRule{1, 1e6, false, true}},
    {"--delimiter", "D",
     "the fields' delimiter: one character (, default), tab, or space for runs of blanks", {}},
    {"--replace", "",
     "with --field: results in place of the field", {}},
    {"--header", "",
     "with --field: the first line is a header, written back with the new column's name",
     {}},
    {"--binary", "",
     "standard input (or FILE) is raw bytes, consecutive values or records", {}},
    {"--skip", "N",
     "with --binary: pass over N header bytes", {}, NumberRule{0, 9007199254740992.0, false, true}},
    {"--near", "VALUE",
     "sort the rows by distance from VALUE (inf and -inf too), nearest first", {}, NumberRule{-kInf, kInf}},
    {"--json", "",
     "print JSON (one object per line of input)", {}},
    {"--surface", "KPA",
     "absolute pressure at the surface, kPa", {}, NumberRule{0, kMax}},
    {"--density", "KG_PER_M3",
     "density of the water column", {}, NumberRule{0, kMax, true}},
    {"--fluid", "NAME",
     "seawater (1026 kg/m^3) or freshwater (1000 kg/m^3)", kFluidNames},
    {"--gravity", "M_PER_S2",
     "acceleration of gravity", {}, NumberRule{0, kMax, true}},
    {"--latitude", "DEG",
     "gravity from latitude (1980 international gravity formula); the UNESCO model's "
     "latitude", {}, NumberRule{-90, 90}},
    {"--model", "NAME",
     "dialog (default), physical or unesco", kModelNames},
    {"--input", "",
     "read input registers (function 4), not holding (3)", {}},
    {"--coils", "",
     "read coils (function 1): --count bits, printed as 0 and 1", {}},
    {"--discrete", "",
     "read discrete inputs (function 2): --count bits, printed as 0 and 1", {}},
    {"--reference", "",
     "ADDRESS is a reference, from 1: 4xxxx/4xxxxx holding, 3xxxx/3xxxxx input, "
     "0xxxx/0xxxxx coil, 1xxxx/1xxxxx discrete input", {}},
    {"--unit", "IDS",
     "the device's unit (slave) id, 1 by default; a list such as 1,3,5-8 reads each", {}},
    {"--baud", "N",
     "serial line speed, 9600 by default", {}, NumberRule{1, 4000000, false, true}},
    {"--parity", "NAME",
     "serial parity: none (N), even (E, default) or odd (O)", kParityNames},
    {"--stop-bits", "N",
     "serial stop bits: 1 (default) or 2", {}, NumberRule{1, 2, false, true}},
    {"--timeout", "MS",
     "wait this long for an answer, 1000 by default", {}, NumberRule{1, 3600000, false, true}},
    {"--retries", "N",
     "try a failed read N more times first, 0 by default", {}, NumberRule{0, 100, false, true}},
    {"--count", "N",
     "N consecutive values (inspect: 1, 2 or 4 registers)", {}, NumberRule{1, 2000, false, true}},
    {"--raw", "",
     "print the registers read, in decimal (--format hex: four hex digits), not decoded", {}},
    {"--trace", "",
     "every request and answer on standard error as hex bytes, with the time", {}},
    {"--rs485", "",
     "put the serial port in RS-485 mode, its driver switching the direction", {}},
    {"--watch", "SECONDS",
     "read again every SECONDS (0.01 or more) until stopped", {}, NumberRule{0.01, 1e6}},
    {"--samples", "N",
     "with --watch: stop after N reads", {}, NumberRule{1, 1e15, false, true}},
    {"--max-gap", "N",
     "read points apart by at most N registers in one request, 10 by default", {},
     NumberRule{0, 124, false, true}},
    {"--plan", "",
     "print the requests each sample sends, and send none", {}},
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

// Unit ids as --unit lists them: "1", "1,3,5-8", each once, 0 to 255.
std::optional<std::vector<int>> ReadUnits(std::string_view text)
{
    std::vector<int> units;
    const auto number = [](std::string_view digits) -> std::optional<int> {
        if (digits.empty() || digits.size() > 3 ||
            digits.find_first_not_of("0123456789") != std::string_view::npos)
            return std::nullopt;
        const int value = std::stoi(std::string(digits));
        return value <= 255 ? std::optional(value) : std::nullopt;
    };
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        const std::string_view item = text.substr(start, end - start);
        const std::size_t dash = item.find('-');
        const auto first = number(item.substr(0, dash));
        const auto last = dash == std::string_view::npos ? first : number(item.substr(dash + 1));
        if (!first || !last || *last < *first)
            return std::nullopt;
        for (int unit = *first; unit <= *last; ++unit) {
            if (std::find(units.begin(), units.end(), unit) != units.end())
                return std::nullopt;
            units.push_back(unit);
        }
        start = end + 1;
    }
    return units;
}

// Sets a read option; false for any other.
bool SetReadOption(std::string_view name, std::size_t index, double number, ReadOptions& read)
{
    const auto whole = static_cast<int>(number);
    if (name == "--input" || name == "--reference" || name == "--raw" || name == "--coils" ||
        name == "--discrete" || name == "--trace" || name == "--rs485" || name == "--plan")
        (name == "--input"       ? read.input
         : name == "--reference" ? read.reference
         : name == "--raw"       ? read.raw
         : name == "--coils"     ? read.coils
         : name == "--discrete"  ? read.discrete
         : name == "--trace"     ? read.trace
         : name == "--plan"      ? read.plan
                                 : read.rs485) = true;
    else if (name == "--timeout" || name == "--retries")
        (name == "--timeout" ? read.timeoutMs : read.retries) = whole;
    else if (name == "--max-gap")
        read.maxGap = whole;
    else if (name == "--baud" || name == "--stop-bits")
        (name == "--baud" ? read.baud : read.stopBits) = whole;
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

} // namespace

bool ApplyOption(const OptionEntry& entry, std::string_view value, double number,
                 CliOptions& options, std::string& error)
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
    } else if (name == "--unit") {
        const auto units = ReadUnits(value);
        if (!units) {
            error = "--unit takes unit ids from 0 to 255, or a list of them such as 1,3,5-8, "
                    "not '" +
                    Printable(value) + "'";
            return false;
        }
        options.read.units = *units;
    } else if (name == "--field") {
        options.field = static_cast<std::size_t>(number);
    } else if (name == "--skip") {
        options.skip = static_cast<std::size_t>(number);
        options.skipGiven = true;
    } else if (name == "--delimiter") {
        options.delimiter = ReadDelimiter(value);
        if (!options.delimiter) {
            error = "--delimiter takes one ASCII character, tab or space, not '" +
                    Printable(value) + "'";
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

std::span<const OptionEntry> CliOptionTable()
{
    return kOptions;
}

const OptionEntry* FindOption(std::string_view name)
{
    for (const OptionEntry& entry : kOptions)
        if (entry.name == name)
            return &entry;
    return nullptr;
}
