#include "scene/frame_tick.h"

#include "scene/scene_state.h"

void FrameTick(HWND /*window*/) {
    // The start-up sequence (display check, sounds, clock, scenery, first figures) and the
    // running tick are driven from here; until the scenery exists the window stays black.
}
