// CConverterApp: the application object. It runs the converter dialog once,
// modally, and lets the program end with it.
#pragma once

#include "framework/win_app.h"

class CConverterApp : public CWinApp {
public:
    CConverterApp() : CWinApp(nullptr) {}

    // Runs the converter dialog as the main window; returns FALSE, so the
    // program ends when the dialog closes, however it was closed.
    BOOL InitInstance() override;

protected:
    DECLARE_MESSAGE_MAP()
};
