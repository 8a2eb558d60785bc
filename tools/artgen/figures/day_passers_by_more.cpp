// The day passers-by, second half: figure 24 (the big dog that runs in and
// barks), 25 (the man with the sack who eats on the bench), 29 by day (the
// woman with a parcel), 30 (brother and sister with their ball) and 34 (the
// man in the green uniform).
//
// As in the first half, walking frames carry the figure on inside their
// rectangles and frames shown at one place keep the hip where it was; the
// man with the sack is painted for the places his script shifts him to
// while he sits down and gets up.
#include <algorithm>
#include <cmath>

#include "figures/cast.h"
#include "figures/day_passers_by.h"
#include "figures/person_paint.h"
#include "figures/waiting_props.h"

namespace art::figures::day {

namespace {

using paint::Canvas;
using paint::Mat;
using paint::operator+;
using paint::operator-;
using paint::operator*;

// A hand target for put_hand: offset of picture point `at` from the base of
// the neck of the pose as painted at (ax, ground), in height units.
Pose reach_to(const Look& L, Pose p, int i, double ax, int ground, Pt at) {
    const Rig r = rig_person(L, p, ax, ground);
    const int f = p.view == View::Side ? p.facing : 1;
    p.put_hand(i, (at.x - r.neck.x) * f / L.height, (at.y - r.neck.y) / L.height);
    if (p.hold[i] == Held::None) p.hold[i] = Held::Fist;
    return p;
}

// ---------------------------------------------------------------------------
// Figure 24: a big brown mongrel with a dark saddle, larger than the lady's
// terrier. Painted in the body's own units and scaled, so that its poses
// can move smoothly between running, standing and barking.
struct DogShape {
    double leg[4] = {0, 0, 0, 0};  // front near, front far, hind near, hind far: degrees forward
    double head_up = 0;            // units the head is raised
    double mouth = 0;              // 0 shut .. 1.4 wide open
    double tail_up = 1.0;
    double bob = 0;                // units the body rises (running)
};

DogShape trot(int k) {
    DogShape d;
    static const double legs[4][4] = {{26, -16, -22, 18}, {6, 8, -2, 3}, {-16, 26, 18, -22}, {8, 6, 3, -2}};
    for (int i = 0; i < 4; ++i) d.leg[i] = legs[k][i];
    d.bob = (k & 1) ? 0.8 : 0;
    d.head_up = 0.4;
    d.tail_up = 1.2;
    return d;
}

constexpr double kDogScale = 1.4;

void paint_big_dog(Image& img, const DogShape& d, double x, int facing) {
    using namespace paint;
    Canvas cv(img.w, img.h);
    const double s = kDogScale, f = facing, gy = img.h;
    const Mat coat{ramp::wood, 3.4, 1.4}, saddle{ramp::dusk, 1.3, 1.2};
    auto P = [&](double ox, double oy) { return Pt{x + f * ox * s, gy - oy * s}; };
    const double body_h = 12.5 + d.bob;
    const Pt rump = P(-8.5, body_h + 0.4), chest = P(7, body_h + 0.8);
    auto paw = [&](Pt hip, double ang, double dark) {
        const uint8_t id = cv.part();
        const double l = (body_h - 1.2) * s;
        Pt knee = hip + dir(f * ang) * (l * 0.55);
        Pt foot = knee + dir(f * ang * 0.5) * (l * 0.45);
        foot.y = std::min(foot.y, gy - 1.0);
        capsule(cv, hip, knee, 2.1 * s * 0.8, 1.4 * s * 0.8, coat, id, dark);
        capsule(cv, knee, foot, 1.3 * s * 0.8, 1.1 * s * 0.8, coat, id, dark);
        ball(cv, foot + Pt{f * 1.2, -0.4}, 1.5 * s * 0.9, 1.0 * s, coat, id, dark);
    };
    paw(chest + Pt{-f * 1.5, 3.0}, d.leg[1], 0.9);
    paw(rump + Pt{f * 1.5, 3.0}, d.leg[3], 0.9);
    uint8_t id = cv.part();
    const Pt tail0 = rump + Pt{-f * 3.0, -2.5};
    const Pt tail1 = tail0 + Pt{-f * 2.5, -8.0 * d.tail_up}, tail2 = tail1 + Pt{-f * 1.5, -1.5};
    capsule(cv, tail0, tail1, 1.8, 1.3, coat, id, 0.2);
    capsule(cv, tail1, tail2, 1.3, 0.8, coat, id, 0.2);
    id = cv.part();
    capsule(cv, rump, chest, 4.6 * s, 5.1 * s, coat, id);
    capsule(cv, lerp(rump, chest, 0.2) + Pt{0, -3.0 * s}, lerp(rump, chest, 0.72) + Pt{0, -3.2 * s}, 2.4 * s, 2.3 * s, saddle, id);
    paw(chest + Pt{f * 1.0, 3.4}, d.leg[0], 0);
    paw(rump + Pt{f * 2.5, 3.4}, d.leg[2], 0);
    // neck and head; the head rises when it barks
    id = cv.part();
    const Pt neck = chest + Pt{f * 3.5, -4.5};
    const Pt head = neck + Pt{f * (4.5 - 0.4 * d.head_up) * s * 0.9, -(6.0 + d.head_up) * s * 0.9};
    capsule(cv, chest + Pt{f * 1.0, -1.5}, head, 3.4 * s, 2.8 * s, coat, id);
    ball(cv, head, 3.5 * s, 3.2 * s, coat, id);
    const double jaw = d.mouth > 0 ? 0.5 + 0.35 * d.mouth : 0;
    const Pt snout = head + Pt{f * 4.8 * s, (1.2 - jaw * 0.8) * s};
    capsule(cv, head + Pt{f * 1.5, 1.0}, snout, 2.1 * s, 1.5 * s, coat, id);
    if (d.mouth > 0) {
        const Pt jaw_end = head + Pt{f * 4.0 * s, (3.0 + jaw * 1.4) * s};
        capsule(cv, head + Pt{f * 1.5, 2.8}, jaw_end, 1.2 * s, 0.9 * s, coat, id, 0.4);
        const Pt gap = lerp(snout, jaw_end, 0.5) + Pt{-f * 1.5, 0};
        dot(cv, gap, ramp::dusk(0), id);
        dot(cv, gap + Pt{-f * 1.0, 0}, ramp::dusk(0), id);
        dot(cv, gap + Pt{-f * 2.0, 0.5}, ramp::cloth_red(3), id);
    }
    dot(cv, snout + Pt{f * 1.4, -1.0}, ramp::grey(0), id);  // nose
    dot(cv, snout + Pt{f * 0.6, -1.2}, ramp::grey(0), id);
    dot(cv, head + Pt{f * 2.0, -1.8}, ramp::grey(0), id);   // eye
    id = cv.part();
    const std::vector<Pt> ear = {head + Pt{-f * 3.2, -2.6}, head + Pt{-f * 0.2, -4.6}, head + Pt{-f * 0.4, 2.6}, head + Pt{-f * 3.0, 1.6}};
    blob(cv, ear, saddle, id, 0, 0.3);
    id = cv.part();
    const Pt col = lerp(chest + Pt{f * 1.0, -1.5}, head, 0.35);
    seg(cv, col + Pt{-f * 2.5, -2.5}, col + Pt{f * 2.0, 3.0}, ramp::cloth_blue(2), id);
    seg(cv, col + Pt{-f * 1.5, -2.5}, col + Pt{f * 3.0, 3.0}, ramp::cloth_blue(3), id);
    outline(cv);
    // paws on the bottom row whatever the legs are doing
    int low = -1;
    for (int yy = cv.img.h - 1; yy >= 0 && low < 0; --yy)
        for (int xx = 0; xx < cv.img.w; ++xx)
            if (cv.img.get(xx, yy) != KEY) {
                low = yy;
                break;
            }
    img.paste(cv.img, 0, low < 0 ? 0 : img.h - 1 - low);
}

}  // namespace

Image sheet_fig24() {
    Image sheet(1152, 54);
    auto fr = frames_on_row({{0, 64},   {65, 64},  {130, 72}, {203, 72}, {276, 80}, {357, 72},
                             {430, 72}, {503, 64}, {568, 80}, {649, 72}, {722, 64}, {787, 56},
                             {844, 64}, {909, 64}, {974, 64}, {1039, 56}, {1096, 56}},
                            54);
    // Running right ends a run 17 pixels on; when it stops to bark the script
    // moves it 8 on, and the barking frames stand where the last running
    // frame left it. Running on starts from there, a little behind, and
    // running back left turns round over the same ground.
    const double run_right = 22, bark = 26, run_left = 39;
    for (int k = 0; k < 4; ++k) {
        paint_frame(sheet, fr[k], [&](Image& f) { paint_big_dog(f, trot(k), walk_anchor(run_right, 17, k, 1), 1); });
        paint_frame(sheet, fr[13 + k], [&](Image& f) { paint_big_dog(f, trot(k), walk_anchor(run_left, 14, k, -1), -1); });
    }
    // 4 to 12: stands and barks; the head rises and falls a little at a time
    // so that the loop may restart anywhere without a jolt
    const struct {
        double head_up, mouth, lean;
    } barks[9] = {{1.0, 0, 0}, {1.6, 0.8, 2}, {2.2, 1.3, 4}, {1.8, 1.0, 2}, {1.3, 0, 0},
                  {1.8, 1.0, 3}, {2.3, 1.4, 5}, {1.8, 0.6, 2}, {1.4, 0, 0}};
    for (int k = 0; k < 9; ++k)
        paint_frame(sheet, fr[4 + k], [&](Image& f) {
            DogShape d;
            const auto& b = barks[k];
            d.head_up = b.head_up, d.mouth = b.mouth;
            d.leg[0] = 6 + b.lean, d.leg[1] = 2 + b.lean, d.leg[2] = -6, d.leg[3] = -3;
            d.tail_up = 1.3 + 0.1 * b.lean;
            paint_big_dog(f, d, bark, 1);
        });
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 25: the man with his sack.
namespace {

// A hessian sack, its belly centred on c, gathered and tied at `neck`.
void sack(Canvas& cv, Pt c, double rx, double ry, Pt neck, const Tone& cloth) {
    using namespace paint;
    const Mat m = mat(cloth, 1.5);
    const uint8_t id = cv.part();
    ball(cv, c, rx, ry, m, id);
    const Pt top = lerp(c, neck, 0.7);
    blob(cv, {top + Pt{-rx * 0.45, 0}, neck + Pt{-1.5, 0}, neck + Pt{1.5, 0}, top + Pt{rx * 0.45, 0}, c + Pt{rx * 0.6, -ry * 0.3},
              c + Pt{-rx * 0.6, -ry * 0.3}},
         m, id);
    ball(cv, neck + Pt{0, -1.2}, 2.0, 1.6, m, id);  // the gathered mouth
    seg(cv, neck + Pt{-1.8, 0.6}, neck + Pt{1.8, 0.6}, ramp::dusk(1), id);
    for (double t : {0.3, 0.6}) dot(cv, lerp(c + Pt{-rx * 0.5, ry * 0.2}, c + Pt{rx * 0.4, -ry * 0.5}, t), cloth.ramp(1), id);
}

// A piece of bread: a crusty heel held in a fist.
void bread(Canvas& cv, Pt at, bool bitten) {
    using namespace paint;
    const uint8_t id = cv.part();
    ball(cv, at, bitten ? 2.4 : 3.2, 2.2, Mat{ramp::ochre, 3.0, 1.2}, id);
    dot(cv, at + Pt{-0.8, -0.8}, ramp::ochre(5), id);
    if (bitten) dot(cv, at + Pt{1.6, -0.8}, ramp::cloth_beige(6), id);
}

}  // namespace

Image sheet_fig25() {
    const Look& L = look_of(25);
    const double H = L.height;
    Image sheet(3520, 82);
    std::vector<std::pair<int, int>> xs = {{0, 80}, {81, 80}, {162, 88}, {251, 96}, {348, 96}, {445, 112}};
    for (int e = 6; e <= 23; ++e) xs.push_back({558 + 113 * (e - 6), 112});
    for (auto xw : std::vector<std::pair<int, int>>{{2592, 120}, {2713, 104}, {2818, 104}, {2923, 104}, {3028, 104},
                                                   {3133, 104}, {3238, 104}, {3343, 88}, {3432, 88}})
        xs.push_back(xw);
    auto fr = frames_on_row(xs, 82);

    // over the shoulder on his back while he walks
    auto on_back = [&](Canvas& cv, const Rig& r, Layer layer) {
        if (layer != Layer::Behind) return;
        sack(cv, r.neck + Pt{-r.facing * 0.17 * H, 0.16 * H}, 0.14 * H, 0.15 * H, r.hand[0] + Pt{0, -1.5}, L.carry_tone);
    };
    auto shouldering = [&](Pose p) {
        p.hold[0] = Held::Fist;
        p.put_hand(0, 0.03, -0.02);  // fist at the shoulder, holding the neck
        return p;
    };
    const double a0 = 30, step = 19;
    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[k], [&](Image& f) { person(f, L, shouldering(walking(L, k, 1)), walk_anchor(a0, step, k, 1), on_back); });
    const double back_at = 48;  // getting up and walking off left
    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[29 + k], [&](Image& f) {
            person(f, L, shouldering(walking(L, k, -1)), walk_anchor(back_at, step, k, -1), on_back);
        });

