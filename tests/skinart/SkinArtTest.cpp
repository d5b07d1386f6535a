#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "framework/core/IniFile.h"
#include "framework/core/Strings.h"
#include "tools/skinart/MenuGlyphs.h"
#include "tools/skinart/PantrelSkin.h"

namespace {

std::string Upper(std::string Text) {
  for (char& C : Text)
    C = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
  return Text;
}

// The skin as the engine will see it: sections by upper-case name, keys without case.
class PantrelSkinTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    Skin = new TSkinBuilder;
    BuildPantrelSkin(*Skin);
  }
  static void TearDownTestSuite() {
    delete Skin;
    Skin = nullptr;
  }

  static const TSkinBuilder::TSection* Find(const std::string& Section) {
    for (const auto& Each : Skin->Sections())
      if (Upper(Each.Name) == Upper(Section))
        return &Each;
    return nullptr;
  }

  static std::string Value(const std::string& Section, const std::string& Key) {
    if (const auto* Found = Find(Section))
      for (const auto& Pair : Found->Keys)
        if (Upper(Pair.first) == Upper(Key))
          return Pair.second;
    return "";
  }

  static int Integer(const std::string& Section, const std::string& Key) {
    const std::string Text = Value(Section, Key);
    EXPECT_FALSE(Text.empty()) << Section << "/" << Key;
    return std::atoi(Text.c_str());
  }

  static const TRaster& Bitmap(const std::string& Section, const std::string& Key) {
    static const TRaster None;
    const std::string Name = Value(Section, Key);
    for (const auto& Each : Skin->Bitmaps())
      if (Each.FileName == Name)
        return Each.Image;
    ADD_FAILURE() << Section << "/" << Key << " names no bitmap";
    return None;
  }

  static bool HasMagenta(const TRaster& Image) {
    for (int Y = 0; Y < Image.Height(); ++Y)
      for (int X = 0; X < Image.Width(); ++X)
        if (Image.Pixel(X, Y) == Magenta)
          return true;
    return false;
  }

  static TSkinBuilder* Skin;
};

TSkinBuilder* PantrelSkinTest::Skin = nullptr;

// Every element the engine loads: section, image key, frame count and whether the frames
// are stacked; zero frames means the count is the section's own key.
struct TElement {
  const char* Section;
  const char* Key;
  int Frames;
  bool Stacked;
};

const TElement Elements[] = {
    {"Personality", "Left", 2, false},       {"Personality", "Right", 2, false},
    {"Personality", "Top", 2, true},         {"Personality", "Bottom", 2, true},
    {"Personality", "TextBack", 2, true},    {"Personality", "menuBar", 2, true},
    {"Buttons", "Bitmap", 5, false},         {"Buttons", "CheckButton", 4, false},
    {"Buttons", "RadioButton", 4, false},    {"Progress", "Bitmap", 2, false},
    {"Progress", "Chunk", 1, false},         {"GroupBoxEdge", "Image", 2, false},
    {"Toolbars", "Image", 5, false},         {"Tabs", "Image", 5, false},
    {"Tabs", "Border", 1, false},            {"StatusBarEdges", "Image", 3, false},
    {"ComboButton", "Image", 4, false},      {"ComboButton", "****", 4, false},
    {"SunkEdge", "Image", 4, false},         {"ExtraImages", "Image", 5, false},
    {"Headerbar", "Image", 5, false},        {"MenuItem", "Image", 5, false},
    {"MenuBackground", "Image", 1, false},   {"Scrollbar", "Image", 23, false},
    {"HorzScroll", "Image", 4, false},       {"VertScroll", "Image", 4, false},
    {"HorzScrollThumb", "Image", 0, false},  {"VertScrollThumb", "Image", 0, false},
    {"Trackbar.ThumbHorz", "Image", 5, false}, {"Trackbar.ThumbVert", "Image", 5, false},
    {"Trackbar.ThumbLeft", "Image", 5, false}, {"Trackbar.ThumbRight", "Image", 5, false},
    {"Trackbar.ThumbUp", "Image", 5, false}, {"Trackbar.ThumbDown", "Image", 5, false},
    {"UpDown.Horz", "Image", 8, false},      {"UpDown.Horz", "GlyphImage", 8, false},
    {"UpDown.Vert", "Image", 8, false},      {"UpDown.Vert", "GlyphImage", 8, false},
    {"Button0", "ButtonImage", 6, false},    {"Button1", "ButtonImage", 6, false},
    {"Button2", "ButtonImage", 6, false},    {"Button3", "ButtonImage", 6, false},
    {"Button4", "ButtonImage", 1, false},    {"MDICONTROLS", "Image", 12, false}};

}  // namespace

