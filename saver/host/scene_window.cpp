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
#include "scene/window_zoom.h"
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
    LoadSettings();  // first: whether the scene is enlarged is one of them

    HDC windowDc = GetDC(window);
    SetGraphicsMode(windowDc, GM_COMPATIBLE);
    SetMapMode(windowDc, MM_TEXT);
    // The scene's screen is the primary monitor's part of the window; drawing in its coordinates
    // lands there through the window context's origin (kept, since the class owns its context).
    RECT scene;
    GetClientRect(window, &scene);
    if (!gFrame.preview && !IsRectEmpty(&gFrame.sceneRect))
        scene = gFrame.sceneRect;
    SetViewportOrgEx(windowDc, scene.left, scene.top, nullptr);
    const int width = scene.right - scene.left, height = scene.bottom - scene.top;
    const int factor = gFrame.mayZoom ? ZoomFactor(width, height, gSettings.zoomOn != 0) : 1;
    gScene.screenDc = StartWindowZoom(windowDc, width, height, factor, &gScene.screenWidth, &gScene.screenHeight);
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

// Other monitors than the scene's show black: the parts of a repaint that lie around the scene,
// which covers w x h window pixels from the origin.
void PaintAroundScene(HDC dc, const RECT& r, LONG w, LONG h) {
    FillBlackIfAny(dc, RECT{r.left, r.top, r.right, std::min(r.bottom, 0L)});
    FillBlackIfAny(dc, RECT{r.left, std::max(r.top, h), r.right, r.bottom});
    FillBlackIfAny(dc, RECT{r.left, std::max(r.top, 0L), std::min(r.right, 0L), std::min(r.bottom, h)});
    FillBlackIfAny(dc, RECT{std::max(r.left, w), std::max(r.top, 0L), r.right, std::min(r.bottom, h)});
}

// The enlarged scene repaints as the plain one does: the backdrop comes back wherever the window
// is to be painted, here first in the scene's own screen and from there enlarged.
void PaintZoomedScene(HWND window, const RECT& paint) {
    const LONG n = gZoom.factor;
    POINT origin{};
    GetViewportOrgEx(gZoom.windowDc, &origin);
    RECT r;
    GetClientRect(window, &r);
    OffsetRect(&r, -origin.x, -origin.y);
    // Columns and rows that a monitor not divisible by the factor leaves over are black too.
    PaintAroundScene(gZoom.windowDc, r, gScene.screenWidth * n, gScene.screenHeight * n);

    RECT part = paint;
    OffsetRect(&part, -origin.x, -origin.y);
    part = RECT{std::max(part.left, 0L) / n, std::max(part.top, 0L) / n, (std::max(part.right, 0L) + n - 1) / n,
                (std::max(part.bottom, 0L) + n - 1) / n};
    const RECT scene{0, 0, gScene.screenWidth, gScene.screenHeight};
    if (!IntersectRect(&part, &part, &scene))
        return;
    if (gScene.backdropDc)
        BitBlt(gScene.screenDc, part.left, part.top, part.right - part.left, part.bottom - part.top,
               gScene.backdropDc, part.left, part.top, SRCCOPY);
    RepaintZoomed(part);
}

void ScenePaint(HWND window) {
    // Anything still waiting to be enlarged goes out before the paint clips the window's context.
    ShowZoomedDraws();
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    if (ZoomActive()) {
        PaintZoomedScene(window, ps.rcPaint);
    } else if (gScene.screenDc) {
        // The whole window in the scene's coordinates; BeginPaint has clipped the context to what
        // needs painting, so nothing else is drawn.
        POINT origin{};
        GetViewportOrgEx(gScene.screenDc, &origin);
        RECT r;
        GetClientRect(window, &r);
        OffsetRect(&r, -origin.x, -origin.y);
        PaintAroundScene(gScene.screenDc, r, gScene.screenWidth, gScene.screenHeight);
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
    ForgetDirectTarget(dc);
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

    if (ZoomActive())
        StopWindowZoom(window);  // the scene's screen was a picture of its own; the window's context goes too
    else if (gScene.screenDc)
        ReleaseDC(window, gScene.screenDc);
    gZoom = WindowZoom{};
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
