// Tests of the scenery changers' sheets (figures 16, 22, 27). The frame
// tables are typed in again from the figure scripts, independently of the
// painter's own, and the pictures are held to what the scripts do with them:
// where the broom sweeps, where the ladder stands while the origin moves.
#include <string>
#include <vector>

#include "catalogue.h"
#include "figures/figures.h"

using namespace art;

#include "check.h"
#include "stage_rows.h"

struct Entry {
    int x, w, h;
};

struct SheetWant {
    std::string name;
    int w, h;
    std::vector<Entry> entries;
};

static std::vector<SheetWant> wanted() {
    std::vector<Entry> f16;
    for (auto xw : std::vector<std::pair<int, int>>{
             {0, 64}, {65, 56}, {122, 56}, {179, 48}, {228, 88}, {317, 88}, {406, 96}, {503, 88}, {592, 80}})
        f16.push_back({xw.first, xw.second, 73});
    f16.push_back({673, 48, 16});
    std::vector<Entry> f27;
    for (auto xw : std::vector<std::pair<int, int>>{
             {0, 112},    {113, 120},  {234, 128},  {363, 136},  {500, 96},   {597, 104},  {702, 80},   {783, 80},
             {864, 80},   {945, 80},   {1026, 56},  {1083, 64},  {1148, 56},  {1205, 64},  {1270, 64},  {1335, 72},
             {1408, 144}, {1553, 64},  {1618, 64},  {1683, 64},  {1748, 64},  {1813, 64},  {1878, 56},  {1935, 56},
             {1992, 64},  {2057, 56},  {2114, 64},  {2179, 56},  {2236, 96},  {2333, 104}, {2438, 112}, {2551, 128}})
        f27.push_back({xw.first, xw.second, 138});
    return {
        {"FIG16_T00", 728, 90, f16},
        {"FIG22_T00", 1160, 86,
         {{0, 80, 68},
          {81, 72, 72},
          {154, 88, 67},
          {243, 80, 72},
          {324, 80, 68},
          {405, 88, 68},
          {494, 112, 67},
          {607, 88, 66},
          {696, 48, 86},
          {745, 48, 86},
          {794, 48, 86},
          {843, 56, 86},
          {900, 88, 72},
          {989, 72, 72},
          {1062, 96, 72}}},
        {"FIG27_T00", 2680, 138, f27},
    };
}

static bool opaque(const Image& img, int x, int y) { return img.get(x, y) != KEY; }

// Opaque columns of an entry's row, in the entry's own columns.
static std::vector<int> opaque_cols(const Image& img, const Entry& e, int row) {
    std::vector<int> out;
    for (int x = 0; x < e.w; ++x)
        if (opaque(img, e.x + x, row)) out.push_back(x);
    return out;
}

static void check_layout(const std::vector<Picture>& pics) {
    for (const SheetWant& s : wanted()) {
        g_case = s.name + " layout";
        const Picture* p = find(pics, s.name);
        CHECK(p != nullptr);
        if (!p) continue;
        CHECK(p->family == "people");
        CHECK(p->img.w == s.w);
        CHECK(p->img.h == s.h);
        if (p->img.w != s.w || p->img.h != s.h) continue;
        // nothing opaque outside the entries (each at y 0 with its own height)
        std::vector<int> inside(size_t(s.w) * s.h, 0);
        for (const Entry& e : s.entries)
            for (int y = 0; y < e.h; ++y)
                for (int x = e.x; x < e.x + e.w; ++x) inside[size_t(y) * s.w + x] = 1;
        int stray = 0;
        for (int y = 0; y < s.h; ++y)
            for (int x = 0; x < s.w; ++x)
                if (!inside[size_t(y) * s.w + x] && opaque(p->img, x, y)) ++stray;
        CHECK(stray == 0);
        // every entry is drawn
        for (size_t k = 0; k < s.entries.size(); ++k) {
            const Entry& e = s.entries[k];
            g_case = s.name + " entry " + std::to_string(k);
            int painted = 0;
            for (int y = 0; y < e.h; ++y)
                for (int x = e.x; x < e.x + e.w; ++x) painted += opaque(p->img, x, y);
            CHECK(painted > e.w * e.h / 40);
        }
    }
}

