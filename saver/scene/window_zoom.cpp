#include "scene/window_zoom.h"

WindowZoom gZoom;

int ZoomFactor(int monitorWidth, int monitorHeight, bool enabled) {
    if (!enabled || monitorWidth <= 0 || monitorHeight <= 0)
        return 1;
    const int across = monitorWidth / ZoomPictureWidth;
    const int down = monitorHeight / ZoomPictureHeight;
    const int n = across < down ? across : down;
    return n >= 2 ? n : 1;
}

HDC StartWindowZoom(HDC windowDc, int width, int height, int factor, int* sceneWidth, int* sceneHeight) {
    gZoom = WindowZoom{};
    gZoom.factor = 1;
    gZoom.windowDc = windowDc;
    *sceneWidth = width;
    *sceneHeight = height;
    if (factor < 2 || !windowDc || (GetDeviceCaps(windowDc, RASTERCAPS) & RC_PALETTE))
        return windowDc;

    const int w = width / factor, h = height / factor;
    HDC dc = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = dc ? CreateCompatibleBitmap(windowDc, w, h) : nullptr;
    if (!bitmap) {
        if (dc)
            DeleteDC(dc);
        return windowDc;
    }
    gZoom.factor = factor;
    gZoom.sceneDc = dc;
    gZoom.sceneBitmap = bitmap;
    gZoom.sceneWidth = w;
    gZoom.sceneHeight = h;
    gZoom.originalBitmap = SelectObject(dc, bitmap);
    SetGraphicsMode(dc, GM_COMPATIBLE);
    SetMapMode(dc, MM_TEXT);
    PatBlt(dc, 0, 0, w, h, BLACKNESS);
    // Every pixel repeated, none blended: the enlarged art must stay exactly the art.
    SetStretchBltMode(windowDc, COLORONCOLOR);
    SetBoundsRect(dc, nullptr, DCB_RESET | DCB_ENABLE);
    *sceneWidth = w;
    *sceneHeight = h;
    return dc;
}

void StopWindowZoom(HWND window) {
    if (gZoom.sceneDc) {
        if (gZoom.originalBitmap)
            SelectObject(gZoom.sceneDc, gZoom.originalBitmap);
        DeleteDC(gZoom.sceneDc);
    }
    if (gZoom.sceneBitmap)
        DeleteObject(gZoom.sceneBitmap);
    if (gZoom.windowDc)
        ReleaseDC(window, gZoom.windowDc);
    gZoom = WindowZoom{};
    gZoom.factor = 1;
}

bool ZoomActive() {
    return gZoom.factor > 1 && gZoom.sceneDc;
}

HDC ZoomWindowDc() {
    return gZoom.windowDc;
}

void ShowZoomedDraws() {
    if (!ZoomActive())
        return;
    RECT drawn{};
    if (GetBoundsRect(gZoom.sceneDc, &drawn, DCB_RESET) != DCB_SET)
        return;
    const RECT scene{0, 0, gZoom.sceneWidth, gZoom.sceneHeight};
    RECT part{};
    if (!IntersectRect(&part, &drawn, &scene))
        return;
    const int n = gZoom.factor;
    const int w = part.right - part.left, h = part.bottom - part.top;
    StretchBlt(gZoom.windowDc, part.left * n, part.top * n, w * n, h * n, gZoom.sceneDc, part.left, part.top, w, h,
               SRCCOPY);
}
