// The whole-number enlargement: which factor a monitor gets, and that what the scene draws into its
// small screen reaches the window as exact n x n blocks, only where it was drawn.
#include <gtest/gtest.h>

#include "gfx/pixel_rows.h"
#include "scene/window_zoom.h"

#include <vector>

namespace {

TEST(ZoomFactor, GrowsOnlyWhenThePictureFitsTwiceAndStaysWhole) {
    struct Case {
        int width, height;
        int factor;
    };
    const Case cases[] = {
        {1024, 768, 1},   {1920, 1080, 1},  {2047, 1320, 1}, {2048, 1319, 1}, {2048, 1320, 2},
        {2560, 1440, 2},  {3071, 2160, 2},  {3072, 1980, 3}, {3840, 2160, 3}, {3840, 1600, 2},
        {5120, 2880, 4},  {7680, 4320, 6},  {0, 0, 1},       {-2560, 1440, 1},
        // Portrait monitors: the width decides.
        {1440, 2560, 1},  {2160, 3840, 2},  {1320, 2048, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ZoomFactor(c.width, c.height, true), c.factor) << c.width << " x " << c.height;
}

TEST(ZoomFactor, OffMeansOneEverywhere) {
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(ZoomFactor(ZoomPictureWidth * n, ZoomPictureHeight * n, false), 1) << n;
}

TEST(RepeatPixels, EveryPixelStandsNTimesInItsPlaceWhateverTheCount) {
    for (int n = 1; n <= 4; ++n) {
        for (int count = 0; count <= 11; ++count) {
            std::vector<uint32_t> from(count);
            for (int i = 0; i < count; ++i)
                from[i] = 0x01000000u * (i + 1) + 0x010203u * i;
            std::vector<uint32_t> to(count * n + 2, 0xDEADBEEFu);  // two past the end must stay
            RepeatPixels(to.data(), from.data(), count, n);
            for (int x = 0; x < count * n; ++x)
                ASSERT_EQ(to[x], from[x / n]) << "n " << n << ", count " << count << ", x " << x;
            EXPECT_EQ(to[count * n], 0xDEADBEEFu) << "n " << n << ", count " << count;
            EXPECT_EQ(to[count * n + 1], 0xDEADBEEFu) << "n " << n << ", count " << count;
        }
    }
}

TEST(SendApart, OnlyPartsFarFromWhatWaitsGoOnByThemselves) {
    const RECT figure{100, 400, 140, 480};
    EXPECT_FALSE(SendApart(RECT{}, figure)) << "nothing waits";
    EXPECT_FALSE(SendApart(figure, RECT{})) << "nothing to send";
    EXPECT_FALSE(SendApart(figure, RECT{110, 410, 150, 490})) << "overlapping";
    EXPECT_FALSE(SendApart(figure, RECT{150, 400, 190, 480})) << "a few pixels apart on one row";
    EXPECT_FALSE(SendApart(figure, RECT{300, 400, 340, 480})) << "a little way along the pavement";
    EXPECT_TRUE(SendApart(figure, RECT{900, 400, 940, 480})) << "across the street";
    EXPECT_TRUE(SendApart(figure, RECT{700, 40, 760, 80})) << "the sky at the other end";
    EXPECT_FALSE(SendApart(RECT{0, 380, 1024, 500}, figure)) << "inside what waits";
    EXPECT_TRUE(SendApart(RECT{0, 300, 1024, 320}, figure)) << "a long strip well above";
}

// A memory picture stands in for the window: its pixels can be read back whole on any display.
// Every case runs with the band's rows shared n times over and with a plain band.
class Enlargement : public ::testing::TestWithParam<bool> {
protected:
    static constexpr int kWidth = 602, kHeight = 401;  // not divisible by 3: the last columns stay over
    HDC window = nullptr;
    HBITMAP windowBitmap = nullptr;
    HGDIOBJ windowOriginal = nullptr;
    int sceneWidth = 0, sceneHeight = 0;

    void SetUp() override {
        SetSharedBandRows(GetParam());
        HDC screen = GetDC(nullptr);
        window = CreateCompatibleDC(screen);
        windowBitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
        ReleaseDC(nullptr, screen);
        windowOriginal = SelectObject(window, windowBitmap);
        Fill(window, RECT{0, 0, kWidth, kHeight}, RGB(0, 0, 255));
    }
    void TearDown() override {
        if (ZoomActive())
            StopWindowZoom(nullptr);
        SelectObject(window, windowOriginal);
        DeleteDC(window);
        DeleteObject(windowBitmap);
        SetSharedBandRows(true);
    }
    static void Fill(HDC dc, const RECT& r, COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
    // A small picture whose every pixel differs from its neighbours, copied into the scene at (x, y).
    static void DrawPattern(HDC scene, int x, int y, int w, int h) {
        HDC screen = GetDC(nullptr);
        HDC from = CreateCompatibleDC(screen);
        HBITMAP pattern = CreateCompatibleBitmap(screen, w, h);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(from, pattern);
        for (int py = 0; py < h; ++py)
            for (int px = 0; px < w; ++px)
                SetPixel(from, px, py, RGB(px * 37 % 256, py * 53 % 256, (px + py) * 11 % 256));
        BitBlt(scene, x, y, w, h, from, 0, 0, SRCCOPY);
        SelectObject(from, old);
        DeleteDC(from);
        DeleteObject(pattern);
    }
    // Window pixels in [x0, x1) x [y0, y1) that do not show their scene pixel.
    int Mismatches(HDC scene, int n, int x0, int y0, int x1, int y1) {
        int wrong = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                wrong += GetPixel(window, x, y) != GetPixel(scene, x / n, y / n);
        return wrong;
    }
    int NotBlue(int x0, int y0, int x1, int y1) {
        int other = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                other += GetPixel(window, x, y) != RGB(0, 0, 255);
        return other;
    }
};

TEST_P(Enlargement, FactorOneLeavesTheSceneOnTheWindow) {
    EXPECT_EQ(StartWindowZoom(window, kWidth, kHeight, 1, &sceneWidth, &sceneHeight), window);
    EXPECT_FALSE(ZoomActive());
    EXPECT_EQ(sceneWidth, kWidth);
    EXPECT_EQ(sceneHeight, kHeight);
    ShowZoomedDraws();  // nothing to do, nothing touched
    EXPECT_EQ(NotBlue(0, 0, kWidth, kHeight), 0);
}

TEST_P(Enlargement, WhatWasDrawnArrivesAsBlocksAndNothingElseIsTouched) {
    HDC scene = StartWindowZoom(window, kWidth, kHeight, 3, &sceneWidth, &sceneHeight);
    ASSERT_TRUE(ZoomActive());
    ASSERT_NE(scene, window);
    EXPECT_EQ(sceneWidth, 200);
    EXPECT_EQ(sceneHeight, 133);
    EXPECT_EQ(ZoomWindowDc(), window);
    EXPECT_EQ(gZoom.bandSection != nullptr, GetParam()) << "the band's kind";
    ShowZoomedDraws();  // the black start of the picture is not put on the window by itself
    EXPECT_EQ(NotBlue(0, 0, kWidth, kHeight), 0);

    DrawPattern(scene, 40, 30, 13, 9);
    ShowZoomedDraws();
    EXPECT_EQ(Mismatches(scene, 3, 120, 90, 159, 117), 0) << "each pixel repeated 3 x 3, unblended";
    EXPECT_EQ(NotBlue(0, 0, kWidth, 90), 0) << "above the drawn part";
    EXPECT_EQ(NotBlue(0, 117, kWidth, kHeight), 0) << "below it";
    EXPECT_EQ(NotBlue(0, 90, 120, 117) + NotBlue(159, 90, kWidth, 117), 0) << "beside it";

    // Shown once: the same part is not copied again until something is drawn there anew, and a
    // draw that leaves the pixels as they were sends nothing either.
    Fill(window, RECT{0, 0, kWidth, kHeight}, RGB(0, 0, 255));
    ShowZoomedDraws();
    EXPECT_EQ(NotBlue(0, 0, kWidth, kHeight), 0);
    DrawPattern(scene, 40, 30, 13, 9);
    ShowZoomedDraws();
    EXPECT_EQ(NotBlue(0, 0, kWidth, kHeight), 0);

    // A paint request puts the part back, changed or not.
    RepaintZoomed(RECT{40, 30, 53, 39});
    EXPECT_EQ(Mismatches(scene, 3, 120, 90, 159, 117), 0);
    EXPECT_EQ(NotBlue(0, 0, kWidth, 90) + NotBlue(0, 117, kWidth, kHeight), 0);
}

// A figure drawn again where it stood, with only a few of its pixels changed (a hand that moves):
// the window gets the rectangle around those pixels, not the whole figure nor its tiles.
TEST_P(Enlargement, ADrawAgainSendsOnlyTheRectangleAroundWhatChanged) {
    HDC scene = StartWindowZoom(window, kWidth, kHeight, 3, &sceneWidth, &sceneHeight);
    ASSERT_TRUE(ZoomActive());
    DrawPattern(scene, 40, 30, 13, 9);
    ShowZoomedDraws();
    Fill(window, RECT{0, 0, kWidth, kHeight}, RGB(0, 0, 255));
    DrawPattern(scene, 40, 30, 13, 9);
    SetPixel(scene, 42, 31, RGB(255, 0, 0));
    SetPixel(scene, 44, 33, RGB(0, 255, 0));
    ShowZoomedDraws();
    EXPECT_EQ(Mismatches(scene, 3, 42 * 3, 31 * 3, 45 * 3, 34 * 3), 0);
    EXPECT_EQ(NotBlue(0, 0, kWidth, kHeight), 3 * 3 * 9) << "the 3 x 3 picture pixels around the two";
}

// Two figures far apart: the window gets their tiles, not the stretch between them.
TEST_P(Enlargement, FarApartDrawsSendOnlyTheirOwnTiles) {
    HDC scene = StartWindowZoom(window, kWidth, kHeight, 3, &sceneWidth, &sceneHeight);
    ASSERT_TRUE(ZoomActive());
    DrawPattern(scene, 2, 70, 10, 10);
    DrawPattern(scene, 180, 70, 10, 10);
    ShowZoomedDraws();
    EXPECT_EQ(Mismatches(scene, 3, 6, 210, 36, 240), 0);
    EXPECT_EQ(Mismatches(scene, 3, 540, 210, 570, 240), 0);
    EXPECT_EQ(NotBlue(6 * 3 + 120, 210, 480, 240), 0) << "the tiles between them were not sent";
}

// Taller than the band that carries enlarged rows to the window, and not on tile lines: the rows
// go in several copies that must meet without a gap or a seam.
TEST_P(Enlargement, ATallPartArrivesWholeThroughSeveralBands) {
    HDC scene = StartWindowZoom(window, kWidth, kHeight, 3, &sceneWidth, &sceneHeight);
    ASSERT_TRUE(ZoomActive());
    DrawPattern(scene, 21, 3, 45, 127);
    ShowZoomedDraws();
    EXPECT_EQ(Mismatches(scene, 3, 63, 9, 198, 390), 0);
    EXPECT_EQ(NotBlue(0, 0, kWidth, 9) + NotBlue(0, 390, kWidth, kHeight), 0);
    EXPECT_EQ(NotBlue(0, 9, 63, 390) + NotBlue(198, 9, kWidth, 390), 0);

    // A paint request sends every tile: one block of rows after another, the same pixels.
    Fill(window, RECT{0, 0, kWidth, kHeight}, RGB(0, 0, 255));
    RepaintZoomed(RECT{0, 0, sceneWidth, sceneHeight});
    EXPECT_EQ(Mismatches(scene, 3, 0, 0, 600, 399), 0);
}

TEST_P(Enlargement, DrawsReachingPastTheSceneStopAtItsEdge) {
    HDC scene = StartWindowZoom(window, kWidth, kHeight, 3, &sceneWidth, &sceneHeight);
    ASSERT_TRUE(ZoomActive());
    DrawPattern(scene, 190, 125, 30, 20);  // partly beyond the right and the bottom edge
    DrawPattern(scene, -8, -4, 12, 10);    // partly beyond the left and the top edge
    ShowZoomedDraws();
    EXPECT_EQ(Mismatches(scene, 3, 570, 375, 600, 399), 0);
    EXPECT_EQ(Mismatches(scene, 3, 0, 0, 12, 18), 0);
    // The two columns and the row that 602 x 401 leaves over beyond 200 x 133 blocks stay untouched.
    EXPECT_EQ(NotBlue(600, 0, kWidth, kHeight), 0);
    EXPECT_EQ(NotBlue(0, 399, kWidth, kHeight), 0);
}

// Pixels of the test's own as a picture the enlargement can read: rows of pitch pixels.
DirectPixels PictureOf(std::vector<uint32_t>& pixels, int pitch, int width, int height) {
    return DirectPixels{reinterpret_cast<unsigned char*>(pixels.data()), static_cast<ptrdiff_t>(pitch) * 4, width,
                        height};
}

// A picture of the program's own (the stage) put into the scene at its place: it arrives enlarged
// and lands in the scene's picture; put in again unchanged it sends nothing, and with one pixel
// changed only that pixel's block.
TEST_P(Enlargement, APicturePutInArrivesWhereItDiffersFromTheWindow) {
    HDC scene = StartWindowZoom(window, kWidth, kHeight, 3, &sceneWidth, &sceneHeight);
    ASSERT_TRUE(ZoomActive());
    constexpr int kPitch = 24, kW = 20, kH = 12;
    std::vector<uint32_t> picture(kPitch * kH, 0xFFFFFFFFu);  // the columns past kW are never read
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            picture[y * kPitch + x] = static_cast<uint32_t>((x * 37 % 256) << 16 | (y * 53 % 256) << 8 | 7);
    ASSERT_TRUE(ShowZoomedPicture(PictureOf(picture, kPitch, kW, kH), 50, 40, RECT{0, 0, kW, kH}));
    const auto colour = [](uint32_t p) { return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF); };
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            ASSERT_EQ(GetPixel(scene, 50 + x, 40 + y), colour(picture[y * kPitch + x])) << "in the scene at " << x << "," << y;
    EXPECT_EQ(Mismatches(scene, 3, 150, 120, 210, 156), 0);
    EXPECT_EQ(NotBlue(0, 0, kWidth, kHeight), kW * kH * 9) << "nothing beside it";

    Fill(window, RECT{0, 0, kWidth, kHeight}, RGB(0, 0, 255));
    ShowZoomedPicture(PictureOf(picture, kPitch, kW, kH), 50, 40, RECT{0, 0, kW, kH});
    EXPECT_EQ(NotBlue(0, 0, kWidth, kHeight), 0) << "shown already";
    picture[5 * kPitch + 7] = 0x00FF0000u;
    ShowZoomedPicture(PictureOf(picture, kPitch, kW, kH), 50, 40, RECT{0, 0, kW, kH});
    EXPECT_EQ(GetPixel(window, 57 * 3 + 1, 45 * 3 + 1), RGB(255, 0, 0));
    EXPECT_EQ(NotBlue(0, 0, kWidth, kHeight), 9) << "one pixel's block";
}

// The scene drew something that is not on the window yet, and a picture that matches what the
// window shows is put over it: the scene must end up holding the picture, and the window the same.
TEST_P(Enlargement, APicturePutOverAnUnshownDrawReplacesIt) {
    HDC scene = StartWindowZoom(window, kWidth, kHeight, 3, &sceneWidth, &sceneHeight);
    ASSERT_TRUE(ZoomActive());
    DrawPattern(scene, 60, 50, 10, 8);
    std::vector<uint32_t> black(10 * 8, 0);  // what the window was last given there
    ASSERT_TRUE(ShowZoomedPicture(PictureOf(black, 10, 10, 8), 60, 50, RECT{0, 0, 10, 8}));
    int left = 0;
    for (int y = 50; y < 58; ++y)
        for (int x = 60; x < 70; ++x)
            left += GetPixel(scene, x, y) != RGB(0, 0, 0);
    EXPECT_EQ(left, 0) << "pixels of the draw left in the scene";
    EXPECT_EQ(Mismatches(scene, 3, 180, 150, 210, 174), 0) << "the window shows the scene";
}

// A part asked for past the picture's edge or the scene's is cut off there; where GDI enlarges,
// nothing is taken.
TEST_P(Enlargement, APicturePutInStopsAtItsEdgeAndTheScenes) {
    StartWindowZoom(window, kWidth, kHeight, 3, &sceneWidth, &sceneHeight);
    ASSERT_TRUE(ZoomActive());
    std::vector<uint32_t> white(30 * 10, 0x00FFFFFFu);
    const DirectPixels picture = PictureOf(white, 30, 30, 10);
    ASSERT_TRUE(ShowZoomedPicture(picture, 10, 10, RECT{-5, -5, 40, 16}));
    EXPECT_EQ(NotBlue(30, 30, 120, 60), 30 * 10 * 9) << "the picture's own pixels";
    EXPECT_EQ(NotBlue(0, 0, kWidth, kHeight), 30 * 10 * 9) << "nothing past them";
    ASSERT_TRUE(ShowZoomedPicture(picture, 185, 128, RECT{0, 0, 30, 10}));
    EXPECT_EQ(NotBlue(0, 0, kWidth, kHeight), 30 * 10 * 9 + 15 * 5 * 9);
    EXPECT_EQ(NotBlue(600, 0, kWidth, kHeight) + NotBlue(0, 399, kWidth, kHeight), 0);
    StopWindowZoom(nullptr);
    EXPECT_FALSE(ShowZoomedPicture(picture, 0, 0, RECT{0, 0, 30, 10})) << "no enlargement";
}

TEST_P(Enlargement, StoppingFreesTheScenePicture) {
    HDC scene = StartWindowZoom(window, kWidth, kHeight, 2, &sceneWidth, &sceneHeight);
    ASSERT_TRUE(ZoomActive());
    const HBITMAP picture = gZoom.sceneBitmap;
    ASSERT_NE(picture, nullptr);
    const HANDLE section = gZoom.bandSection;
    const uint8_t* band = reinterpret_cast<const uint8_t*>(gZoom.bandPixels);
    const size_t bandRowBytes = gZoom.bandStride * sizeof(uint32_t);
    StopWindowZoom(nullptr);
    if (section) {
        DWORD flags = 0;
        EXPECT_FALSE(GetHandleInformation(section, &flags)) << "the band's memory is closed";
        for (const uint8_t* view : {band, band + bandRowBytes}) {
            MEMORY_BASIC_INFORMATION memory{};
            ASSERT_NE(VirtualQuery(view, &memory, sizeof memory), 0u);
            EXPECT_EQ(memory.State, static_cast<DWORD>(MEM_FREE)) << "its views are unmapped";
        }
    }
    EXPECT_FALSE(ZoomActive());
    EXPECT_EQ(GetObjectType(scene), 0u) << "the scene's context is deleted";
    EXPECT_EQ(GetObjectType(picture), 0u) << "its picture too";
    EXPECT_EQ(GetObjectType(window), static_cast<DWORD>(OBJ_MEMDC)) << "the window's context is not ours to delete";
}

INSTANTIATE_TEST_SUITE_P(BandKinds, Enlargement, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& kind) { return kind.param ? "SharedRows" : "PlainBand"; });

}  // namespace
