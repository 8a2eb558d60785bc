// What the figures paint with the saver's own pictures: the traces that figures 5, 9, 16, 22 and
// 27 leave in the backdrop, and the faces the bus carries in its windows. The expected pixels come
// from the picture resources themselves, decoded here by GDI, not through the saver's loader.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <set>
#include <vector>

#include "figures/bus.h"
#include "figures/figures_1_to_9.h"
#include "figures/scenery_changers.h"
#include "gfx/blit.h"
#include "scene/draw_order.h"
#include "scene/scene_state.h"
#include "settings/settings.h"
#include "unit/test_support.h"

namespace {

constexpr uint32_t kKey = 0xFF00FF;  // magenta, the transparent colour of every picture

// A block of 32-bit pixels, row by row from the top, as 0xRRGGBB.
struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> p;
    uint32_t at(int x, int y) const { return p[static_cast<size_t>(y) * width + x]; }
};

// A top-down 32-bit surface of our own with a context, to decode and read pictures into.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    uint32_t* bits = nullptr;
    int width = 0, height = 0;
    Canvas(int w, int h) : width(w), height(h) {
        bitmap = CreateTopDownSection(nullptr, w, h, &bits);
        dc = CreateCompatibleDC(nullptr);
        old = SelectObject(dc, bitmap);
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    Pixels Read() const {
        GdiFlush();
        Pixels out;
        out.width = width;
        out.height = height;
        out.p.resize(static_cast<size_t>(width) * height);
        for (size_t i = 0; i < out.p.size(); ++i)
            out.p[i] = bits[i] & 0xFFFFFF;
        return out;
    }
};

Pixels Capture(HDC dc, int x, int y, int width, int height) {
    Canvas canvas(width, height);
    BitBlt(canvas.dc, 0, 0, width, height, dc, x, y, SRCCOPY);
    return canvas.Read();
}

// A picture resource decoded by GDI from its own bits and colour table (RLE or not).
Pixels Picture(HMODULE module, const char* name) {
    HRSRC found = FindResourceA(module, name, reinterpret_cast<LPCSTR>(RT_BITMAP));
    if (!found)
        return {};
    const auto* info = static_cast<const BITMAPINFO*>(LockResource(LoadResource(module, found)));
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const int colours = h.biClrUsed ? static_cast<int>(h.biClrUsed) : 1 << h.biBitCount;
    const BYTE* bits = reinterpret_cast<const BYTE*>(info) + h.biSize + colours * sizeof(RGBQUAD);
    Canvas canvas(h.biWidth, h.biHeight);
    SetDIBitsToDevice(canvas.dc, 0, 0, h.biWidth, h.biHeight, 0, 0, 0, h.biHeight, bits, info, DIB_RGB_COLORS);
    return canvas.Read();
}

