// The sheets of the night's loners: figure 53 (a woman in a long coat who
// walks, stands about, turns and walks back), 58 (a woman in a red dress who
// waits by the sign for a long time) and 59 (two men on their way home, in
// three manners of walking). All are night sheets in street-lamp light.
//
// As with the strollers, walking frames carry the figure on inside their
// rectangles (the script moves it only at run ends), and standing frames
// share one hip column so that nobody jumps while the pictures change.
#include "figures/cast.h"
#include "figures/person.h"
#include "figures/person_paint.h"
#include "figures/strollers.h"

namespace art::figures {

namespace {

using paint::operator+;
using paint::operator-;
using strollers::put;

double person(Image& f, const Look& L, const Pose& p, double ax, int lift = 0) {
    return paint_person(f, L, p, ax, f.h - 1 - lift).hip.x;
}

// The same on a given row of the frame.
double person_on(Image& f, const Look& L, const Pose& p, double ax, int ground) {
    return paint_person(f, L, p, ax, ground).hip.x;
}

Pose front(int look, bool blink = false) {
    Pose p = front_pose();
    p.look = look;
    p.blink = blink;
    return p;
}

// Weight on one leg: the other knee bent, the hips tilted over the standing leg.
Pose weight_on(Pose p, int leg) {
    p.leg[leg] = {1, 0};
    p.leg[1 - leg] = {6, 14};
    p.lean = leg == 0 ? -3 : 3;
    return p;
}

// Offset of a picture point from the base of the neck, in put_hand's units.
Pt reach_to(const Rig& r, const Pose& p, Pt at, double H) {
    const int f = p.view == View::Side ? p.facing : 1;
    return {(at.x - r.neck.x) * f / H, (at.y - r.neck.y) / H};
}

// ---------------------------------------------------------------------------
// Figure 53: walks in from the left (x += 19 a run), stands about (4..7),
// lingers on (8..18, the loop 14..18 being the cold wait: hands in pockets,
// stamping), turns (19, 20) and goes on either way; 21..24 walk left.
FigureSheet sheet_fig53() {
    const Look& L = cast(53)->person[0];
    std::vector<std::pair<int, int>> t = {{0, 40}, {41, 48}, {90, 48}, {139, 56}};
    for (int e = 4; e <= 10; ++e) t.push_back({196 + 57 * (e - 4), 56});
    for (int e = 11; e <= 18; ++e) t.push_back({595 + 49 * (e - 11), 48});
    for (int x : {987, 1044, 1101, 1158, 1215}) t.push_back({x, 56});
    t.push_back({1272, 48});
    FigureSheet s = strollers::blank("FIG53_N00", 1328, 82, 82, t);
    // Where she turns, the next walk starts at its third picture, 11 pixels on
    // to the right or 7 back to the left; the walks begin half a stride
    // either side of her stand so that no start of a walk is a leap.
    const double step = 19, stand = 26, right0 = stand - 6.75, left0 = stand + 6.75;
    const double stride = 0.19 * L.height;
    for (int k = 0; k < 4; ++k) {
        put(s, k, [&](Image& f) { return person(f, L, walk_pose(k, 1, stride, L.height), walk_anchor(right0, step, k, 1)); });
        put(s, 21 + k, [&](Image& f) { return person(f, L, walk_pose(k, -1, stride, L.height), walk_anchor(left0, step, k, -1)); });
    }
    auto pockets = [](Pose p) {
        for (int i = 0; i < 2; ++i) p.hold[i] = Held::Pocket, p.arm[i] = {10, 28};
        return p;
    };
    auto at_stand = [&](int k, const Pose& p) { put(s, k, [&, p](Image& f) { return person(f, L, p, stand); }); };
    // 4..7 standing about: halted, then looking up and down the street
    at_stand(4, stand_pose(1));
    at_stand(5, front(-1));
    at_stand(6, front(1));
    at_stand(7, front(0, true));
    // 8..13 waiting on: the scarf put right, a look at the sky, a sigh
    {
        Pose p = front(0);
        p.put_hand(1, 0.03, 0.05);
        p.nod = 8;
        at_stand(8, p);
    }
    {
        Pose p = front(0);
        p.put_hand(0, -0.03, 0.05);
        p.put_hand(1, 0.03, 0.05);
        p.nod = 10;
        at_stand(9, p);
    }
    {
        Pose p = front(1);
        p.nod = -12;
        at_stand(10, p);
    }
    at_stand(11, pockets(front(-1)));
    at_stand(12, pockets(weight_on(front(0), 0)));
    {
        Pose p = pockets(front(0));
        p.mouth = 1;
        p.nod = 6;
        at_stand(13, p);
    }
    // 14..18, the loop: cold, hands in pockets, shifting and stamping
    at_stand(14, pockets(weight_on(front(0), 1)));
    at_stand(15, pockets(weight_on(front(1), 0)));
    {
        Pose p = pockets(front(0));
        p.leg[0] = {14, 30};  // a stamp of the foot
        p.toe[0] = 10;
        at_stand(16, p);
    }
    at_stand(17, pockets(front(-1, true)));
    at_stand(18, pockets(weight_on(front(0), 0)));
    // 19, 20: turning round
    put(s, 19, [&](Image& f) { return person(f, L, turn_pose(1, -1), stand + 1); });
    put(s, 20, [&](Image& f) { return person(f, L, turn_pose(-1, -1), stand + 2); });
    return s;
}

// ---------------------------------------------------------------------------
// Figure 58: walks in from the left in long strides (x += 33 a run), stands
// by the sign for a long time (4..21, looping over 6..21): shifting her
// weight, looking at her watch, waving; 22..25 she walks away to the left.
// The script draws her stand 5 rows higher than her walk (and lowers her
// again when she leaves), while all her frames are as high as the sheet: so
// her walking frames have her feet 5 rows above the frame's bottom and her
// standing frames on it, and on the street her feet keep to one row.
constexpr int kF58Ground = 79;       // feet row of a walking frame
constexpr int kF58StandRaise = 5;    // how much higher the script draws her stand
FigureSheet sheet_fig58() {
    const Look& L = cast(58)->person[0];
    FigureSheet s = strollers::blank(
        "FIG58_N00", 2456, 85, 85,
        {{0, 64},     {65, 72},     {138, 80},    {219, 88},    {308, 96},    {405, 104},   {510, 96},
         {615, 96},   {712, 96},    {809, 96},    {906, 96},    {1003, 88},   {1092, 88},   {1181, 96},
         {1278, 96},  {1375, 96},   {1472, 96},   {1569, 96},   {1666, 96},   {1763, 96},   {1860, 88},
         {1949, 88},  {2038, 112},  {2151, 112},  {2264, 96},   {2361, 88}});
    const double H = L.height, step = 33, right0 = 22, stand = 50, left0 = 44;
    auto walking = [&](int k, int facing) {
        Pose p = walk_pose(k, facing, 0.24 * H, H);
        p.hold[0] = Held::Handbag;
        p.arm[0].swing *= 0.4;
        p.arm[0].bend = 5;
        return p;
    };
    auto walk_ground = [&](int k) { return ground_row(s.frames[size_t(k)], kF58Ground); };
    for (int k = 0; k < 4; ++k) {
        put(s, k, [&](Image& f) {
            return person_on(f, L, walking(k, 1), walk_anchor(right0, step, k, 1), walk_ground(k));
        });
        put(s, 22 + k, [&](Image& f) {
            return person_on(f, L, walking(k, -1), walk_anchor(left0, step, k, -1), walk_ground(22 + k));
        });
    }
    auto bag = [](Pose p) {
        p.hold[0] = Held::Handbag;
        return p;
    };
    auto watch = [&](int nod) {
        Pose p = bag(front(0));
        p.hold[1] = Held::Watch;
        p.put_hand(1, -0.01, 0.17);
        p.nod = nod;
        return p;
    };
    auto wave = [&](double swing, int look) {
        Pose p = bag(front(look));
        p.arm[1] = {swing, 30};
        p.mouth = 1;
        return p;
    };
    auto hand_on_hip = [&](Pose p) {
        p.put_hand(1, 0.08, 0.33);
        return p;
    };
    const Pose stands[18] = {
        bag(stand_pose(1)),                   // 4: halted
        bag(turn_pose(1, 0)),                 // 5: turning to the street
        bag(front(0)),                        // 6
        bag(weight_on(front(-1), 0)),         // 7: looking along the street
        bag(weight_on(front(1), 1)),          // 8
        watch(18),                            // 9: the time
        watch(24),                            // 10
        bag(front(0, true)),                  // 11
        hand_on_hip(bag(weight_on(front(-1), 1))),  // 12
        hand_on_hip(bag(weight_on(front(0), 1))),   // 13
        wave(150, 1),                         // 14: waving to a car
        wave(165, 1),                         // 15
        wave(145, 1),                         // 16
        bag(weight_on(front(1), 0)),          // 17
        bag(weight_on(front(0), 0)),          // 18
        watch(20),                            // 19
        bag(front(-1, true)),                 // 20
        bag(weight_on(front(0), 1)),          // 21
    };
    for (int k = 4; k <= 21; ++k) {
        const Pose p = stands[k - 4];
        const int g = ground_row(s.frames[size_t(k)], kF58Ground, -kF58StandRaise);
        put(s, k, [&, p, g](Image& f) { return person_on(f, L, p, stand, g); });
    }
    return s;
}

// ---------------------------------------------------------------------------
// Figure 59: two men on their way home, side by side; the stout one walks on
// the far side. Three manners to the right (strolling, arm round the
// other's shoulder, staggering) and two to the left (strolling, arm round
// the shoulder); every run moves them 17 pixels, and any manner may follow
// any other at a run end, so all runs share their hip columns.
enum class Manner : uint8_t { Stroll, Arm, Stagger };

double paint_men(Image& f, int k, int facing, Manner m, double mid) {
    const CastEntry& c = *cast(59);
    const Look& A = c.person[0];
    const Look& B = c.person[1];
    const int g = f.h - 1, lift = 2;
    Pose pa = walk_pose((k + 1) % 4, facing, 0.17 * A.height, A.height);
    Pose pb = walk_pose(k, facing, 0.18 * B.height, B.height);
    double gap = 10;
    if (m == Manner::Arm) {
        pa = walk_pose(k, facing, 0.16 * A.height, A.height);  // in step, held together
        gap = 7;
    }
    if (m == Manner::Stagger) {
        static const double lean_a[4] = {-4, 7, -2, 9}, lean_b[4] = {6, -3, 8, -5};
        pa.lean = lean_a[k], pb.lean = lean_b[k];
        pa.nod = 10 + 4 * (k & 1), pb.nod = -4 + 6 * (k % 3);
        pa.mouth = k == 1 ? 1 : 0, pb.mouth = k == 2 ? 1 : 0;
        pb.arm[1] = {50.0 + 20 * (k & 1), 20};  // an arm out for balance
        gap = 8 + 3 * (k & 1);
    }
    const double xa = mid - facing * gap / 2, xb = mid + facing * gap / 2;
    if (m == Manner::Arm) {
        const Rig ra = rig_person(A, pa, xa, g - lift);
        const Rig rb = rig_person(B, pb, xb, g);
        const Pt o = reach_to(rb, pb, ra.neck + Pt{-facing * 0.04 * A.height, 0.03 * A.height}, B.height);
        pb.put_hand(1, o.x, o.y);
        pb.hold[1] = Held::Fist;
        pa.mouth = k == 2 ? 1 : 0;
    }
    const Rig a = paint_person(f, A, pa, xa, g - lift);
    const Rig b = paint_person(f, B, pb, xb, g);
    return (a.hip.x + b.hip.x) / 2;
}

FigureSheet sheet_fig59() {
    FigureSheet s = strollers::blank(
        "FIG59_N00", 1640, 83, 83,
        {{0, 80},    {81, 80},    {162, 88},   {251, 88},   {340, 80},   {421, 80},   {502, 88},
         {591, 88},  {680, 72},   {753, 72},   {826, 80},   {907, 80},   {988, 88},   {1077, 80},
         {1158, 80}, {1239, 72},  {1312, 88},  {1401, 80},  {1482, 80},  {1563, 72}});
    const double step = 17, right0 = 30, left0 = 56;
    const Manner right[3] = {Manner::Stroll, Manner::Arm, Manner::Stagger};
    const Manner left[2] = {Manner::Stroll, Manner::Arm};
    for (int style = 0; style < 3; ++style)
        for (int k = 0; k < 4; ++k)
            put(s, 4 * style + k, [&](Image& f) { return paint_men(f, k, 1, right[style], walk_anchor(right0, step, k, 1)); });
    for (int style = 0; style < 2; ++style)
        for (int k = 0; k < 4; ++k)
            put(s, 12 + 4 * style + k,
                [&](Image& f) { return paint_men(f, k, -1, left[style], walk_anchor(left0, step, k, -1)); });
    return s;
}

}  // namespace

std::vector<FigureSheet> night_loner_sheets() {
    std::vector<FigureSheet> out;
    for (FigureSheet s : {sheet_fig53(), sheet_fig58(), sheet_fig59()}) out.push_back(strollers::by_night(s, s.name));
    return out;
}

}  // namespace art::figures
