#include "core/render.h"
#include "core/float_type.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace {

// Two digits at a time: "00" to "99".
constexpr char kPairs[201] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The value's magnitude in millionths, exactly rounded half to even, when it
// is below 2^44 (so the count fits 64 bits); false for anything else.
// value = mantissa * 2^exponent, and 10^6 = 15625 * 2^6, so the count is
// mantissa * 15625 (below 2^67, held in two words) shifted by exponent + 6.
bool Millionths(std::uint64_t bits, std::uint64_t& millionths)
{
    const FloatFields fields = FieldsOf(FloatType::Float64, bits);
    if (fields.exponent >= 1023 + 44)
        return false; // inf, nan, or too large
    const auto [mantissa, exponent] = MagnitudeOf(fields);
    const int shift = -(exponent + 6);
    if (shift <= 0) { // an integer count: the value has no bits below 2^-6
        millionths = mantissa * 15625 << -shift;
        return true;
    }
    if (shift >= 68) { // below half a millionth
        millionths = 0;
        return true;
    }
    const std::uint64_t low32 = (mantissa & 0xFFFFFFFF) * 15625;
    const std::uint64_t high32 = (mantissa >> 32) * 15625;
    const std::uint64_t low = low32 + (high32 << 32);
    const std::uint64_t high = (high32 >> 32) + (low < low32 ? 1 : 0);
    // Quotient, and the remainder compared with half the divisor 2^shift.
    std::uint64_t quotient;
    bool above;
    bool tie;
    if (shift < 64) {
        quotient = (low >> shift) | (high << (64 - shift));
        const std::uint64_t remainder = low & ((std::uint64_t{1} << shift) - 1);
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        above = remainder > half;
        tie = remainder == half;
    } else if (shift == 64) {
        quotient = high;
        above = low > (std::uint64_t{1} << 63);
        tie = low == (std::uint64_t{1} << 63);
    } else {
        quotient = high >> (shift - 64);
        const std::uint64_t remainderHigh = high & ((std::uint64_t{1} << (shift - 64)) - 1);
        const std::uint64_t halfHigh = std::uint64_t{1} << (shift - 65);
        above = remainderHigh > halfHigh || (remainderHigh == halfHigh && low != 0);
        tie = remainderHigh == halfHigh && low == 0;
    }
    if (above || (tie && (quotient & 1) != 0))
        ++quotient;
    millionths = quotient;
    return true;
}

char* WriteUnsigned(std::uint64_t value, char* out)
{
    char digits[20];
    char* p = digits + sizeof digits;
    while (value >= 100) {
        p -= 2;
        std::memcpy(p, kPairs + 2 * (value % 100), 2);
        value /= 100;
    }
    if (value >= 10) {
        p -= 2;
        std::memcpy(p, kPairs + 2 * value, 2);
    } else {
        *--p = static_cast<char>('0' + value);
    }
    const auto length = static_cast<std::size_t>(digits + sizeof digits - p);
    std::memcpy(out, p, length);
    return out + length;
}

} // namespace

char* RenderFixed6(double value, char* out)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    std::uint64_t millionths = 0;
    if (!Millionths(bits, millionths)) {
        // std::to_chars is locale-free and, with an explicit precision, yields
        // the same correctly rounded digits as glibc's printf, so the result
        // never depends on the user's locale or the platform's C runtime.
        return std::to_chars(out, out + kFixed6MaxLength, value, std::chars_format::fixed, 6).ptr;
    }
    if ((bits >> 63) != 0)
        *out++ = '-'; // every negative value, -0 and those that round to 0 too
    out = WriteUnsigned(millionths / 1000000, out);
    *out++ = '.';
    auto fraction = static_cast<std::uint32_t>(millionths % 1000000);
    std::memcpy(out, kPairs + std::size_t{2} * (fraction / 10000), 2);
    std::memcpy(out + 2, kPairs + std::size_t{2} * (fraction / 100 % 100), 2);
    std::memcpy(out + 4, kPairs + std::size_t{2} * (fraction % 100), 2);
    return out + 6;
}
