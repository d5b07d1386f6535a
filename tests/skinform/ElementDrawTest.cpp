// The element-drawing routines on bitmaps whose parts and frames are flat, distinct colours:
// where each part lands, frames, transparency, strips, cells, tiles, regions, the scratch
// bitmap, and nonsense from skins.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <functional>
#include <memory>

#include "framework/graphics/GdiHolders.h"
#include "skin/data/SkinObjects.h"
#include "skin/form/ElementDraw.h"
#include "tests/skinform/GdiCount.h"
#include "tests/support/Capture.h"

namespace {

using TPaint = std::function<COLORREF(int X, int Y)>;

std::unique_ptr<TBitmap> Paint(int W, int H, const TPaint& Colour)
{
    auto B = std::make_unique<TBitmap>();
    B->SetSize(W, H);
    for (int Y = 0; Y < H; ++Y) {
        auto* Row = static_cast<uint32_t*>(B->ScanLine(Y));
        for (int X = 0; X < W; ++X) {
            const COLORREF C = Colour(X, Y);
            Row[X] = uint32_t(GetRValue(C)) << 16 | uint32_t(GetGValue(C)) << 8 | GetBValue(C);
        }
    }
    return B;
}

std::unique_ptr<TBitmap> Solid(int W, int H, COLORREF C)
{
    return Paint(W, H, [C](int, int) { return C; });
}

COLORREF At(TBitmap& B, int X, int Y)
{
    const uint32_t P = static_cast<const uint32_t*>(B.ScanLine(Y))[X];
    return RGB(P >> 16 & 0xFF, P >> 8 & 0xFF, P & 0xFF);
}

TCapture CaptureOf(TBitmap& B)
{
    TCapture C;
    C.Width = B.Width();
    C.Height = B.Height();
    for (int Y = 0; Y < B.Height(); ++Y)
        for (int X = 0; X < B.Width(); ++X) {
            const COLORREF P = At(B, X, Y);
            C.Rgb.insert(C.Rgb.end(), {GetRValue(P), GetGValue(P), GetBValue(P)});
        }
    return C;
}

// The test element: frames of 12 x 9 pixels cut with margins 3, 2, 4, 3 into nine parts
// numbered row by row (0 top-left ... 4 centre ... 8 bottom-right); the centre's first column
// is part 9, so tiles and stretches can be told apart.
constexpr int CellW = 12, CellH = 9;
const TMargins Cut{3, 2, 4, 3};

COLORREF PartColour(int Frame, int Part)
{
    return RGB(10 + 24 * Part, 60 * Frame, 30);
}

int PartAt(int X, int Y)
{
    if (X == Cut.Left && Y >= Cut.Top && Y < CellH - Cut.Bottom)
        return 9;
    const int Col = X < Cut.Left ? 0 : X < CellW - Cut.Right ? 1 : 2;
    const int Row = Y < Cut.Top ? 0 : Y < CellH - Cut.Bottom ? 1 : 2;
    return Row * 3 + Col;
}

std::unique_ptr<TBitmap> NinePartBitmap(int Frames, bool Vertical)
{
    return Paint(Vertical ? CellW : CellW * Frames, Vertical ? CellH * Frames : CellH, [=](int X, int Y) {
        return PartColour(1 + (Vertical ? Y / CellH : X / CellW), PartAt(X % CellW, Y % CellH));
    });
}

// Checks a 40 x 30 result built from frame Frame of the test element, at (DX, DY) of Target.
void ExpectNineParts(TBitmap& Target, int DX, int DY, int Frame, bool Tiled)
{
    const auto Part = [&](int X, int Y) { return At(Target, DX + X, DY + Y); };
    const auto C = [&](int P) { return PartColour(Frame, P); };
    // Corners at their own size.
    EXPECT_EQ(Part(0, 0), C(0));
    EXPECT_EQ(Part(2, 1), C(0));
    EXPECT_EQ(Part(36, 0), C(2));
    EXPECT_EQ(Part(39, 1), C(2));
    EXPECT_EQ(Part(0, 27), C(6));
    EXPECT_EQ(Part(2, 29), C(6));
    EXPECT_EQ(Part(36, 27), C(8));
    EXPECT_EQ(Part(39, 29), C(8));
    // Edges stretched along their length.
    EXPECT_EQ(Part(3, 0), C(1));
    EXPECT_EQ(Part(35, 1), C(1));
    EXPECT_EQ(Part(0, 2), C(3));
    EXPECT_EQ(Part(2, 26), C(3));
    EXPECT_EQ(Part(36, 2), C(5));
    EXPECT_EQ(Part(39, 26), C(5));
    EXPECT_EQ(Part(3, 27), C(7));
    EXPECT_EQ(Part(35, 29), C(7));
    // Centre (33 x 25 at 3, 2, source 5 x 4 with its first column marked).
    if (Tiled) {
        for (int X = 3; X < 36; ++X)
            EXPECT_EQ(Part(X, 10), C((X - 3) % 5 == 0 ? 9 : 4)) << "x " << X;
    } else {
        EXPECT_EQ(Part(3, 2), C(9));
        EXPECT_EQ(Part(8, 26), C(9));
        EXPECT_EQ(Part(11, 10), C(4));
        EXPECT_EQ(Part(35, 26), C(4));
    }
}

const RECT Rect40x30{0, 0, 40, 30};

}  // namespace

