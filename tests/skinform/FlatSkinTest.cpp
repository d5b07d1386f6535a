// The flat-colour test skins and the hostile skins through the skin component: what loads is
// what the kit says, and the element routines take every hostile element without harm.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/design/DesignReader.h"
#include "framework/graphics/GdiHolders.h"
#include "skin/data/SkinData.h"
#include "skin/form/ElementDraw.h"
#include "skin/manage/SkinManage.h"
#include "tests/skin/SkinTestKit.h"
#include "tests/skinform/FlatSkin.h"
#include "tests/support/Capture.h"

namespace {

class FlatSkin : public ::testing::Test {
protected:
    void TearDown() override { FinalizeSkinManager(); }

    // The skin component of a design storing File, read in as a window's design is.
    static TSkinData& StreamIn(TSkinRoot& Root, const std::string& File)
    {
        ReadComponentText(SkinDesign(File, false), &Root, "flat");
        return *dynamic_cast<TSkinData*>(Root.FindComponent("SkinData1"));
    }
};

COLORREF Pixel(const TPixelImage& Image, int X, int Y)
{
    const uint32_t P = Image.PixelRGB(X, Y);
    return RGB(P >> 16 & 0xFF, P >> 8 & 0xFF, P & 0xFF);
}

COLORREF Pixel(TBitmap& Bitmap, int X, int Y)
{
    return Pixel(Bitmap.ToImage(), X, Y);
}

constexpr COLORREF Magenta = RGB(255, 0, 255);

TFlatSkin Everything()
{
    TFlatSkin S;
    S.MenuBar.Present = S.MDIControls.Present = S.MenuItem.Present = S.MenuBackground.Present = true;
    return S;
}

}  // namespace

