// Tests of the holiday visitors' sheets (figures 26, 37, 38). The frame
// tables are typed in again from the figure scripts, independently of the
// painter's own, and the pictures are held to what the scripts do with them.
#include <string>
#include <vector>

#include "catalogue.h"
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
    return {
        {"FIG26_T00", 1520, 132,
         {{0, 144}, {145, 160}, {306, 160}, {467, 160}, {628, 176}, {805, 176}, {982, 176}, {1159, 176}, {1336, 176}}},
        {"FIG37_T00", 968, 83,
         {{0, 64}, {65, 64}, {130, 64}, {195, 72}, {268, 80}, {349, 80}, {430, 80}, {511, 88}, {600, 88}, {689, 72},
          {762, 72}, {835, 64}, {900, 64}}},
        {"FIG38_T00", 920, 103,
         {{0, 64}, {65, 64}, {130, 72}, {203, 80}, {284, 104}, {389, 104}, {494, 104}, {599, 104}, {704, 104},
          {809, 104}}},
    };
}

static bool opaque(const Image& img, int x, int y) { return img.get(x, y) != KEY; }

// Lowest and highest opaque rows of a frame (-1 when empty).
static void rows_of(const Image& img, const Frame& f, int& top, int& low) {
    top = low = -1;
    for (int y = 0; y < img.h; ++y)
        for (int x = f.x; x < f.x + f.w; ++x)
            if (opaque(img, x, y)) {
                if (top < 0) top = y;
                low = y;
                break;
            }
}

static double centroid_x(const Image& img, const Frame& f) {
    double s = 0;
    long n = 0;
    for (int y = 0; y < img.h; ++y)
        for (int x = f.x; x < f.x + f.w; ++x)
            if (opaque(img, x, y)) s += x - f.x, ++n;
    return n ? s / n : -1;
}

static bool airborne(int sheet, int k) { return sheet == 2 && k >= 6 && k <= 8; }

int main() {
    std::vector<Picture> pics;
    add_holiday_visitor_sheets(pics);
    std::vector<Picture> again;
    add_holiday_visitor_sheets(again);
    const std::vector<SheetWant> want = wanted();

    g_case = "catalogue";
    CHECK(pics.size() == want.size());

    for (size_t s = 0; s < want.size(); ++s) {
        const SheetWant& w = want[s];
        g_case = w.name;
        const Picture* p = find(pics, w.name);
        CHECK(p != nullptr);
        if (!p) continue;
        const Image& img = p->img;
        CHECK(img.w == w.w && img.h == w.h);
        CHECK(p->family == "people");
        if (img.w != w.w || img.h != w.h) continue;

        // the same source paints the same bytes
        const Picture* q = find(again, w.name);
        CHECK(q != nullptr && q->img.px == img.px);

        // nothing between or after the frames
        std::vector<bool> in_frame(size_t(img.w), false);
        for (const Frame& f : w.frames)
            for (int x = f.x; x < f.x + f.w; ++x) in_frame[size_t(x)] = true;
        int stray = 0;
        for (int y = 0; y < img.h; ++y)
            for (int x = 0; x < img.w; ++x)
                if (!in_frame[size_t(x)] && opaque(img, x, y)) ++stray;
        CHECK(stray == 0);

        for (size_t k = 0; k < w.frames.size(); ++k) {
            g_case = w.name + " frame " + std::to_string(k);
            const Frame& f = w.frames[k];
            int top, low;
            rows_of(img, f, top, low);
            CHECK(top >= 0);  // every frame shows the figure
            if (airborne(int(s), int(k))) continue;
            CHECK(low == img.h - 1);  // stands on the bottom row of its frame
            // the figure is a person, not a sliver: it is at least 60 rows tall
            CHECK(low - top >= 60);
            // and does not run off its frame's sides
            bool edge = false;
            for (int y = 0; y < img.h; ++y) edge = edge || opaque(img, f.x, y) || opaque(img, f.x + f.w - 1, y);
            CHECK(!edge);
        }
    }

    // the walks (entries 0..3 of each) are drawn at one point per run: head
    // and feet must not bob from frame to frame
    for (const SheetWant& w : want) {
        const Picture* p = find(pics, w.name);
        if (!p) continue;
        std::vector<Rect> t;
        for (const Frame& f : w.frames) t.push_back({f.x, 0, f.w, w.h});
        check_continuity(p->img, t, {walk_run(0, 0, 0, 0)}, w.name + " walk");
    }

    const Picture* p26 = find(pics, "FIG26_T00");
    if (p26 && p26->img.w == 1520) {
        g_case = "FIG26 tree";
        const Image& img = p26->img;
        const std::vector<Frame>& fr = want[0].frames;
        // carried, the tree reaches far above the man's hat
        for (int k = 0; k < 4; ++k) {
            int top, low;
            rows_of(img, fr[size_t(k)], top, low);
            CHECK(top >= 0 && top < 20);
        }
        // set up on the pavement, it stands still while he loops frames 5..8:
        // its columns in front of him do not change from frame to frame
        for (int k = 6; k <= 8; ++k) {
            int differ = 0, shown = 0;
            for (int y = 0; y < img.h; ++y)
                for (int x = 136; x < 176; ++x) {
                    const uint8_t a = img.get(fr[5].x + x, y), b = img.get(fr[size_t(k)].x + x, y);
                    differ += a != b;
                    shown += a != KEY;
                }
            CHECK(shown > 150);
            CHECK(differ == 0);
        }
    }

    const Picture* p38 = find(pics, "FIG38_T00");
    if (p38 && p38->img.w == 920) {
        g_case = "FIG38 hop";
        const Image& img = p38->img;
        const std::vector<Frame>& fr = want[2].frames;
        int top6, low6, top7, low7, top5, low5;
        rows_of(img, fr[6], top6, low6);
        rows_of(img, fr[7], top7, low7);
        rows_of(img, fr[5], top5, low5);
        // off the ground in the air, highest at frame 6, ears still inside
        CHECK(low6 < img.h - 8);
        CHECK(low7 < img.h - 1 && low7 > low6);
        CHECK(top6 >= 0);
        CHECK(low5 == img.h - 1);
        // the hop carries the figure forwards (to the right)
        CHECK(centroid_x(img, fr[9]) > centroid_x(img, fr[4]) + 15);
        CHECK(centroid_x(img, fr[7]) > centroid_x(img, fr[5]));
    }

    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed ? 1 : 0;
}
