// What flies over the street and the window lights at night, on surfaces made in memory.
#include <gtest/gtest.h>

#include <vector>

#include "figures/aircraft.h"
#include "gfx/blit.h"
#include "scene/scene_state.h"
#include "settings/settings.h"
#include "unit/test_support.h"

namespace {

struct Lcg {
    uint32_t state;
    int operator()() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
};

COLORREF ColourOf(int index) {
    const RGBQUAD q = PictureModule::TableEntry(index);
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

constexpr int kSkyColour = 20, kObjectColour = 90;

class Sky : public ::testing::Test {
protected:
    static PictureModule pictures;
    static HMODULE module;
    HBITMAP screen = nullptr, backdrop = nullptr;
    HGDIOBJ oldScreen = nullptr, oldBackdrop = nullptr;

    static void SetUpTestSuite() {
        const int sizes[8][3] = {{0, 0, 0},     {360, 86, 2},  {400, 86, 2}, {112, 113, 2},
                                 {112, 113, 2}, {112, 113, 2}, {120, 74, 4}, {120, 74, 4}};
        for (int type = 1; type <= 7; ++type)
            for (int k = 0; k < sizes[type][2]; ++k) {
                char name[16];
                sprintf(name, "FLUG%d_%02d", type, k);
                // Opaque on the left only, so the trail on the right shows the sky behind; the
                // first columns in one colour, the rest speckled and pierced by a few holes.
                pictures.AddPicture(name, sizes[type][0], sizes[type][1], [](int x, int y) {
                    if (x >= 40 || (x >= 12 && (x + 2 * y) % 7 == 0))
                        return static_cast<unsigned char>(253);
                    return static_cast<unsigned char>(x < 12 ? kObjectColour : kObjectColour + 1 + (x + y) % 3);
                });
            }
        const int patch[4][2] = {{208, 51}, {176, 43}, {256, 57}, {144, 62}};
        for (int season = 1; season <= 2; ++season)
            for (int w = 0; w < 4; ++w)
                for (int v = 0; v < 3; ++v) {
                    char name[24];
                    sprintf(name, "LI01_%02d_%02d_%02d", season, w, v);
                    const int colour = 100 + w * 10 + v;
                    pictures.AddPicture(name, patch[w][0], patch[w][1],
                                        [colour](int, int) { return static_cast<unsigned char>(colour); });
                }
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        module = pictures.Build(self);
    }

    void Open(int width, int height) {
        ASSERT_NE(module, nullptr);
        ResetSceneState();
        LoadSettings();
        gSettings.soundOn = 0;
        gScene.module = module;
        HDC display = GetDC(nullptr);
        screen = CreateCompatibleBitmap(display, width, height);
        backdrop = CreateCompatibleBitmap(display, width, height);
        ReleaseDC(nullptr, display);
        gScene.screenDc = CreateCompatibleDC(nullptr);
        oldScreen = SelectObject(gScene.screenDc, screen);
        gScene.backdropDc = CreateCompatibleDC(nullptr);
        oldBackdrop = SelectObject(gScene.backdropDc, backdrop);
        HBRUSH sky = CreateSolidBrush(ColourOf(kSkyColour));
        RECT all{0, 0, width, height};
        FillRect(gScene.backdropDc, &all, sky);
        DeleteObject(sky);
        gScene.screenWidth = width;
        gScene.screenHeight = height;
        gScene.clientRect = all;
        const int top = height > 660 ? (height - 660) / 2 : 0;
        gScene.pictureTop = top;
        gScene.pictureLeft = width > 1024 ? (width - 1024) / 2 : 0;
        gScene.season = 1;
    }
    void TearDown() override {  // also between two openings of one test
        if (!screen)
            return;
        ReleaseAircraft();
        SelectObject(gScene.screenDc, oldScreen);
        SelectObject(gScene.backdropDc, oldBackdrop);
        DeleteDC(gScene.screenDc);
        DeleteDC(gScene.backdropDc);
        DeleteObject(screen);
        DeleteObject(backdrop);
        screen = backdrop = nullptr;
    }
};
PictureModule Sky::pictures;
HMODULE Sky::module = nullptr;

TEST_F(Sky, WithNewMailEveryPlaneTowsTheNewMailBanner) {
    Open(1024, 768);
    gScene.newMail = 1;
    int planes = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        SeedRandom(seed);
        StartAircraft();
        ASSERT_EQ(gScene.aircraftActive, 1);
        EXPECT_NE(gScene.aircraftType, 1);
        planes += gScene.aircraftType == 2;
        ReleaseAircraft();
        EXPECT_EQ(gScene.aircraftWorkDc, nullptr);
        EXPECT_EQ(gScene.aircraftImage[0], nullptr);
    }
    EXPECT_GT(planes, 20);  // seven in twelve
}

TEST_F(Sky, ObjectsStartAtTheRightEdgeNearThePictureTop) {
    Open(1024, 768);  // the picture stands 54 rows down
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SeedRandom(seed);
        StartAircraft();
        EXPECT_EQ(gScene.aircraftX, 1024);
        EXPECT_GE(gScene.aircraftY, 43);
        EXPECT_LE(gScene.aircraftY, 43 + (54 - 43) + 30);
        ReleaseAircraft();
    }
}

