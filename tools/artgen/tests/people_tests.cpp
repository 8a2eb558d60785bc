// Tests of the persons: the cast table, the posable person, the bus-window
// faces and the sheets of figures 1 to 9. The frame tables below are typed
// in again from the figure scripts, independently of the painter's own.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "catalogue.h"
#include "core/bmp.h"
#include "core/draw.h"
#include "figures/cast.h"
#include "figures/figures.h"
#include "figures/person.h"

using namespace art;
using namespace art::figures;

#include "check.h"
#include "stage_rows.h"

struct Frame {
    int x, y, w, h;
};

struct SheetWant {
    std::string name;
    int w, h;
    std::vector<Frame> frames;
};

static std::vector<Frame> row(std::vector<std::pair<int, int>> xw, int h) {
    std::vector<Frame> f;
    for (auto& e : xw) f.push_back({e.first, 0, e.second, h});
    return f;
}

static std::vector<SheetWant> wanted_sheets() {
    std::vector<SheetWant> s;
    s.push_back({"FIG01_T00", 432, 72, row({{0, 56}, {57, 56}, {114, 48}, {163, 40}, {204, 56}, {261, 56}, {318, 56}, {375, 56}}, 72)});
    s.push_back({"FIG02_T00", 2392, 74,
                 row({{0, 88},     {89, 96},    {186, 104},  {291, 112},  {404, 120},  {525, 120},  {646, 120},
                      {767, 120},  {888, 120},  {1009, 120}, {1130, 120}, {1251, 120}, {1372, 120}, {1493, 120},
                      {1614, 120}, {1735, 120}, {1856, 120}, {1977, 120}, {2106, 128}, {2243, 136}},
                     74)});
    std::vector<std::pair<int, int>> f3 = {{0, 40}, {41, 48}, {90, 48}, {139, 56}};
    for (int x : {196, 237, 286, 335, 376, 417, 466, 507, 548, 589, 630, 671, 712, 753, 794, 835, 876, 917, 958, 999}) f3.push_back({x, 40});
    for (auto e : std::vector<std::pair<int, int>>{{1040, 48}, {1089, 56}, {1146, 48}, {1195, 48}, {1244, 40}}) f3.push_back(e);
    s.push_back({"FIG03_T00", 1288, 76, row(f3, 76)});
    s.push_back({"FIG03_N00", 1288, 76, row(f3, 76)});
    auto f4 = row({{0, 128}, {129, 128}, {258, 136}, {395, 136}, {532, 136}, {669, 128}, {798, 128}, {927, 120}, {1048, 136}}, 84);
    s.push_back({"FIG04_T00", 1192, 84, f4});
    s.push_back({"FIG04_T01", 1192, 84, f4});
    s.push_back({"FIG05_T00", 656, 71,
                 {{0, 0, 32, 69}, {33, 0, 40, 69}, {74, 0, 48, 69}, {123, 0, 56, 69}, {180, 0, 48, 71},
                  {229, 0, 48, 71}, {278, 0, 48, 71}, {327, 0, 48, 71}, {376, 0, 48, 71}, {425, 0, 8, 71}}});
    auto f6 = row({{0, 40}, {41, 40}, {82, 48}, {131, 48}, {180, 128}, {309, 128}, {438, 128}, {567, 128}, {696, 88},
                   {785, 88}, {874, 88}, {963, 88}, {1052, 128}, {1181, 48}, {1230, 48}, {1279, 48}, {1328, 48}},
                  115);
    s.push_back({"FIG06_T00", 1376, 115, f6});
    s.push_back({"FIG06_T01", 1376, 115, f6});
    s.push_back({"FIG07_T00", 656, 77, row({{0, 56}, {57, 56}, {114, 56}, {171, 56}}, 77)});
    s.push_back({"FIG08_T00", 688, 82, row({{0, 64}, {65, 64}, {130, 56}, {187, 56}, {244, 88}, {333, 88}, {422, 88}, {511, 88}, {600, 88}}, 82)});
    auto f9 = row({{0, 64},   {65, 64},  {130, 56}, {187, 56}, {244, 56}, {301, 56}, {358, 56}, {415, 48},
                   {464, 56}, {521, 56}, {578, 56}, {635, 56}, {692, 72}, {765, 72}, {838, 72}},
                  70);
    f9.push_back({911, 0, 32, 18});
    s.push_back({"FIG09_T00", 944, 70, f9});
    return s;
}

