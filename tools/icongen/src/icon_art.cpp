#include "icon_art.h"

#include <cmath>
#include <stdexcept>

namespace icons {
namespace {

// Index 0 stays black: it is what a transparent pixel holds under its mask bit.
const std::vector<Ink> kInks = {
    {'.', {0, 0, 0}},
    {'K', {28, 28, 36}},     // outline
    {'Y', {248, 196, 32}},   // bus paint
    {'y', {200, 148, 16}},   // bus paint in shade
    {'W', {255, 236, 156}},  // roof highlight
    {'G', {44, 72, 104}},    // windscreen
    {'g', {124, 168, 208}},  // reflection on the windscreen
    {'D', {24, 24, 24}},     // destination display
    {'O', {255, 152, 0}},    // its lit letters
    {'L', {255, 255, 232}},  // headlight
    {'A', {255, 112, 0}},    // indicator
    {'M', {88, 88, 96}},     // bumper, grille
    {'S', {184, 184, 192}},  // chrome, sign post
    {'T', {32, 32, 32}},     // tyre
    {'P', {76, 92, 88}},     // lamp post
    {'p', {132, 152, 144}},  // its lit side
    {'H', {255, 244, 160}},  // lamp glass
    {'h', {255, 208, 64}},   // lamp glow
    {'R', {255, 216, 0}},    // sign disc
    {'E', {0, 128, 64}},     // sign letter and rim
    {'e', {0, 84, 40}},      // outer rim
    {'w', {255, 255, 255}},  // timetable paper
};

// The screen saver at 32 x 32: a lamp on the left, the bus front beside it on the same kerb.
const std::vector<std::string> kBus32 = {
    "................................",
    "...KK...........................",
    "..KPPK..........................",
    ".KPPPPK.........................",
    "hKHHHHKh...KKKKKKKKKKKKKKKKKKK..",
    "hKHhhHKh..KWWWWWWWWWWWWWWWWWWWK.",
    ".KHHHHK..KYYDDDDDDDDDDDDDDDDDYYK",
    "..KPPK...KYYDOODOOOODOOOOOOODYYK",
    "..KPpK...KYYDDDDDDDDDDDDDDDDDYYK",
    "..KPpK...KYYYYYYYYYYYYYYYYYYYYYK",
    "..KPpK...KYYKKKKKKKKKKKKKKKKKYYK",
    "..KPpK...KYYKgggGGGGGGGGGGGGKYYK",
    "..KPpK...KYYKGgggGGGGGGGGGGGKYYK",
    "..KPpK...KYYKGGgggGGGGGGGGGGKYYK",
    "..KPpK...KYYKGGGgggGGGGGGGgGKYYK",
    "..KPpK...KYYKGGGGgggGGGGGggGKYYK",
    "..KPpK...KYYKGGGGGgggGGGGgGGKYYK",
    "..KPpK...KYYKGGGGGGgggGGGGGGKYYK",
    "..KPpK...KYYKGGGGGGGGGGGGGGGKYYK",
    "..KPpK...KYYKGGGGGGGGGGGGGGGKYYK",
    "..KPpK...KYYKKKKKKKKKKKKKKKKKYYK",
    "..KPpK...KYYYYYYYYYYYYYYYYYYYYYK",
    "..KPpK...KYYYYYYYMMMMMMMYYYYYYYK",
    "..KPpK...KYLLLAYYMSSSSSMYYALLLYK",
    "..KPpK...KYLLLAYYMMMMMMMYYALLLYK",
    "..KPpK...KyyyyyyyyyyyyyyyyyyyyyK",
    "..KPpK...KSSSSSSSSSSSSSSSSSSSSSK",
    "..KPpK...KMMMMMMMMMMMMMMMMMMMMMK",
    "..KPpK....KTTTK...........KTTTK.",
    ".KPPppK...KTTTK...........KTTTK.",
    ".KKKKKK....KKK.............KKK..",
    "................................",
};

// At 16 x 16 the lamp shrinks to a post with a light and the bus keeps screen, lights and wheels.
const std::vector<std::string> kBus16 = {
    ".KK.............",
    "KHHK............",
    "KhhK..KKKKKKKKK.",
    ".KK..KYOOODOOOYK",
    ".P...KYYYYYYYYYK",
    ".P...KGgGGGGGGGK",
    ".P...KGGgGGGGgGK",
    ".P...KGGGgGGgGGK",
    ".P...KGGGGGGGGGK",
    ".P...KYYYYYYYYYK",
    ".P...KLLYMMMYLLK",
    ".P...KyyyyyyyyyK",
    ".P...KMMMMMMMMMK",
    ".P...KTTK...KTTK",
    "PPP...KK.....KK.",
    "................",
};

int InkIndex(char key) {
    for (size_t i = 0; i < kInks.size(); ++i)
        if (kInks[i].key == key)
            return static_cast<int>(i);
    return -1;
}

std::vector<Rgb> Palette() {
    std::vector<Rgb> palette;
    for (const Ink& ink : kInks)
        palette.push_back(ink.colour);
    return palette;
}

// The German bus-stop sign: a yellow disc with a green rim and a green H on a post, here with
// the timetable box hanging from the post at the large size.
std::vector<std::string> StopSign(int size) {
    const bool large = size >= 32;
    std::vector<std::string> rows(size, std::string(size, '.'));
    const double cx = size / 2.0;
    const double cy = large ? 12.0 : 6.5;
    const double radius = large ? 11.6 : 6.4;
    const double rim = large ? 2.0 : 1.0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d <= radius - rim)
                rows[y][x] = 'R';
            else if (d <= radius - rim / 2)
                rows[y][x] = 'E';
            else if (d <= radius)
                rows[y][x] = 'e';
        }
    auto fill = [&rows](int x0, int y0, int x1, int y1, char ink) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                rows[y][x] = ink;
    };
    if (large) {
        fill(10, 6, 13, 18, 'E');
        fill(19, 6, 22, 18, 'E');
        fill(13, 11, 19, 13, 'E');
        fill(14, 24, 18, 32, 'K');  // post with its outline
        fill(15, 24, 16, 31, 'S');
        fill(16, 24, 17, 31, 'M');
        fill(9, 25, 23, 30, 'K');   // timetable box
        fill(10, 26, 22, 29, 'w');
        fill(11, 27, 21, 28, 'M');
        fill(16, 26, 17, 29, 'K');
    } else {
        fill(5, 3, 7, 10, 'E');
        fill(9, 3, 11, 10, 'E');
        fill(7, 6, 9, 7, 'E');
        fill(7, 13, 9, 16, 'K');
        fill(7, 13, 8, 15, 'S');
    }
    return rows;
}

}  // namespace

const std::vector<Ink>& Inks() {
    return kInks;
}

IconImage ImageFromRows(const std::vector<std::string>& rows) {
    IconImage image;
    image.size = static_cast<int>(rows.size());
    for (const std::string& row : rows) {
        if (static_cast<int>(row.size()) != image.size)
            throw std::invalid_argument("icon row of the wrong width: " + row);
        for (char key : row) {
            const int index = InkIndex(key);
            if (index < 0)
                throw std::invalid_argument(std::string("unknown ink '") + key + "'");
            image.pixels.push_back(static_cast<uint8_t>(index));
        }
    }
    return image;
}

Icon BusIcon() {
    return Icon{Palette(), {ImageFromRows(kBus32), ImageFromRows(kBus16)}};
}

Icon StopIcon() {
    return Icon{Palette(), {ImageFromRows(StopSign(32)), ImageFromRows(StopSign(16))}};
}

}  // namespace icons
