// Tests of the waiting passengers' sheets (figures 12, 13, 21, 23). The frame
// tables are typed in again from the figure scripts, independently of the
// painter's own, and the pictures are held to what the scripts do with them:
// which way a frame walks or faces, where the trumpet is, that the riders
// look like their bus-window faces.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "catalogue.h"
#include "core/bmp.h"
#include "core/draw.h"
#include "figures/cast.h"
#include "figures/figures.h"

using namespace art;
using namespace art::figures;

#include "check.h"
#include "stage_rows.h"

struct Frame {
    int x, w;
};

struct SheetWant {
    std::string name;
    int w, h;
    std::vector<Frame> frames;
};

static std::vector<SheetWant> wanted() {
    std::vector<Frame> f23 = {{0, 80},    {81, 80},  {162, 80}, {243, 96}, {340, 96}, {437, 96},
                              {534, 96},  {631, 96}, {728, 96}, {825, 96}, {922, 96}};
    return {
        {"FIG12_T00", 312, 62, {{0, 64}, {65, 64}, {130, 64}, {195, 56}, {252, 56}}},
        {"FIG13_T00", 656, 78,
         {{0, 40}, {41, 40}, {82, 40}, {123, 48}, {172, 48}, {221, 48}, {270, 56}, {327, 56}, {384, 48}, {433, 56},
          {490, 56}, {547, 56}, {604, 48}}},
        {"FIG21_T00", 792, 80,
         {{0, 56}, {57, 56}, {114, 64}, {179, 64}, {244, 64}, {309, 56}, {366, 56}, {423, 56}, {480, 64}, {545, 64},
          {610, 64}, {675, 56}, {732, 56}}},
        {"FIG23_T00", 1024, 78, f23},
        {"FIG23_N00", 1024, 78, f23},
    };
}

static Rect rect_of(const Frame& f, int h) { return {f.x, 0, f.w, h}; }

static bool opaque(const Image& img, int x, int y) { return img.get(x, y) != KEY; }

// First and last opaque rows of a frame (-1 when empty).
static void rows_of(const Image& img, const Rect& r, int& top, int& low) {
    top = low = -1;
    for (int y = r.y; y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x)
            if (opaque(img, x, y)) {
                if (top < 0) top = y;
                low = y;
                break;
            }
}

static double centroid_x(const Image& img, const Rect& r) {
    double s = 0;
    long n = 0;
    for (int y = r.y; y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x)
            if (opaque(img, x, y)) s += x - r.x, ++n;
    return n ? s / n : -1;
}

// Width covered by opaque pixels in the lowest rows of a frame: the feet.
static int foot_spread(const Image& img, const Rect& r, int rows) {
    int lo = 1 << 20, hi = -1;
    for (int y = r.bottom() - rows; y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x)
            if (opaque(img, x, y)) lo = std::min(lo, x), hi = std::max(hi, x);
    return hi < 0 ? 0 : hi - lo + 1;
}

// Which way the topmost head in a frame looks: in profile the face's skin
// lies towards the front of the head and the hair (or hat) behind it.
// Positive means right. Takes the first rows that show skin, each row's
// skin against the middle of the opaque run of the head it lies in.
static double facing(const Image& img, const Rect& r) {
    int y0 = -1;
    for (int y = r.y; y < r.bottom() && y0 < 0; ++y)
        for (int x = r.x; x < r.right(); ++x)
            if (ramp::skin.holds(img.get(x, y))) {
                y0 = y;
                break;
            }
    if (y0 < 0) return 0;
    double sum = 0;
    int rows = 0;
    for (int y = y0; y < y0 + 3; ++y) {
        int lo = 1 << 20, hi = -1;
        double s = 0;
        int n = 0;
        for (int x = r.x; x < r.right(); ++x)
            if (ramp::skin.holds(img.get(x, y))) lo = std::min(lo, x), hi = std::max(hi, x), s += x, ++n;
        if (!n) continue;
        // the first head's skin only: stop at the first gap in it
        int end = lo;
        while (end + 1 <= hi && opaque(img, end + 1, y)) ++end;
        s = 0, n = 0;
        for (int x = lo; x <= end; ++x)
            if (ramp::skin.holds(img.get(x, y))) s += x, ++n;
        int a = lo, b = end;
        while (a - 1 >= r.x && opaque(img, a - 1, y)) --a;
        while (b + 1 < r.right() && opaque(img, b + 1, y)) ++b;
        sum += s / n - (a + b) / 2.0;
        ++rows;
    }
    return rows ? sum / rows : 0;
}

