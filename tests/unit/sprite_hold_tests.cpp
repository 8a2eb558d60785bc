// Sprites held in contexts of their own: the scene draws the same pictures as with a context per
// blit, held sprites can still be drawn into and freed, and the benchmark's own pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "bench/bench_support.h"
#include "clock/calendar.h"
#include "gfx/blit.h"
#include "scene/scene_state.h"
#include "scene/stage_copy.h"
#include "unit/test_support.h"

namespace {

HBITMAP ScreenBitmap(int width, int height) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    BitmapDc at(bitmap);
    return at.ok() ? GetPixel(at.dc(), x, y) : CLR_INVALID;
}

class HeldSprites : public ::testing::Test {
protected:
    void TearDown() override { SetSpriteHolding(true); }
};

TEST_F(HeldSprites, AHeldSpriteStaysSelectedYetCanBeDrawnIntoAndIsFreedWhole) {
    HBITMAP sprite = ScreenBitmap(8, 8);
    ASSERT_NE(sprite, nullptr);
    const int before = HeldSpriteCount();
    HoldSprite(sprite);
    EXPECT_EQ(HeldSpriteCount(), before + 1);
    HoldSprite(sprite);
    EXPECT_EQ(HeldSpriteCount(), before + 1) << "holding twice keeps one context";

    HDC other = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(other, sprite);
    EXPECT_TRUE(old == nullptr || old == HGDI_ERROR) << "a held bitmap is selected in its own context";
    if (old && old != HGDI_ERROR)
        SelectObject(other, old);
    DeleteDC(other);

    {
        BitmapDc into(sprite);
        ASSERT_TRUE(into.ok());
        RECT all{0, 0, 8, 8};
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(into.dc(), &all, red);
        DeleteObject(red);
    }
    EXPECT_EQ(PixelOf(sprite, 3, 3), RGB(255, 0, 0));

    HBITMAP handle = sprite;
    DeleteSprite(sprite);
    EXPECT_EQ(sprite, nullptr);
    EXPECT_EQ(HeldSpriteCount(), before);
    EXPECT_EQ(GetObjectType(handle), 0u) << "the bitmap itself is gone, not left behind in a context";
}

TEST_F(HeldSprites, MaskedDrawsLookTheSameHeldOrNotAndBeyondTheLastContext) {
    // A 4x2 sprite: left half opaque red, right half magenta (transparent), over a blue target.
    auto makeSprite = [](HBITMAP* image, HBITMAP* mask) {
        *image = ScreenBitmap(4, 2);
        {
            BitmapDc dc(*image);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 4; ++x)
                    SetPixel(dc.dc(), x, y, x < 2 ? RGB(255, 0, 0) : TransparentKey);
        }
        *mask = CreateMaskBitmap(*image);
        ASSERT_EQ(MakeMask(*image, *mask, TransparentKey), 1);
    };
    auto drawOnBlue = [](HBITMAP image, HBITMAP mask) {
        HBITMAP target = ScreenBitmap(6, 2);
        BitmapDc dc(target);
        RECT all{0, 0, 6, 2};
        HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
        FillRect(dc.dc(), &all, blue);
        DeleteObject(blue);
        BlitMaskedRect(dc.dc(), image, mask, BlitPoint{1, 0}, gfx::FrameRect{0, 0, 4, 2});
        std::vector<COLORREF> row;
        for (int x = 0; x < 6; ++x)
            row.push_back(GetPixel(dc.dc(), x, 1));
        return std::make_pair(target, row);
    };
    const std::vector<COLORREF> expected = {RGB(0, 0, 255), RGB(255, 0, 0), RGB(255, 0, 0),
                                            RGB(0, 0, 255), RGB(0, 0, 255), RGB(0, 0, 255)};

    // Fill every context there is, so that the last sprite is drawn the slow way.
    std::vector<HBITMAP> filler;
    for (int i = 0; i < 200; ++i) {
        filler.push_back(ScreenBitmap(1, 1));
        HoldSprite(filler.back());
    }
    const int full = HeldSpriteCount();
    EXPECT_LT(full, 200) << "the contexts for held sprites are limited";
    HBITMAP image, mask;
    makeSprite(&image, &mask);
    HoldSprite(image);
    HoldSprite(mask);
    EXPECT_EQ(HeldSpriteCount(), full);
    auto slow = drawOnBlue(image, mask);
    EXPECT_EQ(slow.second, expected);
    for (HBITMAP& b : filler)
        DeleteSprite(b);

    HoldSprite(image);
    HoldSprite(mask);
    EXPECT_EQ(HeldSpriteCount(), 2);
    auto held = drawOnBlue(image, mask);
    EXPECT_EQ(held.second, expected);
    DeleteSprite(image);
    DeleteSprite(mask);
    DeleteObject(slow.first);
    DeleteObject(held.first);
    EXPECT_EQ(HeldSpriteCount(), 0);
}

