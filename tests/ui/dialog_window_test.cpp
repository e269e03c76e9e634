#include "tests/named_row.h"
#include "tests/ui/dialog_window_fixture.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

namespace {

struct PressRow {
    const char* name;
    int field;
    const char* typed;
    int button;
    int shown;
    const char* expected;
};

class WindowPressTest : public testing::TestWithParam<PressRow> {};

TEST_P(WindowPressTest, TypingAndClickingShowsTheResult)
{
    const PressRow& row = GetParam();
    DialogWindow w;
    w.Type(row.field, row.typed);
    w.Click(row.button);
    EXPECT_EQ(w.Text(row.shown), row.expected) << "typed '" << row.typed << "'";
}

INSTANTIATE_TEST_SUITE_P(Rows, WindowPressTest,
                         testing::Values(PressRow{"Float", IDC_HEX_TEXT, "3f 80 00 00",
                                                  IDC_TO_FLOAT, IDC_VALUE_TEXT, "1.000000"},
                                         PressRow{"Double", IDC_HEX_TEXT, "400921FB54442D18",
                                                  IDC_TO_DOUBLE, IDC_VALUE_TEXT, "3.141593"},
                                         PressRow{"Psi", IDC_VALUE_TEXT, "101.325", IDC_KPA_TO_PSI,
                                                  IDC_RESULT_TEXT, "14.695949"},
                                         PressRow{"Metres", IDC_VALUE_TEXT, "  50kPa",
                                                  IDC_KPA_TO_METRES, IDC_RESULT_TEXT, "-4.969353"},
                                         PressRow{"NonAsciiIsNoDigit", IDC_HEX_TEXT, "é3F800000",
                                                  IDC_TO_FLOAT, IDC_VALUE_TEXT, "1.000000"}),
                         [](const auto& row) { return row.param.name; });

TEST(Window, FocusStartsInTheHexFieldAndTabFollowsTheTemplate)
{
    DialogWindow w;
    std::string order = w.FocusName();
    for (int k = 0; k < 7; ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order += " " + w.FocusName();
    }
    EXPECT_EQ(order, "IDC_HEX_TEXT IDC_VALUE_TEXT IDC_TO_FLOAT IDC_TO_DOUBLE IDC_RESULT_TEXT "
                     "IDC_KPA_TO_PSI IDC_KPA_TO_METRES IDC_HEX_TEXT");
}

TEST(Window, EnterInAnEditFieldPullsAndClosesWithoutConverting)
{
    for (const int field : {IDC_HEX_TEXT, IDC_VALUE_TEXT, IDC_RESULT_TEXT}) {
        DialogWindow w;
        w.Type(field, "3F800000");
        QTest::keyClick(w.Edit(field), Qt::Key_Return);
        EXPECT_FALSE(w.window.isVisible()) << "field " << field;
        EXPECT_EQ(w.window.result(), IDOK);
        // The field was pulled; nothing was converted.
        const CString& pulled = field == IDC_HEX_TEXT     ? w.dlg.m_hexText
                                : field == IDC_VALUE_TEXT ? w.dlg.m_valueText
                                                          : w.dlg.m_resultText;
        EXPECT_STREQ(pulled, "3F800000");
        EXPECT_EQ(w.Text(IDC_VALUE_TEXT), field == IDC_VALUE_TEXT ? "3F800000" : "");
    }
}

TEST(Window, EscapeAndTheCloseBoxCancel)
{
    DialogWindow escaped;
    escaped.Type(IDC_HEX_TEXT, "40");
    QTest::keyClick(escaped.Edit(IDC_HEX_TEXT), Qt::Key_Escape);
    EXPECT_FALSE(escaped.window.isVisible());
    EXPECT_EQ(escaped.window.result(), IDCANCEL);
    EXPECT_STREQ(escaped.dlg.m_hexText, ""); // Cancel pulls nothing

    DialogWindow closed;
    closed.window.close();
    EXPECT_FALSE(closed.window.isVisible());
    EXPECT_EQ(closed.window.result(), IDCANCEL);
}

TEST(Window, EnterOnAFocusedButtonPressesIt)
{
    DialogWindow w;
    w.Type(IDC_HEX_TEXT, "C0000000");
    w.Button(IDC_TO_FLOAT)->setFocus();
    QTest::keyClick(w.Button(IDC_TO_FLOAT), Qt::Key_Return);
    EXPECT_TRUE(w.window.isVisible());
    EXPECT_EQ(w.Text(IDC_VALUE_TEXT), "-2.000000");
}

TEST(Window, ResultFieldTextSurvivesTheHexCommands)
{
    DialogWindow w;
    w.Type(IDC_RESULT_TEXT, "my note, 1,5 bar");
    w.Type(IDC_HEX_TEXT, "3F800000");
    w.Click(IDC_TO_FLOAT);
    w.Click(IDC_TO_DOUBLE);
    EXPECT_EQ(w.Text(IDC_RESULT_TEXT), "my note, 1,5 bar");
}

TEST(Window, DecodedValueConvertsAtOnce)
{
    DialogWindow w;
    w.Type(IDC_HEX_TEXT, "4059000000000000");
    w.Click(IDC_TO_DOUBLE);
    w.Click(IDC_KPA_TO_PSI);
    EXPECT_EQ(w.Text(IDC_RESULT_TEXT), "14.503774");
}

TEST(Window, LargestDoubleGoesIntoTheValueFieldWhole)
{
    DialogWindow w;
    w.Type(IDC_HEX_TEXT, "7FEFFFFFFFFFFFFF");
    w.Click(IDC_TO_DOUBLE);
    EXPECT_EQ(w.Text(IDC_VALUE_TEXT).size(), 316u);
    EXPECT_EQ(w.Text(IDC_VALUE_TEXT).substr(0, 5), "17976");
}

TEST(Window, DecimalCommaLocaleChangesNothing)
{
    // The suite runs with LC_ALL=de_DE.UTF-8: Qt took the locale from it...
    ASSERT_NE(std::string(std::setlocale(LC_CTYPE, nullptr)).find("de_DE"), std::string::npos)
        << "de_DE.UTF-8 missing: run scripts/install-deps.sh";
    // ...and the C library still writes and reads numbers with '.'.
    char written[16];
    std::snprintf(written, sizeof written, "%.1f", 1.5);
    EXPECT_STREQ(written, "1.5");
    EXPECT_EQ(std::atof("1.5"), 1.5);

    DialogWindow w;
    w.Type(IDC_VALUE_TEXT, "1.5");
    w.Click(IDC_KPA_TO_PSI);
    EXPECT_EQ(w.Text(IDC_RESULT_TEXT), "0.217557");
}

TEST(Window, HasTheTemplateCaptionAndIcon)
{
    DialogWindow w;
    EXPECT_EQ(w.window.windowTitle().toStdString(), "Tarvel");
    const QIcon icon = w.window.windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
    EXPECT_TRUE(icon.availableSizes().contains(QSize(32, 32)));
}

} // namespace

namespace {

TEST(Window, MegabytesPastedIntoAFieldStillConvert)
{
    DialogWindow w;
    QString hex(2 << 20, QChar(' '));
    hex += QStringLiteral("3F800000");
    w.Edit(IDC_HEX_TEXT)->insert(hex);
    w.Click(IDC_TO_FLOAT);
    EXPECT_EQ(w.Text(IDC_VALUE_TEXT), "1.000000");
    EXPECT_EQ(w.Edit(IDC_HEX_TEXT)->text().size(), hex.size()) << "the pasted text is kept whole";

    w.Edit(IDC_VALUE_TEXT)->selectAll();
    w.Edit(IDC_VALUE_TEXT)
        ->insert(QStringLiteral("1") + QString(2 << 20, QChar('0')) + QStringLiteral("e-2097150"));
    w.Click(IDC_KPA_TO_PSI);
    EXPECT_EQ(w.Text(IDC_RESULT_TEXT), "14.503774");
    EXPECT_TRUE(w.window.isVisible());
}

} // namespace
