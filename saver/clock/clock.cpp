#include "clock/clock.h"

#include <windows.h>

#include "gfx/blit.h"
#include "gfx/resources.h"
#include "scene/scene_state.h"
#include "settings/settings.h"

namespace {

constexpr int kDigitWidth = 14;
constexpr int kDigitHeight = 26;
constexpr int kChimeSlot = 4;  // sound 5

// The scene's own sound call plays it from memory when loaded, else by resource name, and never
// cuts off a sound that is still playing; with sound off it does nothing.
void Chime() {
    PlaySceneSound(kChimeSlot);
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
