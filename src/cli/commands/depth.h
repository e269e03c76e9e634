// depth KPA and pressure-at METRES: depth from absolute pressure, and back.
#pragma once

#include "cli/commands/command.h"

extern const CliCommand kDepthCommand;
extern const CliCommand kPressureAtCommand;