TEST_F(Sky, OnALowWindowObjectsFlyAtTheVeryTop) {
    Open(800, 600);
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SeedRandom(seed);
        StartAircraft();
        EXPECT_GE(gScene.aircraftY, 1);
        EXPECT_LE(gScene.aircraftY, 10);
        ReleaseAircraft();
    }
}

TEST_F(Sky, APlaneCrossesLeftAndTheSkyIsPutBackBehindIt) {
    Open(1024, 768);
    gScene.newMail = 0;
    uint32_t seed = 1;
    do {  // find a start that makes a plane
        SeedRandom(++seed);
        StartAircraft();
        if (gScene.aircraftType == 1)
            break;
        ReleaseAircraft();
    } while (seed < 100);
    ASSERT_EQ(gScene.aircraftType, 1);
    gScene.aircraftX = 500;
    StepAircraft();
    const int y = gScene.aircraftY + 10;
    EXPECT_EQ(GetPixel(gScene.screenDc, 505, y), ColourOf(kObjectColour));
    EXPECT_EQ(GetPixel(gScene.screenDc, 560, y), ColourOf(kSkyColour)) << "transparent parts show the sky";
    EXPECT_LE(gScene.aircraftX, 496);
    EXPECT_GE(gScene.aircraftX, 494);
    StepAircraft();  // the columns it left are sky again
    EXPECT_EQ(GetPixel(gScene.screenDc, 500 + 39, y), ColourOf(kSkyColour));
    int ticks = 0;
    while (gScene.aircraftActive && ticks < 1000) {
        StepAircraft();
        ++ticks;
    }
    EXPECT_EQ(gScene.aircraftActive, 0);
    EXPECT_LT(gScene.aircraftX + gScene.aircraftWidth, -10);
}

// Starts flights from successive seeds until one of the wanted kinds comes.
bool StartKind(uint32_t& seed, int lowest, int highest) {
    for (int tries = 0; tries < 400; ++tries) {
        SeedRandom(++seed);
        StartAircraft();
        if (gScene.aircraftType >= lowest && gScene.aircraftType <= highest)
            return gScene.aircraftActive == 1;
        ReleaseAircraft();
    }
    return false;
}

// Steps the flight to its end; counts the ticks on which the object's opaque part was not shown.
int UnseenTicks() {
    int unseen = 0;
    for (int tick = 0; gScene.aircraftActive && tick < 2000; ++tick) {
        const int x = gScene.aircraftX, y = gScene.aircraftY + 10;
        StepAircraft();
        if (x >= 0 && x + 5 < gScene.screenWidth && GetPixel(gScene.screenDc, x + 5, y) != ColourOf(kObjectColour))
            ++unseen;
    }
    return unseen;
}

TEST_F(Sky, APlaneAfterBirdsThatEndedOnTheirLastPicturesIsSeenAllTheWay) {
    Open(1024, 768);
    gScene.newMail = 1;  // the new-mail plane is the one that must not get lost
    uint32_t seed = 0;
    int birdFlights = 0;
    for (int flight = 0; flight < 40 && birdFlights < 4; ++flight) {
        ASSERT_TRUE(StartKind(seed, 6, 7));
        EXPECT_EQ(UnseenTicks(), 0) << "birds, seed " << seed;
        if (gScene.aircraftFrame < 2)
            continue;  // only an end on the third or fourth picture matters here
        ++birdFlights;
        ASSERT_TRUE(StartKind(seed, 2, 2));
        EXPECT_EQ(gScene.aircraftFrame, 0) << "a flight starts on its first picture";
        EXPECT_EQ(UnseenTicks(), 0) << "plane after birds, seed " << seed;
        for (int k = 2; k < 4; ++k)
            EXPECT_EQ(gScene.aircraftImage[k], nullptr);
    }
    EXPECT_EQ(birdFlights, 4);
}

