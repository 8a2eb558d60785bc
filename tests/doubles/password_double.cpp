// Stands in for the Windows 95/98 password component. Its answer, a count of its calls and what it
// saw when it was unloaded live in the registry, so that a test in another process can steer and
// watch it.
#include <windows.h>

namespace {

const char kKey[] = "Software\\QuellbrandTests\\PasswordDouble";

DWORD ReadValue(HKEY key, const char* name) {
    DWORD value = 0, size = sizeof value;
    RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    return value;
}

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return FALSE;
    const DWORD calls = ReadValue(key, "Calls") + 1;
    RegSetValueExA(key, "Calls", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&calls), sizeof calls);
    const DWORD answer = ReadValue(key, "Answer");
    RegCloseKey(key);
    return answer != 0;
}

// When the saver's process ends with the component still loaded (after a fault, say), records
// whether Windows 95/98 would still believe that a password-guarded saver runs.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_DETACH)
        return TRUE;
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        const DWORD value = running ? 1 : 0;
        RegSetValueExA(key, "RunningAtUnload", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
        RegCloseKey(key);
    }
    return TRUE;
}
