#include "figures/scenery_changers.h"

#include <cstdio>

#include "clock/calendar.h"
#include "figures/script_model.h"
#include "gfx/resources.h"
#include "scene/draw_order.h"
#include "settings/settings.h"

namespace {

constexpr gfx::FrameRect Row(int x, int width, int height) {
    return gfx::FrameRect{x, 0, width, height};
}

// Where the stage shows a stage point, in the backdrop.
BlitPoint BackdropPoint(int x, int y) {
    return BlitPoint{x + gScene.pictureLeft, y + gScene.screenHeight - gScene.pictureTop - gScene.stageHeight};
}

// ---------------------------------------------------------------------------------------------
// Figure 16: walks in from the right; her bag may tear and leave her shopping on the pavement.
//   phase 1  walking left, frames 0..3, 14 pixels a run; may stop between x 51 and 299 by day
//   phase 2  the bag tears, frames 4..7; the litter (frame 9) stays in the backdrop
//   phase 3  looking at the mess, frame 8
//   phase 4  walking off to the left
constexpr gfx::FrameRect kFigure16[] = {Row(0, 64, 73),   Row(65, 56, 73),  Row(122, 56, 73), Row(179, 48, 73),
                                        Row(228, 88, 73), Row(317, 88, 73), Row(406, 96, 73), Row(503, 88, 73),
                                        Row(592, 80, 73), Row(673, 48, 16)};

// One walking run of figure 16; true when she has left the stage.
bool Figure16Walk(FigureId id, FigureRecord& f, FigureCounters& c, bool mayDrop) {
    DrawFrame(id, kFigure16, c.frameIndex);
    AdvanceFrame(c, NoHold);
    if (c.frameIndex <= 3)
        return false;
    c.frameIndex = 0;
    f.x -= 14;
    if (f.x + f.width < 0) {
        LeaveStage(id);
        return true;
    }
    if (mayDrop && f.x >= 51 && f.x < 300 && gScene.timeOfDay == 1 && !gScene.figure16Waiting &&
        Rand() % 21 == 0) {
        c.tickCount = 0;
        f.x -= 25;
        f.phase = 2;
    }
    return false;
}

void DropLitter(FigureRecord& f) {
    const BlitPoint stagePoint{f.x, f.y + 74};
    BlitMaskedRect(gScene.backdropDc, f.image[0], f.mask[0], BackdropPoint(stagePoint.x, stagePoint.y),
                   kFigure16[9]);
    BlitMaskedRect(gScene.stageDc, f.image[0], f.mask[0], stagePoint, kFigure16[9]);
    gScene.figure16Waiting = 1;
    gScene.figure16LitterX = stagePoint.x;
    gScene.figure16LitterY = stagePoint.y;
}

}  // namespace

void Figure16Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    switch (f.phase) {
    case 0:
        f.x = gScene.stageWidth + Rand() % 21;
        f.ready = 0;
        gScene.figure16Waiting = 0;
        f.y = gScene.stageHeight - Rand() % 7 - f.height - 157;
        f.phase = 1;
        return;
    case 1:
        Figure16Walk(id, f, c, true);
        return;
    case 2:
        DrawFrame(id, kFigure16, 4 + c.frameIndex);
        if (AdvanceFrame(c, 1)) {
            if (c.frameIndex == 1) {
                PlayFigureSound(19);
                f.x += 11;
            } else if (c.frameIndex == 5) {
                DropLitter(f);
                c.frameIndex = 0;
                f.phase = 3;
            }
        }
        return;
    case 3:
        DrawFrame(id, kFigure16, 8);
        if (++c.tickCount > Rand() % 8 + 8)
            f.phase = 4;
        return;
    case 4:
        Figure16Walk(id, f, c, false);
        return;
    default:
        return;
    }
}

