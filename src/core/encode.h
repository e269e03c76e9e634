// Reading a number text as the bit pattern of a floating-point type.
#pragma once

#include "core/float_type.h"

#include <cstdint>
#include <optional>
#include <string_view>

// The pattern of `type` (in the low bytes) for `text`, which must be a number
// as a whole, with white space (" \t\n\v\f\r") allowed around it: an optional
// sign, then decimal digits with an optional point and exponent ("1.5e-3",
// ".5", "2."), a C hexadecimal form ("0x1.8p1", the exponent optional), or
// "inf", "infinity" or "nan" in any case (a NaN is quiet, with the sign).
// Rounded once, from the exact value to the type, to nearest, ties to even:
// never through double for Float32, and for Half and BFloat16 a double that
// lands exactly halfway between two patterns is settled against the text's
// own digits. Too large gives infinity, at or below half the smallest
// subnormal a zero, both with the sign. Anything else is nullopt.
std::optional<std::uint64_t> EncodeBits(FloatType type, std::string_view text);
