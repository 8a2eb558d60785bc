// Tests of the strollers' and the night loners' sheets (figures 29, 40, 49,
// 50, 53, 56, 57, 58, 59). The frame tables are typed in again from the
// figure scripts, and each figure is followed through the frame changes its
// script can make, at the positions the script draws the frames, to see
// that it never jumps.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "catalogue.h"
#include "core/bmp.h"
#include "figures/figures.h"
#include "figures/strollers.h"

using namespace art;
using namespace art::figures;

#include "check.h"
#include "stage_rows.h"

struct Frame {
    int x, w;
};

struct SheetWant {
    std::string name;
    int w, h, frame_h;
    std::vector<Frame> frames;
};

static std::vector<Frame> run(int first_x, int w, int n) {
    std::vector<Frame> v;
    for (int i = 0; i < n; ++i) v.push_back({first_x + (w + 1) * i, w});
    return v;
}

static std::vector<Frame> join(std::vector<std::vector<Frame>> parts) {
    std::vector<Frame> v;
    for (auto& p : parts) v.insert(v.end(), p.begin(), p.end());
    return v;
}

static std::vector<SheetWant> wanted() {
    const std::vector<Frame> f2940 = {{0, 56},   {57, 56},  {114, 56}, {171, 48}, {220, 40}, {261, 48},
                                      {310, 40}, {351, 40}, {392, 40}, {433, 40}, {474, 48}, {523, 40},
                                      {564, 40}, {605, 40}, {646, 32}, {679, 40}, {720, 40}, {761, 48}};
    const std::vector<Frame> f49 = {{0, 64},   {65, 64},  {130, 56}, {187, 56}, {244, 48}, {293, 48}, {342, 48},
                                    {391, 48}, {440, 48}, {489, 48}, {538, 40}, {579, 48}, {628, 48}, {677, 56}};
    const std::vector<Frame> f50 = {{0, 72},   {73, 72},  {146, 72}, {219, 64}, {284, 64}, {349, 64},
                                    {414, 64}, {479, 64}, {544, 64}, {609, 56}, {666, 56}, {723, 56},
                                    {780, 56}, {837, 56}, {894, 40}, {935, 48}, {984, 48}, {1033, 56}};
    const std::vector<Frame> f5657 = join({run(0, 104, 3), {{315, 96}, {412, 96}, {509, 96}, {606, 88}},
                                           run(695, 96, 6), {{1277, 88}, {1366, 88}, {1455, 80}}, run(1536, 80, 6),
                                           run(2022, 88, 3), {{2289, 96}}});
    const std::vector<Frame> f53 = join({{{0, 40}, {41, 48}, {90, 48}, {139, 56}}, run(196, 56, 7), run(595, 48, 8),
                                         run(987, 56, 5), {{1272, 48}}});
    const std::vector<Frame> f58 = {{0, 64},     {65, 72},    {138, 80},   {219, 88},   {308, 96},   {405, 104},
                                    {510, 96},   {615, 96},   {712, 96},   {809, 96},   {906, 96},   {1003, 88},
                                    {1092, 88},  {1181, 96},  {1278, 96},  {1375, 96},  {1472, 96},  {1569, 96},
                                    {1666, 96},  {1763, 96},  {1860, 88},  {1949, 88},  {2038, 112}, {2151, 112},
                                    {2264, 96},  {2361, 88}};
    const std::vector<Frame> f59 = {{0, 80},    {81, 80},   {162, 88},  {251, 88},  {340, 80},  {421, 80},  {502, 88},
                                    {591, 88},  {680, 72},  {753, 72},  {826, 80},  {907, 80},  {988, 88},  {1077, 80},
                                    {1158, 80}, {1239, 72}, {1312, 88}, {1401, 80}, {1482, 80}, {1563, 72}};
    return {
        {"FIG29_N00", 816, 79, 79, f2940},   {"FIG40_N00", 816, 79, 79, f2940},   {"FIG49_T00", 736, 76, 76, f49},
        {"FIG49_N00", 736, 76, 76, f49},     {"FIG50_T00", 1096, 90, 85, f50},    {"FIG50_N00", 1096, 85, 85, f50},
        {"FIG53_N00", 1328, 82, 82, f53},    {"FIG56_T00", 2392, 82, 82, f5657},  {"FIG56_N00", 2392, 82, 82, f5657},
        {"FIG57_N00", 2392, 82, 82, f5657},  {"FIG58_N00", 2456, 85, 85, f58},    {"FIG59_N00", 1640, 83, 83, f59},
    };
}

