// The day passers-by, first half: figure 11 (the boy on his skateboard),
// 14 (the old woman who phones from the booth), 15 (the old man with his
// walking stick) and 20 (the hooded figure that stands with its back to the
// street, by day and at night). The other half is day_passers_by_more.cpp.
//
// The engine draws a frame from its top-left corner at the figure's place,
// and most scripts move the figure only when a run of frames ends: walking
// frames carry the figure on inside their rectangles (walk_anchor), and
// frames shown one after another at one place keep the hip where it was.
// Where a script lifts or lowers the figure while it changes pictures (the
// caller stepping up into the booth, the old man sitting down on the bench)
// the frames are painted for the place the script draws them at.
#include "figures/day_passers_by.h"

#include <algorithm>
#include <cmath>

#include "figures/cast.h"
#include "figures/figures.h"
#include "figures/person_paint.h"
#include "figures/waiting_props.h"
#include "scenes/street.h"

namespace art::figures {

namespace day {

using paint::Canvas;
using paint::Mat;
using paint::operator+;
using paint::operator-;
using paint::operator*;

const Look& look_of(int id, int k) { return cast(id)->person[k]; }

Pose walking(const Look& L, int k, int facing, Held near_hand, Held far_hand) {
    Pose p = walk_pose(k, facing, 0.2 * L.height, L.height);
    p.hold[0] = near_hand;
    p.hold[1] = far_hand;
    for (int i = 0; i < 2; ++i)
        if (p.hold[i] != Held::None) {
            p.arm[i].swing *= 0.35;
            p.arm[i].bend = 6;
        }
    return p;
}

Rig person(Image& frame, const Look& L, const Pose& p, double ax, const Extra& extra, int lift) {
    return paint_person(frame, L, p, ax, frame.h - 1 - lift, extra);
}

namespace {

// Crouching on a leg: the thigh tilts forward and the shin back by the same
// angle, so the foot stays in the direction the leg's swing gives it and
// only comes nearer to the hip.
void crouch(Pose& p, int i, double base, double c) { p.leg[i] = {base + c, 2 * c}; }

// Crouches leg i of the pose until its ankle stands `rise` rows above the
// other leg's ankle: a foot on a skateboard deck while the other is on the
// pavement.
void fit_leg(const Look& L, Pose& p, int i, double rise) {
    const double base = p.leg[i].swing;
    double best = 1e9, best_c = 0;
    for (double c = 0; c <= 70; c += 0.5) {
        crouch(p, i, base, c);
        const Rig r = rig_person(L, p, 0, 100);
        const double d = std::abs((r.ankle[1 - i].y - r.ankle[i].y) - rise);
        if (d < best) best = d, best_c = c;
    }
    crouch(p, i, base, best_c);
}

// ---------------------------------------------------------------------------
// Figure 11: rolls in from the right along the front of the street, pushing
// off now and then. The script moves him on every frame, so the board keeps
// its place inside the frames.

// The board seen from the side: deck with kicked-up ends, trucks and two
// wheels standing on the ground row.
void skateboard(Canvas& cv, double cx, int ground, int facing) {
    using namespace paint;
    const double half = 17, f = facing;
    const double gy = ground + 0.5;
    auto P = [&](double u, double v) { return Pt{cx + f * u, gy - v}; };
    const double u0 = -half, u1 = half;
    const Mat wheel{ramp::grey, 6.6, 1.0}, deck{ramp::wood, 3.6, 1.2}, grip{ramp::grey, 1.4, 0.6};
    uint8_t id = cv.part();
    for (double u : {u0 + 6.5, u1 - 6.5}) {
        ball(cv, P(u, 1.4), 1.7, 1.7, wheel, id);
        dot(cv, P(u, 1.4), ramp::grey(3), id);
    }
    id = cv.part();
    for (double u : {u0 + 6.5, u1 - 6.5}) seg(cv, P(u - 1.5, 3.4), P(u + 1.5, 3.4), ramp::chrome(3), id);
    id = cv.part();
    capsule(cv, P(u0 + 3, 4.6), P(u1 - 3, 4.6), 1.0, 1.0, deck, id);
    capsule(cv, P(u0 + 3, 4.6), P(u0, 6.2), 1.0, 0.9, deck, id);  // kicked tail
    capsule(cv, P(u1 - 3, 4.6), P(u1, 6.4), 1.0, 0.9, deck, id);  // and nose
    seg(cv, P(u0 + 3, 5.6), P(u1 - 3, 5.6), grip.ramp(1), id);
}

// Rows from the frame's bottom row to the deck's top, where the soles go.
constexpr int kDeck = 6;

// Crouches the legs named in `legs` (bit 0 near, bit 1 far) alike until the
// hip joint of the pose stood on `ground` is at row `hip_y`, so that he
// keeps his height whichever foot carries him.
void bend_to_hip(const Look& L, Pose& p, int legs, int ground, double hip_y) {
    const double base[2] = {p.leg[0].swing, p.leg[1].swing};
    double best = 1e9, best_c = 0;
    for (double c = 0; c <= 70; c += 0.5) {
        for (int i = 0; i < 2; ++i)
            if (legs & (1 << i)) crouch(p, i, base[i], c);
        const double d = std::abs(rig_person(L, p, 0, ground).hip.y - hip_y);
        if (d < best) best = d, best_c = c;
    }
    for (int i = 0; i < 2; ++i)
        if (legs & (1 << i)) crouch(p, i, base[i], best_c);
}

Image sheet_fig11() {
    const Look& L = look_of(11);
    Image sheet(504, 70);
    std::vector<FrameRect> fr = frames_on_row({{0, 64}, {65, 64}, {130, 64}, {195, 64}, {260, 88}}, 70);
    for (auto [x, w] : std::vector<std::pair<int, int>>{{349, 56}, {406, 48}, {455, 48}}) fr.push_back({x, 0, w, 68});
    const double cx = 32;
    const int g = 69;

    auto board_behind = [&](double at) {
        return [=](Canvas& cv, const Rig&, Layer layer) {
            if (layer == Layer::Behind) skateboard(cv, at, cv.img.h - 1, -1);
        };
    };
    // The pushing leg reaches furthest when it is nearly straight, which
    // sets the height of his hips in every frame of the cycle.
    Pose reach = stand_pose(-1);
    reach.leg[0] = {-10, 2};
    const double hip_y = rig_person(L, reach, 0, g).hip.y;
    auto riding = [&](double lean) {
        Pose p = stand_pose(-1);
        p.leg[0] = {-14, 0};  // rear foot over the back truck
        p.leg[1] = {14, 0};   // front foot over the front truck
        p.arm[0] = {-18, 20};
        p.arm[1] = {30, 26};  // out for balance
        p.lean = lean;
        return p;
    };
    // 0: riding, both feet on the deck
    paint_frame(sheet, fr[0], [&](Image& f) {
        Pose p = riding(4);
        bend_to_hip(L, p, 3, g - kDeck, hip_y);
        person(f, L, p, cx, board_behind(cx), kDeck);
    });
    // 1 to 3: the rear foot comes down beside the board, pushes back and
    // swings up again; the front foot stays on the deck
    const double push_swing[3] = {4, -10, -22};
    for (int k = 1; k <= 3; ++k)
        paint_frame(sheet, fr[k], [&](Image& f) {
            Pose p = riding(8);
            p.arm[0] = {14, 20};
            p.arm[1] = {-16, 20};
            p.leg[1] = {14, 0};
            if (k < 3) {
                p.leg[0] = {push_swing[k - 1], 0};
                bend_to_hip(L, p, 1, g, hip_y);
                fit_leg(L, p, 1, kDeck);
                person(f, L, p, cx, board_behind(cx));
            } else {
                p.leg[0] = {push_swing[2], 85};  // swinging up behind
                bend_to_hip(L, p, 2, g - kDeck, hip_y);
                person(f, L, p, cx, board_behind(cx), kDeck);
            }
        });
    // 4: crouched low for a jump, arms spread
    paint_frame(sheet, fr[4], [&](Image& f) {
        Pose p = riding(12);
        p.arm[0] = {-40, 24};
        p.arm[1] = {55, 30};
        bend_to_hip(L, p, 3, g - kDeck, hip_y + 6);
        person(f, L, p, 44, board_behind(44), kDeck);
    });
    // 5: off the board, holding it up by the nose, its tail on the ground
    paint_frame(sheet, fr[5], [&](Image& f) {
        Pose p = stand_pose(-1);
        p.hold[0] = Held::Fist;
        p.arm[0] = {22, 30};
        person(f, L, p, 30, [&](Canvas& cv, const Rig& r, Layer layer) {
            if (layer != Layer::Middle) return;
            const Mat deck{ramp::wood, 3.6, 1.2};
            uint8_t id = cv.part();
            const Pt top = r.hand[0] + Pt{-1, -2}, bottom{r.hand[0].x - 4, double(cv.img.h) - 2};
            paint::capsule(cv, top, bottom, 1.1, 1.1, deck, id);
            paint::ball(cv, bottom + Pt{2.2, -2.5}, 1.6, 1.6, Mat{ramp::grey, 6.6, 1.0}, id);
            paint::ball(cv, top + Pt{2.0, 8.0}, 1.6, 1.6, Mat{ramp::grey, 6.6, 1.0}, id);
        });
    });
    // 6, 7: walking on, the board held by its nose, trailing at his side
    for (int k = 0; k < 2; ++k)
        paint_frame(sheet, fr[6 + k], [&](Image& f) {
            Pose p = walking(L, k, -1, Held::Fist);
            person(f, L, p, 24 - 3 * k, [&](Canvas& cv, const Rig& r, Layer layer) {
                if (layer != Layer::Front) return;
                uint8_t id = cv.part();
                const Pt top = r.hand[0] + Pt{0, -1.5}, d = paint::dir(38);
                const Pt end = top + d * 32;
                const Mat deck{ramp::wood, 3.6, 1.2}, wheel{ramp::grey, 6.6, 1.0};
                paint::capsule(cv, top, end, 1.1, 1.1, deck, id);
                for (double t : {0.2, 0.8}) paint::ball(cv, paint::lerp(top, end, t) + Pt{-2.2, 1.6}, 1.5, 1.5, wheel, id);
                props::hand_over(cv, L, r, 0);
            });
        });
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 14: walks in from the left to the booth, looks for a coin, goes in,
// telephones for a long time, comes out and walks back.
//
// Stage places (picture columns; rows are picture rows = stage + 302):
// walking and waiting frames stand with the soles on row 465; frames 8 to
// 17 are drawn 13 rows higher, so she stands on the booth's base (its top
// row, 452). Frames 8, 9, 16 and 17 lie at column 483, 10 to 15 at 538.
// The script shows each of the frames that take her in and out for a single
// tick, so she covers the way from where she waits, through the door (the
// booth's left half) to the telephone and back in even steps of about 15.
namespace b14 {
constexpr int kOutsideTop = 358 - 113 - 194 + 302;  // 353
constexpr int kInsideTop = kOutsideTop - 13;         // 340
constexpr int kAt = 483, kCalling = 538;
constexpr double kWait = 520;   // hip column while she looks for a coin
constexpr double kPhone = 565;  // in the booth, facing the telephone
constexpr Pt kPhoneSet{598, 392};
}  // namespace b14

}  // namespace

Image sheet_fig14(bool own_booth, const Image& street_day, bool person_only) {
    using namespace b14;
    const Look& L = look_of(14);
    Image sheet(1904, 113);
    auto fr = frames_on_row({{0, 56},     {57, 64},    {122, 64},   {187, 72},   {260, 72},   {333, 72},
                             {406, 72},   {479, 80},   {560, 152},  {713, 152},  {866, 96},   {963, 96},
                             {1060, 96},  {1157, 96},  {1254, 96},  {1351, 96},  {1448, 96},  {1545, 96},
                             {1642, 72},  {1715, 64},  {1780, 64},  {1845, 56}},
                            113);
    const Image booth_pic = own_booth ? booth::own_booth(street_day.w, street_day.h) : Image();
    const Image& pic = own_booth ? booth_pic : street_day;

    // walking in: the run that ends the walk is drawn at 468, after which
    // she stands at 483, so the walk starts 37 - 3 to the right of frame 0
    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[k], [&](Image& f) { person(f, L, walking(L, k, 1, Held::None, Held::Handbag), walk_anchor(34, 18, k, 1)); });
    // and back, from the booth (479 or 483) to the left edge
    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[18 + k], [&](Image& f) { person(f, L, walking(L, k, -1, Held::Handbag), walk_anchor(48, 18, k, -1)); });

