#include "core/float_format.h"
#include "core/float_type.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using T = FloatType;

struct ShortestRow {
    const char* name;
    FloatType type;
    std::uint64_t bits;
    const char* text;
};
using S = ShortestRow;

class ShortestTest : public testing::TestWithParam<ShortestRow> {};

TEST_P(ShortestTest, WritesFewestDigits)
{
    EXPECT_EQ(FormatShortest(GetParam().type, GetParam().bits), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ShortestTest,
    testing::Values(S{"FloatMinusZero", T::Float32, 0x80000000, "-0"},
                    S{"FloatSubnormal", T::Float32, 1, "1e-45"},
                    S{"FloatLargest", T::Float32, 0x7F7FFFFF, "3.4028235e+38"},
                    S{"FloatSignallingNaN", T::Float32, 0xFF800001, "-nan"},
                    S{"DoubleZero", T::Float64, 0, "0"},
                    S{"DoubleSubnormal", T::Float64, 1, "5e-324"},
                    S{"DoubleLargest", T::Float64, 0x7FEFFFFFFFFFFFFF, "1.7976931348623157e+308"},
                    S{"DoubleMinusInfinity", T::Float64, 0xFFF0000000000000, "-inf"},
                    S{"DoubleQuietNaN", T::Float64, 0x7FF8000000000000, "nan"},
                    S{"HalfSmallestSubnormal", T::Half, 0x0001, "6e-08"},
                    S{"HalfLargest", T::Half, 0x7BFF, "65500"},
                    S{"HalfIntegerKeepsFewestDigits", T::Half, 0x6C04, "4110"},
                    S{"HalfMinusZero", T::Half, 0x8000, "-0"},
                    S{"HalfInfinity", T::Half, 0x7C00, "inf"},
                    S{"BFloatSmallestSubnormal", T::BFloat16, 0x0001, "9e-41"},
                    S{"BFloatLargest", T::BFloat16, 0x7F7F, "3.39e+38"}),
    [](const auto& row) { return row.param.name; });

struct ValueRow {
    const char* name;
    std::uint64_t bits;    // a double
    std::string exactHead; // the exact text's start (all of it when short)
    std::size_t exactSize;
    const char* hex;
    const char* fixed; // 3 decimals, when short
};
using V = ValueRow;

class ValueFormatTest : public testing::TestWithParam<ValueRow> {};

TEST_P(ValueFormatTest, WritesExactHexAndFixed)
{
    const ValueRow& row = GetParam();
    const double value = std::bit_cast<double>(row.bits);
    const std::string exact = FormatExact(value);
    EXPECT_EQ(exact.substr(0, row.exactHead.size()), row.exactHead);
    EXPECT_EQ(exact.size(), row.exactSize);
    EXPECT_EQ(FormatHex(value), row.hex);
    EXPECT_EQ(FormatFixed(value, 3), row.fixed ? row.fixed : exact + ".000");
}

const std::string kSubnormalDigits = "0." + std::string(323, '0') + "49406564584124654417656";

INSTANTIATE_TEST_SUITE_P(
    Rows, ValueFormatTest,
    testing::Values(
        V{"Zero", 0, "0", 1, "0x0p+0", "0.000"},
        V{"MinusZero", 1ull << 63, "-0", 2, "-0x0p+0", "-0.000"},
        V{"Subnormal", 1, kSubnormalDigits, 1076, "0x0.0000000000001p-1022", "0.000"},
        V{"Largest", 0x7FEFFFFFFFFFFFFF, "17976931348623157081452742", 309,
          "0x1.fffffffffffffp+1023", nullptr},
        V{"MinusInfinity", 0xFFF0000000000000, "-inf", 4, "-inf", "-inf"},
        V{"QuietNaN", 0x7FF8000000000000, "nan", 3, "nan", "nan"},
        V{"SignallingNaN", 0xFFF0000000000001, "-nan", 4, "-nan", "-nan"},
        V{"Tenth", 0x3FB999999999999A, "0.1000000000000000055511151231257827021181583404541015625",
          57, "0x1.999999999999ap-4", "0.100"},
        V{"FloatPi", 0x400921FB60000000, "3.1415927410125732421875", 24, "0x1.921fb6p+1", "3.142"}),
    [](const auto& row) { return row.param.name; });

TEST(FormatFixed, RoundsTiesToEvenAndClampsDecimals)
{
    EXPECT_EQ(FormatFixed(0.125, 2), "0.12");
    EXPECT_EQ(FormatFixed(0.375, 2), "0.38");
    EXPECT_EQ(FormatFixed(2.5, 0), "2");
    EXPECT_EQ(FormatFixed(1.5, -3), "2");
    EXPECT_EQ(FormatFixed(0.5, 99), "0.5" + std::string(59, '0'));
}

// The C library's printf is the reference: "%a", "%.*f", and every decimal of
// "%.1074f" agree on random patterns, subnormals weighted in.
TEST(FloatFormat, MatchesPrintfOnRandomPatterns)
{
    std::mt19937_64 random(20240611);
    std::vector<char> buffer(1500);
    auto reference = [&](const char* format, int decimals, double value) {
        std::snprintf(buffer.data(), buffer.size(), format, decimals, value);
        return std::string(buffer.data());
    };
    for (int k = 0; k < 100'000; ++k) {
        const std::uint64_t bits = random() & (k % 4 == 0 ? 0x800FFFFFFFFFFFFF : ~0ull);
        const double value = std::bit_cast<double>(bits);
        const double widened = std::bit_cast<float>(static_cast<std::uint32_t>(bits >> 32));
        ASSERT_EQ(FormatHex(value), reference("%.*a", -1, value)) << bits;
        ASSERT_EQ(FormatHex(widened), reference("%.*a", -1, widened)) << bits;
        const int decimals = static_cast<int>(bits % 61);
        ASSERT_EQ(FormatFixed(value, decimals), reference("%.*f", decimals, value)) << bits;
        std::string exact = reference("%.*f", 1074, value);
        exact.erase(exact.find_last_not_of('0') + 1);
        if (exact.back() == '.')
            exact.pop_back();
        ASSERT_EQ(FormatExact(value), exact) << bits;
    }
}

} // namespace
