// pressure VALUE FROM TO: a pressure from one unit to another.
#pragma once

#include "cli/commands/command.h"

extern const CliCommand kPressureCommand;

// Runs pressure, depth or pressure-at, our own number commands, on the
// words after the options (cli/convert/pressure_line.h).
int RunNumberCommand(const CliCommand& command, const CliOptions& options,
                     std::span<const std::string_view> words, const CliStreams& io);
