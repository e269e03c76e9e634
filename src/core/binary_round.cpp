#include "core/binary_round.h"

#include <algorithm>
#include <bit>

std::uint64_t RoundBinary(FloatType type, bool negative, std::uint64_t significand, int exponent,
                          int beyond)
{
    const int fractionBits = LayoutOf(type).fractionBits;
    const std::uint64_t sign = negative ? SignBit(type) : 0;
    if (significand == 0)
        return sign;
    const auto bias = static_cast<int>(MaxExponent(type) >> 1);
    const int minExponent = 1 - bias;

    // Leading bit at 63: value = significand * 2^exponent, leading bit's weight 2^top.
    const int leadingZeros = std::countl_zero(significand);
    significand <<= leadingZeros;
    const long top = static_cast<long>(exponent) - leadingZeros + 63;
    if (top > bias) // at least 2^(largest exponent + 1): beyond the rounding limit
        return sign | InfinityBits(type);

    // The type's last place there is 2^(max(top, minExponent) - fractionBits);
    // `shift` counts the significand's bits below it (at least 63 - 52).
    const long binade = std::max(top, static_cast<long>(minExponent));
    const long shift = binade - top + 63 - fractionBits;
    std::uint64_t units = 0; // the value in last places, truncated
    std::uint64_t rest = 0;  // the bits below, against `half`
    std::uint64_t half = 0;
    if (shift > 64)
        return sign; // below half the last place, whatever `beyond` says
    if (shift == 64) {
        rest = significand;
        half = std::uint64_t{1} << 63;
    } else {
        units = significand >> shift;
        rest = significand & ((std::uint64_t{1} << shift) - 1);
        half = std::uint64_t{1} << (shift - 1);
    }
    const bool up = rest > half || (rest == half && (beyond > 0 || (beyond == 0 && (units & 1))));
    units += up ? 1 : 0;
    // The exponent field (less one, since `units` carries the leading bit) plus
    // the units: a carry out of the fraction moves into the exponent, up to
    // infinity; a subnormal has field 0 and no leading bit.
    const auto field = static_cast<std::uint64_t>(binade + bias - 1);
    return sign | ((field << fractionBits) + units);
}

std::uint64_t RoundDouble(FloatType type, double value, int beyond)
{
    const FloatFields fields = FieldsOf(FloatType::Float64, std::bit_cast<std::uint64_t>(value));
    if (fields.exponent == MaxExponent(FloatType::Float64)) {
        std::uint64_t result = InfinityBits(type) | (fields.negative ? SignBit(type) : 0);
        if (fields.fraction != 0) // quiet bit plus the payload's top
            result |= QuietBit(type) | (fields.fraction >> (52 - LayoutOf(type).fractionBits));
        return result;
    }
    const BinaryMagnitude magnitude = MagnitudeOf(fields);
    return RoundBinary(type, fields.negative, magnitude.significand, magnitude.exponent, beyond);
}
