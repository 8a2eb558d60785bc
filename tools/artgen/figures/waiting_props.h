// Things the waiting passengers hold that the posable person does not draw
// itself, painted into a person's canvas through its Extra hook: a parcel
// held in both hands, a trumpet, a market basket with its shopping, a ball.
//
// All sizes follow the holder's height so the props stay in proportion on
// the children and the adults alike.
#pragma once
#include "figures/person.h"
#include "figures/person_paint.h"

namespace art::figures::props {

// A parcel in brown paper tied crosswise with string, centred on c.
void parcel(paint::Canvas& cv, Pt c, double w, double h, double dark = 0);

// A trumpet with its mouthpiece at `mouth`, pointing along the unit vector
// d, `length` pixels from mouthpiece to bell rim. The tube's loop and the
// valves sit on the side of the tube that faces down the screen.
void trumpet(paint::Canvas& cv, Pt mouth, Pt d, double length, double dark = 0);

// A wicker basket hanging from a fist at `hand` by its bow handle: w wide,
// h deep, with bread and greens showing over the rim.
void basket(paint::Canvas& cv, Pt hand, double w, double h, double dark = 0);

// A leather football, white with dark patches.
void football(paint::Canvas& cv, Pt c, double r, double dark = 0);

// Paints the person's hand i again over whatever was laid over it, so that
// a fist closes round a prop instead of vanishing behind it.
void hand_over(paint::Canvas& cv, const Look& look, const Rig& rig, int i, double dark = 0);

// Paints the forearm and hand i again, for an arm that wraps round the
// front of a prop.
void forearm_over(paint::Canvas& cv, const Look& look, const Rig& rig, int i, double dark = 0);

// The mouth of a posed head, where a trumpet's mouthpiece goes: just in
// front of the face, a little below the middle of the head.
Pt mouth_of(const Rig& rig, int facing);

}  // namespace art::figures::props
