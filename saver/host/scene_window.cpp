// The scene's window procedure: creation starts the scene, timer messages drive it, destruction
// frees everything it holds. All state lives in the scene record.
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>

#include "clock/calendar.h"
#include "figures/aircraft.h"
#include "gfx/blit.h"
#include "gfx/resources.h"
#include "host/frame.h"
#include "scene/frame_tick.h"
#include "scene/mail_check.h"
#include "scene/scene_state.h"
#include "scene/stage_copy.h"
#include "settings/settings.h"

namespace {

constexpr UINT_PTR kFrameTimerId = 101;

template <typename Handle>
void DeleteGdiObject(Handle& handle) {
    if (handle)
        DeleteObject(handle);
    handle = nullptr;
}

void SceneStart(HWND window) {
    ResetSceneState();
    gScene.module = GetModuleHandleA(nullptr);

    gScene.screenDc = GetDC(window);
    SetGraphicsMode(gScene.screenDc, GM_COMPATIBLE);
    SetMapMode(gScene.screenDc, MM_TEXT);
    // The scene's screen is the primary monitor's part of the window; drawing in its coordinates
    // lands there through the window context's origin (kept, since the class owns its context).
    RECT scene;
    GetClientRect(window, &scene);
    if (!gFrame.preview && !IsRectEmpty(&gFrame.sceneRect))
        scene = gFrame.sceneRect;
    SetViewportOrgEx(gScene.screenDc, scene.left, scene.top, nullptr);
    gScene.screenWidth = scene.right - scene.left;
    gScene.screenHeight = scene.bottom - scene.top;
    gScene.clientRect = RECT{0, 0, gScene.screenWidth, gScene.screenHeight};
    gScene.startStage = StartStage::DisplayCheck;

    SeedRandom(static_cast<uint32_t>(SceneTime()));

    // One draw per id in increasing order: about a third of the cast may come on at once.
    for (FigureId id = 0; id < FigureTableSize; ++id) {
        FigureRecord& f = gFigures[id];
        f.active = 0;
        f.boardsBus = 0;
        f.ready = id <= 100 ? (Rand() % 3 == 0 ? 1 : 0) : 1;
    }
    gFigures[34].ready = 0;

    LoadSettings();
    gScene.use24HourClock = GetProfileIntA("intl", "iTime", 1);

    if (GetProfileIntA("Mail", "MAPI", 0) > 0 && StartMailCheck(window)) {
        gScene.mailCheckOn = 1;
        gScene.mailBaseline = CountUnreadMail(window);
    }

    gScene.timerSet = SetTimer(window, kFrameTimerId, 151 - gSettings.speed, nullptr) != 0;
}

void FillBlackIfAny(HDC dc, const RECT& r) {
    if (r.left < r.right && r.top < r.bottom)
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

// Other monitors than the scene's show black: the parts of a repaint that lie around the scene.
void PaintAroundScene(HDC dc, const RECT& r) {
    const LONG w = gScene.screenWidth, h = gScene.screenHeight;
    FillBlackIfAny(dc, RECT{r.left, r.top, r.right, std::min(r.bottom, 0L)});
    FillBlackIfAny(dc, RECT{r.left, std::max(r.top, h), r.right, r.bottom});
    FillBlackIfAny(dc, RECT{r.left, std::max(r.top, 0L), std::min(r.right, 0L), std::min(r.bottom, h)});
    FillBlackIfAny(dc, RECT{std::max(r.left, w), std::max(r.top, 0L), r.right, std::min(r.bottom, h)});
}

void ScenePaint(HWND window) {
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    if (gScene.screenDc) {
        // The whole window in the scene's coordinates; BeginPaint has clipped the context to what
        // needs painting, so nothing else is drawn.
        POINT origin{};
        GetViewportOrgEx(gScene.screenDc, &origin);
        RECT r;
        GetClientRect(window, &r);
        OffsetRect(&r, -origin.x, -origin.y);
        PaintAroundScene(gScene.screenDc, r);
        const RECT scene{0, 0, gScene.screenWidth, gScene.screenHeight};
        if (gScene.backdropDc && IntersectRect(&r, &r, &scene))
            BitBlt(gScene.screenDc, r.left, r.top, r.right - r.left, r.bottom - r.top, gScene.backdropDc, r.left,
                   r.top, SRCCOPY);
    }
    EndPaint(window, &ps);
    gScene.clockRedrawPending = 1;
    InvalidateStage();
}

void RefreshPalette() {
    if (gScene.paletteMode && gScene.screenDc && gScene.backdropDc) {
        UpdateColors(gScene.screenDc);
        UpdateColors(gScene.backdropDc);
        InvalidateStage();  // the colours of the whole window may have changed
    }
}

// Puts the original bitmap back into a memory context and deletes context and bitmap.
void FreeSurface(HDC& dc, HBITMAP& bitmap, HGDIOBJ& original) {
    if (dc) {
        if (original)
            SelectObject(dc, original);
        DeleteDC(dc);
    }
    DeleteGdiObject(bitmap);
    dc = nullptr;
    original = nullptr;
}

void SceneStop(HWND window) {
    if (gScene.timerSet)
        KillTimer(window, kFrameTimerId);
    if (gScene.mailCheckOn)
        StopMailCheck();
    sndPlaySoundA(nullptr, 0);
    FreeSceneSounds();

    for (FigureId id = 1; id < FigureTableSize; ++id) {
        if (gFigures[id].active)
            UnloadFigure(id);
    }

    DeleteGdiObject(gScene.noticePicture);
    DeleteSprite(gScene.signImage);
    DeleteSprite(gScene.signMask);
    FreeSurface(gScene.backdropDc, gScene.backdropBitmap, gScene.backdropOriginalBitmap);
    FreeSurface(gScene.stageDc, gScene.stageBitmap, gScene.stageOriginalBitmap);

    ReleaseAircraft();

    for (HBITMAP& picture : gScene.clockPicture)
        DeleteGdiObject(picture);

    if (gScene.screenDc)
        ReleaseDC(window, gScene.screenDc);
    gScene.screenDc = nullptr;
    DeleteGdiObject(gScene.scenePalette);
    DeleteGdiObject(gScene.scratchPalette);
}

}  // namespace

extern "C" LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        SceneStart(window);
        break;
    case WM_DESTROY:
        SceneStop(window);
        break;
    case WM_PAINT:
        ScenePaint(window);
        break;
    case WM_ERASEBKGND:
        return 0;  // the scene paints every pixel itself
    case WM_TIMER:
        FrameTick(window);
        break;
    case WM_PALETTECHANGED:
        RefreshPalette();
        break;
    default:
        break;
    }
    return SaverDefaultProc(window, message, wParam, lParam);
}