static int lowest_opaque_row(const Image& img, const Frame& f) {
    for (int y = f.y + f.h - 1; y >= f.y; --y)
        for (int x = f.x; x < f.x + f.w; ++x)
            if (img.get(x, y) != KEY) return y;
    return -1;
}

static bool column_clear(const Image& img, const Frame& f, int x) {
    for (int y = f.y; y < f.y + f.h; ++y)
        if (img.get(x, y) != KEY) return false;
    return true;
}

// Frames of figure 6 that show the telephone booth: 4 to 12.
static bool booth_frame(const std::string& sheet, int k) { return sheet.rfind("FIG06", 0) == 0 && k >= 4 && k <= 12; }
// Frames that hold litter rather than a figure.
static bool litter_frame(const std::string& sheet, int k) {
    return (sheet == "FIG05_T00" && k == 9) || (sheet == "FIG09_T00" && k == 15);
}

static void sheet_cases(const std::vector<Picture>& pics) {
    for (const SheetWant& w : wanted_sheets()) {
        g_case = w.name + " size and frames";
        const Picture* p = find(pics, w.name);
        CHECK(p != nullptr);
        if (!p) continue;
        CHECK(p->img.w == w.w && p->img.h == w.h);
        CHECK(p->format == BmpFormat::Rle8);

        // Nothing opaque outside the frame rectangles, and every frame has content.
        Image inside(p->img.w, p->img.h, 0);
        for (const Frame& f : w.frames) fill_rect(inside, {f.x, f.y, f.w, f.h}, uint8_t(1));
        int stray = 0;
        for (int y = 0; y < p->img.h; ++y)
            for (int x = 0; x < p->img.w; ++x)
                if (inside.get(x, y) == 0 && p->img.get(x, y) != KEY) ++stray;
        CHECK(stray == 0);

        for (size_t k = 0; k < w.frames.size(); ++k) {
            const Frame& f = w.frames[k];
            g_case = w.name + " frame " + std::to_string(k);
            int low = lowest_opaque_row(p->img, f);
            CHECK(low >= 0);
            const bool booth = booth_frame(w.name, int(k));
            // The figure stands on the row where its script puts its ground.
            // Frames are drawn from their top at the script's y, so that row
            // counts from the frame's top: the last row where all frames are
            // as high as the sheet; row 68 for figure 5, whose walk is 69
            // rows high and whose rest is 71 (the can he drops lies there too).
            // Callers inside the street's booth stand on its floor, which is
            // the row above the booth's base (picture row 452; the frame's top
            // is row 340). (With the door open, the swung-out door reaches the
            // pavement.)
            const int ground = w.name == "FIG05_T00" ? 68 : f.h - 1;
            bool inside_booth = w.name == "FIG06_T01" && k >= 8 && k <= 11;
            if (inside_booth) CHECK(low == f.y + (451 - 340));
            else CHECK(low == f.y + ground);
            // Figures are whole: their frames' side columns stay clear.
            if (!booth && !litter_frame(w.name, int(k))) {
                CHECK(column_clear(p->img, f, f.x));
                CHECK(column_clear(p->img, f, f.x + f.w - 1));
            }
            // No loud system colours in the painting (they would only come
            // from blending towards the key).
            int loud = 0;
            for (int y = f.y; y < f.y + f.h; ++y)
                for (int x = f.x; x < f.x + f.w; ++x) {
                    uint8_t c = p->img.get(x, y);
                    if (c != KEY && ((c >= 1 && c <= 6) || (c >= 249 && c <= 254))) ++loud;
                }
            CHECK(loud == 0);
        }
    }
}

// Width covered by opaque pixels in the lowest rows of a frame: the feet.
static int foot_spread(const Image& img, const Frame& f, int rows) {
    int lo = 1 << 20, hi = -1;
    for (int y = f.y + f.h - rows; y < f.y + f.h; ++y)
        for (int x = f.x; x < f.x + f.w; ++x)
            if (img.get(x, y) != KEY) lo = std::min(lo, x), hi = std::max(hi, x);
    return hi < 0 ? 0 : hi - lo + 1;
}

static std::vector<Rect> rects(const std::vector<Frame>& fr) {
    std::vector<Rect> out;
    for (const Frame& f : fr) out.push_back({f.x, f.y, f.w, f.h});
    return out;
}

