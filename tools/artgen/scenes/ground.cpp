// Pavement, kerb and the two-lane road.
#include <cmath>

#include "street_parts.h"

using namespace art;

namespace street {
namespace {

// Slab joints converge slightly towards the middle of the picture, which is
// all the perspective a street seen from across the road needs.
double spread(int y) { return 1.0 + (y - kHouseFoot) / 420.0; }

const int kRows[] = {kHouseFoot, 466, 478, 492, 508, 520, kKerbTop};

void slabs(Image& img, int y0, int y1, int slab_w, int row_index) {
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < kWidth; ++x) {
            double sx = 512 + (x - 512) / spread(y) + (row_index & 1) * slab_w / 2;
            int col = int(std::floor(sx / slab_w));
            double fx = sx - col * slab_w;
            uint32_t h = hash2(col, row_index, 31);
            double pos = 3.6 + (h % 100) / 100.0 * 0.9;
            pos += (fractal_noise(x, y, 2.5, 2, 32) - 0.5) * 1.3;
            pos += (fractal_noise(x, y, 30, 2, 33) - 0.5) * 0.8;  // old wet patches
            pos -= (x - 0.0) * 0.0003;
            if (y == y0) pos = 1.6;                // joint
            else if (y == y0 + 1) pos += 1.0;      // lit front edge of the slab behind
            if (fx < 1.0 / spread(y) * 1.2) pos = 1.8;
            else if (fx < 2.0) pos += 0.5;
            if (hash2(x, y, 34) % 97 == 0) pos -= 1.5;  // grit
            img.set(x, y, dither(ramp::paving, pos, x, y));
        }
}

// Small red setts laid in a running bond across the pavement.
void red_band(Image& img, int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
        int course = (y - y0) / 5;
        for (int x = 0; x < kWidth; ++x) {
            double sx = 512 + (x - 512) / spread(y) + (course & 1) * 5;
            int col = int(std::floor(sx / 10));
            double fx = sx - col * 10;
            double pos = 2.8 + (hash2(col, course, 41) % 100) / 100.0 * 1.4;
            pos += (fractal_noise(x, y, 2, 1, 42) - 0.5) * 0.8;
            if ((y - y0) % 5 == 4 || fx < 1.0) {
                img.set(x, y, dither(ramp::paving, 2.2, x, y));
                continue;
            }
            if ((y - y0) % 5 == 0) pos += 0.8;
            img.set(x, y, dither(ramp::paving_red, pos, x, y));
        }
    }
}

void kerb(Image& img) {
    for (int y = kKerbTop; y < kRoadTop; ++y)
        for (int x = 0; x < kWidth; ++x) {
            int block = (x + (y > 534 ? 0 : 0)) / 96;
            double pos = (y < 535 ? 5.2 : 3.0 - (y - 535) * 0.3) + (hash2(block, 0, 51) % 10) / 20.0;
            pos += (fractal_noise(x, y, 1.5, 1, 52) - 0.5) * 1.4;
            if (x % 96 == 0) pos -= 1.5;
            if (y == kKerbTop) pos += 0.8;
            img.set(x, y, dither(ramp::plaster_grey, pos, x, y));
        }
}

