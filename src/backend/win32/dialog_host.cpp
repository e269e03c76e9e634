// CDialog on USER32: a modal dialog box from the template in the program's
// resources, every message routed through the dialog's message map.
#include "framework/control_host.h"
#include "framework/dialog.h"
#include "framework/dialog_template.h"
#include "framework/win_app.h"

#include <initguid.h> // defines the property GUIDs oleacc.h declares
#include <iterator>
#include <oleacc.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A screen reader names an edit field by the label before it, and the fields
// here have none: their names and descriptions are annotated on the controls
// from the template's accessible texts, and taken off again with the window.
// Where COM's accessibility services are missing the fields stay unnamed.
class AccessibleTexts {
public:
    AccessibleTexts(HWND hwnd, UINT nIDTemplate)
    {
        const DlgTemplate* dialogTemplate = AfxFindDialogTemplate(nIDTemplate);
        if (dialogTemplate == nullptr ||
            FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IAccPropServices, reinterpret_cast<void**>(&m_services))))
            return;
        for (const DlgAccessibleText& text : dialogTemplate->accessibleTexts) {
            const HWND control = GetDlgItem(hwnd, text.id);
            if (control == nullptr)
                continue;
            Set(control, PROPID_ACC_NAME, text.name);
            Set(control, PROPID_ACC_DESCRIPTION, text.description);
            m_controls.push_back(control);
        }
    }
    AccessibleTexts(const AccessibleTexts&) = delete;
    AccessibleTexts& operator=(const AccessibleTexts&) = delete;
    ~AccessibleTexts()
    {
        if (m_services == nullptr)
            return;
        const MSAAPROPID props[] = {PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
        for (const HWND control : m_controls)
            m_services->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                       props, static_cast<int>(std::size(props)));
        m_services->Release();
    }

private:
    void Set(HWND control, const MSAAPROPID& prop, const char* utf8)
    {
        const int size = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
        if (size <= 0)
            return;
        std::wstring text(static_cast<std::size_t>(size), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), size);
        m_services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, prop,
                                   text.c_str());
    }

    IAccPropServices* m_services = nullptr;
    std::vector<HWND> m_controls;
};

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
    std::optional<CWin32DialogHost> host;      // from WM_INITDIALOG to the end of the run
    std::optional<AccessibleTexts> accessible; // from WM_INITDIALOG to WM_DESTROY
};

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* run = reinterpret_cast<ModalRun*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(run));
        run->host.emplace(hwnd);
        run->accessible.emplace(hwnd, run->dlg->GetTemplateID());
        run->dlg->m_hWnd = hwnd;
        run->dlg->AttachControlHost(&*run->host);
        CentreOnWorkArea(hwnd);
        return run->dlg->OnInitDialog();
    }
    auto* run = reinterpret_cast<ModalRun*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (run == nullptr)
        return FALSE;
    CDialog* const dlg = run->dlg;
    if (message == WM_DESTROY) // while the controls still exist
        run->accessible.reset();
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

// COM for the run's thread, which the accessibility services are part of.
struct ComApartment {
    HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ComApartment() = default;
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (SUCCEEDED(initialised))
            CoUninitialize();
    }
};

} // namespace

INT_PTR CDialog::DoModal()
{
    const ComApartment com;
    ModalRun run{this, std::nullopt, std::nullopt};
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
