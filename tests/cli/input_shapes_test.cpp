// The shapes bytes arrive in: registers, several values a line, records, log
// fields and binary captures, each read through the same decoding.
#include "cli/input/csv_fields.h"
#include "tests/cli_row.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using Row = CliRow;

class Shape : public testing::TestWithParam<Row> {};

TEST_P(Shape, PrintsOrNames)
{
    ExpectOutcome(GetParam());
}

const std::string kLayout = "p=float:CDAB,t=int16*0.01,status=uint16";

INSTANTIATE_TEST_SUITE_P(
    Registers, Shape,
    testing::Values(
        Row{"FloatABCD", {"float", "--registers", "16457", "4059"}, "", "3.141593\n"},
        Row{"FloatCDAB",
            {"float", "--registers", "--order", "CDAB", "4059", "16457"},
            "",
            "3.141593\n"},
        Row{"FloatBADC",
            {"float", "--registers", "--order", "BADC", "18752,56079"},
            "",
            "3.141593\n"},
        Row{"FloatDCBA",
            {"float", "--registers", "--order", "DCBA", "56079\t18752"},
            "",
            "3.141593\n"},
        Row{"DoubleEachOrder",
            {"double", "--registers", "--order", "GHEFCDAB", "--format", "shortest", "11544",
             "21572", "8699", "16393"},
            "",
            "3.141592653589793\n"},
        Row{"NegativeIsTwosComplement", {"half", "--registers", "-17408"}, "", "-1.000000\n"},
        Row{"ColumnOfRegisters",
            {"float", "--registers"},
            "16256 0\n\n16384 0\n",
            "1.000000\n2.000000\n"},
        Row{"TooFew",
            {"float", "--registers", "16457"},
            "",
            "",
            2,
            "1 register, fewer than the 2 registers"},
        Row{"OutOfRange",
            {"float", "--registers", "16457", "65536"},
            "",
            "",
            2,
            "register 2 '65536' is not a number from 0 to 65535"},
        Row{"NotANumber", {"float", "--registers", "0x10", "1"}, "", "", 2, "register 1 '0x10'"},
        Row{"BelowTwosComplement", {"half", "--registers", "-32769"}, "", "", 2, "'-32769'"}),
    [](const auto& row) { return row.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Each, Shape,
    testing::Values(Row{"OneValue", {"float", "--each", "3F800000"}, "", "1.000000\n"},
                    Row{"TwoValues", {"half", "--each", "3C00 4000"}, "", "1.000000 2.000000\n"},
                    Row{"Delimiter",
                        {"half", "--each", "--delimiter", ";", "3C004000"},
                        "",
                        "1.000000;2.000000\n"},
                    Row{"RegisterBlock",
                        {"float", "--each", "--registers", "--order", "CDAB"},
                        "4059 16457 0 16256\n",
                        "3.141593 1.000000\n"},
                    Row{"TrailingPartial",
                        {"float", "--each"},
                        "3F800000\n3F800000 40\n",
                        "1.000000\n",
                        2,
                        "line 2: 5 bytes leave 1 byte over"},
                    Row{"StrictRefusesWhatTheDialogReads",
                        {"float", "--strict"},
                        "3F800000\n\n2026-12-08T10:00:01Z\n4000\n",
                        "1.000000\n",
                        2,
                        "line 3: position 11: 'T'"},
                    Row{"StrictPlainAndGroupedAlike",
                        {"float", "--strict"},
                        "3F800000\n3f80 0000\n0x40000000\nzz\n",
                        "1.000000\n1.000000\n2.000000\n",
                        2,
                        "line 4: position 1: 'z'"},
                    Row{"StrictTooMany",
                        {"half", "--strict", "3C00 00"},
                        "",
                        "",
                        2,
                        "3 bytes, more than the 2 bytes of one value"}),
    [](const auto& row) { return row.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Records, Shape,
    testing::Values(
        Row{"Example",
            {"record", kLayout, "0FDB4049", "0929", "0001"},
            "",
            "3.141593,23.450000,1\n"},
        Row{"EveryType",
            {"record",
             std::string("int8,uint8,int16:BA,uint16,int32,uint32:DCBA,int64,uint64,half,") +
                 "bfloat16,float,double:HGFEDCBA",
             std::string("FF FF FFFE FFFF FFFFFFFD 01000000 FFFFFFFFFFFFFFFC FFFFFFFFFFFFFFFF ") +
                 "3C00 3F80 40000000 0000000000000840",
             "--format", "shortest"},
            "",
            "-1,255,-257,65535,-3,1,-4,18446744073709551615,1,1,2,3\n"},
        Row{"ScaledAndOffset", {"record", "c=int16*0.1+-273.15", "0BB8"}, "", "26.850000\n"},
        Row{"SkipAndRest",
            {"record", "a=uint8,skip:2,b=uint8,...", "01 0203 04 0506"},
            "",
            "1,4\n"},
        Row{"HeaderNamesByPlace",
            {"record", "--header", "uint8,x=uint8,uint8", "010203"},
            "",
            "f1,x,f3\n1,2,3\n"},
        Row{"RegistersAndColumn",
            {"record", "--registers", "a=uint16,b=int16"},
            "1 65535\n\n2 -2\n",
            "1,-1\n2,-2\n"},
        Row{"TooFewBytes",
            {"record", kLayout},
            "0FDB4049 0929 0001\n0FDB4049\n",
            "3.141593,23.450000,1\n",
            2,
            "line 2: 4 bytes, fewer than the 8 bytes"},
        Row{"ExtraBytes", {"record", "uint8", "0102"}, "", "", 2, "2 bytes, more than the 1 byte"},
        Row{"UnknownType",
            {"record", "p=float,t=int12", "00"},
            "",
            "",
            2,
            "record field 't=int12': unknown type 'int12'"},
        // A field's order takes every name --order takes, meaning the same.
        Row{"FourLetterOrderOnAWord", {"record", "int16:DCBA", "3412"}, "", "4660\n"},
        Row{"WordOrderOnADouble", {"record", "double:DCBA", "182D4454FB210940"}, "", "3.141593\n"},
        Row{"TwoLetterOrderOnAFloat", {"record", "float:BA", "DB 0F 49 40"}, "", "3.141593\n"},
        Row{"OrderOnAByte", {"record", "uint8:big", "FF"}, "", "255\n"},
        Row{"UnknownOrder", {"record", "int16:21"}, "", "", 2, "unknown byte order '21'"},
        Row{"FactorBeyondDoubles", {"record", "int16*1e400"}, "", "", 2,
            "FACTOR '1e400' is not a finite number"},
        Row{"FactorRoundsToZero", {"record", "int16*1e-400"}, "", "", 2,
            "FACTOR '1e-400' rounds to zero"},
        Row{"ZeroFactorWritten", {"record", "int16*0.0e-400", "0001"}, "", "0.000000\n"},
        Row{"ScaledPastDoubles", {"record", "int16*1e308", "7FFF"}, "", "", 2,
            "the scaled value is not finite"},
        Row{"FactorNotANumber", {"record", "int16*x"}, "", "", 2, "FACTOR 'x' is not a number"},
        Row{"OffsetNotANumber", {"record", "int16+1.2.3"}, "", "", 2, "OFFSET"},
        Row{"HyphenatedOrders",
            {"record", "a=uint32:word-swap,b=float:Byte-Swap-1", "00010000 49400FDB"},
            "",
            "1,2.153995\n"},
        Row{"OddRecordFromRegisters",
            {"record", "--registers", "b=uint8", "3"},
            "",
            "",
            2,
            "the record takes 1 byte, but registers hold two each"},
        Row{"DuplicateName", {"record", "a=uint8,a=int8"}, "", "", 2, "duplicate field name 'a'"},
        Row{"AutoNameClash", {"record", "uint8,f1=uint8"}, "", "", 2, "duplicate field name 'f1'"},
        Row{"RestNotLast", {"record", "uint8,...,uint8"}, "", "", 2, "'...' must end LAYOUT"},
        Row{"BadSkip", {"record", "skip:0,uint8"}, "", "", 2, "skip takes 1 to 65536 bytes"},
        Row{"EmptyPart", {"record", "uint8,,uint8"}, "", "", 2, "empty field"},
        Row{"NoLayout", {"record"}, "", "", 2, "record takes LAYOUT"}),
    [](const auto& row) { return row.param.name; });

const std::string kLog = "2026-12-08T10:00:01Z,0FDB 4049,ok\n";

INSTANTIATE_TEST_SUITE_P(
    Fields, Shape,
    testing::Values(
        Row{"Appended",
            {"float", "--field", "2", "--order", "CDAB"},
            kLog,
            "2026-12-08T10:00:01Z,0FDB 4049,ok,3.141593\n"},
        Row{"Replaced",
            {"float", "--field", "2", "--order", "CDAB", "--replace"},
            kLog,
            "2026-12-08T10:00:01Z,3.141593,ok\n"},
        Row{"ReplacedKeepsCrLf",
            {"float", "--field", "2", "--replace"},
            "a,3F800000,b\r\nc,40000000,d\n",
            "a,1.000000,b\r\nc,2.000000,d\n"},
        Row{"HeaderNamed",
            {"depth", "--field", "1", "--header"},
            "kPa\n200\n",
            "kPa,depth\n200,9.938714\n"},
        Row{"QuotedDelimiterAndDoubledQuote",
            {"psi", "--field", "2"},
            "\"a,b\",\"1\"\"00\",x\n",
            "\"a,b\",\"1\"\"00\",x,0.145038\n"},
        Row{"LineBreakInQuotes",
            {"depth", "--field", "2"},
            "\"note\nmore\",200\nz,200\n",
            "\"note\nmore\",200,9.938714\nz,200,9.938714\n"},
        // A log's missing value gives missing results, never a number.
        Row{"EmptyFieldEmptyResults",
            {"record", "--field", "2", "x=uint8,y=uint8"},
            "a,,c\n",
            "a,,c,,\n"},
        Row{"EmptyFieldNotTheDialogsZero",
            {"psi", "--field", "2", "--replace"},
            "a,200\nb,\nc,\"\"\n",
            "a,29.007549\nb,\nc,\n"},
        Row{"EmptyFieldLogGoesOn",
            {"depth", "--field", "2", "--header"},
            "t,p\n1,200\n2,\n3,300\n",
            "t,p,depth\n1,200,9.938714\n2,,\n3,300,19.877426\n"},
        Row{"LineEndsAsTheyCame",
            {"depth", "--field", "2"},
            "a,200\r\nb,300\n\"x\r\ny\",200\r\n",
            "a,200,9.938714\r\nb,300,19.877426\n\"x\r\ny\",200,9.938714\r\n"},
        Row{"BlankLinesPassedOn",
            {"depth", "--field", "2", "--replace"},
            "a,200\n\n \t\r\nb,300\n",
            "a,9.938714\n\n \t\r\nb,19.877426\n"},
        Row{"UnclosedQuoteNamesItsLine",
            {"depth", "--field", "2"},
            "a,200\nb,\"300\nc\n",
            "a,200,9.938714\n",
            2,
            "line 2: a quoted field is not closed"},
        Row{"TabDelimiter",
            {"half", "--field", "2", "--delimiter", "tab", "--strict"},
            "t\t3C00\n",
            "t\t3C00\t1.000000\n"},
        Row{"SpaceRuns",
            {"pressure-at", "--field", "2", "--delimiter", "space"},
            "  a   0\tz\n",
            "  a   0\tz 99.999970\n"},
        Row{"RecordFieldsAppended",
            {"record", "--field", "1", "--header", "a=uint8,b=uint8"},
            "raw\n0102\n",
            "raw,a,b\n0102,1,2\n"},
        Row{"ResultQuotedWhereNeeded",
            {"half", "--field", "1", "--delimiter", "."},
            "3C00\n",
            "3C00.\"1.000000\"\n"},
        Row{"FewerFields",
            {"float", "--field", "3"},
            "a,b,c\na,b\n",
            "a,b,c,0.000000\n",
            2,
            "line 2: fewer than 3 fields"},
        Row{"UnclosedQuote",
            {"depth", "--field", "1"},
            "\"200\n",
            "",
            2,
            "line 1: a quoted field is not closed"},
        Row{"FieldWithText",
            {"float", "--field", "1", "3F800000"},
            "",
            "",
            2,
            "--field reads standard input"},
        Row{"ReplaceNeedsField", {"float", "--replace"}, "", "", 2, "--replace needs --field"},
        Row{"DelimiterNeedsField",
            {"psi", "--delimiter", ";"},
            "",
            "",
            2,
            "--delimiter needs --field"},
        Row{"BadDelimiter",
            {"psi", "--field", "1", "--delimiter", "ab"},
            "",
            "",
            2,
            "--delimiter takes one ASCII character, tab or space, not 'ab'"},
        Row{"NotInASession",
            {},
            "float --each 3F800000\n",
            "",
            2,
            "'--each' works on the command line"}),
    [](const auto& row) { return row.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Binary, Shape,
    testing::Values(
        Row{"Floats",
            {"float", "--binary"},
            std::string("\x3f\x80\0\0\x40\0\0\0", 8),
            "1.000000\n2.000000\n"},
        Row{"SkipAndOrder",
            {"half", "--binary", "--skip", "3", "--order", "BA"},
            std::string("hdr\0\x3c\0\x40", 7),
            "1.000000\n2.000000\n"},
        Row{"TrailingPartial",
            {"float", "--binary"},
            std::string("\x3f\x80\0\0\x40\0", 6),
            "1.000000\n",
            1,
            "byte offset 4: 2 bytes left over"},
        Row{"SkipPastTheEnd",
            {"float", "--binary", "--skip", "9"},
            "abc",
            "",
            1,
            "9 bytes to skip, but the input ends at byte 3"},
        Row{"Records",
            {"record", "--binary", "--header", "a=uint8,b=int8"},
            "\x01\xff\x02\x03",
            "a,b\n1,-1\n2,3\n"},
        Row{"NoTextReading", {"float", "--binary"}, "3F800000", "0.000000\n0.000000\n"},
        Row{"MissingFile",
            {"float", "--binary", "/nonexistent/capture"},
            "",
            "",
            1,
            "cannot open '/nonexistent/capture'"},
        Row{"NotWithField",
            {"float", "--binary", "--field", "1"},
            "",
            "",
            2,
            "--binary and --field contradict"},
        Row{"SkipNeedsBinary", {"float", "--skip", "0"}, "", "", 2, "--skip needs --binary"}),
    [](const auto& row) { return row.param.name; });

TEST(InspectRegisters, ReadAsTheirBytes)
{
    EXPECT_EQ(RunCliInMemory({"inspect", "--registers", "16457,-1"}, "", false).out,
              RunCliInMemory({"inspect", "4049 FFFF"}, "", false).out);
}

// RFC 4180 at the lowest level: where each field stands and what it holds.
TEST(CsvFields, SplitsAsRfc4180Reads)
{
    const struct {
        const char* name;
        std::string record;
        char delimiter;
        bool complete;
        std::vector<std::string> texts;
    } rows[] = {
        {"Plain", "a,b,c", ',', true, {"a", "b", "c"}},
        {"EmptyFields", ",,", ',', true, {"", "", ""}},
        {"QuotedDelimiter", "\"a,b\",c", ',', true, {"a,b", "c"}},
        {"DoubledQuote", "\"say \"\"hi\"\"\"", ',', true, {"say \"hi\""}},
        {"LineBreakInside", "\"a\nb\",c", ',', true, {"a\nb", "c"}},
        {"OpenQuote", "\"a,b", ',', false, {}},
        {"BlankRuns", "  a \t b  ", ' ', true, {"a", "b"}},
        {"QuotedInBlankRuns", "a \"b c\" d", ' ', true, {"a", "b c", "d"}},
    };
    for (const auto& row : rows) {
        std::vector<CsvField> fields;
        std::size_t resume = 0;
    EXPECT_EQ(SplitCsv(row.record, row.delimiter, fields, resume), row.complete) << row.name;
        if (!row.complete)
            continue;
        std::vector<std::string> texts;
        texts.reserve(fields.size());
        std::string scratch;
        for (const CsvField& field : fields)
            texts.emplace_back(FieldText(row.record, field, scratch));
        EXPECT_EQ(texts, row.texts) << row.name;
    }
}

TEST(RecordJson, ParsesBackWithIntegersAsNumbers)
{
    const CliOutcome outcome = RunCliInMemory({"record", "--json", kLayout + ",\"q\"=int8"},
                                              "0FDB4049 0929 0001 FF\n", false);
    const auto object = nlohmann::json::parse(outcome.out);
    EXPECT_EQ(object.at("p"), "3.141593");
    EXPECT_EQ(object.at("t"), "23.450000");
    EXPECT_EQ(object.at("status"), 1);
    EXPECT_EQ(object.at("\"q\""), -1);
}

std::string Hex(const std::string& bytes)
{
    std::string hex;
    char pair[3];
    for (const char c : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(c));
        hex += pair;
    }
    return hex;
}

// 10^5 random values read three ways from text, and 10^6 from a binary file,
// against the plain column of the same values as hex.
TEST(Shapes, AgreeOnRandomValues)
{
    std::mt19937_64 random(20261209);
    std::string bytes(std::size_t{4} * 1000000, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    std::string lines;
    std::size_t tenth = 0; // the end of the first 10^5 lines
    for (std::size_t k = 0; k < bytes.size(); k += 4) {
        lines += Hex(bytes.substr(k, 4)) + "\n";
        tenth = k == std::size_t{4} * 99999 ? lines.size() : tenth;
    }
    const std::string plain = RunCliInMemory({"float", "--order", "CDAB"}, lines, false).out;
    const std::string head = lines.substr(0, tenth);
    const std::string expected = RunCliInMemory({"float", "--order", "CDAB"}, head, false).out;
    EXPECT_TRUE(RunCliInMemory({"float", "--each", "--order", "CDAB"}, head, false).out ==
                expected);
    EXPECT_TRUE(RunCliInMemory({"record", "float:CDAB"}, head, false).out == expected);

    char path[] = "/tmp/tarvel-capture-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    close(fd);
    const CliOutcome binary =
        RunCliInMemory({"float", "--binary", "--order", "CDAB", path}, "", false);
    unlink(path);
    EXPECT_EQ(binary.status, 0);
    EXPECT_TRUE(binary.out == plain) << "the binary file's values differ from the column's";
}

} // namespace