    // Sitting down. Frame 4 is drawn 20 rows higher than the walk and
    // frame 5 fifteen; from frame 6 on he is 15 further left as well. He
    // crouches in 4 so that his head stays where it was, and sits from 6 on
    // with the sack on his lap.
    const double seat = 38;  // hip column of the seated frames
    auto on_lap = [&](double lift) {
        return [&, lift](Canvas& cv, const Rig& r, Layer layer) {
            if (layer != Layer::Front) return;
            const Pt c = r.hip + Pt{r.facing * 0.2 * H, -0.07 * H - lift};
            sack(cv, c, 0.13 * H, 0.12 * H, c + Pt{r.facing * 0.05 * H, -0.17 * H}, L.carry_tone);
        };
    };
    auto seated = [&](double lean) {
        Pose p = sit_pose(1);
        p.lean = lean;
        p.arm[0] = {30, 40};
        p.arm[1] = {24, 40};
        return p;
    };
    paint_frame(sheet, fr[4], [&](Image& f) {
        Pose p = shouldering(stand_pose(1));
        p.leg[0] = {72, 124};
        p.leg[1] = {64, 116};
        p.lean = 28;
        person(f, L, p, a0, on_back);
    });
    paint_frame(sheet, fr[5], [&](Image& f) {
        Pose p = seated(12);
        p.leg[0] = {70, 100};
        p.leg[1] = {66, 96};
        person(f, L, p, seat - 11, on_lap(2));
    });
    for (int k = 0; k < 2; ++k)
        paint_frame(sheet, fr[6 + k], [&](Image& f) { person(f, L, seated(k ? -3 : 2), seat, on_lap(0)); });

