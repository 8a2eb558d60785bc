#include "ico_file.h"

#include <cstdio>

namespace icons {
namespace {

void Put16(std::vector<uint8_t>& out, unsigned value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

int ColourStride(int size) {
    return (size + 3) & ~3;
}

// Mask rows are padded to 32 bits like every other bitmap row.
int MaskStride(int size) {
    return ((size + 31) / 32) * 4;
}

std::vector<uint8_t> ImageBytes(const std::vector<Rgb>& palette, const IconImage& image) {
    const int size = image.size;
    std::vector<uint8_t> out;
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(size));
    Put32(out, static_cast<uint32_t>(size * 2));  // colour picture and mask stacked
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, 0);  // BI_RGB
    Put32(out, static_cast<uint32_t>((ColourStride(size) + MaskStride(size)) * size));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    for (int i = 0; i < 256; ++i) {
        const Rgb c = i < static_cast<int>(palette.size()) ? palette[i] : Rgb{0, 0, 0};
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < ColourStride(size); ++x)
            out.push_back(x < size ? image.pixels[y * size + x] : 0);
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(MaskStride(size), 0);
        for (int x = 0; x < size; ++x)
            if (image.pixels[y * size + x] == 0)
                row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

std::vector<uint8_t> IcoBytes(const Icon& icon) {
    std::vector<std::vector<uint8_t>> images;
    for (const IconImage& image : icon.images)
        images.push_back(ImageBytes(icon.palette, image));

    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);  // icon, not cursor
    Put16(out, static_cast<unsigned>(images.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int size = icon.images[i].size;
        out.push_back(static_cast<uint8_t>(size >= 256 ? 0 : size));
        out.push_back(static_cast<uint8_t>(size >= 256 ? 0 : size));
        out.push_back(0);  // 256 colours
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 8);
        Put32(out, static_cast<uint32_t>(images[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& image : images)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace icons
