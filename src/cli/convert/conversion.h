// What a command computes, and where the dialog computes the same.
#pragma once

#include "cli/options/cli_options.h"
#include "core/float_type.h"
#include "framework/afx_types.h"

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

// The dialog's button for a value conversion (float, double, half, bfloat16,
// psi, metres; the 16-bit types read their bytes as "32 bit float" does,
// then take the first two), the field its text is typed into and the field
// it writes. All zero for the conversions the dialog has no button for.
struct DialogButton {
    UINT button;
    int inputField;
    int outputField;
};
DialogButton DialogButtonOf(Conversion conversion);

// The type a hex conversion's bytes make: float32, double, half or
// bfloat16; float64 for the pressure conversions, whose results are doubles.
FloatType ValueTypeOf(Conversion conversion);

// Whether `conversion` with `options` is exactly one of the dialog's
// buttons, so the dialog's own path gives the result byte for byte.
bool IsDialogPath(Conversion conversion, const CliOptions& options);

// Whether `conversion` is one of the dialog's pressure buttons (psi, metres).
bool IsDialogPressure(Conversion conversion);
