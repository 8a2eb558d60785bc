// Drawing primitives on 8-bit images. Light comes from the upper left
// everywhere; "pos" values are fractional ramp steps that ordered dithering
// turns into real pixels.
#pragma once
#include <functional>
#include <vector>

#include "image.h"

namespace art {

// Decides the colour of each covered pixel; returning KEY leaves it alone.
using Shader = std::function<uint8_t(int x, int y)>;

struct Pt {
    double x, y;
};

int bayer8(int x, int y);  // 0..63, the 8x8 ordered-dither threshold
// Step floor(pos) or the next one, chosen by the Bayer threshold at (x, y).
uint8_t dither(const Ramp& r, double pos, int x, int y);

// Which ramp an index belongs to (nullptr for the fixed system colours).
const Ramp* ramp_of(uint8_t index);
// Moves a colour along its own ramp (lighter for positive steps); system
// colours are matched through RGB instead.
uint8_t shift(uint8_t index, int steps);

Shader solid(uint8_t c);

void fill_rect(Image& img, const Rect& r, const Shader& s);
void fill_rect(Image& img, const Rect& r, uint8_t c);
void line(Image& img, int x0, int y0, int x1, int y1, uint8_t c);
void fill_polygon(Image& img, const std::vector<Pt>& pts, const Shader& s);
void fill_polygon(Image& img, const std::vector<Pt>& pts, uint8_t c);
void fill_ellipse(Image& img, double cx, double cy, double rx, double ry, const Shader& s);
void fill_ellipse(Image& img, double cx, double cy, double rx, double ry, uint8_t c);

// A box with a lit top-left edge, a shaded bottom-right edge and a gentle
// gradient across its face.
void shade_box(Image& img, const Rect& r, const Ramp& ramp, double base, double relief = 1.0);
// An ellipse shaded like a ball lit from the upper left.
void shade_ball(Image& img, double cx, double cy, double rx, double ry, const Ramp& ramp, double base,
                double relief = 2.0);
void vgradient(Image& img, const Rect& r, const Ramp& ramp, double top_pos, double bottom_pos);
// Mottled surface (plaster, asphalt, foliage): base plus noise, dithered.
void texture_rect(Image& img, const Rect& r, const Ramp& ramp, double base, double amp, double cell,
                  uint32_t seed);

// Darkens what is already there by up to `steps`, faded by `alpha` 0..1
// through the dither pattern, so shadows stay soft without new colours.
void shadow_rect(Image& img, const Rect& r, int steps, double alpha = 1.0);
void shadow_polygon(Image& img, const std::vector<Pt>& pts, int steps, double alpha = 1.0);

// Re-colours every pixel through an RGB function (night light, glass tints).
void map_rgb(Image& img, const Rect& r, const std::function<Rgb(Rgb, int x, int y)>& fn);

}  // namespace art
