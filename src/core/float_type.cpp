#include "core/float_type.h"

#include <bit>
#include <cmath>

double DecodeBits(FloatType type, std::uint64_t bits)
{
    if (type == FloatType::Float64)
        return std::bit_cast<double>(bits);
    const FloatLayout layout = LayoutOf(type);
    const int fractionBits = layout.fractionBits;
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << fractionBits) - 1);
    const auto exponentMask = static_cast<int>((1u << layout.exponentBits) - 1);
    const auto biased =
        static_cast<int>((bits >> fractionBits) & static_cast<unsigned>(exponentMask));
    const bool negative = ((bits >> (fractionBits + layout.exponentBits)) & 1) != 0;
    const std::uint64_t sign = negative ? std::uint64_t{1} << 63 : 0;
    if (biased == exponentMask) // infinity or NaN: the fraction moves up to the top of the double's
        return std::bit_cast<double>(sign | (std::uint64_t{0x7FF} << 52) |
                                     (fraction << (52 - fractionBits)));
    const int bias = exponentMask >> 1;
    if (biased == 0) { // subnormal or zero: fraction * 2^(1 - bias - fractionBits), exact
        const double magnitude = std::ldexp(static_cast<double>(fraction), 1 - bias - fractionBits);
        return negative ? -magnitude : magnitude;
    }
    const int doubleExponent = biased - bias + 1023; // in 1..2046 for every layout
    const auto doubleBiased = static_cast<std::uint64_t>(doubleExponent);
    return std::bit_cast<double>(sign | (doubleBiased << 52) | (fraction << (52 - fractionBits)));
}
