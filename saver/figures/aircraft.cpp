#include "figures/aircraft.h"

#include <cstdio>

#include "figures/script_model.h"
#include "gfx/blit.h"
#include "gfx/resources.h"
#include "scene/window_zoom.h"
#include "settings/settings.h"

namespace {

constexpr int kPlaneWithBanner = 1;
constexpr int kNewMailPlane = 2;
constexpr int kFirstBird = 6;
// The object moves left by at most 8 pixels a tick: these extra columns put the backdrop back
// where it was on the previous tick.
constexpr int kTrailColumns = 10;

// Where the light patches of each street's houses lie: (dx, dy) above the picture bottom.
constexpr int kPatchOffset[4][4][2] = {
    {{129, 409}, {367, 401}, {570, 415}, {849, 420}},
    {{0, 393}, {145, 438}, {491, 424}, {783, 425}},
    {{0, 396}, {146, 435}, {374, 417}, {692, 424}},
    {{66, 389}, {338, 424}, {646, 413}, {866, 411}},
};

bool IsPlane(int type) {
    return type == kPlaneWithBanner || type == kNewMailPlane;
}
bool IsBalloon(int type) {
    return type >= 3 && type <= 5;
}

int ChooseType() {
    const int t = Rand() % 12 + 1;
    if (t < 3 || t > 7)
        return gScene.newMail == 1 ? kNewMailPlane : kPlaneWithBanner;
    return t;
}

int FrameCount(int type) {
    return type < kFirstBird ? 2 : 4;
}

bool LoadFrames(int type) {
    const int frames = FrameCount(type);
    for (int k = 0; k < frames; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "FLUG%d_%02d", type, k);
        gScene.aircraftImage[k] = LoadSceneBitmap(gScene.module, name, &gScene.scratchPalette, false);
        gScene.aircraftMask[k] = CreateMaskBitmap(gScene.aircraftImage[k]);
        if (!gScene.aircraftImage[k] || !gScene.aircraftMask[k] ||
            !MakeMask(gScene.aircraftImage[k], gScene.aircraftMask[k], TransparentKey))
            return false;
        // drawn on every tick of the flight: by hand into the work surface where it is one
        HoldSprite(gScene.aircraftImage[k]);
        HoldSprite(gScene.aircraftMask[k]);
    }
    return true;
}

bool MakeWorkSurface() {
    const int width = gScene.aircraftWidth + kTrailColumns, height = gScene.aircraftHeight;
    gScene.aircraftWorkBitmap = CreateSurfaceBitmap(gScene.screenDc, width, height);
    if (!gScene.aircraftWorkBitmap)
        return false;
    gScene.aircraftWorkDc = CreateCompatibleDC(gScene.screenDc);
    if (!gScene.aircraftWorkDc)
        return false;
    SetMapMode(gScene.aircraftWorkDc, MM_TEXT);
    gScene.aircraftWorkOriginalBitmap = SelectObject(gScene.aircraftWorkDc, gScene.aircraftWorkBitmap);
    AddWorkSurface(gScene.aircraftWorkDc, gScene.aircraftWorkBitmap);
    RECT all{0, 0, width, height};
    FillRect(gScene.aircraftWorkDc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return true;
}

// The work surface onto the screen at (x, y). An enlarged scene takes its pixels on to the window
// where they differ from what the window shows, without a copy into the scene first.
void CopyWorkToScreen(int x, int y, int width, int height) {
    DirectPixels work{};
    if (SurfacePixels(gScene.aircraftWorkBitmap, &work) && ShowZoomedPicture(work, x, y, RECT{0, 0, width, height}))
        return;
    BitBlt(gScene.screenDc, x, y, width, height, gScene.aircraftWorkDc, 0, 0, SRCCOPY);
}

// The start height: near the top of the picture on a tall window, at the very top otherwise.
int StartHeight() {
    if (gScene.screenHeight <= 600)
        return Rand() % 10 + 1;
    const int top = gScene.pictureTop;
    const int lowest = top * 8 / 10;
    return Rand() % (top - lowest + 31) + lowest;
}

void FlyPlane() {
    gScene.aircraftX += -4 - Rand() % 3;
    gScene.aircraftFrame = 1 - gScene.aircraftFrame;
    if (gScene.aircraftX + gScene.aircraftWidth < -10) {
        ReleaseAircraft();
        return;
    }
    if (++gScene.aircraftSoundTicks >= 11) {
        gScene.aircraftSoundTicks = 0;
        PlayFigureSound(Rand() % 2 == 1 ? 9 : 6);
    }
}

// Balloons drift with the wind: mostly left, rising and sinking a little.
void DriftBalloon() {
    gScene.aircraftX += Rand() % 5 - 3;
    const int a = Rand() % 2 + 2;
    const int d = gScene.aircraftX < gScene.screenWidth / a ? 6 : 5;
    const int r = Rand() % d;
    const int b = Rand() % 2 + 2;
    gScene.aircraftY += gScene.aircraftX < gScene.screenWidth / b ? r - 3 : r - 2;
    if (++gScene.balloonFlapTicks > Rand() % 4 + 1) {
        gScene.balloonFlapTicks = 0;
        gScene.aircraftFrame = 1 - gScene.aircraftFrame;
    }
    if (gScene.aircraftX + gScene.aircraftWidth < -10 || gScene.aircraftY + gScene.aircraftHeight < -2)
        ReleaseAircraft();
}

void FlyBirds() {
    gScene.aircraftX += -5 - Rand() % 4;
    gScene.aircraftFrame = (gScene.aircraftFrame + 1) % 4;
    if (gScene.aircraftX + gScene.aircraftWidth < -10) {
        ReleaseAircraft();
        return;
    }
    if (++gScene.aircraftSoundTicks >= 11) {
        gScene.aircraftSoundTicks = 0;
        PlayFigureSound(16);
    }
}

}  // namespace