TEST(ElementDraw, NinePartsLandWhereTheyBelong)
{
    const auto Across = NinePartBitmap(2, false);
    auto Built = BuildElementBitmap(Rect40x30, *Across, Cut, false, false, 2, 2);
    ASSERT_TRUE(Built);
    EXPECT_EQ(Built->Width(), 40);
    EXPECT_EQ(Built->Height(), 30);
    ExpectNineParts(*Built, 0, 0, 2, false);
    CaptureOf(*Built).SavePng("element-stretched.png");

    Built = BuildElementBitmap(RECT{100, 50, 140, 80}, *Across, Cut, false, true, 2, 1);
    ASSERT_TRUE(Built);
    ExpectNineParts(*Built, 0, 0, 1, true);

    // Frames one above the other.
    const auto Stacked = NinePartBitmap(3, true);
    Built = BuildElementBitmap(Rect40x30, *Stacked, Cut, true, true, 3, 3);
    ASSERT_TRUE(Built);
    ExpectNineParts(*Built, 0, 0, 3, true);

    // A destination narrower than left + right margin drops both; the vertical pair stays.
    Built = BuildElementBitmap(RECT{0, 0, 6, 30}, *Across, Cut, false, false, 2, 1);
    ASSERT_TRUE(Built);
    EXPECT_EQ(At(*Built, 0, 0), PartColour(1, 0));   // the top edge starts with the left corner's columns
    EXPECT_EQ(At(*Built, 5, 0), PartColour(1, 2));
    EXPECT_EQ(At(*Built, 0, 29), PartColour(1, 6));
    EXPECT_EQ(At(*Built, 5, 15), PartColour(1, 5));
}

TEST(ElementDraw, DrawElementCopiesOrKeepsTheBackgroundUnderMagenta)
{
    // The element: frame 1 green with a magenta top-left corner, frame 2 blue.
    const auto Bitmap = Paint(2 * CellW, CellH, [](int X, int Y) {
        if (X >= CellW)
            return RGB(0, 0, 200);
        return X < Cut.Left && Y < Cut.Top ? SkinKeyColour : RGB(0, 200, 0);
    });
    TDataSkinObject Element("Test");
    Element.Bitmap->Assign(*Bitmap);
    Element.LeftWidth = Cut.Left;
    Element.TopHeight = Cut.Top;
    Element.RightWidth = Cut.Right;
    Element.BottomHeight = Cut.Bottom;

    const auto Target = Solid(60, 40, RGB(90, 90, 90));
    const HDC DC = Target->Canvas()->Handle();
    const RECT R{10, 5, 50, 35};
    Element.Trans = 1;
    DrawElement(DC, R, Element, 2, 1);
    EXPECT_EQ(At(*Target, 10, 5), RGB(90, 90, 90));   // magenta corner: background
    EXPECT_EQ(At(*Target, 12, 6), RGB(90, 90, 90));
    EXPECT_EQ(At(*Target, 13, 5), RGB(0, 200, 0));
    EXPECT_EQ(At(*Target, 49, 34), RGB(0, 200, 0));
    EXPECT_EQ(At(*Target, 9, 5), RGB(90, 90, 90));    // nothing outside the rectangle
    EXPECT_EQ(At(*Target, 50, 35), RGB(90, 90, 90));
    CaptureOf(*Target).SavePng("element-transparent.png");

    Element.Trans = 2;  // only 1 means transparent
    DrawElement(DC, R, Element, 2, 1);
    EXPECT_EQ(At(*Target, 10, 5), SkinKeyColour);
    DrawElement(DC, R, Element, 2, 2);
    EXPECT_EQ(At(*Target, 10, 5), RGB(0, 0, 200));

    // Stretched transparently: a 2 x 2 bitmap with one magenta pixel over 20 x 20.
    const auto Quad = Paint(2, 2, [](int X, int Y) { return X == 1 && Y == 1 ? SkinKeyColour : RGB(200, 0, 0); });
    DrawTransparent(DC, RECT{0, 0, 20, 20}, *Quad, SkinKeyColour);
    EXPECT_EQ(At(*Target, 5, 5), RGB(200, 0, 0));
    EXPECT_EQ(At(*Target, 15, 5), RGB(200, 0, 0));
    EXPECT_EQ(At(*Target, 15, 15), RGB(0, 0, 200));  // the element's frame 2 drawn before
    EXPECT_EQ(At(*Target, 19, 19), RGB(0, 0, 200));
}

