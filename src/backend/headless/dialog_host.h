// Runs a dialog without a window: its controls are texts held in memory by
// control identifier, so pull, push and clicks behave as in a real window.
// This back end defines no modal run (CDialog::DoModal) and no start-up
// (AfxWinMain): without a window there is nothing to run modally, and its
// programs (tarvel-cli, the tests) drive dialogs through this class instead.
#pragma once

#include "framework/control_host.h"
#include "framework/dialog.h"

#include <map>
#include <optional>

class CHeadlessDialog final : private IControlHost {
public:
    // Attaches to `dlg` and initialises it as a window would (OnInitDialog);
    // the dialog must outlive this object, which detaches on destruction.
    explicit CHeadlessDialog(CDialog& dlg);
    ~CHeadlessDialog();
    CHeadlessDialog(const CHeadlessDialog&) = delete;
    CHeadlessDialog& operator=(const CHeadlessDialog&) = delete;

    // Replaces the text of control `nID`, as typing or pasting would.
    void Type(int nID, const CString& text) { m_texts[nID] = text; }
    // Clicks button `nID`: a BN_CLICKED routed through the message map.
    // Returns whether a handler took it.
    bool Click(UINT nID) { return m_dlg.OnCmdMsg(nID, BN_CLICKED) != FALSE; }
    // The text control `nID` shows; empty if nothing was ever set.
    const CString& Text(int nID) const;
    // The value EndDialog was given, once the dialog has ended.
    std::optional<int> Result() const { return m_result; }

private:
    CString GetControlText(int nID) const override { return Text(nID); }
    void SetControlText(int nID, const CString& text) override { m_texts[nID] = text; }
    void EndDialog(int nResult) override { m_result = nResult; }
    void SetIcon(HICON, BOOL) override {} // no window shows it

    CDialog& m_dlg;
    std::map<int, CString> m_texts;
    std::optional<int> m_result;
};
