// Pictures and sounds found by name in the program's resources.
#pragma once
#include <windows.h>

// Loads an 8-bit bitmap resource as a device-dependent bitmap for the screen. Its colour table
// becomes a palette in *paletteSlot while the bitmap is made; with keepPalette the palette stays
// there (and selected in the screen context), otherwise it is deleted and the slot cleared.
HBITMAP LoadSceneBitmap(HMODULE module, const char* name, HPALETTE* paletteSlot, bool keepPalette);

// A logical palette from a bitmap's colour table; null when the picture has more than 8 bits
// per pixel. entryCount receives the number of colour-table entries read (may be null).
HPALETTE MakePalette(const BITMAPINFOHEADER* header, int* entryCount);

// Loads all scene sounds into memory (only when sound is on).
void LoadSceneSounds();
// Frees the sounds that were loaded.
void FreeSceneSounds();
// Starts sound slot 0..26 (sound number slot + 1) unless one is playing already.
void PlaySceneSound(int slot);

// Tests watch which sounds the scene starts: the observer sees every slot that is started while
// sound is on, whether or not another sound is still playing. Null (the default) watches nothing.
using SoundObserver = void (*)(int slot);
void SetSoundObserver(SoundObserver observer);
