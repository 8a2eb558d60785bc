// The sheets of the evening strollers (a family out for a walk: figures 29
// at night, 40, 49, 50, 56, 57) and of the night's loners (53, 58, 59), with
// where each frame put the figure's hip, so that the tests can follow a
// figure through its script and see that it never jumps.
#pragma once
#include <string>
#include <vector>

#include "core/image.h"
#include "figures/person_sheet.h"

namespace art::figures {

struct FigureSheet {
    std::string name;
    Image img;
    std::vector<FrameRect> frames;
    std::vector<double> hip;  // in-frame hip column of each frame; for a pair the middle of the two
};

std::vector<FigureSheet> stroller_sheets();
std::vector<FigureSheet> night_loner_sheets();

namespace strollers {

// Paints a frame and remembers the hip column the painter reports.
void put(FigureSheet& s, int k, const std::function<double(Image& frame)>& painter);

// Frame table entries as (x, width) of a sheet whose frames share row 0.
FigureSheet blank(const std::string& name, int w, int h, int frame_h, const std::vector<std::pair<int, int>>& table);

// The same sheet in street-lamp light.
FigureSheet by_night(FigureSheet s, const std::string& name);

}  // namespace strollers

}  // namespace art::figures
