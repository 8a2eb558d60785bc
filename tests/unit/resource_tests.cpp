// What the built saver carries: every picture at its catalogue size and format with the one
// shared colour table, and the 27 sounds as playable PCM.
#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

#include <cstring>
#include <string>
#include <vector>

#include "scene/draw_order.h"
#include "unit/test_support.h"

namespace {

struct Entry {
    std::string name;
    int width, height;
};

enum class Format { Rle8, Raw8, Mono };

std::vector<Entry> ScenePictures() {
    std::vector<Entry> list = {
        {"HG01_01_01", 1024, 660}, {"HG01_01_02", 1024, 660}, {"HG01_02_01", 1024, 660}, {"HG01_02_02", 1024, 660},
        {"HG01", 262, 169},        {"HG02", 262, 169},        {"HG03", 262, 169},        {"HG04", 262, 169},
        {"WERBEFL_01", 168, 149},  {"WERBEFL_02", 168, 149},  {"SCHILD_01", 32, 115},    {"SCHILD_02", 32, 115},
        {"FIG22_T01", 1024, 74},
    };
    char name[32];
    for (int t = 1; t <= 2; ++t)
        for (int m = 1; m <= 8; ++m) {
            sprintf(name, "MOTIV%02d_%02d", t, m);
            list.push_back({name, 168, 130});
        }
    for (int i = 0; i <= 3; ++i) {
        sprintf(name, "UHR_%02d", i);
        list.push_back({name, 144, 26});
    }
    const int patchSize[4][2] = {{208, 51}, {176, 43}, {256, 57}, {144, 62}};
    for (int s = 1; s <= 2; ++s)
        for (int w = 0; w < 4; ++w)
            for (int v = 0; v < 3; ++v) {
                sprintf(name, "LI01_%02d_%02d_%02d", s, w, v);
                list.push_back({name, patchSize[w][0], patchSize[w][1]});
            }
    return list;
}

// The sheets of the road traffic and the bus.
std::vector<Entry> VehicleSheets() {
    std::vector<Entry> list = {
        {"FIG80_N00", 1808, 76}, {"FIG81_T00", 800, 134}, {"FIG82_T00", 800, 85},  {"FIG83_T00", 728, 150},
        {"FIG84_T00", 728, 113}, {"FIG85_T00", 656, 95},  {"FIG86_N00", 1688, 81}, {"FIG86_T00", 728, 81},
        {"FIG87_N00", 800, 80},  {"FIG87_T00", 512, 80},  {"FIG88_T00", 248, 411}, {"FIG89_T00", 328, 204},
        {"FIG90_N00", 1088, 76}, {"FIG91_N00", 1016, 81}, {"FIG92_T00", 800, 85},  {"FIG93_T00", 944, 114},
        {"FIG94_T00", 1328, 137}, {"FIG95_T00", 728, 161}, {"FIG96_T00", 656, 85}, {"FIG97_T00", 488, 77},
        {"FIG98_N00", 800, 80},  {"FIG98_T00", 512, 80},  {"FIG99_T00", 800, 118},
    };
    char name[32];
    for (int v = 0; v <= 2; ++v)
        for (int c = 1; c <= 3; ++c) {
            sprintf(name, "FIG70_T%02d_%02d", v, c);
            list.push_back({name, 312, 114});
            sprintf(name, "FIG70_N%02d_%02d", v, c);
            list.push_back({name, 416, 114});
        }
    return list;
}

// The people in front of the shelter.
std::vector<Entry> PersonSheets() {
    return {
        {"FIG01_T00", 432, 72},   {"FIG02_T00", 2392, 74}, {"FIG03_T00", 1288, 76}, {"FIG03_N00", 1288, 76},
        {"FIG04_T00", 1192, 84},  {"FIG04_T01", 1192, 84}, {"FIG05_T00", 656, 71},  {"FIG06_T00", 1376, 115},
        {"FIG06_T01", 1376, 115}, {"FIG07_T00", 656, 77},  {"FIG08_T00", 688, 82},  {"FIG09_T00", 944, 70},
        {"FIG12_T00", 312, 62},   {"FIG13_T00", 656, 78},  {"FIG21_T00", 792, 80},  {"FIG23_T00", 1024, 78},
        {"FIG23_N00", 1024, 78},  {"FIG16_T00", 728, 90},  {"FIG22_T00", 1160, 86}, {"FIG27_T00", 2680, 138},
        {"FIG26_T00", 1520, 132}, {"FIG37_T00", 968, 83},  {"FIG38_T00", 920, 103},
        // the day passers-by
        {"FIG11_T00", 504, 70},   {"FIG14_T00", 1904, 113}, {"FIG14_T01", 1904, 113}, {"FIG15_T00", 944, 74},
        {"FIG20_T00", 720, 76},   {"FIG20_N00", 720, 76},   {"FIG24_T00", 1152, 54},  {"FIG25_T00", 3520, 82},
        {"FIG29_T00", 1392, 83},  {"FIG30_T00", 880, 370},  {"FIG34_T00", 1888, 77},
    };
}

// The strollers of the evening and the figures of the night.
std::vector<Entry> StrollerSheets() {
    return {
        {"FIG29_N00", 816, 79},   {"FIG40_N00", 816, 79},   {"FIG49_T00", 736, 76},   {"FIG49_N00", 736, 76},
        {"FIG50_T00", 1096, 90},  {"FIG50_N00", 1096, 85},  {"FIG53_N00", 1328, 82},  {"FIG56_T00", 2392, 82},
        {"FIG56_N00", 2392, 82},  {"FIG57_N00", 2392, 82},  {"FIG58_N00", 2456, 85},  {"FIG59_N00", 1640, 83},
    };
}

// What flies over the street: frame counts and sizes by kind.
std::vector<Entry> FlyingPictures() {
    const struct {
        int type, frames, width, height;
    } kinds[] = {{1, 2, 360, 86}, {2, 2, 400, 86}, {3, 2, 112, 113}, {4, 2, 112, 113},
                 {5, 2, 112, 113}, {6, 4, 120, 74}, {7, 4, 120, 74}};
    std::vector<Entry> list;
    for (const auto& k : kinds)
        for (int f = 0; f < k.frames; ++f) {
            char name[16];
            sprintf(name, "FLUG%d_%02d", k.type, f);
            list.push_back({name, k.width, k.height});
        }
    return list;
}

class BuiltSaver : public ::testing::Test {
protected:
    static HMODULE module;
    static void SetUpTestSuite() { module = LoadLibraryExA(ScrPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE); }
    static void TearDownTestSuite() { FreeLibrary(module); }