static bool opaque(const Image& img, int x, int y) { return img.get(x, y) != KEY; }

// Row of the top of the head: the first row with a run of at least seven
// opaque pixels, so that a hand or forearm raised above the head does not
// count.
static int head_row(const Image& img, const Rect& r) {
    for (int y = r.y; y < r.bottom(); ++y) {
        int n = 0;
        for (int x = r.x; x < r.right(); ++x) {
            n = opaque(img, x, y) ? n + 1 : 0;
            if (n >= 7) return y - r.y;
        }
    }
    return -1;
}

static int feet_row(const Image& img, const Rect& r) {
    for (int y = r.bottom() - 1; y >= r.y; --y)
        for (int x = r.x; x < r.right(); ++x)
            if (opaque(img, x, y)) return y - r.y;
    return -1;
}

static double mean_luminance(const Image& img) {
    double s = 0;
    long n = 0;
    for (uint8_t c : img.px)
        if (c != KEY) s += luminance(c), ++n;
    return n ? s / n : 0;
}

static void sheet_cases(const std::vector<Picture>& pics) {
    for (const SheetWant& w : wanted()) {
        g_case = w.name + " size, format, family";
        const Picture* p = find(pics, w.name);
        CHECK(p != nullptr);
        if (!p) continue;
        CHECK(p->img.w == w.w && p->img.h == w.h);
        CHECK(p->format == BmpFormat::Rle8);

        g_case = w.name + " nothing outside the frames but the key";
        Image inside(p->img.w, p->img.h, 0);
        for (const Frame& f : w.frames) fill_rect(inside, {f.x, 0, f.w, w.frame_h}, uint8_t(1));
        int stray = 0;
        for (int y = 0; y < p->img.h; ++y)
            for (int x = 0; x < p->img.w; ++x)
                if (!inside.get(x, y) && opaque(p->img, x, y)) ++stray;
        CHECK(stray == 0);
        CHECK(w.frames.back().x + w.frames.back().w <= w.w);

        for (size_t k = 0; k < w.frames.size(); ++k) {
            g_case = w.name + " frame " + std::to_string(k);
            const Rect r{w.frames[k].x, 0, w.frames[k].w, w.frame_h};
            // a whole person standing on the bottom row (58 walking: her ground row, see
            // stand_cases), not cut by the frame's sides
            const bool walking58 = w.name == "FIG58_N00" && (k < 4 || k > 21);
            CHECK(feet_row(p->img, r) == w.frame_h - 1 - (walking58 ? 5 : 0));
            CHECK(head_row(p->img, r) >= 0 && head_row(p->img, r) <= w.frame_h - 60);
            int cut = 0;
            for (int y = 0; y < w.frame_h; ++y) cut += opaque(p->img, r.x, y) + opaque(p->img, r.right() - 1, y);
            CHECK(cut == 0);
        }
    }
    for (const char* fig : {"FIG49", "FIG50", "FIG56"}) {
        g_case = std::string(fig) + " darker by night";
        const Picture* d = find(pics, std::string(fig) + "_T00");
        const Picture* n = find(pics, std::string(fig) + "_N00");
        CHECK(d && n);
        if (d && n) CHECK(mean_luminance(n->img) < 0.75 * mean_luminance(d->img));
    }
}

// ---------------------------------------------------------------------------
// Following the scripts. A step is a change from one frame to the next, each
// drawn at its script position (relative x and y of the drawing origin).
struct Shown {
    int frame;
    int dx, dy;
};
struct Change {
    Shown from, to;
};

struct Follow {
    std::string name;
    std::vector<Change> changes;
    std::vector<int> standing;  // frames whose hip must stay put
};

static bool in(const std::vector<int>& v, int k) { return std::find(v.begin(), v.end(), k) != v.end(); }

static void walk_run(std::vector<Change>& c, int first, int dx, int dy, int step) {
    for (int k = 0; k < 3; ++k) c.push_back({{first + k, dx, dy}, {first + k + 1, dx, dy}});
    c.push_back({{first + 3, dx, dy}, {first, dx + step, dy}});
}