TEST_F(FlatSkin, LoadsWithTheColoursAndFramesItDescribes)
{
    const TFlatSkin Kit = Everything();
    TSkinRoot Root(nullptr);
    TSkinData& Skin = StreamIn(Root, Kit.Pack());
    ASSERT_FALSE(Skin.NoSkin);
    EXPECT_EQ(Skin.SkinName, "Flat");

    // Left and right pieces: frames side by side, the outer top corner cut.
    TDataSkinBorder& L = *Skin.BorderLeft;
    EXPECT_EQ(L.FrameCount, 2);
    EXPECT_EQ(L.TopHeight, 22);
    EXPECT_EQ(L.BottomHeight, 4);
    EXPECT_EQ(L.Trans, 1);
    EXPECT_EQ(L.Tile, 1);
    ASSERT_EQ(L.Bitmap->Width(), 8);
    ASSERT_EQ(L.Bitmap->Height(), 40);
    EXPECT_EQ(Pixel(*L.Bitmap, 0, 0), Magenta);
    EXPECT_EQ(Pixel(*L.Bitmap, 2, 2), Magenta);
    EXPECT_EQ(Pixel(*L.Bitmap, 3, 0), FlatColour(feLeft, 1));
    EXPECT_EQ(Pixel(*L.Bitmap, 4, 0), Magenta);
    EXPECT_EQ(Pixel(*L.Bitmap, 7, 39), FlatColour(feLeft, 2));
    TDataSkinBorder& R = *Skin.BorderRight;
    EXPECT_EQ(Pixel(*R.Bitmap, 3, 0), Magenta);
    EXPECT_EQ(Pixel(*R.Bitmap, 0, 0), FlatColour(feRight, 1));
    EXPECT_EQ(Pixel(*R.Bitmap, 4, 0), FlatColour(feRight, 2));

    // Top and bottom pieces: frames stacked.
    ASSERT_EQ(Skin.BorderTop->Bitmap->Height(), 44);
    EXPECT_EQ(Pixel(*Skin.BorderTop->Bitmap, 0, 21), FlatColour(feTop, 1));
    EXPECT_EQ(Pixel(*Skin.BorderTop->Bitmap, 39, 22), FlatColour(feTop, 2));
    EXPECT_EQ(Pixel(*Skin.BorderBottom->Bitmap, 0, 7), FlatColour(feBottom, 2));
    EXPECT_EQ(Skin.BorderBottom->Trans, 1);

    // The title band and its keys.
    TDataSkinTitle& T = *Skin.Title;
    EXPECT_EQ(T.TextBackLeft, 4);
    EXPECT_EQ(T.TextBackRight, 4);
    EXPECT_EQ(T.LeftWidth, 30);
    EXPECT_EQ(T.RightWidth, 70);
    EXPECT_EQ(T.TextBackground, 1);
    EXPECT_EQ(Pixel(*T.Bitmap, 23, 15), FlatColour(feTextBack, 1));
    EXPECT_EQ(Pixel(*T.Bitmap, 0, 16), FlatColour(feTextBack, 2));

    // Caption buttons in order, then the three cut from MDICONTROLS.
    ASSERT_EQ(Skin.SysButtons.size(), Kit.Buttons.size() + 3);
    for (size_t I = 0; I < Kit.Buttons.size(); ++I) {
        const TDataSkinSysButton& B = *Skin.SysButtons[I];
        const TFlatSkin::TButton& K = Kit.Buttons[I];
        EXPECT_EQ(B.Action, K.Action);
        EXPECT_EQ(B.Align, K.Align);
        EXPECT_EQ(B.XCoord, K.XCoord);
        EXPECT_EQ(B.Visibility, K.Visibility);
        EXPECT_EQ(B.FrameCount, K.Frames);
        for (int F = 1; F <= K.Frames; ++F)
            EXPECT_EQ(Pixel(*B.Bitmap, (F - 1) * K.Width, K.Height - 1), FlatColour(feCaptionButton + int(I), F));
    }
    for (int I = 0; I < 3; ++I) {
        TDataSkinSysButton& B = *Skin.SysButtons[Kit.Buttons.size() + size_t(I)];
        EXPECT_EQ(B.Action, 7 + I);
        ASSERT_EQ(B.Bitmap->Width(), 48);
        EXPECT_EQ(Pixel(*B.Bitmap, 0, 0), FlatColour(feMDIControls, 1 + 4 * I));
        EXPECT_EQ(Pixel(*B.Bitmap, 47, 9), FlatColour(feMDIControls, 4 + 4 * I));
    }

    // Menu bar, menu item and menu background.
    ASSERT_TRUE(Skin.MenuBar);
    EXPECT_EQ(Skin.MenuBar->LeftWidth, 4);
    EXPECT_EQ(Skin.MenuBar->Tile, 0);
    EXPECT_EQ(Pixel(*Skin.MenuBar->Bitmap, 0, 18), FlatColour(feMenuBar, 2));
    ASSERT_TRUE(Skin.MenuItem);
    EXPECT_EQ(Skin.MenuItem->FrameCount, 5);
    EXPECT_EQ(Skin.MenuItem->LeftWidth, 3);
    EXPECT_EQ(Pixel(*Skin.MenuItem->Bitmap, 3 * 24, 0), FlatColour(feMenuItem, 4));
    ASSERT_TRUE(Skin.MenuBackground);
    EXPECT_EQ(Pixel(*Skin.MenuBackground->Bitmap, 31, 31), FlatColour(feMenuBackground, 1));

    // Colours.
    EXPECT_EQ(COLORREF(Skin.WindowTextColor), FlatKeyColour(0));
    EXPECT_EQ(COLORREF(Skin.ButtonFaceColor), FlatKeyColour(1));
    EXPECT_EQ(COLORREF(Skin.MenubarColor), FlatKeyColour(5));
    EXPECT_EQ(COLORREF(Skin.ButtonHilightColor), FlatKeyColour(9));
    EXPECT_EQ(COLORREF(Skin.ButtonShadowColor), FlatKeyColour(11));
    EXPECT_EQ(COLORREF(Skin.MenuBarTextColor), FlatKeyColour(13));
    EXPECT_EQ(COLORREF(Skin.TitleTextActiveColor), FlatKeyColour(14));
    EXPECT_EQ(COLORREF(Skin.TitleTextNoActiveColor), FlatKeyColour(15));
}

