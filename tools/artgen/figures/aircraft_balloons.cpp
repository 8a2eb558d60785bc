// Hot-air balloons: an envelope of coloured gores over a wicker basket.
#include <cmath>

#include "figures/aircraft_kit.h"

namespace art::figures::aircraft {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Gore {
    Ramp ramp;
    double base;
};

struct BalloonStyle {
    double radius;   // of the crown
    double taper;    // rows from the equator down to the mouth
    double mouth;    // half width of the mouth
    int gores;       // round the whole envelope
    double turn;     // where the gore pattern starts, in gores
    int people;
    // Colour of gore g at height v (0 crown .. 1 mouth).
    Gore (*colour)(int g, double v);
};

Gore red_yellow(int g, double v) {
    if (v > 0.86) return {ramp::cloth_red, 2.6};
    return g % 2 ? Gore{ramp::paint_yellow, 3.4} : Gore{ramp::cloth_red, 3.0};
}

Gore blue_white(int g, double v) {
    if (v > 0.36 && v < 0.50) return {ramp::paint_yellow, 3.3};          // a band round the middle
    if (v > 0.50 && v < 0.55) return {ramp::paint_red, 3.0};
    if (v < 0.12) return {ramp::paint_blue, 2.8};                        // crown
    return g % 2 ? Gore{ramp::paint_blue, 2.9} : Gore{ramp::snow, 3.8};
}

Gore rainbow(int g, double v) {
    static const Gore kSeq[] = {{ramp::paint_red, 3.0},   {ramp::orange, 2.8},       {ramp::paint_yellow, 3.3},
                                {ramp::paint_green, 3.0}, {ramp::paint_blue, 3.0},   {ramp::purple, 2.6}};
    // Chevrons: each gore is split into steps so the colours climb diagonally.
    int shift = int(v * 5.0);
    return kSeq[(g + shift) % 6];
}

const BalloonStyle kStyles[3] = {
    {40.0, 37.0, 8.0, 14, 0.3, 2, red_yellow},
    {38.0, 38.0, 7.5, 16, 0.0, 1, blue_white},
    {35.0, 40.0, 7.0, 12, 0.5, 2, rainbow},
};

}  // namespace

