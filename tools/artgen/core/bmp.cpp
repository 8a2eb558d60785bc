#include "bmp.h"

#include <fstream>

namespace art {
namespace {

void put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
void put32(std::vector<uint8_t>& v, uint32_t x) {
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}

// Absolute mode cannot hold fewer than 3 pixels, so short leftovers go out as
// encoded runs of one pixel each. Absolute runs stop at 254 pixels: Wine's GDI
// misplaces the rest of a row after a 255-pixel absolute run (seen as streaks).
constexpr int kLongestAbsoluteRun = 254;

void put_literal(std::vector<uint8_t>& out, const uint8_t* p, int n) {
    while (n > 0) {
        int take = n > kLongestAbsoluteRun ? kLongestAbsoluteRun : n;
        if (n - take > 0 && n - take < 3) take -= 3;  // keep the tail >= 3 long
        if (take < 3) {
            for (int i = 0; i < take; ++i) out.push_back(1), out.push_back(p[i]);
        } else {
            out.push_back(0);
            out.push_back(uint8_t(take));
            out.insert(out.end(), p, p + take);
            if (take & 1) out.push_back(0);  // absolute runs end on a word boundary
        }
        p += take;
        n -= take;
    }
}

void encode_row(std::vector<uint8_t>& out, const uint8_t* row, int w) {
    int i = 0, lit_start = 0;
    while (i < w) {
        int run = 1;
        while (i + run < w && row[i + run] == row[i] && run < 255) ++run;
        // A run of 3 or more pays for breaking a literal stretch.
        if (run >= 3) {
            put_literal(out, row + lit_start, i - lit_start);
            out.push_back(uint8_t(run));
            out.push_back(row[i]);
            i += run;
            lit_start = i;
        } else {
            i += run;
        }
    }
    put_literal(out, row + lit_start, w - lit_start);
    out.push_back(0);
    out.push_back(0);  // end of line
}

}  // namespace

std::vector<uint8_t> encode_rle8(const Image& img) {
    std::vector<uint8_t> out;
    for (int y = img.h - 1; y >= 0; --y) encode_row(out, img.row(y), img.w);
    out.push_back(0);
    out.push_back(1);  // end of bitmap
    return out;
}

std::vector<uint8_t> bmp_bytes(const Image& img, BmpFormat fmt) {
    std::vector<uint8_t> bits;
    int bpp = fmt == BmpFormat::Mono ? 1 : 8;
    int colours = fmt == BmpFormat::Mono ? 2 : 256;
    if (fmt == BmpFormat::Rle8) {
        bits = encode_rle8(img);
    } else {
        int stride = ((img.w * bpp + 31) / 32) * 4;
        bits.assign(size_t(stride) * img.h, 0);
        const auto& pal = palette();
        for (int y = 0; y < img.h; ++y) {
            uint8_t* dst = &bits[size_t(img.h - 1 - y) * stride];
            for (int x = 0; x < img.w; ++x) {
                uint8_t c = img.get(x, y);
                if (fmt == BmpFormat::Raw8) {
                    dst[x] = c;
                } else {
                    const Rgb& p = pal[c];
                    if (p.r * 3 + p.g * 6 + p.b > 1280) dst[x / 8] |= uint8_t(0x80 >> (x % 8));
                }
            }
        }
    }
    uint32_t table = uint32_t(colours) * 4;
    uint32_t offset = 14 + 40 + table;
    std::vector<uint8_t> f;
    f.reserve(offset + bits.size());
    f.push_back('B');
    f.push_back('M');
    put32(f, uint32_t(offset + bits.size()));
    put32(f, 0);
    put32(f, offset);
    put32(f, 40);
    put32(f, uint32_t(img.w));
    put32(f, uint32_t(img.h));  // positive: bottom-up
    put16(f, 1);
    put16(f, uint32_t(bpp));
    put32(f, fmt == BmpFormat::Rle8 ? 1 : 0);  // BI_RLE8 or BI_RGB
    put32(f, uint32_t(bits.size()));
    put32(f, 2835);  // 72 dpi
    put32(f, 2835);
    put32(f, uint32_t(colours));
    put32(f, 0);
    if (fmt == BmpFormat::Mono) {
        put32(f, 0x00000000);
        put32(f, 0x00FFFFFF);
    } else {
        for (const Rgb& c : palette()) {
            f.push_back(c.b);
            f.push_back(c.g);
            f.push_back(c.r);
            f.push_back(0);
        }
    }
    f.insert(f.end(), bits.begin(), bits.end());
    return f;
}

bool write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream o(path, std::ios::binary);
    if (!o) return false;
    o.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(o);
}

}  // namespace art
