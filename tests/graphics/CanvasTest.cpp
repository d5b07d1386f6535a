// Canvases and bitmaps under Wine: drawing into DIB sections and reading the pixels back
// through the row access, pixel formats, BMP streams, transparency, fonts that change while
// a canvas is bound, and giving a DC back in the state it was bound in.

#include "framework/core/Stream.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/ImageList.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// 0x00BBGGRR, like GetPixel.
TColor RowPixel(TBitmap& B, int X, int Y)
{
    const uint8_t* P = static_cast<const uint8_t*>(B.ScanLine(Y)) + X * (B.BitCount() / 8);
    return RGBToColor(P[2], P[1], P[0]);
}

void Fill(TBitmap& B, TColor Color, const RECT& R)
{
    B.Canvas()->Brush()->SetColor(Color);
    B.Canvas()->FillRect(R);
}

void MakeBitmap(TBitmap& B, TPixelFormat Format, int W, int H, TColor Color)
{
    B.SetPixelFormat(Format);
    B.SetSize(W, H);
    Fill(B, Color, RECT{0, 0, W, H});
}

}  // namespace

TEST(Bitmap, RowsStartAtTheTopInEveryFormat)
{
    for (TPixelFormat Format : {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit, pfDevice}) {
        SCOPED_TRACE(GetEnumName(EnumTypeInfo(Format), Format));
        TBitmap B;
        MakeBitmap(B, Format, 9, 5, clBlack);
        B.Canvas()->SetPixels(0, 0, clWhite);
        B.Canvas()->SetPixels(8, 4, clWhite);
        const TPixelImage Image = B.ToImage();
        EXPECT_EQ(Image.BitCount, B.BitCount());
        EXPECT_EQ(Image.PixelRGB(0, 0), 0xFFFFFFu);
        EXPECT_EQ(Image.PixelRGB(1, 0), 0u);
        EXPECT_EQ(Image.PixelRGB(8, 4), 0xFFFFFFu);
        EXPECT_EQ(std::memcmp(B.ScanLine(0), Image.Row(0), Image.RowBytes()), 0);
        EXPECT_THROW(B.ScanLine(5), EInvalidGraphic);
        EXPECT_THROW(B.ScanLine(-1), EInvalidGraphic);
    }
}

