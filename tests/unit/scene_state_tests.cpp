// The scene's random generator, figure loading and unloading, and picture loading by name.
#include <gtest/gtest.h>

#include <algorithm>

#include "gfx/blit.h"
#include "gfx/resources.h"
#include "scene/scene_state.h"
#include "settings/settings.h"
#include "unit/test_support.h"

namespace {

// An independent copy of the generator's rule, to predict the draws a load makes.
struct Lcg {
    uint32_t state;
    int operator()() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
};

unsigned char Opaque(int, int) {
    return 40;
}

class FigureLoading : public ::testing::Test {
protected:
    static PictureModule pictures;
    static HMODULE module;

    static void SetUpTestSuite() {
        pictures.AddPicture("FIG01_T00", 20, 30, Opaque);
        pictures.AddPicture("FIG82_T00", 64, 40, [](int x, int) { return x < 32 ? 253 : 60; });
        pictures.AddPicture("FIG88_T00", 24, 90, Opaque);
        pictures.AddPicture("FIG99_T00", 30, 50, Opaque);
        pictures.AddPicture("FIG90_N00", 36, 20, Opaque);
        for (int colour = 1; colour <= 3; ++colour)
            for (int variant = 0; variant < 3; ++variant) {
                char name[32];
                sprintf(name, "FIG70_T%02d_%02d", variant, colour);
                // The height tells which colour was loaded.
                pictures.AddPicture(name, 31, 10 + colour, Opaque);
            }
        pictures.AddPicture("FIG101_03_02_01_00", 8, 8, Opaque);
        module = pictures.Build(ScrPath());
    }

    void SetUp() override {
        ASSERT_NE(module, nullptr) << "could not build the picture module from " << ScrPath();
        ResetSceneState();
        LoadSettings();
        gScene.module = module;
        gScene.stageWidth = 1024;
        gScene.timeOfDay = 1;
        gScene.season = 1;
        SeedRandom(12345);
    }

