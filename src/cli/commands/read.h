// read DEVICE ADDRESS WHAT: registers from a Modbus device, decoded.
#pragma once

#include "cli/commands/command.h"

extern const CliCommand kReadCommand;
