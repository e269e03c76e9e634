// pressure, depth and pressure-at on the command line: the dialog's rule by
// default, byte for byte, and the round trip of the other models.
#include "cli/commands/command.h"
#include "cli/convert/column.h"
#include "cli/convert/pressure_line.h"
#include "core/render.h"
#include "tests/cli_in_memory.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace {

std::string DepthOf(const std::string& text, const CliOptions& options = {})
{
    PressureCommand depth;
    std::string result;
    std::string error;
    EXPECT_TRUE(depth.Setup(Conversion::Depth, options, {}, error)) << error;
    EXPECT_TRUE(depth.Line(text, result, error)) << error;
    return result;
}

// Numbers as users type them and as programs print them, anywhere in range.
TEST(Depth, IsTheDialogsMetresForEveryNumber)
{
    std::mt19937_64 random(12);
    Column metres(Conversion::Metres);
    char out[kFixed6MaxLength];
    char text[64];
    for (int n = 0; n < 1000000; ++n) {
        const double value = n % 2 == 0 ? std::ldexp(static_cast<double>(random() % 2000000) - 1e6,
                                                     -static_cast<int>(random() % 12))
                                        : std::bit_cast<double>(random());
        std::snprintf(text, sizeof text, n % 4 < 2 ? "%.17g" : "%.3f", value);
        const std::string expected(out, metres.Convert(text, out));
        if (expected.find_first_of("ni") != std::string::npos)
            continue; // the dialog's nan and inf, which depth refuses
        ASSERT_EQ(DepthOf(text), expected) << text;
    }
    for (const char* row : {"100", "99.99996", "200", "101.325", "-7", "1e3", "\t+100", "-0",
                            "0x1p3", "215234559", "553443748"})
        EXPECT_EQ(DepthOf(row), std::string(out, metres.Convert(row, out))) << row;
}

TEST(PressureAt, InvertsEveryModelWithinAMillimetre)
{
    CliOptions shortest;
    shortest.format = ValueFormat::Shortest;
    CliOptions fresh = shortest;
    fresh.model = DepthModel::Physical;
    fresh.density = 1000;
    CliOptions unesco = shortest;
    unesco.model = DepthModel::Unesco;
    unesco.latitude = 30;
    for (const CliOptions& options : {shortest, fresh, unesco}) {
        PressureCommand at;
        std::string error;
        ASSERT_TRUE(at.Setup(Conversion::PressureAt, options, {}, error));
        for (int metres = 0; metres <= 11000; metres += 7) {
            std::string kpa;
            ASSERT_TRUE(at.Line(std::to_string(metres), kpa, error));
            EXPECT_NEAR(std::stod(DepthOf(kpa, options)), metres, 1e-3) << metres << " m";
        }
    }
}

struct PressureRow {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    std::string out;
    int status = 0;
};

class PressureCliTest : public testing::TestWithParam<PressureRow> {};

TEST_P(PressureCliTest, PrintsOrRejects)
{
    const PressureRow& row = GetParam();
    const CliOutcome outcome = RunCliInMemory(row.args, row.input, false);
    EXPECT_EQ(outcome.status, row.status) << outcome.err;
    EXPECT_EQ(outcome.out, row.out);
    EXPECT_EQ(outcome.err.empty(), row.status == 0) << outcome.err;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PressureCliTest,
    testing::Values(
        PressureRow{"Units", {"pressure", "1", "atm", "psi"}, "", "14.695949\n"},
        PressureRow{
            "UnitsAnyCase", {"pressure", "--format", "shortest", "1", "BAR", "kpa"}, "", "100\n"},
        PressureRow{
            "UnitsColumn", {"pressure", "kPa", "psi"}, "100\n200\n", "14.503774\n29.007548\n"},
        PressureRow{"Freshwater", {"depth", "--fluid", "freshwater", "200"}, "", "10.197165\n"},
        PressureRow{"UnescoCheckValue",
                    {"depth", "--model", "unesco", "--latitude", "30", "--surface", "0", "100000"},
                    "",
                    "9712.653072\n"},
        PressureRow{"DepthColumnEndsAtABadLine", {"depth"}, "200\nxyz\n300\n", "9.938714\n", 2},
        PressureRow{"Session", {}, "depth 200\npressure 1 atm psi\n", "9.938714\n14.695949\n"},
        PressureRow{"NotANumber", {"depth", "abc"}, "", "", 2},
        PressureRow{"UnknownUnit", {"pressure", "1", "atm", "pascal"}, "", "", 2},
        PressureRow{"DensityNotPositive", {"depth", "--density", "0", "1"}, "", "", 2},
        PressureRow{"GravityNotPositive", {"depth", "--gravity", "-9.8", "1"}, "", "", 2},
        PressureRow{"LatitudeOutOfRange", {"depth", "--latitude", "-91", "1"}, "", "", 2},
        PressureRow{"UnescoWithoutLatitude", {"depth", "--model", "unesco", "1"}, "", "", 2}),
    [](const auto& row) { return row.param.name; });

} // namespace
