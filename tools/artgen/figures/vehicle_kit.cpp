#include "figures/vehicle_kit.h"

#include <algorithm>
#include <cmath>

#include "core/font.h"

namespace art::vehicles {

namespace {
constexpr double kPi = 3.14159265358979323846;

bool on(const Image& mask, int x, int y) { return mask.get(x, y) == 1; }

// Light from the upper left: 1 facing it, -1 facing away.
double facing_light(double dx, double dy) {
    double d = std::hypot(dx, dy);
    if (d < 1e-6) return 0;
    return (-dx * 0.6 - dy * 0.8) / d;
}
}  // namespace

uint8_t band(const Ramp& r, double pos, int x, int y) {
    double f = pos - std::floor(pos);
    if (f < 0.3) return r(int(std::floor(pos)));
    if (f > 0.7) return r(int(std::floor(pos)) + 1);
    return dither(r, std::floor(pos) + (f - 0.3) / 0.4, x, y);
}

std::vector<Pt> View::map(const std::vector<Pt>& local) const {
    std::vector<Pt> out;
    out.reserve(local.size());
    for (const Pt& q : local) out.push_back(p(q.x, q.y));
    return out;
}

Rect View::rect(double u0, double v0, double u1, double v1) const {
    double xa = x(u0), xb = x(u1);
    if (xa > xb) std::swap(xa, xb);
    int X0 = int(std::lround(xa)), X1 = int(std::lround(xb));
    int Y0 = int(std::lround(y(v0))), Y1 = int(std::lround(y(v1)));
    return {X0, Y0, X1 - X0, Y1 - Y0};
}

Image mask_polygon(int w, int h, const std::vector<Pt>& pts) {
    Image m(w, h, 0);
    fill_polygon(m, pts, uint8_t(1));
    return m;
}

Image mask_ellipse(int w, int h, double cx, double cy, double rx, double ry) {
    Image m(w, h, 0);
    fill_ellipse(m, cx, cy, rx, ry, uint8_t(1));
    return m;
}

std::vector<Pt> rounded(const std::vector<Pt>& pts, const std::vector<double>& radii, int segments) {
    std::vector<Pt> out;
    size_t n = pts.size();
    for (size_t i = 0; i < n; ++i) {
        double r = i < radii.size() ? radii[i] : 0.0;
        const Pt& p = pts[i];
        if (r <= 0) {
            out.push_back(p);
            continue;
        }
        const Pt& a = pts[(i + n - 1) % n];
        const Pt& b = pts[(i + 1) % n];
        double la = std::hypot(a.x - p.x, a.y - p.y), lb = std::hypot(b.x - p.x, b.y - p.y);
        double ra = std::min(r, la * 0.5), rb = std::min(r, lb * 0.5);
        Pt s{p.x + (a.x - p.x) / la * ra, p.y + (a.y - p.y) / la * ra};
        Pt e{p.x + (b.x - p.x) / lb * rb, p.y + (b.y - p.y) / lb * rb};
        for (int k = 0; k <= segments; ++k) {
            double t = double(k) / segments, mt = 1 - t;
            out.push_back({mt * mt * s.x + 2 * mt * t * p.x + t * t * e.x, mt * mt * s.y + 2 * mt * t * p.y + t * t * e.y});
        }
    }
    return out;
}

void edge_darken(Image& img, const Image& mask, int steps) {
    std::vector<std::pair<int, int>> edge;
    for (int y = 0; y < mask.h; ++y)
        for (int x = 0; x < mask.w; ++x)
            if (on(mask, x, y) && (!on(mask, x - 1, y) || !on(mask, x + 1, y) || !on(mask, x, y - 1) || !on(mask, x, y + 1)))
                edge.push_back({x, y});
    for (auto [x, y] : edge) img.set(x, y, shift(img.get(x, y), -steps));
}

void shade_line(Image& img, double x0, double y0, double x1, double y1, int steps) {
    int n = int(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0))) + 1;
    int lx = -99999, ly = -99999;
    for (int i = 0; i <= n; ++i) {
        double t = double(i) / n;
        int x = int(std::floor(x0 + (x1 - x0) * t)), y = int(std::floor(y0 + (y1 - y0) * t));
        if (x == lx && y == ly) continue;
        lx = x, ly = y;
        uint8_t c = img.get(x, y);
        if (c != KEY) img.set(x, y, shift(c, steps));
    }
}

