// Mirrors and quarter turns of bitmaps, pixel by pixel.
#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BmpFile.h"
#include "skin/data/BitmapTransforms.h"
#include "tests/skin/SkinTestKit.h"

static void Fill(TBitmap& Bitmap, int W, int H, int Seed)
{
    const std::string Bytes = TestBmp(W, H, Seed);
    Bitmap.LoadFromImage(ReadBmpFile(reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size()));
}

TEST(BitmapTransforms, EachMovesEveryPixelWhereItBelongs)
{
    const int W = 64, H = 18;
    TBitmap B;
    Fill(B, W, H, 1);
    MirrorBitmap(B);
    TPixelImage I = B.ToImage();
    EXPECT_EQ(I.PixelRGB(0, 5), TestPixel(W - 1, 5, 1));
    EXPECT_EQ(I.PixelRGB(W - 1, H - 1), TestPixel(0, H - 1, 1));

    Fill(B, W, H, 1);
    FlipBitmap(B);
    I = B.ToImage();
    EXPECT_EQ(I.PixelRGB(3, 0), TestPixel(3, H - 1, 1));
    EXPECT_EQ(I.PixelRGB(W - 1, H - 1), TestPixel(W - 1, 0, 1));

    Fill(B, W, H, 1);
    RotateLeft(B);
    ASSERT_EQ(B.Width(), H);
    ASSERT_EQ(B.Height(), W);
    I = B.ToImage();
    EXPECT_EQ(I.PixelRGB(0, 0), TestPixel(W - 1, 0, 1));  // the top-right corner comes to the top left
    EXPECT_EQ(I.PixelRGB(5, W - 1 - 9), TestPixel(9, 5, 1));

    Fill(B, W, H, 1);
    RotateRight(B);
    I = B.ToImage();
    EXPECT_EQ(I.PixelRGB(H - 1 - 5, 9), TestPixel(9, 5, 1));
}

TEST(BitmapTransforms, PairsRestoreTheImage)
{
    TBitmap B, Original;
    Fill(Original, 64, 18, 2);
    const auto Same = [&] {
        const TPixelImage A = B.ToImage(), O = Original.ToImage();
        if (A.Width != O.Width || A.Height != O.Height)
            return false;
        for (int Y = 0; Y < A.Height; ++Y)
            for (int X = 0; X < A.Width; ++X)
                if (A.PixelRGB(X, Y) != O.PixelRGB(X, Y))
                    return false;
        return true;
    };
    Fill(B, 64, 18, 2);
    MirrorBitmap(B);
    MirrorBitmap(B);
    EXPECT_TRUE(Same());
    FlipBitmap(B);
    FlipBitmap(B);
    EXPECT_TRUE(Same());
    RotateLeft(B);
    RotateRight(B);
    EXPECT_TRUE(Same());

    // A 1 x 1 image and an 8-bit one (converted to 24 bits first).
    Fill(Original, 1, 1, 3);
    Fill(B, 1, 1, 3);
    for (auto* Op : {&MirrorBitmap, &FlipBitmap, &RotateLeft, &RotateRight})
        Op(B);
    EXPECT_TRUE(Same());
    Fill(B, 5, 3, 4);
    B.SetPixelFormat(pf8bit);
    MirrorBitmap(B);
    EXPECT_EQ(B.PixelFormat(), pf24bit);
    EXPECT_EQ(B.Width(), 5);
}