TEST(Bitmap, ResizingAndConvertingKeepThePicture)
{
    TBitmap B;
    MakeBitmap(B, pf24bit, 4, 4, clRed);
    Fill(B, clBlue, RECT{2, 2, 4, 4});
    B.SetSize(6, 3);
    EXPECT_EQ(RowPixel(B, 0, 0), clRed);
    EXPECT_EQ(RowPixel(B, 3, 2), clBlue) << "the top-left part stays in place";
    EXPECT_EQ(RowPixel(B, 5, 0), clBlack) << "new pixels";

    B.SetPixelFormat(pf8bit);
    EXPECT_EQ(B.BitCount(), 8);
    EXPECT_EQ(B.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(B.Canvas()->Pixels(3, 2), clBlue);
    B.SetPixelFormat(pf32bit);
    EXPECT_EQ(RowPixel(B, 3, 2), clBlue);

    TBitmap Copy;
    Copy.Assign(B);
    Fill(B, clLime, RECT{0, 0, 6, 3});
    EXPECT_EQ(RowPixel(Copy, 3, 2), clBlue) << "a copy does not share pixels";
    EXPECT_EQ(Copy.PixelFormat(), pf32bit);

    B.SetSize(0, 5);
    EXPECT_TRUE(B.Empty());
    EXPECT_EQ(B.Handle(), nullptr);
}

TEST(Bitmap, StreamsRoundTripInEveryFormat)
{
    for (TPixelFormat Format : {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit}) {
        SCOPED_TRACE(GetEnumName(EnumTypeInfo(Format), Format));
        TBitmap B;
        MakeBitmap(B, Format, 7, 3, clWhite);
        B.Canvas()->SetPixels(1, 1, clBlack);
        TMemoryStream Stream;
        B.SaveToStream(Stream);
        Stream.SetPosition(0);
        TBitmap Loaded;
        Loaded.LoadFromStream(Stream);
        EXPECT_EQ(Loaded.PixelFormat(), Format);
        EXPECT_EQ(Loaded.Width(), 7);
        EXPECT_EQ(Loaded.Canvas()->Pixels(1, 1), clBlack);
        EXPECT_EQ(Loaded.Canvas()->Pixels(2, 1), clWhite);
    }
    TMemoryStream Empty;
    TBitmap B;
    B.LoadFromStream(Empty);
    EXPECT_TRUE(B.Empty()) << "an empty stream is an empty bitmap";
}

TEST(Bitmap, TransparentColourLeavesTheBackground)
{
    TBitmap Sprite;
    MakeBitmap(Sprite, pf24bit, 4, 4, clFuchsia);
    Fill(Sprite, clBlue, RECT{1, 1, 3, 3});
    Sprite.SetTransparent(true);
    EXPECT_EQ(Sprite.TransparentColor(), clFuchsia) << "the bottom-left pixel by default";

    TBitmap Target;
    MakeBitmap(Target, pf24bit, 12, 12, clWhite);
    Target.Canvas()->StretchDraw(RECT{0, 0, 8, 8}, Sprite);
    EXPECT_EQ(RowPixel(Target, 0, 0), clWhite);
    EXPECT_EQ(RowPixel(Target, 3, 3), clBlue);
    EXPECT_EQ(RowPixel(Target, 7, 7), clWhite);

    Sprite.SetTransparentColor(clBlue);
    Target.Canvas()->Draw(8, 8, Sprite);
    EXPECT_EQ(RowPixel(Target, 8, 8), clFuchsia);
    EXPECT_EQ(RowPixel(Target, 9, 9), clWhite);

    Sprite.SetTransparent(false);
    Target.Canvas()->SetCopyMode(NOTSRCCOPY);
    Target.Canvas()->Draw(0, 0, Sprite);
    EXPECT_EQ(RowPixel(Target, 0, 0), clLime) << "drawn with the canvas's copy mode";
}

TEST(Canvas, DrawsShapesLinesAndCopies)
{
    TBitmap B;
    MakeBitmap(B, pf32bit, 20, 20, clWhite);
    TCanvas& C = *B.Canvas();
    C.Pen()->SetColor(clRed);
    C.Brush()->SetColor(clBlue);
    C.Rectangle(0, 0, 5, 5);
    EXPECT_EQ(C.Pixels(0, 0), clRed);
    EXPECT_EQ(C.Pixels(2, 2), clBlue);
    EXPECT_EQ(C.Pixels(5, 5), clWhite) << "right and bottom are exclusive";

    C.Brush()->SetColor(clLime);
    C.FrameRect(RECT{6, 0, 10, 4});
    EXPECT_EQ(C.Pixels(6, 0), clLime);
    EXPECT_EQ(C.Pixels(7, 1), clWhite);

    C.MoveTo(0, 10);
    C.LineTo(20, 10);
    EXPECT_EQ(C.Pixels(19, 10), clRed);
    EXPECT_EQ(C.PenPos().x, 20);
    const POINT Corner[] = {{12, 12}, {12, 18}, {18, 18}};
    C.Polyline(Corner, 3);
    EXPECT_EQ(C.Pixels(12, 15), clRed);
    EXPECT_EQ(C.Pixels(15, 18), clRed);
    EXPECT_EQ(C.Pixels(18, 18), clWhite) << "the last point is not drawn";

    TBitmap Copy;
    MakeBitmap(Copy, pf24bit, 10, 10, clBlack);
    Copy.Canvas()->CopyRect(RECT{0, 0, 10, 10}, C, RECT{0, 0, 5, 5});
    EXPECT_EQ(Copy.Canvas()->Pixels(5, 5), clBlue) << "stretched twice";
}

TEST(Canvas, TextFollowsFontChangesAndClearBrush)
{
    TBitmap B;
    MakeBitmap(B, pf24bit, 200, 40, clWhite);
    TCanvas& C = *B.Canvas();
    C.Font()->SetHeight(-12);
    const int Small = C.TextHeight("汉字");
    const int Narrow = C.TextWidth("汉");
    EXPECT_GT(Narrow, 0);
    EXPECT_GT(C.TextWidth("汉字汉字"), 3 * Narrow);
    C.Font()->SetHeight(-24);
    EXPECT_GT(C.TextHeight("汉字"), Small + 8) << "a font changed while bound is used at once";

    C.Font()->SetColor(clRed);
    Fill(B, clLime, RECT{0, 0, 200, 40});
    C.Brush()->SetColor(clWhite);
    C.Brush()->SetStyle(bsClear);
    C.TextOut(0, 0, "汉汉汉");
    int Red = 0, White = 0;
    for (int X = 0; X < 80; ++X)
        for (int Y = 0; Y < 30; ++Y) {
            Red += C.Pixels(X, Y) == clRed;
            White += C.Pixels(X, Y) == clWhite;
        }
    EXPECT_GT(Red, 20);
    EXPECT_EQ(White, 0) << "a clear brush paints no text background";

    RECT R{0, 0, 0, 0};
    C.DrawText("汉字", R, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(R.right, C.TextWidth("汉字"));
}

TEST(Canvas, UnbindingGivesTheDCItsOwnObjectsBack)
{
    const HDC DC = CreateCompatibleDC(nullptr);
    const HGDIOBJ OwnFont = GetCurrentObject(DC, OBJ_FONT);
    const HGDIOBJ OwnBrush = GetCurrentObject(DC, OBJ_BRUSH);
    {
        TCanvas C;
        C.SetHandle(DC);
        C.Font()->SetName("SimSun");
        C.Brush()->SetColor(clRed);
        EXPECT_GT(C.TextWidth("x"), 0);
        C.Handle();
        EXPECT_NE(GetCurrentObject(DC, OBJ_FONT), OwnFont);
        EXPECT_EQ(GetCurrentObject(DC, OBJ_BRUSH), C.Brush()->Handle());
        C.SetHandle(nullptr);
        EXPECT_EQ(GetCurrentObject(DC, OBJ_FONT), OwnFont);
        EXPECT_EQ(GetCurrentObject(DC, OBJ_BRUSH), OwnBrush);

        TCanvas Unbound;
        EXPECT_THROW(Unbound.FillRect(RECT{0, 0, 1, 1}), EInvalidOperation);
    }
    DeleteDC(DC);
}

TEST(Canvas, PatternBrushDithers)
{
    TBitmap B;
    MakeBitmap(B, pf24bit, 8, 8, clWhite);
    TBitmap* Pattern = AllocPatternBitmap(clBtnFace, clRed);
    EXPECT_EQ(AllocPatternBitmap(clBtnFace, clRed), Pattern) << "made once per colour pair";
    B.Canvas()->Brush()->SetBitmap(Pattern);
    B.Canvas()->FillRect(RECT{0, 0, 8, 8});
    EXPECT_EQ(B.Canvas()->Pixels(0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(B.Canvas()->Pixels(1, 0), clRed);
    EXPECT_EQ(B.Canvas()->Pixels(1, 1), ColorToRGB(clBtnFace));
    B.Canvas()->Brush()->SetBitmap(nullptr);
    B.Canvas()->Brush()->SetColor(clBlue);
    B.Canvas()->FillRect(RECT{0, 0, 8, 8});
    EXPECT_EQ(B.Canvas()->Pixels(1, 0), clBlue);
}

TEST(Colors, SystemColoursResolve)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clWindowText), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(ColorToRGB(0x00123456), 0x00123456u);
}

TEST(ImageList, LoadsAResourceStripWithATransparentColour)
{
    TImageList List(nullptr);
    List.SetWidth(16);
    List.ResourceLoad(GetModuleHandleA(nullptr), "TESTSTRIP", clWhite);
    ASSERT_EQ(List.Count(), 3);
    EXPECT_EQ(List.Height(), 16);

    TBitmap Target;
    MakeBitmap(Target, pf24bit, 40, 16, clYellow);
    List.Draw(*Target.Canvas(), 0, 0, 1);
    EXPECT_EQ(RowPixel(Target, 0, 0), clYellow) << "white is transparent";
    EXPECT_EQ(RowPixel(Target, 8, 8), clLime);
    List.Draw(*Target.Canvas(), 20, 0, 2, false);
    EXPECT_EQ(RowPixel(Target, 20, 0), clYellow);
    EXPECT_EQ(RowPixel(Target, 28, 8), ColorToRGB(clBtnShadow)) << "a disabled image is greyed";
    List.Draw(*Target.Canvas(), 0, 0, 3);  // out of range: nothing

    TImageList Mono(nullptr);
    Mono.ResourceLoad(GetModuleHandleA(nullptr), "MONOSTRIP", clWhite);
    EXPECT_EQ(Mono.Count(), 4) << "a monochrome 64 x 16 strip";
    EXPECT_THROW(Mono.ResourceLoad(GetModuleHandleA(nullptr), "NOSUCHSTRIP", clWhite), EInvalidGraphic);
}
