// Decimal digits of unsigned integers, written where they go: the pieces the
// printers share.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Two digits at a time: "00" to "99".
inline constexpr char kDigitPairs[201] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// 10^0 to 10^19, every power of ten below 2^64.
inline constexpr auto kPowersOf10 = [] {
    std::array<std::uint64_t, 20> powers{};
    powers[0] = 1;
    for (std::size_t k = 1; k < powers.size(); ++k)
        powers[k] = powers[k - 1] * 10;
    return powers;
}();

// The count of decimal digits of `value`: 1 to 20, 1 for 0.
inline int DigitCount(std::uint64_t value)
{
    // log10(2) is about 1233 / 4096: a first guess from the bit length, one
    // lower where the value is below that power of ten. Setting the lowest
    // bit makes 0 count as 1 and moves no value across a power of ten, which
    // are even.
    value |= 1;
    const int guess = (static_cast<int>(std::bit_width(value)) * 1233) >> 12;
    return guess + 1 - (value < kPowersOf10[static_cast<std::size_t>(guess)] ? 1 : 0);
}

// Writes exactly `count` digits of `value` (below 10^count), zeros first, at
// `out`; returns the end.
inline char* WriteDigits(std::uint64_t value, int count, char* out)
{
    char* const end = out + count;
    char* p = end;
    for (; count >= 2; count -= 2) {
        p -= 2;
        std::memcpy(p, kDigitPairs + 2 * (value % 100), 2);
        value /= 100;
    }
    if (count > 0)
        *--p = static_cast<char>('0' + value);
    return end;
}
