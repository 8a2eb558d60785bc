// The setup program's pieces in process: copying (plain and LZ-expanded) with every way it can
// fail, the uninstall script and entry, the delay rule, and the two dialogs made from the built
// setup.exe's own templates. Installing into the prefix itself is left to setup_e2e.sh.
#include <gtest/gtest.h>
#include <windows.h>

#include <lzexpand.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dialogs.h"
#include "install.h"
#include "resources/setup_ids.h"
#include "settings/settings.h"
#include "setup_state.h"
#include "setup_window.h"
#include "uninstall.h"
#include "unit/test_support.h"

namespace {

struct ShownMessage {
    HWND owner;
    std::string text;
    std::string title;
    UINT flags;
};

std::vector<ShownMessage> gShown;
int gAnswer = IDOK;

int WINAPI RecordMessage(HWND owner, LPCSTR text, LPCSTR title, UINT flags) {
    gShown.push_back({owner, text ? text : "", title ? title : "", flags});
    return gAnswer;
}

using Bytes = std::vector<unsigned char>;

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The names in a folder, sorted, so that a stray temporary or "_" file shows.
std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
using Names = std::vector<std::string>;

Bytes SampleData(size_t size);

// Something shaped like a program: a DOS header whose e_lfanew leads to a "PE" signature, repeats
// that compress well, and noise that does not.
Bytes SampleProgram(size_t size) {
    Bytes bytes = SampleData(size);
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[60] = 0x80;
    bytes[61] = bytes[62] = bytes[63] = 0;
    std::memcpy(&bytes[0x80], "PE\0\0", 4);
    return bytes;
}

// Repeats and noise, but no program.
Bytes SampleData(size_t size) {
    Bytes bytes;
    unsigned state = 12345;
    while (bytes.size() < size) {
        state = state * 214013u + 2531011u;
        const unsigned pick = (state >> 16) & 0x7FFF;
        if (pick % 3 == 0)
            for (const char* word = "MZ QUELLBRAND "; *word && bytes.size() < size; ++word)
                bytes.push_back(static_cast<unsigned char>(*word));
        else
            bytes.push_back(static_cast<unsigned char>(pick));
    }
    return bytes;
}

// The Windows "SZDD" LZ format: a 4 KB window that starts filled with spaces and is written
// from 0xFF0; a flag bit 1 is a literal byte, 0 a reference of 3 to 18 bytes into the window.
Bytes CompressSzdd(const Bytes& data, char lastNameChar) {
    Bytes out = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', static_cast<unsigned char>(lastNameChar)};
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<unsigned char>(data.size() >> shift));
    size_t i = 0;
    while (i < data.size()) {
        const size_t flagAt = out.size();
        out.push_back(0);
        for (int bit = 0; bit < 8 && i < data.size(); ++bit) {
            size_t bestLength = 0, bestFrom = 0;
            const size_t earliest = i > 4000 ? i - 4000 : 0;
            for (size_t from = earliest; from < i; ++from) {
                size_t length = 0;
                while (length < 18 && i + length < data.size() && data[from + length] == data[i + length])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestFrom = from;
                }
            }
            if (bestLength >= 3) {
                const unsigned position = (0xFF0 + bestFrom) & 0xFFF;
                out.push_back(static_cast<unsigned char>(position & 0xFF));
                out.push_back(static_cast<unsigned char>(((position >> 4) & 0xF0) | (bestLength - 3)));
                i += bestLength;
            } else {
                out[flagAt] |= static_cast<unsigned char>(1 << bit);
                out.push_back(data[i++]);
            }
        }
    }
    return out;
}

// A private folder per test, removed with everything in it.
class SetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "qb-setup-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(counter_++) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        gShown.clear();
        gAnswer = IDOK;
        gSetupMessageBox = RecordMessage;
        gSetup.savedCursor = GetCursor();
        gSetup.installStarted = 0;
    }
    void TearDown() override {
        gSetupMessageBox = MessageBoxA;
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::string Path(const std::string& name) const { return folder_ + name; }

    std::string folder_;
    static int counter_;
};
int SetupTest::counter_ = 0;

// --- Copying ---------------------------------------------------------------------------------

