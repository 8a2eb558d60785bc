// The running scene at the pace of the full-screen saver: the scene's own timer drives the ticks
// through a message loop, as under /s, so the window's drawings go on to the display when the loop
// waits, as they do there. Only the clock is faked, and it moves on by a fixed step per tick: with
// one seed every run shows the same scene, tick for tick, whatever the machine's timing. Two
// builds are then compared on the same minute of the street (scripts/saver_cpu.sh --paced
// measures this process, the wineserver and the X server from outside).
//
//   scene_pace SAVER.SCR [--ticks N] [--size WxH] [--start "YYYY-MM-DD HH:MM"] [--rate S]
//              [--seed N] [--speed N] [--redraw-all] [--zoom]
//
// Prints one JSON object when the ticks are done: the ticks, the wall time, the process's CPU and
// the checksums of the stage and the window, which show that two runs saw the same scene.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "clock/calendar.h"
#include "scene/scene_state.h"
#include "scene/stage_copy.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: scene_pace SAVER.SCR [options]\n");
        return 2;
    }
    const BenchOptions options = ParseBenchOptions(std::vector<std::string>(argv + 2, argv + argc));
    if (!options.error.empty()) {
        std::fprintf(stderr, "scene_pace: %s\n", options.error.c_str());
        return 2;
    }
    HMODULE saver = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!saver) {
        std::fprintf(stderr, "scene_pace: cannot open %s\n", argv[1]);
        return 2;
    }
    HKEY privateSettings = UsePrivateSettings(options.speed);
    SetRedrawChangedOnly(options.redrawChangedOnly);
    SetTimeSource(FakeTimeSource);
    SetFakeTime(static_cast<double>(options.starts[0]));

    SceneWindow scene;
    if (!scene.Open(options.width, options.height, saver, options.seed, options.zoom)) {
        std::fprintf(stderr, "scene_pace: no window\n");
        return 2;
    }
    const HWND window = scene.window();
    const double cpuBefore = ProcessCpuMicroseconds();
    const DWORD wallBefore = GetTickCount();
    long ticks = 0;
    MSG msg;
    while (ticks < options.ticks && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == window) {
            scene.Tick();  // the scene's own timer: one tick, and the clock moves on by one step
            SetFakeTime(FakeTime() + options.rate);
            ++ticks;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    const double cpuUs = ProcessCpuMicroseconds() - cpuBefore;
    const double wallS = (GetTickCount() - wallBefore) / 1000.0;
    const uint64_t stage = StageChecksum(), shown = WindowStageChecksum();
    scene.Close();
    SetTimeSource(nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    if (privateSettings)
        RegCloseKey(privateSettings);

    std::printf("{\"ticks\":%ld,\"size\":\"%dx%d\",\"seed\":%u,\"wall_s\":%.1f,\"ticks_per_s\":%.1f,"
                "\"cpu_pct\":%.2f,\"stage_checksum\":\"%016llx\",\"window_checksum\":\"%016llx\"}\n",
                ticks, options.width, options.height, options.seed, wallS, wallS > 0 ? ticks / wallS : 0.0,
                wallS > 0 ? cpuUs / 1e4 / wallS : 0.0, static_cast<unsigned long long>(stage),
                static_cast<unsigned long long>(shown));
    return 0;
}
