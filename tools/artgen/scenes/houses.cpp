// House fronts: plaster and brick walls, roofs, windows and shop fronts.
#include <cmath>

#include "../core/font.h"
#include "street_parts.h"

using namespace art;

namespace street {

const Rect kPatch[4] = {{129, 251, 208, 51}, {367, 259, 176, 43}, {570, 245, 256, 57}, {849, 240, 144, 62}};

namespace {

enum class RoofKind { Slate, Tile, Mansard, Gable };

struct House {
    int x0, x1;
    Ramp wall;
    bool brick;
    int eave, ridge;
    RoofKind roof;
    uint32_t seed;
};

const House kHouses[] = {
    {0, 126, ramp::grey_green, false, 92, 58, RoofKind::Tile, 11},
    {126, 352, ramp::ochre, false, 160, 112, RoofKind::Mansard, 12},
    {352, 556, ramp::brick, true, 168, 64, RoofKind::Gable, 13},
    {556, 838, ramp::plaster_yellow, false, 158, 106, RoofKind::Tile, 14},
    {838, 1000, ramp::salmon, false, 150, 108, RoofKind::Slate, 15},
    {1000, 1024, ramp::plaster_grey, false, 124, 90, RoofKind::Slate, 16},
};

std::vector<Window> make_windows() {
    std::vector<Window> v;
    auto add = [&](std::initializer_list<int> xs, int y, int w, int h, int group, int seed) {
        for (int x : xs) {
            uint32_t hsh = hash2(x, y, uint32_t(seed));
            v.push_back({{x, y, w, h}, group, int(hsh % 3), (hsh >> 8) % 3 == 0 && group >= 0});
        }
    };
    add({18, 78}, 104, 30, 36, -1, 1);
    add({18, 78}, 178, 30, 36, -1, 2);
    add({18, 78}, 262, 30, 36, -1, 3);
    add({140, 188, 236, 290}, 252, 30, 46, 0, 4);
    add({140, 188, 236, 290}, 180, 30, 38, -1, 5);
    add({380, 440, 500}, 262, 30, 36, 1, 6);
    add({380, 440, 500}, 186, 30, 36, -1, 7);
    add({440}, 112, 30, 32, -1, 8);
    add({584, 646, 708, 770}, 262, 30, 36, 2, 9);
    add({584, 646, 708, 770}, 182, 30, 36, -1, 10);
    add({858, 906, 954}, 248, 28, 50, 3, 11);
    add({858, 906, 954}, 176, 28, 40, -1, 12);
    add({1006}, 180, 24, 36, -1, 13);
    add({1006}, 262, 24, 36, -1, 14);
    return v;
}

// Plaster: fine grain plus large faint stains, a touch lighter towards the top.
void plaster(Image& img, const Rect& r, const Ramp& ramp, double base, uint32_t seed) {
    fill_rect(img, r, [&](int x, int y) {
        double fine = fractal_noise(x, y, 3, 2, seed) - 0.5;
        double stain = fractal_noise(x, y, 36, 3, seed + 7) - 0.5;
        double pos = base + fine * 0.9 + stain * 1.1 - (y - r.y) * 0.0015;
        return dither(ramp, pos, x, y);
    });
}

void brickwork(Image& img, const Rect& r, uint32_t seed) {
    fill_rect(img, r, [&](int x, int y) {
        int course = y / 4;
        int off = (course & 1) ? 5 : 0;
        int bx = (x + off) / 10;
        if (y % 4 == 3 || (x + off) % 10 == 9) {
            double m = 4.3 + (fractal_noise(x, y, 4, 2, seed) - 0.5);
            return dither(ramp::plaster_grey, m - 1.0, x, y);
        }
        double v = (hash2(bx, course, seed) % 100) / 100.0;
        double pos = 2.4 + v * 1.6 + (y % 4 == 0 ? 0.6 : 0) - (((x + off) % 10) == 8 ? 0.5 : 0);
        pos += (fractal_noise(x, y, 2, 1, seed + 3) - 0.5) * 0.8;
        return dither(ramp::brick, pos, x, y);
    });
}

void wall(Image& img, const House& h, const Rect& r) {
    if (h.brick) brickwork(img, r, h.seed);
    else plaster(img, r, h.wall, 4.2, h.seed);
}

// A horizontal moulding: lit top, shaded underside, soft shadow on the wall.
void cornice(Image& img, int x0, int x1, int y, int depth, const Ramp& ramp) {
    for (int x = x0; x < x1; ++x) {
        img.set(x, y, ramp(6));
        for (int k = 1; k < depth - 1; ++k) img.set(x, y + k, dither(ramp, 5.2 - k * 0.5, x, y + k));
        img.set(x, y + depth - 1, ramp(2));
    }
    shadow_rect(img, {x0, y + depth, x1 - x0, 3}, 2, 0.7);
}

void slate_rows(Image& img, const std::vector<Pt>& poly, const Ramp& r, int tile_w, int tile_h, double base,
                uint32_t seed, bool winter) {
    fill_polygon(img, poly, [&](int x, int y) {
        int row = y / tile_h, off = (row & 1) ? tile_w / 2 : 0;
        int col = (x + off) / tile_w;
        int ty = y % tile_h, tx = (x + off) % tile_w;
        double v = (hash2(col, row, seed) % 100) / 100.0;
        double pos = base + v * 0.9 - 0.45;
        if (ty == tile_h - 1) pos -= 1.4;   // shadow under each course
        else if (ty == 0) pos += 0.7;
        if (tx == tile_w - 1) pos -= 0.8;   // joint
        if (winter) {
            // a closed blanket; only a few wind-swept patches show wet tiles
            double n = fractal_noise(x, y * 2.0, 30, 2, seed + 40);
            double sp = 4.9 - (ty == tile_h - 1 ? 0.5 : 0.0) + (fractal_noise(x, y, 3, 2, seed + 41) - 0.5) * 0.9;
            if (n > 0.14) return dither(ramp::snow, sp, x, y);
            return dither(r, pos - 0.8, x, y);
        }
        return dither(r, pos, x, y);
    });
}

void roof_surface(Image& img, const std::vector<Pt>& poly, RoofKind kind, uint32_t seed, bool winter) {
    if (kind == RoofKind::Tile) slate_rows(img, poly, ramp::tile, 6, 5, 3.3, seed, winter);
    else slate_rows(img, poly, ramp::slate, 7, 4, 3.0, seed, winter);
}

void chimney(Image& img, int x, int top, int bottom, uint32_t seed, bool winter) {
    brickwork(img, {x, top, 12, bottom - top}, seed);
    shadow_rect(img, {x + 8, top, 4, bottom - top}, 2, 0.8);
    shade_box(img, {x - 1, top - 3, 14, 3}, ramp::plaster_grey, 3.5);
    if (winter) fill_rect(img, {x - 1, top - 5, 14, 2}, ramp::snow(5));
}

void gutter(Image& img, int x0, int x1, int y) {
    for (int x = x0; x < x1; ++x) {
        img.set(x, y, ramp::chrome(4));
        img.set(x, y + 1, ramp::chrome(2));
    }
}

void downpipe(Image& img, int x, int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
        img.set(x, y, ramp::chrome(4));
        img.set(x + 1, y, ramp::chrome(3));
        img.set(x + 2, y, ramp::chrome(1));
        if ((y - y0) % 60 == 0) img.set(x - 1, y, ramp::chrome(2)), img.set(x + 3, y, ramp::chrome(1));
    }
}

void dormer(Image& img, int x, int w, int top, int bottom, RoofKind kind, uint32_t seed, bool winter,
            const Ramp& wall) {
    int peak = top - w / 2 + 2;
    // cheeks and front
    plaster(img, {x, top, w, bottom - top}, wall, 4.5, seed);
    Window win{{x + 4, top + 4, w - 8, bottom - top - 6}, -1, 1, false};
    paint_window(img, win, false, winter);
    // a small pediment under its own two-sided roof
    std::vector<Pt> cap = {{x + 0.0, top + 1.0}, {x + w / 2.0, peak + 2.0}, {x + w + 0.0, top + 1.0}};
    fill_polygon(img, cap, [&](int px, int py) { return dither(wall, 5.2 - (px - x) * 0.04, px, py); });
    const Ramp& rr = kind == RoofKind::Tile ? ramp::tile : ramp::slate;
    for (int k = 0; k < 3; ++k) {
        uint8_t left = winter && k < 2 ? ramp::snow(5 - k) : rr(4 - k);
        uint8_t right = winter && k < 2 ? ramp::snow(4 - k) : rr(2 - k / 2);
        line(img, x - 3, top + 2 - k, x + w / 2, peak - k, left);
        line(img, x + w / 2, peak - k, x + w + 3, top + 2 - k, right);
    }
    shadow_rect(img, {x + w, top + 2, 3, bottom - top - 2}, 2, 0.8);
}

void paint_house(Scene& s, const House& h, int index) {
    Image& img = s.back;
    int w = h.x1 - h.x0;
    // Wall up to the eaves (or to the gable's peak).
    if (h.roof == RoofKind::Gable) {
        Rect body{h.x0, h.eave, w, kHouseFoot - h.eave};
        wall(img, h, body);
        std::vector<Pt> gable = {{double(h.x0), double(h.eave) + 1}, {h.x0 + w / 2.0, double(h.ridge)},
                                 {double(h.x1), double(h.eave) + 1}};
        Image tmp(img.w, img.h);
        wall(tmp, h, {h.x0, h.ridge, w, h.eave - h.ridge + 1});
        fill_polygon(img, gable, [&](int x, int y) { return tmp.get(x, y); });
        // verges: a band of tiles along both slopes, lit on the left one
        for (int k = 0; k < 5; ++k) {
            line(img, h.x0 - 4, h.eave + 4 - k, int(h.x0 + w / 2.0), h.ridge - 4 + k,
                 k == 4 ? ramp::tile(1) : s.winter && k < 3 ? ramp::snow(5 - k) : ramp::tile(5 - k / 2));
            line(img, int(h.x0 + w / 2.0), h.ridge - 4 + k, h.x1 + 4, h.eave + 4 - k,
                 k == 4 ? ramp::tile(0) : s.winter && k < 3 ? ramp::snow(4 - k) : ramp::tile(3 - k / 2));
        }
        shadow_polygon(img, {{h.x0 + w / 2.0, h.ridge + 2.0}, {h.x1 + 0.0, h.eave + 5.0}, {h.x1 + 0.0, h.eave + 9.0},
                             {h.x0 + w / 2.0, h.ridge + 7.0}},
                       1, 0.6);
        // a stepped cornice across the gable foot and a round window in the peak
        cornice(img, h.x0, h.x1, h.eave + 2, 4, ramp::plaster_grey);
        shade_ball(img, h.x0 + w / 2.0, h.ridge + 30, 7, 7, ramp::plaster_grey, 4.0);
        shade_ball(img, h.x0 + w / 2.0, h.ridge + 30, 5, 5, ramp::glass, 2.5);
        chimney(img, h.x0 + 40, h.eave - 48, h.eave - 20, h.seed, s.winter);
    } else {
        wall(img, h, {h.x0, h.eave, w, kHouseFoot - h.eave});
        std::vector<Pt> roof;
        if (h.roof == RoofKind::Mansard) {
            int brk = h.eave - 30;
            roof_surface(img, {{h.x0 - 4.0, h.eave + 2.0}, {h.x0 + 0.0, double(brk)}, {h.x1 + 0.0, double(brk)},
                               {h.x1 + 4.0, h.eave + 2.0}},
                         RoofKind::Slate, h.seed, s.winter);
            roof_surface(img, {{h.x0 + 0.0, brk + 0.5}, {h.x0 + 12.0, double(h.ridge)}, {h.x1 - 12.0, double(h.ridge)},
                               {h.x1 + 0.0, brk + 0.5}},
                         RoofKind::Slate, h.seed + 1, s.winter);
            for (int x = h.x0; x < h.x1; ++x) img.set(x, brk, s.winter ? ramp::snow(3) : ramp::chrome(3));
            for (int dx : {32, 104, 176}) dormer(img, h.x0 + dx, 24, h.eave - 26, h.eave, RoofKind::Slate, h.seed + dx, s.winter, h.wall);
            chimney(img, h.x0 + 60, h.ridge - 16, h.ridge + 2, h.seed, s.winter);
            chimney(img, h.x1 - 50, h.ridge - 12, h.ridge + 2, h.seed + 1, s.winter);
        } else {
            int inset = index == 0 ? 0 : 6;
            roof = {{h.x0 - 4.0, h.eave + 2.0}, {h.x0 + double(inset), double(h.ridge)},
                    {h.x1 - double(inset), double(h.ridge)}, {h.x1 + 4.0, h.eave + 2.0}};
            roof_surface(img, roof, h.roof, h.seed, s.winter);
            for (int x = h.x0 + inset; x < h.x1 - inset; ++x) {
                img.set(x, h.ridge, s.winter ? ramp::snow(5) : ramp::grey(5));
                img.set(x, h.ridge + 1, s.winter ? ramp::snow(4) : ramp::grey(3));
            }
            if (h.x1 - h.x0 > 200) {
                for (int dx : {52, 182}) dormer(img, h.x0 + dx, 30, h.eave - 30, h.eave, h.roof, h.seed + dx, s.winter, h.wall);
                chimney(img, h.x0 + 120, h.ridge - 18, h.ridge + 3, h.seed, s.winter);
            } else if (h.x1 - h.x0 > 100) {
                dormer(img, h.x0 + w / 2 - 13, 26, h.eave - 28, h.eave, h.roof, h.seed + 3, s.winter, h.wall);
                chimney(img, h.x0 + 20, h.ridge - 14, h.ridge + 3, h.seed, s.winter);
            }
        }
        gutter(img, h.x0 - 4, h.x1 + 4, h.eave + 2);
        if (s.winter)
            for (int x = h.x0 - 4; x < h.x1 + 4; ++x)
                if (hash2(x, h.eave, 3) % 9 == 0) {
                    int len = 2 + int(hash2(x, 1, 4) % 5);
                    for (int k = 0; k < len; ++k) img.set(x, h.eave + 4 + k, ramp::snow(5 - k / 2));
                }
        shadow_rect(img, {h.x0, h.eave + 4, w, 6}, 2, 0.8);
    }
    // pilaster strips at the corners
    if (!h.brick) {
        fill_rect(img, {h.x0, h.eave + 6, 5, kGroundFloorTop - h.eave - 6},
                  [&](int x, int y) { return dither(h.wall, 5.0 - (x - h.x0) * 0.2 + (fractal_noise(x, y, 3, 2, h.seed) - 0.5), x, y); });
        shadow_rect(img, {h.x0 + 5, h.eave + 6, 1, kGroundFloorTop - h.eave - 6}, 1, 0.8);
    }
    // storey cornice and the seam to the next house
    cornice(img, h.x0, h.x1, 226, 3, h.brick ? ramp::plaster_grey : h.wall);
    cornice(img, h.x0, h.x1, kGroundFloorTop, 6, h.brick ? ramp::plaster_grey : h.wall);
    for (int y = std::min(h.ridge, h.eave); y < kHouseFoot; ++y) {
        if (img.get(h.x1 - 1, y) != KEY) img.set(h.x1 - 1, y, shift(img.get(h.x1 - 1, y), -2));
    }
    if (index != 0 && index != 5) downpipe(img, h.x1 - 5, h.eave + 2, kHouseFoot);
    // plinth
    fill_rect(img, {h.x0, 440, w, kHouseFoot - 440}, [&](int x, int y) {
        double pos = 3.6 + (fractal_noise(x, y, 3, 2, h.seed + 9) - 0.5) * 1.2 - (y == 440 ? -1.5 : 0);
        if ((x - h.x0) % 38 == 37) pos -= 1.2;
        return dither(ramp::plaster_grey, pos - 0.8, x, y);
    });
}

void window_surround(Image& img, const Window& w, const Ramp& wall, bool brick, bool winter) {
    Rect r = w.r;
    Rect sur{r.x - 3, r.y - 3, r.w + 6, r.h + 5};
    if (brick) {
        // rendered lintel and reveal
        shade_box(img, {r.x - 3, r.y - 6, r.w + 6, 5}, ramp::plaster_grey, 4.2, 1.0);
    } else {
        fill_rect(img, sur, [&](int x, int y) {
            return dither(wall, 5.6 + (fractal_noise(x, y, 3, 2, 77) - 0.5) * 0.6, x, y);
        });
        // keystone-ish head
        shade_box(img, {r.x - 4, r.y - 6, r.w + 8, 4}, wall, 5.0, 0.8);
    }
    // sill
    int sy = r.bottom() + 1;
    for (int x = r.x - 4; x < r.right() + 4; ++x) {
        img.set(x, sy, ramp::plaster_grey(6));
        img.set(x, sy + 1, ramp::plaster_grey(4));
        img.set(x, sy + 2, ramp::plaster_grey(2));
    }
    shadow_rect(img, {r.x - 3, sy + 3, r.w + 8, 3}, 2, 0.6);
    shadow_rect(img, {r.right() + 3, r.y - 2, 2, r.h + 4}, 1, 0.7);
    if (winter)
        for (int x = r.x - 4; x < r.right() + 4; ++x) {
            img.set(x, sy - 1, ramp::snow(5));
            if (hash2(x, sy, 9) % 3) img.set(x, sy - 2, ramp::snow(4));
        }
}

void flower_box(Image& img, const Window& w, bool winter) {
    Rect r = w.r;
    int y = r.bottom() - 6;
    shade_box(img, {r.x - 2, y, r.w + 4, 7}, ramp::wood, 3.0, 1.2);
    for (int x = r.x - 1; x < r.right() + 1; ++x) {
        uint32_t hsh = hash2(x, y, 21);
        int hgt = 3 + int(hsh % 4);
        for (int k = 1; k <= hgt; ++k) {
            uint8_t c;
            if (winter) c = k <= 2 ? ramp::snow(5 - int(hsh % 2)) : ramp::foliage(1 + int(hsh % 2));
            else if (k > hgt - 2 && (hsh >> 4) % 3 != 0) c = ramp::cloth_red(3 + int((hsh >> 6) % 3) - (k == hgt));
            else c = ramp::foliage(2 + int((hsh >> 8) % 3));
            if (winter && k > 2) continue;
            img.set(x, y - k + (winter ? 1 : 0), c);
        }
    }
}

struct Shop {
    int x0, x1;
    const char* sign;
    Ramp awning;    // stripes: this ramp and white; awning.count == 0 for none
    int kind;       // 0 stationery, 1 bakery, 2 pharmacy, 3 house door, 4 plain
};

void shop_window(Image& img, const Rect& r, int kind, uint32_t seed) {
    // frame
    shade_box(img, {r.x - 3, r.y - 3, r.w + 6, r.h + 6}, ramp::wood, 2.5, 1.0);
    vgradient(img, r, ramp::glass, 3.2, 1.6);
    // shelf and goods
    int shelf = r.y + r.h * 2 / 3;
    fill_rect(img, {r.x, shelf, r.w, 3}, ramp::wood(4));
    fill_rect(img, {r.x, shelf + 3, r.w, r.bottom() - shelf - 3}, [&](int x, int y) { return dither(ramp::wood, 1.6, x, y); });
    Rng rng(seed);
    for (int x = r.x + 3; x < r.right() - 8;) {
        int gw = rng.range(6, 12);
        int gh = rng.range(5, 12);
        if (kind == 1) {
            shade_ball(img, x + gw / 2.0, shelf - gh / 2.0 + 1, gw / 2.0, gh / 2.0, ramp::wood, 3.4, 2.0);
        } else if (kind == 2) {
            Rect b{x, shelf - gh - 2, std::max(3, gw / 2), gh + 2};
            shade_box(img, b, rng.chance(0.5) ? ramp::chrome : ramp::cloth_green, 3.5, 1.0);
            fill_rect(img, {b.x + 1, b.y + b.h / 2, b.w - 2, 2}, ramp::grey(7));
        } else if (kind == 0) {
            Rect b{x, shelf - gh - 4, gw, gh + 4};
            const Ramp* rs[] = {&ramp::cloth_red, &ramp::cloth_blue, &ramp::paint_yellow, &ramp::cloth_green};
            shade_box(img, b, *rs[rng.below(4)], 3.0, 1.0);
        }
        x += gw + rng.range(2, 5);
    }
    // reflection streaks from the upper left
    for (int k = 0; k < r.w + r.h; k += 37)
        for (int t = 0; t < 7; ++t)
            for (int y = r.y; y < shelf; ++y) {
                int x = r.x + k + t - (y - r.y);
                if (x >= r.x && x < r.right()) img.set(x, y, shift(img.get(x, y), t < 2 ? 2 : 1));
            }
    // soft shadow of the lintel
    shadow_rect(img, {r.x, r.y, r.w, 4}, 2, 0.7);
}

void door(Image& img, const Rect& r, bool glazed) {
    shade_box(img, {r.x - 3, r.y - 3, r.w + 6, r.h + 3}, ramp::plaster_grey, 4.5, 1.0);
    shade_box(img, r, ramp::wood, 2.8, 1.2);
    if (glazed) {
        Rect g{r.x + 4, r.y + 5, r.w - 8, r.h / 2};
        vgradient(img, g, ramp::glass, 3.0, 1.5);
        shadow_rect(img, {g.x, g.y, g.w, 2}, 2);
    } else {
        for (int p = 0; p < 2; ++p) {
            Rect pn{r.x + 4, r.y + 6 + p * (r.h / 2), r.w - 8, r.h / 2 - 10};
            shade_box(img, pn, ramp::wood, 2.4, -1.0);
        }
    }
    fill_rect(img, {r.right() - 6, r.y + r.h / 2, 3, 2}, ramp::chrome(5));
    // step
    shade_box(img, {r.x - 4, r.bottom() - 3, r.w + 8, 3}, ramp::plaster_grey, 4.0);
}

void awning(Image& img, int x0, int x1, int top, const Ramp& stripe, bool winter) {
    int depth = 24;
    std::vector<Pt> poly = {{x0 + 0.0, double(top)}, {x1 + 0.0, double(top)}, {x1 + 6.0, double(top + depth)},
                            {x0 - 6.0, double(top + depth)}};
    fill_polygon(img, poly, [&](int x, int y) {
        double t = double(y - top) / depth;
        int band = int(std::floor((x - x0 + 6 * t * ((x - (x0 + x1) / 2.0) / ((x1 - x0) / 2.0))) / 12.0));
        double pos = 4.2 - t * 1.2;
        return (band & 1) ? dither(ramp::grey, pos + 3.4, x, y) : dither(stripe, pos - 0.5, x, y);
    });
    // scalloped valance
    for (int x = x0 - 6; x < x1 + 6; ++x) {
        int band = ((x - x0 + 6) / 12) & 1;
        int d = 5 - std::abs(((x - x0 + 6) % 12) - 6) / 2;
        for (int k = 0; k < d; ++k)
            img.set(x, top + depth + k, band ? ramp::grey(7 - k / 2) : stripe(3 - k / 2));
    }
    shadow_rect(img, {x0 - 4, top + depth + 5, x1 - x0 + 10, 10}, 2, 0.7);
    if (winter)
        for (int x = x0; x < x1; ++x) {
            int hgt = 2 + int(fractal_noise(x, 0, 8, 2, 77) * 3);
            for (int k = 0; k < hgt; ++k) img.set(x, top + k, ramp::snow(5 - (k == hgt - 1)));
        }
}

void shop_sign(Image& img, int x0, int x1, int y, const char* text, const Ramp& board, uint8_t ink, int scale = 2) {
    TextStyle st{scale, true};
    int tw = text_width(text, st);
    int w = tw + 8 * scale;
    int cx = (x0 + x1) / 2;
    Rect r{cx - w / 2, y, w, 13 * scale};
    shade_box(img, r, board, 2.2, 1.2);
    fill_rect(img, {r.x + 2, r.y + 2, r.w - 4, 1}, board(4));
    draw_text_shadowed(img, cx - tw / 2, y + 1, text, ink, board(0), st);
}

void paint_ground_floor(Scene& s, const House& h, int index) {
    Image& img = s.back;
    switch (index) {
    case 0:
        door(img, {40, 350, 34, 90}, false);
        shop_window(img, {86, 350, 34, 72}, 4, 50);
        break;
    case 1:
        shop_sign(img, 140, 236, 314, "Schreibwaren", ramp::cloth_blue, ramp::grey(8), 1);
        shop_window(img, {138, 346, 96, 90}, 0, 51);
        door(img, {252, 352, 36, 88}, true);
        break;
    case 2:
        // the house door, framed in sandstone, with a fanlight
        door(img, {484, 356, 36, 84}, false);
        shade_ball(img, 502, 352, 18, 10, ramp::plaster_grey, 4.0, 1.0);
        fill_ellipse(img, 502, 353, 13, 7, [&](int x, int y) { return y < 356 ? dither(ramp::glass, 2.5, x, y) : KEY; });
        shop_window(img, {372, 346, 90, 90}, 4, 52);
        break;
    case 3:
        shop_window(img, {600, 352, 90, 84}, 1, 53);
        door(img, {706, 356, 34, 84}, true);
        shop_window(img, {756, 352, 70, 84}, 1, 54);
        awning(img, 596, 832, 338, ramp::cloth_red, s.winter);
        shop_sign(img, 640, 832, 308, "Bäckerei", ramp::wood, ramp::paint_yellow(5));
        break;
    case 4:
        shop_window(img, {848, 350, 64, 86}, 2, 55);
        door(img, {924, 356, 32, 84}, true);
        shop_window(img, {966, 350, 28, 86}, 2, 56);
        shop_sign(img, 842, 950, 312, "Apotheke", ramp::cloth_green, ramp::grey(8));
        break;
    default:
        shop_window(img, {1004, 352, 20, 84}, 4, 57);
        break;
    }
    (void)h;
}

}  // namespace

