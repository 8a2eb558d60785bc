// The still scene: background, street picture, advertising board with its motive, halt sign.
#pragma once
#include "scene/scene_state.h"

// Composes backdrop and stage for the current time of day; 1 on success (or nothing to do),
// 0 when a picture or a surface cannot be made.
int BuildScenery();

// Where a picture of the given size lands in the window, and which of its rows are shown.
struct PicturePlacement {
    int left;
    int top;
    int sourceRow;
    int bottom;  // window row below the drawn picture
};
PicturePlacement PlacePicture(int width, int height, int screenWidth, int screenHeight);

// The window-light layers of background 3 (figures 101..106), drawn straight onto the screen.
void NightLayerScript(FigureId id);
