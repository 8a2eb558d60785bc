#include "image.h"

namespace art {

Image Image::crop(const Rect& r) const {
    Image out(r.w, r.h);
    for (int y = 0; y < r.h; ++y)
        for (int x = 0; x < r.w; ++x) out.px[size_t(y) * r.w + x] = get(r.x + x, r.y + y);
    return out;
}

void Image::paste(const Image& src, int x, int y, bool use_key) {
    for (int sy = 0; sy < src.h; ++sy)
        for (int sx = 0; sx < src.w; ++sx) {
            uint8_t c = src.px[size_t(sy) * src.w + sx];
            if (use_key && c == KEY) continue;
            set(x + sx, y + sy, c);
        }
}

Image scale_down(const Image& src, int new_w, int new_h) {
    const auto& pal = palette();
    Image out(new_w, new_h);
    for (int y = 0; y < new_h; ++y) {
        int y0 = y * src.h / new_h, y1 = (y + 1) * src.h / new_h;
        if (y1 <= y0) y1 = y0 + 1;
        for (int x = 0; x < new_w; ++x) {
            int x0 = x * src.w / new_w, x1 = (x + 1) * src.w / new_w;
            if (x1 <= x0) x1 = x0 + 1;
            long r = 0, g = 0, b = 0, n = 0, keys = 0;
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx) {
                    uint8_t c = src.get(sx, sy);
                    if (c == KEY) {
                        ++keys;
                        continue;
                    }
                    r += pal[c].r, g += pal[c].g, b += pal[c].b, ++n;
                }
            if (n == 0 || keys > n) continue;  // stays key
            out.set(x, y, nearest({uint8_t(r / n), uint8_t(g / n), uint8_t(b / n)}));
        }
    }
    return out;
}

Image scale_up(const Image& src, int factor) {
    Image out(src.w * factor, src.h * factor);
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x) out.px[size_t(y) * out.w + x] = src.get(x / factor, y / factor);
    return out;
}

}  // namespace art
