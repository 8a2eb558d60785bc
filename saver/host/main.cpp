// Program entry: the frame reads the process command line itself.
#include "host/frame.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    ExitProcess(static_cast<UINT>(SaverMain(instance, GetCommandLineA())));
}
