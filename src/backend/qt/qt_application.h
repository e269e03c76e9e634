// The Qt application object as every Tarvel window runs on it.
#pragma once

#include <QApplication>
#include <memory>

// Creates the QApplication (Qt reads its own options from the command line)
// with the program's name and version, and puts the C library's number
// formatting back to the C locale, which Qt had set from the environment, so
// no code can ever read or write a decimal comma.
std::unique_ptr<QApplication> CreateQtApplication(int& argc, char** argv);
