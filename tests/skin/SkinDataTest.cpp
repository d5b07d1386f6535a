// The skin component: loading descriptions and bitmaps, refusals, the stored skin and the
// class map.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "framework/core/IniFile.h"
#include "framework/design/DesignReader.h"
#include "framework/ui/Button.h"
#include "skin/data/SkinData.h"
#include "skin/manage/SkinManage.h"
#include "tests/skin/SkinTestKit.h"
#include "tests/skinform/GdiCount.h"

static bool Load(TSkinData& Skin, const std::string& File)
{
    Skin.SkinStream->Clear();
    Skin.SkinStream->WriteBuffer(File.data(), int64_t(File.size()));
    return Skin.LoadSkin();
}

static uint32_t Pixel(TBitmap& Bitmap, int X, int Y)
{
    return Bitmap.ToImage().PixelRGB(X, Y);
}

// Counts the framework's message dialogs shown while Body runs, and closes each.
template<class F>
static int MessageBoxesDuring(F&& Body)
{
    static int Count;
    static HWND Last;
    RegisterComponentClass(TButton::StaticClassInfo());  // the dialog makes its buttons by name
    Count = 0;
    Last = nullptr;
    const UINT_PTR Timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND Dialog = FindWindowA("TMessageForm", nullptr);
        if (Dialog && Dialog != Last && IsWindowVisible(Dialog)) {
            ++Count;
            Last = Dialog;
            PostMessageA(Dialog, WM_CLOSE, 0, 0);
        }
    });
    Body();
    KillTimer(nullptr, Timer);
    return Count;
}

class SkinData : public ::testing::Test {
protected:
    void TearDown() override { FinalizeSkinManager(); }
};

static const char* const Description =
    "[TitlebarSkin]\r\nSkinName=Test skin\r\n"
    "[Personality]\r\nLeft=Skins\\Sub:MixedCase.bmp\r\nLeftTopHeight=30\r\nLeftBotHeight=4\r\nLeftFrame=2\r\n"
    "Top=top.BMP\r\nTopTopHeight=9\r\nTopBotHeight=11\r\nTopStretch=0\r\n"
    "Bottom=broken.bmp\r\n"
    "TextBack=none.bmp\r\nTextShift=5\r\nActiveTextR=300\r\nActiveTextG=1\r\nActiveTextB=2\r\n"
    "InActiveTextR=1\r\nInActiveTextG=1\r\n"
    "menuBar=menu.bmp\r\nTileLeftMenu=0\r\n"
    "[Colours]\r\nButtonFace=236 233 216\r\nButtonText=255,128,0\r\nHilight=300 0 0\r\nMenu=255\r\n"
    "WindowText=\r\n"
    "[Colour2]\r\ncolor=0 0 2\r\n[Colour0]\r\ncolor=0 0 0\r\n[colours]\r\ncolor=9 9 9\r\n[COLOUR1]\r\n"
    "[Button7]\r\nAction=1\r\nButtonImage=wide.bmp\r\n[Button.Radio]\r\nButtonImage=wide.bmp\r\n"
    "[button0]\r\nAction=2\r\nButtonImage=narrow.bmp\r\nCombineOp=4\r\n"
    "[Button3]\r\nAction=3\r\nButtonImage=narrow.bmp\r\n[Button4]\r\nAction=3\r\nframe=2\r\nButtonImage=narrow.bmp\r\n"
    "[Button5]\r\nAction=-1\r\nButtonImage=narrow.bmp\r\n"
    "[MDICONTROLS]\r\nImage=mdi.bmp\r\n"
    "[Buttons]\r\nBitmap=narrow.bmp\r\nCheckButton=check.bmp\r\nRadioButton=radio.bmp\r\nCheckButtonFrame=0\r\n"
    "NormalColour=1\r\nPressedColour2=1 2 3\r\n"
    "[Progress]\r\nBitmap=narrow.bmp\r\nTile=2\r\n"
    "[Tabs]\r\nImage=narrow.bmp\r\nBorder=wide.bmp\r\nTile=2\r\nStyle=7\r\n"
    "[SunkEdge]\r\nImage=\r\n"
    "[GroupBoxEdge]\r\nImage=narrow.bmp\r\nStyle=3\r\nNormalColour=2\r\n"
    "[ComboButton]\r\nImage=combo.bmp\r\n"
    "[Scrollbar]\r\nImage=wide.bmp\r\nFrameCount=7\r\n"
    "[VertScrollThumb]\r\nImage=narrow.bmp\r\nFrameCount=5\r\n[HorzScrollThumb]\r\nImage=narrow.bmp\r\n"
    "[UpDown.Vert]\r\nImage=narrow.bmp\r\nGlyphImage=wide.bmp\r\n";

