#include "gfx/resources.h"

#include "gfx/blit.h"

#include <mmsystem.h>

#include <cstdio>
#include <vector>

#include "scene/scene_state.h"
#include "settings/settings.h"

HPALETTE MakePalette(const BITMAPINFOHEADER* header, int* entryCount) {
    // The colour table holds 2^bits entries for pictures of 8 bits or fewer; its size field is not used.
    const int count = header->biBitCount <= 8 ? 1 << header->biBitCount : 0;
    if (entryCount)
        *entryCount = count;
    if (count == 0)
        return nullptr;

    std::vector<unsigned char> storage(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    const auto* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(header) + header->biSize);
    for (int i = 0; i < count; ++i) {
        palette->palPalEntry[i].peRed = table[i].rgbRed;
        palette->palPalEntry[i].peGreen = table[i].rgbGreen;
        palette->palPalEntry[i].peBlue = table[i].rgbBlue;
        palette->palPalEntry[i].peFlags = 0;
    }
    return CreatePalette(palette);
}

HBITMAP LoadSceneBitmap(HMODULE module, const char* name, HPALETTE* paletteSlot, bool keepPalette) {
    HRSRC found = FindResourceA(module, name, reinterpret_cast<LPCSTR>(RT_BITMAP));
    if (!found)
        return nullptr;
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded)
        return nullptr;
    const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(loaded));
    if (!header) {
        FreeResource(loaded);
        return nullptr;
    }

    HDC screen = GetDC(nullptr);
    int entries = 0;
    *paletteSlot = MakePalette(header, &entries);
    HPALETTE previous = nullptr;
    if (*paletteSlot) {
        previous = SelectPalette(screen, *paletteSlot, FALSE);
        RealizePalette(screen);
    }

    const BYTE* bits = reinterpret_cast<const BYTE*>(header) + header->biSize + 4 * entries;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(header);
    const int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    // A picture in its own 32-bit pixels where the display has them (see CreateSurfaceBitmap),
    // converted through its colour table as CreateDIBitmap converts it.
    HBITMAP bitmap = nullptr;
    if (UsesDirectSurfaces(screen)) {
        bitmap = CreateSurfaceBitmap(screen, header->biWidth, height);
        if (bitmap && !SetDIBits(screen, bitmap, 0, height, bits, info, DIB_RGB_COLORS)) {
            DeleteObject(bitmap);
            bitmap = nullptr;
        }
    }
    if (!bitmap)
        bitmap = CreateDIBitmap(screen, header, CBM_INIT, bits, info, DIB_RGB_COLORS);

    if (!keepPalette && *paletteSlot) {
        SelectPalette(screen, previous, FALSE);
        DeleteObject(*paletteSlot);
        *paletteSlot = nullptr;
    }
    ReleaseDC(nullptr, screen);
    FreeResource(loaded);
    return bitmap;
}

void LoadSceneSounds() {
    if (!gSettings.soundOn)
        return;
    // Without an output device every sound would still start a player thread that finds nothing
    // to play on, several times a minute: the scene then keeps its sounds to itself.
    gScene.soundOutput = waveOutGetNumDevs() > 0 ? 1 : 0;
    for (int n = 1; n <= SoundCount; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "SOUND%02d", n);
        HRSRC found = FindResourceA(gScene.module, name, "WAVE");
        if (!found)
            continue;
        gScene.soundResource[n - 1] = LoadResource(gScene.module, found);
        if (gScene.soundResource[n - 1])
            gScene.soundData[n - 1] = LockResource(gScene.soundResource[n - 1]);
    }
    sndPlaySoundA(nullptr, 0);
}

void FreeSceneSounds() {
    for (int i = 0; i < SoundCount; ++i) {
        if (gScene.soundResource[i])
            FreeResource(gScene.soundResource[i]);
        gScene.soundResource[i] = nullptr;
        gScene.soundData[i] = nullptr;
    }
}

namespace {
SoundObserver gSoundObserver = nullptr;
}

void SetSoundObserver(SoundObserver observer) {
    gSoundObserver = observer;
}

void PlaySceneSound(int slot) {
    if (!gSettings.soundOn || slot < 0 || slot >= SoundCount)
        return;
    if (gSoundObserver)
        gSoundObserver(slot);
    if (!gScene.soundOutput)
        return;
    // SND_NOSTOP: a sound that is still playing is never cut off; the new one is dropped instead.
    if (gScene.soundData[slot]) {
        sndPlaySoundA(static_cast<LPCSTR>(gScene.soundData[slot]), SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_NOSTOP);
        return;
    }
    char name[16];
    std::snprintf(name, sizeof name, "SOUND%02d", slot + 1);
    PlaySoundA(name, gScene.module, SND_RESOURCE | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP);
}
