#include "framework/wnd.h"

#include "framework/control_host.h"

void CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    if (IControlHost* host = GetControlHost())
        host->SetIcon(hIcon, bBigIcon);
}
