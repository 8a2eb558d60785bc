// Tests of the picture generator: the file formats the engine and the
// resource compiler rely on, the colour table, and the promises the pictures
// make to the engine (sizes, the swept pavement, patches, the clock face).
#include <cstdio>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "catalogue.h"
#include "core/bmp.h"
#include "core/draw.h"
#include "core/font.h"
#include "core/png.h"
#include "core/rng.h"
#include "scenes/street.h"

using namespace art;

#include "check.h"

static uint32_t rd32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}
static uint16_t rd16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | (b[at + 1] << 8)); }

// An RLE8 decoder written from the format's description, independent of the
// encoder. It rejects what Windows would misread or what the encoder promises
// never to emit: absolute runs shorter than 3, runs crossing a row end, rows
// without their end-of-line, anything after end-of-bitmap.
struct Decoded {
    bool ok = false;
    std::string why;
    Image img;
};

static Decoded decode_rle8(const std::vector<uint8_t>& s, int w, int h) {
    Decoded d;
    d.img = Image(w, h, 0);
    size_t i = 0;
    int x = 0, row = 0;  // row counts from the bottom
    auto fail = [&](const char* why) {
        d.why = why;
        return d;
    };
    while (true) {
        if (i + 1 >= s.size()) return fail("stream ends without end-of-bitmap");
        uint8_t a = s[i], b = s[i + 1];
        i += 2;
        if (a > 0) {
            if (row >= h || x + a > w) return fail("encoded run crosses the row end");
            for (int k = 0; k < a; ++k) d.img.set(x++, h - 1 - row, b);
        } else if (b == 0) {
            if (x != w) return fail("end-of-line before the row is full");
            x = 0;
            ++row;
        } else if (b == 1) {
            if (row != h) return fail("end-of-bitmap before all rows ended");
            if (i != s.size()) return fail("bytes after end-of-bitmap");
            d.ok = true;
            return d;
        } else if (b == 2) {
            return fail("delta escape is not expected");
        } else {
            if (b < 3) return fail("absolute run shorter than 3");
            if (row >= h || x + b > w) return fail("absolute run crosses the row end");
            if (i + b > s.size()) return fail("absolute run past the stream");
            for (int k = 0; k < b; ++k) d.img.set(x++, h - 1 - row, s[i + k]);
            i += b + (b & 1);  // word alignment
        }
    }
}

static void rle_cases() {
    g_case = "rle8 round trip";
    Rng rng(7);
    std::vector<std::pair<std::string, Image>> cases;
    auto make = [&](const std::string& name, int w, int h, const std::function<uint8_t(int, int)>& f) {
        Image img(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) img.set(x, y, f(x, y));
        cases.push_back({name, img});
    };
    make("one long run over 255", 700, 3, [](int, int) { return uint8_t(42); });
    make("single pixels alternating", 33, 4, [](int x, int y) { return uint8_t((x + y) % 2 ? 10 : 20); });
    make("odd width noise", 37, 9, [&](int, int) { return uint8_t(rng.below(256)); });
    make("width 1", 1, 5, [](int, int y) { return uint8_t(y); });
    make("width 2", 2, 5, [](int x, int y) { return uint8_t(x * 3 + y); });
    make("literal of 1 between runs", 20, 2, [](int x, int) { return uint8_t(x == 7 ? 99 : x < 7 ? 1 : 2); });
    make("literal of 2 between runs", 20, 2, [](int x, int) { return uint8_t(x == 7 ? 98 : x == 8 ? 97 : x < 7 ? 1 : 2); });
    make("literal over 255 with short tail", 258, 2, [](int x, int) { return uint8_t(x % 251); });
    make("literal of 256", 256, 1, [](int x, int) { return uint8_t(x); });
    make("literal of 257", 257, 1, [](int x, int) { return uint8_t(x % 256); });
    make("literal then run of 2", 9, 1, [](int x, int) { return uint8_t(x < 7 ? x : 200); });
    make("runs of exactly 3", 30, 3, [](int x, int) { return uint8_t(x / 3); });
    make("pairs", 31, 3, [](int x, int) { return uint8_t(x / 2); });
    for (int w = 1; w <= 24; ++w)
        make("random short row " + std::to_string(w), w, 6, [&](int, int) { return uint8_t(rng.below(4)); });
    for (auto& c : cases) {
        g_case = "rle8: " + c.first;
        Decoded d = decode_rle8(encode_rle8(c.second), c.second.w, c.second.h);
        if (!d.ok) std::printf("  decoder: %s\n", d.why.c_str());
        CHECK(d.ok);
        CHECK(d.img.px == c.second.px);
    }
    g_case = "rle8 decoder rejects a short absolute run";
    std::vector<uint8_t> bad = {0, 2, 5, 6, 0, 0, 0, 1};
    CHECK(!decode_rle8(bad, 2, 1).ok);
}

