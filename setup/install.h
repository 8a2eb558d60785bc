// Copying the screen saver into the system directory and making it the active screen saver.
#pragma once
#include <windows.h>

#include <string>

constexpr char kNoWindowsDirectory[] = "Kann das Windows Verzeichnis nicht finden!";
constexpr char kSourceMissing[] = "Datei %s nicht gefunden!";
constexpr char kCannotCopy[] = "Kann %s nicht kopieren!";
constexpr char kDiskDamaged[] = "Die Installationsdiskette ist m\366glicherweise besch\344digt!";
constexpr char kOutOfMemory[] =
    "Nicht genug Arbeitsspeicher. Bitte beenden Sie alle Programme und starten Sie SETUP erneut.";
constexpr char kDiskFull[] = "Nicht genug Festplattenkapazit\344t!";
constexpr char kUnknownCopyError[] = "Unbekannter Fehler beim Kopieren aufgetreten!";

// The message for a negative result of LZCopy.
const char* CopyErrorText(long result);

// Fills the one "%s" of pattern with path. The result grows with the path, so a deep setup
// folder can never overrun a fixed message buffer.
std::string FormatPathMessage(const char* pattern, const std::string& path);

// The folder of the given module with a trailing backslash, however long its path is.
std::string ModuleDirectory(HMODULE module);

// The system directory without a trailing backslash; false when Windows does not give it.
bool ReadSystemDirectory(std::string& directory);

// The delay in seconds for what the minutes field holds (0 when it holds no number); a delay
// below one minute, or too long for a signed 32-bit count of seconds, becomes one minute and the
// field is corrected.
int DelaySecondsFromMinutes(UINT minutes, bool* corrected);

// Copies source to target, expanding an LZ-compressed source. The copy is written beside the
// target under the extension "TMP" and replaces the target only when it is complete and a Windows
// program. On failure the user is told why, with owner as the message box's owner, the target
// stays as it was, nothing else stays behind, and 0 is returned.
int CopySaverFile(HWND owner, const std::string& source, const std::string& target);

// The setup folder's QBR02DLE.SCR into the system directory; 1 on success, 0 after a message.
int CopySaver(HWND dialog);
// Enters the installed saver in SYSTEM.INI and switches it on with screenSaveSeconds; 1 or 0.
int ActivateSaver(HWND dialog);
