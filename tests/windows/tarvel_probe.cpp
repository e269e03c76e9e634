// Reads Tarvel's window from outside, as a test's eyes on Windows (and Wine):
//
//   tarvel_probe text ID     the text of control ID (WM_GETTEXT), on one line
//   tarvel_probe focus       the identifier of the control with the focus
//   tarvel_probe centre ID   the screen position of control ID's centre: "x y"
//   tarvel_probe client      the dialog's client size in pixels: "w h"
//
// Exit status 1 when there is no "Tarvel" window or no such control.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    const HWND dialog = FindWindowA(nullptr, "Tarvel");
    if (dialog == nullptr || argc < 2)
        return 1;
    const std::string command = argv[1];
    if (command == "focus") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) ||
            info.hwndFocus == nullptr)
            return 1;
        std::printf("%d\n", GetDlgCtrlID(info.hwndFocus));
        return 0;
    }
    if (command == "client") {
        RECT rect;
        GetClientRect(dialog, &rect);
        std::printf("%ld %ld\n", rect.right, rect.bottom);
        return 0;
    }
    if (argc < 3)
        return 1;
    const HWND control = GetDlgItem(dialog, std::atoi(argv[2]));
    if (control == nullptr)
        return 1;
    if (command == "text") {
        const LRESULT length = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        const LRESULT got =
            SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        std::fwrite(text.data(), 1, static_cast<std::size_t>(got), stdout);
        std::fputc('\n', stdout);
        return 0;
    }
    if (command == "centre") {
        RECT rect;
        GetWindowRect(control, &rect);
        std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        return 0;
    }
    return 1;
}