TEST_F(SetupTest, CopiesAPlainFileByteForByteAndAnLzFileExpanded) {
    const Bytes program = SampleProgram(20000);
    WriteBytes(Path("plain.scr"), program);
    EXPECT_EQ(CopySaverFile(nullptr, Path("plain.scr"), Path("out1.scr")), 1);
    EXPECT_EQ(ReadBytes(Path("out1.scr")), program);

    const Bytes packed = CompressSzdd(program, 'R');
    ASSERT_LT(packed.size(), program.size() * 3 / 4) << "the sample should really use back references";
    WriteBytes(Path("packed.sc_"), packed);
    EXPECT_EQ(CopySaverFile(nullptr, Path("packed.sc_"), Path("out2.scr")), 1);
    EXPECT_EQ(ReadBytes(Path("out2.scr")), program);

    // An existing saver is replaced, not appended to.
    WriteBytes(Path("out3.scr"), SampleProgram(50000));
    EXPECT_EQ(CopySaverFile(nullptr, Path("packed.sc_"), Path("out3.scr")), 1);
    EXPECT_EQ(ReadBytes(Path("out3.scr")), program);
    EXPECT_TRUE(gShown.empty());
    EXPECT_EQ(FolderNames(folder_), (Names{"out1.scr", "out2.scr", "out3.scr", "packed.sc_", "plain.scr"}))
        << "the copy's temporary file is gone once it is in place";
}