    // 4 to 7: at the booth, she finds a coin in her handbag
    const double w = kWait - kAt;
    auto at_bag = [&](int look, double hand_y, bool coin) {
        Pose p = stand_pose(1);
        p.hold[1] = Held::Handbag;
        p.arm[1] = {8, 40};
        p.look = look;
        if (hand_y > 0) {
            p.hold[0] = Held::Fist;
            p.put_hand(0, 0.16, hand_y);
            p.nod = coin ? 4 : 20;
        }
        return p;
    };
    paint_frame(sheet, fr[4], [&](Image& f) { person(f, L, at_bag(0, 0, false), w); });
    paint_frame(sheet, fr[5], [&](Image& f) { person(f, L, at_bag(1, 0, false), w); });
    paint_frame(sheet, fr[6], [&](Image& f) { person(f, L, at_bag(0, 0.34, false), w); });
    paint_frame(sheet, fr[7], [&](Image& f) {
        Pose p = at_bag(0, 0.1, true);
        person(f, L, p, w, [&](Canvas& cv, const Rig& r, Layer layer) {
            if (layer != Layer::Front) return;
            uint8_t id = cv.part();
            paint::dot(cv, r.hand[0] + Pt{1.5 * r.facing, -2.0}, ramp::chrome(5), id);
            paint::dot(cv, r.hand[0] + Pt{1.5 * r.facing, -1.0}, ramp::chrome(3), id);
        });
    });

