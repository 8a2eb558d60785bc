// Visitors on particular days: an old man with a Christmas tree (26, 23 to 25 December), St Nicholas
// (37, 6 December) and someone in a rabbit costume (38, around Easter). The director knows the dates.
#pragma once
#include "scene/scene_state.h"

void Figure26Script(FigureId id);
void Figure37Script(FigureId id);
void Figure38Script(FigureId id);