static std::string TestSkin()
{
    return PackSkin(Description, {{"mixedcase.bmp", TestBmp(8, 40, 1)},
                                  {"top.bmp", TestBmp(50, 20, 2)},
                                  {"broken.bmp", "BM this is no bitmap"},
                                  {"wide.bmp", TestBmp(126, 21, 3)},
                                  {"narrow.bmp", TestBmp(63, 21, 4)},
                                  {"menu.bmp", TestBmp(20, 19, 5)},
                                  {"mdi.bmp", TestBmp(12 * 16, 14, 6)},
                                  {"check.bmp", TestBmp(52, 13, 7)},
                                  {"radio.bmp", TestBmp(96, 16, 8)},
                                  {"combo.bmp", TestBmp(17, 20, 9)}});
}

TEST_F(SkinData, ColoursAndNumberedColours)
{
    TSkinData Skin(nullptr);
    ASSERT_TRUE(Load(Skin, TestSkin()));
    EXPECT_FALSE(Skin.NoSkin);
    EXPECT_EQ(Skin.SkinName, "Test skin");
    EXPECT_EQ(Skin.ButtonFaceColor, 236u + 233u * 256 + 216u * 65536);
    EXPECT_EQ(Skin.ButtonTextColor, 255u + 128u * 256);
    EXPECT_EQ(Skin.HilightColor, 44u);      // 300 taken modulo 256
    EXPECT_EQ(Skin.MenuColor, 0u);          // a lone number fills no slot
    EXPECT_EQ(Skin.WindowTextColor, clWindowText);  // empty: the default
    EXPECT_EQ(Skin.MenubarColor, Skin.ButtonFaceColor);
    EXPECT_EQ(Skin.ButtonLightColor, clBtnHighlight);
    EXPECT_EQ(Skin.ButtonDkShadowColor, clBtnShadow);
    // Section order, not the numbers in the names; "colours" is not a numbered colour.
    ASSERT_EQ(Skin.Colours.size(), 3u);
    EXPECT_EQ(Skin.Colours[0], 2u << 16);
    EXPECT_EQ(Skin.Colours[1], 0u);
    EXPECT_EQ(Skin.Colours[2], clWindowText);
    EXPECT_NE(Skin.FaceBrush, nullptr);
    EXPECT_EQ(TSkinData::ReadColourText("", clBtnFace), clBtnFace);
}

