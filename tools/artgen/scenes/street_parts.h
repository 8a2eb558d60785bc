// Shared state of one street painting and the painters that fill it. The
// scene is painted in two layers: `back` (sky and house fronts) and `front`
// (shelter, board site, booth, trees, lamps, pavement and road, key where the
// back shows). Night light is applied to each layer separately so lit windows
// can sit between them, behind the shelter's glass.
#pragma once
#include <vector>

#include "../core/draw.h"
#include "../core/rng.h"
#include "street.h"

namespace street {

struct Lamp {
    double x, y;       // where the light comes from
    double rx, ry;     // reach of the pool
    double power;      // 0..1
};

struct Scene {
    bool winter = false;
    bool night = false;
    art::Image back{kWidth, kHeight};
    art::Image front{kWidth, kHeight};
    std::vector<art::Rect> glass;  // panes in `front` through which `back` shows, tinted
    std::vector<Lamp> lamps;
};

// Rows that recur across the painters.
constexpr int kGroundFloorTop = 302;  // cornice over the shops
constexpr int kHouseFoot = 456;       // where the fronts meet the pavement
constexpr int kKerbTop = 532, kRoadTop = 540, kLaneSplit = 600;

void paint_sky(Scene& s);
void paint_houses(Scene& s);
void paint_ground(Scene& s);        // pavement, kerb, road
void paint_shelter(Scene& s);
void paint_board_site(Scene& s);
void paint_booth(Scene& s);
void paint_street_furniture(Scene& s);  // trees, lamps, bicycle, drain

// Glass of a window; lit windows are painted after night has been applied.
void paint_window(art::Image& img, const Window& w, bool lit_at_night, bool winter);

// Things that glow at night, painted last.
void paint_night_lights(Scene& s, art::Image& out);

// The clock housing's display face; the digit strip UHR_00 uses the same colour.
constexpr uint8_t kClockFace = art::ramp::dusk(0);

}  // namespace street
