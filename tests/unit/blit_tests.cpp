// The drawing primitives on real GDI bitmaps: masks, transparent draws, clipping at the edges.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/blit.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(200, 30, 20);
constexpr COLORREF kBlue = RGB(20, 40, 220);
constexpr COLORREF kGrey = RGB(90, 90, 90);

// A screen-compatible bitmap painted from a picture of letters: M magenta, R red, B blue, G grey.
HBITMAP MakePicture(const std::vector<std::string>& rows) {
    HDC screen = GetDC(nullptr);
    const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const char c = rows[y][x];
            SetPixel(dc, x, y, c == 'M' ? kMagenta : c == 'R' ? kRed : c == 'B' ? kBlue : kGrey);
        }
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// The bitmap read back as letters (M, R, B, G; K for black, W for white, ? for anything else).
std::vector<std::string> ReadPicture(HBITMAP bitmap) {
    BITMAP info;
    GetObjectA(bitmap, sizeof info, &info);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    std::vector<std::string> rows;
    for (int y = 0; y < info.bmHeight; ++y) {
        std::string row;
        for (int x = 0; x < info.bmWidth; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            row += c == kMagenta ? 'M' : c == kRed ? 'R' : c == kBlue ? 'B' : c == kGrey ? 'G'
                 : c == RGB(0, 0, 0) ? 'K' : c == RGB(255, 255, 255) ? 'W' : '?';
        }
        rows.push_back(row);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return rows;
}

// A sprite with its mask made, as a figure has it after loading.
struct Sprite {
    HBITMAP image;
    HBITMAP mask;
    explicit Sprite(const std::vector<std::string>& rows) : image(MakePicture(rows)), mask(CreateMaskBitmap(image)) {
        EXPECT_EQ(MakeMask(image, mask, TransparentKey), 1);
    }
    ~Sprite() {
        DeleteObject(mask);
        DeleteObject(image);
    }
};

// A surface to draw into, with a bitmap of its own.
struct Surface {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    explicit Surface(const std::vector<std::string>& rows) : dc(CreateCompatibleDC(nullptr)), bitmap(MakePicture(rows)) {
        old = SelectObject(dc, bitmap);
    }
    ~Surface() {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    std::vector<std::string> Read() {
        SelectObject(dc, old);
        auto rows = ReadPicture(bitmap);
        SelectObject(dc, bitmap);
        return rows;
    }
};

using Rows = std::vector<std::string>;

TEST(MakeMask, MarksKeyPixelsWhiteAndBlacksThemOutInTheImage) {
    Sprite s({"MRM", "BMR"});
    EXPECT_EQ(ReadPicture(s.mask), (Rows{"WKW", "KWK"}));
    EXPECT_EQ(ReadPicture(s.image), (Rows{"KRK", "BKR"}));
}

TEST(MakeMask, ImageWithoutKeyGivesAllBlackMaskAndCoversItsWholeRectangle) {
    Sprite s({"RB", "BR"});
    EXPECT_EQ(ReadPicture(s.mask), (Rows{"KK", "KK"}));
    EXPECT_EQ(ReadPicture(s.image), (Rows{"RB", "BR"}));
    Surface stage({"GGG", "GGG"});
    BlitMasked(stage.dc, s.image, s.mask, BlitPoint{1, 0});
    EXPECT_EQ(stage.Read(), (Rows{"GRB", "GBR"}));
}

TEST(MakeMask, FailsOnMissingBitmaps) {
    HBITMAP image = MakePicture({"R"});
    EXPECT_EQ(MakeMask(nullptr, image, TransparentKey), 0);
    EXPECT_EQ(MakeMask(image, nullptr, TransparentKey), 0);
    DeleteObject(image);
}

TEST(CreateMaskBitmap, IsMonochromeOfTheSameSizeOrNullForNull) {
    EXPECT_EQ(CreateMaskBitmap(nullptr), nullptr);
    HBITMAP image = MakePicture({"RRRRR", "RRRRR", "RRRRR"});
    HBITMAP mask = CreateMaskBitmap(image);
    ASSERT_NE(mask, nullptr);
    BITMAP info;
    GetObjectA(mask, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 5);
    EXPECT_EQ(info.bmHeight, 3);
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(info.bmPlanes, 1);
    DeleteObject(mask);
    DeleteObject(image);
}

TEST(BlitMasked, KeepsTheBackgroundWhereTheSpriteIsTransparent) {
    Sprite s({"MRM", "RRR"});
    Surface stage({"GGGG", "GGGG", "GGGG"});
    BlitMasked(stage.dc, s.image, s.mask, BlitPoint{1, 1});
    EXPECT_EQ(stage.Read(), (Rows{"GGGG", "GGRG", "GRRR"}));
}

TEST(BlitMasked, NegativeAndFarDestinationsDrawOnlyTheVisiblePart) {
    Sprite s({"RB", "BR"});
    Surface stage({"GGG", "GGG"});
    BlitMasked(stage.dc, s.image, s.mask, BlitPoint{-1, -1});
    EXPECT_EQ(stage.Read(), (Rows{"RGG", "GGG"}));
    BlitMasked(stage.dc, s.image, s.mask, BlitPoint{2, 1});
    EXPECT_EQ(stage.Read(), (Rows{"RGG", "GGR"}));
    BlitMasked(stage.dc, s.image, s.mask, BlitPoint{500, -300});
    EXPECT_EQ(stage.Read(), (Rows{"RGG", "GGR"}));
}

TEST(BlitMaskedRect, DrawsOneFrameOfASheet) {
    // Two 2x2 frames side by side; the second has a transparent corner.
    Sprite sheet({"RRBM", "RRBB"});
    Surface stage({"GGG", "GGG"});
    BlitMaskedRect(stage.dc, sheet.image, sheet.mask, BlitPoint{0, 0}, gfx::FrameRect{2, 0, 2, 2});
    EXPECT_EQ(stage.Read(), (Rows{"BGG", "BBG"}));
}

TEST(BlitMaskedRect, SourceBeyondTheSheetDrawsOnlyWhatTheSheetHolds) {
    Sprite sheet({"RB", "BR"});
    Surface stage({"GGGG", "GGGG"});
    BlitMaskedRect(stage.dc, sheet.image, sheet.mask, BlitPoint{0, 0}, gfx::FrameRect{1, 0, 3, 2});
    const Rows rows = stage.Read();
    EXPECT_EQ(rows[0][0], 'B');
    EXPECT_EQ(rows[1][0], 'R');
    // Nothing of the sheet lies there, so nothing coloured may appear beyond its right edge.
    for (const std::string& row : rows)
        EXPECT_EQ(row.find_first_of("RB", 1), std::string::npos) << row;
}

TEST(BlitMaskedRect, NullPicturesDrawNothing) {
    Surface stage({"GG"});
    BlitMaskedRect(stage.dc, nullptr, nullptr, BlitPoint{0, 0}, gfx::FrameRect{0, 0, 2, 1});
    BlitMasked(stage.dc, nullptr, nullptr, BlitPoint{0, 0});
    EXPECT_EQ(stage.Read(), (Rows{"GG"}));
}

TEST(PlainCopies, CopyWholeBitmapsAndRectangles) {
    HBITMAP picture = MakePicture({"RBM", "MBR"});
    Surface stage({"GGGG", "GGGG"});
    BlitToDc(stage.dc, 1, 0, picture);
    EXPECT_EQ(stage.Read(), (Rows{"GRBM", "GMBR"}));
    BlitRect(stage.dc, 0, 1, picture, gfx::FrameRect{1, 0, 2, 1});
    EXPECT_EQ(stage.Read(), (Rows{"GRBM", "BMBR"}));
    DeleteObject(picture);
}

TEST(GetBitmapSize, WritesWidthAndHeightOnly) {
    HBITMAP picture = MakePicture({"RRRR", "RRRR", "RRRR"});
    gfx::FrameRect rect{7, 9, 0, 0};
    GetBitmapSize(picture, &rect);
    EXPECT_EQ(rect.x, 7);
    EXPECT_EQ(rect.y, 9);
    EXPECT_EQ(rect.width, 4);
    EXPECT_EQ(rect.height, 3);
    DeleteObject(picture);
}

}  // namespace
