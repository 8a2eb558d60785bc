// Tests of the vehicle and bus sheets: the promises the pictures make to the
// scripts that cut frames out of them (sizes, frame rectangles, the ground
// row, transparent bus windows, wheels that turn) and to the eye (night
// pictures darker, beams in front, faces seen through glass).
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "catalogue.h"
#include "core/draw.h"
#include "figures/figures.h"

using namespace art;

#include "check.h"

namespace {

struct SheetDef {
    const char* name;
    int w, h;
    int frames, fw;  // frames side by side, frame i at i * (fw + 1); 0 for the composite sheets
    int dir;         // -1 drives to the left (far lane), +1 to the right
};

// The catalogue's sizes and the scripts' frame tables.
const SheetDef kSheets[] = {
    {"FIG80_N00", 1808, 76, 5, 360, -1}, {"FIG81_T00", 800, 134, 3, 264, -1}, {"FIG82_T00", 800, 85, 3, 264, -1},
    {"FIG83_T00", 728, 150, 3, 240, -1}, {"FIG84_T00", 728, 113, 3, 240, -1}, {"FIG85_T00", 656, 95, 3, 216, -1},
    {"FIG86_N00", 1688, 81, 5, 336, -1}, {"FIG86_T00", 728, 81, 3, 240, -1},  {"FIG87_N00", 800, 80, 3, 264, -1},
    {"FIG87_T00", 512, 80, 3, 168, -1},  {"FIG88_T00", 248, 411, 0, 0, -1},   {"FIG89_T00", 328, 204, 0, 0, 1},
    {"FIG90_N00", 1088, 76, 3, 360, 1},  {"FIG91_N00", 1016, 81, 3, 336, 1},  {"FIG92_T00", 800, 85, 3, 264, 1},
    {"FIG93_T00", 944, 114, 3, 312, 1},  {"FIG94_T00", 1328, 137, 3, 440, 1}, {"FIG95_T00", 728, 161, 3, 240, 1},
    {"FIG96_T00", 656, 85, 3, 216, 1},   {"FIG97_T00", 488, 77, 3, 160, 1},   {"FIG98_N00", 800, 80, 3, 264, 1},
    {"FIG98_T00", 512, 80, 3, 168, 1},   {"FIG99_T00", 800, 118, 3, 264, 1},
};

// Frame tables of the two composite vehicles.
const std::vector<Rect> k88Frames = {
    {0, 1, 216, 82},    {0, 162, 216, 82},  {0, 245, 216, 82},  {0, 328, 216, 82},  // bodies
    {0, 84, 216, 38},   {0, 123, 216, 38},                                          // wheel overlays
    {217, 0, 24, 18},   {217, 19, 24, 18},  {217, 38, 24, 18},                      // heads, first set
    {217, 57, 24, 18},  {217, 76, 24, 18},  {217, 94, 24, 18},                      // heads, second set
};

std::vector<Rect> frames89() {
    std::vector<Rect> f = {{0, 0, 240, 76}, {0, 78, 240, 38}, {0, 117, 240, 39}, {0, 157, 240, 39}};
    for (int i = 0; i < 8; ++i) f.push_back({241, 24 * i, 40, 23});
    for (int i = 0; i < 8; ++i) f.push_back({282, 24 * i, 40, 23});
    return f;
}

std::vector<Rect> frames_of(const SheetDef& d) {
    if (std::string(d.name) == "FIG88_T00") return k88Frames;
    if (std::string(d.name) == "FIG89_T00") return frames89();
    std::vector<Rect> f;
    for (int i = 0; i < d.frames; ++i) f.push_back({i * (d.fw + 1), 0, d.fw, d.h});
    return f;
}

int opaque_in(const Image& img, const Rect& r) {
    int n = 0;
    for (int y = r.y; y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x) n += img.get(x, y) != KEY;
    return n;
}

int differing(const Image& a, const Rect& ra, const Image& b, const Rect& rb) {
    int n = 0;
    for (int y = 0; y < ra.h; ++y)
        for (int x = 0; x < ra.w; ++x) n += a.get(ra.x + x, ra.y + y) != b.get(rb.x + x, rb.y + y);
    return n;
}

double luminance(const Image& img, const Rect& r) {
    const auto& pal = palette();
    double sum = 0;
    int n = 0;
    for (int y = r.y; y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x) {
            uint8_t c = img.get(x, y);
            if (c == KEY) continue;
            sum += 0.3 * pal[c].r + 0.59 * pal[c].g + 0.11 * pal[c].b;
            ++n;
        }
    return n ? sum / n : 0;
}

bool is_glass(uint8_t c) { return ramp::glass.holds(c); }

struct Sheets {
    std::map<std::string, const Picture*> by;
    const Image& operator[](const std::string& n) const { return by.at(n)->img; }
    bool has(const std::string& n) const { return by.count(n) != 0; }
};

void catalogue_cases(const std::vector<Picture>& pics, const Sheets& s) {
    g_case = "catalogue";
    for (const SheetDef& d : kSheets) {
        CHECK(s.has(d.name));
        if (!s.has(d.name)) continue;
        CHECK(s[d.name].w == d.w && s[d.name].h == d.h);
    }
    for (int night = 0; night <= 1; ++night)
        for (int v = 0; v < 3; ++v)
            for (int c = 1; c <= 3; ++c) {
                char name[32];
                std::snprintf(name, sizeof name, "FIG70_%c%02d_%02d", night ? 'N' : 'T', v, c);
                CHECK(s.has(name));
                if (s.has(name)) CHECK(s[name].w == (night ? 416 : 312) && s[name].h == 114);
            }
    // nothing else: 23 road-vehicle sheets and 18 bus pictures
    CHECK(pics.size() == 23 + 18);
    for (const Picture& p : pics) CHECK(p.format == BmpFormat::Rle8);
}

// Everything opaque lies inside a frame; every frame has a figure in it.
void frame_cases(const Sheets& s) {
    for (const SheetDef& d : kSheets) {
        g_case = std::string("frames ") + d.name;
        if (!s.has(d.name)) continue;
        const Image& img = s[d.name];
        std::vector<Rect> fr = frames_of(d);
        int outside = 0, garish = 0;
        for (int y = 0; y < img.h; ++y)
            for (int x = 0; x < img.w; ++x) {
                uint8_t c = img.get(x, y);
                if (c == KEY) continue;
                // the system's loud colours never appear: an edge fading
                // towards the key would show up as them or as pink
                if (c >= 249 || (c >= 1 && c <= 6)) ++garish;
                bool in = false;
                for (const Rect& r : fr) in = in || r.contains(x, y);
                if (!in) ++outside;
            }
        CHECK(outside == 0);
        CHECK(garish == 0);
        for (const Rect& r : fr) CHECK(opaque_in(img, r) > r.w * r.h / 10);
        if (d.frames == 0) continue;
        for (const Rect& r : fr) {
            // stands on the bottom row of its frame; nothing pokes through the top
            CHECK(opaque_in(img, {r.x, r.bottom() - 1, r.w, 1}) > 0);
            CHECK(opaque_in(img, {r.x, r.y + r.h - 6, r.w, 6}) > r.w / 4);
        }
    }
}

// Consecutive driving frames differ, and they differ down where the wheels
// are; the third frame leads back to the first.
void wheel_cases(const Sheets& s) {
    for (const SheetDef& d : kSheets) {
        g_case = std::string("wheels ") + d.name;
        if (!s.has(d.name) || d.frames == 0) continue;
        const Image& img = s[d.name];
        for (int i = 0; i < 3; ++i) {
            Rect a{i * (d.fw + 1), 0, d.fw, d.h}, b{((i + 1) % 3) * (d.fw + 1), 0, d.fw, d.h};
            int low = d.h * 55 / 100;
            Rect la{a.x, low, a.w, d.h - low}, lb{b.x, low, b.w, d.h - low};
            CHECK(differing(img, la, img, lb) > 40);
        }
    }
}

// A vehicle with day and night sheets: same figure, darker at night, the
// beam out in front, the body standing at the back of the wider frame.
void night_cases(const Sheets& s) {
    struct Pair {
        const char* day;
        const char* night;
        int dw, nw, dir;
    };
    const Pair pairs[] = {{"FIG86_T00", "FIG86_N00", 240, 336, -1},
                          {"FIG87_T00", "FIG87_N00", 168, 264, -1},
                          {"FIG98_T00", "FIG98_N00", 168, 264, 1}};
    for (const Pair& p : pairs) {
        g_case = std::string("night ") + p.night;
        const Image& day = s[p.day];
        const Image& night = s[p.night];
        int extra = p.nw - p.dw;
        Rect body_n = p.dir < 0 ? Rect{extra, 0, p.dw, night.h} : Rect{0, 0, p.dw, night.h};
        Rect body_d{0, 0, p.dw, day.h};
        CHECK(luminance(night, body_n) < luminance(day, body_d) * 0.6);
        // the same silhouette: opaque where the day car is opaque
        int mismatch = 0;
        for (int y = 0; y < day.h - 3; ++y)
            for (int x = 0; x < p.dw; ++x)
                mismatch += (day.get(x, y) != KEY) != (night.get(body_n.x + x, y) != KEY);
        CHECK(mismatch < p.dw * day.h / 50);
    }
    // Every night sheet throws lamp light forward into the room in front.
    struct Beam {
        const char* name;
        int fw, len, dir;
    };
    const Beam beams[] = {{"FIG80_N00", 360, 264, -1}, {"FIG86_N00", 336, 240, -1}, {"FIG87_N00", 264, 168, -1},
                          {"FIG90_N00", 360, 264, 1},  {"FIG91_N00", 336, 240, 1},  {"FIG98_N00", 264, 168, 1}};
    for (const Beam& b : beams) {
        g_case = std::string("beam ") + b.name;
        const Image& img = s[b.name];
        int room = b.fw - b.len;
        Rect front = b.dir < 0 ? Rect{0, 0, room - 4, img.h} : Rect{b.len + 4, 0, room - 4, img.h};
        Rect back = b.dir < 0 ? Rect{b.fw - 10, 0, 10, img.h} : Rect{0, 0, 10, img.h};
        int lamp_front = 0, lamp_back = 0;
        for (int y = 0; y < img.h; ++y) {
            for (int x = front.x; x < front.right(); ++x) lamp_front += ramp::lamp.holds(img.get(x, y));
            for (int x = back.x; x < back.right(); ++x) lamp_back += ramp::lamp.holds(img.get(x, y));
        }
        CHECK(lamp_front > 150);
        CHECK(lamp_back < 10);
        // The beam is screen-door dithered: the street shows between its pixels.
        CHECK(opaque_in(img, front) < front.w * front.h / 2);
    }
    // The halting cars' standing frames: hazard lights on in one, off in the other.
    for (const char* n : {"FIG80_N00", "FIG86_N00"}) {
        g_case = std::string("standing ") + n;
        const Image& img = s[n];
        int fw = std::string(n) == "FIG80_N00" ? 360 : 336;
        Rect f3{3 * (fw + 1), 0, fw, img.h}, f4{4 * (fw + 1), 0, fw, img.h};
        CHECK(differing(img, f3, img, f4) > 10);
        int orange3 = 0, orange4 = 0;
        for (int y = 0; y < img.h; ++y)
            for (int x = 0; x < fw; ++x) {
                orange3 += ramp::orange.holds(img.get(f3.x + x, y));
                orange4 += ramp::orange.holds(img.get(f4.x + x, y));
            }
        CHECK(orange3 > orange4 + 10);
    }
}

// The composite vehicles: the driver's picture lands on glass, the wheel
// overlays cover only the wheels, the van's lower parts keep the wheels on
// the ground while the body bobs.
void composite_cases(const Sheets& s) {
    g_case = "composite 88";
    const Image& a = s["FIG88_T00"];
    for (int c = 0; c < 4; ++c) {
        const Rect& body = k88Frames[c];
        Rect head{body.x + 89, body.y + 11, 24, 18};
        int glass = 0;
        for (int y = head.y; y < head.bottom(); ++y)
            for (int x = head.x; x < head.right(); ++x) glass += is_glass(a.get(x, y));
        CHECK(glass > head.w * head.h * 8 / 10);
    }
    for (int k = 4; k <= 5; ++k) {
        const Rect& o = k88Frames[k];
        // overlay pixels sit on opaque body pixels at (x, y + 45), and they turn
        int floating = 0;
        for (int y = 0; y < o.h; ++y)
            for (int x = 0; x < o.w; ++x)
                if (a.get(o.x + x, o.y + y) != KEY && a.get(x, 1 + 45 + y) == KEY) ++floating;
        CHECK(floating == 0);
        CHECK(differing(a, o, a, {0, 1 + 45, 216, 38}) > 60);
        CHECK(opaque_in(a, o) < o.w * o.h / 2);
    }
    for (int k = 6; k < 12; ++k) {
        const Rect& h = k88Frames[k];
        int skin = 0;
        for (int y = h.y; y < h.bottom(); ++y)
            for (int x = h.x; x < h.right(); ++x) skin += ramp::skin.holds(a.get(x, y));
        CHECK(skin > 20);
        CHECK(a.get(h.x, h.y) == KEY && a.get(h.right() - 1, h.y) == KEY);
    }

    g_case = "composite 89";
    const Image& b = s["FIG89_T00"];
    std::vector<Rect> f = frames89();
    Rect head{160, 17, 40, 23};
    int glass = 0;
    for (int y = head.y; y < head.bottom(); ++y)
        for (int x = head.x; x < head.right(); ++x) glass += is_glass(b.get(x, y));
    CHECK(glass > head.w * head.h * 8 / 10);
    // the tyres touch the last row of every lower part: one row further down
    // from the top in the two taller pictures drawn while the body is raised
    auto tyre_row = [&](const Rect& r) {
        for (int y = r.bottom() - 1; y >= r.y; --y)
            if (opaque_in(b, {r.x + 30, y, 40, 1}) > 0) return y - r.y;
        return -1;
    };
    CHECK(tyre_row(f[1]) == 37);
    CHECK(tyre_row(f[2]) == 38);
    CHECK(tyre_row(f[3]) == 38);
    CHECK(differing(b, {0, 117, 240, 39}, b, {0, 157, 240, 39}) > 60);
    for (int k = 4; k < 20; ++k) CHECK(b.get(f[k].x, f[k].y) == KEY);
    // eight poses of one driver are all different pictures
    for (int k = 4; k < 11; ++k) CHECK(differing(b, f[k], b, f[k + 1]) > 0);
}

// The bus: windows open to the street, a frame of body round them, the three
// variants the same bus with the wheels turned.
void bus_cases(const Sheets& s) {
    for (int night = 0; night <= 1; ++night)
        for (int c = 1; c <= 3; ++c) {
            char n0[32];
            std::snprintf(n0, sizeof n0, "FIG70_%c00_%02d", night ? 'N' : 'T', c);
            g_case = n0;
            const Image& img = s[n0];
            int wx = night ? 161 : 62, body_x0 = night ? 99 : 0;
            for (int i = 0; i < 6; ++i) {
                Rect w{wx + 37 * i, 25, 32, 26};
                CHECK(opaque_in(img, w) == 0);
                CHECK(opaque_in(img, {w.x - 1, w.y - 1, w.w + 2, 1}) == w.w + 2);
                CHECK(opaque_in(img, {w.x - 1, w.bottom(), w.w + 2, 1}) == w.w + 2);
                CHECK(opaque_in(img, {w.x - 1, w.y, 1, w.h}) == w.h);
                CHECK(opaque_in(img, {w.right(), w.y, 1, w.h}) == w.h);
            }
            // the only holes in the body are the six windows
            int holes = 0;
            for (int y = 14; y < 100; ++y)
                for (int x = body_x0 + 3; x < body_x0 + 309; ++x) {
                    bool in_window = false;
                    for (int i = 0; i < 6; ++i) in_window = in_window || Rect{wx + 37 * i, 25, 32, 26}.contains(x, y);
                    if (!in_window && img.get(x, y) == KEY) ++holes;
                }
            CHECK(holes == 0);
            // wheels on the bottom row, under the body
            CHECK(opaque_in(img, {body_x0, 113, 312, 1}) > 0);
            CHECK(luminance(img, {body_x0, 0, 312, 114}) > 0);
            // the variants: same bus, wheels turned, nothing else changed
            for (int v = 1; v < 3; ++v) {
                char nv[32];
                std::snprintf(nv, sizeof nv, "FIG70_%c%02d_%02d", night ? 'N' : 'T', v, c);
                const Image& o = s[nv];
                Rect all{0, 0, img.w, img.h};
                Rect upper{0, 0, img.w, 70};
                CHECK(differing(img, all, o, all) > 60);
                CHECK(differing(img, upper, o, upper) == 0);
            }
            if (night) {
                // the beam lies in front, to the left of the body
                int lamp = 0;
                for (int y = 0; y < 114; ++y)
                    for (int x = 0; x < 95; ++x) lamp += ramp::lamp.holds(img.get(x, y));
                CHECK(lamp > 150);
            }
        }
    // liveries differ; night is darker than day
    g_case = "bus liveries";
    Rect all{0, 0, 312, 114};
    CHECK(differing(s["FIG70_T00_01"], all, s["FIG70_T00_02"], all) > 3000);
    CHECK(differing(s["FIG70_T00_02"], all, s["FIG70_T00_03"], all) > 3000);
    CHECK(luminance(s["FIG70_N00_01"], {99, 0, 312, 114}) < luminance(s["FIG70_T00_01"], all) * 0.6);
}

void determinism_case(const std::vector<Picture>& pics) {
    g_case = "determinism";
    std::vector<Picture> again;
    figures::add_vehicle_sheets(again);
    CHECK(again.size() == pics.size());
    for (size_t i = 0; i < again.size() && i < pics.size(); ++i) {
        CHECK(again[i].name == pics[i].name);
        CHECK(again[i].img.px == pics[i].img.px);
    }
}

}  // namespace

int main() {
    std::vector<Picture> pics;
    figures::add_vehicle_sheets(pics);
    Sheets s;
    for (const Picture& p : pics) s.by[p.name] = &p;
    catalogue_cases(pics, s);
    frame_cases(s);
    wheel_cases(s);
    night_cases(s);
    composite_cases(s);
    bus_cases(s);
    determinism_case(pics);
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
