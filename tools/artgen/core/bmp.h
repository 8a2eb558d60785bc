// Windows bitmap files as the screen saver loads them from its resources.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

namespace art {

enum class BmpFormat {
    Rle8,  // 8 bpp, BI_RLE8
    Raw8,  // 8 bpp, BI_RGB, rows padded to 4 bytes
    Mono,  // 1 bpp with a black/white table; light pixels become white
};

// The RLE8 bits of an image: rows bottom-up, each closed by end-of-line, the
// whole closed by end-of-bitmap. Nothing runs across a row end.
std::vector<uint8_t> encode_rle8(const Image& img);

// A complete .bmp file (file header, 40-byte info header, colour table, bits).
std::vector<uint8_t> bmp_bytes(const Image& img, BmpFormat fmt);

bool write_file(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace art
