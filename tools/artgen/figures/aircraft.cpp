// The banner planes, and the catalogue entries of everything that flies.
#include <cmath>
#include <cstdio>
#include <string>

#include "core/font.h"
#include "figures/aircraft_kit.h"
#include "figures/figures.h"

namespace art::figures {

namespace aircraft {
namespace {

constexpr double kPi = 3.14159265358979323846;

// A high-wing sports plane facing left; (ox, oy) is the top-left of its box:
// the propeller disc sits in column ox, the top of the wing on row oy, the
// fin rises 5 rows above it and the wheels reach 31 rows below it.
void paint_plane(Image& img, int ox, int oy, int frame) {
    auto P = [&](double x, double y) { return Pt{ox + x, oy + y}; };
    const int w = img.w, h = img.h;

    // Fin and tailplane first: the fuselage overlaps their roots.
    Image fin = poly_mask(w, h, {P(58, 9), P(66, -3), P(70, -5), P(74, -5), P(75, 10), P(60, 10)});
    paint_mask(img, fin, [&](int x, int y) {
        double lx = x - ox, ly = y - oy;
        if (lx > 71) return band(ramp::paint_red, 3.6 - 0.08 * (ly + 5), x, y);  // rudder
        return band(ramp::grey, 7.6 - 0.12 * (ly + 5) - 0.02 * (lx - 58), x, y);
    });
    outline(img, fin);
    for (int y = -3; y < 9; ++y) img.set(ox + 71, oy + y, shift(img.get(ox + 71, oy + y), -1));  // rudder hinge

    Image body = poly_mask(w, h, {P(4, 9), P(7, 6), P(14, 5), P(19, 3), P(42, 3), P(72, 9), P(76, 10), P(76, 13),
                                  P(71, 15), P(44, 21), P(20, 22), P(9, 20), P(4, 16)});
    paint_mask(img, body, [&](int x, int y) {
        double lx = x - ox, ly = y - oy;
        if (lx < 13) return band(ramp::paint_red, 4.2 - 0.14 * (ly - 5) - (lx < 6 ? 0.5 : 0), x, y);  // cowling
        if (ly >= 13 && ly < 15) return band(ramp::paint_red, 3.4 - 0.3 * (ly - 13), x, y);      // cheat line
        double pos = 7.8 - 0.13 * (ly - 3) - 0.012 * (lx - 13);
        return band(ramp::grey, pos, x, y);
    });
    outline(img, body);
    // Cowling seam and the exhaust under the nose.
    for (int y = 6; y < 20; ++y) img.set(ox + 13, oy + y, shift(img.get(ox + 13, oy + y), -1));
    img.set(ox + 10, oy + 19, ramp::grey(2));
    img.set(ox + 11, oy + 19, ramp::grey(3));

    // Windscreen and cabin windows: sky reflected, a brighter streak across.
    auto glass = [&](const std::vector<Pt>& pts) {
        Image g = poly_mask(w, h, pts);
        paint_mask(img, g, [&](int x, int y) {
            double lx = x - ox, ly = y - oy;
            double pos = 4.6 - 0.35 * (ly - 4) + (int(lx + ly) % 9 < 2 ? 1.2 : 0);
            return dither(ramp::glass, pos, x, y);
        });
        outline(img, g);
    };
    glass({P(15, 7), P(19, 4), P(22, 4), P(21, 10), P(16, 10)});
    glass({P(23, 4), P(30, 4), P(30, 11), P(23, 11)});
    glass({P(31, 4), P(38, 4), P(36, 11), P(31, 11)});
    // The pilot's head behind the side window.
    fill_ellipse(img, ox + 26.5, oy + 8.0, 2.0, 2.2, ramp::night(3));
    fill_rect(img, {ox + 25, oy + 10, 4, 1}, ramp::night(2));

    // The high wing, seen along its span: a thick aerofoil over the cabin.
    Image wing = poly_mask(w, h, {P(16, 1.5), P(18, 0), P(40, 0), P(47, 1.5), P(47, 3), P(17, 4), P(15, 3)});
    paint_mask(img, wing, [&](int x, int y) {
        double ly = y - oy, lx = x - ox;
        return band(ramp::grey, 8.0 - 0.9 * ly - 0.02 * (lx - 16), x, y);
    });
    outline(img, wing);
    for (int x = 40; x < 47; ++x) img.set(ox + x, oy + 2, shift(img.get(ox + x, oy + 2), -1));  // aileron

    // Wing strut and undercarriage.
    line(img, ox + 24, oy + 20, ox + 36, oy + 4, ramp::chrome(2));
    line(img, ox + 25, oy + 20, ox + 37, oy + 4, ramp::chrome(4));
    for (int k = 0; k < 2; ++k) {
        line(img, ox + 30 + k, oy + 21, ox + 33 + k, oy + 26, ramp::chrome(2 + 2 * k));
        line(img, ox + 8 + k, oy + 20, ox + 8 + k, oy + 25, ramp::chrome(2 + 2 * k));
    }
    auto wheel = [&](double cx, double cy, double r) {
        fill_ellipse(img, ox + cx, oy + cy, r, r, ramp::grey(1));
        shade_ball(img, ox + cx, oy + cy, r - 1.0, r - 1.0, ramp::grey, 2.2, 1.2);
        img.set(int(ox + cx), int(oy + cy), ramp::chrome(4));
    };
    // Wheel spat over the main wheel, in the body's white.
    wheel(34, 27, 3.5);
    Image spat = poly_mask(w, h, {P(29, 25), P(32, 23), P(38, 23), P(40, 26), P(38, 28), P(31, 28)});
    shade_mask(img, spat, ramp::grey, 6.4, 1.6);
    wheel(9, 27.5, 3.0);
    line(img, ox + 72, oy + 15, ox + 73, oy + 17, ramp::chrome(2));
    img.set(ox + 73, oy + 18, ramp::grey(2));

    // Tailplane across the fin root.
    Image tail = poly_mask(w, h, {P(61, 10.5), P(74, 9.5), P(78, 10.5), P(78, 12), P(62, 12.5)});
    shade_mask(img, tail, ramp::grey, 6.9, 1.2);

    // Spinner and propeller: a turning blade reads as one hard streak plus a
    // sparse blur of single pixels over the disc (never a blend towards the key).
    Image spinner = ellipse_mask(w, h, ox + 4.0, oy + 12.5, 3.0, 3.4);
    shade_mask(img, spinner, ramp::paint_red, 3.4, 2.0);
    const int hub = oy + 12;
    for (int dy = -14; dy <= 14; ++dy) {
        for (int x = ox; x <= ox + 1; ++x) {
            int y = hub + dy;
            bool blade = frame == 0 ? (dy <= -2 && dy >= -13 && x == ox + 1) || (dy >= 2 && dy <= 5 && x == ox)
                                    : (dy >= 2 && dy <= 13 && x == ox) || (dy <= -2 && dy >= -5 && x == ox + 1);
            if (blade) {
                img.set(x, y, std::abs(dy) > 11 ? ramp::paint_yellow(3) : ramp::grey(2));
            } else if (std::abs(dy) >= 2 && bayer8(x * 3 + frame * 5, y) < 18 - std::abs(dy)) {
                img.set(x, y, ramp::grey(frame == 0 ? 5 : 4));
            }
        }
    }
}

// Cloth flutter: the cloth waves towards and away from the viewer (bands of
// light and shade) and its hems ripple more the further they trail behind.
struct Flutter {
    double phase;
    double wave(double t, double x) const { return std::sin(x * 0.09 - phase) * (0.3 + 1.9 * t); }
    double light(double x) const { return std::cos(x * 0.09 - phase - 0.6); }
};

// A cloth banner with its leading pole at (x0, top), bw x bh, its lettering
// centred; `cloth` and `ink` give the colours, `hem` the top and bottom band.
void paint_banner(Image& img, int x0, int top, int bw, int bh, const std::string& text, const TextStyle& st,
                  const Ramp& cloth, double cloth_base, const Ramp& ink, double ink_base, const Ramp& hem,
                  int text_dy, int frame) {
    // Flat cloth first, then warped column by column into the picture.
    Image flat(bw, bh, KEY);
    for (int y = 0; y < bh; ++y)
        for (int x = 0; x < bw; ++x) {
            bool edge = y < 3 || y >= bh - 3;
            flat.set(x, y, edge ? hem(2 + (y == 1 || y == bh - 3 ? 1 : 0)) : band(cloth, cloth_base, x, y));
        }
    Image mask = text_mask(text, st);
    int tx = (bw - mask.w) / 2, ty = text_dy;
    const int d = st.scale >= 4 ? 2 : 1;  // dark rim round the letters for distance reading
    for (int y = 0; y < mask.h; ++y)
        for (int x = 0; x < mask.w; ++x) {
            if (mask.get(x, y) != 1) continue;
            for (int oy = -d; oy <= d; ++oy)
                for (int ox = -d; ox <= d; ++ox) {
                    int X = tx + x + ox, Y = ty + y + oy;
                    if (mask.get(x + ox, y + oy) == 1 || Y < 3 || Y >= bh - 3) continue;
                    if (flat.get(X, Y) != ink(int(ink_base) - 2)) flat.set(X, Y, ink(int(ink_base) - 2));
                }
        }
    for (int y = 0; y < mask.h; ++y)
        for (int x = 0; x < mask.w; ++x)
            if (mask.get(x, y) == 1) flat.set(tx + x, ty + y, band(ink, ink_base + 0.6 - 1.2 * y / mask.h, tx + x, ty + y));
    // Seams where the cloth panels were sewn together.
    for (int x = 40; x < bw - 8; x += 48)
        for (int y = 3; y < bh - 3; ++y) flat.set(x, y, shift(flat.get(x, y), -1));

    const Flutter fl{frame == 0 ? 0.0 : 1.7};
    Image out_mask(img.w, img.h, 0);
    for (int x = 0; x < bw; ++x) {
        double t = double(x) / bw;
        int X = x0 + 3 + x;
        int dy = int(std::lround(fl.wave(t, x)));
        // The trailing end frays and lifts a little at its corners.
        int cut_top = 0, cut_bot = 0;
        if (x >= bw - 4) {
            cut_top = ((x * 7 + frame * 3) % 5 == 0) ? 1 : 0;
            cut_bot = ((x * 5 + frame) % 4 == 0) ? 1 : 0;
        }
        double lit = 0.45 * fl.light(x) * (0.5 + t);
        for (int y = cut_top; y < bh - cut_bot; ++y) {
            uint8_t c = flat.get(x, y);
            int Y = top + y + dy;
            // Whole steps of light with only a narrow dithered seam between them.
            double f = lit + 0.5 - std::floor(lit + 0.5);
            int steps = int(std::floor(lit + 0.5));
            if (f < 0.2 && bayer8(X, Y) >= int(f / 0.2 * 32) + 32) steps -= 1;
            if (f > 0.8 && bayer8(X, Y) < int((f - 0.8) / 0.2 * 32)) steps += 1;
            img.set(X, Y, shift(c, steps));
            out_mask.set(X, Y, 1);
        }
    }
    outline(img, out_mask);

    // Leading pole: a weighted spreader keeps the front edge upright.
    Image pole = poly_mask(img.w, img.h, {{double(x0), double(top - 3)}, {double(x0 + 3), double(top - 3)},
                                          {double(x0 + 3), double(top + bh + 3)}, {double(x0), double(top + bh + 3)}});
    shade_mask(img, pole, ramp::wood, 3.2, 1.2);
    fill_rect(img, {x0 - 1, top + bh + 2, 5, 3}, ramp::grey(2));  // the weight at its foot
    fill_rect(img, {x0, top + bh + 2, 3, 1}, ramp::grey(4));
}

// Tow rope from the plane's tail hook to a bridle on the banner pole.
void paint_rope(Image& img, int hx, int hy, int px, int ptop, int pbot) {
    int jx = px - 9, jy = (ptop + pbot) / 2;
    // A slight sag between hook and bridle knot.
    int n = jx - hx;
    for (int i = 0; i <= n; ++i) {
        double t = double(i) / n;
        double y = hy + (jy - hy) * t + 2.0 * std::sin(t * kPi);
        img.set(hx + i, int(std::lround(y)), ramp::wood(2));
    }
    line(img, jx, jy, px, ptop + 1, ramp::wood(1));
    line(img, jx, jy, px, pbot - 1, ramp::wood(1));
}

}  // namespace

Image paint_banner_plane(bool mail, int frame) {
    const int w = mail ? kMailW : kBannerW;
    Image img(w, kPlaneH);
    const int ox = 3, oy = 28;
    paint_plane(img, ox, oy, frame);
    const int pole_x = 97;
    if (mail) {
        const int top = 22, bh = 42;
        paint_rope(img, ox + 76, oy + 14, pole_x, top, top + bh);
        paint_banner(img, pole_x, top, w - pole_x - 9, bh, "NEW MAIL !", {4, true}, ramp::paint_yellow, 4.0,
                     ramp::paint_red, 3.0, ramp::paint_red, -2, frame);
    } else {
        const int top = 29, bh = 26;
        paint_rope(img, ox + 76, oy + 14, pole_x, top, top + bh);
        paint_banner(img, pole_x, top, w - pole_x - 9, bh, "Sommerfest am Weiher", {2, true}, ramp::grey, 7.0,
                     ramp::cloth_blue, 2.4, ramp::cloth_blue, 0, frame);
    }
    return img;
}

}  // namespace aircraft

void add_aircraft_pictures(std::vector<Picture>& out) {
    auto add = [&](int type, int frame, Image img) {
        char name[32];
        std::snprintf(name, sizeof name, "FLUG%d_%02d", type, frame);
        out.push_back({name, "aircraft", std::move(img), BmpFormat::Rle8});
    };
    for (int f = 0; f < 2; ++f) add(1, f, aircraft::paint_banner_plane(false, f));
    for (int f = 0; f < 2; ++f) add(2, f, aircraft::paint_banner_plane(true, f));
    for (int kind = 3; kind <= 5; ++kind)
        for (int f = 0; f < 2; ++f) add(kind, f, aircraft::paint_balloon(kind, f));
    for (int kind = 6; kind <= 7; ++kind)
        for (int f = 0; f < 4; ++f) add(kind, f, aircraft::paint_birds(kind, f));
}

}  // namespace art::figures
