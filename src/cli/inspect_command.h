// tarvel-cli inspect: everything a few bytes can be.
#pragma once

#include "cli/cli_options.h"
#include "cli/run_tarvel_cli.h"

#include <span>
#include <string_view>

// `words` holds the TEXT (joined with spaces), or nothing to read one TEXT
// per line of the input. Returns the exit status.
int RunInspect(const CliOptions& options, std::span<const std::string_view> words,
               const CliStreams& io);
