// Stands in for a mail client's Simple MAPI library. How many messages are unread and whether the
// logon succeeds live in the registry, so that a test can steer it: "Unread" messages are there from
// the start and "Arriving" more come in once the first count is done. Every load of the library
// adds one to "Loads" there, so that a test can tell whether a program loaded it at all.
#include <windows.h>

#include <cstdio>

namespace {

const char kKey[] = "Software\\QuellbrandTests\\MapiDouble";

DWORD ReadValue(const char* name) {
    DWORD value = 0, size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

void CountLoad() {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    DWORD loads = 0, size = sizeof loads;
    RegGetValueA(key, nullptr, "Loads", RRF_RT_REG_DWORD, nullptr, &loads, &size);
    ++loads;
    RegSetValueExA(key, "Loads", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&loads), sizeof loads);
    RegCloseKey(key);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        CountLoad();
    return TRUE;
}

__declspec(dllexport) ULONG WINAPI MAPILogon(ULONG_PTR, LPSTR, LPSTR, ULONG, ULONG, ULONG_PTR* session) {
    *session = 0x5E55;
    return ReadValue("LogonResult");
}

// Message ids "1" .. "n" for n unread messages, in order.
__declspec(dllexport) ULONG WINAPI MAPIFindNext(ULONG_PTR, ULONG_PTR, LPSTR, LPSTR seed, ULONG, ULONG, LPSTR found) {
    static int countsDone = 0;
    const int unread = static_cast<int>(ReadValue("Unread") + (countsDone > 0 ? ReadValue("Arriving") : 0));
    const int next = (seed && *seed) ? atoi(seed) + 1 : 1;
    if (next > unread) {
        ++countsDone;
        return 26;  // MAPI_E_NO_MESSAGES
    }
    std::snprintf(found, 64, "%d", next);
    return 0;
}

__declspec(dllexport) ULONG WINAPI MAPILogoff(ULONG_PTR, ULONG_PTR, ULONG, ULONG) { return 0; }
__declspec(dllexport) ULONG WINAPI MAPISendMail(ULONG_PTR, ULONG_PTR, void*, ULONG, ULONG) { return 0; }
__declspec(dllexport) ULONG WINAPI MAPISendDocuments(ULONG_PTR, LPSTR, LPSTR, LPSTR, ULONG) { return 0; }
__declspec(dllexport) ULONG WINAPI MAPIReadMail(ULONG_PTR, ULONG_PTR, LPSTR, ULONG, ULONG, void**) { return 0; }
__declspec(dllexport) ULONG WINAPI MAPISaveMail(ULONG_PTR, ULONG_PTR, void*, ULONG, ULONG, LPSTR) { return 0; }
__declspec(dllexport) ULONG WINAPI MAPIDeleteMail(ULONG_PTR, ULONG_PTR, LPSTR, ULONG, ULONG) { return 0; }
__declspec(dllexport) ULONG WINAPI MAPIFreeBuffer(void*) { return 0; }
__declspec(dllexport) ULONG WINAPI MAPIAddress(ULONG_PTR, ULONG_PTR, LPSTR, ULONG, LPSTR, ULONG, void*, ULONG, ULONG,
                                                ULONG*, void**) {
    return 0;
}
__declspec(dllexport) ULONG WINAPI MAPIDetails(ULONG_PTR, ULONG_PTR, void*, ULONG, ULONG) { return 0; }
__declspec(dllexport) ULONG WINAPI MAPIResolveName(ULONG_PTR, ULONG_PTR, LPSTR, ULONG, ULONG, void**) { return 0; }

}  // extern "C"
