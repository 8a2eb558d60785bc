// A second, plain reading of the director's rules, kept apart from the real one, and a run of a few
// hundred thousand random scene states through both: every field they leave behind, every call
// they make (load, build, mail, sound, aircraft) and every draw of the random generator must agree.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "clock/calendar.h"
#include "scene/director.h"
#include "scene/scene_state.h"
#include "settings/settings.h"
#include "unit/test_support.h"

namespace {

// ---------------------------------------------------------------------------------------------
// The reference director. It reads and writes the same scene record, but shares no code with
// the real one: its own generator, zones, rules, cooldown lists and formulas.

int RefRand() {
    gScene.randomState = gScene.randomState * 214013u + 2531011u;
    return static_cast<int>((gScene.randomState >> 16) & 0x7FFF);
}

const std::vector<std::vector<int>> kRefZones = {
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

bool RefZoneBusy(int zone) {
    for (int id : kRefZones[zone])
        if (gFigures[id].active)
            return true;
    return false;
}

bool RefFree(std::initializer_list<int> zones) {
    for (int z : zones)
        if (RefZoneBusy(z))
            return false;
    return true;
}

// Saturday, Sunday and Monday of Easter in the years the random states use.
struct MonthDay {
    int month, day;
};
MonthDay EasterSunday(int year) {
    switch (year) {
    case 2024: return {3, 31};
    case 2025: return {4, 20};
    case 2026: return {4, 5};
    case 2027: return {3, 28};
    case 2028: return {4, 16};
    case 2029: return {4, 1};
    default: return {4, 21};  // 2030
    }
}

// Which scene state's date the reference and the fakes see.
LocalDate gCaseDate;

LocalDate CaseDate() {
    return gCaseDate;
}

int RefEasterTime() {
    const MonthDay sunday = EasterSunday(gCaseDate.year);
    // Days counted from 1 March, enough for Easter's weekend.
    const int today = gCaseDate.month == 3 ? gCaseDate.day : gCaseDate.month == 4 ? 31 + gCaseDate.day : -100;
    const int easter = sunday.month == 3 ? sunday.day : 31 + sunday.day;
    return today >= easter - 1 && today <= easter + 1 ? 1 : 0;
}

bool Day() {
    return gScene.timeOfDay == 1;
}
bool Night() {
    return gScene.timeOfDay == 2;
}
bool On(int id) {
    return gFigures[id].active != 0;
}

void RefRest(int id, int limit) {
    if (gFigures[id].active)
        return;
    gFigures[id].restMinutes += 1;
    if (gFigures[id].restMinutes > limit) {
        gFigures[id].restMinutes = 0;
        gFigures[id].ready = 1;
    }
}

void RefRestStep() {
    const int bg = gSettings.backgroundNo;
    if (Day()) {
        const int list[][2] = {{1, 4},  {2, 3},  {3, 3},  {4, 2},  {5, 2},  {6, 6},  {7, 3},  {8, 3},  {9, 4},
                               {11, 2}, {12, 3}, {13, 3}, {14, 4}, {15, 3}, {16, 3}, {21, 2}, {22, 1}, {23, 2},
                               {24, 0}, {25, 3}, {26, 1}, {27, 1}, {29, 5}, {30, 3}, {34, 5}, {37, 1}, {38, 1},
                               {40, 4}, {44, 2}, {49, 3}, {50, 4}, {53, 2}, {56, 2}, {57, 2}};
        for (const auto& e : list)
            RefRest(e[0], e[1]);
        RefRest(99, bg == 3 ? 5 : 16);
    } else {
        RefRest(3, bg == 1 ? 10 : 0);
        RefRest(23, 0);
        RefRest(29, bg == 1 ? 10 : 0);
        int limit = bg == 1 ? 12 : RefRand() % 4;
        RefRest(40, limit);
        limit = RefRand() % 3 + 2;
        RefRest(49, limit);
        limit = RefRand() % 5 + 4;
        RefRest(50, limit);
        RefRest(53, bg == 1 ? 13 : 0);
        limit = RefRand() % 3 + 2;
        RefRest(56, limit);
        limit = bg == 1 ? 8 : RefRand() % 3 + 2;
        RefRest(57, limit);
        RefRest(58, bg == 1 ? 30 : 3);
        limit = RefRand() % 3 + 2;
        RefRest(59, limit);
    }
    for (int id = 80; id <= 98; ++id) {
        const int limit = bg == 3 ? RefRand() % 3 + 1 : RefRand() % 3;
        RefRest(id, limit);
    }
}

bool PassesBasicTest(int id, int last) {
    return id != last && FigureBitmapCount[id] >= 1 && gFigures[id].ready && !gFigures[id].active;
}

bool RefPersonRule(int id) {
    const int bg = gSettings.backgroundNo;
    const bool normal = gScene.season == 1;
    switch (id) {
    case 1: case 5: return Day() && RefFree({12});
    case 2: return Day() && RefFree({5, 6, 7});
    case 16: return Day() && RefFree({5, 6, 7}) && !gScene.figure16Waiting;
    case 3: return (Day() || bg != 4) && RefFree({9});
    case 4: return Day() && RefFree({7, 8, 9, 10});
    case 6: case 14: return Day() && RefFree({3, 4, 5}) && !On(22);
    case 7: return Day() && RefFree({5, 6});
    case 8: return bg != 3 && normal && Day() && RefFree({11}) && !On(4);
    case 9: return Day() && !gScene.figure9Waiting && RefFree({11});
    case 11: return normal && Day();
    case 13: return Day() && RefFree({10});
    case 15: case 25: case 27:
        return Day() && (!On(6) || gFigures[6].x > 399) && (!On(14) || gFigures[14].x > 399) && RefFree({4, 5});
    case 21: return Day() && RefFree({9, 10});
    case 22:
        if (!Day())
            return false;
        if (bg == 3 && RefRand() % 6 != 0)
            return false;
        if (RefFree({7, 8, 9, 10, 11, 12})) {
            gScene.figure22Band = 1;
            return true;
        }
        if (RefFree({3, 4, 5, 6, 7})) {
            gScene.figure22Band = 2;
            return true;
        }
        gScene.figure22Band = 0;
        return false;
    case 23: return RefFree({10});
    case 24: return Day() && RefFree({5});
    case 26:
        return Day() && gCaseDate.month == 12 && gCaseDate.day >= 23 && gCaseDate.day <= 25 && RefFree({9, 10, 11});
    case 29: return (Day() || bg != 4) && RefFree({7});
    case 30: return bg != 3 && Day() && RefFree({7, 8, 9});
    case 34: return bg != 3 && Day() && RefFree({12, 11});
    case 37: return Day() && gCaseDate.month == 12 && gCaseDate.day == 6 && RefFree({9, 10, 11});
    case 38: return Day() && RefEasterTime() == 1 && RefFree({9, 10, 11});
    case 40: return bg != 4 && Night() && RefFree({5});
    case 49: case 56: return RefFree({8});
    case 50: return bg != 3 && RefFree({11});
    case 53: return bg != 4 && Night() && !On(15) && !On(16) && !On(22) && !On(37);
    case 57: return bg != 4 && Night() && RefFree({8});
    case 58: return bg == 3 && Night();
    case 59: return Night() && RefFree({11});
    default: return false;
    }
}

int RefDrawPerson() {
    if (gScene.personCount < 3) {
        if (RefRand() % 3 != 0 && gCaseDate.month == 12 && gCaseDate.day == 6)
            return 37;
        if (RefRand() % 3 != 0 && RefEasterTime() == 1)
            return 38;
    }
    if (gSettings.backgroundNo != 3 && gScene.personCount < 2) {
        const int r = RefRand() % 4;
        if (r == 0 && (gScene.figure9Waiting || gScene.figure16Waiting))
            return 22;
    }
    return RefRand() % 59 + 1;
}

int RefPickPerson() {
    for (int attempt = 0; attempt < 2; ++attempt) {
        int candidate = 0;
        for (int draw = 0; draw < 20; ++draw) {
            const int id = RefDrawPerson();
            if (PassesBasicTest(id, gScene.lastPerson)) {
                candidate = id;
                break;
            }
        }
        if (candidate == 0)
            continue;
        if (RefPersonRule(candidate)) {
            gScene.lastPerson = candidate;
            return candidate;
        }
    }
    return 0;
}

bool RefVehicleRule(int id) {
    const int bg = gSettings.backgroundNo;
    const bool farFree = gScene.farLaneVehicle == 0, nearFree = gScene.nearLaneVehicle == 0;
    switch (id) {
    case 80: return bg != 3 && Night() && farFree && !On(90);
    case 81: return Day() && farFree && !On(92);
    case 82: case 88: return Day() && farFree;
    case 83: return Day() && farFree && !On(96);
    case 84: case 85: return bg != 3 && Day() && farFree;
    case 86: return (bg != 3 || Day()) && farFree && !On(91);
    case 87: return (bg != 3 || Day()) && farFree && !On(98);
    case 89: case 94: case 95: case 97: case 99: return Day() && nearFree;
    case 90: return bg != 3 && Night() && nearFree && !On(80);
    case 91: return bg != 3 && Night() && nearFree && !On(86);
    case 92: return Day() && nearFree && !On(81);
    case 93: return bg != 3 && Day() && nearFree;
    case 96: return Day() && nearFree && !On(83);
    case 98: return (bg != 3 || Day()) && nearFree && !On(87);
    default: return false;
    }
}

int RefPickVehicle() {
    for (int draw = 0; draw < 10; ++draw) {
        const int id = RefRand() % 20 + 80;
        if (PassesBasicTest(id, gScene.lastVehicle)) {
            gScene.lastVehicle = id;
            return RefVehicleRule(id) ? id : 0;
        }
    }
    return 0;
}

bool RefDirectorPass(HWND window) {
    const DirectorCalls& call = gDirectorCalls;
    const int dayFrom = gSettings.dayFromHour, nightAfter = gSettings.nightAfterHour;
    gScene.month = gCaseDate.month;
    gScene.dayOfMonth = gCaseDate.day;
    gScene.hour = gCaseDate.hour;
    gScene.minute = gCaseDate.minute;
    const int hour = gScene.hour, minute = gScene.minute;

    const bool empty = gScene.personCount < 1 && !gScene.busOnStage && gScene.farLaneVehicle == 0 &&
                       gScene.nearLaneVehicle == 0 && !gScene.aircraftActive;
    if (hour != gScene.lastBuildHour && empty) {
        gScene.lastBuildHour = hour;
        if (!call.buildScenery()) {
            gScene.startStage = StartStage::MemoryNotice;
            return false;
        }
    }

    if (minute != gScene.lastMinute && !gScene.busOnStage) {
        gScene.lastMinute = minute;
        if (gScene.mailCheckOn)
            gScene.newMail = call.countUnreadMail(window) > gScene.mailBaseline ? 1 : 0;
        bool due;
        if (Day()) {
            const int k = gSettings.backgroundNo == 3 ? RefRand() % 10 + 6 : 5;
            due = minute % k == 0;
        } else {
            due = minute % 15 == 0;
        }
        if (due) {
            gScene.busOnStage = call.loadFigure(70);
            if (gScene.busOnStage && !(minute == 0 && (hour == nightAfter + 1 || hour == dayFrom))) {
                gScene.personCountdown = RefRand() % 41 + 30;
                gScene.vehicleCountdown = RefRand() % 41 + 10;
            }
        }
        RefRestStep();
        bool clear = false;
        if (Night())
            clear = (hour == dayFrom - 1 && minute > 54) || hour == dayFrom;
        else if (Day())
            clear = (hour == nightAfter && minute > 58) || hour > nightAfter;
        if (clear)
            for (int id = 1; id <= 59; ++id)
                gFigures[id].ready = 0;
    }

    if (!gScene.busOnStage) {
        gScene.personCountdown -= 1;
        if (gScene.personCountdown < 1 && gScene.personCount < 7) {
            const int id = RefPickPerson();
            if (call.loadFigure(id)) {
                if ((Day() && hour == nightAfter && minute > 58) || (Night() && hour == dayFrom - 1 && minute > 58)) {
                    gScene.personCountdown = RefRand() % 1001 + 1500;
                } else {
                    const int p = gScene.personCount;
                    if (p >= 4)
                        gScene.personCountdown = RefRand() % 131 + 30;
                    else if (p == 3)
                        gScene.personCountdown = RefRand() % 155 + 6;
                    else
                        gScene.personCountdown = RefRand() % 27 + 6;
                }
            }
        }
    }

    if (!gScene.busOnStage) {
        gScene.vehicleCountdown -= 1;
        if (gScene.vehicleCountdown < 1) {
            if (RefRand() % 91 == 0) {
                const int b = RefRand() % 2;
                call.playSceneSound(b == 0 ? 1 : 0);
            } else if (RefRand() % 31 == 0) {
                call.playSceneSound(14);
            }
            const int id = RefPickVehicle();
            if (!call.loadFigure(id)) {
                gScene.vehicleCountdown = 5;
            } else {
                const int p = gScene.personCount;
                if (p >= 4)
                    gScene.vehicleCountdown = RefRand() % 131 + 70;
                else if (p >= 1)
                    gScene.vehicleCountdown = RefRand() % 191 + 10;
                else
                    gScene.vehicleCountdown = RefRand() % 61 + 10;
            }
            if ((Day() && hour == nightAfter && minute > 58) || (Night() && hour == dayFrom - 1 && minute > 57))
                gScene.vehicleCountdown = 5000;
        }
    }

    if (gScene.screenHeight > 500 && Day()) {
        gScene.aircraftCountdown -= 1;
        if (gScene.aircraftCountdown < 1 && !gScene.aircraftActive && !gScene.busOnStage) {
            gScene.aircraftCountdown = hour == nightAfter && minute > 54 ? 30000 : RefRand() % 501 + 200;
            call.startAircraft();
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Stand-ins for the scene around the director, the same for both. They record every call and
// answer from the random scene state, so both sides meet the same outcomes.

struct Call {
    char what;  // B build, L load, M mail, S sound, A aircraft
    int argument;
    int result;
    bool operator==(const Call& o) const { return what == o.what && argument == o.argument && result == o.result; }
};

struct Outcomes {
    uint32_t loadFailures;  // bit n: the n-th load of the pass fails
    int buildFails;
    int unreadMail;
};

Outcomes gOutcomes;
std::vector<Call>* gLog = nullptr;
int gLoadsInPass = 0;

int FakeBuildScenery() {
    const int ok = gOutcomes.buildFails ? 0 : 1;
    if (ok) {  // the rebuilt scenery decides the time of day again
        const int h = gScene.hour;
        gScene.timeOfDay = gSettings.dayFromHour <= h && h <= gSettings.nightAfterHour ? 1 : 2;
    }
    gLog->push_back({'B', 0, ok});
    return ok;
}

int FakeLoadFigure(FigureId id) {
    int ok;
    if (id < 1 || id >= FigureTableSize) {
        ok = 0;
    } else if (gFigures[id].active) {
        ok = 1;
    } else {
        RefRand();  // the real load draws the bus colour on every load
        ok = FigureBitmapCount[id] > 0 && !((gOutcomes.loadFailures >> (gLoadsInPass++ % 32)) & 1);
        if (ok) {
            gFigures[id].active = 1;
            if (id < 60)
                ++gScene.personCount;
            if (id >= 80 && id <= 88)
                gScene.farLaneVehicle = id;
            if (id >= 89 && id <= 99)
                gScene.nearLaneVehicle = id;
        }
    }
    gLog->push_back({'L', id, ok});
    return ok;
}

int FakeCountUnreadMail(HWND) {
    gLog->push_back({'M', 0, gOutcomes.unreadMail});
    return gOutcomes.unreadMail;
}

void FakePlaySceneSound(int slot) {
    gLog->push_back({'S', slot, 0});
}

void FakeStartAircraft() {
    gScene.aircraftActive = 1;
    gLog->push_back({'A', 0, 0});
}

// ---------------------------------------------------------------------------------------------
// Random scene states, weighted towards the edges the rules care about: countdowns about to run
// out, the minutes around the bus and the change of day and night, the holidays.

struct Lcg {
    uint32_t state;
    uint32_t Next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
    bool Chance(int inHundred) { return Below(100) < inHundred; }
    int Countdown() { return Chance(75) ? Below(4) - 1 : Below(300); }
};

void RandomScene(Lcg& g) {
    ResetSceneState();
    gSettings.backgroundNo = 1 + g.Below(4);
    gSettings.dayFromHour = 1 + g.Below(12);
    gSettings.nightAfterHour = 13 + g.Below(11);

    LocalDate d{};
    d.year = 2024 + g.Below(7);
    const int kind = g.Below(10);
    if (kind < 2) {
        d.month = 12;
        d.day = 6;
    } else if (kind < 4) {
        const MonthDay sunday = EasterSunday(d.year);
        const int offset = g.Below(5) - 2;  // Friday to Tuesday
        d.month = sunday.month;
        d.day = sunday.day + offset;
        if (d.day < 1) {
            d.month = 3;
            d.day += 31;
        } else if (sunday.month == 3 && d.day > 31) {
            d.month = 4;
            d.day -= 31;
        }
    } else if (kind < 5) {
        d.month = 12;
        d.day = 22 + g.Below(5);
    } else {
        d.month = 1 + g.Below(12);
        d.day = 1 + g.Below(28);
    }
    const int edgeHours[] = {gSettings.dayFromHour - 1, gSettings.dayFromHour, gSettings.nightAfterHour,
                             gSettings.nightAfterHour + 1};
    d.hour = g.Chance(50) ? edgeHours[g.Below(4)] : g.Below(24);
    d.minute = g.Chance(30) ? 54 + g.Below(6) : g.Chance(25) ? 0 : g.Below(60);
    gCaseDate = d;

    gScene.startStage = StartStage::Running;
    gScene.timeOfDay = 1 + g.Below(2);
    gScene.season = 1 + g.Below(2);
    const int heights[] = {480, 500, 501, 768};  // either side of the aircraft gate
    gScene.screenHeight = heights[g.Below(4)];
    gScene.month = 1 + g.Below(12);
    gScene.hour = g.Below(24);
    gScene.minute = g.Below(60);
    gScene.lastMinute = g.Chance(40) ? d.minute : g.Below(60);
    gScene.lastBuildHour = g.Chance(50) ? d.hour : g.Below(24);
    gScene.personCountdown = g.Countdown();
    gScene.vehicleCountdown = g.Countdown();
    gScene.aircraftCountdown = g.Countdown();
    gScene.mailCheckOn = g.Below(2);
    gScene.mailBaseline = g.Below(3);
    gScene.newMail = g.Below(2);
    gScene.figure9Waiting = g.Chance(30);
    gScene.figure16Waiting = g.Chance(30);
    gScene.figure22Band = g.Below(3);
    gScene.lastPerson = g.Below(60);
    gScene.lastVehicle = 80 + g.Below(20);
    gScene.randomState = static_cast<uint32_t>(g.Next()) ^ (static_cast<uint32_t>(g.Next()) << 16);

    const int busyness = g.Below(4);  // from an empty stage to a crowded one
    const int activeChance[] = {0, 3, 10, 25};
    int persons = 0;
    for (int id = 1; id < FigureTableSize; ++id) {
        FigureRecord& f = gFigures[id];
        f.active = id <= 99 && id != 70 && g.Chance(activeChance[busyness]);
        f.ready = g.Chance(60);
        f.restMinutes = g.Below(8);
        f.x = g.Below(900) - 100;
        if (f.active && id < 60)
            ++persons;
    }
    gScene.personCount = g.Chance(80) ? persons : g.Below(9);
    gScene.busOnStage = g.Chance(15);
    gFigures[70].active = gScene.busOnStage;
    gScene.aircraftActive = g.Chance(20);
    gScene.farLaneVehicle = g.Chance(30) ? 80 + g.Below(9) : 0;
    gScene.nearLaneVehicle = g.Chance(30) ? 89 + g.Below(11) : 0;

    gOutcomes.loadFailures = g.Chance(50) ? 0 : static_cast<uint32_t>(g.Next() & g.Next());
    gOutcomes.buildFails = g.Chance(5);
    gOutcomes.unreadMail = g.Below(4);
}

// The fields either director may change, by name, for the first difference found.
std::string SceneDifference(const SceneState& real, const SceneState& ref) {
    std::ostringstream out;
#define QB_FIELD(name)                                                                        \
    if (real.name != ref.name)                                                                \
        out << #name << ": director " << static_cast<long long>(real.name) << ", reference " \
            << static_cast<long long>(ref.name) << "; ";
    QB_FIELD(month) QB_FIELD(dayOfMonth) QB_FIELD(hour) QB_FIELD(minute) QB_FIELD(timeOfDay)
    QB_FIELD(season) QB_FIELD(personCount) QB_FIELD(busOnStage) QB_FIELD(farLaneVehicle)
    QB_FIELD(nearLaneVehicle) QB_FIELD(aircraftActive) QB_FIELD(figure22Band) QB_FIELD(figure9Waiting)
    QB_FIELD(figure16Waiting) QB_FIELD(lastPerson) QB_FIELD(lastVehicle) QB_FIELD(lastBuildHour)
    QB_FIELD(lastMinute) QB_FIELD(personCountdown) QB_FIELD(vehicleCountdown) QB_FIELD(aircraftCountdown)
    QB_FIELD(newMail) QB_FIELD(mailBaseline) QB_FIELD(randomState)
#undef QB_FIELD
    if (real.startStage != ref.startStage)
        out << "startStage; ";
    if (out.str().empty() && std::memcmp(&real, &ref, sizeof real) != 0)
        out << "another field of the scene record; ";
    return out.str();
}

std::string FigureDifference(const FigureRecord* real, const FigureRecord* ref) {
    std::ostringstream out;
    for (int id = 1; id < FigureTableSize; ++id) {
        const FigureRecord &a = real[id], &b = ref[id];
        if (a.active != b.active || a.ready != b.ready || a.restMinutes != b.restMinutes || a.phase != b.phase ||
            a.x != b.x)
            out << "figure " << id << " (active " << a.active << "/" << b.active << ", ready " << a.ready << "/"
                << b.ready << ", rest " << a.restMinutes << "/" << b.restMinutes << "); ";
        else if (std::memcmp(&a, &b, sizeof a) != 0)
            out << "figure " << id << " (another field); ";
    }
    return out.str();
}

std::string CallList(const std::vector<Call>& calls) {
    std::ostringstream out;
    for (const Call& c : calls)
        out << c.what << c.argument << "=" << c.result << " ";
    return out.str();
}

class DirectorReference : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = gDirectorCalls;
        gDirectorCalls = {FakeBuildScenery, FakeLoadFigure, FakeCountUnreadMail, FakePlaySceneSound,
                          FakeStartAircraft};
        SetLocalDateSource(CaseDate);
        LoadSettings();
    }
    void TearDown() override {
        gDirectorCalls = saved_;
        SetLocalDateSource(nullptr);
        ResetSceneState();
    }
    DirectorCalls saved_{};
};

// Runs both directors on the same states; returns how many states differed (and reports the first few).
struct Tally {
    int cases = 0, differences = 0;
    int builds = 0, failedBuilds = 0, buses = 0, persons = 0, vehicles = 0, sounds = 0, aircraft = 0, mails = 0;
    int nicholas = 0, easter = 0, sweeper = 0, lateCountdowns = 0;
};

Tally Compare(uint32_t seed, int cases) {
    static SceneState before, afterReal;
    static FigureRecord figuresBefore[FigureTableSize], figuresReal[FigureTableSize];
    static Settings settingsBefore;
    Tally t;
    Lcg g{seed};
    std::vector<Call> realCalls, refCalls;
    HWND window = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x1234));
    for (int n = 0; n < cases; ++n) {
        RandomScene(g);
        std::memcpy(&before, &gScene, sizeof before);
        std::memcpy(figuresBefore, gFigures, sizeof figuresBefore);
        settingsBefore = gSettings;

        realCalls.clear();
        gLog = &realCalls;
        gLoadsInPass = 0;
        const bool realResult = SceneDirector(window);
        std::memcpy(&afterReal, &gScene, sizeof afterReal);
        std::memcpy(figuresReal, gFigures, sizeof figuresReal);

        std::memcpy(&gScene, &before, sizeof before);
        std::memcpy(gFigures, figuresBefore, sizeof figuresBefore);
        gSettings = settingsBefore;
        refCalls.clear();
        gLog = &refCalls;
        gLoadsInPass = 0;
        const bool refResult = RefDirectorPass(window);

        ++t.cases;
        const std::string scene = SceneDifference(afterReal, gScene);
        const std::string figures = FigureDifference(figuresReal, gFigures);
        if (realResult != refResult || realCalls != refCalls || !scene.empty() || !figures.empty()) {
            if (++t.differences <= 5)
                ADD_FAILURE() << "state " << n << " (seed " << seed << "), " << gCaseDate.day << "."
                              << gCaseDate.month << "." << gCaseDate.year << " " << gCaseDate.hour << ":"
                              << gCaseDate.minute << ", background " << gSettings.backgroundNo << ", day "
                              << before.timeOfDay << "\n  result " << realResult << "/" << refResult
                              << "\n  director calls:  " << CallList(realCalls)
                              << "\n  reference calls: " << CallList(refCalls) << "\n  scene: " << scene
                              << "\n  figures: " << figures;
        }
        for (const Call& c : refCalls) {
            if (c.what == 'B') {
                ++t.builds;
                t.failedBuilds += c.result == 0;
            }
            if (c.what == 'L' && c.result) {
                t.buses += c.argument == 70;
                t.persons += c.argument >= 1 && c.argument < 60;
                t.vehicles += c.argument >= 80;
                t.nicholas += c.argument == 37;
                t.easter += c.argument == 38;
                t.sweeper += c.argument == 22;
            }
            t.sounds += c.what == 'S';
            t.aircraft += c.what == 'A';
            t.mails += c.what == 'M';
        }
        t.lateCountdowns += gScene.personCountdown >= 1500 || gScene.vehicleCountdown == 5000 ||
                            gScene.aircraftCountdown == 30000;
    }
    return t;
}

TEST_F(DirectorReference, AgreesWithTheDirectorOnRandomSceneStates) {
    const Tally t = Compare(20261208u, 300000);
    EXPECT_EQ(t.differences, 0) << "of " << t.cases << " states";
    // The states must reach every rule, or agreement would say little.
    EXPECT_GT(t.builds, 1000);
    EXPECT_GT(t.failedBuilds, 20);
    EXPECT_GT(t.buses, 1000);
    EXPECT_GT(t.persons, 10000);
    EXPECT_GT(t.vehicles, 10000);
    EXPECT_GT(t.sounds, 500);
    EXPECT_GT(t.aircraft, 1000);
    EXPECT_GT(t.mails, 1000);
    EXPECT_GT(t.nicholas, 100);
    EXPECT_GT(t.easter, 100);
    EXPECT_GT(t.sweeper, 100);
    EXPECT_GT(t.lateCountdowns, 100);
    std::printf("%d states: %d builds (%d failed), %d buses, %d persons (%d Nicholas, %d Easter, %d sweeper), "
                "%d vehicles, %d sounds, %d aircraft, %d mail checks, %d late countdowns\n",
                t.cases, t.builds, t.failedBuilds, t.buses, t.persons, t.nicholas, t.easter, t.sweeper, t.vehicles,
                t.sounds, t.aircraft, t.mails, t.lateCountdowns);
}

}  // namespace