Shader body_shader(const View& vw, const Paint& p, const BodyLines& L) {
    return [vw, p, L](int X, int Y) {
        double v = Y + 0.5 - vw.oy;
        double xi = (X + 0.5 - vw.ox) / std::max(1, vw.len);
        double pos;
        if (v < L.belt) {
            double t = (v - L.roof) / std::max(1.0, L.belt - L.roof);
            pos = p.base + 1.3 - 0.9 * t;
            if (v < L.roof + 1.5) pos += 0.6;
        } else if (v < L.belt + 2) {
            pos = p.base + 1.7;
        } else if (v < L.crease) {
            double t = (v - L.belt - 2) / std::max(1.0, L.crease - L.belt - 2);
            pos = p.base + 0.9 - 0.5 * t;
        } else if (v < L.crease + 1) {
            pos = p.base - 0.7;
        } else if (v < L.sill) {
            double t = (v - L.crease - 1) / std::max(1.0, L.sill - L.crease - 1);
            pos = p.base + 0.1 - 0.8 * t;
        } else {
            pos = p.base - 1.3;
        }
        pos += 0.7 * (0.5 - xi);
        return band(p.ramp, pos, X, Y);
    };
}

Image paint_body(const View& vw, const std::vector<Pt>& local, const Paint& paint, const BodyLines& lines) {
    Image& img = *vw.img;
    Image m = mask_polygon(img.w, img.h, vw.map(local));
    Shader s = body_shader(vw, paint, lines);
    fill_rect(img, {0, 0, img.w, img.h}, [&](int x, int y) { return on(m, x, y) ? s(x, y) : KEY; });
    edge_darken(img, m, 1);
    return m;
}

Image paint_panel(const View& vw, const std::vector<Pt>& local, const Ramp& ramp, double base, double relief) {
    Image& img = *vw.img;
    std::vector<Pt> pts = vw.map(local);
    Image m = mask_polygon(img.w, img.h, pts);
    double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
    for (const Pt& q : pts) x0 = std::min(x0, q.x), x1 = std::max(x1, q.x), y0 = std::min(y0, q.y), y1 = std::max(y1, q.y);
    fill_rect(img, {0, 0, img.w, img.h}, [&](int x, int y) -> uint8_t {
        if (!on(m, x, y)) return KEY;
        double u = (x + 0.5 - x0) / std::max(1.0, x1 - x0), v = (y + 0.5 - y0) / std::max(1.0, y1 - y0);
        double pos = base + relief * (0.35 - 0.4 * u - 0.3 * v);
        if (!on(m, x, y - 1) || !on(m, x - 1, y)) pos = base + relief;
        if (!on(m, x, y + 1) || !on(m, x + 1, y)) pos = base - relief * 1.2;
        return band(ramp, pos, x, y);
    });
    return m;
}

Image paint_glass(const View& vw, const std::vector<Pt>& local, bool night, double tint) {
    Image& img = *vw.img;
    std::vector<Pt> pts = vw.map(local);
    Image m = mask_polygon(img.w, img.h, pts);
    double y0 = 1e9, y1 = -1e9;
    for (const Pt& q : pts) y0 = std::min(y0, q.y), y1 = std::max(y1, q.y);
    fill_rect(img, {0, 0, img.w, img.h}, [&](int x, int y) -> uint8_t {
        if (!on(m, x, y)) return KEY;
        double t = (y + 0.5 - y0) / std::max(1.0, y1 - y0);
        double pos;
        int band = ((x + y) % 29 + 29) % 29;
        if (night) {
            pos = 1.3 - 1.0 * t - tint * 0.5;
            if (band < 2) pos += 0.8;
        } else {
            pos = 4.4 - 2.4 * t - tint;
            if (band < 4) pos += 1.4 - band * 0.25;
            else if (band == 8) pos += 0.9;
        }
        return dither(ramp::glass, pos, x, y);
    });
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (on(m, x, y) && (!on(m, x - 1, y) || !on(m, x + 1, y) || !on(m, x, y - 1) || !on(m, x, y + 1)))
                img.set(x, y, ramp::glass(0));
    return m;
}

