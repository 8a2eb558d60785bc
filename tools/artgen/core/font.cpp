#include "font.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

namespace art {
namespace {

// Rows from the capital top (line row 2) downwards, '|' between rows; rows
// left out are blank. Width is the row length.
struct GlyphDef {
    unsigned char code;
    const char* rows;
};

const GlyphDef kGlyphs[] = {
    {'A', ".###.|#...#|#...#|#####|#...#|#...#|#...#"},
    {'B', "####.|#...#|#...#|####.|#...#|#...#|####."},
    {'C', ".###.|#...#|#....|#....|#....|#...#|.###."},
    {'D', "####.|#...#|#...#|#...#|#...#|#...#|####."},
    {'E', "#####|#....|#....|####.|#....|#....|#####"},
    {'F', "#####|#....|#....|####.|#....|#....|#...."},
    {'G', ".###.|#...#|#....|#.###|#...#|#...#|.####"},
    {'H', "#...#|#...#|#...#|#####|#...#|#...#|#...#"},
    {'I', "###|.#.|.#.|.#.|.#.|.#.|###"},
    {'J', "..###|...#.|...#.|...#.|#..#.|#..#.|.##.."},
    {'K', "#...#|#..#.|#.#..|##...|#.#..|#..#.|#...#"},
    {'L', "#....|#....|#....|#....|#....|#....|#####"},
    {'M', "#...#|##.##|#.#.#|#.#.#|#...#|#...#|#...#"},
    {'N', "#...#|##..#|#.#.#|#..##|#...#|#...#|#...#"},
    {'O', ".###.|#...#|#...#|#...#|#...#|#...#|.###."},
    {'P', "####.|#...#|#...#|####.|#....|#....|#...."},
    {'Q', ".###.|#...#|#...#|#...#|#.#.#|#..#.|.##.#"},
    {'R', "####.|#...#|#...#|####.|#.#..|#..#.|#...#"},
    {'S', ".###.|#...#|#....|.###.|....#|#...#|.###."},
    {'T', "#####|..#..|..#..|..#..|..#..|..#..|..#.."},
    {'U', "#...#|#...#|#...#|#...#|#...#|#...#|.###."},
    {'V', "#...#|#...#|#...#|#...#|.#.#.|.#.#.|..#.."},
    {'W', "#...#|#...#|#...#|#.#.#|#.#.#|##.##|#...#"},
    {'X', "#...#|#...#|.#.#.|..#..|.#.#.|#...#|#...#"},
    {'Y', "#...#|#...#|.#.#.|..#..|..#..|..#..|..#.."},
    {'Z', "#####|....#|...#.|..#..|.#...|#....|#####"},
    {'a', ".....|.....|.###.|....#|.####|#...#|.####"},
    {'b', "#....|#....|####.|#...#|#...#|#...#|####."},
    {'c', "....|....|.###|#...|#...|#...|.###"},
    {'d', "....#|....#|.####|#...#|#...#|#...#|.####"},
    {'e', ".....|.....|.###.|#...#|#####|#....|.###."},
    {'f', "..##|.#..|####|.#..|.#..|.#..|.#.."},
    {'g', ".....|.....|.####|#...#|#...#|#...#|.####|....#|.###."},
    {'h', "#....|#....|####.|#...#|#...#|#...#|#...#"},
    {'i', ".#.|...|##.|.#.|.#.|.#.|###"},
    {'j', "..#|...|.##|..#|..#|..#|..#|..#|##."},
    {'k', "#...|#...|#..#|#.#.|##..|#.#.|#..#"},
    {'l', "##.|.#.|.#.|.#.|.#.|.#.|###"},
    {'m', ".....|.....|##.#.|#.#.#|#.#.#|#.#.#|#...#"},
    {'n', ".....|.....|####.|#...#|#...#|#...#|#...#"},
    {'o', ".....|.....|.###.|#...#|#...#|#...#|.###."},
    {'p', ".....|.....|####.|#...#|#...#|#...#|####.|#....|#...."},
    {'q', ".....|.....|.####|#...#|#...#|#...#|.####|....#|....#"},
    {'r', "....|....|#.##|##..|#...|#...|#..."},
    {'s', ".....|.....|.####|#....|.###.|....#|####."},
    {'t', ".#..|.#..|####|.#..|.#..|.#..|..##"},
    {'u', ".....|.....|#...#|#...#|#...#|#...#|.####"},
    {'v', ".....|.....|#...#|#...#|#...#|.#.#.|..#.."},
    {'w', ".....|.....|#...#|#...#|#.#.#|#.#.#|.#.#."},
    {'x', ".....|.....|#...#|.#.#.|..#..|.#.#.|#...#"},
    {'y', ".....|.....|#...#|#...#|#...#|#...#|.####|....#|.###."},
    {'z', ".....|.....|#####|...#.|..#..|.#...|#####"},
    {0xDF, ".##..|#..#.|#..#.|#.##.|#...#|#...#|#.##."},  // sharp s
    {'0', ".###.|#...#|#..##|#.#.#|##..#|#...#|.###."},
    {'1', "..#..|.##..|..#..|..#..|..#..|..#..|.###."},
    {'2', ".###.|#...#|....#|...#.|..#..|.#...|#####"},
    {'3', "#####|...#.|..#..|...#.|....#|#...#|.###."},
    {'4', "...#.|..##.|.#.#.|#..#.|#####|...#.|...#."},
    {'5', "#####|#....|####.|....#|....#|#...#|.###."},
    {'6', "..##.|.#...|#....|####.|#...#|#...#|.###."},
    {'7', "#####|....#|...#.|..#..|.#...|.#...|.#..."},
    {'8', ".###.|#...#|#...#|.###.|#...#|#...#|.###."},
    {'9', ".###.|#...#|#...#|.####|....#|...#.|.##.."},
    {' ', "..."},
    {'.', ".|.|.|.|.|.|#"},
    {',', "..|..|..|..|..|..|.#|.#|#."},
    {'!', "#|#|#|#|#|.|#"},
    {'?', ".###.|#...#|....#|...#.|..#..|.....|..#.."},
    {':', ".|.|#|.|.|.|#"},
    {';', "..|..|.#|..|..|..|.#|.#|#."},
    {'-', "....|....|....|####"},
    {'_', "....|....|....|....|....|....|....|####"},
    {'#', ".#.#.|#####|.#.#.|.#.#.|#####|.#.#."},
    {'+', ".....|..#..|..#..|#####|..#..|..#.."},
    {'=', "....|....|####|....|####"},
    {'/', "....#|...#.|...#.|..#..|.#...|.#...|#...."},
    {'(', ".#|#.|#.|#.|#.|#.|.#"},
    {')', "#.|.#|.#|.#|.#|.#|#."},
    {'\'', "#|#"},
    {'"', "#.#|#.#"},
    {'%', "##..#|##.#.|...#.|..#..|.#...|.#.##|#..##"},
    {'&', ".##..|#..#.|#.#..|.#...|#.#.#|#..#.|.##.#"},
    {'*', ".....|#.#.#|.###.|#####|.###.|#.#.#"},
    {0x84, "...|...|...|...|...|...|#.#|#.#|#.#"},  // low opening quote
    {0x93, "#.#|#.#|#.#"},                          // closing quote
    {0x96, ".....|.....|.....|#####"},              // en dash
};

struct Glyph {
    int w = 0, h = 0;
    std::vector<uint8_t> ink;  // w * h, 1 = ink
    bool at(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h && ink[size_t(y) * w + x]; }
};

Glyph parse(const char* rows) {
    std::vector<std::string> lines(1);
    for (const char* p = rows; *p; ++p) {
        if (*p == '|') lines.emplace_back();
        else lines.back() += *p;
    }
    Glyph g;
    g.w = int(lines[0].size());
    g.h = kFontLineHeight;
    g.ink.assign(size_t(g.w) * g.h, 0);
    for (size_t r = 0; r < lines.size(); ++r)
        for (int x = 0; x < g.w && x < int(lines[r].size()); ++x)
            if (lines[r][x] == '#') g.ink[(r + 2) * g.w + x] = 1;
    return g;
}

Glyph with_dots(Glyph g, int row) {
    int left = 1, right = g.w - 2;
    g.ink[size_t(row) * g.w + left] = 1;
    g.ink[size_t(row) * g.w + right] = 1;
    return g;
}

// EPX/Scale2x: doubles the size while rounding the staircase of diagonals.
Glyph scale2x(const Glyph& s) {
    Glyph d;
    d.w = s.w * 2;
    d.h = s.h * 2;
    d.ink.assign(size_t(d.w) * d.h, 0);
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) {
            bool p = s.at(x, y), a = s.at(x, y - 1), b = s.at(x + 1, y), c = s.at(x - 1, y), e = s.at(x, y + 1);
            bool o1 = p, o2 = p, o3 = p, o4 = p;
            if (c == a && c != e && a != b) o1 = a;
            if (a == b && a != c && b != e) o2 = b;
            if (e == c && e != b && c != a) o3 = c;
            if (b == e && b != a && e != c) o4 = e;
            d.ink[size_t(2 * y) * d.w + 2 * x] = o1;
            d.ink[size_t(2 * y) * d.w + 2 * x + 1] = o2;
            d.ink[size_t(2 * y + 1) * d.w + 2 * x] = o3;
            d.ink[size_t(2 * y + 1) * d.w + 2 * x + 1] = o4;
        }
    return d;
}

Glyph embolden(const Glyph& s, int extra) {
    Glyph d;
    d.w = s.w + extra;
    d.h = s.h;
    d.ink.assign(size_t(d.w) * d.h, 0);
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x)
            if (s.at(x, y))
                for (int k = 0; k <= extra; ++k) d.ink[size_t(y) * d.w + x + k] = 1;
    return d;
}

