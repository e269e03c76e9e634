#include "cli/commands/command.h"

#include "cli/commands/depth.h"
#include "cli/commands/encode.h"
#include "cli/commands/inspect.h"
#include "cli/commands/poll.h"
#include "cli/commands/pressure.h"
#include "cli/commands/read.h"
#include "cli/commands/record.h"
#include "cli/commands/value.h"

namespace {

constexpr const CliCommand* kCommands[] = {
    &kFloatCommand,      &kDoubleCommand, &kHalfCommand,    &kBFloat16Command, &kPsiCommand,
    &kMetresCommand,     &kEncodeCommand, &kInspectCommand, &kPressureCommand, &kDepthCommand,
    &kPressureAtCommand, &kRecordCommand, &kReadCommand,  &kPollCommand,
};

} // namespace

std::span<const CliCommand* const> CliCommandTable()
{
    return kCommands;
}

const CliCommand* FindCliCommand(std::string_view name)
{
    for (const CliCommand* command : kCommands)
        if (command->usage.name == name)
            return command;
    return nullptr;
}
