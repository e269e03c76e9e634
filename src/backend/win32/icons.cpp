// Icons on Windows.
#include "framework/wnd.h"

// Icons come from the program's own resources.
HICON AfxLoadIcon(UINT nIDResource)
{
    return ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nIDResource));
}
