#include "cli/cli_command.h"

#include "res/resource.h"

namespace {

// The 16-bit types read their bytes as "32 bit float" does, then take the
// first two; the commands beyond the dialog have no button.
constexpr CliCommand kCommands[] = {
    {"float", Conversion::Float, kHexCommand, IDC_TO_FLOAT, IDC_HEX_TEXT, IDC_VALUE_TEXT,
     "hex bytes -> 32-bit float"},
    {"double", Conversion::Double, kHexCommand, IDC_TO_DOUBLE, IDC_HEX_TEXT, IDC_VALUE_TEXT,
     "hex bytes -> 64-bit double"},
    {"half", Conversion::Half, kHexCommand, IDC_TO_FLOAT, IDC_HEX_TEXT, IDC_VALUE_TEXT,
     "hex bytes -> IEEE 754 binary16"},
    {"bfloat16", Conversion::BFloat16, kHexCommand, IDC_TO_FLOAT, IDC_HEX_TEXT, IDC_VALUE_TEXT,
     "hex bytes -> bfloat16"},
    {"psi", Conversion::Psi, kPressureCommand, IDC_KPA_TO_PSI, IDC_VALUE_TEXT, IDC_RESULT_TEXT,
     "kPa -> psi"},
    {"metres", Conversion::Metres, kPressureCommand, IDC_KPA_TO_METRES, IDC_VALUE_TEXT,
     IDC_RESULT_TEXT, "kPa -> metres of seawater head"},
    {"encode", Conversion::Encode, kEncodeCommand, 0, 0, 0, "the bytes of a value"},
    {"inspect", Conversion::Inspect, kInspectCommand, 0, 0, 0,
     "every type and byte order the bytes can be"},
    {"pressure", Conversion::Pressure, kUnitsCommand, 0, 0, 0,
     "a pressure from one unit to another"},
    {"depth", Conversion::Depth, kDepthCommand, 0, 0, 0,
     "absolute pressure in kPa -> depth in metres"},
    {"pressure-at", Conversion::PressureAt, kDepthCommand, 0, 0, 0,
     "depth in metres -> absolute pressure in kPa"},
    {"record", Conversion::Record, kRecordCommand, 0, 0, 0, "the fields of a record's bytes"},
    {"read", Conversion::Read, kReadCommand, 0, 0, 0,
     "registers read from a Modbus device (read-only), decoded"},
};

} // namespace

std::span<const CliCommand> CliCommandTable()
{
    return kCommands;
}

const CliCommand* FindCliCommand(std::string_view name)
{
    for (const CliCommand& command : kCommands)
        if (command.name == name)
            return &command;
    return nullptr;
}

FloatType ValueTypeOf(Conversion conversion)
{
    switch (conversion) {
    case Conversion::Float:
        return FloatType::Float32;
    case Conversion::Half:
        return FloatType::Half;
    case Conversion::BFloat16:
        return FloatType::BFloat16;
    default:
        return FloatType::Float64;
    }
}
