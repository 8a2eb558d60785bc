#include "figures/vehicle_car.h"

#include <algorithm>
#include <cmath>

namespace art::vehicles {

View night_view(Image& frame, int len, int ht, bool right) {
    View vw;
    vw.img = &frame;
    vw.len = len;
    vw.ht = ht;
    vw.right = right;
    vw.ox = right ? 0 : frame.w - len;
    vw.oy = frame.h - ht;
    return vw;
}

void paint_car(const View& vw, const CarDesign& s, const Pose& pose, const Extra& before_wheels, const Extra& after,
               const Extra& lit) {
    Image& img = *vw.img;
    const bool night = pose.night;
    // The shadow fills only what is still transparent, so it comes last,
    // after the night's re-lighting, which must not give it a lit rim.
    auto shadow = [&] {
        if (s.wheels.empty()) return;
        double u0 = s.shadow_u1 > s.shadow_u0 ? s.shadow_u0 : s.wheels.front() - s.wheel_r - 6;
        double u1 = s.shadow_u1 > s.shadow_u0 ? s.shadow_u1 : s.wheels.back() + s.wheel_r + 6;
        ground_shadow(vw, u0, u1, 3, night);
    };
    Image body = paint_body(vw, rounded(s.body, s.radii), s.paint, s.lines);

    for (const Box& b : s.black_parts) {
        Rect r = vw.rect(b.u0, b.v0, b.u1, b.v1);
        fill_rect(img, r, [&](int x, int y) {
            if (body.get(x, y) != 1) return KEY;
            return dither(ramp::grey, 1.2 + 0.6 * (x == r.x || y == r.y), x, y);
        });
    }
    for (const Window& w : s.windows) {
        Image g = paint_glass(vw, w.pts, night, w.tint);
        for (const Occupant& o : s.occupants) occupant(vw, g, o.u, o.v_top, o.size, night);
    }
    if (s.belt_trim_u1 > s.belt_trim_u0)
        chrome_bar(vw, s.belt_trim_u0, s.lines.belt, s.belt_trim_u1, s.lines.belt + 1);
    if (s.rub_v >= 0) plastic_bar(vw, s.rub_u0, s.rub_v, s.rub_u1, s.rub_v + 3, 1.4);
    for (auto& g : s.gaps) shade_line(img, vw.x(g.first.x), vw.y(g.first.y), vw.x(g.second.x), vw.y(g.second.y), -2);
    for (const Pt& h : s.handles) {
        Rect r = vw.rect(h.x - 3, h.y, h.x + 3, h.y + 1);
        fill_rect(img, r, ramp::chrome(4));
        fill_rect(img, {r.x, r.y + 1, r.w, 1}, ramp::grey(1));
    }
    if (s.mirror.x >= 0) {
        double u = s.mirror.x, v = s.mirror.y;
        std::vector<Pt> m = {{u - 2, v + 4}, {u - 1, v - 2}, {u + 5, v - 3}, {u + 7, v + 1}, {u + 4, v + 5}};
        Image mm = mask_polygon(img.w, img.h, vw.map(m));
        fill_rect(img, {0, 0, img.w, img.h}, [&](int x, int y) {
            if (mm.get(x, y) != 1) return KEY;
            return dither(s.paint.ramp, s.paint.base + 0.8 - 0.5 * (y - vw.y(v - 3)) / 6.0, x, y);
        });
        edge_darken(img, mm, 1);
    }
    if (before_wheels) before_wheels(vw, pose, body);

    for (double u : s.wheels) arch_at(vw, u, s.wheel_r, night, s.wheel_lift);
    for (double u : s.wheels) wheel_at(vw, u, s.wheel_r, s.wheel, pose, s.wheel_lift);

    auto bumper = [&](const Box& b) {
        if (b.u1 <= b.u0) return;
        if (s.chrome) chrome_bar(vw, b.u0, b.v0, b.u1, b.v1);
        else plastic_bar(vw, b.u0, b.v0, b.u1, b.v1);
    };
    bumper(s.rear_bumper);
    bumper(s.front_bumper);
    if (s.head.u1 > s.head.u0) head_lamp(vw, s.head.u0, s.head.v0, s.head.u1, s.head.v1, false);
    if (s.tail.u1 > s.tail.u0) tail_lamp(vw, s.tail.u0, s.tail.v0, s.tail.u1, s.tail.v1, false);
    if (s.blinker.u1 > s.blinker.u0) indicator(vw, s.blinker.u0, s.blinker.v0, s.blinker.u1, s.blinker.v1, false);
    if (after) after(vw, pose, body);

    if (!night) return shadow();
    night_relight(img, {0, 0, img.w, img.h});
    if (s.head.u1 > s.head.u0) {
        head_lamp(vw, s.head.u0, s.head.v0, s.head.u1, s.head.v1, true);
        double lv = s.beam_v >= 0 ? s.beam_v : (s.head.v0 + s.head.v1) * 0.5;
        double lx = vw.x(vw.len);
        double room = vw.right ? img.w - lx : lx;
        if (room > 8) beam(img, lx, vw.y(lv), vw.dir(), room, vw.ground());
    }
    if (s.tail.u1 > s.tail.u0) tail_lamp(vw, s.tail.u0, s.tail.v0, s.tail.u1, s.tail.v1, true);
    if (lit) lit(vw, pose, body);
    shadow();
}

}  // namespace art::vehicles
