// The town bus, figure 70: three pictures per livery that differ only in the
// turn of the wheels, by day and at night. The six passenger windows are left
// transparent: the street shows through them until the bus paints a
// passenger's face into one.
#include <cmath>
#include <cstdio>

#include "core/font.h"
#include "figures/bus.h"
#include "figures/vehicle_car.h"
#include "figures/vehicle_sheets.h"

namespace art::vehicles {

namespace {

struct Livery {
    Ramp upper;
    double upper_base;
    Ramp lower;
    double lower_base;
};

// 1 cream over yellow, 2 white over red, 3 white over green.
const Livery kLiveries[3] = {
    {ramp::cloth_beige, 4.4, ramp::paint_yellow, 2.8},
    {ramp::snow, 3.8, ramp::paint_red, 2.8},
    {ramp::snow, 3.8, ramp::paint_green, 2.8},
};

const WheelStyle kBusWheel{Hub::Truck, 8, 0.6, ramp::grey, 5.0};

}  // namespace

Rect bus_window(int seat, bool night) {
    return {(night ? kBusNightWindowX : kBusDayWindowX) + kBusWindowStep * seat, kBusWindowY, kBusWindowW, kBusWindowH};
}

Image paint_bus_frame(int variant, int colour, bool night) {
    const Livery& lv = kLiveries[(colour - 1) % 3];
    const int W = night ? kBusNightW : kBusDayW;
    Image img(W, kBusH);
    const int bx = night ? kBusNightShift : 0;  // left end of the body
    // The bus is described facing right and mirrored: it drives to the left.
    View vw{&img, bx, 0, kBusDayW, kBusH, false};
    const Pose pose{variant, night, 0};
    const double r = 18;
    const double roof = 6, skirt_top = 58, bottom = 104;
    auto X = [&](double u) { return vw.x(u); };

    // body: the front (u = 312) has a rounded roof line and an upright face
    std::vector<Pt> body = {{1, bottom}, {0, 14}, {4, roof}, {300, roof}, {311, 14}, {312, 60}, {312, bottom}};
    BodyLines upper_lines{roof, roof + 4, skirt_top - 6, skirt_top};
    Image bm = paint_body(vw, rounded(body, {1, 4, 6, 8, 3, 1, 1}), {lv.upper, lv.upper_base}, upper_lines);
    BodyLines lower_lines{skirt_top, skirt_top + 1, skirt_top + 18, bottom - 6};
    Shader lower = body_shader(vw, {lv.lower, lv.lower_base}, lower_lines);
    fill_rect(img, {0, int(skirt_top), W, int(bottom - skirt_top) + 1}, [&](int x, int y) -> uint8_t {
        if (bm.get(x, y) != 1) return KEY;
        bool edge = bm.get(x - 1, y) != 1 || bm.get(x + 1, y) != 1 || bm.get(x, y + 1) != 1;
        return edge ? shift(lower(x, y), -1) : lower(x, y);
    });
    // the roof: a light grey cap with the ventilation hatches
    fill_rect(img, {0, int(roof), W, 3}, [&](int x, int y) -> uint8_t {
        return bm.get(x, y) == 1 ? dither(ramp::grey, 6.8 - (y - roof) * 0.6, x, y) : KEY;
    });
    for (double u : {90.0, 200.0}) {
        Rect h = vw.rect(u, roof - 3, u + 26, roof);
        shade_box(img, h, ramp::grey, 5.4, 0.8);
    }
    // rubbing strip between the colours, and the black skirt at the bottom
    plastic_bar(vw, 4, skirt_top - 2, 310, skirt_top + 1, 1.2);
    plastic_bar(vw, 2, bottom - 6, 311, bottom, 1.0);

    // the passenger windows: a dark seal round a hole the street shows through
    for (int i = 0; i < kBusSeats; ++i) {
        Rect w = bus_window(i, night);
        fill_rect(img, {w.x - 2, w.y - 2, w.w + 4, w.h + 4}, ramp::grey(1));
        fill_rect(img, {w.x - 1, w.y - 1, w.w + 2, 1}, ramp::grey(3));
        fill_rect(img, w, KEY);
    }
    // the window band above and below, painted black between the panes
    for (int i = 0; i + 1 < kBusSeats; ++i) {
        Rect w = bus_window(i, night);
        fill_rect(img, {w.right() + 2, w.y - 2, kBusWindowStep - kBusWindowW - 4, w.h + 4}, [&](int x, int y) {
            return dither(ramp::grey, 1.4 + (x == w.right() + 2) * 0.8, x, y);
        });
    }

    // windscreen (the sliver seen from the side) and destination display
    Image ws = paint_glass(vw, rounded({{298, 64}, {298, 22}, {306, 18}, {309, 22}, {309, 64}}, {0, 2, 2, 2, 0}, 3), night);
    occupant(vw, ws, 304, 28, 11, night);
    Rect disp = vw.rect(244, 9, 306, 19);
    fill_rect(img, disp, ramp::night(0));
    fill_rect(img, {disp.x, disp.bottom(), disp.w, 1}, ramp::grey(2));
    // doors: front door behind the windscreen, rear door behind the last window
    auto door = [&](double u0) {
        Rect d = vw.rect(u0, 20, u0 + 26, bottom - 6);
        shade_box(img, d, ramp::grey, 2.2, 0.7);
        for (int k = 0; k < 2; ++k) {
            double gu = u0 + 2 + k * 12;
            paint_glass(vw, rounded({{gu, bottom - 10}, {gu, 24}, {gu + 10, 24}, {gu + 10, bottom - 10}}, {1, 2, 2, 1}, 2), night,
                        night ? -0.5 : 0.2);
        }
        fill_rect(img, {d.x + d.w / 2, d.y + 2, 1, d.h - 4}, ramp::grey(1));
    };
    door(266);
    door(4);
    // rear: engine grille low down; front: bumper, lamps
    for (int k = 0; k < 6; ++k) fill_rect(img, vw.rect(36, 68 + k * 4, 62, 70 + k * 4), ramp::grey(1 + (k & 1)));
    plastic_bar(vw, 290, bottom - 8, 312, bottom - 1, 1.6);
    plastic_bar(vw, 0, bottom - 8, 14, bottom - 1, 1.6);
    head_lamp(vw, 306, 82, 312, 89, false);
    indicator(vw, 307, 90, 312, 93, false);
    tail_lamp(vw, 0, 74, 5, 86, false);
    // wheels in their arches
    for (double u : {64.0, 260.0}) arch_at(vw, u, r, night);
    for (double u : {64.0, 260.0}) wheel_at(vw, u, r, kBusWheel, pose);

    auto destination = [&](bool lit) {
        fill_rect(img, {disp.x + 1, disp.y + 1, disp.w - 2, disp.h - 2}, ramp::night(0));
        draw_text(img, disp.x + 3, disp.y - 1, "5 Rathaus", lit ? ramp::lamp(5) : ramp::lamp(3));
    };
    if (!night) {
        destination(false);
        ground_shadow(vw, 20, 300, 3, false);
        return img;
    }
    // Night: the windows stay open; re-light the rest, then what shines.
    night_relight(img, {0, 0, W, kBusH});
    head_lamp(vw, 306, 82, 312, 89, true);
    tail_lamp(vw, 0, 74, 5, 86, true);
    destination(true);
    glow(img, disp.x + disp.w * 0.5, disp.y + disp.h * 0.5, disp.w * 0.6, disp.h, ramp::lamp, 0.35);
    // the lit saloon shows in the door glass
    for (double u0 : {266.0, 4.0})
        for (int k = 0; k < 2; ++k) {
            double gu = u0 + 2 + k * 12;
            Rect g = vw.rect(gu + 1, 25, gu + 9, bottom - 11);
            fill_rect(img, g, [&](int x, int y) { return dither(ramp::lamp, 1.4 - (y - g.y) * 0.015, x, y); });
        }
    beam(img, X(312), vw.y(85), -1, bx, vw.ground());
    ground_shadow(vw, 20, 300, 3, true);
    return img;
}

void add_bus_sheets(std::vector<Picture>& out) {
    char name[32];
    for (int night = 0; night <= 1; ++night)
        for (int v = 0; v < 3; ++v)
            for (int c = 1; c <= 3; ++c) {
                std::snprintf(name, sizeof name, "FIG70_%c%02d_%02d", night ? 'N' : 'T', v, c);
                out.push_back({name, "bus", paint_bus_frame(v, c, night), BmpFormat::Rle8});
            }
}

}  // namespace art::vehicles
