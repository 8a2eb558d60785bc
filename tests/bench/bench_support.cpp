#include "bench/bench_support.h"

#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "clock/calendar.h"
#include "gfx/blit.h"
#include "host/frame.h"
#include "scene/scene_state.h"
#include "settings/settings.h"

namespace {

double gFakeSeconds = 0;

bool ParseSize(const std::string& text, int* width, int* height) {
    return std::sscanf(text.c_str(), "%dx%d", width, height) == 2 && *width > 0 && *height > 0;
}

LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER)
        return 0;  // the bench runs the ticks itself, back to back
    return ScreenSaverProc(window, message, wParam, lParam);
}

}  // namespace

std::time_t ParseLocalTime(const std::string& text) {
    int year, month, day, hour = 0, minute = 0, second = 0;
    char separator = ' ';
    const int fields = std::sscanf(text.c_str(), "%d-%d-%d%c%d:%d:%d", &year, &month, &day, &separator, &hour,
                                   &minute, &second);
    if (fields != 3 && fields < 6)
        return -1;
    if (fields >= 4 && separator != ' ' && separator != 'T')
        return -1;
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59)
        return -1;
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    const std::time_t when = std::mktime(&t);
    if (t.tm_mday != day)  // 31 April and the like roll over into the next month
        return -1;
    return when;
}

std::string FormatDate(std::time_t when) {
    const std::tm* t = std::localtime(&when);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", t->tm_year + 1900, t->tm_mon + 1, t->tm_mday);
    return text;
}

BenchOptions ParseBenchOptions(const std::vector<std::string>& args) {
    BenchOptions o;
    for (size_t i = 0; i < args.size() && o.error.empty(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        const std::string value = hasValue ? args[i + 1] : std::string();
        auto needValue = [&]() {
            if (!hasValue)
                o.error = a + " needs a value";
            else
                ++i;
            return hasValue;
        };
        if (a == "--ticks") {
            if (needValue() && (o.ticks = std::atol(value.c_str())) < 1)
                o.error = "--ticks must be at least 1";
        } else if (a == "--size") {
            if (needValue() && !ParseSize(value, &o.width, &o.height))
                o.error = "--size wants WIDTHxHEIGHT";
        } else if (a == "--start") {
            if (needValue()) {
                const std::time_t when = ParseLocalTime(value);
                if (when < 0)
                    o.error = "--start wants YYYY-MM-DD HH:MM[:SS], not " + value;
                else
                    o.starts.push_back(when);
            }
        } else if (a == "--rate") {
            if (needValue() && !((o.rate = std::atof(value.c_str())) > 0))
                o.error = "--rate must be above 0 seconds per tick";
        } else if (a == "--seed") {
            if (needValue())
                o.seed = static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
        } else if (a == "--speed") {
            if (needValue() && ((o.speed = std::atoi(value.c_str())) < 0 || o.speed > 150))
                o.error = "--speed lies between 0 and 150";
        } else if (a == "--no-hold") {
            o.holdSprites = false;
        } else if (a == "--whole-copies") {
            o.partialCopies = false;
        } else if (a == "--redraw-all") {
            o.redrawChangedOnly = false;
        } else if (a == "--no-floor") {
            o.measureFloor = false;
        } else if (a == "--check-objects") {
            o.checkObjects = true;
        } else if (a == "--zoom") {
            o.zoom = true;
        } else {
            o.error = "unknown argument " + a;
        }
    }
    if (o.starts.empty())
        o.starts.push_back(ParseLocalTime("2026-12-05 20:30:00"));
    return o;
}

void SetFakeTime(double seconds) {
    gFakeSeconds = seconds;
}

double FakeTime() {
    return gFakeSeconds;
}

std::time_t FakeTimeSource() {
    return static_cast<std::time_t>(std::floor(gFakeSeconds));
}

bool SceneWindow::Open(int width, int height, HMODULE module, uint32_t seed, bool mayZoom) {
    Close();
    // The frame's input handling would close the saver when the bench's window loses the focus.
    ResetFrameState();
    gFrame.preview = true;
    gFrame.mayZoom = mayZoom;
    WNDCLASSA wc{};
    wc.lpfnWndProc = BenchWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = nullptr;
    wc.lpszClassName = "QuellbrandBench";
    RegisterClassA(&wc);  // fails harmlessly when a previous window registered it
    window_ = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "Quellbrand bench", WS_POPUP, 0, 0, width, height,
                              nullptr, nullptr, wc.hInstance, nullptr);
    if (!window_)
        return false;
    // The scene started on creation with the program's own module; its pictures are in the saver.
    gScene.module = module;
    SeedRandom(seed);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    Pump();
    return true;
}

void SceneWindow::Tick() {
    ScreenSaverProc(window_, WM_TIMER, 101, 0);
}

void SceneWindow::Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_TIMER)
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void SceneWindow::Close() {
    if (window_) {
        DestroyWindow(window_);
        window_ = nullptr;
        Pump();
    }
}

