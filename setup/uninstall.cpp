#include "uninstall.h"

#include <cstdio>
#include <cstring>

#include "setup_state.h"

std::string UninstallScriptText(const std::string& installedFileName) {
    std::string text =
        "[version]\n"
        "signature = \"$CHICAGO$\"\n"
        "\n"
        "[DestinationDirs]\n"
        "QBR02.Sys.Files = 11\n"
        "QBR02.Inf.Files = 17\n"
        "\n"
        "[DefaultUninstall]\n"
        "BeginPrompt = QBR02.BeginPrompt\n"
        "EndPrompt = QBR02.EndPrompt\n"
        "DelFiles = QBR02.Sys.Files, QBR02.Inf.Files\n"
        "DelReg = QBR02.Uninstall.Reg\n"
        "\n"
        "[QBR02.Sys.Files]\n";
    text += installedFileName + "\n";
    text +=
        "\n"
        "[QBR02.Inf.Files]\n"
        "QBR02DLE.INF\n"
        "\n"
        "[QBR02.Uninstall.Reg]\n"
        "HKLM,Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\%AppName%\n"
        "HKCU,Software\\Kestrova\\ScreenSaver\\%AppName%\n"
        "\n"
        "[QBR02.BeginPrompt]\n"
        "Prompt = \"%CONFIRMATION%\"\n"
        "ButtonType = OK\n"
        "Title = \"%TITLE%\"\n"
        "\n"
        "[QBR02.EndPrompt]\n"
        "Prompt = \"%DONE%\"\n"
        "ButtonType = OK\n"
        "Title = \"%TITLE%\"\n"
        "\n"
        "[Strings]\n"
        "AppName = \"Quellbrand 2 LE\"\n"
        "CONFIRMATION = \"Der Bildschirmschoner Kestrova Quellbrand 2 LE wird gel\366scht, Fortfahren?\"\n"
        "TITLE = \"Kestrova Quellbrand 2 LE\"\n"
        "DONE = \"Quellbrand 2 LE wurde gel\366scht\"\n"
        "\n";
    return text;
}

bool SaveUninstallScript(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "w+t");
    if (!file)
        return false;
    // A short write leaves a script that the INF installer reads as far as it goes; nothing to add.
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    return true;
}

void WriteUninstallScript(HWND owner) {
    char windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    if (length == 0 || length >= sizeof windows)
        return;
    const std::string path = std::string(windows, length) + "\\INF\\QBR02DLE.INF";
    if (!SaveUninstallScript(path, UninstallScriptText(gSetup.installedFileName))) {
        ShowSetupMessage(owner, kScriptNotSaved, MB_ICONWARNING);
        return;
    }
    RegisterUninstall();
}

void RegisterUninstall() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    // Lengths without the terminating zero: the software list reads the entry either way.
    RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(kProductTitle),
                   static_cast<DWORD>(std::strlen(kProductTitle)));
    RegSetValueExA(key, "UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(kUninstallCommand),
                   static_cast<DWORD>(std::strlen(kUninstallCommand)));
    RegCloseKey(key);
}
