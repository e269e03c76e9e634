// CDialog and dialog data exchange: the bridge between a dialog's text fields
// and the texts of its controls.
#pragma once

#include "framework/cstring.h"
#include "framework/wnd.h"

class CDialog;

// The direction of one exchange, handed to DoDataExchange.
class CDataExchange {
public:
    CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
    {
    }

    BOOL m_bSaveAndValidate; // TRUE: controls into fields; FALSE: fields into controls
    CDialog* m_pDlgWnd;
};

// Moves one text between control `nIDC` and `value` in the direction of `pDX`.
// With no back end attached the field is left as it is.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
        : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
    {
    }

    // TRUE pulls every bound control's text into its field, FALSE pushes the
    // fields into the controls, in the order DoDataExchange lists them.
    // Always returns TRUE: there is no validation.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Called once the controls exist: pushes the fields into them. Returns
    // TRUE so that the focus goes to the first tab stop.
    virtual BOOL OnInitDialog();

    // The default OK (command IDOK): pull, then end the dialog with IDOK.
    virtual void OnOK();
    // The default Cancel (command IDCANCEL): end with IDCANCEL; nothing is pulled.
    virtual void OnCancel();
    // Ends the modal run with `nResult` through the attached back end.
    void EndDialog(int nResult);

    // Builds the window from the template, runs it modally and returns the
    // value EndDialog was given, or -1 if the window could not be made.
    // Only windowed back ends define it.
    INT_PTR DoModal();

    UINT GetTemplateID() const { return m_nIDTemplate; }

    // Commands the dialog's own map does not handle go on to the application.
    BOOL OnCmdMsg(UINT nID, UINT nCode) override;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);

    DECLARE_MESSAGE_MAP()

private:
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
};
