// Shared helpers of the person painter: a canvas that remembers which part
// painted each pixel (so outlines can separate overlapping parts of the same
// cloth), materials, and shaded shapes lit from the upper left.
#pragma once
#include <cmath>
#include <vector>

#include "core/draw.h"
#include "core/image.h"
#include "figures/cast.h"
#include "figures/person.h"

namespace art::figures::paint {

constexpr double kPi = 3.14159265358979323846;
inline double rad(double deg) { return deg * kPi / 180.0; }
inline Pt operator+(Pt a, Pt b) { return {a.x + b.x, a.y + b.y}; }
inline Pt operator-(Pt a, Pt b) { return {a.x - b.x, a.y - b.y}; }
inline Pt operator*(Pt a, double s) { return {a.x * s, a.y * s}; }
inline Pt lerp(Pt a, Pt b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }
inline double len(Pt a) { return std::sqrt(a.x * a.x + a.y * a.y); }
// Unit vector of a direction given in degrees from straight down, positive
// towards screen right.
inline Pt dir(double deg) { return {std::sin(rad(deg)), std::cos(rad(deg))}; }

struct Mat {
    Ramp ramp = ramp::grey;
    double base = 3.0;
    double relief = 1.4;
};
inline Mat mat(const Tone& t, double relief = 1.4) { return {t.ramp, t.base, relief}; }

struct Canvas {
    Image img;
    Image ids;  // 0 = nothing painted; higher ids were painted later
    uint8_t next = 1;
    explicit Canvas(int w, int h) : img(w, h), ids(w, h, 0) {}
    uint8_t part() { return next < 255 ? next++ : next; }
    void put(int x, int y, uint8_t c, uint8_t id) {
        if (!img.inside(x, y) || c == KEY) return;
        img.px[size_t(y) * img.w + x] = c;
        ids.px[size_t(y) * img.w + x] = id;
    }
    bool painted(int x, int y) const { return img.get(x, y) != KEY; }
};

// Colour of a surface with normal (nx, ny, facing the viewer) on material m.
uint8_t lit(const Mat& m, double nx, double ny, int x, int y, double dark = 0);

// A limb segment with rounded ends, radius ra at a and rb at b.
void capsule(Canvas& cv, Pt a, Pt b, double ra, double rb, const Mat& m, uint8_t id, double dark = 0);
// A filled polygon shaded as a rounded body from its own extents.
void blob(Canvas& cv, const std::vector<Pt>& pts, const Mat& m, uint8_t id, double dark = 0, double vround = 0.4);
// An ellipse shaded as a ball.
void ball(Canvas& cv, Pt c, double rx, double ry, const Mat& m, uint8_t id, double dark = 0);
// Plain pixels (details over a part keep that part's id).
void dot(Canvas& cv, Pt p, uint8_t c, uint8_t id);
void seg(Canvas& cv, Pt a, Pt b, uint8_t c, uint8_t id);

// Darkens the silhouette (one step on the lit side, two on the shaded side)
// and the edges of parts lying over other parts of the same colour ramp.
void outline(Canvas& cv);

}  // namespace art::figures::paint
