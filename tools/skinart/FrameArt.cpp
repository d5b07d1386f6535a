#include "tools/skinart/FrameArt.h"

#include <functional>

#include "tools/skinart/Glyphs.h"
#include "tools/skinart/Palette.h"

namespace {

// The frame is drawn as one small window and then cut into its four pieces, so that the
// rounded top corners run on smoothly from the side pieces into the title piece.
constexpr int WindowWidth = 70;
constexpr int WindowHeight = CaptionHeight + 16 + BorderWidth;
constexpr int CornerRadius = 10;
// The title piece keeps its rounded ends at their own size and stretches the middle.
constexpr int TitleCap = 16;

TShape Rect(double Left, double Top, double Right, double Bottom) { return RoundRect(Left, Top, Right, Bottom, 0); }

// Rounded at the top, square at the bottom.
TShape WindowShape(double Inset) {
  return Union(RoundRect(Inset, Inset, WindowWidth - Inset, WindowHeight - Inset, CornerRadius - Inset),
               Rect(Inset, CornerRadius, WindowWidth - Inset, WindowHeight - Inset));
}

TRaster DrawWindow(bool Active) {
  const TRgb Edge = Active ? TerracottaEdge : AshEdge;
  const TRgb Face = Active ? Terracotta : Ash;
  const TRgb Deep = Active ? TerracottaDeep : AshDeep;
  TRaster Window(WindowWidth, WindowHeight, Edge);
  const TPaint Title = TitlePaint(Active, 1, CaptionHeight);
  Window.Fill(WindowShape(1), [&](double X, double Y) { return Y < CaptionHeight ? Title(X, Y) : Face; });
  // A glint along the rim of the title bar.
  Window.Fill(Subtract(Outline(WindowShape(1), 1), Rect(-1, CaptionHeight - 1, WindowWidth + 1, WindowHeight + 1)),
              White, 0.35);
  Window.FillRect(1, CaptionHeight - 1, WindowWidth - 1, CaptionHeight, Mix(Deep, Edge, 0.5));
  // The edge around menu bar and client area.
  const int InnerLeft = BorderWidth - 1, InnerRight = WindowWidth - BorderWidth;
  const int InnerBottom = WindowHeight - BorderWidth;
  Window.FillRect(InnerLeft, CaptionHeight, InnerLeft + 1, InnerBottom + 1, Edge);
  Window.FillRect(InnerRight, CaptionHeight, InnerRight + 1, InnerBottom + 1, Edge);
  Window.FillRect(InnerLeft, InnerBottom, InnerRight + 1, InnerBottom + 1, Edge);
  Window.FillRect(1, CaptionHeight, 2, WindowHeight - 1, Mix(Face, White, 0.25));
  Window.KeyOutside(WindowShape(0));
  return Window;
}

void AddFramePiece(TSkinBuilder& Skin, const std::string& Piece, const std::string& FileName, TRaster Image,
                   int StartMargin, int EndMargin, int Trans) {
  Skin.SetBitmap("Personality", Piece, FileName, std::move(Image));
  Skin.Set("Personality", Piece + "TopHeight", StartMargin);
  Skin.Set("Personality", Piece + "BotHeight", EndMargin);
  Skin.Set("Personality", Piece + "Frame", 2);
  Skin.Set("Personality", Piece + "Stretch", 1);
  Skin.Set("Personality", Piece + "Trans", Trans);
}

// The band behind the caption text: a sunken pill, laid over the title bar's own colours.
constexpr int BandCap = 12;

TRaster DrawTitleBand(bool Active) {
  const int Width = 2 * BandCap + 16;
  TRaster Band(Width, CaptionHeight);
  Band.FillRect(0, 0, Width, CaptionHeight, TitlePaint(Active, 1, CaptionHeight));
  const TShape Pill = RoundRect(0, 5, Width, CaptionHeight - 5, 9);
  // Light text reads on a darker pill, the inactive title's dark text on a lighter one.
  if (Active)
    Band.Fill(Pill, TerracottaEdge, 0.30);
  else
    Band.Fill(Pill, White, 0.25);
  Band.Fill(Subtract(Outline(Pill, 1), Rect(0, 6, Width, CaptionHeight)), TerracottaEdge, 0.35);
  Band.Fill(Subtract(Outline(Pill, 1), Rect(0, 0, Width, CaptionHeight - 7)), White, 0.30);
  Band.KeyOutside(Pill);
  return Band;
}

// Caption buttons: 20 x 18, five pixels below the top of the title bar.
constexpr int ButtonWidth = 20, ButtonHeight = 18, ButtonTop = 5;

enum class TButtonState { Normal, Pressed, Hot };

using TGlyph = std::function<TShape(double X, double Y)>;

TRaster DrawCaptionButton(const TGlyph& Glyph, bool Active, TButtonState State, bool IsClose) {
  TRaster Frame(ButtonWidth, ButtonHeight);
  const TPaint Title = TitlePaint(Active, 1, CaptionHeight);
  Frame.FillRect(0, 0, ButtonWidth, ButtonHeight, [&](double X, double Y) { return Title(X, Y + ButtonTop); });
  const TShape Face = RoundRect(0, 0, ButtonWidth, ButtonHeight, 4);
  const TRgb Edge = Active ? TerracottaEdge : AshEdge;
  switch (State) {
  case TButtonState::Normal:
    Frame.Fill(Face, White, 0.14);
    break;
  case TButtonState::Hot:
    if (IsClose && Active)
      Frame.Fill(Face, Gradient({0, 0}, Mix(Tomato, White, 0.2), {0, ButtonHeight}, Tomato));
    else
      Frame.Fill(Face, White, 0.32);
    break;
  case TButtonState::Pressed:
    Frame.Fill(Face, Edge, 0.40);
    break;
  }
  Frame.Fill(Outline(Face, 1), Edge, 0.6);
  if (State != TButtonState::Pressed)
    Frame.Fill(Subtract(Outline(RoundRect(1, 1, ButtonWidth - 1, ButtonHeight - 1, 3), 1),
                        Rect(0, 4, ButtonWidth, ButtonHeight)),
               White, 0.35);
  const double Shift = State == TButtonState::Pressed ? 1 : 0;
  Frame.Fill(Glyph(ButtonWidth / 2.0 + Shift, ButtonHeight / 2.0 + Shift), Active ? White : Smoke,
             Active ? 1.0 : 0.85);
  Frame.KeyOutside(Face);
  return Frame;
}

// Six states side by side: active normal, pressed, hot, then the same for an inactive window.
TRaster CaptionButtonImage(const TGlyph& Glyph, bool IsClose) {
  std::vector<TRaster> Frames;
  for (bool Active : {true, false})
    for (TButtonState State : {TButtonState::Normal, TButtonState::Pressed, TButtonState::Hot})
      Frames.push_back(DrawCaptionButton(Glyph, Active, State, IsClose));
  return SideBySide(Frames);
}

void AddCaptionButton(TSkinBuilder& Skin, const std::string& Section, const std::string& FileName, TRaster Image,
                      int Action, int Align, int XCoord, int YCoord, int Visibility, int Frames) {
  Skin.Set(Section, "Action", Action);
  Skin.Set(Section, "Align", Align);
  Skin.Set(Section, "Xcoord", XCoord);
  Skin.Set(Section, "Ycoord", YCoord);
  Skin.Set(Section, "Visibility", Visibility);
  Skin.Set(Section, "Visibility1", 0);
  Skin.Set(Section, "frame", Frames);
  Skin.SetBitmap(Section, "ButtonImage", FileName, std::move(Image));
}

// A little stock pot; the engine shows the window's own icon in its place.
TRaster DrawIcon() {
  TRaster Icon(16, 16, Magenta);
  const TShape Pot = RoundRect(2, 6, 14, 15, 3);
  Icon.FillHard(Pot, Gradient({0, 6}, Saffron, {0, 15}, Mix(Saffron, TerracottaDeep, 0.5)));
  Icon.FillHard(Outline(Pot, 1), TerracottaEdge);
  Icon.FillHard(RoundRect(1, 4, 15, 6.5, 1), TerracottaDeep);
  Icon.FillHard(RoundRect(6.5, 2, 9.5, 4.5, 1), TerracottaDeep);
  Icon.FillHard(Segment({0.5, 9}, {2, 9}, 1.5), TerracottaEdge);
  Icon.FillHard(Segment({14, 9}, {15.5, 9}, 1.5), TerracottaEdge);
  return Icon;
}

// Menu bar: cream, a shade darker towards its lower edge.
constexpr int MenuBarHeight = 20;

TPaint MenuBarPaint(bool Active, double Top) {
  const TRgb Upper = Active ? White : Cream;
  const TRgb Lower = Active ? Linen : Mix(Linen, Ash, 0.25);
  return Gradient({0, Top}, Upper, {0, Top + MenuBarHeight}, Lower);
}

TRaster DrawMenuBar(bool Active) {
  TRaster Bar(40, MenuBarHeight);
  Bar.FillRect(0, 0, 40, MenuBarHeight, MenuBarPaint(Active, 0));
  Bar.FillRect(0, MenuBarHeight - 1, 40, MenuBarHeight, Wheat);
  return Bar;
}

// The minimise, restore and close buttons of a maximised child window, shown on the menu
// bar: four states each (normal, pressed, and twice hot), 16 x 14.
constexpr int MdiWidth = 16, MdiHeight = 14;

TRaster DrawMdiButton(const TGlyph& Glyph, TButtonState State) {
  TRaster Frame(MdiWidth, MdiHeight);
  const TPaint Bar = MenuBarPaint(true, 0);
  const double Top = (MenuBarHeight - MdiHeight) / 2.0;
  Frame.FillRect(0, 0, MdiWidth, MdiHeight, [&](double X, double Y) { return Bar(X, Y + Top); });
  const TShape Face = RoundRect(0, 0, MdiWidth, MdiHeight, 3);
  if (State != TButtonState::Normal) {
    Frame.Fill(Face, State == TButtonState::Pressed ? Wheat : Cream);
    Frame.Fill(Outline(Face, 1), State == TButtonState::Pressed ? CrustDeep : Crust);
  }
  const double Shift = State == TButtonState::Pressed ? 1 : 0;
  Frame.Fill(Glyph(MdiWidth / 2.0 + Shift, MdiHeight / 2.0 + Shift), State == TButtonState::Hot ? TerracottaDeep : Cocoa);
  Frame.KeyOutside(Face);
  return Frame;
}

// Menu items: normal, separator, disabled, selected and default; only the selected one and
// the separator line have paint, the rest lets the menu's background show.
constexpr int ItemWidth = 40, ItemHeight = 20;

TRaster DrawMenuItemFrame(int Index) {
  TRaster Frame(ItemWidth, ItemHeight, Magenta);
  if (Index == 1) {
    Frame.FillRect(2, ItemHeight - 5, ItemWidth - 2, ItemHeight - 4, Wheat);
    Frame.FillRect(2, ItemHeight - 4, ItemWidth - 2, ItemHeight - 3, White);
  } else if (Index == 3) {
    Frame.FillRect(0, 0, ItemWidth, ItemHeight, Cream);
    const TShape Face = RoundRect(1, 1, ItemWidth - 1, ItemHeight - 1, 4);
    Frame.Fill(Face, Gradient({0, 1}, TerracottaLight, {0, ItemHeight - 1}, Terracotta));
    Frame.Fill(Outline(Face, 1), TerracottaDeep);
    Frame.Fill(Subtract(Outline(RoundRect(2, 2, ItemWidth - 2, ItemHeight - 2, 3), 1), Rect(0, 5, ItemWidth, ItemHeight)),
               White, 0.3);
    Frame.KeyOutside(Face);
  }
  return Frame;
}

// The popup menu's background: a thin crust-coloured rim, a linen strip on the left behind
// the item pictures and cream under the texts.
constexpr int MenuStrip = 26;

TRaster DrawMenuBackground() {
  const int Width = 64, Height = 32;
  TRaster Back(Width, Height, Cream);
  Back.FillRect(3, 3, MenuStrip - 1, Height - 3, Gradient({3, 0}, Cream, {MenuStrip - 1.0, 0}, Linen));
  Back.FillRect(MenuStrip - 1, 3, MenuStrip, Height - 3, Wheat);
  Back.FillRect(0, 0, Width, 1, Crust);
  Back.FillRect(0, Height - 1, Width, Height, Crust);
  Back.FillRect(0, 0, 1, Height, Crust);
  Back.FillRect(Width - 1, 0, Width, Height, Crust);
  Back.FillRect(1, 1, Width - 1, 2, White);
  Back.FillRect(1, 1, 2, Height - 1, White);
  return Back;
}

}  // namespace