static void walk_cases(const std::vector<Picture>& pics) {
    // Walking runs: contact frames (0, 2) spread the feet further than the
    // passing frames (1, 3), and no two frames of a cycle are the same.
    struct Run {
        const char* sheet;
        int first;
    };
    const Run runs[] = {{"FIG01_T00", 0}, {"FIG02_T00", 0}, {"FIG03_T00", 0}, {"FIG03_T00", 25}, {"FIG05_T00", 0},
                        {"FIG06_T01", 0}, {"FIG06_T01", 13}, {"FIG07_T00", 0}, {"FIG08_T00", 0}, {"FIG09_T00", 0}};
    std::map<std::string, SheetWant> want;
    for (const SheetWant& w : wanted_sheets()) want[w.name] = w;
    for (const Run& r : runs) {
        g_case = std::string("walk cycle ") + r.sheet + " from " + std::to_string(r.first);
        const Picture* p = find(pics, r.sheet);
        CHECK(p != nullptr);
        if (!p) continue;
        const auto& fr = want[r.sheet].frames;
        // the frames of a run are drawn at one point: head and feet must not bob
        check_continuity(p->img, rects(fr), {walk_run(r.first, 0, 0, 0)}, g_case);
        g_case = std::string("walk cycle ") + r.sheet + " from " + std::to_string(r.first);
        int spread[4];
        std::vector<Image> crops;
        for (int k = 0; k < 4; ++k) {
            const Frame& f = fr[r.first + k];
            spread[k] = foot_spread(p->img, f, 3);
            crops.push_back(p->img.crop({f.x, f.y, std::min(f.w, fr[r.first].w), f.h}));
        }
        CHECK(spread[0] > spread[1] + 3);
        CHECK(spread[2] > spread[3] + 3);
        for (int a = 0; a < 4; ++a)
            for (int b = a + 1; b < 4; ++b) CHECK(crops[a].px != crops[b].px);
    }
}

static void face_cases(const std::vector<Picture>& pics) {
    g_case = "bus faces";
    std::set<std::vector<uint8_t>> distinct;
    for (int night = 0; night < 2; ++night)
        for (int id = 1; id <= 23; ++id) {
            char n[16];
            std::snprintf(n, sizeof n, night ? "BUS_NF%02d" : "BUS_TF%02d", id);
            g_case = n;
            const Picture* p = find(pics, n);
            CHECK(p != nullptr);
            if (!p) continue;
            CHECK(p->img.w == 32 && p->img.h == 26);
            CHECK(p->format == BmpFormat::Raw8);
            std::vector<uint8_t> bmp = bmp_bytes(p->img, p->format);
            // info header: 8 bits per pixel, BI_RGB (no compression)
            CHECK(bmp.size() > 54 && bmp[28] == 8 && bmp[30] == 0 && bmp[31] == 0);
            distinct.insert(p->img.px);
            // the window is filled: the interior behind the rider, no holes
            int keys = 0;
            for (uint8_t c : p->img.px) keys += c == KEY;
            CHECK(keys == 0);
        }
    g_case = "bus faces are all different people";
    CHECK(distinct.size() == 46);

    g_case = "night faces are darker than day faces";
    for (int id = 1; id <= 23; ++id) {
        char d[16], n[16];
        std::snprintf(d, sizeof d, "BUS_TF%02d", id);
        std::snprintf(n, sizeof n, "BUS_NF%02d", id);
        const Picture *pd = find(pics, d), *pn = find(pics, n);
        if (!pd || !pn) continue;
        double ld = 0, ln = 0;
        for (uint8_t c : pd->img.px) ld += luminance(c);
        for (uint8_t c : pn->img.px) ln += luminance(c);
        CHECK(ln < ld * 0.75);
    }
}

static bool contains(const Image& img, uint8_t c) {
    for (uint8_t p : img.px)
        if (p == c) return true;
    return false;
}

