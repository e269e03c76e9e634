// CWnd's members that wrap window handles.
#include "wnd.h"

BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    ::GetClientRect(m_hWnd, lpRect);
}

// Icons come from the program's own resources.
HICON AfxLoadIcon(UINT nIDResource)
{
    return ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nIDResource));
}