TEST_F(FlatSkin, ControlElementsLoadWithTheirFramesAndSecondImages)
{
    TFlatSkin Kit;
    Kit.WithControls({feScrollbar, feComboButton, feUpDownVert, feTabs, feProgress});
    TSkinRoot Root(nullptr);
    TSkinData& Skin = StreamIn(Root, Kit.Pack());
    ASSERT_TRUE(Skin.Scrollbar);
    EXPECT_EQ(Skin.Scrollbar->FrameCount, 23);
    EXPECT_EQ(Pixel(*Skin.Scrollbar->Bitmap, 22 * 16 + 15, 15), FlatColour(feScrollbar, 23));
    ASSERT_TRUE(Skin.ComboButton);
    EXPECT_EQ(Pixel(*Skin.ComboButton->Bitmap, 0, 0), FlatColour(feComboButton, 1));
    EXPECT_EQ(Pixel(*Skin.ComboButton->Bitmap2, 0, 0), FlatColour(feComboButton, 4));  // mirrored
    ASSERT_TRUE(Skin.UpDownVert);
    EXPECT_EQ(Skin.UpDownVert->FrameCount, 8);
    EXPECT_EQ(Pixel(*Skin.UpDownVert->Bitmap2, 16, 0), FlatColour(feUpDownVertGlyph, 2));
    ASSERT_TRUE(Skin.Tabs);
    EXPECT_EQ(Pixel(*Skin.Tabs->Bitmap2, 0, 0), FlatColour(feTabsBorder, 1));
    ASSERT_TRUE(Skin.Progress);
    EXPECT_EQ(Pixel(*Skin.Progress->Bitmap, 20, 0), FlatColour(feProgress, 2));
    EXPECT_EQ(Pixel(*Skin.Progress->Bitmap2, 0, 0), FlatColour(feProgressChunk, 1));
    EXPECT_FALSE(Skin.Headerbar);
}

TEST_F(FlatSkin, OptionsLeaveOutWhatIsOffAndExtraKeysWin)
{
    TFlatSkin Kit;
    Kit.Colours.erase("ButtonFace");
    Kit.Buttons.resize(2);
    Kit.Buttons[1].Frames = 0;  // derived: 6 for a wide image
    Kit.ExtraKeys.push_back({{"Personality", "LeftFrame"}, "3"});
    Kit.ExtraKeys.push_back({{"Colour0", "color"}, "1 2 3"});
    Kit.ExtraEntries.push_back({"top.bmp", FlatBmp(5, 6, RGB(1, 2, 3))});
    TSkinRoot Root(nullptr);
    TSkinData& Skin = StreamIn(Root, Kit.Pack());
    EXPECT_FALSE(Skin.MenuBar);
    EXPECT_FALSE(Skin.MenuItem);
    EXPECT_FALSE(Skin.MenuBackground);
    EXPECT_TRUE(Skin.SysButtons[2]->Bitmap->Empty());  // no MDICONTROLS
    ASSERT_EQ(Skin.SysButtons.size(), 5u);
    EXPECT_EQ(Skin.SysButtons[1]->FrameCount, 6);
    EXPECT_EQ(Skin.ButtonFaceColor, clBtnFace);
    EXPECT_EQ(Skin.BorderLeft->FrameCount, 3);
    ASSERT_EQ(Skin.Colours.size(), 1u);
    EXPECT_EQ(COLORREF(Skin.Colours[0]), RGB(1, 2, 3));
    EXPECT_EQ(Skin.BorderTop->Bitmap->Width(), 5);
    EXPECT_THROW(FlatColour(feFlatElementEnd, 1), std::out_of_range);
    EXPECT_THROW(FlatColour(feHeaderbar, FlatMaxControlFrames + 1), std::out_of_range);
    EXPECT_THROW(FlatColour(feLeft, 0), std::out_of_range);
}