// Frames first..last shown in turn; at the end the run restarts at any of
// first + 0 .. first + restarts - 1.
static void loop_run(std::vector<Change>& c, int first, int last, int from_restart, int restarts, int dx, int dy) {
    for (int k = first; k < last; ++k) c.push_back({{k, dx, dy}, {k + 1, dx, dy}});
    for (int r = 0; r < restarts; ++r) c.push_back({{last, dx, dy}, {from_restart + r, dx, dy}});
}

static std::vector<int> range(int a, int b) {
    std::vector<int> v;
    for (int k = a; k <= b; ++k) v.push_back(k);
    return v;
}

// The family's shared pattern: walk left 0..3, a linger, and the walk right.
static Follow stroller(const std::string& name, int step, int a, int b, int last_linger, int restarts,
                       bool second_linger) {
    Follow f{name, {}, {}};
    auto& c = f.changes;
    walk_run(c, 0, 0, 0, -step);
    c.push_back({{3, 0, 0}, {4, 0, 0}});  // the step taken back: lingers where the last run began
    loop_run(c, 4, last_linger, 4, restarts, 0, 0);
    c.push_back({{last_linger, 0, 0}, {0, -b, 0}});
    int right = last_linger + 1;
    f.standing = range(4, last_linger);
    if (second_linger) {
        c.push_back({{last_linger, 0, 0}, {15, 8, 0}});
        loop_run(c, 15, 21, 15, 6, 8, 0);
        c.push_back({{21, 8, 0}, {22, 8, 0}});
        c.push_back({{21, 8, 0}, {0, 8 - 24, 0}});
        right = 22;
        for (int k = 15; k <= 21; ++k) f.standing.push_back(k);
    } else {
        c.push_back({{last_linger, 0, 0}, {right, a, 0}});
    }
    walk_run(c, right, 0, 0, step);
    return f;
}

static std::vector<Follow> follows() {
    std::vector<Follow> v = {
        stroller("FIG29_N00", 16, 9, 23, 13, 9, false), stroller("FIG40_N00", 16, 9, 23, 13, 9, false),
        stroller("FIG49_T00", 15, 10, 21, 9, 5, false), stroller("FIG49_N00", 15, 10, 21, 9, 5, false),
        stroller("FIG50_T00", 16, 11, 20, 13, 9, false), stroller("FIG50_N00", 16, 11, 20, 13, 9, false),
        stroller("FIG56_T00", 18, 8, 20, 13, 9, true),   stroller("FIG56_N00", 18, 8, 20, 13, 9, true),
        stroller("FIG57_N00", 18, 8, 20, 13, 9, true),
    };
    {   // 53: in from the left, stands about, turns, goes on either way
        Follow f{"FIG53_N00", {}, range(4, 20)};
        auto& c = f.changes;
        walk_run(c, 0, 0, 0, 19);
        c.push_back({{3, 0, 0}, {4, 19, 0}});
        loop_run(c, 4, 7, 4, 4, 19, 0);
        for (int k = 8; k <= 11; ++k) c.push_back({{7, 19, 0}, {k, 19, 0}});
        loop_run(c, 8, 18, 14, 1, 19, 0);
        c.push_back({{18, 19, 0}, {19, 19, 0}});
        c.push_back({{19, 19, 0}, {20, 19, 0}});
        c.push_back({{20, 19, 0}, {2, 19 + 11, 0}});
        c.push_back({{20, 19, 0}, {23, 19 - 7, 0}});
        walk_run(c, 21, 0, 0, -19);
        c.push_back({{24, 0, 0}, {4, -19, 0}});
        v.push_back(f);
    }
    {   // 58: in from the left, steps back to the sign, stands, walks away left
        Follow f{"FIG58_N00", {}, range(4, 21)};
        auto& c = f.changes;
        walk_run(c, 0, 0, 0, 33);
        c.push_back({{3, 0, 0}, {4, 0, -5}});
        loop_run(c, 4, 21, 6, 7, 0, -5);
        c.push_back({{21, 0, -5}, {22, 0, 0}});
        walk_run(c, 22, 0, 0, -33);
        v.push_back(f);
    }
    {   // 59: any manner of walking may follow any other at a run end
        Follow f{"FIG59_N00", {}, {}};
        auto& c = f.changes;
        for (int s = 0; s < 3; ++s) {
            for (int k = 0; k < 3; ++k) c.push_back({{4 * s + k, 0, 0}, {4 * s + k + 1, 0, 0}});
            for (int t = 0; t < 3; ++t) c.push_back({{4 * s + 3, 0, 0}, {4 * t, 17, 0}});
        }
        for (int s = 0; s < 2; ++s) {
            for (int k = 0; k < 3; ++k) c.push_back({{12 + 4 * s + k, 0, 0}, {12 + 4 * s + k + 1, 0, 0}});
            for (int t = 0; t < 2; ++t) c.push_back({{12 + 4 * s + 3, 0, 0}, {12 + 4 * t, -17, 0}});
        }
        v.push_back(f);
    }
    return v;
}