TEST_F(SkinData, FramePiecesTitleAndBitmapNames)
{
    TSkinData Skin(nullptr);
    ASSERT_TRUE(Load(Skin, TestSkin()));
    // Directory part dropped, mixed case found; upper-case .BMP and broken data are empty.
    EXPECT_EQ(Skin.BorderLeft->Bitmap->Width(), 8);
    EXPECT_EQ(Pixel(*Skin.BorderLeft->Bitmap, 3, 5), TestPixel(3, 5, 1));
    EXPECT_TRUE(Skin.BorderTop->Bitmap->Empty());
    EXPECT_TRUE(Skin.BorderBottom->Bitmap->Empty());
    EXPECT_EQ(Skin.BorderLeft->TopHeight, 30);
    EXPECT_EQ(Skin.BorderLeft->BottomHeight, 4);
    EXPECT_EQ(Skin.BorderLeft->LeftWidth, 0);
    EXPECT_EQ(Skin.BorderLeft->FrameCount, 2);
    EXPECT_EQ(Skin.BorderLeft->Tile, 1);
    EXPECT_EQ(Skin.BorderLeft->Trans, 1);
    EXPECT_EQ(Skin.BorderTop->LeftWidth, 9);
    EXPECT_EQ(Skin.BorderTop->RightWidth, 11);
    EXPECT_EQ(Skin.BorderTop->TopHeight, 0);
    EXPECT_EQ(Skin.BorderTop->Tile, 0);
    EXPECT_EQ(Skin.BorderRight->FrameCount, 1);

    EXPECT_EQ(Skin.Title->LeftWidth, 5);
    EXPECT_EQ(Skin.Title->FontHeight, 14);
    EXPECT_EQ(Skin.Title->FrameCount, 2);
    EXPECT_EQ(Skin.Title->ActiveTextColor, 44u | 1u << 8 | 2u << 16);
    EXPECT_EQ(Skin.Title->InactiveTextColor, TDataSkinTitle::NoTextColor);  // no B key

    ASSERT_NE(Skin.MenuBar, nullptr);
    EXPECT_EQ(Skin.MenuBar->Name, "Personality");
    EXPECT_EQ(Skin.MenuBar->LeftWidth, 0);
    EXPECT_EQ(Skin.MenuBar->RightWidth, 1);
    EXPECT_EQ(Skin.MenuBar->FrameCount, 2);
}

TEST_F(SkinData, CaptionButtonsAndMaximisedChildControls)
{
    TSkinData Skin(nullptr);
    ASSERT_TRUE(Load(Skin, TestSkin()));
    // Button7, button0, Button3, Button4, Button5 in section order, then the three MDI ones.
    ASSERT_EQ(Skin.SysButtons.size(), 8u);
    const auto& B = Skin.SysButtons;
    EXPECT_EQ(B[0]->Name, "BUTTON7");
    EXPECT_EQ(B[0]->FrameCount, 6);  // 126 x 21
    EXPECT_EQ(B[1]->Name, "BUTTON0");
    EXPECT_EQ(B[1]->FrameCount, 3);  // 63 x 21
    EXPECT_EQ(B[1]->CombineOp, 4);
    EXPECT_EQ(B[0]->CombineOp, -1);
    EXPECT_TRUE(B[2]->Bitmap->Empty());   // action 3 is drawn without an image
    EXPECT_EQ(B[3]->FrameCount, 2);       // a stated count keeps count and image
    EXPECT_FALSE(B[3]->Bitmap->Empty());
    EXPECT_EQ(B[4]->FrameCount, 6);       // negative action
    for (int I = 0; I < 3; ++I) {
        const auto& M = *B[5 + I];
        EXPECT_EQ(M.Action, 7 + I);
        EXPECT_EQ(M.Align, 100);
        EXPECT_EQ(M.Visibility1, 100);
        EXPECT_EQ(M.FrameCount, 4);
        EXPECT_EQ(M.XCoord, (16 + 4) * (3 - I));
        ASSERT_EQ(M.Bitmap->Width(), 64);
        EXPECT_EQ(M.Bitmap->Height(), 14);
        EXPECT_EQ(Pixel(*M.Bitmap, 0, 0), TestPixel(64 * I, 0, 6));
        EXPECT_EQ(Pixel(*M.Bitmap, 63, 13), TestPixel(64 * I + 63, 13, 6));
    }
}

