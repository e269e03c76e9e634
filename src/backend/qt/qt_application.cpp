#include "qt_application.h"

#include "dialog.h"
#include "qt_dialog_window.h"
#include "qt_icons.h"
#include "version.h"
#include "win_app.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// QApplication keeps references to its argc and argv for its whole life.
int g_argc = 1;
char* g_argv[2] = {nullptr, nullptr};

// Only reached while the QApplication is being made: Qt's platform plugin
// found no display and is about to abort.
void NoDisplay(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type != QtFatalMsg)
        return; // the plugin's own explanations; the one line below says it all
    std::fputs("tarvel: cannot open a window: this needs a graphical session (X11 or "
               "Wayland); tarvel-cli does the same conversions without one\n",
               stderr);
    std::_Exit(1);
}

} // namespace

std::unique_ptr<QApplication> CreateQtApplication(const char* programName)
{
    static std::string name;
    name = programName != nullptr ? programName : "tarvel";
    g_argv[0] = name.data();
    const QtMessageHandler previous = qInstallMessageHandler(NoDisplay);
    auto app = std::make_unique<QApplication>(g_argc, g_argv);
    qInstallMessageHandler(previous);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral(TARVEL_INTERNAL_NAME));
    QApplication::setApplicationVersion(QStringLiteral(TARVEL_VERSION_TEXT));
    QApplication::setDesktopFileName(QStringLiteral("tarvel"));
    return app;
}

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

INT_PTR CDialog::DoModal()
{
    const DlgTemplate* dialogTemplate = AfxFindDialogTemplate(GetTemplateID());
    if (dialogTemplate == nullptr || QApplication::instance() == nullptr)
        return -1;
    INT_PTR result;
    {
        CQtDialogWindow window(*this, *dialogTemplate);
        window.CentreOnScreen();
        result = window.Run();
    }
    // The window is gone, and with it the application's reference to it.
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
    return result;
}
