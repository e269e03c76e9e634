// The checks on option values that no single option can make alone: numbers
// against their rules, and depth options against each other.
#pragma once

#include "cli/options/cli_options.h"
#include "cli/options/command_usage.h"
#include "cli/options/option_table.h"

#include <optional>
#include <string>
#include <string_view>

// `text` as a number within `rule`, or nullopt: not a number (blanks around
// it included), NaN, or out of range (an infinity only where a bound is one; a fraction where whole
// numbers are asked).
std::optional<double> CheckedNumber(std::string_view text, const NumberRule& rule);

// What `rule` takes, for a message: "a number above 0", "a whole number from
// 0 to 60", "a number from -90 to 90".
std::string DescribeRule(const NumberRule& rule);

// Settles options.model from what was given, refusing by name the options
// that contradict each other: --gravity with --latitude (unless the model is
// unesco, whose latitude it is), --density with --fluid, --model dialog with
// any option that changes the dialog's conventions, --model unesco with
// --density, --fluid or --gravity. False with `error` set.
bool SettleDepthOptions(CliOptions& options, std::string& error);

// Refuses by name the input options that contradict each other or need
// another: --binary with --field, --strict, --each, --registers or --json's
// field output; --skip without --binary; --replace or (but for a command that
// prints records) --header without --field; --delimiter where nothing is delimited; --json
// with --field or --header. False with `error` set.
bool SettleInputOptions(const CommandUsage& usage, CliOptions& options, std::string& error);

// The first option given that only a command line takes (a session line runs
// the dialog, which reads its text one way): its name, or nullptr.
const char* CommandLineOnlyOption(const CliOptions& options);
