#include "tests/ui/dialog_window_fixture.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QtGlobal>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

// Dialog units measured here independently: a quarter of the average letter
// width across, an eighth of the line height down.
QRect ExpectedRect(const QFont& font, int x, int y, int cx, int cy)
{
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const double baseX = std::round(metrics.horizontalAdvance(letters) / 52.0);
    const double baseY = metrics.height();
    auto across = [&](int units) { return static_cast<int>(std::lround(units * baseX / 4)); };
    auto down = [&](int units) { return static_cast<int>(std::lround(units * baseY / 8)); };
    return QRect(across(x), down(y), across(cx), down(cy));
}

TEST(Layout, EveryControlSitsOnItsTemplateRectangle)
{
    DialogWindow w;
    const DlgTemplate& t = *AfxFindDialogTemplate(IDD_CONVERTER_DIALOG);
    ASSERT_EQ(t.items.size(), 8u);
    const QList<QWidget*> children = w.window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    EXPECT_EQ(children.size(), 8);
    for (const DlgItemTemplate& item : t.items) {
        const QWidget* control = w.window.findChild<QWidget*>(QString::fromLatin1(item.name));
        ASSERT_NE(control, nullptr) << item.name;
        EXPECT_EQ(control->geometry(),
                  ExpectedRect(w.window.font(), item.x, item.y, item.cx, item.cy))
            << item.name;
    }
    EXPECT_EQ(w.window.size(), ExpectedRect(w.window.font(), 0, 0, t.cx, t.cy).size());
    EXPECT_EQ(w.window.minimumSize(), w.window.maximumSize()) << "fixed size";
}

TEST(Layout, OpensCentredOnTheScreen)
{
    DialogWindow w;
    w.window.CentreOnScreen();
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    const QPoint offset = w.window.frameGeometry().center() - screenCentre;
    // Within the rounding of odd sizes and a frame the platform may add.
    EXPECT_LE(std::abs(offset.x()), 3) << offset.x();
    EXPECT_LE(std::abs(offset.y()), 3) << offset.y();
}

TEST(Layout, ControlsAreWhatTheTemplateSays)
{
    DialogWindow w;
    const auto* label = w.window.findChild<QLabel*>(QStringLiteral("IDC_STATIC"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text().toStdString(), "High byte ------ Low byte");
    EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(w.Button(IDC_KPA_TO_PSI)->text().toStdString(), "KP to PSI");
    EXPECT_EQ(w.Button(IDC_KPA_TO_METRES)->text().toStdString(), "KPa to metres");
    EXPECT_TRUE(w.Edit(IDC_VALUE_TEXT)->alignment() & Qt::AlignHCenter);
    EXPECT_FALSE(w.Edit(IDC_HEX_TEXT)->alignment() & Qt::AlignHCenter);
    for (const int id : {IDC_TO_FLOAT, IDC_TO_DOUBLE, IDC_KPA_TO_PSI, IDC_KPA_TO_METRES})
        EXPECT_FALSE(w.Button(id)->isDefault() || w.Button(id)->autoDefault()) << id;
}

// CTest runs this once more at each desktop scale it checks (QT_SCALE_FACTOR,
// which Qt reads only as the application starts). Rectangles are compared
// in device pixels, where a fractional scale rounds.
TEST(Layout, ControlsStayApartInsideTheWindowAtThisScale)
{
    DialogWindow w;
    const double scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                             ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                             : 1.0;
    ASSERT_DOUBLE_EQ(w.window.devicePixelRatioF(), scale) << "the scale this run was started at";
    const auto device = [scale](const QRect& r) {
        return QRectF(r.x() * scale, r.y() * scale, r.width() * scale, r.height() * scale)
            .toAlignedRect();
    };
    const QRect window = device(w.window.rect());
    const QList<QWidget*> controls = w.window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QWidget* control = controls[i];
        const std::string name = control->objectName().toStdString();
        EXPECT_TRUE(window.contains(device(control->geometry()))) << name;
        for (qsizetype j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(device(control->geometry()).intersects(device(controls[j]->geometry())))
                << name << " and " << controls[j]->objectName().toStdString();
    }
}

} // namespace