    // 8 to 21: eats, looks about, dozes. Hands go into the sack and up to
    // his mouth; the head stays put.
    struct Eat {
        double hx, hy;  // near hand, relative to the hip, height units (0: on the sack)
        int bread;      // 0 none, 1 whole, 2 bitten
        int mouth, look;
        double nod;
        bool blink;
    };
    const Eat eats[14] = {
        {0.22, -0.12, 0, 0, 0, 14, false},  // 8 into the sack
        {0.20, -0.26, 1, 0, 0, 6, false},   // 9 the bread comes out
        {0.10, -0.46, 1, 1, 0, 0, false},   // 10 bites
        {0.18, -0.30, 2, 2, 0, 0, false},   // 11 chews
        {0.20, -0.24, 2, 2, 1, 0, false},   // 12 chews, looks out at the street
        {0.22, -0.22, 2, 0, 0, 8, false},   // 13 breaks a bit off
        {0.34, -0.20, 0, 0, 0, 4, false},   // 14 throws the crumbs
        {0.30, -0.18, 0, 0, 0, 16, false},  // 15 watches them
        {0.20, -0.16, 0, 0, 1, 0, false},   // 16 rests
        {0.20, -0.16, 0, 1, 0, -6, false},  // 17 yawns
        {0.20, -0.16, 0, 0, 0, 14, true},   // 18 dozes
        {0.20, -0.16, 0, 0, 0, 18, true},   // 19
        {0.20, -0.16, 0, 0, 1, 6, false},   // 20 wakes
        {0.20, -0.16, 0, 0, 0, 0, false},   // 21
    };
    for (int k = 0; k < 14; ++k)
        paint_frame(sheet, fr[8 + k], [&](Image& f) {
            const Eat& e = eats[k];
            Pose p = seated(0);
            p.mouth = e.mouth, p.look = e.look, p.nod = e.nod, p.blink = e.blink;
            const Rig bare = rig_person(L, p, seat, f.h - 1);
            p = reach_to(L, p, 0, seat, f.h - 1, bare.hip + Pt{e.hx * H, e.hy * H});
            person(f, L, p, seat, [&](Canvas& cv, const Rig& r, Layer layer) {
                on_lap(0)(cv, r, layer);
                if (layer == Layer::Front && e.bread) {
                    bread(cv, r.hand[0] + Pt{1.5, -2.0}, e.bread == 2);
                    props::hand_over(cv, L, r, 0);
                }
            });
        });

