// The layout the committed seed corpora were written in: if the provider read
// them differently, the replays would quietly test other inputs.
#include "fuzz/byte_provider.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <cstdint>
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

INSTANTIATE_TEST_SUITE_P(
    Rows, ByteProviderIntegralTest,
    testing::Values(IntegralRow{"OneValueReadsNothing", {0x05}, 7, 7, 7, 1},
                    IntegralRow{"ReducedModuloTheRange", {10}, 0, 8, 1, 0},
                    IntegralRow{"OffsetFromANegativeLeast", {5}, -3, 3, 2, 0},
                    IntegralRow{"MostSignificantFirst", {0x01, 0x02, 0x03}, 0, 65535, 0x0102, 1},
                    IntegralRow{"EmptyInputGivesTheLeast", {}, 5, 9, 5, 0}),
    [](const auto& row) { return row.param.name; });

// A tarvel-cli seed: one argument, a length-prefixed string, the terminal
// flag, then standard input.
TEST(ByteProvider, ReadsACliSeedInOrder)
{
    const Input input = {1, 5, 'f', 'l', 'o', 'a', 't', 0x02, '4', '0', '\n'};
    fuzz::ByteProvider provider(input.data(), input.size());
    EXPECT_EQ(provider.ConsumeIntegral<std::size_t>(0, 16), 1u);
    EXPECT_EQ(provider.ConsumeString(255), "float");
    EXPECT_FALSE(provider.ConsumeBool()); // the low bit
    EXPECT_EQ(provider.ConsumeRemainingString(), "40\n");
    EXPECT_EQ(provider.ConsumeString(255), ""); // past the end: empty, never a failure
}

} // namespace