    static const BITMAPINFOHEADER* Header(const std::string& name) {
        HRSRC found = FindResourceA(module, name.c_str(), reinterpret_cast<LPCSTR>(RT_BITMAP));
        return found ? static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found))) : nullptr;
    }
    static const RGBQUAD* Table(const BITMAPINFOHEADER* h) {
        return reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(h) + h->biSize);
    }
    static void ExpectPicture(const std::string& name, int width, int height, Format format) {
        const BITMAPINFOHEADER* h = Header(name);
        ASSERT_NE(h, nullptr) << name << " is missing";
        EXPECT_EQ(h->biSize, 40u) << name;
        EXPECT_EQ(h->biWidth, width) << name;
        EXPECT_EQ(h->biHeight, height) << name;
        EXPECT_EQ(h->biBitCount, format == Format::Mono ? 1 : 8) << name;
        EXPECT_EQ(h->biCompression, format == Format::Rle8 ? DWORD(BI_RLE8) : DWORD(BI_RGB)) << name;
    }
};
HMODULE BuiltSaver::module = nullptr;

TEST_F(BuiltSaver, CarriesEveryPictureAtItsSize) {
    ASSERT_NE(module, nullptr);
    for (const Entry& e : ScenePictures())
        ExpectPicture(e.name, e.width, e.height, Format::Rle8);
    for (const Entry& e : VehicleSheets())
        ExpectPicture(e.name, e.width, e.height, Format::Rle8);
    for (const Entry& e : PersonSheets())
        ExpectPicture(e.name, e.width, e.height, Format::Rle8);
    for (const Entry& e : FlyingPictures())
        ExpectPicture(e.name, e.width, e.height, Format::Rle8);
    for (int n = 1; n <= 23; ++n) {
        char name[16];
        sprintf(name, "BUS_TF%02d", n);
        ExpectPicture(name, 32, 26, Format::Raw8);
        sprintf(name, "BUS_NF%02d", n);
        ExpectPicture(name, 32, 26, Format::Raw8);
    }
    ExpectPicture("FARBEN", 416, 32, Format::Raw8);
    ExpectPicture("SPEICHER", 380, 38, Format::Raw8);
    ExpectPicture("BUS", 352, 114, Format::Raw8);
    ExpectPicture("LOGO", 376, 99, Format::Mono);
}

TEST_F(BuiltSaver, CarriesTheStrollersAndNightFigures) {
    ASSERT_NE(module, nullptr);
    for (const Entry& e : StrollerSheets()) {
        ExpectPicture(e.name, e.width, e.height, Format::Rle8);
        const BITMAPINFOHEADER* h = Header(e.name);
        const BITMAPINFOHEADER* reference = Header("HG01_01_01");
        ASSERT_NE(h, nullptr) << e.name;
        ASSERT_NE(reference, nullptr);
        EXPECT_EQ(std::memcmp(Table(h), Table(reference), 256 * sizeof(RGBQUAD)), 0) << e.name;
    }
}

