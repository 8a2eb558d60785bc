// Stands in for a mail client's Simple MAPI library. How many messages are unread and whether the
// logon succeeds live in the registry, so that a test can steer it.
#include <windows.h>

#include <cstdio>

namespace {

const char kKey[] = "Software\\QuellbrandTests\\MapiDouble";

DWORD ReadValue(const char* name) {
    DWORD value = 0, size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

}  // namespace

extern "C" {

__declspec(dllexport) ULONG WINAPI MAPILogon(ULONG_PTR, LPSTR, LPSTR, ULONG, ULONG, ULONG_PTR* session) {
    *session = 0x5E55;
    return ReadValue("LogonResult");
}

// Message ids "1" .. "n" for n unread messages, in order.
__declspec(dllexport) ULONG WINAPI MAPIFindNext(ULONG_PTR, ULONG_PTR, LPSTR, LPSTR seed, ULONG, ULONG, LPSTR found) {
    const int next = (seed && *seed) ? atoi(seed) + 1 : 1;
    if (next > static_cast<int>(ReadValue("Unread")))
        return 26;  // MAPI_E_NO_MESSAGES
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
