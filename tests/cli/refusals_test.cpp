// Mistakes a person makes get the right answer or a refusal that names the
// mistake, never a plausible wrong number.
#include "tests/cli_row.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace {

using Row = CliRow;

class Refusal : public testing::TestWithParam<Row> {};

TEST_P(Refusal, RightOrNamed)
{
    ExpectOutcome(GetParam());
}

const std::string kUnesco = "--model unesco --latitude 30";

INSTANTIATE_TEST_SUITE_P(
    OptionsAnywhere, Refusal,
    testing::Values(
        Row{"OptionForAnotherCommand",
            {"metres", "200", "--fluid", "freshwater"},
            "",
            "",
            2,
            "'--fluid' is not an option of metres"},
        Row{"OrderAfterText", {"float", "0000803F", "--order", "DCBA"}, "", "1.000000\n"},
        Row{"DigitsAfterText", {"psi", "100", "--digits", "2"}, "", "14.50\n"},
        Row{"OrderBetweenTypeAndValue",
            {"encode", "float", "--order", "CDAB", "3.14159265"},
            "",
            "0F DB 40 49\n"},
        Row{"DashDashMakesOptionsText", {"psi", "--", "--digits", "2"}, "", "0.000000\n"},
        Row{"SessionOptionAfterText", {}, "psi 100 --digits 2\n", "14.50\n"},
        Row{"SessionOptionForAnotherCommand",
            {},
            "metres 200 --fluid freshwater\n",
            "",
            2,
            "line 1: '--fluid' is not an option of metres"},
        Row{"SessionLeadingBlanksAndTabs",
            {},
            " \tfloat\t 3F800000\npsi\n",
            "1.000000\n0.145038\n"},
        Row{"EncodeMissingValue",
            {"encode", "float", "--order", "CDAB"},
            "",
            "",
            2,
            "encode takes TYPE and VALUE"}),
    [](const auto& row) { return row.param.name; });

INSTANTIATE_TEST_SUITE_P(
    NumbersChecked, Refusal,
    testing::Values(
        Row{"NearNotANumber",
            {"inspect", "--near", "abc", "00"},
            "",
            "",
            2,
            "--near takes a number, inf or -inf, not 'abc'"},
        Row{"NearEmpty", {"inspect", "--near", "", "00"}, "", "", 2, "not ''"},
        Row{"NearTrailingText", {"inspect", "--near", "1x", "00"}, "", "", 2, "'1x'"},
        Row{"NearNan", {"inspect", "--near", "nan", "00"}, "", "", 2, "'nan'"},
        Row{"SurfaceNan",
            {"depth", "--surface", "nan", "200"},
            "",
            "",
            2,
            "--surface takes a finite number, 0 or more, not 'nan'"},
        Row{"SurfaceInf", {"depth", "--surface", "inf", "200"}, "", "", 2, "'inf'"},
        Row{"SurfaceOverflows", {"depth", "--surface", "1e400", "200"}, "", "", 2, "'1e400'"},
        Row{"SurfaceNegative", {"depth", "--surface", "-1", "200"}, "", "", 2, "'-1'"},
        Row{"GravityInf",
            {"depth", "--gravity", "inf", "200"},
            "",
            "",
            2,
            "--gravity takes a number above 0, not 'inf'"},
        Row{"DensityZero", {"depth", "--density", "0", "200"}, "", "", 2, "'0'"},
        Row{"LatitudePastPole",
            {"depth", "--latitude", "90.5", "200"},
            "",
            "",
            2,
            "--latitude takes a number from -90 to 90"},
        Row{"DigitsFraction",
            {"psi", "--digits", "2.5", "1"},
            "",
            "",
            2,
            "--digits takes a whole number from 0 to 60"},
        Row{"WholeNumbersInDigitsOnly",
            {"psi", "--digits", "0x2", "100"},
            "",
            "",
            2,
            "--digits takes a whole number from 0 to 60, not '0x2'"},
        Row{"GivenTwice",
            {"float", "--order", "CDAB", "3F800000", "--order", "DCBA"},
            "",
            "",
            2,
            "--order is given twice ('CDAB', 'DCBA')"},
        Row{"FlagGivenTwice", {"float", "--each", "--each"}, "", "", 2,
            "--each is given twice; give it once"},
        Row{"DelimiterNotAscii", {"float", "--delimiter", "\xc2\xa6", "--each", "00"}, "", "", 2,
            "--delimiter takes one ASCII character"},
        Row{"OneByteToSkip", {"float", "--binary", "--skip", "1"}, "", "", 1,
            "1 byte to skip, but the input ends at byte 0"},
        Row{"EllipsisWithBinary", {"record", "--binary", "uint8,..."}, "", "", 2,
            "\"...\" and --binary contradict each other"},
        Row{"StrictAndEach", {"float", "--strict", "--each"}, "", "", 2,
            "--strict and --each contradict each other"},
        Row{"BlanksAroundANumber", {"depth", "--density", " 5", "200"}, "", "", 2,
            "--density takes a number above 0, not ' 5'"},
        Row{"DigitsWithAnotherFormat",
            {"float", "--digits", "3", "--format", "hex", "1"},
            "",
            "",
            2,
            "--digits and --format hex contradict"},
        Row{"DigitsWithFixed",
            {"psi", "--format", "fixed", "--digits", "2", "100"},
            "",
            "14.50\n"}),
    [](const auto& row) { return row.param.name; });

