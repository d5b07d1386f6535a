// Bitmaps read from data keep their pixels in plain memory and make their DIB section only
// when GDI needs it; the pixels must come out the same on every road.

#include "framework/core/Stream.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BmpFile.h"
#include "framework/graphics/Colors.h"
#include "tests/skinform/GdiCount.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// 0x00RRGGBB of pixel (X, Y) of the test pictures: different for every position.
uint32_t Colour(int X, int Y)
{
    return uint32_t(40 * X + 3) << 16 | uint32_t(50 * Y + 7) << 8 | uint32_t(X * 11 + Y * 17);
}

TColor AsTColor(uint32_t RGB)
{
    return RGBToColor(uint8_t(RGB >> 16), uint8_t(RGB >> 8), uint8_t(RGB));
}

TPixelImage TrueColourPicture(int W, int H)
{
    TPixelImage Image;
    Image.Allocate(W, H, 24);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            uint8_t* P = Image.Row(Y) + 3 * X;
            P[0] = uint8_t(Colour(X, Y));
            P[1] = uint8_t(Colour(X, Y) >> 8);
            P[2] = uint8_t(Colour(X, Y) >> 16);
        }
    return Image;
}

// Column X takes palette entry X, which is Colour(X, 0).
TPixelImage PalettePicture(int W, int H)
{
    TPixelImage Image;
    Image.Allocate(W, H, 8);
    for (int X = 0; X < W; ++X) {
        Image.Palette[size_t(X)] = Colour(X, 0);
        for (int Y = 0; Y < H; ++Y)
            Image.SetIndex(X, Y, unsigned(X));
    }
    return Image;
}

void LoadFile(TBitmap& B, const TPixelImage& Image)
{
    const std::vector<uint8_t> Bytes = WriteBmpFile(Image);
    TMemoryStream Stream;
    Stream.WriteBuffer(Bytes.data(), int64_t(Bytes.size()));
    Stream.SetPosition(0);
    B.LoadFromStream(Stream);
}

// Every pixel as GDI reads it from the bitmap's canvas.
void ExpectDrawn(TBitmap& B, int W, int H)
{
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X)
            ASSERT_EQ(B.Canvas()->Pixels(X, Y), AsTColor(Colour(X, Y))) << X << ", " << Y;
}

}  // namespace

TEST(BitmapData, LoadingAsksNoGdiObjectUntilTheCanvasOrHandle)
{
    TBitmap B, Copy;
    const int Before = LiveGdiObjects();
    LoadFile(B, TrueColourPicture(5, 3));
    EXPECT_FALSE(B.Empty());
    EXPECT_EQ(B.Width(), 5);
    EXPECT_EQ(B.Height(), 3);
    EXPECT_EQ(B.PixelFormat(), pf24bit);
    const uint8_t* Row = static_cast<const uint8_t*>(B.ScanLine(2));
    EXPECT_EQ(Row[3 * 4 + 2] << 16 | Row[3 * 4 + 1] << 8 | Row[3 * 4], int(Colour(4, 2)));
    EXPECT_EQ(B.ToImage().PixelRGB(1, 0), Colour(1, 0));
    Copy.Assign(B);
    TMemoryStream Saved;
    Copy.SaveToStream(Saved);
    EXPECT_EQ(LiveGdiObjects(), Before) << "nothing so far needs GDI";

    Saved.SetPosition(0);
    TBitmap Reloaded;
    Reloaded.LoadFromStream(Saved);
    ExpectDrawn(Reloaded, 5, 3);
    EXPECT_GT(LiveGdiObjects(), Before) << "drawing makes the DIB section";
    EXPECT_NE(Copy.Handle(), nullptr);
    ExpectDrawn(Copy, 5, 3);
    const uint8_t* Moved = static_cast<const uint8_t*>(Copy.ScanLine(2));
    EXPECT_EQ(Moved[3 * 4 + 2] << 16 | Moved[3 * 4 + 1] << 8 | Moved[3 * 4], int(Colour(4, 2)))
        << "rows read from the DIB section once it exists";
}

TEST(BitmapData, ChangesBeforeTheHandleReachTheDrawnPixels)
{
    // Rows written in memory.
    TBitmap Mirrored;
    LoadFile(Mirrored, TrueColourPicture(4, 2));
    for (int Y = 0; Y < 2; ++Y) {
        auto* Row = static_cast<uint8_t*>(Mirrored.ScanLine(Y));
        for (int X = 0; X < 2; ++X)
            std::swap_ranges(Row + 3 * X, Row + 3 * X + 3, Row + 3 * (3 - X));
    }
    for (int X = 0; X < 4; ++X)
        EXPECT_EQ(Mirrored.Canvas()->Pixels(X, 1), AsTColor(Colour(3 - X, 1)));

    // A palette picture keeps its colours, also when converted or copied.
    TBitmap Indexed;
    LoadFile(Indexed, PalettePicture(6, 2));
    EXPECT_EQ(Indexed.PixelFormat(), pf8bit);
    TBitmap IndexedCopy;
    IndexedCopy.Assign(Indexed);
    ExpectDrawn(IndexedCopy, 6, 1);
    Indexed.SetPixelFormat(pf32bit);
    EXPECT_EQ(Indexed.BitCount(), 32);
    for (int X = 0; X < 6; ++X)
        EXPECT_EQ(static_cast<const uint32_t*>(Indexed.ScanLine(1))[X], Colour(X, 0));

    // Resizing keeps the top-left part; new pixels are black.
    TBitmap Grown;
    LoadFile(Grown, TrueColourPicture(3, 3));
    Grown.SetSize(4, 2);
    EXPECT_EQ(Grown.Canvas()->Pixels(2, 1), AsTColor(Colour(2, 1)));
    EXPECT_EQ(Grown.Canvas()->Pixels(3, 0), clBlack);

    // Loading again drops the old DIB section and its pixels.
    LoadFile(Grown, TrueColourPicture(2, 2));
    EXPECT_EQ(Grown.Width(), 2);
    ExpectDrawn(Grown, 2, 2);
}

TEST(BitmapData, DrawnOntoAnotherCanvasAsLoaded)
{
    TBitmap Picture, Target;
    LoadFile(Picture, TrueColourPicture(5, 4));
    Target.SetPixelFormat(pf24bit);
    Target.SetSize(7, 6);
    Target.Canvas()->Brush()->SetColor(clWhite);
    Target.Canvas()->FillRect(RECT{0, 0, 7, 6});
    Target.Canvas()->Draw(1, 2, Picture);
    EXPECT_EQ(Target.Canvas()->Pixels(1, 2), AsTColor(Colour(0, 0)));
    EXPECT_EQ(Target.Canvas()->Pixels(5, 5), AsTColor(Colour(4, 3)));
    EXPECT_EQ(Target.Canvas()->Pixels(0, 2), clWhite);

    // With the bottom-left pixel's colour transparent.
    TBitmap Sprite;
    LoadFile(Sprite, TrueColourPicture(5, 4));
    Sprite.SetTransparent(true);
    Target.Canvas()->FillRect(RECT{0, 0, 7, 6});
    Target.Canvas()->Draw(0, 0, Sprite);
    EXPECT_EQ(Target.Canvas()->Pixels(0, 3), clWhite);
    EXPECT_EQ(Target.Canvas()->Pixels(1, 3), AsTColor(Colour(1, 3)));
}