TEST(ElementDraw, StripRepeatsItsMiddleBetweenTheCaps)
{
    // Two frames one above the other, 10 x 6 each: left cap 2, middle 5 (first column
    // marked), right cap 3; the upper half of each frame is lighter.
    const auto Part = [](int X) { return X < 2 ? 0 : X == 2 ? 1 : X < 7 ? 2 : 3; };
    const auto Colour = [](int Frame, int Part, bool Upper) {
        return RGB(40 + 50 * Part, 70 * Frame, Upper ? 20 : 120);
    };
    const auto Bitmap = Paint(10, 12, [&](int X, int Y) { return Colour(1 + Y / 6, Part(X), Y % 6 < 3); });
    const auto Target = Solid(60, 30, RGB(90, 90, 90));
    const RECT R{5, 5, 45, 17};  // 40 x 12
    DrawElementStrip(*Target->Canvas(), R, *Bitmap, TMargins{2, 0, 3, 0}, 2, 2, false, true);
    CaptureOf(*Target).SavePng("element-strip.png");
    const auto Strip = [&](int X, int Y) { return At(*Target, 5 + X, 5 + Y); };
    EXPECT_EQ(Strip(0, 0), Colour(2, 0, true));
    EXPECT_EQ(Strip(1, 11), Colour(2, 0, false));
    EXPECT_EQ(Strip(1, 5), Colour(2, 0, true));   // stretched to twice the height
    EXPECT_EQ(Strip(1, 6), Colour(2, 0, false));
    for (int X = 2; X < 37; ++X)
        EXPECT_EQ(Strip(X, 8), Colour(2, (X - 2) % 5 == 0 ? 1 : 2, false)) << "x " << X;
    EXPECT_EQ(Strip(37, 0), Colour(2, 3, true));
    EXPECT_EQ(Strip(39, 11), Colour(2, 3, false));
    EXPECT_EQ(At(*Target, 45, 10), RGB(90, 90, 90));

    // Frames side by side, transparent: magenta keeps the background.
    const auto Keyed = Paint(8, 4, [](int X, int) { return X == 1 || X == 5 ? SkinKeyColour : RGB(0, 0, 150); });
    DrawElementStrip(*Target->Canvas(), RECT{0, 20, 30, 30}, *Keyed, TMargins{1, 0, 1, 0}, 2, 2, true, false);
    EXPECT_EQ(At(*Target, 0, 25), RGB(0, 0, 150));
    EXPECT_EQ(At(*Target, 1, 25), RGB(90, 90, 90));  // frame 2's middle starts with magenta
    EXPECT_EQ(At(*Target, 2, 25), RGB(0, 0, 150));
    EXPECT_EQ(At(*Target, 3, 25), RGB(90, 90, 90));
    EXPECT_EQ(At(*Target, 29, 25), RGB(0, 0, 150));
}