static void palette_cases() {
    g_case = "colour table";
    const auto& p = palette();
    const Rgb low[10] = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},    {128, 128, 0},   {0, 0, 128},
                         {128, 0, 128}, {0, 128, 128}, {192, 192, 192}, {192, 220, 192}, {166, 202, 240}};
    const Rgb high[10] = {{255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},
                          {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255}};
    for (int i = 0; i < 10; ++i) {
        CHECK(p[i] == low[i]);
        CHECK(p[246 + i] == high[i]);
    }
    int magenta = 0;
    for (int i = 0; i < 256; ++i)
        if (p[i] == Rgb{255, 0, 255}) {
            ++magenta;
            CHECK(i == KEY);
        }
    CHECK(magenta == 1);
    // matching never hands out the key, even for magenta itself
    CHECK(nearest({255, 0, 255}) != KEY);
    CHECK(nearest({250, 5, 250}) != KEY);
    // ramps run dark to light, so "shift" means what shading code expects
    for (const Ramp* r : {&ramp::brick, &ramp::sky_day, &ramp::skin, &ramp::paint_yellow, &ramp::grey}) {
        for (int s = 1; s < r->count; ++s) {
            Rgb a = p[(*r)(s - 1)], b = p[(*r)(s)];
            CHECK(a.r + a.g + a.b < b.r + b.g + b.b);
        }
        CHECK(shift((*r)(2), 1) == (*r)(3));
        CHECK((*r)(-5) == r->first && (*r)(99) == r->first + r->count - 1);
    }
}

static void png_cases() {
    g_case = "png checksums";
    const char* digits = "123456789";
    CHECK(crc32(reinterpret_cast<const uint8_t*>(digits), 9) == 0xCBF43926u);  // the CRC-32 check value
    const char* wiki = "Wikipedia";
    CHECK(adler32(reinterpret_cast<const uint8_t*>(wiki), 9) == 0x11E60398u);
    g_case = "zlib stored blocks";
    std::vector<uint8_t> raw(150000);
    for (size_t i = 0; i < raw.size(); ++i) raw[i] = uint8_t(i * 7 + i / 300);
    std::vector<uint8_t> z = zlib_stored(raw);
    CHECK(z[0] == 0x78 && (z[0] * 256 + z[1]) % 31 == 0);
    std::vector<uint8_t> back;
    size_t i = 2;
    bool last = false;
    while (!last && i + 5 <= z.size()) {
        last = z[i] & 1;
        size_t len = z[i + 1] | (z[i + 2] << 8);
        size_t nlen = z[i + 3] | (z[i + 4] << 8);
        CHECK((len ^ 0xFFFF) == nlen);
        back.insert(back.end(), z.begin() + long(i + 5), z.begin() + long(i + 5 + len));
        i += 5 + len;
    }
    CHECK(back == raw);
    uint32_t ad = adler32(raw.data(), raw.size());
    CHECK(i + 4 == z.size() && rd32({z[i + 3], z[i + 2], z[i + 1], z[i]}, 0) == ad);
}

static void font_cases() {
    g_case = "font";
    CHECK(to_cp1252("ÄÖÜäöüß") == "\xC4\xD6\xDC\xE4\xF6\xFC\xDF");
    CHECK(to_cp1252("min. 256 Farben !") == "min. 256 Farben !");
    // every character our texts use has a glyph of its own, not the '?' fallback
    Image unknown = text_mask("?");
    std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789ÄÖÜäöüß.,:;!-+/()";
    std::string cp = to_cp1252(alphabet);
    std::set<std::vector<uint8_t>> shapes;
    for (size_t k = 0; k < cp.size(); ++k) {
        std::string one(1, cp[k]);
        // text_mask expects UTF-8; re-encode Latin-1 bytes
        std::string utf8 = (unsigned char)cp[k] < 0x80 ? one
                                                       : std::string{char(0xC0 | ((unsigned char)cp[k] >> 6)),
                                                                     char(0x80 | ((unsigned char)cp[k] & 0x3F))};
        Image m = text_mask(utf8);
        CHECK(m.px != unknown.px || cp[k] == '?');
        shapes.insert(m.px);
    }
    CHECK(shapes.size() == cp.size());  // no two characters look the same
    // umlauts are their letters plus dots
    CHECK(text_width("Ä") == text_width("A") && text_mask("Ä").px != text_mask("A").px);
    // larger sizes scale the width accordingly
    CHECK(text_width("Farben", {2, false}) == 2 * text_width("Farben"));
    CHECK(text_height({2, true}) == 2 * kFontLineHeight);
}

