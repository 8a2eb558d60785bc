// Minimal PNG writer for contact sheets: 8-bit indexed colour with the shared
// table, zlib stream of stored (uncompressed) deflate blocks.
#pragma once
#include <cstdint>
#include <vector>

#include "image.h"

namespace art {

uint32_t crc32(const uint8_t* data, size_t n, uint32_t crc = 0);
uint32_t adler32(const uint8_t* data, size_t n);
std::vector<uint8_t> zlib_stored(const std::vector<uint8_t>& raw);
std::vector<uint8_t> png_bytes(const Image& img);

}  // namespace art