    // 8 to 17: with the booth
    auto at_booth = [&](int idx, int left, bool inside, double door, const std::function<void(Image&)>& who) {
        const Rect at{left, kInsideTop, fr[idx].w, fr[idx].h};
        if (person_only) {
            paint_frame(sheet, fr[idx], who);
            return;
        }
        Image img = booth::compose(pic, at, who, inside, door, own_booth);
        if (!own_booth) {
            // Only what stands in front of her (or swings open) belongs in
            // the frame; where she is not, the street's own booth shows.
            Image layer(at.w, at.h);
            who(layer);
            for (int y = 0; y < at.h; ++y)
                for (int x = 0; x < at.w; ++x)
                    if (layer.get(x, y) == KEY && img.get(x, y) == pic.get(at.x + x, at.y + y)) img.set(x, y, KEY);
        }
        paint_frame(sheet, fr[idx], [&](Image& f) { f.paste(img, 0, 0); });
    };
    auto stand = [&](Image& f, const Pose& p, int left, double picture_x, const Extra& e = nullptr) {
        return paint_person(f, L, p, picture_x - left, f.h - 1, e);
    };
    // 8: up on the base, she pulls the door open by its handle
    at_booth(8, kAt, false, 0.3, [&](Image& f) {
        Pose p = stand_pose(1);
        p.hold[1] = Held::Handbag;
        p.hold[0] = Held::Fist;
        p.put_hand(0, 0.13, 0.26);
        stand(f, p, kAt, 536);
    });
    // 9: steps in through the open door
    at_booth(9, kAt, true, 0.95, [&](Image& f) {
        Pose p = walking(L, 1, 1, Held::None, Held::Handbag);
        stand(f, p, kAt, 552);
    });
    // 10 to 15: on the phone, the cord running to the set on the back wall
    auto call = [&](int idx, Pose p) {
        p.hold[0] = Held::Receiver;
        p.put_hand(0, 0.01, -0.055);
        at_booth(idx, kCalling, true, 0, [&](Image& f) {
            Rig r = stand(f, p, kCalling, kPhone);
            const Pt a = r.head + Pt{2.0, r.head_ry * 1.9};
            const Pt b = kPhoneSet - Pt{double(kCalling), double(kInsideTop)};
            const int n = int(std::max(std::abs(b.x - a.x), std::abs(b.y - a.y))) + 1;
            for (int s = 0; s <= n; ++s) {
                const double t = double(s) / n, sag = 3.0 * std::sin(t * paint::kPi);
                f.set(int(a.x + (b.x - a.x) * t), int(a.y + (b.y - a.y) * t + sag), ramp::grey(1));
            }
        });
    };
    {
        Pose p = stand_pose(1);
        p.hold[1] = Held::Handbag;
        p.arm[1] = {6, 40};
        p.nod = 6;
        call(10, p);  // lifts the receiver, listens for the tone
        Pose talk = p;
        talk.nod = 0, talk.mouth = 1;
        call(11, talk);
        Pose gesture = talk;
        gesture.hold[1] = Held::None;
        gesture.put_hand(1, 0.16, 0.16);  // the free hand explains
        call(12, gesture);
        Pose listen = p;
        listen.nod = 14, listen.blink = true;
        call(13, listen);
        Pose laugh = talk;
        laugh.lean = -5, laugh.look = 1;
        call(14, laugh);
        Pose wave = gesture;
        wave.put_hand(1, 0.2, 0.02);
        wave.mouth = 0;
        call(15, wave);
    }
    // 16: hung up, she turns and pushes the door open; 17: out on the base
    // through the open door
    at_booth(16, kAt, true, 0.6, [&](Image& f) {
        Pose p = stand_pose(-1);
        p.hold[1] = Held::Handbag;
        p.hold[0] = Held::Fist;
        p.put_hand(0, 0.05, 0.26);
        stand(f, p, kAt, 557);
    });
    at_booth(17, kAt, false, 0.95, [&](Image& f) {
        Pose p = walking(L, 3, -1, Held::Handbag);
        stand(f, p, kAt, 543);
    });
    return sheet;
}

namespace {

// ---------------------------------------------------------------------------
// Figure 15: walks to the right with his stick; may sit down on the shelter
// bench for a while, or stand still, leaning on the stick. He sits with the
// frames drawn 17 rows higher, his soles on the shelter's floor.
Image sheet_fig15() {
    const Look& L = look_of(15);
    Image sheet(944, 74);
    std::vector<std::pair<int, int>> xs = {{0, 48}, {49, 56}, {106, 56}, {163, 64}};
    for (int e = 4; e <= 14; ++e) xs.push_back({228 + 65 * (e - 4), 64});
    auto fr = frames_on_row(xs, 74);
    const double a0 = 18, step = 20;
    auto with_stick = [&](Pose p, double forward = 22) {
        p.hold[0] = Held::Stick;
        p.arm[0] = {forward, 18};
        return p;
    };
    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[k], [&](Image& f) {
            Pose p = with_stick(walking(L, k, 1), 16 + 8 * ((k & 1) == 0));
            p.lean = 7;
            person(f, L, p, walk_anchor(a0, step, k, 1));
        });

