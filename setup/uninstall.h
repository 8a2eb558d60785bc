// The uninstall script in the INF folder and the entry in Windows' list of installed software.
#pragma once
#include <windows.h>

#include <string>

constexpr char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quellbrand 2 LE";
constexpr char kUninstallCommand[] = "RunDLL32 advpack.dll,LaunchINFSection QBR02DLE.INF,DefaultUninstall";
constexpr char kScriptNotSaved[] = "Konnte Uninstall-Information nicht speichern!";

// The script's text with "\n" line ends; the file is written in text mode, which makes them CR LF.
std::string UninstallScriptText(const std::string& installedFileName);

// Writes the script to path, replacing an existing file; false when the file cannot be opened.
bool SaveUninstallScript(const std::string& path, const std::string& text);

// Writes <Windows>\INF\QBR02DLE.INF for installedFileName and then the uninstall entry.
void WriteUninstallScript(HWND owner);
// The uninstall key under HKEY_LOCAL_MACHINE with its display name and command.
void RegisterUninstall();
