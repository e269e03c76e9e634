// Icons on the headless back end.
#include "framework/wnd.h"

// Without a window there is nothing to show an icon in.
HICON AfxLoadIcon(UINT)
{
    return nullptr;
}
