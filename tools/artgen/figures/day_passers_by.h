// The sheets of the people (and the dog) who cross the street by day
// without waiting for the bus: figures 11, 14, 15, 20, 24, 25, 29 (day),
// 30 and 34. Split over two files; this header joins them and lets the
// tests see the telephone caller without her booth.
#pragma once
#include "core/image.h"
#include "figures/person.h"
#include "figures/person_sheet.h"

namespace art::figures::day {

// Figure 14, the old woman who phones. `own_booth` paints the grey booth of
// the other streets into her pictures (the first sheet); otherwise her
// pictures carry the parts of `street_day`'s booth that stand in front of
// her or that she swings open (the second sheet). With `person_only` the
// sheet holds nothing but her, at the same places, so that her feet and
// head can be measured without the booth in the way.
Image sheet_fig14(bool own_booth, const Image& street_day, bool person_only = false);

Image sheet_fig24();
Image sheet_fig25();
Image sheet_fig29();
Image sheet_fig30();
Image sheet_fig34();

// Shared by both files.
const Look& look_of(int id, int k = 0);
// A walking frame of the four-frame cycle; an arm that carries something
// swings less.
Pose walking(const Look& L, int k, int facing, Held near_hand = Held::None, Held far_hand = Held::None);
// Paints the person with the soles on the frame's bottom row (less `lift`).
Rig person(Image& frame, const Look& L, const Pose& p, double ax, const Extra& extra = nullptr, int lift = 0);

}  // namespace art::figures::day
