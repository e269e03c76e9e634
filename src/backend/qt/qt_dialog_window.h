// A CDialog realised as a Qt top-level window built from its template: an
// application window of its own (no transient parent), fixed in size. Texts, clicks,
// Enter, Escape and closing all go to the CDialog through its message map.
#pragma once

#include "backend/qt/dialog_units.h"
#include "framework/control_host.h"
#include "framework/dialog.h"
#include "framework/dialog_template.h"

#include <QDialog>
#include <map>

class CQtDialogWindow final : public QDialog, private IControlHost {
public:
    // Builds the window and its controls from `dialogTemplate`, with the
    // accessible texts it gives them, attaches to `dlg` and initialises it
    // (OnInitDialog); `dlg` must outlive the window.
    CQtDialogWindow(CDialog& dlg, const DlgTemplate& dialogTemplate);
    ~CQtDialogWindow() override;

    // The widget for control `nID`, or null.
    QWidget* Control(int nID) const;
    // Places the window at the centre of its screen's available area.
    void CentreOnScreen();
    // Shows the window and returns, once it has ended, the value EndDialog
    // was given. The only window of its program, it is modal to nothing.
    int Run();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The close box and Close on the window menu.
    void reject() override;

private:
    CString GetControlText(int nID) const override;
    void SetControlText(int nID, const CString& text) override;
    void EndDialog(int nResult) override { done(nResult); }
    void SetIcon(HICON hIcon, BOOL bBigIcon) override;

    QWidget* CreateControl(const DlgItemTemplate& item);

    CDialog& m_dlg;
    DialogUnits m_units;
    std::map<int, QWidget*> m_controls; // owned by the window as its children
};
