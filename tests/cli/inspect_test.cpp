// inspect: every reading of a few bytes, as text and as JSON read back by a
// JSON parser.
#include "tests/cli_in_memory.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace {

using nlohmann::json;

const json* FindRow(const json& object, const std::string& type, const std::string& order)
{
    for (const json& row : object.at("values"))
        if (row.at("type") == type && row.at("order") == order)
            return &row;
    return nullptr;
}

TEST(Inspect, JsonHoldsEveryTypeAndOrder)
{
    const CliOutcome outcome = RunCliInMemory({"inspect", "--json", "40 49 0F DB"}, "", false);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const json object = json::parse(outcome.out);
    EXPECT_EQ(object.at("bytes"), "40490FDB");
    EXPECT_EQ(object.at("values").size(), 20u); // 4 readings x 2 orders, 3 x 4
    const json* pi = FindRow(object, "float32", "ABCD");
    ASSERT_NE(pi, nullptr);
    EXPECT_EQ(*pi, json::parse(R"({"type": "float32", "order": "ABCD", "fixed": "3.141593",
        "shortest": "3.1415927", "exact": "3.1415927410125732421875", "hex": "0x1.921fb6p+1",
        "class": "normal"})"));
    EXPECT_EQ(FindRow(object, "int32", "DCBA")->at("value"), "-619755200");
    EXPECT_EQ(FindRow(object, "uint16", "BA")->at("value"), "18752");
}

TEST(Inspect, NearPutsTheKnownValueFirst)
{
    const CliOutcome outcome =
        RunCliInMemory({"inspect", "--json", "--near", "3.14", "0FDB4049"}, "", false);
    const json first = json::parse(outcome.out).at("values").at(0);
    EXPECT_EQ(first.at("type"), "float32");
    EXPECT_EQ(first.at("order"), "CDAB");
    EXPECT_EQ(first.at("nearest"), "yes");
}

TEST(Inspect, ClassesOfHalfPatterns)
{
    const struct {
        const char* hex;
        const char* expected;
    } rows[] = {{"0000", "zero"},
                {"0001", "subnormal"},
                {"3C00", "normal"},
                {"7C00", "infinite"},
                {"7E00", "quiet NaN, payload 0x0"},
                {"7E01", "quiet NaN, payload 0x1"},
                {"7C01", "signalling NaN, payload 0x1"}};
    for (const auto& row : rows) {
        const CliOutcome outcome = RunCliInMemory({"inspect", "--json", row.hex}, "", false);
        EXPECT_EQ(FindRow(json::parse(outcome.out), "half", "AB")->at("class"), row.expected)
            << row.hex;
    }
}

struct BadRow {
    const char* name;
    std::string text;
    std::string named;
};

class InspectBadText : public testing::TestWithParam<BadRow> {};

TEST_P(InspectBadText, IsAnErrorNamingThePosition)
{
    const CliOutcome outcome = RunCliInMemory({"inspect", GetParam().text}, "", false);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find(GetParam().named), std::string::npos) << outcome.err;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, InspectBadText,
    testing::Values(BadRow{"NotADigit", "3F8G", "position 4"},
                    BadRow{"OddGroup", "3F 800 00", "position 4: odd number of digits"},
                    BadRow{"OtherSeparator", "3F;80", "position 3"},
                    BadRow{"PrefixWithoutDigits", "0x", "position 1: '0x' without"},
                    BadRow{"Empty", "", "one to eight bytes, not 0"},
                    BadRow{"NineBytes", "11 22 33 44 55 66 77 88 99", "not 9"}),
    [](const auto& row) { return row.param.name; });

TEST(Inspect, CleanFormsReadAlike)
{
    const std::string expected = RunCliInMemory({"inspect", "3F800000"}, "", false).out;
    for (const char* text :
         {"0x3F800000", "3f:80:00:00", "0x3F 0x80 0x00 0x00", "3F-80_00,00", "3F\t80 00 00"})
        EXPECT_EQ(RunCliInMemory({"inspect", text}, "", false).out, expected) << text;
}

// A bad line ends the column after the results before it, as in every other
// column, with or without --json; its bytes are shown escaped.
TEST(Inspect, ABadLineEndsTheColumn)
{
    for (const bool asJson : {false, true}) {
        std::vector<std::string> args = {"inspect"};
        if (asJson)
            args.emplace_back("--json");
        const CliOutcome outcome = RunCliInMemory(args, "3C00\n\xffz\n7C00\n", false);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.out, RunCliInMemory(args, "3C00\n", false).out);
        EXPECT_EQ(outcome.err.rfind("tarvel-cli: line 2: inspect '\\xffz': ", 0), 0U)
            << outcome.err;
    }
}

} // namespace