void AddWindowFrame(TSkinBuilder& Skin) {
  const TRaster Active = DrawWindow(true), Inactive = DrawWindow(false);
  // Each piece holds the active look, then the inactive one.
  auto Piece = [&](int X, int Y, int Width, int Height, bool Stack) {
    const std::vector<TRaster> Frames{Active.Crop(X, Y, Width, Height), Inactive.Crop(X, Y, Width, Height)};
    return Stack ? Stacked(Frames) : SideBySide(Frames);
  };
  const int Right = WindowWidth - BorderWidth, Bottom = WindowHeight - BorderWidth;
  const int TopWidth = WindowWidth - 2 * BorderWidth;
  AddFramePiece(Skin, "Left", "frame_left.bmp", Piece(0, 0, BorderWidth, WindowHeight, false), CaptionHeight,
                BorderWidth, 1);
  AddFramePiece(Skin, "Right", "frame_right.bmp", Piece(Right, 0, BorderWidth, WindowHeight, false), CaptionHeight,
                BorderWidth, 1);
  AddFramePiece(Skin, "Top", "frame_top.bmp", Piece(BorderWidth, 0, TopWidth, CaptionHeight, true), TitleCap,
                TitleCap, 1);
  AddFramePiece(Skin, "Bottom", "frame_bottom.bmp", Piece(BorderWidth, Bottom, TopWidth, BorderWidth, true), 0, 0, 0);

  Skin.SetBitmap("Personality", "TextBack", "title_band.bmp", Stacked({DrawTitleBand(true), DrawTitleBand(false)}));
  Skin.Set("Personality", "TextShift", 22);
  Skin.Set("Personality", "TextShiftVert", 0);
  Skin.Set("Personality", "TextRightClip", 84);
  Skin.Set("Personality", "TextAlignment", 0);
  Skin.Set("Personality", "Textbackground", 1);
  Skin.Set("Personality", "TXTBackleft", BandCap);
  Skin.Set("Personality", "TXTBackRight", BandCap);
  for (const auto& [Prefix, Colour] : {std::pair{"ActiveText", White}, std::pair{"InActiveText", Smoke}}) {
    Skin.Set("Personality", std::string(Prefix) + "R", Colour.R);
    Skin.Set("Personality", std::string(Prefix) + "G", Colour.G);
    Skin.Set("Personality", std::string(Prefix) + "B", Colour.B);
  }
  Skin.Set("Fonts", "FontHeight", 14);
}

