// tarvel-cli inspect: everything a few bytes can be.
#pragma once

#include "cli/cli_options.h"
#include "cli/run_tarvel_cli.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The rows for `bytes` (two to eight; fewer than two give none) as inspect
// prints them, JSON with options.json, sorted with options.nearest: the
// header line, a row per type and order, a blank line.
std::string InspectBytes(const std::vector<std::uint8_t>& bytes, const CliOptions& options);

// `words` holds the TEXT (joined with spaces), or nothing to read one TEXT
// per line of the input. Returns the exit status.
int RunInspect(const CliOptions& options, std::span<const std::string_view> words,
               const CliStreams& io);
