// A posable person and a dog, painted from a cast look and a pose, lit from
// the upper left, with hard edges and outlines one step darker than the fill.
//
// Poses are given in the body's own terms (how far a leg swings forward, how
// much a knee bends); the painter works out where everything lands, stands
// the figure on the given ground row and paints it back to front.
#pragma once
#include <functional>

#include "core/draw.h"
#include "core/image.h"
#include "figures/cast.h"

namespace art::figures {

enum class View : uint8_t { Side, Front, Back };

// What a hand holds in a pose. Bags hang from the hand; small things sit in
// the fist; the open newspaper is held with both hands (give it to either).
enum class Held : uint8_t {
    None,
    Fist,    // closed hand, e.g. on a leash whose line the caller draws
    Pocket,  // hand out of sight in a pocket
    Briefcase,
    Handbag,
    ShoppingBag,  // paper bag with apples showing at the top
    Apple,
    AppleBitten,
    Banana,       // unpeeled
    BananaOpen,   // peeled, the skin hanging down round the fist
    Peel,         // the empty skin, about to be thrown
    Can,
    Newspaper,      // folded, in the hand
    NewspaperOpen,  // spread in front of the chest with both hands
    Receiver,       // telephone handset at the ear
    Umbrella,       // furled, its tip on the ground
    Stick,          // walking stick
    Watch,          // wrist turned up to read the watch
    Cigarette,
    Parcel,
    Basket,
};

struct Limb {
    double swing = 0;  // side view: degrees forward from hanging straight down; front view: outwards
    double bend = 0;   // knee backwards, elbow forwards (front view: inwards), degrees
};

struct Pose {
    View view = View::Side;
    int facing = 1;     // side view: +1 faces right, -1 faces left
    double lean = 0;    // torso, degrees forward (side view) or to the figure's left (front view)
    Limb leg[2];        // side view: [0] near leg, [1] far leg; front view: [0] screen-left, [1] screen-right
    Limb arm[2];        // as the legs
    double toe[2] = {0, 0};  // foot pitch in degrees, toes down positive
    int look = 0;       // front and back view: -1 head turned to screen-left, 0 straight, +1 to screen-right;
                        // side view: 0 ahead, 1 head turned towards the viewer
    double nod = 0;     // head pitch, degrees, chin down positive
    int mouth = 0;      // 0 shut, 1 open (talking, biting), 2 chewing
    bool blink = false;
    Held hold[2] = {Held::None, Held::None};
    bool worn = true;   // draw what the look wears on the body (rucksack, shoulder bag, scarf)
    double drop = 0;    // extra pixels the hips sink (crouching, sitting on something)
    // Hands placed at a point instead of by angles: offset from the base of
    // the neck in units of the figure's height (x forwards in side view,
    // screen right in front view; y down). The elbow finds its own place.
    bool reach[2] = {false, false};
    Pt hand_at[2] = {{0, 0}, {0, 0}};
    void put_hand(int i, double x, double y) {
        reach[i] = true;
        hand_at[i] = {x, y};
    }
};

// Where the painted figure's joints ended up, in the target picture.
struct Rig {
    Pt hip, chest, neck, head;
    double head_rx = 0, head_ry = 0;
    Pt shoulder[2], elbow[2], hand[2], knee[2], ankle[2];
    int ground = 0;
    int facing = 1;
};

// Layers at which a caller can paint things of its own into the figure,
// so that they sit correctly in depth: Behind everything, Middle (between
// the far limbs and the body), Front (over everything).
enum class Layer : uint8_t { Behind, Middle, Front };
namespace paint {
struct Canvas;
}
using Extra = std::function<void(paint::Canvas& cv, const Rig& rig, Layer layer)>;

// Paints the person with the hip joint at column ax and the soles on row
// `ground` (the lowest painted row of the feet is exactly `ground`).
Rig paint_person(Image& img, const Look& look, const Pose& pose, double ax, int ground,
                 const Extra& extra = nullptr);

// The joints of a pose without painting (same placement as paint_person).
Rig rig_person(const Look& look, const Pose& pose, double ax, int ground);

// Ready-made poses.
// One of the four walking frames: 0 contact (near leg ahead), 1 passing,
// 2 contact with the other leg, 3 passing. `stride` is the distance between
// the feet at contact in pixels; arms swing against the legs.
Pose walk_pose(int frame, int facing, double stride, double height);
Pose stand_pose(int facing);          // side view, weight on both feet
Pose front_pose();                    // facing the viewer, arms hanging
Pose sit_pose(int facing);            // seated, thighs level, shins down
Pose turn_pose(int from, int to);     // half-way through a turn (three-quarter front)

// A seeded look of the same person in other clothes (winter coat etc.) is
// made by editing a copy of the cast look; these help with common changes.
Look winter_dress(Look l);

// The dog: trot frames 0..3, standing, barking (mouth open, head up), sitting,
// jumping up on the leash. `ground` is the row its paws stand on; `x` the
// middle of its body; facing +1 right.
enum class DogPose : uint8_t { Trot0, Trot1, Trot2, Trot3, Stand, Bark, BarkHigh, Sit, Sniff, Jump };
struct DogRig {
    Pt collar, nose, tail;
};
DogRig paint_dog(Image& img, Animal kind, DogPose pose, double x, int ground, int facing);

// Street-lamp light on a finished sprite area: darker and cooler, with a warm
// rim on the lamp side of the silhouette.
void night_light(Image& img, const Rect& r);

// Lit from the upper left with a narrow dither band between two steps, so
// shading reads as bands, not as noise.
uint8_t band(const Ramp& r, double pos, int x, int y);

}  // namespace art::figures
