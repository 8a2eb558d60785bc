// Program entry of the installer; the command line is not read.
#include "setup_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showCommand) {
    return SetupMain(instance, previous, showCommand);
}
