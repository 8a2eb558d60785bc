// Benchmark and soak of the running scene: drives the real scene tick by tick on a faked clock,
// times every tick against the floor of a tick measured with the same contexts, counts GDI and
// USER objects and memory, counts appearances and failed loads per figure, and prints one JSON
// object as its last line.
//
//   scene_bench SAVER.SCR [--ticks N] [--size WxH] [--start "YYYY-MM-DD HH:MM"]... [--rate S]
//               [--seed N] [--speed N] [--no-hold] [--whole-copies] [--redraw-all] [--check-objects]
//               [--zoom]
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "clock/calendar.h"
#include "gfx/blit.h"
#include "scene/scene_state.h"
#include "scene/stage_copy.h"
#include "settings/settings.h"

namespace {

struct Counts {
    long appearances[FigureTableSize];
    long loadFailures[FigureTableSize];
};
Counts gCounts;

void CountLoad(FigureId id, int loaded) {
    if (id < 0 || id >= FigureTableSize)
        return;
    ++(loaded ? gCounts.appearances : gCounts.loadFailures)[id];
}

// The sprite draws into the stage during the last tick, replayed by the floor measurement.
std::vector<RECT> gStageBlits;

void RecordBlit(HDC dc, int x, int y, int width, int height) {
    if (dc == gScene.stageDc)
        gStageBlits.push_back(RECT{x, y, width, height});
}

// Sources for the floor: a monochrome and a colour strip that stay selected for the whole run,
// and a copy of the stage that puts back what the floor's blits overwrite.
struct FloorSurfaces {
    HDC maskDc = nullptr, imageDc = nullptr, savedDc = nullptr;
    HBITMAP mask = nullptr, image = nullptr, saved = nullptr;
    HGDIOBJ oldMask = nullptr, oldImage = nullptr, oldSaved = nullptr;

