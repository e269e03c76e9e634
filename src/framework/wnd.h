// CWnd: a window that handles commands, seen by the framework only through the
// control host that its back end attaches while the window exists.
#pragma once

#include "cmd_target.h"

class IControlHost;

class CWnd : public CCmdTarget {
public:
    // Attaches the back end that realises this window; null detaches it.
    // Back ends attach on creation and detach before the window goes away.
    void AttachControlHost(IControlHost* pHost) { m_pControlHost = pHost; }
    IControlHost* GetControlHost() const { return m_pControlHost; }

private:
    IControlHost* m_pControlHost = nullptr;
};
