// The Qt application object as every Tarvel window runs on it.
#pragma once

#include <QApplication>
#include <memory>

// Creates the QApplication with the program's name and version, and puts the
// C library's number formatting back to the C locale, which Qt had set from
// the environment, so no code can ever read or write a decimal comma.
// Qt sees only `programName`, never the user's arguments: options such as
// -platform, -display or -reverse would otherwise change the window.
// When no window can be opened at all (no display), prints one line saying so
// and ends the process with status 1 instead of Qt's abort.
std::unique_ptr<QApplication> CreateQtApplication(const char* programName);
