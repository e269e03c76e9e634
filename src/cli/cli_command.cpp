#include "cli/cli_command.h"

#include "res/resource.h"

namespace {

constexpr CliCommand kCommands[] = {
    {"float", Conversion::Float, IDC_TO_FLOAT, IDC_HEX_TEXT, IDC_VALUE_TEXT},
    {"double", Conversion::Double, IDC_TO_DOUBLE, IDC_HEX_TEXT, IDC_VALUE_TEXT},
    {"psi", Conversion::Psi, IDC_KPA_TO_PSI, IDC_VALUE_TEXT, IDC_RESULT_TEXT},
    {"metres", Conversion::Metres, IDC_KPA_TO_METRES, IDC_VALUE_TEXT, IDC_RESULT_TEXT},
};

} // namespace

const CliCommand* FindCliCommand(std::string_view name)
{
    for (const CliCommand& command : kCommands)
        if (command.name == name)
            return &command;
    return nullptr;
}
