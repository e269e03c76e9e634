#include "tests/core/fixed6.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace {

struct RenderRow {
    const char* name;
    double value;
    std::string expected;
};

class RenderTest : public testing::TestWithParam<RenderRow> {};

TEST_P(RenderTest, WritesWhatTheCLibraryWrites)
{
    const RenderRow& row = GetParam();
    EXPECT_EQ(Fixed6(row.value), row.expected) << row.value;
}

const double kMax = std::numeric_limits<double>::max();
const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Rows, RenderTest,
    testing::Values(RenderRow{"One", 1.0, "1.000000"}, RenderRow{"MinusZero", -0.0, "-0.000000"},
                    RenderRow{"TinyNegativeKeepsSign", -1e-300, "-0.000000"},
                    RenderRow{"TieRoundsToEven", 0.0078125, "0.007812"},
                    RenderRow{"TieRoundsUpToEven", 0.0234375, "0.023438"},
                    RenderRow{"NoGrouping", 1234567.0, "1234567.000000"},
                    RenderRow{"NineIntegerDigits", -123456789.5, "-123456789.500000"},
                    RenderRow{"RoundsUpPastEightDigits", 99999999.9999996, "100000000.000000"},
                    RenderRow{"Infinity", kInf, "inf"}, RenderRow{"MinusInfinity", -kInf, "-inf"},
                    RenderRow{"NaN", kNaN, "nan"}, RenderRow{"MinusNaN", -kNaN, "-nan"}),
    [](const auto& row) { return row.param.name; });

TEST(Render, ExtremesAreWrittenWhole)
{
    const std::string largest = Fixed6(kMax);
    ASSERT_EQ(largest.size(), 316u);
    EXPECT_EQ(largest.substr(0, 20), "17976931348623157081");
    EXPECT_EQ(largest.substr(309), ".000000");
    EXPECT_EQ(Fixed6(-kMax).size(), kFixed6MaxLength);
}

// The C library's "%f" in the C locale is the reference; random bit patterns
// cover every exponent, subnormals and the rounding of long digit strings.
TEST(Render, AgreesWithSnprintfOnRandomPatterns)
{
    std::mt19937_64 random(20261208);
    char expected[400];
    int mismatches = 0;
    for (int n = 0; n < 200000 && mismatches < 5; ++n) {
        std::uint64_t bits = random();
        if (n % 3 == 1) // near 1, where six decimals matter most
            bits =
                (bits & 0x800FFFFFFFFFFFFFu) | (static_cast<std::uint64_t>(0x3F0 + n % 48) << 52);
        else if (n % 3 == 2) // anywhere from 2^-80 to 2^50, across the exact integer path
            bits = (bits & 0x800FFFFFFFFFFFFFu) |
                   (static_cast<std::uint64_t>(1023 - 80 + n % 131) << 52);
        const double value = std::bit_cast<double>(bits);
        std::snprintf(expected, sizeof expected, "%f", value);
        if (Fixed6(value) != expected) {
            ++mismatches;
            ADD_FAILURE() << "bits " << std::hex << bits << ": " << Fixed6(value)
                          << " != " << expected;
        }
    }
}

// Short binary fractions are where the sixth decimal can be an exact tie.
TEST(Render, AgreesWithSnprintfOnShortBinaryFractions)
{
    char expected[400];
    int mismatches = 0;
    for (int shift = 1; shift <= 40 && mismatches < 5; ++shift)
        for (int k = -3000; k <= 3000; ++k) {
            const double value = std::ldexp(static_cast<double>(k), -shift);
            std::snprintf(expected, sizeof expected, "%f", value);
            if (Fixed6(value) != expected && ++mismatches <= 5)
                ADD_FAILURE() << k << " * 2^-" << shift << ": " << Fixed6(value)
                              << " != " << expected;
        }
}

struct Float6Row {
    const char* name;
    float value;
};

class Float6Test : public testing::TestWithParam<Float6Row> {};

// The float32 printer writes what "%f" writes for the widened value.
TEST_P(Float6Test, WritesWhatTheCLibraryWrites)
{
    const float value = GetParam().value;
    char expected[kFixed6MaxLength + 1];
    std::snprintf(expected, sizeof expected, "%f", static_cast<double>(value));
    char ours[kFixed6MaxLength + 1];
    EXPECT_EQ(std::string(ours, RenderFloat6(value, ours)), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Float6Test,
    testing::Values(Float6Row{"Zero", 0.0F}, Float6Row{"MinusZero", -0.0F},
                    Float6Row{"SmallestSubnormal", std::numeric_limits<float>::denorm_min()},
                    Float6Row{"JustBelowHalfAMillionth", 4.7e-7F},
                    Float6Row{"JustAboveHalfAMillionth", -5.1e-7F},
                    Float6Row{"TieRoundsToEven", 0.0078125F},
                    Float6Row{"RoundsUpIntoTheInteger", 0.99999994F},
                    Float6Row{"LargestWithAFraction", 8388607.5F},
                    Float6Row{"SmallestInteger", 8388608.0F}, Float6Row{"TwoTo64", 0x1p64F},
                    Float6Row{"Largest", std::numeric_limits<float>::max()},
                    Float6Row{"MinusLargest", -std::numeric_limits<float>::max()},
                    Float6Row{"Infinity", std::numeric_limits<float>::infinity()},
                    Float6Row{"NaN", std::numeric_limits<float>::quiet_NaN()},
                    Float6Row{"MinusNaN", -std::numeric_limits<float>::quiet_NaN()}),
    [](const auto& row) { return row.param.name; });

} // namespace
