// Building blocks of the person sheets: frame tables, painting a frame into
// its rectangle, the booth the telephone callers step into.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/image.h"
#include "figures/person.h"
#include "scenes/street.h"

namespace art::figures {

// One source rectangle of a figure's frame table.
struct FrameRect {
    int x, y, w, h;
};

// A frame table of entries that all share the sheet's row 0 and height.
std::vector<FrameRect> frames_on_row(const std::vector<std::pair<int, int>>& x_and_w, int height);

// Paints one frame into its rectangle of the sheet. The painter gets an
// empty (all key) picture of the frame's size and decides where the figure
// stands in it (see ground_row). Nothing outside the rectangle is touched.
void paint_frame(Image& sheet, const FrameRect& r, const std::function<void(Image& frame)>& painter);

// The row of a frame on which the figure's feet stand. The engine draws
// every frame from its top-left corner at the script's point (x, y), not
// from its bottom, so a figure whose frames differ in height keeps its feet
// on one stage row only if every frame puts them the same number of rows
// below y: `ground` rows, whatever the frame's own height. `dy` is how far
// the script has moved y for the phase that shows this frame (the sweeper
// draws his long rest 18 rows higher). For a sheet whose frames are all as
// high as the sheet and drawn at one y this is the frame's bottom row.
// A frame too short to hold the feet there is a mistake in the painter's
// table, and stops the generator rather than paint a figure that jumps.
int ground_row(const FrameRect& r, int ground, int dy = 0);

// In-frame column of the figure's hip for frame k of a walking run in which
// the script moves `step` pixels per run of four frames: the figure moves on
// smoothly inside its frames while the frame origin stays put.
double walk_anchor(double first, double step, int k, int direction);

// Litter the riders leave on the pavement, standing on the frame's bottom
// row (or the can on row `ground`): figure 5's crushed can (an 8 pixel wide
// frame) and figure 9's banana peel (32 x 18).
void paint_litter_can(Image& frame);
void paint_litter_can(Image& frame, int ground);
void paint_litter_peel(Image& frame);

// The street's telephone booth (background 1) as it stands in the day
// picture, for callers drawn inside it: glass, frame and door.
namespace booth {

// Columns and rows of the booth in the picture (= stage columns, stage rows
// + 302).
using namespace street::booth_parts;

// A frame of a caller at the booth. `street` is the day picture the booth
// is part of (or a picture with a booth of its own painted at the same
// place); `at` is where the frame lies in it. The person layer is drawn by
// `person` into a transparent picture of the frame's size; `inside` says
// whether the person stands in the booth (seen through the glass and behind
// the frame) and `door_open` is 0 (shut) .. 1 (wide open).
Image compose(const Image& street, const Rect& at, const std::function<void(Image&)>& person, bool inside,
              double door_open, bool self_contained);

// A booth painted into an otherwise key picture of the street's size, for
// sheets whose background has none.
Image own_booth(int w, int h);

}  // namespace booth

}  // namespace art::figures
