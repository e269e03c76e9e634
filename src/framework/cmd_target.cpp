#include "framework/cmd_target.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, entries};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(UINT message, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nMessage != 0; ++e)
            if (e->nMessage == message && e->nCode == nCode && e->nID == nID)
                return e;
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, UINT nCode)
{
    const AFX_MSGMAP_ENTRY* e = FindEntry(WM_COMMAND, nCode, nID);
    if (e == nullptr || e->pfn == nullptr)
        return FALSE;
    (this->*e->pfn)();
    return TRUE;
}

BOOL CCmdTarget::OnWndMsg(UINT message, INT_PTR* pResult)
{
    const AFX_MSGMAP_ENTRY* e = message != WM_COMMAND ? FindEntry(message, 0, 0) : nullptr;
    if (e == nullptr)
        return FALSE;
    if (e->pfnReturnsIcon != nullptr)
        *pResult = reinterpret_cast<INT_PTR>((this->*e->pfnReturnsIcon)());
    else {
        (this->*e->pfn)();
        *pResult = 0;
    }
    return TRUE;
}
