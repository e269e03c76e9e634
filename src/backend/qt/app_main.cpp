// The framework's start-up on Qt.
#include "backend/qt/icons.h"
#include "backend/qt/qt_application.h"
#include "framework/win_app.h"

int AfxWinMain(int argc, char** argv)
{
    // The command line reaches the framework and goes no further.
    int exitCode = 0;
    {
        const auto qtApp = CreateQtApplication(argc > 0 ? argv[0] : nullptr);
        CWinApp* app = AfxGetApp();
        if (app != nullptr && app->InitInstance())
            exitCode = QApplication::exec();
        ReleaseIcons();
    }
    return exitCode;
}
