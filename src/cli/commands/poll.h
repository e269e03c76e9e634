// poll POINTS: named points read from Modbus devices, a row per sample.
#pragma once

#include "cli/commands/command.h"

extern const CliCommand kPollCommand;