// A figure with pictures but no script would stand invisible on the stage for ever, and a script
// without pictures never runs: the two must come together.
TEST_F(BuiltSaver, EveryFigureWithASheetHasAScriptAndEveryScriptASheet) {
    ASSERT_NE(module, nullptr);
    auto has = [](const char* format, auto... values) {
        char name[40];
        snprintf(name, sizeof name, format, values...);
        return Header(name) != nullptr;
    };
    const bool backgroundThreeAtNight = has("HG03_02_01") || has("HG03_02_02");
    int withSheet = 0;
    for (FigureId id = 1; id < FigureTableSize; ++id) {
        bool sheet = false;
        for (int k = 0; k < MaxFigureVariants; ++k) {
            bool variant = false;
            for (char t : {'T', 'N'}) {
                if (id == BusId)
                    variant = variant || has("FIG%02d_%c%02d_%02d", id, t, k, 1);
                else
                    variant = variant || has("FIG%02d_%c%02d", id, t, k);
            }
            if (id > 100)
                variant = variant || has("FIG%03d_03_02_01_%02d", id, k) || has("FIG%03d_03_02_02_%02d", id, k);
            if (id == SignId && k == 0)
                variant = has("SCHILD_01") && has("SCHILD_02");  // the halt sign's pictures
            if (k == 0)
                sheet = variant;
            if (sheet && k < FigureBitmapCount[id]) {
                EXPECT_TRUE(variant) << "figure " << id << " lacks its picture " << k;
            }
        }
        if (id > 100 && !backgroundThreeAtNight) {
            EXPECT_FALSE(sheet) << "night layer " << id << " without its background";
        } else {
            EXPECT_EQ(ScriptFor(id) != nullptr, sheet) << "figure " << id << (sheet ? " has no script" : " has no sheet");
        }
        if (sheet) {
            EXPECT_GE(FigureBitmapCount[id], 1) << "figure " << id << " is missing from the catalogue";
        }
        withSheet += sheet;
    }
    EXPECT_GT(withSheet, 40) << "the persons, the bus, the sign and the vehicles at least";
}

TEST_F(BuiltSaver, EveryPictureSharesOneColourTableWithMagentaOnlyAt253) {
    ASSERT_NE(module, nullptr);
    const BITMAPINFOHEADER* reference = Header("HG01_01_01");
    ASSERT_NE(reference, nullptr);
    const RGBQUAD* table = Table(reference);
    EXPECT_EQ(table[253].rgbRed, 255);
    EXPECT_EQ(table[253].rgbGreen, 0);
    EXPECT_EQ(table[253].rgbBlue, 255);
    EXPECT_EQ(table[0].rgbRed + table[0].rgbGreen + table[0].rgbBlue, 0);
    EXPECT_EQ(table[255].rgbRed & table[255].rgbGreen & table[255].rgbBlue, 255);
    for (int i = 0; i < 256; ++i) {
        if (i != 253) {
            EXPECT_FALSE(table[i].rgbRed == 255 && table[i].rgbGreen == 0 && table[i].rgbBlue == 255) << i;
        }
    }

    std::vector<std::string> names;
    for (const Entry& e : ScenePictures())
        names.push_back(e.name);
    for (const Entry& e : VehicleSheets())
        names.push_back(e.name);
    for (const Entry& e : PersonSheets())
        names.push_back(e.name);
    for (const Entry& e : FlyingPictures())
        names.push_back(e.name);
    names.push_back("BUS_TF01");
    names.push_back("BUS_NF23");
    for (const char* raw : {"FARBEN", "SPEICHER", "BUS"})
        names.push_back(raw);
    for (const std::string& name : names) {
        const BITMAPINFOHEADER* h = Header(name);
        ASSERT_NE(h, nullptr) << name;
        EXPECT_EQ(std::memcmp(Table(h), table, 256 * sizeof(RGBQUAD)), 0) << name << " has another colour table";
    }
}

TEST_F(BuiltSaver, CarriesTwentySevenShortMonoPcmSounds) {
    ASSERT_NE(module, nullptr);
    for (int n = 1; n <= 27; ++n) {
        char name[16];
        sprintf(name, "SOUND%02d", n);
        HRSRC found = FindResourceA(module, name, "WAVE");
        ASSERT_NE(found, nullptr) << name;
        const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
        const DWORD size = SizeofResource(module, found);
        ASSERT_GT(size, 44u) << name;
        EXPECT_EQ(std::memcmp(data, "RIFF", 4), 0) << name;
        EXPECT_EQ(std::memcmp(data + 8, "WAVEfmt ", 8), 0) << name;
        WAVEFORMATEX format{};
        std::memcpy(&format, data + 20, 16);
        EXPECT_EQ(format.wFormatTag, WAVE_FORMAT_PCM) << name;
        EXPECT_EQ(format.nChannels, 1) << name;
        EXPECT_EQ(format.nSamplesPerSec, 22050u) << name;
        const double seconds = double(size - 44) / format.nAvgBytesPerSec;
        EXPECT_LT(seconds, n == 5 ? 4.5 : 2.0) << name;
    }
}

}  // namespace
