#include "backend/headless/dialog_host.h"

CHeadlessDialog::CHeadlessDialog(CDialog& dlg) : m_dlg(dlg)
{
    m_dlg.AttachControlHost(this);
    m_dlg.OnInitDialog();
}

CHeadlessDialog::~CHeadlessDialog()
{
    m_dlg.AttachControlHost(nullptr);
}

const CString& CHeadlessDialog::Text(int nID) const
{
    static const CString empty;
    const auto it = m_texts.find(nID);
    return it == m_texts.end() ? empty : it->second;
}
