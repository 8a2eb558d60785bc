#include "draw.h"

#include <algorithm>
#include <cmath>

#include "rng.h"

namespace art {

int bayer8(int x, int y) {
    static const int m[8][8] = {{0, 32, 8, 40, 2, 34, 10, 42},   {48, 16, 56, 24, 50, 18, 58, 26},
                                {12, 44, 4, 36, 14, 46, 6, 38},  {60, 28, 52, 20, 62, 30, 54, 22},
                                {3, 35, 11, 43, 1, 33, 9, 41},   {51, 19, 59, 27, 49, 17, 57, 25},
                                {15, 47, 7, 39, 13, 45, 5, 37},  {63, 31, 55, 23, 61, 29, 53, 21}};
    return m[y & 7][x & 7];
}

uint8_t dither(const Ramp& r, double pos, int x, int y) {
    double f = std::floor(pos);
    double frac = pos - f;
    int step = int(f) + ((frac * 64.0) > bayer8(x, y) + 0.5 ? 1 : 0);
    return r(step);
}

namespace {
const Ramp kAllRamps[] = {
    ramp::sky_day,    ramp::sky_night,   ramp::ochre,      ramp::plaster_yellow, ramp::salmon,
    ramp::grey_green, ramp::plaster_grey, ramp::brick,     ramp::slate,          ramp::tile,
    ramp::asphalt,    ramp::paving,      ramp::paving_red, ramp::glass,          ramp::foliage,
    ramp::wood,       ramp::skin,        ramp::hair,       ramp::cloth_red,      ramp::cloth_blue,
    ramp::cloth_green, ramp::cloth_beige, ramp::paint_red, ramp::paint_blue,     ramp::paint_yellow,
    ramp::paint_green, ramp::steel_green, ramp::chrome,    ramp::lamp,           ramp::snow,
    ramp::grey,       ramp::night,       ramp::dusk,       ramp::led,            ramp::purple,
    ramp::orange};
}

const Ramp* ramp_of(uint8_t index) {
    for (const Ramp& r : kAllRamps)
        if (r.holds(index)) return &r;
    return nullptr;
}

uint8_t shift(uint8_t index, int steps) {
    if (index == KEY || steps == 0) return index;
    if (const Ramp* r = ramp_of(index)) {
        int s = index - r->first + steps;
        if (s >= r->count) return (*r)(r->top());
        if (s >= 0) return (*r)(s);
        // Past the dark end fall back to RGB so shadows keep deepening.
        index = r->first;
        steps = s;
    }
    const Rgb c = palette()[index];
    double k = steps > 0 ? 1.0 + 0.18 * steps : std::pow(0.78, -steps);
    auto ch = [&](uint8_t v) { return uint8_t(std::min(255.0, v * k + (steps > 0 ? 8.0 * steps : 0.0))); };
    return nearest({ch(c.r), ch(c.g), ch(c.b)});
}

Shader solid(uint8_t c) {
    return [c](int, int) { return c; };
}

void fill_rect(Image& img, const Rect& r, const Shader& s) {
    int x0 = std::max(0, r.x), y0 = std::max(0, r.y);
    int x1 = std::min(img.w, r.right()), y1 = std::min(img.h, r.bottom());
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            uint8_t c = s(x, y);
            if (c != KEY) img.px[size_t(y) * img.w + x] = c;
        }
}

void fill_rect(Image& img, const Rect& r, uint8_t c) {
    int x0 = std::max(0, r.x), y0 = std::max(0, r.y);
    int x1 = std::min(img.w, r.right()), y1 = std::min(img.h, r.bottom());
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) img.px[size_t(y) * img.w + x] = c;
}

void line(Image& img, int x0, int y0, int x1, int y1, uint8_t c) {
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
    for (;;) {
        img.set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) err += dy, x0 += sx;
        if (e2 <= dx) err += dx, y0 += sy;
    }
}

