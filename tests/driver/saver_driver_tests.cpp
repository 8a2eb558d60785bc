// The real saver run as its own process, the way Windows starts it, and driven with messages.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "unit/test_support.h"

namespace {

const char kClass[] = "WindowsScreenSaverClass";
const DWORD kStillRunning = STILL_ACTIVE;

// A copy of the saver in a folder of its own, so that a password component can sit beside it.
class SaverCopy {
public:
    explicit SaverCopy(bool withPasswordComponent, const std::string& program = ScrPath()) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "qb-driver-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(counter_++);
        CreateDirectoryA(folder_.c_str(), nullptr);
        path_ = folder_ + "\\QBR02DLE.SCR";
        CopyFileA(program.c_str(), path_.c_str(), FALSE);
        if (withPasswordComponent)
            CopyFileA(TestArgument(1).c_str(), (folder_ + "\\PASSWORD.CPL").c_str(), FALSE);
    }
    ~SaverCopy() {
        DeleteFileA(path_.c_str());
        DeleteFileA((folder_ + "\\PASSWORD.CPL").c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    const std::string& path() const { return path_; }

private:
    static int counter_;
    std::string folder_, path_;
};
int SaverCopy::counter_ = 0;

class SaverProcess {
public:
    SaverProcess(const std::string& program, const std::string& arguments) {
        std::string line = "\"" + program + "\" " + arguments;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        started_ = CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                                  &pi_) != 0;
    }
    ~SaverProcess() {
        if (started_) {
            if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(pi_.hProcess, 99);
            CloseHandle(pi_.hThread);
            CloseHandle(pi_.hProcess);
        }
    }
    bool started() const { return started_; }
    // The exit code, or STILL_ACTIVE when the process did not end in time.
    DWORD WaitForExit(DWORD milliseconds) {
        const DWORD start = GetTickCount();
        while (WaitForSingleObject(pi_.hProcess, 10) == WAIT_TIMEOUT) {
            PumpMessages();
            if (GetTickCount() - start > milliseconds)
                return kStillRunning;
        }
        DWORD code = 0;
        GetExitCodeProcess(pi_.hProcess, &code);
        return code;
    }
    DWORD id() const { return pi_.dwProcessId; }

private:
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

DWORD RunToEnd(const std::string& arguments) {
    SaverProcess p(ScrPath(), arguments);
    EXPECT_TRUE(p.started());
    return p.WaitForExit(10000);
}

// Waits for a top-level window of the class and title owned by the process.
HWND WaitForWindow(const char* className, const char* title, DWORD process, DWORD milliseconds = 10000) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        HWND found = nullptr;
        while ((found = FindWindowExA(nullptr, found, className, title)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            if (owner == process && IsWindowVisible(found))
                return found;
        }
        PumpFor(20);
    }
    return nullptr;
}

int CountSaverWindows() {
    int count = 0;
    HWND found = nullptr;
    while ((found = FindWindowExA(nullptr, found, kClass, "Screen Saver")) != nullptr)
        ++count;
    return count;
}

void SetDword(HKEY root, const char* path, const char* name, DWORD value) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

DWORD GetDword(HKEY root, const char* path, const char* name) {
    DWORD value = 0, size = sizeof value;
    RegGetValueA(root, path, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

TEST(SaverExitCodes, InvalidSwitchesAndHandlesEndWithMinusOne) {
    for (const char* args : {"/x", "/p", "/p 0", "/p abc", "/p 99999999999999999999999", "/l 123456789", "/a 0"})
        EXPECT_EQ(RunToEnd(args), 0xFFFFFFFFu) << args;
}

TEST(SaverRun, FullScreenTopmostWindowThatClosesOnAKey) {
    SaverProcess saver(ScrPath(), "/s");
    ASSERT_TRUE(saver.started());
    HWND window = WaitForWindow(kClass, "Screen Saver", saver.id());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_POPUP);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN));

