// float, double, half and bfloat16 (and psi and metres without TEXT): the
// dialog's forgiving reading by default, and the shapes bytes arrive in.
#pragma once

#include "cli/cli_command.h"
#include "cli/cli_options.h"
#include "cli/run_tarvel_cli.h"

#include <span>
#include <string_view>

// Runs a value command with `words`, the TEXT words after the options:
// --binary reads raw bytes (a FILE word, or standard input); --field takes
// each line's TEXT from a field; --strict, --each or --registers read the
// bytes strictly; otherwise the dialog reads each TEXT, or each line of
// standard input without one.
int RunValueCommand(const CliCommand& command, const CliOptions& options,
                    std::span<const std::string_view> words, const CliStreams& io);
