#include "scene/scenery.h"

#include <cstdio>

#include "clock/calendar.h"
#include "gfx/blit.h"
#include "gfx/resources.h"
#include "scene/frame_tick.h"
#include "scene/stage_copy.h"
#include "settings/settings.h"

namespace {

constexpr int kStreetPictureHeight = 128;
constexpr int kBoardOffsetX = 300;
constexpr int kSignX = 205;
constexpr int kSignAboveStageBottom = 242;
constexpr int kCalendarWidth = 156;
constexpr int kCalendarHeight = 128;
constexpr int kCalendarMotive = 1;

HBITMAP LoadPicture(const char* name) {
    return LoadSceneBitmap(gScene.module, name, &gScene.scratchPalette, false);
}

// Draws a picture with its key colour transparent, then frees it.
void DrawTransparentAndFree(HDC dc, HBITMAP picture, int x, int y) {
    HBITMAP mask = CreateMaskBitmap(picture);
    if (mask && MakeMask(picture, mask, TransparentKey))
        BlitMasked(dc, picture, mask, BlitPoint{x, y});
    if (mask)
        DeleteObject(mask);
    DeleteObject(picture);
}

HDC MakeSurfaceDc() {
    HDC dc = CreateCompatibleDC(gScene.screenDc);
    if (dc)
        SetMapMode(dc, MM_TEXT);
    return dc;
}

void FillBlack(HDC dc, int width, int height) {
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

bool PrepareBackdrop() {
    if (!gScene.backdropBitmap) {
        // the stage's refresh copies from it on every tick: by hand where it is a surface of our own
        gScene.backdropBitmap = CreateSurfaceBitmap(gScene.screenDc, gScene.screenWidth, gScene.screenHeight);
        if (!gScene.backdropBitmap)
            return false;
    } else if (gScene.backdropDc && gScene.backdropOriginalBitmap) {
        SelectObject(gScene.backdropDc, gScene.backdropOriginalBitmap);
    }
    if (!gScene.backdropDc) {
        gScene.backdropDc = MakeSurfaceDc();
        if (!gScene.backdropDc)
            return false;
    }
    HGDIOBJ previous = SelectObject(gScene.backdropDc, gScene.backdropBitmap);
    if (!gScene.backdropOriginalBitmap)
        gScene.backdropOriginalBitmap = previous;
    FillBlack(gScene.backdropDc, gScene.screenWidth, gScene.screenHeight);
    return true;
}

bool PrepareStage() {
    if (gScene.stageBitmap)
        return true;
    gScene.stageBitmap = CreateSurfaceBitmap(gScene.screenDc, gScene.stageWidth, StageHeight);
    if (!gScene.stageBitmap)
        return false;
    gScene.stageDc = MakeSurfaceDc();
    if (!gScene.stageDc)
        return false;
    gScene.stageOriginalBitmap = SelectObject(gScene.stageDc, gScene.stageBitmap);
    SetDirectTarget(gScene.stageDc, gScene.stageBitmap);  // the figures are drawn here on every tick
    FillBlack(gScene.stageDc, gScene.stageWidth, StageHeight);
    return true;
}

// Failing late still records the time of day; the caller shows the notice in any case.
int FailAfterBuild() {
    gScene.clockRedrawPending = 1;
    gScene.builtTimeOfDay = gScene.timeOfDay;
    return 0;
}

void SelectScenePalette(HDC dc) {
    SelectPalette(dc, gScene.scenePalette, FALSE);
    RealizePalette(dc);
}

}  // namespace

PicturePlacement PlacePicture(int width, int height, int screenWidth, int screenHeight) {
    PicturePlacement p{};
    p.left = width < screenWidth ? (screenWidth - width) / 2 : 0;
    if (height < screenHeight) {
        p.top = (screenHeight - height) / 2;
        p.sourceRow = 0;
        p.bottom = p.top + height;
    } else {
        // On a low window the bottom of the picture, with the pavement and the street, stays in view.
        p.top = 0;
        p.sourceRow = height - screenHeight;
        p.bottom = screenHeight;
    }
    return p;
}

int BuildScenery() {
    UpdateClockState(true);
    if (gScene.timeOfDay == gScene.builtTimeOfDay)
        return 1;
    const bool firstBuild = gScene.builtTimeOfDay == 0;

    if (!PrepareBackdrop())
        return 0;
    if (firstBuild && gSettings.autoChange)
        gSettings.backgroundNo = Rand() % 4 + 1;

    char name[40];
    if (gScene.previewMode)
        std::snprintf(name, sizeof name, "HG%02d", gSettings.backgroundNo);
    else
        std::snprintf(name, sizeof name, "HG%02d_%02d_%02d", gSettings.backgroundNo, gScene.timeOfDay, gScene.season);
    // Every picture shares one colour table, so the palette of the first build serves the whole
    // scene; it may be selected into the surfaces and must not be replaced under them.
    HBITMAP background = firstBuild ? LoadSceneBitmap(gScene.module, name, &gScene.scenePalette, true)
                                    : LoadPicture(name);
    if (!background)
        return 0;
    if (firstBuild && gScene.paletteMode && gScene.scenePalette) {
        SelectScenePalette(gScene.backdropDc);
        SelectScenePalette(gScene.screenDc);
    }

    gfx::FrameRect size{};
    GetBitmapSize(background, &size);
    const PicturePlacement place = PlacePicture(size.width, size.height, gScene.screenWidth, gScene.screenHeight);
    gScene.pictureLeft = place.left;
    gScene.pictureTop = place.top;
    BlitRect(gScene.backdropDc, place.left, place.top, background,
             gfx::FrameRect{0, place.sourceRow, size.width, size.height - place.sourceRow});
    DeleteObject(background);

    if (gScene.previewMode) {
        gScene.clockRedrawPending = 1;
        gScene.builtTimeOfDay = gScene.timeOfDay;
        return 1;
    }

    if (firstBuild) {
        gScene.streetVariant = 0;
        if (gSettings.backgroundNo == 3 && Rand() % 6 == 0)
            gScene.streetVariant = 1;
    }
    if (gScene.streetVariant > 0) {
        std::snprintf(name, sizeof name, "STR%02d_%02d_%02d_%02d", gSettings.backgroundNo, gScene.timeOfDay,
                      gScene.season, gScene.streetVariant);
        HBITMAP street = LoadPicture(name);
        if (!street)
            gScene.streetVariant = 0;
        else
            DrawTransparentAndFree(gScene.backdropDc, street, place.left, place.bottom - kStreetPictureHeight);
    }

    if (gSettings.backgroundNo != 3) {
        gScene.motiveLeft = place.left + kBoardOffsetX;
        gScene.motiveTop = place.bottom - StageHeight;
        std::snprintf(name, sizeof name, "WERBEFL_%02d", gScene.timeOfDay);
        HBITMAP board = LoadPicture(name);
        if (!board)
            return 0;
        DrawTransparentAndFree(gScene.backdropDc, board, gScene.motiveLeft, gScene.motiveTop);

        if (gScene.motiveNo < 0)
            gScene.motiveNo = gSettings.calendarOnly ? kCalendarMotive : Rand() % 8 + 1;
        std::snprintf(name, sizeof name, "MOTIV%02d_%02d", gScene.timeOfDay, gScene.motiveNo);
        HBITMAP motive = LoadPicture(name);
        if (!motive)
            return 0;
        if (gScene.motiveNo == kCalendarMotive)
            DrawCalendar(motive, kCalendarWidth, kCalendarHeight, 1);
        DrawTransparentAndFree(gScene.backdropDc, motive, gScene.motiveLeft, gScene.motiveTop);
    }

    gScene.stageLeft = place.left;
    gScene.stageTop = place.bottom - StageHeight;
    gScene.stageWidth = gScene.screenWidth - 2 * place.left;
    gScene.stageHeight = StageHeight;
    gScene.clockX = place.left + 40;
    gScene.clockY = place.bottom - 426;

    if (!PrepareStage())
        return FailAfterBuild();

    if (gScene.timeOfDay == 2 && gSettings.backgroundNo == 3) {
        for (FigureId id = 101; id <= 106; ++id)
            LoadFigure(id);
    }

    BitBlt(gScene.stageDc, 0, 0, gScene.stageWidth, StageHeight, gScene.backdropDc, gScene.stageLeft, gScene.stageTop,
           SRCCOPY);

    DeleteSprite(gScene.signMask);
    DeleteSprite(gScene.signImage);
    std::snprintf(name, sizeof name, "SCHILD_%02d", gScene.timeOfDay);
    gScene.signImage = LoadPicture(name);
    gScene.signMask = CreateMaskBitmap(gScene.signImage);
    if (!gScene.signImage || !gScene.signMask || !MakeMask(gScene.signImage, gScene.signMask, TransparentKey))
        return FailAfterBuild();
    HoldSprite(gScene.signImage);  // drawn on every tick
    HoldSprite(gScene.signMask);
    gfx::FrameRect signSize{};
    GetBitmapSize(gScene.signImage, &signSize);
    gScene.signWidth = signSize.width;
    gScene.signHeight = signSize.height;
    gScene.signX = kSignX;
    gScene.signY = gScene.stageHeight - kSignAboveStageBottom;
    gFigures[SignId].active = 1;
    BlitMasked(gScene.stageDc, gScene.signImage, gScene.signMask, BlitPoint{gScene.signX, gScene.signY});

    if (!firstBuild) {
        BitBlt(gScene.screenDc, 0, 0, gScene.screenWidth, gScene.screenHeight, gScene.backdropDc, 0, 0, SRCCOPY);
        BitBlt(gScene.screenDc, gScene.stageLeft, gScene.stageTop, gScene.stageWidth, StageHeight, gScene.stageDc, 0,
               0, SRCCOPY);
    }
    InvalidateStage();  // the window was painted whole behind the tick's copies
    gScene.clockRedrawPending = 1;
    gScene.builtTimeOfDay = gScene.timeOfDay;
    return 1;
}

namespace {

// One window-light layer: where it sits above the picture bottom and how its frames lie on the sheet.
// Layers after the first flicker when their counter exceeds rand % spread + base, drawn anew each tick.
struct NightLayer {
    int dx, dy;
    int frameWidth, frameHeight, framesPerRow, frameCount;
    int spread, base;
};

constexpr NightLayer kNightLayers[6] = {
    {47, 448, 56, 19, 3, 6, 0, 0},    {198, 463, 64, 18, 4, 8, 13, 4}, {491, 412, 96, 19, 3, 6, 28, 2},
    {691, 442, 80, 16, 3, 6, 20, 0},  {786, 386, 56, 11, 3, 6, 8, 7},  {864, 449, 56, 18, 3, 6, 14, 3},
};

void DrawLayerFrame(FigureId id, const NightLayer& layer, int frame) {
    const FigureRecord& f = gFigures[id];
    const gfx::FrameRect source{(frame % layer.framesPerRow) * (layer.frameWidth + 1),
                                (frame / layer.framesPerRow) * (layer.frameHeight + 1), layer.frameWidth,
                                layer.frameHeight};
    BlitRect(gScene.screenDc, f.x, f.y, f.image[0], source);
}

}  // namespace

void NightLayerScript(FigureId id) {
    const int index = id - 101;
    if (index < 0 || index > 5)
        return;
    const NightLayer& layer = kNightLayers[index];
    FigureRecord& f = gFigures[id];
    int& counter = gScene.nightLayerCounter[index];

    if (f.phase == 0) {
        f.x = gScene.pictureLeft + gScene.clientRect.left + layer.dx;
        f.y = gScene.screenHeight - gScene.pictureTop - layer.dy;
        if (id == 101)
            counter = Rand() % 6;
        else
            Rand();  // drawn and not used
        f.phase = 1;
        return;
    }

    if (id == 101) {
        counter -= 1;
        if (counter >= 1) {
            DrawLayerFrame(id, layer, 0);
        } else {
            counter = Rand() % 12 + 2;
            DrawLayerFrame(id, layer, Rand() % 6);  // a one-tick flicker
        }
        return;
    }

    counter += 1;
    if (counter > Rand() % layer.spread + layer.base) {
        counter = 0;
        DrawLayerFrame(id, layer, Rand() % layer.frameCount);
    }
}
