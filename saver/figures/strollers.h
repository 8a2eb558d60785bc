// The figures of the evening and the night, and the strollers who may also come by day.
// Strollers enter at the right edge, amble to the left, linger, and walk on or turn back: the
// family at night (29), the woman in the red dress (40), 49, 50, the couple (56) and 57.
// Alone at night: the woman in the long coat (53), the woman in the red dress by the sign (58)
// and the two men who cross and come back (59).
#pragma once
#include "scene/scene_state.h"

// Figure 29 has a day script of its own; the dispatcher runs this one while it is night.
void Figure29NightScript(FigureId id);
void Figure40Script(FigureId id);
void Figure49Script(FigureId id);
void Figure50Script(FigureId id);
void Figure53Script(FigureId id);
void Figure56Script(FigureId id);
void Figure57Script(FigureId id);
void Figure58Script(FigureId id);
void Figure59Script(FigureId id);
