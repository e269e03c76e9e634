#include "core/digits.h"
#include "core/render.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

// 2^0 to 2^104, the float32 integers' powers of two, in five base-10^8
// words each, least significant first: a significand below 2^24 times a
// word stays below 2^51, so a product's words carry in 64 bits.
constexpr std::uint64_t kWordBase = 100'000'000;
constexpr unsigned kWords = 5; // below 2^128: 39 digits at most
constexpr auto kPowersOf2 = [] {
    std::array<std::array<std::uint32_t, kWords>, 105> rows{};
    rows[0][0] = 1;
    for (std::size_t e = 1; e < rows.size(); ++e) {
        std::uint64_t carry = 0;
        for (std::size_t k = 0; k < rows[e].size(); ++k) {
            const std::uint64_t twice = 2 * std::uint64_t{rows[e - 1][k]} + carry;
            rows[e][k] = static_cast<std::uint32_t>(twice % kWordBase);
            carry = twice / kWordBase;
        }
    }
    return rows;
}();

// Writes significand * 2^exponent (below 2^24, 0 to 104): all five words'
// digits, then the leading zeros dropped, in the same steps for every value.
char* WriteFloatInteger(std::uint64_t significand, int exponent, char* out)
{
    const auto& power = kPowersOf2[static_cast<std::size_t>(exponent)];
    // Room for the copy below, which starts at the first digit (of at least
    // seven: the value is 2^23 or more) and takes 40 bytes.
    constexpr std::size_t kText = 8 * std::size_t{kWords};
    char digits[2 * kText];
    std::memset(digits + kText, '0', kText);
    std::uint64_t carry = 0;
    std::uint32_t topWord = 0;
    int below = 0; // digits in the words under the highest nonzero one
    for (std::size_t k = 0; k < kWords; ++k) {
        const std::uint64_t column = significand * power[k] + carry;
        carry = column / kWordBase;
        const auto word = static_cast<std::uint32_t>(column - carry * kWordBase);
        WriteEightDigits(word, digits + 8 * (kWords - 1 - k));
        below = word != 0 ? 8 * static_cast<int>(k) : below;
        topWord = word != 0 ? word : topWord;
    }
    const int count = below + DigitCount(topWord);
    std::memcpy(out, digits + (kText - static_cast<std::size_t>(count)), kText);
    return out + count;
}

} // namespace

char* RenderFloat6(float value, char* out)
{
    const auto bits = std::bit_cast<std::uint32_t>(value);
    const std::uint32_t biased = (bits >> 23) & 0xFF;
    if (biased == 0xFF) // inf and nan, as every other printer spells them
        return RenderFixed(value, 6, out);
    *out = '-'; // kept for every negative value, -0 and those that round to 0 too
    out += bits >> 31;
    const std::uint64_t significand = (bits & 0x7FFFFF) | (biased != 0 ? 0x800000U : 0);
    const int exponent = (biased != 0 ? static_cast<int>(biased) : 1) - 150;
    if (exponent >= 0) { // an integer: its digits, and no fraction
        out = WriteFloatInteger(significand, exponent, out);
        return std::copy_n(".000000", 7, out);
    }
    // Below 2^24: value * 10^6 rounded half to even, below 2^44 before the shift.
    const int shift = -exponent;
    if (shift >= 45) // below half a millionth
        return WriteMillionths(0, out);
    const std::uint64_t product = significand * 1'000'000;
    std::uint64_t rounded = product >> shift;
    const std::uint64_t rest = product & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    rounded += rest > half || (rest == half && (rounded & 1) != 0) ? 1 : 0;
    return WriteMillionths(rounded, out);
}