static void same_person_cases(const std::vector<Picture>& pics) {
    // A rider looks the same in the street and in the bus: the mid tones of
    // skin and (where no hat hides it) hair show in both pictures.
    for (int id = 1; id <= 9; ++id) {
        char sheet[16], face[16];
        std::snprintf(sheet, sizeof sheet, "FIG%02d_T00", id);
        std::snprintf(face, sizeof face, "BUS_TF%02d", id);
        g_case = std::string("same person ") + sheet + " / " + face;
        const Picture *ps = find(pics, sheet), *pf = find(pics, face);
        CHECK(ps && pf);
        if (!ps || !pf) continue;
        const Look& l = cast(id)->person[0];
        CHECK(contains(ps->img, skin_index(l)));
        CHECK(contains(pf->img, skin_index(l)));
        bool hair_shows = l.hat == Hat::None || l.hat == Hat::Cap || l.hat == Hat::FlatCap;
        if (hair_shows) {
            CHECK(contains(ps->img, hair_index(l)));
            CHECK(contains(pf->img, hair_index(l)));
        }
    }
}

static void night_cases(const std::vector<Picture>& pics) {
    g_case = "FIG03 night sheet is the day figure in lamp light";
    const Picture *d = find(pics, "FIG03_T00"), *n = find(pics, "FIG03_N00");
    CHECK(d && n);
    if (!d || !n) return;
    int same_mask = 1;
    double ld = 0, ln = 0, bd = 0, bn = 0;
    long count = 0;
    for (size_t i = 0; i < d->img.px.size(); ++i) {
        bool od = d->img.px[i] != KEY, on = n->img.px[i] != KEY;
        if (od != on) same_mask = 0;
        if (!od || !on) continue;
        Rgb cd = palette()[d->img.px[i]], cn = palette()[n->img.px[i]];
        ld += luminance(d->img.px[i]), ln += luminance(n->img.px[i]);
        bd += cd.b - (cd.r + cd.g) / 2.0, bn += cn.b - (cn.r + cn.g) / 2.0;
        ++count;
    }
    CHECK(same_mask == 1);
    CHECK(count > 1000);
    CHECK(ln < ld * 0.6);  // darker
    CHECK(bn > bd);        // cooler
}

// Height of the tallest frame a figure's sheets have (the catalogue's sheet
// heights; figure 50's frames are 85 high in both sheets).
static int tallest_frame(int id) {
    static const std::map<int, int> h = {
        {1, 72},  {2, 74},  {3, 76},  {4, 84},  {5, 71},  {6, 115}, {7, 77},  {8, 82},  {9, 70},  {11, 70},
        {12, 62}, {13, 78}, {14, 113}, {15, 74}, {16, 90}, {20, 76}, {21, 80}, {22, 86}, {23, 78}, {25, 82},
        {26, 132}, {27, 138}, {29, 83}, {30, 73}, {34, 77}, {37, 83}, {38, 103}, {40, 79}, {49, 76}, {50, 85},
        {53, 82}, {56, 82}, {57, 82}, {58, 85}, {59, 83}};
    auto it = h.find(id);
    return it == h.end() ? 1000 : it->second;
}

static void cast_cases() {
    g_case = "cast covers every person with pictures";
    const int with_sheets[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  11, 12, 13, 14, 15, 16, 20, 21, 22, 23, 24,
                               25, 26, 27, 29, 30, 34, 37, 38, 40, 49, 50, 53, 56, 57, 58, 59};
    for (int id : with_sheets) {
        const CastEntry* e = cast(id);
        CHECK(e != nullptr);
        if (e) CHECK(e->sheets);
    }
    for (int id = 1; id <= 23; ++id) CHECK(cast(id) != nullptr);  // every bus face
    for (int id : {10, 17, 18, 19}) CHECK(cast(id) && !cast(id)->sheets);
    CHECK(cast(28) == nullptr && cast(60) == nullptr);
    int n = 0;
    const int* ids = cast_ids(&n);
    CHECK(n == 40);
    for (int i = 1; i < n; ++i) CHECK(ids[i] > ids[i - 1]);

    g_case = "cast heights";
    for (int i = 0; i < n; ++i) {
        const CastEntry* e = cast(ids[i]);
        for (int k = 0; k < e->count; ++k) {
            const Look& l = e->person[k];
            if (l.age == Age::Child) CHECK(l.height >= 48 && l.height < 66);
            else if (l.age == Age::Teen) CHECK(l.height >= 62 && l.height <= 76);
            else CHECK((l.height >= 70 && l.height <= 85) || (ids[i] == 12 && l.height <= 62));  // figure 12's sheet is 62 high
            CHECK(l.height <= tallest_frame(ids[i]));
        }
    }
}

