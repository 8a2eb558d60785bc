// Drivers seen through a side window, and the rider of the scooter. The
// composite vehicles carry their driver as pictures of their own, switched at
// random, so every pose of one driver must sit on the same shoulders.
#pragma once
#include "core/image.h"

namespace art::vehicles {

struct Driver {
    int skin = 4;               // step of the skin ramp
    Ramp hair = ramp::hair;
    int hair_step = 1;
    bool long_hair = false;
    bool cap = false;           // a flat cap in the cloth colour
    Ramp cloth = ramp::cloth_blue;
    bool glasses = false;
};

// Poses: 0 eyes on the road, 1 turned to look out of the side window, 2 a
// word to someone (mouth open), 3 a nod (head down a pixel), 4 looking up,
// 5 eyes closed for a blink, 6 head tilted back (singing along), 7 a glance
// over the shoulder.
constexpr int kDriverPoses = 8;

// Head and shoulders in the w x h box at (x, y), the figure facing right or
// left; the rest of the box stays as it was (the key, so glass shows).
void paint_driver(Image& img, int x, int y, int w, int h, const Driver& d, int pose, bool facing_right);

}  // namespace art::vehicles
