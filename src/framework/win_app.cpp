#include "framework/win_app.h"

namespace {
CWinApp* g_app = nullptr; // constant-initialised, so safe during static construction
}

CWinApp* AfxGetApp()
{
    return g_app;
}

CWinApp::CWinApp(const char*)
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

void CWinApp::OnHelp() {}