struct Parsed {
    bool ok = false;
    int w = 0, h = 0, bpp = 0, compression = -1, colours = 0;
    std::vector<Rgb> table;
    Image img;
    std::string why;
};

static Parsed parse_bmp(const std::vector<uint8_t>& f) {
    Parsed p;
    if (f.size() < 54 || f[0] != 'B' || f[1] != 'M') return p.why = "no BM", p;
    if (rd32(f, 2) != f.size()) return p.why = "file size field", p;
    if (rd32(f, 14) != 40) return p.why = "info header is not 40 bytes", p;
    p.w = int(rd32(f, 18));
    p.h = int(rd32(f, 22));
    if (rd16(f, 26) != 1) return p.why = "planes", p;
    p.bpp = rd16(f, 28);
    p.compression = int(rd32(f, 30));
    uint32_t size_image = rd32(f, 34);
    uint32_t used = rd32(f, 46);
    p.colours = used ? int(used) : 1 << p.bpp;
    uint32_t off = rd32(f, 10);
    if (off != 54 + 4u * p.colours) return p.why = "bits offset", p;
    for (int i = 0; i < p.colours; ++i) p.table.push_back({f[54 + 4 * i + 2], f[54 + 4 * i + 1], f[54 + 4 * i]});
    std::vector<uint8_t> bits(f.begin() + off, f.end());
    if (p.compression == 1) {
        if (size_image != bits.size()) return p.why = "biSizeImage", p;
        Decoded d = decode_rle8(bits, p.w, p.h);
        if (!d.ok) return p.why = d.why, p;
        p.img = d.img;
    } else if (p.compression == 0) {
        int stride = ((p.w * p.bpp + 31) / 32) * 4;
        if (bits.size() != size_t(stride) * p.h) return p.why = "raw size", p;
        if (size_image != 0 && size_image != bits.size()) return p.why = "biSizeImage", p;
        p.img = Image(p.w, p.h, 0);
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x) {
                const uint8_t* r = &bits[size_t(p.h - 1 - y) * stride];
                p.img.set(x, y, p.bpp == 8 ? r[x] : uint8_t((r[x / 8] >> (7 - x % 8)) & 1));
            }
    } else {
        return p.why = "compression", p;
    }
    p.ok = true;
    return p;
}

static void catalogue_cases(const std::vector<Picture>& pics) {
    g_case = "catalogue names and sizes";
    struct Want { std::string name; int w, h; };
    std::vector<Want> want;
    char n[32];
    for (int t = 1; t <= 2; ++t)
        for (int s = 1; s <= 2; ++s) std::snprintf(n, sizeof n, "HG01_%02d_%02d", t, s), want.push_back({n, 1024, 660});
    for (int b = 1; b <= 4; ++b) std::snprintf(n, sizeof n, "HG%02d", b), want.push_back({n, 262, 169});
    for (int t = 1; t <= 2; ++t) {
        std::snprintf(n, sizeof n, "WERBEFL_%02d", t), want.push_back({n, 168, 149});
        std::snprintf(n, sizeof n, "SCHILD_%02d", t), want.push_back({n, 32, 115});
        for (int m = 1; m <= 8; ++m) std::snprintf(n, sizeof n, "MOTIV%02d_%02d", t, m), want.push_back({n, 168, 130});
    }
    for (int u = 0; u < 4; ++u) std::snprintf(n, sizeof n, "UHR_%02d", u), want.push_back({n, 144, 26});
    const int lw[4] = {208, 176, 256, 144}, lh[4] = {51, 43, 57, 62};
    for (int s = 1; s <= 2; ++s)
        for (int w = 0; w < 4; ++w)
            for (int v = 0; v < 3; ++v)
                std::snprintf(n, sizeof n, "LI01_%02d_%02d_%02d", s, w, v), want.push_back({n, lw[w], lh[w]});
    want.push_back({"FARBEN", 416, 32});
    want.push_back({"SPEICHER", 380, 38});
    want.push_back({"BUS", 352, 114});
    want.push_back({"LOGO", 376, 99});
    want.push_back({"FIG22_T01", 1024, 74});
    // Figure families add their own sheets; each checks them in its own test program.
    CHECK(pics.size() >= want.size());
    std::set<std::string> names;
    for (const Picture& p : pics) {
        names.insert(p.name);
        CHECK(p.img.px.size() == size_t(p.img.w) * p.img.h);
    }
    CHECK(names.size() == pics.size());
    for (const Want& w : want) {
        const Picture* p = find(pics, w.name);
        g_case = "catalogue: " + w.name;
        CHECK(p != nullptr);
        if (p) CHECK(p->img.w == w.w && p->img.h == w.h);
    }
}

