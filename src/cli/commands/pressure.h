// pressure VALUE FROM TO: a pressure from one unit to another.
#pragma once

#include "cli/commands/command.h"

extern const CliCommand kPressureCommand;
