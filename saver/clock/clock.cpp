#include "clock/clock.h"

#include <windows.h>
#include <mmsystem.h>

#include "gfx/blit.h"
#include "scene/scene_state.h"
#include "settings/settings.h"

namespace {

constexpr int kDigitWidth = 14;
constexpr int kDigitHeight = 26;
constexpr int kChimeSlot = 4;  // sound 5

void Chime() {
    if (!gSettings.soundOn)
        return;
    if (gScene.soundData[kChimeSlot]) {
        sndPlaySoundA(static_cast<LPCSTR>(gScene.soundData[kChimeSlot]),
                      SND_MEMORY | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP);
    } else {
        PlaySoundA("SOUND05", gScene.module, SND_RESOURCE | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP);
    }
}

void DrawDigit(HBITMAP digits, int digit, int x) {
    BlitRect(gScene.screenDc, x, gScene.clockY, digits, gfx::FrameRect{kDigitWidth * digit, 0, kDigitWidth, kDigitHeight});
}

}  // namespace

int DisplayedHour(int hour, int use24HourClock) {
    return use24HourClock < 1 && hour > 12 ? hour - 12 : hour;
}

void DrawClock(int hour, int minute) {
    if (minute == gScene.clockMinute && !gScene.clockRedrawPending)
        return;
    // The chime sounds whenever the clock is drawn in minute 0, a forced redraw included.
    if (minute == 0)
        Chime();
    const int shown = DisplayedHour(hour, gScene.use24HourClock);
    gScene.clockRedrawPending = 0;
    gScene.clockMinute = minute;

    const int background = gSettings.backgroundNo - 1;
    if (background < 0 || background > 3)
        return;
    HBITMAP digits = gScene.clockPicture[background];
    DrawDigit(digits, shown / 10, gScene.clockX);
    DrawDigit(digits, shown % 10, gScene.clockX + 14);
    DrawDigit(digits, minute / 10, gScene.clockX + 33);
    DrawDigit(digits, minute % 10, gScene.clockX + 48);
}
