#include "figures/bus.h"

#include <cstdio>

#include "figures/script_model.h"
#include "gfx/resources.h"

namespace {

constexpr int kSeatCount = 6;
constexpr int kSeatRow = 25;
constexpr int kDaySeatX[kSeatCount] = {62, 99, 136, 173, 210, 247};
constexpr int kNightSeatX[kSeatCount] = {161, 198, 235, 272, 309, 346};  // after the headlamp beam
constexpr int kBoardingTick = 7;
constexpr int kPassengerPictures = 23;

// Phases of the bus:
//   0  placed just beyond the right edge
//   1  waiting off stage while a vehicle uses the far lane
//   2  one tick: a few passengers are seated in advance
//   3  driving in, slowing down past the sign and pulling in to the kerb
//   4  standing; the riders board on the eighth standing tick
//   5  driving off to the left

void DrawBus() {
    const FigureRecord& f = gFigures[BusId];
    BlitMasked(gScene.stageDc, f.image[gScene.bus.frame], f.mask[gScene.bus.frame], BlitPoint{f.x, f.y});
}

// The wheels turn one picture per tick; true when they came round to the first picture again.
bool TurnWheels() {
    if (++gScene.bus.frame <= 2)
        return false;
    gScene.bus.frame = 0;
    return true;
}

bool IsSeated(FigureId id) {
    for (const BusSeat& seat : gScene.bus.seats)
        if (seat.passenger == id)
            return true;
    return false;
}

void SeatInAdvance() {
    gScene.bus.passengersToBoard = Rand() % 4 + 1;
    for (int i = 0; i < gScene.bus.passengersToBoard; ++i) {
        const FigureId id = Rand() % kPassengerPictures + 1;
        if (!gFigures[id].active && FigureBitmapCount[id] >= 1 && !IsSeated(id))
            SeatPassenger(id);
    }
}

void DriveIn(FigureRecord& f) {
    f.x -= f.x >= gScene.signX ? 5 : 3;
    if (TurnWheels()) {
        const int kerbDistance = IsDayScene() ? 90 : 79;
        if (f.x < Rand() % 21 + gScene.signX + 10 && f.y > 358 - kerbDistance - f.height) {
            gScene.busAtStop = 1;
            f.y -= 1;  // one pixel towards the kerb
        }
        if (Rand() % 16 == 0)
            PlayFigureSound(9);
    }
    if (f.x < gScene.signX - Rand() % 11 - 55) {
        gScene.bus.passengersToBoard = 0;
        gScene.bus.stopTicks = 0;
        f.phase = 4;
    }
}

// Every waiting rider strictly in front of the bus gets on: its face goes into a window.
void Board(const FigureRecord& bus) {
    for (FigureId id = 1; id < FirstPersonlessId; ++id) {
        const FigureRecord& rider = gFigures[id];
        if (rider.active && rider.boardsBus && bus.x < rider.x && rider.x < bus.x + bus.width) {
            SeatPassenger(id);
            UnloadFigure(id);
            gScene.bus.passengersToBoard -= 1;
        }
    }
}

void Stand(FigureRecord& f) {
    if (gScene.bus.stopTicks == kBoardingTick)
        Board(f);
    gScene.bus.stopTicks += 1;
    const int standing = gScene.bus.passengersToBoard != 0 ? 20 : 7;
    if (gScene.bus.stopTicks > standing) {
        gScene.bus.stopTicks = 0;
        gScene.busAtStop = 0;
        f.phase = 5;
    }
}

void DriveOff(FigureRecord& f) {
    f.x -= 5;
    if (TurnWheels() && Rand() % 16 == 0)
        PlayFigureSound(9);
    if (f.x + f.width < 0) {
        gScene.busOnStage = 0;
        UnloadFigure(BusId);
    }
}

// Copies a picture whole into one bitmap at the given place.
void PaintInto(HBITMAP target, int x, int y, HBITMAP picture) {
    BitmapDc into(target);  // the bus's sheets are held sprites
    if (into.ok())
        BlitToDc(into.dc(), x, y, picture);
}

}  // namespace

void SeatPassenger(FigureId id) {
    int seat = 0;
    for (int draw = 0; draw < 50; ++draw) {
        seat = Rand() % kSeatCount;
        if (gScene.bus.seats[seat].free)
            break;
    }
    if (!gScene.bus.seats[seat].free)
        return;

    char name[16];
    if (gScene.timeOfDay == 1)
        std::snprintf(name, sizeof name, "BUS_TF%02d", id);
    else if (gScene.timeOfDay == 2)
        std::snprintf(name, sizeof name, "BUS_NF%02d", id);
    else
        return;
    HBITMAP face = LoadSceneBitmap(gScene.module, name, &gScene.scratchPalette, false);
    HBITMAP faceMask = CreateMaskBitmap(face);
    if (!face || !faceMask || !MakeMask(face, faceMask, TransparentKey)) {
        if (faceMask)
            DeleteObject(faceMask);
        if (face)
            DeleteObject(face);
        return;
    }

    const int x = gScene.timeOfDay == 1 ? kDaySeatX[seat] : kNightSeatX[seat];
    FigureRecord& bus = gFigures[BusId];
    for (int k = 0; k < 3; ++k) {
        PaintInto(bus.mask[k], x, kSeatRow, faceMask);
        PaintInto(bus.image[k], x, kSeatRow, face);
        gScene.bus.seats[seat].passenger = id;
    }
    gScene.bus.seats[seat].free = 0;
    DeleteObject(face);
    DeleteObject(faceMask);
}

void BusScript(FigureId) {
    FigureRecord& f = gFigures[BusId];
    switch (f.phase) {
    case 0:
        f.x = gScene.stageWidth;
        gScene.busAtStop = 0;
        f.y = 358 - Rand() % (IsDayScene() ? 16 : 8) - f.height - 70;
        f.phase = 1;
        return;
    case 1:
        if (gScene.farLaneVehicle == 0) {
            gScene.bus.frame = 0;
            f.phase = 2;
        }
        return;
    case 2:
        for (BusSeat& seat : gScene.bus.seats)
            seat = BusSeat{0, 1};
        DrawBus();
        SeatInAdvance();
        f.phase = 3;
        return;
    case 3:
        DrawBus();
        DriveIn(f);
        return;
    case 4:
        DrawBus();
        Stand(f);
        return;
    case 5:
        DrawBus();
        DriveOff(f);
        return;
    default:
        return;
    }
}