TEST_F(SetupTest, AMissingSourceNamesItsFullPathAndCreatesNothing) {
    HWND owner = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(CopySaverFile(owner, Path("QBR02DLE.SCR"), Path("target.scr")), 0);
    ASSERT_EQ(gShown.size(), 1u);
    EXPECT_EQ(gShown[0].text, "Datei " + Path("QBR02DLE.SCR") + " nicht gefunden!");
    EXPECT_EQ(gShown[0].title, "Setup");
    EXPECT_EQ(gShown[0].flags, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(gShown[0].owner, owner);
    EXPECT_FALSE(Exists(Path("target.scr")));
}

TEST_F(SetupTest, MessagesHoldPathsOfAnyLength) {
    // Deeper than any fixed 260- or 1024-byte message buffer.
    const std::string deep = "C:\\" + std::string(1500, 'x') + "\\QBR02DLE.SCR";
    const std::string text = FormatPathMessage(kSourceMissing, deep);
    EXPECT_EQ(text, "Datei " + deep + " nicht gefunden!");
    EXPECT_EQ(FormatPathMessage(kCannotCopy, deep), "Kann " + deep + " nicht kopieren!");

    // The same through the copy itself, from a setup folder beyond MAX_PATH.
    const std::string source = folder_ + std::string(200, 'd') + "\\" + std::string(200, 'e') + "\\QBR02DLE.SCR";
    EXPECT_EQ(CopySaverFile(nullptr, source, Path("target.scr")), 0);
    ASSERT_EQ(gShown.size(), 1u);
    EXPECT_EQ(gShown[0].text, "Datei " + source + " nicht gefunden!");
}

TEST_F(SetupTest, ATargetThatCannotBeCreatedIsNamed) {
    WriteBytes(Path("plain.scr"), SampleProgram(1000));
    const std::string target = Path("no such folder\\QBR02DLE.SCR");
    EXPECT_EQ(CopySaverFile(nullptr, Path("plain.scr"), target), 0);
    ASSERT_EQ(gShown.size(), 1u);
    EXPECT_EQ(gShown[0].text, "Kann " + target + " nicht kopieren!");
    EXPECT_EQ(gShown[0].flags, static_cast<UINT>(MB_ICONWARNING));
}

TEST_F(SetupTest, ADamagedLzFileIsReportedAndTheEarlierSaverStays) {
    const Bytes packed = CompressSzdd(SampleProgram(20000), 'R');
    Bytes unknownMethod = packed;
    unknownMethod[8] = 'Q';
    const Bytes cutOff(packed.begin(), packed.begin() + static_cast<long>(packed.size() / 2));
    const Bytes earlier = SampleProgram(3000);
    for (const Bytes& damaged : {unknownMethod, cutOff}) {
        gShown.clear();
        WriteBytes(Path("damaged.sc_"), damaged);
        WriteBytes(Path("target.scr"), earlier);
        EXPECT_EQ(CopySaverFile(nullptr, Path("damaged.sc_"), Path("target.scr")), 0);
        ASSERT_EQ(gShown.size(), 1u);
        EXPECT_EQ(gShown[0].text, "Die Installationsdiskette ist m\366glicherweise besch\344digt!");
        EXPECT_EQ(gShown[0].flags, static_cast<UINT>(MB_ICONWARNING));
        EXPECT_EQ(ReadBytes(Path("target.scr")), earlier) << "the working installation is kept";
        EXPECT_EQ(FolderNames(folder_), (Names{"damaged.sc_", "target.scr"})) << "no half-written copy stays";
    }

    // Also when only the compressed name "QBR02DLE.SC_", as on the old disks, is there.
    gShown.clear();
    std::filesystem::remove(Path("target.scr"));
    WriteBytes(Path("QBR02DLE.SC_"), cutOff);
    EXPECT_EQ(CopySaverFile(nullptr, Path("QBR02DLE.SCR"), Path("target.scr")), 0);
    ASSERT_EQ(gShown.size(), 1u);
    EXPECT_EQ(gShown[0].text, "Die Installationsdiskette ist m\366glicherweise besch\344digt!");
    EXPECT_EQ(FolderNames(folder_), (Names{"QBR02DLE.SC_", "damaged.sc_"}));
}

TEST_F(SetupTest, SourcesThatGiveNoWindowsProgramAreADamagedDisk) {
    const Bytes packed = CompressSzdd(SampleProgram(20000), 'R');
    Bytes noPeSignature = SampleProgram(5000);
    noPeSignature[0x81] = 'X';
    Bytes peBeyondTheEnd = SampleProgram(5000);
    peBeyondTheEnd[61] = 0x40;  // e_lfanew 0x4080, past the end of the file
    const struct {
        const char* what;
        Bytes source;
    } broken[] = {
        {"an empty file", {}},
        {"an LZ file cut inside its header", Bytes(packed.begin(), packed.begin() + 10)},
        {"an LZ file that expands to something else", CompressSzdd(SampleData(20000), 'R')},
        {"a plain file that is no program", SampleData(5000)},
        {"a DOS header without the PE signature", noPeSignature},
        {"a DOS header pointing past the end", peBeyondTheEnd},
    };
    const Bytes earlier = SampleProgram(3000);
    for (const auto& source : broken) {
        SCOPED_TRACE(source.what);
        gShown.clear();
        WriteBytes(Path("QBR02DLE.SCR"), source.source);
        WriteBytes(Path("target.scr"), earlier);
        EXPECT_EQ(CopySaverFile(nullptr, Path("QBR02DLE.SCR"), Path("target.scr")), 0);
        ASSERT_EQ(gShown.size(), 1u);
        EXPECT_EQ(gShown[0].text, "Die Installationsdiskette ist m\366glicherweise besch\344digt!");
        EXPECT_EQ(ReadBytes(Path("target.scr")), earlier);
        EXPECT_EQ(FolderNames(folder_), (Names{"QBR02DLE.SCR", "target.scr"}));
    }
}

TEST_F(SetupTest, ASaverThatCannotBeReplacedIsReportedAndLeavesNoStrayFile) {
    const Bytes program = SampleProgram(20000);
    WriteBytes(Path("QBR02DLE.SCR"), CompressSzdd(program, 'R'));
    const std::string target = Path("system\\QBR02DLE.SCR");
    CreateDirectoryA(Path("system").c_str(), nullptr);

    // The name is taken by something that cannot be written over: the library would create
    // "QBR02DLE.SC_" beside it and the copy would look like a success.
    CreateDirectoryA(target.c_str(), nullptr);
    EXPECT_EQ(CopySaverFile(nullptr, Path("QBR02DLE.SCR"), target), 0);
    ASSERT_EQ(gShown.size(), 1u);
    EXPECT_EQ(gShown[0].text, "Kann " + target + " nicht kopieren!");
    EXPECT_EQ(gShown[0].flags, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(FolderNames(Path("system")), (Names{"QBR02DLE.SCR"}));
    RemoveDirectoryA(target.c_str());

    // An installed saver that is open without sharing, as a running one is.
    const Bytes earlier = SampleProgram(3000);
    WriteBytes(target, earlier);
    HANDLE locked = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    gShown.clear();
    EXPECT_EQ(CopySaverFile(nullptr, Path("QBR02DLE.SCR"), target), 0);
    CloseHandle(locked);
    ASSERT_EQ(gShown.size(), 1u);
    EXPECT_EQ(gShown[0].text, "Kann " + target + " nicht kopieren!");
    EXPECT_EQ(ReadBytes(target), earlier);
    EXPECT_EQ(FolderNames(Path("system")), (Names{"QBR02DLE.SCR"}));

    // The copy's own name taken: what the library opens instead is removed again.
    const std::string temporary = Path("system\\QBR02DLE.TMP");
    CreateDirectoryA(temporary.c_str(), nullptr);
    gShown.clear();
    EXPECT_EQ(CopySaverFile(nullptr, Path("QBR02DLE.SCR"), target), 0);
    ASSERT_EQ(gShown.size(), 1u);
    EXPECT_EQ(gShown[0].text, "Kann " + target + " nicht kopieren!");
    EXPECT_EQ(ReadBytes(target), earlier);
    EXPECT_EQ(FolderNames(Path("system")), (Names{"QBR02DLE.SCR", "QBR02DLE.TMP"}));
    RemoveDirectoryA(temporary.c_str());

    // Once nothing is in the way, the same copy replaces the saver.
    gShown.clear();
    EXPECT_EQ(CopySaverFile(nullptr, Path("QBR02DLE.SCR"), target), 1);
    EXPECT_TRUE(gShown.empty());
    EXPECT_EQ(ReadBytes(target), program);
    EXPECT_EQ(FolderNames(Path("system")), (Names{"QBR02DLE.SCR"}));
}

TEST(CopyErrors, EveryLzErrorHasItsMessage) {
    const std::string damaged = "Die Installationsdiskette ist m\366glicherweise besch\344digt!";
    const std::string memory =
        "Nicht genug Arbeitsspeicher. Bitte beenden Sie alle Programme und starten Sie SETUP erneut.";
    EXPECT_EQ(CopyErrorText(LZERROR_BADINHANDLE), damaged);
    EXPECT_EQ(CopyErrorText(LZERROR_BADOUTHANDLE), memory);
    EXPECT_EQ(CopyErrorText(LZERROR_READ), damaged);
    EXPECT_EQ(CopyErrorText(LZERROR_WRITE), std::string("Nicht genug Festplattenkapazit\344t!"));
    EXPECT_EQ(CopyErrorText(LZERROR_GLOBALLOC), memory);
    EXPECT_EQ(CopyErrorText(LZERROR_GLOBLOCK), memory);
    EXPECT_EQ(CopyErrorText(LZERROR_BADVALUE), memory);
    EXPECT_EQ(CopyErrorText(LZERROR_UNKNOWNALG), damaged);
    EXPECT_EQ(CopyErrorText(-9), std::string("Unbekannter Fehler beim Kopieren aufgetreten!"));
    EXPECT_EQ(CopyErrorText(-32768), std::string("Unbekannter Fehler beim Kopieren aufgetreten!"));
}

// --- Delay, folders, picture -----------------------------------------------------------------

TEST(SetupRules, DelayInMinutesBecomesSecondsAndAtLeastOneMinute) {
    bool corrected = true;
    EXPECT_EQ(DelaySecondsFromMinutes(10, &corrected), 600);
    EXPECT_FALSE(corrected);
    EXPECT_EQ(DelaySecondsFromMinutes(1, &corrected), 60);
    EXPECT_FALSE(corrected);
    EXPECT_EQ(DelaySecondsFromMinutes(0, &corrected), 60);  // also what an empty or lettered field reads
    EXPECT_TRUE(corrected);
    // So many minutes that the seconds no longer fit a signed 32-bit number.
    EXPECT_EQ(DelaySecondsFromMinutes(40000000, &corrected), 60);
    EXPECT_TRUE(corrected);
    // ... also where the product wraps round past 2^32 to a small positive delay (704 seconds).
    EXPECT_EQ(DelaySecondsFromMinutes(71582800, &corrected), 60);
    EXPECT_TRUE(corrected);
    EXPECT_EQ(DelaySecondsFromMinutes(0xFFFFFFFFu, &corrected), 60);
    EXPECT_TRUE(corrected);
    // The longest delay that fits, and one minute more.
    EXPECT_EQ(DelaySecondsFromMinutes(35791394, &corrected), 2147483640);
    EXPECT_FALSE(corrected);
    EXPECT_EQ(DelaySecondsFromMinutes(35791395, &corrected), 60);
    EXPECT_TRUE(corrected);
}

TEST(SetupRules, PictureSitsAtTheLowerRight) {
    const POINT large = PicturePosition(1024, 768, 352, 114);
    EXPECT_EQ(large.x, 632);
    EXPECT_EQ(large.y, 629);
    const POINT small = PicturePosition(640, 480, 352, 114);
    EXPECT_EQ(small.x, 288);
    EXPECT_EQ(small.y, 364);
    EXPECT_EQ(PicturePosition(800, 600, 352, 114).x, 408);  // the margin starts at 800
    EXPECT_EQ(PicturePosition(799, 600, 352, 114).x, 447);
}

TEST(SetupRules, SetupFolderIsTheProgramsFolderWithABackslash) {
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const std::string folder = ModuleDirectory(nullptr);
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_EQ(std::string(program).rfind(folder, 0), 0u);
    EXPECT_EQ(std::string(program).find('\\', folder.size()), std::string::npos);
}

// --- Uninstall script and entry --------------------------------------------------------------

std::vector<std::string> CrLfLines(const Bytes& bytes, bool* onlyCrLf) {
    std::vector<std::string> lines;
    std::string line;
    *onlyCrLf = true;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            lines.push_back(line);
            line.clear();
            ++i;
        } else if (bytes[i] == '\r' || bytes[i] == '\n') {
            *onlyCrLf = false;
        } else {
            line += static_cast<char>(bytes[i]);
        }
    }
    if (!line.empty())
        *onlyCrLf = false;
    return lines;
}

