// What a back end provides to a dialog while it runs: the texts of its
// controls, looked up by control identifier, its icons and its ending.
// The headless back end keeps texts in memory; windowed ones use widgets.
#pragma once

#include "framework/afx_types.h"
#include "framework/cstring.h"

class IControlHost {
public:
    // The text control `nID` shows; empty for an identifier it does not have.
    virtual CString GetControlText(int nID) const = 0;
    // Makes control `nID` show `text`; ignored for an identifier it does not have.
    virtual void SetControlText(int nID, const CString& text) = 0;
    // Ends the running dialog with `nResult`, as the platform's EndDialog does.
    virtual void EndDialog(int nResult) = 0;
    // Shows `hIcon` as the window's big (title bar, task switcher) or small icon.
    virtual void SetIcon(HICON hIcon, BOOL bBigIcon) = 0;

protected:
    ~IControlHost() = default;
};
