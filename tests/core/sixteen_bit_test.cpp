// The 16-bit types through the core's rounding and decoding.
#include "core/binary_round.h"
#include "core/float_type.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");

struct SixteenRow {
    const char* name;
    bool bfloat;
    double value;
    std::uint16_t bits; // `value` rounded
    bool exact;         // `bits` decodes to `value` (for a NaN, any NaN of its sign)
};

class SixteenBitTest : public testing::TestWithParam<SixteenRow> {};

TEST_P(SixteenBitTest, EncodesOnceAndDecodesExactly)
{
    const SixteenRow& row = GetParam();
    const FloatType type = row.bfloat ? FloatType::BFloat16 : FloatType::Half;
    EXPECT_EQ(RoundDouble(type, row.value, 0), row.bits);
    if (!row.exact)
        return;
    const double decoded = DecodeBits(type, row.bits);
    EXPECT_TRUE(decoded == row.value || (std::isnan(decoded) && std::isnan(row.value)));
    EXPECT_EQ(std::signbit(decoded), std::signbit(row.value));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SixteenBitTest,
    testing::Values(SixteenRow{"HalfMinusZero", false, -0.0, 0x8000, true},
                    SixteenRow{"HalfSmallestSubnormal", false, 0x1p-24, 0x0001, true},
                    SixteenRow{"HalfLargest", false, 65504, 0x7BFF, true},
                    SixteenRow{"HalfMinusInfinity", false, -kInf, 0xFC00, true},
                    SixteenRow{"HalfNaNIsQuiet", false, -kNaN, 0xFE00, true},
                    SixteenRow{"HalfTieToEvenDown", false, 1 + 0x1p-11, 0x3C00, false},
                    SixteenRow{"HalfTieToEvenUp", false, 1 + 0x3p-11, 0x3C02, false},
                    SixteenRow{"HalfBelowOverflow", false, 65519.99, 0x7BFF, false},
                    SixteenRow{"HalfOverflowTie", false, 65520, 0x7C00, false},
                    SixteenRow{"HalfUnderflowTie", false, -0x1p-25, 0x8000, false},
                    SixteenRow{"HalfAboveUnderflowTie", false, 0x1.000001p-25, 0x0001, false},
                    SixteenRow{"HalfCarryIntoNormal", false, 0x1.FFFp-15, 0x0400, false},
                    SixteenRow{"BFloatSmallestSubnormal", true, 0x1p-133, 0x0001, true},
                    SixteenRow{"BFloatLargest", true, 0x1.FEp127, 0x7F7F, true},
                    SixteenRow{"BFloatInfinity", true, kInf, 0x7F80, true},
                    SixteenRow{"BFloatNaNIsQuiet", true, kNaN, 0x7FC0, true},
                    SixteenRow{"BFloatTieToEven", true, 1 + 0x1p-8, 0x3F80, false},
                    SixteenRow{"BFloatOverflowTie", true, 0x1.FFp127, 0x7F80, false},
                    SixteenRow{"BFloatUnderflowTie", true, 0x1p-134, 0x0000, false}),
    [](const auto& row) { return row.param.name; });

TEST(SixteenBit, SignallingNaNStaysSignallingWithItsPayload)
{
    EXPECT_EQ(std::bit_cast<std::uint64_t>(DecodeBits(FloatType::Half, 0x7C01)),
              0x7FF0040000000000u);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(DecodeBits(FloatType::BFloat16, 0xFF81)),
              0xFFF0200000000000u);
}

} // namespace
