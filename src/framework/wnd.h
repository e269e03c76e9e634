// CWnd: a window that handles commands, seen by the framework only through the
// control host that its back end attaches while the window exists.
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif

#include "framework/cmd_target.h"

class IControlHost;

// Loads icon resource `nIDResource` from the program's resources; null when
// there is none (the headless back end has no icons). Stands for the
// platform's resource lookup and LoadIcon together.
HICON AfxLoadIcon(UINT nIDResource);

class CWnd : public CCmdTarget {
public:
    // Attaches the back end that realises this window; null detaches it.
    // Back ends attach on creation and detach before the window goes away.
    void AttachControlHost(IControlHost* pHost) { m_pControlHost = pHost; }
    IControlHost* GetControlHost() const { return m_pControlHost; }

    // Sets the window's big or small icon (WM_SETICON); nothing without a back end.
    void SetIcon(HICON hIcon, BOOL bBigIcon);

#ifdef _WIN32
    // Where the platform has window handles and a default window procedure.
    HWND m_hWnd = nullptr; // while the window exists
    BOOL IsIconic() const; // minimised
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void GetClientRect(LPRECT lpRect) const;
    // Leaves the message being handled to the platform's default handling.
    void Default()
    {
        m_bDefaultRequested = TRUE;
    }
    // Set by Default; the back end reads and clears it after each message.
    BOOL m_bDefaultRequested = FALSE;
#endif

private:
    IControlHost* m_pControlHost = nullptr;
};
