// The strollers: a family out for an evening walk along the shops. Each
// member enters at the right, ambles left, lingers at the shop windows
// (looking, talking, pointing) and walks on or turns back to the right.
// Figure 29 (the mother; her day sheet is the parcel errand), 40 (the
// daughter in her red dress), 49 (the son), 50 (the father with hat and
// umbrella), 56 (the grandparents, arm in arm), 57 (the elder daughter and
// her husband).
//
// Where the figure stands in each frame follows from how its script moves
// it: walking frames carry the figure on inside their rectangles because
// the script moves it only at run ends; on starting to linger the script
// takes back the step of the run just ended, so the lingering frames stand
// where the last walking frame was; moving on shifts the figure by the
// member's own amounts (`a` to the right, `b` back to the left), and the
// first walking frame then has its trailing foot where the feet stood.
#include <algorithm>

#include "figures/cast.h"
#include "figures/figures.h"
#include "figures/person.h"
#include "figures/person_paint.h"
#include "figures/strollers.h"

namespace art::figures {

namespace strollers {

void put(FigureSheet& s, int k, const std::function<double(Image& frame)>& painter) {
    double hip = 0;
    paint_frame(s.img, s.frames[size_t(k)], [&](Image& f) { hip = painter(f); });
    s.hip[size_t(k)] = hip;
}

FigureSheet blank(const std::string& name, int w, int h, int frame_h, const std::vector<std::pair<int, int>>& table) {
    FigureSheet s;
    s.name = name;
    s.img = Image(w, h);
    s.frames = frames_on_row(table, frame_h);
    s.hip.assign(s.frames.size(), 0.0);
    return s;
}

FigureSheet by_night(FigureSheet s, const std::string& name) {
    s.name = name;
    night_light(s.img, {0, 0, s.img.w, s.img.h});
    return s;
}

}  // namespace strollers

namespace {

using paint::operator+;
using paint::operator-;
using strollers::put;

// What a member carries in the near hand while walking and standing.
Held carried(const Look& L) {
    switch (L.carry) {
        case Carry::Handbag: return Held::Handbag;
        case Carry::Umbrella: return Held::Umbrella;
        default: return Held::None;
    }
}

// An evening amble: a shorter stride than the errand walkers, and a bag or
// umbrella arm that hardly swings.
Pose ambling(const Look& L, int k, int facing) {
    Pose p = walk_pose(k, facing, 0.18 * L.height, L.height);
    p.lean = 1.5;
    p.hold[0] = carried(L);
    if (p.hold[0] != Held::None) {
        p.arm[0].swing *= 0.3;
        p.arm[0].bend = 5;
    }
    return p;
}

// Half the distance between the feet at contact: how far the hip of the
// first walking frame is ahead of where the feet stood.
double half_stride(const Look& L) { return 0.09 * L.height; }

// What a lingering frame shows.
enum class Do : uint8_t {
    Halt,       // stopped, still turned the way it walked (left)
    Window,     // turned to the shop windows, back to the viewer
    WindowL,    // ... looking along them to the left
    WindowR,    // ... and to the right
    Point,      // pointing up at a display
    PointHigh,  // pointing higher, chin up
    Talk,       // turned to the viewer, talking to the family behind
    Blink,      // turned to the viewer, quiet
    LookOn,     // turned to the viewer, looking on along the street (left)
    Turn,       // turning to go on either way
};

Pose linger_pose(const Look& L, Do what) {
    Pose p;
    switch (what) {
        case Do::Halt: p = stand_pose(-1); break;
        case Do::Window:
        case Do::WindowL:
        case Do::WindowR:
            p = front_pose();
            p.view = View::Back;
            p.look = what == Do::WindowL ? -1 : what == Do::WindowR ? 1 : 0;
            break;
        case Do::Point:
        case Do::PointHigh:
            p = front_pose();
            p.view = View::Back;
            p.look = 1;
            p.arm[1] = what == Do::Point ? Limb{146, 12} : Limb{154, 6};
            p.nod = what == Do::Point ? -4 : -10;
            p.hold[1] = Held::Fist;
            break;
        case Do::Talk:
            p = front_pose();
            p.look = 1;
            p.mouth = 1;
            p.arm[1] = {22, 40};
            break;
        case Do::Blink:
            p = front_pose();
            p.blink = true;
            break;
        case Do::LookOn:
            p = front_pose();
            p.look = -1;
            break;
        case Do::Turn: p = turn_pose(-1, 1); break;
    }
    if (p.hold[0] == Held::None) p.hold[0] = carried(L);
    return p;
}

// The numbers of a single stroller: its frame table, how far its script
// moves it, and which frames do what.
struct Single {
    int id;
    std::string name;  // without the _T00 / _N00 ending
    int w, h, frame_h;
    std::vector<std::pair<int, int>> table;
    double step, a, b;  // per run; moving on to the right (+a) or back to the left (-b)
    double linger;      // hip column while lingering
    std::vector<Do> lingering;
};

FigureSheet single_sheet(const Single& m, const char* ending) {
    const Look& L = cast(m.id)->person[0];
    FigureSheet s = strollers::blank(m.name + ending, m.w, m.h, m.frame_h, m.table);
    const int n_linger = int(m.lingering.size());
    const int right = 4 + n_linger;
    // the last walking frame before a halt stands 3 pixels behind the halt
    const double left0 = m.linger + 3 + 0.75 * m.step;
    const double right0 = m.linger + half_stride(L) - m.a;
    auto person = [&](Image& f, const Pose& p, double ax) { return paint_person(f, L, p, ax, f.h - 1).hip.x; };
    for (int k = 0; k < 4; ++k) {
        put(s, k, [&](Image& f) { return person(f, ambling(L, k, -1), walk_anchor(left0, m.step, k, -1)); });
        put(s, right + k, [&](Image& f) { return person(f, ambling(L, k, 1), walk_anchor(right0, m.step, k, 1)); });
    }
    for (int i = 0; i < n_linger; ++i)
        put(s, 4 + i, [&](Image& f) { return person(f, linger_pose(L, m.lingering[size_t(i)]), m.linger); });
    return s;
}

const std::vector<Do> kTenLingering = {Do::Halt, Do::Point,     Do::Window, Do::WindowL, Do::WindowR,
                                       Do::Talk, Do::PointHigh, Do::Blink,  Do::LookOn,  Do::Turn};

std::vector<Single> singles() {
    const std::vector<std::pair<int, int>> t2940 = {{0, 56},   {57, 56},  {114, 56}, {171, 48}, {220, 40}, {261, 48},
                                                    {310, 40}, {351, 40}, {392, 40}, {433, 40}, {474, 48}, {523, 40},
                                                    {564, 40}, {605, 40}, {646, 32}, {679, 40}, {720, 40}, {761, 48}};
    return {
        {29, "FIG29", 816, 79, 79, t2940, 16, 9, 23, 19, kTenLingering},
        {40, "FIG40", 816, 79, 79, t2940, 16, 9, 23, 19, kTenLingering},
        {49, "FIG49", 736, 76, 76,
         {{0, 64}, {65, 64}, {130, 56}, {187, 56}, {244, 48}, {293, 48}, {342, 48}, {391, 48}, {440, 48}, {489, 48},
          {538, 40}, {579, 48}, {628, 48}, {677, 56}},
         15, 10, 21, 20, {Do::Halt, Do::WindowL, Do::Point, Do::Talk, Do::LookOn, Do::Turn}},
        {50, "FIG50", 1096, 90, 85,
         {{0, 72}, {73, 72}, {146, 72}, {219, 64}, {284, 64}, {349, 64}, {414, 64}, {479, 64}, {544, 64},
          {609, 56}, {666, 56}, {723, 56}, {780, 56}, {837, 56}, {894, 40}, {935, 48}, {984, 48}, {1033, 56}},
         16, 11, 20, 26, kTenLingering},
    };
}

// ---------------------------------------------------------------------------
// The couples, arm in arm: he walks on the far side, she on the near side a
// little ahead. Their first linger (4..13) stands where the last walk ended;
// the second (15..21) is drawn 8 pixels further right by the script and so
// stands 8 pixels further left in its frames: the same place in the street.

struct Couple {
    int id;
    std::string name;
    double linger;  // middle between the two hips in the first linger
};

constexpr double kCoupleStep = 18, kCoupleA = 8, kCoupleB = 20, kSecondLingerShift = 8;
constexpr int kFarLift = 2;  // the far one stands a little up the pavement

const std::vector<std::pair<int, int>>& couple_table() {
    static const std::vector<std::pair<int, int>> t = [] {
        std::vector<std::pair<int, int>> v = {{0, 104},   {105, 104},  {210, 104},  {315, 96},  {412, 96},
                                              {509, 96},  {606, 88},   {695, 96},   {792, 96},  {889, 96},
                                              {986, 96},  {1083, 96},  {1180, 96},  {1277, 88}, {1366, 88},
                                              {1455, 80}};
        for (int e = 16; e <= 21; ++e) v.push_back({1536 + 81 * (e - 16), 80});
        for (auto e : {std::make_pair(2022, 88), {2111, 88}, {2200, 88}, {2289, 96}}) v.push_back(e);
        return v;
    }();
    return t;
}

// Her far arm hooked under his near arm, both hands resting at his forearm.
void hook_arm(const Look& he, Pose& hp, double hx, const Look& she, Pose& sp, double sx, int ground) {
    hp.arm[0] = {18, 62};
    hp.hold[0] = Held::Fist;
    const Rig hr = rig_person(he, hp, hx, ground - kFarLift);
    const Rig sr = rig_person(she, sp, sx, ground);
    const double H = she.height;
    const int f = sp.view == View::Side ? sp.facing : 1;
    const Pt at = paint::lerp(hr.elbow[0], hr.hand[0], 0.45);
    sp.put_hand(1, (at.x - sr.neck.x) * f / H, (at.y - sr.neck.y) / H);
}

// A pair frame: he at mid - gap / 2 (screen left), she at mid + gap / 2.
struct PairPose {
    Pose he, she;
    double gap = 12;
    bool arm_in_arm = false;
};

double paint_pair(Image& f, const CastEntry& c, PairPose pp, double mid) {
    const Look& he = c.person[0];
    const Look& she = c.person[1];
    const int g = f.h - 1;
    double hx = mid - pp.gap / 2, sx = mid + pp.gap / 2;
    if (pp.he.view == View::Side && pp.she.view == View::Side && pp.he.facing == pp.she.facing) {
        // walking the same way: she is ahead, he trails
        hx = mid - pp.he.facing * pp.gap / 2;
        sx = mid + pp.he.facing * pp.gap / 2;
    }
    if (pp.arm_in_arm) hook_arm(he, pp.he, hx, she, pp.she, sx, g);
    const Rig a = paint_person(f, he, pp.he, hx, g - kFarLift);
    const Rig b = paint_person(f, she, pp.she, sx, g);
    return (a.hip.x + b.hip.x) / 2;
}

PairPose couple_walking(const CastEntry& c, int k, int facing) {
    PairPose pp;
    pp.he = walk_pose(k, facing, 0.18 * c.person[0].height, c.person[0].height);
    pp.she = walk_pose(k, facing, 0.18 * c.person[1].height, c.person[1].height);
    pp.she.arm[1] = {0, 0};
    pp.gap = 12;  // apart enough for her hand on his arm to show
    pp.arm_in_arm = true;
    return pp;
}

Pose side(int facing, int mouth = 0) {
    Pose p = stand_pose(facing);
    p.mouth = mouth;
    return p;
}

Pose back_view(int look) {
    Pose p = front_pose();
    p.view = View::Back;
    p.look = look;
    return p;
}

Pose front_view(int look, bool blink = false) {
    Pose p = front_pose();
    p.look = look;
    p.blink = blink;
    return p;
}

Pose pointing(Pose p, int arm) {
    p.arm[arm] = {124, 10};
    p.hold[arm] = Held::Fist;
    p.nod = -6;
    return p;
}

// Lingering frames of a couple: 4..13 the first linger, 14 (never shown)
// a quiet frame, 15..21 the second.
PairPose couple_lingering(int k) {
    PairPose pp;
    pp.gap = 18;
    switch (k) {
        case 4:  // halted, still arm in arm and turned to the left
            pp.he = side(-1), pp.she = side(-1), pp.gap = 8, pp.arm_in_arm = true;
            break;
        case 5: pp.he = back_view(0), pp.she = back_view(-1); break;
        case 6: pp.he = pointing(back_view(1), 0), pp.she = back_view(-1); break;
        case 7: pp.he = side(1, 1), pp.she = side(-1); break;
        case 8: pp.he = back_view(1), pp.she = back_view(-1); break;
        case 9: pp.he = front_view(1), pp.she = front_view(-1, true); break;
        case 10: pp.he = side(1), pp.she = side(-1, 1), pp.she.arm[1] = {30, 50}; break;
        case 11: pp.he = back_view(1), pp.she = pointing(back_view(0), 1); break;
        case 12: pp.he = front_view(-1), pp.she = front_view(-1); break;
        case 13: pp.he = turn_pose(-1, 1), pp.she = turn_pose(-1, 1); break;
        case 14: pp.he = front_view(0), pp.she = front_view(0); break;
        case 15: pp.he = side(1), pp.she = side(-1); break;
        case 16: pp.he = side(1, 1), pp.she = side(-1), pp.she.nod = 6; break;
        case 17:  // laughing together
            pp.he = side(1, 1), pp.she = side(-1, 1);
            pp.he.nod = -8, pp.she.nod = -10, pp.she.blink = true;
            pp.gap = 16;
            break;
        case 18: pp.he = back_view(1), pp.she = back_view(-1), pp.gap = 14; break;
        case 19: pp.he = back_view(0), pp.she = pointing(back_view(1), 1); break;
        case 20: pp.he = front_view(1, true), pp.she = front_view(-1); break;
        default: pp.he = turn_pose(-1, 1), pp.she = turn_pose(-1, 1); break;
    }
    if (k == 18) {
        // his arm round her shoulders
        pp.he.hold[1] = Held::Fist;
        pp.he.put_hand(1, 0.3, 0.04);
    }
    return pp;
}

FigureSheet couple_sheet(const Couple& m, const char* ending) {
    const CastEntry& c = *cast(m.id);
    FigureSheet s = strollers::blank(m.name + ending, 2392, 82, 82, couple_table());
    const double left0 = m.linger + 3 + 0.75 * kCoupleStep;
    const double second = m.linger - kSecondLingerShift;
    const double right0 = second + half_stride(c.person[1]);
    for (int k = 0; k < 4; ++k) {
        put(s, k, [&](Image& f) { return paint_pair(f, c, couple_walking(c, k, -1), walk_anchor(left0, kCoupleStep, k, -1)); });
        put(s, 22 + k, [&](Image& f) { return paint_pair(f, c, couple_walking(c, k, 1), walk_anchor(right0, kCoupleStep, k, 1)); });
    }
    for (int k = 4; k <= 21; ++k)
        put(s, k, [&](Image& f) { return paint_pair(f, c, couple_lingering(k), k < 15 ? m.linger : second); });
    return s;
}

}  // namespace

std::vector<FigureSheet> stroller_sheets() {
    std::vector<FigureSheet> out;
    for (const Single& m : singles()) {
        FigureSheet day = single_sheet(m, "_T00");
        if (m.id == 49 || m.id == 50) out.push_back(day);
        FigureSheet night = strollers::by_night(day, m.name + "_N00");
        if (m.id == 50) {
            // the night sheet is only as high as its frames
            Image cut(night.img.w, 85);
            cut.paste(night.img.crop({0, 0, night.img.w, 85}), 0, 0);
            night.img = cut;
        }
        out.push_back(night);
    }
    for (const Couple& m : {Couple{56, "FIG56", 46}, Couple{57, "FIG57", 46}}) {
        FigureSheet day = couple_sheet(m, "_T00");
        if (m.id == 56) out.push_back(day);
        out.push_back(strollers::by_night(day, m.name + "_N00"));
    }
    return out;
}

void add_stroller_sheets(std::vector<Picture>& out) {
    for (std::vector<FigureSheet> sheets : {stroller_sheets(), night_loner_sheets()})
        for (FigureSheet& s : sheets) out.push_back({s.name, "strollers", std::move(s.img), BmpFormat::Rle8});
}

}  // namespace art::figures