static void continuity_cases() {
    std::vector<FigureSheet> sheets = stroller_sheets();
    for (FigureSheet& s : night_loner_sheets()) sheets.push_back(std::move(s));
    for (const Follow& f : follows()) {
        const FigureSheet* s = nullptr;
        for (const FigureSheet& x : sheets)
            if (x.name == f.name) s = &x;
        g_case = f.name + " followed";
        CHECK(s != nullptr);
        if (!s) continue;
        auto rect = [&](int k) {
            const FrameRect& r = s->frames[size_t(k)];
            return Rect{r.x, r.y, r.w, r.h};
        };
        int worst_rows = 0;
        double worst_hip = 0, worst_walk = 0;
        for (const Change& c : f.changes) {
            g_case = f.name + " " + std::to_string(c.from.frame) + " -> " + std::to_string(c.to.frame);
            const Rect a = rect(c.from.frame), b = rect(c.to.frame);
            const int ya = c.from.dy, yb = c.to.dy;
            const int dh = std::abs((ya + head_row(s->img, a)) - (yb + head_row(s->img, b)));
            const int df = std::abs((ya + feet_row(s->img, a)) - (yb + feet_row(s->img, b)));
            CHECK(dh <= 2);
            CHECK(df <= 2);
            worst_rows = std::max({worst_rows, dh, df});
            const double ha = c.from.dx + s->hip[size_t(c.from.frame)], hb = c.to.dx + s->hip[size_t(c.to.frame)];
            const bool stand_a = in(f.standing, c.from.frame), stand_b = in(f.standing, c.to.frame);
            if (stand_a && stand_b) {
                CHECK(std::abs(ha - hb) <= 2.0);
                worst_hip = std::max(worst_hip, std::abs(ha - hb));
            } else if (!stand_a && !stand_b && c.from.frame != c.to.frame) {
                // walking on: a quarter of the run's step a frame, never backwards
                const double d = std::abs(hb - ha);
                CHECK(d >= 2.5 && d <= 9.0);
                worst_walk = std::max(worst_walk, d);
            } else {
                // starting or stopping: no more than half a stride and a bit
                CHECK(std::abs(ha - hb) <= 12.0);
            }
        }
        std::printf("%s: %zu changes, rows within %d, standing hip within %.1f, walking frame steps up to %.1f\n",
                    f.name.c_str(), f.changes.size(), worst_rows, worst_hip, worst_walk);
    }
}

// Figure 58's script draws her stand 5 rows higher than her walk, and her
// frames are all as high as the sheet: at the points where it draws them,
// every frame has her feet on one stage row.
static void stand_cases(const std::vector<Picture>& pics) {
    const Picture* p = find(pics, "FIG58_N00");
    g_case = "FIG58_N00 present";
    CHECK(p != nullptr);
    if (!p) return;
    std::vector<FigureSheet> sheets = night_loner_sheets();
    std::vector<Rect> table;
    for (const FigureSheet& s : sheets)
        if (s.name == "FIG58_N00")
            for (const FrameRect& r : s.frames) table.push_back({r.x, r.y, r.w, r.h});
    std::vector<Draw> draws;
    for (int k = 0; k <= 25; ++k) draws.push_back({k, 0, k >= 4 && k <= 21 ? -5 : 0});
    check_on_ground(p->img, table, draws, 79, "FIG58_N00");
}

int main() {
    const std::vector<Picture> pics = build_catalogue();
    sheet_cases(pics);
    continuity_cases();
    stand_cases(pics);
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed ? 1 : 0;
}