TEST(ElementDraw, FrameCellsAndDirectFrames)
{
    const auto Target = Solid(60, 40, RGB(90, 90, 90));
    const HDC DC = Target->Canvas()->Handle();

    // Three 4 x 4 cells side by side, the third with a magenta right half.
    const auto Cells = Paint(12, 4, [](int X, int) {
        return X >= 10 ? SkinKeyColour : RGB(50 * (1 + X / 4), 0, 0);
    });
    DrawFrameCell(DC, RECT{0, 0, 8, 8}, *Cells, false, 3, 2);
    EXPECT_EQ(At(*Target, 0, 0), RGB(100, 0, 0));
    EXPECT_EQ(At(*Target, 7, 7), RGB(100, 0, 0));
    EXPECT_EQ(At(*Target, 8, 8), RGB(90, 90, 90));
    DrawFrameCell(DC, RECT{20, 0, 28, 8}, *Cells, true, 3, 3);
    EXPECT_EQ(At(*Target, 23, 4), RGB(150, 0, 0));
    EXPECT_EQ(At(*Target, 24, 4), RGB(90, 90, 90));
    DrawFrameCell(DC, RECT{30, 0, 34, 4}, *Cells, true, 3, 3);  // at its own size
    EXPECT_EQ(At(*Target, 31, 1), RGB(150, 0, 0));
    EXPECT_EQ(At(*Target, 32, 1), RGB(90, 90, 90));

    // Corners and edges onto the DC; the centre stays as it was.
    const auto Across = NinePartBitmap(2, false);
    const auto Direct = Solid(60, 40, RGB(90, 90, 90));
    DrawElementDirect(Direct->Canvas()->Handle(), RECT{10, 5, 50, 35}, *Across, false, 2, 2, Cut);
    EXPECT_EQ(At(*Direct, 10, 5), PartColour(2, 0));
    EXPECT_EQ(At(*Direct, 49, 34), PartColour(2, 8));
    EXPECT_EQ(At(*Direct, 13, 5), PartColour(2, 1));
    EXPECT_EQ(At(*Direct, 10, 20), PartColour(2, 3));
    EXPECT_EQ(At(*Direct, 47, 20), PartColour(2, 5));
    EXPECT_EQ(At(*Direct, 30, 33), PartColour(2, 7));
    EXPECT_EQ(At(*Direct, 13, 7), RGB(90, 90, 90));
    EXPECT_EQ(At(*Direct, 45, 31), RGB(90, 90, 90));
    EXPECT_EQ(GetStretchBltMode(Direct->Canvas()->Handle()), BLACKONWHITE);  // given back
}

TEST(ElementDraw, TileBitmapStartsAtTheDestinationAndStaysInside)
{
    const auto Source = Paint(6, 4, [](int X, int Y) { return RGB(20 * X, 30 * Y, 200); });
    const auto Target = Solid(50, 30, RGB(90, 90, 90));
    const RECT Dest{7, 3, 32, 20};  // 25 x 17: doubling 3 x 2 tiles leaves one column and one row
    TileBitmap(*Target->Canvas(), Dest, *Source, RECT{2, 1, 5, 3});  // a 3 x 2 piece
    for (int Y = 0; Y < 30; ++Y)
        for (int X = 0; X < 50; ++X) {
            const bool Inside = X >= Dest.left && X < Dest.right && Y >= Dest.top && Y < Dest.bottom;
            const COLORREF Want =
                Inside ? RGB(20 * (2 + (X - Dest.left) % 3), 30 * (1 + (Y - Dest.top) % 2), 200) : RGB(90, 90, 90);
            ASSERT_EQ(At(*Target, X, Y), Want) << X << ", " << Y;
        }
}

