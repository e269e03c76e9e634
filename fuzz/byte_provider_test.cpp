#include "fuzz/byte_provider.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

using Input = std::vector<std::uint8_t>;

struct IntegralRow {
    const char* name;
    Input input;
    std::int64_t min;
    std::int64_t max;
    std::int64_t value;
    std::size_t left;
};

class ByteProviderIntegralTest : public testing::TestWithParam<IntegralRow> {};

TEST_P(ByteProviderIntegralTest, ReadsAValueInItsRange)
{
    const IntegralRow& row = GetParam();
    fuzz::ByteProvider provider(row.input.data(), row.input.size());
    EXPECT_EQ(provider.ConsumeIntegral(row.min, row.max), row.value);
    EXPECT_EQ(provider.Remaining(), row.left);
}

constexpr std::int64_t kLeast = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMost = std::numeric_limits<std::int64_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Rows, ByteProviderIntegralTest,
    testing::Values(IntegralRow{"OneValueReadsNothing", {0x05}, 7, 7, 7, 1},
                    IntegralRow{"OneByteCoversAByteRange", {0xAB}, 0, 255, 0xAB, 0},
                    IntegralRow{"ReducedModuloTheRange", {10}, 0, 8, 1, 0},
                    IntegralRow{"OffsetFromANegativeLeast", {5}, -3, 3, 2, 0},
                    IntegralRow{"MostSignificantFirst", {0x01, 0x02, 0x03}, 0, 65535, 0x0102, 1},
                    IntegralRow{"ShortInputGivesWhatIsThere", {0x01}, 0, 65535, 1, 0},
                    IntegralRow{"EmptyInputGivesTheLeast", {}, 5, 9, 5, 0},
                    IntegralRow{
                        "WholeTypeIsNotReduced", {0x80, 0, 0, 0, 0, 0, 0, 0}, kLeast, kMost, 0, 0}),
    [](const auto& row) { return row.param.name; });

TEST(ByteProvider, NarrowTypesReadOneByteForTheirWholeRange)
{
    const Input input = {0xFF, 0xFF};
    fuzz::ByteProvider provider(input.data(), input.size());
    EXPECT_EQ(provider.ConsumeIntegral<std::int8_t>(-128, 127), 127);
    EXPECT_EQ(provider.ConsumeIntegral<std::uint8_t>(0, 255), 255);
    EXPECT_EQ(provider.Remaining(), 0u);
}

TEST(ByteProvider, BoolIsTheLowBitAndFalseAtTheEnd)
{
    const Input input = {0x02, 0x03};
    fuzz::ByteProvider provider(input.data(), input.size());
    EXPECT_FALSE(provider.ConsumeBool());
    EXPECT_TRUE(provider.ConsumeBool());
    EXPECT_FALSE(provider.ConsumeBool());
}

struct StringRow {
    const char* name;
    Input input;
    std::size_t maxLength;
    std::string text;
    std::size_t left;
};

class ByteProviderStringTest : public testing::TestWithParam<StringRow> {};

TEST_P(ByteProviderStringTest, ReadsALengthThenTheText)
{
    const StringRow& row = GetParam();
    fuzz::ByteProvider provider(row.input.data(), row.input.size());
    EXPECT_EQ(provider.ConsumeString(row.maxLength), row.text);
    EXPECT_EQ(provider.Remaining(), row.left);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ByteProviderStringTest,
    testing::Values(StringRow{"LengthThenText", {3, 'a', 'b', 'c', 'd'}, 255, "abc", 1},
                    StringRow{"LengthReducedModuloTheMaximum", {5, 'a', 'b', 'c'}, 3, "a", 2},
                    StringRow{"CutAtTheEnd", {9, 'a', 'b'}, 255, "ab", 0},
                    StringRow{"KeepsZeroBytes", {2, 0, 'x'}, 255, std::string("\0x", 2), 0},
                    StringRow{"TwoLengthBytesAbove255", {0, 2, 'a', 'b', 'c'}, 1000, "ab", 1},
                    StringRow{"NoLengthForAZeroMaximum", {'a'}, 0, "", 1},
                    StringRow{"EmptyInput", {}, 255, "", 0}),
    [](const auto& row) { return row.param.name; });

TEST(ByteProvider, RemainingTakesTheRestWithoutALength)
{
    const Input input = {2, 0xFF, 0x00, 3, 'x', 'y'};
    fuzz::ByteProvider provider(input.data(), input.size());
    EXPECT_EQ(provider.ConsumeBytes(255), (Input{0xFF, 0x00}));
    EXPECT_EQ(provider.ConsumeRemainingString(), "\x03xy");
    EXPECT_EQ(provider.ConsumeRemainingBytes(), Input{});
}

} // namespace
