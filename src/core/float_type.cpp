#include "core/float_type.h"

#include <bit>
#include <cmath>

double DecodeBits(FloatType type, std::uint64_t bits)
{
    if (type == FloatType::Float64)
        return std::bit_cast<double>(bits);
    const int fractionBits = LayoutOf(type).fractionBits;
    const FloatFields fields = FieldsOf(type, bits);
    const std::uint64_t sign = fields.negative ? SignBit(FloatType::Float64) : 0;
    // Infinity or NaN: the fraction moves up to the top of the double's.
    if (fields.exponent == MaxExponent(type))
        return std::bit_cast<double>(sign | InfinityBits(FloatType::Float64) |
                                     (fields.fraction << (52 - fractionBits)));
    const auto bias = static_cast<int>(MaxExponent(type) >> 1);
    if (fields.exponent == 0) { // subnormal or zero: fraction * 2^(1 - bias - fractionBits), exact
        const double magnitude =
            std::ldexp(static_cast<double>(fields.fraction), 1 - bias - fractionBits);
        return fields.negative ? -magnitude : magnitude;
    }
    // The same power of two in the double's bias: in 1..2046 for every layout.
    const std::uint64_t doubleBiased = fields.exponent + static_cast<std::uint64_t>(1023 - bias);
    return std::bit_cast<double>(sign | (doubleBiased << 52) |
                                 (fields.fraction << (52 - fractionBits)));
}
