#include "figures/waiting_props.h"

#include <algorithm>
#include <cmath>

#include "figures/person_body.h"

namespace art::figures::props {

using namespace paint;

void parcel(Canvas& cv, Pt c, double w, double h, double dark) {
    const Mat paper{ramp::ochre, 3.4, 1.0};
    const uint8_t id = cv.part();
    const double l = c.x - w / 2, r = c.x + w / 2, t = c.y - h / 2, b = c.y + h / 2;
    blob(cv, {{l, t}, {r, t}, {r, b}, {l, b}}, paper, id, dark, 0.25);
    // the lid's edge catches the light: a box, not a board
    const int top = int(std::floor(t));
    for (int x = int(std::floor(l)); x < int(std::ceil(r)); ++x)
        if (cv.ids.get(x, top + 1) == id) cv.put(x, top + 1, shift(cv.img.get(x, top + 1), 1), id);
    // string crosswise, knotted where it crosses
    const uint8_t string = ramp::dusk(1);
    const double sx = std::floor(c.x - w * 0.1) + 0.5, sy = std::floor(c.y) + 0.5;
    seg(cv, {sx, t + 0.5}, {sx, b - 0.5}, string, id);
    seg(cv, {l + 0.5, sy}, {r - 0.5, sy}, string, id);
    dot(cv, {sx + 1, sy - 1}, string, id);
    // an address label in the upper right corner
    for (int y = int(t) + 2; y < int(sy) - 0; ++y)
        for (int x = int(sx) + 2; x < int(std::min(r - 1.5, sx + 2 + w * 0.3)); ++x)
            if (cv.ids.get(x, y) == id) cv.put(x, y, ramp::grey(y == int(t) + 3 ? 5 : 7), id);
}

void trumpet(Canvas& cv, Pt a, Pt d, double L, double dark) {
    const Mat brass{ramp::paint_yellow, 3.9, 1.1};
    // the side of the tube that faces down the screen
    Pt n{-d.y, d.x};
    if (n.y < 0) n = n * -1.0;
    uint8_t id = cv.part();
    // the tube's loop below the main tube, joined at both ends
    Pt l0 = a + d * (0.22 * L) + n * 2.0, l1 = a + d * (0.62 * L) + n * 2.0;
    capsule(cv, l0, l1, 0.6, 0.6, brass, id, dark + 0.5);
    seg(cv, a + d * (0.22 * L), l0, ramp::paint_yellow(2), id);
    seg(cv, a + d * (0.62 * L), l1, ramp::paint_yellow(2), id);
    id = cv.part();
    capsule(cv, a + d * 1.0, a + d * (0.72 * L), 0.6, 0.7, brass, id, dark);
    // the bell flares out over the last quarter
    capsule(cv, a + d * (0.7 * L), a + d * (0.93 * L), 0.8, 2.4, brass, id, dark);
    const Pt rim = a + d * (0.96 * L);
    seg(cv, rim - n * 2.2, rim + n * 2.2, ramp::paint_yellow(5), id);
    // three valves standing up from the tube, silver caps
    for (double t : {0.36, 0.45, 0.54}) {
        Pt v = a + d * (t * L);
        dot(cv, v - n * 1.0, ramp::paint_yellow(4), id);
        dot(cv, v - n * 2.0, ramp::chrome(4), id);
    }
    // the mouthpiece
    dot(cv, a, ramp::chrome(3), id);
}

void basket(Canvas& cv, Pt hand, double w, double h, double dark) {
    const Mat wicker{ramp::ochre, 3.0, 1.2};
    const Pt top = hand + Pt{0, h * 0.55};
    // the shopping over the rim: a round loaf and a bunch of leeks
    uint8_t id = cv.part();
    ball(cv, top + Pt{-w * 0.2, -0.4}, w * 0.24, h * 0.3, Mat{ramp::wood, 4.4, 1.2}, id, dark);
    dot(cv, top + Pt{-w * 0.25, -h * 0.15}, ramp::wood(3), id);
    id = cv.part();
    for (int k = 0; k < 3; ++k) {
        Pt base = top + Pt{w * (0.12 + 0.1 * k), 0.5};
        Pt tip = base + Pt{w * (0.1 + 0.06 * k), -h * (0.75 - 0.12 * k)};
        seg(cv, base, tip, ramp::foliage(k == 1 ? 5 : 3), id);
        dot(cv, base + Pt{0, -1}, ramp::grey(7), id);
    }
    // body: slightly narrower at the bottom, woven in rows
    id = cv.part();
    blob(cv, {top + Pt{-w / 2, 0}, top + Pt{w / 2, 0}, top + Pt{w * 0.4, h}, top + Pt{-w * 0.4, h}}, wicker, id, dark, 0.4);
    for (int y = int(top.y) + 2; y < int(top.y + h); ++y)
        for (int x = int(top.x - w / 2); x <= int(top.x + w / 2); ++x)
            if (cv.ids.get(x, y) == id && (((x + (y / 2)) & 1) == 0) && (y & 1))
                cv.put(x, y, shift(cv.img.get(x, y), -1), id);
    // the rim, a plaited band lighter than the weave
    for (int x = int(std::floor(top.x - w / 2)); x <= int(std::floor(top.x + w / 2)); ++x)
        if (cv.ids.get(x, int(top.y)) == id) cv.put(x, int(top.y), ramp::ochre(x & 1 ? 4 : 5), id);
    // the bow handle up to the fist
    const uint8_t bow = ramp::ochre(2);
    seg(cv, top + Pt{-w * 0.38, 0}, hand + Pt{-1.0, 0}, bow, id);
    seg(cv, top + Pt{w * 0.38, 0}, hand + Pt{1.0, 0}, bow, id);
}

void football(Canvas& cv, Pt c, double r, double dark) {
    const uint8_t id = cv.part();
    ball(cv, c, r, r, Mat{ramp::grey, 6.8, 1.6}, id, dark);
    const uint8_t patch = ramp::grey(1);
    dot(cv, c + Pt{0.2, 0.2}, patch, id);
    dot(cv, c + Pt{-0.8, 0.2}, patch, id);
    if (r > 3) {
        dot(cv, c + Pt{r * 0.6, -r * 0.55}, patch, id);
        dot(cv, c + Pt{-r * 0.65, r * 0.55}, patch, id);
        dot(cv, c + Pt{r * 0.55, r * 0.6}, patch, id);
    }
}

void hand_over(Canvas& cv, const Look& look, const Rig& rig, int i, double dark) {
    const double r = body::measure(look).hand_r;
    const uint8_t id = cv.part();
    ball(cv, rig.hand[i], r, r * 1.05, Mat{ramp::skin, look.skin, 1.3}, id, dark);
}

void forearm_over(Canvas& cv, const Look& look, const Rig& rig, int i, double dark) {
    const body::Measures m = body::measure(look);
    const uint8_t id = cv.part();
    // the wrist lies a little short of the hand's centre, along the forearm
    const Pt d = rig.hand[i] - rig.elbow[i];
    const double l = std::max(1e-6, len(d));
    const Pt wrist = rig.hand[i] - d * (m.hand_r / l);
    capsule(cv, rig.elbow[i], wrist, m.elbow_r, m.wrist_r, mat(look.top_tone, 1.4), id, dark);
    hand_over(cv, look, rig, i, dark);
}

Pt mouth_of(const Rig& rig, int facing) { return rig.head + Pt{facing * 0.95 * rig.head_rx, 0.56 * rig.head_ry}; }

}  // namespace art::figures::props
