#include "cli/option_checks.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

std::string Bound(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

} // namespace

std::optional<double> CheckedNumber(std::string_view text, const NumberRule& rule)
{
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
    const auto conflict = [&](const char* a, const char* b) {
        error = std::string(a) + " and " + b + " contradict each other; give one";
        return false;
    };
    if (options.density && options.fluidDensity)
        return conflict("--density", "--fluid");
    const char* const density = options.fluidDensity ? "--fluid" : "--density";
    if (options.fluidDensity)
        options.density = options.fluidDensity;
    const struct {
        bool given;
        const char* name;
    } changes[] = {{options.surface.has_value(), "--surface"},
                   {options.density.has_value(), density},
                   {options.gravity.has_value(), "--gravity"},
                   {options.latitude.has_value(), "--latitude"}};
    const bool unesco = options.modelAsked == DepthModel::Unesco;
    if (options.gravity && options.latitude && !unesco)
        return conflict("--gravity", "--latitude");
    for (const auto& change : changes) {
        if (!change.given)
            continue;
        if (options.modelAsked == DepthModel::Dialog)
            return conflict("--model dialog", change.name);
        if (unesco && change.name != std::string_view("--surface") &&
            change.name != std::string_view("--latitude"))
            return conflict("--model unesco", change.name);
    }
    if (!options.modelAsked)
        options.model = options.surface || options.density || options.gravity || options.latitude
                            ? DepthModel::Physical
                            : DepthModel::Dialog;
    else
        options.model = *options.modelAsked;
    return true;
}

bool SettleInputOptions(const CliCommand& command, CliOptions& options, std::string& error)
{
    // read prints records and values as record does.
    const bool record =
        command.conversion == Conversion::Record || command.conversion == Conversion::Read;
    const auto conflict = [&](const char* a, const char* b) {
        error = std::string(a) + " and " + b + " contradict each other; give one";
        return false;
    };
    const auto needs = [&](const char* a, const char* b) {
        error = std::string(a) + " needs " + b;
        return false;
    };
    const struct {
        bool given;
        const char* name;
    } notBinary[] = {{options.field.has_value(), "--field"},
                     {options.strict, "--strict"},
                     {options.each, "--each"},
                     {options.registers, "--registers"}};
    for (const auto& other : notBinary)
        if (options.binary && other.given)
            return conflict("--binary", other.name);
    if (options.read.samples && !options.read.watch)
        return needs("--samples", "--watch");
    if (options.skip > 0 && !options.binary)
        return needs("--skip", "--binary");
    if (options.replace && !options.field)
        return needs("--replace", "--field");
    if (options.header && !options.field && !record)
        return needs("--header", "--field");
    if (options.json && record && options.field)
        return conflict("--json", "--field");
    if (options.json && record && options.header)
        return conflict("--json", "--header");
    if (options.delimiter && !options.field && !options.each && !record)
        return needs("--delimiter",
                     (command.kind & kHexCommand) != 0 ? "--field or --each" : "--field");
    return true;
}

const char* CommandLineOnlyOption(const CliOptions& options)
{
    const struct {
        bool given;
        const char* name;
    } options_[] = {{options.registers, "--registers"},
                    {options.each, "--each"},
                    {options.strict, "--strict"},
                    {options.field.has_value(), "--field"},
                    {options.delimiter.has_value(), "--delimiter"},
                    {options.replace, "--replace"},
                    {options.header, "--header"},
                    {options.binary, "--binary"}};
    for (const auto& option : options_)
        if (option.given)
            return option.name;
    return nullptr;
}
