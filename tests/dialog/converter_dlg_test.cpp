#include "tests/dialog/converter_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Session, FreshDialogStartsEmptyAndConvertsAnEmptyValueField)
{
    Converter converter;
    for (int field : {IDC_HEX_TEXT, IDC_VALUE_TEXT, IDC_RESULT_TEXT})
        EXPECT_STREQ(converter.window.Text(field), "") << "field " << field;
    converter.window.Click(IDC_KPA_TO_PSI);
    EXPECT_STREQ(converter.window.Text(IDC_RESULT_TEXT), "0.000000");
}

TEST(Session, DecodedValueFeedsThePressureCommands)
{
    Converter converter;
    converter.Float("3F800000");
    converter.window.Click(IDC_KPA_TO_PSI);
    EXPECT_STREQ(converter.window.Text(IDC_RESULT_TEXT), "0.145038");
    converter.Double("4059000000000000"); // 100 kPa
    converter.window.Click(IDC_KPA_TO_METRES);
    EXPECT_STREQ(converter.window.Text(IDC_RESULT_TEXT), "0.000003");
}

TEST(Session, FieldsACommandDoesNotWriteKeepTheirBytes)
{
    Converter converter;
    const std::string odd = "typed \xE9 by hand\t";
    converter.window.Type(IDC_RESULT_TEXT, odd.c_str());
    converter.window.Type(IDC_HEX_TEXT, "  3f-80 00 00 junk");
    converter.window.Click(IDC_TO_FLOAT);
    converter.window.Click(IDC_TO_DOUBLE);
    EXPECT_EQ(std::string(converter.window.Text(IDC_RESULT_TEXT)), odd);
    EXPECT_EQ(std::string(converter.window.Text(IDC_HEX_TEXT)), "  3f-80 00 00 junk");

    converter.window.Type(IDC_VALUE_TEXT, "12 kPa");
    converter.window.Click(IDC_KPA_TO_PSI);
    EXPECT_EQ(std::string(converter.window.Text(IDC_VALUE_TEXT)), "12 kPa");
}

TEST(Session, PushRightAfterPullChangesNothing)
{
    Converter converter;
    converter.window.Type(IDC_HEX_TEXT, "a");
    converter.window.Type(IDC_VALUE_TEXT, "b");
    converter.window.Type(IDC_RESULT_TEXT, "c");
    converter.dlg.UpdateData(TRUE);
    converter.dlg.UpdateData(FALSE);
    EXPECT_STREQ(converter.window.Text(IDC_HEX_TEXT), "a");
    EXPECT_STREQ(converter.window.Text(IDC_VALUE_TEXT), "b");
    EXPECT_STREQ(converter.window.Text(IDC_RESULT_TEXT), "c");
}

TEST(Session, ReplayedCommandsCarryStateOver)
{
    struct Step {
        const char* name;
        int field; // 0: click without typing
        const char* text;
        UINT button;
        int shown;
        const char* expected;
    };
    const Step steps[] = {
        {"float", IDC_HEX_TEXT, "3F800000", IDC_TO_FLOAT, IDC_VALUE_TEXT, "1.000000"},
        {"psi", 0, nullptr, IDC_KPA_TO_PSI, IDC_RESULT_TEXT, "0.145038"},
        {"float 40", IDC_HEX_TEXT, "40", IDC_TO_FLOAT, IDC_VALUE_TEXT, "4.000000"},
        {"float re-reads", 0, nullptr, IDC_TO_FLOAT, IDC_VALUE_TEXT, "4.000000"},
        {"metres 200", IDC_VALUE_TEXT, "200", IDC_KPA_TO_METRES, IDC_RESULT_TEXT, "9.938714"},
        {"double 3FF", IDC_HEX_TEXT, "3FF0", IDC_TO_DOUBLE, IDC_VALUE_TEXT, "1.000000"},
    };
    Converter converter;
    for (const Step& step : steps) {
        if (step.field != 0)
            converter.window.Type(step.field, step.text);
        converter.window.Click(step.button);
        EXPECT_STREQ(converter.window.Text(step.shown), step.expected) << "step " << step.name;
    }
}

TEST(Session, BytesCarryOverThroughTheHexField)
{
    Converter converter;
    EXPECT_EQ(converter.Float("3F800000"), "1.000000");
    EXPECT_EQ(converter.Float("40"), "4.000000");

    Converter other;
    EXPECT_EQ(other.Double("3FF0000000000000"), "1.000000");
    EXPECT_EQ(other.Double("40"), "65536.000000");
    // Emptying the text decodes the bytes the store still holds.
    EXPECT_EQ(other.Double(""), "65536.000000");
    const BYTE image[8] = {0, 0, 0, 0, 0, 0, 0xF0, 0x40};
    for (std::size_t k = 0; k < 8; ++k)
        EXPECT_EQ(other.dlg.m_valueBytes[k], image[k]) << "value byte " << k;
}

} // namespace
