// The holiday visitors: the old man with his Christmas tree (26), Nikolaus
// (37) and the person in the rabbit costume (38). All three walk in from the
// left by day; the script moves them only at the end of a run, so they walk
// on inside their frames, and each stop is drawn where the walk left them.
#include <cmath>

#include "figures/cast.h"
#include "figures/figures.h"
#include "figures/person.h"
#include "figures/person_paint.h"
#include "figures/person_sheet.h"
#include "figures/waiting_props.h"

namespace art::figures {

namespace {

using namespace paint;

const Look& look_of(int id) { return cast(id)->person[0]; }

void person(Image& frame, const Look& L, const Pose& p, double ax, const Extra& extra = nullptr, int lift = 0) {
    paint_person(frame, L, p, ax, frame.h - 1 - lift, extra);
}

Pose walking(const Look& L, int k) { return walk_pose(k, 1, 0.2 * L.height, L.height); }

// ---------------------------------------------------------------------------
// Props.

// A small fir from the cut end of its trunk at `base` along the unit vector
// u, `length` pixels to the tip: four tiers of branches, each upper tier's
// skirt lying over the tier below, a few glass baubles and a straw star.
void fir(Canvas& cv, Pt base, Pt u, double length, const Tone& green) {
    const Pt n{-u.y, u.x};
    auto at = [&](double t, double s) { return base + u * (t * length) + n * (s * length); };
    const Mat trunk{ramp::wood, 2.2, 1.0};
    capsule(cv, base, at(0.2, 0), 1.4, 1.2, trunk, cv.part());
    const Mat needles = mat(green, 1.5);
    const double start[4] = {0.12, 0.33, 0.52, 0.69};
    const double half[4] = {0.2, 0.165, 0.125, 0.085};
    const double tip[4] = {0.5, 0.67, 0.84, 1.0};
    for (int i = 0; i < 4; ++i) {
        const double t = start[i], w = half[i];
        blob(cv, {at(tip[i], 0), at(t + 0.02, -w), at(t - 0.02, -w * 0.45), at(t - 0.035, 0), at(t - 0.02, w * 0.45),
                  at(t + 0.02, w)},
             needles, cv.part(), 0, 0.3);
    }
    // the baubles hang off the tips of the lower branches and near the stem
    struct B {
        double t, s;
        Ramp r;
    };
    const B baubles[] = {{0.16, -0.13, ramp::paint_red}, {0.2, 0.11, ramp::paint_yellow}, {0.37, -0.06, ramp::paint_blue},
                         {0.56, 0.08, ramp::paint_red},  {0.41, 0.12, ramp::paint_yellow}};
    for (const B& b : baubles) {
        const uint8_t id = cv.part();
        ball(cv, at(b.t, b.s), 1.4, 1.4, Mat{b.r, 3.4, 1.4}, id);
    }
    const uint8_t id = cv.part();
    const Pt top = at(1.0, 0) + u * 1.5;
    dot(cv, top, ramp::paint_yellow(5), id);
    dot(cv, top + Pt{1, 0}, ramp::paint_yellow(4), id);
    dot(cv, top + Pt{-1, 0}, ramp::paint_yellow(4), id);
    dot(cv, top + Pt{0, -1}, ramp::paint_yellow(5), id);
    dot(cv, top + Pt{0, 1}, ramp::paint_yellow(3), id);
}

// A hessian sack standing or slung: its belly centred on c, gathered and tied
// at `mouth`.
void sack(Canvas& cv, Pt c, double rx, double ry, Pt mouth, const Tone& cloth, bool open = false) {
    const Mat m = mat(cloth, 1.4);
    uint8_t id = cv.part();
    const Pt top = c + Pt{0, -ry * 0.7};
    capsule(cv, top, mouth, rx * 0.45, 1.6, m, id);
    id = cv.part();
    ball(cv, c, rx, ry, m, id);
    // a seam or two of the weave, for the cloth to read as cloth
    for (int k = -1; k <= 1; k += 2)
        seg(cv, c + Pt{k * rx * 0.4, -ry * 0.5}, c + Pt{k * rx * 0.5, ry * 0.6}, shift(m.ramp(int(m.base)), -1), id);
    if (open) {
        // the mouth undone: gifts showing over the edge
        const uint8_t g = cv.part();
        blob(cv, {mouth + Pt{-3.5, -1}, mouth + Pt{-0.5, -1}, mouth + Pt{-0.5, 3}, mouth + Pt{-3.5, 3}},
             Mat{ramp::paint_green, 3.2, 1.0}, g, 0, 0.2);
        blob(cv, {mouth + Pt{0.5, -2}, mouth + Pt{4.5, -2}, mouth + Pt{4.5, 3}, mouth + Pt{0.5, 3}},
             Mat{ramp::paint_red, 3.2, 1.0}, cv.part(), 0, 0.2);
        seg(cv, mouth + Pt{2.5, -2}, mouth + Pt{2.5, 2}, ramp::paint_yellow(5), g);
    } else {
        const uint8_t cord = ramp::cloth_red(1);
        seg(cv, mouth + Pt{-1.5, 1.5}, mouth + Pt{1.5, 1.5}, cord, id);
    }
}

// A gift wrapped in red paper with a golden ribbon.
void gift(Canvas& cv, Pt c, double w, double h) {
    const uint8_t id = cv.part();
    blob(cv, {c + Pt{-w / 2, -h / 2}, c + Pt{w / 2, -h / 2}, c + Pt{w / 2, h / 2}, c + Pt{-w / 2, h / 2}},
         Mat{ramp::paint_red, 3.2, 1.0}, id, 0, 0.2);
    seg(cv, c + Pt{0, -h / 2 + 0.5}, c + Pt{0, h / 2 - 0.5}, ramp::paint_yellow(5), id);
    seg(cv, c + Pt{-w / 2 + 0.5, 0}, c + Pt{w / 2 - 0.5, 0}, ramp::paint_yellow(4), id);
    dot(cv, c + Pt{-1, -h / 2 - 0.5}, ramp::paint_yellow(5), id);
    dot(cv, c + Pt{1, -h / 2 - 0.5}, ramp::paint_yellow(4), id);
}

// The bishop's staff: a golden rod with the crook turned forwards at the top.
void crozier(Canvas& cv, Pt top, double length, int facing) {
    const uint8_t id = cv.part();
    const Mat gold{ramp::paint_yellow, 3.6, 1.2};
    const Pt foot = top + Pt{0, length};
    capsule(cv, top + Pt{0, 3}, foot, 0.7, 0.7, gold, id);
    // the crook: up, over and down again in front
    const double f = facing;
    const Pt c = top + Pt{f * 2.5, 1.0};
    for (int a = 180; a >= -30; a -= 15) {
        const double r = rad(a);
        dot(cv, c + Pt{f * 2.5 * std::cos(r), -2.5 * std::sin(r)}, ramp::paint_yellow(a > 60 ? 5 : 3), id);
    }
    dot(cv, top + Pt{0, 4}, ramp::paint_yellow(1), id);  // the knop under the crook
    dot(cv, top + Pt{f, 4}, ramp::paint_yellow(2), id);
}

// The bishop's mitre over the hood: red, pointed, a golden band round the
// brow and another up the middle. Seen from the side it is narrower.
void mitre(Canvas& cv, const Rig& r, bool side) {
    const double w = r.head_rx * (side ? 0.8 : 1.0), ry = r.head_ry;
    const Pt c = r.head + Pt{side ? -r.facing * 0.15 * r.head_rx : 0.0, 0};
    const double brow = c.y - ry * 0.3, apex = std::max(0.5, c.y - ry * 1.9);
    const uint8_t id = cv.part();
    blob(cv, {{c.x - w * 0.95, brow}, {c.x - w * 0.9, c.y - ry * 1.05}, {c.x, apex}, {c.x + w * 0.9, c.y - ry * 1.05},
              {c.x + w * 0.95, brow}},
         Mat{ramp::cloth_red, 3.0, 1.4}, id, 0, 0.3);
    const int yb = int(std::floor(brow)) - 1;
    for (int x = int(std::floor(c.x - w)); x <= int(std::ceil(c.x + w)); ++x)
        for (int y = yb - 1; y <= yb; ++y)
            if (cv.ids.get(x, y) == id) cv.put(x, y, ramp::paint_yellow(y == yb - 1 ? 5 : 3), id);
    for (int y = int(apex) + 1; y < yb - 1; ++y) {
        const int x = int(std::floor(c.x));
        if (cv.ids.get(x, y) == id) cv.put(x, y, ramp::paint_yellow(4), id);
    }
}

// Easter eggs in a wicker basket hanging from a fist at `hand`.
void egg_basket(Canvas& cv, Pt hand, double w, double h) {
    const Mat wicker{ramp::ochre, 3.0, 1.2};
    const Pt top = hand + Pt{0, h * 0.6};
    const Ramp shells[4] = {ramp::paint_red, ramp::paint_blue, ramp::paint_yellow, ramp::paint_green};
    for (int k = 0; k < 4; ++k)
        ball(cv, top + Pt{-w * 0.3 + k * w * 0.2, (k & 1) ? -1.2 : -0.4}, 1.6, 2.1, Mat{shells[k], 3.6, 1.3}, cv.part());
    const uint8_t id = cv.part();
    blob(cv, {top + Pt{-w / 2, 0}, top + Pt{w / 2, 0}, top + Pt{w * 0.38, h}, top + Pt{-w * 0.38, h}}, wicker, id, 0, 0.4);
    for (int y = int(top.y) + 2; y < int(top.y + h); ++y)
        for (int x = int(top.x - w / 2); x <= int(top.x + w / 2); ++x)
            if (cv.ids.get(x, y) == id && (((x + (y / 2)) & 1) == 0) && (y & 1))
                cv.put(x, y, shift(cv.img.get(x, y), -1), id);
    for (int x = int(std::floor(top.x - w / 2)); x <= int(std::floor(top.x + w / 2)); ++x)
        if (cv.ids.get(x, int(top.y)) == id) cv.put(x, int(top.y), ramp::ochre(x & 1 ? 4 : 5), id);
    seg(cv, top + Pt{-w * 0.38, 0}, hand + Pt{-1.0, 0}, ramp::ochre(2), id);
    seg(cv, top + Pt{w * 0.38, 0}, hand + Pt{1.0, 0}, ramp::ochre(2), id);
}

// ---------------------------------------------------------------------------
// Figure 26: carries the tree on his far shoulder, the near hand up on its
// trunk; on a stop he stands it up in front of him and admires it.
Image sheet_fig26() {
    const Look& L = look_of(26);
    const double H = L.height;
    Image sheet(1520, 132);
    auto fr = frames_on_row({{0, 144}, {145, 160}, {306, 160}, {467, 160}, {628, 176}, {805, 176}, {982, 176},
                             {1159, 176}, {1336, 176}},
                            132);
    const Pt slope = Pt{-0.5, -0.866};  // the tree lies back over the shoulder, crown up behind him
    auto carried = [&](Image& f, Pose p, double ax) {
        p.hold[0] = Held::Fist;
        p.put_hand(0, 0.1, 0.07);
        const Rig pre = rig_person(L, p, ax, f.h - 1);
        const Pt base = pre.hand[0] + Pt{3.0, 5.2};
        const double length = (base.y - 4.0) / -slope.y;
        person(f, L, p, ax, [&](Canvas& cv, const Rig&, Layer layer) {
            if (layer == Layer::Behind) fir(cv, base, slope, length, L.carry_tone);
        });
    };
    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[k], [&](Image& f) { carried(f, walking(L, k), walk_anchor(92, 21, k, 1)); });