TEST_F(FlatSkin, FrameComposedFromTheSkinShowsEachElement)
{
    // A 160 x 100 window frame put together as the frame painting does: borders opaque,
    // the title band as a strip, caption buttons transparent, the region from the borders.
    TSkinRoot Root(nullptr);
    TSkinData& Skin = StreamIn(Root, TFlatSkin().Pack());
    const int W = 160, H = 100, BL = 4, BR = 4, BB = 4, CH = 22;
    TBitmap Window;
    Window.SetSize(W, H);
    const HDC DC = Window.Canvas()->Handle();
    const auto Border = [&](TDataSkinBorder& Piece, const RECT& R, bool Vertical, int Frame) {
        const auto Built = BuildElementBitmap(R, *Piece.Bitmap, ElementMargins(Piece), Vertical, Piece.Tile != 1,
                                              Piece.FrameCount, Frame);
        ASSERT_TRUE(Built);
        TMemoryDC Source(Built->Handle());
        BitBlt(DC, R.left, R.top, R.right - R.left, R.bottom - R.top, Source.Handle(), 0, 0, SRCCOPY);
    };
    Border(*Skin.BorderLeft, RECT{0, 0, BL, H}, false, 1);
    Border(*Skin.BorderRight, RECT{W - BR, 0, W, H}, false, 2);
    Border(*Skin.BorderBottom, RECT{BL, H - BB, W - BR, H}, true, 1);
    Border(*Skin.BorderTop, RECT{BL, 0, W - BR, CH}, true, 1);
    DrawElementStrip(*Window.Canvas(), RECT{34, 0, 90, CH}, *Skin.Title->Bitmap, TMargins{4, 0, 4, 0}, 1, 2, true,
                     true);
    // Close in frame 1, maximise in frame 2, minimise in frame 4 (restore is for maximised windows).
    for (const auto& [Index, Frame] : {std::pair{0, 1}, std::pair{1, 2}, std::pair{3, 4}}) {
        const TDataSkinSysButton& B = *Skin.SysButtons[size_t(Index)];
        const int X = W - B.XCoord, Y = B.YCoord;
        DrawFrameCell(DC, RECT{X, Y, X + 16, Y + 14}, *B.Bitmap, true, B.FrameCount, Frame);
    }
    const TPixelImage Image = Window.ToImage();
    TCapture Picture;
    Picture.Width = W;
    Picture.Height = H;
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            const COLORREF C = Pixel(Image, X, Y);
            Picture.Rgb.insert(Picture.Rgb.end(), {GetRValue(C), GetGValue(C), GetBValue(C)});
        }
    Picture.SavePng("flat-skin-frame.png");

    EXPECT_EQ(Pixel(Image, 0, 0), Magenta);
    EXPECT_EQ(Pixel(Image, 3, 50), FlatColour(feLeft, 1));
    EXPECT_EQ(Pixel(Image, W - 1, 0), Magenta);
    EXPECT_EQ(Pixel(Image, W - 1, 50), FlatColour(feRight, 2));
    EXPECT_EQ(Pixel(Image, 80, H - 1), FlatColour(feBottom, 1));
    EXPECT_EQ(Pixel(Image, 20, 10), FlatColour(feTop, 1));
    EXPECT_EQ(Pixel(Image, 50, 8), FlatColour(feTextBack, 1));
    EXPECT_EQ(Pixel(Image, W - 20, 4), FlatColour(feCaptionButton + 0, 1));
    EXPECT_EQ(Pixel(Image, W - 38 + 15, 17), FlatColour(feCaptionButton + 1, 2));
    EXPECT_EQ(Pixel(Image, W - 56, 4), FlatColour(feCaptionButton + 3, 4));
    EXPECT_EQ(Pixel(Image, W - 57, 4), FlatColour(feTop, 1));

    // The left border's region has the cut corner as a hole.
    TRegionHandle Region(RegionFromBitmap(Window, 0, 0, 1, 1, 1, SkinKeyColour));
    EXPECT_FALSE(PtInRegion(Region.Get(), 0, 0));
    EXPECT_FALSE(PtInRegion(Region.Get(), 2, 2));
    EXPECT_TRUE(PtInRegion(Region.Get(), 3, 0));
    EXPECT_FALSE(PtInRegion(Region.Get(), W - 3, 2));
    EXPECT_TRUE(PtInRegion(Region.Get(), W - 4, 0));
}