TEST_F(SetupTest, UninstallScriptHas39CrLfLinesNamingTheInstalledFile) {
    WriteBytes(Path("QBR02DLE.INF"), Bytes(9000, 'x'));  // a longer earlier script is replaced
    ASSERT_TRUE(SaveUninstallScript(Path("QBR02DLE.INF"), UninstallScriptText("QBR02D~1.SCR")));
    bool onlyCrLf = false;
    const std::vector<std::string> lines = CrLfLines(ReadBytes(Path("QBR02DLE.INF")), &onlyCrLf);
    EXPECT_TRUE(onlyCrLf) << "every line ends with CR LF, and nothing follows the last one";
    ASSERT_EQ(lines.size(), 39u);
    EXPECT_EQ(lines[0], "[version]");
    EXPECT_EQ(lines[13], "[QBR02.Sys.Files]");
    EXPECT_EQ(lines[14], "QBR02D~1.SCR");
    EXPECT_EQ(lines[17], "QBR02DLE.INF");
    EXPECT_EQ(lines[38], "");
    // The keys it removes are the ones setup and the saver write, once %AppName% is filled in.
    auto expand = [](std::string line) {
        const size_t at = line.find("%AppName%");
        return at == std::string::npos ? line : line.replace(at, 9, "Quellbrand 2 LE");
    };
    EXPECT_EQ(_stricmp(expand(lines[20]).c_str(), ("HKLM," + std::string(kUninstallKey)).c_str()), 0) << lines[20];
    EXPECT_EQ(expand(lines[21]), "HKCU," + std::string(SettingsKeyName));
    EXPECT_EQ(lines[34], "AppName = \"Quellbrand 2 LE\"");
    EXPECT_EQ(lines[35],
              "CONFIRMATION = \"Der Bildschirmschoner Kestrova Quellbrand 2 LE wird gel\366scht, Fortfahren?\"");
}

