// The converter dialog's painting of its minimised window (Windows only).
#include "core/converter_dlg.h"
#include "framework/paint_dc.h"

void CConverterDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    // Integer division rounds toward zero, as the layout has always done.
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_icon);
}

HCURSOR CConverterDlg::OnQueryDragIcon()
{
    return m_icon;
}
