#include "figures/vehicle_heads.h"

#include <algorithm>
#include <cmath>

#include "core/draw.h"
#include "figures/vehicle_kit.h"

namespace art::vehicles {

void paint_driver(Image& img, int x, int y, int w, int h, const Driver& d, int pose, bool facing_right) {
    Image box(w, h);
    const int hh = int(std::lround(h * 0.62));
    const double rx = hh * 0.42, ry = hh * 0.5;
    int dir = facing_right ? 1 : -1;
    bool frontal = pose == 1;
    if (pose == 7) dir = -dir;  // looking back over the shoulder
    double cx = w * 0.5 + dir * 0.5, cy = ry + 1.0;
    if (pose == 3) cy += 1;
    if (pose == 4 || pose == 6) cy -= 0.6;

    // shoulders and neck first, the head over them
    double sy = h + 0.5 * (h - hh);
    shade_ball(box, w * 0.5 - dir * 1.0, sy, w * 0.46, (h - hh) * 1.45, d.cloth, 3.0, 1.6);
    Image torso(w, h, 0);
    fill_ellipse(torso, w * 0.5 - dir * 1.0, sy, w * 0.46, (h - hh) * 1.45, uint8_t(1));
    edge_darken(box, torso, 1);
    Rect neck{int(cx - rx * 0.45), int(cy + ry * 0.6), std::max(2, int(rx * 0.9)), int(h - (cy + ry * 0.6)) - 1};
    fill_rect(box, neck, ramp::skin(d.skin - 2));
    // collar
    fill_rect(box, {neck.x - 1, neck.bottom() - 1, neck.w + 2, 1}, d.cloth(1));

    if (d.long_hair) {
        // hair falling behind the head onto the shoulders
        double bx = frontal ? cx : cx - dir * rx * 0.35;
        double bw = frontal ? rx * 1.25 : rx * 0.95;
        shade_ball(box, bx, cy + ry * 0.55, bw, ry * 1.05, d.hair, d.hair_step + 0.6, 1.2);
    }
    shade_ball(box, cx, cy, rx, ry, ramp::skin, d.skin, 1.6);
    Image head(w, h, 0);
    fill_ellipse(head, cx, cy, rx, ry, uint8_t(1));

    // hair (or a cap) over the crown and, in profile, the back of the head
    auto in_head = [&](int px, int py) { return head.get(px, py) == 1; };
    for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px) {
            if (!in_head(px, py)) continue;
            double ux = (px + 0.5 - cx) * dir, vy = py + 0.5 - cy;  // ux > 0 towards the face
            bool hair;
            if (frontal) hair = vy < -ry * 0.42 + std::fabs(ux) * 0.35 * (d.long_hair ? 1.6 : 0.5) || std::fabs(ux) > rx * 0.8;
            else hair = vy < -ry * 0.4 || (ux < -rx * 0.15 && vy < ry * (d.long_hair ? 1.0 : 0.35));
            if (d.cap) hair = vy < -ry * 0.35;
            if (!hair) continue;
            if (d.cap) box.set(px, py, dither(d.cloth, 2.6 - vy / ry + (-ux / rx) * 0.4, px, py));
            else box.set(px, py, dither(d.hair, d.hair_step + 0.8 - (vy + ry) / (2 * ry) * 1.2 - ux / rx * 0.3, px, py));
        }
    if (d.cap && !frontal) {
        int by = int(cy - ry * 0.35);
        for (int k = 0; k < int(rx * 0.7) + 1; ++k) box.set(int(cx + dir * (rx * 0.7 + k)), by, d.cloth(1));
    }
    edge_darken(box, head, 1);

    // the face
    const uint8_t dark = ramp::hair(0), lip = ramp::skin(1);
    int ey = int(std::floor(cy - ry * 0.08));
    if (pose == 4 || pose == 6) ey -= 1;
    if (frontal) {
        int e1 = int(std::floor(cx - rx * 0.4)), e2 = int(std::floor(cx + rx * 0.35));
        box.set(e1, ey, dark);
        box.set(e2, ey, dark);
        if (hh >= 13) box.set(e1, ey - 2, d.hair(d.hair_step)), box.set(e2, ey - 2, d.hair(d.hair_step));
        box.set(int(std::floor(cx)), ey + 2, ramp::skin(d.skin - 2));
        box.set(int(std::floor(cx)), int(std::floor(cy + ry * 0.55)), lip);
        if (d.glasses) {
            for (int k = e1 - 1; k <= e2 + 1; ++k) box.set(k, ey - 1, ramp::grey(1));
        }
    } else {
        int ex = int(std::floor(cx + dir * rx * 0.5));
        if (pose == 5) {
            box.set(ex, ey, ramp::skin(d.skin - 2));
        } else {
            box.set(ex, ey, dark);
        }
        if (hh >= 13) box.set(ex, ey - 2, d.hair(d.hair_step));
        // nose standing out of the outline, ear in the middle
        int nx = int(std::floor(cx + dir * (rx + 0.2)));
        int ny = int(std::floor(cy + ry * 0.12));
        if (pose == 6) ny -= 1;
        box.set(nx, ny, ramp::skin(d.skin - 1));
        if (hh >= 13) box.set(nx, ny - 1, ramp::skin(d.skin - 1));
        int erx = int(std::floor(cx - dir * rx * 0.12));
        box.set(erx, ey + 1, ramp::skin(d.skin - 2));
        if (hh >= 13) box.set(erx, ey + 2, ramp::skin(d.skin - 2));
        int mx = int(std::floor(cx + dir * rx * 0.62)), my = int(std::floor(cy + ry * 0.52));
        if (pose == 6) my -= 1;
        box.set(mx, my, pose == 2 || pose == 6 ? dark : lip);
        if ((pose == 2 || pose == 6) && hh >= 13) box.set(mx, my + 1, dark);
        if (d.glasses) {
            box.set(ex, ey, ramp::grey(1));
            box.set(ex + dir, ey, ramp::grey(1));
            for (int k = 1; k < int(rx * 0.6); ++k) box.set(ex - dir * k, ey - 1 + (k > 2), ramp::grey(1));
        }
    }
    img.paste(box, x, y, true);
}

}  // namespace art::vehicles
