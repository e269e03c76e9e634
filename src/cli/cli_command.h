// The commands as tarvel-cli names them.
#pragma once

#include "core/float_type.h"
#include "framework/afx_types.h"

#include <span>
#include <string_view>

// What a command computes.
enum class Conversion {
    Float,
    Double,
    Half,
    BFloat16,
    Psi,
    Metres,
    Encode,
    Inspect,
    Pressure,
    Depth,
    PressureAt,
    Record,
    Read
};

// Which options a command takes (see cli_options.h), as bits.
enum CommandKind : unsigned {
    kHexCommand = 1,      // bytes read from a hex text into a value
    kPressureCommand = 2, // a pressure text into a value
    kEncodeCommand = 4,
    kInspectCommand = 8,
    kUnitsCommand = 16, // pressure VALUE FROM TO
    kDepthCommand = 32, // depth and pressure-at
    kRecordCommand = 64,
    kReadCommand = 128, // registers from a device
};

struct CliCommand {
    std::string_view name; // "float", "double", ...
    Conversion conversion;
    unsigned kind;            // a CommandKind
    UINT button;              // the dialog button it clicks, 0 for none
    int inputField;           // the field its TEXT is typed into
    int outputField;          // the field it writes and tarvel-cli prints
    std::string_view summary; // one line, for shell completion
};

// Every command, in the order --help lists them.
std::span<const CliCommand> CliCommandTable();

// The command named exactly `name` (case matters), or null.
const CliCommand* FindCliCommand(std::string_view name);

// The type a hex command's bytes make: float32, double, half or bfloat16;
// float64 for the pressure commands, whose results are doubles.
FloatType ValueTypeOf(Conversion conversion);
