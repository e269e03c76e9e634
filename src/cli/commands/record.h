// record LAYOUT [TEXT...]: a record's bytes decoded field by field.
#pragma once

#include "cli/commands/command.h"

extern const CliCommand kRecordCommand;
