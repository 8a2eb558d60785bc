#include "figures/person_paint.h"

#include <algorithm>

namespace art::figures {

uint8_t band(const Ramp& r, double pos, int x, int y) {
    double f = std::floor(pos);
    double fr = pos - f;
    int step = int(f);
    if (fr >= 0.62) return r(step + 1);
    if (fr > 0.38 && ((fr - 0.38) / 0.24) * 64.0 > bayer8(x, y) + 0.5) return r(step + 1);
    return r(step);
}

namespace paint {

uint8_t lit(const Mat& m, double nx, double ny, int x, int y, double dark) {
    double l2 = nx * nx + ny * ny;
    if (l2 > 0.97) {
        double k = std::sqrt(0.97 / l2);
        nx *= k, ny *= k, l2 = 0.97;
    }
    double nz = std::sqrt(1.0 - l2);
    double light = -0.55 * nx - 0.6 * ny + 0.58 * nz;  // upper left, in front
    return band(m.ramp, m.base - dark + m.relief * (light - 0.58), x, y);
}

void capsule(Canvas& cv, Pt a, Pt b, double ra, double rb, const Mat& m, uint8_t id, double dark) {
    double rmax = std::max(ra, rb);
    int x0 = int(std::floor(std::min(a.x, b.x) - rmax - 1)), x1 = int(std::ceil(std::max(a.x, b.x) + rmax + 1));
    int y0 = int(std::floor(std::min(a.y, b.y) - rmax - 1)), y1 = int(std::ceil(std::max(a.y, b.y) + rmax + 1));
    Pt d = b - a;
    double dd = d.x * d.x + d.y * d.y;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            Pt p{x + 0.5, y + 0.5};
            double t = dd > 1e-9 ? ((p.x - a.x) * d.x + (p.y - a.y) * d.y) / dd : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            Pt q = a + d * t;
            double r = ra + (rb - ra) * t;
            Pt o = p - q;
            double dist = len(o);
            if (dist > r) continue;
            cv.put(x, y, lit(m, o.x / r, o.y / r * 0.8 - 0.1, x, y, dark), id);
        }
}

void blob(Canvas& cv, const std::vector<Pt>& pts, const Mat& m, uint8_t id, double dark, double vround) {
    if (pts.size() < 3) return;
    double minx = pts[0].x, maxx = pts[0].x, miny = pts[0].y, maxy = pts[0].y;
    for (const Pt& p : pts) {
        minx = std::min(minx, p.x), maxx = std::max(maxx, p.x);
        miny = std::min(miny, p.y), maxy = std::max(maxy, p.y);
    }
    int bx = int(std::floor(minx)) - 1, by = int(std::floor(miny)) - 1;
    int bw = int(std::ceil(maxx)) - bx + 2, bh = int(std::ceil(maxy)) - by + 2;
    Image mask(bw, bh, 0);
    std::vector<Pt> local;
    for (const Pt& p : pts) local.push_back({p.x - bx, p.y - by});
    fill_polygon(mask, local, uint8_t(1));
    std::vector<int> rmin(bh, bw), rmax(bh, -1), cmin(bw, bh), cmax(bw, -1);
    for (int y = 0; y < bh; ++y)
        for (int x = 0; x < bw; ++x)
            if (mask.px[size_t(y) * bw + x]) {
                rmin[y] = std::min(rmin[y], x), rmax[y] = std::max(rmax[y], x);
                cmin[x] = std::min(cmin[x], y), cmax[x] = std::max(cmax[x], y);
            }
    for (int y = 0; y < bh; ++y)
        for (int x = 0; x < bw; ++x) {
            if (!mask.px[size_t(y) * bw + x]) continue;
            double hw = (rmax[y] - rmin[y] + 1) / 2.0, hh = (cmax[x] - cmin[x] + 1) / 2.0;
            double u = (x + 0.5 - (rmin[y] + hw)) / std::max(1.0, hw);
            double v = (y + 0.5 - (cmin[x] + hh)) / std::max(1.0, hh);
            // only the outer rims of a tall shape turn away from the viewer
            double vv = v > 0 ? std::max(0.0, v * 1.6 - 0.6) : std::min(0.0, v * 1.6 + 0.6);
            cv.put(bx + x, by + y, lit(m, u * 0.92, vv * vround, bx + x, by + y, dark), id);
        }
}

void ball(Canvas& cv, Pt c, double rx, double ry, const Mat& m, uint8_t id, double dark) {
    int x0 = int(std::floor(c.x - rx - 1)), x1 = int(std::ceil(c.x + rx + 1));
    int y0 = int(std::floor(c.y - ry - 1)), y1 = int(std::ceil(c.y + ry + 1));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double u = (x + 0.5 - c.x) / rx, v = (y + 0.5 - c.y) / ry;
            if (u * u + v * v > 1.0) continue;
            cv.put(x, y, lit(m, u, v, x, y, dark), id);
        }
}

void dot(Canvas& cv, Pt p, uint8_t c, uint8_t id) { cv.put(int(std::floor(p.x)), int(std::floor(p.y)), c, id); }

void seg(Canvas& cv, Pt a, Pt b, uint8_t c, uint8_t id) {
    int x0 = int(std::floor(a.x)), y0 = int(std::floor(a.y)), x1 = int(std::floor(b.x)), y1 = int(std::floor(b.y));
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
    for (;;) {
        cv.put(x0, y0, c, id);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) err += dy, x0 += sx;
        if (e2 <= dx) err += dx, y0 += sy;
    }
}

void outline(Canvas& cv) {
    const Image src = cv.img;
    const int w = src.w, h = src.h;
    auto key = [&](int x, int y) { return src.get(x, y) == KEY; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t c = src.px[size_t(y) * w + x];
            if (c == KEY) continue;
            int steps = 0;
            if (key(x + 1, y) || key(x, y + 1)) steps = 2;
            else if (key(x - 1, y) || key(x, y - 1)) steps = 1;
            else {
                uint8_t id = cv.ids.px[size_t(y) * w + x];
                const Ramp* r = ramp_of(c);
                const int nb[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
                for (const auto& n : nb) {
                    int qx = x + n[0], qy = y + n[1];
                    uint8_t qid = cv.ids.get(qx, qy);
                    if (qid == 0 || qid >= id) continue;
                    uint8_t qc = src.get(qx, qy);
                    if (r && r->holds(qc)) {
                        steps = 1;
                        break;
                    }
                }
            }
            if (steps) cv.img.px[size_t(y) * w + x] = shift(c, -steps);
        }
}

}  // namespace paint
}  // namespace art::figures
