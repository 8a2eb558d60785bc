#include "figures/aircraft_kit.h"

#include <algorithm>
#include <cmath>

namespace art::figures::aircraft {

namespace {
bool on(const Image& m, int x, int y) { return m.inside(x, y) && m.get(x, y) == 1; }
}  // namespace

uint8_t band(const Ramp& r, double pos, int x, int y) {
    double f = pos - std::floor(pos);
    if (f < 0.35) return r(int(std::floor(pos)));
    if (f > 0.65) return r(int(std::floor(pos)) + 1);
    return dither(r, std::floor(pos) + (f - 0.35) / 0.3, x, y);
}

Image poly_mask(int w, int h, const std::vector<Pt>& pts) {
    Image m(w, h, 0);
    fill_polygon(m, pts, uint8_t(1));
    return m;
}

Image ellipse_mask(int w, int h, double cx, double cy, double rx, double ry) {
    Image m(w, h, 0);
    fill_ellipse(m, cx, cy, rx, ry, uint8_t(1));
    return m;
}

void paint_mask(Image& img, const Image& m, const Shader& s) {
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (m.get(x, y) == 1) {
                uint8_t c = s(x, y);
                if (c != KEY) img.set(x, y, c);
            }
}

void shade_mask(Image& img, const Image& m, const Ramp& r, double base, double relief) {
    int x0 = m.w, x1 = -1, y0 = m.h, y1 = -1;
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (m.get(x, y) == 1) x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
    if (x1 < 0) return;
    double bw = std::max(1, x1 - x0), bh = std::max(1, y1 - y0);
    paint_mask(img, m, [&](int x, int y) {
        double u = (x - x0) / bw, v = (y - y0) / bh;
        double pos = base + relief * (0.45 - 0.35 * u - 0.75 * v);
        if (!on(m, x, y - 2) || !on(m, x - 2, y)) pos += 0.8;  // the outline takes the outer pixel
        return dither(r, pos, x, y);
    });
    outline(img, m);
}

void outline(Image& img, const Image& m, int steps) {
    std::vector<std::pair<int, int>> edge;
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (on(m, x, y) && (!on(m, x - 1, y) || !on(m, x + 1, y) || !on(m, x, y - 1) || !on(m, x, y + 1)))
                edge.push_back({x, y});
    for (auto [x, y] : edge) {
        uint8_t c = img.get(x, y);
        if (c != KEY) img.set(x, y, shift(c, -steps));
    }
}

}  // namespace art::figures::aircraft