static void file_cases(const std::vector<Picture>& pics) {
    for (const Picture& p : pics) {
        g_case = "file: " + p.name;
        Parsed b = parse_bmp(bmp_bytes(p.img, p.format));
        if (!b.ok) std::printf("  %s: %s\n", p.name.c_str(), b.why.c_str());
        CHECK(b.ok);
        if (!b.ok) continue;
        CHECK(b.w == p.img.w && b.h == p.img.h);
        // The small passenger faces and the pictures shown without the scene's palette logic stay plain.
        bool raw = p.name == "FARBEN" || p.name == "SPEICHER" || p.name == "BUS" || p.name.rfind("BUS_TF", 0) == 0 ||
                   p.name.rfind("BUS_NF", 0) == 0;
        if (p.name == "LOGO") {
            CHECK(b.bpp == 1 && b.colours == 2 && b.compression == 0);
            CHECK(b.table[0] == (Rgb{0, 0, 0}) && b.table[1] == (Rgb{255, 255, 255}));
            // a real picture: both inks in use, lettering covering a fair share
            size_t ink = 0;
            for (uint8_t v : b.img.px) ink += v == 0;
            CHECK(ink > b.img.px.size() / 20 && ink < b.img.px.size() / 2);
            continue;
        }
        CHECK(b.bpp == 8 && b.colours == 256);
        CHECK(b.compression == (raw ? 0 : 1));
        for (int i = 0; i < 256; ++i) CHECK(b.table[i] == palette()[i]);
        CHECK(b.img.px == p.img.px);
        // opaque pixels are never magenta: only the key index may be
        bool clean = true;
        for (uint8_t v : b.img.px)
            if (v != KEY && b.table[v] == (Rgb{255, 0, 255})) clean = false;
        CHECK(clean);
    }
}

