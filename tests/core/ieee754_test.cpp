#include "core/hex_pairs.h"
#include "core/ieee754.h"
#include "tests/core/fixed6.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

namespace {

using Bytes = std::array<std::uint8_t, 8>;

struct DecodeRow {
    const char* name;
    const char* hex; // read into a store of zeros
    bool isDouble;
    std::string expected;
};

class DecodeTest : public testing::TestWithParam<DecodeRow> {};

TEST_P(DecodeTest, RendersTheEncodedValue)
{
    const DecodeRow& row = GetParam();
    Bytes text{};
    Bytes value{};
    ReadHexPairs(row.hex, text);
    const double decoded = row.isDouble ? DecodeDouble(text, value) : DecodeFloat(text, value);
    EXPECT_EQ(Fixed6(decoded), row.expected)
        << (row.isDouble ? "double '" : "float '") << row.hex << "'";
}

const std::string kLargestFloat = "340282346638528859811704183484516925440.000000";

INSTANTIATE_TEST_SUITE_P(
    Rows, DecodeTest,
    testing::Values(DecodeRow{"FloatOne", "3F800000", false, "1.000000"},
                    DecodeRow{"FloatMinusOne", "BF800000", false, "-1.000000"},
                    DecodeRow{"FloatPi", "40490FDB", false, "3.141593"},
                    DecodeRow{"FloatMinusZero", "80000000", false, "-0.000000"},
                    DecodeRow{"FloatSmallestSubnormal", "00000001", false, "0.000000"},
                    DecodeRow{"FloatLargest", "7F7FFFFF", false, kLargestFloat},
                    DecodeRow{"FloatInfinity", "7F800000", false, "inf"},
                    DecodeRow{"FloatMinusInfinity", "FF800000", false, "-inf"},
                    DecodeRow{"FloatNaN", "7FC00000", false, "nan"},
                    DecodeRow{"FloatPrefixShiftsBytes", "0x3F800000", false, "0.000000"},
                    DecodeRow{"FloatUsesFirstFourOfEight", "3FF0000000000000", false, "1.875000"},
                    DecodeRow{"DoubleOne", "3FF0000000000000", true, "1.000000"},
                    DecodeRow{"DoublePi", "400921FB54442D18", true, "3.141593"},
                    DecodeRow{"DoubleMinusTwo", "C000000000000000", true, "-2.000000"},
                    DecodeRow{"DoubleHundred", "4059000000000000", true, "100.000000"},
                    DecodeRow{"DoubleShortPatternHasZeros", "40", true, "2.000000"},
                    DecodeRow{"DoubleMinusNaN", "FFF8000000000000", true, "-nan"}),
    [](const auto& row) { return row.param.name; });

TEST(Decode, ValueBytesAreTheLittleEndianImage)
{
    const Bytes text{0x40, 0x49, 0x0F, 0xDB, 0x11, 0x22, 0x33, 0x44};
    Bytes value{0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7};
    DecodeFloat(text, value); // only the first four are the single's
    EXPECT_EQ(value, (Bytes{0xDB, 0x0F, 0x49, 0x40, 0xA4, 0xA5, 0xA6, 0xA7}));
    DecodeDouble(text, value);
    EXPECT_EQ(value, (Bytes{0x44, 0x33, 0x22, 0x11, 0xDB, 0x0F, 0x49, 0x40}));
}

TEST(Decode, LargestDoubleRendersToItsFull316Characters)
{
    Bytes text{0x7F, 0xEF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    Bytes value{};
    const std::string shown = Fixed6(DecodeDouble(text, value));
    EXPECT_EQ(shown.size(), 316u);
    EXPECT_EQ(shown.substr(0, 17), "17976931348623157");
}

} // namespace
