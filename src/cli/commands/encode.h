// encode TYPE VALUE: the bytes to write for a value.
#pragma once

#include "cli/commands/command.h"

#include <span>
#include <string_view>

extern const CliCommand kEncodeCommand;

// The TYPE names encode takes, in the order its messages list them.
std::span<const std::string_view> EncodeTypeNames();
