#include "figures/cast.h"

#include <vector>

namespace art::figures {
namespace {

Tone T(Ramp r, double base) { return Tone{r, base}; }

// Hair colours on the hair ramp (0 black-brown .. 6 blond) or grey.
const Tone kBlack = T(ramp::hair, 0.4);
const Tone kDarkBrown = T(ramp::hair, 1.3);
const Tone kBrown = T(ramp::hair, 2.3);
const Tone kAuburn = T(ramp::tile, 2.6);
const Tone kDarkBlond = T(ramp::hair, 3.5);
const Tone kBlond = T(ramp::hair, 5.0);
const Tone kGrey = T(ramp::grey, 5.2);
const Tone kWhite = T(ramp::grey, 7.2);

const Tone kSkinLight = T(ramp::skin, 5.4);
const Tone kSkinMid = T(ramp::skin, 4.8);
const Tone kSkinTan = T(ramp::skin, 3.9);
const Tone kSkinDark = T(ramp::skin, 2.6);

Look adult(Sex s, int height) {
    Look l;
    l.sex = s;
    l.height = height;
    if (s == Sex::Female) {
        l.hair = Hair::Bob;
        l.build = 0.92;
    }
    return l;
}

std::vector<CastEntry> build() {
    std::vector<CastEntry> v;
    auto add = [&](int id, const char* who, bool sheets, const Look& a) {
        CastEntry e;
        e.id = id;
        e.who = who;
        e.sheets = sheets;
        e.person[0] = a;
        v.push_back(e);
        return &v.back();
    };
    auto add2 = [&](int id, const char* who, bool sheets, const Look& a, const Look& b) {
        CastEntry e;
        e.id = id;
        e.who = who;
        e.sheets = sheets;
        e.count = 2;
        e.person[0] = a;
        e.person[1] = b;
        v.push_back(e);
    };

    {   // 1: waits for the bus on his way to the office
        Look l = adult(Sex::Male, 70);
        l.skin = kSkinMid.base;
        l.hair = Hair::Parted, l.hair_tone = kDarkBrown;
        l.top = Top::Suit, l.top_tone = T(ramp::slate, 2.6);
        l.under_tone = T(ramp::grey, 7.6);
        l.tie = true, l.tie_tone = T(ramp::cloth_red, 2.2);
        l.bottom_tone = T(ramp::slate, 2.3);
        l.shoe_tone = T(ramp::grey, 0.8);
        l.carry = Carry::Briefcase, l.carry_tone = T(ramp::wood, 2.4);
        add(1, "office worker with a briefcase", true, l);
    }
    {   // 2: back from the market, eats one of his apples on the way
        Look l = adult(Sex::Male, 72);
        l.skin = kSkinLight.base;
        l.hair = Hair::Short, l.hair_tone = kDarkBlond;
        l.hat = Hat::FlatCap, l.hat_tone = T(ramp::cloth_beige, 2.0);
        l.top = Top::Jacket, l.top_tone = T(ramp::cloth_green, 2.6);
        l.under_tone = T(ramp::cloth_beige, 4.6);
        l.bottom = Bottom::Trousers, l.bottom_tone = T(ramp::cloth_beige, 2.2);
        l.shoe_tone = T(ramp::wood, 1.2);
        l.carry = Carry::ShoppingBag, l.carry_tone = T(ramp::cloth_beige, 3.6);
        add(2, "man with a bag of apples", true, l);
    }
    {   // 3: strolls in front of the shelter by day and at night
        Look l = adult(Sex::Male, 74);
        l.skin = kSkinMid.base;
        l.hair = Hair::Short, l.hair_tone = kBrown;
        l.beard = Beard::Stubble;
        l.top = Top::Jacket, l.top_tone = T(ramp::dusk, 3.2);
        l.under_tone = T(ramp::grey_green, 4.0);
        l.bottom = Bottom::Jeans, l.bottom_tone = T(ramp::cloth_blue, 2.6);
        l.shoe_tone = T(ramp::grey, 1.0);
        add(3, "young man in a leather jacket", true, l);
    }
    {   // 4: walks her dog; the winter sheet gives her coat, hat and scarf
        Look l = adult(Sex::Female, 76);
        l.skin = kSkinLight.base;
        l.hair = Hair::Long, l.hair_tone = kAuburn;
        l.lipstick = true;
        l.top = Top::Coat, l.top_tone = T(ramp::cloth_beige, 3.4);
        l.under_tone = T(ramp::cloth_green, 2.6);
        l.bottom = Bottom::Trousers, l.bottom_tone = T(ramp::cloth_green, 1.8);
        l.shoe_tone = T(ramp::dusk, 1.4);
        l.scarf_tone = T(ramp::grey, 7.0);
        l.hat_tone = T(ramp::grey, 7.0);
        CastEntry* e = add(4, "woman walking her dog", true, l);
        e->animal = Animal::Terrier;
    }
    {   // 5: drops his empty can at the shelter and waits
        Look l = adult(Sex::Male, 67);
        l.age = Age::Teen;
        l.skin = kSkinLight.base;
        l.hair = Hair::Short, l.hair_tone = kBlond;
        l.hat = Hat::Cap, l.hat_tone = T(ramp::cloth_red, 2.8);
        l.top = Top::Anorak, l.top_tone = T(ramp::cloth_blue, 3.2);
        l.under_tone = T(ramp::grey, 7.4);
        l.bottom = Bottom::Jeans, l.bottom_tone = T(ramp::cloth_blue, 1.9);
        l.shoe_tone = T(ramp::grey, 6.6);
        l.carry = Carry::Rucksack, l.carry_tone = T(ramp::cloth_red, 2.2);
        add(5, "youth in a blue anorak", true, l);
    }
    {   // 6: makes a long call from the booth
        Look l = adult(Sex::Female, 74);
        l.skin = kSkinLight.base;
        l.hair = Hair::Ponytail, l.hair_tone = kBlond;
        l.lipstick = true;
        l.top = Top::Jacket, l.top_tone = T(ramp::purple, 2.4);
        l.under_tone = T(ramp::grey, 7.0);
        l.bottom = Bottom::Jeans, l.bottom_tone = T(ramp::cloth_blue, 2.4);
        l.shoe_tone = T(ramp::grey, 1.2);
        l.carry = Carry::ShoulderBag, l.carry_tone = T(ramp::wood, 3.4);
        add(6, "young woman who phones from the booth", true, l);
    }
    {   // 7: crosses the whole street from the right
        Look l = adult(Sex::Female, 72);
        l.skin = kSkinMid.base;
        l.hair = Hair::Bob, l.hair_tone = kDarkBrown;
        l.hat = Hat::Headscarf, l.hat_tone = T(ramp::cloth_red, 3.2);
        l.top = Top::Coat, l.top_tone = T(ramp::cloth_beige, 2.6);
        l.under_tone = T(ramp::cloth_beige, 4.4);
        l.bottom = Bottom::Skirt, l.bottom_tone = T(ramp::dusk, 2.4);
        l.legs_tone = T(ramp::skin, 3.4);
        l.shoe_tone = T(ramp::dusk, 1.0);
        l.carry = Carry::Handbag, l.carry_tone = T(ramp::dusk, 1.6);
        add(7, "woman in a headscarf with her handbag", true, l);
    }
    {   // 8: reads his paper while he waits
        Look l = adult(Sex::Male, 78);
        l.age = Age::Old;
        l.build = 1.08;
        l.skin = kSkinMid.base;
        l.hair = Hair::Balding, l.hair_tone = kGrey;
        l.beard = Beard::Moustache;
        l.glasses = true;
        l.hat = Hat::Trilby, l.hat_tone = T(ramp::dusk, 2.0);
        l.top = Top::Coat, l.top_tone = T(ramp::grey, 3.2);
        l.under_tone = T(ramp::grey, 7.0);
        l.bottom_tone = T(ramp::grey, 2.2);
        l.shoe_tone = T(ramp::dusk, 0.8);
        l.carry = Carry::Newspaper, l.carry_tone = T(ramp::grey, 7.0);
        add(8, "gentleman with hat and newspaper", true, l);
    }
    {   // 9: eats a banana and throws the peel away
        Look l = adult(Sex::Female, 66);
        l.age = Age::Teen;
        l.skin = kSkinTan.base;
        l.hair = Hair::Plaits, l.hair_tone = kBlack;
        l.top = Top::Jacket, l.top_tone = T(ramp::cloth_blue, 3.6);
        l.under_tone = T(ramp::grey, 7.4);
        l.bottom = Bottom::Skirt, l.bottom_tone = T(ramp::cloth_red, 2.4);
        l.legs_tone = T(ramp::slate, 1.6);
        l.shoe_tone = T(ramp::dusk, 1.2);
        l.carry = Carry::Rucksack, l.carry_tone = T(ramp::cloth_green, 2.6);
        add(9, "schoolgirl with plaits and a rucksack", true, l);
    }
    {   // 10: only ever seen in the bus
        Look l = adult(Sex::Female, 70);
        l.age = Age::Old;
        l.skin = kSkinLight.base;
        l.hair = Hair::Curly, l.hair_tone = kWhite;
        l.glasses = true;
        l.top = Top::Coat, l.top_tone = T(ramp::cloth_blue, 2.0);
        l.under_tone = T(ramp::salmon, 4.6);
        add(10, "old woman with white curls", false, l);
    }
    {   // 11
        Look l = adult(Sex::Male, 60);
        l.age = Age::Child;
        l.skin = kSkinLight.base;
        l.hair = Hair::Short, l.hair_tone = kBrown;
        l.hat = Hat::Cap, l.hat_tone = T(ramp::cloth_green, 2.6);
        l.top = Top::Shirt, l.top_tone = T(ramp::paint_yellow, 3.4);
        l.bottom = Bottom::Shorts, l.bottom_tone = T(ramp::cloth_blue, 2.2);
        l.shoe_tone = T(ramp::grey, 6.4);
        add(11, "boy on a skateboard", true, l);
    }
    {   // 12
        Look l = adult(Sex::Male, 60);
        l.build = 1.15;
        l.skin = kSkinTan.base;
        l.hair = Hair::Crew, l.hair_tone = kBlack;
        l.beard = Beard::Full;
        l.top = Top::Anorak, l.top_tone = T(ramp::cloth_blue, 2.2);
        l.bottom_tone = T(ramp::grey, 3.0);
        l.carry = Carry::Parcel, l.carry_tone = T(ramp::ochre, 3.2);
        add(12, "man with a parcel", true, l);
    }
    {   // 13
        Look l = adult(Sex::Male, 76);
        l.skin = kSkinDark.base;
        l.hair = Hair::Crew, l.hair_tone = kBlack;
        l.hat = Hat::Trilby, l.hat_tone = T(ramp::night, 2.4);
        l.top = Top::Coat, l.top_tone = T(ramp::night, 3.4);
        l.under_tone = T(ramp::grey, 7.2);
        l.scarf = true, l.scarf_tone = T(ramp::cloth_red, 3.0);
        l.bottom_tone = T(ramp::night, 2.2);
        l.shoe_tone = T(ramp::grey, 0.6);
        l.carry = Carry::Trumpet, l.carry_tone = T(ramp::paint_yellow, 3.6);
        add(13, "man with a watch and a trumpet", true, l);
    }
    {   // 14
        Look l = adult(Sex::Female, 70);
        l.age = Age::Old;
        l.build = 1.05;
        l.skin = kSkinLight.base;
        l.hair = Hair::Bun, l.hair_tone = kGrey;
        l.glasses = true;
        l.top = Top::Coat, l.top_tone = T(ramp::purple, 3.0);
        l.bottom = Bottom::Skirt, l.bottom_tone = T(ramp::grey, 3.0);
        l.legs_tone = T(ramp::skin, 4.2);
        l.carry = Carry::Handbag, l.carry_tone = T(ramp::night, 2.0);
        add(14, "old woman who phones", true, l);
    }
    {   // 15
        Look l = adult(Sex::Male, 72);
        l.age = Age::Old;
        l.skin = kSkinMid.base;
        l.hair = Hair::Short, l.hair_tone = kWhite;
        l.hat = Hat::FlatCap, l.hat_tone = T(ramp::grey_green, 2.2);
        l.top = Top::Jacket, l.top_tone = T(ramp::wood, 2.6);
        l.under_tone = T(ramp::cloth_beige, 4.6);
        l.bottom_tone = T(ramp::grey, 2.6);
        l.carry = Carry::Stick, l.carry_tone = T(ramp::wood, 2.0);
        add(15, "old man with a walking stick", true, l);
    }
    {   // 16
        Look l = adult(Sex::Female, 72);
        l.build = 1.1;
        l.skin = kSkinMid.base;
        l.hair = Hair::Curly, l.hair_tone = kBrown;
        l.top = Top::Coat, l.top_tone = T(ramp::cloth_green, 2.2);
        l.bottom = Bottom::Skirt, l.bottom_tone = T(ramp::cloth_beige, 2.0);
        l.legs_tone = T(ramp::skin, 4.0);
        l.carry = Carry::ShoppingBag, l.carry_tone = T(ramp::cloth_beige, 3.8);
        add(16, "woman whose shopping bag tears", true, l);
    }
    {   // 17: only in the bus
        Look l = adult(Sex::Male, 74);
        l.skin = kSkinLight.base;
        l.hair = Hair::Short, l.hair_tone = kAuburn;
        l.beard = Beard::Full;
        l.hat = Hat::WoolHat, l.hat_tone = T(ramp::cloth_green, 2.4);
        l.top = Top::Anorak, l.top_tone = T(ramp::orange, 2.4);
        add(17, "bearded man in a woolly hat", false, l);
    }
    {   // 18: only in the bus
        Look l = adult(Sex::Female, 72);
        l.skin = kSkinTan.base;
        l.hair = Hair::Long, l.hair_tone = kBlack;
        l.lipstick = true;
        l.top = Top::Jacket, l.top_tone = T(ramp::cloth_red, 3.0);
        l.under_tone = T(ramp::grey, 7.4);
        add(18, "young woman with long black hair", false, l);
    }
    {   // 19: only in the bus
        Look l = adult(Sex::Male, 62);
        l.age = Age::Child;
        l.skin = kSkinLight.base;
        l.hair = Hair::Short, l.hair_tone = kBlond;
        l.glasses = true;
        l.top = Top::Sweater, l.top_tone = T(ramp::cloth_green, 3.2);
        add(19, "boy with glasses", false, l);
    }
    {   // 20: stands with the back to the street, by day and at night
        Look l = adult(Sex::Male, 72);
        l.skin = kSkinMid.base;
        l.hair = Hair::Short, l.hair_tone = kDarkBrown;
        l.hat = Hat::Hood, l.hat_tone = T(ramp::grey_green, 2.0);
        l.top = Top::Coat, l.top_tone = T(ramp::grey_green, 2.0);
        l.bottom_tone = T(ramp::slate, 2.0);
        add(20, "figure in a hooded coat", true, l);
    }
    {   // 21
        Look l = adult(Sex::Female, 74);
        l.build = 1.05;
        l.skin = kSkinMid.base;
        l.hair = Hair::Bun, l.hair_tone = kDarkBrown;
        l.hat = Hat::Headscarf, l.hat_tone = T(ramp::cloth_blue, 3.6);
        l.top = Top::Dress, l.top_tone = T(ramp::cloth_blue, 2.4);
        l.bottom = Bottom::None;
        l.legs_tone = T(ramp::skin, 4.0);
        l.carry = Carry::Basket, l.carry_tone = T(ramp::ochre, 3.0);
        add(21, "woman with a basket", true, l);
    }
    {   // 22
        Look l = adult(Sex::Male, 74);
        l.skin = kSkinTan.base;
        l.hair = Hair::Short, l.hair_tone = kDarkBrown;
        l.beard = Beard::Moustache;
        l.hat = Hat::Cap, l.hat_tone = T(ramp::orange, 3.0);
        l.top = Top::Overalls, l.top_tone = T(ramp::orange, 2.8);
        l.under_tone = T(ramp::grey, 6.0);
        l.bottom = Bottom::None;
        l.shoe_tone = T(ramp::grey, 0.8);
        l.carry = Carry::Broom, l.carry_tone = T(ramp::wood, 3.0);
        add(22, "street sweeper", true, l);
    }
    {   // 23: two boys
        Look a = adult(Sex::Male, 62);
        a.age = Age::Child;
        a.skin = kSkinLight.base;
        a.hair = Hair::Short, a.hair_tone = kDarkBlond;
        a.top = Top::Anorak, a.top_tone = T(ramp::cloth_red, 3.0);
        a.bottom = Bottom::Jeans, a.bottom_tone = T(ramp::cloth_blue, 2.4);
        a.shoe_tone = T(ramp::grey, 6.0);
        a.carry = Carry::Rucksack, a.carry_tone = T(ramp::cloth_blue, 3.6);
        Look b = a;
        b.height = 58;
        b.skin = kSkinTan.base;
        b.hair = Hair::Curly, b.hair_tone = kBlack;
        b.top = Top::Sweater, b.top_tone = T(ramp::cloth_green, 3.2);
        b.carry = Carry::Ball, b.carry_tone = T(ramp::grey, 7.0);
        add2(23, "two boys", true, a, b);
    }
    {   // 24: the dog alone; no person
        CastEntry* e = add(24, "dog", true, Look{});
        e->count = 0;
        e->animal = Animal::Mongrel;
    }
    {   // 25
        Look l = adult(Sex::Male, 72);
        l.age = Age::Old;
        l.skin = kSkinTan.base;
        l.hair = Hair::Long, l.hair_tone = kGrey;
        l.beard = Beard::Full;
        l.hat = Hat::WoolHat, l.hat_tone = T(ramp::dusk, 3.0);
        l.top = Top::LongCoat, l.top_tone = T(ramp::wood, 1.8);
        l.bottom_tone = T(ramp::grey_green, 1.6);
        l.carry = Carry::Sack, l.carry_tone = T(ramp::cloth_beige, 2.8);
        add(25, "man with a sack", true, l);
    }
    {   // 26: 23 to 25 December
        Look l = adult(Sex::Male, 74);
        l.age = Age::Old;
        l.skin = kSkinLight.base;
        l.hair = Hair::Short, l.hair_tone = kWhite;
        l.beard = Beard::Full;
        l.hat = Hat::Trilby, l.hat_tone = T(ramp::grey_green, 1.6);
        l.top = Top::Coat, l.top_tone = T(ramp::cloth_blue, 1.6);
        l.scarf = true, l.scarf_tone = T(ramp::cloth_red, 2.6);
        l.carry = Carry::Tree, l.carry_tone = T(ramp::foliage, 2.6);
        add(26, "old man with a Christmas tree", true, l);
    }
    {   // 27
        Look l = adult(Sex::Male, 76);
        l.skin = kSkinMid.base;
        l.hair = Hair::Curly, l.hair_tone = kBrown;
        l.hat = Hat::Cap, l.hat_tone = T(ramp::grey, 7.0);
        l.top = Top::Overalls, l.top_tone = T(ramp::cloth_blue, 2.6);
        l.under_tone = T(ramp::grey, 7.0);
        l.bottom = Bottom::None;
        add(27, "bill poster with ladder and paste bucket", true, l);
    }
    {   // 29: by day with a parcel, at night strolling
        Look l = adult(Sex::Female, 74);
        l.skin = kSkinLight.base;
        l.hair = Hair::Bob, l.hair_tone = kBlond;
        l.top = Top::Coat, l.top_tone = T(ramp::salmon, 3.0);
        l.bottom = Bottom::Skirt, l.bottom_tone = T(ramp::grey, 2.4);
        l.legs_tone = T(ramp::skin, 4.2);
        l.carry = Carry::Parcel, l.carry_tone = T(ramp::ochre, 3.6);
        add(29, "woman with a parcel", true, l);
    }
    {   // 30: brother and sister with their ball
        Look a = adult(Sex::Female, 56);
        a.age = Age::Child;
        a.skin = kSkinLight.base;
        a.hair = Hair::Ponytail, a.hair_tone = kBlond;
        a.top = Top::Dress, a.top_tone = T(ramp::cloth_red, 3.4);
        a.bottom = Bottom::None;
        a.legs_tone = T(ramp::grey, 7.0);
        a.shoe_tone = T(ramp::cloth_red, 1.6);
        Look b = adult(Sex::Male, 52);
        b.age = Age::Child;
        b.skin = kSkinLight.base;
        b.hair = Hair::Short, b.hair_tone = kDarkBlond;
        b.top = Top::Sweater, b.top_tone = T(ramp::cloth_blue, 3.6);
        b.bottom = Bottom::Shorts, b.bottom_tone = T(ramp::cloth_beige, 2.4);
        b.carry = Carry::Ball, b.carry_tone = T(ramp::paint_red, 3.0);
        add2(30, "two children with a ball", true, a, b);
    }
    {   // 34
        Look l = adult(Sex::Male, 72);
        l.skin = kSkinLight.base;
        l.hair = Hair::Short, l.hair_tone = kDarkBrown;
        l.beard = Beard::Moustache;
        l.hat = Hat::PeakedCap, l.hat_tone = T(ramp::steel_green, 2.8);
        l.top = Top::Jacket, l.top_tone = T(ramp::steel_green, 3.0);
        l.under_tone = T(ramp::cloth_beige, 4.8);
        l.tie = true, l.tie_tone = T(ramp::steel_green, 1.6);
        l.bottom_tone = T(ramp::cloth_beige, 3.0);
        l.shoe_tone = T(ramp::grey, 0.8);
        add(34, "man in a green uniform", true, l);
    }
    {   // 37: 6 December
        Look l = adult(Sex::Male, 78);
        l.build = 1.15;
        l.skin = kSkinLight.base;
        l.hair = Hair::Long, l.hair_tone = kWhite;
        l.beard = Beard::Full;
        l.hat = Hat::Nikolaus, l.hat_tone = T(ramp::cloth_red, 2.8);
        l.top = Top::Robe, l.top_tone = T(ramp::cloth_red, 2.8);
        l.under_tone = T(ramp::grey, 7.6);
        l.bottom = Bottom::None;
        l.shoe_tone = T(ramp::grey, 0.6);
        l.carry = Carry::Sack, l.carry_tone = T(ramp::wood, 2.4);
        add(37, "Nikolaus with his sack", true, l);
    }
    {   // 38: Easter
        Look l = adult(Sex::Male, 74);
        l.skin = kSkinLight.base;
        l.hat = Hat::BunnyEars, l.hat_tone = T(ramp::grey, 7.0);
        l.top = Top::Costume, l.top_tone = T(ramp::grey, 6.6);
        l.under_tone = T(ramp::salmon, 4.6);
        l.bottom = Bottom::None;
        l.shoe_tone = T(ramp::grey, 6.0);
        l.carry = Carry::Basket, l.carry_tone = T(ramp::ochre, 3.2);
        add(38, "person in a rabbit costume", true, l);
    }
    {   // 40: the strolling family's daughter, fair like her mother (29)
        Look l = adult(Sex::Female, 74);
        l.skin = kSkinLight.base;
        l.hair = Hair::Long, l.hair_tone = kBlond;
        l.lipstick = true;
        l.top = Top::Dress, l.top_tone = T(ramp::cloth_red, 2.8);
        l.bottom = Bottom::None;
        l.legs_tone = T(ramp::skin, 4.4);
        l.shoe_tone = T(ramp::cloth_red, 1.2);
        l.carry = Carry::Handbag, l.carry_tone = T(ramp::grey, 1.0);
        add(40, "woman in a red dress", true, l);
    }
    {   // 49: the family's son, his father's (50) dark blond hair
        Look l = adult(Sex::Male, 74);
        l.skin = kSkinLight.base;
        l.hair = Hair::Short, l.hair_tone = kDarkBlond;
        l.top = Top::Jacket, l.top_tone = T(ramp::grey, 4.2);
        l.under_tone = T(ramp::cloth_blue, 4.0);
        l.bottom = Bottom::Jeans, l.bottom_tone = T(ramp::night, 4.0);
        add(49, "man in a grey jacket", true, l);
    }
    {   // 50: the father of the strolling family
        Look l = adult(Sex::Male, 82);
        l.build = 0.95;
        l.skin = kSkinLight.base;
        l.hair = Hair::Parted, l.hair_tone = kDarkBlond;
        l.glasses = true;
        l.hat = Hat::Trilby, l.hat_tone = T(ramp::cloth_beige, 2.4);
        l.top = Top::LongCoat, l.top_tone = T(ramp::cloth_beige, 3.0);
        l.bottom_tone = T(ramp::dusk, 2.4);
        l.carry = Carry::Umbrella, l.carry_tone = T(ramp::night, 2.0);
        add(50, "tall man with hat and umbrella", true, l);
    }
    {   // 53
        Look l = adult(Sex::Female, 76);
        l.skin = kSkinLight.base;
        l.hair = Hair::Long, l.hair_tone = kDarkBlond;
        l.top = Top::LongCoat, l.top_tone = T(ramp::night, 3.2);
        l.scarf = true, l.scarf_tone = T(ramp::purple, 3.0);
        l.bottom = Bottom::None;
        l.legs_tone = T(ramp::night, 1.2);
        add(53, "woman in a long coat", true, l);
    }
    {   // 56: the family's grandparents, arm in arm
        Look a = adult(Sex::Male, 76);
        a.skin = kSkinLight.base;
        a.hair = Hair::Balding, a.hair_tone = kGrey;
        a.top = Top::Suit, a.top_tone = T(ramp::cloth_blue, 1.6);
        a.bottom_tone = T(ramp::cloth_blue, 1.4);
        Look b = adult(Sex::Female, 72);
        b.skin = kSkinLight.base;
        b.hair = Hair::Bun, b.hair_tone = kWhite;
        b.top = Top::Dress, b.top_tone = T(ramp::cloth_green, 3.0);
        b.bottom = Bottom::None;
        add2(56, "a couple arm in arm", true, a, b);
    }
    {   // 57: the family's elder daughter, fair like her sister, and her husband
        Look a = adult(Sex::Male, 78);
        a.skin = kSkinTan.base;
        a.hair = Hair::Curly, a.hair_tone = kBlack;
        a.top = Top::Jacket, a.top_tone = T(ramp::dusk, 2.6);
        a.bottom = Bottom::Jeans;
        Look b = adult(Sex::Female, 72);
        b.skin = kSkinLight.base;
        b.hair = Hair::Bob, b.hair_tone = kDarkBlond;
        b.top = Top::Coat, b.top_tone = T(ramp::cloth_beige, 4.0);
        b.bottom = Bottom::Skirt, b.bottom_tone = T(ramp::night, 2.0);
        add2(57, "a couple out at night", true, a, b);
    }
    {   // 58
        Look l = adult(Sex::Female, 76);
        l.skin = kSkinLight.base;
        l.hair = Hair::Curly, l.hair_tone = kBlond;
        l.lipstick = true;
        l.top = Top::Dress, l.top_tone = T(ramp::paint_red, 2.8);
        l.bottom = Bottom::None;
        l.legs_tone = T(ramp::night, 2.0);
        l.shoe_tone = T(ramp::paint_red, 1.4);
        l.carry = Carry::Handbag, l.carry_tone = T(ramp::grey, 1.0);
        add(58, "woman in a red dress by the sign", true, l);
    }
    {   // 59: two men on their way home
        Look a = adult(Sex::Male, 78);
        a.skin = kSkinMid.base;
        a.hair = Hair::Balding, a.hair_tone = kBrown;
        a.build = 1.2;
        a.top = Top::Jacket, a.top_tone = T(ramp::cloth_beige, 2.4);
        a.bottom_tone = T(ramp::grey, 2.0);
        Look b = adult(Sex::Male, 74);
        b.skin = kSkinLight.base;
        b.hair = Hair::Short, b.hair_tone = kDarkBlond;
        b.top = Top::Anorak, b.top_tone = T(ramp::cloth_green, 2.0);
        b.bottom = Bottom::Jeans;
        add2(59, "two men", true, a, b);
    }
    return v;
}

const std::vector<CastEntry>& table() {
    static const std::vector<CastEntry> t = build();
    return t;
}

}  // namespace

const CastEntry* cast(int id) {
    for (const CastEntry& e : table())
        if (e.id == id) return &e;
    return nullptr;
}

const int* cast_ids(int* count) {
    static std::vector<int> ids = [] {
        std::vector<int> v;
        for (const CastEntry& e : table()) v.push_back(e.id);
        return v;
    }();
    *count = int(ids.size());
    return ids.data();
}

uint8_t skin_index(const Look& l) { return ramp::skin(int(l.skin + 0.5)); }
uint8_t hair_index(const Look& l) { return l.hair_tone.mid(); }

}  // namespace art::figures
