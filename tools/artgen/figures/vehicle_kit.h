// The vehicle painter's toolkit: side views of road vehicles built from
// shaded body panels, glass, chrome, wheels that turn from frame to frame,
// lamps and the night's headlamp beam.
//
// Every vehicle is described once, facing right, in local coordinates: u runs
// from the rear bumper (0) to the front (len), v from the top of its box (0)
// down to the row its tyres stand on (ht - 1). A View maps that description
// into a picture facing either way. Only geometry is mirrored: shading is
// always worked out in picture coordinates, so the light keeps coming from the
// upper left whichever way the vehicle drives.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/draw.h"

namespace art::vehicles {

struct View {
    Image* img = nullptr;
    int ox = 0, oy = 0;    // top-left of the vehicle's box in the picture
    int len = 0, ht = 0;   // box size; row ht - 1 is the ground
    bool right = true;     // front to the right

    double x(double u) const { return right ? ox + u : ox + len - u; }
    double y(double v) const { return oy + v; }
    Pt p(double u, double v) const { return {x(u), y(v)}; }
    std::vector<Pt> map(const std::vector<Pt>& local) const;
    // The picture pixels covering local [u0, u1) x [v0, v1).
    Rect rect(double u0, double v0, double u1, double v1) const;
    int ground() const { return oy + ht - 1; }
    // +1 when the front points to larger picture x.
    int dir() const { return right ? 1 : -1; }
};

// What a frame shows: which of the three wheel positions, by day or night,
// and a free variant number for frames that show something else (standing,
// indicator on or off).
struct Pose {
    int wheel = 0;
    bool night = false;
    int variant = 0;
};

// 0/1 coverage of a polygon or ellipse, the size of the picture.
Image mask_polygon(int w, int h, const std::vector<Pt>& pts);
Image mask_ellipse(int w, int h, double cx, double cy, double rx, double ry);
// Corners replaced by curves; radius 0 keeps a corner sharp.
std::vector<Pt> rounded(const std::vector<Pt>& pts, const std::vector<double>& radii, int segments = 6);

// Pixels of the mask that touch a pixel outside it, moved `steps` along their
// own ramp: the one-step-darker outline of a part.
void edge_darken(Image& img, const Image& mask, int steps = 1);
// Darkens (negative) or lightens the pixels along a line, keeping each on its
// own ramp: panel gaps and creases that follow the paint underneath.
void shade_line(Image& img, double x0, double y0, double x1, double y1, int steps);

// Flat bands with a narrow dithered seam between them: paint reads as smooth
// enamel, not as the grain of plaster.
uint8_t band(const Ramp& r, double pos, int x, int y);

struct Paint {
    Ramp ramp;
    double base;  // the step of a side panel in full daylight
};

// Horizontal lines of a body side, in local v.
struct BodyLines {
    double roof;    // top of the roof
    double belt;    // bottom edge of the side windows
    double crease;  // where the reflection of the horizon sits on the flank
    double sill;    // bottom of the doors; below it the sill lies in shadow
};

// Paint shading of a body: lit roof and shoulder, the sky mirrored above the
// crease, the darker ground below it, light falling off to the right.
Shader body_shader(const View& vw, const Paint& paint, const BodyLines& lines);
// Fills a body part and gives it its outline; returns its mask.
Image paint_body(const View& vw, const std::vector<Pt>& local, const Paint& paint, const BodyLines& lines);
// A flat slab of paint (box bodies, cab fronts, bumpers) lit from the upper left.
Image paint_panel(const View& vw, const std::vector<Pt>& local, const Ramp& ramp, double base,
                  double relief = 0.8);

// Window glass: the sky's gradient, diagonal streaks of reflected light, and
// a dark rubber seal round the edge. At night it is dark with a faint sheen.
// Returns its mask so occupants can be painted inside.
Image paint_glass(const View& vw, const std::vector<Pt>& local, bool night, double tint = 0.0);
// A dim head-and-shoulders silhouette behind glass, clipped to the glass.
void occupant(const View& vw, const Image& glass, double u, double v_top, double size, bool night);

// Chrome or black rubber-and-plastic strips and bumpers.
void chrome_bar(const View& vw, double u0, double v0, double u1, double v1);
void plastic_bar(const View& vw, double u0, double v0, double u1, double v1, double base = 1.6);

enum class Hub { Cap, Alloy, Steel, Truck, Spoked };
struct WheelStyle {
    Hub hub = Hub::Cap;
    int spokes = 5;
    double rim = 0.62;  // rim radius as part of the tyre radius
    Ramp metal = ramp::chrome;
    double metal_base = 3.2;
};
// The angle the wheel pattern has turned in a frame: a third of the pattern's
// repeat per frame, so three frames loop and read as forward rolling.
double wheel_angle(const WheelStyle& st, int frame, bool right);
void paint_wheel(Image& img, double cx, double cy, double r, const WheelStyle& st, double angle);
// Dark wheel arch cut into the body around a wheel centre.
void wheel_arch(Image& img, double cx, double cy, double r, bool night);
// Convenience in local coordinates: wheel standing on the ground at u.
void wheel_at(const View& vw, double u, double r, const WheelStyle& st, const Pose& pose, double lift = 0);
void arch_at(const View& vw, double u, double r, bool night, double lift = 0);

// The vehicle's shadow on the road, soft at its ends.
void ground_shadow(const View& vw, double u0, double u1, int rows, bool night);

// Lamps. Lit lamps also throw a dithered halo into the transparent area.
void head_lamp(const View& vw, double u0, double v0, double u1, double v1, bool lit);
void tail_lamp(const View& vw, double u0, double v0, double u1, double v1, bool lit);
void indicator(const View& vw, double u0, double v0, double u1, double v1, bool lit);
void glow(Image& img, double cx, double cy, double rx, double ry, const Ramp& ramp, double strength);
// The cone of a headlamp and the lit patch of road in front of the vehicle,
// screen-door dithered against the key so the street shows through.
void beam(Image& img, double lamp_x, double lamp_y, int dir, double length, int ground_y);

// Re-lights a vehicle painted by day for the night under street lamps:
// darker and cooler, with a warm rim along the edges that face up.
void night_relight(Image& img, const Rect& r);

// Text painted on a body side in the generator's font.
void lettering(Image& img, int x, int y, const std::string& text, uint8_t colour, uint8_t shade, bool bold);

// Lays out frames side by side: frame i at x = i * (w + 1), as the scripts'
// frame tables expect.
Image strip(int sheet_w, int sheet_h, int frames, int w, int h, const std::function<void(Image&, int)>& paint);

}  // namespace art::vehicles
