#include "framework/cstring.h"

#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FormatRow {
    const char* name;
    const char* format;
    double value;
    std::string expected;
};

class FormatTest : public testing::TestWithParam<FormatRow> {};

TEST_P(FormatTest, ReplacesTheWholeContent)
{
    const FormatRow& row = GetParam();
    CString text;
    text = "previous content";
    text.Format(row.format, row.value);
    EXPECT_EQ(std::string(text), row.expected) << row.format << " with " << row.value;
}

// The rendering itself is the core's; here only how the format text is used.
INSTANTIATE_TEST_SUITE_P(Rows, FormatTest,
                         testing::Values(FormatRow{"Fixed", "%f", 1.0, "1.000000"},
                                         FormatRow{"LiteralAround", "x=%f%%", 0.5, "x=0.500000%"},
                                         FormatRow{"OtherConversionCopied", "%d", 0.5, "%d"},
                                         FormatRow{"TrailingPercentCopied", "%", 0.5, "%"},
                                         FormatRow{"EmptyFormat", "", 0.5, ""}),
                         [](const auto& row) { return row.param.name; });

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