    bool Make() {
        mask = CreateBitmap(gScene.stageWidth, StageHeight, 1, 1, nullptr);
        image = CreateCompatibleBitmap(gScene.screenDc, gScene.stageWidth, StageHeight);
        saved = CreateCompatibleBitmap(gScene.screenDc, gScene.stageWidth, StageHeight);
        maskDc = CreateCompatibleDC(gScene.screenDc);
        imageDc = CreateCompatibleDC(gScene.screenDc);
        savedDc = CreateCompatibleDC(gScene.screenDc);
        if (!mask || !image || !saved || !maskDc || !imageDc || !savedDc)
            return false;
        oldMask = SelectObject(maskDc, mask);
        oldImage = SelectObject(imageDc, image);
        oldSaved = SelectObject(savedDc, saved);
        BitBlt(imageDc, 0, 0, gScene.stageWidth, StageHeight, gScene.backdropDc, 0, 0, SRCCOPY);
        PatBlt(maskDc, 0, 0, gScene.stageWidth, StageHeight, WHITENESS);
        return true;
    }
    void Free() {
        if (maskDc) {
            SelectObject(maskDc, oldMask);
            DeleteDC(maskDc);
        }
        if (imageDc) {
            SelectObject(imageDc, oldImage);
            DeleteDC(imageDc);
        }
        if (savedDc) {
            SelectObject(savedDc, oldSaved);
            DeleteDC(savedDc);
        }
        if (saved)
            DeleteObject(saved);
        if (mask)
            DeleteObject(mask);
        if (image)
            DeleteObject(image);
        *this = FloorSurfaces{};
    }
};

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

// What a tick cannot do without: the stage refreshed from the backdrop, every sprite of the last
// tick drawn with both passes, the stage copied to the window. Afterwards stage and window are put
// back as they were, and so are the bounds the stage keeps of what was drawn into it, so that the
// next tick finds the scene as it left it.
double MeasureFloor(const FloorSurfaces& s, LARGE_INTEGER frequency) {
    const int w = gScene.stageWidth;
    RECT bounds{};
    const bool bounded = GetBoundsRect(gScene.stageDc, &bounds, 0) == DCB_SET;
    BitBlt(s.savedDc, 0, 0, w, StageHeight, gScene.stageDc, 0, 0, SRCCOPY);

    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    BitBlt(gScene.stageDc, 0, 0, gScene.stageWidth, StageHeight, gScene.backdropDc, gScene.stageLeft, gScene.stageTop,
           SRCCOPY);
    for (const RECT& r : gStageBlits) {  // left, top, width, height
        const int bw = std::min<int>(r.right, w), bh = std::min<int>(r.bottom, StageHeight);
        BitBlt(gScene.stageDc, r.left, r.top, bw, bh, s.maskDc, 0, 0, SRCAND);
        BitBlt(gScene.stageDc, r.left, r.top, bw, bh, s.imageDc, 0, 0, SRCINVERT);
    }
    BitBlt(gScene.screenDc, gScene.stageLeft, gScene.stageTop, gScene.stageWidth, StageHeight, gScene.stageDc, 0, 0,
           SRCCOPY);
    QueryPerformanceCounter(&t1);

    BitBlt(gScene.stageDc, 0, 0, w, StageHeight, s.savedDc, 0, 0, SRCCOPY);
    BitBlt(gScene.screenDc, gScene.stageLeft, gScene.stageTop, w, StageHeight, s.savedDc, 0, 0, SRCCOPY);
    SetBoundsRect(gScene.stageDc, nullptr, DCB_RESET);
    if (bounded)
        SetBoundsRect(gScene.stageDc, &bounds, DCB_ACCUMULATE);
    return Microseconds(t0, t1, frequency);
}

void PrintCounts(const char* name, const long (&counts)[FigureTableSize]) {
    std::printf("\"%s\":{", name);
    bool first = true;
    for (FigureId id = 1; id < FigureTableSize; ++id) {
        if (counts[id] == 0)
            continue;
        std::printf("%s\"%d\":%ld", first ? "" : ",", id, counts[id]);
        first = false;
    }
    std::printf("}");
}

struct Probe {
    long gdiCapacity;
    long gdiObjects;
    UserCount user;
    MemoryUse memory;
};

Probe TakeProbe() {
    return Probe{GdiCapacity(), GdiObjects(), UserObjects(), ProcessMemory()};
}

// Capacity falls when objects are made; counts rise. Either way: how many more than at the start.
long Growth(const Probe& start, const Probe& now, bool user) {
    if (user)
        return now.user.isCapacity ? start.user.value - now.user.value : now.user.value - start.user.value;
    const long reported = now.gdiObjects - start.gdiObjects;
    return start.gdiObjects > 0 ? reported : start.gdiCapacity - now.gdiCapacity;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: scene_bench SAVER.SCR [options]\n");
        return 2;
    }
    const BenchOptions options = ParseBenchOptions(std::vector<std::string>(argv + 2, argv + argc));
    if (!options.error.empty()) {
        std::fprintf(stderr, "scene_bench: %s\n", options.error.c_str());
        return 2;
    }
    HMODULE saver = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!saver) {
        std::fprintf(stderr, "scene_bench: cannot open %s\n", argv[1]);
        return 2;
    }
    HKEY privateSettings = UsePrivateSettings(options.speed);
    SetSpriteHolding(options.holdSprites);
    SetPartialStageCopies(options.partialCopies);
    SetRedrawChangedOnly(options.redrawChangedOnly);
    SetTimeSource(FakeTimeSource);
    SetFigureLoadObserver(CountLoad);
    SetMaskedBlitObserver(RecordBlit);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);

    // The first scene of a process leaves the platform's caches filled (window contexts, fonts, the
    // sound driver); a short warm-up scene fills them before the first count is taken, so that what
    // the counts show is what a run of the scene itself leaves behind.
    // The samples' storage is touched before the first count: a million ticks fill 16 MB, which
    // the working set of the scene must not be blamed for.
    std::vector<double> tickUs(static_cast<size_t>(options.ticks)), floorUs(static_cast<size_t>(options.ticks));
    tickUs.clear();
    floorUs.clear();
    // The saver's pages are read once now: a picture first shown late in the run would otherwise
    // add its pages to the working set then, which is no growth of the scene's own.
    const uint64_t saverBytes = TouchModulePages(saver);
    const Probe cold = TakeProbe();
    SceneWindow scene;
    SetFakeTime(static_cast<double>(options.starts[0]));
    if (scene.Open(options.width, options.height, saver, options.seed, options.zoom)) {
        for (int t = 0; t < 12; ++t)
            scene.Tick();
        scene.Close();
    }
    gCounts = Counts{};
    const Probe start = TakeProbe();

    SetFakeTime(static_cast<double>(options.starts[0]));
    if (!scene.Open(options.width, options.height, saver, options.seed, options.zoom)) {
        std::fprintf(stderr, "scene_bench: no window\n");
        return 2;
    }

    std::set<std::string> dates;
    int dayNightChanges = 0, seasonChanges = 0, lastBuilt = 0, lastSeason = 0;
    MemoryUse warm{0, 0}, peakAfterWarmUp{0, 0};
    // Commit charge and working set at twenty even points of the run: a leak climbs steadily, a
    // heap that has found its high-water mark stays level.
    constexpr int kTracePoints = 20;
    std::vector<MemoryUse> trace;
    trace.reserve(kTracePoints);
    FloorSurfaces floor;
    const long warmUpTick = options.ticks / 10;
    const size_t segments = options.starts.size();
    size_t segment = 0;

    const double cpuBefore = ProcessCpuMicroseconds();
    for (long t = 0; t < options.ticks; ++t) {
        const size_t due = static_cast<size_t>(t * static_cast<long long>(segments) / options.ticks);
        if (due != segment) {
            segment = due;
            SetFakeTime(static_cast<double>(options.starts[segment]));
        }
        const bool running = gScene.startStage == StartStage::Running;
        if (running && !floor.maskDc && !floor.Make())
            floor.Free();
        if (running && floor.maskDc && t > 0 && options.measureFloor)
            floorUs.push_back(MeasureFloor(floor, frequency));

        gStageBlits.clear();
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        scene.Tick();
        QueryPerformanceCounter(&t1);
        if (running)
            tickUs.push_back(Microseconds(t0, t1, frequency));

        if (gScene.builtTimeOfDay != lastBuilt) {
            dayNightChanges += lastBuilt != 0;
            lastBuilt = gScene.builtTimeOfDay;
        }
        if (gScene.season != lastSeason) {
            seasonChanges += lastSeason != 0;
            lastSeason = gScene.season;
        }
        if (t % 64 == 0) {
            scene.Pump();
            dates.insert(FormatDate(FakeTimeSource()));
        }
        if (t == warmUpTick)
            warm = ProcessMemory();
        if ((t + 1) % std::max<long>(1, options.ticks / kTracePoints) == 0 && trace.size() < kTracePoints)
            trace.push_back(ProcessMemory());
        if (t > warmUpTick && t % 4096 == 0) {
            const MemoryUse now = ProcessMemory();
            peakAfterWarmUp.workingSet = std::max(peakAfterWarmUp.workingSet, now.workingSet);
            peakAfterWarmUp.privateBytes = std::max(peakAfterWarmUp.privateBytes, now.privateBytes);
        }
        SetFakeTime(FakeTime() + options.rate);
    }
    const double loopCpuUs = ProcessCpuMicroseconds() - cpuBefore;
    dates.insert(FormatDate(FakeTimeSource()));
    floor.Free();
    const uint64_t stage = StageChecksum(), shown = WindowStageChecksum();
    const StartStage endStage = gScene.startStage;
    const Probe afterRun = TakeProbe();
    scene.Close();
    const Probe stopped = TakeProbe();
    SetMaskedBlitObserver(nullptr);
    SetFigureLoadObserver(nullptr);
    SetTimeSource(nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    if (privateSettings)
        RegCloseKey(privateSettings);

    const double tickMedian = Percentile(tickUs, 0.5), floorMedian = Percentile(floorUs, 0.5);
    std::printf("{\"ticks\":%ld,\"running_ticks\":%zu,\"size\":\"%dx%d\",\"rate_s\":%g,\"seed\":%u,\"speed\":%d,",
                options.ticks, tickUs.size(), options.width, options.height, options.rate, options.seed,
                options.speed);
    std::printf("\"hold_sprites\":%s,\"partial_copies\":%s,\"scene_running_at_end\":%s,",
                options.holdSprites ? "true" : "false", options.partialCopies ? "true" : "false",
                endStage == StartStage::Running ? "true" : "false");
    std::printf("\"tick_us\":{\"median\":%.1f,\"p99\":%.1f,\"mean\":%.1f},\"floor_us\":%.1f,\"ratio\":%.2f,",
                tickMedian, Percentile(tickUs, 0.99),
                tickUs.empty() ? 0.0 : [&] { double s = 0; for (double v : tickUs) s += v; return s / tickUs.size(); }(),
                floorMedian, floorMedian > 0 ? tickMedian / floorMedian : 0.0);
    // The process's CPU over the loop, per tick: with --no-floor the ticks' own cost, waiting
    // for nothing, whatever the machine does beside.
    std::printf("\"cpu_us_per_tick\":%.1f,", options.ticks > 0 ? loopCpuUs / options.ticks : 0.0);
    std::printf("\"gdi\":{\"warm_up_fill\":%ld,\"reported\":[%ld,%ld,%ld],\"free_capacity\":[%ld,%ld,%ld],"
                "\"growth_after_run\":%ld,\"growth_after_stop\":%ld},",
                Growth(cold, start, false), start.gdiObjects, afterRun.gdiObjects, stopped.gdiObjects, start.gdiCapacity, afterRun.gdiCapacity,
                stopped.gdiCapacity, Growth(start, afterRun, false), Growth(start, stopped, false));
    std::printf("\"user\":{\"warm_up_fill\":%ld,\"%s\":[%ld,%ld,%ld],\"growth_after_run\":%ld,"
                "\"growth_after_stop\":%ld},",
                Growth(cold, start, true), start.user.isCapacity ? "free_capacity" : "reported", start.user.value, afterRun.user.value,
                stopped.user.value, Growth(start, afterRun, true), Growth(start, stopped, true));
    std::printf("\"private_bytes\":{\"start\":%llu,\"warm\":%llu,\"peak_after_warm_up\":%llu,\"end\":%llu},",
                static_cast<unsigned long long>(start.memory.privateBytes),
                static_cast<unsigned long long>(warm.privateBytes),
                static_cast<unsigned long long>(peakAfterWarmUp.privateBytes),
                static_cast<unsigned long long>(afterRun.memory.privateBytes));
    std::printf("\"working_set\":{\"start\":%llu,\"warm\":%llu,\"peak_after_warm_up\":%llu,\"end\":%llu},",
                static_cast<unsigned long long>(start.memory.workingSet),
                static_cast<unsigned long long>(warm.workingSet),
                static_cast<unsigned long long>(peakAfterWarmUp.workingSet),
                static_cast<unsigned long long>(afterRun.memory.workingSet));
    std::printf("\"memory_trace_mb\":{\"private_bytes\":[");
    for (size_t i = 0; i < trace.size(); ++i)
        std::printf("%s%.1f", i ? "," : "", static_cast<double>(trace[i].privateBytes) / 1048576.0);
    std::printf("],\"working_set\":[");
    for (size_t i = 0; i < trace.size(); ++i)
        std::printf("%s%.1f", i ? "," : "", static_cast<double>(trace[i].workingSet) / 1048576.0);
    std::printf("]},\"saver_pages_read_mb\":%.1f,", static_cast<double>(saverBytes) / 1048576.0);
    PrintCounts("appearances", gCounts.appearances);
    std::printf(",");
    PrintCounts("load_failures", gCounts.loadFailures);
    std::printf(",\"day_night_changes\":%d,\"season_changes\":%d,\"dates\":[", dayNightChanges, seasonChanges);
    bool first = true;
    for (const std::string& d : dates) {
        std::printf("%s\"%s\"", first ? "" : ",", d.c_str());
        first = false;
    }
    std::printf("],\"stage_checksum\":\"%016llx\",\"window_checksum\":\"%016llx\"}\n",
                static_cast<unsigned long long>(stage), static_cast<unsigned long long>(shown));
    std::fflush(stdout);

    if (options.checkObjects && (Growth(start, stopped, false) > 0 || Growth(start, stopped, true) > 0)) {
        std::fprintf(stderr, "scene_bench: GDI or USER objects remain after the scene stopped\n");
        return 3;
    }
    return 0;
}
