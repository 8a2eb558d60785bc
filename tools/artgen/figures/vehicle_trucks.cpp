// Commercial vehicles: lorries with a cab and a body behind it, vans, the
// motorhome, the coach, the fire engine, the composite van whose wheels and
// driver are pictures of their own, and the scooter.
#include <algorithm>
#include <cmath>

#include "core/font.h"
#include "figures/vehicle_car.h"
#include "figures/vehicle_heads.h"
#include "figures/vehicle_sheets.h"

namespace art::vehicles {
namespace {

void add(std::vector<Picture>& out, const char* name, Image img) {
    out.push_back({name, "vehicles", std::move(img), BmpFormat::Rle8});
}

// ---- shared parts -------------------------------------------------------------

const WheelStyle kTruckWheel{Hub::Truck, 8, 0.6, ramp::grey, 5.0};

// Black plastic mudguard arching over a wheel.
void mudguard(const View& vw, double u, double r, double lift = 0) {
    Image& img = *vw.img;
    double cx = vw.x(u), cy = vw.oy + vw.ht - r - lift;
    for (int y = int(cy - r - 6); y <= int(cy); ++y)
        for (int x = int(cx - r - 6); x <= int(cx + r + 6); ++x) {
            double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d < r + 1.5 || d > r + 4.5) continue;
            double pos = d > r + 3.5 ? 1.0 : 1.8 + 0.8 * ((cx - x) / (r + 4));
            img.set(x, y, dither(ramp::grey, pos, x, y));
        }
}

// Chassis rail between the axles, with a fuel tank or a side guard.
void chassis(const View& vw, double u0, double u1, double v, double h = 6) {
    plastic_bar(vw, u0, v, u1, v + h, 0.9);
}

void side_guard(const View& vw, double u0, double u1, double v) {
    chrome_bar(vw, u0, v, u1, v + 2);
    chrome_bar(vw, u0, v + 6, u1, v + 8);
    for (double u = u0; u <= u1; u += (u1 - u0) / 3) plastic_bar(vw, u, v, u + 2, v + 9, 1.0);
}

// A forward-control lorry cab; front at u1.
struct Cab {
    double u0, u1, roof, bottom;
    Paint paint;
    double win_top, win_bottom;
};

Image lorry_cab(const View& vw, const Cab& c, const Pose& pose, bool occupant_on = true) {
    Image& img = *vw.img;
    const double L = c.u1 - c.u0;
    std::vector<Pt> p = {{c.u0, c.bottom},       {c.u0, c.roof + 3}, {c.u0 + 2, c.roof}, {c.u1 - 9, c.roof},
                         {c.u1 - 2, c.roof + 16}, {c.u1, c.win_bottom + 4}, {c.u1, c.bottom}};
    std::vector<double> rr = {0, 2, 3, 7, 3, 2, 0};
    BodyLines lines{c.roof, c.win_bottom, c.win_bottom + (c.bottom - c.win_bottom) * 0.42, c.bottom - 7};
    Image body = paint_body(vw, rounded(p, rr), c.paint, lines);
    // windscreen edge seen from the side, and the grille corner
    fill_rect(img, vw.rect(c.u1 - 3, c.win_bottom + 5, c.u1, c.bottom - 12), [&](int x, int y) {
        return body.get(x, y) == 1 ? dither(ramp::grey, 1.0 + ((y / 2) & 1) * 0.8, x, y) : KEY;
    });
    // door with its window
    double d0 = c.u0 + L * 0.3, d1 = c.u1 - 9;
    std::vector<Pt> win = {{d0 + 3, c.win_bottom}, {d0 + 3, c.win_top}, {d1 - 5, c.win_top}, {d1 + 1, c.win_bottom}};
    Image g = paint_glass(vw, rounded(win, {0, 2, 2, 0}, 3), pose.night);
    if (occupant_on) occupant(vw, g, d0 + (d1 - d0) * 0.45, c.win_top + 4, (c.win_bottom - c.win_top) * 0.42, pose.night);
    if (d0 - c.u0 > 14) {
        std::vector<Pt> q = {{c.u0 + 5, c.win_bottom}, {c.u0 + 5, c.win_top}, {d0 - 3, c.win_top}, {d0 - 3, c.win_bottom}};
        paint_glass(vw, rounded(q, {0, 2, 2, 0}, 3), pose.night, 0.4);
    }
    shade_line(img, vw.x(d0), vw.y(c.win_top - 3), vw.x(d0), vw.y(c.bottom - 3), -2);
    shade_line(img, vw.x(d1 + 2), vw.y(c.win_top - 3), vw.x(d1 + 2), vw.y(c.bottom - 3), -2);
    fill_rect(img, vw.rect(d0 + 5, c.win_bottom + 4, d0 + 11, c.win_bottom + 5), ramp::chrome(4));
    // steps under the door
    for (int k = 0; k < 2; ++k) plastic_bar(vw, d0 + 2, c.bottom - 16 + k * 9, d1 - 4, c.bottom - 14 + k * 9, 1.2);
    // big mirror on its arm
    Rect arm = vw.rect(c.u1 - 6, c.win_top + 2, c.u1 - 1, c.win_top + 3);
    fill_rect(img, arm, ramp::grey(2));
    fill_rect(img, vw.rect(c.u1 - 10, c.win_top - 4, c.u1 - 5, c.win_top + 14), [&](int x, int y) {
        return dither(ramp::grey, 1.3 + (x % 3 == 0 ? 0.6 : 0), x, y);
    });
    // bumper, lamps
    plastic_bar(vw, c.u1 - 12, c.bottom - 9, c.u1, c.bottom, 1.4);
    head_lamp(vw, c.u1 - 5, c.bottom - 17, c.u1, c.bottom - 11, false);
    indicator(vw, c.u1 - 4, c.bottom - 22, c.u1, c.bottom - 18, false);
    return body;
}

// A plain rounded slab with a lit upper-left edge: box bodies and tanks.
Image box_body(const View& vw, double u0, double v0, double u1, double v1, const Ramp& ramp, double base,
               double radius = 3) {
    std::vector<Pt> p = {{u0, v1}, {u0, v0}, {u1, v0}, {u1, v1}};
    return paint_panel(vw, rounded(p, {1, radius, radius, 1}, 3), ramp, base, 0.7);
}

// Wheels with their shadow: rear wheels under mudguards, the front under
// the cab's own arch.
void truck_wheels(const View& vw, const std::vector<double>& rear, double front, double r, const Pose& pose) {
    for (double u : rear) mudguard(vw, u, r);
    arch_at(vw, front, r, pose.night);
    for (double u : rear) wheel_at(vw, u, r, kTruckWheel, pose);
    wheel_at(vw, front, r, kTruckWheel, pose);
}

// ---- 83: box lorry, removals, on the far lane ------------------------------------

void lorry83(Image& f, int i) {
    View vw{&f, 0, 0, 240, 150, false};
    Pose pose{i, false, 0};
    const double r = 21;
    ground_shadow(vw, 20, 232, 3, false);
    chassis(vw, 10, 176, 118);
    // box
    Image box = box_body(vw, 2, 2, 166, 120, ramp::snow, 3.6, 4);
    for (double u = 22; u < 160; u += 20) shade_line(f, vw.x(u), vw.y(5), vw.x(u), vw.y(117), -1);
    fill_rect(f, vw.rect(4, 86, 164, 96), [&](int x, int y) { return dither(ramp::paint_red, 3.4 - (y % 10) * 0.12, x, y); });
    fill_rect(f, vw.rect(4, 97, 164, 99), ramp::paint_red(2));
    chrome_bar(vw, 2, 116, 166, 120);
    // lettering, always reading left to right
    TextStyle big{2, true};
    const char* word = "Umzüge";
    Rect br = vw.rect(2, 2, 166, 120);
    int tx = br.x + (br.w - text_width(word, big)) / 2;
    draw_text_shadowed(f, tx, br.y + 26, word, ramp::paint_red(3), ramp::paint_red(1), big);
    const char* sub = "Möbel & Transporte";
    draw_text(f, br.x + (br.w - text_width(sub)) / 2, br.y + 54, sub, ramp::grey(2));
    // roof deflector from the cab roof to the box
    std::vector<Pt> defl = {{168, 36}, {172, 8}, {200, 6}, {214, 36}};
    paint_panel(vw, rounded(defl, {0, 3, 8, 0}, 4), ramp::paint_red, 3.2, 0.8);
    lorry_cab(vw, {168, 240, 36, 134, {ramp::paint_red, 3.0}, 44, 78}, pose);
    side_guard(vw, 84, 164, 124);
    truck_wheels(vw, {56}, 200, r, pose);
    tail_lamp(vw, 0, 122, 6, 128, false);
}

// ---- 95: drinks lorry with crates under a canopy, on the near lane ---------------

void crates(Image& f, const View& vw, double u0, double v0, double u1, double v1) {
    const Ramp colours[3] = {ramp::paint_red, ramp::paint_green, ramp::paint_yellow};
    const double cw = 17, ch = 14;
    int row = 0;
    for (double v = v1 - ch; v >= v0 - 0.5; v -= ch, ++row) {
        int col = 0;
        for (double u = u0; u + cw <= u1 + 0.5; u += cw, ++col) {
            const Ramp& rc = colours[(row * 2 + col * 5 + (col / 3)) % 3];
            Rect r = vw.rect(u, v, u + cw - 1, v + ch - 1);
            shade_box(f, r, rc, 2.8, 0.9);
            // handle slot and the bottle caps showing above the crate rim
            fill_rect(f, {r.x + r.w / 2 - 3, r.y + 3, 6, 2}, rc(0));
            for (int k = 2; k < r.w - 1; k += 3) f.set(r.x + k, r.y + 1, ramp::chrome(4));
            fill_rect(f, {r.x + 1, r.y + r.h - 3, r.w - 2, 1}, rc(1));
        }
    }
}

void lorry95(Image& f, int i) {
    View vw{&f, 0, 0, 240, 161, true};
    Pose pose{i, false, 0};
    const double r = 21;
    ground_shadow(vw, 16, 230, 3, false);
    chassis(vw, 8, 176, 130);
    // flatbed floor and the canopy on posts
    box_body(vw, 2, 120, 168, 131, ramp::cloth_blue, 2.6, 1);
    box_body(vw, 2, 10, 168, 24, ramp::cloth_blue, 3.2, 3);
    fill_rect(f, vw.rect(4, 24, 166, 120), [&](int x, int y) { return dither(ramp::grey, 1.0 + (y % 7 == 0) * 0.5, x, y); });
    crates(f, vw, 6, 27, 163, 120);
    for (double u : {2.0, 84.0, 164.0}) box_body(vw, u, 22, u + 4, 122, ramp::chrome, 2.6, 1);
    TextStyle st{1, true};
    Rect cr = vw.rect(2, 10, 168, 24);
    draw_text(f, cr.x + (cr.w - text_width("Getränke", st)) / 2, cr.y + 1, "Getränke", ramp::grey(8), st);
    lorry_cab(vw, {170, 240, 46, 144, {ramp::paint_blue, 3.2}, 54, 88}, pose);
    side_guard(vw, 80, 150, 134);
    truck_wheels(vw, {46}, 204, r, pose);
    tail_lamp(vw, 0, 124, 5, 130, false);
}

// ---- 81: refuse lorry, municipal orange, tandem rear axle ---------------------------

void refuse81(Image& f, int i) {
    View vw{&f, 0, 0, 264, 134, false};
    Pose pose{i, false, 0};
    const double r = 19;
    ground_shadow(vw, 10, 256, 3, false);
    chassis(vw, 20, 200, 104);
    // rounded compactor body with ribs
    std::vector<Pt> body = {{24, 106}, {24, 16}, {40, 6}, {196, 6}, {198, 106}};
    Image bm = paint_panel(vw, rounded(body, {0, 10, 6, 4, 0}, 5), ramp::orange, 3.0, 0.8);
    for (double u = 46; u < 196; u += 18) {
        Rect rr = vw.rect(u, 8, u + 3, 104);
        fill_rect(f, rr, [&](int x, int y) { return bm.get(x, y) == 1 ? dither(ramp::orange, 2.0 + (x == rr.x) * 2.0, x, y) : KEY; });
    }
    fill_rect(f, vw.rect(26, 62, 196, 72), [&](int x, int y) { return bm.get(x, y) == 1 ? ramp::grey(7 + ((x / 6) & 1)) : KEY; });
    for (double u = 30; u < 196; u += 12) fill_rect(f, vw.rect(u, 62, u + 6, 72), ramp::paint_red(3));
    // rear loader: the hopper leaning back, with its bin lift
    std::vector<Pt> tail = {{0, 108}, {2, 40}, {12, 14}, {30, 12}, {30, 108}};
    paint_panel(vw, rounded(tail, {0, 4, 8, 2, 0}, 4), ramp::orange, 2.6, 0.9);
    fill_rect(f, vw.rect(3, 70, 22, 104), [&](int x, int y) { return dither(ramp::grey, 0.8 + (y - 70) * 0.03, x, y); });
    plastic_bar(vw, 0, 104, 26, 108, 1.2);
    box_body(vw, 6, 76, 18, 100, ramp::grey, 3.0, 1);
    tail_lamp(vw, 0, 44, 4, 52, false);
    indicator(vw, 0, 53, 4, 56, false);
    // beacon on the cab roof
    lorry_cab(vw, {200, 264, 38, 120, {ramp::orange, 3.2}, 46, 78}, pose);
    fill_ellipse(f, vw.x(232), vw.y(35), 4, 3, ramp::orange(4));
    fill_rect(f, vw.rect(228, 36, 237, 38), ramp::grey(2));
    truck_wheels(vw, {72, 116}, 232, r, pose);
}

// ---- 84: yellow high-roof panel van ---------------------------------------------------

CarDesign van84() {
    CarDesign s;
    s.len = 240;
    s.ht = 113;
    s.body = {{3, 98}, {0, 12}, {6, 3}, {176, 2}, {212, 40}, {236, 56}, {240, 70}, {239, 98}};
    s.radii = {2, 8, 6, 10, 8, 8, 4, 2};
    s.paint = {ramp::paint_yellow, 2.7};
    s.lines = {2, 8, 64, 88};
    Window cab;
    cab.pts = rounded({{176, 46}, {176, 12}, {190, 12}, {208, 40}, {208, 46}}, {0, 2, 3, 2, 0}, 3);
    s.windows = {cab};
    s.occupants = {{192, 14, 13}};
    s.wheel_r = 17;
    s.wheels = {48, 196};
    s.wheel = {Hub::Steel, 5, 0.6, ramp::grey, 5.2};
    s.gaps = {{{172, 4}, {172, 90}}, {{214, 44}, {212, 90}}, {{100, 8}, {100, 90}}, {{60, 8}, {60, 90}}};
    s.handles = {{180, 52}, {106, 52}};
    s.rub_v = 72;
    s.rub_u0 = 2;
    s.rub_u1 = 238;
    s.rear_bumper = {0, 88, 12, 96};
    s.front_bumper = {226, 86, 240, 96};
    s.head = {234, 62, 240, 70};
    s.blinker = {235, 71, 239, 74};
    s.tail = {0, 66, 4, 82};
    s.mirror = {208, 44};
    s.shadow_u0 = 10;
    s.shadow_u1 = 232;
    return s;
}

// ---- 85: builder's flatbed with drop sides and a load of sacks --------------------------

void flatbed85(Image& f, int i) {
    View vw{&f, 0, 0, 216, 95, false};
    Pose pose{i, false, 0};
    CarDesign cab;
    cab.len = 216;
    cab.ht = 95;
    cab.body = {{136, 80}, {136, 12}, {142, 6}, {176, 6}, {200, 38}, {214, 46}, {216, 58}, {215, 80}};
    cab.radii = {0, 4, 5, 7, 6, 6, 3, 2};
    cab.paint = {ramp::ochre, 3.2};
    cab.lines = {6, 42, 56, 72};
    Window w;
    w.pts = rounded({{150, 40}, {150, 13}, {174, 13}, {194, 40}}, {0, 2, 3, 0}, 3);
    cab.windows = {w};
    cab.occupants = {{172, 15, 11}};
    cab.wheel_r = 15;
    cab.wheels = {40, 178};
    cab.wheel = {Hub::Steel, 5, 0.6, ramp::grey, 5.0};
    cab.gaps = {{{146, 8}, {146, 74}}, {{200, 40}, {198, 74}}};
    cab.handles = {{154, 46}};
    cab.front_bumper = {204, 72, 216, 80};
    cab.head = {211, 50, 216, 57};
    cab.blinker = {211, 58, 215, 61};
    cab.mirror = {194, 38};
    cab.shadow_u0 = 8;
    cab.shadow_u1 = 210;
    paint_car(vw, cab, pose, [&](const View& v, const Pose&, const Image&) {
        // the bed: drop sides of painted planks over a dark frame
        chassis(v, 4, 138, 66, 6);
        box_body(v, 2, 46, 134, 68, ramp::ochre, 3.0, 1);
        for (double vv = 52; vv < 66; vv += 5) shade_line(f, v.x(3), v.y(vv), v.x(133), v.y(vv), -1);
        for (double u : {2.0, 66.0, 130.0}) box_body(v, u, 44, u + 4, 68, ramp::grey, 2.4, 1);
        // sacks stacked on the bed
        for (int k = 0; k < 5; ++k) {
            double u = 10 + k * 24;
            shade_ball(f, v.x(u + 11), v.y(40), 13, 6.5, ramp::cloth_beige, 3.8, 1.4);
        }
        for (int k = 0; k < 3; ++k) shade_ball(f, v.x(28 + k * 30), v.y(30), 13, 6, ramp::cloth_beige, 4.0, 1.4);
        tail_lamp(v, 0, 58, 4, 64, false);
    });
}

// ---- 93: motorhome with an alcove over the cab ----------------------------------------------

void motorhome93(Image& f, int i) {
    View vw{&f, 0, 0, 312, 114, true};
    Pose pose{i, false, 0};
    const double r = 17;
    ground_shadow(vw, 14, 300, 3, false);
    std::vector<Pt> body = {{2, 96}, {0, 10}, {6, 2}, {262, 2}, {276, 8}, {280, 26}, {268, 34}, {256, 36},
                            {256, 96}};
    Image bm = paint_panel(vw, rounded(body, {2, 6, 6, 8, 6, 4, 4, 0, 0}, 4), ramp::snow, 4.0, 0.6);
    // the van front it is built on
    std::vector<Pt> cab = {{250, 96}, {250, 36}, {272, 36}, {298, 64}, {310, 70}, {312, 80}, {311, 96}};
    BodyLines cl{36, 64, 76, 90};
    Image cm = paint_body(vw, rounded(cab, {0, 0, 4, 10, 6, 3, 2}), {ramp::snow, 4.0}, cl);
    Image g = paint_glass(vw, rounded({{258, 62}, {258, 40}, {272, 40}, {292, 62}}, {0, 2, 4, 0}, 3), false);
    occupant(vw, g, 268, 42, 11, false);
    // waves of colour along the side
    fill_rect(f, {0, 0, f.w, f.h}, [&](int x, int y) -> uint8_t {
        if (bm.get(x, y) != 1 && cm.get(x, y) != 1) return KEY;
        double u = vw.right ? x - vw.ox : vw.ox + vw.len - x;
        double wave = 70 + 5 * std::sin(u / 40.0);
        if (y >= wave && y < wave + 4) return dither(ramp::orange, 3.2, x, y);
        if (y >= wave + 5 && y < wave + 7) return dither(ramp::paint_red, 3.0, x, y);
        return KEY;
    });
    // windows with curtains, the entrance door, a skylight
    for (double u : {18.0, 142.0, 200.0}) {
        Rect wr = vw.rect(u, 24, u + 40, 52);
        paint_glass(vw, rounded({{u, 52}, {u, 24}, {u + 40, 24}, {u + 40, 52}}, {3, 3, 3, 3}, 3), false, 0.8);
        fill_rect(f, {wr.x + 1, wr.y + 1, 7, wr.h - 2}, [&](int x, int y) { return dither(ramp::cloth_beige, 3.6 - (x - wr.x) * 0.2 + (y % 3 == 0) * 0.5, x, y); });
        fill_rect(f, {wr.right() - 8, wr.y + 1, 7, wr.h - 2}, [&](int x, int y) { return dither(ramp::cloth_beige, 3.2 + (y % 3 == 0) * 0.5, x, y); });
    }
    Rect door = vw.rect(82, 16, 112, 94);
    shade_line(f, door.x, door.y, door.x, door.bottom(), -2);
    shade_line(f, door.right(), door.y, door.right(), door.bottom(), -2);
    shade_line(f, door.x, door.y, door.right(), door.y, -2);
    paint_glass(vw, rounded({{86, 44}, {86, 22}, {108, 22}, {108, 44}}, {2, 2, 2, 2}, 3), false, 0.6);
    fill_rect(f, vw.rect(104, 56, 108, 58), ramp::chrome(4));
    box_body(vw, 120, -1, 150, 3, ramp::grey, 6.0, 1);
    plastic_bar(vw, 0, 90, 250, 96, 2.0);
    plastic_bar(vw, 296, 86, 312, 96, 1.6);
    tail_lamp(vw, 0, 70, 4, 84, false);
    head_lamp(vw, 306, 72, 312, 79, false);
    mudguard(vw, 60, r);
    arch_at(vw, 280, r, false);
    wheel_at(vw, 60, r, {Hub::Steel, 5, 0.6, ramp::grey, 5.2}, pose);
    wheel_at(vw, 280, r, {Hub::Steel, 5, 0.6, ramp::grey, 5.2}, pose);
}

// ---- 94: touring coach, two-tone, three axles ---------------------------------------------

void coach94(Image& f, int i) {
    View vw{&f, 0, 0, 440, 137, true};
    Pose pose{i, false, 0};
    const double r = 20;
    ground_shadow(vw, 14, 430, 3, false);
    std::vector<Pt> body = {{2, 120}, {0, 14}, {8, 2}, {420, 2}, {436, 18}, {440, 60}, {440, 120}};
    BodyLines lines{2, 66, 90, 112};
    Image bm = paint_body(vw, rounded(body, {2, 8, 8, 16, 8, 2, 2}), {ramp::snow, 3.8}, lines);
    // blue skirt with a sweep rising to the rear
    fill_rect(f, {0, 0, f.w, f.h}, [&](int x, int y) -> uint8_t {
        if (bm.get(x, y) != 1) return KEY;
        double u = x - vw.ox;
        double top = 96 - 26 * std::max(0.0, 1 - u / 220.0);
        if (y < top) return KEY;
        if (y < top + 2) return ramp::paint_blue(4);
        return band(ramp::paint_blue, 2.8 - (y - top) * 0.03 + 0.4 * (0.5 - u / 440), x, y);
    });
    // a ribbon of tinted glass with travellers
    std::vector<Pt> glass = {{10, 64}, {10, 14}, {404, 14}, {420, 20}, {432, 64}};
    Image g = paint_glass(vw, rounded(glass, {3, 4, 6, 6, 2}, 3), false, 1.2);
    for (double u = 40; u < 390; u += 68) occupant(vw, g, u, 30, 11, false);
    for (double u = 76; u < 390; u += 68) occupant(vw, g, u, 32, 10, false);
    for (double u = 62; u < 400; u += 68) fill_rect(f, vw.rect(u, 14, u + 4, 64), [&](int x, int y) {
        return dither(ramp::grey, 1.2 + (x % 4 == 0) * 0.6, x, y);
    });
    occupant(vw, g, 412, 24, 14, false);
    // luggage bays
    for (double u = 110; u < 330; u += 56) {
        Rect b = vw.rect(u, 78, u + 52, 108);
        shade_line(f, b.x, b.y, b.right(), b.y, -2);
        shade_line(f, b.x, b.y, b.x, b.bottom(), -2);
        shade_line(f, b.right(), b.y, b.right(), b.bottom(), -2);
        fill_rect(f, {b.x + b.w / 2 - 4, b.y + 5, 8, 1}, ramp::chrome(4));
    }
    // entrance door behind the front axle
    Rect door = vw.rect(392, 14, 416, 116);
    paint_glass(vw, {{394, 112}, {394, 16}, {414, 16}, {414, 112}}, false, 0.6);
    shade_line(f, vw.x(404), door.y, vw.x(404), door.bottom(), -2);
    draw_text_shadowed(f, int(vw.x(140)), 62, "Reisen", ramp::paint_blue(1), ramp::grey(6), {2, true});
    plastic_bar(vw, 0, 112, 440, 120, 1.6);
    tail_lamp(vw, 0, 80, 5, 100, false);
    head_lamp(vw, 434, 94, 440, 102, false);
    indicator(vw, 435, 104, 440, 107, false);
    for (double u : {60.0, 112.0, 370.0}) arch_at(vw, u, r, false);
    for (double u : {60.0, 112.0, 370.0}) wheel_at(vw, u, r, {Hub::Alloy, 10, 0.6, ramp::chrome, 3.4}, pose);
}

// ---- 99: fire engine ------------------------------------------------------------------

void fire99(Image& f, int i) {
    View vw{&f, 0, 0, 264, 118, true};
    Pose pose{i, false, 0};
    const double r = 19;
    ground_shadow(vw, 10, 256, 3, false);
    chassis(vw, 8, 190, 92);
    // equipment body with roller shutters
    Image bm = box_body(vw, 2, 16, 184, 96, ramp::paint_red, 3.0, 3);
    for (double u : {6.0, 64.0, 122.0}) {
        Rect s = vw.rect(u, 22, u + 54, 80);
        fill_rect(f, s, [&](int x, int y) { return dither(ramp::chrome, 3.6 - ((y - s.y) % 4 == 0 ? 1.4 : 0) - (x - s.x) * 0.01, x, y); });
        fill_rect(f, {s.x, s.bottom() - 3, s.w, 3}, ramp::chrome(1));
    }
    fill_rect(f, vw.rect(2, 82, 184, 88), [&](int x, int y) { return bm.get(x, y) == 1 ? dither(ramp::grey, 7.2, x, y) : KEY; });
    // ladder on the roof
    chrome_bar(vw, 10, 6, 196, 9);
    chrome_bar(vw, 10, 12, 196, 15);
    for (double u = 14; u < 196; u += 9) fill_rect(f, vw.rect(u, 9, u + 2, 12), ramp::chrome(3));
    for (double u : {30.0, 160.0}) fill_rect(f, vw.rect(u, 15, u + 3, 17), ramp::grey(2));
    // crew cab
    std::vector<Pt> cab = {{186, 98}, {186, 26}, {190, 22}, {252, 22}, {260, 38}, {264, 58}, {264, 98}};
    BodyLines cl{22, 56, 70, 90};
    Image cm = paint_body(vw, rounded(cab, {0, 2, 3, 6, 3, 2, 0}), {ramp::paint_red, 3.0}, cl);
    Image g1 = paint_glass(vw, rounded({{192, 54}, {192, 28}, {216, 28}, {216, 54}}, {0, 2, 2, 0}, 3), false);
    occupant(vw, g1, 204, 30, 11, false);
    Image g2 = paint_glass(vw, rounded({{222, 54}, {222, 28}, {250, 28}, {257, 54}}, {0, 2, 3, 0}, 3), false);
    occupant(vw, g2, 238, 30, 11, false);
    fill_rect(f, {0, 0, f.w, f.h}, [&](int x, int y) -> uint8_t {
        return (cm.get(x, y) == 1 && y >= 82 && y < 88) ? dither(ramp::grey, 7.2, x, y) : KEY;
    });
    shade_line(f, vw.x(219), vw.y(24), vw.x(219), vw.y(92), -2);
    lettering(f, int(std::min(vw.x(196), vw.x(248))) + 3, 58, "Feuerwehr", ramp::grey(8), ramp::paint_red(1), false);
    plastic_bar(vw, 250, 88, 264, 98, 1.4);
    head_lamp(vw, 259, 74, 264, 82, false);
    // blue lamps take turns from frame to frame
    for (int k = 0; k < 2; ++k) {
        double u = k == 0 ? 196 : 244;
        bool lit = (i + k) % 2 == 0 || i == 2;
        Rect l = vw.rect(u, 16, u + 10, 22);
        fill_rect(f, l, [&](int x, int y) { return dither(ramp::cloth_blue, lit ? 5.0 : 2.8 + (y == l.y) * 1.0, x, y); });
        if (lit) glow(f, l.x + l.w * 0.5, l.y + l.h * 0.5, 12, 8, ramp::cloth_blue, 0.9);
    }
    tail_lamp(vw, 0, 60, 4, 74, false);
    mudguard(vw, 56, r);
    arch_at(vw, 224, r, false);
    wheel_at(vw, 56, r, kTruckWheel, pose);
    wheel_at(vw, 224, r, kTruckWheel, pose);
}

// ---- 89: the composite van: body, lower part with wheels, driver -----------------------

constexpr int k89W = 240, k89BodyH = 76, k89LowerY[3] = {78, 117, 157}, k89LowerH[3] = {38, 39, 39};
constexpr int k89HeadW = 40, k89HeadH = 23, k89HeadX[2] = {241, 282};

CarDesign van89() {
    CarDesign s;
    s.len = k89W;
    s.ht = 114;
    s.body = {{3, 100}, {0, 10}, {6, 2}, {196, 2}, {222, 38}, {236, 52}, {240, 66}, {239, 100}};
    s.radii = {2, 6, 6, 10, 8, 8, 4, 2};
    s.paint = {ramp::snow, 3.4};
    s.lines = {2, 8, 62, 92};
    Window cab;
    cab.pts = rounded({{156, 41}, {156, 12}, {202, 12}, {220, 38}, {220, 41}}, {0, 2, 3, 2, 0}, 3);
    s.windows = {cab};
    s.wheel_r = 18;
    s.wheels = {46, 196};
    s.wheel = {Hub::Steel, 5, 0.6, ramp::grey, 5.2};
    s.gaps = {{{152, 4}, {152, 92}}, {{224, 40}, {222, 92}}, {{0, 92}, {240, 92}}};
    s.handles = {{164, 48}};
    s.rub_v = 80;
    s.rub_u0 = 2;
    s.rub_u1 = 238;
    s.rear_bumper = {0, 90, 12, 98};
    s.front_bumper = {226, 88, 240, 98};
    s.head = {234, 58, 240, 66};
    s.blinker = {235, 67, 239, 70};
    s.tail = {0, 62, 4, 80};
    s.mirror = {220, 42};
    s.shadow_u0 = 10;
    s.shadow_u1 = 232;
    return s;
}

Image render89(int wheel, int oy) {
    Image f(k89W, 115);
    View vw{&f, 0, oy, k89W, 114, true};
    CarDesign s = van89();
    paint_car(vw, s, {wheel, false, 0}, [&](const View& v, const Pose&, const Image&) {
        // a green band and the nursery's name
        fill_rect(f, v.rect(2, 66, 150, 74), [&](int x, int y) { return dither(ramp::paint_green, 2.6 - (y - v.y(66)) * 0.1, x, y); });
        TextStyle st{2, true};
        Rect b = v.rect(10, 20, 150, 60);
        draw_text_shadowed(f, b.x + (b.w - text_width("Gärtnerei", st)) / 2, b.y + 4, "Gärtnerei", ramp::paint_green(2),
                           ramp::grey(5), st);
        // a painted flower
        int fx = b.x + b.w / 2, fy = b.y + 34;
        for (int k = 0; k < 5; ++k) {
            double a = k * 2 * 3.14159265 / 5;
            shade_ball(f, fx + 5 * std::cos(a), fy + 5 * std::sin(a), 3, 3, ramp::paint_red, 3.4, 1.2);
        }
        shade_ball(f, fx, fy, 2.5, 2.5, ramp::paint_yellow, 4, 1);
        line(f, fx, fy + 8, fx, fy + 16, ramp::paint_green(2));
    });
    return f;
}

Image sheet89() {
    Image sheet(328, 204);
    sheet.paste(render89(0, 0).crop({0, 0, k89W, k89BodyH}), 0, 0, false);
    // Lower parts: entries 2 and 3 are drawn one row higher with the body
    // bobbing up, so their wheels sit one row lower in a picture one row taller.
    for (int k = 0; k < 3; ++k) {
        int lift = k == 0 ? 0 : 1;
        Image f = render89(k, -lift);
        sheet.paste(f.crop({0, 75 - lift, k89W, k89LowerH[k]}), 0, k89LowerY[k], false);
    }
    const Driver drivers[2] = {{4, ramp::hair, 2, false, true, ramp::cloth_green, false},
                               {3, ramp::hair, 0, false, false, ramp::cloth_blue, true}};
    for (int set = 0; set < 2; ++set)
        for (int p = 0; p < kDriverPoses; ++p) paint_driver(sheet, k89HeadX[set], 24 * p, k89HeadW, k89HeadH, drivers[set], p, true);
    return sheet;
}

// ---- 97: scooter with its rider ------------------------------------------------------------

void scooter97(Image& f, int i) {
    View vw{&f, 0, 0, 160, 77, true};
    Pose pose{i, false, 0};
    const double r = 11;
    ground_shadow(vw, 22, 138, 2, false);
    const Ramp& paint = ramp::paint_green;
    // body: the rounded rear cowl, floorboard and the leg shield at the front
    std::vector<Pt> cowl = {{22, 66}, {14, 56}, {18, 44}, {34, 38}, {70, 38}, {78, 50}, {76, 60}, {62, 64}};
    BodyLines bl{38, 42, 50, 62};
    paint_body(vw, rounded(cowl, {4, 8, 10, 8, 6, 6, 4, 2}), {paint, 3.0}, bl);
    std::vector<Pt> floor = {{60, 65}, {60, 59}, {104, 59}, {106, 65}};
    paint_body(vw, rounded(floor, {1, 1, 2, 1}), {paint, 2.6}, bl);
    std::vector<Pt> shield = {{98, 65}, {102, 26}, {108, 20}, {114, 22}, {112, 46}, {108, 65}};
    paint_body(vw, rounded(shield, {0, 6, 3, 2, 4, 0}), {paint, 3.2}, {20, 24, 44, 60});
    // front fork, mudguard and the handlebar with its lamp
    line(f, int(vw.x(111)), int(vw.y(22)), int(vw.x(124)), int(vw.y(65)), ramp::chrome(3));
    line(f, int(vw.x(112)), int(vw.y(22)), int(vw.x(125)), int(vw.y(65)), ramp::chrome(1));
    paint_panel(vw, rounded({{112, 56}, {116, 50}, {132, 50}, {138, 56}}, {1, 3, 3, 1}, 3), paint, 3.0, 0.8);
    std::vector<Pt> bar = {{98, 20}, {102, 14}, {114, 13}, {118, 18}, {112, 22}};
    paint_body(vw, rounded(bar, {2, 2, 2, 2, 2}), {paint, 3.4}, {12, 14, 18, 22});
    head_lamp(vw, 113, 14, 118, 19, false);
    tail_lamp(vw, 13, 50, 18, 55, false);
    std::vector<Pt> seat = {{28, 39}, {30, 33}, {68, 33}, {70, 39}};
    paint_panel(vw, rounded(seat, {1, 4, 3, 1}, 3), ramp::grey, 1.6, 0.7);

    // the rider: legs to the floorboard, jacket, arm to the grip, helmet
    const Ramp& coat = ramp::cloth_red;
    std::vector<Pt> leg = {{44, 38}, {82, 30}, {88, 34}, {94, 56}, {100, 56}, {100, 61}, {86, 61}, {78, 40}, {50, 44}};
    paint_body(vw, rounded(leg, {4, 5, 4, 2, 1, 1, 2, 4, 4}), {ramp::cloth_blue, 2.6}, {28, 30, 46, 58});
    fill_rect(f, vw.rect(88, 57, 101, 62), ramp::grey(1));
    std::vector<Pt> torso = {{44, 40}, {44, 24}, {54, 14}, {68, 13}, {74, 22}, {72, 34}, {64, 40}};
    paint_body(vw, rounded(torso, {3, 6, 6, 4, 4, 4, 3}), {coat, 3.0}, {13, 16, 28, 40});
    std::vector<Pt> arm = {{60, 16}, {68, 15}, {84, 22}, {98, 16}, {101, 20}, {86, 28}, {78, 27}, {62, 24}};
    paint_body(vw, rounded(arm, {3, 3, 3, 1, 1, 3, 3, 3}), {coat, 2.6}, {14, 16, 24, 28});
    fill_rect(f, vw.rect(97, 15, 103, 21), ramp::grey(2));  // glove on the grip
    fill_rect(f, vw.rect(60, 12, 68, 15), ramp::skin(4));    // chin and neck
    double hx = vw.x(62), hy = vw.y(8);
    fill_ellipse(f, hx, hy, 8.5, 8.5, ramp::paint_blue(1));
    shade_ball(f, hx, hy, 7.5, 7.5, ramp::paint_blue, 3.0, 1.6);
    Rect visor = vw.rect(64, 4, 71, 10);
    fill_rect(f, visor, [&](int x, int y) { return dither(ramp::glass, 1.6 + (x + y) % 5 * 0.25, x, y); });

    wheel_at(vw, 34, r, {Hub::Steel, 4, 0.62, ramp::grey, 5.2}, pose);
    wheel_at(vw, 124, r, {Hub::Steel, 4, 0.62, ramp::grey, 5.2}, pose);
}

}  // namespace

