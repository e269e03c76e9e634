#include "backend/qt/qt_dialog_window.h"

#include "backend/qt/icons.h"
#include "backend/qt/x11_frame.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <cstring>
#include <limits>

namespace {

QFont TemplateFont(const DlgTemplate& t)
{
    QFont font(QString::fromLatin1(t.fontName), t.pointSize);
    font.setStyleHint(QFont::SansSerif); // where the named face is missing
    font.setItalic(t.italic);
    if (t.weight != 0) // 0 is the platform's default weight
        font.setWeight(static_cast<QFont::Weight>(t.weight));
    return font;
}

} // namespace

CQtDialogWindow::CQtDialogWindow(CDialog& dlg, const DlgTemplate& dialogTemplate)
    : QDialog(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_dlg(dlg), m_units(TemplateFont(dialogTemplate))
{
    setWindowTitle(QString::fromUtf8(dialogTemplate.caption));
    // Named by the caption even should the title ever show more.
    setAccessibleName(QString::fromUtf8(dialogTemplate.caption));
    setFont(TemplateFont(dialogTemplate));
    setFixedSize(m_units.Map(0, 0, dialogTemplate.cx, dialogTemplate.cy).size());

    QWidget* previousTabStop = nullptr;
    QWidget* firstTabStop = nullptr;
    for (const DlgItemTemplate& item : dialogTemplate.items) {
        QWidget* control = CreateControl(item);
        control->setObjectName(QString::fromLatin1(item.name));
        control->setGeometry(m_units.Map(item.x, item.y, item.cx, item.cy));
        if (const DlgAccessibleText* accessible = FindAccessibleText(dialogTemplate, item.id)) {
            control->setAccessibleName(QString::fromUtf8(accessible->name));
            control->setAccessibleDescription(QString::fromUtf8(accessible->description));
        }
        if (item.id != -1)
            m_controls[item.id] = control;
        if ((item.style & kStyleTabStop) == 0) {
            control->setFocusPolicy(Qt::NoFocus);
            continue;
        }
        control->setFocusPolicy(Qt::StrongFocus);
        if (previousTabStop != nullptr)
            setTabOrder(previousTabStop, control);
        else
            firstTabStop = control;
        previousTabStop = control;
    }

    m_dlg.AttachControlHost(this);
    if (m_dlg.OnInitDialog() && firstTabStop != nullptr)
        firstTabStop->setFocus(Qt::OtherFocusReason);
}

CQtDialogWindow::~CQtDialogWindow()
{
    m_dlg.AttachControlHost(nullptr);
}

QWidget* CQtDialogWindow::CreateControl(const DlgItemTemplate& item)
{
    const QString text = QString::fromUtf8(item.text);
    if (std::strcmp(item.windowClass, "Edit") == 0) {
        auto* edit = new QLineEdit(text, this);
        // No length limit: any text the user pastes is kept whole.
        edit->setMaxLength(std::numeric_limits<int>::max());
        edit->setAlignment((item.style & kEditCentred) != 0 ? Qt::AlignCenter
                                                            : Qt::AlignLeft | Qt::AlignVCenter);
        return edit;
    }
    if (std::strcmp(item.windowClass, "Button") == 0) {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(false); // the dialog has no default button
        const UINT id = static_cast<UINT>(item.id);
        connect(button, &QPushButton::clicked, this,
                [this, id] { m_dlg.OnCmdMsg(id, BN_CLICKED); });
        return button;
    }
    auto* label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QWidget* CQtDialogWindow::Control(int nID) const
{
    const auto it = m_controls.find(nID);
    return it == m_controls.end() ? nullptr : it->second;
}

void CQtDialogWindow::CentreOnScreen()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

int CQtDialogWindow::Run()
{
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    show();
    if (isVisible()) // not already ended by OnInitDialog
        loop.exec(QEventLoop::DialogExec);
    return result();
}

void CQtDialogWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FixX11Frame(*this); // the native window exists, and is not mapped yet
}

void CQtDialogWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter presses the focused button; in an edit field it is OK.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        else
            m_dlg.OnCmdMsg(IDOK, 0);
        return;
    case Qt::Key_Escape:
        m_dlg.OnCmdMsg(IDCANCEL, 0);
        return;
    case Qt::Key_F1:
        m_dlg.OnCmdMsg(ID_HELP, 0);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CQtDialogWindow::reject()
{
    m_dlg.OnCmdMsg(IDCANCEL, 0);
}

CString CQtDialogWindow::GetControlText(int nID) const
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(Control(nID))) {
        const QByteArray bytes = edit->text().toUtf8();
        return CString(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    return CString();
}

void CQtDialogWindow::SetControlText(int nID, const CString& text)
{
    auto* edit = qobject_cast<QLineEdit*>(Control(nID));
    if (edit == nullptr)
        return;
    const std::string_view bytes = text.Bytes();
    const QString value = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    // Rewriting an unchanged text would move the cursor and the scroll position.
    // A new text shows from its start, where a long number's leading digits are.
    if (edit->text() != value) {
        edit->setText(value);
        edit->setCursorPosition(0);
    }
}

void CQtDialogWindow::SetIcon(HICON hIcon, BOOL)
{
    // One QIcon carries both sizes; the platform picks big or small from it.
    if (const QIcon* icon = IconFromHandle(hIcon))
        setWindowIcon(*icon);
}