    // A wheel turn and a button release do not end it; a key does.
    PostMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    PostMessageA(window, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(saver.WaitForExit(500), kStillRunning);
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(saver.WaitForExit(10000), 0u);
}

TEST(SaverRun, SecondStartLeavesTheFirstAlone) {
    SaverProcess first(ScrPath(), "/s");
    HWND window = WaitForWindow(kClass, "Screen Saver", first.id());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(RunToEnd("/S"), 0u);
    EXPECT_EQ(CountSaverWindows(), 1);
    EXPECT_EQ(first.WaitForExit(200), kStillRunning);
    PostMessageA(window, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(first.WaitForExit(10000), 0u);
}

TEST(SaverPreview, RunsAsAChildAndIgnoresInput) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "DisplaySettingsStandIn";
    RegisterClassA(&wc);
    HWND parent = CreateWindowExA(0, wc.lpszClassName, "Anzeige", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 250,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(parent, nullptr);
    RECT client;
    GetClientRect(parent, &client);

    SaverProcess saver(ScrPath(), "/p " + std::to_string(reinterpret_cast<uintptr_t>(parent)));
    HWND child = nullptr;
    for (int i = 0; i < 500 && !child; ++i) {
        child = FindWindowExA(parent, nullptr, kClass, "Preview");
        PumpFor(20);
    }
    ASSERT_NE(child, nullptr);
    RECT r;
    GetClientRect(child, &r);
    EXPECT_EQ(r.right, client.right);
    EXPECT_EQ(r.bottom, client.bottom);

    PostMessageA(child, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageA(child, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(saver.WaitForExit(500), kStillRunning);
    EXPECT_TRUE(IsWindow(child));

    DestroyWindow(parent);  // the display settings close: the preview ends with them
    EXPECT_EQ(saver.WaitForExit(10000), 0u);
}

TEST(SaverConfiguration, ShowsDialog2003AndEndsWithZero) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OwnerStandIn";
    RegisterClassA(&wc);
    HWND owner = CreateWindowExA(0, wc.lpszClassName, "Besitzer", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                 nullptr, wc.hInstance, nullptr);
    ASSERT_NE(owner, nullptr);

    SaverProcess saver(ScrPath(), "/c:" + std::to_string(reinterpret_cast<uintptr_t>(owner)));
    HWND dialog = WaitForWindow("#32770", "  Kestrova Quellbrand 2 LE", saver.id());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
    char text[64] = "";
    GetDlgItemTextA(dialog, 2, text, sizeof text);
    EXPECT_STREQ(text, "Abbrechen");
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(saver.WaitForExit(10000), 0u);
    DestroyWindow(owner);
}

// Windows 95/98 with a screen-saver password: Wine reports that family to a program when told to.
class PasswordFamily : public ::testing::Test {
protected:
    static constexpr const char* kDouble = "Software\\QuellbrandTests\\PasswordDouble";
    static constexpr const char* kAppDefaults = "Software\\Wine\\AppDefaults\\QBR02DLE.SCR";

    void SetUp() override {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kAppDefaults, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win98"), 6);
        RegCloseKey(key);
        RegDeleteTreeA(HKEY_CURRENT_USER, kDouble);
        SetDword(HKEY_CURRENT_USER, kDouble, "Answer", 0);
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kAppDefaults);
        RegDeleteTreeA(HKEY_CURRENT_USER, kDouble);
        SetDword(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword", 0);
    }
    DWORD Prompts() { return GetDword(HKEY_CURRENT_USER, kDouble, "Calls"); }
};

TEST_F(PasswordFamily, WrongPasswordKeepsTheSaverAndQueuedInputDoesNotPromptAgainAtOnce) {
    SetDword(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword", 1);
    SaverCopy copy(true);
    SaverProcess saver(copy.path(), "/s");
    HWND window = WaitForWindow(kClass, "Screen Saver", saver.id());
    ASSERT_NE(window, nullptr);

    PostMessageA(window, WM_KEYDOWN, 'A', 0);
    PumpFor(150);
    EXPECT_EQ(Prompts(), 1u);
    EXPECT_EQ(saver.WaitForExit(10), kStillRunning);

    // Within 200 ms of the prompt a close is refused without asking again.
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(Prompts(), 1u);

    PumpFor(300);
    SetDword(HKEY_CURRENT_USER, kDouble, "Answer", 1);
    PostMessageA(window, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(saver.WaitForExit(10000), 0u);
    EXPECT_EQ(Prompts(), 2u);
}

TEST_F(PasswordFamily, AutoPlayQuestionIsAnsweredYesAndStartsTheCheck) {
    SetDword(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword", 1);
    SaverCopy copy(true);
    SaverProcess saver(copy.path(), "/s");
    HWND window = WaitForWindow(kClass, "Screen Saver", saver.id());
    ASSERT_NE(window, nullptr);
    const UINT autoplay = RegisterWindowMessageA("QueryCancelAutoPlay");
    SetDword(HKEY_CURRENT_USER, kDouble, "Answer", 1);
    EXPECT_EQ(SendMessageA(window, autoplay, 0, 0), 1);
    EXPECT_EQ(saver.WaitForExit(10000), 0u);
    EXPECT_EQ(Prompts(), 1u);
}

TEST_F(PasswordFamily, WithoutPasswordAutoPlayIsNotCancelledAndTheSaverCloses) {
    SaverCopy copy(true);  // the component is there, but no password is in force
    SaverProcess saver(copy.path(), "/s");
    HWND window = WaitForWindow(kClass, "Screen Saver", saver.id());
    ASSERT_NE(window, nullptr);
    const UINT autoplay = RegisterWindowMessageA("QueryCancelAutoPlay");
    EXPECT_EQ(SendMessageA(window, autoplay, 0, 0), 0);
    EXPECT_EQ(saver.WaitForExit(10000), 0u);
    EXPECT_EQ(Prompts(), 0u);
}

TEST_F(PasswordFamily, PasswordChangeSwitchExistsOnlyThere) {
    SaverCopy copy(false);
    SaverProcess change(copy.path(), "/a 0");
    EXPECT_EQ(change.WaitForExit(10000), 0u);
}

// The system's crash handling starts the registered debugger; with none that can start, it lets
// the program's own guard handle the fault, as on a machine without a debugger.
class NoDebugger {
public:
    NoDebugger() {
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        DWORD size = sizeof saved_;
        hadOne_ = RegQueryValueExA(key_, "Debugger", nullptr, nullptr, reinterpret_cast<BYTE*>(saved_), &size) ==
                  ERROR_SUCCESS;
        const char none[] = "qb-no-such-debugger.exe %ld %ld";
        RegSetValueExA(key_, "Debugger", 0, REG_SZ, reinterpret_cast<const BYTE*>(none), sizeof none);
    }
    ~NoDebugger() {
        if (hadOne_)
            RegSetValueExA(key_, "Debugger", 0, REG_SZ, reinterpret_cast<const BYTE*>(saved_),
                           static_cast<DWORD>(strlen(saved_) + 1));
        else
            RegDeleteValueA(key_, "Debugger");
        RegCloseKey(key_);
    }

private:
    static constexpr const char* kKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";
    HKEY key_ = nullptr;
    char saved_[MAX_PATH] = "";
    bool hadOne_ = false;
};

TEST_F(PasswordFamily, AFaultEndsTheRunOnceWithMinusOneAndClearsTheRunningFlag) {
    SetDword(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword", 1);
    NoDebugger noDebugger;
    // The password component records, as it is unloaded, whether the running flag is still set.
    // The real saver unloads it first and clears the flag afterwards: the flag is seen set.
    {
        SetDword(HKEY_CURRENT_USER, kDouble, "RunningAtUnload", 7);
        SaverCopy copy(true);
        SaverProcess saver(copy.path(), "/s");
        HWND window = WaitForWindow(kClass, "Screen Saver", saver.id());
        ASSERT_NE(window, nullptr);
        SetDword(HKEY_CURRENT_USER, kDouble, "Answer", 1);
        PostMessageA(window, WM_KEYDOWN, 'A', 0);
        EXPECT_EQ(saver.WaitForExit(10000), 0u);
        EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kDouble, "RunningAtUnload"), 1u);
    }
    // The faulting build ends through the guard, which clears the flag before the process ends.
    SetDword(HKEY_CURRENT_USER, kDouble, "RunningAtUnload", 7);
    SaverCopy faulty(true, TestArgument(2));
    SaverProcess saver(faulty.path(), "/s");
    ASSERT_TRUE(saver.started());
    EXPECT_EQ(saver.WaitForExit(10000), 0xFFFFFFFFu) << "not a stack overflow, not left running";
    EXPECT_EQ(GetDword(HKEY_CURRENT_USER, kDouble, "RunningAtUnload"), 0u) << "the guard's handler ran";
}

TEST(SaverOnNt, AutoPlayQuestionIsNotTheSaversBusiness) {
    SaverProcess saver(ScrPath(), "/s");
    HWND window = WaitForWindow(kClass, "Screen Saver", saver.id());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SendMessageA(window, RegisterWindowMessageA("QueryCancelAutoPlay"), 0, 0), 0);
    EXPECT_EQ(saver.WaitForExit(300), kStillRunning);
    PostMessageA(window, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(saver.WaitForExit(10000), 0u);
}

}  // namespace