TEST_F(SetupTest, UninstallScriptInAFolderThatDoesNotExistFails) {
    EXPECT_FALSE(SaveUninstallScript(Path("missing\\QBR02DLE.INF"), UninstallScriptText("QBR02DLE.SCR")));
}

// HKEY_LOCAL_MACHINE of this process redirected to a private key.
class MachineSandbox {
public:
    MachineSandbox() {
        RegDeleteTreeA(HKEY_CURRENT_USER, kPath);
        RegCreateKeyExA(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root_, nullptr);
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, root_);
    }
    ~MachineSandbox() {
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        RegCloseKey(root_);
        RegDeleteTreeA(HKEY_CURRENT_USER, kPath);
    }

private:
    static constexpr char kPath[] = "Software\\QuellbrandTests\\setup-machine";
    HKEY root_ = nullptr;
};

// The value as stored. (Its stored length cannot be checked: like NT, Wine counts a terminating
// zero that the caller left out.)
std::string ReadValue(const char* name, DWORD* type) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<no key>";
    char data[512] = {};
    DWORD size = sizeof data - 1;
    const LONG status = RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::string(data) : "<missing>";
}

TEST(UninstallEntry, HoldsNameAndCommandAndIsOverwritten) {
    MachineSandbox sandbox;
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>("old command"), 12);
    RegCloseKey(key);

    RegisterUninstall();
    DWORD type = 0;
    EXPECT_EQ(ReadValue("DisplayName", &type), "Kestrova Quellbrand 2 LE");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ReadValue("UninstallString", &type),
              "RunDLL32 advpack.dll,LaunchINFSection QBR02DLE.INF,DefaultUninstall");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

