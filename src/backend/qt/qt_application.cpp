#include "qt_application.h"

#include "dialog.h"
#include "qt_dialog_window.h"
#include "qt_icons.h"
#include "version.h"
#include "win_app.h"

#include <clocale>

std::unique_ptr<QApplication> CreateQtApplication(int& argc, char** argv)
{
    auto app = std::make_unique<QApplication>(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral(TARVEL_INTERNAL_NAME));
    QApplication::setApplicationVersion(QStringLiteral(TARVEL_VERSION_TEXT));
    QApplication::setDesktopFileName(QStringLiteral("tarvel"));
    return app;
}

int AfxWinMain(int argc, char** argv)
{
    int exitCode = 0;
    {
        const auto qtApp = CreateQtApplication(argc, argv);
        CWinApp* app = AfxGetApp();
        if (app != nullptr && app->InitInstance())
            exitCode = QApplication::exec();
        ReleaseIcons();
    }
    return exitCode;
}

INT_PTR CDialog::DoModal()
{
    const DlgTemplate* dialogTemplate = AfxFindDialogTemplate(GetTemplateID());
    if (dialogTemplate == nullptr || QApplication::instance() == nullptr)
        return -1;
    INT_PTR result;
    {
        CQtDialogWindow window(*this, *dialogTemplate);
        window.CentreOnScreen();
        result = window.exec();
    }
    // The window is gone, and with it the application's reference to it.
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
    return result;
}
