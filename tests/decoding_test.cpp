#include "tests/converter_fixture.h"

#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct DecodeRow {
    const char* name;
    const char* hex;
    bool isDouble;
    std::string expected; // from a fresh dialog
};

class DecodingTest : public testing::TestWithParam<DecodeRow> {};

TEST_P(DecodingTest, ShowsTheEncodedValue)
{
    const DecodeRow& row = GetParam();
    Converter converter;
    const std::string shown = row.isDouble ? converter.Double(row.hex) : converter.Float(row.hex);
    EXPECT_EQ(shown, row.expected) << (row.isDouble ? "double '" : "float '") << row.hex << "'";
}

const std::string kLargestFloat = "340282346638528859811704183484516925440.000000";

INSTANTIATE_TEST_SUITE_P(
    Rows, DecodingTest,
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
                    DecodeRow{"DoubleSeparated", "40 59 00 00 00 00 00 00", true, "100.000000"},
                    DecodeRow{"DoubleMinusNaN", "FFF8000000000000", true, "-nan"}),
    [](const auto& row) { return row.param.name; });

TEST(Decoding, FloatWritesLittleEndianImageOfFourBytes)
{
    Converter converter;
    converter.Double("1122334455667788");
    converter.Float("40490FDB");
    const BYTE expected[8] = {0xDB, 0x0F, 0x49, 0x40, 0x44, 0x33, 0x22, 0x11};
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(converter.dlg.m_valueBytes[k], expected[k]) << "value byte " << k;
}

TEST(Decoding, LargestDoubleFillsTheValueField)
{
    Converter converter;
    const std::string shown = converter.Double("7FEFFFFFFFFFFFFF");
    EXPECT_EQ(shown.size(), 316u);
    EXPECT_EQ(shown.substr(0, 17), "17976931348623157");
}

TEST(Decoding, BytesCarryOverFromEarlierReadings)
{
    Converter converter;
    EXPECT_EQ(converter.Float("3F800000"), "1.000000");
    EXPECT_EQ(converter.Float("40"), "4.000000");

    Converter other;
    EXPECT_EQ(other.Double("3FF0000000000000"), "1.000000");
    EXPECT_EQ(other.Double("40"), "65536.000000");
    // Emptying the text decodes the bytes the store still holds.
    EXPECT_EQ(other.Double(""), "65536.000000");
}

} // namespace
