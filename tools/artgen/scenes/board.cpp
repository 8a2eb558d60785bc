#include "board.h"

#include <cmath>

#include "../core/draw.h"
#include "../core/font.h"
#include "../core/rng.h"

using namespace art;

namespace board {
namespace {

const TextStyle kBig{2, true};
const TextStyle kBold{1, true};

// The poster under the board's own lights: the tubes sit along the top, so
// the paper keeps its colours there and falls off by up to a ramp step and a
// half towards the bottom (dithered, so no bands appear).
void light_up(Image& img) {
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            uint8_t c = img.get(x, y);
            if (c == KEY) continue;
            double a = 0.1 + 1.4 * y / img.h;
            int steps = int(a) + ((a - int(a)) * 64 > bayer8(x, y) + 0.5 ? 1 : 0);
            img.set(x, y, shift(c, -steps));
        }
}

void paper(Image& img, const Ramp& r, double top, double bottom) {
    fill_rect(img, kPaper, [&](int x, int y) {
        double t = double(y - kPaper.y) / kPaper.h;
        return dither(r, top + (bottom - top) * t + (fractal_noise(x, y, 2, 1, 200) - 0.5) * 0.3, x, y);
    });
}

void centred(Image& img, int y, const char* text, uint8_t c, const TextStyle& st, int shade = -1) {
    int x = centred_x(kPaper.x, kPaper.w, text, st);
    if (shade >= 0) draw_text_shadowed(img, x, y, text, c, uint8_t(shade), st);
    else draw_text(img, x, y, text, c, st);
}

void outlined(Image& img, int y, const char* text, uint8_t c, uint8_t edge, const TextStyle& st) {
    draw_text_outlined(img, centred_x(kPaper.x, kPaper.w, text, st), y, text, c, edge, st);
}

void calendar(Image& img) {
    // Plain light paper: the engine writes the month and the day numbers.
    fill_rect(img, kPaper, [&](int x, int y) { return dither(ramp::plaster_yellow, 6.0 - (x + y > 250 ? 0.35 : 0.0), x, y); });
    // hanging strip along the top and a faint rule under each week
    fill_rect(img, {kPaper.x, kPaper.y, kPaper.w, 2}, ramp::cloth_red(2));
    for (int r = 1; r < 6; ++r)
        for (int x = 9; x < 156; x += 2) img.set(x, 8 + 20 * r - 3, ramp::plaster_yellow(5));
    // a slight curl shadow at the lower right corner
    for (int k = 0; k < 6; ++k)
        for (int j = 0; j <= k; ++j) img.set(kPaper.right() - 6 + k, kPaper.bottom() - 1 - j, ramp::plaster_yellow(4));
}

void bakery(Image& img) {
    paper(img, ramp::cloth_beige, 5.4, 4.2);
    centred(img, 8, "Frische", ramp::wood(1), kBig, ramp::cloth_beige(3));
    centred(img, 30, "Brötchen", ramp::wood(1), kBig, ramp::cloth_beige(3));
    // a basket of rolls
    std::vector<Pt> basket = {{38, 80}, {130, 80}, {120, 104}, {48, 104}};
    fill_polygon(img, basket, [&](int x, int y) { return dither(ramp::wood, 3.4 - (x - 38) * 0.015 + ((x + y) % 4 == 0 ? -0.8 : 0), x, y); });
    for (int y = 84; y < 104; y += 5) line(img, 44, y, 124, y, ramp::wood(2));
    const double rolls[][3] = {{52, 78, 11}, {72, 74, 12}, {94, 73, 12}, {116, 78, 11}, {62, 84, 10}, {84, 82, 11}, {106, 84, 10}};
    for (auto& r : rolls) {
        shade_ball(img, r[0], r[1], r[2], r[2] * 0.72, ramp::wood, 4.2, 2.2);
        line(img, int(r[0] - r[2] * 0.4), int(r[1] - 1), int(r[0] + r[2] * 0.4), int(r[1] - 2), ramp::wood(6));
    }
    centred(img, 106, "jeden Morgen ab 6 Uhr", ramp::wood(1), {});
    centred(img, 116, "Bäckerei am Markt", ramp::cloth_red(2), kBold);
}

void summer_festival(Image& img) {
    paper(img, ramp::sky_day, 3.0, 7.0);
    // sun with rays
    for (int a = 0; a < 16; ++a) {
        double t = a * 3.14159 / 8;
        line(img, int(130 + std::cos(t) * 14), int(30 + std::sin(t) * 14), int(130 + std::cos(t) * 22),
             int(30 + std::sin(t) * 22), ramp::lamp(4));
    }
    shade_ball(img, 130, 30, 12, 12, ramp::lamp, 4.4, 1.2);
    // bunting
    const Ramp* flags[] = {&ramp::cloth_red, &ramp::paint_yellow, &ramp::cloth_blue, &ramp::cloth_green};
    for (int i = 0; i < 10; ++i) {
        double x = kPaper.x + 4 + i * 16.0;
        double sag = 10 + std::sin(i * 0.35) * 3;
        fill_polygon(img, {{x, sag}, {x + 12, sag + 1}, {x + 6, sag + 12}}, [&](int px, int py) { return dither(*flags[i % 4], 3.6 - (px - x) * 0.06, px, py); });
    }
    line(img, kPaper.x, 10, kPaper.right(), 12, ramp::grey(2));
    outlined(img, 40, "Sommerfest", ramp::cloth_red(3), ramp::grey(8), kBig);
    // meadow and a few dancers' silhouettes
    fill_rect(img, {kPaper.x, 92, kPaper.w, kPaper.bottom() - 92}, [&](int x, int y) { return dither(ramp::foliage, 4.6 - (y - 92) * 0.06 + (fractal_noise(x, y, 3, 2, 201) - 0.5), x, y); });
    centred(img, 66, "Samstag, 12. Juli", ramp::cloth_blue(0), kBold);
    centred(img, 78, "Musik - Tanz - Grill", ramp::cloth_blue(1), {});
    centred(img, 104, "am Stadtweiher", ramp::grey(8), kBold, ramp::foliage(1));
}

void circus(Image& img) {
    paper(img, ramp::sky_night, 1.0, 3.5);
    Rng rng(202);
    for (int i = 0; i < 40; ++i) img.set(kPaper.x + rng.below(kPaper.w), kPaper.y + rng.below(60), ramp::lamp(5));
    outlined(img, 8, "Zirkus", ramp::paint_yellow(4), ramp::cloth_red(1), kBig);
    // the big top: striped cone over striped walls
    int cx = 84;
    fill_polygon(img, {{cx - 52.0, 78}, {double(cx), 38}, {cx + 52.0, 78}}, [&](int x, int y) {
        int band = int(std::floor((x - cx) * 8.0 / std::max(1, y - 36)));
        double shade = 4.2 - (x - cx) * 0.02;
        return (band & 1) ? dither(ramp::grey, shade + 3, x, y) : dither(ramp::cloth_red, shade - 0.6, x, y);
    });
    fill_rect(img, {cx - 46, 78, 92, 26}, [&](int x, int y) {
        return ((x - cx + 60) / 8) % 2 ? dither(ramp::grey, 7.0 - (x - cx + 46) * 0.02, x, y) : dither(ramp::cloth_red, 3.4 - (x - cx + 46) * 0.015, x, y);
    });
    fill_polygon(img, {{cx - 8.0, 104}, {double(cx), 84}, {cx + 8.0, 104}}, ramp::night(0));
    line(img, cx, 38, cx, 28, ramp::grey(6));
    fill_polygon(img, {{double(cx), 28}, {cx + 10.0, 31}, {double(cx), 34}}, ramp::paint_yellow(4));
    centred(img, 106, "Premiere am Freitag", ramp::grey(8), kBold);
    centred(img, 116, "Manege frei!", ramp::paint_yellow(5), {});
}

void savings(Image& img) {
    paper(img, ramp::cloth_green, 5.3, 4.6);
    centred(img, 6, "Sparen", ramp::paint_green(0), kBig, ramp::cloth_green(3));
    centred(img, 27, "lohnt sich!", ramp::paint_green(0), kBig, ramp::cloth_green(3));
    // piggy bank and a stack of coins
    shade_ball(img, 70, 80, 30, 20, ramp::salmon, 4.4, 1.6);
    shade_ball(img, 44, 78, 10, 9, ramp::salmon, 4.6, 1.4);
    fill_ellipse(img, 38, 79, 4, 3, ramp::salmon(2));
    img.set(37, 79, ramp::salmon(0));
    img.set(40, 79, ramp::salmon(0));
    img.set(50, 72, ramp::night(0));
    fill_polygon(img, {{54, 62}, {60, 54}, {62, 64}}, ramp::salmon(3));
    for (int lx : {52, 62, 80, 90}) fill_rect(img, {lx, 96, 6, 8}, ramp::salmon(2));
    fill_rect(img, {64, 60, 14, 2}, ramp::salmon(0));  // slot
    for (int i = 0; i < 6; ++i) shade_ball(img, 122, 98 - i * 5, 12, 4, ramp::paint_yellow, 3.6, 1.4);
    shade_ball(img, 71, 52, 7, 7, ramp::paint_yellow, 4.0, 1.4);
    centred(img, 104, "Wir beraten Sie gern.", ramp::paint_green(0), {});
    centred(img, 114, "Ihre Bank am Ort", ramp::cloth_blue(1), kBold);
}

void note(Image& img, int x, int y, uint8_t c) {
    fill_ellipse(img, x, y, 3.5, 2.6, c);
    line(img, x + 3, y, x + 3, y - 14, c);
    line(img, x + 3, y - 14, x + 7, y - 10, c);
}

void concert(Image& img) {
    paper(img, ramp::cloth_red, 1.2, 0.4);
    // stage light cone
    fill_polygon(img, {{60, 5}, {108, 5}, {150, 126}, {18, 126}}, [&](int x, int y) {
        return dither(ramp::cloth_red, 1.2 + 1.6 * (1.0 - std::abs(x - 84.0) / (24 + (y - 5) * 0.55)) - y * 0.004, x, y);
    });
    centred(img, 8, "Konzert", ramp::lamp(5), kBig, ramp::cloth_red(0));
    // a golden trumpet: mouthpiece, valves, the tube's loop and a flared bell
    const Ramp& brass = ramp::paint_yellow;
    shade_box(img, {34, 64, 70, 4}, brass, 3.8, 1.0);
    shade_box(img, {48, 70, 44, 3}, brass, 3.0, 1.0);
    shade_box(img, {46, 64, 3, 9}, brass, 3.2, 1.0);
    shade_box(img, {90, 64, 3, 9}, brass, 3.2, 1.0);
    fill_rect(img, {30, 63, 4, 6}, brass(2));
    for (int vx : {60, 67, 74}) {
        shade_box(img, {vx, 55, 4, 10}, brass, 3.6, 1.0);
        shade_box(img, {vx - 1, 52, 6, 3}, ramp::chrome, 4.0, 1.0);
    }
    fill_polygon(img, {{102, 63}, {128, 50}, {128, 82}, {102, 69}}, [&](int x, int y) {
        return dither(brass, 4.6 - (y - 50) * 0.08 + (x - 102) * 0.02, x, y);
    });
    shade_ball(img, 128, 66, 4, 16, brass, 3.0, 1.4);
    fill_ellipse(img, 129, 66, 2, 13, brass(1));
    note(img, 30, 52, ramp::lamp(4));
    note(img, 44, 42, ramp::lamp(5));
    note(img, 130, 42, ramp::lamp(4));
    centred(img, 86, "Stadtkapelle", ramp::grey(8), kBold);
    centred(img, 100, "Sonntag, 17 Uhr", ramp::lamp(5), {});
    centred(img, 112, "im Kurpark", ramp::lamp(5), {});
}

void travel(Image& img) {
    fill_rect(img, kPaper, [&](int x, int y) {
        if (y < 70) return dither(ramp::sky_day, 3.0 + (y - 5) * 0.06, x, y);
        if (y < 96) return dither(ramp::paint_blue, 2.6 + (y - 70) * 0.05 + ((x + (y - 70) * 3) % 17 == 0 ? 1.5 : 0), x, y);
        return dither(ramp::plaster_yellow, 5.2 - (y - 96) * 0.03 + (fractal_noise(x, y, 2, 1, 203) - 0.5) * 0.6, x, y);
    });
    shade_ball(img, 40, 66, 16, 16, ramp::orange, 4.2, 0.8);
    for (int y = 70; y < 83; ++y)  // the sun sinking into the sea
        for (int x = 24; x < 57; ++x) if (img.get(x, y) != KEY && ramp::orange.holds(img.get(x, y)) && y % 3 == 0) img.set(x, y, ramp::paint_blue(3));
    // a sailing boat
    fill_polygon(img, {{112, 84}, {138, 84}, {134, 90}, {116, 90}}, ramp::grey(7));
    fill_polygon(img, {{125, 46}, {125, 82}, {106, 82}}, [&](int x, int y) { return dither(ramp::grey, 7.4 - (125 - x) * 0.03, x, y); });
    fill_polygon(img, {{127, 52}, {127, 82}, {140, 82}}, [&](int x, int y) { return dither(ramp::cloth_red, 3.6, x, y); });
    line(img, 126, 44, 126, 84, ramp::wood(1));
    outlined(img, 7, "Urlaub", ramp::grey(8), ramp::paint_blue(1), kBig);
    outlined(img, 28, "am Meer", ramp::grey(8), ramp::paint_blue(1), kBig);
    centred(img, 100, "Reisebüro", ramp::paint_blue(1), kBold);
    centred(img, 112, "Sonnenschein", ramp::paint_blue(1), kBold);
}

void zoo(Image& img) {
    paper(img, ramp::grey_green, 6.0, 5.0);
    centred(img, 6, "Tierpark", ramp::paint_green(0), kBig, ramp::grey_green(3));
    // giraffe
    const Ramp& g = ramp::ochre;
    fill_rect(img, {100, 30, 6, 40}, [&](int x, int y) { return dither(g, 4.8 - (x - 100) * 0.3, x, y); });
    shade_ball(img, 106, 30, 8, 5, g, 4.8, 1.2);
    shade_ball(img, 112, 78, 22, 11, g, 4.6, 1.4);
    for (int lx : {94, 100, 124, 130}) fill_rect(img, {lx, 86, 4, 20}, g(3));
    Rng rng(204);
    for (int i = 0; i < 24; ++i) {
        int x = 92 + rng.below(40), y = 28 + rng.below(60);
        if (img.get(x, y) != KEY && g.holds(img.get(x, y))) fill_rect(img, {x, y, 3, 2}, ramp::wood(1));
    }
    fill_rect(img, {101, 22, 1, 4}, ramp::wood(1));
    fill_rect(img, {104, 22, 1, 4}, ramp::wood(1));
    // elephant
    shade_ball(img, 46, 80, 26, 17, ramp::grey, 4.6, 1.6);
    shade_ball(img, 24, 72, 11, 11, ramp::grey, 4.8, 1.4);
    shade_ball(img, 30, 70, 7, 10, ramp::grey, 4.0, 1.4);
    for (int i = 0; i < 18; ++i) fill_rect(img, {15 - i / 6, 76 + i, 4, 1}, ramp::grey(4 - (i > 12)));
    for (int lx : {30, 40, 56, 64}) fill_rect(img, {lx, 92, 7, 14}, ramp::grey(3));
    img.set(21, 69, ramp::night(0));
    fill_rect(img, {kPaper.x, 106, kPaper.w, 2}, ramp::foliage(3));
    centred(img, 106, "täglich geöffnet", ramp::paint_green(0), kBold);
    centred(img, 116, "9 bis 18 Uhr", ramp::paint_green(1), {});
}

}  // namespace

