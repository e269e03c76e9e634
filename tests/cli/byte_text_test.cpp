#include "cli/input/byte_text.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct PlainHexRow {
    const char* name;
    std::string text;
    bool read;
    std::vector<std::uint8_t> bytes; // when read
};

class PlainHex : public testing::TestWithParam<PlainHexRow> {};

TEST_P(PlainHex, ReadsDigitsAloneAndRefusesTheRest)
{
    const PlainHexRow& row = GetParam();
    std::uint8_t bytes[kMostPlainHexBytes] = {};
    ASSERT_EQ(ReadPlainHex(row.text, bytes), row.read);
    if (row.read) {
        EXPECT_EQ(std::vector<std::uint8_t>(bytes, bytes + row.text.size() / 2), row.bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PlainHex,
    testing::Values(PlainHexRow{"EitherCase", "3F80aBcD", true, {0x3F, 0x80, 0xAB, 0xCD}},
                    PlainHexRow{"Longest", "0123456789abcdef", true,
                                {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}},
                    PlainHexRow{"Empty", "", true, {}},
                    PlainHexRow{"OddLength", "3F8", false, {}},
                    PlainHexRow{"TooLong", "000000000000000000", false, {}},
                    PlainHexRow{"Separator", "3F 80", false, {}},
                    PlainHexRow{"Prefix", "0x3F80", false, {}},
                    PlainHexRow{"NotADigit", "3G80", false, {}},
                    PlainHexRow{"HighByte", "3F\x80\x38", false, {}}),
    [](const auto& row) { return row.param.name; });

} // namespace
