#include "tools/skinart/PantrelSkin.h"

#include "tools/skinart/ControlArt.h"
#include "tools/skinart/FrameArt.h"
#include "tools/skinart/Palette.h"
#include "tools/skinart/ScrollArt.h"

namespace {

// The description's sections in the order a skin author reads them. The numbered colours
// are indexed in this order; "TaskBar", "StartButton" and "WebBlinds" are kept for other
// skin engines and mean nothing to ours.
const char* const SectionOrder[] = {
    "TitlebarSkin", "Personality", "Fonts", "Colours",
    "Colour0", "Colour1", "Colour2", "Colour3", "Colour4", "Colour5", "Colour6", "Colour7", "Colour8",
    "Button0", "Button1", "Button2", "Button3", "Button4", "MDICONTROLS",
    "Buttons", "Progress",
    "GroupBoxEdge", "Toolbars", "Tabs", "StatusBarEdges", "ComboButton", "SunkEdge", "ExtraImages", "Headerbar",
    "MenuItem", "MenuBackground", "Scrollbar", "HorzScroll", "VertScroll", "HorzScrollThumb", "VertScrollThumb",
    "Trackbar.ThumbHorz", "Trackbar.ThumbVert", "Trackbar.ThumbLeft", "Trackbar.ThumbRight", "Trackbar.ThumbUp",
    "Trackbar.ThumbDown", "UpDown.Horz", "UpDown.Vert",
    "TaskBar", "StartButton", "WebBlinds"};

void AddColours(TSkinBuilder& Skin) {
  const std::pair<const char*, TRgb> Colours[] = {
      {"WindowText", Cocoa},      {"ButtonFace", Linen},        {"Scrollbar", Groove},
      {"HilightText", White},     {"Hilight", Terracotta},      {"Menubar", Linen},
      {"Menu", Cream},            {"MenuText", Cocoa},          {"ButtonText", Cocoa},
      {"ButtonHilight", White},   {"Buttonlight", Cream},       {"ButtonShadow", Crust},
      {"ButtonDkShadow", CrustDeep}, {"MenuBarText", Cocoa},    {"TitleTextActive", White},
      {"TitleTextNoActive", Smoke}};
  for (const auto& [Key, Colour] : Colours)
    Skin.Set("Colours", Key, Colour);
  const TRgb Numbered[] = {Cocoa, TerracottaEdge, White, Terracotta, Olive, OliveDeep, Saffron, Crust, Tomato};
  int Index = 0;
  for (TRgb Colour : Numbered)
    Skin.Set("Colour" + std::to_string(Index++), "color", Colour);
}

void AddForeignSections(TSkinBuilder& Skin) {
  Skin.Set("TaskBar", "Enabled", 0);
  Skin.Set("StartButton", "Enabled", 0);
  Skin.Set("WebBlinds", "Enabled", 0);
}

}  // namespace

void BuildPantrelSkin(TSkinBuilder& Skin) {
  for (const char* Name : SectionOrder)
    Skin.Section(Name);
  Skin.Set("TitlebarSkin", "SkinName", "Pantrel Terracotta");
  AddWindowFrame(Skin);
  AddColours(Skin);
  AddCaptionButtons(Skin);
  AddMenus(Skin);
  AddPushButtons(Skin);
  AddProgress(Skin);
  AddControlElements(Skin);
  AddScrollBars(Skin);
  AddTrackBarsAndSpinButtons(Skin);
  AddForeignSections(Skin);
}
