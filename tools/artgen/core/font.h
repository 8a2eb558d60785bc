// The generator's own pixel font for German text.
//
// Strings are UTF-8 (as typed in our sources) and are converted to Windows code
// page 1252 before drawing; characters the font lacks are drawn as '?'.
// A line is 11 rows high at scale 1: rows 0-1 carry the dots of capital
// umlauts, capitals stand on rows 2-8 and descenders reach row 10.
#pragma once
#include <string>

#include "image.h"

namespace art {

struct TextStyle {
    int scale = 1;      // 1, 2 or 4; larger sizes are smoothed, not blocky
    bool bold = false;  // one extra column of stroke weight (two at scale 4)
    int spacing = -1;   // gap between letters; -1 picks the size's default
};

constexpr int kFontLineHeight = 11;
constexpr int kFontBaseline = 8;  // last row of a capital, at scale 1

std::string to_cp1252(const std::string& utf8);

int text_width(const std::string& utf8, const TextStyle& st = {});
int text_height(const TextStyle& st = {});
// (x, y) is the top-left of the line box.
void draw_text(Image& img, int x, int y, const std::string& utf8, uint8_t colour, const TextStyle& st = {});
// Text on a margin of `edge` all round (for notices on black and posters).
void draw_text_outlined(Image& img, int x, int y, const std::string& utf8, uint8_t colour, uint8_t edge,
                        const TextStyle& st = {});
// Text with a one-pixel (scaled) drop shadow to the lower right.
void draw_text_shadowed(Image& img, int x, int y, const std::string& utf8, uint8_t colour, uint8_t shade,
                        const TextStyle& st = {});
// Centred in the given span.
int centred_x(int left, int width, const std::string& utf8, const TextStyle& st = {});

// Coverage mask of a whole string (1 = ink), for effects that need more than
// one colour per letter (gradients, outlines).
Image text_mask(const std::string& utf8, const TextStyle& st = {});

}  // namespace art
