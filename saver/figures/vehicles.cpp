#include "figures/vehicles.h"

#include "figures/script_model.h"

namespace {

bool OnFarLane(FigureId id) {
    return id >= 80 && id <= 88;
}

// Every vehicle ends the same way: off the stage, and its lane free again.
void LeaveLane(FigureId id) {
    LeaveStage(id);
    (OnFarLane(id) ? gScene.farLaneVehicle : gScene.nearLaneVehicle) = 0;
}

// Frame i of a sheet whose frames are `width` wide.
gfx::FrameRect SheetFrame(int i, int width, int height) {
    return gfx::FrameRect{i * (width + 1), 0, width, height};
}

void DrawSheetFrame(FigureId id, int frame, int width) {
    const FigureRecord& f = gFigures[id];
    BlitMaskedRect(gScene.stageDc, f.image[0], f.mask[0], BlitPoint{f.x, f.y}, SheetFrame(frame, width, f.height));
}

// ---------------------------------------------------------------------------------------------
// Simple vehicles: three frames, one picture per tick, a constant speed, a sound chance at each
// wheel turn.
struct SimpleVehicle {
    FigureId id;
    int dayWidth, nightWidth;  // frame widths; 0 where there is no such sheet
    int step;                  // pixels per tick; negative drives left
    int sound, soundChance;    // sound n when rand % chance is 0
    int leaveBelow;            // far lane: gone when x falls below this
};

constexpr SimpleVehicle kSimpleVehicles[] = {
    {81, 264, 0, -5, 20, 11, -264},  {84, 240, 0, -4, 21, 31, -240},  {85, 216, 0, -4, 24, 31, -216},
    {87, 168, 264, -5, 23, 11, -264}, {90, 0, 360, +4, 26, 4, 0},      {91, 0, 336, +4, 26, 7, 0},
    {92, 264, 0, +7, 26, 31, 0},      {93, 312, 0, +5, 13, 24, 0},     {94, 440, 0, +5, 9, 16, 0},
    {96, 216, 0, +5, 26, 31, 0},      {97, 160, 0, +5, 23, 11, 0},     {98, 168, 264, +6, 23, 11, 0},
    {99, 264, 0, +6, 14, 46, 0},
};

const SimpleVehicle* FindSimpleVehicle(FigureId id) {
    for (const SimpleVehicle& v : kSimpleVehicles)
        if (v.id == id)
            return &v;
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// The halting cars 80 and 86. Phases:
//   1  start: decides whether it may halt tonight, and goes on as phase 2 in the same tick
//   2  driving in; at night, when halting, it pulls in one pixel every four ticks and slows down
//   3  standing at the stop, frames 3 and 4
//   4  driving off at 6 pixels a tick
struct HaltingCar {
    FigureId id;
    int dayWidth, nightWidth;
    int crowdLimit, haltingSpread;  // halting = 0 if personCount < limit, else rand % spread
    int daySpeed;
    int soundChance;                // sound 26 at each wheel turn when rand % chance is 0
    int pullInSpread, pullInOffset; // pull in while x < rand % p + signX + q
    int haltSpread, haltOffset;     // halt once x < signX - rand % s - u
    int holdSpread, holdBase;       // standing picture changes when tickCount > rand % a + b
    int standSpread, standBase;     // drives off when standTicks > rand % a + b
    int leaveBelow;
};

constexpr HaltingCar kHaltingCars[] = {
    {80, 0, 360, 3, 3, 0, 6, 21, 120, 16, 115, 6, 3, 146, 30, -360},
    {86, 240, 336, 4, 2, 6, 7, 81, 150, 76, 145, 5, 5, 146, 40, -336},
};

const HaltingCar& HaltingCarFor(FigureId id) {
    return id == 80 ? kHaltingCars[0] : kHaltingCars[1];
}

}  // namespace

void SimpleVehicleScript(FigureId id) {
    const SimpleVehicle* v = FindSimpleVehicle(id);
    if (!v)
        return;
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    DrawSheetFrame(id, c.frameIndex, IsDayScene() ? v->dayWidth : v->nightWidth);
    f.x += v->step;
    if (++c.frameIndex > 2) {
        c.frameIndex = 0;
        if (Rand() % v->soundChance == 0)
            PlayFigureSound(v->sound);
    }
    const bool gone = v->step < 0 ? f.x < v->leaveBelow : f.x >= gScene.stageWidth;
    if (gone)
        LeaveLane(id);
}

void HaltingCarScript(FigureId id) {
    const HaltingCar& car = HaltingCarFor(id);
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    const bool day = IsDayScene();
    const int width = day ? car.dayWidth : car.nightWidth;

    if (f.phase == 1) {
        c.halting = gScene.personCount < car.crowdLimit ? 0 : Rand() % car.haltingSpread;
        f.phase = 2;
    }
    switch (f.phase) {
    case 2:
        DrawSheetFrame(id, c.frameIndex, width);
        f.x -= day ? car.daySpeed : 5 - c.halting;
        if (++c.frameIndex > 2) {
            c.frameIndex = 0;
            if (Rand() % car.soundChance == 0)
                PlayFigureSound(26);
        }
        if (f.x < car.leaveBelow) {
            LeaveLane(id);
            return;
        }
        if (!day && c.halting != 0) {
            if (f.x < Rand() % car.pullInSpread + gScene.signX + car.pullInOffset &&
                f.y > gScene.stageHeight - f.height - 80) {
                if (++c.tickCount > 3) {
                    c.tickCount = 0;
                    f.y -= 1;
                    if (c.halting < 3)
                        c.halting += 1;
                }
            }
            if (f.x < gScene.signX - Rand() % car.haltSpread - car.haltOffset) {
                c.tickCount = 0;
                f.phase = 3;
            }
        }
        return;
    case 3:
        DrawSheetFrame(id, c.frameIndex, width);
        if (++c.tickCount > Rand() % car.holdSpread + car.holdBase) {
            c.tickCount = 0;
            c.frameIndex = 3 + Rand() % 2;
        }
        if (++c.standTicks > Rand() % car.standSpread + car.standBase) {
            c.standTicks = 0;
            c.tickCount = 0;
            c.frameIndex = 0;
            if (Rand() % 3 == 0)
                PlayFigureSound(27);
            f.phase = 4;
        }
        return;
    case 4:
        DrawSheetFrame(id, c.frameIndex, width);
        f.x -= 6;
        if (++c.frameIndex > 2) {
            c.frameIndex = 0;
            PlayFigureSound(26);
        }
        if (f.x < car.leaveBelow)
            LeaveLane(id);
        return;
    default:
        return;
    }
}

namespace {

// Figure 88's sheet: four body colours, two wheel overlays, two sets of three driver heads.
constexpr gfx::FrameRect kSmallCar[] = {
    {0, 1, 216, 82},   {0, 162, 216, 82}, {0, 245, 216, 82}, {0, 328, 216, 82}, {0, 84, 216, 38},
    {0, 123, 216, 38}, {217, 0, 24, 18},  {217, 19, 24, 18}, {217, 38, 24, 18}, {217, 57, 24, 18},
    {217, 76, 24, 18}, {217, 94, 24, 18}};

// Figure 89's sheet: the body, three lower parts with the wheels, two sets of eight driver heads.
constexpr gfx::FrameRect kVan[] = {
    {0, 0, 240, 76},    {0, 78, 240, 38},   {0, 117, 240, 39},  {0, 157, 240, 39},  {241, 0, 40, 23},
    {241, 24, 40, 23},  {241, 48, 40, 23},  {241, 72, 40, 23},  {241, 96, 40, 23},  {241, 120, 40, 23},
    {241, 144, 40, 23}, {241, 168, 40, 23}, {282, 0, 40, 23},   {282, 24, 40, 23},  {282, 48, 40, 23},
    {282, 72, 40, 23},  {282, 96, 40, 23},  {282, 120, 40, 23}, {282, 144, 40, 23}, {282, 168, 40, 23}};

void DrawPart(FigureId id, const gfx::FrameRect& part, int x, int y) {
    const FigureRecord& f = gFigures[id];
    BlitMaskedRect(gScene.stageDc, f.image[0], f.mask[0], BlitPoint{x, y}, part);
}

}  // namespace

void SmallCarScript(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    if (c.carColour < 0) {  // a new crossing chooses its colour, speed and driver
        c.carColour = Rand() % 4;
        c.speed = Rand() % 3 + 3;
        c.headSet = Rand() % 2 == 1 ? 6 : 9;
    }
    if (--c.headTicks < 0) {
        c.headTicks = Rand() % 13 + 4;
        c.head = Rand() % 3;
    }
    DrawPart(id, kSmallCar[c.carColour], f.x, f.y);
    if (c.wheelFrame == 1 || c.wheelFrame == 2)
        DrawPart(id, kSmallCar[3 + c.wheelFrame], f.x, f.y + 45);
    DrawPart(id, kSmallCar[c.headSet + c.head], f.x + 89, f.y + 11);
    f.x -= c.speed;
    c.wheelFrame = (c.wheelFrame + 1) % 3;
    if (f.x < -240) {
        c.carColour = c.headSet = c.headTicks = -1;
        LeaveLane(id);
    }
}

void VanScript(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    if (f.phase < 2) {  // the van places itself, whatever the load set
        gScene.nearLaneVehicle = 89;
        f.x = -300;
        f.y = gScene.stageHeight - Rand() % 9 - 114;
        f.phase = 2;
        c.headSet = Rand() % 2 == 1 ? 4 : 12;
    }
    if (f.phase > 2)
        return;
    if (--c.headTicks < 0) {
        c.headTicks = Rand() % 4 + 3;
        c.head = Rand() % 8;
    }
    DrawPart(id, kVan[0], f.x, f.y);
    DrawPart(id, kVan[1 + c.wheelFrame], f.x, f.y + 75);
    DrawPart(id, kVan[c.headSet + c.head], f.x + 160, f.y + 17);
    f.x += 5;
    c.wheelFrame += 1;
    if (c.wheelFrame == 1) {
        f.y -= 1;  // the van bobs by one pixel
    } else if (c.wheelFrame == 3) {
        c.wheelFrame = 0;
        f.y += 1;
    }
    if (f.x >= gScene.stageWidth) {
        c.headSet = 0;
        c.headTicks = 0;
        LeaveLane(id);
    }
}
