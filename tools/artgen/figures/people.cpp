// The sheets of the persons in front of the shelter (figures 1 to 9) and the
// faces of everybody who can ride the bus.
//
// Every frame stands at the rectangle the figure's script reads from its
// frame table, and shows what the script is doing while it shows that frame.
// Frames drawn one after another at the same script position keep the
// figure where it was; where the script moves the figure only at the end of
// a run, the figure walks on inside its frames (see walk_anchor).
#include <cmath>
#include <cstdio>

#include "figures/cast.h"
#include "figures/figures.h"
#include "figures/person.h"
#include "figures/person_faces.h"
#include "figures/person_paint.h"
#include "figures/person_sheet.h"
#include "scenes/street.h"

namespace art::figures {

namespace {

using paint::operator+;

std::string name2(const char* pattern, int a, int b = 0) {
    char buf[32];
    std::snprintf(buf, sizeof buf, pattern, a, b);
    return buf;
}

const Look& look_of(int id) { return cast(id)->person[0]; }

// A walking frame: four-frame cycle, a stride that reads at this size, and
// less swing for an arm that carries something heavy.
Pose walking(const Look& L, int k, int facing, Held near_hand = Held::None, Held far_hand = Held::None) {
    Pose p = walk_pose(k, facing, 0.2 * L.height, L.height);
    p.hold[0] = near_hand;
    p.hold[1] = far_hand;
    for (int i = 0; i < 2; ++i) {
        Held h = p.hold[i];
        if (h == Held::Briefcase || h == Held::ShoppingBag || h == Held::Handbag || h == Held::Basket) {
            p.arm[i].swing *= 0.35;
            p.arm[i].bend = 4;
        }
    }
    return p;
}

Pose standing_front(Held left = Held::None, Held right = Held::None, int look = 0) {
    Pose p = front_pose();
    p.hold[0] = left;
    p.hold[1] = right;
    p.look = look;
    return p;
}

// Hands in the jacket's pockets, seen from the front.
void pockets(Pose& p, int i) {
    p.hold[i] = Held::Pocket;
    p.arm[i] = {10, 28};
}

void person(Image& frame, const Look& L, const Pose& p, double ax) { paint_person(frame, L, p, ax, frame.h - 1); }

// ---------------------------------------------------------------------------
// Figure 1: walks in from the right and waits for the bus.
Image sheet_fig01() {
    const Look& L = look_of(1);
    Image sheet(432, 72);
    auto fr = frames_on_row({{0, 56}, {57, 56}, {114, 48}, {163, 40}, {204, 56}, {261, 56}, {318, 56}, {375, 56}}, 72);
    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[k], [&](Image& f) {
            person(f, L, walking(L, k, -1, Held::Briefcase), walk_anchor(30, 16, k, -1));
        });
    // waiting: 21 pixels left of the last step's start, so the hip stays put
    const double wait = 35;
    paint_frame(sheet, fr[4], [&](Image& f) { person(f, L, standing_front(Held::Briefcase, Held::None, 1), wait); });
    paint_frame(sheet, fr[5], [&](Image& f) { person(f, L, standing_front(Held::Briefcase, Held::None, 0), wait); });
    paint_frame(sheet, fr[6], [&](Image& f) {
        Pose p = standing_front(Held::Briefcase, Held::Watch);
        p.put_hand(1, -0.01, 0.17);
        p.nod = 20;
        person(f, L, p, wait);
    });
    // also the picture it shows while it steps down to the bus door
    paint_frame(sheet, fr[7], [&](Image& f) {
        Pose p = stand_pose(-1);
        p.leg[0] = {9, 4};
        p.leg[1] = {-6, 8};
        p.toe[1] = 10;
        p.hold[0] = Held::Briefcase;
        person(f, L, p, wait);
    });
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 2: walks right, stops, takes an apple from his bag, eats it, walks on.
Image sheet_fig02() {
    const Look& L = look_of(2);
    Image sheet(2392, 74);
    auto fr = frames_on_row({{0, 88},     {89, 96},    {186, 104},  {291, 112},  {404, 120},  {525, 120},  {646, 120},
                             {767, 120},  {888, 120},  {1009, 120}, {1130, 120}, {1251, 120}, {1372, 120}, {1493, 120},
                             {1614, 120}, {1735, 120}, {1856, 120}, {1977, 120}, {2106, 128}, {2243, 136}},
                            74);
    const double a0 = 34, stop = a0 + 29;
    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[k], [&](Image& f) { person(f, L, walking(L, k, 1, Held::ShoppingBag), walk_anchor(a0, 29, k, 1)); });
    auto front = [&](int look, double hx, double hy, Held apple, int mouth, double nod = 0) {
        Pose p = standing_front(Held::None, Held::ShoppingBag, look);
        p.arm[1] = {6, 14};
        if (apple != Held::None) {
            p.hold[0] = apple;
            p.put_hand(0, hx, hy);
        }
        p.mouth = mouth;
        p.nod = nod;
        return p;
    };
    paint_frame(sheet, fr[4], [&](Image& f) {
        Pose p = stand_pose(1);
        p.hold[0] = Held::ShoppingBag;
        person(f, L, p, stop);
    });
    paint_frame(sheet, fr[5], [&](Image& f) {
        Pose p = turn_pose(1, 1);
        p.hold[1] = Held::ShoppingBag;
        person(f, L, p, stop);
    });
    // reaches into the bag
    paint_frame(sheet, fr[6], [&](Image& f) {
        Pose p = front(0, 0.0, 0, Held::None, 0, 25);
        p.arm[1] = {14, 46};
        p.put_hand(0, 0.07, 0.3);
        person(f, L, p, stop);
    });
    paint_frame(sheet, fr[7], [&](Image& f) { person(f, L, front(0, -0.02, 0.15, Held::Apple, 0, 18), stop); });
    // polishes it on his jacket
    paint_frame(sheet, fr[8], [&](Image& f) { person(f, L, front(0, 0.04, 0.2, Held::Apple, 0, 12), stop); });
    paint_frame(sheet, fr[9], [&](Image& f) { person(f, L, front(0, -0.015, 0.0, Held::Apple, 1), stop); });
    paint_frame(sheet, fr[10], [&](Image& f) { person(f, L, front(0, -0.01, -0.015, Held::AppleBitten, 0), stop); });
    paint_frame(sheet, fr[11], [&](Image& f) { person(f, L, front(0, -0.03, 0.14, Held::AppleBitten, 2), stop); });
    paint_frame(sheet, fr[12], [&](Image& f) { person(f, L, front(0, -0.04, 0.17, Held::AppleBitten, 2), stop); });
    paint_frame(sheet, fr[13], [&](Image& f) { person(f, L, front(0, -0.04, 0.17, Held::AppleBitten, 0), stop); });
    paint_frame(sheet, fr[14], [&](Image& f) { person(f, L, front(1, -0.06, 0.24, Held::AppleBitten, 2), stop); });
    paint_frame(sheet, fr[15], [&](Image& f) { person(f, L, front(0, -0.025, 0.08, Held::AppleBitten, 0), stop); });
    paint_frame(sheet, fr[16], [&](Image& f) { person(f, L, front(-1, -0.06, 0.24, Held::AppleBitten, 0), stop); });
    // walks on, the apple in his far hand
    for (int k = 0; k < 3; ++k)
        paint_frame(sheet, fr[17 + k], [&](Image& f) {
            person(f, L, walking(L, k, 1, Held::ShoppingBag, Held::AppleBitten), stop + 7.25 * (k + 1));
        });
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 3: strolls up and down in front of the shelter, by day and at night.
Image sheet_fig03(bool night) {
    const Look& L = look_of(3);
    Image sheet(1288, 76);
    std::vector<std::pair<int, int>> xw = {{0, 40}, {41, 48}, {90, 48}, {139, 56}};
    for (int x : {196, 237, 286, 335, 376, 417, 466, 507, 548, 589, 630, 671, 712, 753, 794, 835, 876, 917, 958, 999})
        xw.push_back({x, 40});
    for (auto e : std::vector<std::pair<int, int>>{{1040, 48}, {1089, 56}, {1146, 48}, {1195, 48}, {1244, 40}}) xw.push_back(e);
    auto fr = frames_on_row(xw, 76);
    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[k], [&](Image& f) { person(f, L, walking(L, k, 1), walk_anchor(17, 21, k, 1)); });
    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[25 + k], [&](Image& f) { person(f, L, walking(L, k, -1), walk_anchor(32, 21, k, -1)); });
    const double st = 21;
    auto pk = [&](int look) {
        Pose p = standing_front(Held::None, Held::None, look);
        pockets(p, 0);
        pockets(p, 1);
        return p;
    };
    auto watch = [&](double nod) {
        Pose p = standing_front();
        p.hold[1] = Held::Watch;
        p.put_hand(1, -0.015, 0.17);
        p.nod = nod;
        return p;
    };
    auto crossed = [&](int look) {
        Pose p = standing_front(Held::None, Held::None, look);
        p.put_hand(0, 0.05, 0.17);
        p.put_hand(1, -0.05, 0.18);
        return p;
    };
    std::vector<Pose> idle;
    idle.push_back(stand_pose(1));                  // 4: stops
    idle.push_back(turn_pose(1, 1));                // 5: turns to the street
    idle.push_back(pk(0));                          // 6
    idle.push_back(pk(1));                          // 7: looks for the bus
    { Pose p = pk(1); p.blink = true; idle.push_back(p); }
    idle.push_back(pk(-1));                         // 9
    idle.push_back(watch(18));                      // 10: the time
    idle.push_back(watch(24));
    idle.push_back(standing_front());               // 12
    { Pose p = standing_front(); p.put_hand(0, -0.045, -0.1); p.nod = -5; idle.push_back(p); }  // 13: scratches his head
    idle.push_back(pk(0));                          // 14
    { Pose p = standing_front(); p.put_hand(0, -0.01, -0.05); p.mouth = 1; p.blink = true; idle.push_back(p); }  // 15: yawns
    idle.push_back(pk(1));                          // 16
    { Pose p = stand_pose(1); p.hold[0] = Held::Pocket; p.arm[0] = {4, 30}; idle.push_back(p); }  // 17
    idle.push_back(crossed(0));                     // 18
    idle.push_back(crossed(-1));                    // 19
    { Pose p = pk(0); p.leg[1] = {3, 40}; idle.push_back(p); }  // 20: stamps a foot
    idle.push_back(pk(0));                          // 21
    idle.push_back(pk(1));                          // 22
    idle.push_back(standing_front());               // 23
    idle.push_back(stand_pose(-1));                 // 24: turns to walk back
    for (int k = 0; k < 21; ++k)
        paint_frame(sheet, fr[4 + k], [&](Image& f) { person(f, L, idle[k], k == 20 ? 26 : st); });
    if (night) night_light(sheet, {0, 0, sheet.w, sheet.h});
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 4: a woman walking her dog from the left; the dog barks while she
// pauses. Variant 0 is her winter dress.
Image sheet_fig04(bool winter) {
    Look L = look_of(4);
    if (winter) {
        // a long red wool coat, white hat and scarf, dark boots
        L = winter_dress(L);
        L.top = Top::LongCoat;
        L.top_tone = {ramp::cloth_red, 2.2};
        L.hat_tone = {ramp::grey, 7.2};
        L.scarf_tone = {ramp::grey, 7.2};
        L.bottom_tone = {ramp::dusk, 1.6};
        L.shoe_tone = {ramp::dusk, 1.0};
    }
    const Animal dog = cast(4)->animal;
    Image sheet(1192, 84);
    auto fr = frames_on_row({{0, 128}, {129, 128}, {258, 136}, {395, 136}, {532, 136}, {669, 128}, {798, 128}, {927, 120}, {1048, 136}}, 84);
    const double a0 = 30, gap = 58;
    auto leash = [&](Image& f, const Rig& r, const DogRig& d) {
        // a lead sagging between her hand and the dog's collar
        Pt a = r.hand[0], b = d.collar;
        uint8_t c = ramp::cloth_red(1);
        int n = int(std::abs(b.x - a.x)) + 2;
        for (int s = 0; s <= n; ++s) {
            double t = double(s) / n;
            double sag = 4.0 * t * (1 - t) * 3.0;
            f.set(int(std::floor(a.x + (b.x - a.x) * t)), int(std::floor(a.y + (b.y - a.y) * t + sag)), c);
        }
    };
    auto frame = [&](int idx, const Pose& p, double ax, DogPose dp, double dx) {
        paint_frame(sheet, fr[idx], [&](Image& f) {
            DogRig d = paint_dog(f, dog, dp, ax + dx, f.h - 1, 1);
            Rig r = paint_person(f, L, p, ax, f.h - 1);
            leash(f, r, d);
        });
    };
    const DogPose trot[4] = {DogPose::Trot0, DogPose::Trot1, DogPose::Trot2, DogPose::Trot3};
    for (int k = 0; k < 4; ++k) {
        Pose p = walking(L, k, 1, Held::Fist, winter ? Held::None : Held::Handbag);
        p.arm[0] = {28, 8};
        frame(k, p, walk_anchor(a0, 14, k, 1), trot[k], gap);
    }
    auto pause = [&](double reach, double lean) {
        Pose p = stand_pose(1);
        p.hold[0] = Held::Fist;
        p.hold[1] = winter ? Held::None : Held::Handbag;
        p.arm[0] = {reach, 6};
        p.lean = lean;
        return p;
    };
    frame(4, pause(24, 0), a0, DogPose::Stand, gap);
    frame(5, pause(26, 0), a0, DogPose::Bark, gap);
    { Pose p = pause(26, 0); p.look = 1; frame(6, p, a0, DogPose::BarkHigh, gap); }
    frame(7, pause(22, 0), a0, DogPose::Sniff, gap - 2);
    { Pose p = pause(44, -4); p.leg[0] = {8, 2}; p.leg[1] = {-8, 4}; frame(8, p, a0, DogPose::Jump, gap + 4); }
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 5: walks in from the left, drops his empty can at the shelter and
// waits for the bus. Entry 9 is the can lying on the pavement.
Image sheet_fig05() {
    const Look& L = look_of(5);
    Image sheet(656, 71);
    std::vector<FrameRect> fr = {{0, 0, 32, 69}, {33, 0, 40, 69}, {74, 0, 48, 69}, {123, 0, 56, 69},
                                 {180, 0, 48, 71}, {229, 0, 48, 71}, {278, 0, 48, 71}, {327, 0, 48, 71},
                                 {376, 0, 48, 71}, {425, 0, 8, 71}};
    // All frames are drawn at the same y, the walk 69 rows high and the rest
    // 71: he stands on row 68 in every one, and so does the can he drops.
    const int ground = 68;
    auto stand = [&](Image& f, const FrameRect& r, const Pose& p, double ax) {
        paint_person(f, L, p, ax, ground_row(r, ground));
    };
    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[k], [&](Image& f) { stand(f, fr[k], walking(L, k, 1, Held::Can), walk_anchor(14, 21, k, 1)); });
    const double w = 23;
    paint_frame(sheet, fr[4], [&](Image& f) {
        Pose p = stand_pose(1);
        p.arm[0] = {38, 4};
        p.nod = 25;
        stand(f, fr[4], p, w);
    });
    paint_frame(sheet, fr[5], [&](Image& f) {
        Pose p = standing_front();
        pockets(p, 0), pockets(p, 1);
        stand(f, fr[5], p, w);
    });
    // also shown while he steps down to the bus
    paint_frame(sheet, fr[6], [&](Image& f) { stand(f, fr[6], stand_pose(1), w); });
    paint_frame(sheet, fr[7], [&](Image& f) {
        Pose p = standing_front(Held::None, Held::None, 1);
        pockets(p, 0), pockets(p, 1);
        stand(f, fr[7], p, w);
    });
    paint_frame(sheet, fr[8], [&](Image& f) { stand(f, fr[8], standing_front(Held::None, Held::None, -1), w); });
    paint_frame(sheet, fr[9], [&](Image& f) { paint_litter_can(f, ground_row(fr[9], ground)); });
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 6: walks into the telephone booth, phones, comes out, walks back.
// Variant 1 stands in front of the street's own booth; variant 0 (for the
// other streets) brings a booth of its own.
Image sheet_fig06(bool own_booth, const Image& street_day) {
    const Look& L = look_of(6);
    Image sheet(1376, 115);
    auto fr = frames_on_row({{0, 40},     {41, 40},    {82, 48},   {131, 48},  {180, 128}, {309, 128},
                             {438, 128},  {567, 128},  {696, 88},  {785, 88},  {874, 88},  {963, 88},
                             {1052, 128}, {1181, 48},  {1230, 48}, {1279, 48}, {1328, 48}},
                            115);
    const Image booth_pic = own_booth ? booth::own_booth(street_day.w, street_day.h) : Image();
    const Image& pic = own_booth ? booth_pic : street_day;
    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[k], [&](Image& f) { person(f, L, walking(L, k, 1), walk_anchor(19, 12, k, 1)); });
    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[13 + k], [&](Image& f) { person(f, L, walking(L, k, -1), walk_anchor(30, 12, k, -1)); });
    // At the booth the frames lie at stage (504, y - 11) and (542, y - 11),
    // with y = 358 - 115 - 194: picture rows 340 to 454.
    const int top = 358 - 115 - 194 - 11 + 302;
    const Rect wide{504, top, 128, 115}, inner{542, top, 88, 115};
    auto at_booth = [&](int idx, const Rect& at, bool inside, double door, const std::function<void(Image&)>& who) {
        Image img = booth::compose(pic, at, who, inside, door, own_booth);
        paint_frame(sheet, fr[idx], [&](Image& f) { f.paste(img, 0, 0); });
    };
    const int floor_row = booth::kFloor + 1 - top;  // she stands on the booth's base
    auto stand_at = [&](Image& f, const Pose& p, double picture_x, int ground) {
        paint_person(f, L, p, picture_x - wide.x, ground);
    };
    // 4: arrives at the booth's door (its left half); 5: pulls the door open
    // by the handle; 6: steps in; 7: the door shuts behind her. Each is shown
    // for one tick, so the steps between them stay short.
    at_booth(4, wide, false, 0, [&](Image& f) { stand_at(f, walking(L, 0, 1), 530, f.h - 1); });
    at_booth(5, wide, false, 0.45, [&](Image& f) {
        Pose p = stand_pose(1);
        p.put_hand(0, 0.2, 0.22);
        stand_at(f, p, 532, f.h - 1);
    });
    at_booth(6, wide, true, 0.9, [&](Image& f) {
        Pose p = front_pose();
        p.view = View::Back;
        stand_at(f, p, 552, floor_row - 2);
    });
    at_booth(7, wide, true, 0.25, [&](Image& f) {
        Pose p = stand_pose(1);
        p.put_hand(0, 0.12, 0.05);
        stand_at(f, p, 563, floor_row - 2);
    });
    // 8 to 11: on the phone, seen through the glass; the cord runs to the set
    auto call = [&](int idx, Pose p) {
        at_booth(idx, inner, true, 0, [&](Image& f) {
            Rig r = paint_person(f, L, p, 566 - 542, floor_row - 2);
            Pt a = r.head + Pt{2.0, r.head_ry * 1.9};
            Pt b{598.0 - 542, 392.0 - top};
            int n = int(std::max(std::abs(b.x - a.x), std::abs(b.y - a.y))) + 1;
            for (int s = 0; s <= n; ++s) {
                double t = double(s) / n;
                double wig = ((s / 2) % 2) ? 0.8 : -0.4;
                f.set(int(a.x + (b.x - a.x) * t), int(a.y + (b.y - a.y) * t + 2.5 * std::sin(t * 3.14159) + wig), ramp::grey(1));
            }
        });
    };
    {
        Pose p = stand_pose(1);
        p.hold[0] = Held::Receiver;
        p.put_hand(0, 0.01, -0.055);
        call(8, p);
        p.mouth = 1;
        p.put_hand(1, 0.12, 0.12);
        p.arm[1] = {30, 60};
        call(9, p);
        Pose q = stand_pose(1);
        q.hold[0] = Held::Receiver;
        q.put_hand(0, 0.01, -0.055);
        q.lean = -4;
        q.mouth = 1;
        q.blink = true;
        q.leg[0] = {-4, 2}, q.leg[1] = {8, 2};
        call(10, q);
        Pose r = stand_pose(1);
        r.hold[0] = Held::Receiver;
        r.put_hand(0, 0.01, -0.055);
        r.hold[1] = Held::Pocket;
        r.arm[1] = {-6, 30};
        r.nod = 12;
        call(11, r);
    }
    // 12: out again, the door swinging shut behind her
    at_booth(12, wide, false, 0.35, [&](Image& f) { stand_at(f, walking(L, 3, -1), 548, f.h - 1); });
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 7: crosses the whole street from the right.
Image sheet_fig07() {
    const Look& L = look_of(7);
    Image sheet(656, 77);
    auto fr = frames_on_row({{0, 56}, {57, 56}, {114, 56}, {171, 56}}, 77);
    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[k], [&](Image& f) { person(f, L, walking(L, k, -1, Held::Handbag), walk_anchor(34, 14, k, -1)); });
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 8: walks in from the right and reads his paper while he waits.
Image sheet_fig08() {
    const Look& L = look_of(8);
    Image sheet(688, 82);
    auto fr = frames_on_row({{0, 64}, {65, 64}, {130, 56}, {187, 56}, {244, 88}, {333, 88}, {422, 88}, {511, 88}, {600, 88}}, 82);
    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[k], [&](Image& f) { person(f, L, walking(L, k, -1, Held::Newspaper), walk_anchor(36, 13, k, -1)); });
    // 40 pixels left of the last step's start: the wait frames stand 27 further in
    const double w = 36 + 27;
    auto reading = [&](double hl, double hr, double nod) {
        Pose p = standing_front();
        p.hold[0] = Held::NewspaperOpen;
        p.put_hand(0, -0.13, hl);
        p.put_hand(1, 0.13, hr);
        p.nod = nod;
        return p;
    };
    paint_frame(sheet, fr[4], [&](Image& f) {
        Pose p = standing_front(Held::Newspaper);
        p.put_hand(0, 0.0, 0.17);
        p.nod = 15;
        person(f, L, p, w);
    });
    paint_frame(sheet, fr[5], [&](Image& f) { person(f, L, reading(0.1, 0.1, 10), w); });
    paint_frame(sheet, fr[6], [&](Image& f) { person(f, L, reading(0.11, 0.11, 20), w); });
    paint_frame(sheet, fr[7], [&](Image& f) { person(f, L, reading(0.12, 0.07, 12), w); });
    paint_frame(sheet, fr[8], [&](Image& f) {
        Pose p = standing_front(Held::Newspaper, Held::None, 1);
        p.put_hand(0, -0.03, 0.2);
        person(f, L, p, w);
    });
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 9: walks in from the right, eats a banana, throws the peel away and
// waits for the bus. Entry 15 is the peel on the pavement.
Image sheet_fig09() {
    const Look& L = look_of(9);
    Image sheet(944, 70);
    auto fr = frames_on_row({{0, 64},   {65, 64},  {130, 56}, {187, 56}, {244, 56}, {301, 56}, {358, 56}, {415, 48},
                             {464, 56}, {521, 56}, {578, 56}, {635, 56}, {692, 72}, {765, 72}, {838, 72}},
                            70);
    fr.push_back({911, 0, 32, 18});
    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[k], [&](Image& f) { person(f, L, walking(L, k, -1), walk_anchor(36, 15, k, -1)); });
    // 4 to 7 are not played by the script; they show her getting the banana out
    const double e = 32;
    paint_frame(sheet, fr[4], [&](Image& f) { person(f, L, stand_pose(-1), 30); });
    paint_frame(sheet, fr[5], [&](Image& f) { person(f, L, turn_pose(-1, -1), 30); });
    paint_frame(sheet, fr[6], [&](Image& f) {
        Pose p = standing_front(Held::Banana);
        p.put_hand(0, -0.06, 0.3);
        person(f, L, p, 30);
    });
    paint_frame(sheet, fr[7], [&](Image& f) {
        Pose p = standing_front(Held::Banana);
        p.put_hand(0, -0.02, 0.16);
        person(f, L, p, 26);
    });
    // 8 to 11: peels and eats (the rustling sound plays here)
    auto eat = [&](Held h, double hx, double hy, int mouth, double nod, bool second_hand) {
        Pose p = standing_front(h);
        p.put_hand(0, hx, hy);
        if (second_hand) p.put_hand(1, hx + 0.035, hy + 0.01);
        p.mouth = mouth;
        p.nod = nod;
        return p;
    };
    paint_frame(sheet, fr[8], [&](Image& f) { person(f, L, eat(Held::Banana, -0.03, 0.14, 0, 15, false), e); });
    paint_frame(sheet, fr[9], [&](Image& f) { person(f, L, eat(Held::BananaOpen, -0.02, 0.15, 0, 18, true), e); });
    paint_frame(sheet, fr[10], [&](Image& f) { person(f, L, eat(Held::BananaOpen, -0.005, 0.02, 1, 0, false), e); });
    paint_frame(sheet, fr[11], [&](Image& f) { person(f, L, eat(Held::BananaOpen, -0.035, 0.15, 2, 0, false), e); });
    // 12: throws the peel to the left; 13 and 14 (14 pixels further left in
    // the script) wait, still chewing
    paint_frame(sheet, fr[12], [&](Image& f) {
        Pose p = stand_pose(-1);
        p.hold[0] = Held::Peel;
        p.arm[0] = {105, 10};
        p.arm[1] = {-20, 10};
        p.lean = -3;
        p.leg[0] = {10, 3};
        p.leg[1] = {-6, 6};
        person(f, L, p, e + 4);
    });
    paint_frame(sheet, fr[13], [&](Image& f) {
        Pose p = standing_front();
        p.mouth = 2;
        person(f, L, p, e + 14);
    });
    paint_frame(sheet, fr[14], [&](Image& f) {
        Pose p = standing_front(Held::None, Held::None, 1);
        person(f, L, p, e + 14);
    });
    paint_frame(sheet, fr[15], [&](Image& f) { paint_litter_peel(f); });
    return sheet;
}

}  // namespace

