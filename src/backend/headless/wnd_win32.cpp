// CWnd's window-handle members on the headless back end, for a Windows
// program without a window (tarvel-cli.exe): there is no handle, so the
// dialog is never minimised, has no client area and no messages to send.
#include "framework/wnd.h"

BOOL CWnd::IsIconic() const
{
    return FALSE;
}

LRESULT CWnd::SendMessage(UINT, WPARAM, LPARAM)
{
    return 0;
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    *lpRect = RECT{};
}