TEST(ElementDraw, RegionsFollowTheNonKeyPixels)
{
    const auto Rects = [](HRGN Region) {
        const DWORD Size = GetRegionData(Region, 0, nullptr);
        std::vector<uint8_t> Data(Size);
        GetRegionData(Region, Size, reinterpret_cast<RGNDATA*>(Data.data()));
        return reinterpret_cast<RGNDATA*>(Data.data())->rdh.nCount;
    };
    // Row 0: two runs; row 1: none; row 2: one run; near-magenta pixels by the tolerance.
    const auto Bitmap = Paint(6, 3, [](int X, int Y) {
        static const COLORREF M = SkinKeyColour, G = RGB(0, 99, 0);
        static const COLORREF Rows[3][6] = {{G, G, M, G, M, M}, {M, M, M, M, M, M}, {M, RGB(255, 1, 255), G, G, G, M}};
        return Rows[Y][X];
    });
    TRegionHandle Region(RegionFromBitmap(*Bitmap, 10, 20, 1, 1, 1, SkinKeyColour));
    EXPECT_EQ(Rects(Region.Get()), 3u);  // the tolerance makes (255, 1, 255) transparent
    const bool Expected[3][6] = {{1, 1, 0, 1, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 1, 1, 1, 0}};
    for (int Y = 0; Y < 3; ++Y)
        for (int X = 0; X < 6; ++X)
            EXPECT_EQ(bool(PtInRegion(Region.Get(), X + 10, Y + 20)), Expected[Y][X]) << X << ", " << Y;
    Region.Reset(RegionFromBitmap(*Bitmap, 0, 0, 0, 0, 0, SkinKeyColour));
    EXPECT_TRUE(PtInRegion(Region.Get(), 1, 2));

    // Tolerances only reach upwards from the key: key (250, 0, 250) with 5 each.
    const auto Near = Paint(5, 1, [](int X, int) {
        static const COLORREF Row[5] = {RGB(255, 0, 255), RGB(249, 0, 250), RGB(250, 6, 250), RGB(250, 5, 250),
                                        RGB(250, 0, 249)};
        return Row[X];
    });
    Region.Reset(RegionFromBitmap(*Near, 0, 0, 5, 5, 5, RGB(250, 0, 250)));
    const bool NearExpected[5] = {0, 1, 1, 0, 1};
    for (int X = 0; X < 5; ++X)
        EXPECT_EQ(bool(PtInRegion(Region.Get(), X, 0)), NearExpected[X]) << X;

    // More than 2000 runs: every other pixel, 100 x 50 = 2500 runs; a 24-bit copy gives the
    // same region and is left in its format.
    const auto Comb = Paint(100, 50, [](int X, int Y) { return (X + Y) % 2 ? SkinKeyColour : RGB(1, 2, 3); });
    TBitmap Comb24;
    Comb24.Assign(*Comb);
    Comb24.SetPixelFormat(pf24bit);
    for (TBitmap* B : {Comb.get(), &Comb24}) {
        Region.Reset(RegionFromBitmap(*B, -1, 2, 1, 1, 1, SkinKeyColour));
        int Inside = 0;
        for (int Y = 0; Y < 50; ++Y)
            for (int X = 0; X < 100; ++X) {
                Inside += PtInRegion(Region.Get(), X - 1, Y + 2) != 0;
                ASSERT_EQ(bool(PtInRegion(Region.Get(), X - 1, Y + 2)), (X + Y) % 2 == 0) << X << ", " << Y;
            }
        EXPECT_EQ(Inside, 2500);
    }
    EXPECT_EQ(Comb24.BitCount(), 24);

    // All key colour, or nothing at all: an empty region.
    RECT Box;
    Region.Reset(RegionFromBitmap(*Solid(30, 30, SkinKeyColour), 0, 0, 1, 1, 1, SkinKeyColour));
    EXPECT_EQ(GetRgnBox(Region.Get(), &Box), NULLREGION);
    TBitmap Empty;
    Region.Reset(RegionFromBitmap(Empty, 0, 0, 1, 1, 1, SkinKeyColour));
    ASSERT_TRUE(Region);
    EXPECT_EQ(GetRgnBox(Region.Get(), &Box), NULLREGION);
}

TEST(ElementDraw, ScratchBitmapLivesWhileItHasUsers)
{
    EXPECT_EQ(ScratchBitmap(), nullptr);
    StartScratchBitmap();
    TBitmap* First = ScratchBitmap();
    ASSERT_NE(First, nullptr);
    EXPECT_EQ(GetStretchBltMode(First->Canvas()->Handle()), COLORONCOLOR);
    First->SetSize(30, 10);
    EXPECT_EQ(GetStretchBltMode(First->Canvas()->Handle()), COLORONCOLOR);  // the DC keeps its mode
    StartScratchBitmap();
    EndScratchBitmap();
    EXPECT_EQ(ScratchBitmap(), First);
    EndScratchBitmap();
    EXPECT_EQ(ScratchBitmap(), nullptr);
    EndScratchBitmap();  // one end too many does not hide the next start
    StartScratchBitmap();
    EXPECT_NE(ScratchBitmap(), nullptr);
    EndScratchBitmap();
    EXPECT_EQ(ScratchBitmap(), nullptr);
}