TEST_F(PantrelSkinTest, DescriptionHasTheFortySevenSectionsOnceEach) {
  const auto& Sections = Skin->Sections();
  EXPECT_EQ(Sections.size(), 47u);
  std::set<std::string> Names;
  for (const auto& Each : Sections) {
    EXPECT_TRUE(Names.insert(Upper(Each.Name)).second) << Each.Name;
    EXPECT_FALSE(Each.Keys.empty()) << Each.Name;
  }
  for (const char* Foreign : {"TaskBar", "StartButton", "WebBlinds"})
    EXPECT_TRUE(Names.count(Upper(Foreign))) << Foreign;
  for (const char* Needed : {"TitlebarSkin", "Colours", "Fonts", "MDICONTROLS"})
    EXPECT_TRUE(Names.count(Upper(Needed))) << Needed;
  EXPECT_FALSE(Value("TitlebarSkin", "SkinName").empty());

  // Caption buttons in section order: close, maximise, restore, minimise, icon.
  std::vector<int> Actions;
  for (const auto& Each : Sections) {
    const std::string Name = Upper(Each.Name);
    if (Name.rfind("BUTTON", 0) == 0 && Name != "BUTTONS" && Name != "BUTTON.RADIO" && Name != "BUTTON.CHECKBOX")
      Actions.push_back(Integer(Each.Name, "Action"));
  }
  EXPECT_EQ(Actions, (std::vector<int>{0, 1, 1, 2, 3}));
}

TEST_F(PantrelSkinTest, EveryElementNamesOneOfTheFortyFourBitmapsWithWholeFrames) {
  std::set<std::string> Files;
  for (const auto& Each : Skin->Bitmaps()) {
    EXPECT_TRUE(Files.insert(Each.FileName).second) << Each.FileName;
    ASSERT_GE(Each.FileName.size(), 5u);
    EXPECT_EQ(Each.FileName.substr(Each.FileName.size() - 4), ".bmp") << Each.FileName;
    EXPECT_EQ(Each.FileName.find_first_of("\\/: "), std::string::npos) << Each.FileName;
  }
  EXPECT_EQ(Files.size(), 44u);
  EXPECT_EQ(std::size(Elements), 44u);

  std::set<std::string> Named;
  for (const TElement& Element : Elements) {
    SCOPED_TRACE(std::string(Element.Section) + "/" + Element.Key);
    const TRaster& Image = Bitmap(Element.Section, Element.Key);
    Named.insert(Value(Element.Section, Element.Key));
    const int Frames = Element.Frames ? Element.Frames : Integer(Element.Section, "FrameCount");
    ASSERT_GT(Image.Width(), 0);
    ASSERT_GT(Image.Height(), 0);
    const int Along = Element.Stacked ? Image.Height() : Image.Width();
    EXPECT_EQ(Along % Frames, 0);
    // Margins must leave something between them, or the engine drops them.
    const std::string Section = Element.Section;
    if (Section != "Personality" && Find(Section) && !Value(Section, "LeftWidth").empty()) {
      EXPECT_LT(Integer(Section, "LeftWidth") + Integer(Section, "RightWidth"), Image.Width() / Frames);
      EXPECT_LT(Integer(Section, "TopHeight") + Integer(Section, "BottomHeight"), Image.Height());
    }
  }
  EXPECT_EQ(Named, Files);
}

TEST_F(PantrelSkinTest, OpaqueElementsHaveNoKeyColour) {
  for (const TElement& Element : Elements) {
    const std::string Section = Element.Section, Key = Element.Key;
    std::string Trans;
    if (Section == "Personality" && (Key == "Left" || Key == "Right" || Key == "Top" || Key == "Bottom"))
      Trans = Value(Section, Key + "Trans");
    else if (Section != "Personality" && Key == "Image")
      Trans = Value(Section, "Trans");
    else if (Section == "Personality" && Key == "menuBar")
      Trans = "0";  // the menu bar is always copied opaque
    if (Trans == "0") {
      EXPECT_FALSE(HasMagenta(Bitmap(Section, Key))) << Section << "/" << Key;
    } else if (Trans == "1") {
      EXPECT_TRUE(HasMagenta(Bitmap(Section, Key))) << Section << "/" << Key;
    }
  }
}

