#include "core/byte_order.h"
#include "core/hex_pairs.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace {

using Bytes = std::array<std::uint8_t, 8>;
using B = ByteOrder;

struct OrderRow {
    const char* name;
    ByteOrder order;
    std::size_t size;
    const char* text; // the value's bytes as a text in `order` writes them
    std::uint64_t bits;
    const char* shownAs;
};
using O = OrderRow;

class ByteOrderTest : public testing::TestWithParam<OrderRow> {};

TEST_P(ByteOrderTest, ReadsAndWritesTheValue)
{
    const OrderRow& row = GetParam();
    Bytes text{};
    ReadHexPairs(row.text, text);
    EXPECT_EQ(BitsFromBytes(text, row.size, row.order), row.bits);
    EXPECT_EQ(BytesFromBits(row.bits, row.size, row.order), text);
    EXPECT_EQ(ByteOrderName(row.order, row.size), row.shownAs);
}

// Pi as float and as double: every byte differs, so any misplaced one shows.
INSTANTIATE_TEST_SUITE_P(
    Rows, ByteOrderTest,
    testing::Values(O{"FloatABCD", B::ABCD, 4, "40490FDB", 0x40490FDB, "ABCD"},
                    O{"FloatDCBA", B::DCBA, 4, "DB0F4940", 0x40490FDB, "DCBA"},
                    O{"FloatCDAB", B::CDAB, 4, "0FDB4049", 0x40490FDB, "CDAB"},
                    O{"FloatBADC", B::BADC, 4, "4940DB0F", 0x40490FDB, "BADC"},
                    O{"DoubleABCD", B::ABCD, 8, "400921FB54442D18", 0x400921FB54442D18, "ABCDEFGH"},
                    O{"DoubleDCBA", B::DCBA, 8, "182D4454FB210940", 0x400921FB54442D18, "HGFEDCBA"},
                    O{"DoubleCDAB", B::CDAB, 8, "2D18544421FB4009", 0x400921FB54442D18, "GHEFCDAB"},
                    O{"DoubleBADC", B::BADC, 8, "0940FB214454182D", 0x400921FB54442D18, "BADCFEHG"},
                    O{"WordABCD", B::ABCD, 2, "3C01", 0x3C01, "AB"},
                    O{"WordCDABAsWritten", B::CDAB, 2, "3C01", 0x3C01, "AB"},
                    O{"WordDCBA", B::DCBA, 2, "013C", 0x3C01, "BA"},
                    O{"WordBADCSwapped", B::BADC, 2, "013C", 0x3C01, "BA"}),
    [](const auto& row) { return row.param.name; });

TEST(ByteOrder, OtherSizesGiveNothing)
{
    const Bytes text{1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(BitsFromBytes(text, 3, B::ABCD), 0u);
    EXPECT_EQ(BitsFromBytes(std::span(text).first(2), 4, B::ABCD), 0u);
    EXPECT_EQ(BytesFromBits(0x0102030405060708, 16, B::DCBA), Bytes{});
}

TEST(ByteOrder, NamesAndAliasesInAnyCase)
{
    const struct {
        const char* name;
        std::optional<ByteOrder> order;
    } rows[] = {{"ABCD", B::ABCD},
                {"dcba", B::DCBA},
                {"CdAb", B::CDAB},
                {"BADC", B::BADC},
                {"abcdefgh", B::ABCD},
                {"HGFEDCBA", B::DCBA},
                {"GHEFCDAB", B::CDAB},
                {"BADCFEHG", B::BADC},
                {"AB", B::ABCD},
                {"ba", B::DCBA},
                {"Big", B::ABCD},
                {"LITTLE", B::DCBA},
                {"word-swap", B::CDAB},
                {"Byte-Swap", B::BADC},
                {"1234", B::ABCD},
                {"4321", B::DCBA},
                {"3412", B::CDAB},
                {"2143", B::BADC},
                {"", std::nullopt},
                {"ABDC", std::nullopt},
                {" big", std::nullopt},
                {"word swap", std::nullopt},
                {"ABCDEFGHI", std::nullopt}};
    for (const auto& row : rows)
        EXPECT_EQ(ParseByteOrder(row.name), row.order) << "'" << row.name << "'";
}

} // namespace
