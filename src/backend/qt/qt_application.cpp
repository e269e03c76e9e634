#include "backend/qt/qt_application.h"

#include "res/version.h"

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