void add_person_sheets(std::vector<Picture>& out) {
    // The telephone booth of figure 6 is the one in the day picture.
    Image street_day;
    for (const Picture& p : out)
        if (p.name == "HG01_01_01") street_day = p.img;
    if (street_day.w == 0) street_day = street::paint(false, false);

    for (int id = 1; id <= 23; ++id) {
        if (!cast(id)) continue;
        out.push_back({name2("BUS_TF%02d", id), "faces", paint_face(id, false), BmpFormat::Raw8});
    }
    for (int id = 1; id <= 23; ++id) {
        if (!cast(id)) continue;
        out.push_back({name2("BUS_NF%02d", id), "faces", paint_face(id, true), BmpFormat::Raw8});
    }
    out.push_back({"FIG01_T00", "people", sheet_fig01(), BmpFormat::Rle8});
    out.push_back({"FIG02_T00", "people", sheet_fig02(), BmpFormat::Rle8});
    out.push_back({"FIG03_T00", "people", sheet_fig03(false), BmpFormat::Rle8});
    out.push_back({"FIG03_N00", "people", sheet_fig03(true), BmpFormat::Rle8});
    out.push_back({"FIG04_T00", "people", sheet_fig04(true), BmpFormat::Rle8});
    out.push_back({"FIG04_T01", "people", sheet_fig04(false), BmpFormat::Rle8});
    out.push_back({"FIG05_T00", "people", sheet_fig05(), BmpFormat::Rle8});
    out.push_back({"FIG06_T00", "people", sheet_fig06(true, street_day), BmpFormat::Rle8});
    out.push_back({"FIG06_T01", "people", sheet_fig06(false, street_day), BmpFormat::Rle8});
    out.push_back({"FIG07_T00", "people", sheet_fig07(), BmpFormat::Rle8});
    out.push_back({"FIG08_T00", "people", sheet_fig08(), BmpFormat::Rle8});
    out.push_back({"FIG09_T00", "people", sheet_fig09(), BmpFormat::Rle8});
}

}  // namespace art::figures