    // Seated: he came in with x += 20 after a run, and stands up with x += 10
    const double seat = a0 + 5;
    auto seated = [&](double lean, int look, double nod, bool blink, int mouth) {
        Pose p = sit_pose(1);
        p.hold[0] = Held::Stick;
        p.put_hand(0, 0.22, 0.28);
        p.arm[1] = {30, 60};
        p.lean = lean, p.look = look, p.nod = nod, p.blink = blink, p.mouth = mouth;
        return p;
    };
    const struct {
        double lean;
        int look;
        double nod;
        bool blink;
        int mouth;
    } sit[8] = {{6, 0, 6, false, 0},  {-2, 0, 0, false, 0}, {-2, 1, 0, false, 0}, {0, 0, 22, true, 0},
                {-2, 0, 0, true, 0},  {-2, 1, 0, false, 1}, {2, 0, 10, false, 0}, {-2, 0, -6, false, 0}};
    for (int k = 0; k < 8; ++k)
        paint_frame(sheet, fr[4 + k], [&](Image& f) {
            const auto& s = sit[k];
            person(f, L, seated(s.lean, s.look, s.nod, s.blink, s.mouth), seat);
        });

    // 12 to 14: standing still, both hands on the stick
    const double still = a0 + 2;
    for (int k = 0; k < 3; ++k)
        paint_frame(sheet, fr[12 + k], [&](Image& f) {
            Pose p = stand_pose(1);
            p.hold[0] = Held::Stick;
            p.put_hand(0, 0.17, 0.34);
            p.hold[1] = Held::Fist;
            p.put_hand(1, 0.15, 0.32);
            p.lean = 6;
            p.look = k == 1;
            p.nod = k == 2 ? 16 : 0;
            p.blink = k == 2;
            person(f, L, p, still);
        });
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 20: stands with its back to the street, hood up, then walks off to
// the nearer side. The standing frames are one row shorter: the soles stay
// on their bottom row, one row above the walking frames'.
Image sheet_fig20(bool night) {
    const Look& L = look_of(20);
    Image sheet(720, 76);
    std::vector<FrameRect> fr = frames_on_row({{0, 56}, {57, 56}, {114, 48}, {163, 48}, {212, 48}, {261, 48}, {310, 56}, {367, 56}}, 76);
    for (auto [x, w] : std::vector<std::pair<int, int>>{{424, 48}, {473, 48}, {522, 46}, {571, 48}, {620, 48}, {669, 48}})
        fr.push_back({x, 0, w, 75});
    const double stand_at = 24, step = 19;
    for (int k = 0; k < 4; ++k) {
        paint_frame(sheet, fr[k], [&](Image& f) {
            Pose p = walking(L, k, -1, Held::Pocket, Held::Pocket);
            person(f, L, p, walk_anchor(stand_at + 5, step, k, -1));
        });
        paint_frame(sheet, fr[4 + k], [&](Image& f) {
            Pose p = walking(L, k, 1, Held::Pocket, Held::Pocket);
            person(f, L, p, walk_anchor(stand_at - 5, step, k, 1));
        });
    }
    const struct {
        int look;
        double lean, nod, left, right;
    } still[6] = {{0, 0, 0, 2.5, 2.5}, {-1, 0, 0, 2.5, 2.5}, {1, 0, 4, 1.5, 3.5},
                  {0, 2, 10, 2.5, 2.5}, {0, -2, -4, 3.5, 1.5}, {-1, 0, 6, 2.5, 2.5}};
    for (int k = 0; k < 6; ++k)
        paint_frame(sheet, fr[8 + k], [&](Image& f) {
            Pose p = front_pose();
            p.view = View::Back;
            const auto& s = still[k];
            p.look = s.look, p.lean = s.lean, p.nod = s.nod;
            p.leg[0] = {s.left, 0};
            p.leg[1] = {s.right, 0};
            p.hold[0] = p.hold[1] = Held::Pocket;
            p.arm[0] = p.arm[1] = {10, 28};
            person(f, L, p, fr[8 + k].w / 2.0);
        });
    if (night) night_light(sheet, {0, 0, sheet.w, sheet.h});
    return sheet;
}

}  // namespace
}  // namespace day