namespace {

// ---------------------------------------------------------------------------------------------
// Figure 22, the sweeper: walks in from the left in the front or the back band, copying a block of
// clean pavement (its second picture) under its broom at every step.
//   phase 1  sweeping, frames 0..3, 14 pixels a run
//   phase 2  a short pause, frames 4..7
//   phase 3  a longer rest, frames 8..11
//   phase 4  looking about, frames 12..14
constexpr gfx::FrameRect kFigure22[] = {
    Row(0, 80, 68),   Row(81, 72, 72),  Row(154, 88, 67),  Row(243, 80, 72), Row(324, 80, 68),
    Row(405, 88, 68), Row(494, 112, 67), Row(607, 88, 66), Row(696, 48, 86), Row(745, 48, 86),
    Row(794, 48, 86), Row(843, 56, 86), Row(900, 88, 72),  Row(989, 72, 72), Row(1062, 96, 72)};

constexpr int kSweepWidth = 30;
constexpr int kSweepHeight = 25;

void Sweep(const FigureRecord& f, const FigureCounters& c) {
    if (!f.image[1])
        return;
    BitmapDc source(f.image[1]);  // a held sprite: its own context
    if (!source.ok())
        return;
    const BlitPoint at = BackdropPoint(f.x + 40, f.y + 52);
    BitBlt(gScene.backdropDc, at.x, at.y, kSweepWidth, kSweepHeight, source.dc(), f.x + 40, c.sweepRow, SRCCOPY);
}

// Once the broom has passed over figure 16's scrap it is gone, and she may come again.
void SweepAwayLitter(const FigureRecord& f) {
    if (!gScene.figure16Waiting)
        return;
    const int left = f.x + 40, top = f.y + 52;
    const gfx::FrameRect& scrap = kFigure16[9];
    if (left < gScene.figure16LitterX + scrap.width && gScene.figure16LitterX < left + kSweepWidth &&
        top < gScene.figure16LitterY + scrap.height && gScene.figure16LitterY < top + kSweepHeight)
        gScene.figure16Waiting = 0;
}

// After a walking run: litter left by figure 5 near the stop makes the sweeper pause at once,
// otherwise it pauses after a while.
void PauseTest(FigureRecord& f, FigureCounters& c) {
    bool pause = f.x > gScene.signX - 100 && gScene.figure5Steps > 0;
    if (!pause) {
        c.waitCount += 1;
        pause = c.waitCount > Rand() % 46 + 15;
    }
    if (!pause)
        return;
    c.waitCount = 0;
    const int next = gScene.figure5Steps > 2 ? 2 : (Rand() % 2 == 0 ? 3 : 4);
    gScene.figure5Steps = 0;
    f.phase = next;
    if (next == 2) {
        f.x -= 6;
    } else if (next == 3) {
        f.x += 20;
        f.y -= 18;
    } else {
        f.x += 5;
    }
}

}  // namespace

void Figure22Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    switch (f.phase) {
    case 0: {
        const int depth = gScene.figure22Band == 1 ? Rand() % 8 + 131 : Rand() % 26 + 150;
        f.x = -72 - Rand() % 14;
        f.y = gScene.stageHeight - depth - 68;
        c.sweepRow = 186 - depth;
        if (gScene.figure22Band == 2) {  // drawn behind the middle of the scene
            gScene.drawOrder[SweeperBackSlot] = 22;
            gScene.drawOrder[SweeperFrontSlot] = 0;
        } else {
            gScene.drawOrder[SweeperBackSlot] = 0;
            gScene.drawOrder[SweeperFrontSlot] = 22;
            gScene.figure9Waiting = 0;
        }
        f.ready = 0;
        f.phase = 1;
        return;
    }
    case 1:
        DrawFrame(id, kFigure22, c.frameIndex);
        AdvanceFrame(c, NoHold);
        if (c.frameIndex > 3) {
            c.frameIndex = 0;
            if (Rand() % 3 < 2)
                PlayFigureSound(11);
            Sweep(f, c);
            SweepAwayLitter(f);
            f.x += 14;
            if (f.x > gScene.stageWidth) {
                LeaveStage(id);
                return;
            }
            PauseTest(f, c);
        }
        return;
    case 2:
        DrawFrame(id, kFigure22, 4 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 3 + 1) && c.frameIndex > 3) {
            c.frameIndex = 0;
            f.x += 29;
            f.phase = 1;
        }
        return;
    case 3:
        DrawFrame(id, kFigure22, 8 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 12 + 4) && c.frameIndex > 3) {
            c.frameIndex = 0;
            f.x -= 6;
            f.y += 18;
            f.phase = 1;
        }
        return;
    case 4:
        DrawFrame(id, kFigure22, 12 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 5 + 1) && c.frameIndex > 2) {
            c.frameIndex = 0;
            f.x += 12;
            f.phase = 1;
        }
        return;
    default:
        return;
    }
}