static void posing_cases() {
    // Whatever the pose, the painted figure's lowest row is the ground row
    // and its top is about its height above it.
    g_case = "poses stand on the ground";
    const Look& man = cast(1)->person[0];
    const Look& girl = cast(30)->person[0];
    std::vector<Pose> poses;
    for (int k = 0; k < 4; ++k) poses.push_back(walk_pose(k, k < 2 ? 1 : -1, 15, 74));
    poses.push_back(stand_pose(1));
    poses.push_back(front_pose());
    poses.push_back(sit_pose(-1));
    poses.push_back(turn_pose(1, -1));
    { Pose p = front_pose(); p.view = View::Back; poses.push_back(p); }
    for (const Look* l : {&man, &girl})
        for (const Pose& p : poses) {
            Image img(120, 140);
            paint_person(img, *l, p, 60, 130);
            int low = -1, top = -1;
            for (int y = 0; y < img.h && top < 0; ++y)
                for (int x = 0; x < img.w; ++x)
                    if (img.get(x, y) != KEY) { top = y; break; }
            for (int y = img.h - 1; y >= 0 && low < 0; --y)
                for (int x = 0; x < img.w; ++x)
                    if (img.get(x, y) != KEY) { low = y; break; }
            CHECK(low == 130);
            if (p.leg[0].swing < 60) CHECK(std::abs((low - top + 1) - l->height) <= 5);
        }

    g_case = "light from the upper left";
    {
        // a plain front-facing figure is lighter on its left half than on its right
        Image img(100, 100);
        paint_person(img, man, front_pose(), 50, 95);
        double left = 0, right = 0;
        int nl = 0, nr = 0;
        for (int y = 40; y < 70; ++y)
            for (int x = 0; x < 100; ++x) {
                uint8_t c = img.get(x, y);
                if (c == KEY) continue;
                if (x < 50) left += luminance(c), ++nl;
                else right += luminance(c), ++nr;
            }
        CHECK(nl > 50 && nr > 50);
        CHECK(left / nl > right / nr);
    }

    g_case = "facing flips the figure";
    {
        Image a(100, 100), b(100, 100);
        paint_person(a, man, walk_pose(0, 1, 15, 74), 50, 95);
        paint_person(b, man, walk_pose(0, -1, 15, 74), 50, 95);
        // the face (skin) is on the right of the head for one and on the left for the other
        auto skin_x = [&](const Image& img) {
            double sx = 0;
            int n = 0;
            for (int y = 0; y < 40; ++y)
                for (int x = 0; x < 100; ++x)
                    if (ramp::skin.holds(img.get(x, y))) sx += x, ++n;
            return n ? sx / n : 0.0;
        };
        CHECK(skin_x(a) > skin_x(b) + 1.0);
    }

    g_case = "hard edges";
    {
        Image img(100, 100);
        paint_dog(img, Animal::Terrier, DogPose::Trot0, 50, 95, 1);
        paint_person(img, man, stand_pose(1), 30, 95);
        for (uint8_t c : img.px) CHECK(c == KEY || !(palette()[c] == Rgb{255, 0, 255}));
        int low = -1;
        for (int y = img.h - 1; y >= 0 && low < 0; --y)
            for (int x = 40; x < 100; ++x)
                if (img.get(x, y) != KEY) { low = y; break; }
        CHECK(low == 95);  // the dog's paws too
    }
}


// Figure 5 is drawn at one y all the time, his walk from frames 69 rows high
// and his rest from frames 71 high: he must not drop when he stops, nor bob
// while he waits, and the can lies on his ground.
static void stand_cases(const std::vector<Picture>& pics) {
    const Picture* p = find(pics, "FIG05_T00");
    if (!p) return;
    std::vector<Rect> t;
    for (const SheetWant& w : wanted_sheets())
        if (w.name == "FIG05_T00") t = rects(w.frames);
    const int x = 140, y = 155;  // y = 358 - 71 - 132
    const std::vector<Draw> walk = walk_run(0, x - 21, y, 21);
    const std::vector<Draw> stop = {{3, x - 21, y}, {4, x, y}};  // the last walking run, then waiting
    const std::vector<Draw> wait = {{4, x, y}, {5, x, y}, {6, x, y}, {7, x, y}, {8, x, y}, {4, x, y}};
    check_on_ground(p->img, t, walk, y + 68, "FIG05");
    check_on_ground(p->img, t, wait, y + 68, "FIG05");
    check_on_ground(p->img, t, {{9, x + 34, y}}, y + 68, "FIG05 can");
    check_continuity(p->img, t, {walk, stop, wait}, "FIG05");
}