void occupant(const View& vw, const Image& glass, double u, double v_top, double size, bool night) {
    Image& img = *vw.img;
    double cx = vw.x(u), cy = vw.y(v_top + size * 0.5);
    int steps = night ? 1 : 2;
    auto darken = [&](int x, int y) -> uint8_t {
        if (glass.get(x, y) != 1) return KEY;
        uint8_t c = img.get(x, y);
        return c == ramp::glass(0) ? KEY : shift(c, -steps);
    };
    Image mark(img.w, img.h, 0);
    fill_ellipse(mark, cx, cy, size * 0.42, size * 0.5, uint8_t(1));
    fill_ellipse(mark, cx - vw.dir() * size * 0.1, cy + size * 1.25, size * 0.95, size * 0.7, uint8_t(1));
    fill_rect(mark, {int(cx - size * 0.2), int(cy), int(size * 0.45) + 1, int(size * 0.8)}, uint8_t(1));
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x)
            if (mark.get(x, y) == 1) {
                uint8_t c = darken(x, y);
                if (c != KEY) img.set(x, y, c);
            }
}

void chrome_bar(const View& vw, double u0, double v0, double u1, double v1) {
    Rect r = vw.rect(u0, v0, u1, v1);
    fill_rect(*vw.img, r, [&](int x, int y) {
        double t = r.h > 1 ? double(y - r.y) / (r.h - 1) : 0.0;
        double pos = 4.8 - 3.2 * t + 0.5 * (0.5 - double(x - r.x) / std::max(1, r.w));
        if (r.h >= 3 && y == r.y) pos = 5;
        if (r.h >= 3 && y == r.bottom() - 1) pos = 0.6;
        return dither(ramp::chrome, pos, x, y);
    });
}

void plastic_bar(const View& vw, double u0, double v0, double u1, double v1, double base) {
    Rect r = vw.rect(u0, v0, u1, v1);
    fill_rect(*vw.img, r, [&](int x, int y) {
        double t = r.h > 1 ? double(y - r.y) / (r.h - 1) : 0.0;
        double pos = base + 0.8 - 1.2 * t;
        if (r.h >= 3 && y == r.y) pos = base + 1.6;
        if (r.h >= 3 && y == r.bottom() - 1) pos = base - 1.0;
        return dither(ramp::grey, pos, x, y);
    });
}

double wheel_angle(const WheelStyle& st, int frame, bool right) {
    int n = std::max(1, st.spokes);
    return (right ? 1.0 : -1.0) * frame * 2.0 * kPi / (3.0 * n);
}