TEST_F(SkinData, PushButtonsObjectsAndFrameCounts)
{
    TSkinData Skin(nullptr);
    ASSERT_TRUE(Load(Skin, TestSkin()));
    EXPECT_EQ(Skin.Buttons->FrameCount, 5);
    EXPECT_EQ(Skin.Buttons->CheckFrameCount, 4);   // 52 wide, 13 high: cells of 13
    EXPECT_EQ(Skin.Buttons->RadioFrameCount, 6);   // 96 wide, 16 high: cells of 16
    EXPECT_EQ(Skin.Buttons->NormalColour, 1);
    EXPECT_EQ(Skin.Buttons->MouseOverColour, -1);
    EXPECT_EQ(Skin.Buttons->PressedColour2, 1u | 2u << 8 | 3u << 16);
    EXPECT_EQ(Skin.Buttons->NormalColour2, Skin.ButtonTextColor);

    ASSERT_NE(Skin.Progress, nullptr);
    EXPECT_EQ(Skin.Progress->Tile, 2);  // not limited here
    EXPECT_EQ(Skin.Progress->NormalColour, 0);
    ASSERT_NE(Skin.Tabs, nullptr);
    EXPECT_EQ(Skin.Tabs->Tile, 0);      // above 1 in an object section
    EXPECT_EQ(Skin.Tabs->Style, 0);     // not read for objects with a second image
    EXPECT_EQ(Skin.Tabs->Bitmap2->Width(), 126);
    EXPECT_EQ(Skin.Tabs->FrameCount, 5);
    ASSERT_NE(Skin.GroupBoxEdge, nullptr);
    EXPECT_EQ(Skin.GroupBoxEdge->Name, "GroupBoxEdge");
    EXPECT_EQ(Skin.GroupBoxEdge->Style, 3);
    EXPECT_EQ(Skin.GroupBoxEdge->NormalColour, 2);
    EXPECT_EQ(Skin.GroupBoxEdge->PressedColour, -1);
    EXPECT_EQ(Skin.GroupBoxEdge->FrameCount, 2);
    EXPECT_EQ(Skin.SunkEdge, nullptr);      // empty Image
    EXPECT_EQ(Skin.Toolbars, nullptr);      // no section
    EXPECT_EQ(Skin.Scrollbar->FrameCount, 23);
    EXPECT_EQ(Skin.VertScrollThumb->FrameCount, 5);
    EXPECT_EQ(Skin.HorzScrollThumb->FrameCount, 3);
    EXPECT_EQ(Skin.UpDownVert->FrameCount, 8);
    EXPECT_EQ(Skin.UpDownVert->Bitmap2->Width(), 126);

    // The combo button's second image is the first one mirrored, in 24 bits.
    ASSERT_NE(Skin.ComboButton, nullptr);
    TBitmap& Mirror = *Skin.ComboButton->Bitmap2;
    EXPECT_EQ(Mirror.PixelFormat(), pf24bit);
    ASSERT_EQ(Mirror.Width(), 17);
    EXPECT_EQ(Pixel(Mirror, 0, 3), TestPixel(16, 3, 9));
    EXPECT_EQ(Pixel(Mirror, 16, 19), TestPixel(0, 19, 9));
}

TEST_F(SkinData, ElementBitmapsWaitForTheirFirstDrawing)
{
    TSkinData Skin(nullptr);
    const int Before = LiveGdiObjects();
    ASSERT_GT(Before, 0);
    ASSERT_TRUE(Load(Skin, TestSkin()));
    EXPECT_LE(LiveGdiObjects() - Before, 1) << "the face brush at most";
    {
        TBitmap Target;
        Target.SetPixelFormat(pf24bit);
        Target.SetSize(40, 40);
        Target.Canvas()->Draw(0, 0, *Skin.BorderLeft->Bitmap);
        Target.Canvas()->Draw(10, 0, *Skin.ComboButton->Bitmap2);
        const TPixelImage Drawn = Target.ToImage();
        EXPECT_EQ(Drawn.PixelRGB(3, 5), TestPixel(3, 5, 1));
        EXPECT_EQ(Drawn.PixelRGB(7, 39), TestPixel(7, 39, 1));
        EXPECT_EQ(Drawn.PixelRGB(10, 3), TestPixel(16, 3, 9)) << "mirrored";
        EXPECT_EQ(Drawn.PixelRGB(26, 19), TestPixel(0, 19, 9));
    }
    EXPECT_GT(LiveGdiObjects() - Before, 1) << "the drawn elements have their bitmaps now";
}