const std::vector<Window>& windows() {
    static const std::vector<Window> w = make_windows();
    return w;
}

void paint_houses(Scene& s) {
    int index = 0;
    for (const House& h : kHouses) {
        paint_house(s, h, index);
        for (const Window& w : windows()) {
            if (w.r.x < h.x0 || w.r.x >= h.x1 || w.r.y < h.eave - 10 - (h.roof == RoofKind::Gable ? 100 : 0)) continue;
            window_surround(s.back, w, h.wall, h.brick, s.winter);
            paint_window(s.back, w, false, s.winter);
            if (w.flower_box) flower_box(s.back, w, s.winter);
        }
        paint_ground_floor(s, h, index);
        ++index;
    }
}

void paint_window(Image& img, const Window& w, bool lit, bool winter) {
    const Rect& r = w.r;
    if (!lit) {
        // white frame, lit on the top and left
        fill_rect(img, r, [&](int x, int y) {
            bool edge_lit = y == r.y || x == r.x;
            bool edge_dark = y == r.bottom() - 1 || x == r.right() - 1;
            return ramp::grey(edge_lit ? 8 : edge_dark ? 5 : 7);
        });
    }
    Rect g{r.x + 2, r.y + 2, r.w - 4, r.h - 4};
    int mid = g.x + g.w / 2 - 1;
    int transom = g.y + g.h / 3;
    uint32_t seed = hash2(r.x, r.y, 5);
    for (int y = g.y; y < g.bottom(); ++y)
        for (int x = g.x; x < g.right(); ++x) {
            bool bar = (x == mid || x == mid + 1 || y == transom || y == transom + 1);
            if (bar) {
                if (!lit) img.set(x, y, ramp::grey(x == mid + 1 || y == transom + 1 ? 6 : 7));
                continue;
            }
            double u = double(x - g.x) / g.w, v = double(y - g.y) / g.h;
            bool side_curtain = w.curtain == 2 && (u < 0.18 || u > 0.82);
            bool net = w.curtain == 1 && y > transom + 1 && v < 0.95;
            uint8_t c;
            if (!lit) {
                double pos = 3.6 - v * 2.0 + ((x - g.x) + (y - g.y) < g.w * 0.6 ? 1.0 : 0);
                if (((x - g.x) - (y - g.y) + 200) % 23 < 3) pos += 1.5;  // reflected sky streak
                c = dither(ramp::glass, pos, x, y);
                if (side_curtain) c = dither(ramp::cloth_beige, 3.5 + ((x / 2) % 2) * 0.8, x, y);
                if (net) c = ((x + y) % 2) ? ramp::grey(7) : dither(ramp::glass, pos + 1.5, x, y);
                if (y == g.y || y == transom + 2) c = shift(c, -2);  // shade under the frame
            } else {
                double pos = 4.6 - v * 1.2 - std::abs(u - 0.5) * 1.5 + (hash2(int(seed), 0, 1) % 3) * 0.3;
                c = dither(ramp::lamp, pos, x, y);
                if (side_curtain) c = dither(ramp::orange, 2.2 + ((x / 2) % 2) * 0.6, x, y);
                if (net) c = ((x + y) % 2) ? ramp::lamp(5) : ramp::lamp(3);
                if (y == g.y) c = shift(c, -1);
            }
            img.set(x, y, c);
        }
    (void)winter;
}

}  // namespace street