// The real scene with the saver's own pictures on a fixed faked clock, sampled every 100 ticks.
struct SeededRun {
    std::vector<uint64_t> stages, windows;
    int mostHeld = 0;
};

SeededRun RunSeededScene(bool fast) {
    HMODULE saver = LoadLibraryExA(ScrPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(saver, nullptr);
    SetSpriteHolding(fast);
    SetPartialStageCopies(fast);
    SetDirectDrawing(fast);
    SetTimeSource(FakeTimeSource);
    SetFakeTime(static_cast<double>(ParseLocalTime("2026-07-01 11:50")));
    SeededRun run;
    {
        SceneWindow scene;
        EXPECT_TRUE(scene.Open(1024, 768, saver, 11));
        for (int t = 0; t < 2400; ++t) {
            scene.Tick();
            SetFakeTime(FakeTime() + 0.5);
            if (t % 100 == 99) {
                run.stages.push_back(StageChecksum());
                run.windows.push_back(WindowStageChecksum());
            }
            run.mostHeld = std::max(run.mostHeld, HeldSpriteCount());
            if (t % 64 == 0)
                scene.Pump();
        }
    }
    EXPECT_EQ(HeldSpriteCount(), 0) << "the stopped scene holds no sprite";
    SetTimeSource(nullptr);
    SetPartialStageCopies(true);
    SetDirectDrawing(true);
    FreeLibrary(saver);
    return run;
}

// Held sprites and partial copies against a context per blit and whole-strip copies: a seeded run
// gives the same stage, and the same window, tick by tick.
TEST_F(HeldSprites, ASeededSceneShowsTheSamePicturesEitherWay) {
    RegistrySandbox registry("SpriteHoldScene");
    const SeededRun fast = RunSeededScene(true);
    const SeededRun plain = RunSeededScene(false);
    EXPECT_GE(fast.mostHeld, 6) << "sign, bus or figures were on stage";
    EXPECT_EQ(plain.mostHeld, 0);
    ASSERT_EQ(fast.stages.size(), plain.stages.size());
    int changes = 0;
    for (size_t i = 0; i < fast.stages.size(); ++i) {
        const int tick = static_cast<int>(i + 1) * 100;
        EXPECT_EQ(fast.stages[i], plain.stages[i]) << "stage after tick " << tick;
        EXPECT_EQ(fast.windows[i], plain.windows[i]) << "window after tick " << tick;
        EXPECT_EQ(fast.windows[i], fast.stages[i]) << "the window shows the stage after tick " << tick;
        changes += i > 0 && fast.stages[i] != fast.stages[i - 1];
    }
    EXPECT_GT(changes, 10) << "figures moved across the stage";
}

// Partial copies rest on the bounds GDI keeps of the draws into a memory context.
TEST(StageCopies, DrawsIntoAMemoryContextAreBounded) {
    HBITMAP picture = ScreenBitmap(100, 50);
    BitmapDc memory(picture);
    HDC dc = memory.dc();
    SetBoundsRect(dc, nullptr, DCB_RESET | DCB_ENABLE);
    RECT drawn{};
    EXPECT_EQ(GetBoundsRect(dc, &drawn, 0), static_cast<UINT>(DCB_RESET)) << "nothing drawn yet";
    BitBlt(dc, 10, 20, 30, 5, nullptr, 0, 0, BLACKNESS);
    HBITMAP sprite = ScreenBitmap(4, 10);
    BlitRect(dc, 50, 22, sprite, gfx::FrameRect{0, 0, 4, 10});
    EXPECT_EQ(GetBoundsRect(dc, &drawn, DCB_RESET), static_cast<UINT>(DCB_SET));
    EXPECT_EQ(drawn.left, 10);
    EXPECT_EQ(drawn.top, 20);
    EXPECT_EQ(drawn.right, 54);
    EXPECT_EQ(drawn.bottom, 32);
    EXPECT_EQ(GetBoundsRect(dc, &drawn, 0), static_cast<UINT>(DCB_RESET)) << "empty after a reset";
    DeleteObject(sprite);
    DeleteObject(picture);
}

TEST(BenchOptions, ReadsEveryOptionAndRefusesWhatItCannotUse) {
    const BenchOptions o = ParseBenchOptions({"--ticks", "500", "--size", "800x600", "--start", "2026-12-24 18:00",
                                              "--start", "2027-03-27T07:30:15", "--rate", "2.5", "--seed", "9",
                                              "--speed", "150", "--no-hold", "--check-objects"});
    EXPECT_TRUE(o.error.empty()) << o.error;
    EXPECT_EQ(o.ticks, 500);
    EXPECT_EQ(o.width, 800);
    EXPECT_EQ(o.height, 600);
    ASSERT_EQ(o.starts.size(), 2u);
    EXPECT_EQ(FormatDate(o.starts[0]), "2026-12-24");
    EXPECT_EQ(o.starts[1] - ParseLocalTime("2027-03-27 07:30"), 15);
    EXPECT_DOUBLE_EQ(o.rate, 2.5);
    EXPECT_EQ(o.seed, 9u);
    EXPECT_EQ(o.speed, 150);
    EXPECT_FALSE(o.holdSprites);
    EXPECT_TRUE(o.checkObjects);

    const BenchOptions defaults = ParseBenchOptions({});
    ASSERT_EQ(defaults.starts.size(), 1u);
    EXPECT_EQ(FormatDate(defaults.starts[0]), "2026-12-05");
    EXPECT_TRUE(defaults.holdSprites);

    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--ticks", "0"}, {"--size", "800"}, {"--rate", "-1"},
                                               {"--speed", "151"}, {"--start", "2026-13-01 10:00"},
                                               {"--start", "2026-04-31 10:00"}, {"--ticks"}, {"--fast"}})
        EXPECT_FALSE(ParseBenchOptions(bad).error.empty()) << bad[0] << " " << (bad.size() > 1 ? bad[1] : "");
}

