#include "framework/cstring.h"

#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace {

struct FormatRow {
    const char* name;
    const char* format;
    double value;
    std::string expected;
};

class FormatTest : public testing::TestWithParam<FormatRow> {};

TEST_P(FormatTest, WritesWhatTheCLibraryWrites)
{
    const FormatRow& row = GetParam();
    CString text;
    text = "previous content";
    text.Format(row.format, row.value);
    EXPECT_EQ(std::string(text), row.expected) << row.format << " with " << row.value;
}

const double kMax = std::numeric_limits<double>::max();
const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Rows, FormatTest,
    testing::Values(
        FormatRow{"One", "%f", 1.0, "1.000000"}, FormatRow{"MinusZero", "%f", -0.0, "-0.000000"},
        FormatRow{"TinyNegativeKeepsSign", "%f", -1e-300, "-0.000000"},
        FormatRow{"TieRoundsToEven", "%f", 0.0078125, "0.007812"},
        FormatRow{"TieRoundsUpToEven", "%f", 0.0234375, "0.023438"},
        FormatRow{"NoGrouping", "%f", 1234567.0, "1234567.000000"},
        FormatRow{"Infinity", "%f", kInf, "inf"}, FormatRow{"MinusInfinity", "%f", -kInf, "-inf"},
        FormatRow{"NaN", "%f", kNaN, "nan"}, FormatRow{"MinusNaN", "%f", -kNaN, "-nan"},
        FormatRow{"LiteralAround", "x=%f%%", 0.5, "x=0.500000%"},
        FormatRow{"OtherConversionCopied", "%d", 0.5, "%d"},
        FormatRow{"TrailingPercentCopied", "%", 0.5, "%"}, FormatRow{"EmptyFormat", "", 0.5, ""}),
    [](const auto& row) { return row.param.name; });

TEST(Format, LargestDoubleIsWrittenWhole)
{
    CString text;
    text.Format("%f", kMax);
    ASSERT_EQ(text.GetLength(), 316);
    EXPECT_EQ(std::string(text).substr(0, 20), "17976931348623157081");
    EXPECT_EQ(std::string(text).substr(309), ".000000");
}

TEST(Format, LowestDoubleIsWrittenWhole)
{
    CString text;
    text.Format("%f", -kMax);
    EXPECT_EQ(text.GetLength(), 317);
}

// The C library's "%f" in the C locale is the reference; random bit patterns
// cover every exponent, subnormals and the rounding of long digit strings.
TEST(Format, AgreesWithSnprintfOnRandomPatterns)
{
    std::mt19937_64 random(20261208);
    CString text;
    char expected[400];
    int mismatches = 0;
    for (int n = 0; n < 200000 && mismatches < 5; ++n) {
        std::uint64_t bits = random();
        if (n % 2 == 1) // half of them near 1, where six decimals matter most
            bits =
                (bits & 0x800FFFFFFFFFFFFFu) | (static_cast<std::uint64_t>(0x3F0 + n % 48) << 52);
        const double value = std::bit_cast<double>(bits);
        text.Format("%f", value);
        std::snprintf(expected, sizeof expected, "%f", value);
        if (std::string(text) != expected) {
            ++mismatches;
            ADD_FAILURE() << "bits " << std::hex << bits << ": " << text << " != " << expected;
        }
    }
}

TEST(CString, AssignmentAndReadAccess)
{
    CString text;
    EXPECT_STREQ(text, "");
    text = "abc";
    EXPECT_STREQ(text, "abc");
    text = nullptr;
    EXPECT_TRUE(text.IsEmpty());
    // Bytes from a control keep their zero bytes; read access stops at the first.
    const CString bytes(std::string_view("ab\0cd", 5));
    EXPECT_EQ(bytes.GetLength(), 5);
    EXPECT_STREQ(bytes, "ab");
}

} // namespace
