// The converter dialog in a real Qt window, shown and active, driven with
// real key and mouse events.
#pragma once

#include "backend/qt/qt_dialog_window.h"
#include "core/converter_dlg.h"
#include "framework/dialog_template.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

struct DialogWindow {
    CConverterDlg dlg;
    CQtDialogWindow window{dlg, *AfxFindDialogTemplate(IDD_CONVERTER_DIALOG)};

    DialogWindow()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        (void)QTest::qWaitForWindowActive(&window);
    }

    QLineEdit* Edit(int id) const { return qobject_cast<QLineEdit*>(window.Control(id)); }
    QPushButton* Button(int id) const { return qobject_cast<QPushButton*>(window.Control(id)); }
    std::string Text(int id) const { return Edit(id)->text().toStdString(); }

    // Clicks into `field`, selects all, types `text` (pastes it when it is not
    // ASCII, which QTest cannot type).
    void Type(int field, const char* text)
    {
        QLineEdit* edit = Edit(field);
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        const QString value = QString::fromUtf8(text);
        bool ascii = true;
        for (const QChar ch : value)
            ascii = ascii && ch.unicode() < 0x80;
        if (ascii)
            QTest::keyClicks(edit, value);
        else
            edit->insert(value);
    }
    void Click(int button) { QTest::mouseClick(Button(button), Qt::LeftButton); }
    std::string FocusName() const
    {
        const QWidget* focus = QApplication::focusWidget();
        return focus != nullptr ? focus->objectName().toStdString() : "(none)";
    }
};
