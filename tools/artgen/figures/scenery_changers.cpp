// The sheets of the three figures that change the scenery: the woman whose
// shopping bag tears (16), the street sweeper (22) and the bill poster (27).
//
// Each frame shows what the script does while it shows that frame, and the
// figure keeps its place in the street from frame to frame: where a script
// moves the frame origin between runs, the in-frame columns below move the
// other way, so that the person, the broom head and the ladder stay put.
#include <algorithm>
#include <cmath>

#include "figures/cast.h"
#include "figures/figures.h"
#include "figures/person.h"
#include "figures/person_body.h"
#include "figures/person_paint.h"
#include "figures/person_sheet.h"
#include "figures/waiting_props.h"

namespace art::figures {

namespace {

using namespace paint;

Look look_of(int id) { return cast(id)->person[0]; }

// Places hand i of a pose at a point of the frame: the pose's hands are
// given relative to the base of the neck in units of the figure's height.
void hand_to(const Look& L, Pose& p, int i, Pt at, double ax, int ground) {
    const Rig r = rig_person(L, p, ax, ground);
    const double H = L.height;
    const double fx = p.view == View::Side ? p.facing : 1.0;
    p.put_hand(i, (at.x - r.neck.x) * fx / H, (at.y - r.neck.y) / H);
}

Pose walking(const Look& L, int k, int facing, double stride = 0.2) {
    return walk_pose(k, facing, stride * L.height, L.height);
}

// ---------------------------------------------------------------------------
// Props

// A street broom: a long wooden handle and a wide bristle head seen from the
// side, its bristles standing on row `ground`.
void broom(Canvas& cv, Pt top, double head_x, int ground, double tilt = 0) {
    const Pt head{head_x, ground - 5.5};
    uint8_t id = cv.part();
    capsule(cv, top, head + Pt{0, -1.0}, 0.8, 0.8, Mat{ramp::wood, 4.2, 1.0}, id);
    id = cv.part();
    // the stock, a block across the handle's foot
    const double hw = 6;
    const Pt a = head + Pt{-hw, tilt}, b = head + Pt{hw, -tilt};
    blob(cv, {a + Pt{0, -1.5}, b + Pt{0, -1.5}, b + Pt{0, 1.5}, a + Pt{0, 1.5}}, Mat{ramp::wood, 2.6, 1.0}, id, 0, 0.2);
    // bristles down to the pavement, splayed a little at the ends
    id = cv.part();
    for (int x = int(std::floor(head.x - hw)); x <= int(std::floor(head.x + hw)); ++x) {
        const double t = (x - (head.x - hw)) / (2 * hw);
        const int y0 = int(std::floor(head.y + 1.5 + tilt * (1 - 2 * t)));
        for (int y = y0 + 1; y <= ground; ++y)
            cv.put(x, y, ((x + y) % 3 == 0) ? ramp::ochre(1) : ramp::ochre(y == y0 + 1 ? 3 : 2), id);
    }
    cv.put(int(std::floor(head.x - hw)) - 1, ground, ramp::ochre(1), id);
    cv.put(int(std::floor(head.x + hw)) + 1, ground, ramp::ochre(1), id);
}

// A wooden ladder from foot to top (the near rail's line), the far rail
// `gap` pixels along the perpendicular, rungs every `pitch` pixels.
void ladder(Canvas& cv, Pt foot, Pt top, double gap = 5, double pitch = 9) {
    const Pt d = top - foot;
    const double L = len(d);
    const Pt u = d * (1.0 / L);
    Pt n{-u.y, u.x};
    if (n.x < 0) n = n * -1.0;
    if (std::fabs(u.x) > 0.7 && n.y < 0) n = n * -1.0;
    const Mat rail{ramp::wood, 3.6, 0.8};
    uint8_t id = cv.part();
    capsule(cv, foot + n * gap, top + n * gap, 0.7, 0.7, Mat{ramp::wood, 2.8, 0.8}, id);
    id = cv.part();
    for (double s = pitch * 0.7; s < L - 2; s += pitch) seg(cv, foot + u * s, foot + u * s + n * gap, ramp::wood(2), id);
    id = cv.part();
    capsule(cv, foot, top, 0.8, 0.8, rail, id);
}
// A stepladder standing open, seen from the side: the stepping section from
// `front` up to the top cap at `apex`, its treads sticking out towards the
// back every `pitch` rows, the back legs down to `back`, a spreader bar
// between the two. It stands on its own, against nothing.
void step_ladder(Canvas& cv, Pt front, Pt apex, Pt back, double pitch = 9) {
    const Mat stile{ramp::wood, 3.6, 0.8}, far_stile{ramp::wood, 2.6, 0.8};
    uint8_t id = cv.part();
    const Pt down{0, 0.6};  // the feet stand on their row, not above it
    capsule(cv, back + down, apex + Pt{0.5, 1.5}, 0.7, 0.7, far_stile, id);                  // back legs
    seg(cv, lerp(back, apex, 0.45), lerp(front, apex, 0.45) + Pt{1.5, 0}, ramp::grey(3), id);  // spreader
    id = cv.part();
    capsule(cv, front + Pt{1.5, -0.5}, apex + Pt{1.5, 0.5}, 0.6, 0.6, far_stile, id);  // the far stile
    id = cv.part();
    for (double row = front.y - 0.7 * pitch; row > apex.y + 3; row -= pitch) {
        const Pt at = lerp(front, apex, (front.y - row) / (front.y - apex.y));
        for (int dx = 0; dx <= 4; ++dx) cv.put(int(std::floor(at.x)) + dx, int(std::floor(row)), ramp::wood(dx < 3 ? 4 : 3), id);
        cv.put(int(std::floor(at.x)) + 1, int(std::floor(row)) + 1, ramp::wood(1), id);
    }
    id = cv.part();
    capsule(cv, front + down, apex, 0.8, 0.8, stile, id);
    blob(cv, {apex + Pt{-2.5, -1.5}, apex + Pt{3.5, -1.5}, apex + Pt{3.5, 1.5}, apex + Pt{-2.5, 1.5}}, Mat{ramp::wood, 2.8, 1.0},
         id, 0, 0.2);  // the top cap
}

Pt along(Pt foot, Pt top, int row) {
    const double t = (foot.y - row) / (foot.y - top.y);
    return lerp(foot, top, t);
}

// The paste bucket hanging from a fist (or a hook) at `hook`, with the
// brush's handle standing out of it.
void bucket(Canvas& cv, Pt hook, bool brush = true) {
    const Pt top = hook + Pt{0, 4};
    uint8_t id = cv.part();
    if (brush) {
        capsule(cv, top + Pt{1, 2}, top + Pt{4, -5}, 0.6, 0.6, Mat{ramp::wood, 4.0, 1.0}, id);
    }
    id = cv.part();
    blob(cv, {top + Pt{-4, 0}, top + Pt{4, 0}, top + Pt{3.2, 8}, top + Pt{-3.2, 8}}, Mat{ramp::chrome, 2.6, 1.3}, id, 0, 0.2);
    for (int x = int(top.x) - 3; x <= int(top.x) + 3; ++x) cv.put(x, int(top.y), ramp::grey(7), id);  // the paste
    const uint8_t bail = ramp::chrome(1);
    seg(cv, top + Pt{-4, 0.5}, hook, bail, id);
    seg(cv, top + Pt{4, 0.5}, hook, bail, id);
}

// A wide paste brush held in a fist, pointing along d, its bristles
// `handle` pixels from the fist (the long one reaches from the ladder's
// steps to the board).
void paste_brush(Canvas& cv, Pt hand, Pt d, bool wet = true, double handle = 5) {
    const double l = std::max(1e-6, len(d));
    const Pt u = d * (1.0 / l);
    const Pt n{-u.y, u.x};
    uint8_t id = cv.part();
    capsule(cv, hand - u * 1.0, hand + u * handle, 0.6, 0.6, Mat{ramp::wood, 4.0, 1.0}, id);
    id = cv.part();
    for (double s = handle; s <= handle + 3; s += 1)
        for (double w = -3.5; w <= 3.5; w += 0.5)
            dot(cv, hand + u * s + n * w, s >= handle + 2 && wet ? ramp::grey(6) : ramp::ochre(s > handle + 0.5 ? 3 : 2), id);
}

// A bill: pale paper with a big red title band, a blue sun and lines of
// small print; `roll` leaves the right end still rolled up.
void poster_sheet(Canvas& cv, int l, int t, int r, int b, bool roll) {
    const uint8_t id = cv.part();
    const int rr = roll ? r - 5 : r;
    for (int y = t; y <= b; ++y)
        for (int x = l; x <= rr; ++x) {
            uint8_t c = ramp::grey(7);
            const int u = x - l, v = y - t;
            if (v >= 4 && v <= 11 && u >= 4 && x <= rr - 4) c = ramp::paint_red(3 + ((u / 6 + v) % 7 == 0));
            else if ((u - 22) * (u - 22) + (v - 30) * (v - 30) <= 100) c = ramp::paint_yellow(4);
            else if (v >= 46 && (v % 4) == 0 && u >= 6 && x <= rr - 6 && ((u / 5) % 4) != 3) c = ramp::grey(3);
            else if (u >= 38 && v >= 20 && v <= 40 && x <= rr - 6) c = ramp::paint_blue(3 + (v < 24));
            if (x == l || y == t || y == b) c = shift(c, -1);
            cv.put(x, y, c, id);
        }
    if (roll)
        for (int y = t - 1; y <= b + 1; ++y)
            for (int x = rr + 1; x <= r; ++x) {
                const int s = x - rr;  // the roll's face, light on its left
                cv.put(x, y, ramp::grey(s <= 1 ? 7 : s <= 3 ? 6 : 4), id);
            }
}

// ---------------------------------------------------------------------------
// Figure 16: walks left with her shopping, the bag tears, the shopping
// spills; she looks at the mess and walks on. Entry 9 is the mess itself,
// drawn into the pavement just in front of where she stopped.

constexpr int kF16W = 728, kF16H = 90;

void torn_bag(Canvas& cv, Pt hand, double H, double open, int seed) {
    // the paper bag with its bottom split; `open` 0 whole .. 1 hanging in shreds
    const Mat paper{ramp::cloth_beige, 3.8, 1.0};
    const double w = 0.12 * H, h = 0.15 * H * (1 - 0.35 * open);
    const Pt top = hand + Pt{0, 0.02 * H};
    const uint8_t id = cv.part();
    std::vector<Pt> pts = {top + Pt{-w / 2, 1}, top + Pt{w / 2, 1}};
    // a jagged lower edge
    const int teeth = 5;
    for (int k = teeth; k >= 0; --k) {
        const double x = -w / 2 + w * k / teeth;
        const double jag = open > 0 ? ((k + seed) % 2 ? 0 : 2.5 * open) : 0;
        pts.push_back(top + Pt{x, 1 + h - jag});
    }
    blob(cv, pts, paper, id, 0, 0.3);
    seg(cv, top + Pt{-w / 2 + 1, 2.6}, top + Pt{w / 2 - 1, 2.6}, ramp::cloth_beige(2), id);
}

void apple(Canvas& cv, Pt c, int kind, double s = 1.3) {
    const uint8_t id = cv.part();
    if (kind == 0) {
        ball(cv, c, 1.7 * s, 1.6 * s, Mat{ramp::paint_red, 3.4, 1.3}, id);
        dot(cv, c + Pt{0, -1.6 * s}, ramp::wood(1), id);
    } else if (kind == 1) {
        ball(cv, c, 1.6 * s, 1.5 * s, Mat{ramp::paint_green, 3.8, 1.2}, id);
        dot(cv, c + Pt{0.3, -1.5 * s}, ramp::wood(1), id);
    } else if (kind == 2) {
        ball(cv, c, 1.9 * s, 1.9 * s, Mat{ramp::orange, 2.8, 1.2}, id);
    } else {
        // a milk carton lying or tumbling
        blob(cv, {c + Pt{-1.5, -3}, c + Pt{1.5, -3}, c + Pt{1.5, 3}, c + Pt{-1.5, 3}}, Mat{ramp::grey, 6.2, 0.8}, id, 0, 0.2);
        dot(cv, c + Pt{0, 0}, ramp::paint_blue(3), id);
        dot(cv, c + Pt{0, 1}, ramp::paint_blue(3), id);
    }
}

// The script draws the scrap 74 rows below her y, two rows in front of her
// feet (row 72): the mess lies flat in its top rows, so that it sits where
// the shopping landed in entry 7 instead of dropping further down.
constexpr int kF16Ground = 72, kScrapGround = 4;

void paint_scrap16(Image& f) {
    Canvas cv(f.w, f.h);
    const int g = kScrapGround;
    // the empty bag lying on its side, split open towards the left
    uint8_t id = cv.part();
    blob(cv, {{28, g - 3.5}, {44, g - 4.0}, {45, g + 0.5}, {28, g + 0.5}, {26, g - 1.0}}, Mat{ramp::cloth_beige, 3.8, 1.0},
         id, 0, 0.4);
    for (int y = g - 3; y <= g; ++y) cv.put(44, y, ramp::cloth_beige(2), id);  // the folded bottom
    id = cv.part();
    for (int y = g - 2; y <= g; ++y) cv.put(30 - (y & 1), y, ramp::cloth_beige(1), id);  // the tear
    // the shopping rolled out of it, where it landed
    apple(cv, {22, g - 2.0}, 0, 1.15);
    apple(cv, {14, g - 2.0}, 2, 1.0);
    apple(cv, {6.5, g - 2.0}, 0, 1.15);
    apple(cv, {18.5, g - 1.6}, 1, 0.95);
    id = cv.part();
    blob(cv, {{34, g - 1.0}, {41, g - 1.5}, {41, g + 0.5}, {34, g + 0.5}}, Mat{ramp::grey, 6.2, 0.8}, id, 0, 0.2);
    seg(cv, {35, g - 0.5}, {40, g - 0.5}, ramp::paint_blue(3), id);  // the carton, flat by the bag
    id = cv.part();
    capsule(cv, {1.5, g - 0.8}, {9.5, g - 1.6}, 0.9, 1.0, Mat{ramp::paint_yellow, 3.6, 1.1}, id);  // a banana
    dot(cv, {10.5, g - 1.6}, ramp::wood(1), id);
    outline(cv);
    f = cv.img;
}

Image sheet_fig16() {
    Look L = look_of(16);
    Image sheet(kF16W, kF16H);
    std::vector<FrameRect> fr = frames_on_row(
        {{0, 64}, {65, 56}, {122, 56}, {179, 48}, {228, 88}, {317, 88}, {406, 96}, {503, 88}, {592, 80}}, 73);
    fr.push_back({673, 0, 48, 16});
    const double a0 = 36;
    for (int k = 0; k < 4; ++k)
        paint_frame(sheet, fr[k], [&](Image& f) {
            Pose p = walking(L, k, -1);
            p.hold[0] = Held::ShoppingBag;
            p.arm[0].swing *= 0.35;
            p.arm[0].bend = 4;
            paint_person(f, L, p, walk_anchor(a0, 14, k, -1), ground_row(fr[k], kF16Ground));
        });
    // the drop: the script steps the origin 25 left and then 11 back, so the
    // in-frame columns step the other way and she stands still
    const double stop4 = a0 + 25, stop = a0 + 14;
    const double H = L.height;
    auto drop_frame = [&](int k, double ax, Pose p, double open, const std::vector<std::pair<Pt, int>>& falling) {
        paint_frame(sheet, fr[k], [&](Image& f) {
            const int g = ground_row(fr[k], kF16Ground);
            paint_person(f, L, p, ax, g, [&](Canvas& cv, const Rig& rig, Layer layer) {
                if (layer != Layer::Front) return;
                torn_bag(cv, rig.hand[0], H, open, k);
                props::hand_over(cv, L, rig, 0);
                for (auto& it : falling) apple(cv, it.first, it.second);
            });
        });
    };
    {   // 4: she stops; the bag's bottom gives
        Pose p = stand_pose(-1);
        p.arm[0] = {8, 10};
        drop_frame(4, stop4, p, 0.3, {});
    }
    {   // 5: it splits; the first things drop out, she lifts the bag
        Pose p = stand_pose(-1);
        p.arm[0] = {40, 40};
        p.arm[1] = {25, 30};
        p.nod = 15;
        Rig r = rig_person(L, p, stop, kF16Ground);
        Pt b = r.hand[0] + Pt{0, 0.17 * H};
        drop_frame(5, stop, p, 0.8, {{b + Pt{-1, 3}, 0}, {b + Pt{2, 6}, 2}});
    }
    {   // 6: the shopping tumbles out, she bends after it
        Pose p = stand_pose(-1);
        p.lean = 14;
        p.arm[0] = {45, 35};
        p.arm[1] = {70, 20};
        p.nod = 25;
        p.mouth = 1;
        Rig r = rig_person(L, p, stop, kF16Ground);
        Pt b = r.hand[0] + Pt{0, 0.17 * H};
        drop_frame(6, stop, p, 1.0,
                   {{b + Pt{-3, 6}, 0}, {b + Pt{-8, 14}, 1}, {b + Pt{-1, 19}, 3}, {b + Pt{-14, 8}, 2}, {{18, 68}, 0}});
    }
    {   // 7: it lands and rolls away in front of her
        Pose p = stand_pose(-1);
        p.lean = 10;
        p.arm[0] = {25, 25};
        p.arm[1] = {35, 40};
        p.nod = 30;
        p.mouth = 1;
        // on the ground just above where the scrap will lie, in its columns
        drop_frame(7, stop, p, 1.0, {{{22, 70.5}, 0}, {{14, 70.3}, 2}, {{7, 70.5}, 0}, {{18, 68.5}, 1}, {{37, 70}, 3}});
    }
    {   // 8: she stands and looks at the mess, the empty bag in her hand
        Pose p = stand_pose(-1);
        p.arm[0] = {12, 12};
        p.arm[1] = {5, 70};
        p.nod = 30;
        drop_frame(8, stop, p, 1.0, {});
    }
    paint_frame(sheet, fr[9], paint_scrap16);
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 22: the sweeper walks right pushing his broom ahead; the script
// copies the clean pavement under the broom head (frame columns 40..70,
// rows 52..76), so the head sweeps there.

constexpr int kF22W = 1160, kF22H = 86;
// The script stands him with y = stageHeight - d - 68 and draws every frame
// at y, 66 to 72 rows high; his soles go on row 65 below y, the lowest row
// that even the shortest frame has. The long rest (8..11) is drawn 18 rows
// higher, so there they stand on row 83.
constexpr int kF22Ground = 65, kF22RestRaise = 18;

Look sweeper() {
    Look L = look_of(22);
    L.height = 64;  // the frames are 66..72 high with the cap; he stoops over his broom
    // the whole suit is municipal orange: the sleeves a shade lighter than the bib
    L.under_tone = Tone{ramp::orange, 3.4};
    return L;
}

Image sheet_fig22() {
    const Look L = sweeper();
    const double H = L.height;
    Image sheet(kF22W, kF22H);
    const int tab[15][3] = {{0, 80, 68},   {81, 72, 72},   {154, 88, 67},  {243, 80, 72},  {324, 80, 68},
                            {405, 88, 68}, {494, 112, 67}, {607, 88, 66},  {696, 48, 86},  {745, 48, 86},
                            {794, 48, 86}, {843, 56, 86},  {900, 88, 72},  {989, 72, 72},  {1062, 96, 72}};
    auto fr = [&](int k) { return FrameRect{tab[k][0], 0, tab[k][1], tab[k][2]}; };

    // a side-view frame with the broom: the head's middle column, the handle's
    // top, and which hands hold the handle where (0..1 from head to top)
    auto side = [&](int k, Pose p, double ax, double head_x, Pt top_off, double near_at, double far_at) {
        paint_frame(sheet, fr(k), [&](Image& f) {
            const int g = ground_row(fr(k), kF22Ground);
            const Pt head{head_x, g - 6.5};
            const Pt top = head + top_off;
            if (near_at >= 0) hand_to(L, p, 0, lerp(head, top, near_at), ax, g);
            if (far_at >= 0) hand_to(L, p, 1, lerp(head, top, far_at), ax, g);
            paint_person(f, L, p, ax, g, [&](Canvas& cv, const Rig& rig, Layer layer) {
                if (layer != Layer::Middle) return;
                broom(cv, top, head_x, g, p.facing > 0 ? 0.4 : -0.4);
                if (near_at >= 0) props::forearm_over(cv, L, rig, 0);
            });
        });
    };

    // 0..3: the sweeping walk, the head pushed and drawn back
    const double heads[4] = {58, 53, 64, 58};
    for (int k = 0; k < 4; ++k) {
        Pose p = walking(L, k, 1, 0.18);
        p.lean = 12;
        p.nod = 12;
        const double ax = walk_anchor(24, 14, k, 1);
        side(k, p, ax, heads[k], {-0.55 * H, -0.62 * H}, 0.45, 0.85);
    }
    // 4..7: a short pause, leaning on the broom, then a stretch
    {
        Pose p = stand_pose(1);
        p.lean = 8;
        side(4, p, 32, 52, {-4, -0.66 * H}, 0.92, 0.98);
    }
    {
        Pose p = stand_pose(1);
        p.lean = 16;
        p.nod = 10;
        p.leg[1] = {-10, 4};
        side(5, p, 34, 58, {-8, -0.6 * H}, 0.9, 0.97);
    }
    {
        Pose p = stand_pose(1);
        p.lean = -8;
        p.nod = -20;
        p.mouth = 1;
        p.blink = true;
        p.arm[0] = {165, 20};
        side(6, p, 34, 86, {-30, -0.6 * H}, -1, 0.92);
    }
    {
        Pose p = stand_pose(1);
        p.lean = 12;
        p.leg[1] = {-10, 4};
        side(7, p, 34, 56, {-6, -0.62 * H}, 0.9, 0.97);
    }
    // 8..11: the longer rest: he stands tall, facing the street, the broom
    // upright at his side, and wipes his brow
    for (int k = 8; k < 12; ++k)
        paint_frame(sheet, fr(k), [&](Image& f) {
            const int g = ground_row(fr(k), kF22Ground, -kF22RestRaise);
            const double ax = 20;
            const double bx = 35;
            Pose p = front_pose();
            p.look = k == 11 ? 1 : 0;
            hand_to(L, p, 1, {bx, g - 0.55 * H}, ax, g);
            if (k == 9) hand_to(L, p, 0, {ax + 2, g - 0.93 * H}, ax, g);
            if (k == 10) hand_to(L, p, 0, {ax - 3, g - 0.94 * H}, ax, g), p.blink = true;
            if (k == 11) p.arm[0] = {6, 20};
            paint_person(f, L, p, ax, g, [&](Canvas& cv, const Rig& rig, Layer layer) {
                if (layer != Layer::Behind) {
                    if (layer == Layer::Front) props::hand_over(cv, L, rig, 1);
                    return;
                }
                // seen from the front the head is a narrow stripe of bristles
                const Pt top{bx, g - 0.95 * H};
                uint8_t id = cv.part();
                capsule(cv, top, {bx, g - 6.0}, 0.8, 0.8, Mat{ramp::wood, 4.2, 1.0}, id);
                id = cv.part();
                blob(cv, {{bx - 2.5, g - 6.5}, {bx + 2.5, g - 6.5}, {bx + 2.5, g - 3.5}, {bx - 2.5, g - 3.5}},
                     Mat{ramp::wood, 2.6, 1.0}, id, 0, 0.2);
                for (int y = g - 3; y <= g; ++y)
                    for (int x = int(bx) - 3; x <= int(bx) + 3; ++x) cv.put(x, y, ramp::ochre((x + y) % 3 ? 2 : 1), id);
            });
        });
    // 12..14: he looks about and checks the pavement
    {
        Pose p = stand_pose(1);
        p.lean = 10;
        p.nod = 28;
        side(12, p, 30, 60, {-14, -0.62 * H}, 0.6, 0.9);
    }
    {
        Pose p = stand_pose(1);
        p.look = 1;
        side(13, p, 30, 48, {-6, -0.66 * H}, 0.8, 0.95);
    }
    {
        Pose p = walking(L, 0, 1, 0.15);
        p.lean = 16;
        p.nod = 20;
        side(14, p, 32, 78, {-34, -0.55 * H}, 0.5, 0.88);
    }
    return sheet;
}

// ---------------------------------------------------------------------------
// Figure 27: carries his stepladder in, opens it at the board, climbs,
// pastes and spreads the new bill, smooths it, climbs down and carries on.
// While he works the script moves the origin 30 right (phase 2 to 3), so
// the ladder stands 30 columns further left in frames 10..27 than in 4..9.
//
// The ladder has to stand still in every frame from 6 to 24, and frames
// 6..9 end at stage column 291 and the narrow ones of 10..24 at 297, while
// the board begins at 300: a ladder leaning on anything there would lean on
// the shelter. So it is a stepladder, opened right in front of the board's
// left edge, and he reaches over its top to the board.

constexpr int kF27W = 2680, kF27H = 138;
constexpr double kLadderLen = 108;

// In the columns of frames 10..27 (drawn at stage column 242).
struct Up {
    Pt foot{13, 137}, top{32, 137 - 104}, back{48, 137};
};

Image sheet_fig27() {
    const Look L = look_of(27);
    Image sheet(kF27W, kF27H);
    auto fr = frames_on_row({{0, 112},    {113, 120},  {234, 128},  {363, 136},  {500, 96},   {597, 104},  {702, 80},
                             {783, 80},   {864, 80},   {945, 80},   {1026, 56},  {1083, 64},  {1148, 56},  {1205, 64},
                             {1270, 64},  {1335, 72},  {1408, 144}, {1553, 64},  {1618, 64},  {1683, 64},  {1748, 64},
                             {1813, 64},  {1878, 56},  {1935, 56},  {1992, 64},  {2057, 56},  {2114, 64},  {2179, 56},
                             {2236, 96},  {2333, 104}, {2438, 112}, {2551, 128}},
                            138);

    // The ladder on his near shoulder, tilted front up by `tilt` degrees; the
    // near hand holds a rail ahead of the shoulder, the bucket hangs from the
    // far hand.
    auto carrying = [&](int k, Pose p, double ax, double tilt, bool with_bucket) {
        paint_frame(sheet, fr[k], [&](Image& f) {
            const int g = f.h - 1;
            const Rig r0 = rig_person(L, p, ax, g);
            const Pt s = r0.shoulder[0] + Pt{0, -2.5};
            const Pt u{std::cos(rad(tilt)) * p.facing, -std::sin(rad(tilt))};
            const Pt a = s - u * (kLadderLen * 0.45), b = s + u * (kLadderLen * 0.55);
            hand_to(L, p, 0, s + u * 9.0 + Pt{0, 1.5}, ax, g);
            paint_person(f, L, p, ax, g, [&](Canvas& cv, const Rig& rig, Layer layer) {
                if (layer == Layer::Middle && with_bucket) bucket(cv, rig.hand[1]);
                if (layer == Layer::Front) {
                    ladder(cv, a, b, 5, 9);
                    props::hand_over(cv, L, rig, 0);
                }
            });
        });
    };
    for (int k = 0; k < 4; ++k) {
        Pose p = walking(L, k, 1);
        p.arm[1].swing *= 0.4;
        carrying(k, p, walk_anchor(50, 34, k, 1), 32, true);
    }
    for (int k = 0; k < 4; ++k) {
        Pose p = walking(L, k, 1);
        p.arm[1].swing *= 0.4;
        carrying(28 + k, p, walk_anchor(48, 34, k, 1), 32, true);
    }

    // A frame at the ladder standing against the board; his soles on row
    // `stand` (a rung, or the ground), hands at the given points.
    const Up up;
    auto at_ladder = [&](int k, int shift_x, Pose p, int stand, Pt near_hand, Pt far_hand, bool bucket_on_ladder,
                         const std::function<void(Canvas&, const Rig&)>& front) {
        paint_frame(sheet, fr[k], [&](Image& f) {
            const Pt foot = up.foot + Pt{double(shift_x), 0}, top = up.top + Pt{double(shift_x), 0};
            const double ax = along(foot, top, stand).x - 2;
            if (near_hand.x > -900) hand_to(L, p, 0, near_hand + Pt{double(shift_x), 0}, ax, stand);
            if (far_hand.x > -900) hand_to(L, p, 1, far_hand + Pt{double(shift_x), 0}, ax, stand);
            paint_person(f, L, p, ax, stand, [&](Canvas& cv, const Rig& rig, Layer layer) {
                if (layer == Layer::Behind) {
                    step_ladder(cv, foot, top, up.back + Pt{double(shift_x), 0});
                    if (bucket_on_ladder) bucket(cv, top + Pt{6, 2});
                    else bucket(cv, {foot.x - 9, 124}, true);
                }
                if (layer == Layer::Front && front) front(cv, rig);
            });
        });
    };
    auto on_rung = [&](double lift) {
        Pose p = stand_pose(1);
        p.leg[0] = {40 * lift, 75 * lift};
        p.leg[1] = {5, 8};
        p.toe[0] = 10;
        return p;
    };
    auto rung_row = [&](int n) { return int(137 - 6.3 - 9 * n); };  // the n-th rung's top

    // 4, 5: at the board, swinging the ladder off the shoulder and upright
    {
        Pose p = stand_pose(1);
        carrying(4, p, 30, 58, true);
    }
    paint_frame(sheet, fr[5], [&](Image& f) {
        const int g = f.h - 1;
        Pose p = stand_pose(1);
        p.lean = -4;
        const double ax = 34;
        const Pt foot{50, 136}, top{70, 136 - kLadderLen + 2};
        hand_to(L, p, 0, along(foot, top, 92), ax, g);
        hand_to(L, p, 1, along(foot, top, 80) + Pt{4, 0}, ax, g);
        paint_person(f, L, p, ax, g, [&](Canvas& cv, const Rig& rig, Layer layer) {
            if (layer == Layer::Behind) bucket(cv, {14, 124});
            if (layer == Layer::Middle) ladder(cv, foot, top, 5, 9);
            if (layer == Layer::Front) props::hand_over(cv, L, rig, 0);
        });
    });
    // 6..9: the ladder leans on the board; he hangs the bucket on it and climbs
    at_ladder(6, 30, stand_pose(1), 137, along(up.foot, up.top, 88), along(up.foot, up.top, 78) + Pt{5, 0}, false, nullptr);
    at_ladder(7, 30, on_rung(1), rung_row(1), along(up.foot, up.top, 64), along(up.foot, up.top, 72) + Pt{5, 0}, true,
              nullptr);
    at_ladder(8, 30, on_rung(0.3), rung_row(2), along(up.foot, up.top, 56), along(up.foot, up.top, 62) + Pt{5, 0}, true,
              nullptr);
    at_ladder(9, 30, on_rung(1), rung_row(3), along(up.foot, up.top, 44), along(up.foot, up.top, 52) + Pt{5, 0}, true,
              nullptr);
    // 10..16: up the ladder; paste on the board, then the new bill unrolled
    const int hi = rung_row(5);
    at_ladder(10, 0, on_rung(0.3), rung_row(4), along(up.foot, up.top, 36), along(up.foot, up.top, 46) + Pt{5, 0}, true,
              nullptr);
    auto brush_frame = [&](int k, Pt hand, Pt d, bool wet) {
        Pose p = on_rung(0.5);
        p.nod = -10;
        p.lean = 16;  // over the ladder's top towards the board
        at_ladder(k, 0, p, hi, hand, along(up.foot, up.top, 40) + Pt{5, 0}, true, [&, d, wet](Canvas& cv, const Rig& rig) {
            paste_brush(cv, rig.hand[0], d, wet, 11);
            props::hand_over(cv, L, rig, 0);
        });
    };
    {   // 11: the brush out of the bucket
        Pose p = on_rung(0.5);
        p.nod = 20;
        at_ladder(11, 0, p, hi, along(up.foot, up.top, 52) + Pt{2, -3}, along(up.foot, up.top, 40) + Pt{5, 0}, true,
                  [&](Canvas& cv, const Rig& rig) {
                      paste_brush(cv, rig.hand[0], {0.3, 1}, true, 11);
                      props::hand_over(cv, L, rig, 0);
                  });
    }
    brush_frame(12, {46, 26}, {0.6, -1}, true);
    brush_frame(13, {56, 22}, {1, -0.4}, true);
    brush_frame(14, {52, 40}, {1, 0.3}, true);
    brush_frame(15, {58, 30}, {1, -0.1}, true);
    {   // 16: the new bill, unrolled across the board from his hands
        Pose p = on_rung(0.5);
        at_ladder(16, 0, p, hi, {54, 14}, {54, 40}, true, [&](Canvas& cv, const Rig& rig) {
            poster_sheet(cv, 55, 8, 143, 64, true);
            props::hand_over(cv, L, rig, 0);
            props::hand_over(cv, L, rig, 1);
        });
    }
    // 17..21: smoothing the bill with the dry brush
    brush_frame(17, {56, 18}, {1, 0.1}, false);
    brush_frame(18, {57, 28}, {1, 0.1}, false);
    brush_frame(19, {57, 34}, {1, 0.1}, false);
    brush_frame(20, {57, 40}, {1, 0.2}, false);
    brush_frame(21, {55, 48}, {1, 0.3}, false);
    // 22, 23: down the ladder
    at_ladder(22, 0, on_rung(1), rung_row(3), along(up.foot, up.top, 50), along(up.foot, up.top, 58) + Pt{5, 0}, true,
              nullptr);
    at_ladder(23, 0, on_rung(0.3), rung_row(1), along(up.foot, up.top, 72), along(up.foot, up.top, 80) + Pt{5, 0}, true,
              nullptr);
    // 24: on the ground, the bucket taken off the ladder
    paint_frame(sheet, fr[24], [&](Image& f) {
        const int g = f.h - 1;
        Pose p = stand_pose(1);
        const double ax = 18;
        hand_to(L, p, 0, along(up.foot, up.top, 86), ax, g);
        paint_person(f, L, p, ax, g, [&](Canvas& cv, const Rig& rig, Layer layer) {
            if (layer == Layer::Behind) step_ladder(cv, up.foot, up.top, up.back);
            if (layer == Layer::Middle) bucket(cv, rig.hand[1]);
        });
    });
    // 25: the ladder off the board, upright in his hands
    paint_frame(sheet, fr[25], [&](Image& f) {
        const int g = f.h - 1;
        Pose p = stand_pose(1);
        const double ax = 18;
        const Pt foot{31, 133}, top{31, 133 - kLadderLen};
        hand_to(L, p, 0, {31, 80}, ax, g);
        paint_person(f, L, p, ax, g, [&](Canvas& cv, const Rig& rig, Layer layer) {
            if (layer == Layer::Middle) bucket(cv, rig.hand[1]);
            if (layer == Layer::Front) {
                ladder(cv, foot, top, 5, 9);
                props::hand_over(cv, L, rig, 0);
            }
        });
    });
    // 26, 27: tipped over onto the shoulder
    carrying(26, stand_pose(1), 20, 68, true);
    carrying(27, stand_pose(1), 22, 52, true);
    return sheet;
}

}  // namespace

void add_scenery_changer_sheets(std::vector<Picture>& out) {
    out.push_back({"FIG16_T00", "people", sheet_fig16(), BmpFormat::Rle8});
    out.push_back({"FIG22_T00", "people", sheet_fig22(), BmpFormat::Rle8});
    out.push_back({"FIG27_T00", "people", sheet_fig27(), BmpFormat::Rle8});
}

}  // namespace art::figures