void ReleaseAircraft() {
    for (int k = 0; k < 4; ++k) {
        DeleteSprite(gScene.aircraftMask[k]);
        DeleteSprite(gScene.aircraftImage[k]);
    }
    ForgetWorkSurface(gScene.aircraftWorkDc);
    if (gScene.aircraftWorkDc && gScene.aircraftWorkOriginalBitmap)
        SelectObject(gScene.aircraftWorkDc, gScene.aircraftWorkOriginalBitmap);
    if (gScene.aircraftWorkBitmap)
        DeleteObject(gScene.aircraftWorkBitmap);
    if (gScene.aircraftWorkDc)
        DeleteDC(gScene.aircraftWorkDc);
    gScene.aircraftWorkOriginalBitmap = nullptr;
    gScene.aircraftWorkBitmap = nullptr;
    gScene.aircraftWorkDc = nullptr;
    gScene.aircraftActive = 0;
}

void StartAircraft() {
    gScene.aircraftType = ChooseType();
    // The last flight may have ended on a bird's third or fourth picture; a plane or balloon
    // that alternated from there would show pictures it does not have.
    gScene.aircraftFrame = 0;
    if (!LoadFrames(gScene.aircraftType)) {
        ReleaseAircraft();
        return;
    }
    gfx::FrameRect size{};
    GetBitmapSize(gScene.aircraftImage[0], &size);
    gScene.aircraftWidth = size.width;
    gScene.aircraftHeight = size.height;
    if (!MakeWorkSurface()) {
        ReleaseAircraft();
        return;
    }
    gScene.aircraftX = gScene.screenWidth;
    gScene.aircraftY = StartHeight();
    gScene.aircraftActive = 1;
}

void StepAircraft() {
    if (!gScene.aircraftWorkDc || !gScene.backdropDc) {
        ReleaseAircraft();
        return;
    }
    if (gScene.aircraftFrame < 0 || gScene.aircraftFrame >= FrameCount(gScene.aircraftType))
        gScene.aircraftFrame = 0;
    const int x = gScene.aircraftX, y = gScene.aircraftY;
    const int width = gScene.aircraftWidth + kTrailColumns, height = gScene.aircraftHeight;
    BitBlt(gScene.aircraftWorkDc, 0, 0, width, height, gScene.backdropDc, x, y, SRCCOPY);
    BlitMasked(gScene.aircraftWorkDc, gScene.aircraftImage[gScene.aircraftFrame],
               gScene.aircraftMask[gScene.aircraftFrame], BlitPoint{0, 0});
    CopyWorkToScreen(x, y, width, height);

    if (IsPlane(gScene.aircraftType))
        FlyPlane();
    else if (IsBalloon(gScene.aircraftType))
        DriftBalloon();
    else
        FlyBirds();
}

void LightsFlicker() {
    const int window = gScene.screenWidth < 801 ? Rand() % 3 : Rand() % 4;
    const int variant = Rand() % 3;
    const int background = gSettings.backgroundNo;
    if (background < 1 || background > 4)
        return;
    char name[24];
    std::snprintf(name, sizeof name, "LI%02d_%02d_%02d_%02d", background, gScene.season, window, variant);
    HBITMAP patch = LoadSceneBitmap(gScene.module, name, &gScene.scratchPalette, false);
    if (!patch)
        return;
    const int x = gScene.clientRect.left + gScene.pictureLeft + kPatchOffset[background - 1][window][0];
    const int y = gScene.screenHeight - gScene.pictureTop - kPatchOffset[background - 1][window][1];
    if (x > 0)
        BlitToDc(gScene.screenDc, x, y, patch);
    DeleteObject(patch);
}
