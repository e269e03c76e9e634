#include "dialog.h"

#include "control_host.h"

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

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult)
{
    if (IControlHost* host = GetControlHost())
        host->EndDialog(nResult);
}
