#include "core/number_reader.h"
#include "core/pressure.h"
#include "tests/core/fixed6.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

namespace {

TEST(PressureConstants, HaveTheirExactBitPatterns)
{
    EXPECT_EQ(std::bit_cast<std::uint64_t>(KPA_TO_PSI), 0x3FC29098C75CBAEDu);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(PSI_OFFSET), 0x402D01EE2435696Eu);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(METRES_PER_PSI), 0x3FE5ED916872B021u);
}

struct PressureRow {
    const char* name;
    const char* kpa;
    const char* psi;
    const char* metres;
};

class PressureTest : public testing::TestWithParam<PressureRow> {};

TEST_P(PressureTest, ConvertsAPressureText)
{
    const PressureRow& row = GetParam();
    const double kpa = ReadNumber(row.kpa);
    if (row.psi != nullptr) {
        EXPECT_EQ(Fixed6(KpaToPsi(kpa)), row.psi) << "psi of '" << row.kpa << "'";
    }
    EXPECT_EQ(Fixed6(KpaToMetres(kpa)), row.metres) << "metres of '" << row.kpa << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PressureTest,
    testing::Values(PressureRow{"Hundred", "100", "14.503774", "0.000003"},
                    PressureRow{"JustBelowZeroHead", "99.99996", nullptr, "-0.000001"},
                    PressureRow{"JustAboveZeroHead", "99.99998", nullptr, "0.000001"},
                    PressureRow{"TwoHundred", "200", "29.007549", "9.938714"},
                    PressureRow{"Atmosphere", "101.325", "14.695949", "0.131691"},
                    PressureRow{"Empty", "", "0.000000", "-9.938708"},
                    PressureRow{"NotANumber", "abc", "0.000000", "-9.938708"},
                    PressureRow{"SignWithoutNumberIsPlusZero", "-abc", "0.000000", "-9.938708"},
                    PressureRow{"Negative", "-7", "-1.015264", "-10.634418"},
                    PressureRow{"Exponent", "1e3", "145.037744", "89.448406"},
                    PressureRow{"LeadingSpacesAndUnit", "  50kPa", "7.251887", "-4.969353"},
                    PressureRow{"LeadingTabAndPlus", "\t+100", "14.503774", "0.000003"},
                    PressureRow{"CommaEndsTheNumber", "101,325", "14.648812", "0.099390"},
                    PressureRow{"SecondPointEndsTheNumber", "1.5.5", "0.217557", "-9.789628"},
                    PressureRow{"BareExponentIgnored", "2e", "0.290075", "-9.739934"},
                    PressureRow{"MinusZero", "-0", "-0.000000", "-9.938708"},
                    PressureRow{"Overflow", "1e999", "inf", "inf"},
                    PressureRow{"Infinity", "-infinity", "-inf", "-inf"},
                    PressureRow{"NaN", "nan", "nan", "nan"},
                    PressureRow{"HexFloat", "0x1p3", "1.160302", "-9.143611"},
                    // Inputs whose sixth decimal changes if multiply and subtract fuse.
                    PressureRow{"UnfusedA", "215234559", nullptr, "21391531.714572"},
                    PressureRow{"UnfusedB", "553443748", nullptr, "55005166.939462"}),
    [](const auto& row) { return row.param.name; });

} // namespace
