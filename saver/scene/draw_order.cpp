#include "scene/draw_order.h"

#include <array>

#include "figures/bus.h"
#include "figures/day_passers_by.h"
#include "figures/figures_1_to_9.h"
#include "figures/holiday_visitors.h"
#include "figures/scenery_changers.h"
#include "figures/script_model.h"
#include "figures/strollers.h"
#include "figures/vehicles.h"
#include "figures/waiting_passengers.h"
#include "gfx/blit.h"
#include "scene/scenery.h"
#include "scene/stage_copy.h"

namespace {

constexpr std::array<FigureId, DrawOrderSize> MakeInitialDrawOrder() {
    std::array<FigureId, DrawOrderSize> slots{};
    struct Group {
        int firstSlot;
        FigureId ids[6];
    };
    // Groups that walk in about the same depth band, from the back of the pavement to the front,
    // then the sign and the bus, the far lane, the near lane, and figure 11 in front of everything.
    constexpr Group groups[] = {
        {0, {101, 102, 103, 104, 105, 106}}, {12, {6, 14}},    {16, {58, 20, 27}},
        {22, {25, 15, 40, 24}},         {27, {2, 16, 7, 53}}, {33, {10, 30, 29}},      {38, {4, 56, 57, 49, 21}},
        {44, {3}},                      {46, {13, 26, 37, 38, 23}}, {52, {50, 8, 9, 59}}, {57, {22}},
        {59, {1, 12, 5, 34}},           {64, {100, 71, 70}},  {88, {11}},
    };
    for (const Group& g : groups)
        for (int i = 0; i < 6 && g.ids[i] != 0; ++i)
            slots[g.firstSlot + i] = g.ids[i];
    for (FigureId id = 80; id <= 99; ++id)
        slots[68 + (id - 80)] = id;
    return slots;
}

void DrawSign(FigureId) {
    BlitMasked(gScene.stageDc, gScene.signImage, gScene.signMask, BlitPoint{gScene.signX, gScene.signY});
}

// Three vehicles simple enough to be driven here: three wheel frames side by side, a constant speed.
struct InlineVehicle {
    FigureId id;
    int counterSlot;
    gfx::FrameRect frames[3];
    int step;      // pixels per tick; negative drives to the left
    int leaveAt;   // far lane: gone when x < leaveAt; near lane: gone when x >= stageWidth
};

constexpr InlineVehicle kInlineVehicles[] = {
    {82, 0, {{0, 0, 264, 85}, {265, 0, 264, 85}, {530, 0, 264, 85}}, -4, -264},
    {83, 1, {{0, 0, 240, 150}, {241, 0, 240, 150}, {482, 0, 240, 150}}, -4, -240},
    {95, 2, {{0, 0, 240, 161}, {241, 0, 240, 161}, {482, 0, 240, 161}}, +5, 0},
};

void DriveInlineVehicle(FigureId id) {
    for (const InlineVehicle& v : kInlineVehicles) {
        if (v.id != id)
            continue;
        FigureRecord& f = gFigures[id];
        int& frame = gScene.inlineVehicleFrame[v.counterSlot];
        BlitMaskedRect(gScene.stageDc, f.image[0], f.mask[0], BlitPoint{f.x, f.y}, v.frames[frame]);
        frame = frame >= 2 ? 0 : frame + 1;
        f.x += v.step;
        const bool farLane = v.step < 0;
        const bool gone = farLane ? f.x < v.leaveAt : f.x >= gScene.stageWidth;
        if (gone) {
            UnloadFigure(id);
            (farLane ? gScene.farLaneVehicle : gScene.nearLaneVehicle) = 0;
        }
        return;
    }
}

// Figure 29 carries a parcel by day and strolls with the family in the evening. The time of day
// is asked on every call, so a figure on stage when the day ends (or begins) carries on in the
// other script with its phase and counters as they stand. Only the evening has a wait off stage
// (phase 4): a figure still waiting there when the day begins finishes it in the evening script,
// which then hands it on in phase 3, a phase both scripts know.
//
// Each script cuts its frames from its own sheet, and the two sheets are laid out differently:
// cut by the other script's table a sheet shows halves of two pictures, cut-off feet, or nothing. So
// before a script draws from a sheet that is not the one she came with, her pictures are loaded
// again from the sheet of the time of day now; her place, phase and counters stay, and her feet
// stay on their row although the sheets differ in height.
int gFigure29Sheet = 0;  // time of day whose sheet her pictures came from

void ReloadFigure29(FigureId id) {
    FigureRecord& f = gFigures[id];
    const FigureRecord before = f;
    UnloadFigure(id);
    if (!LoadFigure(id))
        return;  // a failed load takes her off the stage, counted off like any other
    f.phase = before.phase;
    f.ready = before.ready;
    f.x = before.x;
    f.y = before.y + before.height - f.height;
    gFigure29Sheet = gScene.timeOfDay;
}

void Figure29Script(FigureId id) {
    const bool dayScript = IsDayScene() && gFigures[id].phase <= 3;
    if (gFigures[id].phase == 0)
        gFigure29Sheet = gScene.timeOfDay;  // just loaded, with the sheet of this time of day
    // The wait off stage draws nothing and may outlast the night: the sheet can wait until she
    // is drawn again.
    const int sheetNeeded = dayScript ? 1 : 2;
    if (gFigure29Sheet != sheetNeeded && gScene.timeOfDay == sheetNeeded) {
        ReloadFigure29(id);
        if (!gFigures[id].active)
            return;
    }
    if (dayScript)
        Figure29DayScript(id);
    else
        Figure29NightScript(id);
}

}  // namespace

