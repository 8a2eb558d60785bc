#include "scene/frame_tick.h"

#include <cstdio>

#include "clock/calendar.h"
#include "clock/clock.h"
#include "figures/aircraft.h"
#include "gfx/blit.h"
#include "gfx/resources.h"
#include "scene/director.h"
#include "scene/draw_order.h"
#include "scene/scenery.h"
#include "scene/stage_copy.h"
#include "scene/window_zoom.h"
#include "settings/settings.h"

namespace {

// What the clock and the aircraft cover on the window (see clock.cpp and aircraft.cpp).
constexpr int kClockWidth = 62;
constexpr int kClockHeight = 26;
constexpr int kAircraftTrailColumns = 10;

bool IsDay() {
    return gScene.timeOfDay == 1;
}

int DisplayColours() {
    // An enlarged scene draws into a picture of its own; the colours are the display's.
    HDC display = ZoomActive() ? ZoomWindowDc() : gScene.screenDc;
    if (GetDeviceCaps(display, RASTERCAPS) & RC_PALETTE)
        return GetDeviceCaps(display, SIZEPALETTE);
    return GetDeviceCaps(display, NUMCOLORS);
}

void CopyBackdropToWindow() {
    if (gScene.backdropDc)
        BitBlt(gScene.screenDc, 0, 0, gScene.screenWidth, gScene.screenHeight, gScene.backdropDc, 0, 0, SRCCOPY);
}

void CopyWholeStageToWindow() {
    if (gScene.stageDc)
        BitBlt(gScene.screenDc, gScene.stageLeft, gScene.stageTop, gScene.stageWidth, StageHeight, gScene.stageDc, 0,
               0, SRCCOPY);
}

void CheckDisplay() {
    const int colours = DisplayColours();
    gScene.paletteMode = colours >= 16 && colours <= 256;
    gScene.previewMode = gScene.screenWidth < 320;
    gScene.startStage = DisplayCheckOutcome(colours, gScene.previewMode);
    if (gScene.previewMode) {
        BuildScenery();  // in preview only the small picture
        CopyBackdropToWindow();
    }
}

void LoadClockPictures() {
    for (int i = 0; i < 4; ++i) {
        char name[16];
        snprintf(name, sizeof name, "UHR_%02d", i);
        gScene.clockPicture[i] = LoadSceneBitmap(gScene.module, name, &gScene.scratchPalette, false);
    }
    gScene.startStage = gScene.clockPicture[3] ? StartStage::Scenery : StartStage::MemoryNotice;
}

void StartFirstFigures() {
    UpdateClockState(true);
    if (IsDay() && gSettings.backgroundNo != 3) {
        if (Rand() % 7 == 0)
            LoadFigure(22);
        else if (Rand() % 7 == 0)
            LoadFigure(12);
        else if (Rand() % 7 == 0)
            LoadFigure(5);
        else if (Rand() % 3 == 0)
            LoadFigure(89);
    }
    if (Rand() % (IsDay() ? 7 : 4) == 0)
        LoadFigure(20);
    CopyBackdropToWindow();
    CopyWholeStageToWindow();
    InvalidateStage();  // the first running tick copies whole and learns what the window shows
    gScene.startStage = StartStage::Running;
}

// Replaces the scene with a notice over black, for good.
void ShowNotice(const char* name) {
    FillRect(gScene.screenDc, &gScene.clientRect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    MessageBeep(MB_ICONEXCLAMATION);
    if (gScene.backdropDc) {
        if (gScene.backdropOriginalBitmap)
            SelectObject(gScene.backdropDc, gScene.backdropOriginalBitmap);
        DeleteDC(gScene.backdropDc);
        if (gScene.backdropBitmap)
            DeleteObject(gScene.backdropBitmap);
        gScene.backdropDc = nullptr;
        gScene.backdropBitmap = nullptr;
        gScene.backdropOriginalBitmap = nullptr;
    }
    gScene.noticePicture = LoadSceneBitmap(gScene.module, name, &gScene.scratchPalette, false);
    gfx::FrameRect size{};
    GetBitmapSize(gScene.noticePicture, &size);
    gScene.noticeWidth = size.width;
    gScene.noticeHeight = size.height;
    gScene.startStage = StartStage::NoticeDrifting;
}

void DriftNotice() {
    if (gScene.noticeDx == 0) {  // first drifting tick
        gScene.noticeX = (gScene.screenWidth - gScene.noticeWidth) / 2;
        gScene.noticeY = (gScene.screenHeight - gScene.noticeHeight) / 2;
        gScene.noticeDx = gScene.noticeDy = 1;
    }
    if (!gScene.noticePicture)
        return;
    gScene.noticeX += gScene.noticeDx;
    gScene.noticeY += gScene.noticeDy;
    if (gScene.noticeX <= 1 || gScene.noticeX > gScene.screenWidth - gScene.noticeWidth - 10)
        gScene.noticeDx = -gScene.noticeDx;
    if (gScene.noticeY <= 1 || gScene.noticeY > gScene.screenHeight - gScene.noticeHeight - 10)
        gScene.noticeDy = -gScene.noticeDy;
    // The picture's black margin covers the trail of the one-pixel steps.
    // Into the scene's screen, which is the window's own context unless the scene is enlarged.
    BlitToDc(gScene.screenDc, gScene.noticeX, gScene.noticeY, gScene.noticePicture);
}

// At most one street sound per tick.
void PlayAmbientSound() {
    const bool tram = gSettings.backgroundNo == 3;
    if (IsDay() && !tram) {
        if (Rand() % (gScene.season == 2 ? 39001 : 7001) == 0) {
            PlaySceneSound(6);
            return;
        }
    }
    if (Rand() % 35001 == 0)
        PlaySceneSound(11);
    else if (Rand() % (tram ? 6001 : 9001) == 0)
        PlaySceneSound(Rand() % 2 == 0 ? 1 : 0);
    else if (Rand() % (tram ? 10001 : 30001) == 0)
        PlaySceneSound(14);
}

// Each step that draws on the window shows its part enlarged at once (nothing at 1x): one
// rectangle per step stays small where a union of the clock, the sky and the stage would not.
void RunningTick(HWND window) {
    if (++gScene.directorTicks >= 9) {
        gScene.directorTicks = 0;
        const bool goOn = SceneDirector(window);
        ShowZoomedDraws();  // a rebuilt scenery
        if (!goOn)
            return;
    }
    RefreshStage(FigureDrawing::ThroughBlits);  // every figure draws through the blits
    DrawFigures();
    CopyStageToWindow();
    ShowZoomedDraws();
    // The window-level extras draw after the copy; the next copy puts the stage back over them
    // wherever they reach into it.
    if (gScene.timeOfDay == 2 && --gScene.lightsCountdown < 1) {
        gScene.lightsCountdown = Rand() % 951 + 50;
        LightsFlicker();
        ShowZoomedDraws();
        InvalidateStage();  // rare; the patches' places are the lights' own business
    }
    if (gScene.minute != gScene.clockMinute || gScene.clockRedrawPending)
        NoteWindowDraw(gScene.clockX, gScene.clockY, kClockWidth, kClockHeight);
    DrawClock(gScene.hour, gScene.minute);
    ShowZoomedDraws();
    if (gScene.aircraftActive) {
        // Its work surface is copied at the position before the step, with its trail columns.
        NoteWindowDraw(gScene.aircraftX, gScene.aircraftY, gScene.aircraftWidth + kAircraftTrailColumns,
                       gScene.aircraftHeight);
        StepAircraft();
        ShowZoomedDraws();
    }
    PlayAmbientSound();
}

}  // namespace

StartStage DisplayCheckOutcome(int colours, bool preview) {
    if (preview)
        return StartStage::Preview;  // a preview is shown whatever the colours
    if (colours >= 1 && colours <= 16)
        return StartStage::ColourNotice;
    return StartStage::SoundLoading;
}

void UpdateClockState(bool decide) {
    const LocalDate now = ReadLocalDate();
    gScene.month = now.month;
    gScene.dayOfMonth = now.day;
    gScene.hour = now.hour;
    gScene.minute = now.minute;
    if (decide) {
        gScene.season = IsWinterMonth(gSettings, gScene.month) ? 2 : 1;
        gScene.timeOfDay = IsDayHour(gSettings, gScene.hour) ? 1 : 2;
    }
}

void FrameTick(HWND window) {
    switch (gScene.startStage) {
    case StartStage::DisplayCheck:
        CheckDisplay();
        break;
    case StartStage::SoundLoading:
        LoadSceneSounds();
        gScene.startStage = StartStage::ClockPictures;
        break;
    case StartStage::ClockPictures:
        LoadClockPictures();
        break;
    case StartStage::Scenery:
        gScene.startStage = BuildScenery() ? StartStage::FirstFigures : StartStage::MemoryNotice;
        break;
    case StartStage::FirstFigures:
        StartFirstFigures();
        break;
    case StartStage::Running:
        RunningTick(window);
        break;
    case StartStage::Preview:
        CopyBackdropToWindow();
        break;
    case StartStage::ColourNotice:
        ShowNotice("FARBEN");
        break;
    case StartStage::MemoryNotice:
        ShowNotice("SPEICHER");
        break;
    case StartStage::NoticeDrifting:
        DriftNotice();
        break;
    }
    ShowZoomedDraws();  // whatever the start-up steps put on the screen
    ZoomTickDone();
}
