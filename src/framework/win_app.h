// CWinApp: the one application object. The back end's start-up code creates
// the platform's application, calls InitInstance, and ends the process when
// InitInstance returns FALSE.
#pragma once

#include "framework/cmd_target.h"

class CWnd;

class CWinApp : public CCmdTarget {
public:
    // Registers this object as the application (there is only ever one).
    // The name is the framework's default whatever is given: nothing here
    // shows an application name (the back ends take it from the version block).
    explicit CWinApp(const char* pszAppName = nullptr);
    ~CWinApp() override;

    // Called once after start-up. TRUE asks for a message loop; FALSE ends
    // the application.
    virtual BOOL InitInstance();

    // The help command, for applications that map ID_HELP to it. No help
    // file ships with the application, so there is nothing to open.
    void OnHelp();

    CWnd* m_pMainWnd = nullptr;
};

// The application object, or null in a program that has none (tarvel-cli).
CWinApp* AfxGetApp();

// The framework's start-up, defined by the windowed back end: initialises the
// platform with the command line (which the application never reads), runs
// InitInstance and, only if it returns TRUE, a message loop. Returns the
// process exit code.
int AfxWinMain(int argc, char** argv);
