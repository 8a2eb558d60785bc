#include "setup_state.h"

SetupState gSetup;
MessageBoxFunction gSetupMessageBox = MessageBoxA;

int ShowSetupMessage(HWND owner, const std::string& text, UINT flags) {
    return gSetupMessageBox(owner, text.c_str(), kMessageTitle, flags);
}