static bool contains(const Image& img, uint8_t c) { return std::find(img.px.begin(), img.px.end(), c) != img.px.end(); }

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
        for (const Frame& f : w.frames) fill_rect(inside, rect_of(f, w.h), uint8_t(1));
        int stray = 0;
        for (int y = 0; y < p->img.h; ++y)
            for (int x = 0; x < p->img.w; ++x)
                if (!inside.get(x, y) && opaque(p->img, x, y)) ++stray;
        CHECK(stray == 0);

        for (size_t k = 0; k < w.frames.size(); ++k) {
            g_case = w.name + " frame " + std::to_string(k);
            const Rect r = rect_of(w.frames[k], w.h);
            int top, low;
            rows_of(p->img, r, top, low);
            // stands on the bottom row, and is a whole person of about the
            // cast height (the far boy of 23 a little up the pavement)
            CHECK(low == r.bottom() - 1);
            CHECK(top >= 0 && low - top + 1 >= 50);
            bool left_clear = true, right_clear = true;
            for (int y = 0; y < w.h; ++y) {
                if (opaque(p->img, r.x, y)) left_clear = false;
                if (opaque(p->img, r.right() - 1, y)) right_clear = false;
            }
            CHECK(left_clear && right_clear);
            // hard edges: no loud system colours from blending towards the key
            int loud = 0;
            for (int y = r.y; y < r.bottom(); ++y)
                for (int x = r.x; x < r.right(); ++x) {
                    uint8_t c = p->img.get(x, y);
                    if (c != KEY && ((c <= 6) || (c >= 249 && c <= 254))) ++loud;
                }
            CHECK(loud == 0);
        }
    }
}