TEST_F(FlatSkin, HostileSkinsLoadAndDrawHarmlessly)
{
    TBitmap Target;
    Target.SetSize(120, 80);
    const HDC DC = Target.Canvas()->Handle();
    const auto Clear = [&] {
        Target.Canvas()->Brush()->SetColor(TColor(RGB(90, 90, 90)));
        Target.Canvas()->FillRect(RECT{0, 0, 120, 80});
    };
    const auto Untouched = [&] {
        const TPixelImage Image = Target.ToImage();
        for (int I = 0; I < 120; ++I)
            if (Pixel(Image, I, 0) != RGB(90, 90, 90) || Pixel(Image, I, 79) != RGB(90, 90, 90))
                return false;
        for (int I = 0; I < 80; ++I)
            if (Pixel(Image, 0, I) != RGB(90, 90, 90) || Pixel(Image, 119, I) != RGB(90, 90, 90))
                return false;
        return true;
    };
    const auto Hostile = HostileSkins();
    ASSERT_GE(Hostile.size(), 12u);
    for (const auto& [Name, File] : Hostile) {
        SCOPED_TRACE(Name);
        TSkinRoot Root(nullptr);
        TSkinData& Skin = StreamIn(Root, File);
        EXPECT_FALSE(Skin.NoSkin);
        std::vector<TDataSkinObject*> Elements{Skin.BorderLeft.get(), Skin.BorderRight.get(), Skin.BorderTop.get(),
                                               Skin.BorderBottom.get(), Skin.Title.get(), Skin.MenuBar.get(),
                                               Skin.MenuItem.get(), Skin.MenuBackground.get()};
        for (const auto& B : Skin.SysButtons)
            Elements.push_back(B.get());
        Clear();
        for (TDataSkinObject* E : Elements) {
            if (!E)
                continue;
            for (const RECT& R : {RECT{1, 1, 119, 79}, RECT{10, 10, 11, 70}, RECT{50, 5, 30, 9}})
                for (int Frame : {1, 2, 4}) {
                    DrawElement(DC, R, *E, E->FrameCount, Frame);
                    DrawElement(DC, R, *E->Bitmap, true, E->Tile != 1, E->Trans != 0, E->FrameCount, Frame,
                                ElementMargins(*E));
                    DrawElementStrip(*Target.Canvas(), R, *E->Bitmap, ElementMargins(*E), Frame, E->FrameCount,
                                     true, true);
                    DrawFrameCell(DC, R, *E->Bitmap, true, E->FrameCount, Frame);
                    DrawElementDirect(DC, R, *E->Bitmap, false, E->FrameCount, Frame, ElementMargins(*E));
                    if (const auto Built = BuildElementBitmap(R, *E->Bitmap, ElementMargins(*E), false, true,
                                                              E->FrameCount, Frame))
                        DeleteObject(RegionFromBitmap(*Built, 0, 0, 1, 1, 1, SkinKeyColour));
                }
        }
        EXPECT_TRUE(Untouched());
    }

    // A few of them, as the kit says.
    const auto Find = [&](const std::string& Name) {
        for (const auto& H : Hostile)
            if (H.first == Name)
                return H.second;
        ADD_FAILURE() << "no hostile skin " << Name;
        return std::string();
    };
    TSkinRoot Root(nullptr);
    TSkinData& Skin = StreamIn(Root, Find("no-elements"));
    EXPECT_TRUE(Skin.BorderLeft->Bitmap->Empty());
    EXPECT_EQ(Skin.SysButtons.size(), 3u);
    EXPECT_FALSE(Skin.MenuBar);
    TSkinRoot Root2(nullptr);
    TSkinData& Zero = StreamIn(Root2, Find("frame-counts-zero"));
    EXPECT_EQ(Zero.BorderLeft->FrameCount, 0);
    EXPECT_EQ(Zero.SysButtons[0]->FrameCount, 6);  // a zero "frame" is derived
    TSkinRoot Root3(nullptr);
    TSkinData& Keyed = StreamIn(Root3, Find("key-colour-only"));
    const auto Built = BuildElementBitmap(RECT{0, 0, 4, 60}, *Keyed.BorderLeft->Bitmap,
                                          ElementMargins(*Keyed.BorderLeft), false, false, 2, 1);
    ASSERT_TRUE(Built);
    TRegionHandle Region(RegionFromBitmap(*Built, 0, 0, 1, 1, 1, SkinKeyColour));
    RECT Box;
    EXPECT_EQ(GetRgnBox(Region.Get(), &Box), NULLREGION);
    TSkinRoot Root4(nullptr);
    TSkinData& Huge = StreamIn(Root4, Find("huge-caption-button"));
    EXPECT_EQ(Huge.SysButtons[0]->Bitmap->Width(), 3600);
    TSkinRoot Root5(nullptr);
    TSkinData& Far = StreamIn(Root5, Find("buttons-far-away"));
    EXPECT_EQ(Far.SysButtons[0]->XCoord, -100000);
    EXPECT_EQ(Far.SysButtons[1]->YCoord, -100000);
}
