// Pantrel's own skin through the program's skin component: every element the artwork draws
// is found and loads with the frame counts it was drawn for.
#include <gtest/gtest.h>

#include <string>

#include "skin/data/SkinData.h"

namespace {

bool LoadPantrelSkin(TSkinData& Skin) {
  Skin.SkinStream->LoadFromFile(PANTREL_SKIN_FILE_PATH);
  return Skin.LoadSkin();
}

void ExpectImage(const TDataSkinObject* Element, const char* Name, int Frames) {
  ASSERT_NE(Element, nullptr) << Name;
  EXPECT_FALSE(Element->Bitmap->Empty()) << Name;
  EXPECT_EQ(Element->FrameCount, Frames) << Name;
  EXPECT_EQ(Element->Bitmap->Width() % Frames, 0) << Name;
}

}  // namespace

TEST(PantrelSkinLoad, EveryElementLoadsWithItsFrames) {
  TSkinData Skin(nullptr);
  ASSERT_TRUE(LoadPantrelSkin(Skin));
  EXPECT_FALSE(Skin.NoSkin);
  EXPECT_EQ(Skin.SkinName, "Pantrel Terracotta");

  const struct {
    const char* Name;
    const TDataSkinObject* Element;
    int Frames;
  } Side[] = {{"BorderLeft", Skin.BorderLeft.get(), 2},
              {"BorderRight", Skin.BorderRight.get(), 2},
              {"Buttons", Skin.Buttons.get(), 5},
              {"Progress", Skin.Progress.get(), 2},
              {"GroupBoxEdge", Skin.GroupBoxEdge.get(), 2},
              {"Toolbars", Skin.Toolbars.get(), 5},
              {"Tabs", Skin.Tabs.get(), 5},
              {"StatusBarEdges", Skin.StatusBarEdges.get(), 3},
              {"ComboButton", Skin.ComboButton.get(), 4},
              {"SunkEdge", Skin.SunkEdge.get(), 4},
              {"ExtraImages", Skin.ExtraImages.get(), 5},
              {"Headerbar", Skin.Headerbar.get(), 5},
              {"MenuItem", Skin.MenuItem.get(), 5},
              {"MenuBackground", Skin.MenuBackground.get(), 1},
              {"Scrollbar", Skin.Scrollbar.get(), 23},
              {"HorzScroll", Skin.HorzScroll.get(), 4},
              {"VertScroll", Skin.VertScroll.get(), 4},
              {"HorzScrollThumb", Skin.HorzScrollThumb.get(), 3},
              {"VertScrollThumb", Skin.VertScrollThumb.get(), 3},
              {"TrackbarThumbHorz", Skin.TrackbarThumbHorz.get(), 5},
              {"TrackbarThumbVert", Skin.TrackbarThumbVert.get(), 5},
              {"TrackbarThumbLeft", Skin.TrackbarThumbLeft.get(), 5},
              {"TrackbarThumbRight", Skin.TrackbarThumbRight.get(), 5},
              {"TrackbarThumbUp", Skin.TrackbarThumbUp.get(), 5},
              {"TrackbarThumbDown", Skin.TrackbarThumbDown.get(), 5},
              {"UpDownHorz", Skin.UpDownHorz.get(), 8},
              {"UpDownVert", Skin.UpDownVert.get(), 8}};
  for (const auto& Each : Side)
    ExpectImage(Each.Element, Each.Name, Each.Frames);

  // Pieces whose frames are stacked.
  const TDataSkinObject* const StackedPieces[] = {Skin.BorderTop.get(), Skin.BorderBottom.get(), Skin.MenuBar.get(),
                                                  Skin.Title.get()};
  for (const TDataSkinObject* Stacked : StackedPieces) {
    ASSERT_NE(Stacked, nullptr);
    EXPECT_FALSE(Stacked->Bitmap->Empty()) << Stacked->Name;
    EXPECT_EQ(Stacked->Bitmap->Height() % 2, 0) << Stacked->Name;
  }
  const int Caption = Skin.BorderTop->Bitmap->Height() / Skin.BorderTop->FrameCount;
  EXPECT_EQ(Skin.BorderLeft->TopHeight, Caption);
  EXPECT_EQ(Skin.Title->Bitmap->Height() / 2, Caption);

  // Second images: the tab page border, the progress chunk, the spin-button glyphs and the
  // mirrored combo button.
  const TDataSkinBorder* const WithSecondImage[] = {Skin.Tabs.get(), Skin.Progress.get(), Skin.UpDownHorz.get(),
                                                   Skin.UpDownVert.get(), Skin.ComboButton.get()};
  for (const TDataSkinBorder* Element : WithSecondImage)
    EXPECT_FALSE(Element->Bitmap2->Empty()) << Element->Name;
  EXPECT_EQ(Skin.ComboButton->Bitmap2->Width(), Skin.ComboButton->Bitmap->Width());

  EXPECT_FALSE(Skin.Buttons->CheckBitmap->Empty());
  EXPECT_FALSE(Skin.Buttons->RadioBitmap->Empty());
  EXPECT_EQ(Skin.Buttons->CheckFrameCount, 4);
  EXPECT_EQ(Skin.Buttons->RadioFrameCount, 4);
}

TEST(PantrelSkinLoad, CaptionButtonsColoursAndMenuGlyphs) {
  TSkinData Skin(nullptr);
  ASSERT_TRUE(LoadPantrelSkin(Skin));

  // Close, maximise, restore, minimise, icon, then the three maximised-child buttons.
  ASSERT_EQ(Skin.SysButtons.size(), 8u);
  const int Actions[] = {0, 1, 1, 2, 3, 7, 8, 9};
  const int Frames[] = {6, 6, 6, 6, 1, 4, 4, 4};
  for (size_t Index = 0; Index < Skin.SysButtons.size(); ++Index) {
    const TDataSkinSysButton& Button = *Skin.SysButtons[Index];
    EXPECT_EQ(Button.Action, Actions[Index]) << Index;
    EXPECT_EQ(Button.FrameCount, Frames[Index]) << Index;
    EXPECT_FALSE(Button.Bitmap->Empty()) << Index;
  }
  const int MdiWidth = Skin.SysButtons[5]->Bitmap->Width() / 4;
  EXPECT_EQ(Skin.SysButtons[5]->XCoord, (MdiWidth + 4) * 3);

  EXPECT_EQ(Skin.Colours.size(), 9u);
  EXPECT_EQ(Skin.ButtonFaceColor, TColor(241 | 230 << 8 | 208 << 16));
  EXPECT_EQ(Skin.Title->ActiveTextColor, Skin.TitleTextActiveColor);
  EXPECT_EQ(Skin.Title->InactiveTextColor, Skin.TitleTextNoActiveColor);

  // The glyph strip linked in as "MORVELMENU": four 16-pixel images.
  ASSERT_NE(Skin.MenuImages, nullptr);
  EXPECT_EQ(Skin.MenuImages->Count(), 4);
}
