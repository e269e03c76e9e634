// float, double, half and bfloat16, psi and metres: the dialog's four
// buttons, and the two 16-bit types read as "32 bit float" reads its bytes.
#pragma once

#include "cli/commands/command.h"

extern const CliCommand kFloatCommand;
extern const CliCommand kDoubleCommand;
extern const CliCommand kHalfCommand;
extern const CliCommand kBFloat16Command;
extern const CliCommand kPsiCommand;
extern const CliCommand kMetresCommand;