TEST_F(SkinData, ReloadReplacesElementsAndRefusalsKeepThem)
{
    TSkinData Skin(nullptr);
    ASSERT_TRUE(Load(Skin, TestSkin()));
    ASSERT_NE(Skin.Tabs, nullptr);

    // Older container: one message, no skin, previous elements untouched.
    int Shown = MessageBoxesDuring([&] { EXPECT_FALSE(Load(Skin, PackSkin("[Tabs]\r\n", {}, 19999))); });
    EXPECT_EQ(Shown, 1);
    EXPECT_TRUE(Skin.NoSkin);
    EXPECT_NE(Skin.Tabs, nullptr);
    EXPECT_EQ(Skin.SkinName, "Test skin");

    // An oversized declared size is refused without a word.
    std::string Huge = TestSkin();
    Huge[3] = 0x7F;
    Shown = MessageBoxesDuring([&] { EXPECT_FALSE(Load(Skin, Huge)); });
    EXPECT_EQ(Shown, 0);
    EXPECT_TRUE(Skin.NoSkin);
    EXPECT_NE(Skin.Tabs, nullptr);

    // A skin without those sections: the objects go, the always-present ones are refilled.
    ASSERT_TRUE(Load(Skin, PackSkin("[TitlebarSkin]\r\nSkinName=Plain\r\n")));
    EXPECT_EQ(Skin.Tabs, nullptr);
    EXPECT_EQ(Skin.MenuBar, nullptr);
    EXPECT_TRUE(Skin.BorderLeft->Bitmap->Empty());
    EXPECT_EQ(Skin.SysButtons.size(), 3u);
    EXPECT_TRUE(Skin.SysButtons[0]->Bitmap->Empty());
    EXPECT_EQ(Skin.SysButtons[0]->XCoord, 0);
    EXPECT_TRUE(Skin.Colours.empty());
    EXPECT_EQ(Skin.ButtonFaceColor, clBtnFace);
    EXPECT_EQ(Skin.SkinName, "Plain");
}

TEST_F(SkinData, ConstructionDefaults)
{
    TSkinData Skin(nullptr);
    EXPECT_TRUE(Skin.NoSkin);
    EXPECT_FALSE(Skin.Active());
    EXPECT_EQ(Skin.DisableTag(), 99);
    EXPECT_TRUE(Skin.MenuUpdate());
    EXPECT_EQ(Skin.SkinFormtype(), sfMainform);
    EXPECT_TRUE(Skin.SkinControls().Contains(xcSystemMenu));
    EXPECT_FALSE(Skin.SkinControls().Contains(xcFastReport));
    EXPECT_EQ(Skin.SkinStore(), "(none)");
    EXPECT_EQ(Skin.Buttons->Name, "Buttons");
    EXPECT_EQ(Skin.BorderBottom->Name, "Bottom");
    ASSERT_EQ(Skin.Skin3rd()->Count(), 95);
    EXPECT_EQ(Skin.Skin3rd()->Strings(0), "TTBDock=Panel");
    EXPECT_EQ(Skin.Skin3rd()->Strings(94), "TOVCDBNUMERICFIELD=Edit");
    EXPECT_EQ(Skin.Skin3rd()->Strings(14), "TDBCheckboxEh=Checkbox");  // listed twice
    // Four 16 x 16 glyphs: restore, maximise, minimise, close.
    EXPECT_EQ(Skin.MenuImages->Count(), 4);
    EXPECT_EQ(Skin.MenuImages->Width(), 16);
    EXPECT_EQ(Skin.MenuImages->Height(), 16);
    EXPECT_EQ(SkinManager, nullptr);  // made only by Loaded or on demand
}

