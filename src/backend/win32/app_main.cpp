// The framework's start-up on Windows.
#include "framework/win_app.h"
#include "framework/wnd.h"

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