void add_truck_sheets(std::vector<Picture>& out) {
    add(out, "FIG81_T00", strip(800, 134, 3, 264, 134, refuse81));
    add(out, "FIG83_T00", strip(728, 150, 3, 240, 150, lorry83));
    const CarDesign s84 = van84();
    add(out, "FIG84_T00", strip(728, 113, 3, 240, 113, [&](Image& f, int i) {
            paint_car(View{&f, 0, 0, 240, 113, false}, s84, {i, false, 0}, [](const View& vw, const Pose&, const Image&) {
                chrome_bar(vw, 40, 40, 150, 41);  // sliding door rail
            });
        }));
    add(out, "FIG85_T00", strip(656, 95, 3, 216, 95, flatbed85));
    add(out, "FIG89_T00", sheet89());
    add(out, "FIG93_T00", strip(944, 114, 3, 312, 114, motorhome93));
    add(out, "FIG94_T00", strip(1328, 137, 3, 440, 137, coach94));
    add(out, "FIG95_T00", strip(728, 161, 3, 240, 161, lorry95));
    add(out, "FIG97_T00", strip(488, 77, 3, 160, 77, scooter97));
    add(out, "FIG99_T00", strip(800, 118, 3, 264, 118, fire99));
}

}  // namespace art::vehicles