// A surface like the scene's own: a bitmap compatible with the screen in a memory context.
struct Surface {
    HBITMAP bitmap = nullptr;
    HDC dc = nullptr;
    HGDIOBJ old = nullptr;
    void Make(int width, int height) {
        HDC screen = GetDC(nullptr);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        dc = CreateCompatibleDC(screen);
        old = SelectObject(dc, bitmap);
        ReleaseDC(nullptr, screen);
    }
    void Free() {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
};

// A busy pattern, so that a paint shows wherever it lands and a key pixel painted shows as well.
void PaintPattern(HDC dc, int width, int height) {
    Canvas canvas(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            canvas.bits[y * width + x] = ((x * 7 + y) & 0xFF) << 16 | ((y * 5) & 0xFF) << 8 | 0x40;
    BitBlt(dc, 0, 0, width, height, canvas.dc, 0, 0, SRCCOPY);
}

// Where a picture was put: `at` on the surface, taken from `source` on the picture.
struct Placed {
    int x, y;
    gfx::FrameRect source;
};

// 1280 x 1024: the 1024 x 660 picture stands at (128, 182); the stage is its lowest 358 rows.
constexpr int kScreenWidth = 1280, kScreenHeight = 1024;
constexpr int kPictureLeft = 128, kPictureTop = 182;
constexpr int kStageLeft = 128, kStageTop = 182 + 660 - 358;

class RealPictures : public ::testing::Test {
protected:
    static HMODULE saver;
    Surface backdrop, stage;

    static void SetUpTestSuite() { saver = LoadLibraryExA(ScrPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE); }
    static void TearDownTestSuite() { FreeLibrary(saver); }

    void SetUp() override {
        ASSERT_NE(saver, nullptr);
        ResetSceneState();
        LoadSettings();
        gSettings.soundOn = 0;
        gSettings.calendarOnly = 0;
        gSettings.backgroundNo = 1;
        gScene.module = saver;
        gScene.screenWidth = kScreenWidth;
        gScene.screenHeight = kScreenHeight;
        gScene.pictureLeft = kPictureLeft;
        gScene.pictureTop = kPictureTop;
        gScene.stageLeft = kStageLeft;
        gScene.stageTop = kStageTop;
        gScene.stageWidth = 1024;
        gScene.stageHeight = StageHeight;
        gScene.signX = 205;
        gScene.motiveLeft = kPictureLeft + 300;
        gScene.motiveTop = kStageTop;
        gScene.timeOfDay = 1;
        gScene.season = 1;
        backdrop.Make(kScreenWidth, kScreenHeight);
        stage.Make(1024, StageHeight);
        gScene.backdropDc = backdrop.dc;
        gScene.stageDc = stage.dc;
        PaintPattern(backdrop.dc, kScreenWidth, kScreenHeight);
        PaintPattern(stage.dc, 1024, StageHeight);
        SeedRandom(7);
    }
    void TearDown() override {
        for (FigureId id = 1; id < FigureTableSize; ++id)
            UnloadFigure(id);
        backdrop.Free();
        stage.Free();
    }
    FigureRecord& Load(FigureId id) {
        EXPECT_EQ(LoadFigure(id), 1) << "figure " << id;
        return gFigures[id];
    }
    void Tick(FigureId id) { ScriptFor(id)(id); }
    Pixels Backdrop() const { return Capture(backdrop.dc, 0, 0, kScreenWidth, kScreenHeight); }

    // Between two captures of the backdrop only the placed rectangle changed, and there to the
    // picture's pixels: all of them for a plain copy, all but the magenta ones for a masked paint.
    static void ExpectPainted(const Pixels& before, const Pixels& after, const Pixels& picture, const Placed& at,
                              bool masked) {
        ASSERT_GT(picture.width, 0) << "picture not found";
        int outside = 0, wrong = 0, keys = 0, painted = 0;
        for (int y = 0; y < after.height; ++y)
            for (int x = 0; x < after.width; ++x) {
                const int sx = x - at.x, sy = y - at.y;
                const bool inside = sx >= 0 && sy >= 0 && sx < at.source.width && sy < at.source.height;
                if (!inside) {
                    outside += after.at(x, y) != before.at(x, y);
                    continue;
                }
                const uint32_t want = picture.at(at.source.x + sx, at.source.y + sy);
                const bool key = masked && want == kKey;
                keys += key;
                painted += !key;
                wrong += after.at(x, y) != (key ? before.at(x, y) : want);
            }
        EXPECT_EQ(outside, 0) << "pixels changed outside the painted rectangle at " << at.x << ", " << at.y;
        EXPECT_EQ(wrong, 0) << "pixels inside the rectangle that are not the picture's";
        EXPECT_GT(painted, 0);
        if (masked) {
            EXPECT_GT(keys, 0) << "the picture has transparent parts that must not be painted";
        }
    }
};
HMODULE RealPictures::saver = nullptr;

// --- Traces in the backdrop -------------------------------------------------------------------

TEST_F(RealPictures, Figure5PutsItsItemIntoTheBackdropUnderItsStagePoint) {
    FigureRecord& f = Load(5);
    const Pixels before = Backdrop();
    for (int tick = 0; tick < 400 && gScene.figure5Steps == 0; ++tick)
        Tick(5);
    ASSERT_EQ(gScene.figure5Steps, 1);
    // The item is frame 9 of its sheet, drawn at the stage point (x + 34, y).
    ExpectPainted(before, Backdrop(), Picture(saver, "FIG05_T00"),
                  Placed{kStageLeft + f.x + 34, kStageTop + f.y, {425, 0, 8, 71}}, true);
}

TEST_F(RealPictures, Figure9DropsThePeelIntoTheBackdropBesideItsFeet) {
    FigureRecord& f = Load(9);
    const Pixels before = Backdrop();
    for (int tick = 0; tick < 2000 && !gScene.figure9Waiting; ++tick)
        Tick(9);
    ASSERT_EQ(gScene.figure9Waiting, 1);
    // Frame 15 at the stage point (x - 26, y + 57), with x from before the figure's 14-pixel step.
    ExpectPainted(before, Backdrop(), Picture(saver, "FIG09_T00"),
                  Placed{kStageLeft + f.x + 14 - 26, kStageTop + f.y + 57, {911, 0, 32, 18}}, true);
}

TEST_F(RealPictures, Figure16LeavesHerLitterInTheBackdropBelowHerFeet) {
    FigureRecord& f = Load(16);
    Tick(16);  // placed at the right edge
    f.x = 200;  // on the stretch where the bag may tear
    f.phase = 2;
    gScene.counters[16].frameIndex = 0;
    gScene.counters[16].tickCount = 0;
    const Pixels before = Backdrop();
    for (int tick = 0; tick < 40 && !gScene.figure16Waiting; ++tick)
        Tick(16);
    ASSERT_EQ(gScene.figure16Waiting, 1);
    // Frame 9, the 48 x 16 scrap, at the stage point (x, y + 74).
    ExpectPainted(before, Backdrop(), Picture(saver, "FIG16_T00"),
                  Placed{kStageLeft + f.x, kStageTop + f.y + 74, {673, 0, 48, 16}}, true);
}

TEST_F(RealPictures, TheSweeperCopiesABlockOfCleanPavementUnderItsBroomAtEveryStep) {
    FigureRecord& f = Load(22);
    Tick(22);  // placed in the front band, left of the stage
    ASSERT_EQ(f.phase, 1);
    f.x = 300;
    gScene.counters[22].frameIndex = 0;
    const Pixels pavement = Picture(saver, "FIG22_T01");
    for (int run = 0; run < 3; ++run) {
        ASSERT_EQ(f.phase, 1);
        const int x = f.x, y = f.y;
        const Pixels before = Backdrop();
        for (int tick = 0; tick < 4; ++tick)
            Tick(22);
        EXPECT_EQ(f.x, x + 14) << "run " << run;
        // The block's stage row less 156 is its row in the picture of the clean pavement.
        ExpectPainted(before, Backdrop(), pavement, Placed{kStageLeft + x + 40, kStageTop + y + 52,
                                                            {x + 40, y + 52 - 156, 30, 25}},
                      false);
        f.phase = 1;  // a pause would take it off its stride
        gScene.counters[22].frameIndex = 0;
    }
}

// The sweeper's picture of the clean pavement is the street's own: on the real street its blocks
// change nothing, in either band, and over figure 16's litter they put the street back.
TEST_F(RealPictures, TheSweeperPutsBackTheStreetItselfWhereItsBlocksLand) {
    const Pixels street = Picture(saver, "HG01_01_01");
    ASSERT_EQ(street.width, 1024);
    {
        Canvas canvas(street.width, street.height);
        std::copy(street.p.begin(), street.p.end(), canvas.bits);
        BitBlt(backdrop.dc, kPictureLeft, kPictureTop, street.width, street.height, canvas.dc, 0, 0, SRCCOPY);
    }
    const Pixels clean = Backdrop();
    // The litter, then the sweeper over it.
    FigureRecord& woman = Load(16);
    Tick(16);
    woman.x = 200;
    woman.phase = 2;
    for (int tick = 0; tick < 40 && !gScene.figure16Waiting; ++tick)
        Tick(16);
    ASSERT_EQ(gScene.figure16Waiting, 1);
    const RECT litter{kStageLeft + gScene.figure16LitterX, kStageTop + gScene.figure16LitterY,
                      kStageLeft + gScene.figure16LitterX + 48, kStageTop + gScene.figure16LitterY + 16};
    UnloadFigure(16);
    const Pixels littered = Backdrop();

    std::vector<RECT> blocks;  // where the blocks of both passes landed
    for (int band : {2, 1}) {
        gScene.figure22Band = band;
        FigureRecord& f = Load(22);
        Tick(22);
        ASSERT_EQ(f.phase, 1);
        // Its whole walk across the stage, pauses and all; a block lands at every run end of phase 1.
        for (int tick = 0; tick < 5000 && f.active; ++tick) {
            if (f.phase == 1 && gScene.counters[22].frameIndex == 3)
                blocks.push_back(RECT{kStageLeft + f.x + 40, kStageTop + f.y + 52, kStageLeft + f.x + 70,
                                      kStageTop + f.y + 77});
            Tick(22);
        }
        ASSERT_EQ(f.active, 0) << "band " << band << ": the sweeper left on the right";
        const Pixels after = Backdrop();
        std::vector<bool> swept(after.p.size(), false);
        for (const RECT& b : blocks)
            for (int y = std::max<LONG>(b.top, 0); y < std::min<LONG>(b.bottom, after.height); ++y)
                for (int x = std::max<LONG>(b.left, 0); x < std::min<LONG>(b.right, after.width); ++x)
                    swept[static_cast<size_t>(y) * after.width + x] = true;
        int changed = 0, vanished = 0, unswept = 0;
        for (int y = 0; y < after.height; ++y)
            for (int x = 0; x < after.width; ++x) {
                const POINT at{x, y};
                const bool differs = after.at(x, y) != clean.at(x, y);
                if (!PtInRect(&litter, at))
                    changed += differs;
                else if (swept[static_cast<size_t>(y) * after.width + x])
                    unswept += differs;
                else
                    vanished += littered.at(x, y) != clean.at(x, y) && !differs;
            }
        EXPECT_EQ(changed, 0) << "band " << band << ": the sweeper changed the clean street";
        EXPECT_EQ(unswept, 0) << "band " << band << ": litter left under its blocks";
        EXPECT_EQ(vanished, 0) << "band " << band << ": litter gone where no block landed";
        if (band == 2) {
            int cleared = 0;
            for (int y = litter.top; y < litter.bottom; ++y)
                for (int x = litter.left; x < litter.right; ++x)
                    cleared += littered.at(x, y) != clean.at(x, y) && after.at(x, y) == clean.at(x, y);
            EXPECT_GT(cleared, 50) << "the back band's blocks cross the litter's rows";
        }
    }
}

TEST_F(RealPictures, TheBillPosterPastesTheNewMotiveOnTheBoard) {
    FigureRecord& f = Load(27);
    Tick(27);
    gScene.motiveNo = 3;
    std::set<int> pasted;
    for (int paste = 0; paste < 8 && pasted.size() < 3; ++paste) {
        const int shown = gScene.motiveNo;
        f.phase = 4;
        const Pixels before = Backdrop();
        Tick(27);
        ASSERT_NE(gScene.motiveNo, shown) << "a new motive differs from the one shown";
        if (gScene.motiveNo == 1)
            continue;  // the calendar motive gets this month's page drawn into it
        char name[16];
        sprintf(name, "MOTIV01_%02d", gScene.motiveNo);
        const Pixels motive = Picture(saver, name);
        ExpectPainted(before, Backdrop(), motive,
                      Placed{gScene.motiveLeft, gScene.motiveTop, {0, 0, motive.width, motive.height}}, true);
        pasted.insert(gScene.motiveNo);
    }
    EXPECT_EQ(pasted.size(), 3u);
}

// --- Faces in the bus windows --------------------------------------------------------------

// The bus stands at the stop with two riders boarding and a few passengers seated on arrival. On
// the tick after the boarding, each window of a seated passenger shows that passenger's face over
// the scene (the face's own transparent parts let the scene through), and every other window shows
// the bus picture as it is, the scene showing through its panes. By day and by night, when the
// windows lie 99 pixels further right behind the headlamp beam.
TEST_F(RealPictures, SeatedPassengersShowTheirFacesInTheirOwnWindowsOnly) {
    for (int timeOfDay : {1, 2}) {
        if (timeOfDay == 2) {  // a fresh scene for the night
            TearDown();
            SetUp();
        }
        gScene.timeOfDay = timeOfDay;
        const bool day = timeOfDay == 1;
        // The riders are on stage (so not seated on arrival) but out of the bus's way until it stands.
        for (FigureId rider : {1, 8}) {
            gFigures[rider].active = 1;
            gFigures[rider].boardsBus = 1;
            gFigures[rider].x = 2000;
        }
        FigureRecord& bus = Load(BusId);
        ASSERT_EQ(bus.width, day ? 312 : 416);
        while (bus.phase != 4)
            Tick(BusId);
        gFigures[1].x = bus.x + 60;
        gFigures[8].x = bus.x + 180;
        while (gScene.bus.stopTicks <= 7)
            Tick(BusId);
        ASSERT_EQ(gFigures[1].active, 0) << "taken by the bus";
        ASSERT_EQ(gFigures[8].active, 0);

        PaintPattern(stage.dc, 1024, StageHeight);
        const Pixels scene = Capture(stage.dc, 0, 0, 1024, StageHeight);
        const int x = bus.x, y = bus.y, frame = gScene.bus.frame;
        Tick(BusId);
        const Pixels shown = Capture(stage.dc, 0, 0, 1024, StageHeight);

        const int dayWindows[6] = {62, 99, 136, 173, 210, 247};
        auto inWindow = [&](int bx, int by) {
            for (int wx : dayWindows)
                if (bx >= wx + (day ? 0 : 99) && bx < wx + (day ? 0 : 99) + 32 && by >= 25 && by < 25 + 26)
                    return true;
            return false;
        };
        // Which of the three bus colours came: the one whose picture the body matches best.
        Pixels body;
        int fewest = 1 << 30;
        for (int colour = 1; colour <= 3; ++colour) {
            char name[24];
            sprintf(name, day ? "FIG70_T%02d_%02d" : "FIG70_N%02d_%02d", frame, colour);
            const Pixels candidate = Picture(saver, name);
            int mismatches = 0;
            for (int by = 0; by < candidate.height; ++by)
                for (int bx = 0; bx < candidate.width; ++bx) {
                    const uint32_t p = candidate.at(bx, by);
                    if (p != kKey && !inWindow(bx, by) && x + bx >= 0 && x + bx < 1024)
                        mismatches += shown.at(x + bx, y + by) != p;
                }
            if (candidate.width > 0 && mismatches < fewest) {
                fewest = mismatches;
                body = candidate;
            }
        }
        ASSERT_GT(body.width, 0) << "no bus picture found";
        EXPECT_EQ(fewest, 0) << "outside its windows the bus shows its own picture";

        std::set<FigureId> seated;
        int faces = 0;
        for (int seat = 0; seat < 6; ++seat) {
            const FigureId passenger = gScene.bus.seats[seat].passenger;
            const int wx = dayWindows[seat] + (day ? 0 : 99);
            char name[16];
            sprintf(name, day ? "BUS_TF%02d" : "BUS_NF%02d", passenger);
            const Pixels face = passenger ? Picture(saver, name) : Pixels{};
            int wrong = 0, faceShown = 0;
            for (int fy = 0; fy < 26; ++fy)
                for (int fx = 0; fx < 32; ++fx) {
                    const uint32_t behind = scene.at(x + wx + fx, y + 25 + fy);
                    const uint32_t pane = body.at(wx + fx, 25 + fy);
                    uint32_t want = pane == kKey ? behind : pane;
                    if (passenger) {
                        const uint32_t f = face.at(fx, fy);
                        want = f == kKey ? behind : f;
                        faceShown += f != kKey && f != (pane == kKey ? behind : pane);
                    }
                    wrong += shown.at(x + wx + fx, y + 25 + fy) != want;
                }
            EXPECT_EQ(wrong, 0) << (day ? "day" : "night") << " window " << seat << ", passenger " << passenger;
            if (passenger) {
                EXPECT_GT(faceShown, 100) << "window " << seat << " shows a face, not the empty pane";
                seated.insert(passenger);
                ++faces;
            }
        }
        EXPECT_TRUE(seated.count(1) && seated.count(8)) << "both riders have a window";
        EXPECT_EQ(static_cast<size_t>(faces), seated.size()) << "one window per passenger";
        EXPECT_GE(faces, 3) << "the two riders and at least one passenger seated on arrival";
    }
}

}  // namespace