void AddCaptionButtons(TSkinBuilder& Skin) {
  // Whole-pixel sizes about the button's centre keep the window outlines crisp.
  const TGlyph Close = [](double X, double Y) { return CloseGlyph(X, Y, 7, 1.8); };
  const TGlyph Maximize = [](double X, double Y) { return MaximizeGlyph(X, Y, 10, 1); };
  const TGlyph Restore = [](double X, double Y) { return RestoreGlyph(X, Y, 10, 1); };
  const TGlyph Minimize = [](double X, double Y) { return MinimizeGlyph(X, Y + 4, 8, 1); };
  // Right-aligned from the close button leftwards, three pixels apart; maximise shows while
  // the window is not maximised, restore while it is.
  const int Step = ButtonWidth + 3, First = BorderWidth + 2 + ButtonWidth;
  AddCaptionButton(Skin, "Button0", "caption_close.bmp", CaptionButtonImage(Close, true), 0, 1, First, ButtonTop, 0, 6);
  AddCaptionButton(Skin, "Button1", "caption_maximize.bmp", CaptionButtonImage(Maximize, false), 1, 1, First + Step,
                   ButtonTop, 2, 6);
  AddCaptionButton(Skin, "Button2", "caption_restore.bmp", CaptionButtonImage(Restore, false), 1, 1, First + Step,
                   ButtonTop, 1, 6);
  AddCaptionButton(Skin, "Button3", "caption_minimize.bmp", CaptionButtonImage(Minimize, false), 2, 1,
                   First + 2 * Step, ButtonTop, 0, 6);
  AddCaptionButton(Skin, "Button4", "caption_icon.bmp", DrawIcon(), 3, 0, 8, (CaptionHeight - 16) / 2, 0, 1);

  std::vector<TRaster> Frames;
  const TGlyph MdiGlyphs[] = {[](double X, double Y) { return MinimizeGlyph(X, Y + 3, 8, 1); },
                              [](double X, double Y) { return RestoreGlyph(X, Y, 8, 1); },
                              [](double X, double Y) { return CloseGlyph(X, Y, 6, 1.4); }};
  for (const TGlyph& Glyph : MdiGlyphs)
    for (TButtonState State : {TButtonState::Normal, TButtonState::Pressed, TButtonState::Hot, TButtonState::Hot})
      Frames.push_back(DrawMdiButton(Glyph, State));
  Skin.SetBitmap("MDICONTROLS", "Image", "mdi_controls.bmp", SideBySide(Frames));
}

