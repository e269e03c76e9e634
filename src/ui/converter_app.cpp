#include "ui/converter_app.h"

#include "core/converter_dlg.h"

BOOL CConverterApp::InitInstance()
{
    // Hosting embedded controls and three-dimensional control drawing need no
    // switching on here: the toolkit draws every control itself.
    CConverterDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    return FALSE;
}

// clang-format off
BEGIN_MESSAGE_MAP(CConverterApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()
// clang-format on

CConverterApp theApp;