TEST(BenchOptions, FakedClockIsTheSceneClock) {
    SetTimeSource(FakeTimeSource);
    SetFakeTime(static_cast<double>(ParseLocalTime("2027-03-28 09:15")) + 0.75);
    const LocalDate now = ReadLocalDate();
    EXPECT_EQ(now.year, 2027);
    EXPECT_EQ(now.month, 3);
    EXPECT_EQ(now.day, 28);
    EXPECT_EQ(now.hour, 9);
    EXPECT_EQ(now.minute, 15);
    EXPECT_EQ(IsEasterTime(), 1);
    SetTimeSource(nullptr);
    EXPECT_LE(std::abs(static_cast<long long>(SceneTime() - std::time(nullptr))), 2) << "the machine's clock is back";
}

TEST(BenchStatistics, PercentilesPickFromTheSortedSamples) {
    std::vector<double> samples;
    for (int i = 100; i >= 1; --i)
        samples.push_back(i);
    EXPECT_DOUBLE_EQ(Percentile(samples, 0.5), 51);
    EXPECT_DOUBLE_EQ(Percentile(samples, 0.99), 100);
    EXPECT_DOUBLE_EQ(Percentile(samples, 0.0), 1);
    EXPECT_DOUBLE_EQ(Percentile({}, 0.5), 0);
}

TEST(BenchProbes, CapacityProbeSeesObjectsThatAreStillAlive) {
    const long before = GdiCapacity();
    std::vector<HPEN> pens;
    for (int i = 0; i < 25; ++i)
        pens.push_back(CreatePen(PS_SOLID, 1, RGB(i, 0, 0)));
    const long during = GdiCapacity();
    for (HPEN p : pens)
        DeleteObject(p);
    EXPECT_EQ(before - during, 25);
    EXPECT_EQ(GdiCapacity(), before);
}

}  // namespace