static void walk_cases(const std::vector<Picture>& pics) {
    // Frames 0 to 3 walk right; the script moves the figure `step` pixels at
    // the end of the run, so inside the frames the figure moves on to the
    // right by about a quarter step a frame, and the first waiting frame
    // stands about one step right of frame 0.
    struct Run {
        const char* sheet;
        int step;
        bool feet;  // one person: contact frames spread the feet wider
    };
    const Run runs[] = {{"FIG13_T00", 15, true}, {"FIG21_T00", 11, true}, {"FIG23_T00", 15, false}};
    for (const Run& run : runs) {
        g_case = std::string("walk ") + run.sheet;
        const Picture* p = find(pics, run.sheet);
        CHECK(p != nullptr);
        if (!p) continue;
        SheetWant w;
        for (const SheetWant& s : wanted())
            if (s.name == run.sheet) w = s;
        std::vector<Rect> t;
        for (const Frame& f : w.frames) t.push_back(rect_of(f, w.h));
        // drawn at one point per run: head and feet must not bob
        check_continuity(p->img, t, {walk_run(0, 0, 0, 0)}, g_case);
        g_case = std::string("walk ") + run.sheet;
        double c[5];
        for (int k = 0; k < 5; ++k) c[k] = centroid_x(p->img, rect_of(w.frames[k], w.h));
        for (int k = 1; k < 4; ++k) CHECK(c[k] > c[k - 1]);
        CHECK(std::abs(c[4] - (c[0] + run.step)) < 6.0);
        for (int k = 0; k < 4; ++k) CHECK(facing(p->img, rect_of(w.frames[k], w.h)) > 0.5);
        std::vector<Image> crops;
        for (int k = 0; k < 4; ++k) crops.push_back(p->img.crop({w.frames[k].x, 0, w.frames[0].w, w.h}));
        for (int a = 0; a < 4; ++a)
            for (int b = a + 1; b < 4; ++b) CHECK(crops[a].px != crops[b].px);
        if (run.feet) {
            int s[4];
            for (int k = 0; k < 4; ++k) s[k] = foot_spread(p->img, rect_of(w.frames[k], w.h), 3);
            CHECK(s[0] > s[1] + 3);
            CHECK(s[2] > s[3] + 3);
        }
    }

    // The approach frames step left-down to the bus door: turned left.
    g_case = "approach frames face the bus";
    const struct {
        const char* sheet;
        int frame;
    } turned[] = {{"FIG13_T00", 12}, {"FIG21_T00", 12}, {"FIG23_T00", 10}, {"FIG12_T00", 3}};
    for (const auto& t : turned) {
        g_case = std::string("facing the bus ") + t.sheet + " frame " + std::to_string(t.frame);
        const Picture* p = find(pics, t.sheet);
        CHECK(p != nullptr);
        if (!p) continue;
        for (const SheetWant& s : wanted())
            if (s.name == t.sheet) CHECK(facing(p->img, rect_of(s.frames[t.frame], s.h)) < -0.5);
    }

    // The waiting frames of the riders keep their place: one hip column, so
    // the figure does not jump while the script changes pictures.
    g_case = "waiting frames stay put";
    const struct {
        const char* sheet;
        int first, last;
    } waits[] = {{"FIG12_T00", 0, 2}, {"FIG13_T00", 4, 7}, {"FIG21_T00", 6, 11}};
    for (const auto& wt : waits) {
        const Picture* p = find(pics, wt.sheet);
        CHECK(p != nullptr);
        if (!p) continue;
        for (const SheetWant& s : wanted())
            if (s.name == wt.sheet) {
                const int base = foot_spread(p->img, rect_of(s.frames[wt.first], s.h), 2);
                double c0 = -1;
                for (int k = wt.first; k <= wt.last; ++k) {
                    // centre of the feet: arms and props move, the feet do not
                    const Rect r = rect_of(s.frames[k], s.h);
                    int lo = 1 << 20, hi = -1;
                    for (int x = r.x; x < r.right(); ++x)
                        if (opaque(p->img, x, r.bottom() - 1)) lo = std::min(lo, x - r.x), hi = std::max(hi, x - r.x);
                    double mid = (lo + hi) / 2.0;
                    if (c0 < 0) c0 = mid;
                    CHECK(std::abs(mid - c0) <= 1.5);
                    CHECK(std::abs(foot_spread(p->img, r, 2) - base) <= 2);
                }
            }
    }
}

static void prop_cases(const std::vector<Picture>& pics) {
    const Picture* p13 = find(pics, "FIG13_T00");
    const Picture* p12 = find(pics, "FIG12_T00");
    const Picture* p21 = find(pics, "FIG21_T00");
    CHECK(p13 && p12 && p21);
    if (!p13 || !p12 || !p21) return;
    std::vector<SheetWant> w = wanted();

    // Brass at mouth height only while he plays (frames 9 to 11); while he
    // waits it hangs from his hand, below the belt.
    g_case = "trumpet at the lips while playing";
    auto brass_above = [&](int k, double fraction) {
        const Rect r = rect_of(w[1].frames[k], w[1].h);
        int top, low;
        rows_of(p13->img, r, top, low);
        int n = 0;
        for (int y = top; y < top + int((low - top) * fraction); ++y)
            for (int x = r.x; x < r.right(); ++x) n += ramp::paint_yellow.holds(p13->img.get(x, y));
        return n;
    };
    for (int k = 9; k <= 11; ++k) CHECK(brass_above(k, 0.25) >= 6);
    for (int k = 4; k <= 7; ++k) {
        CHECK(brass_above(k, 0.45) == 0);
        CHECK(brass_above(k, 1.0) >= 6);
    }
    for (int k = 0; k < 13; ++k) CHECK(brass_above(k, 1.0) >= 6);  // he never puts it down

    // The parcel and the basket (brown paper and wicker, both ochre) are in
    // every picture of their owners.
    g_case = "parcel and basket always carried";
    auto ochre = [&](const Picture* p, const SheetWant& s, int k) {
        const Rect r = rect_of(s.frames[k], s.h);
        int n = 0;
        for (int y = r.y; y < r.bottom(); ++y)
            for (int x = r.x; x < r.right(); ++x) n += ramp::ochre.holds(p->img.get(x, y));
        return n;
    };
    for (size_t k = 0; k < w[0].frames.size(); ++k) CHECK(ochre(p12, w[0], int(k)) >= 60);
    for (size_t k = 0; k < w[2].frames.size(); ++k) CHECK(ochre(p21, w[2], int(k)) >= 25);
}

