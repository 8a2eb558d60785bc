// Pieces of the scene benchmark that its tests use as well: the options, the faked clock, the
// scene driven in a window of its own, resource probes and statistics.
#pragma once
#include <windows.h>

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

struct BenchOptions {
    long ticks = 20000;
    int width = 1024;
    int height = 768;
    // Each start begins a segment of the run (the ticks are shared out evenly); the faked clock
    // then advances by rate seconds per tick.
    std::vector<std::time_t> starts;
    double rate = 0.25;
    uint32_t seed = 1;
    int speed = 129;        // the stored speed setting the scene starts with
    bool holdSprites = true;  // false draws every sprite through a temporary context
    bool partialCopies = true;  // false copies the whole stage strip twice on every tick
    bool redrawChangedOnly = true;  // false refreshes and draws every figure on every tick
    bool measureFloor = true;   // --no-floor: the ticks alone, so that the process's CPU is theirs
    bool checkObjects = false;  // exit with 3 when GDI or USER objects remain after the stop
    bool zoom = false;      // the scene may be enlarged on a big window, as in the full-screen run
    std::string error;      // why the command line was refused; empty when it was fine
};

// "--ticks N --size WxH --start 'YYYY-MM-DD HH:MM[:SS]' (repeatable) --rate S --seed N --speed N
// --no-hold --whole-copies --redraw-all --check-objects --zoom". Without a start the run begins on 5 December 2026 at 20:30.
BenchOptions ParseBenchOptions(const std::vector<std::string>& args);
// Local time of "YYYY-MM-DD HH:MM[:SS]" (or with a 'T' between date and time); -1 when malformed.
std::time_t ParseLocalTime(const std::string& text);
std::string FormatDate(std::time_t when);  // "YYYY-MM-DD"

// The clock the scene reads during a run.
void SetFakeTime(double seconds);
double FakeTime();
std::time_t FakeTimeSource();

// The scene in a window of its own, driven tick by tick through the window procedure that /s uses.
// Timer messages are dropped: the caller decides when a tick runs.
class SceneWindow {
public:
    // Pictures and sounds come from module (the saver opened as data). With mayZoom the scene is
    // enlarged on a big window as in the full-screen run (when the settings leave it on).
    bool Open(int width, int height, HMODULE module, uint32_t seed, bool mayZoom = false);
    void Tick();
    void Pump();
    void Close();  // destroys the window: the scene stops and frees what it holds
    HWND window() const { return window_; }
    ~SceneWindow() { Close(); }

private:
    HWND window_ = nullptr;
};

// FNV-1a over the stage strip as 32-bit pixels; 0 when there is no stage.
uint64_t StageChecksum();
// The same over the window where the stage is shown.
uint64_t WindowStageChecksum();

// How many more small GDI objects this process could create (the handle table's free room);
// a leak shows as a smaller number. Wine's GetGuiResources reports no GDI objects.
long GdiCapacity();
// USER objects of the process: GetGuiResources where it reports them, otherwise the free room
// for menus, counted the same way as GdiCapacity (then falling means growth).
struct UserCount {
    long value;
    bool isCapacity;
};
UserCount UserObjects();
long GdiObjects();  // GetGuiResources; 0 where the system does not report them

struct MemoryUse {
    uint64_t privateBytes;
    uint64_t workingSet;
};
MemoryUse ProcessMemory();
// User and kernel time of this process so far.
double ProcessCpuMicroseconds();

// Reads every page of a module's mapping (a datafile module included), so that the working set
// already holds it: pictures first shown late in a run then do not count as growth. Returns the
// bytes read.
uint64_t TouchModulePages(HMODULE module);

// The value below which the given share (0..1) of the samples lie; 0 for no samples.
double Percentile(std::vector<double> samples, double share);

// The saver reads its settings from HKEY_CURRENT_USER; this points that key at a private one for
// the rest of the process, holding the given speed and day from 8 to 20. The returned key is closed
// by the caller once HKEY_CURRENT_USER is given back (RegOverridePredefKey with nullptr).
HKEY UsePrivateSettings(int speed);
