#include "cli/options/option_checks.h"

#include "cli/options/parse_options.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// An option that may have been given, by its name.
struct Given {
    bool given;
    const char* name;
};

// The first of `options` given, or nullptr.
template <std::size_t N> const char* FirstGiven(const Given (&options)[N])
{
    for (const Given& option : options)
        if (option.given)
            return option.name;
    return nullptr;
}

bool Contradict(std::string_view a, std::string_view b, std::string& error)
{
    error = std::string(a) + " and " + std::string(b) + " contradict each other; give one";
    return false;
}

bool Needs(std::string_view a, std::string_view b, std::string& error)
{
    error = std::string(a) + " needs " + std::string(b);
    return false;
}

std::string Bound(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, value == std::trunc(value) ? "%.0f" : "%g", value);
    return text;
}

} // namespace

std::optional<double> CheckedNumber(std::string_view text, const NumberRule& rule)
{
    // An option's value is the whole word: blanks around it are a slip.
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front())) != 0 ||
        std::isspace(static_cast<unsigned char>(text.back())) != 0)
        return std::nullopt;
    // A count or an index is written in decimal digits, as people write one.
    if (rule.whole &&
        (text.empty() ||
         text.find_first_not_of("0123456789", text[0] == '-' ? 1 : 0) != std::string_view::npos ||
         text == "-"))
        return std::nullopt;
    const auto value = ReadStrictNumber(text);
    if (!value || !(rule.lowOpen ? *value > rule.low : *value >= rule.low) ||
        !(*value <= rule.high))
        return std::nullopt;
    if (rule.whole && std::trunc(*value) != *value)
        return std::nullopt;
    return value;
}

std::string DescribeRule(const NumberRule& rule)
{
    constexpr double kMax = std::numeric_limits<double>::max();
    const std::string kind = rule.whole ? "a whole number" : "a number";
    if (std::isinf(rule.low))
        return kind + ", inf or -inf";
    if (rule.high == kMax)
        return rule.lowOpen ? kind + " above " + Bound(rule.low)
                            : "a finite " + kind.substr(2) + ", " + Bound(rule.low) + " or more";
    return kind + " from " + Bound(rule.low) + " to " + Bound(rule.high);
}

bool SettleDepthOptions(CliOptions& options, std::string& error)
{
    if (options.density && options.fluidDensity)
        return Contradict("--density", "--fluid", error);
    const char* const density = options.fluidDensity ? "--fluid" : "--density";
    if (options.fluidDensity)
        options.density = options.fluidDensity;
    const bool unesco = options.modelAsked == DepthModel::Unesco;
    if (options.gravity && options.latitude && !unesco)
        return Contradict("--gravity", "--latitude", error);
    const Given conventions[] = {{options.surface.has_value(), "--surface"},
                                 {options.density.has_value(), density},
                                 {options.gravity.has_value(), "--gravity"},
                                 {options.latitude.has_value(), "--latitude"}};
    const char* const changed = FirstGiven(conventions);
    if (changed != nullptr && options.modelAsked == DepthModel::Dialog)
        return Contradict("--model dialog", changed, error);
    // The UNESCO formula is for seawater under the gravity of its latitude.
    const Given notUnesco[] = {{options.density.has_value(), density},
                               {options.gravity.has_value(), "--gravity"}};
    if (const char* name = FirstGiven(notUnesco); name != nullptr && unesco)
        return Contradict("--model unesco", name, error);
    if (!options.modelAsked)
        options.model = options.surface || options.density || options.gravity || options.latitude
                            ? DepthModel::Physical
                            : DepthModel::Dialog;
    else
        options.model = *options.modelAsked;
    return true;
}

bool SettleInputOptions(const CommandUsage& usage, CliOptions& options, std::string& error)
{
    const bool record = usage.records;
    const Given notBinary[] = {{options.field.has_value(), "--field"},
                               {options.strict, "--strict"},
                               {options.each, "--each"},
                               {options.registers, "--registers"}};
    if (const char* name = FirstGiven(notBinary); name != nullptr && options.binary)
        return Contradict("--binary", name, error);
    if (options.read.samples && !options.read.watch)
        return Needs("--samples", "--watch", error);
    if (options.skipGiven && !options.binary)
        return Needs("--skip", "--binary", error);
    if (options.replace && !options.field)
        return Needs("--replace", "--field", error);
    if (options.header && !options.field && !record)
        return Needs("--header", "--field", error);
    if (options.strict && options.each) // one value's bytes a line, or every value
        return Contradict("--strict", "--each", error);
    if (options.header && options.each) // lines of several values have no one name
        return Contradict("--header", "--each", error);
    if (options.json && record && (options.field || options.header))
        return Contradict("--json", options.field ? "--field" : "--header", error);
    if (options.delimiter && !options.field && !options.each && !record)
        return Needs("--delimiter", Takes(usage, "--each") ? "--field or --each" : "--field",
                     error);
    return true;
}

const char* CommandLineOnlyOption(const CliOptions& options)
{
    const Given lineOnly[] = {{options.registers, "--registers"},
                              {options.each, "--each"},
                              {options.strict, "--strict"},
                              {options.field.has_value(), "--field"},
                              {options.delimiter.has_value(), "--delimiter"},
                              {options.replace, "--replace"},
                              {options.header, "--header"},
                              {options.binary, "--binary"}};
    return FirstGiven(lineOnly);
}
