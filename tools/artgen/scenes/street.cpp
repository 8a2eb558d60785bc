// Composition of the street: layers, night light, lit windows, seasons.
#include "street.h"

#include <algorithm>
#include <cmath>

#include "street_parts.h"

using namespace art;

namespace street {
namespace {

void church(Image& img, bool winter) {
    // A tower far behind the roofs: pale, low in contrast, greened copper spire.
    int x = 688, w = 34;
    fill_rect(img, {x, 58, w, 80}, [&](int px, int py) {
        double pos = 3.8 - (px - x) * 0.05 + (fractal_noise(px, py, 3, 2, 100) - 0.5) * 0.8;
        return dither(ramp::plaster_grey, pos + 0.6, px, py);
    });
    shade_ball(img, x + w / 2.0, 78, 7, 7, ramp::plaster_grey, 5.0, 1.0);
    line(img, x + w / 2, 78, x + w / 2, 73, ramp::slate(2));
    line(img, x + w / 2, 78, x + w / 2 + 4, 78, ramp::slate(2));
    for (int k = 0; k < 2; ++k) fill_rect(img, {x + 7 + k * 14, 96, 6, 14}, ramp::slate(1));
    std::vector<Pt> spire = {{x - 3.0, 58.0}, {x + w / 2.0, 8.0}, {x + w + 3.0, 58.0}};
    fill_polygon(img, spire, [&](int px, int py) {
        double pos = (px < x + w / 2 ? 4.0 : 2.6) + (fractal_noise(px, py, 2, 1, 101) - 0.5);
        if (winter && (py % 9 == 0 || fractal_noise(px, py, 4, 2, 102) > 0.6)) return dither(ramp::snow, 4.2, px, py);
        return dither(ramp::grey_green, pos, px, py);
    });
    line(img, x + w / 2, 8, x + w / 2, 0, ramp::grey(3));
    line(img, x + w / 2 - 2, 3, x + w / 2 + 2, 3, ramp::grey(3));
}

// A cumulus: puffs along a low arc, lit from above and the left, with a flat
// grey underside.
void cloud(Image& img, double cx, double cy, double w, double h, uint32_t seed, const Ramp& r, double bright) {
    Rng rng(seed);
    struct Puff { double x, y, rad; };
    std::vector<Puff> puffs;
    int n = int(w / 14) + 3;
    for (int i = 0; i < n; ++i) {
        double t = (i + 0.5) / n - 0.5;
        double rad = h * (0.45 + 0.55 * (1 - std::abs(t) * 1.6)) * (0.7 + rng.real() * 0.5);
        puffs.push_back({cx + t * w, cy + h * 0.5 - rad * 0.8, rad});
    }
    double bottom = cy + h * 0.5;
    for (int y = int(cy - h * 2.6); y <= int(bottom); ++y)
        for (int x = int(cx - w * 0.5 - h * 1.6); x <= int(cx + w * 0.5 + h * 1.6); ++x) {
            double best = 0, lit = 0;
            for (const Puff& p : puffs) {
                double dx = (x - p.x) / p.rad, dy = (y - p.y) / p.rad;
                double d = 1 - (dx * dx + dy * dy);
                if (d > best) best = d, lit = -dx * 0.5 - dy * 0.9;
            }
            if (best <= 0) continue;
            double edge = best + (fractal_noise(x, y, 3, 2, seed) - 0.5) * 0.16;
            if (edge <= 0 || y > bottom - (fractal_noise(x, 0, 9, 2, seed + 1) * 3)) continue;
            double pos = bright + lit * 1.2 - (y - (cy - h)) / h * 1.1 + std::min(edge, 0.3) * 2.0;
            img.set(x, y, dither(r, pos, x, y));
        }
}

void day_sky(Image& img, bool winter) {
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            double t = std::min(1.0, y / 230.0);
            if (winter) {
                // low overcast: soft bands of grey, lighter towards the horizon
                double n = fractal_noise(x * 0.5, y * 1.8, 70, 3, 115) - 0.5;
                img.set(x, y, dither(ramp::snow, 2.0 + t * 2.6 + n * 1.6, x, y));
            } else {
                img.set(x, y, dither(ramp::sky_day, 1.6 + t * 5.0, x, y));
            }
        }
    struct C { double x, y, w, h; };
    const C clouds[] = {{170, 34, 170, 30}, {420, 18, 110, 22}, {610, 60, 150, 26}, {880, 40, 190, 34}, {40, 90, 90, 18}, {300, 70, 60, 14}};
    uint32_t seed = 130;
    for (const C& c : clouds) {
        if (winter) cloud(img, c.x, c.y, c.w * 1.2, c.h * 1.1, seed++, ramp::snow, 3.6);
        else cloud(img, c.x, c.y, c.w, c.h, seed++, ramp::snow, 4.4);
    }
}

void night_sky(Image& img) {
    Rng rng(120);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            double t = std::min(1.0, y / 260.0);
            img.set(x, y, dither(ramp::sky_night, 0.6 + t * 4.4, x, y));
        }
    for (int i = 0; i < 260; ++i) {
        int x = rng.below(kWidth), y = rng.below(200);
        int b = rng.below(10);
        img.set(x, y, b > 8 ? ramp::grey(8) : b > 5 ? ramp::snow(3) : ramp::sky_night(6));
        if (b == 9 && y > 1) {
            img.set(x - 1, y, ramp::sky_night(6));
            img.set(x + 1, y, ramp::sky_night(6));
            img.set(x, y - 1, ramp::sky_night(6));
            img.set(x, y + 1, ramp::sky_night(6));
        }
    }
    // a waxing moon over the right-hand roofs
    shade_ball(img, 930, 46, 13, 13, ramp::lamp, 5.2, 0.6);
    fill_ellipse(img, 937, 42, 12, 12, [&](int x, int y) { return dither(ramp::sky_night, 0.6 + y / 260.0 * 4.4, x, y); });
}

