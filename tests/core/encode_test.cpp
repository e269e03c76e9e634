#include "core/binary_round.h"
#include "core/encode.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

namespace {

using T = FloatType;

struct EncodeRow {
    const char* name;
    FloatType type;
    std::string text;
    std::optional<std::uint64_t> bits;
};

using R = EncodeRow;

class EncodeTest : public testing::TestWithParam<EncodeRow> {};

TEST_P(EncodeTest, RoundsOnceOrRefuses)
{
    const EncodeRow& row = GetParam();
    EXPECT_EQ(EncodeBits(row.type, row.text), row.bits) << "'" << row.text << "'";
}

// Just above or below a midpoint of the narrow type, by far less than half a
// double's last place: through double the text lands on the midpoint itself.
const std::string kAboveFloatMidpoint = "1.00000005960464477539062500001"; // 1 + 2^-24
const std::string kAboveHalfMidpoint = "1.00048828125000000001";           // 1 + 2^-11
const std::string kBelowHalfMidpoint = "1.00146484374999999999";           // 1 + 3 * 2^-11

INSTANTIATE_TEST_SUITE_P(
    Rows, EncodeTest,
    testing::Values(
        R{"FloatAboveMidpoint", T::Float32, kAboveFloatMidpoint, 0x3F800001},
        R{"FloatMidpointTiesToEven", T::Float32, "1.000000059604644775390625", 0x3F800000},
        R{"FloatIntegerTie", T::Float32, "16777219", 0x4B800002},
        R{"HalfAboveMidpoint", T::Half, kAboveHalfMidpoint, 0x3C01},
        R{"HalfBelowMidpoint", T::Half, kBelowHalfMidpoint, 0x3C01},
        R{"HalfMidpointTiesToEven", T::Half, "1.00146484375", 0x3C02},
        R{"HalfJustBelowOverflow", T::Half, "65519.999999999999999999", 0x7BFF},
        R{"HalfOverflowTie", T::Half, "65520", 0x7C00},
        R{"HalfJustAboveUnderflowTie", T::Half, "2.98023223876953125000001e-8", 0x0001},
        R{"HalfUnderflowTie", T::Half, "-2.98023223876953125e-8", 0x8000},
        R{"BFloatAboveMidpoint", T::BFloat16, "1.00390625000000000001", 0x3F81},
        R{"FloatToInfinity", T::Float32, "3.40282356779733661637539395458142568448e38", 0x7F800000},
        R{"FloatUnderflow", T::Float32, "-1e-46", 0x80000000},
        R{"FloatSmallestSubnormal", T::Float32, "7.1e-46", 0x00000001},
        R{"DoubleOverflow", T::Float64, "1e309", 0x7FF0000000000000},
        R{"DoubleTinyExponent", T::Float64, "1e-99999999999999999999", 0},
        R{"DoubleBelowUnderflowTie", T::Float64, "2.4703282292062327208828439643411068e-324", 0},
        R{"DoubleAboveUnderflowTie", T::Float64, "2.4703282292062327208828439643411069e-324", 1},
        R{"Spaces", T::Float32, " \t+1.5\n", 0x3FC00000},
        R{"PointLast", T::Float32, "2.e1", 0x41A00000}, R{"MinusZero", T::Half, "-0.0", 0x8000},
        R{"Infinity", T::Half, "-Infinity", 0xFC00}, R{"NaN", T::Float32, " NaN ", 0x7FC00000},
        R{"MinusNaN", T::BFloat16, "-nan", 0xFFC0}, R{"Hex", T::Float32, "0x1.8p1", 0x40400000},
        R{"HexNoExponent", T::Half, "-0X.8", 0xB800},
        R{"HexMidpointTiesToEven", T::Float32, "0x1.000001p0", 0x3F800000},
        R{"HexBeyondSixteenDigits", T::Float32, "0x1.0000010000000000000001p0", 0x3F800001},
        R{"HexHalfAboveMidpoint", T::Half, "0x1.0020000000000000001p0", 0x3C01},
        R{"HexOverflow", T::Half, "0x1p16", 0x7C00}),
    [](const auto& row) { return row.param.name; });

TEST(Encode, RefusesWhatIsNotWhollyANumber)
{
    for (const char* text : {"", "  ", "-", "1e+", "e5", ".", "1.2.3", "1 2", "+-1", "1f", "1,5",
                             "0x", "0x1p", "0x1q", "infin", "nan(1)"})
        EXPECT_EQ(EncodeBits(T::Float32, text), std::nullopt) << "'" << text << "'";
}

// The rows above would come out wrong by rounding to double first.
TEST(Encode, DoubleRoundingWouldMissTheRows)
{
    auto viaDouble = [](const std::string& text) {
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    };
    EXPECT_EQ(std::bit_cast<std::uint32_t>(static_cast<float>(viaDouble(kAboveFloatMidpoint))),
              0x3F800000u);
    EXPECT_EQ(RoundDouble(T::Half, viaDouble(kAboveHalfMidpoint), 0), 0x3C00u);
    EXPECT_EQ(RoundDouble(T::Half, viaDouble(kBelowHalfMidpoint), 0), 0x3C02u);
    EXPECT_EQ(RoundDouble(T::Half, viaDouble("65519.999999999999999999"), 0), 0x7C00u);
}

} // namespace
