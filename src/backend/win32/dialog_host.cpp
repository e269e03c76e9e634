// CDialog on USER32: a modal dialog box from the template in the program's
// resources, every message routed through the dialog's message map.
#include "framework/control_host.h"
#include "framework/dialog.h"
#include "framework/win_app.h"

#include <optional>
#include <string>
#include <string_view>

namespace {

class CWin32DialogHost final : public IControlHost {
public:
    explicit CWin32DialogHost(HWND hwnd) : m_hwnd(hwnd) {}

    CString GetControlText(int nID) const override
    {
        const HWND item = GetDlgItem(m_hwnd, nID);
        if (item == nullptr)
            return CString();
        std::string text(static_cast<std::size_t>(GetWindowTextLengthA(item)) + 1, '\0');
        text.resize(static_cast<std::size_t>(
            GetWindowTextA(item, text.data(), static_cast<int>(text.size()))));
        return CString(text);
    }
    void SetControlText(int nID, const CString& text) override
    {
        // Only a text that differs is set, so a field the command did not
        // compute keeps its scroll position, its undo and any character the
        // ANSI code page cannot hold. What the control shows up to its first
        // zero byte is what is compared.
        if (std::string_view(GetControlText(nID)) != std::string_view(text))
            SetDlgItemTextA(m_hwnd, nID, text);
    }
    void EndDialog(int nResult) override { ::EndDialog(m_hwnd, nResult); }
    void SetIcon(HICON hIcon, BOOL bBigIcon) override
    {
        SendMessageA(m_hwnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL,
                     reinterpret_cast<LPARAM>(hIcon));
    }

private:
    HWND m_hwnd;
};

// The framework's automatic centring: the middle of the work area.
void CentreOnWorkArea(HWND hwnd)
{
    RECT window;
    RECT area;
    GetWindowRect(hwnd, &window);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const int x = area.left + ((area.right - area.left) - (window.right - window.left)) / 2;
    const int y = area.top + ((area.bottom - area.top) - (window.bottom - window.top)) / 2;
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

struct ModalRun {
    CDialog* dlg;
    std::optional<CWin32DialogHost> host; // from WM_INITDIALOG to the end of the run
};

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* run = reinterpret_cast<ModalRun*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(run->dlg));
        run->host.emplace(hwnd);
        run->dlg->m_hWnd = hwnd;
        run->dlg->AttachControlHost(&*run->host);
        CentreOnWorkArea(hwnd);
        return run->dlg->OnInitDialog();
    }
    auto* dlg = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (dlg == nullptr)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        return dlg->OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
    case WM_HELP: // F1
        dlg->OnCmdMsg(ID_HELP, 0);
        return TRUE;
    default: {
        INT_PTR result = 0;
        dlg->m_bDefaultRequested = FALSE;
        if (!dlg->OnWndMsg(message, &result) || dlg->m_bDefaultRequested)
            return FALSE; // the dialog manager's default handling
        // The few messages whose result a dialog procedure returns directly.
        return message == WM_QUERYDRAGICON ? result : TRUE;
    }
    }
}

} // namespace

INT_PTR CDialog::DoModal()
{
    ModalRun run{this, std::nullopt};
    const HWND parent = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    const INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(GetTemplateID()), parent,
                        DialogProc, reinterpret_cast<LPARAM>(&run));
    AttachControlHost(nullptr);
    m_hWnd = nullptr;
    // The window is gone, and with it the application's reference to it.
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
    return result;
}