void paint_wheel(Image& img, double cx, double cy, double r, const WheelStyle& st, double angle) {
    const double rr = r * st.rim;  // rim radius
    const int n = std::max(1, st.spokes);
    int y0 = int(std::floor(cy - r)), y1 = int(std::ceil(cy + r));
    int x0 = int(std::floor(cx - r)), x1 = int(std::ceil(cx + r));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            double d = std::hypot(dx, dy);
            if (d > r) continue;
            double lit = facing_light(dx, dy);
            double th = std::atan2(dy, dx) - angle;
            uint8_t c;
            if (d > r - 1.0) {
                c = dither(ramp::grey, 0.3 + 0.6 * std::max(0.0, lit), x, y);
            } else if (d > rr) {
                // sidewall: a soft bulge, lit on its upper left, with a faint bead line
                double k = (d - rr) / std::max(1.0, r - rr);
                double pos = 1.15 + 0.75 * lit * std::sin(k * kPi) + (std::fabs(k - 0.35) < 0.08 ? 0.35 : 0.0);
                c = dither(ramp::grey, pos, x, y);
            } else if (d > rr - 1.3) {
                c = dither(st.metal, st.metal_base + 1.4 + 1.2 * lit, x, y);  // rim lip
            } else {
                double q = d / rr;
                double pos = st.metal_base - 0.2 - 0.5 * q - 0.9 * lit * q;  // dished: inner face catches light on the lower right
                bool dark = false;
                switch (st.hub) {
                case Hub::Cap:
                    if (q > 0.42 && q < 0.82 && std::cos(n * th) > 0.55) dark = true;
                    if (q < 0.3) pos = st.metal_base + 0.8 + 0.8 * lit;
                    break;
                case Hub::Alloy:
                    if (q > 0.3 && std::cos(n * th) < 0.1 + 0.5 * (q - 0.3)) dark = true;
                    if (q < 0.3) pos = st.metal_base + 0.6 + 0.9 * lit;
                    break;
                case Hub::Steel: {
                    // painted disc with round holes and lug nuts
                    double hx = 0.62, hole_r = 0.17;
                    for (int k = 0; k < n && !dark; ++k) {
                        double a = angle + (k + 0.5) * 2 * kPi / n;
                        double ex = dx / rr - hx * std::cos(a), ey = dy / rr - hx * std::sin(a);
                        if (ex * ex + ey * ey < hole_r * hole_r) dark = true;
                    }
                    if (q < 0.36) pos = st.metal_base + 0.5 - 0.8 * lit;
                    for (int k = 0; k < n; ++k) {
                        double a = angle + k * 2 * kPi / n;
                        double ex = dx / rr - 0.26 * std::cos(a), ey = dy / rr - 0.26 * std::sin(a);
                        if (ex * ex + ey * ey < 0.09 * 0.09 + 0.004) pos = st.metal_base + 1.6;
                    }
                    break;
                }
                case Hub::Truck: {
                    if (q > 0.78 && q < 0.9) pos -= 0.9;  // the deep dish ring
                    if (q < 0.44) pos = st.metal_base + 0.7 - 0.7 * lit;
                    // hand holes between the studs, the part that shows the turn
                    const int holes = std::max(3, n / 2);
                    for (int k = 0; k < holes && !dark; ++k) {
                        double a = angle * n / holes + (k + 0.5) * 2 * kPi / holes;
                        double ex = dx / rr - 0.62 * std::cos(a), ey = dy / rr - 0.62 * std::sin(a);
                        if (ex * ex + ey * ey < 0.15 * 0.15) dark = true;
                    }
                    for (int k = 0; k < n; ++k) {
                        double a = angle + k * 2 * kPi / n;
                        double ex = dx / rr - 0.33 * std::cos(a), ey = dy / rr - 0.33 * std::sin(a);
                        if (ex * ex + ey * ey < 0.1 * 0.1 + 0.004) pos = st.metal_base + 1.8;
                    }
                    break;
                }
                case Hub::Spoked:
                    if (q > 0.22) {
                        double s = std::fabs(std::sin(n * th * 0.5));
                        dark = s > 0.16 * std::max(1.0, 2.2 - q * 1.5);
                        pos = st.metal_base + 0.6 + 0.6 * lit;
                    }
                    break;
                }
                if (dark) c = ramp::grey(q > 0.9 ? 1 : 0);
                else c = dither(st.metal, pos, x, y);
                if (q < 0.09) c = ramp::grey(1);
            }
            img.set(x, y, c);
        }
}

void wheel_arch(Image& img, double cx, double cy, double r, bool night) {
    uint8_t dark = night ? ramp::night(0) : ramp::grey(0);
    for (int y = int(cy - r - 4); y <= int(cy + r + 4); ++y)
        for (int x = int(cx - r - 4); x <= int(cx + r + 4); ++x) {
            double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            uint8_t c = img.get(x, y);
            if (c == KEY) continue;
            if (d <= r + 2.2) img.set(x, y, dark);
            else if (d <= r + 3.2 && y < cy) img.set(x, y, shift(c, -1));
        }
}