void AddMenus(TSkinBuilder& Skin) {
  Skin.SetBitmap("Personality", "menuBar", "menu_bar.bmp", Stacked({DrawMenuBar(true), DrawMenuBar(false)}));
  Skin.Set("Personality", "TileMenu", 0);
  Skin.Set("Personality", "TileLeftMenu", 4);
  Skin.Set("Personality", "TileRightMenu", 4);

  std::vector<TRaster> Items;
  for (int Index = 0; Index < 5; ++Index)
    Items.push_back(DrawMenuItemFrame(Index));
  Skin.SetBitmap("MenuItem", "Image", "menu_item.bmp", SideBySide(Items));
  Skin.Set("MenuItem", "Style", 0);
  Skin.SetMargins("MenuItem", 4, 4, 4, 4);
  Skin.Set("MenuItem", "Trans", 1);
  Skin.Set("MenuItem", "Tile", 0);

  Skin.SetBitmap("MenuBackground", "Image", "menu_background.bmp", DrawMenuBackground());
  Skin.Set("MenuBackground", "Style", 0);
  Skin.SetMargins("MenuBackground", MenuStrip, 3, 3, 3);
  Skin.Set("MenuBackground", "Trans", 0);
  Skin.Set("MenuBackground", "Tile", 0);
}
