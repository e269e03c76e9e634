// poll's points file and plan, through the command itself: a bad line is
// refused naming its line and part, and --plan shows the merged requests
// without contacting a device (the devices here do not exist).
#include "cli/convert/poll_points.h"
#include "cli/convert/poll_row.h"
#include "tests/cli_row.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Row = CliRow;

class Poll : public testing::TestWithParam<Row> {};

TEST_P(Poll, PlansOrNamesTheLine)
{
    ExpectOutcome(GetParam());
}

const std::string kA = "tcp://192.0.2.7";
const std::string kHeader = "device,unit,table,address,count,points\n";

Row Plan(const char* name, const std::string& points, const std::string& plan,
         std::vector<std::string> options = {})
{
    options.insert(options.begin(), {"poll", "--plan"});
    options.push_back("-");
    return Row{name, options, points, kHeader + plan};
}

Row Bad(const char* name, const std::string& points, const std::string& named)
{
    return Row{name, {"poll", "--plan", "-"}, points, "", 2, "standard input " + named};
}

INSTANTIATE_TEST_SUITE_P(
    Plans, Poll,
    testing::Values(
        Plan("FourAdjacentFloatsInOne",
             "a " + kA + " 100 float\nb " + kA + " 102 float\n# c\n\nc " + kA +
                 " 104 float\nd " + kA + " 106 float\n",
             kA + ",1,holding,100,8,a b c d\n"),
        Plan("GapWithinMaxGapJoins", "a " + kA + " 100 uint16\nb " + kA + " 111 uint16\n",
             kA + ",1,holding,100,12,a b\n"),
        Plan("GapOverMaxGapSplits", "a " + kA + " 100 uint16\nb " + kA + " 112 uint16\n",
             kA + ",1,holding,100,1,a\n" + kA + ",1,holding,112,1,b\n"),
        Plan("MaxGapZeroJoinsOnlyAdjacent",
             "a " + kA + " 100 float\nb " + kA + " 102 uint16\nc " + kA + " 104 uint16\n",
             kA + ",1,holding,100,3,a b\n" + kA + ",1,holding,104,1,c\n", {"--max-gap", "0"}),
        Plan("OverlapsShareARequest", "a " + kA + " 100 double\nb " + kA + " 101 float\n",
             kA + ",1,holding,100,4,a b\n"),
        Plan("NeverOver125Registers",
             "a " + kA + " 0 uint16 --count 110\nb " + kA + " 115 uint64\nc " + kA +
                 " 125 uint16\n",
             kA + ",1,holding,0,119,a b\n" + kA + ",1,holding,125,1,c\n"),
        Plan("UnitsTablesAndDevicesApart",
             "a " + kA + " 100 uint16\nb " + kA + " 101 uint16 --input\nc " + kA +
                 " 102 uint16 --unit 2\nd TCP://192.0.2.7:502 103 uint16\ne /dev/ttyS0 104 "
                 "uint16\n",
             kA + ",1,holding,100,4,a d\n" + kA + ",1,input,101,1,b\n" + kA +
                 ",2,holding,102,1,c\n/dev/ttyS0,1,holding,104,1,e\n"),
        Plan("AddressOrderWithinAGroup",
             "late " + kA + " 110 uint16\nearly " + kA + " 100 uint16\n",
             kA + ",1,holding,100,11,early late\n"),
        Plan("ReferencesAndBits",
             "r " + kA + " 40101 uint16 --reference\nk " + kA + " 0 --coils --count 16\n",
             kA + ",1,holding,100,1,r\n" + kA + ",1,coils,0,16,k\n"),
        Plan("ByteOrderMarkAndCrlf", "\xEF\xBB\xBFp " + kA + " 100 uint16\r\n",
             kA + ",1,holding,100,1,p\n"),
        Plan("QuotedWordsAndTabs", "p\t" + kA + "\t100 \"record\" 'a=int16,b=uint16'\n",
             kA + ",1,holding,100,2,p\n")));

