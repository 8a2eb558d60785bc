// Checks of the icon generator: the pixel art as written, the .ico files as Windows reads them
// back, and the program's files.
//
// usage: icongen_tests [<path to icongen> <scratch dir>]
// Without arguments only the in-process checks run.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "icon_art.h"
#include "ico_file.h"

namespace {

int g_failures = 0;
int g_checks = 0;

void check(bool ok, const std::string& what) {
    ++g_checks;
    if (!ok) {
        ++g_failures;
        std::printf("  FAIL: %s\n", what.c_str());
    }
}

unsigned Get16(const std::vector<uint8_t>& b, size_t at) {
    return at + 1 < b.size() ? b[at] | b[at + 1] << 8 : 0;
}
uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
    return Get16(b, at) | static_cast<uint32_t>(Get16(b, at + 2)) << 16;
}

// One picture read back the way the icon loader does: colour indexes and mask bits, top row first.
struct Decoded {
    int size = 0;
    int bits = 0;
    std::vector<uint8_t> index;
    std::vector<bool> transparent;
    std::vector<icons::Rgb> table;
};

// Reads an .ico; reports structural faults through check() and returns what it could read.
std::vector<Decoded> ReadIco(const std::vector<uint8_t>& b, const std::string& name) {
    std::vector<Decoded> out;
    check(b.size() > 6 && Get16(b, 0) == 0 && Get16(b, 2) == 1, name + ": icon directory header");
    const unsigned count = Get16(b, 4);
    for (unsigned i = 0; i < count; ++i) {
        const size_t entry = 6 + 16 * i;
        const int size = b[entry] == 0 ? 256 : b[entry];
        const uint32_t bytes = Get32(b, entry + 8), offset = Get32(b, entry + 12);
        if (offset + bytes > b.size() || offset + 40 > b.size()) {
            check(false, name + ": image " + std::to_string(i) + " lies inside the file");
            continue;
        }
        Decoded d;
        d.size = size;
        d.bits = static_cast<int>(Get16(b, offset + 14));
        check(b[entry + 1] == b[entry], name + ": square entry");
        check(Get32(b, offset) == 40 && static_cast<int>(Get32(b, offset + 4)) == size &&
                  static_cast<int>(Get32(b, offset + 8)) == 2 * size && Get16(b, offset + 12) == 1,
              name + ": bitmap header of the " + std::to_string(size) + " picture");
        check(d.bits == 8 && Get16(b, entry + 6) == 8, name + ": 8 bits per pixel in header and entry");
        const int stride = (size + 3) & ~3, maskStride = ((size + 31) / 32) * 4;
        const size_t pixels = offset + 40 + 1024, mask = pixels + static_cast<size_t>(stride) * size;
        check(bytes == 40 + 1024 + static_cast<uint32_t>(stride + maskStride) * size,
              name + ": entry size matches the image");
        if (mask + static_cast<size_t>(maskStride) * size > b.size())
            continue;
        for (int k = 0; k < 256; ++k)
            d.table.push_back({b[offset + 40 + 4 * k + 2], b[offset + 40 + 4 * k + 1], b[offset + 40 + 4 * k]});
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const int row = size - 1 - y;  // stored bottom-up
                d.index.push_back(b[pixels + static_cast<size_t>(row) * stride + x]);
                d.transparent.push_back(b[mask + static_cast<size_t>(row) * maskStride + x / 8] & (0x80 >> (x % 8)));
            }
        out.push_back(d);
    }
    return out;
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void TestRowsAreChecked() {
    bool threw = false;
    try {
        icons::ImageFromRows({"KK", "K"});
    } catch (const std::invalid_argument&) {
        threw = true;
    }
    check(threw, "a ragged picture is refused");
    threw = false;
    try {
        icons::ImageFromRows({"K#", "KK"});
    } catch (const std::invalid_argument&) {
        threw = true;
    }
    check(threw, "an unknown ink is refused");

    std::set<char> keys;
    for (const icons::Ink& ink : icons::Inks())
        keys.insert(ink.key);
    check(keys.size() == icons::Inks().size() && icons::Inks().size() <= 256, "inks have distinct keys, fit 8 bits");
    check(icons::Inks()[0].key == '.', "ink 0 is the transparent one");
}

