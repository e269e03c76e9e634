#include "core/render.h"
#include "core/digits.h"
#include "core/float_type.h"
#include "core/integer_digits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace {

#ifdef __SIZEOF_INT128__
__extension__ typedef unsigned __int128 Uint128;

// 5^0 to 5^27, the powers below 2^63.
constexpr int kMostFastDecimals = 27;
constexpr auto kPowersOf5 = [] {
    std::array<std::uint64_t, kMostFastDecimals + 1> powers{};
    powers[0] = 1;
    for (std::size_t k = 1; k < powers.size(); ++k)
        powers[k] = powers[k - 1] * 5;
    return powers;
}();

int BitLength(Uint128 value)
{
    const auto high = static_cast<std::uint64_t>(value >> 64);
    return high != 0 ? 128 - std::countl_zero(high)
                     : 64 - std::countl_zero(static_cast<std::uint64_t>(value));
}

// The magnitude of `bits` times 10^decimals, rounded half to even, when it
// and every step to it fit 128 bits; false otherwise. value = m * 2^e, and
// m * 2^e * 10^d = m * 5^d * 2^(e + d): one product, then one shift.
bool Scaled(std::uint64_t bits, int decimals, Uint128& scaled)
{
    const FloatFields fields = FieldsOf(FloatType::Float64, bits);
    if (fields.exponent == 2047 || decimals > kMostFastDecimals)
        return false;
    const auto [mantissa, exponent] = MagnitudeOf(fields);
    const Uint128 product = Uint128{mantissa} * kPowersOf5[static_cast<std::size_t>(decimals)];
    const int shift = exponent + decimals;
    if (shift >= 0) {
        if (product != 0 && BitLength(product) + shift > 127)
            return false;
        scaled = product << shift;
        return true;
    }
    if (shift <= -128) { // product < 2^116: below half a unit
        scaled = 0;
        return true;
    }
    const int right = -shift;
    const Uint128 unit = Uint128{1} << right;
    const Uint128 remainder = product & (unit - 1);
    const Uint128 half = unit >> 1;
    scaled = product >> right;
    if (remainder > half || (remainder == half && (scaled & 1) != 0))
        ++scaled;
    return true;
}

// Writes the digits of `value` so that they end at `end`; returns where they
// start. "0" for zero.
char* DigitsEndingAt(Uint128 value, char* end)
{
    constexpr std::uint64_t k10To19 = 10000000000000000000ULL;
    while (value > UINT64_MAX) { // one division, not two
        const Uint128 quotient = value / k10To19;
        end -= 19;
        WriteDigits(static_cast<std::uint64_t>(value - quotient * k10To19), 19, end);
        value = quotient;
    }
    const auto last = static_cast<std::uint64_t>(value);
    const int count = DigitCount(last);
    end -= count;
    WriteDigits(last, count, end);
    return end;
}

// The common values, written where they go: an integer (every double of
// 2^53 or more), or a value below 2^53 whose fraction has at most 64 bits,
// with up to 19 decimals. Null, having written nothing, for any other.
char* RenderCommon(std::uint64_t bits, int decimals, char* out)
{
    const FloatFields fields = FieldsOf(FloatType::Float64, bits);
    if (fields.exponent == 2047 || decimals > 19)
        return nullptr;
    const auto [mantissa, exponent] = MagnitudeOf(fields);
    std::uint64_t integer = 0;
    std::uint64_t fraction = 0; // in units of 10^-decimals, rounded
    if (exponent >= 0) {
        const int width = static_cast<int>(std::bit_width(mantissa)) + exponent;
        if (width > 64) { // no fraction: the digits, and zeros
            if (fields.negative)
                *out++ = '-';
            if (width > 128) {
                out = WriteIntegerDigits(mantissa, exponent, out);
            } else {
                char digits[40]; // 2^128 has 39
                char* const end = digits + sizeof digits;
                const char* const start = DigitsEndingAt(Uint128{mantissa} << exponent, end);
                out = std::copy(start, static_cast<const char*>(end), out);
            }
            if (decimals == 0)
                return out;
            *out++ = '.';
            return std::fill_n(out, decimals, '0');
        }
        integer = mantissa << exponent;
    } else if (exponent >= -64) {
        const int places = -exponent; // binary places of the fraction
        integer = places == 64 ? 0 : mantissa >> places;
        const std::uint64_t bitsBelow = places == 64 ? mantissa : mantissa & ((1ULL << places) - 1);
        const Uint128 scaled = Uint128{bitsBelow} * kPowersOf10[static_cast<std::size_t>(decimals)];
        fraction = static_cast<std::uint64_t>(scaled >> places);
        const Uint128 remainder = scaled & ((Uint128{1} << places) - 1);
        const Uint128 half = Uint128{1} << (places - 1);
        const bool odd = ((decimals > 0 ? fraction : integer) & 1) != 0;
        if (remainder > half || (remainder == half && odd)) {
            if (++fraction == kPowersOf10[static_cast<std::size_t>(decimals)]) {
                fraction = 0;
                ++integer;
            }
        }
    } else {
        return nullptr;
    }
    if (fields.negative)
        *out++ = '-'; // every negative value, -0 and those that round to 0 too
    if (decimals == 6 && integer < kPowersOf10[8]) // "%f" of a common value
        return WriteMillionths(integer * kPowersOf10[6] + fraction, out);
    out = WriteDigits(integer, DigitCount(integer), out);
    if (decimals == 0)
        return out;
    *out++ = '.';
    return WriteDigits(fraction, decimals, out);
}

#else
// No 128-bit integers (32-bit x86): the exact conversion alone.
char* RenderCommon(std::uint64_t, int, char*)
{
    return nullptr;
}
using Uint128 = std::uint64_t;
bool Scaled(std::uint64_t, int, Uint128&)
{
    return false;
}
char* DigitsEndingAt(Uint128, char* end)
{
    return end;
}
#endif

} // namespace

char* RenderFixed(double value, int decimals, char* out)
{
    decimals = std::clamp(decimals, 0, kMaxFixedDecimals);
    const auto bits = std::bit_cast<std::uint64_t>(value);
    if (char* end = RenderCommon(bits, decimals, out))
        return end;
    Uint128 scaled = 0;
    if (!Scaled(bits, decimals, scaled)) {
        // std::to_chars is locale-free and, with an explicit precision, yields
        // the same correctly rounded digits as glibc's printf, so the result
        // never depends on the user's locale or the platform's C runtime.
        return std::to_chars(out, out + kFixedMaxLength, value, std::chars_format::fixed, decimals)
            .ptr;
    }
    if ((bits >> 63) != 0)
        *out++ = '-'; // every negative value, -0 and those that round to 0 too
    char digits[40]; // 2^128 has 39
    char* const end = digits + sizeof digits;
    const char* start = DigitsEndingAt(scaled, end);
    const auto count = static_cast<int>(end - start);
    if (count > decimals) { // the integer digits
        const auto integer = static_cast<std::size_t>(count - decimals);
        std::memcpy(out, start, integer);
        out += integer;
        start += integer;
    } else {
        *out++ = '0';
    }
    if (decimals == 0)
        return out;
    *out++ = '.';
    const auto zeros = static_cast<std::size_t>(decimals - (end - start));
    std::memset(out, '0', zeros);
    out += zeros;
    std::memcpy(out, start, static_cast<std::size_t>(end - start));
    return out + (end - start);
}
