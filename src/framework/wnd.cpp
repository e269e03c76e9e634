#include "wnd.h"

#include "control_host.h"

void CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    if (IControlHost* host = GetControlHost())
        host->SetIcon(hIcon, bBigIcon);
}
