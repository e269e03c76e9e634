#include "cli/convert/conversion.h"

#include "res/resource.h"

DialogButton DialogButtonOf(Conversion conversion)
{
    switch (conversion) {
    case Conversion::Float:
    case Conversion::Half:
    case Conversion::BFloat16:
        return {IDC_TO_FLOAT, IDC_HEX_TEXT, IDC_VALUE_TEXT};
    case Conversion::Double:
        return {IDC_TO_DOUBLE, IDC_HEX_TEXT, IDC_VALUE_TEXT};
    case Conversion::Psi:
        return {IDC_KPA_TO_PSI, IDC_VALUE_TEXT, IDC_RESULT_TEXT};
    case Conversion::Metres:
        return {IDC_KPA_TO_METRES, IDC_VALUE_TEXT, IDC_RESULT_TEXT};
    default:
        return {0, 0, 0};
    }
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

bool IsDialogPath(Conversion conversion, const CliOptions& options)
{
    return options.IsDialogDefault() && conversion != Conversion::Half &&
           conversion != Conversion::BFloat16;
}

bool IsDialogPressure(Conversion conversion)
{
    return conversion == Conversion::Psi || conversion == Conversion::Metres;
}
