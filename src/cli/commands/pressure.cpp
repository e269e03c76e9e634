// pressure VALUE FROM TO: a pressure from one unit to another.
#include "cli/commands/pressure.h"

#include "cli/convert/pressure_line.h"
#include "core/pressure_units.h"

#include <string>

namespace {

std::string UnitList();

} // namespace

const CliCommand kPressureCommand{
    {.name = "pressure",
     .synopsis = "[OPTION...] VALUE FROM TO\n[OPTION...] FROM TO",
     .summary = "a pressure from one unit to another",
     .description = "VALUE in unit FROM converted to unit TO, each unit's factor in pascals\n"
                    "exact where its definition is. VALUE is read strictly: a text that is not\n"
                    "a number is refused, status 2. Without VALUE, each line of standard input\n"
                    "is one. Unit names are read as below.\n",
     .options = kNumberColumnOptions,
     .examples = "  tarvel-cli pressure 1 atm psi                   14.695949\n"
                 "  tarvel-cli pressure 1 bar kPa                   100.000000\n"
                 "  tarvel-cli pressure --field 2 psi kPa < log.csv  # appends a column\n",
     .more = UnitList},
    Conversion::Pressure,
    RunNumberCommand,
    InSession::Beside};

namespace {

// Each unit with its factor in pascals, and where the factor comes from.
std::string UnitList()
{
    std::string text = "Units:\n";
    for (const PressureUnit unit : ALL_PRESSURE_UNITS) {
        std::string name = "  " + std::string(PressureUnitName(unit));
        name.resize(8, ' ');
        text += name + std::string(PressureUnitSource(unit)) + "\n";
    }
    return text;
}

} // namespace

int RunNumberCommand(const CliCommand& command, const CliOptions& options,
                     std::span<const std::string_view> words, const CliStreams& io)
{
    return RunPressureCommand(command.conversion, command.usage.name, options, words, io);
}
