// Films one figure: starts it on the real scene at a faked date and time and writes, tick by tick,
// the part of the stage around it as bitmaps with a log of where the script put it. Made for
// looking at a figure in motion (feet on the ground, no jumps when the pictures change); the
// script scripts/film.sh turns the bitmaps into one labelled strip.
//
//   scene_film SAVER.SCR --figure ID --out DIR [--background N] [--every K] [--frames N]
//              [--skip N] [--crop WxH] [--alone] [--start "YYYY-MM-DD HH:MM"] [--rate S] [--seed N]
//              [--speed N] [--ticks N]
//
// The film ends when the figure has left the stage, after --frames pictures, or after --ticks.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "clock/calendar.h"
#include "gfx/blit.h"
#include "scene/scene_state.h"
#include "settings/settings.h"

namespace {

struct FilmOptions {
    FigureId figure = 0;
    std::string out;
    int background = 0;  // 0: the scene's own choice
    int every = 1;
    int frames = 240;
    int skip = 0;
    int cropWidth = 240, cropHeight = 200;
    bool alone = false;
};

// Takes the film's own arguments out of args and leaves the rest for ParseBenchOptions.
bool ParseFilmOptions(std::vector<std::string>* args, FilmOptions* o, std::string* error) {
    std::vector<std::string> rest;
    for (size_t i = 0; i < args->size(); ++i) {
        const std::string& a = (*args)[i];
        const bool hasValue = i + 1 < args->size();
        auto number = [&](int* into, int least) {
            if (!hasValue || (*into = std::atoi((*args)[++i].c_str())) < least) {
                *error = a + " wants a number of at least " + std::to_string(least);
                return false;
            }
            return true;
        };
        bool ok = true;
        if (a == "--figure")
            ok = number(&o->figure, 1) && o->figure < FigureTableSize;
        else if (a == "--background")
            ok = number(&o->background, 1) && o->background <= 4;
        else if (a == "--every")
            ok = number(&o->every, 1);
        else if (a == "--frames")
            ok = number(&o->frames, 1);
        else if (a == "--skip")
            ok = number(&o->skip, 0);
        else if (a == "--alone")
            o->alone = true;
        else if (a == "--out" && hasValue)
            o->out = (*args)[++i];
        else if (a == "--crop" && hasValue)
            ok = std::sscanf((*args)[++i].c_str(), "%dx%d", &o->cropWidth, &o->cropHeight) == 2 && o->cropWidth > 0 &&
                 o->cropHeight > 0;
        else
            rest.push_back(a);
        if (!ok) {
            if (error->empty())
                *error = a + " has a bad value";
            return false;
        }
    }
    if (o->figure == 0 || o->out.empty()) {
        *error = "--figure and --out are needed";
        return false;
    }
    *args = rest;
    return true;
}

// The sprite draws of the current tick. A script draws its figure at (or a step from) the figure's
// x,y, so the draw there tells the size of the frame shown (the record holds the whole sheet's).
std::vector<RECT> gDraws;  // left, top, width, height

void RecordDraw(HDC dc, int x, int y, int width, int height) {
    if (dc == gScene.stageDc)
        gDraws.push_back(RECT{x, y, width, height});
}

// One axis of the crop: it stays put while the figure lies inside it with a margin, and moves to
// centre the figure when it does not. A still crop shows a jump as a jump.
int FollowAxis(int current, int from, int size, int crop, int limit) {
    const int margin = std::min(crop / 8, 24);
    const bool inside = current >= 0 && from - margin >= current && from + size + margin <= current + crop;
    int start = inside ? current : from + size / 2 - crop / 2;
    return std::max(0, std::min(start, limit - crop));
}

bool WriteStageCrop(const std::string& path, int left, int top, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as a file stores it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(gScene.screenDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!copy)
        return false;
    HDC into = CreateCompatibleDC(gScene.screenDc);
    HGDIOBJ old = SelectObject(into, copy);
    BitBlt(into, 0, 0, width, height, gScene.stageDc, left, top, SRCCOPY);
    GdiFlush();
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + rowBytes * static_cast<DWORD>(height);
    bool written = false;
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        written = std::fwrite(&file, sizeof file, 1, f) == 1 && std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f) == 1 &&
                  std::fwrite(bits, rowBytes, static_cast<size_t>(height), f) == static_cast<size_t>(height);
        written = std::fclose(f) == 0 && written;
    }
    SelectObject(into, old);
    DeleteDC(into);
    DeleteObject(copy);
    return written;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + (argc > 1 ? 2 : 1), argv + argc);
    FilmOptions film;
    std::string error;
    if (argc < 2 || !ParseFilmOptions(&args, &film, &error)) {
        std::fprintf(stderr, "scene_film: %s\nusage: scene_film SAVER.SCR --figure ID --out DIR [options]\n",
                     error.c_str());
        return 2;
    }
    const BenchOptions options = ParseBenchOptions(args);
    if (!options.error.empty()) {
        std::fprintf(stderr, "scene_film: %s\n", options.error.c_str());
        return 2;
    }
    HMODULE saver = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!saver) {
        std::fprintf(stderr, "scene_film: cannot open %s\n", argv[1]);
        return 2;
    }
    CreateDirectoryA(film.out.c_str(), nullptr);
    FILE* log = std::fopen((film.out + "\\log.txt").c_str(), "w");
    if (!log) {
        std::fprintf(stderr, "scene_film: cannot write into %s\n", film.out.c_str());
        return 2;
    }
    HKEY privateSettings = UsePrivateSettings(options.speed);
    SetTimeSource(FakeTimeSource);
    SetMaskedBlitObserver(RecordDraw);
    SetFakeTime(static_cast<double>(options.starts[0]));

    SceneWindow scene;
    if (!scene.Open(options.width, options.height, saver, options.seed)) {
        std::fprintf(stderr, "scene_film: no window\n");
        return 2;
    }
    if (film.background)
        gSettings.backgroundNo = film.background;

    const FigureRecord& f = gFigures[film.figure];
    int cropLeft = -1, cropTop = -1, shots = 0, started = -1;
    const char* outcome = "the scene did not start (is there a street for that background?)";
    std::fprintf(log, "# shot tick phase x y frameWidth frameHeight frameIndex variant cropLeft cropTop\n");
    for (long t = 0; t < options.ticks; ++t) {
        gDraws.clear();
        scene.Tick();
        SetFakeTime(FakeTime() + options.rate);
        if (t % 64 == 0)
            scene.Pump();
        if (gScene.startStage != StartStage::Running)
            continue;
        outcome = "the run ended";
        if (film.alone) {  // nobody else comes; the bus keeps its timetable
            gScene.personCountdown = std::max(gScene.personCountdown, 1000);
            gScene.vehicleCountdown = std::max(gScene.vehicleCountdown, 1000);
            gScene.aircraftCountdown = std::max(gScene.aircraftCountdown, 1000);
        }
        if (started < 0) {
            if (!f.active && !LoadFigure(film.figure)) {
                outcome = "its pictures did not load";
                break;
            }
            started = static_cast<int>(t);
            continue;  // the script places it on the next tick
        }
        if (!f.active) {
            outcome = "it left the stage";
            break;
        }
        const long since = t - started;
        if (since < film.skip || (since - film.skip) % film.every != 0)
            continue;
        // Scripts that step on the tick they draw leave x,y a step away from the draw: take the
        // draw nearest to the figure's point.
        auto distance = [&](const RECT& r) { return std::abs(r.left - f.x) + std::abs(r.top - f.y); };
        auto drawn = std::min_element(gDraws.begin(), gDraws.end(),
                                      [&](const RECT& a, const RECT& b) { return distance(a) < distance(b); });
        if (drawn != gDraws.end() && distance(*drawn) > 48)
            drawn = gDraws.end();
        const int frameWidth = drawn != gDraws.end() ? drawn->right : 40;
        const int frameHeight = drawn != gDraws.end() ? drawn->bottom : 80;
        const int w = std::min(film.cropWidth, gScene.stageWidth), h = std::min(film.cropHeight, StageHeight);
        cropLeft = FollowAxis(cropLeft, f.x, frameWidth, w, gScene.stageWidth);
        cropTop = FollowAxis(cropTop, f.y, frameHeight, h, StageHeight);
        char name[32];
        std::snprintf(name, sizeof name, "shot_%05d.bmp", shots);
        if (!WriteStageCrop(film.out + "\\" + name, cropLeft, cropTop, w, h)) {
            outcome = "a picture could not be written";
            break;
        }
        const FigureCounters& c = gScene.counters[film.figure];
        std::fprintf(log, "%d %ld %d %d %d %d %d %d %d %d %d\n", shots, since, f.phase, f.x, f.y, frameWidth, frameHeight,
                     c.frameIndex, c.variant, cropLeft, cropTop);
        if (++shots >= film.frames) {
            outcome = "enough pictures";
            break;
        }
    }
    std::fclose(log);
    scene.Close();
    SetMaskedBlitObserver(nullptr);
    SetTimeSource(nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    if (privateSettings)
        RegCloseKey(privateSettings);
    std::printf("figure %d: %d pictures, %s\n", film.figure, shots, outcome);
    return shots > 0 ? 0 : 1;
}