void asphalt(Image& img, bool winter) {
    for (int y = kRoadTop; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            double pos = 2.6 + (fractal_noise(x, y, 3, 2, 61) - 0.5) * 1.0;
            pos += (fractal_noise(x, y, 80, 3, 62) - 0.5) * 1.1;
            uint32_t h = hash2(x, y, 63);
            if (h % 7 == 0) pos += 1.2;        // light grit in the surface
            else if (h % 11 == 0) pos -= 0.9;
            // worn, slightly lighter wheel tracks and a darker oily middle
            auto band = [&](double c, double wdt) { return std::exp(-std::pow((y - c) / wdt, 2)); };
            pos += 0.35 * (band(582, 4) + band(592, 3) + band(644, 4) + band(654, 3));
            pos -= 0.5 * (band(572, 3) + band(628, 4)) * fractal_noise(x, y, 12, 2, 64);
            if (y < kRoadTop + 7) pos -= 0.4;  // gutter
            img.set(x, y, dither(ramp::asphalt, pos, x, y));
        }
    // gutter setts
    for (int y = kRoadTop; y < kRoadTop + 6; ++y)
        for (int x = 0; x < kWidth; ++x) {
            bool joint = x % 9 == 0 || y == kRoadTop + 5;
            double pos = joint ? 1.2 : 3.2 + (hash2(x / 9, 0, 64) % 10) / 10.0 + (fractal_noise(x, y, 2, 1, 65) - 0.5);
            img.set(x, y, dither(ramp::plaster_grey, pos - 0.6, x, y));
        }
    // dashed centre line, worn
    for (int y = kLaneSplit - 2; y < kLaneSplit + 2; ++y)
        for (int x = 0; x < kWidth; ++x) {
            int m = (x + 20) % 88;
            if (m >= 50) continue;
            double wear = fractal_noise(x, y, 3, 2, 66);
            if (wear < 0.3) continue;
            img.set(x, y, dither(ramp::grey, 7.0 + (y == kLaneSplit - 2 ? 0.6 : 0) - (wear < 0.4 ? 1.5 : 0), x, y));
        }
    // tar-sealed cracks wandering across the lanes
    Rng rng(67);
    for (int i = 0; i < 14; ++i) {
        double x = rng.range(0, kWidth), y = rng.range(kRoadTop + 10, kHeight - 4);
        double ang = (rng.real() - 0.5) * 0.9 + (rng.chance(0.3) ? 1.4 : 0);
        int len = rng.range(20, 90);
        for (int k = 0; k < len; ++k) {
            ang += (rng.real() - 0.5) * 0.5;
            x += std::cos(ang);
            y += std::sin(ang) * 0.5;
            int iy = int(y);
            if (iy < kRoadTop + 8 || iy >= kHeight || (iy >= kLaneSplit - 2 && iy < kLaneSplit + 2)) continue;
            img.set(int(x), iy, ramp::asphalt(0));
            if (k % 3 == 0) img.set(int(x) + 1, iy, ramp::asphalt(1));
        }
    }
    // an old patch of newer, darker asphalt with a ragged edge
    for (int y = 606; y < 634; ++y)
        for (int x = 120; x < 260; ++x) {
            double e = fractal_noise(x, y, 6, 2, 74);
            double dx = (x - 190) / 70.0, dy = (y - 620) / 14.0;
            if (dx * dx + dy * dy + (e - 0.5) * 0.6 > 1.0) continue;
            img.set(x, y, dither(ramp::asphalt, 1.8 + (hash2(x, y, 75) % 9 == 0 ? 1.2 : 0) + (e - 0.5), x, y));
        }
    // manhole cover and drain grate
    shade_ball(img, 330, 628, 16, 5, ramp::asphalt, 2.4, -1.2);
    fill_ellipse(img, 330, 628, 13, 4, [&](int x, int y) { return ((x + y) % 3 == 0) ? ramp::asphalt(1) : ramp::asphalt(3); });
    fill_rect(img, {690, kRoadTop, 24, 6}, [&](int x, int y) { return (x % 3 == 0) ? ramp::night(0) : ramp::grey(2 + (y == kRoadTop)); });
    if (winter) {
        // ploughed snow along the gutter and the near edge, grey with grit
        for (int x = 0; x < kWidth; ++x) {
            int top = kRoadTop + 10 + int(fractal_noise(x, 0, 14, 2, 69) * 10) - 3;
            if (x >= 686 && x < 718) top = kRoadTop;  // the drain is kept clear
            for (int y = kRoadTop - 4; y < top && y < kRoadTop + 18; ++y) {
                double pos = 4.4 - (y == top - 1 ? 1.3 : 0) + (fractal_noise(x, y, 2, 2, 70) - 0.5) * 1.6;
                if (hash2(x, y, 71) % 11 == 0) pos -= 2.2;
                img.set(x, y, dither(ramp::snow, pos, x, y));
            }
            int near = 652 + int(fractal_noise(x, 5, 10, 2, 72) * 6);
            for (int y = near; y < kHeight; ++y)
                img.set(x, y, dither(ramp::snow, 4.0 - (y == near ? 1.2 : 0) + (fractal_noise(x, y, 2, 2, 73) - 0.5) * 1.4, x, y));
        }
    }
}

}  // namespace

void paint_ground(Scene& s) {
    Image& img = s.front;
    for (int i = 0; i + 1 < int(sizeof(kRows) / sizeof(kRows[0])); ++i) {
        if (kRows[i] == 492) {
            red_band(img, 492, 508);
            continue;
        }
        slabs(img, kRows[i], kRows[i + 1], 46, i);
    }
    // the wall foot throws a narrow shadow onto the first slab row
    shadow_rect(img, {0, kHouseFoot, kWidth, 3}, 2, 0.8);
    kerb(img);
    asphalt(img, s.winter);
    if (s.winter) {
        // what the sweeper pushed against the house fronts, clear of the band
        // none inside the shelter nor in front of the doors
        const int clear[][2] = {{12, 304}, {480, 524}, {702, 744}, {920, 960}};
        for (int x = 0; x < kWidth; ++x) {
            bool skip = false;
            for (auto& c : clear) skip |= x >= c[0] && x < c[1];
            if (skip) continue;
            int hgt = 2 + int(fractal_noise(x, 0, 11, 2, 76) * 6);
            for (int k = 0; k < hgt; ++k) {
                int y = kSweptTop - 1 - k;
                img.set(x, y, dither(ramp::snow, 4.8 - (k == 0 ? 1.0 : 0) - (k == hgt - 1 ? -0.3 : 0), x, y));
            }
        }
    }
}

}  // namespace street