// Planes and birds sound on every eleventh tick they are in the window, counted across flights
// (a fresh scene's first sound comes on the eleventh tick); a plane's sound is 9 or 6, as a fresh
// draw says, the birds' 16. Balloons are silent and do not count.
// The screen as 32-bit pixels, rows from the top.
std::vector<uint32_t> ScreenPixels() {
    std::vector<uint32_t> pixels(static_cast<size_t>(gScene.screenWidth) * gScene.screenHeight);
    BITMAPINFO info = TopDownHeader(gScene.screenWidth, gScene.screenHeight);
    HBITMAP screen = static_cast<HBITMAP>(GetCurrentObject(gScene.screenDc, OBJ_BITMAP));
    GetDIBits(gScene.screenDc, screen, 0, gScene.screenHeight, pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}

// A plane, a balloon and birds crossing, drawn by hand into the work surface and through GDI's two
// passes: the screen shows the same on every tick. A flight holds its pictures while it lasts and
// lets them go when it ends.
TEST_F(Sky, FlightsLookTheSameDrawnByHandOrByGdi) {
    std::vector<std::vector<uint32_t>> shots[2];
    for (int way = 0; way < 2; ++way) {
        const bool byHand = way == 0;
        SetDirectDrawing(byHand);  // before the surfaces are made
        Open(1024, 768);
        const int heldBefore = HeldSpriteCount();
        uint32_t seed = 0;
        const int kinds[3][2] = {{1, 2}, {3, 5}, {6, 7}};
        for (const auto& kind : kinds) {
            ASSERT_TRUE(StartKind(seed, kind[0], kind[1]));
            const int frames = gScene.aircraftType < 6 ? 2 : 4;
            EXPECT_EQ(HeldSpriteCount(), heldBefore + 2 * frames) << "type " << gScene.aircraftType;
            gScene.aircraftX = 600;
            for (int tick = 0; tick < 40 && gScene.aircraftActive; ++tick) {
                StepAircraft();
                if (tick % 4 == 0)
                    shots[way].push_back(ScreenPixels());
            }
            ReleaseAircraft();
            EXPECT_EQ(HeldSpriteCount(), heldBefore);
        }
        TearDown();
    }
    SetDirectDrawing(true);
    ASSERT_EQ(shots[0].size(), shots[1].size());
    ASSERT_EQ(shots[0].size(), 30u);
    for (size_t i = 0; i < shots[0].size(); ++i)
        EXPECT_TRUE(shots[0][i] == shots[1][i]) << "shot " << i;
    EXPECT_FALSE(shots[0][0] == shots[0][1]) << "the flight moved";
}

TEST_F(Sky, PlanesAndBirdsSoundEveryEleventhTickAndBalloonsNever) {
    Open(1024, 768);
    gSettings.soundOn = 1;
    SoundCounter sounds;
    struct Kind {
        int lowest, highest;
    };
    uint32_t seed = 0;
    int sinceSound = 0, planeNine = 0, planeSix = 0, birdSounds = 0, flights[3] = {};
    for (int flight = 0; flight < 30; ++flight) {
        const int kind = flight % 3;  // plane, balloon, birds in turn
        const Kind kinds[3] = {{1, 2}, {3, 5}, {6, 7}};
        ASSERT_TRUE(StartKind(seed, kinds[kind].lowest, kinds[kind].highest));
        ++flights[kind];
        for (int tick = 0; gScene.aircraftActive && tick < 3000; ++tick) {
            const int nine = sounds.Of(9), six = sounds.Of(6), sixteen = sounds.Of(16), all = sounds.Total();
            StepAircraft();
            const int started = sounds.Total() - all;
            if (kind == 1) {
                ASSERT_EQ(started, 0) << "a balloon, seed " << seed;
                continue;
            }
            if (!gScene.aircraftActive) {
                ASSERT_EQ(started, 0) << "no sound on the tick it leaves";
                break;
            }
            ++sinceSound;
            ASSERT_EQ(started, sinceSound == 11 ? 1 : 0) << "tick " << tick << " of flight " << flight;
            if (started)
                sinceSound = 0;
            if (kind == 0) {
                planeNine += sounds.Of(9) - nine;
                planeSix += sounds.Of(6) - six;
                ASSERT_EQ(sounds.Of(16), sixteen) << "a plane never sounds like birds";
            } else {
                birdSounds += sounds.Of(16) - sixteen;
                ASSERT_EQ(sounds.Total() - all, sounds.Of(16) - sixteen) << "birds sound 16 only";
            }
        }
        ASSERT_EQ(gScene.aircraftActive, 0);
    }
    EXPECT_GT(birdSounds, 100);
    ASSERT_GT(planeNine + planeSix, 150);
    EXPECT_NEAR(static_cast<double>(planeNine) / (planeNine + planeSix), 0.5, 0.1) << planeNine << " to " << planeSix;
}

TEST_F(Sky, AFrameIndexOutsideTheObjectsPicturesShowsItsFirstPicture) {
    Open(1024, 768);
    uint32_t seed = 0;
    for (int wrong : {2, 3, -1, -2}) {
        ASSERT_TRUE(StartKind(seed, 3, 5));  // a balloon has two pictures
        gScene.aircraftX = 500;
        gScene.aircraftY = 200;
        gScene.aircraftFrame = wrong;
        StepAircraft();
        EXPECT_EQ(GetPixel(gScene.screenDc, 505, 210), ColourOf(kObjectColour)) << wrong;
        EXPECT_GE(gScene.aircraftFrame, 0);
        EXPECT_LE(gScene.aircraftFrame, 1);
        ReleaseAircraft();
    }
}

TEST_F(Sky, ABalloonRisingOverTheTopIsReleasedAnywhere) {
    Open(1024, 768);
    uint32_t seed = 1;
    do {
        SeedRandom(++seed);
        StartAircraft();
        if (gScene.aircraftType >= 3 && gScene.aircraftType <= 5)
            break;
        ReleaseAircraft();
    } while (seed < 200);
    ASSERT_GE(gScene.aircraftType, 3);
    gScene.aircraftX = 600;
    gScene.aircraftY = -113 + 1;  // the next rise takes it out of the window
    for (int tick = 0; tick < 20 && gScene.aircraftActive; ++tick)
        StepAircraft();
    EXPECT_EQ(gScene.aircraftActive, 0);
    EXPECT_GT(gScene.aircraftX, 0);
}

TEST_F(Sky, MissingPicturesLeaveNothingInFlight) {
    Open(1024, 768);
    gScene.module = GetModuleHandleA(nullptr);  // no flying pictures here
    StartAircraft();
    EXPECT_EQ(gScene.aircraftActive, 0);
    EXPECT_EQ(gScene.aircraftWorkDc, nullptr);
}

TEST_F(Sky, LightsChangeInTheHouseTheDrawPicks) {
    Open(1024, 768);
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        SeedRandom(seed);
        Lcg next{seed};
        const int w = next() % 4, v = next() % 3;
        LightsFlicker();
        const int dx[4] = {129, 367, 570, 849}, dy[4] = {409, 401, 415, 420};
        EXPECT_EQ(GetPixel(gScene.screenDc, dx[w] + 1, 768 - 54 - dy[w] + 1), ColourOf(100 + w * 10 + v))
            << "seed " << seed;
    }
}

TEST_F(Sky, OnANarrowWindowOnlyTheFirstThreeHousesChange) {
    Open(800, 600);  // the fourth house lies beyond an 800-pixel picture
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        SeedRandom(seed);
        Lcg next{seed};
        const int w = next() % 3, v = next() % 3;
        LightsFlicker();
        const int dx[3] = {129, 367, 570}, dy[3] = {409, 401, 415};
        EXPECT_EQ(GetPixel(gScene.screenDc, dx[w] + 1, 600 - dy[w] + 1), ColourOf(100 + w * 10 + v)) << "seed " << seed;
    }
}

}  // namespace