double light_at(const Scene& s, int x, int y) {
    double sum = 0;
    for (const Lamp& l : s.lamps) {
        double dx = (x - l.x) / l.rx, dy = (y - l.y) / l.ry;
        double d = dx * dx + dy * dy;
        if (d < 1.0) sum += l.power * (1.0 - d) * (1.0 - d);
    }
    // pools on the ground under each lantern
    for (const Lamp& l : s.lamps) {
        if (l.y > 330) continue;
        double dx = (x - l.x) / 150.0, dy = (y - 490) / 52.0;
        double d = dx * dx + dy * dy;
        if (d < 1.0 && y > 440) sum += l.power * 0.85 * (1.0 - d) * (1.0 - d);
    }
    return std::min(1.0, sum);
}

// Night colour of a day colour under `light` (0 = moonless dark, 1 = lamp).
Rgb nightify(Rgb c, double light) {
    double r = c.r * (0.22 + 0.95 * light) + 3;
    double g = c.g * (0.26 + 0.72 * light) + 5;
    double b = c.b * (0.42 + 0.40 * light) + 14;
    return {uint8_t(std::min(255.0, r)), uint8_t(std::min(255.0, g)), uint8_t(std::min(255.0, b))};
}

void apply_night(Image& img, const Scene& s) {
    constexpr int kLevels = 6;
    static uint8_t lut[kLevels][256];
    static bool made = false;
    if (!made) {
        for (int l = 0; l < kLevels; ++l)
            for (int i = 0; i < 256; ++i) {
                if (i == KEY) {
                    lut[l][i] = KEY;
                    continue;
                }
                // Snow keeps catching what little light there is; painted as
                // dark as plaster it would read as mud.
                double extra = ramp::snow.holds(uint8_t(i)) ? 0.35 : 0.0;
                lut[l][i] = nearest(nightify(palette()[i], std::min(1.0, l / double(kLevels - 1) + extra)));
            }
        made = true;
    }
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            uint8_t& c = img.px[size_t(y) * img.w + x];
            if (c == KEY) continue;
            double lv = light_at(s, x, y) * (kLevels - 1);
            int l = int(lv);
            if ((lv - l) * 64 > bayer8(x, y) + 0.5) ++l;
            c = lut[std::min(l, kLevels - 1)][c];
        }
}

void tint_glass(Image& out, const Scene& s) {
    for (const Rect& r : s.glass)
        for (int y = r.y; y < r.bottom(); ++y)
            for (int x = r.x; x < r.right(); ++x) {
                Rgb c = palette()[out.get(x, y)];
                bool streak = ((x - r.x) + (y - r.y)) % 53 < 5 || ((x - r.x) + (y - r.y)) % 53 == 8;
                Rgb tint = s.night ? Rgb{150, 150, 120} : Rgb{215, 232, 232};
                double k = s.night ? (streak ? 0.26 : 0.16) : (streak ? 0.45 : 0.28);
                Rgb m{uint8_t(c.r + (tint.r - c.r) * k), uint8_t(c.g + (tint.g - c.g) * k), uint8_t(c.b + (tint.b - c.b) * k)};
                out.set(x, y, nearest(m));
            }
}

}  // namespace

