// The process entry of a Windows program: straight into the framework's start-up.
#include "framework/win_app.h"

#include <cstdlib>
#include <windows.h>

// The process entry: the module handle, command line and show state are the
// platform's to keep; the framework never reads them.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return AfxWinMain(__argc, __argv);
}