void wheel_at(const View& vw, double u, double r, const WheelStyle& st, const Pose& pose, double lift) {
    double cx = vw.x(u), cy = vw.oy + vw.ht - r - lift;
    paint_wheel(*vw.img, cx, cy, r, st, wheel_angle(st, pose.wheel, vw.right));
}

void arch_at(const View& vw, double u, double r, bool night, double lift) {
    wheel_arch(*vw.img, vw.x(u), vw.oy + vw.ht - r - lift, r, night);
}

void ground_shadow(const View& vw, double u0, double u1, int rows, bool night) {
    Image& img = *vw.img;
    double xa = std::min(vw.x(u0), vw.x(u1)), xb = std::max(vw.x(u0), vw.x(u1));
    int g = vw.ground();
    for (int k = 0; k < rows; ++k) {
        int y = g - k;
        double inset = k * 1.5;  // the row under the body is the longest
        for (int x = int(xa + inset); x < int(xb - inset); ++x) {
            double e = std::min(x - (xa + inset), (xb - inset) - x);
            double dens = std::min(1.0, e / 10.0) * (k == 0 ? 0.75 : 1.0);
            if (dens * 64.0 <= bayer8(x, y) + 0.5) continue;
            if (img.get(x, y) != KEY) continue;
            img.set(x, y, night ? ramp::night(0) : ramp::asphalt(k == 0 ? 1 : 0));
        }
    }
}

void glow(Image& img, double cx, double cy, double rx, double ry, const Ramp& ramp, double strength) {
    for (int y = int(cy - ry) - 1; y <= int(cy + ry) + 1; ++y)
        for (int x = int(cx - rx) - 1; x <= int(cx + rx) + 1; ++x) {
            double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            double d = std::sqrt(dx * dx + dy * dy);
            if (d >= 1.0 || img.get(x, y) != KEY) continue;
            double dens = strength * (1 - d) * (1 - d);
            if (dens * 64.0 <= bayer8(x, y) + 0.5) continue;
            img.set(x, y, ramp(int(std::lround(ramp.top() * (1 - d * 0.7)))));
        }
}

void head_lamp(const View& vw, double u0, double v0, double u1, double v1, bool lit) {
    Image& img = *vw.img;
    Rect r = vw.rect(u0, v0, u1, v1);
    fill_rect(img, r, [&](int x, int y) {
        bool edge = x == r.x || y == r.y || x == r.right() - 1 || y == r.bottom() - 1;
        if (lit) return edge ? ramp::lamp(4) : ramp::lamp(5);
        if (edge) return ramp::chrome(2);
        return dither(ramp::chrome, 4.6 - 1.5 * double(y - r.y) / std::max(1, r.h) + ((x + y) % 3 == 0 ? 0.6 : 0), x, y);
    });
    if (lit) {
        double fx = vw.right ? r.right() : r.x;
        glow(img, fx, r.y + r.h * 0.5, 10 + r.w, 7 + r.h, ramp::lamp, 1.0);
    }
}

void tail_lamp(const View& vw, double u0, double v0, double u1, double v1, bool lit) {
    Image& img = *vw.img;
    Rect r = vw.rect(u0, v0, u1, v1);
    fill_rect(img, r, [&](int x, int y) {
        double t = double(y - r.y) / std::max(1, r.h);
        if (lit) return dither(ramp::paint_red, 5.0 - t * 1.2, x, y);
        return dither(ramp::paint_red, 3.6 - 1.4 * t + ((x + y) % 4 == 0 ? 0.7 : 0), x, y);
    });
    if (lit) {
        double bx = vw.right ? r.x : r.right();
        glow(img, bx, r.y + r.h * 0.5, 6 + r.w * 0.5, 4 + r.h * 0.6, ramp::paint_red, 0.9);
    }
}

