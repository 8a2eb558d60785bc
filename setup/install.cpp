#include "install.h"

#include <lzexpand.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "setup_state.h"

namespace {

// GetSystemDirectoryA is given the buffer size that installers of this kind have always used.
constexpr UINT kSystemDirectoryBuffer = 144;

void RestoreCursor() {
    SetCursor(gSetup.savedCursor);
}

int Report(HWND owner, const std::string& text) {
    ShowSetupMessage(owner, text, MB_ICONWARNING);
    return 0;
}

// LZOpenFileA wants a writable name.
std::vector<char> MutableName(const std::string& path) {
    std::vector<char> name(path.begin(), path.end());
    name.push_back('\0');
    return name;
}

// How many bytes a complete copy of the source must give: the expanded length written in the
// header of an LZ file, or the file's size. LZCopy reports a damaged or cut-off LZ file as a
// short copy, not as an error, so the setup checks the length itself.
bool ExpectedCopyLength(const std::string& source, LONG* length) {
    HANDLE file = CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    static const unsigned char kMagic[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
    unsigned char header[14] = {};
    DWORD read = 0;
    LARGE_INTEGER size{};
    bool known = ReadFile(file, header, sizeof header, &read, nullptr) && GetFileSizeEx(file, &size);
    CloseHandle(file);
    if (!known)
        return false;
    if (read == sizeof header && std::memcmp(header, kMagic, sizeof kMagic) == 0)
        size.QuadPart = header[10] | header[11] << 8 | header[12] << 16 | static_cast<LONGLONG>(header[13]) << 24;
    if (size.QuadPart > 0x7FFFFFFF)
        return false;
    *length = static_cast<LONG>(size.QuadPart);
    return true;
}

// The name the copy is written under before it replaces the installed saver: the target's
// name with the extension "TMP", in the same folder, so that the final move is a rename.
std::string TemporaryNameFor(const std::string& target) {
    const size_t folderEnd = target.find_last_of('\\') + 1;
    const size_t dot = target.find_last_of('.');
    const size_t stemEnd = dot != std::string::npos && dot >= folderEnd ? dot : target.size();
    return target.substr(0, stemEnd) + ".TMP";
}

std::string FullPath(const std::string& path) {
    std::vector<char> full(MAX_PATH);
    DWORD length = GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length + 1);
        length = GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    return length > 0 && length < full.size() ? std::string(full.data(), length) : path;
}

// When a file cannot be created, the LZ library quietly creates the one whose last letter is "_"
// instead; OFSTRUCT names the file it really opened.
bool OpenedAsNamed(const OFSTRUCT& info, const std::string& wanted) {
    return lstrcmpiA(info.szPathName, FullPath(wanted).c_str()) == 0;
}

// A screen saver is a Windows program: a DOS header "MZ" whose e_lfanew leads to "PE\0\0". A copy
// that is empty, still compressed or anything else would be started by Windows and fail.
bool IsWindowsProgram(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    unsigned char dosHeader[64] = {};
    unsigned char signature[4] = {};
    DWORD read = 0;
    bool program = ReadFile(file, dosHeader, sizeof dosHeader, &read, nullptr) && read == sizeof dosHeader &&
                   dosHeader[0] == 'M' && dosHeader[1] == 'Z';
    if (program) {
        const LONG peOffset = static_cast<LONG>(dosHeader[60] | dosHeader[61] << 8 | dosHeader[62] << 16 |
                                                static_cast<DWORD>(dosHeader[63]) << 24);
        program = peOffset >= static_cast<LONG>(sizeof dosHeader) &&
                  SetFilePointer(file, peOffset, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
                  ReadFile(file, signature, sizeof signature, &read, nullptr) && read == sizeof signature &&
                  std::memcmp(signature, "PE\0\0", 4) == 0;
    }
    CloseHandle(file);
    return program;
}

}  // namespace

const char* CopyErrorText(long result) {
    switch (result) {
    case LZERROR_BADINHANDLE:
    case LZERROR_READ:
    case LZERROR_UNKNOWNALG:
        return kDiskDamaged;
    case LZERROR_BADOUTHANDLE:
    case LZERROR_GLOBALLOC:
    case LZERROR_GLOBLOCK:
    case LZERROR_BADVALUE:
        return kOutOfMemory;
    case LZERROR_WRITE:
        return kDiskFull;
    default:
        return kUnknownCopyError;
    }
}

std::string FormatPathMessage(const char* pattern, const std::string& path) {
    const int length = std::snprintf(nullptr, 0, pattern, path.c_str());
    if (length <= 0)
        return pattern;
    std::vector<char> text(static_cast<size_t>(length) + 1);
    std::snprintf(text.data(), text.size(), pattern, path.c_str());
    return std::string(text.data(), static_cast<size_t>(length));
}

std::string ModuleDirectory(HMODULE module) {
    std::vector<char> name(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(module, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return std::string();
        if (length < name.size() - 1 || name.size() >= 32768) {
            std::string path(name.data(), length);
            return path.substr(0, path.find_last_of('\\') + 1);
        }
        name.resize(name.size() * 2);
    }
}

bool ReadSystemDirectory(std::string& directory) {
    char buffer[kSystemDirectoryBuffer];
    const UINT length = GetSystemDirectoryA(buffer, sizeof buffer);
    // A result as large as the buffer is the size that would have been needed, not a path.
    if (length == 0 || length >= sizeof buffer)
        return false;
    directory.assign(buffer, length);
    return true;
}

int DelaySecondsFromMinutes(UINT minutes, bool* corrected) {
    // Counted in 64 bits: a count whose seconds do not fit a signed 32-bit delay is as bad an input
    // as none, and must not wrap round to some small delay.
    const long long seconds = static_cast<long long>(minutes) * 60;
    *corrected = seconds < 60 || seconds > 0x7FFFFFFF;
    return *corrected ? 60 : static_cast<int>(seconds);
}

int CopySaverFile(HWND owner, const std::string& source, const std::string& target) {
    OFSTRUCT sourceInfo{};
    std::vector<char> sourceName = MutableName(source);
    const INT in = LZOpenFileA(sourceName.data(), &sourceInfo, OF_READ);
    // -1 is a file that is not there; a damaged LZ header gives one of the other LZ errors.
    if (in == HFILE_ERROR) {
        RestoreCursor();
        return Report(owner, FormatPathMessage(kSourceMissing, source));
    }
    if (in < 0) {
        RestoreCursor();
        return Report(owner, CopyErrorText(in));
    }
    // Without the named file the LZ library has opened the one whose last letter is "_".
    LONG expected = 0;
    const bool lengthKnown = ExpectedCopyLength(source, &expected) ||
                             ExpectedCopyLength(source.substr(0, source.size() - 1) + "_", &expected);

    // The installed saver is replaced only by a complete, sound copy: until then SYSTEM.INI and
    // the uninstall entry name a working file, and a failed re-install leaves it as it was.
    const std::string temporary = TemporaryNameFor(target);
    OFSTRUCT targetInfo{};
    std::vector<char> temporaryName = MutableName(temporary);
    const INT out = LZOpenFileA(temporaryName.data(), &targetInfo, OF_CREATE);
    if (out < 0) {
        LZClose(in);
        RestoreCursor();
        return Report(owner, FormatPathMessage(kCannotCopy, target));
    }
    if (!OpenedAsNamed(targetInfo, temporary)) {
        LZClose(in);
        LZClose(out);
        // Only the file the library put in place of ours is removed, never whatever the
        // structure might name when a path does not fit it.
        const std::string stray = temporary.substr(0, temporary.size() - 1) + "_";
        if (OpenedAsNamed(targetInfo, stray))
            DeleteFileA(stray.c_str());
        RestoreCursor();
        return Report(owner, FormatPathMessage(kCannotCopy, target));
    }

    LONG result = LZCopy(in, out);
    if (result >= 0 && lengthKnown && result != expected)
        result = LZERROR_READ;
    LZClose(in);
    LZClose(out);
    if (result >= 0 && !IsWindowsProgram(temporary))
        result = LZERROR_READ;
    RestoreCursor();
    if (result < 0) {
        DeleteFileA(temporary.c_str());
        return Report(owner, CopyErrorText(result));
    }
    // A saver that is read-only, locked by a running copy or otherwise not replaceable stays;
    // the user is told instead of being shown a success that did not happen.
    if (!MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temporary.c_str());
        return Report(owner, FormatPathMessage(kCannotCopy, target));
    }
    return 1;
}

int CopySaver(HWND dialog) {
    gSetup.savedCursor = SetCursor(gSetup.waitCursor);
    gSetup.installStarted = 1;
    std::string system;
    if (!ReadSystemDirectory(system)) {
        RestoreCursor();
        return Report(dialog, kNoWindowsDirectory);
    }
    return CopySaverFile(dialog, gSetup.setupDirectory + kSaverFileName, system + "\\" + kSaverFileName);
}

int ActivateSaver(HWND dialog) {
    std::string system;
    if (!ReadSystemDirectory(system))
        return Report(dialog, kNoWindowsDirectory);
    gSetup.savedCursor = SetCursor(gSetup.waitCursor);

    std::string path = system + "\\" + kSaverFileName;
    gSetup.installedFileName = kSaverFileName;
    // Windows 95/98 and the uninstall script want the name that the file system keeps in 8.3 form.
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        if (found.cAlternateFileName[0] != '\0') {
            gSetup.installedFileName = found.cAlternateFileName;
            path = system + "\\" + gSetup.installedFileName;
        }
    }

    WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", path.c_str(), "SYSTEM.INI");
    const UINT flags = SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE;
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, 1, nullptr, flags);
    SystemParametersInfoA(SPI_SETSCREENSAVETIMEOUT, static_cast<UINT>(gSetup.screenSaveSeconds), nullptr, flags);
    RestoreCursor();
    return 1;
}
