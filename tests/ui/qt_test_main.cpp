// Dialog tests run headless on Qt's offscreen platform, in a decimal-comma
// locale, with the application object set up exactly as the program sets it up.
#include "backend/qt/qt_application.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    testing::InitGoogleTest(&argc, argv);
    const auto app = CreateQtApplication(argv[0]);
    return RUN_ALL_TESTS();
}