TEST_F(SkinData, FormSkinVeto)
{
    TSkinData Skin(nullptr);
    auto Ask = [&](const char* Name) {
        bool DoSkin = true;
        Skin.DoFormSkin(Name, DoSkin);
        return DoSkin;
    };
    EXPECT_FALSE(Ask("SysMonthCal32"));
    EXPECT_TRUE(Ask("sysmonthcal32"));
    EXPECT_TRUE(Ask("TfrPreview"));
    Skin.SetSkinControls(Skin.SkinControls() + TSkinControlTypes{xcFastReport});
    EXPECT_FALSE(Ask("TfrPreview"));
    EXPECT_TRUE(Ask("TFRPreview"));
    struct TVeto {
        std::string Seen;
        void Handler(TObject*, const std::string& Name, bool&) { Seen = Name; }
    } Veto;
    Skin.OnFormSkin = TOnFormSkin(&Veto, &TVeto::Handler);
    EXPECT_TRUE(Ask("SysMonthCal32"));  // the handler leaves it true
    EXPECT_EQ(Veto.Seen, "SysMonthCal32");
}

TEST_F(SkinData, StoredSkinStreamsInAndLoadedStartsTheManager)
{
    TSkinRoot Root(nullptr);
    ReadComponentText(SkinDesign(TestSkin()), &Root, "test");
    auto* Skin = dynamic_cast<TSkinData*>(Root.FindComponent("SkinData1"));
    ASSERT_NE(Skin, nullptr);
    EXPECT_FALSE(Skin->NoSkin);
    EXPECT_EQ(Skin->SkinName, "Test skin");
    EXPECT_TRUE(Skin->Active());
    ASSERT_NE(SkinManager, nullptr);
    ASSERT_EQ(SkinManager->SkinDatas.size(), 1u);
    EXPECT_EQ(SkinManager->SkinDatas[0], Skin);
    EXPECT_NE(SkinManager->Hook, nullptr);
    // No window activated yet: action 1 only switches skinning on.
    EXPECT_TRUE(SkinManager->SkinningEnabled);
    EXPECT_EQ(SkinManager->PendingAction, saSkinForms);
    EXPECT_FALSE(SkinManager->Timer->Enabled());
    EXPECT_EQ(Skin->SkinStore(), "(none)");

    // Written back: the length, then the same bytes.
    TMemoryStream Out;
    struct TWriteFiler : TFiler {
        TMemoryStream& Target;
        explicit TWriteFiler(TMemoryStream& T) : Target(T) {}
        void DefineBinaryProperty(const std::string&, TStreamProc, TStreamProc Write, bool HasData) override
        {
            EXPECT_TRUE(HasData);
            Write(Target);
        }
    } Filer(Out);
    Skin->DefineProperties(Filer);
    EXPECT_EQ(Out.Size(), int64_t(TestSkin().size()) + 4);
}

TEST_F(SkinData, RefusedStoredSkinResetsActive)
{
    TSkinRoot Root(nullptr);
    int Shown = MessageBoxesDuring([&] { ReadComponentText(SkinDesign(PackSkin("", {}, 19999)), &Root, "test"); });
    EXPECT_EQ(Shown, 1);
    auto* Skin = dynamic_cast<TSkinData*>(Root.FindComponent("SkinData1"));
    ASSERT_NE(Skin, nullptr);
    EXPECT_TRUE(Skin->NoSkin);
    EXPECT_FALSE(Skin->Active());
    EXPECT_FALSE(SkinManager->SkinningEnabled);

    TSkinRoot Empty(nullptr);
    ReadComponentText("object Root: TSkinRoot\n  object SkinData2: TSkinData\n    SkinStream = {00000000}\n"
                      "  end\nend\n",
                      &Empty, "empty");
    auto* Second = dynamic_cast<TSkinData*>(Empty.FindComponent("SkinData2"));
    ASSERT_NE(Second, nullptr);
    EXPECT_EQ(Second->SkinStream->Size(), 0);
    EXPECT_TRUE(Second->NoSkin);
}

TEST_F(SkinData, OversizedStreamLengthIsAReadError)
{
    TSkinRoot Root(nullptr);
    EXPECT_THROW(ReadComponentText("object Root: TSkinRoot\n  object SkinData1: TSkinData\n"
                                   "    SkinStream = {FFFFFF7F00}\n  end\nend\n",
                                   &Root, "bad"),
                 Exception);
}