TEST_F(PantrelSkinTest, FrameFitsTheTitleBarAndCutsOnlyTheTopCorners) {
  const int Caption = Bitmap("Personality", "Top").Height() / Integer("Personality", "TopFrame");
  EXPECT_EQ(Integer("Personality", "LeftTopHeight"), Caption);
  EXPECT_EQ(Integer("Personality", "RightTopHeight"), Caption);
  EXPECT_EQ(Bitmap("Personality", "TextBack").Height() / 2, Caption);
  EXPECT_EQ(Bitmap("Personality", "Left").Width() / 2, Bitmap("Personality", "Right").Width() / 2);
  EXPECT_EQ(Bitmap("Personality", "Left").Height(), Bitmap("Personality", "Right").Height());

  for (const char* Piece : {"Left", "Right"}) {
    SCOPED_TRACE(Piece);
    const TRaster& Image = Bitmap("Personality", Piece);
    const int Width = Image.Width() / 2;
    const bool IsLeft = std::string(Piece) == "Left";
    for (int Frame = 0; Frame < 2; ++Frame) {
      const int Outer = Frame * Width + (IsLeft ? 0 : Width - 1);
      const int Inner = Frame * Width + (IsLeft ? Width - 1 : 0);
      EXPECT_EQ(Image.Pixel(Outer, 0), Magenta);
      EXPECT_NE(Image.Pixel(Outer, Caption), Magenta);
      EXPECT_NE(Image.Pixel(Outer, Image.Height() - 1), Magenta);
      EXPECT_NE(Image.Pixel(Inner, Caption / 2), Magenta);
    }
  }
  // The rounding runs on into the ends of the title piece but not into its middle.
  const TRaster& Top = Bitmap("Personality", "Top");
  EXPECT_EQ(Top.Pixel(0, 0), Magenta);
  EXPECT_EQ(Top.Pixel(Top.Width() - 1, 0), Magenta);
  EXPECT_NE(Top.Pixel(Top.Width() / 2, 0), Magenta);
  EXPECT_NE(Top.Pixel(0, Caption / 2), Magenta);
}

TEST_F(PantrelSkinTest, CaptionButtonsFitTheTitleBarAndKeepTheirFrameCounts) {
  const int Caption = Bitmap("Personality", "Top").Height() / 2;
  for (const char* Section : {"Button0", "Button1", "Button2", "Button3", "Button4"}) {
    SCOPED_TRACE(Section);
    const TRaster& Image = Bitmap(Section, "ButtonImage");
    const int Frames = Integer(Section, "frame");
    EXPECT_LE(Integer(Section, "Ycoord") + Image.Height(), Caption);
    if (Integer(Section, "Align") == 1) {
      // Right-aligned buttons stay clear of the right border.
      EXPECT_GE(Integer(Section, "Xcoord") - Image.Width() / Frames, Bitmap("Personality", "Right").Width() / 2);
      // Without the frame key the engine would derive the same count from the proportions.
      EXPECT_EQ(static_cast<double>(Image.Width()) / Image.Height() > 3.8 ? 6 : 3, Frames);
    }
  }
  // The maximised-child strip holds three buttons of four frames; they sit on the menu bar.
  const TRaster& Mdi = Bitmap("MDICONTROLS", "Image");
  EXPECT_EQ(Mdi.Width() % 12, 0);
  EXPECT_LE(Mdi.Height(), Bitmap("Personality", "menuBar").Height() / 2);
}

TEST_F(PantrelSkinTest, CheckAndRadioCountsAgreeWithTheDerivedOnes) {
  for (const char* Key : {"CheckButton", "RadioButton"}) {
    const TRaster& Image = Bitmap("Buttons", Key);
    const int Derived = std::max(Image.Width() / (Image.Height() < 16 ? 13 : 16), 4);
    EXPECT_EQ(Integer("Buttons", std::string(Key) + "Frame"), Derived) << Key;
    // The box sits in the 14-pixel cell of the native box.
    EXPECT_LE(Image.Width() / Derived, 14) << Key;
  }
}

TEST_F(PantrelSkinTest, ColoursAreThreeNumbersEachAndNumberedInOrder) {
  const auto Check = [](const std::string& Text) {
    int R = -1, G = -1, B = -1;
    char Rest = 0;
    EXPECT_EQ(std::sscanf(Text.c_str(), "%d %d %d%c", &R, &G, &B, &Rest), 3) << Text;
    for (int Part : {R, G, B}) {
      EXPECT_GE(Part, 0) << Text;
      EXPECT_LE(Part, 255) << Text;
    }
  };
  const auto* Colours = Find("Colours");
  ASSERT_NE(Colours, nullptr);
  EXPECT_EQ(Colours->Keys.size(), 16u);
  for (const auto& Pair : Colours->Keys)
    Check(Pair.second);
  int Next = 0;
  for (const auto& Each : Skin->Sections()) {
    const std::string Name = Upper(Each.Name);
    if (Name.rfind("COLOUR", 0) == 0 && Name != "COLOURS") {
      EXPECT_EQ(Name, "COLOUR" + std::to_string(Next++));
      Check(Value(Each.Name, "color"));
    }
  }
  EXPECT_EQ(Next, 9);
  for (const char* Key : {"NormalColour2", "MouseOverColour2", "PressedColour2"})
    Check(Value("Buttons", Key));
  EXPECT_LT(Integer("Buttons", "MouseOverColour"), Next);
}