void add_day_passer_sheets(std::vector<Picture>& out) {
    // The booth in the caller's pictures is the one in the day picture.
    Image street_day;
    for (const Picture& p : out)
        if (p.name == "HG01_01_01") street_day = p.img;
    if (street_day.w == 0) street_day = street::paint(false, false);

    out.push_back({"FIG11_T00", "people", day::sheet_fig11(), BmpFormat::Rle8});
    out.push_back({"FIG14_T00", "people", day::sheet_fig14(true, street_day), BmpFormat::Rle8});
    out.push_back({"FIG14_T01", "people", day::sheet_fig14(false, street_day), BmpFormat::Rle8});
    out.push_back({"FIG15_T00", "people", day::sheet_fig15(), BmpFormat::Rle8});
    out.push_back({"FIG20_T00", "people", day::sheet_fig20(false), BmpFormat::Rle8});
    out.push_back({"FIG20_N00", "people", day::sheet_fig20(true), BmpFormat::Rle8});
    out.push_back({"FIG24_T00", "people", day::sheet_fig24(), BmpFormat::Rle8});
    out.push_back({"FIG25_T00", "people", day::sheet_fig25(), BmpFormat::Rle8});
    out.push_back({"FIG29_T00", "people", day::sheet_fig29(), BmpFormat::Rle8});
    out.push_back({"FIG30_T00", "people", day::sheet_fig30(), BmpFormat::Rle8});
    out.push_back({"FIG34_T00", "people", day::sheet_fig34(), BmpFormat::Rle8});
}

}  // namespace art::figures