const std::map<unsigned char, Glyph>& base_glyphs() {
    static const std::map<unsigned char, Glyph> table = [] {
        std::map<unsigned char, Glyph> t;
        for (const GlyphDef& d : kGlyphs) t[d.code] = parse(d.rows);
        t[0xC4] = with_dots(t['A'], 0);
        t[0xD6] = with_dots(t['O'], 0);
        t[0xDC] = with_dots(t['U'], 0);
        t[0xE4] = with_dots(t['a'], 2);
        t[0xF6] = with_dots(t['o'], 2);
        t[0xFC] = with_dots(t['u'], 2);
        return t;
    }();
    return table;
}

const Glyph& glyph(unsigned char c, const TextStyle& st) {
    static std::map<std::tuple<unsigned char, int, bool>, Glyph> cache;
    auto key = std::make_tuple(c, st.scale, st.bold);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    const auto& base = base_glyphs();
    auto b = base.find(c);
    Glyph g = b != base.end() ? b->second : base.at('?');
    for (int s = 1; s < st.scale; s *= 2) g = scale2x(g);
    if (st.bold) g = embolden(g, st.scale >= 4 ? 2 : 1);
    return cache.emplace(key, std::move(g)).first->second;
}

int gap(const TextStyle& st) { return st.spacing >= 0 ? st.spacing : st.scale; }

}  // namespace

