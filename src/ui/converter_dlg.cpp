// The converter dialog's window side: construction, bindings, routing, icon.
#include "core/converter_dlg.h"

CConverterDlg::CConverterDlg(CWnd* pParent) : CDialog(CConverterDlg::IDD, pParent)
{
    m_hexText = "";
    m_valueText = "";
    m_resultText = "";
    m_icon = AfxLoadIcon(IDR_APP_ICON);
}

void CConverterDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_HEX_TEXT, m_hexText);
    DDX_Text(pDX, IDC_VALUE_TEXT, m_valueText);
    DDX_Text(pDX, IDC_RESULT_TEXT, m_resultText);
}

BOOL CConverterDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_icon, TRUE);
    SetIcon(m_icon, FALSE);
    return TRUE;
}

// clang-format off
BEGIN_MESSAGE_MAP(CConverterDlg, CDialog)
#ifdef _WIN32
    // Only this platform paints minimised windows through the application;
    // elsewhere the window system draws the icon itself.
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
#endif
    ON_BN_CLICKED(IDC_TO_FLOAT, OnToFloat)
    ON_BN_CLICKED(IDC_TO_DOUBLE, OnToDouble)
    ON_BN_CLICKED(IDC_KPA_TO_PSI, OnKpaToPsi)
    ON_BN_CLICKED(IDC_KPA_TO_METRES, OnKpaToMetres)
END_MESSAGE_MAP()
// clang-format on