    // the stop: the walk's step is taken, then he stands the tree up in front
    const double at = 104, tree_x = 136, tree_len = 64;
    auto upright = [&](Image& f, const Pose& p, double lean) {
        person(f, L, p, at, [&](Canvas& cv, const Rig&, Layer layer) {
            if (layer == Layer::Behind) fir(cv, {tree_x + lean * 4, double(f.h - 1)}, paint::dir(180 + lean * 14), tree_len, L.carry_tone);
        });
    };
    paint_frame(sheet, fr[4], [&](Image& f) {
        // setting it down: still leaning, his hand high on the stem
        Pose p = stand_pose(1);
        p.lean = 12;
        p.hold[0] = Held::Fist;
        const Pt stem = Pt{tree_x + 4, double(f.h - 1)} + paint::dir(194) * (tree_len * 0.5);
        const Rig r0 = rig_person(L, p, at, f.h - 1);
        p.put_hand(0, (stem.x - r0.neck.x) / H, (stem.y - r0.neck.y) / H);
        upright(f, p, 1.0);
    });
    paint_frame(sheet, fr[5], [&](Image& f) {
        // admiring it, hands behind his back
        Pose p = stand_pose(1);
        p.arm[0] = {-25, 30};
        p.arm[1] = {-25, 30};
        p.nod = -6;
        upright(f, p, 0);
    });
    paint_frame(sheet, fr[6], [&](Image& f) {
        // straightening a bauble
        Pose p = stand_pose(1);
        p.lean = 6;
        p.hold[0] = Held::Fist;
        const Pt b = Pt{tree_x, double(f.h - 1)} + Pt{-0.06 * tree_len, -0.37 * tree_len};  // the blue one
        const Rig r0 = rig_person(L, p, at, f.h - 1);
        p.put_hand(0, (b.x - 1 - r0.neck.x) / H, (b.y - r0.neck.y) / H);
        p.nod = 10;
        upright(f, p, 0);
    });
    for (int k = 0; k < 2; ++k)
        paint_frame(sheet, fr[7 + k], [&](Image& f) {
            // rubbing his cold hands, turned half to the viewer
            Pose p = turn_pose(1, 1);
            p.hold[0] = p.hold[1] = Held::Fist;
            p.put_hand(0, 0.03 + 0.02 * k, 0.2 - 0.02 * k);
            p.put_hand(1, 0.0 - 0.015 * k, 0.21 + 0.01 * k);
            p.nod = k ? 8 : 0;
            p.mouth = k;
            upright(f, p, 0);
        });
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 37: Nikolaus, the sack over his near shoulder, the crozier in the
// far hand; on a stop he turns to the viewer, waves and takes out a gift.
Image sheet_fig37() {
    Look L = look_of(37);
    const double H = L.height;
    Image sheet(968, 83);
    auto fr = frames_on_row({{0, 64}, {65, 64}, {130, 64}, {195, 72}, {268, 80}, {349, 80}, {430, 80}, {511, 88},
                             {600, 88}, {689, 72}, {762, 72}, {835, 64}, {900, 64}},
                            83);
    const double staff_top = 2;
    // side view: the sack on his back, its neck over the shoulder in his fist
    auto side = [&](Image& f, Pose p, double ax) {
        p.hold[0] = Held::Fist;
        p.put_hand(0, 0.09, 0.06);
        p.hold[1] = Held::Fist;
        person(f, L, p, ax, [&](Canvas& cv, const Rig& r, Layer layer) {
            if (layer == Layer::Behind) {
                crozier(cv, {r.hand[1].x, staff_top}, f.h - 1 - staff_top - 3, r.facing);
                sack(cv, r.neck + Pt{-r.facing * 0.2 * H, 0.14 * H}, 0.15 * H, 0.16 * H, r.neck + Pt{0, -1}, L.carry_tone);
            } else if (layer == Layer::Front) {
                mitre(cv, r, true);
                capsule(cv, r.neck + Pt{-1.0, 0.5}, r.hand[0], 1.8, 1.4, mat(L.carry_tone, 1.4), cv.part());
                props::hand_over(cv, L, r, 0);
            }
        });
    };
    auto step = [&](int k) {
        Pose p = walking(L, k);
        p.arm[1] = {28, 30};
        return p;
    };
    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[k], [&](Image& f) { side(f, step(k), walk_anchor(28, 17, k, 1)); });