namespace {

// FNV-1a over a stage-sized rectangle of dc, read as 32-bit pixels.
uint64_t ChecksumOf(HDC dc, int left, int top) {
    if (!dc || gScene.stageWidth <= 0)
        return 0;
    uint32_t* bits = nullptr;
    HBITMAP copy = CreateTopDownSection(gScene.screenDc, gScene.stageWidth, StageHeight, &bits);
    if (!copy)
        return 0;
    HDC into = CreateCompatibleDC(gScene.screenDc);
    HGDIOBJ old = SelectObject(into, copy);
    BitBlt(into, 0, 0, gScene.stageWidth, StageHeight, dc, left, top, SRCCOPY);
    GdiFlush();
    uint64_t hash = 1469598103934665603ull;
    const auto* p = reinterpret_cast<const unsigned char*>(bits);
    const size_t size = static_cast<size_t>(gScene.stageWidth) * StageHeight * 4;
    for (size_t i = 0; i < size; ++i) {
        if (i % 4 == 3)
            continue;  // the unused byte of each pixel
        hash = (hash ^ p[i]) * 1099511628211ull;
    }
    SelectObject(into, old);
    DeleteDC(into);
    DeleteObject(copy);
    return hash;
}

}  // namespace

uint64_t StageChecksum() {
    return ChecksumOf(gScene.stageDc, 0, 0);
}

uint64_t WindowStageChecksum() {
    return ChecksumOf(gScene.screenDc, gScene.stageLeft, gScene.stageTop);
}

long GdiCapacity() {
    // Regions are the smallest GDI objects; the table of a process holds tens of thousands.
    constexpr long kLimit = 200000;
    std::vector<HRGN> made;
    made.reserve(70000);
    while (static_cast<long>(made.size()) < kLimit) {
        HRGN r = CreateRectRgn(0, 0, 1, 1);
        if (!r)
            break;
        made.push_back(r);
    }
    for (HRGN r : made)
        DeleteObject(r);
    return static_cast<long>(made.size());
}

long GdiObjects() {
    return static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
}

UserCount UserObjects() {
    const long reported = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    if (reported > 0)
        return UserCount{reported, false};
    constexpr long kLimit = 200000;
    std::vector<HMENU> made;
    made.reserve(70000);
    while (static_cast<long>(made.size()) < kLimit) {
        HMENU m = CreateMenu();
        if (!m)
            break;
        made.push_back(m);
    }
    for (HMENU m : made)
        DestroyMenu(m);
    return UserCount{static_cast<long>(made.size()), true};
}

MemoryUse ProcessMemory() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters))
        return MemoryUse{0, 0};
    // Wine leaves PrivateUsage at 0; the commit charge it reports as pagefile usage is the same figure.
    const uint64_t privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    return MemoryUse{privateBytes, counters.WorkingSetSize};
}

double ProcessCpuMicroseconds() {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user))
        return 0;
    auto us = [](const FILETIME& t) {
        return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10.0;
    };
    return us(kernel) + us(user);
}

double Percentile(std::vector<double> samples, double share) {
    if (samples.empty())
        return 0;
    const size_t at = std::min(samples.size() - 1, static_cast<size_t>(share * static_cast<double>(samples.size())));
    std::nth_element(samples.begin(), samples.begin() + static_cast<long>(at), samples.end());
    return samples[at];
}

uint64_t TouchModulePages(HMODULE module) {
    // A datafile module's handle is its base address with the low bits marking the kind of load.
    const auto base = reinterpret_cast<const char*>(reinterpret_cast<ULONG_PTR>(module) & ~ULONG_PTR{0xFFFF});
    uint64_t touched = 0;
    volatile char sink = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = base; VirtualQuery(at, &region, sizeof region) == sizeof region &&
                                region.AllocationBase == base;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        const DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                               PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
        if (region.State != MEM_COMMIT || !(region.Protect & readable) || (region.Protect & PAGE_GUARD))
            continue;
        const auto* first = static_cast<const volatile char*>(region.BaseAddress);
        for (SIZE_T offset = 0; offset < region.RegionSize; offset += 4096)
            sink = sink + first[offset];
        touched += region.RegionSize;
    }
    return touched;
}

// The saver reads its settings from the registry; the run gets a private key with the chosen speed.
HKEY UsePrivateSettings(int speed) {
    const char* path = "Software\\QuellbrandBench";
    RegDeleteTreeA(HKEY_CURRENT_USER, path);
    HKEY root = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root, nullptr) !=
        ERROR_SUCCESS)
        return nullptr;
    RegOverridePredefKey(HKEY_CURRENT_USER, root);
    HKEY settings;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKeyName, 0, nullptr, 0, KEY_WRITE, nullptr, &settings, nullptr) ==
        ERROR_SUCCESS) {
        // A key without "Tag" and "Nacht" reads as night after 19; a first start without a key shows
        // day from 8 to 20, and that is what the bench runs with.
        const struct {
            const char* name;
            DWORD value;
        } values[] = {{"Speed", static_cast<DWORD>(speed)}, {"Tag", 8}, {"Nacht", 20}};
        for (const auto& v : values)
            RegSetValueExA(settings, v.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v.value), sizeof v.value);
        RegCloseKey(settings);
    }
    return root;
}