void indicator(const View& vw, double u0, double v0, double u1, double v1, bool lit) {
    Image& img = *vw.img;
    Rect r = vw.rect(u0, v0, u1, v1);
    if (lit) r = {r.x - 1, r.y - 1, r.w + 2, r.h + 2};  // a lit lamp flares past its lens
    fill_rect(img, r, [&](int x, int y) {
        if (lit) return dither(ramp::orange, (x == r.x || x == r.right() - 1) ? 3.4 : 4.6, x, y);
        return dither(ramp::orange, 2.6 - 0.8 * double(y - r.y) / std::max(1, r.h), x, y);
    });
    if (lit) glow(img, r.x + r.w * 0.5, r.y + r.h * 0.5, 9 + r.w, 7 + r.h, ramp::orange, 1.8);
}

void beam(Image& img, double lamp_x, double lamp_y, int dir, double length, int ground_y) {
    // Cone in the air: from the lamp, widening forward and dipping to the road.
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            if (img.get(x, y) != KEY) continue;
            double ax = (x + 0.5 - lamp_x) * dir;
            if (ax < 0 || ax > length) continue;
            double t = ax / length;
            double dy = y + 0.5 - lamp_y;
            double top = -1.5 - 2.0 * t;               // upper edge rises a little
            double bot = 2.0 + (ground_y - lamp_y) * std::min(1.0, t * 2.2);
            double dens = 0.0, pos = 0.0;
            if (dy >= top && dy <= bot) {
                double across = (dy - top) / std::max(1.0, bot - top);  // 0 at top edge
                dens = 0.75 * std::pow(1 - t, 1.3) * (0.55 + 0.45 * std::sin(across * kPi));
                pos = 5.0 - 2.5 * t - std::fabs(across - 0.4) * 1.5;
            }
            // the lit patch of road, a few rows deep, brightest a little ahead
            double road_rows = 10.0;
            double gy = ground_y - y;
            if (gy >= 0 && gy < road_rows && t > 0.18) {
                double along = (t - 0.18) / 0.82;
                double d2 = 0.62 * std::sin(std::min(1.0, along * 1.6) * kPi * 0.5) * std::pow(1 - along, 0.7) *
                            (1 - gy / road_rows * 0.7);
                if (d2 > dens) dens = d2, pos = 3.2 - along * 1.6 - gy * 0.08;
            }
            if (dens * 64.0 <= bayer8(x, y) + 0.5) continue;
            img.set(x, y, ramp::lamp(int(std::lround(std::max(0.0, std::min(5.0, pos))))));
        }
}

void night_relight(Image& img, const Rect& r) {
    const auto& pal = palette();
    Image src = img;
    auto opaque = [&](int x, int y) { return src.get(x, y) != KEY; };
    for (int y = std::max(0, r.y); y < std::min(img.h, r.bottom()); ++y)
        for (int x = std::max(0, r.x); x < std::min(img.w, r.right()); ++x) {
            uint8_t c = src.get(x, y);
            if (c == KEY) continue;
            Rgb o = pal[c];
            // rim: edges facing up catch the warm street lamps overhead
            bool rim = !opaque(x, y - 1) || (!opaque(x, y - 2) && ((x + y) & 1));
            Rgb n;
            if (rim)
                n = {uint8_t(std::min(255.0, o.r * 0.5 + 62)), uint8_t(std::min(255.0, o.g * 0.42 + 38)),
                     uint8_t(std::min(255.0, o.b * 0.28 + 12))};
            else
                n = {uint8_t(o.r * 0.27 + 3), uint8_t(o.g * 0.30 + 5), uint8_t(o.b * 0.42 + 14)};
            img.set(x, y, nearest(n));
        }
}

void lettering(Image& img, int x, int y, const std::string& text, uint8_t colour, uint8_t shade, bool bold) {
    TextStyle st{1, bold};
    draw_text_shadowed(img, x, y, text, colour, shade, st);
}

Image strip(int sheet_w, int sheet_h, int frames, int w, int h, const std::function<void(Image&, int)>& paint) {
    Image sheet(sheet_w, sheet_h);
    for (int i = 0; i < frames; ++i) {
        Image f(w, h);
        paint(f, i);
        sheet.paste(f, i * (w + 1), 0, false);
    }
    return sheet;
}

}  // namespace art::vehicles
