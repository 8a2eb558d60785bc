// Back-to-front drawing: every active figure's script advances and draws it into the stage.
#pragma once
#include <array>

#include "scene/scene_state.h"

// Figure 22 walks either the back band or the front band; its script moves its own entry.
constexpr int SweeperBackSlot = 31;
constexpr int SweeperFrontSlot = 57;

// The slots from back (0) to front (130) as the scene starts; 0 = empty.
extern const std::array<FigureId, DrawOrderSize> InitialDrawOrder;

// A figure's script: advance one tick and draw into the stage.
using FigureScript = void (*)(FigureId id);
// The script that runs a figure, or null for ids that have none.
FigureScript ScriptFor(FigureId id);

void DrawFigures();
