#include "scene/mail_check.h"

#include <cstring>

#include "scene/scene_state.h"

namespace {

using MapiLogonFn = ULONG(WINAPI*)(ULONG_PTR parent, LPSTR profile, LPSTR password, ULONG flags, ULONG reserved,
                                   ULONG_PTR* session);
using MapiFindNextFn = ULONG(WINAPI*)(ULONG_PTR session, ULONG_PTR parent, LPSTR messageType, LPSTR seedId,
                                      ULONG flags, ULONG reserved, LPSTR foundId);

constexpr ULONG kUnreadOnly = 0x00000020;  // MAPI_UNREAD_ONLY
// Without the long-identifier flag identifiers are short; leave generous room all the same.
constexpr size_t kMessageIdSize = 512;
// A mail store that never stops answering must not hang the scene.
constexpr int kMostMessagesCounted = 100000;

// A mail client must offer the whole Simple MAPI set for us to trust it.
const char* const kEntryPoints[] = {"MAPILogon",       "MAPILogoff",     "MAPISendMail",  "MAPISendDocuments",
                                    "MAPIFindNext",    "MAPIReadMail",   "MAPISaveMail",  "MAPIDeleteMail",
                                    "MAPIFreeBuffer",  "MAPIAddress",    "MAPIDetails",   "MAPIResolveName"};

}  // namespace

bool StartMailCheck(HWND window) {
    MailLink& mail = gScene.mail;
    mail = MailLink{};
    mail.library = LoadLibraryA("MAPI32.DLL");
    if (!mail.library)
        return false;
    for (const char* name : kEntryPoints) {
        if (!GetProcAddress(mail.library, name)) {
            StopMailCheck();
            return false;
        }
    }
    mail.logon = GetProcAddress(mail.library, "MAPILogon");
    mail.findNext = GetProcAddress(mail.library, "MAPIFindNext");
    auto logon = reinterpret_cast<MapiLogonFn>(mail.logon);
    if (logon(reinterpret_cast<ULONG_PTR>(window), nullptr, nullptr, 0, 0, &mail.session) != 0) {
        StopMailCheck();
        return false;
    }
    return true;
}

int CountUnreadMail(HWND window) {
    auto findNext = reinterpret_cast<MapiFindNextFn>(gScene.mail.findNext);
    if (!findNext)
        return 0;
    char seed[kMessageIdSize] = "";
    char found[kMessageIdSize] = "";
    int count = 0;
    while (count < kMostMessagesCounted &&
           findNext(gScene.mail.session, reinterpret_cast<ULONG_PTR>(window), nullptr, seed, kUnreadOnly, 0,
                    found) == 0) {
        ++count;
        found[kMessageIdSize - 1] = '\0';
        std::memcpy(seed, found, kMessageIdSize);
    }
    return count;
}

void StopMailCheck() {
    MailLink& mail = gScene.mail;
    if (mail.library)
        FreeLibrary(mail.library);
    mail = MailLink{};
}
