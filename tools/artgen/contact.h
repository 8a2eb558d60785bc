// Contact sheets for reviewing the pictures: one PNG per family at 1x and
// (tiled, so each file stays viewable) at 2x, plus the street composed the way
// the engine shows it.
#pragma once
#include <string>
#include <vector>

#include "catalogue.h"

namespace art {

// Returns the number of files written, or -1 on a write error.
int write_contact_sheets(const std::vector<Picture>& pics, const std::string& dir);

// The day or night street with board, motive, sign and clock digits drawn on
// it at the engine's positions.
Image compose_scene(const std::vector<Picture>& pics, int time_of_day, int season, int motive);

}  // namespace art
