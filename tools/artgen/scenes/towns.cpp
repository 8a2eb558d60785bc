// Small street scenes painted directly at preview size: at 262 x 169 a
// window is a few pixels, so these are drawn with their own light hand
// rather than shrunk from full-size paintings.
#include "towns.h"

#include <cmath>

#include "../core/draw.h"
#include "../core/rng.h"

using namespace art;

namespace towns {
namespace {

constexpr int kFoot = 117, kKerb = 136, kRoad = 139;

void sky(Image& img, uint32_t seed) {
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            double c = fractal_noise(x * 0.6, y * 1.6, 20, 3, seed) - 0.58;
            if (c > 0) img.set(x, y, dither(ramp::snow, 5.0 + c * 6, x, y));
            else img.set(x, y, dither(ramp::sky_day, 1.8 + std::min(1.0, y / 70.0) * 4.6, x, y));
        }
}

void window_px(Image& img, int x, int y, int w, int h) {
    fill_rect(img, {x - 1, y - 1, w + 2, h + 2}, ramp::grey(7));
    fill_rect(img, {x, y, w, h}, [&](int px, int py) { return dither(ramp::glass, 3.6 - (py - y) * 0.5 + (px == x ? 1 : 0), px, py); });
    if (w >= 4) for (int py = y; py < y + h; ++py) img.set(x + w / 2, py, ramp::grey(6));
    for (int px = x - 1; px <= x + w; ++px) img.set(px, y + h + 1, ramp::plaster_grey(5));
}

struct Front {
    int x0, x1, eave, ridge;
    Ramp wall, roof;
    bool timbered;
    bool gable;
};

void front(Image& img, const Front& f, uint32_t seed) {
    Rect body{f.x0, f.eave, f.x1 - f.x0, kFoot - f.eave};
    fill_rect(img, body, [&](int x, int y) {
        return dither(f.wall, 4.4 + (fractal_noise(x, y, 2, 2, seed) - 0.5) * 0.8 - (x == f.x1 - 1 ? 1.5 : 0), x, y);
    });
    int w = f.x1 - f.x0;
    std::vector<Pt> roof;
    if (f.gable) roof = {{f.x0 - 1.0, f.eave + 1.0}, {f.x0 + w / 2.0, double(f.ridge)}, {f.x1 + 1.0, f.eave + 1.0}};
    else roof = {{f.x0 - 1.0, f.eave + 1.0}, {f.x0 + 2.0, double(f.ridge)}, {f.x1 - 2.0, double(f.ridge)}, {f.x1 + 1.0, f.eave + 1.0}};
    if (f.gable) {
        Rect gb{f.x0, f.ridge, w, f.eave - f.ridge};
        fill_polygon(img, {{double(f.x0 + 2), double(f.eave)}, {f.x0 + w / 2.0, f.ridge + 3.0}, {double(f.x1 - 2), double(f.eave)}},
                     [&](int x, int y) { return dither(f.wall, 4.6 + (fractal_noise(x, y, 2, 2, seed) - 0.5) * 0.8, x, y); });
        (void)gb;
        for (int k = 0; k < 2; ++k) {
            line(img, f.x0 - 1, f.eave + 1 - k, f.x0 + w / 2, f.ridge + 1 - k, f.roof(4 - k));
            line(img, f.x0 + w / 2, f.ridge + 1 - k, f.x1 + 1, f.eave + 1 - k, f.roof(2 - k));
        }
    } else {
        fill_polygon(img, roof, [&](int x, int y) { return dither(f.roof, 3.2 + ((y % 3) == 0 ? -1 : 0) + (hash2(x / 3, y / 3, seed) % 10) * 0.06, x, y); });
        for (int x = f.x0 - 1; x <= f.x1; ++x) img.set(x, f.eave + 1, ramp::grey(3));
    }
    if (f.timbered) {
        // dark beams: posts, rails and braces
        uint8_t beam = ramp::wood(1);
        for (int y = f.eave; y < kFoot - 24; y += 13) for (int x = f.x0; x < f.x1; ++x) img.set(x, y, beam);
        for (int x = f.x0; x < f.x1; x += 8) for (int y = f.eave; y < kFoot - 24; ++y) img.set(x, y, beam);
        for (int x = f.x0; x + 8 <= f.x1; x += 16) for (int y = f.eave; y + 13 < kFoot - 24; y += 13) line(img, x, y + 12, x + 7, y, beam);
    }
    for (int y = f.eave + 5; y < kFoot - 26; y += 13)
        for (int x = f.x0 + 3; x + 5 < f.x1 - 1; x += f.timbered ? 16 : 9)
            window_px(img, x + (f.timbered ? 2 : 0), y, f.timbered ? 4 : 4, 6);
    // ground floor: shop window or door
    fill_rect(img, {f.x0 + 3, kFoot - 20, std::min(22, w - 10), 17}, [&](int x, int y) { return dither(ramp::glass, 3.0 - (y - kFoot + 20) * 0.08, x, y); });
    fill_rect(img, {f.x1 - 8, kFoot - 18, 5, 18}, ramp::wood(2));
    for (int x = f.x0; x < f.x1; ++x) img.set(x, kFoot - 23, f.wall(6)), img.set(x, kFoot - 22, f.wall(2));
}

void pavement_and_road(Image& img, bool setts) {
    for (int y = kFoot; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            uint8_t c;
            if (y < kKerb) {
                bool joint = (y - kFoot) % 5 == 0 || (x + (y - kFoot) / 5 * 6) % 12 == 0;
                c = dither(ramp::paving, joint ? 2.4 : 4.0 + (hash2(x, y, 5) % 4) * 0.2, x, y);
            } else if (y < kRoad) {
                c = dither(ramp::plaster_grey, y == kKerb ? 5.5 : 3.0, x, y);
            } else if (setts) {
                bool joint = (y % 3 == 0) || ((x + (y / 3) * 2) % 5 == 0);
                c = dither(ramp::plaster_grey, joint ? 1.6 : 3.0 + (hash2(x, y / 3, 6) % 5) * 0.2, x, y);
            } else {
                c = dither(ramp::asphalt, 3.0 + (fractal_noise(x, y, 2, 2, 7) - 0.5) * 1.2, x, y);
            }
            img.set(x, y, c);
        }
    shadow_rect(img, {0, kFoot, kWidth, 2}, 2, 0.8);
}

void tree(Image& img, int x, int base, int r, uint32_t seed) {
    for (int y = base - r; y < base; ++y) img.set(x, y, ramp::dusk(3)), img.set(x + 1, y, ramp::dusk(1));
    Rng rng(seed);
    for (int i = 0; i < 14; ++i) {
        double a = rng.real() * 6.283, d = std::sqrt(rng.real()) * r * 0.7;
        double cx = x + std::cos(a) * d, cy = base - r * 1.5 + std::sin(a) * d;
        shade_ball(img, cx, cy, r * 0.5, r * 0.45, ramp::foliage, 4.0 - (cx - x) * 0.05, 2.0);
    }
}

Image market() {
    Image img(kWidth, kHeight);
    sky(img, 1);
    // the town hall with its tower in the middle
    fill_rect(img, {118, 14, 24, 60}, [&](int x, int y) { return dither(ramp::plaster_grey, 5.0 - (x - 118) * 0.07, x, y); });
    fill_polygon(img, {{116, 14}, {130, 0}, {144, 14}}, [&](int x, int y) { return dither(ramp::grey_green, x < 130 ? 4.0 : 2.6, x, y); });
    shade_ball(img, 130, 26, 5, 5, ramp::grey, 7.0, 0.8);
    line(img, 130, 26, 130, 23, ramp::night(0));
    line(img, 130, 26, 132, 26, ramp::night(0));
    const Front fronts[] = {
        {0, 40, 52, 30, ramp::plaster_grey, ramp::tile, true, true},
        {40, 74, 58, 40, ramp::salmon, ramp::slate, false, false},
        {74, 118, 46, 20, ramp::plaster_yellow, ramp::tile, true, true},
        {118, 142, 60, 50, ramp::ochre, ramp::slate, false, false},
        {142, 186, 46, 20, ramp::plaster_grey, ramp::tile, true, true},
        {186, 222, 56, 38, ramp::grey_green, ramp::slate, false, false},
        {222, 262, 50, 28, ramp::plaster_yellow, ramp::tile, true, true},
    };
    uint32_t s = 20;
    for (const Front& f : fronts) front(img, f, s++);
    pavement_and_road(img, true);
    // market stalls with striped roofs and a fountain
    for (int sx : {18, 190}) {
        for (int x = sx; x < sx + 44; ++x)
            for (int y = 104; y < 110; ++y) img.set(x, y, ((x - sx) / 4) % 2 ? ramp::grey(8) : ramp::cloth_red(3 - (y > 107)));
        fill_rect(img, {sx + 2, 110, 40, 12}, ramp::wood(3));
        for (int k = 0; k < 8; ++k) shade_ball(img, sx + 5 + k * 5, 111, 2.5, 2, k % 2 ? ramp::paint_red : ramp::foliage, 4, 1);
        fill_rect(img, {sx + 1, 104, 1, 24}, ramp::grey(2));
        fill_rect(img, {sx + 42, 104, 1, 24}, ramp::grey(2));
    }
    shade_box(img, {110, 120, 40, 8}, ramp::plaster_grey, 4.0, 1.2);
    fill_rect(img, {112, 120, 36, 2}, ramp::glass(4));
    fill_rect(img, {128, 100, 4, 20}, ramp::plaster_grey(5));
    shade_ball(img, 130, 98, 4, 3, ramp::plaster_grey, 5.0);
    for (int k = 0; k < 6; ++k) img.set(126 - k, 100 + k * 2, ramp::glass(6)), img.set(134 + k, 100 + k * 2, ramp::glass(6));
    return img;
}

Image suburb() {
    Image img(kWidth, kHeight);
    sky(img, 2);
    // distant wooded hill
    for (int x = 0; x < kWidth; ++x) {
        int top = 62 + int(std::sin(x / 40.0) * 6 + fractal_noise(x, 0, 6, 2, 30) * 6);
        for (int y = top; y < 100; ++y) img.set(x, y, dither(ramp::foliage, 2.6 + (fractal_noise(x, y, 3, 2, 31) - 0.5) * 1.5, x, y));
    }
    struct Villa { int x, w, eave, ridge; Ramp wall, roof; };
    const Villa vs[] = {{8, 58, 74, 46, ramp::plaster_yellow, ramp::tile}, {96, 64, 70, 40, ramp::plaster_grey, ramp::slate},
                        {190, 56, 74, 48, ramp::salmon, ramp::tile}};
    for (const Villa& v : vs) {
        fill_rect(img, {v.x, v.eave, v.w, 104 - v.eave}, [&](int x, int y) { return dither(v.wall, 4.6 + (fractal_noise(x, y, 2, 2, 32) - 0.5) * 0.6 - (x > v.x + v.w - 3 ? 1.5 : 0), x, y); });
        fill_polygon(img, {{v.x - 5.0, v.eave + 1.0}, {v.x + v.w / 2.0, double(v.ridge)}, {v.x + v.w + 5.0, v.eave + 1.0}},
                     [&](int x, int y) { return dither(v.roof, (x < v.x + v.w / 2 ? 4.0 : 2.6) + ((y % 3) == 0 ? -0.8 : 0), x, y); });
        for (int wx = v.x + 6; wx + 8 < v.x + v.w; wx += 16) window_px(img, wx, v.eave + 8, 6, 8);
        fill_rect(img, {v.x + v.w / 2 - 3, 88, 7, 16}, ramp::wood(2));
        fill_rect(img, {v.x + v.w / 2 + 7, v.ridge + 8, 4, 8}, ramp::brick(2));
    }
    // front gardens: lawn, hedges, picket fences
    for (int y = 100; y < kFoot; ++y)
        for (int x = 0; x < kWidth; ++x) img.set(x, y, dither(ramp::foliage, 4.2 + (fractal_noise(x, y, 2, 2, 33) - 0.5) * 1.2, x, y));
    for (int x = 0; x < kWidth; ++x)
        for (int y = 104; y < 114; ++y)
            if ((x / 30) % 3 != 1) img.set(x, y, dither(ramp::foliage, 2.4 + (fractal_noise(x, y, 1.5, 2, 34) - 0.5) * 2 + (y < 106 ? 1 : 0), x, y));
            else if (x % 4 == 0 || y == 107 || y == 111) img.set(x, y, ramp::grey(7));
    tree(img, 80, 112, 18, 35);
    tree(img, 172, 112, 14, 36);
    pavement_and_road(img, false);
    for (int x = 0; x < kWidth; x += 14) fill_rect(img, {x, 153, 7, 1}, ramp::grey(7));
    // a parked car
    shade_box(img, {150, 142, 40, 10}, ramp::paint_blue, 3.4, 1.2);
    shade_box(img, {158, 135, 22, 8}, ramp::paint_blue, 3.6, 1.2);
    fill_rect(img, {160, 137, 8, 5}, ramp::glass(4));
    fill_rect(img, {170, 137, 8, 5}, ramp::glass(3));
    for (int wx : {158, 182}) fill_ellipse(img, wx, 152, 4, 4, ramp::grey(1));
    return img;
}

Image tram_street() {
    Image img(kWidth, kHeight);
    sky(img, 3);
    const Front fronts[] = {
        {0, 48, 20, 8, ramp::ochre, ramp::slate, false, false},
        {48, 100, 16, 4, ramp::plaster_grey, ramp::slate, false, false},
        {100, 146, 24, 10, ramp::brick, ramp::tile, false, false},
        {146, 204, 14, 2, ramp::plaster_yellow, ramp::slate, false, false},
        {204, 262, 22, 8, ramp::grey_green, ramp::tile, false, false},
    };
    uint32_t s = 40;
    for (const Front& f : fronts) front(img, f, s++);
    // balconies on the tall fronts
    for (int y = 40; y < 90; y += 13)
        for (int bx : {52, 150, 176}) fill_rect(img, {bx, y + 6, 14, 2}, ramp::chrome(2));
    pavement_and_road(img, false);
    // tram tracks, a tram and the overhead wire on poles
    for (int ry : {150, 156, 161, 167})
        for (int x = 0; x < kWidth; ++x) img.set(x, ry, ramp::chrome(4)), img.set(x, ry + 1, ramp::asphalt(1));
    Rect tram{40, 124, 150, 32};
    shade_box(img, tram, ramp::paint_red, 3.4, 1.2);
    fill_rect(img, {tram.x, tram.y, tram.w, 12}, [&](int x, int y) { return dither(ramp::cloth_beige, 5.0 - (y - tram.y) * 0.1, x, y); });
    for (int wx = tram.x + 6; wx < tram.right() - 10; wx += 16) fill_rect(img, {wx, tram.y + 3, 12, 9}, [&](int x, int y) { return dither(ramp::glass, 3.6 - (y - tram.y) * 0.2, x, y); });
    fill_rect(img, {tram.x + 70, tram.y + 3, 10, 27}, ramp::glass(2));
    line(img, 110, tram.y, 104, 112, ramp::grey(2));
    line(img, 104, 112, 116, 112, ramp::grey(2));
    for (int px : {20, 236}) fill_rect(img, {px, 100, 2, 36}, ramp::grey(2));
    for (int x = 0; x < kWidth; ++x) img.set(x, 111, ramp::grey(1));
    fill_rect(img, {tram.x + 6, 156, 10, 3}, ramp::grey(1));
    fill_rect(img, {tram.right() - 16, 156, 10, 3}, ramp::grey(1));
    return img;
}

}  // namespace

Image paint_town(int background) {
    switch (background) {
    case 2: return market();
    case 3: return suburb();
    default: return tram_street();
    }
}

}  // namespace towns
