// Tests of the day passers-by's sheets (figures 11, 14, 15, 20, 24, 25, 29,
// 30, 34). The frame tables are typed in again from the figure scripts,
// and the pictures are held to what the scripts do with them: where each
// frame is drawn, how far the script moves the figure between frames, and,
// for the telephone caller, the booth of the street she is shown on.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "catalogue.h"
#include "core/bmp.h"
#include "core/draw.h"
#include "figures/day_passers_by.h"
#include "figures/figures.h"
#include "figures/person_sheet.h"

using namespace art;
using namespace art::figures;

#include "check.h"
#include "stage_rows.h"

struct SheetWant {
    std::string name;
    int w, h;
    std::vector<Rect> frames;
};

static std::vector<Rect> row(const std::vector<std::pair<int, int>>& xw, int y, int h) {
    std::vector<Rect> out;
    for (auto [x, w] : xw) out.push_back({x, y, w, h});
    return out;
}

static std::vector<Rect> join(std::vector<Rect> a, const std::vector<Rect>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

static std::vector<SheetWant> wanted() {
    std::vector<std::pair<int, int>> f15 = {{0, 48}, {49, 56}, {106, 56}, {163, 64}};
    for (int e = 4; e <= 14; ++e) f15.push_back({228 + 65 * (e - 4), 64});
    std::vector<std::pair<int, int>> f25 = {{0, 80}, {81, 80}, {162, 88}, {251, 96}, {348, 96}, {445, 112}};
    for (int e = 6; e <= 23; ++e) f25.push_back({558 + 113 * (e - 6), 112});
    for (auto xw : std::vector<std::pair<int, int>>{{2592, 120}, {2713, 104}, {2818, 104}, {2923, 104}, {3028, 104},
                                                   {3133, 104}, {3238, 104}, {3343, 88}, {3432, 88}})
        f25.push_back(xw);
    std::vector<std::pair<int, int>> f29 = {{0, 32}, {33, 40}, {74, 48}, {123, 48}, {172, 48}};
    for (int e = 5; e <= 20; ++e) f29.push_back({221 + 57 * (e - 5), 56});
    for (int x : {1190, 1239, 1288, 1337}) f29.push_back({x, 48});
    const std::vector<Rect> f14 = row({{0, 56},    {57, 64},   {122, 64},  {187, 72},  {260, 72},  {333, 72},
                                       {406, 72},  {479, 80},  {560, 152}, {713, 152}, {866, 96},  {963, 96},
                                       {1060, 96}, {1157, 96}, {1254, 96}, {1351, 96}, {1448, 96}, {1545, 96},
                                       {1642, 72}, {1715, 64}, {1780, 64}, {1845, 56}},
                                      0, 113);
    const std::vector<Rect> f20 =
        join(row({{0, 56}, {57, 56}, {114, 48}, {163, 48}, {212, 48}, {261, 48}, {310, 56}, {367, 56}}, 0, 76),
             row({{424, 48}, {473, 48}, {522, 46}, {571, 48}, {620, 48}, {669, 48}}, 0, 75));
    std::vector<Rect> f30 = row({{0, 112}, {113, 112}, {226, 104}, {331, 104}, {436, 104}, {541, 104}, {646, 112}, {759, 112}}, 0, 73);
    f30 = join(f30, row({{0, 112}, {113, 96}, {210, 96}, {307, 104}, {412, 112}, {525, 112}, {638, 112}, {751, 112}}, 74, 73));
    f30 = join(f30, row({{0, 112}, {113, 104}, {218, 104}, {323, 104}, {428, 112}, {541, 104}, {646, 112}}, 148, 73));
    f30 = join(f30, row({{0, 104}, {105, 104}, {210, 104}, {315, 112}, {428, 112}, {541, 104}, {646, 96}, {743, 104}}, 222, 73));
    f30 = join(f30, row({{0, 104}, {105, 104}, {210, 96}, {307, 96}, {404, 112}, {517, 112}, {630, 104}, {735, 104}}, 296, 73));
    return {
        {"FIG11_T00", 504, 70,
         join(row({{0, 64}, {65, 64}, {130, 64}, {195, 64}, {260, 88}}, 0, 70), row({{349, 56}, {406, 48}, {455, 48}}, 0, 68))},
        {"FIG14_T00", 1904, 113, f14},
        {"FIG14_T01", 1904, 113, f14},
        {"FIG15_T00", 944, 74, row(f15, 0, 74)},
        {"FIG20_T00", 720, 76, f20},
        {"FIG20_N00", 720, 76, f20},
        {"FIG24_T00", 1152, 54,
         row({{0, 64},   {65, 64},  {130, 72}, {203, 72}, {276, 80},  {357, 72},  {430, 72},  {503, 64}, {568, 80},
              {649, 72}, {722, 64}, {787, 56}, {844, 64}, {909, 64},  {974, 64},  {1039, 56}, {1096, 56}},
             0, 54)},
        {"FIG25_T00", 3520, 82, row(f25, 0, 82)},
        {"FIG29_T00", 1392, 83, row(f29, 0, 83)},
        {"FIG30_T00", 880, 370, f30},
        {"FIG34_T00", 1888, 77,
         row({{0, 64},     {65, 72},    {138, 80},   {219, 88},   {308, 88},   {397, 88},  {486, 80},  {567, 64},
              {632, 88},   {721, 88},   {810, 72},   {883, 64},   {948, 80},   {1029, 80}, {1110, 80}, {1191, 88},
              {1280, 88},  {1369, 88},  {1458, 88},  {1547, 88},  {1636, 88},  {1725, 80}, {1806, 80}},
             0, 77)},
    };
}

static const SheetWant& want(const std::string& name) {
    static const std::vector<SheetWant> all = wanted();
    for (const SheetWant& w : all)
        if (w.name == name) return w;
    static const SheetWant none{};
    return none;
}

static bool opaque(const Image& img, int x, int y) { return img.get(x, y) != KEY; }

// Frames 8 to 17 of the caller show the booth; her own pixels are measured
// on the sheet painted without it.
static bool booth_frame(const std::string& sheet, int k) { return sheet.rfind("FIG14", 0) == 0 && k >= 8 && k <= 17; }

static void sheet_cases(const std::vector<Picture>& pics) {
    for (const SheetWant& w : wanted()) {
        g_case = w.name + " size, format, family";
        const Picture* p = find(pics, w.name);
        CHECK(p != nullptr);
        if (!p) continue;
        CHECK(p->img.w == w.w && p->img.h == w.h);
        CHECK(p->format == BmpFormat::Rle8);
        CHECK(p->family == "people");

        g_case = w.name + " nothing outside the frames";
        Image inside(p->img.w, p->img.h, 0);
        for (const Rect& r : w.frames) {
            CHECK(r.x >= 0 && r.y >= 0 && r.right() <= w.w && r.bottom() <= w.h);
            fill_rect(inside, r, uint8_t(1));
        }
        int stray = 0;
        for (int y = 0; y < p->img.h; ++y)
            for (int x = 0; x < p->img.w; ++x)
                if (!inside.get(x, y) && opaque(p->img, x, y)) ++stray;
        CHECK(stray == 0);

        for (size_t k = 0; k < w.frames.size(); ++k) {
            g_case = w.name + " frame " + std::to_string(k);
            const Rect r = w.frames[k];
            int n = 0, loud = 0;
            for (int y = r.y; y < r.bottom(); ++y)
                for (int x = r.x; x < r.right(); ++x) {
                    const uint8_t c = p->img.get(x, y);
                    if (c == KEY) continue;
                    ++n;
                    // hard edges: no loud system colours from blending towards the key
                    if (c <= 6 || (c >= 249 && c <= 254)) ++loud;
                }
            CHECK(n >= 250);
            CHECK(loud == 0);
            if (booth_frame(w.name, int(k))) continue;
            // stands on the bottom row, and nothing is cut off at the sides or the top
            bool low = false, top = false, left = false, right = false;
            for (int x = r.x; x < r.right(); ++x) low |= opaque(p->img, x, r.bottom() - 1), top |= opaque(p->img, x, r.y);
            for (int y = r.y; y < r.bottom(); ++y) left |= opaque(p->img, r.x, y), right |= opaque(p->img, r.right() - 1, y);
            CHECK(low);
            CHECK(!top && !left && !right);
        }
    }
}

// ---------------------------------------------------------------------------
// Continuity: the frames of a run at the stage positions the script draws
// them at. `dx`, `dy` are the script's shifts of the figure since the run's
// first frame.
struct At {
    int frame, dx, dy;
};
struct Run {
    const char* sheet;
    const char* what;
    std::vector<At> frames;
    bool feet = true, head = true, hip = false;
};

// Palette ramps of props that fly or swing above or beside the body and so
// say nothing about where the person stands: the children's ball, the sack.
static bool prop(const std::string& sheet, uint8_t c) {
    if (sheet == "FIG30_T00") return ramp::paint_red.holds(c);
    if (sheet == "FIG25_T00") return ramp::cloth_beige.holds(c);
    return false;
}

struct Measure {
    int head = -1, feet = -1;
    double hip = -1, centre = -1;
};

static Measure measure(const Image& img, const Rect& r, const std::string& sheet) {
    Measure m;
    double sx = 0;
    long n = 0;
    for (int y = r.y; y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x) {
            const uint8_t c = img.get(x, y);
            if (c == KEY || prop(sheet, c)) continue;
            if (m.head < 0) m.head = y - r.y;
            m.feet = y - r.y;
            sx += x - r.x, ++n;
        }
    m.centre = n ? sx / n : -1;
    // the hip stands over the middle of the feet: the lowest three rows
    int lo = 1 << 20, hi = -1;
    for (int y = r.bottom() - 3; y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x)
            if (opaque(img, x, y) && !prop(sheet, img.get(x, y))) lo = std::min(lo, x - r.x), hi = std::max(hi, x - r.x);
    m.hip = hi < 0 ? -1 : (lo + hi) / 2.0;
    return m;
}

static std::vector<At> same_place(int first, int last) {
    std::vector<At> v;
    for (int k = first; k <= last; ++k) v.push_back({k, 0, 0});
    return v;
}

// A walking run and the first frame of the next, `step` further on.
static std::vector<At> walk(int first, int step) {
    std::vector<At> v = same_place(first, first + 3);
    v.push_back({first, step, 0});
    return v;
}

static std::vector<Run> runs() {
    std::vector<Run> v;
    auto add = [&](const char* s, const char* what, std::vector<At> f, bool feet, bool head, bool hip) {
        v.push_back({s, what, std::move(f), feet, head, hip});
    };
    // the skateboard rolls 5 pixels a frame
    add("FIG11_T00", "pushing along", {{0, 0, 0}, {1, -5, 0}, {2, -10, 0}, {3, -15, 0}, {0, -20, 0}}, true, true, false);
    add("FIG14_T01", "walking in", walk(0, 18), true, true, false);
    add("FIG14_T01", "at the booth", same_place(4, 7), true, true, true);
    add("FIG14_T01", "going in", {{8, 0, 0}, {9, 0, 0}, {10, 55, 0}}, true, true, false);
    add("FIG14_T01", "calling", {{10, 0, 0}, {11, 0, 0}, {12, 0, 0}, {13, 0, 0}, {14, 0, 0}, {15, 0, 0}, {13, 0, 0}}, true, true, true);
    add("FIG14_T01", "coming out", {{16, 0, 0}, {17, 0, 0}}, true, true, false);
    add("FIG14_T01", "walking back", walk(18, -18), true, true, false);
    add("FIG15_T00", "walking", walk(0, 20), true, true, false);
    add("FIG15_T00", "seated", same_place(4, 7), true, true, true);
    add("FIG15_T00", "standing still", same_place(12, 14), true, true, true);
    add("FIG20_T00", "walking left", walk(0, -19), true, true, false);
    add("FIG20_T00", "walking right", walk(4, 19), true, true, false);
    add("FIG20_T00", "standing", same_place(8, 13), true, true, true);
    add("FIG24_T00", "running right", walk(0, 17), true, true, false);
    add("FIG24_T00", "barking", same_place(4, 12), true, true, true);
    add("FIG24_T00", "running left", walk(13, -14), true, true, false);
    add("FIG25_T00", "walking in", walk(0, 19), true, true, false);
    // frame 4 is drawn 20 rows up, 5 fifteen, 6 and 7 also 15 to the left;
    // as he sits his feet come forward, so only the head is held here
    add("FIG25_T00", "sitting down", {{4, 0, -20}, {5, 0, -15}, {6, -15, -15}, {7, -15, -15}}, false, true, false);
    add("FIG25_T00", "seated", {{5, 0, 0}, {6, -15, 0}, {7, -15, 0}}, true, false, false);
    add("FIG25_T00", "eating", {{7, 0, 0}, {8, 0, 0}, {9, 0, 0}, {10, 0, 0}, {11, 0, 0}, {12, 0, 0}, {11, 0, 0}}, true, true, true);
    add("FIG25_T00", "crumbs", same_place(13, 15), true, true, true);
    add("FIG25_T00", "resting", same_place(16, 21), true, true, true);
    add("FIG25_T00", "getting up", same_place(22, 28), true, true, true);
    add("FIG25_T00", "walking off", walk(29, -19), true, true, false);
    add("FIG29_T00", "walking right", walk(0, 21), true, true, false);
    add("FIG29_T00", "pausing", same_place(4, 20), true, true, true);
    add("FIG29_T00", "walking left", walk(21, -21), true, true, false);
    add("FIG30_T00", "walking in", walk(0, -18), true, true, false);
    add("FIG30_T00", "playing", same_place(4, 33), true, true, true);
    add("FIG30_T00", "walking on", walk(35, -18), true, true, false);
    add("FIG34_T00", "walking right", walk(0, 31), true, true, false);
    add("FIG34_T00", "walking left", walk(4, -31), true, true, false);
    add("FIG34_T00", "looking about", same_place(8, 14), true, true, true);
    add("FIG34_T00", "turning", same_place(15, 22), true, true, true);
    return v;
}

static void continuity_cases(const std::vector<Picture>& pics, const Image& caller_alone) {
    for (const Run& run : runs()) {
        const Picture* p = find(pics, run.sheet);
        CHECK(p != nullptr);
        if (!p) continue;
        const SheetWant& w = want(run.sheet);
        const bool caller = std::string(run.sheet) == "FIG14_T01";
        const Image& img = caller ? caller_alone : p->img;
        // Head and feet of a whole figure go to the generator's shared check;
        // runs that hold only one of them, or whose props fly about, are
        // measured here without the props.
        const bool props = std::string(run.sheet) == "FIG30_T00" || std::string(run.sheet) == "FIG25_T00";
        const bool shared = run.feet && run.head && !props;
        if (shared) {
            std::vector<Draw> draws;
            for (const At& a : run.frames) draws.push_back({a.frame, a.dx, a.dy});
            check_continuity(img, w.frames, {draws}, std::string(run.sheet) + " " + run.what);
        }
        std::vector<Measure> m;
        for (const At& a : run.frames) m.push_back(measure(img, w.frames[a.frame], run.sheet));
        for (size_t i = 1; i < run.frames.size(); ++i) {
            const At &a = run.frames[i - 1], &b = run.frames[i];
            g_case = std::string(run.sheet) + " " + run.what + " frame " + std::to_string(a.frame) + " to " + std::to_string(b.frame);
            // stage rows and columns of what is measured
            if (run.feet && !shared) CHECK(std::abs((b.dy + m[i].feet) - (a.dy + m[i - 1].feet)) <= 2);
            if (run.head && !shared) CHECK(std::abs((b.dy + m[i].head) - (a.dy + m[i - 1].head)) <= 2);
            if (run.hip) CHECK(std::abs((b.dx + m[i].hip) - (a.dx + m[i - 1].hip)) <= 2.5);
        }
    }
}

// Which way the heads of a frame look: in profile the face's skin lies on
// the front half of the head, below the hat. Positive means right.
static double facing(const Image& img, const Rect& r) {
    int top = -1;
    for (int y = r.y; y < r.bottom() && top < 0; ++y)
        for (int x = r.x; x < r.right(); ++x)
            if (ramp::skin.holds(img.get(x, y))) top = y;
    double skin = 0, all = 0;
    int ns = 0, na = 0;
    for (int y = top; y >= 0 && y < top + 6 && y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x) {
            if (!opaque(img, x, y)) continue;
            all += x, ++na;
            if (ramp::skin.holds(img.get(x, y))) skin += x, ++ns;
        }
    return ns && na ? skin / ns - all / na : 0;
}

// ---------------------------------------------------------------------------
// Phase changes: the last picture of one phase and the first of the next, at
// the places the script draws them (dx, dy as in a run, from the first
// draw). The body (without flying props) may move on by at most `most`
// columns, a little more than a walking picture carries it, and head and
// feet by `rows`: a stop, a turn or a step into the booth must not make the
// figure jump.
struct Change {
    const char* sheet;
    const char* what;
    At from, to;
    double most;
    int rows = 2;
    int walked = 0;  // 1 or -1: the way it walked before; it must not stop facing the other
};

static std::vector<Change> changes() {
    return {
        // the script moves the dog 8 on when it stops to bark
        {"FIG24_T00", "stops running to bark", {3, 0, 0}, {4, 8, 0}, 4},
        {"FIG24_T00", "runs on after barking", {4, 0, 0}, {0, 0, 0}, 5},
        {"FIG24_T00", "runs back after barking", {4, 0, 0}, {13, 0, 0}, 8},
        {"FIG24_T00", "stops running back", {16, 0, 0}, {13, -14, 0}, 6},
        {"FIG29_T00", "pauses after walking right", {3, 0, 0}, {4, 0, 0}, 6, 2, 1},
        {"FIG29_T00", "pauses after walking left", {24, 0, 0}, {4, -21, 0}, 6, 2, -1},
        {"FIG29_T00", "walks on right after a pause", {20, 0, 0}, {0, 25, 0}, 8},
        {"FIG29_T00", "turns back left after a pause", {20, 0, 0}, {21, 8, 0}, 8},
        {"FIG34_T00", "stops after walking right", {3, 0, 0}, {8, 0, 0}, 6, 2, 1},
        {"FIG34_T00", "turns about after walking right", {3, 0, 0}, {15, 0, 0}, 6, 2, 1},
        {"FIG34_T00", "stops after walking left", {7, 0, 0}, {8, 0, 0}, 6, 2, -1},
        {"FIG34_T00", "turns about after walking left", {7, 0, 0}, {15, 0, 0}, 6, 2, -1},
        {"FIG34_T00", "walks on right after stopping", {14, 0, 0}, {0, 22, 0}, 9},
        {"FIG34_T00", "walks back left after stopping", {14, 0, 0}, {4, -30, 0}, 9},
        {"FIG34_T00", "walks on right after turning", {22, 0, 0}, {0, 22, 0}, 9},
        {"FIG34_T00", "walks back left after turning", {22, 0, 0}, {4, -20, 0}, 9},
        {"FIG15_T00", "stands still after walking", {3, 0, 0}, {12, 20, 0}, 8},
        {"FIG15_T00", "walks on after standing", {14, 0, 0}, {0, 0, 0}, 8},
        {"FIG20_T00", "sets off left", {13, 0, 0}, {0, 0, 0}, 6},
        {"FIG20_T00", "sets off right", {13, 0, 0}, {4, 0, 0}, 6},
        // sitting down, the knees come forward and carry the body's middle
        // on by more than a step; the frames are drawn higher by the script's
        // shift, with the soles on the shelter's floor or the bench's foot
        {"FIG15_T00", "sits down on the bench", {3, 0, 0}, {4, 20, -17}, 16, 17},
        {"FIG15_T00", "gets up from the bench", {7, 0, 0}, {0, 10, 17}, 8, 17},
        {"FIG25_T00", "sits down", {3, 0, 0}, {4, 19, -20}, 16, 20},
        {"FIG25_T00", "eats on", {12, 0, 0}, {13, 0, 0}, 6},
        {"FIG25_T00", "rests", {15, 0, 0}, {16, 0, 0}, 6},
        {"FIG25_T00", "eats again", {21, 0, 0}, {8, 0, 0}, 6},
        {"FIG25_T00", "gets up", {21, 0, 0}, {22, 0, 15}, 8, 15},
        {"FIG25_T00", "walks off after getting up", {28, 0, 0}, {29, 0, 0}, 6},
        {"FIG30_T00", "stop to play", {3, 0, 0}, {4, -18, 0}, 7},
        {"FIG30_T00", "walk on after playing", {33, 0, 0}, {35, 0, 0}, 7},
        // the caller at her stage columns; she steps 13 rows up onto the
        // booth's base and down again
        {"FIG14_T01", "walks up to the booth", {3, 468, 0}, {4, 483, 0}, 6},
        // (each of the frames that take her in and out shows for one tick:
        // she steps quickly, but without a jump)
        {"FIG14_T01", "steps up to the booth's door", {7, 483, 0}, {8, 483, -13}, 16, 15},
        {"FIG14_T01", "opens the door", {8, 483, -13}, {9, 483, -13}, 16},
        {"FIG14_T01", "steps in", {9, 483, -13}, {10, 538, -13}, 16},
        {"FIG14_T01", "hangs up", {15, 538, -13}, {16, 483, -13}, 16},
        {"FIG14_T01", "steps out", {16, 483, -13}, {17, 483, -13}, 16},
        {"FIG14_T01", "steps down and walks off", {17, 483, -13}, {18, 483, 0}, 16, 15},
        {"FIG14_T01", "turns back at the booth", {7, 483, 0}, {18, 479, 0}, 8},
    };
}

static void change_cases(const std::vector<Picture>& pics, const Image& caller_alone) {
    for (const Change& ch : changes()) {
        const Picture* p = find(pics, ch.sheet);
        CHECK(p != nullptr);
        if (!p) continue;
        const SheetWant& w = want(ch.sheet);
        const Image& img = std::string(ch.sheet) == "FIG14_T01" ? caller_alone : p->img;
        const std::string what = std::string(ch.sheet) + " " + ch.what;
        // the children's ball flies above them: their rows are held by the runs
        if (std::string(ch.sheet) != "FIG30_T00")
            check_continuity(img, w.frames, {{{ch.from.frame, ch.from.dx, ch.from.dy}, {ch.to.frame, ch.to.dx, ch.to.dy}}}, what,
                             ch.rows);
        g_case = what + " frame " + std::to_string(ch.from.frame) + " to " + std::to_string(ch.to.frame);
        const double a = ch.from.dx + measure(img, w.frames[ch.from.frame], ch.sheet).centre;
        const double b = ch.to.dx + measure(img, w.frames[ch.to.frame], ch.sheet).centre;
        if (std::abs(b - a) > ch.most) std::printf("  body moves %.1f columns\n", b - a);
        CHECK(std::abs(b - a) <= ch.most);
        if (ch.walked) {
            g_case = what + ": does not turn about at once";
            const double faces = facing(img, w.frames[ch.to.frame]);
            if (faces * ch.walked < -0.5) std::printf("  faces %.1f after walking %d\n", faces, ch.walked);
            CHECK(faces * ch.walked >= -0.5);
        }
    }
}

// Walking frames carry the figure on by about a quarter of the script's step
// each, in the direction it walks and faces, and into the next run without
// a jolt.
static void walk_cases(const std::vector<Picture>& pics, const Image& caller_alone) {
    for (const Run& run : runs()) {
        if (run.hip || run.frames.size() != 5 || run.frames[4].frame != run.frames[0].frame) continue;
        const Picture* p = find(pics, run.sheet);
        if (!p) continue;
        const SheetWant& w = want(run.sheet);
        const Image& img = std::string(run.sheet) == "FIG14_T01" ? caller_alone : p->img;
        const int step = run.frames[4].dx, dir = step > 0 ? 1 : -1;
        g_case = std::string(run.sheet) + " " + run.what + " carries on";
        for (size_t i = 1; i < 5; ++i) {
            const At &a = run.frames[i - 1], &b = run.frames[i];
            const double ca = a.dx + measure(img, w.frames[a.frame], run.sheet).centre;
            const double cb = b.dx + measure(img, w.frames[b.frame], run.sheet).centre;
            const double moved = (cb - ca) * dir;
            CHECK(moved > -2.5);
            CHECK(moved < std::abs(step) / 2.0 + 3);
        }
        if (std::string(run.sheet) == "FIG24_T00") continue;  // the dog has no face to read
        g_case = std::string(run.sheet) + " " + run.what + " faces the way it goes";
        for (size_t i = 0; i < 4; ++i) CHECK(facing(img, w.frames[run.frames[i].frame]) * dir > 0.5);
    }
}

// ---------------------------------------------------------------------------
// The caller's booth. Her frames 8 to 17 lie at picture row 340, frames 8, 9,
// 16, 17 at column 483 and 10 to 15 at 538.
static Rect booth_place(int k, const Rect& frame) { return {(k >= 10 && k <= 15) ? 538 : 483, 340, frame.w, frame.h}; }

// The door's panel swings out over the pavement in front of the left half.
static bool door_area(int x, int y) { return x >= booth::kGlassLeft - 1 && x <= booth::kDoorRight + 1 && y >= booth::kGlassTop - 3 && y <= booth::kGlassBottom + 3; }

static void booth_cases(const std::vector<Picture>& pics, const Image& caller_alone, const Image& caller_alone_own) {
    const Picture *t01 = find(pics, "FIG14_T01"), *t00 = find(pics, "FIG14_T00");
    const Picture *summer = find(pics, "HG01_01_01"), *winter = find(pics, "HG01_01_02");
    CHECK(t01 && t00 && summer && winter);
    if (!t01 || !t00 || !summer || !winter) return;
    const SheetWant& w = want("FIG14_T01");
    const Image own = booth::own_booth(summer->img.w, summer->img.h);

    g_case = "the seasons differ where the caller's booth frames lie";
    int differ = 0;
    for (int k : {8, 9})
        for (int y = 0; y < 113; ++y)
            for (int x = 0; x < w.frames[k].w; ++x) {
                const Rect at = booth_place(k, w.frames[k]);
                differ += summer->img.get(at.x + x, at.y + y) != winter->img.get(at.x + x, at.y + y);
            }
    CHECK(differ > 0);

    for (int k = 8; k <= 17; ++k) {
        const Rect fr = w.frames[k], at = booth_place(k, fr);
        g_case = "FIG14_T01 frame " + std::to_string(k) + " on the street's booth, summer and winter";
        int wrong = 0, in_front = 0, door = 0;
        for (int y = 0; y < fr.h; ++y)
            for (int x = 0; x < fr.w; ++x) {
                const int px = at.x + x, py = at.y + y;
                const uint8_t c = t01->img.get(fr.x + x, fr.y + y), her = caller_alone.get(fr.x + x, fr.y + y);
                const uint8_t s = summer->img.get(px, py), wi = winter->img.get(px, py);
                if (c == KEY) continue;
                // the door as the frame shows it, where she is not
                if (door_area(px, py) && c != s && her == KEY) {
                    ++door;
                    continue;
                }
                // a copied piece of the booth must be right in both seasons
                if (her == KEY || c == s) {
                    if (c != s || c != wi) ++wrong;
                    if (her != KEY) ++in_front;
                }
            }
        CHECK(wrong == 0);
        // behind the glass the booth's rails and posts cross her
        if (k >= 10 && k <= 16) CHECK(in_front >= 20);
        // she opens the door to go in and to come out, and it is shut
        // while she phones
        const bool door_open = k == 8 || k == 9 || k == 16 || k == 17;
        if (door_open != (door >= 150)) std::printf("  %d pixels of the door differ from the street's\n", door);
        CHECK(door_open == (door >= 150));

        g_case = "FIG14_T00 frame " + std::to_string(k) + " brings its own booth";
        int booth_px = 0, off = 0;
        for (int y = 0; y < fr.h; ++y)
            for (int x = 0; x < fr.w; ++x) {
                const int px = at.x + x, py = at.y + y;
                const uint8_t c = t00->img.get(fr.x + x, fr.y + y), her = caller_alone_own.get(fr.x + x, fr.y + y);
                if (her != KEY) continue;
                booth_px += c != KEY;
                if (!door_area(px, py) && c != own.get(px, py)) ++off;
            }
        CHECK(off == 0);
        CHECK(booth_px >= 2000);
    }
}

// On the phone she stands behind the booth's glass, crossed by its frame;
// no bar of it may run across her head (skin and hair, down to the chin),
// where it would read as a yellow band over her face.
static void head_bar_cases(const std::vector<Picture>& pics, const Image& caller_alone) {
    const Picture* t01 = find(pics, "FIG14_T01");
    if (!t01) return;
    const SheetWant& w = want("FIG14_T01");
    for (int k = 10; k <= 15; ++k) {
        g_case = "FIG14_T01 frame " + std::to_string(k) + ": no booth bar across her head";
        const Rect& fr = w.frames[size_t(k)];
        int top = -1, chin = -1, left = 1 << 20, right = -1;
        for (int y = fr.y; y < fr.bottom(); ++y)
            for (int x = fr.x; x < fr.right(); ++x) {
                const uint8_t c = caller_alone.get(x, y);
                if (!ramp::skin.holds(c) && !ramp::hair.holds(c)) continue;
                if (top < 0) top = y;
                if (y > top + 16) continue;  // her head is shorter than that; hands below it do not count
                chin = y, left = std::min(left, x), right = std::max(right, x);
            }
        CHECK(top >= 0);
        int bar = 0;
        for (int y = top; y >= 0 && y <= chin; ++y)
            for (int x = left; x <= right; ++x)
                bar += caller_alone.get(x, y) != KEY && ramp::paint_yellow.holds(t01->img.get(x, y));
        CHECK(bar == 0);
    }
}

static void caller_cases(const std::vector<Picture>& pics, const Image& caller_alone) {
    // She stands on the pavement outside (row 465) and on the booth's base
    // inside (row 452): the bottom row of every frame either way.
    const SheetWant& w = want("FIG14_T01");
    for (int k = 0; k < 22; ++k) {
        g_case = "caller alone, frame " + std::to_string(k);
        const Measure m = measure(caller_alone, w.frames[k], "FIG14_T01");
        CHECK(m.feet == 112);
        CHECK(m.head >= 30 && m.head <= 50);
    }
    // the glass is clear: behind it she keeps her own colours, crossed
    // only by the booth's rails and posts
    const Picture* t01 = find(pics, "FIG14_T01");
    if (!t01) return;
    g_case = "seen through clear glass";
    int same = 0, seen = 0;
    const Rect fr = w.frames[12];
    for (int y = fr.y; y < fr.bottom(); ++y)
        for (int x = fr.x; x < fr.right(); ++x)
            if (caller_alone.get(x, y) != KEY) ++seen, same += t01->img.get(x, y) == caller_alone.get(x, y);
    std::printf("  %d of %d of her pixels unchanged behind the glass\n", same, seen);
    CHECK(seen > 500);
    CHECK(same > seen * 3 / 4);
    CHECK(same < seen);
}

static void night_cases(const std::vector<Picture>& pics) {
    g_case = "FIG20 night sheet is the day sheet in lamp light";
    const Picture *d = find(pics, "FIG20_T00"), *n = find(pics, "FIG20_N00");
    CHECK(d && n);
    if (!d || !n) return;
    bool same_mask = true;
    double ld = 0, ln = 0, bd = 0, bn = 0;
    long count = 0;
    for (size_t i = 0; i < d->img.px.size(); ++i) {
        const bool od = d->img.px[i] != KEY, on = n->img.px[i] != KEY;
        if (od != on) same_mask = false;
        if (!od || !on) continue;
        const Rgb cd = palette()[d->img.px[i]], cn = palette()[n->img.px[i]];
        ld += luminance(d->img.px[i]), ln += luminance(n->img.px[i]);
        bd += cd.b - (cd.r + cd.g) / 2.0, bn += cn.b - (cn.r + cn.g) / 2.0;
        ++count;
    }
    CHECK(same_mask);
    CHECK(count > 5000);
    CHECK(ln < ld * 0.7);
    CHECK(bn > bd);
}

static void determinism_cases(const std::vector<Picture>& pics) {
    g_case = "same source, same bytes";
    std::vector<Picture> again;
    add_day_passer_sheets(again);
    CHECK(again.size() == 11);
    for (const Picture& a : again) {
        const Picture* p = find(pics, a.name);
        CHECK(p != nullptr);
        if (p) CHECK(bmp_bytes(p->img, p->format) == bmp_bytes(a.img, a.format));
    }
}

int main() {
    const std::vector<Picture> pics = build_catalogue();
    const Picture* street = find(pics, "HG01_01_01");
    CHECK(street != nullptr);
    if (!street) return 1;
    const Image alone = day::sheet_fig14(false, street->img, true);
    const Image alone_own = day::sheet_fig14(true, street->img, true);
    sheet_cases(pics);
    continuity_cases(pics, alone);
    walk_cases(pics, alone);
    change_cases(pics, alone);
    booth_cases(pics, alone, alone_own);
    caller_cases(pics, alone);
    head_bar_cases(pics, alone);
    night_cases(pics);
    determinism_cases(pics);
    std::printf("day_passers_by_tests: %d passed, %d failed\n", g_passed, g_failed);
    return g_failed ? 1 : 0;
}
