#include "fixtures.h"

#include <cmath>

#include "../core/draw.h"
#include "../core/font.h"
#include "street_parts.h"

using namespace art;

namespace fixtures {

Image paint_sign(bool night) {
    Image img(32, 115);
    // pole, lit on its left side
    for (int y = 28; y < 115; ++y)
        for (int k = 0; k < 4; ++k) img.set(14 + k, y, dither(ramp::chrome, k == 0 ? 4.6 : 3.4 - k * 0.7, 14 + k, y));
    fill_rect(img, {12, 112, 8, 3}, ramp::grey(2));
    fill_rect(img, {12, 112, 8, 1}, ramp::grey(4));
    // timetable plate on a bracket
    Rect plate{5, 34, 22, 28};
    shade_box(img, plate, ramp::steel_green, 3.0, 1.0);
    fill_rect(img, {7, 36, 18, 24}, [&](int x, int y) { return dither(ramp::grey, 7.4, x, y); });
    fill_rect(img, {7, 36, 18, 4}, ramp::paint_green(2));
    for (int y = 42; y < 58; y += 2)
        for (int x = 8; x < 24; ++x)
            if ((x * 7 + y * 3) % 11 > 2) img.set(x, y, ramp::grey(3 + (x > 15)));
    // the round yellow disc with green rim and green H
    shade_ball(img, 16, 15, 15.5, 15.5, ramp::paint_green, 3.0, 1.4);
    shade_ball(img, 16, 15, 13, 13, ramp::paint_yellow, 4.0, 1.2);
    Image h = text_mask("H", {2, true});
    int hx = 16 - h.w / 2, hy = 4;  // capital rows 8-21 centre on the disc
    for (int y = 0; y < h.h; ++y)
        for (int x = 0; x < h.w; ++x)
            if (h.get(x, y) == 1) img.set(hx + x, hy + y, ramp::paint_green(x < 2 ? 3 : 2));
    if (night) {
        // under the street lamp: dark, cool, with a warm glint on the left
        map_rgb(img, {0, 0, img.w, img.h}, [](Rgb c, int x, int) {
            double k = x < 12 ? 0.62 : 0.5;
            return Rgb{uint8_t(c.r * k + 4), uint8_t(c.g * k * 0.92 + 4), uint8_t(c.b * k * 0.8 + 16)};
        });
    }
    return img;
}

namespace {

// Which of the seven segments (a top, b upper right, c lower right, d bottom,
// e lower left, f upper left, g middle) each digit lights.
const int kSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

void segment(Image& img, int x0, int seg, uint8_t on_core, uint8_t on_edge, bool on, uint8_t off) {
    // cell 14 x 26; segments 3 thick with bevelled ends, a slight italic slant
    auto put = [&](int x, int y, bool core) {
        int slant = (24 - y) / 8;
        img.set(x0 + x + slant, y, on ? (core ? on_core : on_edge) : off);
    };
    const int L = 2, R = 10, T = 2, M = 12, B = 22;
    auto h = [&](int y) {
        for (int k = 0; k < 3; ++k)
            for (int x = L + 1 + (k != 1); x <= R - 1 - (k != 1); ++x) put(x, y - 1 + k, k == 1);
    };
    auto v = [&](int x, int y0, int y1) {
        for (int k = 0; k < 3; ++k)
            for (int y = y0 + 1 + (k != 1); y <= y1 - 1 - (k != 1); ++y) put(x - 1 + k, y, k == 1);
    };
    switch (seg) {
    case 0: h(T + 1); break;
    case 1: v(R, T + 1, M); break;
    case 2: v(R, M, B); break;
    case 3: h(B); break;
    case 4: v(L, M, B); break;
    case 5: v(L, T + 1, M); break;
    default: h(M); break;
    }
}

}  // namespace

Image paint_clock_strip(int style) {
    struct Style {
        uint8_t face, core, edge, off;
    };
    const Style styles[4] = {
        {street::kClockFace, ramp::led(3), ramp::led(2), ramp::dusk(1)},            // orange-red LED
        {ramp::night(0), ramp::paint_green(5), ramp::paint_green(3), ramp::night(1)},  // green tube
        {ramp::cloth_blue(0), ramp::grey(8), ramp::grey(6), ramp::cloth_blue(1)},     // white on blue
        {ramp::grey(0), ramp::lamp(4), ramp::lamp(2), ramp::grey(1)},                // amber
    };
    const Style& st = styles[style & 3];
    Image img(144, 26, st.face);
    for (int d = 0; d < 10; ++d)
        for (int seg = 0; seg < 7; ++seg) {
            bool on = (kSegments[d] >> seg) & 1;
            if (!on) segment(img, 14 * d, seg, st.core, st.edge, false, st.off);
        }
    for (int d = 0; d < 10; ++d)
        for (int seg = 0; seg < 7; ++seg)
            if ((kSegments[d] >> seg) & 1) segment(img, 14 * d, seg, st.core, st.edge, true, st.off);
    return img;
}

Image paint_notice(const std::string& text, int w, int h) {
    Image img(w, h, sys::black);
    TextStyle st{1, true};
    int x = centred_x(0, w, text, st);
    int y = (h - 11) / 2 - 1;
    // a soft warm frame keeps it from looking like an error dump
    for (int i = 3; i < w - 3; ++i) img.set(i, 2, ramp::grey(2)), img.set(i, h - 3, ramp::grey(2));
    for (int j = 3; j < h - 3; ++j) img.set(2, j, ramp::grey(2)), img.set(w - 3, j, ramp::grey(2));
    draw_text(img, x + 1, y + 1, text, ramp::grey(2), st);
    Image m = text_mask(text, st);
    for (int my = 0; my < m.h; ++my)
        for (int mx = 0; mx < m.w; ++mx)
            if (m.get(mx, my) == 1) img.set(x + mx, y + my, my < 6 ? ramp::grey(8) : ramp::lamp(5));
    return img;
}

Image paint_bus() {
    Image img(352, 114, sys::black);
    const int x0 = 20, x1 = 332, top = 10, floor = 92;
    const Ramp& cream = ramp::cloth_beige;
    const Ramp& yel = ramp::paint_yellow;
    // body: cream upper half, yellow skirt; rounded front on the left
    for (int y = top; y < floor; ++y)
        for (int x = x0; x < x1; ++x) {
            int inset = 0;
            if (y < top + 6) inset = 6 - (y - top);
            if (x < x0 + inset || x >= x1 - inset / 2) continue;
            double v = double(y - top) / (floor - top);
            uint8_t c;
            if (y < top + 4) c = dither(ramp::grey, 6.0 + (y - top) * 0.3, x, y);
            else if (v < 0.56) c = dither(cream, 5.0 - v * 1.5 - (x > x1 - 8 ? 1.0 : 0) + (x < x0 + 4 ? 0.5 : 0), x, y);
            else c = dither(yel, 4.0 - (v - 0.56) * 3.5, x, y);
            img.set(x, y, c);
        }
    // rub strip
    fill_rect(img, {x0, 58, x1 - x0, 2}, ramp::grey(2));
    fill_rect(img, {x0, 60, x1 - x0, 1}, ramp::grey(5));
    // windscreen, windows, doors
    auto glass = [&](const Rect& r) {
        fill_rect(img, r, [&](int x, int y) {
            double pos = 3.4 - (y - r.y) * 0.08 + (((x - r.x) + (y - r.y)) % 29 < 4 ? 1.5 : 0);
            return dither(ramp::glass, pos, x, y);
        });
        fill_rect(img, {r.x, r.y, r.w, 1}, ramp::grey(1));
    };
    glass({x0 + 3, 22, 14, 40});
    for (int i = 0; i < 7; ++i) glass({62 + 37 * i, 25, 32, 26});
    for (int dx : {28, 286}) {
        Rect d{dx, 22, 26, 68};
        shade_box(img, d, ramp::grey, 2.0, 0.8);
        glass({d.x + 2, d.y + 3, 10, 60});
        glass({d.x + 14, d.y + 3, 10, 60});
    }
    // destination display over the windscreen
    fill_rect(img, {x0 + 6, 13, 70, 8}, ramp::night(0));
    draw_text(img, x0 + 10, 11, "5 Rathaus", ramp::lamp(4));
    // wheels in their arches
    for (int cx : {74, 266}) {
        fill_ellipse(img, cx, 94, 19, 19, ramp::night(0));
        shade_ball(img, cx, 96, 15, 15, ramp::grey, 1.6, 1.4);
        shade_ball(img, cx, 96, 8, 8, ramp::chrome, 3.6, 1.4);
        fill_ellipse(img, cx, 96, 3, 3, ramp::grey(2));
    }
    // bumpers, lamps, mirror
    shade_box(img, {x0 - 2, 84, 30, 6}, ramp::grey, 2.0, 1.0);
    fill_rect(img, {x0, 74, 5, 4}, ramp::lamp(5));
    fill_rect(img, {x1 - 4, 74, 4, 5}, ramp::paint_red(3));
    line(img, x0, 30, x0 - 8, 26, ramp::grey(3));
    fill_rect(img, {x0 - 11, 26, 4, 9}, ramp::grey(2));
    // shadow on the road
    for (int x = x0 + 4; x < x1 + 4; ++x) img.set(x, 112, ramp::grey(1)), img.set(x, 113, ramp::grey(0));
    return img;
}

Image paint_logo() {
    Image img(376, 99, sys::white);
    TextStyle big{4, true};
    std::string name = "Quellbrand 2 LE";
    int x = centred_x(0, 376, name, big);
    // block letters: a solid extrusion to the lower right, then the faces
    // in white with a dark outline
    Image m = text_mask(name, big);
    auto stamp = [&](int dx, int dy, uint8_t c) {
        for (int y = 0; y < m.h; ++y)
            for (int xx = 0; xx < m.w; ++xx)
                if (m.get(xx, y) == 1) img.set(x + xx + dx, 7 + y + dy, c);
    };
    for (int d = 1; d <= 4; ++d) stamp(d, d, sys::black);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) stamp(dx, dy, sys::black);
    stamp(0, 0, sys::white);
    // underline swash and the subtitle
    for (int xx = 20; xx < 356; ++xx) {
        int y = 61 + int(std::round(std::sin((xx - 20) / 336.0 * 3.14159) * -3));
        img.set(xx, y, sys::black);
        if (xx > 40 && xx < 336) img.set(xx, y + 1, sys::black);
    }
    std::string sub = "Bildschirmschoner";
    TextStyle mid{2, true};
    draw_text(img, centred_x(0, 376, sub, mid), 68, sub, sys::black, mid);
    return img;
}

}  // namespace fixtures
