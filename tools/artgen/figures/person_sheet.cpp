#include "figures/person_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/draw.h"
#include "figures/person_paint.h"
#include "scenes/street_parts.h"

namespace art::figures {

std::vector<FrameRect> frames_on_row(const std::vector<std::pair<int, int>>& x_and_w, int height) {
    std::vector<FrameRect> out;
    for (const auto& e : x_and_w) out.push_back({e.first, 0, e.second, height});
    return out;
}

void paint_frame(Image& sheet, const FrameRect& r, const std::function<void(Image& frame)>& painter) {
    Image frame(r.w, r.h);
    painter(frame);
    for (int y = 0; y < r.h; ++y)
        for (int x = 0; x < r.w; ++x) {
            uint8_t c = frame.px[size_t(y) * r.w + x];
            if (c != KEY) sheet.set(r.x + x, r.y + y, c);
        }
}

int ground_row(const FrameRect& r, int ground, int dy) {
    const int row = ground - dy;
    if (row < 0 || row >= r.h) {
        std::fprintf(stderr, "artgen: a %dx%d frame at x %d cannot hold the feet on its row %d\n", r.w, r.h, r.x, row);
        std::abort();
    }
    return row;
}

double walk_anchor(double first, double step, int k, int direction) { return first + direction * step / 4.0 * k; }

void paint_litter_can(Image& frame) { paint_litter_can(frame, frame.h - 1); }

void paint_litter_can(Image& frame, int ground) {
    // a drinks can trodden flat, lying on its side; light from the upper left
    const int b = ground;
    const char* rows[4] = {" 7766s ", "s65545ss", "d43223dd", " 1110 d"};
    for (int r = 0; r < 4; ++r)
        for (int x = 0; rows[r][x] && x < frame.w; ++x) {
            char ch = rows[r][x];
            if (ch == ' ') continue;
            uint8_t c = ch == 's' ? ramp::chrome(4) : ch == 'd' ? ramp::chrome(1) : ramp::paint_red(ch - '0' > 5 ? 5 : ch - '0');
            if (ch == '7') c = ramp::grey(8);  // the white band of the label
            frame.set(x, b - 3 + r, c);
        }
}

void paint_litter_peel(Image& frame) {
    using namespace paint;
    Canvas cv(frame.w, frame.h);
    const double g = frame.h - 0.6;  // lies flat on the pavement
    const Mat skin{ramp::paint_yellow, 3.6, 1.0}, inner{ramp::cloth_beige, 4.6, 0.6};
    const Pt root{16.5, g - 2.0};
    // three limp strips spread from the stalk, one turned inside up
    uint8_t id = cv.part();
    capsule(cv, root, {6.0, g - 1.0}, 1.6, 1.1, skin, id);
    capsule(cv, root, {27.0, g - 0.8}, 1.6, 1.1, skin, id);
    id = cv.part();
    capsule(cv, root, {11.0, g - 5.0}, 1.4, 1.0, inner, id);
    id = cv.part();
    capsule(cv, root + Pt{1.0, -0.5}, {21.0, g - 4.0}, 1.5, 1.1, skin, id);
    ball(cv, root + Pt{0.5, -0.3}, 2.2, 1.6, skin, id);
    dot(cv, root + Pt{1.5, -2.0}, ramp::wood(1), id);  // the stalk
    dot(cv, root + Pt{2.2, -2.6}, ramp::wood(0), id);
    for (Pt sp : {Pt{8.5, g - 1.4}, Pt{24.0, g - 1.2}, Pt{19.0, g - 3.2}}) dot(cv, sp, ramp::wood(2), id);
    outline(cv);
    frame.paste(cv.img, 0, 0);
}

namespace booth {
namespace {

bool rail_row(int y) { return (y >= 352 && y < 355) || (y >= kMiddleRail && y < kMiddleRail + 3) || (y >= 418 && y < 421); }
bool streak(int x, int y) { return ((x - kGlassLeft) + (y - kGlassTop)) % 41 < 4; }

// Whoever stands behind the clear glass keeps their own colours; only the
// reflections are paler. (Stepping along the colour's own ramp would turn
// brown hair blond and skin yellow, the ramps' light ends.)
uint8_t through_glass(uint8_t c, bool reflection) {
    if (!reflection) return c;
    const Rgb v = palette()[c];
    auto mix = [](uint8_t ch) { return uint8_t(ch + (235 - ch) * 0.3); };
    return nearest({mix(v.r), mix(v.g), mix(v.b)});
}

// The booth's own parts that stand in front of whoever is inside.
bool structure(int x, int y) {
    if (x >= 529 && x < 641 && y >= 328 && y < kGlassTop) return true;  // roof and sign
    if (y >= kFloor && y < 460 && x >= 533 && x < 637) return true;     // base
    if (x >= 535 && x < kGlassLeft && y >= 336 && y < 458) return true; // posts
    if (x >= kGlassRight && x < 635 && y >= 336 && y < 458) return true;
    if (x >= kGlassLeft && x < kGlassRight && y >= kGlassTop && y < kGlassBottom) {
        if (rail_row(y)) return true;
        if (x >= kDoorRight && x < kDoorRight + 3) return true;  // middle post
        if (x >= kHandleX && x < kHandleX + 3 && y >= kHandleTop && y < kHandleTop + kHandleRows) return true;
    }
    return false;
}

}  // namespace

Image compose(const Image& street, const Rect& at, const std::function<void(Image&)>& person, bool inside,
              double door_open, bool self_contained) {
    Image layer(at.w, at.h);
    person(layer);
    Image out(at.w, at.h);
    const int panel_w = door_open > 0 ? int(std::lround((kDoorRight - kGlassLeft) * std::cos(door_open * 1.3))) : 42;
    const bool open = door_open > 0;
    // Swung open, the panel turns on the middle post towards the pavement
    // and is seen narrower, between the post and its free edge; the
    // doorway opens between the left post and that edge.
    const int free_edge = kDoorRight - panel_w;
    auto in_opening = [&](int x, int y) {
        return open && x >= kGlassLeft && x < free_edge && y >= kGlassTop && y < kGlassBottom;
    };
    auto in_panel = [&](int x, int y) {
        // swung out over the pavement, the door reaches down to the ground
        return open && x >= free_edge - 1 && x < kDoorRight && y >= kGlassTop - 2 && y < kGlassBottom + 3;
    };
    auto panel_px = [&](int x, int y, uint8_t behind) -> uint8_t {
        // the opened door seen at an angle: its yellow frame, and glass
        // through which whatever is behind shows a little paler; u counts
        // from the hinge
        int u = kDoorRight - 1 - x;
        bool edge = u < 2 || u >= panel_w - 1 || y < kGlassTop + 1 || y >= kGlassBottom ||
                    (y >= kMiddleRail - 1 && y < kMiddleRail + 2) || (y >= 417 && y < 420);
        const Ramp& paint = self_contained ? ramp::chrome : ramp::paint_yellow;
        if (edge) return band(paint, u >= panel_w - 1 ? 4.6 : u < 1 ? 2.6 : 3.6, x, y);
        if (u == panel_w - 2 && y >= kHandleTop - 2 && y < kHandleTop - 2 + kHandleRows)
            return self_contained ? ramp::grey(2) : ramp::chrome(4);
        return shift(behind, ((u + y) % 23) < 3 ? 2 : 1);
    };
    auto unglassed = [&](int x, int y) {
        uint8_t c = street.get(x, y);
        if (rail_row(y)) {
            // where the door's rails were the back wall shows: take the wall just below
            c = street.get(x, y + 4);
        }
        return shift(c, streak(x, y) ? -2 : -1);
    };
    for (int fy = 0; fy < at.h; ++fy)
        for (int fx = 0; fx < at.w; ++fx) {
            const int x = at.x + fx, y = at.y + fy;
            uint8_t c = KEY;
            if (self_contained) c = street.get(x, y);
            const uint8_t p = layer.get(fx, fy);
            const bool behind_door = x >= kGlassLeft && x < kGlassRight && y >= kGlassTop && y < kGlassBottom;
            if (in_opening(x, y)) c = unglassed(x, y);
            if (open && !inside && in_panel(x, y)) c = panel_px(x, y, behind_door ? unglassed(x, y) : street.get(x, y));
            if (p != KEY) {
                if (!inside || in_opening(x, y)) c = p;
                else if (structure(x, y)) c = street.get(x, y);
                else if (x >= kGlassLeft && x < kGlassRight && y >= kGlassTop && y < kGlassBottom)
                    c = through_glass(p, streak(x, y));
                else c = street.get(x, y);
            }
            if (open && inside && in_panel(x, y))
                c = panel_px(x, y, p != KEY ? p : behind_door ? unglassed(x, y) : street.get(x, y));
            if (c == KEY && !self_contained) continue;
            out.set(fx, fy, c);
        }
    return out;
}

Image own_booth(int w, int h) {
    street::Scene s;
    s.back = Image(street::kWidth, street::kHeight);
    s.front = Image(street::kWidth, street::kHeight);
    street::paint_booth(s);
    // On the other streets the booth is the newer grey kind.
    Image img(w, h);
    for (int y = 0; y < std::min(h, s.front.h); ++y)
        for (int x = 0; x < std::min(w, s.front.w); ++x) {
            uint8_t c = s.front.get(x, y);
            if (c == KEY) continue;
            if (ramp::paint_yellow.holds(c)) c = ramp::chrome(std::min(5, c - ramp::paint_yellow.first));
            img.set(x, y, c);
        }
    return img;
}

}  // namespace booth
}  // namespace art::figures