INSTANTIATE_TEST_SUITE_P(
    BadLines, Poll,
    testing::Values(
        Bad("TooFewWords", "a " + kA + " 100\n", "line 1: a point is NAME DEVICE"),
        Bad("NameNotAColumn", "\n1st " + kA + " 100 float\n", "line 2: NAME '1st'"),
        Bad("NameTime", "Time " + kA + " 100 float\n", "line 1: NAME 'Time'"),
        Bad("NameTwice", "a " + kA + " 100 float\nA " + kA + " 102 float\n",
            "line 2: NAME 'A' is taken by line 1"),
        Bad("UnknownType", "a " + kA + " 100 flaot\n", "line 1: unknown WHAT 'flaot'"),
        Bad("BadAddress", "a " + kA + " 70000 float\n", "line 1: ADDRESS '70000'"),
        Bad("BadDevice", "a udp://h 100 float\n", "line 1: "),
        Bad("Inspect", "a " + kA + " 100 inspect\n", "line 1: inspect is not a point"),
        Bad("OutputOption", "a " + kA + " 100 float --watch 1\n",
            "line 1: '--watch' is not an option of a points line"),
        Bad("UnitList", "a " + kA + " 100 float --unit 1,2\n", "line 1: a point reads one --unit"),
        Bad("SerialWithTcp", "a " + kA + " 100 float --baud 19200\n",
            "line 1: --baud is for a serial device"),
        Bad("SerialSettingsDiffer",
            "a /dev/ttyS0 100 float --baud 19200\nb /dev/ttyS0 102 float --baud 9600\n",
            "line 2: --baud 9600, but an earlier line gives /dev/ttyS0 --baud 19200"),
        Bad("QuoteLeftOpen", "a " + kA + " 100 record 'a=int16\n",
            "line 1: a single quote left open"),
        Bad("FieldNameNotAColumn", "a " + kA + " 100 record 'a b=int16'\n",
            "line 1: field name 'a b'"),
        Bad("NoPoints", "# nothing\n\n", "no points")));

INSTANTIATE_TEST_SUITE_P(
    Options, Poll,
    testing::Values(Row{"NoPointsFile", {"poll"}, "", "", 2, "poll takes one POINTS file"},
                    Row{"MissingFile",
                        {"poll", "/nonexistent/station.points"},
                        "",
                        "",
                        1,
                        "cannot open '/nonexistent/station.points'"},
                    Row{"DelimiterWithJson",
                        {"poll", "--json", "--delimiter", ";", "-"},
                        "",
                        "",
                        2,
                        "--delimiter is for CSV rows"}));

// A sample's row: a cell for each column, empty (null) for a value not read,
// CSV quoted as RFC 4180 asks, JSON valid whatever the values.
struct RowCase {
    const char* name;
    bool json;
    char delimiter;
    std::vector<std::vector<std::string>> values; // by point: p, then rec's two fields
    std::string row;
    std::string header = "time,p,rec.a,rec.b\n"; // none for JSON
};

class Rows : public testing::TestWithParam<RowCase> {};

TEST_P(Rows, OneCellAColumn)
{
    std::string error;
    const auto points = ParsePollPoints("p tcp://h 1 float\nrec tcp://h 3 record 'a=int16,b=uint16'\n",
                                        CliOptions{}, error);
    ASSERT_TRUE(points) << error;
    const PollRows rows(*points, GetParam().json, GetParam().delimiter);
    EXPECT_EQ(rows.Header(), GetParam().header);
    EXPECT_EQ(rows.Row("T", GetParam().values), GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, Rows,
    testing::Values(
        RowCase{"Csv", false, ',', {{"1.500000"}, {"-2", "3"}}, "T,1.500000,-2,3\n"},
        RowCase{"CsvNotRead", false, ',', {{}, {"-2", "3"}}, "T,,-2,3\n"},
        RowCase{"CsvDelimiterInAValueQuoted", false, '.', {{"1.5"}, {}}, "T.\"1.5\"..\n",
                "time.p.\"rec.a\".\"rec.b\"\n"},
        RowCase{"Json", true, ',', {{"1.500000"}, {"-2", "3"}},
                "{\"time\": \"T\", \"p\": 1.500000, \"rec.a\": -2, \"rec.b\": 3}\n", ""},
        RowCase{"JsonNotReadIsNull", true, ',', {{"nan"}, {}},
                "{\"time\": \"T\", \"p\": \"nan\", \"rec.a\": null, \"rec.b\": null}\n",
                ""}));

struct NumberRow {
    const char* name;
    const char* text;
    bool number;
};

class JsonNumber : public testing::TestWithParam<NumberRow> {};

TEST_P(JsonNumber, OnlyJsonsOwnSpelling)
{
    EXPECT_EQ(IsJsonNumber(GetParam().text), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonNumber,
    testing::Values(NumberRow{"Fixed", "3.141593", true}, NumberRow{"NegativeZero", "-0.000000", true},
                    NumberRow{"Integer", "-1234", true}, NumberRow{"Exponent", "1e+30", true},
                    NumberRow{"SmallExponent", "1.5E-07", true}, NumberRow{"Nan", "nan", false},
                    NumberRow{"Inf", "-inf", false}, NumberRow{"Hex", "0x1.8p+1", false},
                    NumberRow{"LeadingZero", "01", false}, NumberRow{"BareDot", "1.", false},
                    NumberRow{"Empty", "", false}, NumberRow{"Plus", "+1", false}));

} // namespace
