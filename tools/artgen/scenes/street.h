// The street of background 1 (the shelter scene), in its four lightings, and
// the light patches cut from its night pictures.
#pragma once
#include <vector>

#include "../core/image.h"

namespace street {

constexpr int kWidth = 1024, kHeight = 660;

// Rows of the pavement that the sweeper restores from the day picture; they
// must not differ between the seasons.
constexpr int kSweptTop = 458, kSweptBottom = 532;

// The telephone booth, in picture coordinates; callers' pictures are painted
// against it. The door is the left half of the glass, hinged on the middle
// post with its handle by the left post: callers come from the left, reach
// it from where they wait and leave through it to the left. The middle bar
// passes below the heads of callers inside, across their chests.
namespace booth_parts {
constexpr int kGlassLeft = 541, kGlassRight = 629, kGlassTop = 352, kGlassBottom = 452;
constexpr int kDoorRight = 583;  // the door fills kGlassLeft..kDoorRight; the middle post follows
constexpr int kHandleX = 544, kHandleTop = 405, kHandleRows = 14;
constexpr int kMiddleRail = 400;
constexpr int kFloor = 452;  // top row of the booth's base
}  // namespace booth_parts

// The four window groups whose lights change at night, in picture coordinates.
extern const art::Rect kPatch[4];

struct Window {
    art::Rect r;       // outer frame
    int group;         // patch group 0-3, or -1 for windows that never change
    int curtain;       // 0 none, 1 net, 2 side curtains
    bool flower_box;
};
const std::vector<Window>& windows();

// Which windows are lit: the night picture's own set, and the set of a patch
// variant (that differs only inside the patch's group).
std::vector<bool> base_lights(bool winter);
std::vector<bool> patch_lights(bool winter, int group, int variant);

art::Image paint(bool night, bool winter, const std::vector<bool>& lit);
art::Image paint(bool night, bool winter);

}  // namespace street
