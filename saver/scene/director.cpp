#include "scene/director.h"

#include <initializer_list>

#include "clock/calendar.h"
#include "figures/aircraft.h"
#include "gfx/resources.h"
#include "scene/frame_tick.h"
#include "scene/mail_check.h"
#include "scene/scenery.h"
#include "settings/settings.h"

const FigureId ZoneTable[ZoneCount][ZoneSize] = {
    {},
    {},
    {},
    {6, 14},
    {20, 27, 58},
    {25, 15, 24, 22, 40},
    {2, 16, 7, 53, 22},
    {22, 10, 10, 30, 29},
    {4, 22, 56, 57, 49},
    {21, 3, 22},
    {13, 26, 37, 38, 23, 22},
    {8, 9, 22, 59, 50},
    {1, 12, 5, 34, 22},
    {100, 71},
    {70, 80, 81, 82, 83, 84, 85, 86, 87, 88},
    {90, 91, 92, 93, 94, 95, 96, 97, 98, 99, 89},
};

DirectorCalls gDirectorCalls = {BuildScenery, LoadFigure, CountUnreadMail, PlaySceneSound, StartAircraft};

namespace {

constexpr int kMostPersonsOnStage = 7;
constexpr FigureId kSweeper = 22;
constexpr FigureId kNikolaus = 37;
constexpr FigureId kEasterVisitor = 38;

bool IsDay() {
    return gScene.timeOfDay == 1;
}
bool IsNight() {
    return gScene.timeOfDay == 2;
}
int Background() {
    return gSettings.backgroundNo;
}
bool Active(FigureId id) {
    return gFigures[id].active != 0;
}

bool Free(std::initializer_list<int> zones) {
    for (int zone : zones)
        if (ZoneBusy(zone))
            return false;
    return true;
}

bool StageEmpty() {
    return gScene.personCount < 1 && !gScene.busOnStage && gScene.farLaneVehicle == 0 &&
           gScene.nearLaneVehicle == 0 && !gScene.aircraftActive;
}

bool IsSaintNicholasDay() {
    return gScene.month == 12 && gScene.dayOfMonth == 6;
}

bool IsChristmas() {
    return gScene.month == 12 && gScene.dayOfMonth >= 23 && gScene.dayOfMonth <= 25;
}

// The last minutes before the scenery changes between day and night.
bool LastMinuteOfDay(int afterMinute) {
    return IsDay() && gScene.hour == gSettings.nightAfterHour && gScene.minute > afterMinute;
}
bool LastMinuteOfNight(int afterMinute) {
    return IsNight() && gScene.hour == gSettings.dayFromHour - 1 && gScene.minute > afterMinute;
}

void Rest(FigureId id, int limit) {
    FigureRecord& f = gFigures[id];
    if (f.active)
        return;
    if (++f.restMinutes > limit) {
        f.restMinutes = 0;
        f.ready = 1;
    }
}

struct RestLimit {
    FigureId id;
    int limit;
};

constexpr RestLimit kDayRest[] = {
    {1, 4},  {2, 3},  {3, 3},  {4, 2},  {5, 2},  {6, 6},  {7, 3},  {8, 3},  {9, 4},  {11, 2}, {12, 3}, {13, 3},
    {14, 4}, {15, 3}, {16, 3}, {21, 2}, {22, 1}, {23, 2}, {24, 0}, {25, 3}, {26, 1}, {27, 1}, {29, 5}, {30, 3},
    {34, 5}, {37, 1}, {38, 1}, {40, 4}, {44, 2}, {49, 3}, {50, 4}, {53, 2}, {56, 2}, {57, 2},
};

// Whether a drawn person may start now: its time of day, background, season and free bands.
bool PersonRuleHolds(FigureId id) {
    const bool day = IsDay(), night = IsNight();
    const int bg = Background();
    switch (id) {
    case 1:
    case 5:
        return day && Free({12});
    case 2:
        return day && Free({5, 6, 7});
    case 16:
        return day && Free({5, 6, 7}) && !gScene.figure16Waiting;
    case 3:
        return (day || bg != 4) && Free({9});
    case 4:
        return day && Free({7, 8, 9, 10});
    case 6:
    case 14:
        return day && Free({3, 4, 5}) && !Active(kSweeper);
    case 7:
        return day && Free({5, 6});
    case 8:
        return bg != 3 && gScene.season == 1 && day && Free({11}) && !Active(4);
    case 9:
        return day && !gScene.figure9Waiting && Free({11});
    case 11:
        return gScene.season == 1 && day;
    case 13:
        return day && Free({10});
    case 15:
    case 25:
    case 27:
        return day && (!Active(6) || gFigures[6].x > 399) && (!Active(14) || gFigures[14].x > 399) && Free({4, 5});
    case 21:
        return day && Free({9, 10});
    case 22:
        if (!day || !(bg != 3 || Rand() % 6 == 0))
            return false;
        if (Free({7, 8, 9, 10, 11, 12})) {
            gScene.figure22Band = 1;  // front
            return true;
        }
        if (Free({3, 4, 5, 6, 7})) {
            gScene.figure22Band = 2;  // back
            return true;
        }
        gScene.figure22Band = 0;
        return false;
    case 23:
        return Free({10});
    case 24:
        return day && Free({5});
    case 26:
        return day && IsChristmas() && Free({9, 10, 11});
    case 29:
        return (day || bg != 4) && Free({7});
    case 30:
        return bg != 3 && day && Free({7, 8, 9});
    case 34:
        return bg != 3 && day && Free({12, 11});
    case 37:
        return day && IsSaintNicholasDay() && Free({9, 10, 11});
    case 38:
        return day && IsEasterTime() == 1 && Free({9, 10, 11});
    case 40:
        return bg != 4 && night && Free({5});
    case 49:
    case 56:
        return Free({8});
    case 50:
        return bg != 3 && Free({11});
    case 53:
        return bg != 4 && night && !Active(15) && !Active(16) && !Active(kSweeper) && !Active(kNikolaus);
    case 57:
        return bg != 4 && night && Free({8});
    case 58:
        return bg == 3 && night;
    case 59:
        return night && Free({11});
    default:
        return false;  // 12 and 20 included: they only start from the first figures
    }
}

bool Startable(FigureId id, FigureId last) {
    return id != last && id >= 1 && id < FigureTableSize && FigureBitmapCount[id] >= 1 && gFigures[id].ready &&
           !gFigures[id].active;
}

FigureId DrawPersonCandidate() {
    if (gScene.personCount < 3) {
        if (Rand() % 3 != 0 && IsSaintNicholasDay())
            return kNikolaus;
        if (Rand() % 3 != 0 && IsEasterTime() == 1)
            return kEasterVisitor;
    }
    if (Background() != 3 && gScene.personCount < 2) {
        if (Rand() % 4 == 0 && (gScene.figure9Waiting || gScene.figure16Waiting))
            return kSweeper;
    }
    return Rand() % 59 + 1;
}

bool VehicleRuleHolds(FigureId id) {
    const bool day = IsDay(), night = IsNight();
    const bool notTram = Background() != 3;
    const bool farFree = gScene.farLaneVehicle == 0, nearFree = gScene.nearLaneVehicle == 0;
    switch (id) {
    case 80: return notTram && night && farFree && !Active(90);
    case 81: return day && farFree && !Active(92);
    case 82:
    case 88: return day && farFree;
    case 83: return day && farFree && !Active(96);
    case 84:
    case 85: return notTram && day && farFree;
    case 86: return (notTram || day) && farFree && !Active(91);
    case 87: return (notTram || day) && farFree && !Active(98);
    case 89:
    case 94:
    case 95:
    case 97:
    case 99: return day && nearFree;
    case 90: return notTram && night && nearFree && !Active(80);
    case 91: return notTram && night && nearFree && !Active(86);
    case 92: return day && nearFree && !Active(81);
    case 93: return notTram && day && nearFree;
    case 96: return day && nearFree && !Active(83);
    case 98: return (notTram || day) && nearFree && !Active(87);
    default: return false;
    }
}

void StartBusIfDue() {
    const int every = IsDay() ? (Background() == 3 ? Rand() % 10 + 6 : 5) : 15;
    if (gScene.minute % every != 0)
        return;
    gScene.busOnStage = gDirectorCalls.loadFigure(BusId);
    if (!gScene.busOnStage)
        return;
    // The first bus of a new day or night does not hold the others back.
    if (gScene.minute == 0 && (gScene.hour == gSettings.nightAfterHour + 1 || gScene.hour == gSettings.dayFromHour))
        return;
    gScene.personCountdown = Rand() % 41 + 30;
    gScene.vehicleCountdown = Rand() % 41 + 10;
}

// With no new persons starting, the stage empties and the scenery can change.
void ClearBeforeChange() {
    const bool nightEnds = IsNight() && ((gScene.hour == gSettings.dayFromHour - 1 && gScene.minute > 54) ||
                                         gScene.hour == gSettings.dayFromHour);
    const bool dayEnds = IsDay() && ((gScene.hour == gSettings.nightAfterHour && gScene.minute > 58) ||
                                     gScene.hour > gSettings.nightAfterHour);
    if (nightEnds || dayEnds)
        for (FigureId id = 1; id <= 59; ++id)
            gFigures[id].ready = 0;
}

void PerMinutePass(HWND window) {
    gScene.lastMinute = gScene.minute;
    if (gScene.mailCheckOn)
        gScene.newMail = gDirectorCalls.countUnreadMail(window) > gScene.mailBaseline ? 1 : 0;
    StartBusIfDue();
    RestStep();
    ClearBeforeChange();
}

void StartPerson() {
    if (--gScene.personCountdown >= 1 || gScene.personCount >= kMostPersonsOnStage)
        return;
    if (!gDirectorCalls.loadFigure(PickPerson()))
        return;  // the countdown stays below 1: the next pass tries again
    if (LastMinuteOfDay(58) || LastMinuteOfNight(58)) {
        gScene.personCountdown = Rand() % 1001 + 1500;
        return;
    }
    const int p = gScene.personCount;
    gScene.personCountdown = p >= 4 ? Rand() % 131 + 30 : p == 3 ? Rand() % 155 + 6 : Rand() % 27 + 6;
}

void StartVehicle() {
    if (--gScene.vehicleCountdown >= 1)
        return;
    if (Rand() % 91 == 0)
        gDirectorCalls.playSceneSound(Rand() % 2 == 0 ? 1 : 0);
    else if (Rand() % 31 == 0)
        gDirectorCalls.playSceneSound(14);
    if (!gDirectorCalls.loadFigure(PickVehicle())) {
        gScene.vehicleCountdown = 5;
    } else {
        const int p = gScene.personCount;
        gScene.vehicleCountdown = p >= 4 ? Rand() % 131 + 70 : p >= 1 ? Rand() % 191 + 10 : Rand() % 61 + 10;
    }
    if (LastMinuteOfDay(58) || LastMinuteOfNight(57))
        gScene.vehicleCountdown = 5000;
}

void CountDownAircraft() {
    if (gScene.screenHeight <= 500 || !IsDay())
        return;
    if (--gScene.aircraftCountdown >= 1 || gScene.aircraftActive || gScene.busOnStage)
        return;
    gScene.aircraftCountdown =
        gScene.hour == gSettings.nightAfterHour && gScene.minute > 54 ? 30000 : Rand() % 501 + 200;
    gDirectorCalls.startAircraft();
}

}  // namespace

