// The sheets of the passengers who come to the stop and wait for the bus:
// figure 12 (a man with a parcel), 13 (a man with a trumpet who checks his
// watch), 21 (a woman with a market basket) and 23 (two boys with a ball).
//
// The scripts draw every frame of a run at the same place and move the
// figure only when the run ends, so walking frames carry the figure on
// inside their rectangles (walk_anchor), and the first frame after a walk
// stands where the next run would have begun. Waiting frames share one hip
// column so that nobody jumps while the pictures change.
#include <cmath>

#include "figures/cast.h"
#include "figures/figures.h"
#include "figures/person.h"
#include "figures/person_body.h"
#include "figures/person_paint.h"
#include "figures/person_sheet.h"
#include "figures/waiting_props.h"

namespace art::figures {

namespace {

using paint::Canvas;
using paint::operator+;
using paint::operator-;
using paint::operator*;

const Look& look_of(int id, int k = 0) { return cast(id)->person[k]; }

// A walking frame with a stride that reads at this size; an arm that carries
// something swings less.
Pose walking(const Look& L, int k, int facing, bool near_laden = false) {
    Pose p = walk_pose(k, facing, 0.2 * L.height, L.height);
    if (near_laden) {
        p.hold[0] = Held::Fist;
        p.arm[0].swing *= 0.35;
        p.arm[0].bend = 6;
    }
    return p;
}

Pose front(int look = 0) {
    Pose p = front_pose();
    p.look = look;
    return p;
}

// A step towards the bus door, which stands to the figure's left.
Pose stepping_left() {
    Pose p = stand_pose(-1);
    p.leg[0] = {9, 4};
    p.leg[1] = {-6, 8};
    p.toe[1] = 10;
    return p;
}

// Offset of a picture point from the base of the neck in the units put_hand
// takes (forwards in side view, screen right in front view; height units).
Pt hand_offset(const Rig& r, const Pose& p, Pt at, double H) {
    const int f = p.view == View::Side ? p.facing : 1;
    return {(at.x - r.neck.x) * f / H, (at.y - r.neck.y) / H};
}

Pt unit(double dx, double dy) {
    double l = std::sqrt(dx * dx + dy * dy);
    return {dx / l, dy / l};
}

void person(Image& frame, const Look& L, const Pose& p, double ax, const Extra& extra = nullptr, int lift = 0) {
    paint_person(frame, L, p, ax, frame.h - 1 - lift, extra);
}

// ---------------------------------------------------------------------------
// Figure 12: stands near the sign from the start with a parcel, shifting it
// and looking about; the script cycles his first two to five pictures.
Image sheet_fig12() {
    const Look& L = look_of(12);
    const double H = L.height;
    Image sheet(312, 62);
    auto fr = frames_on_row({{0, 64}, {65, 64}, {130, 64}, {195, 56}, {252, 56}}, 62);
    const double at = 30;
    const double pw = 0.26 * H, ph = 0.17 * H;

    // carried before the belly on both hands, fingers under its bottom edge
    auto in_front = [&](int look, double lift, bool blink) {
        Pose p = front(look);
        p.blink = blink;
        p.hold[0] = p.hold[1] = Held::Fist;
        p.put_hand(0, -0.085, 0.31 - lift);
        p.put_hand(1, 0.085, 0.31 - lift);
        Extra e = [&L, pw, ph](Canvas& cv, const Rig& r, Layer layer) {
            if (layer != Layer::Front) return;
            props::parcel(cv, paint::lerp(r.hand[0], r.hand[1], 0.5) + Pt{0, -0.42 * ph}, pw, ph);
            props::hand_over(cv, L, r, 0);
            props::hand_over(cv, L, r, 1, 0.3);
        };
        return std::make_pair(p, e);
    };
    for (int k = 0; k < 3; ++k) {
        static const int looks[3] = {-1, 0, 1};
        const auto pose = in_front(looks[k], k == 2 ? 0.03 : 0.0, k == 1);
        paint_frame(sheet, fr[k], [&](Image& f) { person(f, L, pose.first, at, pose.second); });
    }
    // turned to the left: hugging it to his chest with the near arm
    paint_frame(sheet, fr[3], [&](Image& f) {
        Pose p = stand_pose(-1);
        p.hold[0] = Held::Fist;
        p.put_hand(0, 0.15, 0.21);
        person(f, L, p, at, [&](Canvas& cv, const Rig& r, Layer layer) {
            if (layer != Layer::Front) return;
            props::parcel(cv, r.neck + Pt{r.facing * 0.13 * H, 0.2 * H}, pw * 0.8, ph);
            props::forearm_over(cv, L, r, 0);
        });
    });
    // and carrying it by the string, looking out to the street
    paint_frame(sheet, fr[4], [&](Image& f) {
        Pose p = stand_pose(-1);
        p.look = 1;
        p.hold[0] = Held::Fist;
        p.arm[0] = {6, 6};
        person(f, L, p, at, [&](Canvas& cv, const Rig& r, Layer layer) {
            if (layer != Layer::Front) return;
            const Pt knot = r.hand[0] + Pt{0, 1.5};
            props::parcel(cv, knot + Pt{0, 0.5 * ph + 1.0}, pw * 0.85, ph);
            paint::seg(cv, knot + Pt{-2, 2}, knot, ramp::dusk(1), cv.part());
            paint::seg(cv, knot + Pt{2, 2}, knot, ramp::dusk(1), cv.next - 1);
            props::hand_over(cv, L, r, 0);
        });
    });
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 13: walks in from the left with his trumpet, waits looking at his
// watch, now and then plays, and steps left to the bus door.
Image sheet_fig13() {
    const Look& L = look_of(13);
    const double H = L.height, tl = 0.2 * H;
    Image sheet(656, 78);
    auto fr = frames_on_row({{0, 40},
                             {41, 40},
                             {82, 40},
                             {123, 48},
                             {172, 48},
                             {221, 48},
                             {270, 56},
                             {327, 56},
                             {384, 48},
                             {433, 56},
                             {490, 56},
                             {547, 56},
                             {604, 48}},
                            78);
    const double a0 = 16, step = 15, wait = a0 + step;

    // carried by the valves, bell forward and down
    auto carried = [&, tl](Canvas& cv, const Rig& r, Layer layer) {
        if (layer != Layer::Front) return;
        Pt d = unit(r.facing * 1.0, 0.35);
        props::trumpet(cv, r.hand[0] - d * (0.45 * tl) + Pt{0, -1.0}, d, tl);
        props::hand_over(cv, L, r, 0);
    };
    // hanging from the screen-left hand of a front view, bell down
    auto hanging = [&, tl](Canvas& cv, const Rig& r, Layer layer) {
        if (layer != Layer::Front) return;
        Pt d = unit(0.12, 1.0);
        props::trumpet(cv, r.hand[0] - d * (0.45 * tl), d, tl);
        props::hand_over(cv, L, r, 0);
    };

    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[k], [&](Image& f) { person(f, L, walking(L, k, 1, true), walk_anchor(a0, step, k, 1), carried); });

    auto waiting = [&](int look) {
        Pose p = front(look);
        p.hold[0] = Held::Fist;
        return p;
    };
    paint_frame(sheet, fr[4], [&](Image& f) { person(f, L, waiting(0), wait, hanging); });
    // the bus comes from the right
    paint_frame(sheet, fr[5], [&](Image& f) { person(f, L, waiting(1), wait, hanging); });
    for (int k = 0; k < 2; ++k)
        paint_frame(sheet, fr[6 + k], [&](Image& f) {
            Pose p = waiting(0);
            p.hold[1] = Held::Watch;
            p.put_hand(1, -0.01, 0.17);
            p.nod = k ? 26 : 18;
            p.mouth = k;  // a sigh at the time
            person(f, L, p, wait, hanging);
        });

    // Playing, turned to the left: the mouthpiece at his lips, the near hand
    // under the valves, the far hand steadying the tube.
    auto playing = [&](Image& f, double tilt, double lean, bool tap, bool blink) {
        Pose p = stand_pose(-1);
        p.lean = lean;
        p.nod = -tilt * 0.5;
        p.blink = blink;
        if (tap) {
            p.leg[0] = {7, 4};
            p.toe[0] = -18;
        }
        p.hold[0] = p.hold[1] = Held::Fist;
        const Rig bare = rig_person(L, p, wait, f.h - 1);
        const Pt a = props::mouth_of(bare, -1);
        const Pt d = unit(-std::cos(tilt * paint::kPi / 180), -std::sin(tilt * paint::kPi / 180));
        const Pt down{-d.y < 0 ? d.y : -d.y, std::abs(d.x)};
        const Pt near = a + d * (0.45 * tl) + down * 3.0, far = a + d * (0.25 * tl) + down * 1.5;
        Pt o = hand_offset(bare, p, near, H);
        p.put_hand(0, o.x, o.y);
        o = hand_offset(bare, p, far, H);
        p.put_hand(1, o.x, o.y);
        person(f, L, p, wait, [&](Canvas& cv, const Rig& r, Layer layer) {
            if (layer != Layer::Front) return;
            props::trumpet(cv, a, d, tl);
            props::hand_over(cv, L, r, 0);
        });
    };
    // lifting it: held across the chest, bell up, not yet at the lips
    paint_frame(sheet, fr[8], [&](Image& f) {
        Pose p = stand_pose(-1);
        p.hold[0] = p.hold[1] = Held::Fist;
        p.put_hand(0, 0.1, 0.2);
        p.put_hand(1, 0.06, 0.12);
        p.nod = 8;
        person(f, L, p, wait, [&](Canvas& cv, const Rig& r, Layer layer) {
            if (layer != Layer::Front) return;
            Pt d = unit(-0.7, -0.7);
            props::trumpet(cv, r.hand[0] - d * (0.3 * tl) + Pt{0, -1.0}, d, tl);
            props::hand_over(cv, L, r, 0);
        });
    });
    paint_frame(sheet, fr[9], [&](Image& f) { playing(f, 6, -3, false, false); });
    paint_frame(sheet, fr[10], [&](Image& f) { playing(f, 20, -7, false, true); });
    paint_frame(sheet, fr[11], [&](Image& f) { playing(f, 10, -4, true, true); });

    paint_frame(sheet, fr[12], [&](Image& f) {
        Pose p = stepping_left();
        p.hold[0] = Held::Fist;
        p.arm[0] = {4, 8};
        person(f, L, p, wait, carried);
    });
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 21: walks in from the left with her basket, puts herself right,
// shifts the basket from hand to hand, looks about, and turns to the bus.
Image sheet_fig21() {
    const Look& L = look_of(21);
    const double H = L.height;
    Image sheet(792, 80);
    auto fr = frames_on_row({{0, 56},
                             {57, 56},
                             {114, 64},
                             {179, 64},
                             {244, 64},
                             {309, 56},
                             {366, 56},
                             {423, 56},
                             {480, 64},
                             {545, 64},
                             {610, 64},
                             {675, 56},
                             {732, 56}},
                            80);
    const double a0 = 24, step = 11, wait = a0 + step;
    const double side_w = 0.18 * H, end_w = 0.12 * H, bh = 0.12 * H;

    auto in_hand = [&](int hand, double w) -> Extra {
        return [&L, hand, w, bh](Canvas& cv, const Rig& r, Layer layer) {
            if (layer != Layer::Front) return;
            props::basket(cv, r.hand[hand], w, bh, hand == 1 ? 0.3 : 0);
            props::hand_over(cv, L, r, hand, hand == 1 ? 0.3 : 0);
        };
    };

    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[k], [&](Image& f) { person(f, L, walking(L, k, 1, true), walk_anchor(a0, step, k, 1), in_hand(0, side_w)); });

    // 4: halts; 5: turns to the street, the basket changing sides with her
    paint_frame(sheet, fr[4], [&](Image& f) {
        Pose p = stand_pose(1);
        p.hold[0] = Held::Fist;
        person(f, L, p, wait, in_hand(0, side_w));
    });
    auto carrying = [&](int hand, int look) {
        Pose p = front(look);
        p.hold[hand] = Held::Fist;
        p.arm[hand] = {9, 4};
        return p;
    };
    paint_frame(sheet, fr[5], [&](Image& f) {
        Pose p = turn_pose(1, 1);
        p.hold[1] = Held::Fist;
        person(f, L, p, wait, in_hand(1, end_w));
    });
    paint_frame(sheet, fr[6], [&](Image& f) { person(f, L, carrying(1, 0), wait, in_hand(1, end_w)); });
    paint_frame(sheet, fr[7], [&](Image& f) { person(f, L, carrying(1, 1), wait, in_hand(1, end_w)); });
    // both hands on the handle while the basket goes over to the other arm
    paint_frame(sheet, fr[8], [&](Image& f) {
        Pose p = front(0);
        p.nod = 14;
        p.hold[0] = p.hold[1] = Held::Fist;
        p.put_hand(0, -0.025, 0.3);
        p.put_hand(1, 0.025, 0.3);
        person(f, L, p, wait, [&](Canvas& cv, const Rig& r, Layer layer) {
            if (layer != Layer::Front) return;
            props::basket(cv, paint::lerp(r.hand[0], r.hand[1], 0.5), side_w, bh);
            props::hand_over(cv, L, r, 0);
            props::hand_over(cv, L, r, 1, 0.3);
        });
    });
    paint_frame(sheet, fr[9], [&](Image& f) { person(f, L, carrying(0, -1), wait, in_hand(0, end_w)); });
    // a hand to the headscarf's knot
    paint_frame(sheet, fr[10], [&](Image& f) {
        Pose p = carrying(0, 0);
        p.put_hand(1, 0.02, 0.02);
        p.nod = 6;
        person(f, L, p, wait, in_hand(0, end_w));
    });
    paint_frame(sheet, fr[11], [&](Image& f) {
        Pose p = carrying(0, 1);
        p.blink = true;
        person(f, L, p, wait, in_hand(0, end_w));
    });
    paint_frame(sheet, fr[12], [&](Image& f) {
        Pose p = stepping_left();
        p.hold[0] = Held::Fist;
        p.arm[0] = {3, 6};
        person(f, L, p, wait, in_hand(0, side_w));
    });
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 23: two boys walking side by side, the smaller one with his ball.
// They may stop to chat and laugh, and step to the bus when it comes. The
// taller boy walks on the far side, a little up the pavement, half hidden.
Image sheet_fig23(bool night) {
    const Look& A = look_of(23, 0);  // taller, red anorak, rucksack
    const Look& B = look_of(23, 1);  // smaller, curly, green sweater, ball
    const double ball_r = 0.06 * B.height;
    Image sheet(1024, 78);
    auto fr = frames_on_row({{0, 80},
                             {81, 80},
                             {162, 80},
                             {243, 96},
                             {340, 96},
                             {437, 96},
                             {534, 96},
                             {631, 96},
                             {728, 96},
                             {825, 96},
                             {922, 96}},
                            78);
    const int far_lift = 2;
    const double step = 15, a_walk = 30, b_walk = 44;
    const double a_wait = 40, b_wait = 66;

    // the ball carried in the near hand, hugged against the hip
    auto ball_in_hand = [&](int hand, double dark) -> Extra {
        return [&B, hand, dark, ball_r](Canvas& cv, const Rig& r, Layer layer) {
            if (layer != Layer::Front) return;
            const int out = r.facing * (hand == 0 ? 1 : -1);
            props::football(cv, r.hand[hand] + Pt{out * 0.3 * ball_r, ball_r * 0.6}, ball_r, dark);
            props::hand_over(cv, B, r, hand, dark);
        };
    };
    auto both = [&](Image& f, const Pose& pa, double xa, const Pose& pb, double xb, const Extra& eb) {
        paint_person(f, A, pa, xa, f.h - 1 - far_lift);
        paint_person(f, B, pb, xb, f.h - 1, eb);
    };

    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[k], [&](Image& f) {
            // out of step with each other, as two people walking together are
            Pose pa = walking(A, (k + 1) % 4, 1);
            Pose pb = walking(B, k, 1, true);
            both(f, pa, walk_anchor(a_walk, step, k, 1), pb, walk_anchor(b_walk, step, k, 1), ball_in_hand(0, 0));
        });

    // 4 to 7: waiting, turned to each other, talking and laughing
    auto talk = [&](int facing, int mouth) {
        Pose p = stand_pose(facing);
        p.mouth = mouth;
        return p;
    };
    auto ball_held = [&](Pose& p) {
        p.hold[0] = Held::Fist;
        p.put_hand(0, 0.14, 0.3);
    };
    paint_frame(sheet, fr[4], [&](Image& f) {
        Pose pa = talk(1, 1);
        Pose pb = talk(-1, 0);
        ball_held(pb);
        both(f, pa, a_wait, pb, b_wait, ball_in_hand(0, 0));
    });
    paint_frame(sheet, fr[5], [&](Image& f) {
        Pose pa = talk(1, 0);
        pa.hold[0] = Held::Pocket;
        pa.arm[0] = {4, 30};
        Pose pb = talk(-1, 1);
        ball_held(pb);
        pb.arm[1] = {40, 50};  // explaining with his free hand
        both(f, pa, a_wait, pb, b_wait, ball_in_hand(0, 0));
    });
    paint_frame(sheet, fr[6], [&](Image& f) {
        // both laughing: heads back, eyes shut
        Pose pa = talk(1, 1);
        pa.lean = -5, pa.nod = -12, pa.blink = true;
        pa.hold[0] = Held::Pocket;
        pa.arm[0] = {4, 30};
        Pose pb = front(0);
        pb.mouth = 1, pb.blink = true, pb.lean = 3;
        pb.hold[1] = Held::Fist;
        pb.put_hand(1, 0.06, 0.28);
        both(f, pa, a_wait, pb, b_wait, ball_in_hand(1, 0.3));
    });
    paint_frame(sheet, fr[7], [&](Image& f) {
        Pose pa = front(1);
        pa.mouth = 2;
        pa.hold[0] = pa.hold[1] = Held::Pocket;
        pa.arm[0] = {10, 28}, pa.arm[1] = {10, 28};
        Pose pb = front(-1);
        pb.hold[1] = Held::Fist;
        pb.put_hand(1, 0.06, 0.28);
        both(f, pa, a_wait, pb, b_wait, ball_in_hand(1, 0.3));
    });
    // 8 to 10: the bus stands to their left; they look, turn and step to it
    paint_frame(sheet, fr[8], [&](Image& f) {
        Pose pa = front(-1);
        Pose pb = front(-1);
        pb.hold[1] = Held::Fist;
        pb.put_hand(1, 0.06, 0.28);
        both(f, pa, a_wait, pb, b_wait, ball_in_hand(1, 0.3));
    });
    paint_frame(sheet, fr[9], [&](Image& f) {
        Pose pa = turn_pose(1, -1);
        Pose pb = stand_pose(-1);
        pb.hold[0] = Held::Fist;
        pb.arm[0] = {6, 10};
        both(f, pa, a_wait, pb, b_wait, ball_in_hand(0, 0));
    });
    paint_frame(sheet, fr[10], [&](Image& f) {
        Pose pa = stepping_left();
        Pose pb = stepping_left();
        pb.hold[0] = Held::Fist;
        pb.arm[0] = {6, 10};
        both(f, pa, a_wait, pb, b_wait - 2, ball_in_hand(0, 0));
    });
    if (night) night_light(sheet, {0, 0, sheet.w, sheet.h});
    return sheet;
}

}  // namespace

void add_waiting_passenger_sheets(std::vector<Picture>& out) {
    out.push_back({"FIG12_T00", "people", sheet_fig12(), BmpFormat::Rle8});
    out.push_back({"FIG13_T00", "people", sheet_fig13(), BmpFormat::Rle8});
    out.push_back({"FIG21_T00", "people", sheet_fig21(), BmpFormat::Rle8});
    out.push_back({"FIG23_T00", "people", sheet_fig23(false), BmpFormat::Rle8});
    out.push_back({"FIG23_N00", "people", sheet_fig23(true), BmpFormat::Rle8});
}

}  // namespace art::figures