TEST(ElementDraw, NonsenseDrawsWhatFitsOrNothing)
{
    const auto Across = NinePartBitmap(2, false);
    // Frame counts below 1 count as 1 (the whole bitmap is the frame); frames are clamped.
    auto Built = BuildElementBitmap(Rect40x30, *Across, TMargins{}, false, false, 0, 1);
    ASSERT_TRUE(Built);
    EXPECT_EQ(At(*Built, 39, 15), PartColour(2, 5));
    Built = BuildElementBitmap(Rect40x30, *Across, TMargins{}, false, false, -3, 5);
    ASSERT_TRUE(Built);
    EXPECT_EQ(At(*Built, 39, 15), PartColour(2, 5));
    Built = BuildElementBitmap(Rect40x30, *Across, Cut, false, false, 2, 99);
    ASSERT_TRUE(Built);
    ExpectNineParts(*Built, 0, 0, 2, false);
    Built = BuildElementBitmap(Rect40x30, *Across, Cut, false, false, 2, -7);
    ASSERT_TRUE(Built);
    ExpectNineParts(*Built, 0, 0, 1, false);
    // More frames than columns: no cell, nothing built or drawn.
    EXPECT_FALSE(BuildElementBitmap(Rect40x30, *Across, Cut, false, false, 1000, 1));
    EXPECT_FALSE(BuildElementBitmap(Rect40x30, *Across, Cut, true, false, 10, 1));

    // Negative margins count as 0; a pair wider than the cell counts as 0.
    Built = BuildElementBitmap(Rect40x30, *Across, TMargins{-5, -5, -5, -5}, false, false, 2, 1);
    ASSERT_TRUE(Built);
    EXPECT_EQ(At(*Built, 0, 0), PartColour(1, 0));
    EXPECT_EQ(At(*Built, 39, 29), PartColour(1, 8));
    Built = BuildElementBitmap(Rect40x30, *Across, TMargins{INT_MAX, 2, INT_MAX, 3}, false, false, 2, 1);
    ASSERT_TRUE(Built);
    EXPECT_EQ(At(*Built, 0, 0), PartColour(1, 0));
    EXPECT_EQ(At(*Built, 20, 0), PartColour(1, 1));  // the top edge stretched over the width
    EXPECT_EQ(At(*Built, 39, 29), PartColour(1, 8));

    // Empty and 1 x 1 bitmaps; empty, inverted and absurd rectangles.
    TBitmap Empty;
    EXPECT_FALSE(BuildElementBitmap(Rect40x30, Empty, Cut, false, true, 1, 1));
    const auto Dot = Solid(1, 1, RGB(7, 8, 9));
    Built = BuildElementBitmap(Rect40x30, *Dot, Cut, false, true, 1, 1);
    ASSERT_TRUE(Built);
    EXPECT_EQ(At(*Built, 0, 0), RGB(7, 8, 9));
    EXPECT_EQ(At(*Built, 39, 29), RGB(7, 8, 9));
    for (const RECT& R : {RECT{0, 0, 0, 10}, RECT{5, 5, 4, 6}, RECT{0, 10, 10, 0}, RECT{0, 0, 1000000, 1000},
                          RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, RECT{INT_MAX, 0, INT_MIN, 5}})
        EXPECT_FALSE(BuildElementBitmap(R, *Across, Cut, false, true, 2, 1));
    const DWORD Start = GetTickCount();
    Built = BuildElementBitmap(RECT{0, 0, 5000, 5000}, *Dot, TMargins{}, false, true, 1, 1);
    ASSERT_TRUE(Built);
    EXPECT_EQ(At(*Built, 4999, 4999), RGB(7, 8, 9));
    Built = BuildElementBitmap(RECT{0, 0, 1000000, 8}, *Across, Cut, false, true, 2, 2);
    ASSERT_TRUE(Built);
    EXPECT_EQ(At(*Built, 999999, 7), PartColour(2, 8));
    Built.reset();
    EXPECT_LT(GetTickCount() - Start, 10000u);

    // The drawing routines take the same nonsense without drawing outside the rectangle.
    const auto Target = Solid(20, 20, RGB(90, 90, 90));
    const HDC DC = Target->Canvas()->Handle();
    for (int Count : {INT_MIN, -1, 0, 1, 3, 25, INT_MAX})
        for (int Frame : {INT_MIN, 0, 1, 2, 30, INT_MAX})
            for (const TMargins& M : {TMargins{}, TMargins{-9, -9, -9, -9},
                                      TMargins{INT_MAX, INT_MAX, INT_MAX, INT_MAX}, TMargins{30, 1, 30, 1}})
                for (const RECT& R : {RECT{2, 2, 18, 18}, RECT{18, 18, 2, 2}, RECT{2, 2, 2, 18}}) {
                    DrawElement(DC, R, *Across, false, true, true, Count, Frame, M);
                    DrawElement(DC, R, *Across, true, false, false, Count, Frame, M);
                    DrawElementStrip(*Target->Canvas(), R, *Across, M, Frame, Count, true, false);
                    DrawElementStrip(*Target->Canvas(), R, *Dot, M, Frame, Count, false, true);
                    DrawFrameCell(DC, R, *Across, true, Count, Frame);
                    DrawElementDirect(DC, R, *Across, true, Count, Frame, M);
                    DrawElement(DC, R, Empty, false, true, true, Count, Frame, M);
                }
    for (int I = 0; I < 20; ++I) {
        EXPECT_EQ(At(*Target, I, 0), RGB(90, 90, 90));
        EXPECT_EQ(At(*Target, 0, I), RGB(90, 90, 90));
        EXPECT_EQ(At(*Target, I, 19), RGB(90, 90, 90));
        EXPECT_EQ(At(*Target, 19, I), RGB(90, 90, 90));
    }
    DrawTransparent(DC, RECT{0, 0, 20, 20}, Empty, SkinKeyColour);
    DrawTransparent(DC, RECT{0, 0, 1000000, 1000000}, *Dot, SkinKeyColour);
    TileBitmap(*Target->Canvas(), RECT{0, 0, 20, 20}, *Dot, RECT{5, 5, 9, 9});  // outside the bitmap
    TileBitmap(*Target->Canvas(), RECT{0, 0, 20, 20}, Empty, RECT{0, 0, 1, 1});
    EXPECT_EQ(At(*Target, 0, 0), RGB(90, 90, 90));
    TDataSkinObject NoImage("None");
    DrawElement(DC, RECT{0, 0, 20, 20}, NoImage, 1, 1);
    EXPECT_EQ(At(*Target, 0, 0), RGB(90, 90, 90));
}

