// The sky painter's toolkit: the planes, balloons and birds that cross the sky
// above the street. Shapes are built as coverage masks, shaded lit from the
// upper left and given an outline one step darker than their own fill, so
// they sit in the same light as the houses below them.
#pragma once
#include <functional>
#include <vector>

#include "core/draw.h"

namespace art::figures::aircraft {

// Frame sizes the flight code expects; frame 0 decides the size of the work surface.
constexpr int kBannerW = 360, kMailW = 400, kPlaneH = 86;
constexpr int kBalloonW = 112, kBalloonH = 113;
constexpr int kBirdsW = 120, kBirdsH = 74;

// 0/1 coverage the size of a picture.
Image poly_mask(int w, int h, const std::vector<Pt>& pts);
Image ellipse_mask(int w, int h, double cx, double cy, double rx, double ry);

// Flat steps with a narrow dithered seam between them: painted metal and
// cloth read as smooth, not as the grain of plaster.
uint8_t band(const Ramp& r, double pos, int x, int y);

// Pixels covered by the mask, coloured by the shader (KEY leaves them alone).
void paint_mask(Image& img, const Image& m, const Shader& s);
// Fills the mask on one ramp, lit from the upper left across its bounding
// box, with a lit rim along its top and left edges; outlined afterwards.
void shade_mask(Image& img, const Image& m, const Ramp& r, double base, double relief);
// Mask pixels next to uncovered ones, moved `steps` darker along their own ramp.
void outline(Image& img, const Image& m, int steps = 1);

Image paint_banner_plane(bool mail, int frame);
Image paint_balloon(int kind, int frame);  // kind 3, 4 or 5
Image paint_birds(int kind, int frame);    // kind 6 (swallows) or 7 (pigeons), frame 0..3

}  // namespace art::figures::aircraft
