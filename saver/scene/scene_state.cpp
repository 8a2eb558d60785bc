#include "scene/scene_state.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "gfx/blit.h"
#include "gfx/resources.h"
#include "scene/draw_order.h"
#include "settings/settings.h"

SceneState gScene;
FigureRecord gFigures[FigureTableSize];

namespace {

FigureLoadObserver gLoadObserver = nullptr;

void ReportLoad(FigureId id, int loaded) {
    if (gLoadObserver)
        gLoadObserver(id, loaded);
}

constexpr std::array<int, FigureTableSize> MakeBitmapCounts() {
    std::array<int, FigureTableSize> counts{};
    constexpr int oneSheet[] = {1,  2,  3,  5,  7,  8,  9,  11, 12, 13, 15, 16, 20, 21, 23, 24, 25,
                                26, 27, 29, 30, 34, 37, 38, 40, 49, 50, 53, 56, 57, 58, 59, SignId};
    for (int id : oneSheet)
        counts[id] = 1;
    for (int id = 80; id <= 99; ++id)
        counts[id] = 1;
    for (int id = 101; id <= 106; ++id)
        counts[id] = 1;
    for (int id : {4, 6, 14, 22})
        counts[id] = 2;
    counts[BusId] = 3;
    return counts;
}

bool IsPerson(FigureId id) {
    return id < FirstPersonlessId;
}

void FreeFigurePictures(FigureRecord& f, FigureId id) {
    for (int k = 0; k < FigureBitmapCount[id]; ++k) {
        DeleteSprite(f.mask[k]);
        DeleteSprite(f.image[k]);
    }
}

// "FIG02_T00", the bus "FIG70_N01_03" (with its colour), night layers "FIG101_03_02_01_00".
void SheetName(char* name, size_t size, FigureId id, int variant, int busColour) {
    const char dayOrNight = gScene.timeOfDay == 2 ? 'N' : 'T';
    if (id == BusId)
        std::snprintf(name, size, "FIG%02d_%c%02d_%02d", id, dayOrNight, variant, busColour);
    else if (id < 101)
        std::snprintf(name, size, "FIG%02d_%c%02d", id, dayOrNight, variant);
    else
        std::snprintf(name, size, "FIG%03d_%02d_%02d_%02d_%02d", id, gSettings.backgroundNo, gScene.timeOfDay,
                      gScene.season, variant);
}

// Vehicles enter at a random spot off their lane's starting edge. The x draw comes before the y draw.
void PlaceVehicle(FigureId id, FigureRecord& f) {
    const int stageRight = gScene.stageWidth;
    const int stageHeight = gScene.stageHeight;
    if (id >= 80 && id <= 87) {
        f.x = stageRight + 5 + Rand() % 76;
        f.y = stageHeight - f.height - Rand() % 16 - 65;
        gScene.farLaneVehicle = id;
    } else if (id == 88) {
        f.x = stageRight + 5 + Rand() % 76;
        f.y = stageHeight - Rand() % 16 - 147;  // the composite car's sheet height does not count
        gScene.farLaneVehicle = id;
    } else if (id == 89) {
        f.x = -250;
        f.y = stageHeight - Rand() % 17 - 117;
        gScene.nearLaneVehicle = id;
    } else if (id >= 90 && id <= 98) {
        f.x = -450;
        f.y = stageHeight - f.height - Rand() % 17 - 4;
        gScene.nearLaneVehicle = id;
    } else if (id == 99) {
        f.x = -450;
        f.ready = 0;
        f.y = stageHeight - f.height - Rand() % 14 - 2;
        gScene.nearLaneVehicle = id;
    }
}

}  // namespace

const std::array<int, FigureTableSize> FigureBitmapCount = MakeBitmapCounts();

void ResetSceneState() {
    gScene = SceneState{};
    for (auto& f : gFigures)
        f = FigureRecord{};
    gScene.stageHeight = StageHeight;
    gScene.motiveNo = -1;
    gScene.directorTicks = 99;
    gScene.lastBuildHour = -1;
    gScene.lastMinute = -1;
    gScene.personCountdown = 10;
    gScene.vehicleCountdown = 15;
    gScene.aircraftCountdown = 25;
    gScene.lightsCountdown = 4;
    std::copy(InitialDrawOrder.begin(), InitialDrawOrder.end(), gScene.drawOrder);
    gScene.counters[88].carColour = -1;
    gScene.clockMinute = -1;
    gScene.calendarDay = gScene.calendarMonth = gScene.calendarYear = -1;
}

void SeedRandom(uint32_t seed) {
    gScene.randomState = seed;
}

int Rand() {
    gScene.randomState = gScene.randomState * 214013u + 2531011u;
    return static_cast<int>((gScene.randomState >> 16) & 0x7FFF);
}

int LoadFigure(FigureId id) {
    if (id < 1 || id >= FigureTableSize)
        return 0;
    FigureRecord& f = gFigures[id];
    if (f.active)
        return 1;

    f.active = 1;
    f.phase = (id >= 80 && id <= 100) ? 1 : 0;  // vehicles are placed here, persons by their script
    if (IsPerson(id))
        ++gScene.personCount;
    const int busColour = Rand() % 3 + 1;  // drawn on every load; only the bus uses it

    bool loaded = FigureBitmapCount[id] > 0;
    for (int k = 0; loaded && k < FigureBitmapCount[id]; ++k) {
        char name[40];
        SheetName(name, sizeof name, id, k, busColour);
        f.image[k] = LoadSceneBitmap(gScene.module, name, &gScene.scratchPalette, false);
        f.mask[k] = CreateMaskBitmap(f.image[k]);
        loaded = f.image[k] && f.mask[k] && MakeMask(f.image[k], f.mask[k], TransparentKey);
        if (loaded) {  // drawn on every tick from now on
            HoldSprite(f.image[k]);
            HoldSprite(f.mask[k]);
        }
    }
    if (!loaded) {
        FreeFigurePictures(f, id);
        if (IsPerson(id) && gScene.personCount > 0)
            --gScene.personCount;
        f.phase = 0;
        f.active = 0;
        ReportLoad(id, 0);
        return 0;
    }

    gfx::FrameRect size{};
    GetBitmapSize(f.image[0], &size);
    f.width = size.width;
    f.height = size.height;
    PlaceVehicle(id, f);
    ReportLoad(id, 1);
    return 1;
}

void SetFigureLoadObserver(FigureLoadObserver observer) {
    gLoadObserver = observer;
}

void UnloadFigure(FigureId id) {
    if (id < 1 || id >= FigureTableSize)
        return;
    FigureRecord& f = gFigures[id];
    if (f.active) {
        FreeFigurePictures(f, id);
        if (IsPerson(id) && gScene.personCount >= 1)
            --gScene.personCount;
    }
    f.phase = 0;
    f.active = 0;
}