    void TearDown() override {
        for (FigureId id = 1; id < FigureTableSize; ++id)
            UnloadFigure(id);
    }
};

PictureModule FigureLoading::pictures;
HMODULE FigureLoading::module = nullptr;

TEST(RandomGenerator, GivesTheKnownSequenceForSeedOne) {
    ResetSceneState();
    SeedRandom(1);
    EXPECT_EQ(Rand(), 41);
    EXPECT_EQ(Rand(), 18467);
    EXPECT_EQ(Rand(), 6334);
    EXPECT_EQ(Rand(), 26500);
    EXPECT_EQ(Rand(), 19169);
}

// The draws use the whole fifteen bits evenly: each bit is set about half the time, and both
// ends of the range come up.
TEST(RandomGenerator, CoversTheFifteenBitRangeEvenly) {
    ResetSceneState();
    SeedRandom(0xFFFFFFFFu);
    int lowest = 32767, highest = 0, setBits[15] = {};
    constexpr int draws = 200000;
    for (int i = 0; i < draws; ++i) {
        const int r = Rand();
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
        for (int b = 0; b < 15; ++b)
            setBits[b] += (r >> b) & 1;
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, 32767);
    for (int b = 0; b < 15; ++b) {
        EXPECT_GT(setBits[b], draws * 45 / 100) << "bit " << b;
        EXPECT_LT(setBits[b], draws * 55 / 100) << "bit " << b;
    }
}

TEST(FigureTable, BitmapCountsMatchTheCast) {
    EXPECT_EQ(FigureBitmapCount[0], 0);
    EXPECT_EQ(FigureBitmapCount[2], 1);
    EXPECT_EQ(FigureBitmapCount[4], 2);
    EXPECT_EQ(FigureBitmapCount[10], 0);
    EXPECT_EQ(FigureBitmapCount[22], 2);
    EXPECT_EQ(FigureBitmapCount[59], 1);
    EXPECT_EQ(FigureBitmapCount[60], 0);
    EXPECT_EQ(FigureBitmapCount[70], 3);
    EXPECT_EQ(FigureBitmapCount[71], 1);
    EXPECT_EQ(FigureBitmapCount[99], 1);
    EXPECT_EQ(FigureBitmapCount[100], 0);
    EXPECT_EQ(FigureBitmapCount[106], 1);
    EXPECT_EQ(FigureBitmapCount[107], 0);
    int persons = 0;
    for (int id = 1; id < 60; ++id)
        persons += FigureBitmapCount[id] > 0;
    EXPECT_EQ(persons, 36);  // the 36 persons and animals
}

TEST_F(FigureLoading, IdsOutsideTheTableFailWithoutADraw) {
    Lcg expected{12345};
    EXPECT_EQ(LoadFigure(0), 0);
    EXPECT_EQ(LoadFigure(131), 0);
    EXPECT_EQ(LoadFigure(-4), 0);
    EXPECT_EQ(Rand(), expected());
}

TEST_F(FigureLoading, MissingPictureLeavesTheRecordAsItWas) {
    gScene.personCount = 2;
    gFigures[40].x = 17;
    EXPECT_EQ(LoadFigure(40), 0);  // figure 40 has only a night picture
    const FigureRecord& f = gFigures[40];
    EXPECT_EQ(f.active, 0);
    EXPECT_EQ(f.phase, 0);
    EXPECT_EQ(f.x, 17);
    EXPECT_EQ(f.image[0], nullptr);
    EXPECT_EQ(f.mask[0], nullptr);
    EXPECT_EQ(gScene.personCount, 2);
    // The colour draw was made all the same.
    Lcg expected{12345};
    expected();
    EXPECT_EQ(Rand(), expected());
}

TEST_F(FigureLoading, PersonComesOnStageUnplacedAndCounts) {
    ASSERT_EQ(LoadFigure(1), 1);
    const FigureRecord& f = gFigures[1];
    EXPECT_EQ(f.active, 1);
    EXPECT_EQ(f.phase, 0);
    EXPECT_EQ(f.width, 20);
    EXPECT_EQ(f.height, 30);
    EXPECT_NE(f.image[0], nullptr);
    EXPECT_NE(f.mask[0], nullptr);
    EXPECT_EQ(gScene.personCount, 1);
    EXPECT_EQ(gScene.scratchPalette, nullptr) << "a figure load leaves no palette behind";

    UnloadFigure(1);
    EXPECT_EQ(f.active, 0);
    EXPECT_EQ(f.image[0], nullptr);
    EXPECT_EQ(gScene.personCount, 0);
    UnloadFigure(1);
    EXPECT_EQ(gScene.personCount, 0);
}

TEST_F(FigureLoading, SecondLoadOfAnActiveFigureChangesNothing) {
    ASSERT_EQ(LoadFigure(82), 1);
    const int x = gFigures[82].x;
    const uint32_t stateAfterFirst = gScene.randomState;
    EXPECT_EQ(LoadFigure(82), 1);
    EXPECT_EQ(gScene.randomState, stateAfterFirst);
    EXPECT_EQ(gFigures[82].x, x);
}

TEST_F(FigureLoading, FarLaneVehicleEntersRightOfTheStage) {
    Lcg next{12345};
    next();  // colour
    const int expectedX = 1024 + 5 + next() % 76;
    const int expectedY = 358 - 40 - next() % 16 - 65;
    ASSERT_EQ(LoadFigure(82), 1);
    EXPECT_EQ(gFigures[82].phase, 1);
    EXPECT_EQ(gFigures[82].x, expectedX);
    EXPECT_EQ(gFigures[82].y, expectedY);
    EXPECT_EQ(gScene.farLaneVehicle, 82);
    EXPECT_EQ(gScene.personCount, 0);
}

TEST_F(FigureLoading, CompositeCarIgnoresItsHeight) {
    Lcg next{12345};
    next();
    next();
    const int expectedY = 358 - next() % 16 - 147;
    ASSERT_EQ(LoadFigure(88), 1);
    EXPECT_EQ(gFigures[88].height, 90);
    EXPECT_EQ(gFigures[88].y, expectedY);
    EXPECT_EQ(gScene.farLaneVehicle, 88);
}

TEST_F(FigureLoading, NearLaneVehiclesEnterLeftOfTheStage) {
    gFigures[99].ready = 1;
    Lcg next{12345};
    next();
    const int expectedY = 358 - 50 - next() % 14 - 2;
    ASSERT_EQ(LoadFigure(99), 1);
    EXPECT_EQ(gFigures[99].x, -450);
    EXPECT_EQ(gFigures[99].y, expectedY);
    EXPECT_EQ(gFigures[99].ready, 0);
    EXPECT_EQ(gScene.nearLaneVehicle, 99);
}

TEST_F(FigureLoading, NightLoadsTheNightSheet) {
    gScene.timeOfDay = 2;
    EXPECT_EQ(LoadFigure(90), 1);
    EXPECT_EQ(gFigures[90].width, 36);
    EXPECT_EQ(gScene.nearLaneVehicle, 90);
    EXPECT_EQ(LoadFigure(82), 0);  // no night sheet of 82 here
    EXPECT_EQ(gScene.farLaneVehicle, 0);
}

TEST_F(FigureLoading, BusColourIsDrawnOnEveryLoad) {
    for (uint32_t seed : {1u, 2u, 3u, 77u, 1000u}) {
        SeedRandom(seed);
        Lcg next{seed};
        const int colour = next() % 3 + 1;
        ASSERT_EQ(LoadFigure(BusId), 1);
        EXPECT_EQ(gFigures[BusId].height, 10 + colour) << "seed " << seed;
        EXPECT_NE(gFigures[BusId].image[2], nullptr);
        EXPECT_EQ(gScene.personCount, 0);
        UnloadFigure(BusId);
        EXPECT_EQ(gFigures[BusId].image[0], nullptr);
    }
}

TEST_F(FigureLoading, NightLayerNameCarriesBackgroundTimeAndSeason) {
    gSettings.backgroundNo = 3;
    gScene.timeOfDay = 2;
    gScene.season = 1;
    EXPECT_EQ(LoadFigure(101), 1);
    gScene.season = 2;
    EXPECT_EQ(LoadFigure(102), 0);
}

TEST_F(FigureLoading, MaskMakesTheKeyTransparent) {
    ASSERT_EQ(LoadFigure(82), 1);
    BitmapDc mask(gFigures[82].mask[0]);  // a figure's sheets on stage are held sprites
    ASSERT_TRUE(mask.ok());
    EXPECT_EQ(GetPixel(mask.dc(), 5, 5), RGB(255, 255, 255));  // key half
    EXPECT_EQ(GetPixel(mask.dc(), 40, 5), RGB(0, 0, 0));       // opaque half
}

TEST_F(FigureLoading, BackgroundLoadKeepsItsPaletteAndOtherLoadsDoNot) {
    HPALETTE slot = nullptr;
    HBITMAP kept = LoadSceneBitmap(module, "FIG01_T00", &slot, true);
    ASSERT_NE(kept, nullptr);
    ASSERT_NE(slot, nullptr);
    PALETTEENTRY entries[256];
    ASSERT_EQ(GetPaletteEntries(slot, 0, 256, entries), 256u);
    EXPECT_EQ(entries[253].peRed, 255);
    EXPECT_EQ(entries[253].peGreen, 0);
    EXPECT_EQ(entries[253].peBlue, 255);
    const RGBQUAD q = PictureModule::TableEntry(17);
    EXPECT_EQ(entries[17].peRed, q.rgbRed);
    EXPECT_EQ(entries[17].peBlue, q.rgbBlue);
    HDC screen = GetDC(nullptr);
    SelectPalette(screen, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
    ReleaseDC(nullptr, screen);
    DeleteObject(slot);
    DeleteObject(kept);

    HPALETTE scratch = nullptr;
    HBITMAP dropped = LoadSceneBitmap(module, "FIG01_T00", &scratch, false);
    EXPECT_NE(dropped, nullptr);
    EXPECT_EQ(scratch, nullptr);
    DeleteObject(dropped);

    EXPECT_EQ(LoadSceneBitmap(module, "NICHT_DA", &scratch, false), nullptr);
    EXPECT_EQ(scratch, nullptr);
}

TEST(MakePalette, OnlyPicturesOfEightBitsOrFewerHaveOne) {
    std::vector<unsigned char> storage(sizeof(BITMAPINFOHEADER) + 256 * 4);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(storage.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biBitCount = 24;
    int count = -1;
    EXPECT_EQ(MakePalette(header, &count), nullptr);
    EXPECT_EQ(count, 0);

    header->biBitCount = 4;
    header->biClrUsed = 3;  // not consulted
    HPALETTE palette = MakePalette(header, &count);
    EXPECT_EQ(count, 16);
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 16u);
    DeleteObject(palette);
}

TEST(PlaySceneSound, WithSoundOffNothingIsLoaded) {
    ResetSceneState();
    gScene.module = GetModuleHandleA(nullptr);
    gSettings.soundOn = 0;
    LoadSceneSounds();
    for (int i = 0; i < SoundCount; ++i)
        EXPECT_EQ(gScene.soundResource[i], nullptr);
}

}  // namespace
