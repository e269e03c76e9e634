// The process entry of a Qt program: straight into the framework's start-up.
#include "framework/win_app.h"

int main(int argc, char** argv)
{
    return AfxWinMain(argc, argv);
}
