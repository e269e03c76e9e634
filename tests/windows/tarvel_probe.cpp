// Reads Tarvel's window from outside, as a test's eyes on Windows (and Wine):
//
//   tarvel_probe text ID     the text of control ID (WM_GETTEXT), on one line
//   tarvel_probe focus       the identifier of the control with the focus
//   tarvel_probe centre ID   the screen position of control ID's centre: "x y"
//   tarvel_probe client      the dialog's client size in pixels: "w h"
//   tarvel_probe first ID    the index of the first character edit ID shows
//   tarvel_probe paste ID    replaces edit ID's text with standard input,
//                            read as UTF-8, as a Unicode paste would
//   tarvel_probe wide ID     the text of control ID as UTF-8, whatever the
//                            code page, on one line
//
// Exit status 1 when there is no "Tarvel" window or no such control.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
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
    if (command == "first") {
        std::printf("%ld\n",
                    static_cast<long>(SendMessageA(control, EM_GETFIRSTVISIBLELINE, 0, 0)));
        return 0;
    }
    if (command == "paste") {
        const std::string utf8{std::istreambuf_iterator<char>(std::cin), {}};
        std::wstring text(utf8.size() + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(),
                                static_cast<int>(text.size()))));
        SendMessageW(control, EM_SETSEL, 0, -1);
        SendMessageW(control, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
        return 0;
    }
    if (command == "wide") {
        const LRESULT length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const LRESULT got =
            SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        std::string utf8(static_cast<std::size_t>(got) * 3, '\0');
        utf8.resize(static_cast<std::size_t>(
            WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(got), utf8.data(),
                                static_cast<int>(utf8.size()), nullptr, nullptr)));
        std::fwrite(utf8.data(), 1, utf8.size(), stdout);
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
