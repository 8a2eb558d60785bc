#include "figures/person_faces.h"

#include <algorithm>
#include <cmath>

#include "core/draw.h"
#include "core/rng.h"
#include "figures/cast.h"
#include "figures/person.h"
#include "figures/person_paint.h"

namespace art::figures {

namespace {

// The inside of the bus behind a passenger: ceiling and grab rail, the
// windows on the far side, and the top of a seat back.
void paint_interior(Image& img, bool night, int id) {
    const int w = img.w, h = img.h;
    Rng rng(0x5EA7 + id);
    const int pillar = 4 + rng.below(22);  // where the far side's window pillar falls
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t c;
            if (y < 2) c = night ? band(ramp::lamp, 4.4 - y, x, y) : band(ramp::cloth_beige, 4.6 - y * 0.6, x, y);
            else if (y == 3) c = night ? ramp::lamp(2) : ramp::chrome(4);  // grab rail
            else if (y < 16) {
                bool post = x >= pillar && x < pillar + 3;
                if (post) c = night ? ramp::dusk(2 - (x - pillar == 2)) : ramp::grey(3 + (x == pillar));
                else if (night) c = band(ramp::sky_night, 1.6 + (y - 4) * 0.06, x, y);
                else c = band(ramp::sky_day, 6.4 - (y - 4) * 0.12, x, y);
            } else if (y == 16) c = night ? ramp::dusk(1) : ramp::grey(4);  // far sill
            else c = night ? ramp::dusk(0) : ramp::grey(2);
            img.set(x, y, c);
        }
    if (night) {
        // street lights going by outside the far windows
        for (int k = 0; k < 3; ++k) {
            int lx = rng.below(w), ly = 5 + rng.below(8);
            if (lx >= pillar - 1 && lx < pillar + 4) continue;
            img.set(lx, ly, ramp::lamp(4));
            img.set(lx + 1, ly, ramp::lamp(3));
        }
    } else {
        // roofs and trees across the street, soft through two panes of glass
        for (int x = 0; x < w; ++x) {
            if (x >= pillar && x < pillar + 3) continue;
            int top = 11 + int(value_noise(x + id * 37, 0, 6, 71) * 4);
            for (int y = top; y < 16; ++y) img.set(x, y, band(ramp::grey_green, 4.6 - (y - top) * 0.2, x, y));
        }
    }
    // seat backs in the bus's patterned cloth, the nearest behind the passenger
    const Ramp seat = ramp::cloth_red;
    for (int y = 13; y < h; ++y)
        for (int x = 3; x < w - 3; ++x) {
            double u = (x - 15.5) / 13.0;
            if (y < 13 + int(u * u * 4)) continue;
            double pos = night ? 0.6 - std::abs(u) * 0.6 : 1.9 - u * 0.6 - (y - 13) * 0.03;
            if (((x * 3 + y * 5) % 7) == 0) pos += night ? 0.5 : 1.0;  // the fleck in the weave
            img.set(x, y, band(seat, pos, x, y));
        }
    for (int x = 3; x < w - 3; ++x) {
        double u = (x - 15.5) / 13.0;
        int y = 13 + int(u * u * 4);
        img.set(x, y, night ? seat(1) : seat(3));
    }
}

// Warm light from the ceiling lamps on a passenger at night.
Rgb lamp_lit(Rgb c, int y) {
    double k = 0.78 - y * 0.012;
    return {uint8_t(std::min(255.0, c.r * k + 18)), uint8_t(std::min(255.0, c.g * (k - 0.08) + 8)),
            uint8_t(std::min(255.0, c.b * (k - 0.22) + 4))};
}

}  // namespace

Image paint_face(int id, bool night) {
    Image img(kFaceW, kFaceH);
    paint_interior(img, night, id);
    const CastEntry* e = cast(id);
    if (!e) return img;
    Image who(kFaceW, kFaceH);
    auto sit = [&](const Look& look, double cx, int crown_row, int look_dir) {
        // seen through the window the rider sits close: a little larger than
        // in the street, so the face reads
        Look l = look;
        int H = l.age == Age::Child ? 80 : 96;
        if (e->count == 2) H = l.age == Age::Child ? 70 : 84;
        l.height = H;
        l.carry = Carry::None;
        Pose p = front_pose();
        p.look = look_dir;
        p.worn = false;
        paint_person(who, l, p, cx, crown_row + H);
    };
    const int dir = (id % 3 == 0) ? -1 : (id % 5 == 0 ? 1 : 0);
    if (e->count == 2) {
        sit(e->person[1], 23.5, 5, 0);
        sit(e->person[0], 9.5, 3, 1);
    } else {
        const Look& l = e->person[0];
        int crown = l.age == Age::Child ? 7 : (l.height > 76 ? 2 : 3);
        if (l.hat == Hat::Trilby || l.hat == Hat::PeakedCap || l.hat == Hat::WoolHat || l.hat == Hat::Nikolaus) crown += 2;
        sit(l, 16.0, crown, dir);
    }
    if (night) map_rgb(who, {0, 0, who.w, who.h}, [](Rgb c, int, int y) { return lamp_lit(c, y); });
    img.paste(who, 0, 0);
    // the pane: a faint sheen across everything and the reflection streaks
    // one broad, faint streak over the upper corner and a thin one below it
    for (int y = 0; y < kFaceH; ++y)
        for (int x = 0; x < kFaceW; ++x) {
            int s = x - y;
            bool broad = s >= 18 && s < 21, thin = s == 23;
            if ((broad || thin) && ((x + y) & 1) == 0) img.set(x, y, shift(img.get(x, y), 1));
        }
    return img;
}

}  // namespace art::figures
