// Tests of the flying objects' pictures: the sizes the flight code reads from
// frame 0, a clean key round every object (the engine lays them over the sky
// with a mask), frames that actually animate, planes that lead with the nose
// and trail their banner, and the same bytes on every run.
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "catalogue.h"
#include "figures/figures.h"

using namespace art;

#include "check.h"

namespace {

struct Kind {
    int type, frames, w, h;
};
const Kind kKinds[] = {{1, 2, 360, 86}, {2, 2, 400, 86}, {3, 2, 112, 113}, {4, 2, 112, 113},
                       {5, 2, 112, 113}, {6, 4, 120, 74}, {7, 4, 120, 74}};

std::string name_of(int type, int frame) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "FLUG%d_%02d", type, frame);
    return buf;
}

int opaque_in(const Image& img, const Rect& r) {
    int n = 0;
    for (int y = r.y; y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x) n += img.get(x, y) != KEY;
    return n;
}

int differing(const Image& a, const Image& b) {
    int n = 0;
    for (size_t i = 0; i < a.px.size() && i < b.px.size(); ++i) n += a.px[i] != b.px[i];
    return n;
}

using Pics = std::map<std::string, const Picture*>;

void catalogue_cases(const std::vector<Picture>& pics, const Pics& by) {
    g_case = "catalogue";
    size_t expected = 0;
    for (const Kind& k : kKinds) {
        expected += size_t(k.frames);
        for (int f = 0; f < k.frames; ++f) {
            std::string n = name_of(k.type, f);
            g_case = "catalogue " + n;
            auto it = by.find(n);
            CHECK(it != by.end());
            if (it == by.end()) continue;
            const Picture& p = *it->second;
            CHECK(p.img.w == k.w && p.img.h == k.h);
            CHECK(int(p.img.px.size()) == k.w * k.h);
            CHECK(p.family == "aircraft");
            CHECK(p.format == BmpFormat::Rle8);
        }
        // No frame beyond the count the flight code loads.
        CHECK(!by.count(name_of(k.type, k.frames)));
    }
    g_case = "catalogue";
    CHECK(pics.size() == expected);
}

void key_cases(const Pics& by) {
    for (const auto& [name, pic] : by) {
        g_case = "key " + name;
        const Image& img = pic->img;
        // The outermost ring stays key: nothing is cut off at the frame's
        // edges, whichever way the object drifts.
        CHECK(opaque_in(img, {0, 0, img.w, 1}) == 0);
        CHECK(opaque_in(img, {0, img.h - 1, img.w, 1}) == 0);
        CHECK(opaque_in(img, {0, 0, 1, img.h}) == 0);
        CHECK(opaque_in(img, {img.w - 1, 0, 1, img.h}) == 0);
        // The object is drawn, and the sky shows round it.
        int opaque = opaque_in(img, {0, 0, img.w, img.h});
        CHECK(opaque > img.w * img.h / 50);
        CHECK(opaque < img.w * img.h * 3 / 4);
        // Painted pixels come from our ramps: no system colour (black outlines,
        // the garish Windows entries) slips in.
        int foreign = 0;
        for (uint8_t c : img.px)
            if (c != KEY && (c < 10 || c > 245)) ++foreign;
        CHECK(foreign == 0);
    }
}

void animation_cases(const Pics& by) {
    for (const Kind& k : kKinds) {
        g_case = "animation FLUG" + std::to_string(k.type);
        std::vector<const Image*> fr;
        for (int f = 0; f < k.frames; ++f) {
            auto it = by.find(name_of(k.type, f));
            if (it != by.end()) fr.push_back(&it->second->img);
        }
        CHECK(int(fr.size()) == k.frames);
        if (int(fr.size()) != k.frames) continue;
        // Every frame differs visibly from every other one of its object,
        // yet they stay the same object (most of the picture agrees).
        for (int a = 0; a < k.frames; ++a)
            for (int b = a + 1; b < k.frames; ++b) {
                int d = differing(*fr[a], *fr[b]);
                CHECK(d > 20);
                CHECK(d < k.w * k.h / 2);
            }
    }
    g_case = "animation kinds";
    // The three balloons and the two bird kinds are different pictures, not recolourings of one shape.
    auto mask_diff = [&](const std::string& a, const std::string& b) {
        const Image& x = by.at(a)->img;
        const Image& y = by.at(b)->img;
        int n = 0;
        for (size_t i = 0; i < x.px.size(); ++i) n += (x.px[i] == KEY) != (y.px[i] == KEY);
        return n;
    };
    if (by.count("FLUG3_00") && by.count("FLUG4_00") && by.count("FLUG5_00")) {
        CHECK(mask_diff("FLUG3_00", "FLUG4_00") > 100);
        CHECK(mask_diff("FLUG4_00", "FLUG5_00") > 100);
        CHECK(mask_diff("FLUG3_00", "FLUG5_00") > 100);
    }
    if (by.count("FLUG6_00") && by.count("FLUG7_00")) CHECK(mask_diff("FLUG6_00", "FLUG7_00") > 500);
}

void plane_cases(const Pics& by) {
    for (int type = 1; type <= 2; ++type)
        for (int f = 0; f < 2; ++f) {
            std::string n = name_of(type, f);
            g_case = "plane " + n;
            auto it = by.find(n);
            if (it == by.end()) continue;
            const Image& img = it->second->img;
            // It flies left: the plane leads at the left end, the banner
            // trails to the right and fills the frame's far end.
            CHECK(opaque_in(img, {1, 0, 12, img.h}) > 0);
            CHECK(opaque_in(img, {img.w - 24, 0, 22, img.h}) > 22 * 16);
            // Between plane and banner only the tow rope: a thin gap.
            int thinnest = img.h;
            for (int x = 82; x < 96; ++x) thinnest = std::min(thinnest, opaque_in(img, {x, 0, 1, img.h}));
            CHECK(thinnest <= 3);
            // The banner is a wide band of cloth, taller than the rope is thick.
            CHECK(opaque_in(img, {img.w / 2, 0, 1, img.h}) >= 20);
        }
    // The mail banner is not the ordinary one with another length.
    g_case = "plane banners";
    if (by.count("FLUG1_00") && by.count("FLUG2_00")) {
        const Image& a = by.at("FLUG1_00")->img;
        const Image& b = by.at("FLUG2_00")->img;
        int d = 0;
        for (int y = 0; y < a.h; ++y)
            for (int x = 100; x < 300; ++x) d += a.get(x, y) != b.get(x, y);
        CHECK(d > 2000);
    }
}

void determinism_case(const std::vector<Picture>& first) {
    g_case = "determinism";
    std::vector<Picture> again;
    figures::add_aircraft_pictures(again);
    CHECK(again.size() == first.size());
    for (size_t i = 0; i < again.size() && i < first.size(); ++i) {
        CHECK(again[i].name == first[i].name);
        CHECK(again[i].img.px == first[i].img.px);
    }
}

}  // namespace

int main() {
    std::vector<Picture> pics;
    figures::add_aircraft_pictures(pics);
    Pics by;
    for (const Picture& p : pics) by[p.name] = &p;
    catalogue_cases(pics, by);
    key_cases(by);
    animation_cases(by);
    plane_cases(by);
    determinism_case(pics);
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
