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
