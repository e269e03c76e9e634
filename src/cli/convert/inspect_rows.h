// Everything a few bytes can be: each type their count allows, in each
// byte order, as inspect prints them.
#pragma once

#include "cli/options/cli_options.h"

#include <cstdint>
#include <string>
#include <vector>

// The rows for `bytes` (two to eight; fewer than two give none) as inspect
// prints them, JSON with options.json, sorted with options.nearest: the
// header line, a row per type and order, a blank line.
std::string InspectBytes(const std::vector<std::uint8_t>& bytes, const CliOptions& options);