static void likeness_cases(const std::vector<Picture>& pics) {
    // The riders look the same at the stop and in the bus window.
    for (int id : {12, 13, 21, 23}) {
        char sheet[16], face[16];
        std::snprintf(sheet, sizeof sheet, "FIG%02d_T00", id);
        std::snprintf(face, sizeof face, "BUS_TF%02d", id);
        g_case = std::string("same person ") + sheet + " / " + face;
        const Picture *ps = find(pics, sheet), *pf = find(pics, face);
        CHECK(ps && pf);
        if (!ps || !pf) continue;
        const CastEntry* e = cast(id);
        CHECK(e && e->sheets);
        if (!e) continue;
        for (int k = 0; k < e->count; ++k) {
            const Look& l = e->person[k];
            CHECK(contains(ps->img, skin_index(l)));
            CHECK(contains(ps->img, l.top_tone.mid()));
            bool hair_shows = l.hat == Hat::None || l.hat == Hat::Cap || l.hat == Hat::FlatCap;
            if (hair_shows) CHECK(contains(ps->img, hair_index(l)));
        }
        CHECK(contains(pf->img, skin_index(e->person[0])));
    }
}

static void night_cases(const std::vector<Picture>& pics) {
    g_case = "FIG23 night sheet is the day sheet in lamp light";
    const Picture *d = find(pics, "FIG23_T00"), *n = find(pics, "FIG23_N00");
    CHECK(d && n);
    if (!d || !n) return;
    bool same_mask = true;
    double ld = 0, ln = 0, bd = 0, bn = 0;
    long count = 0;
    for (size_t i = 0; i < d->img.px.size(); ++i) {
        bool od = d->img.px[i] != KEY, on = n->img.px[i] != KEY;
        if (od != on) same_mask = false;
        if (!od || !on) continue;
        Rgb cd = palette()[d->img.px[i]], cn = palette()[n->img.px[i]];
        ld += luminance(d->img.px[i]), ln += luminance(n->img.px[i]);
        bd += cd.b - (cd.r + cd.g) / 2.0, bn += cn.b - (cn.r + cn.g) / 2.0;
        ++count;
    }
    CHECK(same_mask);
    CHECK(count > 5000);
    CHECK(ln < ld * 0.6);
    CHECK(bn > bd);
}

static void determinism_cases(const std::vector<Picture>& pics) {
    g_case = "same source, same bytes";
    std::vector<Picture> again;
    add_waiting_passenger_sheets(again);
    CHECK(again.size() == 5);
    for (const Picture& a : again) {
        const Picture* p = find(pics, a.name);
        CHECK(p != nullptr);
        if (p) CHECK(bmp_bytes(p->img, p->format) == bmp_bytes(a.img, a.format));
    }
}

int main() {
    const std::vector<Picture> pics = build_catalogue();
    sheet_cases(pics);
    walk_cases(pics);
    prop_cases(pics);
    likeness_cases(pics);
    night_cases(pics);
    determinism_cases(pics);
    std::printf("waiting_tests: %d passed, %d failed\n", g_passed, g_failed);
    return g_failed ? 1 : 0;
}
