#include "contact.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "core/draw.h"
#include "core/font.h"
#include "core/png.h"

namespace art {
namespace {

const Image* find(const std::vector<Picture>& pics, const std::string& name) {
    for (const Picture& p : pics)
        if (p.name == name) return &p.img;
    return nullptr;
}

Image sheet(const std::vector<const Picture*>& items, int scale, int max_w) {
    const int gap = 8, label = 14;
    int x = gap, y = gap, row_h = 0, width = 0;
    std::vector<std::pair<int, int>> at;
    for (const Picture* p : items) {
        int w = p->img.w * scale, h = p->img.h * scale;
        if (x > gap && x + w + gap > max_w) {
            x = gap;
            y += row_h + label + gap;
            row_h = 0;
        }
        at.push_back({x, y});
        x += w + gap;
        width = std::max(width, x);
        row_h = std::max(row_h, h);
    }
    Image out(std::max(width, 64), y + row_h + label + gap, ramp::grey(2));
    for (size_t i = 0; i < items.size(); ++i) {
        out.paste(scale_up(items[i]->img, scale), at[i].first, at[i].second, false);
        draw_text(out, at[i].first, at[i].second + items[i]->img.h * scale + 2, items[i]->name, ramp::grey(8));
    }
    return out;
}

bool save(const Image& img, const std::string& path) {
    std::vector<uint8_t> bytes = png_bytes(img);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

Image compose_scene(const std::vector<Picture>& pics, int time_of_day, int season, int motive) {
    char name[32];
    std::snprintf(name, sizeof name, "HG01_%02d_%02d", time_of_day, season);
    Image out = *find(pics, name);
    std::snprintf(name, sizeof name, "WERBEFL_%02d", time_of_day);
    out.paste(*find(pics, name), 300, 302);
    std::snprintf(name, sizeof name, "MOTIV%02d_%02d", time_of_day, motive);
    out.paste(*find(pics, name), 300, 302);
    std::snprintf(name, sizeof name, "SCHILD_%02d", time_of_day);
    out.paste(*find(pics, name), 205, 418);
    const Image& digits = *find(pics, "UHR_00");
    const int shown[4] = {1, 2, 3, 4};
    const int xs[4] = {40, 54, 73, 88};
    for (int i = 0; i < 4; ++i) out.paste(digits.crop({14 * shown[i], 0, 14, 26}), xs[i], 234, false);
    return out;
}

int write_contact_sheets(const std::vector<Picture>& pics, const std::string& dir) {
    std::map<std::string, std::vector<const Picture*>> families;
    std::vector<std::string> order;
    for (const Picture& p : pics) {
        if (!families.count(p.family)) order.push_back(p.family);
        families[p.family].push_back(&p);
    }
    // The composed scenes form a family of their own.
    std::vector<Picture> scenes;
    for (int t = 1; t <= 2; ++t)
        for (int s = 1; s <= 2; ++s)
            scenes.push_back({"scene " + std::to_string(t) + "/" + std::to_string(s), "scene",
                              compose_scene(pics, t, s, 1 + (t * 2 + s) % 8), BmpFormat::Rle8});
    for (const Picture& p : scenes) families["scene"].push_back(&p);
    order.push_back("scene");

    int written = 0;
    for (const std::string& fam : order) {
        const auto& items = families[fam];
        if (!save(sheet(items, 1, 2100), dir + "/" + fam + "_1x.png")) return -1;
        ++written;
        // Full-width pictures also get a file each, to be seen at their size.
        for (size_t i = 0; i < items.size(); ++i) {
            if (items[i]->img.w < 1000) continue;
            char file[512];
            std::snprintf(file, sizeof file, "%s/%s_1x_%02d.png", dir.c_str(), fam.c_str(), int(i));
            if (!save(items[i]->img, file)) return -1;
            ++written;
        }
        // At 2x, one picture per file, cut into tiles no larger than 1024 x 768.
        int part = 0;
        for (const Picture* p : items) {
            Image big = scale_up(p->img, 2);
            for (int ty = 0; ty < big.h; ty += 768)
                for (int tx = 0; tx < big.w; tx += 1024) {
                    Image tile = big.crop({tx, ty, std::min(1024, big.w - tx), std::min(768, big.h - ty)});
                    char file[512];
                    std::snprintf(file, sizeof file, "%s/%s_2x_%02d.png", dir.c_str(), fam.c_str(), part++);
                    if (!save(tile, file)) return -1;
                    ++written;
                }
        }
    }
    return written;
}

}  // namespace art
