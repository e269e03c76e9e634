// inspect [TEXT]: everything a few bytes can be.
#pragma once

#include "cli/commands/command.h"

extern const CliCommand kInspectCommand;
