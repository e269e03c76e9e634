// Everything a few bytes can be: each type their count allows, in each
// byte order, as inspect prints them.
#pragma once

#include "cli/options/cli_options.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// The most WriteInspection writes: four float64 rows of at most about 1,500
// characters (the exact digits of a subnormal), 28 shorter rows.
inline constexpr std::size_t kMostInspection = 16384;

// Writes the rows for `bytes` (two to eight; fewer than two give none) at
// `out`, which has room for kMostInspection characters, as inspect prints
// them: JSON with options.json, sorted with options.nearest; the header line,
// a row per type and order, a blank line. Returns the end. Allocates nothing.
char* WriteInspection(std::span<const std::uint8_t> bytes, const CliOptions& options, char* out);

// WriteInspection's text as a string.
std::string InspectBytes(std::span<const std::uint8_t> bytes, const CliOptions& options);
