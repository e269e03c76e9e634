// Every option tarvel-cli knows, once: its name, its argument and what the
// argument may be. Which command takes which is each command's own usage
// (cli/options/command_usage.h).
#pragma once

#include "cli/options/cli_options.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

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
    std::string_view help;     // one line, where a command says nothing of its own
    // The names its argument takes; none for a number or any text.
    std::span<const std::string_view> values;
    // For a number: the numbers it takes.
    std::optional<NumberRule> number = std::nullopt;
};

// Every option, in the order the commands' help lists them.
std::span<const OptionEntry> CliOptionTable();

// The option named exactly `name` ("--order"), or null.
const OptionEntry* FindOption(std::string_view name);

// Sets what `entry` says in `options`, its argument `value` already checked
// against its number rule (`number`) where it has one. False with `error`
// naming the value when it is not one of the names the option takes.
bool ApplyOption(const OptionEntry& entry, std::string_view value, double number,
                 CliOptions& options, std::string& error);