TEST(ElementDraw, NothingLeaks)
{
    // GDI objects of the process before and after many calls of every routine.
    const auto Across = NinePartBitmap(2, false);
    const auto Target = Solid(60, 40, RGB(90, 90, 90));
    const HDC DC = Target->Canvas()->Handle();
    TDataSkinObject Element("Leak");
    Element.Bitmap->Assign(*Across);
    Element.Trans = 1;
    Element.Tile = 1;
    const auto Round = [&] {
        DrawElement(DC, RECT{1, 1, 50, 30}, Element, 2, 1);
        DrawElementStrip(*Target->Canvas(), RECT{1, 1, 50, 30}, *Across, Cut, 1, 2, true, false);
        DrawFrameCell(DC, RECT{1, 1, 50, 30}, *Across, true, 2, 2);
        DrawElementDirect(DC, RECT{1, 1, 50, 30}, *Across, false, 2, 2, Cut);
        TileBitmap(*Target->Canvas(), RECT{1, 1, 50, 30}, *Across, RECT{0, 0, 5, 5});
        DeleteObject(RegionFromBitmap(*Across, 0, 0, 1, 1, 1, SkinKeyColour));
        DrawElement(DC, RECT{0, 0, 1000000, 1000}, Element, 2, 1);
        DrawElement(DC, RECT{1, 1, 50, 30}, Element, 1000, 1);
        DrawFrameCell(DC, RECT{1, 1, 50, 30}, *Across, true, 0, 7);
    };
    Round();
    const int Before = LiveGdiObjects();
    ASSERT_GT(Before, 0);
    for (int I = 0; I < 50; ++I)
        Round();
    EXPECT_EQ(LiveGdiObjects(), Before);
}