const std::array<FigureId, DrawOrderSize> InitialDrawOrder = MakeInitialDrawOrder();

FigureScript ScriptFor(FigureId id) {
    static constexpr FigureScript kFirstNine[] = {Figure1Script, Figure2Script, Figure3Script,
                                                  Figure4Script, Figure5Script, Figure6Script,
                                                  Figure7Script, Figure8Script, Figure9Script};
    if (id >= 1 && id <= 9)
        return kFirstNine[id - 1];
    switch (id) {
    case 11: return Figure11Script;
    case 12: return Figure12Script;
    case 13: return Figure13Script;
    case 14: return Figure14Script;
    case 15: return Figure15Script;
    case 16: return Figure16Script;
    case 20: return Figure20Script;
    case 21: return Figure21Script;
    case 22: return Figure22Script;
    case 23: return Figure23Script;
    case 24: return Figure24Script;
    case 25: return Figure25Script;
    case 26: return Figure26Script;
    case 27: return Figure27Script;
    case 29: return Figure29Script;
    case 30: return Figure30Script;
    case 34: return Figure34Script;
    case 37: return Figure37Script;
    case 38: return Figure38Script;
    case 40: return Figure40Script;
    case 49: return Figure49Script;
    case 50: return Figure50Script;
    case 53: return Figure53Script;
    case 56: return Figure56Script;
    case 57: return Figure57Script;
    case 58: return Figure58Script;
    case 59: return Figure59Script;
    case BusId: return BusScript;
    case SignId: return DrawSign;
    case 80:
    case 86: return HaltingCarScript;
    case 82:
    case 83:
    case 95: return DriveInlineVehicle;
    case 88: return SmallCarScript;
    case 89: return VanScript;
    default: break;
    }
    if (id >= 80 && id <= 99)
        return SimpleVehicleScript;
    if (id >= 101 && id <= 106)
        return NightLayerScript;
    return nullptr;  // no script: DrawFigures takes such a figure off the stage at once
}

void DrawFigures() {
    bool pending[FigureTableSize];
    for (bool& p : pending)
        p = true;
    for (FigureId id : gScene.drawOrder) {
        if (id <= 0 || id >= FigureTableSize || !pending[id] || !gFigures[id].active)
            continue;
        pending[id] = false;
        // A figure without a script could never leave the stage: it would stay counted for ever
        // and hold back every rebuild of the scenery.
        if (FigureScript script = ScriptFor(id))
            script(id);
        else
            UnloadFigure(id);
        NoteFigureDrawn();
    }
}