INSTANTIATE_TEST_SUITE_P(
    ConflictsNamed, Refusal,
    testing::Values(
        Row{"GravityThenLatitude",
            {"depth", "--gravity", "9.8", "--latitude", "30", "200"},
            "",
            "",
            2,
            "--gravity and --latitude"},
        Row{"LatitudeThenGravity",
            {"depth", "--latitude", "30", "--gravity", "9.8", "200"},
            "",
            "",
            2,
            "--gravity and --latitude"},
        Row{"DensityAndFluid",
            {"depth", "--fluid", "freshwater", "--density", "1000", "200"},
            "",
            "",
            2,
            "--density and --fluid"},
        Row{"DialogModelWithLatitude",
            {"depth", "--model", "dialog", "--latitude", "30", "200"},
            "",
            "",
            2,
            "--model dialog and --latitude"},
        Row{"DialogModelWithFluid",
            {"pressure-at", "--fluid", "seawater", "--model", "dialog", "1"},
            "",
            "",
            2,
            "--model dialog and --fluid"},
        Row{"UnescoWithDensity",
            {"depth", "--density", "1030", "--model", "unesco", "--latitude", "30", "200"},
            "",
            "",
            2,
            "--model unesco and --density"},
        Row{"UnescoWithGravity",
            {"depth", "--model", "unesco", "--latitude", "30", "--gravity", "9.8", "200"},
            "",
            "",
            2,
            "--model unesco and --gravity"},
        Row{"UnescoTakesLatitudeAndSurface",
            {"depth", "--model", "unesco", "--latitude", "30", "--surface", "0", "100000"},
            "",
            "9712.653072\n"},
        Row{"FreshwaterAlone", {"depth", "--fluid", "freshwater", "200"}, "", "10.197165\n"}),
    [](const auto& row) { return row.param.name; });

INSTANTIATE_TEST_SUITE_P(
    ModelRanges, Refusal,
    testing::Values(
        Row{"UnescoPastGreatestDepth",
            {"pressure-at", "--model", "unesco", "--latitude", "30", "100000"},
            "",
            "",
            2,
            "no pressure for '100000': beyond the greatest depth of the UNESCO formula"},
        Row{"UnescoColumnStopsAtIt",
            {"pressure-at", "--model", "unesco", "--latitude", "30", "--surface", "0"},
            "0\n100000\n5\n",
            "0.000000\n",
            2,
            "line 2: no pressure for '100000'"},
        Row{"PhysicalOverflow", {"depth", "--density", "1e-300", "1e300"}, "", "", 2, "not finite"},
        Row{"PhysicalInfinity",
            {"pressure-at", "--fluid", "freshwater", "inf"},
            "",
            "",
            2,
            "not a finite number: 'inf'"},
        Row{"UnescoDepthPastItsGreatest",
            {"depth", "--model", "unesco", "--latitude", "30", "--surface", "0", "1300000"},
            "",
            "",
            2,
            "no depth for '1300000': beyond the greatest depth"},
        Row{"DialogRuleRefusesAnInfinity", {"depth", "inf"}, "", "", 2,
            "not a finite number: 'inf'"},
        Row{"DialogRuleRefusesNan", {"depth", "--", "nan"}, "", "", 2, "not a finite number: 'nan'"},
        Row{"PressureAtRefusesInfinity", {"pressure-at", "--", "-inf"}, "", "", 2, "'-inf'"},
        Row{"OverflowingText", {"depth", "--", "1e999"}, "", "", 2, "not a finite number: '1e999'"},
        Row{"PressureRefusesNan", {"pressure", "nan", "atm", "psi"}, "", "", 2, "'nan'"},
        Row{"PressureOverflow", {"pressure", "1e308", "bar", "Pa"}, "", "", 2,
            "no pressure for '1e308': the result is not finite"},
        Row{"MetresKeepsTheDialogsAnswer", {"metres", "inf"}, "", "inf\n"}),
    [](const auto& row) { return row.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Lines, Refusal,
    testing::Values(
        Row{"NulSkippedInHexColumn",
            {"float"},
            std::string("3F80\0"
                        "0000\n",
                        10),
            "1.000000\n"},
        Row{"NulSkippedInSessionLine", {}, std::string("float 3F\0" "800000\n", 16), "1.000000\n"},
        Row{"InspectColumnSkipsBlankLines", {"inspect"}, "\n \t\n", ""},
        Row{"DepthColumnSkipsBlankLines", {"depth"}, "200\n\n  \n200\n", "9.938714\n9.938714\n"}),
    [](const auto& row) { return row.param.name; });

// Rows by exact distance: an infinite target puts the values nearest it
// first, and distances that round to the same double still order.
struct NearRow {
    const char* name;
    const char* target;
    const char* bytes;
    const char* first; // "TYPE ORDER" of the first row
    bool marked;       // whether it is marked nearest
};

class InspectNear : public testing::TestWithParam<NearRow> {};

TEST_P(InspectNear, OrdersByExactDistance)
{
    const NearRow& row = GetParam();
    const CliOutcome outcome =
        RunCliInMemory({"inspect", "--json", "--near", row.target, row.bytes}, "", false);
    const auto first = nlohmann::json::parse(outcome.out).at("values").front();
    EXPECT_EQ(first.at("type").get<std::string>() + " " + first.at("order").get<std::string>(),
              row.first);
    EXPECT_EQ(first.contains("nearest"), row.marked);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, InspectNear,
    testing::Values(NearRow{"MinusInfinityItself", "-inf", "FF800000", "bfloat16 AB", true},
                    NearRow{"InfinityLargestFirst", "inf", "7F7FFFFF", "float32 ABCD", false},
                    NearRow{"MinusInfinitySmallestFirst", "-inf", "FF7FFFFF", "float32 ABCD",
                            false},
                    NearRow{"FarTargetStillOrders", "1e300", "7F7FFFFF", "float32 ABCD", true},
                    NearRow{"NearPi", "3.14", "0FDB4049", "float32 CDAB", true}),
    [](const auto& row) { return row.param.name; });

} // namespace
