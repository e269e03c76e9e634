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

// Writes exactly eight digits of `value` (below 10^8), zeros first, at `out`;
// returns the end. On little-endian machines all eight at once, in the lanes
// of one 64-bit word: split into halves of four digits, each into pairs, each
// into digits, every lane's product staying within its lane (checked for all
// 10^8 values); the first digit lands in the lowest byte.
inline char* WriteEightDigits(std::uint32_t value, char* out)
{
    if constexpr (std::endian::native != std::endian::little)
        return WriteDigits(value, 8, out);
    std::uint64_t lanes = (value / 10000) | (std::uint64_t{value % 10000} << 32);
    // x / 100 as x * 10486 / 2^20 for x below 10^4; x / 10 as x * 103 / 2^10 for x below 100.
    const std::uint64_t hundreds = ((lanes * 10486) >> 20) & 0x0000007F0000007FULL;
    lanes = ((lanes - hundreds * 100) << 16) | hundreds;
    const std::uint64_t tens = ((lanes * 103) >> 10) & 0x000F000F000F000FULL;
    lanes = ((lanes - tens * 10) << 8) | tens;
    lanes |= 0x3030303030303030ULL; // '0' in every byte
    std::memcpy(out, &lanes, 8);
    return out + 8;
}

// Writes exactly nine digits of `value` (below 10^9) at `out`; returns the end.
inline char* WriteNineDigits(std::uint32_t value, char* out)
{
    const std::uint32_t first = value / 100'000'000;
    *out = static_cast<char>('0' + first);
    return WriteEightDigits(value - first * 100'000'000, out + 1);
}

// Writes `number` millionths (below 10^14) as its integer part, at least one
// digit, '.', and six decimals at `out`, which has room for 16 bytes, all of
// which may be written; returns the text's end. No loop: the fraction's
// eight digits, the point over the second of its two leading zeros, and the
// integer's eight digits before them, copied whole from its first digit.
inline char* WriteMillionths(std::uint64_t number, char* out)
{
    const std::uint64_t integer = number / 1'000'000;
    const auto fraction = static_cast<std::uint32_t>(number - integer * 1'000'000);
    char digits[32];
    std::memset(digits + 16, '0', 16); // copied past the end, never part of the text
    WriteEightDigits(fraction, digits + 8);
    digits[9] = '.';
    WriteEightDigits(static_cast<std::uint32_t>(integer), digits + 1);
    const int count = DigitCount(integer);
    std::memcpy(out, digits + 9 - count, 16);
    return out + count + 7;
}
