// A value written in the format the options ask for.
#pragma once

#include "core/float_type.h"

#include <cstdint>
#include <string>

// How a value is written.
enum class ValueFormat { Fixed, Shortest, Exact, Hex };

// A format and, for fixed notation, its decimals (six: the dialog's).
struct ValueStyle {
    ValueFormat format = ValueFormat::Fixed;
    int digits = 6;
};

// The longest text ValueText writes: the exact form of the smallest
// subnormal double has 767 significant digits after "0." and its zeros.
inline constexpr std::size_t kMaxValueText = 1100;

// The value of pattern `bits` of `type` in `style`: fixed with its
// digits (six: exactly the dialog's "%f"), shortest, exact or hex.
std::string ValueText(FloatType type, std::uint64_t bits, const ValueStyle& style);

// A double result (a pressure) in `style`.
std::string ValueText(double value, const ValueStyle& style);