// A lopsided picture catches rows written top-down or mask bits in the wrong order.
void TestRoundTrip() {
    std::vector<std::string> rows(16, std::string(16, '.'));
    rows[0][0] = 'K';
    rows[0][9] = 'Y';
    rows[15][15] = 'E';
    rows[3] = "RRRRRRRR........";
    icons::Icon withInks;
    for (const icons::Ink& ink : icons::Inks())
        withInks.palette.push_back(ink.colour);
    withInks.images.push_back(icons::ImageFromRows(rows));
    const auto images = ReadIco(icons::IcoBytes(withInks), "round trip");
    check(images.size() == 1, "round trip: one image");
    if (images.size() != 1)
        return;
    const icons::IconImage& source = withInks.images[0];
    bool same = true, maskRight = true;
    for (size_t i = 0; i < source.pixels.size(); ++i) {
        same = same && images[0].index[i] == source.pixels[i];
        maskRight = maskRight && images[0].transparent[i] == (source.pixels[i] == 0);
    }
    check(same, "round trip: every colour index comes back at its place");
    check(maskRight, "round trip: the mask is set exactly where the picture is transparent");
    check(images[0].table[0].r == 0 && images[0].table[0].g == 0 && images[0].table[0].b == 0,
          "round trip: transparent pixels are black under the mask");
    const icons::Rgb yellow = icons::Inks()[source.pixels[9]].colour;
    check(images[0].table[source.pixels[9]].r == yellow.r && images[0].table[source.pixels[9]].b == yellow.b,
          "round trip: colour table stored as blue, green, red");
}

void TestIcons() {
    for (const auto& [name, icon] : {std::pair{"bus", icons::BusIcon()}, std::pair{"stop", icons::StopIcon()}}) {
        const auto images = ReadIco(icons::IcoBytes(icon), name);
        check(images.size() == 2 && images[0].size == 32 && images[1].size == 16,
              std::string(name) + ": a 32 and a 16 pixel picture");
        for (const Decoded& d : images) {
            int opaque = 0, edge = 0;
            for (int i = 0; i < d.size * d.size; ++i) {
                opaque += !d.transparent[i];
                const int x = i % d.size, y = i / d.size;
                if (!d.transparent[i] && (x == 0 || y == 0 || x == d.size - 1))
                    ++edge;
            }
            const std::string what = std::string(name) + " " + std::to_string(d.size);
            // A picture, not a speck and not a filled square.
            check(opaque > d.size * d.size / 4 && opaque < d.size * d.size * 9 / 10, what + ": covers a fair share");
            check(edge < d.size * 2, what + ": does not fill the frame edge to edge");
        }
    }
}

void TestProgram(const std::string& program, const std::filesystem::path& dir) {
    namespace fs = std::filesystem;
    const fs::path first = dir / "first", second = dir / "second";
    for (const fs::path& d : {first, second}) {
        fs::remove_all(d);
        fs::create_directories(d);
        const std::string command = "\"" + program + "\" \"" + d.string() + "\"";
        check(std::system(command.c_str()) == 0, "icongen exits with 0 for " + d.string());
    }
    for (const char* name : {"saver.ico", "setup.ico", "setup_saver.ico", "icons.rc"}) {
        const auto a = ReadFile(first / name), b = ReadFile(second / name);
        check(!a.empty(), std::string(name) + " is written");
        check(a == b, std::string(name) + " has the same bytes on every run");
    }
    const auto rc = ReadFile(first / "icons.rc");
    check(std::string(rc.begin(), rc.end()) == "100 ICON \"saver.ico\"\n", "icons.rc names the saver's icon 100");
    check(ReadFile(first / "saver.ico") == ReadFile(first / "setup_saver.ico"),
          "setup's SAVER icon is the screen saver's own");
    check(ReadFile(first / "saver.ico") != ReadFile(first / "setup.ico"), "setup's own icon is another picture");
    check(std::system(("\"" + program + "\" 2>/dev/null").c_str()) != 0, "icongen without a folder fails");
    check(std::system(("\"" + program + "\" \"" + (dir / "missing" / "deeper").string() + "\" 2>/dev/null").c_str()) !=
              0,
          "icongen into a folder that does not exist fails");
}

}  // namespace

int main(int argc, char** argv) {
    TestRowsAreChecked();
    TestRoundTrip();
    TestIcons();
    if (argc >= 3)
        TestProgram(argv[1], argv[2]);
    else
        std::puts("(program checks skipped: no icongen path given)");
    std::printf("%d checks, %d failed\n", g_checks, g_failures);
    return g_failures == 0 ? 0 : 1;
}