TEST_F(PantrelSkinTest, WritesTheDescriptionAndEveryBitmapIntoOneFolder) {
  const std::filesystem::path Folder = std::filesystem::temp_directory_path() / "pantrel_skinart_test";
  std::filesystem::remove_all(Folder);
  std::filesystem::create_directories(Folder);
  ASSERT_TRUE(Skin->Write(Folder.string(), PantrelDescriptionName));
  size_t Count = 0;
  for (const auto& Entry : std::filesystem::directory_iterator(Folder)) {
    (void)Entry;
    ++Count;
  }
  EXPECT_EQ(Count, 45u);
  std::ifstream Text(Folder / PantrelDescriptionName, std::ios::binary);
  const std::string Written((std::istreambuf_iterator<char>(Text)), std::istreambuf_iterator<char>());
  EXPECT_EQ(Written, Skin->DescriptionText());
  EXPECT_EQ(Written.find('\n'), Written.find("\r\n") + 1);
  EXPECT_TRUE(std::all_of(Written.begin(), Written.end(), [](char C) { return static_cast<unsigned char>(C) < 128; }));
  std::filesystem::remove_all(Folder);
}

TEST_F(PantrelSkinTest, ProgramsIniReaderSeesEverySectionAndValue) {
  const TMemIniFile Ini(Skin->DescriptionText());
  TStringList Sections;
  Ini.ReadSections(Sections);
  ASSERT_EQ(Sections.Count(), 47);
  for (int Index = 0; Index < Sections.Count(); ++Index) {
    const auto& Section = Skin->Sections()[Index];
    EXPECT_EQ(Sections[Index], Section.Name);
    TStringList Keys;
    Ini.ReadSection(Section.Name, Keys);
    EXPECT_EQ(Keys.Count(), static_cast<int>(Section.Keys.size())) << Section.Name;
    for (const auto& [Key, Value] : Section.Keys)
      EXPECT_EQ(Ini.ReadString(Section.Name, Key, "(missing)"), Value) << Section.Name << "/" << Key;
  }
}

TEST(MenuGlyphs, FourSeparateGlyphsInTheirCells) {
  const TRaster Strip = DrawMenuGlyphs();
  ASSERT_EQ(Strip.Width(), 64);
  ASSERT_EQ(Strip.Height(), 16);
  const TRgb Black{0, 0, 0}, White{255, 255, 255};
  std::vector<int> RowsUsed[4];
  for (int Cell = 0; Cell < 4; ++Cell) {
    for (int Y = 0; Y < 16; ++Y) {
      bool Any = false;
      for (int X = 0; X < 16; ++X) {
        const TRgb P = Strip.Pixel(Cell * 16 + X, Y);
        ASSERT_TRUE(P == Black || P == White);
        Any |= P == Black;
        // Glyphs keep off the cell's edges, so neighbours never touch.
        if (X == 0 || X == 15 || Y == 0 || Y == 15) {
          EXPECT_EQ(P, White) << "cell " << Cell << " at " << X << "," << Y;
        }
      }
      if (Any)
        RowsUsed[Cell].push_back(Y);
    }
    EXPECT_FALSE(RowsUsed[Cell].empty()) << Cell;
  }
  // Minimise is a short bar in the middle: few rows, around the centre.
  EXPECT_LE(RowsUsed[2].size(), 4u);
  EXPECT_GE(RowsUsed[2].front(), 5);
  EXPECT_LE(RowsUsed[2].back(), 10);
  // Maximise has a thick top edge: its first two rows are solid across.
  const int Top = RowsUsed[1].front();
  for (int Row : {Top, Top + 1})
    EXPECT_EQ(Strip.Pixel(16 + 8, Row), Black);
  EXPECT_EQ(Strip.Pixel(16 + 8, Top + 4), White);
  // Close is a diagonal cross: symmetric left to right and top to bottom.
  for (int Y = 0; Y < 16; ++Y)
    for (int X = 0; X < 16; ++X) {
      EXPECT_EQ(Strip.Pixel(48 + X, Y), Strip.Pixel(48 + 15 - X, Y));
      EXPECT_EQ(Strip.Pixel(48 + X, Y), Strip.Pixel(48 + X, 15 - Y));
    }
  // Restore shows two outlines: more rows than the single maximise window.
  EXPECT_GT(RowsUsed[0].size(), 8u);
}
