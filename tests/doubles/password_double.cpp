// Stands in for the Windows 95/98 password component. Its answer and a count of its calls live
// in the registry, so that a test in another process can steer and watch it.
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