static void check_determinism(const std::vector<Picture>& a) {
    g_case = "determinism";
    std::vector<Picture> b;
    figures::add_scenery_changer_sheets(b);
    CHECK(a.size() == b.size());
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        CHECK(a[i].name == b[i].name);
        CHECK(a[i].img.px == b[i].img.px);
    }
}

static std::vector<Rect> table(const SheetWant& s) {
    std::vector<Rect> t;
    for (const Entry& e : s.entries) t.push_back({e.x, 0, e.w, e.h});
    return t;
}

// The sweeper's frames are 66 to 86 rows high and all drawn from their top
// at the script's y (the long rest 18 rows higher): his feet stay on one
// stage row, 65 below y, however tall the frame, and nothing jumps while he
// walks or pauses. Drawn at the points of one pass: a walk, each pause.
static void check_sweeper_stands(const std::vector<Picture>& pics) {
    const Picture* p = find(pics, "FIG22_T00");
    if (!p) return;
    const std::vector<Rect> t = table(wanted()[1]);
    const int x = 300, y = 155;  // front band: y = 358 - d - 68 with d = 135
    const std::vector<Draw> walk = walk_run(0, x, y, 14);
    const std::vector<Draw> pause2 = {{4, x - 6, y}, {5, x - 6, y}, {6, x - 6, y}, {7, x - 6, y}};
    const std::vector<Draw> rest = {{8, x + 20, y - 18}, {9, x + 20, y - 18}, {10, x + 20, y - 18}, {11, x + 20, y - 18}};
    const std::vector<Draw> look = {{12, x + 5, y}, {13, x + 5, y}, {14, x + 5, y}};
    for (const auto* run : {&walk, &pause2, &rest, &look}) check_on_ground(p->img, t, *run, y + 65, "FIG22");
    check_continuity(p->img, t, {walk, pause2, rest, look}, "FIG22");
}

// The sweeper's script wipes the pavement in entry columns 40..70 at the
// end of each walking run: the broom head has to be there, on the ground
// (row 65 of the entry), ahead of him.
static void check_broom(const std::vector<Picture>& pics) {
    const Picture* p = find(pics, "FIG22_T00");
    if (!p) return;
    const std::vector<Entry> e = wanted()[1].entries;
    for (int k = 0; k < 4; ++k) {
        g_case = "FIG22 broom in walk entry " + std::to_string(k);
        const std::vector<int> cols = opaque_cols(p->img, e[k], 65);
        int in_band = 0, right = -1;
        for (int c : cols) {
            in_band += (c >= 40 && c <= 70);
            right = c;
        }
        CHECK(in_band >= 8);
        CHECK(right >= 48);
    }
}

// The bill poster's ladder stands still against the board while the script
// moves the origin 30 columns right between entries 9 and 10: its feet are
// at the same columns in entries 10..24 and 30 columns further right in 6..9.
static void check_ladder(const std::vector<Picture>& pics) {
    const Picture* p = find(pics, "FIG27_T00");
    if (!p) return;
    const std::vector<Entry> e = wanted()[2].entries;
    auto ladder_feet = [&](int k) {
        // the rightmost opaque run of the bottom row: the person stands left of it
        std::vector<int> c = opaque_cols(p->img, e[k], 137);
        return c.empty() ? -1 : c.back();
    };
    const int ref = ladder_feet(12);
    g_case = "FIG27 ladder foot";
    CHECK(ref > 0);
    for (int k = 10; k <= 23; ++k) {
        g_case = "FIG27 ladder foot in entry " + std::to_string(k);
        CHECK(ladder_feet(k) == ref);
    }
    for (int k = 6; k <= 9; ++k) {
        g_case = "FIG27 ladder foot in entry " + std::to_string(k);
        CHECK(ladder_feet(k) == ref + 30);
    }
    // It is a stepladder standing on its own right in front of the board
    // (stage columns 300..467), not a ladder leaning on the shelter left of
    // it: while he is up on it (entries 7..23) the ground row shows its two
    // feet well apart, the back one close to the board; and he reaches the
    // board from it with the brush in the entries wide enough to get there.
    const std::vector<Rect> t = table(wanted()[2]);
    const int y = 358 - 138 - 195;
    auto at = [&](int k) { return Draw{k, k <= 9 ? 212 : 242, y}; };
    for (int k = 7; k <= 23; ++k) {
        g_case = "FIG27 stepladder in entry " + std::to_string(k);
        const Draw d = at(k);
        std::vector<int> cols;
        for (int c : opaque_cols(p->img, e[size_t(k)], 137)) cols.push_back(d.x + c);
        CHECK(!cols.empty());
        if (cols.empty()) continue;
        CHECK(cols.back() >= 285 && cols.back() < 300);
        CHECK(cols.back() - cols.front() >= 25);
        int runs = 1;
        for (size_t i = 1; i < cols.size(); ++i) runs += cols[i] > cols[i - 1] + 1;
        CHECK(runs == 2);
    }
    for (int k : {13, 14, 15, 17, 18, 19, 20, 21}) {
        g_case = "FIG27 brush on the board in entry " + std::to_string(k);
        CHECK(stage_rows(p->img, t[size_t(k)], at(k), 300).head >= 0);
    }
    // he stands on the pavement or on the ladder's steps, the ladder's feet
    // on the ground; walking in and off, nothing bobs
    std::vector<Draw> all;
    for (int k = 0; k < 32; ++k) all.push_back(k < 4 ? Draw{k, 100, y} : k >= 28 ? Draw{k, 255, y} : at(k));
    check_on_ground(p->img, t, all, y + 137, "FIG27");
    check_continuity(p->img, t, {walk_run(0, 100, y, 34), walk_run(28, 255, y, 34)}, "FIG27");
    // the new bill is spread far across the board in entry 16 only
    g_case = "FIG27 bill spread in entry 16";
    int far = 0;
    for (int y = 0; y < 138; ++y)
        for (int x = 100; x < 144; ++x) far += opaque(p->img, e[16].x + x, y);
    CHECK(far > 44 * 30);
}

