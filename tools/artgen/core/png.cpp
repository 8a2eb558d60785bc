#include "png.h"

#include <array>

namespace art {

uint32_t crc32(const uint8_t* data, size_t n, uint32_t crc) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < n; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t adler32(const uint8_t* data, size_t n) {
    uint32_t a = 1, b = 0;
    for (size_t i = 0; i < n; ++i) {
        a = (a + data[i]) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

std::vector<uint8_t> zlib_stored(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t pos = 0;
    do {
        size_t len = raw.size() - pos > 65535 ? 65535 : raw.size() - pos;
        bool last = pos + len == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(uint8_t(len));
        z.push_back(uint8_t(len >> 8));
        z.push_back(uint8_t(~len));
        z.push_back(uint8_t(~len >> 8));
        z.insert(z.end(), raw.begin() + long(pos), raw.begin() + long(pos + len));
        pos += len;
    } while (pos < raw.size());
    uint32_t ad = adler32(raw.data(), raw.size());
    for (int s = 24; s >= 0; s -= 8) z.push_back(uint8_t(ad >> s));
    return z;
}

static void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    uint32_t n = uint32_t(data.size());
    for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(n >> s));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    uint32_t c = crc32(body.data(), body.size());
    for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(c >> s));
}

std::vector<uint8_t> png_bytes(const Image& img) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> ihdr;
    for (uint32_t v : {uint32_t(img.w), uint32_t(img.h)})
        for (int s = 24; s >= 0; s -= 8) ihdr.push_back(uint8_t(v >> s));
    ihdr.insert(ihdr.end(), {8, 3, 0, 0, 0});  // 8-bit, indexed
    chunk(out, "IHDR", ihdr);
    std::vector<uint8_t> plte;
    for (const Rgb& c : palette()) plte.insert(plte.end(), {c.r, c.g, c.b});
    chunk(out, "PLTE", plte);
    std::vector<uint8_t> raw;
    raw.reserve(size_t(img.w + 1) * img.h);
    for (int y = 0; y < img.h; ++y) {
        raw.push_back(0);  // filter: none
        raw.insert(raw.end(), img.row(y), img.row(y) + img.w);
    }
    chunk(out, "IDAT", zlib_stored(raw));
    chunk(out, "IEND", {});
    return out;
}

}  // namespace art
