// The four buttons as tarvel-cli names them.
#pragma once

#include "framework/afx_types.h"

#include <string_view>

// What a command computes, for the column path that converts without a dialog.
enum class Conversion { Float, Double, Psi, Metres };

struct CliCommand {
    std::string_view name; // "float", "double", "psi", "metres"
    Conversion conversion;
    UINT button;           // the button it clicks
    int inputField;        // the field its TEXT is typed into
    int outputField;       // the field it writes and tarvel-cli prints
};

// The command named exactly `name` (case matters), or null.
const CliCommand* FindCliCommand(std::string_view name);