    // 22 to 28: drawn 15 rows lower again: up on his feet with the sack in
    // his arms, over the shoulder, and turned to the left
    const struct {
        double drop, lean;
        int view;  // 1 facing right, 0 front, -1 facing left
        double lift;
    } ups[7] = {{7, 16, 1, 0}, {4, 10, 1, 0.05}, {2, 6, 1, 0.12}, {0, 2, 1, 0.2}, {0, 0, 0, 0}, {0, 0, -1, 0}, {0, 0, -1, 0}};
    for (int k = 0; k < 7; ++k)
        paint_frame(sheet, fr[22 + k], [&](Image& f) {
            const auto& u = ups[k];
            const double at = back_at - 0.4 * (6 - k);
            if (u.view == 0) {
                Pose p = front_pose();
                p.hold[0] = Held::Fist;
                p.put_hand(0, -0.1, -0.02);
                person(f, L, p, at, [&](Canvas& cv, const Rig& r, Layer layer) {
                    if (layer == Layer::Behind) sack(cv, r.neck + Pt{-0.16 * H, 0.1 * H}, 0.14 * H, 0.15 * H, r.hand[0] + Pt{0, -1.5}, L.carry_tone);
                });
                return;
            }
            Pose p = stand_pose(u.view);
            p.lean = u.lean;
            p.drop = u.drop;
            p.leg[0] = {3 + u.drop * 3, u.drop * 6};
            p.leg[1] = {-3 + u.drop * 3, u.drop * 6};
            if (u.view < 0) {
                person(f, L, shouldering(p), at, on_back);
                return;
            }
            p.hold[0] = p.hold[1] = Held::Fist;
            p.put_hand(0, 0.14, 0.36 - u.lift);
            p.put_hand(1, 0.12, 0.32 - u.lift);
            person(f, L, p, at, [&](Canvas& cv, const Rig& r, Layer layer) {
                if (layer != Layer::Front) return;
                const Pt c = paint::lerp(r.hand[0], r.hand[1], 0.5) + Pt{r.facing * 0.05 * H, -0.04 * H};
                sack(cv, c, 0.13 * H, 0.13 * H, c + Pt{0, -0.17 * H}, L.carry_tone);
                props::hand_over(cv, L, r, 0);
            });
        });
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 29 by day: walks right with her parcel by its string, now and then
// stops to shift it about, and sometimes turns back.
Image sheet_fig29() {
    const Look& L = look_of(29);
    const double H = L.height;
    Image sheet(1392, 83);
    std::vector<std::pair<int, int>> xs = {{0, 32}, {33, 40}, {74, 48}, {123, 48}, {172, 48}};
    for (int e = 5; e <= 20; ++e) xs.push_back({221 + 57 * (e - 5), 56});
    for (int x : {1190, 1239, 1288, 1337}) xs.push_back({x, 48});
    auto fr = frames_on_row(xs, 83);
    const double pw = 0.22 * H, ph = 0.14 * H;

    auto by_string = [&, pw, ph](Canvas& cv, const Rig& r, Layer layer) {
        if (layer != Layer::Front) return;
        const Pt knot = r.hand[0] + Pt{0, 1.5};
        props::parcel(cv, knot + Pt{0, 0.5 * ph + 1.0}, pw * 0.8, ph);
        paint::seg(cv, knot + Pt{-2, 2}, knot, ramp::dusk(1), cv.part());
        paint::seg(cv, knot + Pt{2, 2}, knot, ramp::dusk(1), cv.next - 1);
        props::hand_over(cv, L, r, 0);
    };
    auto in_arms = [&, pw, ph](Canvas& cv, const Rig& r, Layer layer) {
        if (layer != Layer::Front) return;
        props::parcel(cv, paint::lerp(r.hand[0], r.hand[1], 0.5) + Pt{0, -0.42 * ph}, pw, ph);
        props::hand_over(cv, L, r, 0);
        props::hand_over(cv, L, r, 1, 0.3);
    };
    auto laden = [&](Pose p) {
        p.hold[0] = Held::Fist;
        p.arm[0] = {4, 6};
        return p;
    };
    const double a0 = 16, step = 21, b0 = 29;
    for (int k = 0; k < 4; ++k) {
        paint_frame(sheet, fr[k], [&](Image& f) { person(f, L, laden(walking(L, k, 1)), walk_anchor(a0, step, k, 1), by_string); });
        paint_frame(sheet, fr[21 + k], [&](Image& f) { person(f, L, laden(walking(L, k, -1)), walk_anchor(b0, step, k, -1), by_string); });
    }
    // 4 to 20: the pause, all at one hip column, within a step of where the
    // next run would have begun (the elbows need the room on the right). It
    // begins facing the street, since she may have been walking either way.
    const double w = a0 + step - 2;
    enum Hold { String, Arms, ArmsHigh, Label };
    const struct {
        int view;  // 1 side (facing right), 0 front
        Hold hold;
        int look;
        double nod;
        bool blink;
    } pause[17] = {{0, String, 0, 4, false}, {0, String, 0, 0, false}, {0, Arms, 0, 0, false},  {0, Arms, -1, 0, false},
                   {0, Arms, 1, 0, false},  {0, ArmsHigh, 0, 0, false}, {0, ArmsHigh, 0, 0, true}, {0, Label, 0, 16, false},
                   {0, Label, 0, 20, true}, {0, Arms, -1, 4, false}, {0, Arms, 0, 0, false},  {1, String, 0, 0, false},
                   {0, String, 1, 0, false}, {0, String, 0, 8, false}, {0, Arms, 1, 0, false}, {0, Arms, -1, 0, false},
                   {0, Arms, 0, 0, true}};
    for (int k = 0; k < 17; ++k)
        paint_frame(sheet, fr[4 + k], [&](Image& f) {
            const auto& s = pause[k];
            Pose p = s.view ? stand_pose(1) : front_pose();
            p.look = s.look, p.nod = s.nod, p.blink = s.blink;
            if (s.hold == String) {
                p = laden(p);
                if (!s.view) p.arm[0] = {6, 6};
                person(f, L, p, w, by_string);
                return;
            }
            const double y = s.hold == ArmsHigh ? 0.27 : s.hold == Label ? 0.24 : 0.31;
            p.hold[0] = p.hold[1] = Held::Fist;
            p.put_hand(0, -0.085, y);
            p.put_hand(1, 0.085, y);
            person(f, L, p, w, in_arms);
        });
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 30: sister and brother walk in from the right, stop to play with
// their ball, and walk on. The girl walks in front; while they play she
// stands on the left facing right and he on the right facing left.
Image sheet_fig30() {
    const Look& G = look_of(30, 0);
    const Look& B = look_of(30, 1);
    Image sheet(880, 370);
    std::vector<FrameRect> fr;
    const std::vector<std::vector<std::pair<int, int>>> rows = {
        {{0, 112}, {113, 112}, {226, 104}, {331, 104}, {436, 104}, {541, 104}, {646, 112}, {759, 112}},
        {{0, 112}, {113, 96}, {210, 96}, {307, 104}, {412, 112}, {525, 112}, {638, 112}, {751, 112}},
        {{0, 112}, {113, 104}, {218, 104}, {323, 104}, {428, 112}, {541, 104}, {646, 112}},
        {{0, 104}, {105, 104}, {210, 104}, {315, 112}, {428, 112}, {541, 104}, {646, 96}, {743, 104}},
        {{0, 104}, {105, 104}, {210, 96}, {307, 96}, {404, 112}, {517, 112}, {630, 104}, {735, 104}},
    };
    for (size_t r = 0; r < rows.size(); ++r)
        for (auto [x, w] : rows[r]) fr.push_back({x, int(r) * 74, w, 73});
    const double r_ball = 3.2, gap = 38, step = 18;
    const Tone ball_tone = B.carry_tone;
    auto red_ball = [&](Canvas& cv, Pt c) {
        const uint8_t id = cv.part();
        paint::ball(cv, c, r_ball, r_ball, paint::mat(ball_tone, 1.6), id);
        paint::dot(cv, c + Pt{-0.8, -1.2}, ramp::paint_red(5), id);
    };

    // Both children into one frame, each with its own extras: the girl
    // walks in front, so she is painted last.
    auto pair = [&](Image& f, const Pose& pg, double xg, const Pose& pb, double xb, const Extra& eg, const Extra& eb) {
        person(f, B, pb, xb, eb);
        person(f, G, pg, xg, eg);
    };
    auto carried = [&](const Look& L) {
        return [&L, &red_ball](Canvas& cv, const Rig& r, Layer layer) {
            if (layer != Layer::Front) return;
            red_ball(cv, r.hand[0] + Pt{0, -0.5});
            props::hand_over(cv, L, r, 0);
        };
    };
    const double g0 = 36;
    auto walk_row = [&](int first, bool girl_has_ball) {
        for (int k = 0; k < 4; ++k)
            paint_frame(sheet, fr[first + k], [&](Image& f) {
                const double xg = walk_anchor(g0, step, k, -1);
                Pose pg = walking(G, k, -1, girl_has_ball ? Held::Fist : Held::None);
                Pose pb = walking(B, (k + 1) % 4, -1, girl_has_ball ? Held::None : Held::Fist);
                pair(f, pg, xg, pb, xg + gap, girl_has_ball ? Extra(carried(G)) : Extra(nullptr),
                     girl_has_ball ? Extra(nullptr) : Extra(carried(B)));
            });
    };
    walk_row(0, false);
    walk_row(35, true);

    // 4 to 33: playing. The ball's path, frame by frame, in frame
    // coordinates before `play_dx`; who holds it (0 the girl, 1 the boy, -1
    // nobody). The script stops them with the step of the run taken, so the
    // game is played that far to the right, where the pair stood last.
    const double play_dx = 5;
    const double xg = 30 + play_dx, xb = 72 + play_dx;
    const int G0 = 72;  // bottom row
    const struct {
        int holder;
        double bx, by;
    } play[30] = {
        {1, 62, 44}, {1, 64, 43}, {-1, 56, 39}, {-1, 50, 34}, {-1, 45, 36}, {0, 40, 42},  // boy throws
        {0, 40, 44}, {0, 41, 42}, {-1, 42, 56}, {-1, 42, 68}, {-1, 42, 56}, {0, 40, 45},  // she bounces it
        {0, 40, 44}, {-1, 46, 38}, {-1, 52, 31}, {-1, 58, 30}, {-1, 62, 36}, {1, 62, 43}, // and throws
        {1, 62, 44}, {-1, 60, 57}, {-1, 59, 68}, {-1, 60, 56}, {1, 62, 45},               // he bounces it
        {-1, 56, 32}, {-1, 50, 22}, {-1, 45, 24}, {-1, 41, 34}, {0, 40, 42},              // and throws high
        {0, 40, 43}, {0, 40, 44},
    };
    for (int k = 0; k < 30; ++k)
        paint_frame(sheet, fr[4 + k], [&](Image& f) {
            const auto& s = play[k];
            const Pt ball{s.bx + play_dx, s.by};
            auto pose_of = [&](const Look& L, int facing, double at, bool holds, bool last) {
                Pose p = stand_pose(facing);
                if (last && facing > 0) p = stand_pose(-1);
                p.leg[0] = {6, 4};
                p.leg[1] = {-4, 4};
                if (holds) {
                    p = reach_to(L, p, 0, at, G0, ball + Pt{-(last ? -1 : facing) * 0.6, r_ball * 0.6});
                    p = reach_to(L, p, 1, at, G0, ball + Pt{(last ? -1 : facing) * 1.2, -r_ball * 0.2});
                } else {
                    // ready to catch: hands forward at chest height
                    const Rig bare = rig_person(L, p, at, G0);
                    const Pt chest = bare.neck + Pt{facing * 0.2 * L.height, 0.22 * L.height};
                    p = reach_to(L, p, 0, at, G0, chest);
                    p = reach_to(L, p, 1, at, G0, chest + Pt{facing * 1.0, -1.5});
                    p.hold[0] = p.hold[1] = Held::None;
                }
                return p;
            };
            const bool last = k == 29;
            Pose pg = pose_of(G, 1, xg, s.holder == 0, last);
            Pose pb = pose_of(B, -1, xb, s.holder == 1, false);
            person(f, G, pg, xg);
            person(f, B, pb, xb);
            Canvas cv(f.w, f.h);
            red_ball(cv, ball);
            paint::outline(cv);
            f.paste(cv.img, 0, 0);
            // the holder's fingers close over the ball
            if (s.holder >= 0) {
                const Look& L = s.holder ? B : G;
                const Rig r = rig_person(L, s.holder ? pb : pg, s.holder ? xb : xg, G0);
                Canvas hand(f.w, f.h);
                props::hand_over(hand, L, r, 0);
                f.paste(hand.img, 0, 0);
            }
        });
    // 34: not played by the script: standing side by side, looking out
    paint_frame(sheet, fr[34], [&](Image& f) {
        Pose pg = front_pose(), pb = front_pose();
        pb.hold[0] = Held::Fist;
        person(f, B, pb, 62, carried(B));
        person(f, G, pg, 32);
    });
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 34: walks with long strides, stops, looks about, turns back and
// forth. His stops begin where a run ended, without the stride, whichever
// way he walked, and leave 22 to the right or 30 or 20 to the left; all
// standing frames share one hip, and the walk to the left starts half-way
// between where those two leave him.
Image sheet_fig34() {
    const Look& L = look_of(34);
    Image sheet(1888, 77);
    auto fr = frames_on_row({{0, 64},     {65, 72},    {138, 80},   {219, 88},   {308, 88},   {397, 88},
                             {486, 80},   {567, 64},   {632, 88},   {721, 88},   {810, 72},   {883, 64},
                             {948, 80},   {1029, 80},  {1110, 80},  {1191, 88},  {1280, 88},  {1369, 88},
                             {1458, 88},  {1547, 88},  {1636, 88},  {1725, 80},  {1806, 80}},
                            77);
    const double a0 = 18, b0 = 69, step = 31, still = 44;
    for (int k = 0; k < 4; ++k) {
        paint_frame(sheet, fr[k], [&](Image& f) { person(f, L, walking(L, k, 1), walk_anchor(a0, step, k, 1)); });
        paint_frame(sheet, fr[4 + k], [&](Image& f) { person(f, L, walking(L, k, -1), walk_anchor(b0, step, k, -1)); });
    }
    // 8 to 14: stops facing the street (he may have walked either way) and
    // looks up and down it
    auto side = [](int facing) { return stand_pose(facing); };
    auto front = [](int look) {
        Pose p = front_pose();
        p.look = look;
        return p;
    };
    std::vector<Pose> looks = {front(0), front(-1), front(-1), front(0), front(1), front(1), front(0)};
    looks[2].nod = 10;  // down the street to the left
    looks[5].hold[1] = Held::Fist;
    looks[5].put_hand(1, 0.05, -0.1);  // shading his eyes
    looks[6].arm[0] = looks[6].arm[1] = {-12, 50};  // hands clasped before him
    for (int k = 0; k < 7; ++k) paint_frame(sheet, fr[8 + k], [&](Image& f) { person(f, L, looks[k], still); });
    // 15 to 22: turning back and forth, from facing the street; the turn
    // may start after a walk either way and restarts from its first picture
    std::vector<Pose> turns = {front(0), turn_pose(-1, -1), side(-1), turn_pose(-1, 1), front(0), turn_pose(1, 1), side(1), turn_pose(1, -1)};
    turns[4].look = -1;
    for (int k = 0; k < 8; ++k) paint_frame(sheet, fr[15 + k], [&](Image& f) { person(f, L, turns[k], still); });
    return sheet;
}

}  // namespace art::figures::day
