// Birds flying left: a flock of swallows and a pair of pigeons, four frames
// of one wing beat (up, spread, down, swept back on the way up).
#include <cmath>

#include "figures/aircraft_kit.h"

namespace art::figures::aircraft {
namespace {

// Wing outlines in bird units (body centre at 0, beak towards -x, one unit a
// pixel at scale 1): shoulder front, wrist, tip, trailing edge, shoulder back.
struct WingPose {
    Pt wrist, tip, trail;
};
// Near wing (towards the viewer, over the body) and far wing (behind it).
const WingPose kNear[4] = {
    {{-2, -9}, {5, -17}, {7, -7}},    // raised
    {{-3, 5}, {4, 11}, {7, 5}},       // spread, the near wing seen from below
    {{-1, 9}, {6, 16}, {7, 7}},       // lowered
    {{1, -5}, {13, -7}, {9, -2}},     // swept back, rising
};
const WingPose kFar[4] = {
    {{0, -9}, {8, -16}, {9, -7}},
    {{-1, -6}, {6, -10}, {8, -4}},
    {{1, 6}, {8, 11}, {8, 5}},
    {{3, -6}, {14, -9}, {10, -3}},
};

struct BirdStyle {
    Ramp back;            // wings, back, head
    double back_base;
    Ramp belly;
    double belly_base;
    Ramp tips;            // flight feathers at the wing tips
    double tips_base;
    double body_rx, body_ry, head_r;
    bool forked;          // swallow's tail streamers, else a rounded fan
    bool neck_sheen;      // the pigeon's green and purple neck
    double wing_len;      // wing poses are scaled by this
    double broad;         // 1 for a broad wing, less for a slender sickle
};

const BirdStyle kSwallow{ramp::night, 3.0, ramp::snow, 3.6, ramp::night, 1.6, 4.6, 2.0, 2.0, true, false, 1.0, 0.55};
const BirdStyle kPigeon{ramp::chrome, 2.9, ramp::chrome, 2.4, ramp::slate, 1.8, 9.0, 4.4, 3.4, false, true, 1.25, 1.0};
const BirdStyle kDarkPigeon{ramp::slate, 3.4, ramp::slate, 2.9, ramp::slate, 1.2, 9.0, 4.4, 3.4, false, true, 1.25, 1.0};

void paint_bird(Image& img, double cx, double cy, double s, const BirdStyle& st, int frame) {
    auto P = [&](Pt p) { return Pt{cx + p.x * s, cy + p.y * s}; };
    const int w = img.w, h = img.h;
    auto wing = [&](const WingPose& wp, Pt root_front, Pt root_back, int darker) {
        auto W = [&](Pt p) { return P({p.x * st.wing_len, p.y * st.wing_len}); };
        Pt trail{wp.tip.x + (wp.trail.x - wp.tip.x) * st.broad, wp.tip.y + (wp.trail.y - wp.tip.y) * st.broad};
        Pt back{root_front.x + (root_back.x - root_front.x) * std::max(st.broad, 0.7),
                root_front.y + (root_back.y - root_front.y) * std::max(st.broad, 0.7)};
        Image m = poly_mask(w, h, {P(root_front), W(wp.wrist), W(wp.tip), W(trail), P(back)});
        Pt tip = W(wp.tip), wrist = W(wp.wrist);
        double span = std::hypot(tip.x - wrist.x, tip.y - wrist.y);
        paint_mask(img, m, [&](int x, int y) {
            double dt = std::hypot(x + 0.5 - tip.x, y + 0.5 - tip.y);
            if (dt < span * 0.5) return band(st.tips, st.tips_base + 0.6 - 0.5 * darker - 0.8 * dt / span, x, y);
            double pos = st.back_base + 0.7 - 0.5 * darker - 0.04 * (y - cy) / s;
            return band(st.back, pos, x, y);
        });
        outline(img, m);
    };
    // Far wing first, a step darker in the body's shadow.
    wing(kFar[frame], {-1, -2}, {5, -1}, 1);

    // Tail.
    if (st.forked) {
        // Two streamers spreading from the rump.
        line(img, int(cx + 4 * s), int(cy), int(cx + 11 * s), int(cy - 2.5 * s), st.back(int(st.back_base) + 1));
        line(img, int(cx + 4 * s), int(cy + 1), int(cx + 10 * s), int(cy + 3.5 * s), st.back(int(st.back_base)));
    } else {
        Image tail = poly_mask(w, h, {P({6, -2}), P({14, -2.5}), P({15, 0.5}), P({14, 3}), P({6, 2})});
        paint_mask(img, tail, [&](int x, int y) {
            double d = (x - cx) / s;
            return d > 12.0 ? band(st.tips, st.tips_base + 0.5, x, y)  // the dark tail band
                            : band(st.back, st.back_base - 0.2 - 0.15 * (y - cy) / s, x, y);
        });
        outline(img, tail);
    }

    // Body: back colour above, belly below, lit from the upper left.
    Image torso = ellipse_mask(w, h, cx + 0.5 * s, cy, st.body_rx * s, st.body_ry * s);
    paint_mask(img, torso, [&](int x, int y) {
        double v = (y + 0.5 - cy) / (st.body_ry * s), u = (x + 0.5 - cx) / (st.body_rx * s);
        if (v > 0.1 - 0.3 * u) return dither(st.belly, st.belly_base - 0.8 * v - 0.3 * u, x, y);
        return dither(st.back, st.back_base + 0.6 - 0.8 * (v + 1) - 0.3 * u, x, y);
    });
    outline(img, torso);

    // Head and beak.
    const double hx = cx - (st.body_rx - 0.5) * s, hy = cy - 1.6 * s;
    Image head = ellipse_mask(w, h, hx, hy, st.head_r * s, st.head_r * s * 0.95);
    paint_mask(img, head, [&](int x, int y) {
        double u = (x + 0.5 - hx) / (st.head_r * s), v = (y + 0.5 - hy) / (st.head_r * s);
        double pos = st.back_base + 0.1 - 0.7 * u - 0.9 * v;  // heads are darker than the wings
        if (st.neck_sheen && u > 0.2 && v > -0.1) {
            return dither(((x + y) % 3) ? ramp::cloth_green : ramp::purple, 2.4 - 0.5 * v, x, y);
        }
        if (st.forked && v > 0.15 && u < 0.3) return dither(ramp::brick, 3.0, x, y);  // the swallow's red throat
        return dither(st.back, pos, x, y);
    });
    outline(img, head);
    const double bxl = hx - st.head_r * s;
    Image beak = poly_mask(w, h, {{bxl + 0.8, hy - 0.6 * s}, {bxl - 2.2 * s + 0.5, hy + 0.1 * s}, {bxl + 0.8, hy + 0.8 * s}});
    paint_mask(img, beak, [&](int, int y) { return st.forked ? ramp::night(1) : ramp::grey(3 + (y < hy ? 1 : 0)); });
    if (s > 1.2) {
        int ex = int(hx - 0.8 * s), ey = int(hy - 0.4 * s);
        img.set(ex, ey, ramp::orange(3));
        img.set(ex, ey + 1, ramp::night(1));
    }

    // Near wing last: it crosses the body.
    wing(kNear[frame], {-3, -1}, {4, 0}, 0);
}

}  // namespace

Image paint_birds(int kind, int frame) {
    Image img(kBirdsW, kBirdsH);
    if (kind == 6) {
        // A loose flock; each swallow beats its wings a frame apart.
        struct Swallow { double x, y, s; int phase; };
        const Swallow flock[4] = {{22, 28, 0.95, 0}, {52, 47, 1.05, 2}, {74, 22, 0.85, 1}, {98, 44, 0.9, 3}};
        for (const Swallow& b : flock) paint_bird(img, b.x, b.y, b.s, kSwallow, (frame + b.phase) % 4);
    } else {
        paint_bird(img, 84, 38, 1.45, kDarkPigeon, (frame + 2) % 4);
        paint_bird(img, 30, 36, 1.5, kPigeon, frame);
    }
    return img;
}

}  // namespace art::figures::aircraft