void paint_night_lights(Scene& s, Image& out) {
    // lantern glass
    for (const Lamp& l : s.lamps) {
        if (l.y > 330) continue;
        int x = int(l.x);
        // halo on whatever is behind the lantern
        for (int y = 280; y < 346; ++y)
            for (int px = x - 34; px <= x + 34; ++px) {
                double d = std::hypot((px - x) / 34.0, (y - 313) / 30.0);
                if (d >= 1) continue;
                uint8_t c = out.get(px, y);
                if (c == KEY) continue;
                double a = (1 - d) * (1 - d) * 0.6;
                Rgb p = palette()[c];
                Rgb m{uint8_t(p.r + (255 - p.r) * a), uint8_t(p.g + (200 - p.g) * a * 0.9), uint8_t(p.b + (120 - p.b) * a * 0.5)};
                if ((a * 64) > bayer8(px, y) * 0.5) out.set(px, y, nearest(m));
            }
        std::vector<Pt> glass = {{x - 6.0, 305.0}, {x + 7.0, 305.0}, {x + 4.0, 321.0}, {x - 3.0, 321.0}};
        fill_polygon(out, glass, [&](int px, int py) { return dither(ramp::lamp, 5.4 - std::abs(px - x) * 0.25 - std::abs(py - 311) * 0.08, px, py); });
        for (int y = 305; y < 321; ++y) out.set(x, y, ramp::lamp(3));
    }
    // the shelter's tube and the booth's ceiling light
    fill_rect(out, {40, 277, 240, 2}, ramp::lamp(5));
    fill_rect(out, {40, 279, 240, 1}, ramp::lamp(4));
    fill_rect(out, {556, 353, 58, 2}, ramp::lamp(5));
}

const std::vector<bool> lights_from(uint32_t seed, double share) {
    std::vector<bool> lit;
    for (size_t i = 0; i < windows().size(); ++i) lit.push_back((hash2(int(i), 0, seed) % 1000) < share * 1000);
    return lit;
}

std::vector<bool> base_lights(bool winter) { return lights_from(winter ? 201 : 200, 0.45); }

std::vector<bool> patch_lights(bool winter, int group, int variant) {
    std::vector<bool> lit = base_lights(winter);
    std::vector<size_t> members;
    for (size_t i = 0; i < windows().size(); ++i)
        if (windows()[i].group == group) members.push_back(i);
    // Each variant takes its own pattern; patterns are chosen so that no two
    // variants (nor the night picture) look alike.
    uint32_t base_mask = 0;
    for (size_t k = 0; k < members.size(); ++k)
        if (lit[members[k]]) base_mask |= 1u << k;
    uint32_t full = (1u << members.size()) - 1;
    std::vector<uint32_t> picks;
    uint32_t h = hash2(group, winter, 300);
    for (uint32_t m = 0; picks.size() < 3; ++m) {
        uint32_t cand = (m * 5 + h) & full;
        if (cand == base_mask || cand == 0 || cand == full) continue;
        if (std::find(picks.begin(), picks.end(), cand) != picks.end()) continue;
        picks.push_back(cand);
        if (m > 64) break;
    }
    uint32_t mask = picks[size_t(variant) % picks.size()];
    for (size_t k = 0; k < members.size(); ++k) lit[members[k]] = (mask >> k) & 1;
    return lit;
}

Image paint(bool night, bool winter, const std::vector<bool>& lit) {
    Scene s;
    s.winter = winter;
    s.night = night;
    church(s.back, winter);
    paint_houses(s);
    paint_ground(s);
    paint_board_site(s);
    paint_shelter(s);
    paint_booth(s);
    paint_street_furniture(s);
    if (night) {
        apply_night(s.back, s);
        apply_night(s.front, s);
    }
    Image out(kWidth, kHeight);
    if (night) night_sky(out);
    else day_sky(out, winter);
    out.paste(s.back, 0, 0);
    if (night)
        for (size_t i = 0; i < windows().size(); ++i)
            if (lit[i]) paint_window(out, windows()[i], true, winter);
    tint_glass(out, s);
    out.paste(s.front, 0, 0);
    if (night) paint_night_lights(s, out);
    // the clock's face is self-lit and must match the digit strip exactly
    fill_rect(out, {38, 232, 67, 30}, kClockFace);
    for (int y : {241, 251}) fill_rect(out, {69, y, 3, 3}, ramp::led(2));
    return out;
}

Image paint(bool night, bool winter) {
    Image img = paint(night, winter, base_lights(winter));
    if (winter) {
        // The sweeper restores the pavement from the normal day picture, so
        // the walking band carries no snow and matches it byte for byte.
        Image normal = paint(night, false, base_lights(winter));
        for (int y = kSweptTop; y < kSweptBottom; ++y)
            std::copy(normal.row(y), normal.row(y) + kWidth, img.row(y));
    }
    return img;
}

}  // namespace street
