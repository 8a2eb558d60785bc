// The passenger cars: saloons, the taxi, an estate, hatchbacks, a coupe, the
// small round car and the composite small car whose wheels and driver are
// separate pictures.
#include <algorithm>
#include <cmath>

#include "core/font.h"
#include "figures/vehicle_car.h"
#include "figures/vehicle_heads.h"
#include "figures/vehicle_sheets.h"

namespace art::vehicles {
namespace {

// A car's side, as fractions: u of its length from the rear, f of its height
// above the ground.
struct Shape {
    bool notch = true;      // a boot behind the rear window (saloon, coupe)
    double tail_top = 0.52; // f where the rear face meets the deck or tailgate
    double deck = 0.57;     // f of the boot lid
    double rw_base = 0.18;  // u where the rear window meets the deck
    double roof_rear = 0.32, roof_front = 0.57;
    double ws_base = 0.71;  // u of the windscreen's foot
    double bonnet = 0.53, bonnet_end = 0.965, nose = 0.40;
    double belt = 0.55, crease = 0.43, sill = 0.19, bottom = 0.13;
    double wheel_rear = 0.2, wheel_front = 0.795, wheel_r = 0.235;
    double roof_radius = 0.12;
    std::vector<double> pillars = {0.455};  // u of the pillars between side windows
    double pillar_w = 6;
    int doors = 4;
    bool round = false;  // softer curves everywhere (the small round car)
};

double lerp(double a, double b, double t) { return a + (b - a) * t; }

CarDesign make_car(const Shape& sh, int len, int ht, double H, Paint paint) {
    CarDesign s;
    s.len = len;
    s.ht = ht;
    s.paint = paint;
    const double g = ht - 1;
    auto V = [&](double f) { return g - f * H; };
    auto U = [&](double f) { return f * len; };
    const double roof = V(1.0);
    const double k = sh.round ? 1.8 : 1.0;

    s.body.push_back({U(0.012), V(sh.bottom)});
    s.radii.push_back(3);
    s.body.push_back({0, V(sh.tail_top)});
    s.radii.push_back(5 * k);
    if (sh.notch) {
        s.body.push_back({U(0.035), V(sh.deck)});
        s.radii.push_back(7 * k);
        s.body.push_back({U(sh.rw_base), V(sh.deck + 0.02)});
        s.radii.push_back(4 * k);
    } else {
        s.body.push_back({U(sh.rw_base), V(0.92)});  // tailgate top
        s.radii.push_back(8 * k);
    }
    s.body.push_back({U(sh.roof_rear), roof});
    s.radii.push_back(H * sh.roof_radius * k);
    s.body.push_back({U(sh.roof_front), roof});
    s.radii.push_back(H * sh.roof_radius * k);
    s.body.push_back({U(sh.ws_base), V(sh.belt + 0.01)});
    s.radii.push_back(4 * k);
    s.body.push_back({U(sh.bonnet_end), V(sh.bonnet)});
    s.radii.push_back(9 * k);
    s.body.push_back({double(len), V(sh.nose)});
    s.radii.push_back(4 * k);
    s.body.push_back({len - U(0.008), V(sh.bottom)});
    s.radii.push_back(3);

    s.lines = {roof, V(sh.belt), V(sh.crease), V(sh.sill)};

    // Side glass between the C pillar line and the A pillar line.
    const Pt c_top{U(sh.roof_rear), roof}, c_foot = sh.notch ? Pt{U(sh.rw_base), V(sh.deck + 0.02)} : Pt{U(sh.rw_base), V(0.92)};
    const Pt a_top{U(sh.roof_front), roof}, a_foot{U(sh.ws_base), V(sh.belt + 0.01)};
    auto on_line = [](Pt a, Pt b, double v) { return a.x + (b.x - a.x) * (v - a.y) / (b.y - a.y); };
    const double gt = roof + std::max(3.0, 0.085 * H), gb = V(sh.belt) - 1;
    double c_in = sh.notch ? 7 : 5, a_in = 5;
    auto c_edge = [&](double v) {
        if (!sh.notch && v > c_foot.y) return c_foot.x + c_in;
        return on_line(c_top, c_foot, v) + c_in;
    };
    auto a_edge = [&](double v) { return on_line(a_top, a_foot, v) - a_in; };
    std::vector<double> cuts;
    for (double p : sh.pillars) cuts.push_back(U(p));
    double prev = -1;
    for (size_t i = 0; i <= cuts.size(); ++i) {
        Window w;
        double right_u = i < cuts.size() ? cuts[i] - sh.pillar_w * 0.5 : -1;
        double left_u = prev;
        const int n = 6;
        // rear edge, bottom to top
        if (left_u < 0) {
            for (int j = 0; j <= n; ++j) {
                double v = lerp(gb, gt, double(j) / n);
                w.pts.push_back({c_edge(v), v});
            }
        } else {
            w.pts.push_back({left_u, gb});
            w.pts.push_back({left_u, gt});
        }
        if (right_u < 0) {
            for (int j = 0; j <= n; ++j) {
                double v = lerp(gt, gb, double(j) / n);
                w.pts.push_back({a_edge(v), v});
            }
        } else {
            w.pts.push_back({right_u, gt});
            w.pts.push_back({right_u, gb});
        }
        // round the upper corners of the glass a little
        std::vector<double> rr(w.pts.size(), 0.0);
        for (size_t q = 0; q < w.pts.size(); ++q)
            if (std::fabs(w.pts[q].y - gt) < 0.5) rr[q] = sh.round ? 5 : 2.5;
        w.pts = rounded(w.pts, rr, 3);
        s.windows.push_back(w);
        if (i < cuts.size()) prev = cuts[i] + sh.pillar_w * 0.5;
    }
    for (double c : cuts) s.black_parts.push_back({c - sh.pillar_w * 0.5, gt, c + sh.pillar_w * 0.5, gb + 1});

    s.wheel_r = std::round(sh.wheel_r * H);
    s.wheels = {U(sh.wheel_rear), U(sh.wheel_front)};
    s.wheel = {Hub::Cap, 5, 0.62, ramp::chrome, 3.2};

    // doors: a gap at each pillar, the front door's leading edge under the
    // A pillar, the rear door's trailing edge ahead of the rear wheel
    const double belt = V(sh.belt), sill = V(sh.sill);
    const double front_edge = U(sh.ws_base) + 2, rear_edge = s.wheels[0] + s.wheel_r + 5;
    s.gaps.push_back({{front_edge, belt - 1}, {front_edge - 3, sill}});
    for (double c : cuts) s.gaps.push_back({{c, gt}, {c - 1, sill}});
    if (sh.doors == 4) s.gaps.push_back({{std::max(rear_edge, c_edge(belt) - 2), belt - 1}, {rear_edge, sill}});
    s.gaps.push_back({{0, sill}, {double(len), sill}});
    double front_door_u0 = cuts.empty() ? rear_edge : cuts.back();
    s.handles.push_back({front_door_u0 + 8, belt + 4});
    if (sh.doors == 4 && cuts.size() >= 1) s.handles.push_back({std::max(rear_edge, c_edge(belt)) + 8, belt + 4});

    s.rub_v = V(sh.crease - 0.08);
    s.rub_u0 = 4;
    s.rub_u1 = len - 4;
    s.belt_trim_u0 = c_edge(gb) - 2;
    s.belt_trim_u1 = a_edge(gb) + 2;

    double bh = std::max(5.0, 0.1 * H);
    double bv = V(sh.bottom + 0.2);
    s.rear_bumper = {0, bv, U(0.06), bv + bh};
    s.front_bumper = {len - U(0.06), bv, double(len), bv + bh};
    s.head = {len - U(0.04), V(sh.nose + 0.11), double(len), V(sh.nose + 0.02)};
    s.blinker = {len - U(0.035), V(sh.nose + 0.02), double(len) - 1, V(sh.nose - 0.03)};
    s.tail = {0, V(sh.tail_top - 0.02), U(0.03), V(sh.tail_top - 0.16)};
    s.mirror = {U(sh.ws_base) - 5, V(sh.belt) - 3};
    s.occupants.push_back({a_edge(gt + 6) - 0.25 * H, gt + 2, 0.17 * H});
    s.shadow_u0 = U(0.06);
    s.shadow_u1 = U(0.94);
    return s;
}

Shape saloon_shape() { return Shape{}; }

Shape estate_shape() {
    Shape sh;
    sh.notch = false;
    sh.rw_base = 0.02;
    sh.roof_rear = 0.08;
    sh.roof_front = 0.6;
    sh.ws_base = 0.74;
    sh.tail_top = 0.58;
    sh.pillars = {0.28, 0.5};
    sh.wheel_rear = 0.2;
    sh.wheel_front = 0.8;
    return sh;
}

Shape hatch_shape() {
    Shape sh;
    sh.notch = false;
    sh.rw_base = 0.07;
    sh.roof_rear = 0.27;
    sh.roof_front = 0.58;
    sh.ws_base = 0.73;
    sh.tail_top = 0.56;
    sh.pillars = {0.5};
    sh.pillar_w = 5;
    sh.wheel_rear = 0.18;
    sh.wheel_front = 0.81;
    sh.bonnet = 0.52;
    sh.nose = 0.42;
    return sh;
}

Shape coupe_shape() {
    Shape sh;
    sh.notch = true;
    sh.deck = 0.62;
    sh.tail_top = 0.56;
    sh.rw_base = 0.14;
    sh.roof_rear = 0.36;
    sh.roof_front = 0.56;
    sh.ws_base = 0.72;
    sh.bonnet = 0.5;
    sh.nose = 0.34;
    sh.belt = 0.56;
    sh.pillars = {};
    sh.doors = 2;
    sh.wheel_r = 0.27;
    sh.wheel_rear = 0.19;
    sh.wheel_front = 0.8;
    sh.bottom = 0.12;
    return sh;
}

Shape round_shape() {
    Shape sh;
    sh.round = true;
    sh.notch = false;
    sh.rw_base = 0.02;
    sh.roof_rear = 0.22;
    sh.roof_front = 0.52;
    sh.ws_base = 0.68;
    sh.tail_top = 0.52;
    sh.bonnet = 0.5;
    sh.bonnet_end = 0.95;
    sh.nose = 0.36;
    sh.belt = 0.54;
    sh.crease = 0.44;
    sh.pillars = {0.33};
    sh.pillar_w = 5;
    sh.doors = 2;
    sh.wheel_rear = 0.19;
    sh.wheel_front = 0.8;
    sh.wheel_r = 0.24;
    sh.roof_radius = 0.32;
    return sh;
}

using Sheet = std::function<void(Image&, int)>;

void add(std::vector<Picture>& out, const char* name, Image img) {
    out.push_back({name, "vehicles", std::move(img), BmpFormat::Rle8});
}

// Paints frames 0-2 driving; `standing` frames after them show the car at
// rest with its hazard lights on (even frames) or off.
Sheet car_frames(const CarDesign& s, bool right, bool night, const Extra& before = {}, const Extra& after = {},
                 const Extra& lit = {}) {
    return [=](Image& f, int i) {
        View vw = night ? night_view(f, s.len, s.ht, right) : View{&f, 0, f.h - s.ht, s.len, s.ht, right};
        Pose pose{i < 3 ? i : 0, night, i < 3 ? 0 : i - 2};
        paint_car(vw, s, pose, before, after, lit);
    };
}

// Standing frames: the hazard lights blink (on in variant 1, off in 2) and
// the brake lights glow.
Extra hazards(const CarDesign& s) {
    return [s](const View& vw, const Pose& pose, const Image&) {
        if (pose.variant == 0) return;
        Box t = s.tail;
        if (pose.variant == 1) {  // off, they stay as the night left them
            double h = (t.v1 - t.v0);
            indicator(vw, s.blinker.u0, s.blinker.v0, s.blinker.u1, s.blinker.v1, true);
            indicator(vw, t.u0, t.v1, t.u1, t.v1 + std::max(2.0, h * 0.35), true);
            double ru = s.wheels.back() - s.wheel_r - 12, rv = s.lines.crease - 7;
            indicator(vw, ru, rv, ru + 5, rv + 3, true);  // the repeater on the front wing
        }
        tail_lamp(vw, t.u0, t.v0, t.u1, t.v1, true);
        glow(*vw.img, vw.x(0) - vw.dir() * 2, vw.y((t.v0 + t.v1) * 0.5), 12, 8, ramp::paint_red, 1.0);
    };
}

// ---- 82: a blue saloon on the far lane -------------------------------------

CarDesign saloon82() {
    CarDesign s = make_car(saloon_shape(), 264, 85, 78, {ramp::paint_blue, 3.0});
    s.wheel = {Hub::Alloy, 5, 0.64, ramp::chrome, 3.2};
    return s;
}

// ---- 80 / 90: the taxi, ivory, with its lit roof sign ------------------------

CarDesign taxi() {
    Shape sh = saloon_shape();
    CarDesign s = make_car(sh, 264, 76, 64, {ramp::plaster_yellow, 4.2});
    s.wheel = {Hub::Cap, 6, 0.62, ramp::chrome, 3.4};
    s.chrome = true;
    return s;
}

void taxi_sign(const View& vw, const CarDesign& s, bool lit) {
    Image& img = *vw.img;
    double mid = s.len * 0.445, roof = s.lines.roof;
    Rect r = vw.rect(mid - 15, roof - 11, mid + 15, roof);
    fill_rect(img, {r.x + 3, r.bottom() - 2, r.w - 6, 2}, ramp::grey(1));
    Rect box{r.x, r.y, r.w, r.h - 2};
    fill_rect(img, box, [&](int x, int y) {
        bool edge = x == box.x || y == box.y || x == box.right() - 1 || y == box.bottom() - 1;
        if (lit) return edge ? ramp::lamp(3) : ramp::lamp(5);
        double pos = 5.0 - 2.0 * (y - box.y) / double(box.h) - (edge ? 1.5 : 0);
        return dither(ramp::plaster_yellow, pos, x, y);
    });
    TextStyle st{1, false};
    int tw = text_width("TAXI", st);
    draw_text(img, box.x + (box.w - tw) / 2, box.y - 1, "TAXI", lit ? ramp::dusk(0) : ramp::grey(1), st);
    if (lit) glow(img, box.x + box.w * 0.5, box.y + box.h * 0.5, box.w * 0.75, box.h + 4, ramp::lamp, 0.7);
}

Sheet taxi_frames(bool right) {
    CarDesign s = taxi();
    Extra stand = hazards(s);
    return car_frames(
        s, right, true, {}, [s](const View& vw, const Pose&, const Image&) { taxi_sign(vw, s, false); },
        [s, stand](const View& vw, const Pose& pose, const Image& b) {
            taxi_sign(vw, s, true);
            stand(vw, pose, b);
        });
}

// ---- 86 / 91: a green estate car ---------------------------------------------

CarDesign estate() {
    CarDesign s = make_car(estate_shape(), 240, 81, 72, {ramp::paint_green, 3.0});
    s.wheel = {Hub::Cap, 4, 0.6, ramp::chrome, 3.0};
    return s;
}

void roof_rails(const View& vw, const CarDesign& s) {
    double roof = s.lines.roof;
    chrome_bar(vw, s.len * 0.1, roof - 2, s.len * 0.56, roof);
    for (double u : {s.len * 0.12, s.len * 0.33, s.len * 0.54}) chrome_bar(vw, u - 1.5, roof - 2, u + 1.5, roof + 1);
}

// ---- 87 / 98: the small round car ---------------------------------------------

CarDesign round_car(Paint p) {
    CarDesign s = make_car(round_shape(), 168, 80, 70, p);
    const double g = s.ht - 1, H = 70, L = s.len;
    auto V = [&](double f) { return g - f * H; };
    auto U = [&](double f) { return f * L; };
    // one curve from the rear bumper over the roof to the windscreen
    s.body = {{U(0.01), V(0.13)}, {0, V(0.42)},     {U(0.07), V(0.74)}, {U(0.3), V(1.0)},
              {U(0.56), V(0.98)}, {U(0.70), V(0.57)}, {U(0.93), V(0.50)}, {L, V(0.30)},
              {L - 1, V(0.13)}};
    s.radii = {3, 12, 22, 30, 14, 6, 14, 7, 3};
    s.lines = {V(1.0), V(0.57), V(0.43), V(0.19)};
    s.windows.clear();
    Window rear, door;
    rear.pts = rounded({{U(0.13), V(0.59)}, {U(0.19), V(0.78)}, {U(0.29), V(0.89)}, {U(0.36), V(0.9)}, {U(0.36), V(0.59)}},
                       {0, 6, 6, 2, 0}, 4);
    door.pts = rounded({{U(0.40), V(0.59)}, {U(0.40), V(0.9)}, {U(0.53), V(0.9)}, {U(0.655), V(0.59)}}, {0, 3, 6, 0}, 4);
    s.windows = {rear, door};
    s.black_parts.clear();
    s.gaps = {{{U(0.38), V(0.92)}, {U(0.38), V(0.19)}},
              {{U(0.685), V(0.56)}, {U(0.67), V(0.19)}},
              {{U(0.0), V(0.19)}, {L, V(0.19)}}};
    s.handles = {{U(0.43), V(0.53)}};
    s.occupants = {{U(0.52), V(0.86), 11}};
    s.belt_trim_u0 = U(0.13);
    s.belt_trim_u1 = U(0.66);
    s.mirror = {U(0.65), V(0.60)};
    s.wheel_r = 17;
    s.wheels = {U(0.2), U(0.8)};
    s.wheel = {Hub::Cap, 3, 0.6, ramp::chrome, 3.8};
    s.chrome = true;
    s.rub_v = -1;
    s.head = {L - 7, V(0.47), L, V(0.36)};
    s.blinker = {L - 6, V(0.35), L - 1, V(0.31)};
    s.tail = {0, V(0.45), 5, V(0.33)};
    s.rear_bumper = {0, V(0.26), U(0.07), V(0.19)};
    s.front_bumper = {L - U(0.07), V(0.26), L, V(0.19)};
    return s;
}

// ---- 92: a red coupe, fast ------------------------------------------------------

CarDesign coupe() {
    CarDesign s = make_car(coupe_shape(), 264, 85, 70, {ramp::paint_red, 3.0});
    s.wheel = {Hub::Alloy, 6, 0.66, ramp::chrome, 3.4};
    return s;
}

void spoiler(const View& vw, const CarDesign& s) {
    double deck = s.lines.belt - 4;
    std::vector<Pt> p = {{2, deck - 1}, {4, deck - 5}, {26, deck - 5}, {24, deck - 2}, {20, deck}};
    paint_panel(vw, p, ramp::grey, 1.6, 0.8);
}

// ---- 96: a silver hatchback -------------------------------------------------------

CarDesign hatch() {
    CarDesign s = make_car(hatch_shape(), 216, 85, 76, {ramp::chrome, 3.0});
    s.wheel = {Hub::Cap, 7, 0.62, ramp::grey, 5.2};
    return s;
}

// ---- 88: the small car built from body, wheels and driver -------------------

constexpr int k88W = 216, k88H = 82;
constexpr int k88BodyY[4] = {1, 162, 245, 328};
constexpr int k88WheelY[2] = {84, 123};
constexpr int k88WheelTop = 45, k88WheelRows = 38;
constexpr int k88HeadX = 217, k88HeadW = 24, k88HeadH = 18;
constexpr int k88HeadY[6] = {0, 19, 38, 57, 76, 94};

CarDesign small88(Paint p) {
    Shape sh = hatch_shape();
    sh.belt = 0.66;
    sh.crease = 0.5;
    sh.rw_base = 0.03;
    sh.roof_rear = 0.1;
    sh.roof_front = 0.62;
    sh.ws_base = 0.77;
    sh.tail_top = 0.6;
    sh.pillars = {0.44};
    sh.doors = 2;
    sh.wheel_rear = 0.17;
    sh.wheel_front = 0.82;
    sh.wheel_r = 16.0 / 77;
    sh.bonnet = 0.55;
    CarDesign s = make_car(sh, k88W, k88H, 77, p);
    s.occupants.clear();  // the driver is a picture of its own
    s.wheel = {Hub::Steel, 4, 0.6, ramp::grey, 5.0};
    return s;
}

Image sheet88() {
    Image sheet(248, 411);
    const Paint paints[4] = {{ramp::paint_red, 3.0}, {ramp::paint_blue, 3.0}, {ramp::paint_yellow, 3.0},
                             {ramp::paint_green, 3.0}};
    auto render = [&](const Paint& p, int wheel) {
        Image f(k88W, k88H);
        paint_car(View{&f, 0, 0, k88W, k88H, false}, small88(p), {wheel, false, 0});
        return f;
    };
    for (int c = 0; c < 4; ++c) sheet.paste(render(paints[c], 0), 0, k88BodyY[c], false);
    // Wheel overlays: only the discs, so the body shows round them.
    const CarDesign s = small88(paints[0]);
    for (int k = 1; k <= 2; ++k) {
        Image f = render(paints[0], k);
        Image over(k88W, k88WheelRows);
        for (int r = 0; r < k88WheelRows; ++r)
            for (int x = 0; x < k88W; ++x) {
                int y = k88WheelTop + r;
                for (double u : s.wheels) {
                    double cx = k88W - u, cy = k88H - s.wheel_r;
                    if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= s.wheel_r) over.set(x, r, f.get(x, y));
                }
            }
        sheet.paste(over, 0, k88WheelY[k - 1], false);
    }
    const Driver drivers[2] = {{3, ramp::hair, 1, false, false, ramp::cloth_beige, false},
                               {5, ramp::hair, 5, true, false, ramp::cloth_red, false}};
    const int poses[3] = {0, 1, 2};
    for (int set = 0; set < 2; ++set)
        for (int i = 0; i < 3; ++i)
            paint_driver(sheet, k88HeadX, k88HeadY[set * 3 + i], k88HeadW, k88HeadH, drivers[set], poses[i], false);
    return sheet;
}

}  // namespace

