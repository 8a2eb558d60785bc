#include "palette.h"

#include <vector>

namespace art {
namespace {

struct RampDef {
    Ramp ramp;
    Rgb dark, mid, light;  // steps are interpolated dark -> mid -> light
};

// Darks lean cool and lights lean warm, the way hand-picked 256-colour ramps
// were made; a straight black-to-colour fade looks dead at night.
const RampDef kRamps[] = {
    {ramp::sky_day, {74, 112, 184}, {118, 160, 218}, {206, 226, 242}},
    {ramp::sky_night, {5, 7, 26}, {18, 26, 62}, {50, 60, 104}},
    {ramp::ochre, {90, 60, 32}, {188, 142, 72}, {242, 216, 152}},
    {ramp::plaster_yellow, {108, 94, 60}, {222, 204, 140}, {252, 245, 208}},
    {ramp::salmon, {100, 50, 44}, {212, 138, 114}, {248, 212, 190}},
    {ramp::grey_green, {50, 64, 58}, {138, 160, 136}, {218, 230, 208}},
    {ramp::plaster_grey, {62, 62, 66}, {158, 156, 148}, {232, 230, 222}},
    {ramp::brick, {62, 24, 22}, {156, 66, 46}, {224, 152, 122}},
    {ramp::slate, {22, 24, 34}, {70, 76, 96}, {152, 160, 178}},
    {ramp::tile, {54, 22, 18}, {142, 58, 38}, {216, 128, 92}},
    {ramp::asphalt, {32, 32, 38}, {84, 84, 90}, {152, 152, 152}},
    {ramp::paving, {74, 74, 74}, {150, 148, 140}, {216, 214, 206}},
    {ramp::paving_red, {76, 36, 32}, {150, 82, 66}, {210, 146, 124}},
    {ramp::glass, {18, 32, 46}, {78, 108, 130}, {204, 224, 234}},
    {ramp::foliage, {16, 38, 20}, {60, 110, 40}, {176, 210, 104}},
    {ramp::wood, {46, 26, 14}, {128, 82, 44}, {216, 172, 112}},
    {ramp::skin, {82, 48, 36}, {192, 132, 102}, {255, 224, 198}},
    {ramp::hair, {24, 18, 16}, {112, 70, 36}, {238, 208, 142}},
    {ramp::cloth_red, {68, 12, 18}, {172, 36, 40}, {246, 124, 112}},
    {ramp::cloth_blue, {16, 22, 64}, {46, 72, 152}, {142, 172, 232}},
    {ramp::cloth_green, {16, 46, 30}, {46, 112, 62}, {152, 202, 132}},
    {ramp::cloth_beige, {68, 50, 36}, {152, 122, 88}, {232, 214, 178}},
    {ramp::paint_red, {58, 6, 10}, {190, 22, 26}, {255, 144, 124}},
    {ramp::paint_blue, {8, 20, 56}, {30, 72, 162}, {152, 192, 250}},
    {ramp::paint_yellow, {112, 70, 4}, {238, 186, 22}, {255, 245, 172}},
    {ramp::paint_green, {10, 42, 22}, {30, 122, 62}, {152, 222, 152}},
    {ramp::steel_green, {10, 30, 22}, {34, 82, 58}, {112, 162, 122}},
    {ramp::chrome, {48, 54, 62}, {140, 148, 156}, {242, 246, 250}},
    {ramp::lamp, {122, 72, 12}, {242, 172, 52}, {255, 250, 204}},
    {ramp::snow, {118, 128, 160}, {200, 210, 232}, {250, 252, 255}},
    {ramp::grey, {20, 20, 22}, {122, 122, 120}, {238, 238, 234}},
    {ramp::night, {10, 12, 22}, {34, 40, 62}, {80, 88, 114}},
    {ramp::dusk, {26, 18, 16}, {62, 46, 38}, {108, 88, 70}},
    {ramp::led, {64, 12, 6}, {210, 48, 12}, {255, 196, 86}},
    {ramp::purple, {50, 16, 62}, {122, 52, 142}, {222, 172, 232}},
    {ramp::orange, {112, 42, 6}, {232, 112, 22}, {255, 202, 124}},
};

uint8_t lerp8(uint8_t a, uint8_t b, double t) { return uint8_t(a + (b - a) * t + 0.5); }

Rgb lerp(Rgb a, Rgb b, double t) { return {lerp8(a.r, b.r, t), lerp8(a.g, b.g, t), lerp8(a.b, b.b, t)}; }

std::array<Rgb, 256> build() {
    std::array<Rgb, 256> p{};
    const Rgb fixed_low[10] = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},    {128, 128, 0},   {0, 0, 128},
                               {128, 0, 128}, {0, 128, 128}, {192, 192, 192}, {192, 220, 192}, {166, 202, 240}};
    const Rgb fixed_high[10] = {{255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},
                                {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255}};
    for (int i = 0; i < 10; ++i) {
        p[i] = fixed_low[i];
        p[246 + i] = fixed_high[i];
    }
    for (const RampDef& d : kRamps) {
        int n = d.ramp.count;
        for (int s = 0; s < n; ++s) {
            double t = double(s) / (n - 1) * 2.0;
            p[d.ramp.first + s] = t <= 1.0 ? lerp(d.dark, d.mid, t) : lerp(d.mid, d.light, t - 1.0);
        }
    }
    return p;
}

bool usable_for_matching(int i) {
    if (i == KEY) return false;
    // The loud system colours would turn up as stray speckles in shading.
    if ((i >= 1 && i <= 6) || (i >= 249 && i <= 254)) return false;
    return true;
}

}  // namespace

const std::array<Rgb, 256>& palette() {
    static const std::array<Rgb, 256> table = build();
    return table;
}

uint8_t nearest(Rgb c) {
    // 6 bits per channel are plenty for matching and keep the cache small.
    static std::vector<int16_t> cache(1 << 18, -1);
    int key = ((c.r >> 2) << 12) | ((c.g >> 2) << 6) | (c.b >> 2);
    if (cache[key] >= 0) return uint8_t(cache[key]);
    // Match the bucket's centre, so the answer never depends on which colour
    // of the bucket was asked for first.
    c = {uint8_t((c.r & 0xFC) | 2), uint8_t((c.g & 0xFC) | 2), uint8_t((c.b & 0xFC) | 2)};
    const auto& p = palette();
    int best = 0;
    long best_d = -1;
    for (int i = 0; i < 256; ++i) {
        if (!usable_for_matching(i)) continue;
        long dr = p[i].r - c.r, dg = p[i].g - c.g, db = p[i].b - c.b;
        long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (best_d < 0 || d < best_d) {
            best_d = d;
            best = i;
        }
    }
    cache[key] = int16_t(best);
    return uint8_t(best);
}

}  // namespace art