// Seen through the booth's clear glass she keeps her colours: the head and
// hands of the phoning frames are about as light as in the street.
static void glass_cases(const std::vector<Picture>& pics) {
    for (const char* name : {"FIG06_T00", "FIG06_T01"}) {
        const Picture* p = find(pics, name);
        if (!p) continue;
        g_case = std::string(name) + " through the glass";
        auto head_light = [&](const Frame& f) {
            double sum = 0;
            int n = 0;
            for (int y = f.y; y < f.y + f.h; ++y)
                for (int x = f.x; x < f.x + f.w; ++x) {
                    const uint8_t c = p->img.get(x, y);
                    if (ramp::skin.holds(c) || ramp::hair.holds(c)) sum += luminance(c), ++n;
                }
            return n ? sum / n : -1.0;
        };
        std::vector<Frame> fr;
        for (const SheetWant& w : wanted_sheets())
            if (w.name == name) fr = w.frames;
        double street = 0;
        for (int k = 0; k < 4; ++k) street += head_light(fr[size_t(k)]) / 4;
        for (int k = 8; k <= 11; ++k) {
            const double booth = head_light(fr[size_t(k)]);
            if (std::fabs(booth - street) > 10) std::printf("  frame %d: %.1f, in the street %.1f\n", k, booth, street);
            CHECK(booth > 0 && std::fabs(booth - street) <= 10);
        }
    }
}

// On the phone in the street's booth she stands behind its glass, so the
// booth's frame crosses her; its bars must pass below her head, or a yellow
// bar runs across her chin. Her head: the rows and columns of skin and hair
// from her top down to her chin; the booth's parts in front of her are the
// frame's paint-yellow pixels there.
static void booth_bar_cases(const std::vector<Picture>& pics) {
    const Picture* p = find(pics, "FIG06_T01");
    CHECK(p != nullptr);
    if (!p) return;
    std::vector<Frame> fr;
    for (const SheetWant& w : wanted_sheets())
        if (w.name == "FIG06_T01") fr = w.frames;
    for (int k = 8; k <= 11; ++k) {
        g_case = "FIG06_T01 frame " + std::to_string(k) + ": no booth bar across her head";
        const Frame& f = fr[size_t(k)];
        auto head_px = [&](int x, int y) { return ramp::skin.holds(p->img.get(x, y)) || ramp::hair.holds(p->img.get(x, y)); };
        int top = -1, chin = -1, left = 1 << 20, right = -1;
        for (int y = f.y; y < f.y + f.h; ++y)
            for (int x = f.x; x < f.x + f.w; ++x) {
                if (!head_px(x, y)) continue;
                if (top < 0) top = y;
                if (y > top + 20) continue;  // hands further down are not her head
                chin = y, left = std::min(left, x), right = std::max(right, x);
            }
        CHECK(top >= 0);
        int bar = 0;
        for (int y = top; y >= 0 && y <= chin; ++y)
            for (int x = left; x <= right; ++x) bar += ramp::paint_yellow.holds(p->img.get(x, y));
        if (bar) std::printf("  %d booth pixels across picture rows %d to %d\n", bar, top - f.y + 340, chin - f.y + 340);
        CHECK(bar == 0);
    }
}

int main() {
    cast_cases();
    posing_cases();
    std::vector<Picture> pics;
    add_person_sheets(pics);
    sheet_cases(pics);
    walk_cases(pics);
    stand_cases(pics);
    glass_cases(pics);
    booth_bar_cases(pics);
    face_cases(pics);
    same_person_cases(pics);
    night_cases(pics);

    g_case = "the same source paints the same bytes";
    {
        std::vector<Picture> again;
        add_person_sheets(again);
        bool same = again.size() == pics.size();
        for (size_t i = 0; same && i < pics.size(); ++i) same = again[i].name == pics[i].name && again[i].img.px == pics[i].img.px;
        CHECK(same);
        CHECK(pics.size() == 12 + 46);
    }

    std::printf("people_tests: %d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
