#include "core/integer_digits.h"

#include "core/digits.h"

#include <array>

namespace {

constexpr std::uint32_t kBase = 1'000'000'000;
// 2^(kStep * q) in base-10^9 words: a significand below 2^53 times 2^r, r
// below kStep, stays below 2^59 < 10^18, two words, so that each column of a
// product sums two products below 10^18.
constexpr int kStep = 7;
constexpr int kRows = kMostIntegerExponent / kStep + 1;
constexpr int kMostWords = 33; // 2^966 has 291 digits

struct PowerRow {
    // Least significant first, after one zero word, so that a product's
    // columns read the word below without a test; zeros after `count`.
    std::array<std::uint32_t, kMostWords + 2> words{};
    int count = 0;
};

constexpr auto kPowersOf2 = [] {
    std::array<PowerRow, kRows> rows{};
    rows[0].words[1] = 1;
    rows[0].count = 1;
    for (std::size_t q = 1; q < rows.size(); ++q) {
        PowerRow& row = rows[q];
        row = rows[q - 1];
        std::uint64_t carry = 0;
        for (std::size_t k = 1; k <= static_cast<std::size_t>(row.count); ++k) {
            const std::uint64_t product = (std::uint64_t{row.words[k]} << kStep) + carry;
            row.words[k] = static_cast<std::uint32_t>(product % kBase);
            carry = product / kBase;
        }
        if (carry != 0)
            row.words[static_cast<std::size_t>(++row.count)] = static_cast<std::uint32_t>(carry);
    }
    return rows;
}();

} // namespace

char* WriteIntegerDigits(std::uint64_t significand, int exponent, char* out)
{
    const PowerRow& row = kPowersOf2[static_cast<std::size_t>(exponent / kStep)];
    const std::uint64_t scaled = significand << (exponent % kStep);
    const std::uint64_t low = scaled % kBase;
    const std::uint64_t high = scaled / kBase;
    const auto count = static_cast<std::size_t>(row.count);
    // The product's columns, each below 1.6 * 10^18, split into a word and a
    // quotient that the next column takes: no chain from column to column.
    // A word is then below 2.6 * 10^9; split once more, what it carries is
    // at most 2, and a word reaches 10^9 again only rarely, fixed after.
    std::array<std::uint32_t, kMostWords + 3> words{};
    std::uint64_t quotient = 0;
    std::uint32_t carried = 0;
    for (std::size_t k = 0; k <= count; ++k) {
        const std::uint64_t column = low * row.words[k + 1] + high * row.words[k];
        const auto word = static_cast<std::uint32_t>(column % kBase + quotient);
        quotient = column / kBase;
        words[k] = word % kBase + carried;
        carried = word / kBase;
    }
    words[count + 1] = static_cast<std::uint32_t>(quotient) + carried; // the product's top
    for (std::size_t k = 0; k <= count; ++k) {
        if (words[k] >= kBase) { // rare
            words[k] -= kBase;
            ++words[k + 1];
        }
    }
    std::size_t top = count + 1;
    while (words[top] == 0)
        --top;
    out = WriteDigits(words[top], DigitCount(words[top]), out);
    while (top-- > 0)
        out = WriteNineDigits(words[top], out);
    return out;
}
