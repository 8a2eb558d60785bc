// Windows icon files: 8-bit pictures with a 1-bit transparency mask.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace icons {

struct Rgb {
    uint8_t r, g, b;
};

// One square picture; index 0 of the palette is transparent, every other index is opaque.
struct IconImage {
    int size = 0;
    std::vector<uint8_t> pixels;  // size * size colour indexes, top row first
};

struct Icon {
    std::vector<Rgb> palette;  // at most 256 entries; entry 0 is black and means transparent
    std::vector<IconImage> images;
};

// The .ico bytes: a directory, then per image a BITMAPINFOHEADER, a 256-entry colour table,
// the colour pixels bottom-up and the AND mask (1 = transparent) bottom-up.
std::vector<uint8_t> IcoBytes(const Icon& icon);

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace icons