bool ZoneBusy(int zone) {
    if (zone < 0 || zone >= ZoneCount)
        return false;
    for (FigureId id : ZoneTable[zone])
        if (id != 0 && gFigures[id].active)
            return true;
    return false;
}

void RestStep() {
    const bool firstStreet = Background() == 1;
    const bool tram = Background() == 3;
    if (IsDay()) {
        for (const RestLimit& r : kDayRest)
            Rest(r.id, r.limit);
        Rest(99, tram ? 5 : 16);
    } else {
        Rest(3, firstStreet ? 10 : 0);
        Rest(23, 0);
        Rest(29, firstStreet ? 10 : 0);
        Rest(40, firstStreet ? 12 : Rand() % 4);
        Rest(49, Rand() % 3 + 2);
        Rest(50, Rand() % 5 + 4);
        Rest(53, firstStreet ? 13 : 0);
        Rest(56, Rand() % 3 + 2);
        Rest(57, firstStreet ? 8 : Rand() % 3 + 2);
        Rest(58, firstStreet ? 30 : 3);
        Rest(59, Rand() % 3 + 2);
    }
    for (FigureId id = 80; id <= 98; ++id)
        Rest(id, tram ? Rand() % 3 + 1 : Rand() % 3);
}

FigureId PickPerson() {
    for (int attempt = 0; attempt < 2; ++attempt) {
        FigureId candidate = 0;
        for (int draw = 0; draw < 20 && candidate == 0; ++draw) {
            const FigureId id = DrawPersonCandidate();
            if (Startable(id, gScene.lastPerson))
                candidate = id;
        }
        if (candidate != 0 && PersonRuleHolds(candidate)) {
            gScene.lastPerson = candidate;
            return candidate;
        }
    }
    return 0;
}

FigureId PickVehicle() {
    for (int draw = 0; draw < 10; ++draw) {
        const FigureId id = Rand() % 20 + 80;
        if (!Startable(id, gScene.lastVehicle))
            continue;
        gScene.lastVehicle = id;
        return VehicleRuleHolds(id) ? id : 0;
    }
    return 0;
}

bool SceneDirector(HWND window) {
    UpdateClockState(false);
    if (gScene.hour != gScene.lastBuildHour && StageEmpty()) {
        gScene.lastBuildHour = gScene.hour;
        if (!gDirectorCalls.buildScenery()) {
            gScene.startStage = StartStage::MemoryNotice;
            return false;
        }
    }
    if (gScene.minute != gScene.lastMinute && !gScene.busOnStage)
        PerMinutePass(window);
    if (!gScene.busOnStage) {
        StartPerson();
        StartVehicle();
    }
    CountDownAircraft();
    return true;
}
