#include "core/number_reader.h"
#include "core/pressure_units.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace {

using U = PressureUnit;

struct ConvertRow {
    const char* name;
    double value;
    PressureUnit from;
    PressureUnit to;
    double expected;
    bool exact;
};

class ConvertPressureTest : public testing::TestWithParam<ConvertRow> {};

TEST_P(ConvertPressureTest, MatchesTheDefiningFactors)
{
    const ConvertRow& row = GetParam();
    const double tolerance = row.exact ? 0.0 : 1e-15 * std::abs(row.expected);
    EXPECT_NEAR(ConvertPressure(row.value, row.from, row.to), row.expected, tolerance);
}

// value * from / to in exact rational arithmetic, to 17 digits, with psi =
// 0.45359237 * 9.80665 / 0.0254^2, Torr = 101325/760, mmHg = 13595.1 *
// 9.80665 * 0.001 = 133.322387415, inHg = 25.4 mmHg, mH2O = 9806.65 Pa.
INSTANTIATE_TEST_SUITE_P(
    Rows, ConvertPressureTest,
    testing::Values(ConvertRow{"AtmToPsi", 1, U::Atm, U::Psi, 14.695948775513449, false},
                    ConvertRow{"BarToPsi", 1, U::Bar, U::Psi, 14.503773773020922, false},
                    ConvertRow{"PsiToPa", 1, U::Psi, U::Pa, 6894.7572931683613, false},
                    ConvertRow{"PsiToMPa", 3000, U::Psi, U::MPa, 20.684271879505084, false},
                    // Conventional mmHg is not atm/760: 14.4 mPa more per 760.
                    ConvertRow{"MmHgToKpa", 760, U::MmHg, U::KPa, 101.3250144354, false},
                    ConvertRow{"TorrToKpa", 760, U::Torr, U::KPa, 101.325, false},
                    ConvertRow{"TorrToMmHg", 1, U::Torr, U::MmHg, 0.99999985753369905, false},
                    ConvertRow{"AtmToTorr", 1, U::Atm, U::Torr, 760, false},
                    ConvertRow{"InHgToMmHg", 1, U::InHg, U::MmHg, 25.4, false},
                    ConvertRow{"InHgToHpa", 29.92, U::InHg, U::HPa, 1013.2074811900272, false},
                    ConvertRow{"MH2OToKpa", 10, U::MH2O, U::KPa, 98.0665, false},
                    ConvertRow{"AtmToMH2O", 1, U::Atm, U::MH2O, 10.332274527998858, false},
                    ConvertRow{"KpaToMsw", 1, U::KPa, U::Msw, 0.1, false},
                    ConvertRow{"MswToKpa", 1, U::Msw, U::KPa, 10, true},
                    ConvertRow{"MPaToBar", 1, U::MPa, U::Bar, 10, true},
                    ConvertRow{"MbarToAtm", 1013.25, U::MBar, U::Atm, 1, true},
                    ConvertRow{"SameUnitUntouched", 0.1, U::Psi, U::Psi, 0.1, true}),
    [](const auto& row) { return row.param.name; });

struct ParseRow {
    const char* name;
    const char* text;
    std::optional<PressureUnit> unit;
};

class ParsePressureUnitTest : public testing::TestWithParam<ParseRow> {};

TEST_P(ParsePressureUnitTest, ReadsTheName)
{
    EXPECT_EQ(ParsePressureUnit(GetParam().text), GetParam().unit);
}

INSTANTIATE_TEST_SUITE_P(Rows, ParsePressureUnitTest,
                         testing::Values(ParseRow{"LowerPa", "pa", U::Pa},
                                         ParseRow{"LowerMPa", "mpa", U::MPa},
                                         ParseRow{"UpperMbar", "MBAR", U::MBar},
                                         ParseRow{"MixedTorr", "tOrR", U::Torr},
                                         ParseRow{"MilliPascalRefused", "mPa", std::nullopt},
                                         ParseRow{"MegabarRefused", "Mbar", std::nullopt},
                                         ParseRow{"SpaceNotTrimmed", " psi", std::nullopt},
                                         ParseRow{"Empty", "", std::nullopt}),
                         [](const auto& row) { return row.param.name; });

TEST(PressureUnit, NameParsesBackAndSourceLeadsWithTheFactor)
{
    for (const PressureUnit unit : ALL_PRESSURE_UNITS) {
        const std::string name(PressureUnitName(unit));
        EXPECT_EQ(ParsePressureUnit(name), unit) << name;
        const std::string source(PressureUnitSource(unit));
        EXPECT_EQ(ReadNumber(source.c_str()), PressureUnitPascals(unit)) << name;
        EXPECT_EQ(source.find('\n'), std::string::npos) << name;
    }
}

} // namespace
