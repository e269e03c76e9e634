#include "core/digits.h"
#include "core/integer_digits.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

struct IntegerRow {
    const char* name;
    std::uint64_t significand;
    int exponent;
};

class IntegerDigitsTest : public testing::TestWithParam<IntegerRow> {};

// The C library's "%.0f" of the same double is the reference.
TEST_P(IntegerDigitsTest, WritesTheCLibrarysDigits)
{
    const IntegerRow& row = GetParam();
    char expected[400];
    std::snprintf(expected, sizeof expected, "%.0f",
                  std::ldexp(static_cast<double>(row.significand), row.exponent));
    char ours[400];
    const std::string text(ours, WriteIntegerDigits(row.significand, row.exponent, ours));
    EXPECT_EQ(text, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IntegerDigitsTest,
    testing::Values(IntegerRow{"One", 1, 0}, IntegerRow{"TwoTo64", 1, 64},
                    IntegerRow{"TwoTo128", 1, 128},
                    IntegerRow{"LargestBelowTwoTo128", (std::uint64_t{1} << 53) - 1, 75},
                    IntegerRow{"RowBoundary", (std::uint64_t{1} << 53) - 1, 7 * 40},
                    IntegerRow{"LastShiftOfARow", (std::uint64_t{1} << 53) - 1, 7 * 40 + 6},
                    IntegerRow{"CarryThroughNines", 999'999'999, 0},
                    IntegerRow{"LargestDouble", (std::uint64_t{1} << 53) - 1,
                               kMostIntegerExponent},
                    IntegerRow{"PowerOfTwoLargest", std::uint64_t{1} << 52, kMostIntegerExponent}),
    [](const auto& row) { return row.param.name; });

struct EightRow {
    const char* name;
    std::uint32_t value;
    const char* expected;
};

class EightDigitsTest : public testing::TestWithParam<EightRow> {};

TEST_P(EightDigitsTest, WritesEightDigitsZerosFirst)
{
    const EightRow& row = GetParam();
    char out[9] = {};
    EXPECT_EQ(WriteEightDigits(row.value, out), out + 8);
    EXPECT_STREQ(out, row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, EightDigitsTest,
                         testing::Values(EightRow{"Zero", 0, "00000000"},
                                         EightRow{"One", 1, "00000001"},
                                         EightRow{"EveryDigit", 12345678, "12345678"},
                                         EightRow{"Largest", 99999999, "99999999"},
                                         EightRow{"HalvesApart", 10000, "00010000"}),
                         [](const auto& row) { return row.param.name; });

} // namespace