// --- The dialogs, from setup.exe's own templates -----------------------------------------------

std::string ControlText(HWND dialog, int id) {
    char text[4096] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool QuitPosted() {
    MSG message;
    bool quit = false;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            quit = true;
        else
            DispatchMessageA(&message);
    }
    return quit;
}

class SetupDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExA(TestArgument(1).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << "setup.exe at " << TestArgument(1);
        gSetup.instance = module_;
        gSetup.installStarted = 0;
        gShown.clear();
        gSetupMessageBox = RecordMessage;
        QuitPosted();
    }
    void TearDown() override {
        gSetupMessageBox = MessageBoxA;
        if (module_)
            FreeLibrary(module_);
    }
    HWND Create(const char* name, DLGPROC procedure) {
        return CreateDialogParamA(module_, name, nullptr, procedure, 0);
    }
    HMODULE module_ = nullptr;
};

TEST_F(SetupDialogs, TermsDialogShowsTheTermsAndNeinEndsSetup) {
    HWND dialog = Create("DIALOG_COPYRIGHT", TermsDialog);
    ASSERT_NE(dialog, nullptr);
    char title[64] = {};
    GetWindowTextA(dialog, title, sizeof title);
    EXPECT_STREQ(title, "Kestrova Quellbrand 2 LE");
    EXPECT_EQ(ControlText(dialog, IDC_TERMS_TEXT), TermsText());
    EXPECT_EQ(ControlText(dialog, IDOK), "Ja");
    EXPECT_EQ(ControlText(dialog, IDCANCEL), "Nein");
    const LONG style = GetWindowLongA(GetDlgItem(dialog, IDC_TERMS_TEXT), GWL_STYLE);
    EXPECT_EQ(style & (ES_MULTILINE | ES_READONLY | WS_VSCROLL), ES_MULTILINE | ES_READONLY | WS_VSCROLL);
    EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, IDCANCEL), GWL_STYLE) & 0x0F, BS_DEFPUSHBUTTON) << "Nein is default";
    EXPECT_NE(SendMessageA(GetWindow(dialog, GW_CHILD), STM_GETICON, 0, 0), 0) << "the SAVER icon is shown";
    EXPECT_FALSE(QuitPosted());

    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(QuitPosted());
    EXPECT_TRUE(gShown.empty());
    DestroyWindow(dialog);
}

TEST_F(SetupDialogs, TermsTextIsWelcomeAgreementTermsAndTheRequest) {
    const std::string text = TermsText();
    EXPECT_EQ(text.rfind("Willkommen bei der QUELLBRAND 2 LE.\r\n\r\nMit der Installation des Programms auf Ihrem "
                         "Rechner erkl\344ren Sie sich",
                         0),
              0u);
    EXPECT_NE(text.find("Anderenfalls mu\337 die Installation jetzt abgebrochen werden.\r\n\r\n"), std::string::npos);
    const std::string ending =
        "\r\n\r\nBitte klicken Sie auf 'JA' wenn Sie mit diesen Bedingungen einverstanden sind.\r\n\r\n\r\n\r\n";
    ASSERT_GT(text.size(), ending.size());
    EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
    size_t paragraphs = 1;
    for (size_t at = text.find("\r\n\r\n"); at <= text.size() - ending.size(); at = text.find("\r\n\r\n", at + 4))
        ++paragraphs;
    EXPECT_EQ(paragraphs, 6u) << "welcome, agreement, three paragraphs of terms, the request";
    EXPECT_EQ(text.find("\303"), std::string::npos) << "umlauts are code page 1252 bytes, not UTF-8";
}