namespace {

// ---------------------------------------------------------------------------------------------
// Figure 27, the bill poster: walks in from the left with his ladder, pastes a new motive on the
// board and walks on.
//   phase 1  walking right, frames 0..3, 34 pixels a run, until in front of the board
//   phase 2  setting up the ladder, frames 4..9
//   phase 3  up the ladder, pasting, frames 10..16
//   phase 4  one tick: the new motive goes on the board
//   phase 5  smoothing it and climbing down, frames 17..27
//   phase 6  walking off to the right, frames 28..31
constexpr gfx::FrameRect kFigure27[] = {
    Row(0, 112, 138),    Row(113, 120, 138),  Row(234, 128, 138),  Row(363, 136, 138),  Row(500, 96, 138),
    Row(597, 104, 138),  Row(702, 80, 138),   Row(783, 80, 138),   Row(864, 80, 138),   Row(945, 80, 138),
    Row(1026, 56, 138),  Row(1083, 64, 138),  Row(1148, 56, 138),  Row(1205, 64, 138),  Row(1270, 64, 138),
    Row(1335, 72, 138),  Row(1408, 144, 138), Row(1553, 64, 138),  Row(1618, 64, 138),  Row(1683, 64, 138),
    Row(1748, 64, 138),  Row(1813, 64, 138),  Row(1878, 56, 138),  Row(1935, 56, 138),  Row(1992, 64, 138),
    Row(2057, 56, 138),  Row(2114, 64, 138),  Row(2179, 56, 138),  Row(2236, 96, 138),  Row(2333, 104, 138),
    Row(2438, 112, 138), Row(2551, 128, 138)};

constexpr int kMotiveCount = 8;
constexpr int kCalendarMotive = 1;

void PasteNewMotive() {
    int motive;
    do
        motive = Rand() % kMotiveCount + 1;
    while (motive == gScene.motiveNo);
    gScene.motiveNo = motive;
    char name[16];
    std::snprintf(name, sizeof name, "MOTIV%02d_%02d", gScene.timeOfDay, motive);
    HBITMAP poster = LoadSceneBitmap(gScene.module, name, &gScene.scratchPalette, false);
    if (!poster)
        return;  // the board keeps what it shows
    if (motive == kCalendarMotive)
        DrawCalendar(poster, 156, 128, 1);
    HBITMAP mask = CreateMaskBitmap(poster);
    if (mask && MakeMask(poster, mask, TransparentKey))
        BlitMasked(gScene.backdropDc, poster, mask, BlitPoint{gScene.motiveLeft, gScene.motiveTop});
    if (mask)
        DeleteObject(mask);
    DeleteObject(poster);
}

// One run of a phase with a fixed hold; true when the run ended.
bool RunWithFixedHold(FigureId id, FigureCounters& c, int base, int length, int ticksPerPicture) {
    DrawFrame(id, kFigure27, base + c.frameIndex);
    if (!AdvanceFrame(c, ticksPerPicture - 1) || c.frameIndex < length)
        return false;
    c.frameIndex = 0;
    return true;
}

}  // namespace

void Figure27Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    switch (f.phase) {
    case 0:
        f.ready = 0;
        f.x = -136;
        f.y = gScene.stageHeight - f.height - 195;
        f.phase = 1;
        return;
    case 1:
        if (RunWithFixedHold(id, c, 0, 4, 2)) {
            f.x += 34;
            const int boardX = gScene.motiveLeft - gScene.pictureLeft;
            if (!gSettings.calendarOnly && gSettings.backgroundNo != 3 && f.x >= boardX - 120) {
                f.x = boardX - 88;
                f.phase = 2;
            } else if (f.x > gScene.stageWidth) {
                LeaveStage(id);
            }
        }
        return;
    case 2:
        if (RunWithFixedHold(id, c, 4, 6, 2)) {
            f.x += 30;
            f.phase = 3;
        }
        return;
    case 3:
        if (RunWithFixedHold(id, c, 10, 7, 4))
            f.phase = 4;
        return;
    case 4:
        PasteNewMotive();
        f.phase = 5;
        [[fallthrough]];
    case 5:
        if (RunWithFixedHold(id, c, 17, 11, 5)) {
            f.x += 13;
            f.phase = 6;
        }
        return;
    case 6:
        if (RunWithFixedHold(id, c, 28, 4, 2)) {
            f.x += 34;
            if (f.x > gScene.stageWidth)
                LeaveStage(id);
        }
        return;
    default:
        return;
    }
}