std::string to_cp1252(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = s[i];
        unsigned cp = c;
        int len = 1;
        if (c >= 0xF0) cp = c & 0x07, len = 4;
        else if (c >= 0xE0) cp = c & 0x0F, len = 3;
        else if (c >= 0xC0) cp = c & 0x1F, len = 2;
        for (int k = 1; k < len && i + k < s.size(); ++k) cp = (cp << 6) | (s[i + k] & 0x3F);
        i += len;
        if (cp < 0x80 || (cp >= 0xA0 && cp < 0x100)) out += char(cp);
        else if (cp == 0x20AC) out += char(0x80);
        else if (cp == 0x201E) out += char(0x84);
        else if (cp == 0x201C) out += char(0x93);
        else if (cp == 0x2013) out += char(0x96);
        else out += '?';
    }
    return out;
}

int text_width(const std::string& utf8, const TextStyle& st) {
    std::string t = to_cp1252(utf8);
    int w = 0;
    for (size_t i = 0; i < t.size(); ++i) w += glyph(t[i], st).w + (i + 1 < t.size() ? gap(st) : 0);
    return w;
}

int text_height(const TextStyle& st) { return kFontLineHeight * st.scale; }

Image text_mask(const std::string& utf8, const TextStyle& st) {
    Image m(std::max(1, text_width(utf8, st)), text_height(st), 0);
    int x = 0;
    for (unsigned char c : to_cp1252(utf8)) {
        const Glyph& g = glyph(c, st);
        for (int y = 0; y < g.h; ++y)
            for (int gx = 0; gx < g.w; ++gx)
                if (g.at(gx, y)) m.set(x + gx, y, 1);
        x += g.w + gap(st);
    }
    return m;
}

void draw_text(Image& img, int x, int y, const std::string& utf8, uint8_t colour, const TextStyle& st) {
    Image m = text_mask(utf8, st);
    for (int my = 0; my < m.h; ++my)
        for (int mx = 0; mx < m.w; ++mx)
            if (m.px[size_t(my) * m.w + mx]) img.set(x + mx, y + my, colour);
}

void draw_text_outlined(Image& img, int x, int y, const std::string& utf8, uint8_t colour, uint8_t edge,
                        const TextStyle& st) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx || dy) draw_text(img, x + dx, y + dy, utf8, edge, st);
    draw_text(img, x, y, utf8, colour, st);
}

void draw_text_shadowed(Image& img, int x, int y, const std::string& utf8, uint8_t colour, uint8_t shade,
                        const TextStyle& st) {
    int o = st.scale >= 2 ? 2 : 1;
    draw_text(img, x + o, y + o, utf8, shade, st);
    draw_text(img, x, y, utf8, colour, st);
}

int centred_x(int left, int width, const std::string& utf8, const TextStyle& st) {
    return left + (width - text_width(utf8, st)) / 2;
}

}  // namespace art
