// The tick's two copies on small surfaces: whatever moves, paints the backdrop or draws on the
// window, the window shows exactly the stage after every tick, while the copies shrink to the part
// that changed.
#include <gtest/gtest.h>

#include <vector>

#include "gfx/blit.h"
#include "scene/scene_state.h"
#include "scene/stage_copy.h"

namespace {

constexpr int kWidth = 200;
constexpr int kLeft = 8, kTop = 20;  // where the stage lies in the window and the backdrop

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

void Fill(HDC dc, int x, int y, int w, int h, COLORREF colour) {
    RECT r{x, y, x + w, y + h};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

class StageCopy : public ::testing::Test {
protected:
    Surface window, backdrop, stage;
    void SetUp() override {
        ResetSceneState();
        window.Make(kLeft + kWidth, kTop + StageHeight);
        backdrop.Make(kLeft + kWidth, kTop + StageHeight);
        stage.Make(kWidth, StageHeight);
        gScene.screenDc = window.dc;
        gScene.backdropDc = backdrop.dc;
        gScene.stageDc = stage.dc;
        gScene.stageWidth = kWidth;
        gScene.stageLeft = kLeft;
        gScene.stageTop = kTop;
        Fill(backdrop.dc, 0, 0, kLeft + kWidth, kTop + StageHeight, RGB(0, 128, 0));
        Fill(window.dc, 0, 0, kLeft + kWidth, kTop + StageHeight, RGB(0, 0, 0));
    }
    void TearDown() override {
        SetPartialStageCopies(true);
        window.Free();
        backdrop.Free();
        stage.Free();
    }
    // One tick: refresh, a red block at x as the only figure, copy.
    void Tick(int x) {
        RefreshStage();
        Fill(stage.dc, x, 100, 6, 6, RGB(255, 0, 0));
        CopyStageToWindow();
    }
    // One tick with several figures, each a block drawn in a turn of its own, as DrawFigures
    // gives every figure its turn.
    void TickFigures(const std::vector<int>& xs) {
        RefreshStage();
        for (int x : xs) {
            Fill(stage.dc, x, 100, 6, 6, RGB(255, 0, 0));
            NoteFigureDrawn();
        }
        CopyStageToWindow();
    }
    // The window's stage area against backdrop plus the block, pixel by pixel.
    int WrongPixels(int blockX) { return WrongPixels(std::vector<int>{blockX}); }
    int WrongPixels(const std::vector<int>& blocks) {
        int wrong = 0;
        for (int y = 0; y < StageHeight; y += 3)
            for (int x = 0; x < kWidth; ++x) {
                bool block = false;
                for (int blockX : blocks)
                    block = block || (x >= blockX && x < blockX + 6 && y >= 100 && y < 106);
                const COLORREF expected = block ? RGB(255, 0, 0) : GetPixel(backdrop.dc, kLeft + x, kTop + y);
                wrong += GetPixel(window.dc, kLeft + x, kTop + y) != expected;
            }
        return wrong;
    }
};

TEST_F(StageCopy, AMovingFigureLeavesNoTrailAndOnlyItsNeighbourhoodIsCopied) {
    for (int x = 0; x < 40; x += 4) {
        Tick(x);
        ASSERT_EQ(WrongPixels(x), 0) << "x " << x;
    }
    ASSERT_EQ(gScene.stageSpriteAreas.count, 1);
    EXPECT_EQ(gScene.stageSpriteAreas.rect[0].left, 36);
    EXPECT_EQ(gScene.stageSpriteAreas.rect[0].right, 42) << "the figures' own bounds, not the whole strip";
    // Paint the window under the stage behind the scene's back: a partial copy leaves it alone.
    Fill(window.dc, kLeft + 60, kTop + 300, 2, 2, RGB(9, 9, 9));
    Tick(40);
    EXPECT_EQ(GetPixel(window.dc, kLeft + 60, kTop + 300), RGB(9, 9, 9));
    InvalidateStage();
    Tick(44);
    EXPECT_EQ(WrongPixels(44), 0) << "after an invalidation the whole strip is copied";
}

TEST_F(StageCopy, BackdropPaintsAndWindowDrawsReachTheWindow) {
    Tick(0);
    Tick(0);
    // A figure pastes something into the backdrop (as the bill poster does) inside the stage.
    Fill(backdrop.dc, kLeft + 30, kTop + 200, 10, 10, RGB(0, 0, 255));
    Tick(4);
    EXPECT_EQ(WrongPixels(4), 0);
    EXPECT_EQ(GetPixel(window.dc, kLeft + 35, kTop + 205), RGB(0, 0, 255));
    // The scene draws on the window over the stage after the copy (as the aircraft does).
    Fill(window.dc, kLeft + 50, kTop + 10, 8, 8, RGB(255, 255, 0));
    NoteWindowDraw(kLeft + 50, kTop + 10, 8, 8);
    Tick(8);
    EXPECT_EQ(WrongPixels(8), 0) << "the next copy puts the stage back over it";
}

TEST_F(StageCopy, FiguresFarApartAreCopiedApartAndManyStillLeaveNoTrail) {
    TickFigures({10, 150});
    for (int step = 1; step <= 3; ++step) {
        TickFigures({10 + 4 * step, 150 - 4 * step});
        ASSERT_EQ(WrongPixels({10 + 4 * step, 150 - 4 * step}), 0) << "step " << step;
    }
    EXPECT_EQ(gScene.stageSpriteAreas.count, 2);
    // The window between them, painted behind the scene's back, is not copied over.
    Fill(window.dc, kLeft + 80, kTop + 102, 1, 1, RGB(9, 9, 9));
    TickFigures({26, 134});
    EXPECT_EQ(GetPixel(window.dc, kLeft + 80, kTop + 102), RGB(9, 9, 9)) << "one copy spanned both figures";
    EXPECT_EQ(WrongPixels({26, 134}), 1) << "only the painted pixel differs";

    // More groups than the areas hold: they are joined, and every figure still moves cleanly.
    std::vector<int> many;
    for (int x = 2; x < kWidth - 8; x += 16)
        many.push_back(x);
    ASSERT_GT(many.size(), static_cast<size_t>(StageAreas::Capacity));
    InvalidateStage();
    TickFigures(many);
    for (int step = 0; step < 3; ++step) {
        for (int& x : many)
            x += (x / 16) % 2 ? 2 : -2;
        TickFigures(many);
        ASSERT_EQ(WrongPixels(many), 0) << "step " << step;
    }
    EXPECT_LE(gScene.stageSpriteAreas.count, StageAreas::Capacity);
}

// With a stage whose pixels can be read, a part is copied only where it differs from what the
// window already shows: a figure drawn again at the same place sends nothing.
TEST_F(StageCopy, AFigureStandingStillIsNotCopiedAgainAndAMovingOneLeavesNoTrail) {
    SetPartialStageCopies(true);
    HBITMAP readable = CreateSurfaceBitmap(stage.dc, kWidth, StageHeight);
    ASSERT_NE(readable, nullptr);
    HGDIOBJ before = SelectObject(stage.dc, readable);
    SetDirectTarget(stage.dc, readable);
    DirectPixels pixels{};
    ASSERT_TRUE(DirectTargetPixels(stage.dc, &pixels)) << "a 32-bit screen gives readable surfaces";
    InvalidateStage();
    Tick(40);
    Tick(40);
    ASSERT_EQ(WrongPixels(40), 0);
    // Behind the scene's back, under the figure: the part covers it, but the stage did not change.
    Fill(window.dc, kLeft + 42, kTop + 102, 1, 1, RGB(9, 9, 9));
    Tick(40);
    EXPECT_EQ(GetPixel(window.dc, kLeft + 42, kTop + 102), RGB(9, 9, 9)) << "unchanged pixels were copied";
    for (int x = 44; x < 80; x += 3) {
        Tick(x);
        ASSERT_EQ(WrongPixels(x), 0) << "x " << x;
    }
    // Drawn on the window over the stage and noted: put back although the stage is unchanged there.
    Fill(window.dc, kLeft + 150, kTop + 50, 4, 4, RGB(255, 255, 0));
    NoteWindowDraw(kLeft + 150, kTop + 50, 4, 4);
    Tick(77);
    EXPECT_EQ(WrongPixels(77), 0);
    ForgetDirectTarget(stage.dc);
    SelectObject(stage.dc, before);
    DeleteObject(readable);
}

// Figures that draw through the blits, on a stage whose pixels the program reaches: the stage is
// refreshed and drawn only where a draw is new, gone, moved in the order or shows a changed
// picture, and the window still shows exactly the backdrop with every draw on top, in order.
class StageDrawnWhereChanged : public StageCopy {
protected:
    struct Sprite {
        HBITMAP image = nullptr, mask = nullptr;
        COLORREF colour = 0;
        bool holeOnLeft = false;  // the left column is transparent
    };
    HBITMAP readable = nullptr;
    HGDIOBJ before = nullptr;
    Sprite red, blue;
    struct Draw {
        const Sprite* sprite;
        int x;
    };

    void SetUp() override {
        StageCopy::SetUp();
        SetPartialStageCopies(true);
        readable = CreateSurfaceBitmap(stage.dc, kWidth, StageHeight);
        before = SelectObject(stage.dc, readable);
        SetDirectTarget(stage.dc, readable);
        red = MakeSprite(RGB(255, 0, 0), false);
        blue = MakeSprite(RGB(0, 0, 255), true);
    }
    void TearDown() override {
        for (Sprite* s : {&red, &blue}) {
            DeleteSprite(s->image);
            DeleteSprite(s->mask);
        }
        ForgetDirectTarget(stage.dc);
        SelectObject(stage.dc, before);
        DeleteObject(readable);
        StageCopy::TearDown();
    }
    Sprite MakeSprite(COLORREF colour, bool holeOnLeft) {
        Sprite s;
        s.colour = colour;
        s.holeOnLeft = holeOnLeft;
        s.image = CreateSurfaceBitmap(window.dc, 6, 6);
        {
            BitmapDc dc(s.image);
            Fill(dc.dc(), 0, 0, 6, 6, colour);
            if (holeOnLeft)
                Fill(dc.dc(), 0, 0, 1, 6, TransparentKey);
        }
        s.mask = CreateMaskBitmap(s.image);
        MakeMask(s.image, s.mask, TransparentKey);
        HoldSprite(s.image);
        HoldSprite(s.mask);
        return s;
    }
    void TickDraws(const std::vector<Draw>& draws) {
        RefreshStage(FigureDrawing::ThroughBlits);
        for (const Draw& d : draws) {
            BlitMasked(stage.dc, d.sprite->image, d.sprite->mask, BlitPoint{d.x, 100});
            NoteFigureDrawn();
        }
        CopyStageToWindow();
    }
    int WrongPixels(const std::vector<Draw>& draws) {
        int wrong = 0;
        for (int y = 96; y < 110; ++y)
            for (int x = 0; x < kWidth; ++x) {
                COLORREF expected = GetPixel(backdrop.dc, kLeft + x, kTop + y);
                for (const Draw& d : draws)
                    if (x >= d.x + (d.sprite->holeOnLeft ? 1 : 0) && x < d.x + 6 && y >= 100 && y < 106)
                        expected = d.sprite->colour;
                wrong += GetPixel(window.dc, kLeft + x, kTop + y) != expected;
            }
        return wrong;
    }
    uint32_t& StagePixel(int x, int y) {
        DirectPixels pixels{};
        DirectTargetPixels(stage.dc, &pixels);
        return pixels.Row(y)[x];
    }
};

TEST_F(StageDrawnWhereChanged, StillFiguresAreLeftAloneAndEverythingElseIsRight) {
    InvalidateStage();
    for (int t = 0; t < 3; ++t)
        TickDraws({{&red, 40}, {&blue, 120}});
    ASSERT_EQ(WrongPixels({{&red, 40}, {&blue, 120}}), 0);

    // Behind the scene's back, inside the still red figure: not refreshed, not drawn again.
    StagePixel(42, 102) = 0x00090909u;
    TickDraws({{&red, 40}, {&blue, 120}});
    EXPECT_EQ(StagePixel(42, 102), 0x00090909u) << "a figure standing still was drawn again";

    // It moves: its old place comes back from the backdrop, the blue one is still right.
    TickDraws({{&red, 44}, {&blue, 120}});
    EXPECT_EQ(WrongPixels({{&red, 44}, {&blue, 120}}), 0);

    // Overlapping, then the same two draws in the other order: the later one is on top.
    TickDraws({{&red, 60}, {&blue, 63}});
    EXPECT_EQ(WrongPixels({{&red, 60}, {&blue, 63}}), 0);
    TickDraws({{&blue, 63}, {&red, 60}});
    EXPECT_EQ(WrongPixels({{&blue, 63}, {&red, 60}}), 0) << "a draw that moved in the order";
    TickDraws({{&blue, 63}, {&red, 60}});

    // Drawn into between two ticks, at the same place: shown anew.
    {
        BitmapDc dc(red.image);
        Fill(dc.dc(), 0, 0, 6, 6, RGB(0, 255, 0));
    }
    red.colour = RGB(0, 255, 0);
    TickDraws({{&blue, 63}, {&red, 60}});
    EXPECT_EQ(WrongPixels({{&blue, 63}, {&red, 60}}), 0) << "a changed picture at the same place";

    // Gone: its place is the backdrop again.
    TickDraws({{&blue, 63}});
    EXPECT_EQ(WrongPixels({{&blue, 63}}), 0);
}

// What cannot wait is drawn at once, in order: a sprite freed right after its draw (a vehicle
// that has left), and a GDI draw among the figures.
TEST_F(StageDrawnWhereChanged, WhatCannotWaitIsDrawnInOrder) {
    InvalidateStage();
    TickDraws({{&red, 40}, {&blue, 120}});
    TickDraws({{&red, 40}, {&blue, 120}});
    RefreshStage(FigureDrawing::ThroughBlits);
    BlitMasked(stage.dc, blue.image, blue.mask, BlitPoint{120, 100});
    NoteFigureDrawn();
    BlitMasked(stage.dc, red.image, red.mask, BlitPoint{44, 100});
    DeleteSprite(red.image);  // drawn, then unloaded in the same turn
    DeleteSprite(red.mask);
    NoteFigureDrawn();
    CopyStageToWindow();
    EXPECT_EQ(WrongPixels({{&blue, 120}, {&red, 44}}), 0);
    TickDraws({{&blue, 120}});
    EXPECT_EQ(WrongPixels({{&blue, 120}}), 0) << "the freed sprite's place";

    red = MakeSprite(RGB(255, 0, 0), false);
    TickDraws({{&blue, 120}, {&red, 30}});
    RefreshStage(FigureDrawing::ThroughBlits);
    BlitMasked(stage.dc, blue.image, blue.mask, BlitPoint{120, 100});
    NoteFigureDrawn();
    BlitRect(stage.dc, 118, 100, red.image, gfx::FrameRect{0, 0, 6, 6});  // a plain copy: GDI
    NoteFigureDrawn();
    BlitMasked(stage.dc, red.image, red.mask, BlitPoint{30, 100});
    NoteFigureDrawn();
    CopyStageToWindow();
    EXPECT_EQ(WrongPixels({{&blue, 120}, {&red, 118}, {&red, 30}}), 0) << "the plain copy over the blue figure";
    TickDraws({{&blue, 120}, {&red, 30}});
    EXPECT_EQ(WrongPixels({{&blue, 120}, {&red, 30}}), 0);
}

TEST_F(StageCopy, AContextMadeAnewIsCopiedWholeOnce) {
    Tick(0);
    Tick(4);
    Surface fresh;
    fresh.Make(kLeft + kWidth, kTop + StageHeight);
    Fill(fresh.dc, 0, 0, kLeft + kWidth, kTop + StageHeight, RGB(128, 0, 128));
    gScene.backdropDc = fresh.dc;  // a rebuilt backdrop that never kept bounds
    Tick(8);
    EXPECT_EQ(GetPixel(window.dc, kLeft + 1, kTop + 1), RGB(128, 0, 128));
    gScene.backdropDc = backdrop.dc;
    fresh.Free();
}

TEST_F(StageCopy, WithPartialCopiesOffEveryTickCopiesTheWholeStrip) {
    SetPartialStageCopies(false);
    Tick(0);
    Fill(window.dc, kLeft + 60, kTop + 300, 2, 2, RGB(9, 9, 9));
    Tick(4);
    EXPECT_EQ(WrongPixels(4), 0);
}

}  // namespace
