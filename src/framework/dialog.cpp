#include "framework/dialog.h"

#include "framework/control_host.h"
#include "framework/win_app.h"

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    IControlHost* host = pDX->m_pDlgWnd->GetControlHost();
    if (host == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        value = host->GetControlText(nIDC);
    else
        host->SetControlText(nIDC, value);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int nResult)
{
    if (IControlHost* host = GetControlHost())
        host->EndDialog(nResult);
}

BOOL CDialog::OnCmdMsg(UINT nID, UINT nCode)
{
    if (CWnd::OnCmdMsg(nID, nCode))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->OnCmdMsg(nID, nCode) : FALSE;
}

// clang-format off
BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()
// clang-format on
