#include "tests/converter_fixture.h"

#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Bytes = std::array<BYTE, 8>;

struct ReadRow {
    const char* name;
    std::string text;
    Bytes expected; // from a store of zeros
};

class HexReaderTest : public testing::TestWithParam<ReadRow> {};

TEST_P(HexReaderTest, ReadsPairsFromTheFront)
{
    const ReadRow& row = GetParam();
    Converter converter;
    converter.Double(row.text.c_str());
    EXPECT_EQ(converter.TextBytes(), row.expected) << "text '" << row.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HexReaderTest,
    testing::Values(ReadRow{"Plain", "3F800000", {0x3F, 0x80}},
                    ReadRow{"LowerCaseAndSpaces", "3f 80 00 00", {0x3F, 0x80}},
                    ReadRow{"PrefixIsAPair", "0x3F800000", {0x01, 0x3F, 0x80}},
                    ReadRow{"OddDigitTakesSeparator", "ABC DE", {0xAB, 0xC0, 0xDE}},
                    ReadRow{"LastCharacterNeverStartsAPair", "ABC", {0xAB}},
                    ReadRow{"OneCharacter", "A", {}}, ReadRow{"Empty", "", {}},
                    ReadRow{"DashIsLowHalf", "A-", {0xAD}},
                    ReadRow{"NonDigitSkipped", "12G4", {0x12}},
                    ReadRow{"StopsAfterEight",
                            "1122334455667788AA",
                            {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88}},
                    ReadRow{"Separators", "de:ad,be-ef", {0xDE, 0xAD, 0xBE, 0xEF}},
                    ReadRow{"OnlySeparators", " ,:-;/. ", {}},
                    ReadRow{"HighBytesAreNeverDigits",
                            "\xC3\xA9"
                            "12\xFF"
                            "34",
                            {0x12, 0x34}},
                    ReadRow{"HighByteAsLowHalf", "1\xB9", {0x12}}, // (0xB9 + 9) & 0x0F
                    ReadRow{"ReadStopsAtZeroByte",
                            std::string("12\0"
                                        "34",
                                        5),
                            {0x12}}),
    [](const auto& row) { return row.param.name; });

struct DigitRow {
    char ch;
    BYTE value;
};

TEST(HexDigitValue, DigitsAndSeparators)
{
    const DigitRow rows[] = {{'0', 0},  {'9', 9}, {'A', 10},   {'F', 15},  {'a', 10},
                             {'f', 15}, {' ', 0}, {',', 12},   {'-', 13},  {'.', 14},
                             {'/', 15}, {':', 3}, {';', 4},    {'x', 1},   {'X', 1},
                             {'g', 0},  {'G', 0}, {'\xF7', 0}, {'\xFF', 8}};
    for (const DigitRow& row : rows)
        EXPECT_EQ(CConverterDlg::HexDigitValue(row.ch), row.value)
            << "character 0x" << std::hex << (static_cast<unsigned char>(row.ch) + 0);
}

TEST(HexReader, ShortTextPatchesOnlyLeadingBytes)
{
    Converter converter;
    converter.Float("3F800000");
    converter.Float("40");
    EXPECT_EQ(converter.TextBytes(), (Bytes{0x40, 0x80, 0x00, 0x00}));
    converter.Float("");
    converter.Float("Z");
    EXPECT_EQ(converter.TextBytes(), (Bytes{0x40, 0x80, 0x00, 0x00}));
}

// Long texts are scanned in full: a pair that starts anywhere is read, the
// last character still never starts one.
struct LongRow {
    const char* name;
    std::size_t padding; // spaces before the pair
    std::string tail;
    Bytes expected;
};

TEST(HexReader, LongTextsAreScannedInFull)
{
    const LongRow rows[] = {
        {"Length198", 196, "AB", {0xAB}},
        {"Length199", 197, "AB", {0xAB}},
        {"Length200", 198, "AB", {0xAB}},
        {"Length200LastCharacter", 199, "A", {}},
        {"Megabytes", 4u << 20, "3F800000", {0x3F, 0x80}},
    };
    for (const LongRow& row : rows) {
        Converter converter;
        const std::string text = std::string(row.padding, ' ') + row.tail;
        converter.Float(text.c_str());
        EXPECT_EQ(converter.TextBytes(), row.expected) << row.name;
    }
}

TEST(HexReader, MegabytesOfDigitsReadOnlyEightPairs)
{
    Converter converter;
    const std::string text(8u << 20, '7');
    EXPECT_EQ(converter.Double(text.c_str()), Converter().Double("7777777777777777"));
    EXPECT_EQ(converter.TextBytes(), (Bytes{0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77}));
}

} // namespace
