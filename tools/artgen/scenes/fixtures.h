// Smaller pictures: halt sign, clock digit strips, notices, the bus of the
// setup program and the product logo.
#pragma once
#include <string>

#include "../core/image.h"

namespace fixtures {

art::Image paint_sign(bool night);           // 32 x 115, pole foot on the last row
art::Image paint_clock_strip(int style);     // 144 x 26, digit d at x = 14 d
// Light text on black, centred; black margin all round.
art::Image paint_notice(const std::string& text, int w, int h);
art::Image paint_bus();                      // 352 x 114, on black
art::Image paint_logo();                     // 376 x 99, dark lettering on white

}  // namespace fixtures
