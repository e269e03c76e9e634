#include "core/hex_pairs.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

namespace {

using Bytes = std::array<std::uint8_t, 8>;

struct ReadRow {
    const char* name;
    std::string text;
    int count;
    Bytes expected; // from a store of zeros
};

class HexPairsTest : public testing::TestWithParam<ReadRow> {};

TEST_P(HexPairsTest, ReadsPairsFromTheFront)
{
    const ReadRow& row = GetParam();
    Bytes bytes{};
    EXPECT_EQ(ReadHexPairs(row.text, bytes), row.count) << "text '" << row.text << "'";
    EXPECT_EQ(bytes, row.expected) << "text '" << row.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HexPairsTest,
    testing::Values(ReadRow{"Plain", "3F800000", 4, {0x3F, 0x80}},
                    ReadRow{"LowerCaseAndSpaces", "3f 80 00 00", 4, {0x3F, 0x80}},
                    ReadRow{"PrefixIsAPair", "0x3F800000", 5, {0x01, 0x3F, 0x80}},
                    ReadRow{"OddDigitTakesSeparator", "ABC DE", 3, {0xAB, 0xC0, 0xDE}},
                    ReadRow{"LastCharacterNeverStartsAPair", "ABC", 1, {0xAB}},
                    ReadRow{"OneCharacter", "A", 0, {}}, ReadRow{"Empty", "", 0, {}},
                    ReadRow{"DashIsLowHalf", "A-", 1, {0xAD}},
                    ReadRow{"NonDigitSkipped", "12G4", 1, {0x12}},
                    ReadRow{"StopsAfterEight",
                            "1122334455667788AA",
                            8,
                            {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88}},
                    ReadRow{"Separators", "de:ad,be-ef", 4, {0xDE, 0xAD, 0xBE, 0xEF}},
                    ReadRow{"OnlySeparators", " ,:-;/. ", 0, {}},
                    ReadRow{"HighBytesAreNeverDigits",
                            "\xC3\xA9"
                            "12\xFF"
                            "34",
                            2,
                            {0x12, 0x34}},
                    ReadRow{"HighByteAsLowHalf", "1\xB9", 1, {0x12}}, // (0xB9 + 9) & 0x0F
                    ReadRow{"ZeroByteIsSkipped",
                            std::string("12\0"
                                        "34",
                                        5),
                            2,
                            {0x12, 0x34}},
                    ReadRow{"ZeroByteAsLowHalf",
                            std::string("1\0"
                                        "2",
                                        3),
                            1,
                            {0x10}}),
    [](const auto& row) { return row.param.name; });

TEST(HexDigitValue, DigitsAndSeparators)
{
    const struct {
        char ch;
        std::uint8_t value;
    } rows[] = {{'0', 0},  {'9', 9},  {'A', 10}, {'F', 15},   {'a', 10},  {'f', 15}, {' ', 0},
                {',', 12}, {'-', 13}, {'.', 14}, {'/', 15},   {':', 3},   {';', 4},  {'x', 1},
                {'X', 1},  {'g', 0},  {'G', 0},  {'\xF7', 0}, {'\xFF', 8}};
    for (const auto& row : rows)
        EXPECT_EQ(HexDigitValue(row.ch), row.value)
            << "character 0x" << std::hex << (static_cast<unsigned char>(row.ch) + 0);
}

TEST(HexPairs, ShortTextReplacesOnlyLeadingBytes)
{
    Bytes bytes{0x3F, 0x80, 0x00, 0x00, 0x11, 0x22, 0x33, 0x44};
    EXPECT_EQ(ReadHexPairs("40", bytes), 1);
    EXPECT_EQ(bytes, (Bytes{0x40, 0x80, 0x00, 0x00, 0x11, 0x22, 0x33, 0x44}));
    EXPECT_EQ(ReadHexPairs("Z", bytes), 0);
    EXPECT_EQ(bytes, (Bytes{0x40, 0x80, 0x00, 0x00, 0x11, 0x22, 0x33, 0x44}));
}

// Long texts are scanned in full: a pair that starts anywhere is read, the
// last character still never starts one.
TEST(HexPairs, LongTextsAreScannedInFull)
{
    const struct {
        const char* name;
        std::size_t padding; // spaces before the tail
        std::string tail;
        Bytes expected;
    } rows[] = {
        {"Length198", 196, "AB", {0xAB}},
        {"Length199", 197, "AB", {0xAB}},
        {"Length200", 198, "AB", {0xAB}},
        {"Length200LastCharacter", 199, "A", {}},
        {"Megabytes", 4u << 20, "3F800000", {0x3F, 0x80}},
    };
    for (const auto& row : rows) {
        Bytes bytes{};
        ReadHexPairs(std::string(row.padding, ' ') + row.tail, bytes);
        EXPECT_EQ(bytes, row.expected) << row.name;
    }
}

TEST(HexPairs, MegabytesOfDigitsReadOnlyEightPairs)
{
    Bytes bytes{};
    EXPECT_EQ(ReadHexPairs(std::string(8u << 20, '7'), bytes), 8);
    EXPECT_EQ(bytes, (Bytes{0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77}));
}

} // namespace