TEST_F(SetupDialogs, InstallDialogAsksBeforeCancelling) {
    HWND dialog = Create("DIALOG_MAIN", InstallDialog);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, IDC_STATUS), kStatusIntro);
    EXPECT_EQ(ControlText(dialog, IDC_DELAY_LABEL), "&Aktivieren nach:");
    EXPECT_EQ(ControlText(dialog, IDC_MINUTES), "Minuten");
    EXPECT_EQ(ControlText(dialog, IDOK), "&Installieren");
    EXPECT_EQ(ControlText(dialog, IDCANCEL), "Abbrechen");
    UINT seconds = 0;
    SystemParametersInfoA(SPI_GETSCREENSAVETIMEOUT, 0, &seconds, 0);
    EXPECT_EQ(ControlText(dialog, IDC_DELAY), std::to_string(seconds / 60));
    EXPECT_NE(SendMessageA(GetWindow(dialog, GW_CHILD), STM_GETICON, 0, 0), 0) << "the ICON icon is shown";

    gAnswer = IDNO;
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_EQ(gShown.size(), 1u);
    EXPECT_EQ(gShown[0].text, "Installation abbrechen?");
    EXPECT_EQ(gShown[0].title, "Setup");
    EXPECT_EQ(gShown[0].flags, static_cast<UINT>(MB_ICONQUESTION | MB_YESNO));
    EXPECT_EQ(gShown[0].owner, dialog) << "the question belongs to the dialog";
    EXPECT_FALSE(QuitPosted()) << "No keeps the dialog";
    EXPECT_TRUE(IsWindowVisible(dialog));

    gAnswer = IDYES;
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(gShown.size(), 2u);
    EXPECT_TRUE(QuitPosted());
    DestroyWindow(dialog);
}

// While the real question is open, a timer looks at the dialog and answers "Nein".
HWND gQuestionDialog = nullptr;
int gDialogEnabledDuringQuestion = -1;
std::string gQuestionSeen;

BOOL CALLBACK AnswerNo(HWND window, LPARAM) {
    char title[32] = {}, text[256] = {};
    GetWindowTextA(window, title, sizeof title);
    if (std::strcmp(title, "Setup") != 0 || !IsWindowVisible(window))
        return TRUE;
    GetDlgItemTextA(window, 0xFFFF, text, sizeof text);  // the message box's text control
    gQuestionSeen = text;
    gDialogEnabledDuringQuestion = IsWindowEnabled(gQuestionDialog) ? 1 : 0;
    PostMessageA(window, WM_COMMAND, IDNO, 0);
    return FALSE;
}

void CALLBACK LookAtTheQuestion(HWND, UINT, UINT_PTR timer, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), AnswerNo, 0);
    if (gDialogEnabledDuringQuestion >= 0)
        KillTimer(nullptr, timer);
}

TEST_F(SetupDialogs, TheDialogCannotBeUsedWhileTheCancelQuestionIsOpen) {
    HWND dialog = Create("DIALOG_MAIN", InstallDialog);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOW);
    gQuestionDialog = dialog;
    gDialogEnabledDuringQuestion = -1;
    gQuestionSeen.clear();
    gSetupMessageBox = MessageBoxA;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, LookAtTheQuestion);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(gQuestionSeen, "Installation abbrechen?");
    EXPECT_EQ(gDialogEnabledDuringQuestion, 0) << "the install dialog stays clickable behind the question";
    EXPECT_TRUE(IsWindowEnabled(dialog)) << "and is usable again after the answer";
    EXPECT_FALSE(QuitPosted());
    DestroyWindow(dialog);
}

TEST_F(SetupDialogs, AfterTheCopyHasBegunCancelDoesNotAsk) {
    HWND dialog = Create("DIALOG_MAIN", InstallDialog);
    ASSERT_NE(dialog, nullptr);
    gSetup.installStarted = 1;
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(gShown.empty());
    EXPECT_TRUE(QuitPosted());
    DestroyWindow(dialog);
}

}  // namespace
