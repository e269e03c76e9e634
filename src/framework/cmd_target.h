// Command routing through static message maps: each class that handles
// commands declares a table of (message, notification, control, handler)
// entries, chained to its base class's table. OnCmdMsg is the one dispatch.
#pragma once

#include "framework/afx_types.h"

class CCmdTarget;
typedef void (CCmdTarget::*AFX_PMSG)();

typedef HCURSOR (CCmdTarget::*AFX_PMSG_HCURSOR)();

// One entry holds a handler of one of the two kinds the system needs; the
// other is null. A zero message ends the table.
struct AFX_MSGMAP_ENTRY {
    UINT nMessage;                   // WM_COMMAND for control notifications and commands
    UINT nCode;                      // notification code, BN_CLICKED for a button click
    UINT nID;                        // control or command identifier
    AFX_PMSG pfn;                    // void Handler()
    AFX_PMSG_HCURSOR pfnReturnsIcon; // HCURSOR Handler()
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)(); // null for the root of the chain
    const AFX_MSGMAP_ENTRY* lpEntries;
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Routes command `nID` with notification `nCode` to the first handler for
    // it in this object's message map chain, most derived class first.
    // Returns TRUE if a handler ran; FALSE leaves the command unhandled.
    virtual BOOL OnCmdMsg(UINT nID, UINT nCode);

    // Routes window message `message` (not WM_COMMAND) to its handler in the
    // map chain; a handler's return value goes to `*pResult`. Returns TRUE if
    // a handler ran.
    BOOL OnWndMsg(UINT message, INT_PTR* pResult);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

private:
    // The first entry for `message`, `nCode` and `nID`, or null.
    const AFX_MSGMAP_ENTRY* FindEntry(UINT message, UINT nCode, UINT nID) const;
};

// clang-format off
#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }              \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                \
    {                                                                                              \
        typedef theClass ThisClass;                                                                \
        typedef baseClass TheBaseClass;                                                            \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                          \
            {0, 0, 0, nullptr, nullptr}};                                                          \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, entries};          \
        return &messageMap;                                                                        \
    }

#define ON_COMMAND(id, memberFxn)                                                                  \
    {WM_COMMAND, 0, (id), static_cast<AFX_PMSG>(&ThisClass::memberFxn), nullptr},

#define ON_BN_CLICKED(id, memberFxn)                                                               \
    {WM_COMMAND, BN_CLICKED, (id), static_cast<AFX_PMSG>(&ThisClass::memberFxn), nullptr},

#define ON_WM_PAINT()                                                                              \
    {WM_PAINT, 0, 0, static_cast<AFX_PMSG>(&ThisClass::OnPaint), nullptr},

#define ON_WM_QUERYDRAGICON()                                                                      \
    {WM_QUERYDRAGICON, 0, 0, nullptr, static_cast<AFX_PMSG_HCURSOR>(&ThisClass::OnQueryDragIcon)},
// clang-format on
