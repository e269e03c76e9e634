// The framework's start-up on Windows.
#include "win_app.h"
#include "wnd.h"

#include <cstdlib>

int AfxWinMain(int, char**)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr || !app->InitInstance())
        return 0; // no message loop: the application ends here
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

// The process entry: the module handle, command line and show state are the
// platform's to keep; the framework never reads them.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return AfxWinMain(__argc, __argv);
}