// Entries 0..8 of figure 16 stand on row 72; the litter scrap is drawn 74
// rows below her y, so the sheet's rows 73..89 hold nothing. The scrap lies
// flat in its top rows, right in front of her feet, where the shopping of
// entry 7 landed: it does not drop further when it takes over from it.
static void check_fig16(const std::vector<Picture>& pics) {
    const Picture* p = find(pics, "FIG16_T00");
    if (!p) return;
    const std::vector<Rect> t = table(wanted()[0]);
    const int x = 150, y = 100;
    const std::vector<Draw> walk = walk_run(0, x, y, -14);
    const std::vector<Draw> drop = {{4, x - 25, y}, {5, x - 14, y}, {6, x - 14, y}, {7, x - 14, y}, {8, x - 14, y}};
    check_on_ground(p->img, t, walk, y + 72, "FIG16");
    check_on_ground(p->img, t, drop, y + 72, "FIG16");
    check_continuity(p->img, t, {walk}, "FIG16");
    {
        g_case = "FIG16 scrap where the shopping landed";
        const Draw scrap{9, x - 14, y + 74};
        // the landed shopping: entry 7's lowest rows in front of her, over the
        // columns the scrap covers
        const StageRows landed = stage_rows(p->img, t[7], drop[3], scrap.x, scrap.x + 48);
        const StageRows mess = stage_rows(p->img, t[9], scrap);
        CHECK(landed.feet == y + 72);
        CHECK(mess.head >= 0 && mess.head <= y + 75);
        CHECK(mess.feet - landed.feet <= 6);
    }
    g_case = "FIG16 rows below the figure";
    int below = 0;
    for (int y = 73; y < 90; ++y)
        for (int x = 0; x < 728; ++x) below += opaque(p->img, x, y);
    CHECK(below == 0);
    // the scrap is spilled shopping, spread over most of its width
    g_case = "FIG16 scrap";
    std::vector<int> cols;  // over its lowest rows
    for (int row = 2; row <= 4; ++row)
        for (int c : opaque_cols(p->img, {673, 48, 16}, row))
            if (cols.empty() || c > cols.back()) cols.push_back(c);
    CHECK(cols.size() >= 16);
    CHECK(!cols.empty() && cols.front() < 10 && cols.back() > 36);
}

int main() {
    std::vector<Picture> pics;
    figures::add_scenery_changer_sheets(pics);
    check_layout(pics);
    check_determinism(pics);
    check_sweeper_stands(pics);
    check_broom(pics);
    check_ladder(pics);
    check_fig16(pics);
    std::printf("changer tests: %d passed, %d failed\n", g_passed, g_failed);
    return g_failed ? 1 : 0;
}
