// A small text file read whole: a points list, not a stream of data.
#pragma once

#include "cli/output/std_streams.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::size_t kMostSmallFile = std::size_t{1} << 20;

// The bytes of the file at `path`, or of standard input for "-", at most
// kMostSmallFile. Nullopt with a one-line `error` naming the file when it
// cannot be opened or read, is larger, or a signal (io.interrupted) cut the
// read short.
std::optional<std::string> ReadSmallFile(std::string_view path, const CliStreams& io,
                                         std::string& error);
