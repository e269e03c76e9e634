// A tarvel-cli command: its usage, what it computes and how it runs. Each
// command is defined in a file of its own, which opens with its usage; the
// table lists them in the order the overview shows them.
#pragma once

#include "cli/convert/conversion.h"
#include "cli/options/cli_options.h"
#include "cli/options/command_usage.h"
#include "cli/output/std_streams.h"

#include <span>
#include <string_view>

struct CliCommand;

// Runs `command` with `words`, the words that are not options, once its
// options are read into `options`. Returns the exit status.
using RunCommand = int (*)(const CliCommand& command, const CliOptions& options,
                           std::span<const std::string_view> words, const CliStreams& io);

// How a line of a session (tarvel-cli without a command) runs the command.
enum class InSession {
    No,     // not a session command
    Dialog, // typed into the dialog's field, its button clicked
    Beside, // our own conversion, the dialog left as it is
};

struct CliCommand {
    CommandUsage usage;
    Conversion conversion;
    RunCommand run;
    InSession session = InSession::No;
};

// The options of a command that turns a number into another, one TEXT, a
// column of them or a field of delimited lines (psi, metres, pressure).
inline constexpr OptionUse kNumberColumnOptions[] = {
    {"--format"}, {"--digits"}, {"--field"}, {"--delimiter"}, {"--replace"}, {"--header"},
};

// Every command, in the order the overview lists them.
std::span<const CliCommand* const> CliCommandTable();

// The command named exactly `name` (case matters), or null.
const CliCommand* FindCliCommand(std::string_view name);
