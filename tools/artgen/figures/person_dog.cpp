// The dog, and the street-lamp light that makes night sheets of day figures.
#include <algorithm>
#include <cmath>

#include "figures/person.h"
#include "figures/person_paint.h"

namespace art::figures {

using namespace paint;

namespace {

struct Coat {
    Mat base, patch;
    bool saddle, head_patch;
    uint8_t nose;
};

Coat coat_of(Animal a) {
    if (a == Animal::Mongrel)
        return {{ramp::wood, 3.4, 1.4}, {ramp::dusk, 1.2, 1.2}, true, false, ramp::grey(0)};
    return {{ramp::grey, 7.0, 1.6}, {ramp::wood, 3.0, 1.3}, true, true, ramp::grey(0)};
}

}  // namespace

DogRig paint_dog(Image& img, Animal kind, DogPose pose, double x, int ground, int facing) {
    Canvas cv(img.w, img.h);
    const Coat c = coat_of(kind);
    const double f = facing;
    const double gy = ground + 1.0;  // bottom edge of the ground row
    // body frame: ox along the back (forward +), oy up from the ground
    double pitch = 0, head_up = 0, head_fwd = 0, mouth = 0, tail_up = 1.0, drop = 0;
    double leg_a[4] = {0, 0, 0, 0};  // front near, front far, hind near, hind far: degrees forward
    bool sit = false, jump = false;
    switch (pose) {
    case DogPose::Trot0: leg_a[0] = 22, leg_a[1] = -14, leg_a[2] = -18, leg_a[3] = 16; break;
    case DogPose::Trot1: leg_a[0] = 4, leg_a[1] = 6, leg_a[2] = -2, leg_a[3] = 2, drop = -0.6; break;
    case DogPose::Trot2: leg_a[0] = -14, leg_a[1] = 22, leg_a[2] = 16, leg_a[3] = -18; break;
    case DogPose::Trot3: leg_a[0] = 6, leg_a[1] = 4, leg_a[2] = 2, leg_a[3] = -2, drop = -0.6; break;
    case DogPose::Stand: leg_a[0] = 3, leg_a[1] = -2, leg_a[2] = -3, leg_a[3] = 2; break;
    case DogPose::Bark: head_up = 2.0, mouth = 1, leg_a[0] = 8, leg_a[1] = 2, leg_a[2] = -8, leg_a[3] = -4, tail_up = 1.3; break;
    case DogPose::BarkHigh: head_up = 3.5, head_fwd = 0.5, mouth = 1.4, pitch = -7, leg_a[0] = 20, leg_a[1] = 12, leg_a[2] = -10, leg_a[3] = -6, tail_up = 1.4; break;
    case DogPose::Sit: sit = true, head_up = 1.0, tail_up = 0.2; break;
    case DogPose::Sniff: head_up = -5.0, head_fwd = 1.5, leg_a[0] = 4, leg_a[1] = 0, leg_a[2] = -3, leg_a[3] = 0, tail_up = 0.7; break;
    case DogPose::Jump: jump = true, pitch = -28, head_up = 2, mouth = 1, tail_up = 1.2; break;
    }
    const double leg_len = 8.5, body_h = 11.5 + drop;
    auto P = [&](double ox, double oy) {
        double cp = std::cos(rad(pitch)), sp = std::sin(rad(pitch));
        // pitch raises the front (negative pitch lifts the head end)
        double rx = ox * cp, ry = oy - ox * sp;
        return Pt{x + f * rx, gy - ry};
    };
    uint8_t id;
    Pt rump = P(-8, body_h + 0.5), chest = P(6.5, body_h + 1.0);
    if (sit) rump = Pt{x - f * 6, gy - 5.5}, chest = Pt{x + f * 4, gy - 13.5};
    if (jump) rump = Pt{x - f * 5, gy - 8.5}, chest = Pt{x + f * 6, gy - 17};
    auto paw = [&](Pt hip, double ang, double dark, double l) {
        uint8_t lid = cv.part();
        Pt knee = hip + dir(f * ang) * (l * 0.55);
        Pt foot = knee + dir(f * ang * 0.6) * (l * 0.45);
        foot.y = std::min(foot.y, gy - 0.6);
        capsule(cv, hip, knee, 1.9, 1.3, c.base, lid, dark);
        capsule(cv, knee, foot, 1.3, 1.1, c.base, lid, dark);
        ball(cv, foot + Pt{f * 0.8, -0.4}, 1.5, 1.0, c.base, lid, dark);
    };
    // far legs first
    if (sit) {
        paw(chest + Pt{f * -0.5, 2}, -2, 0.8, 10.5);
        id = cv.part();
        ball(cv, rump + Pt{f * 0.5, 1.0}, 4.8, 4.2, c.base, id, 0.7);
    } else if (jump) {
        paw(rump + Pt{0, 2}, -10, 0.8, leg_len + 1);
        uint8_t lid = cv.part();
        capsule(cv, chest + Pt{f * 1, 1}, chest + Pt{f * 5, -3}, 1.5, 1.1, c.base, lid, 0.8);
    } else {
        paw(chest + Pt{-f * 1.0, 2.0}, leg_a[1], 0.8, leg_len + drop);
        paw(rump + Pt{f * 1.0, 2.0}, leg_a[3], 0.8, leg_len + drop);
    }
    // tail
    id = cv.part();
    Pt tail0 = rump + Pt{-f * 3.2, -1.6};
    Pt tail1 = tail0 + Pt{-f * 2.2, -5.5 * tail_up};
    capsule(cv, tail0, tail1, 1.3, 0.8, c.base, id, 0.2);
    // body
    id = cv.part();
    capsule(cv, rump, chest, 4.3, 4.7, c.base, id);
    if (c.saddle) {
        Pt s0 = lerp(rump, chest, 0.25) + Pt{0, -2.2}, s1 = lerp(rump, chest, 0.7) + Pt{0, -2.4};
        capsule(cv, s0, s1, 2.4, 2.2, c.patch, id);
    }
    // near legs
    if (sit) {
        paw(chest + Pt{f * 0.5, 2}, 2, 0, 10.5);
        uint8_t lid = cv.part();
        ball(cv, rump + Pt{f * 1.5, 1.5}, 4.2, 3.8, c.base, lid, 0);
        ball(cv, Pt{rump.x + f * 3.5, gy - 1.2}, 2.2, 1.1, c.base, lid, 0);
    } else if (jump) {
        paw(rump + Pt{f * 1, 2}, 8, 0, leg_len + 1.5);
        uint8_t lid = cv.part();
        capsule(cv, chest + Pt{f * 2, 1.5}, chest + Pt{f * 6.5, -2}, 1.6, 1.2, c.base, lid, 0);
    } else {
        paw(chest + Pt{f * 0.5, 2.2}, leg_a[0], 0, leg_len + drop);
        paw(rump + Pt{f * 2.0, 2.2}, leg_a[2], 0, leg_len + drop);
    }
    // neck and head
    id = cv.part();
    Pt neck = chest + Pt{f * 2.5, -3.0};
    Pt head = neck + Pt{f * (3.0 + head_fwd), -4.5 - head_up};
    if (pose == DogPose::Sniff) head = neck + Pt{f * (4.0 + head_fwd), 2.0};
    capsule(cv, chest + Pt{f * 0.5, -1}, head, 3.2, 2.6, c.base, id);
    ball(cv, head, 3.4, 3.1, c.base, id);
    double jaw = mouth > 0 ? 0.5 + 0.35 * mouth : 0;
    Pt snout_end = head + Pt{f * 4.6, 1.2 - head_up * 0.1 - jaw * 0.8};
    capsule(cv, head + Pt{f * 1.0, 0.6}, snout_end, 2.0, 1.4, c.base, id);
    if (mouth > 0) {
        // lower jaw opens down; the gap between is dark with a pink tongue
        Pt jaw_end = head + Pt{f * 3.8, 3.0 + jaw * 1.4};
        capsule(cv, head + Pt{f * 1.0, 1.8}, jaw_end, 1.2, 0.9, c.base, id, 0.4);
        Pt gap = lerp(snout_end, jaw_end, 0.5) + Pt{-f * 1.0, 0};
        dot(cv, gap, ramp::dusk(0), id);
        dot(cv, gap + Pt{-f * 1.0, 0}, ramp::cloth_red(3), id);
    }
    dot(cv, snout_end + Pt{f * 1.0, -0.6}, c.nose, id);
    dot(cv, head + Pt{f * 1.3, -1.2}, ramp::grey(0), id);  // eye
    if (c.head_patch) {
        uint8_t eid = cv.part();
        // folded ears and a brown patch over the eye side of the head
        std::vector<Pt> ear = {head + Pt{-f * 1.8, -2.6}, head + Pt{f * 0.6, -3.4}, head + Pt{f * 0.4, -0.6}};
        blob(cv, ear, c.patch, eid, 0, 0.3);
    } else {
        uint8_t eid = cv.part();
        std::vector<Pt> ear = {head + Pt{-f * 2.2, -1.8}, head + Pt{-f * 0.2, -3.0}, head + Pt{-f * 0.4, 1.8}, head + Pt{-f * 2.0, 1.2}};
        blob(cv, ear, c.patch, eid, 0, 0.3);
    }
    // collar
    uint8_t cid = cv.part();
    Pt col = lerp(chest + Pt{f * 0.5, -1}, head, 0.35);
    seg(cv, col + Pt{-f * 1.5, -1.8}, col + Pt{f * 1.2, 2.0}, ramp::cloth_red(2), cid);
    outline(cv);
    // stand on the ground row whatever the legs are doing
    int low = -1;
    for (int yy = cv.img.h - 1; yy >= 0 && low < 0; --yy)
        for (int xx = 0; xx < cv.img.w; ++xx)
            if (cv.img.get(xx, yy) != KEY) {
                low = yy;
                break;
            }
    const int dy = low < 0 ? 0 : ground - low;
    img.paste(cv.img, 0, dy);
    const Pt d{0, double(dy)};
    return {col + d, snout_end + d, tail1 + d};
}

void night_light(Image& img, const Rect& r) {
    static uint8_t body[256], rim[256];
    static bool made = false;
    if (!made) {
        const auto& pal = palette();
        for (int i = 0; i < 256; ++i) {
            Rgb c = pal[i];
            body[i] = nearest({uint8_t(c.r * 0.3 + 4), uint8_t(c.g * 0.33 + 6), uint8_t(std::min(255.0, c.b * 0.46 + 18))});
            // faces turned to the lamps keep a little warmth
            if (ramp::skin.holds(uint8_t(i))) body[i] = nearest({uint8_t(c.r * 0.42 + 8), uint8_t(c.g * 0.36 + 6), uint8_t(c.b * 0.38 + 14)});
            rim[i] = nearest({uint8_t(std::min(255.0, c.r * 0.5 + 64)), uint8_t(std::min(255.0, c.g * 0.42 + 38)),
                              uint8_t(c.b * 0.3 + 12)});
        }
        body[KEY] = rim[KEY] = KEY;
        made = true;
    }
    Image src = img;
    for (int y = std::max(0, r.y); y < std::min(img.h, r.bottom()); ++y)
        for (int x = std::max(0, r.x); x < std::min(img.w, r.right()); ++x) {
            uint8_t c = src.get(x, y);
            if (c == KEY) continue;
            // the lamps stand high on the left: their light catches the
            // upper-left edges of the figure
            bool edge = src.get(x - 1, y) == KEY || src.get(x, y - 1) == KEY || (src.get(x - 1, y - 1) == KEY && src.get(x - 2, y) == KEY);
            img.set(x, y, edge ? rim[c] : body[c]);
        }
}

}  // namespace art::figures
