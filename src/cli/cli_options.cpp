#include "cli/cli_options.h"

#include "cli/cli_command.h"
#include "cli/printable.h"
#include "core/encode.h"

#include <algorithm>
#include <bit>
#include <charconv>

namespace {

constexpr unsigned kValueCommands = kHexCommand | kPressureCommand | kUnitsCommand | kDepthCommand;

// The names an option's argument takes, each mapped in order by SetOption.
constexpr std::string_view kFormatNames[] = {"fixed", "shortest", "exact", "hex"};
constexpr ValueFormat kFormats[] = {ValueFormat::Fixed, ValueFormat::Shortest, ValueFormat::Exact,
                                    ValueFormat::Hex};
constexpr std::string_view kFluidNames[] = {"seawater", "freshwater"};
constexpr double kFluidDensities[] = {1026.0, 1000.0};
constexpr std::string_view kModelNames[] = {"dialog", "physical", "unesco"};
constexpr DepthModel kModels[] = {DepthModel::Dialog, DepthModel::Physical, DepthModel::Unesco};

constexpr OptionEntry kOptions[] = {
    {"--order", "ORDER", kHexCommand | kEncodeCommand,
     "byte order: ABCD (big, 1234, default), DCBA (little, 4321), CDAB (word-swap, 3412), "
     "BADC (byte-swap, 2143); eight-letter and AB/BA forms too",
     BYTE_ORDER_NAMES},
    {"--format", "NAME", kValueCommands, "fixed (six decimals, default), shortest, exact or hex",
     kFormatNames},
    {"--digits", "N", kValueCommands, "fixed notation with N decimals, 0 to 60", {}},
    {"--registers", "", kEncodeCommand, "print 16-bit words in decimal instead of bytes", {}},
    {"--near", "VALUE", kInspectCommand, "sort the rows by distance from VALUE, nearest first", {}},
    {"--json", "", kInspectCommand, "print JSON (one object per line of input)", {}},
    {"--surface", "KPA", kDepthCommand, "absolute pressure at the surface, kPa", {}},
    {"--density", "KG_PER_M3", kDepthCommand, "density of the water column", {}},
    {"--fluid", "NAME", kDepthCommand, "seawater (1026 kg/m^3) or freshwater (1000 kg/m^3)",
     kFluidNames},
    {"--gravity", "M_PER_S2", kDepthCommand, "acceleration of gravity", {}},
    {"--latitude",
     "DEG",
     kDepthCommand,
     "gravity from latitude (1980 international gravity formula); the UNESCO model's latitude",
     {}},
    {"--model", "NAME", kDepthCommand, "dialog (default), physical or unesco", kModelNames},
};

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

// A number as a whole, or a message naming the option and the text.
bool ReadOptionNumber(std::string_view option, std::string_view value, std::optional<double>& to,
                      std::string& error)
{
    to = ReadStrictNumber(value);
    if (!to)
        error = std::string(option) + " takes a number, not '" + Printable(value) + "'";
    return to.has_value();
}

bool SetDepthOption(const OptionEntry& entry, std::string_view value, CliOptions& options,
                    std::string& error)
{
    const std::string_view name = entry.name;
    if (name == "--model") {
        const auto index = NameIndex(entry, value, error);
        if (index)
            options.model = kModels[*index];
        return index.has_value();
    }
    if (options.model == DepthModel::Dialog)
        options.model = DepthModel::Physical;
    if (name == "--fluid") {
        const auto index = NameIndex(entry, value, error);
        if (index)
            options.density = kFluidDensities[*index];
        return index.has_value();
    }
    std::optional<double>& to = name == "--surface"   ? options.surface
                                : name == "--density" ? options.density
                                : name == "--gravity" ? options.gravity
                                                      : options.latitude;
    if (!ReadOptionNumber(name, value, to, error))
        return false;
    if ((name == "--density" || name == "--gravity") && !(*to > 0)) {
        error = std::string(name) + " must be above zero, not '" + Printable(value) + "'";
        return false;
    }
    if (name == "--latitude" && !(*to >= -90 && *to <= 90)) {
        error = "--latitude must be from -90 to 90, not '" + Printable(value) + "'";
        return false;
    }
    return true;
}

bool SetOption(const OptionEntry& entry, std::string_view value, CliOptions& options,
               std::string& error)
{
    if (entry.name == "--order") {
        const auto order = ParseByteOrder(value);
        if (!order) {
            error = "unknown byte order '" + Printable(value) + "' (" + OrderNames() + ")";
            return false;
        }
        options.order = *order;
    } else if (entry.name == "--format") {
        const auto index = NameIndex(entry, value, error);
        if (!index)
            return false;
        options.format = kFormats[*index];
    } else if (entry.name == "--digits") {
        int digits = -1;
        const auto [end, problem] =
            std::from_chars(value.data(), value.data() + value.size(), digits);
        if (problem != std::errc() || end != value.data() + value.size() || digits < 0 ||
            digits > 60) {
            error = "--digits takes a whole number from 0 to 60, not '" + Printable(value) + "'";
            return false;
        }
        options.format = ValueFormat::Fixed;
        options.digits = digits;
    } else if (entry.name == "--registers") {
        options.registers = true;
    } else if (entry.name == "--near") {
        options.nearValue = std::string(value);
    } else if (entry.name == "--json") {
        options.json = true;
    } else {
        return SetDepthOption(entry, value, options, error);
    }
    return true;
}

} // namespace

std::span<const OptionEntry> CliOptionTable()
{
    return kOptions;
}

std::optional<std::size_t> ParseCliOptions(std::span<const std::string_view> words, unsigned kind,
                                           CliOptions& options, std::string& error)
{
    std::size_t k = 0;
    while (k < words.size() && words[k].starts_with("--")) {
        const std::string_view word = words[k++];
        if (word == "--")
            return k;
        const OptionEntry* found = nullptr;
        for (const OptionEntry& entry : kOptions)
            if (entry.name == word && (entry.commands & kind) != 0)
                found = &entry;
        if (found == nullptr) {
            error = "unknown option '" + Printable(word) +
                    "' (accepted here: " + AcceptedOptions(kind) + ")";
            return std::nullopt;
        }
        std::string_view value;
        if (!found->argument.empty()) {
            if (k == words.size()) {
                error = std::string(word) + " needs " + std::string(found->argument);
                return std::nullopt;
            }
            value = words[k++];
        }
        if (!SetOption(*found, value, options, error))
            return std::nullopt;
    }
    return k;
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
        const std::size_t end = std::min(text.find(' ', start), text.size());
        words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}