void fill_polygon(Image& img, const std::vector<Pt>& pts, const Shader& s) {
    if (pts.size() < 3) return;
    double ymin = pts[0].y, ymax = pts[0].y;
    for (const Pt& p : pts) ymin = std::min(ymin, p.y), ymax = std::max(ymax, p.y);
    int y0 = std::max(0, int(std::floor(ymin))), y1 = std::min(img.h - 1, int(std::ceil(ymax)));
    std::vector<double> xs;
    for (int y = y0; y <= y1; ++y) {
        double sy = y + 0.5;  // sample pixel centres so shared edges do not overlap
        xs.clear();
        for (size_t i = 0; i < pts.size(); ++i) {
            const Pt& a = pts[i];
            const Pt& b = pts[(i + 1) % pts.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
                xs.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2) {
            int xa = std::max(0, int(std::ceil(xs[i] - 0.5)));
            int xb = std::min(img.w - 1, int(std::ceil(xs[i + 1] - 0.5)) - 1);
            for (int x = xa; x <= xb; ++x) {
                uint8_t c = s(x, y);
                if (c != KEY) img.px[size_t(y) * img.w + x] = c;
            }
        }
    }
}

void fill_polygon(Image& img, const std::vector<Pt>& pts, uint8_t c) { fill_polygon(img, pts, solid(c)); }

void fill_ellipse(Image& img, double cx, double cy, double rx, double ry, const Shader& s) {
    int y0 = std::max(0, int(std::floor(cy - ry))), y1 = std::min(img.h - 1, int(std::ceil(cy + ry)));
    int x0 = std::max(0, int(std::floor(cx - rx))), x1 = std::min(img.w - 1, int(std::ceil(cx + rx)));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy > 1.0) continue;
            uint8_t c = s(x, y);
            if (c != KEY) img.px[size_t(y) * img.w + x] = c;
        }
}

void fill_ellipse(Image& img, double cx, double cy, double rx, double ry, uint8_t c) {
    fill_ellipse(img, cx, cy, rx, ry, solid(c));
}

void shade_box(Image& img, const Rect& r, const Ramp& ramp, double base, double relief) {
    fill_rect(img, r, [&](int x, int y) {
        double u = r.w > 1 ? double(x - r.x) / (r.w - 1) : 0.5;
        double v = r.h > 1 ? double(y - r.y) / (r.h - 1) : 0.5;
        double pos = base + relief * (0.35 - 0.4 * u - 0.3 * v);
        if (y == r.y || x == r.x) pos = base + relief * 1.0;
        if (y == r.bottom() - 1 || x == r.right() - 1) pos = base - relief * 1.0;
        return dither(ramp, pos, x, y);
    });
}

void shade_ball(Image& img, double cx, double cy, double rx, double ry, const Ramp& ramp, double base,
                double relief) {
    fill_ellipse(img, cx, cy, rx, ry, [&](int x, int y) {
        double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
        double nz = std::sqrt(std::max(0.0, 1.0 - dx * dx - dy * dy));
        double lit = (-dx * 0.55 - dy * 0.6 + nz * 0.58);  // light from the upper left, in front
        return dither(ramp, base + relief * (lit - 0.35), x, y);
    });
}

void vgradient(Image& img, const Rect& r, const Ramp& ramp, double top_pos, double bottom_pos) {
    fill_rect(img, r, [&](int x, int y) {
        double t = r.h > 1 ? double(y - r.y) / (r.h - 1) : 0;
        return dither(ramp, top_pos + (bottom_pos - top_pos) * t, x, y);
    });
}

void texture_rect(Image& img, const Rect& r, const Ramp& ramp, double base, double amp, double cell,
                  uint32_t seed) {
    fill_rect(img, r, [&](int x, int y) {
        double n = fractal_noise(x, y, cell, 3, seed) - 0.5;
        return dither(ramp, base + n * 2 * amp, x, y);
    });
}

static void shadow_pixel(Image& img, int x, int y, int steps, double alpha) {
    uint8_t c = img.get(x, y);
    if (c == KEY) return;
    int s = int(std::floor(steps * alpha));
    double frac = steps * alpha - s;
    if (frac * 64.0 > bayer8(x, y) + 0.5) ++s;
    if (s > 0) img.set(x, y, shift(c, -s));
}

void shadow_rect(Image& img, const Rect& r, int steps, double alpha) {
    for (int y = std::max(0, r.y); y < std::min(img.h, r.bottom()); ++y)
        for (int x = std::max(0, r.x); x < std::min(img.w, r.right()); ++x) shadow_pixel(img, x, y, steps, alpha);
}

void shadow_polygon(Image& img, const std::vector<Pt>& pts, int steps, double alpha) {
    Image mark(img.w, img.h, 0);
    fill_polygon(mark, pts, uint8_t(1));
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x)
            if (mark.px[size_t(y) * img.w + x] == 1) shadow_pixel(img, x, y, steps, alpha);
}

void map_rgb(Image& img, const Rect& r, const std::function<Rgb(Rgb, int, int)>& fn) {
    const auto& pal = palette();
    for (int y = std::max(0, r.y); y < std::min(img.h, r.bottom()); ++y)
        for (int x = std::max(0, r.x); x < std::min(img.w, r.right()); ++x) {
            uint8_t& c = img.px[size_t(y) * img.w + x];
            if (c != KEY) c = nearest(fn(pal[c], x, y));
        }
}

}  // namespace art
