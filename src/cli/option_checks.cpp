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
