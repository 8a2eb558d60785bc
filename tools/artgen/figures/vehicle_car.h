// Passenger cars and other vehicles with one pressed-steel body: a body side
// outline, its glass, doors and trim, painted by one routine.
#pragma once
#include <functional>
#include <vector>

#include "figures/vehicle_kit.h"

namespace art::vehicles {

struct Window {
    std::vector<Pt> pts;  // local, facing right
    double tint = 0.0;
};

struct Occupant {
    double u, v_top, size;
};

struct Box {
    double u0, v0, u1, v1;
};

struct CarDesign {
    int len = 0, ht = 0;
    std::vector<Pt> body;          // outline, local, facing right, clockwise from the rear bottom
    std::vector<double> radii;     // corner radii of the outline
    BodyLines lines{};
    Paint paint{ramp::paint_blue, 3.0};
    std::vector<Window> windows;
    std::vector<Occupant> occupants;
    std::vector<Box> black_parts;  // pillars, grilles and trim painted matt black

    double wheel_r = 16;
    std::vector<double> wheels;  // u of each wheel centre
    WheelStyle wheel{};
    double wheel_lift = 0;  // the wheel centre above its resting place (bodies that bob)

    std::vector<std::pair<Pt, Pt>> gaps;  // panel gaps, local end points
    std::vector<Pt> handles;              // door handles, local centre
    double rub_v = -1, rub_u0 = 0, rub_u1 = 0;  // a side rubbing strip
    double belt_trim_u0 = 0, belt_trim_u1 = 0;  // chrome along the window line
    bool chrome = false;                        // chrome bumpers instead of plastic
    Box rear_bumper{}, front_bumper{};
    Box head{}, tail{}, blinker{};
    Pt mirror{-1, -1};
    double shadow_u0 = 0, shadow_u1 = 0;
    double beam_v = -1;  // height of the headlamp's centre (defaults to the head lamp box)
};

using Extra = std::function<void(const View&, const Pose&, const Image& body)>;

// Paints one frame of the car into vw.img. `before_wheels` runs after the body
// and its trim but before arches and wheels; `after` runs last by day and, at
// night, before the re-lighting (so what it paints is re-lit with the rest).
// `lit` runs at night after the re-lighting (lamps, signs that shine).
void paint_car(const View& vw, const CarDesign& s, const Pose& pose, const Extra& before_wheels = {},
               const Extra& after = {}, const Extra& lit = {});

// The frame of a night sheet: the vehicle's box plus room for the beam in
// front, the box standing at the back end of the frame.
View night_view(Image& frame, int len, int ht, bool right);

}  // namespace art::vehicles
