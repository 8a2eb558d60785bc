// Things standing on the pavement: the bus shelter with its clock, the
// board's footings, the telephone booth, street lamps, the lime tree and a
// bicycle.
#include <cmath>

#include "../core/font.h"
#include "street_parts.h"

using namespace art;

namespace street {
namespace {

void post(Image& img, int x, int w, int y0, int y1, const Ramp& r) {
    for (int y = y0; y < y1; ++y)
        for (int k = 0; k < w; ++k) {
            double pos = k == 0 ? 4.6 : k == w - 1 ? 1.2 : 3.0 - k * 0.3;
            img.set(x + k, y, dither(r, pos, x + k, y));
        }
}

void rail(Image& img, int x0, int x1, int y, int h, const Ramp& r) {
    for (int x = x0; x < x1; ++x)
        for (int k = 0; k < h; ++k) {
            double pos = k == 0 ? 4.5 : k == h - 1 ? 1.0 : 3.0;
            img.set(x, y + k, dither(r, pos, x, y + k));
        }
}

void bench(Image& img) {
    // steel legs and frame
    for (int lx : {36, 90, 144}) {
        post(img, lx, 3, 418, 462, ramp::steel_green);
        shadow_rect(img, {lx + 3, 460, 5, 3}, 2, 0.6);
    }
    // backrest and seat slats of varnished wood
    for (int i = 0; i < 2; ++i) rail(img, 30, 152, 420 + i * 7, 5, ramp::wood);
    for (int i = 0; i < 2; ++i) rail(img, 28, 154, 440 + i * 4, 4, ramp::wood);
    rail(img, 28, 154, 448, 2, ramp::steel_green);
    shadow_rect(img, {30, 450, 126, 8}, 2, 0.5);
}

void timetable(Image& img) {
    Rect r{246, 318, 40, 56};
    shade_box(img, r, ramp::steel_green, 3.0, 1.0);
    Rect p{r.x + 3, r.y + 3, r.w - 6, r.h - 6};
    fill_rect(img, p, [&](int x, int y) { return dither(ramp::grey, 7.3 - (y - p.y) * 0.01, x, y); });
    draw_text(img, p.x + 2, p.y - 1, "Linie 5", ramp::cloth_blue(2));
    for (int y = p.y + 12; y < p.bottom() - 3; y += 3)
        for (int x = p.x + 2; x < p.right() - 2; ++x)
            if ((x / 4 + y) % 5 != 0 && hash2(x / 4, y, 80) % 7) img.set(x, y, ramp::grey(3));
    // glass sheen on the case
    for (int k = 0; k < 10; ++k) img.set(p.x + 20 + k, p.y + 1 + k, ramp::grey(8));
}

void clock_housing(Image& img, bool winter) {
    Rect box{30, 226, 83, 40};
    shade_box(img, box, ramp::steel_green, 3.0, 1.2);
    // a small hood
    shade_box(img, {28, 224, 87, 4}, ramp::steel_green, 3.6, 1.0);
    if (winter) {
        for (int x = 28; x < 115; ++x) {
            int hgt = 2 + int(fractal_noise(x, 0, 6, 1, 90) * 3);
            for (int k = 1; k <= hgt; ++k) img.set(x, 224 - k, ramp::snow(k == hgt ? 3 : 5));
        }
    }
    // bezel around the display
    shade_box(img, {36, 230, 71, 34}, ramp::steel_green, 2.0, -1.0);
    fill_rect(img, {38, 232, 67, 30}, kClockFace);
    // the colon belongs to the picture, not to the digit strip
    for (int y : {241, 251}) fill_rect(img, {69, y, 3, 3}, ramp::led(2));
    shadow_rect(img, {box.right(), box.y + 3, 3, box.h - 3}, 2, 0.5);
}

}  // namespace

void paint_shelter(Scene& s) {
    Image& img = s.front;
    // glass of the back wall: the houses show through, lightly tinted
    s.glass.push_back({26, 282, 130, 166});
    s.glass.push_back({161, 282, 131, 166});
    // bottom rail and kick plates
    rail(img, 20, 298, 448, 8, ramp::steel_green);
    rail(img, 20, 298, 280, 3, ramp::steel_green);
    // posts: the front ones reach further down than the back wall
    post(img, 20, 6, 272, 472, ramp::steel_green);
    post(img, 155, 6, 272, 456, ramp::steel_green);
    post(img, 292, 6, 272, 472, ramp::steel_green);
    for (int x : {20, 292}) shade_box(img, {x - 2, 468, 10, 4}, ramp::steel_green, 2.0);
    shadow_rect(img, {298, 300, 2, 170}, 2, 0.6);
    // roof: fascia, then its dark underside with a light tube
    shade_box(img, {14, 264, 290, 10}, ramp::steel_green, 3.2, 1.2);
    draw_text(img, 176, 262, "Rathaus", ramp::grey(8));
    fill_rect(img, {16, 274, 286, 6}, [&](int x, int y) { return dither(ramp::steel_green, 0.8 + (y - 274) * 0.1, x, y); });
    fill_rect(img, {40, 277, 240, 2}, ramp::grey(7));
    if (s.winter) {
        for (int x = 12; x < 306; ++x) {
            if (x >= 30 && x < 113) continue;  // the clock housing stands there
            int hgt = 5 + int(fractal_noise(x, 0, 9, 2, 91) * 5) - (x < 16 || x > 301 ? 2 : 0);
            for (int k = 1; k <= hgt; ++k) img.set(x, 264 - k + 1, dither(ramp::snow, k == hgt ? 3.2 : 4.8 - k * 0.1, x, k));
        }
        for (int x = 14; x < 304; x += 1)
            if (hash2(x, 2, 92) % 11 == 0)
                for (int k = 0; k < 2 + int(hash2(x, 3, 92) % 4); ++k) img.set(x, 274 + k, ramp::snow(4));
    }
    clock_housing(img, s.winter);
    bench(img);
    timetable(img);
    s.lamps.push_back({158, 380, 170, 120, 0.55});
}

void paint_board_site(Scene& s) {
    // The board itself is its own picture; here only what lies around it: the
    // shadow it throws on the wall and its footings.
    shadow_rect(s.back, {468, 308, 6, 146}, 2, 0.7);
    shadow_rect(s.back, {474, 310, 4, 144}, 1, 0.6);
    for (int fx : {312, 446}) {
        shade_box(s.front, {fx - 2, 448, 14, 9}, ramp::plaster_grey, 3.4, 1.0);
        shadow_rect(s.front, {fx + 12, 452, 6, 6}, 2, 0.6);
    }
}

void paint_booth(Scene& s) {
    Image& img = s.front;
    const Ramp& y = ramp::paint_yellow;
    // interior: back wall, shelf and telephone
    fill_rect(img, {541, 352, 88, 100}, [&](int x, int yy) { return dither(y, 1.6 + (yy - 352) * 0.006, x, yy); });
    shade_box(img, {594, 378, 20, 26}, ramp::grey, 3.0, 1.2);
    fill_rect(img, {598, 384, 12, 8}, ramp::grey(1));
    shade_box(img, {590, 382, 5, 18}, ramp::grey, 2.0, 1.0);  // handset
    shade_box(img, {560, 412, 70, 5}, ramp::chrome, 3.0);
    shade_box(img, {566, 404, 24, 8}, ramp::cloth_beige, 3.0);  // the directory
    // glass in front of it: lighter, with a bluish sheen and reflections
    for (int yy = 352; yy < 452; ++yy)
        for (int x = 541; x < 629; ++x) {
            uint8_t c = shift(img.get(x, yy), 1);
            if (((x - 541) + (yy - 352)) % 41 < 4) c = shift(c, 1);
            img.set(x, yy, c);
        }
    // frame: posts, door bars, roof with the sign
    post(img, 535, 6, 336, 458, y);
    post(img, 629, 6, 336, 458, y);
    // the door is the left half, hinged on the middle post, its handle by
    // the left post; the middle bar passes below the heads of callers inside
    for (int by : {352, booth_parts::kMiddleRail, 418}) rail(img, 541, 629, by, 3, y);
    post(img, booth_parts::kDoorRight, 3, 352, 452, y);
    fill_rect(img, {booth_parts::kHandleX, booth_parts::kHandleTop, 3, booth_parts::kHandleRows}, ramp::chrome(4));  // door handle
    shade_box(img, {533, 452, 104, 8}, ramp::grey, 2.4, 1.0);
    shade_box(img, {530, 328, 110, 8}, y, 3.4, 1.2);
    Rect sign{536, 336, 98, 15};
    shade_box(img, sign, ramp::grey, 1.4, 0.6);
    draw_text(img, centred_x(sign.x, sign.w, "Telefon", {1, true}), sign.y + 1, "Telefon", y(5), {1, true});
    shadow_rect(s.back, {636, 336, 8, 120}, 2, 0.7);
    shadow_rect(img, {637, 456, 10, 4}, 2, 0.5);
    if (s.winter)
        for (int x = 529; x < 641; ++x) {
            int hgt = 2 + int(fractal_noise(x, 0, 7, 2, 93) * 4);
            for (int k = 1; k <= hgt; ++k) img.set(x, 328 - k, ramp::snow(k == hgt ? 3 : 5));
        }
    s.lamps.push_back({585, 400, 70, 80, 0.7});
}

namespace {

void street_lamp(Scene& s, int x) {
    Image& img = s.front;
    // cast-iron foot, slim pole, lantern with a hat
    for (int yy = 318; yy < 462; ++yy)
        for (int k = 0; k < 3; ++k) img.set(x - 1 + k, yy, ramp::night(k == 0 ? 5 : k == 1 ? 3 : 1));
    shade_box(img, {x - 5, 444, 11, 18}, ramp::night, 3.0, 1.2);
    shade_box(img, {x - 7, 458, 15, 5}, ramp::night, 2.4, 1.0);
    shade_box(img, {x - 3, 322, 7, 4}, ramp::night, 3.0, 1.0);
    std::vector<Pt> glass = {{x - 7.0, 304.0}, {x + 8.0, 304.0}, {x + 5.0, 322.0}, {x - 4.0, 322.0}};
    fill_polygon(img, glass, [&](int px, int py) { return dither(ramp::glass, 4.2 - (py - 304) * 0.1 - (px - x) * 0.08, px, py); });
    for (int yy = 304; yy < 322; ++yy) img.set(x, yy, ramp::night(3));
    std::vector<Pt> hat = {{x - 10.0, 304.0}, {x + 0.5, 295.0}, {x + 11.0, 304.0}};
    fill_polygon(img, hat, [&](int px, int py) { return dither(ramp::night, 4.0 - (px - x) * 0.2, px, py); });
    img.set(x, 293, ramp::night(4));
    img.set(x, 294, ramp::night(4));
    if (s.winter)
        for (int k = -9; k <= 9; ++k)
            for (int d = 0; d < 3 - std::abs(k) / 5; ++d) img.set(x + k, 303 - (10 - std::abs(k)) + 1 - d + (std::abs(k) > 7), ramp::snow(5 - d));
    shadow_rect(img, {x + 6, 460, 16, 3}, 2, 0.5);
    s.lamps.push_back({double(x), 312, 110, 80, 0.8});
}

void lime_tree(Scene& s, int x) {
    Image& img = s.front;
    // grate and trunk
    Rect grate{x - 22, 462, 44, 8};
    fill_rect(img, grate, [&](int px, int py) {
        bool bar = (px - grate.x) % 4 == 0 || py == grate.y || py == grate.bottom() - 1 || std::abs(px - x) < 6;
        return bar ? dither(ramp::night, 3.0 - (py - grate.y) * 0.2, px, py) : ramp::night(0);
    });
    for (int yy = 330; yy < 466; ++yy) {
        int w = yy > 455 ? 9 : 7;
        for (int k = 0; k < w; ++k) {
            double pos = 4.0 - k * 0.5 + (fractal_noise(x + k, yy, 2, 2, 94) - 0.5) * 1.5;
            img.set(x - w / 2 + k, yy, dither(ramp::dusk, pos, x + k, yy));
        }
    }
    Rng rng(uint64_t(x) * 31 + 7);
    if (!s.winter) {
        for (int i = 0; i < 46; ++i) {
            double a = rng.real() * 6.283, d = std::sqrt(rng.real());
            double cx = x + std::cos(a) * d * 48, cy = 360 + std::sin(a) * d * 56;
            double r = rng.range(9, 15);
            // blobs nearer the lower right sit in the crown's own shade
            double base = 3.8 - (cx - x) * 0.012 - (cy - 360) * 0.012;
            fill_ellipse(img, cx, cy, r, r * 0.9, [&](int px, int py) {
                double dx = (px + 0.5 - cx) / r, dy = (py + 0.5 - cy) / r;
                double lit = -dx * 0.6 - dy * 0.7;
                double leaf = fractal_noise(px, py, 2, 2, 95) - 0.5;
                return dither(ramp::foliage, base + lit * 1.6 + leaf * 1.8, px, py);
            });
        }
    } else {
        // bare crown: forked branches with snow on their upper sides
        std::function<void(double, double, double, double, int)> branch = [&](double bx, double by, double ang, double len, int depth) {
            double ex = bx + std::cos(ang) * len, ey = by + std::sin(ang) * len;
            int steps = int(len);
            for (int k = 0; k <= steps; ++k) {
                double t = double(k) / std::max(1, steps);
                int px = int(bx + (ex - bx) * t), py = int(by + (ey - by) * t);
                int thick = depth >= 5 ? 5 : depth >= 4 ? 3 : depth >= 2 ? 2 : 1;
                for (int q = 0; q < thick; ++q) img.set(px + q, py, ramp::dusk(2 + (q == 0)));
                if (depth <= 3 && std::sin(ang) < 0.2 && hash2(px, py, 96) % 3) img.set(px, py - 1, ramp::snow(5));
            }
            if (depth == 0) return;
            int n = depth >= 3 ? 2 : 3;
            for (int i = 0; i < n; ++i)
                branch(ex, ey, ang + (rng.real() - 0.5) * 1.4 + (i - (n - 1) / 2.0) * 0.5, len * (0.62 + rng.real() * 0.15), depth - 1);
        };
        for (double a : {-1.2, -1.57, -1.95}) branch(x + 1, 340, a, 30, 5);
    }
}

void bicycle(Scene& s, int x) {
    Image& img = s.front;
    int gy = 458;  // wheels touch the pavement's first row
    for (int cx : {x + 9, x + 45}) {
        for (double a = 0; a < 6.283; a += 0.02) {
            int px = int(std::round(cx + std::cos(a) * 11)), py = int(std::round(gy - 11 + std::sin(a) * 11));
            img.set(px, py, ramp::grey(1));
            img.set(int(std::round(cx + std::cos(a) * 10)), int(std::round(gy - 11 + std::sin(a) * 10)), ramp::grey(3));
        }
        for (double a = 0; a < 3.14; a += 0.39)
            line(img, int(cx - std::cos(a) * 9), int(gy - 11 - std::sin(a) * 9), int(cx + std::cos(a) * 9), int(gy - 11 + std::sin(a) * 9), ramp::chrome(3));
    }
    uint8_t f = ramp::paint_blue(3), fd = ramp::paint_blue(1);
    line(img, x + 9, gy - 11, x + 24, gy - 11, f);
    line(img, x + 24, gy - 11, x + 20, gy - 30, f);
    line(img, x + 9, gy - 11, x + 20, gy - 28, fd);
    line(img, x + 20, gy - 28, x + 40, gy - 28, f);
    line(img, x + 24, gy - 11, x + 40, gy - 28, fd);
    line(img, x + 40, gy - 28, x + 45, gy - 11, f);
    line(img, x + 40, gy - 28, x + 38, gy - 34, ramp::chrome(2));
    fill_rect(img, {x + 34, gy - 35, 9, 2}, ramp::chrome(4));
    fill_rect(img, {x + 16, gy - 32, 9, 3}, ramp::grey(1));  // saddle
    shade_box(img, {x - 2, gy - 22, 14, 8}, ramp::chrome, 3.0, 1.0);  // carrier basket
    if (s.winter) {
        fill_rect(img, {x + 16, gy - 34, 9, 2}, ramp::snow(5));
        fill_rect(img, {x - 2, gy - 24, 14, 2}, ramp::snow(5));
        fill_rect(img, {x + 34, gy - 36, 8, 1}, ramp::snow(4));
    }
}

}  // namespace

void paint_street_furniture(Scene& s) {
    street_lamp(s, 484);
    street_lamp(s, 842);
    lime_tree(s, 985);
    bicycle(s, 720);
}

}  // namespace street
