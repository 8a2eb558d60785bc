// The director: every ninth running tick it follows the clock, switches between day and night
// when the stage is empty, starts the bus on set minutes and starts persons, vehicles and aircraft.
#pragma once
#include <windows.h>

#include "scene/scene_state.h"

constexpr int ZoneCount = 16;
constexpr int ZoneSize = 16;

// Depth bands of the pavement and the road; a figure starts only when the bands it crosses are free.
extern const FigureId ZoneTable[ZoneCount][ZoneSize];

// True when any figure listed in the zone is active.
bool ZoneBusy(int zone);

// One director pass; false when a rebuild of the scenery failed (the scene then shows the notice).
bool SceneDirector(HWND window);

// Counts the cooldown of inactive figures and makes them ready again.
void RestStep();
// A person or animal that may start now, or 0.
FigureId PickPerson();
// A vehicle that may start now, or 0.
FigureId PickVehicle();

// Test seam: the calls by which the director acts on the rest of the scene. They point to the real
// functions; a test may point them elsewhere to record and steer what the director does.
struct DirectorCalls {
    int (*buildScenery)();
    int (*loadFigure)(FigureId id);
    int (*countUnreadMail)(HWND window);
    void (*playSceneSound)(int slot);
    void (*startAircraft)();
};
extern DirectorCalls gDirectorCalls;
