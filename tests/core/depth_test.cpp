#include "core/depth.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

struct LatitudeRow {
    const char* name;
    double input; // decibars for UNESCO rows, unused for gravity rows
    double degrees;
    double expected;
};

class UnescoDepthTest : public testing::TestWithParam<LatitudeRow> {};

TEST_P(UnescoDepthTest, FollowsThePublishedPolynomial)
{
    const LatitudeRow& row = GetParam();
    EXPECT_NEAR(UnescoDepth(row.input, row.degrees), row.expected, 1e-9);
}

// The published polynomial in exact rational arithmetic, with sin^2 of 0,
// 30, 45, 60 and 90 degrees taken as 0, 1/4, 1/2, 3/4 and 1.
INSTANTIATE_TEST_SUITE_P(Rows, UnescoDepthTest,
                         testing::Values(LatitudeRow{"Zero", 0, 30, 0},
                                         LatitudeRow{"Thousand", 1000, 0, 992.11709559255772},
                                         LatitudeRow{"TwoThousand", 2000, 60, 1971.7167177613130},
                                         LatitudeRow{"FiveThousand", 5000, 45, 4902.0807521419136},
                                         LatitudeRow{"TenThousandAtPole", 10000, 90,
                                                     9674.2314405610955},
                                         LatitudeRow{"BelowSurface", -500, 0, -497.85941852734399}),
                         [](const auto& row) { return row.param.name; });

TEST(UnescoDepth, GivesThePublishedCheckValue)
{
    EXPECT_NEAR(UnescoDepth(10000, 30), 9712.653, 1e-3);
}

class GravityTest : public testing::TestWithParam<LatitudeRow> {};

TEST_P(GravityTest, FollowsThe1980Formula)
{
    EXPECT_NEAR(GravityAtLatitude(GetParam().degrees), GetParam().expected, 1e-12);
}

// 9.780327 (1 + 0.0053024 s - 0.0000058 t) with s = sin^2(phi), t = sin^2(2 phi)
// exact: 0 and 0, 1/2 and 1, 1 and 0.
INSTANTIATE_TEST_SUITE_P(Rows, GravityTest,
                         testing::Values(LatitudeRow{"Equator", 0, 0, 9.780327},
                                         LatitudeRow{"FortyFive", 0, 45, 9.8061998770458},
                                         LatitudeRow{"SouthPole", 0, -90, 9.8321862058848}),
                         [](const auto& row) { return row.param.name; });

// Far tighter than the millimetre asked of the inverses.
constexpr double kRoundTripMetres = 1e-9;

TEST(UnescoPressure, InvertsUnescoDepthEverywhereInTheOceans)
{
    for (const double degrees : {0.0, 30.0, 60.0, 90.0}) {
        double worst = 0;
        for (int metres = -1000; metres <= 11000; ++metres) {
            const double d = metres;
            worst = std::max(worst, std::abs(UnescoDepth(UnescoPressure(d, degrees), degrees) - d));
        }
        EXPECT_LE(worst, kRoundTripMetres) << degrees << " degrees";
    }
}

TEST(UnescoPressure, HasNoAnswerPastTheGreatestDepth)
{
    EXPECT_NEAR(UnescoDepth(UnescoPressure(80000, 45), 45), 80000, kRoundTripMetres);
    EXPECT_TRUE(std::isnan(UnescoPressure(90000, 45)));
    EXPECT_TRUE(std::isnan(UnescoPressure(HUGE_VAL, 45)));
}

// The turning point: deeper than its neighbours a tenth of a decibar away,
// and the deepest that UnescoPressure still answers.
TEST(UnescoGreatestDbar, IsWhereTheFormulaTurnsBack)
{
    for (const double degrees : {0.0, 30.0, 90.0}) {
        const double top = UnescoGreatestDbar(degrees);
        EXPECT_GT(top, 126000) << degrees;
        EXPECT_LT(top, 128000) << degrees;
        EXPECT_GE(UnescoDepth(top, degrees), UnescoDepth(top - 0.1, degrees)) << degrees;
        EXPECT_GE(UnescoDepth(top, degrees), UnescoDepth(top + 0.1, degrees)) << degrees;
        EXPECT_FALSE(std::isnan(UnescoPressure(UnescoDepth(top - 100, degrees), degrees)));
    }
}

TEST(PhysicalPressure, InvertsPhysicalDepth)
{
    EXPECT_EQ(PhysicalDepth(110, 100, 1000, 10), 1.0);
    EXPECT_EQ(PhysicalPressure(1, 100, 1000, 10), 110.0);
    for (const double degrees : {0.0, 30.0, 60.0, 90.0}) {
        const double g = GravityAtLatitude(degrees);
        double worst = 0;
        for (int metres = -1000; metres <= 11000; ++metres) {
            const double d = metres;
            const double kpa = PhysicalPressure(d, DIALOG_SURFACE_KPA, 1025, g);
            worst = std::max(worst, std::abs(PhysicalDepth(kpa, DIALOG_SURFACE_KPA, 1025, g) - d));
        }
        EXPECT_LE(worst, kRoundTripMetres) << degrees << " degrees";
    }
}

} // namespace
