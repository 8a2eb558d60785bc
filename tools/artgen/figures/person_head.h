// The head painter shared by the street figures and the bus-window faces.
#pragma once
#include "figures/person_paint.h"

namespace art::figures::head {

struct HeadSpec {
    Pt c;              // centre of the skull
    double rx, ry;     // half width and half height of the skull
    View view;         // Side: profile facing `facing`; Front; Back
    int facing = 1;
    int mouth = 0;
    bool blink = false;
};

void paint_head(paint::Canvas& cv, const Look& look, const HeadSpec& spec);

}  // namespace art::figures::head