Image paint_motive(int n, bool night) {
    Image img(kPosterW, kPosterH);  // key outside the paper: the frame shows
    switch (n) {
    case 1: calendar(img); break;
    case 2: bakery(img); break;
    case 3: summer_festival(img); break;
    case 4: circus(img); break;
    case 5: savings(img); break;
    case 6: concert(img); break;
    case 7: travel(img); break;
    default: zoo(img); break;
    }
    if (night) light_up(img);
    return img;
}

Image paint_board(bool night) {
    Image img(kWidth, kHeight);
    const Ramp& g = ramp::steel_green;
    // frame around the poster, with a lip on the inner edge
    Rect frame{0, 0, kPosterW, kPosterH};
    shade_box(img, frame, g, 3.0, 1.2);
    fill_rect(img, {4, 4, 160, 124}, g(1));
    fill_rect(img, kPaper, [&](int x, int y) { return dither(ramp::grey, 6.0, x, y); });
    // lower beam
    shade_box(img, {0, 126, kPosterW, 8}, g, 3.0, 1.2);
    for (int x : kLegX) {
        for (int y = 134; y < kHeight; ++y)
            for (int k = 0; k < kLegW; ++k) {
                double pos = k == 0 ? 4.8 : k == kLegW - 1 ? 1.0 : 3.2 - k * 0.25;
                img.set(x + k, y, dither(g, pos, x + k, y));
            }
        shade_box(img, {x - 2, kHeight - 3, kLegW + 4, 3}, g, 2.6, 1.0);
    }
    // the tubes' hood along the top
    shade_box(img, {6, 0, 156, 3}, ramp::chrome, 3.0, 1.0);
    if (night) {
        map_rgb(img, {0, 0, img.w, img.h}, [](Rgb c, int, int y) {
            double k = y < 6 ? 0.9 : 0.42;
            return Rgb{uint8_t(c.r * k), uint8_t(c.g * k + 4), uint8_t(c.b * k + 14)};
        });
        fill_rect(img, {8, 2, 152, 1}, ramp::lamp(5));
    }
    return img;
}

}  // namespace board