Image paint_balloon(int kind, int frame) {
    const BalloonStyle& st = kStyles[kind - 3];
    Image img(kBalloonW, kBalloonH);
    const double cx = 56.0, cy = 3.0 + st.radius;
    const double mouth_y = cy + st.taper;
    auto half_width = [&](double y) {
        if (y <= cy) {
            double d = (y - cy) / st.radius;
            return d <= -1.0 ? 0.0 : st.radius * std::sqrt(1.0 - d * d);
        }
        double t = (y - cy) / st.taper;
        return st.mouth + (st.radius - st.mouth) * std::pow(std::cos(t * kPi / 2), 0.9);
    };

    // Envelope: each pixel's place on the surface of revolution gives its
    // gore (longitude), its band (height) and its light.
    const double lx = -0.52, ly = -0.62, lz = 0.59;
    Image env(img.w, img.h, 0);
    Image seam(img.w, img.h, 0);
    int gore_at[kBalloonH][kBalloonW] = {};
    for (int y = 0; y < img.h; ++y) {
        double yc = y + 0.5;
        if (yc < cy - st.radius || yc > mouth_y) continue;
        double r = half_width(yc);
        double slope = (half_width(yc + 0.5) - half_width(yc - 0.5));
        double s = -slope / std::sqrt(1.0 + slope * slope);
        double c = std::sqrt(1.0 - s * s);
        double v = (yc - (cy - st.radius)) / (mouth_y - (cy - st.radius));
        for (int x = 0; x < img.w; ++x) {
            double u = (x + 0.5 - cx) / r;
            if (r <= 0.0 || std::fabs(u) > 1.0) continue;
            double theta = std::asin(u);
            int g = int(std::floor((theta + kPi / 2) / (2 * kPi / st.gores) + st.turn));
            gore_at[y][x] = g;
            Gore col = st.colour(g, v);
            double nx = u * c, nz = std::sqrt(std::max(0.0, 1.0 - u * u)) * c;
            double light = nx * lx + s * ly + nz * lz;
            double pos = col.base + 2.3 * (light - 0.35);
            if (light > 0.93) pos += 0.8;  // sheen on the crown's lit shoulder
            img.set(x, y, dither(col.ramp, pos, x, y));
            env.set(x, y, 1);
        }
    }
    // Load tapes along the gore seams and round the envelope.
    for (int y = 0; y < img.h; ++y)
        for (int x = 1; x < img.w; ++x)
            if (env.get(x, y) == 1 && env.get(x - 1, y) == 1 && gore_at[y][x] != gore_at[y][x - 1])
                seam.set(x, y, 1);
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x)
            if (seam.get(x, y) == 1) img.set(x, y, shift(img.get(x, y), -1));
    outline(img, env);

    // Sway: basket, ropes and flame hang from the mouth and swing a pixel.
    const int sway = frame == 0 ? 0 : 1;
    const int my = int(mouth_y);
    const int bx = int(cx) - 9 + sway, by = my + 17, bw = 18, bh = 12;

    // Skirt round the mouth, in heat-proof dark cloth.
    Image skirt = poly_mask(img.w, img.h, {{cx - st.mouth - 0.5, double(my - 1)}, {cx + st.mouth + 0.5, double(my - 1)},
                                           {cx + st.mouth - 2.0, double(my + 4)}, {cx - st.mouth + 2.0, double(my + 4)}});
    shade_mask(img, skirt, ramp::dusk, 3.0, 1.4);

    // Flying wires from the skirt to the basket corners, and the burner frame.
    const int fy = by - 9;
    line(img, int(cx - st.mouth + 2), my + 4, bx + 1, fy, ramp::dusk(2));
    line(img, int(cx + st.mouth - 2), my + 4, bx + bw - 2, fy, ramp::dusk(2));
    line(img, int(cx - 2), my + 4, bx + 6, fy, ramp::dusk(3));
    line(img, int(cx + 2), my + 4, bx + bw - 7, fy, ramp::dusk(3));
    line(img, bx + 1, fy, bx + 1, by, ramp::dusk(2));
    line(img, bx + bw - 2, fy, bx + bw - 2, by, ramp::dusk(2));
    Image burner = poly_mask(img.w, img.h, {{double(bx + 5), double(fy - 1)}, {double(bx + bw - 5), double(fy - 1)},
                                            {double(bx + bw - 5), double(fy + 3)}, {double(bx + 5), double(fy + 3)}});
    shade_mask(img, burner, ramp::chrome, 3.2, 2.0);
    if (frame == 1) {
        // The burner roars: a flame from the coil up into the mouth.
        const int fx = bx + bw / 2;
        for (int y = my + 1; y < fy - 1; ++y) {
            double t = double(fy - 1 - y) / (fy - 1 - my);  // 0 at the burner, 1 at the top
            double half = 2.6 * (1.0 - t) + 0.6;
            for (int x = int(fx - half - 1); x <= int(fx + half + 1); ++x) {
                double d = std::fabs(x + 0.5 - fx) / half;
                if (d > 1.0) continue;
                double heat = 1.0 - d * 0.7 - t * 0.5;
                uint8_t c = heat > 0.62 ? ramp::lamp(5) : heat > 0.4 ? dither(ramp::lamp, 3.5 + heat, x, y)
                                                                      : dither(ramp::orange, 2.5 + heat * 2, x, y);
                img.set(x, y, c);
            }
        }
    }

    // The passengers, head and shoulders over the rim.
    static const struct { int dx; Ramp hair; double hair_base; Ramp cloth; } kFolk[2] = {
        {5, ramp::hair, 1.0, ramp::cloth_red}, {11, ramp::hair, 4.5, ramp::cloth_green}};
    const int first = st.people == 1 ? 1 : 0;
    for (int i = first; i < 2; ++i) {
        int px = bx + kFolk[(i + kind) % 2].dx;
        const auto& f = kFolk[(i + kind) % 2];
        // At this size a head is a few pixels: hair on top, a lit cheek towards the light.
        Image shoulders = ellipse_mask(img.w, img.h, px + 0.5, by + 0.5, 2.6, 2.0);
        shade_mask(img, shoulders, f.cloth, 3.2, 1.2);
        fill_rect(img, {px - 1, by - 4, 3, 3}, ramp::skin(4));
        img.set(px - 1, by - 3, ramp::skin(6));
        img.set(px + 1, by - 2, ramp::skin(3));
        fill_rect(img, {px - 1, by - 5, 3, 1}, f.hair(int(f.hair_base)));
        img.set(px + 1, by - 4, f.hair(int(f.hair_base)));
    }

    // Wicker basket with a leather rim; the weave shows as staggered stitches.
    Image basket = poly_mask(img.w, img.h, {{double(bx), double(by)}, {double(bx + bw), double(by)},
                                            {double(bx + bw - 1), double(by + bh)}, {double(bx + 1), double(by + bh)}});
    paint_mask(img, basket, [&](int x, int y) {
        double u = double(x - bx) / bw, v = double(y - by) / bh;
        double pos = 4.0 - 1.6 * u - 1.2 * v;
        if ((y - by) % 3 == 2 || ((x + ((y - by) / 3) * 2) % 4 == 0)) pos -= 1.0;
        return dither(ramp::wood, pos, x, y);
    });
    fill_rect(img, {bx, by, bw, 2}, ramp::wood(2));
    fill_rect(img, {bx + 1, by, bw - 3, 1}, ramp::wood(4));
    outline(img, basket);
    return img;
}

}  // namespace art::figures::aircraft
