// The binary floating-point types a value's bytes can hold.
#pragma once

#include <cstddef>
#include <cstdint>

// IEEE 754 binary16, bfloat16 (the upper half of a binary32), binary32 and
// binary64.
enum class FloatType { Half, BFloat16, Float32, Float64 };

// A type's field widths: sign, then exponentBits, then fractionBits.
struct FloatLayout {
    int exponentBits;
    int fractionBits;
};

// The field widths of `type`: 5/10, 8/7, 8/23, 11/52.
constexpr FloatLayout LayoutOf(FloatType type)
{
    switch (type) {
    case FloatType::Half:
        return {5, 10};
    case FloatType::BFloat16:
        return {8, 7};
    case FloatType::Float32:
        return {8, 23};
    case FloatType::Float64:
        break;
    }
    return {11, 52};
}

// The sign bit of `type`'s pattern: bit 15, 15, 31 or 63.
constexpr std::uint64_t SignBit(FloatType type)
{
    const FloatLayout layout = LayoutOf(type);
    return std::uint64_t{1} << (layout.exponentBits + layout.fractionBits);
}

// The largest exponent field, that of the infinities and NaNs.
constexpr std::uint64_t MaxExponent(FloatType type)
{
    return (std::uint64_t{1} << LayoutOf(type).exponentBits) - 1;
}

// The pattern of +infinity; a NaN has fraction bits besides.
constexpr std::uint64_t InfinityBits(FloatType type)
{
    return MaxExponent(type) << LayoutOf(type).fractionBits;
}

// The fraction's top bit, set in a quiet NaN.
constexpr std::uint64_t QuietBit(FloatType type)
{
    return std::uint64_t{1} << (LayoutOf(type).fractionBits - 1);
}

// The fields of the pattern in the low bytes of `bits` (higher bits ignored).
struct FloatFields {
    bool negative;
    std::uint64_t exponent; // biased, 0 for zeros and subnormals
    std::uint64_t fraction; // without the leading bit
};
constexpr FloatFields FieldsOf(FloatType type, std::uint64_t bits)
{
    const int fractionBits = LayoutOf(type).fractionBits;
    return {(bits & SignBit(type)) != 0, (bits >> fractionBits) & MaxExponent(type),
            bits & ((std::uint64_t{1} << fractionBits) - 1)};
}

// A finite double's magnitude, exactly significand * 2^exponent: the fraction
// with its leading bit (none for zeros and subnormals), exponent -1074 up.
struct BinaryMagnitude {
    std::uint64_t significand;
    int exponent;
};
constexpr BinaryMagnitude MagnitudeOf(const FloatFields& doubleFields)
{
    if (doubleFields.exponent == 0)
        return {doubleFields.fraction, -1074};
    return {doubleFields.fraction | (std::uint64_t{1} << 52),
            static_cast<int>(doubleFields.exponent) - 1075};
}

// Bytes in a value of `type`: 2, 2, 4 or 8.
constexpr std::size_t ByteSizeOf(FloatType type)
{
    const FloatLayout layout = LayoutOf(type);
    return static_cast<std::size_t>(1 + layout.exponentBits + layout.fractionBits) / 8;
}

// The value of the pattern in the low ByteSizeOf(type) bytes of `bits`
// (higher bits are ignored), as a double. Exact for every pattern, since
// every type here widens to double without rounding; a NaN keeps its sign,
// its payload and whether it is quiet (its bits are placed, never computed).
double DecodeBits(FloatType type, std::uint64_t bits);