static void scene_cases(const std::vector<Picture>& pics) {
    const Image& day = find(pics, "HG01_01_01")->img;
    const Image& winter = find(pics, "HG01_01_02")->img;
    g_case = "swept pavement is the same in both seasons";
    bool same = true, differs_elsewhere = false;
    for (int y = street::kSweptTop; y < street::kSweptBottom; ++y)
        if (std::memcmp(day.row(y), winter.row(y), size_t(day.w)) != 0) same = false;
    for (int y = 0; y < street::kSweptTop; ++y)
        if (std::memcmp(day.row(y), winter.row(y), size_t(day.w)) != 0) differs_elsewhere = true;
    CHECK(same);
    CHECK(differs_elsewhere);
    g_case = "FIG22_T01 is the day pavement";
    const Image& sweep = find(pics, "FIG22_T01")->img;
    CHECK(sweep.px == day.crop({0, 458, 1024, 74}).px);

    g_case = "backgrounds are opaque";
    for (const char* n : {"HG01_01_01", "HG01_01_02", "HG01_02_01", "HG01_02_02", "HG01", "HG02", "HG03", "HG04"}) {
        bool opaque = true;
        for (uint8_t v : find(pics, n)->img.px) opaque &= v != KEY;
        CHECK(opaque);
    }

    g_case = "clock face matches the digit strip";
    const Image& strip = find(pics, "UHR_00")->img;
    uint8_t face = strip.get(143, 0);  // spare columns show the bare face
    for (const char* n : {"HG01_01_01", "HG01_01_02", "HG01_02_01", "HG01_02_02"}) {
        const Image& bg = find(pics, n)->img;
        bool ok = true;
        for (int x : {40, 54, 73, 88})
            for (int y = 234; y < 260; ++y)
                for (int k = 0; k < 14; ++k) ok &= bg.get(x + k, y) == face;
        CHECK(ok);
        // and the colon is painted into the gap
        bool colon = false;
        for (int y = 234; y < 260; ++y)
            for (int x = 68; x < 73; ++x) colon |= bg.get(x, y) != face;
        CHECK(colon);
    }
    g_case = "digit strip holds ten different digits";
    std::set<std::vector<uint8_t>> digits;
    for (int d = 0; d < 10; ++d) digits.insert(strip.crop({14 * d, 0, 14, 26}).px);
    CHECK(digits.size() == 10);

    g_case = "light patches";
    for (int s = 1; s <= 2; ++s) {
        const Image& night = find(pics, s == 1 ? "HG01_02_01" : "HG01_02_02")->img;
        for (int w = 0; w < 4; ++w) {
            const Rect& r = street::kPatch[w];
            std::vector<std::vector<uint8_t>> variants;
            for (int v = 0; v < 3; ++v) {
                char n[32];
                std::snprintf(n, sizeof n, "LI01_%02d_%02d_%02d", s, w, v);
                const Image& patch = find(pics, n)->img;
                variants.push_back(patch.px);
                // outside the glass of this group's windows the patch is the night picture
                bool matches = true;
                for (int y = 0; y < r.h; ++y)
                    for (int x = 0; x < r.w; ++x) {
                        bool in_glass = false;
                        for (const street::Window& win : street::windows())
                            if (win.group == w && win.r.contains(r.x + x, r.y + y)) in_glass = true;
                        if (!in_glass && patch.get(x, y) != night.get(r.x + x, r.y + y)) matches = false;
                    }
                CHECK(matches);
                CHECK(patch.px != night.crop(r).px);
            }
            CHECK(variants[0] != variants[1] && variants[1] != variants[2] && variants[0] != variants[2]);
        }
    }
    g_case = "every changing window lies wholly inside its patch";
    for (const street::Window& win : street::windows()) {
        if (win.group < 0) continue;
        const Rect& r = street::kPatch[win.group];
        CHECK(win.r.x >= r.x && win.r.y >= r.y && win.r.right() <= r.right() && win.r.bottom() <= r.bottom());
    }

    g_case = "sprites are keyed around, opaque inside";
    const Image& sign = find(pics, "SCHILD_01")->img;
    CHECK(sign.get(0, 114) == KEY && sign.get(31, 114) == KEY && sign.get(0, 0) == KEY);
    bool foot = false;
    for (int x = 0; x < 32; ++x) foot |= sign.get(x, 114) != KEY;
    CHECK(foot);  // the pole stands on the last row
    for (const char* n : {"WERBEFL_01", "WERBEFL_02"}) {
        const Image& b = find(pics, n)->img;
        CHECK(b.get(84, 60) != KEY);      // the poster area is covered
        CHECK(b.get(84, 145) == KEY);     // between the legs the street shows
        CHECK(b.get(16, 145) != KEY);     // a leg
    }
    for (int t = 1; t <= 2; ++t) {
        char n[32];
        std::snprintf(n, sizeof n, "MOTIV%02d_01", t);
        const Image& cal = find(pics, n)->img;
        // the calendar's cells must be plain paper so painted numbers read
        std::set<uint8_t> colours;
        for (int y = 30; y < 120; ++y)
            for (int x = 12; x < 150; ++x) colours.insert(cal.get(x, y));
        CHECK(colours.count(KEY) == 0);
        CHECK(colours.size() <= 4);
        for (uint8_t c : colours) {
            const Rgb& rgb = palette()[c];
            CHECK(rgb.r + rgb.g + rgb.b > 3 * 150);
        }
    }
}

static void determinism_case(const std::vector<Picture>& pics) {
    g_case = "same source, same bytes";
    std::vector<Picture> again = build_catalogue();
    bool same = again.size() == pics.size();
    for (size_t i = 0; same && i < pics.size(); ++i)
        same = again[i].name == pics[i].name && bmp_bytes(again[i].img, again[i].format) == bmp_bytes(pics[i].img, pics[i].format);
    CHECK(same);
}

int main() {
    rle_cases();
    palette_cases();
    png_cases();
    font_cases();
    std::vector<Picture> pics = build_catalogue();
    catalogue_cases(pics);
    file_cases(pics);
    scene_cases(pics);
    determinism_case(pics);
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
