#include "core/number_reader.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <locale.h>
#include <random>
#include <string>

namespace {

// The reference: the C library's own strtod in the C locale.
double Reference(const std::string& text)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(text.c_str(), nullptr, cLocale);
}

// Same value and sign, and NaN for NaN.
::testing::AssertionResult SameDouble(const std::string& text, double ours, double reference)
{
    if (std::bit_cast<std::uint64_t>(ours) == std::bit_cast<std::uint64_t>(reference) ||
        (ours != ours && reference != reference))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "text '" << text << "': " << ours << " (bits " << std::hex
           << std::bit_cast<std::uint64_t>(ours) << "), C library " << reference;
}

struct NumberRow {
    const char* name;
    const char* text;
};

class NumberReaderTest : public testing::TestWithParam<NumberRow> {};

TEST_P(NumberReaderTest, ReadsAsTheCLibraryReads)
{
    const std::string text = GetParam().text;
    EXPECT_TRUE(SameDouble(text, ReadNumber(text.c_str()), Reference(text)));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NumberReaderTest,
    testing::Values(NumberRow{"Overflow", "1e400"}, NumberRow{"NegativeOverflow", "-1e400"},
                    NumberRow{"Underflow", "1e-400"}, NumberRow{"NegativeUnderflow", "-1e-400"},
                    NumberRow{"HalfSubnormalRoundsUp", "2.4703282292062328e-324"},
                    NumberRow{"BelowHalfSubnormal", "2.4703282292062327e-324"},
                    NumberRow{"LargeMantissaSmallExponent", "123456789e-330"},
                    NumberRow{"ZerosThenOverflow", "0.000001e315"},
                    NumberRow{"HugeExponentDigits", "1e99999999999999999999999"},
                    NumberRow{"HugeNegativeExponent", "5e-99999999999999999999999"},
                    NumberRow{"ZeroTimesHugeExponent", "0e99999"}, NumberRow{"DoubleSign", "+-5"},
                    NumberRow{"SpaceAfterSign", "- 5"}, NumberRow{"SignOnly", "-"},
                    NumberRow{"PointOnly", "-."}, NumberRow{"AllWhiteSpace", " \t\n\v\f\r+.5e+2x"},
                    NumberRow{"IncompleteExponent", "7e+"}, NumberRow{"Hex", "0x1.8p1"},
                    NumberRow{"HexNoDigits", "-0x"}, NumberRow{"HexSignAfterPrefix", "0x-1"},
                    NumberRow{"HexPointOnly", "0x.p1"}, NumberRow{"HexFraction", "0X.8P1"},
                    NumberRow{"HexOverflow", "0x1p1024"}, NumberRow{"HexUnderflow", "-0x1p-1080"},
                    NumberRow{"HexLargest", "0x1.fffffffffffffp1023"},
                    NumberRow{"HexSubnormal", "0x0.0000000000001p-1022"},
                    NumberRow{"Infinity", "-INFINITY"}, NumberRow{"InfPrefix", "infinit"},
                    NumberRow{"NaNPayload", "nan(0x123)"}, NumberRow{"NegativeNaN", "-nan"},
                    NumberRow{"Rounding", "0.1000000000000000055511151231257827"},
                    NumberRow{"RoundingTie", "9007199254740993"}),
    [](const auto& row) { return row.param.name; });

// Texts stitched from the pieces numbers are made of, in random order.
TEST(ReadNumber, AgreesWithTheCLibraryOnStitchedTexts)
{
    const char* pieces[] = {" ",
                            "+",
                            "-",
                            "0",
                            "1",
                            "5",
                            "9",
                            ".",
                            "e",
                            "E",
                            "x",
                            "X",
                            "p",
                            "a",
                            "f",
                            "inf",
                            "nan",
                            "(",
                            ")",
                            "999",
                            "e400",
                            "e-400",
                            "e308",
                            "0x",
                            "1p",
                            "00000000",
                            "\t",
                            "e-320",
                            "2.2250738585072014e-308"};
    std::mt19937 random(3);
    for (int n = 0; n < 200000; ++n) {
        std::string text;
        for (int k = static_cast<int>(random() % 7); k >= 0; --k)
            text += pieces[random() % std::size(pieces)];
        const double ours = ReadNumber(text.c_str());
        ASSERT_TRUE(SameDouble(text, ours, Reference(text)));
    }
}

TEST(ReadNumber, ReadsLongTextsWithoutLimit)
{
    const std::string digits = "1" + std::string(1u << 20, '0') + "e-1048576";
    EXPECT_EQ(ReadNumber(digits.c_str()), 1.0);
    const std::string zeros = "0." + std::string(1u << 20, '0') + "1e1048577";
    EXPECT_EQ(ReadNumber(zeros.c_str()), 1.0);
    const std::string many = std::string(1u << 20, '9') + "e-1048576";
    EXPECT_TRUE(SameDouble("many nines", ReadNumber(many.c_str()), Reference(many)));
}

} // namespace
