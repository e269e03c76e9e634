// CDialog's modal run on Qt.
#include "backend/qt/qt_dialog_window.h"
#include "framework/dialog.h"
#include "framework/win_app.h"

#include <QApplication>

INT_PTR CDialog::DoModal()
{
    const DlgTemplate* dialogTemplate = AfxFindDialogTemplate(GetTemplateID());
    if (dialogTemplate == nullptr || QApplication::instance() == nullptr)
        return -1;
    INT_PTR result;
    {
        CQtDialogWindow window(*this, *dialogTemplate);
        window.CentreOnScreen();
        result = window.Run();
    }
    // The window is gone, and with it the application's reference to it.
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
    return result;
}