void add_car_sheets(std::vector<Picture>& out) {
    const CarDesign s82 = saloon82();
    add(out, "FIG82_T00", strip(800, 85, 3, 264, 85, car_frames(s82, false, false)));

    add(out, "FIG80_N00", strip(1808, 76, 5, 360, 76, taxi_frames(false)));
    add(out, "FIG90_N00", strip(1088, 76, 3, 360, 76, taxi_frames(true)));

    const CarDesign s86 = estate();
    Extra rails = [s86](const View& vw, const Pose&, const Image&) { roof_rails(vw, s86); };
    add(out, "FIG86_T00", strip(728, 81, 3, 240, 81, car_frames(s86, false, false, {}, rails)));
    add(out, "FIG86_N00", strip(1688, 81, 5, 336, 81, car_frames(s86, false, true, {}, rails, hazards(s86))));
    add(out, "FIG91_N00", strip(1016, 81, 3, 336, 81, car_frames(s86, true, true, {}, rails)));

    const CarDesign s87 = round_car({ramp::grey_green, 3.4});
    add(out, "FIG87_T00", strip(512, 80, 3, 168, 80, car_frames(s87, false, false)));
    add(out, "FIG87_N00", strip(800, 80, 3, 264, 80, car_frames(s87, false, true)));
    const CarDesign s98 = round_car({ramp::orange, 2.6});
    add(out, "FIG98_T00", strip(512, 80, 3, 168, 80, car_frames(s98, true, false)));
    add(out, "FIG98_N00", strip(800, 80, 3, 264, 80, car_frames(s98, true, true)));

    const CarDesign s92 = coupe();
    add(out, "FIG92_T00", strip(800, 85, 3, 264, 85, car_frames(s92, true, false, {}, [s92](const View& vw, const Pose&, const Image&) {
                                    spoiler(vw, s92);
                                })));
    add(out, "FIG88_T00", sheet88());

    const CarDesign s96 = hatch();
    add(out, "FIG96_T00", strip(656, 85, 3, 216, 85, car_frames(s96, true, false)));
}

}  // namespace art::vehicles
