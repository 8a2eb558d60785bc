// Where a figure's head and feet land on the stage, tick after tick.
//
// The engine draws every frame from its top-left corner at the script's
// point (x, y), whatever the frame's own height. A sheet is right when, at
// the points where its script draws the frames, the feet stay on the
// script's ground row and head and feet do not jump between one picture and
// the next. A family's test types in the draws of its script (entry, x, y)
// and hands them to these checks. Include after check.h.
#pragma once
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/image.h"

// One picture as the script shows it: frame table entry and stage point.
struct Draw {
    int entry, x, y;
};

// Highest and lowest opaque stage row of a drawn frame (-1 when empty),
// optionally only over stage columns [from, to): a prop that stands off to
// one side can be left out, or measured on its own.
struct StageRows {
    int head = -1, feet = -1;
};

static inline StageRows stage_rows(const art::Image& sheet, const art::Rect& f, const Draw& d, int from = INT_MIN,
                                   int to = INT_MAX) {
    StageRows r;
    for (int y = 0; y < f.h; ++y)
        for (int x = 0; x < f.w; ++x) {
            if (d.x + x < from || d.x + x >= to) continue;
            if (sheet.get(f.x + x, f.y + y) == art::KEY) continue;
            if (r.head < 0) r.head = d.y + y;
            r.feet = d.y + y;
        }
    return r;
}

// Every draw has its feet on stage row `ground`.
static inline void check_on_ground(const art::Image& sheet, const std::vector<art::Rect>& table,
                                   const std::vector<Draw>& draws, int ground, const std::string& what) {
    for (const Draw& d : draws) {
        g_case = what + " entry " + std::to_string(d.entry) + " on the ground";
        const StageRows r = stage_rows(sheet, table.at(size_t(d.entry)), d);
        if (r.feet != ground) std::printf("  feet on stage row %d, ground is %d\n", r.feet, ground);
        CHECK(r.feet == ground);
    }
}

// Consecutive draws of each run move head and feet by at most `tol` rows.
// A run is what one phase shows in order; a repeating run lists its first
// picture again at the end (with the step the script takes), so that the
// loop back is checked as well. Columns as in stage_rows.
static inline void check_continuity(const art::Image& sheet, const std::vector<art::Rect>& table,
                                    const std::vector<std::vector<Draw>>& runs, const std::string& what, int tol = 2,
                                    int from = INT_MIN, int to = INT_MAX) {
    for (const std::vector<Draw>& run : runs)
        for (size_t i = 1; i < run.size(); ++i) {
            const Draw &a = run[i - 1], &b = run[i];
            g_case = what + " entry " + std::to_string(a.entry) + " to " + std::to_string(b.entry);
            const StageRows ra = stage_rows(sheet, table.at(size_t(a.entry)), a, from, to);
            const StageRows rb = stage_rows(sheet, table.at(size_t(b.entry)), b, from, to);
            CHECK(ra.head >= 0 && rb.head >= 0);
            const bool head_ok = std::abs(ra.head - rb.head) <= tol, feet_ok = std::abs(ra.feet - rb.feet) <= tol;
            if (!head_ok || !feet_ok)
                std::printf("  head %d -> %d, feet %d -> %d (stage rows)\n", ra.head, rb.head, ra.feet, rb.feet);
            CHECK(head_ok);
            CHECK(feet_ok);
        }
}

// A walking run of four entries drawn at one point, then the first entry
// again one step further on: the draws of the usual walk cycle.
static inline std::vector<Draw> walk_run(int first, int x, int y, int step) {
    return {{first, x, y}, {first + 1, x, y}, {first + 2, x, y}, {first + 3, x, y}, {first, x + step, y}};
}
