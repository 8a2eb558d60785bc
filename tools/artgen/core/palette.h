// The one colour table shared by every picture, and named shade ramps into it.
//
// Every ramp runs from its darkest step (0) to its lightest (count - 1); asking
// for a step outside the ramp clamps, so shading code can overshoot freely.
#pragma once
#include <array>
#include <cstdint>

namespace art {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// Palette index of the transparent key (magenta).
constexpr uint8_t KEY = 253;

struct Ramp {
    uint8_t first;
    uint8_t count;
    constexpr uint8_t operator()(int step) const {
        return uint8_t(first + (step < 0 ? 0 : step >= count ? count - 1 : step));
    }
    constexpr int top() const { return count - 1; }
    constexpr bool holds(uint8_t index) const { return index >= first && index < first + count; }
};

namespace ramp {
// Offsets are fixed: later figure and vehicle art refers to these entries, and
// the colour table stored in every picture must never shift.
constexpr Ramp sky_day{10, 8};
constexpr Ramp sky_night{18, 7};
constexpr Ramp ochre{25, 7};
constexpr Ramp plaster_yellow{32, 7};
constexpr Ramp salmon{39, 7};
constexpr Ramp grey_green{46, 7};
constexpr Ramp plaster_grey{53, 7};
constexpr Ramp brick{60, 7};
constexpr Ramp slate{67, 7};
constexpr Ramp tile{74, 7};
constexpr Ramp asphalt{81, 7};
constexpr Ramp paving{88, 7};
constexpr Ramp paving_red{95, 6};
constexpr Ramp glass{101, 7};
constexpr Ramp foliage{108, 8};
constexpr Ramp wood{116, 7};
constexpr Ramp skin{123, 8};
constexpr Ramp hair{131, 7};       // black-brown through brown to blond
constexpr Ramp cloth_red{138, 6};
constexpr Ramp cloth_blue{144, 6};
constexpr Ramp cloth_green{150, 6};
constexpr Ramp cloth_beige{156, 6};
constexpr Ramp paint_red{162, 6};
constexpr Ramp paint_blue{168, 6};
constexpr Ramp paint_yellow{174, 6};  // also the bus and the halt sign
constexpr Ramp paint_green{180, 6};
constexpr Ramp steel_green{186, 6};   // shelter, board and clock housing
constexpr Ramp chrome{192, 6};
constexpr Ramp lamp{198, 6};          // warm artificial light, dim to bright
constexpr Ramp snow{204, 6};
constexpr Ramp grey{210, 9};          // neutral grey, near black to near white
constexpr Ramp night{219, 7};         // cool darks for things seen at night
constexpr Ramp dusk{226, 6};          // warm darks
constexpr Ramp led{232, 4};           // clock segments, dark to glowing
constexpr Ramp purple{236, 5};
constexpr Ramp orange{241, 5};
}  // namespace ramp

static_assert(ramp::orange.first + ramp::orange.count == 246, "ramps must fill 10..245 exactly");

// Fixed Windows system colours at both ends of the table.
namespace sys {
constexpr uint8_t black = 0, dark_red = 1, dark_green = 2, olive = 3, navy = 4, dark_magenta = 5,
                  teal = 6, silver = 7, money_green = 8, sky_blue = 9, cream = 246, light_grey = 247,
                  mid_grey = 248, red = 249, lime = 250, yellow = 251, blue = 252, cyan = 254,
                  white = 255;
}

const std::array<Rgb, 256>& palette();

// Nearest entry for a colour; never returns the key, nor the garish system
// colours that only exist because Windows reserves them.
uint8_t nearest(Rgb c);

}  // namespace art