    // the stop: no step in that run, the figure stays where the run ended
    const double at = 42;
    auto set_down = [&](Image& f, Pose p, bool open, const std::function<void(Canvas&, const Rig&)>& more = nullptr) {
        person(f, L, p, at, [&](Canvas& cv, const Rig& r, Layer layer) {
            if (layer == Layer::Behind) {
                crozier(cv, {r.hand[0].x, staff_top}, f.h - 1 - staff_top - 3, -1);
                const double g = f.h - 1;
                sack(cv, {at + 0.3 * H, g - 0.13 * H}, 0.12 * H, 0.13 * H, {at + 0.28 * H, g - 0.3 * H}, L.carry_tone, open);
            } else if (layer == Layer::Front) {
                mitre(cv, r, p.view == View::Side);
                props::hand_over(cv, L, r, 0);
                if (more) more(cv, r);
            }
        });
    };
    paint_frame(sheet, fr[4], [&](Image& f) { side(f, stand_pose(1), at); });
    paint_frame(sheet, fr[5], [&](Image& f) {
        Pose p = turn_pose(1, 1);
        p.hold[0] = Held::Fist;
        p.put_hand(0, -0.16, 0.3);
        set_down(f, p, false);
    });
    paint_frame(sheet, fr[6], [&](Image& f) {
        Pose p = front_pose();
        p.hold[0] = Held::Fist;
        p.put_hand(0, -0.17, 0.3);
        p.put_hand(1, 0.22, -0.12);  // waves
        p.mouth = 1;
        set_down(f, p, false);
    });
    paint_frame(sheet, fr[7], [&](Image& f) {
        Pose p = front_pose();
        p.hold[0] = Held::Fist;
        p.put_hand(0, -0.17, 0.3);
        p.lean = 12;
        p.put_hand(1, 0.27, 0.46);  // into the sack
        p.look = 1;
        p.nod = 14;
        set_down(f, p, true);
    });
    paint_frame(sheet, fr[8], [&](Image& f) {
        Pose p = front_pose();
        p.hold[0] = p.hold[1] = Held::Fist;
        p.put_hand(0, -0.17, 0.3);
        p.put_hand(1, 0.16, 0.12);  // holds up the gift
        p.mouth = 1;
        set_down(f, p, true, [&](Canvas& cv, const Rig& r) {
            gift(cv, r.hand[1] + Pt{0, -4.5}, 8, 7);
            props::hand_over(cv, L, r, 1);
        });
    });
    // turning back and setting off (not shown by the script, kept complete)
    paint_frame(sheet, fr[9], [&](Image& f) { side(f, stand_pose(1), at - 6); });
    paint_frame(sheet, fr[10], [&](Image& f) { side(f, step(0), at - 6); });
    paint_frame(sheet, fr[11], [&](Image& f) { side(f, stand_pose(1), 30); });
    paint_frame(sheet, fr[12], [&](Image& f) { side(f, stand_pose(1), 30); });
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 38: the rabbit costume walks with an egg basket in the near hand
// and now and then hops, rising inside the tall frames.
Image sheet_fig38() {
    const Look& L = look_of(38);
    const double H = L.height;
    Image sheet(920, 103);
    auto fr = frames_on_row({{0, 64}, {65, 64}, {130, 72}, {203, 80}, {284, 104}, {389, 104}, {494, 104}, {599, 104},
                             {704, 104}, {809, 104}},
                            103);
    auto with_basket = [&](Image& f, Pose p, double ax, int lift = 0) {
        p.hold[0] = Held::Fist;
        person(f, L, p, ax, [&](Canvas& cv, const Rig& r, Layer layer) {
            if (layer != Layer::Front) return;
            egg_basket(cv, r.hand[0], 0.2 * H, 0.12 * H);
            props::hand_over(cv, L, r, 0);
        }, lift);
    };
    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[k], [&](Image& f) {
            Pose p = walking(L, k);
            p.arm[0].swing *= 0.35;
            p.arm[0].bend = 6;
            with_basket(f, p, walk_anchor(22, 31, k, 1));
        });
    // the hop: from a crouch where the walk ended to the 42 pixels further on
    // where the next walk begins
    const double from = 40, to = 22 + 42;
    auto crouch = [&](double arms) {
        Pose p = stand_pose(1);
        p.leg[0] = {50, 95};
        p.leg[1] = {40, 90};
        p.toe[0] = p.toe[1] = 0;
        p.lean = 24;
        p.arm[0] = {10, 30};
        p.arm[1] = {arms, 20};
        return p;
    };
    paint_frame(sheet, fr[4], [&](Image& f) { with_basket(f, crouch(-35), from); });
    paint_frame(sheet, fr[5], [&](Image& f) {
        Pose p = stand_pose(1);
        p.leg[0] = {-12, 6};
        p.leg[1] = {-20, 12};
        p.toe[0] = p.toe[1] = 45;
        p.lean = 14;
        p.arm[0] = {20, 30};
        p.arm[1] = {80, 20};
        with_basket(f, p, from + 6);
    });
    paint_frame(sheet, fr[6], [&](Image& f) {
        Pose p = stand_pose(1);
        p.leg[0] = {40, 70};
        p.leg[1] = {25, 60};
        p.toe[0] = p.toe[1] = 20;
        p.lean = 4;
        p.arm[0] = {30, 40};
        p.arm[1] = {140, 20};
        with_basket(f, p, (from + to) / 2, 13);
    });
    paint_frame(sheet, fr[7], [&](Image& f) {
        Pose p = stand_pose(1);
        p.leg[0] = {30, 30};
        p.leg[1] = {18, 25};
        p.toe[0] = p.toe[1] = 10;
        p.arm[0] = {20, 30};
        p.arm[1] = {90, 20};
        with_basket(f, p, to - 8, 7);
    });
    paint_frame(sheet, fr[8], [&](Image& f) { with_basket(f, crouch(50), to); });
    paint_frame(sheet, fr[9], [&](Image& f) {
        Pose p = stand_pose(1);
        p.arm[0] = {6, 8};
        with_basket(f, p, to);
    });
    return sheet;
}

}  // namespace

void add_holiday_visitor_sheets(std::vector<Picture>& out) {
    out.push_back({"FIG26_T00", "people", sheet_fig26(), BmpFormat::Rle8});
    out.push_back({"FIG37_T00", "people", sheet_fig37(), BmpFormat::Rle8});
    out.push_back({"FIG38_T00", "people", sheet_fig38(), BmpFormat::Rle8});
}

}  // namespace art::figures
