// An 8-bit picture in the shared colour table. Pixels start out as the key, so
// sprites and layers are transparent until painted.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "palette.h"

namespace art {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    int right() const { return x + w; }   // one past the last column
    int bottom() const { return y + h; }  // one past the last row
    bool contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

struct Image {
    int w = 0, h = 0;
    std::vector<uint8_t> px;

    Image() = default;
    Image(int width, int height, uint8_t fill = KEY) : w(width), h(height), px(size_t(width) * height, fill) {}

    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    uint8_t get(int x, int y) const { return inside(x, y) ? px[size_t(y) * w + x] : KEY; }
    void set(int x, int y, uint8_t c) {
        if (inside(x, y)) px[size_t(y) * w + x] = c;
    }
    uint8_t* row(int y) { return &px[size_t(y) * w]; }
    const uint8_t* row(int y) const { return &px[size_t(y) * w]; }

    Image crop(const Rect& r) const;
    // Copies src with its top-left at (x, y); with use_key, key pixels of src
    // leave the destination alone (how the engine draws masked sprites).
    void paste(const Image& src, int x, int y, bool use_key = true);
    void fill(uint8_t c) { px.assign(px.size(), c); }
};

// Shrinks by averaging each source area in RGB and matching the result to the
// colour table; key pixels are ignored unless an area is all key.
Image scale_down(const Image& src, int new_w, int new_h);

// Nearest-neighbour enlargement for contact sheets.
Image scale_up(const Image& src, int factor);

}  // namespace art
