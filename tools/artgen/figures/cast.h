// Who the persons of the street are: one entry per person id, so that a
// figure looks the same on every sheet it has and in the bus window.
#pragma once
#include <cstdint>

#include "core/palette.h"

namespace art::figures {

// A colour of a figure: a ramp and the step its lit-but-not-highlit surfaces
// sit on. Shading moves up and down from there.
struct Tone {
    Ramp ramp = ramp::grey;
    double base = 3.0;
    uint8_t mid() const { return ramp(int(base + 0.5)); }
};

enum class Sex : uint8_t { Male, Female };
enum class Age : uint8_t { Child, Teen, Adult, Old };

enum class Hair : uint8_t {
    Short,     // cropped sides, a little volume on top
    Parted,    // side parting, combed flat
    Crew,      // very short all over
    Balding,   // fringe of hair round a bare crown
    Curly,     // round volume
    Bob,       // chin length, fringe
    Long,      // past the shoulders
    Ponytail,  // pulled back, tail behind
    Bun,       // pulled back into a knot
    Plaits,    // two short plaits
};

enum class Beard : uint8_t { None, Moustache, Full, Stubble };

enum class Hat : uint8_t {
    None,
    Cap,        // baseball cap, peak forward
    FlatCap,    // cloth cap
    Trilby,     // brimmed felt hat
    WoolHat,    // knitted, with a bobble
    Headscarf,  // tied under the chin
    Hood,       // coat hood up
    PeakedCap,  // uniform cap with a hard peak
    Nikolaus,   // red hood edged in white fur
    BunnyEars,  // costume head with long ears
};

enum class Top : uint8_t {
    Shirt,     // shirt or blouse, tucked in
    Sweater,   // pullover, ribbed hem and cuffs
    Jacket,    // short jacket to the hip, open front
    Suit,      // tailored jacket over shirt and tie
    Anorak,    // padded jacket, zip, to the hip
    Coat,      // to the knee
    LongCoat,  // to the calf
    Dress,     // one piece with the skirt
    Overalls,  // bib-and-brace work clothes, one colour top to shoes
    Robe,      // ankle-long robe (Nikolaus)
    Costume,   // one furry piece from neck to feet
};

enum class Bottom : uint8_t { Trousers, Jeans, Skirt, Shorts, None };

// What a person carries when nothing else is going on; scripts may hand
// other things to either hand frame by frame.
enum class Carry : uint8_t {
    None,
    Briefcase,
    Handbag,
    ShoulderBag,
    Rucksack,
    ShoppingBag,  // paper bag
    Basket,
    Parcel,
    Stick,
    Umbrella,  // furled
    Sack,
    Broom,
    Trumpet,
    Newspaper,
    Ball,
    Tree,
};

struct Look {
    Sex sex = Sex::Male;
    Age age = Age::Adult;
    int height = 74;     // sole to crown in the street, pixels
    double build = 1.0;  // 1 ordinary, above 1 stout, below 1 slight
    double skin = 5.0;   // step on ramp::skin
    Hair hair = Hair::Short;
    Tone hair_tone{ramp::hair, 2.0};
    Beard beard = Beard::None;
    bool glasses = false;
    bool lipstick = false;
    Hat hat = Hat::None;
    Tone hat_tone{ramp::grey, 2.0};
    Top top = Top::Jacket;
    Tone top_tone{ramp::cloth_blue, 3.0};
    Tone under_tone{ramp::grey, 7.0};  // shirt collar and cuffs, or the blouse under a jacket
    Bottom bottom = Bottom::Trousers;
    Tone bottom_tone{ramp::grey, 3.0};
    Tone legs_tone{ramp::skin, 5.0};   // bare legs or tights under skirts and shorts
    Tone shoe_tone{ramp::dusk, 1.5};
    bool scarf = false;
    Tone scarf_tone{ramp::cloth_red, 3.0};
    bool tie = false;
    Tone tie_tone{ramp::cloth_red, 2.5};
    Carry carry = Carry::None;
    Tone carry_tone{ramp::wood, 3.0};
};

enum class Animal : uint8_t { None, Terrier, Mongrel };

struct CastEntry {
    int id = 0;
    const char* who = "";     // a few words for the reader of the code
    bool sheets = false;      // has figure sheets in the street (else a face only)
    int count = 1;            // persons in the figure (two boys, a couple, ...)
    Look person[2];
    Animal animal = Animal::None;  // the dog of figure 4, or figure 24 itself
};

// Every person id 1..59 that has a picture (sheets or a bus face); nullptr
// for ids without one.
const CastEntry* cast(int id);

// Ids of the cast in ascending order.
const int* cast_ids(int* count);

// The mid tone of skin and hair as they show in every picture of the person;
// the tests hold faces and sheets to it.
uint8_t skin_index(const Look& l);
uint8_t hair_index(const Look& l);

}  // namespace art::figures
