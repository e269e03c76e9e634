// The options beyond the dialog: orders, formats, 16-bit types, encode.
#include "tests/cli_row.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using OptionRow = CliRow;

class OptionTest : public testing::TestWithParam<OptionRow> {};

TEST_P(OptionTest, PrintsWhatTheOptionsAsk)
{
    ExpectOutcome(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OptionTest,
    testing::Values(
        OptionRow{"OrderWordSwap", {"float", "--order", "CDAB", "0FDB", "4049"}, "", "3.141593\n"},
        OptionRow{
            "OrderAliasAnyCase", {"float", "--order", "Little", "DB0F4940"}, "", "3.141593\n"},
        OptionRow{"OrderEightLetters",
                  {"double", "--order", "HGFEDCBA", "182D4454FB210940"},
                  "",
                  "3.141593\n"},
        OptionRow{"Shortest", {"double", "--format", "shortest", "3FB999999999999A"}, "", "0.1\n"},
        OptionRow{
            "ShortestAtFloatPrecision", {"float", "--format", "shortest", "3DCCCCCD"}, "", "0.1\n"},
        OptionRow{"Exact",
                  {"float", "--format", "exact", "3DCCCCCD"},
                  "",
                  "0.100000001490116119384765625\n"},
        OptionRow{"Hex", {"float", "--format", "hex", "40490FDB"}, "", "0x1.921fb6p+1\n"},
        OptionRow{"Digits", {"psi", "--digits", "2", "101.325"}, "", "14.70\n"},
        OptionRow{"Half", {"half", "3C00"}, "", "1.000000\n"},
        OptionRow{"HalfSwapped", {"half", "--order", "BA", "003C"}, "", "1.000000\n"},
        OptionRow{"BFloat16", {"bfloat16", "--format", "shortest", "4049"}, "", "3.14\n"},
        OptionRow{"ColumnWithOrderCarriesOver",
                  {"float", "--order", "CDAB"},
                  "00003F80\n4040\n",
                  "1.000000\n1.001961\n"},
        OptionRow{"SessionLineOptions",
                  {},
                  "float --order DCBA DB 0F 49 40\npsi\n",
                  "3.141593\n0.455650\n"},
        OptionRow{"SessionHalfFeedsPsi", {}, "half 5640\npsi --digits 1\n", "100.000000\n14.5\n"},
        OptionRow{"DashDashEndsOptions", {"psi", "--", "--5"}, "", "0.000000\n"},
        OptionRow{"SingleDashIsText", {"psi", "-5"}, "", "-0.725189\n"},
        OptionRow{"Encode", {"encode", "float", "3.14159265"}, "", "40 49 0F DB\n"},
        OptionRow{"EncodeRegisters",
                  {"encode", "--registers", "float", "3.14159265"},
                  "",
                  "16457 4059\n"},
        OptionRow{"EncodeOrder",
                  {"encode", "--order", "CDAB", "double", "1"},
                  "",
                  "00 00 00 00 00 00 3F F0\n"},
        OptionRow{"EncodeOverflowsToInfinity", {"encode", "half", "65520"}, "", "7C 00\n"},
        OptionRow{"EncodeNotANumber", {"encode", "float", "12abc"}, "", "", 2, "'12abc'"},
        OptionRow{"EncodeBadType", {"encode", "float16", "1"}, "", "", 2, "'float16'"},
        OptionRow{"UnknownOption", {"psi", "--order", "ABCD", "1"}, "", "", 2, "'--order'"},
        OptionRow{"BadOrder", {"float", "--order", "ACBD", "1"}, "", "", 2, "'ACBD'"},
        OptionRow{"BadFormat", {"float", "--format", "sci", "1"}, "", "", 2, "'sci'"},
        OptionRow{"BadDigits", {"float", "--digits", "61", "1"}, "", "", 2, "'61'"}),
    [](const auto& row) { return row.param.name; });

} // namespace
