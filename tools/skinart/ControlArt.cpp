#include "tools/skinart/ControlArt.h"

#include "tools/skinart/Faces.h"
#include "tools/skinart/Glyphs.h"
#include "tools/skinart/Palette.h"

namespace {

TShape Rect(double Left, double Top, double Right, double Bottom) { return RoundRect(Left, Top, Right, Bottom, 0); }

// The five states in the order the engine numbers them: normal, pressed, disabled, hot, default.
constexpr TFace FiveStates[] = {TFace::Normal, TFace::Pressed, TFace::Disabled, TFace::Hot, TFace::Default};
// Four-state elements leave out the default look.
constexpr TFace FourStates[] = {TFace::Normal, TFace::Pressed, TFace::Disabled, TFace::Hot};

// One frame per state, side by side.
template <size_t Count, typename TDraw>
TRaster Frames(const TFace (&States)[Count], TDraw Draw) {
  std::vector<TRaster> Images;
  for (TFace State : States)
    Images.push_back(Draw(State));
  return SideBySide(Images);
}

void SetTextColours(TSkinBuilder& Skin, const std::string& Section, TRgb Normal, TRgb Hot, TRgb Pressed) {
  Skin.Set(Section, "NormalColour", 0);
  Skin.Set(Section, "MouseOverColour", 1);
  Skin.Set(Section, "PressedColour", 0);
  Skin.Set(Section, "NormalColour2", Normal);
  Skin.Set(Section, "MouseOverColour2", Hot);
  Skin.Set(Section, "PressedColour2", Pressed);
}

void SetFlags(TSkinBuilder& Skin, const std::string& Section, int Trans, int Tile) {
  Skin.Set(Section, "Trans", Trans);
  Skin.Set(Section, "Tile", Tile);
}

// Check box and radio button images: 13 x 13, unchecked, checked, and both disabled.
constexpr int BoxSize = 13;

TRaster DrawCheckBox(bool Checked, bool Enabled) {
  TRaster Box(BoxSize, BoxSize, Linen);
  const TShape Shape = RoundRect(0, 0, BoxSize, BoxSize, 2.5);
  Box.Fill(Shape, Enabled ? Gradient({0, 1}, Cream, {0, 12}, White) : Solid(Pale));
  Box.Fill(Outline(Shape, 1), Enabled ? Crust : PaleEdge);
  if (Checked)
    Box.Fill(Union(Segment({3.3, 6.6}, {5.5, 9.0}, 1.9), Segment({5.5, 9.0}, {9.8, 3.6}, 1.9)),
             Enabled ? OliveDeep : PaleEdge);
  Box.KeyOutside(Shape);
  return Box;
}

TRaster DrawRadioButton(bool Checked, bool Enabled) {
  TRaster Box(BoxSize, BoxSize, Linen);
  const TShape Shape = Ellipse(6.5, 6.5, 6.5, 6.5);
  Box.Fill(Shape, Enabled ? Gradient({0, 1}, Cream, {0, 12}, White) : Solid(Pale));
  Box.Fill(Outline(Shape, 1), Enabled ? Crust : PaleEdge);
  if (Checked)
    Box.Fill(Ellipse(6.5, 6.5, 3, 3), Enabled ? Gradient({0, 3.5}, Olive, {0, 9.5}, OliveDeep) : Solid(PaleEdge));
  Box.KeyOutside(Shape);
  return Box;
}

TRaster CheckImages(TRaster (*Draw)(bool Checked, bool Enabled)) {
  return SideBySide({Draw(false, true), Draw(true, true), Draw(false, false), Draw(true, false)});
}

// Progress bar: a rounded trough and its olive filling, 24 x 16; chunks 10 x 12.
constexpr int ProgressWidth = 24, ProgressHeight = 16;

TRaster DrawProgressTrough() {
  TRaster Trough(ProgressWidth, ProgressHeight, Linen);
  const TShape Shape = RoundRect(0, 0, ProgressWidth, ProgressHeight, 4);
  Trough.Fill(Shape, Gradient({0, 1}, Mix(Groove, Crust, 0.2), {0, 6}, Groove));
  Trough.Fill(Outline(Shape, 1), Crust);
  Trough.KeyOutside(Shape);
  return Trough;
}

TRaster DrawProgressFill() {
  TRaster Fill = DrawProgressTrough();
  const TShape Bar = RoundRect(1, 1, ProgressWidth - 1, ProgressHeight - 1, 3);
  Fill.Fill(Bar, Gradient({0, 1}, OliveLight, {0, ProgressHeight - 1}, OliveDeep));
  Fill.Fill(RoundRect(3, 2.5, ProgressWidth - 3, 7, 2), White, 0.35);
  Fill.Fill(Outline(Bar, 1), OliveDeep, 0.7);
  return Fill;
}

TRaster DrawProgressChunk() {
  TRaster Chunk(10, 12, Groove);
  const TShape Block = RoundRect(1, 0, 9, 12, 2);
  Chunk.Fill(Block, Gradient({0, 0}, OliveLight, {0, 12}, OliveDeep));
  Chunk.Fill(RoundRect(2, 1.5, 8, 5, 1.5), White, 0.3);
  Chunk.KeyOutside(Block);
  return Chunk;
}

// Tabs: 40 x 22, rounded at the top; the selected tab is brighter and open at the bottom so
// it runs into its page.
constexpr int TabWidth = 40, TabHeight = 22;

TRaster DrawTab(TFace State) {
  const bool Selected = State == TFace::Pressed;
  TRaster Tab(TabWidth, TabHeight, Linen);
  const TShape Shape = RoundRect(0, 0, TabWidth, TabHeight + 6, 5);
  const TShape Top = Subtract(Shape, Rect(0, 3, TabWidth, TabHeight + 8));
  switch (State) {
  case TFace::Pressed:
    Tab.Fill(Shape, Gradient({0, 0}, White, {0, TabHeight}, Cream));
    break;
  case TFace::Disabled:
    Tab.Fill(Shape, Pale);
    break;
  default:
    Tab.Fill(Shape, Gradient({0, 0}, Cream, {0, TabHeight}, Mix(Linen, Wheat, 0.5)));
    break;
  }
  Tab.Fill(Outline(Shape, 1), State == TFace::Disabled ? PaleEdge : Crust);
  if (Selected)
    Tab.Fill(Top, Terracotta);
  else if (State == TFace::Hot)
    Tab.Fill(Top, Saffron);
  if (!Selected)
    Tab.FillRect(0, TabHeight - 1, TabWidth, TabHeight, Crust);
  Tab.KeyOutside(Shape);
  return Tab;
}

// The frame around a tab page, drawn with fixed edges of 4 (top 5) pixels.
TRaster DrawTabBorder() {
  const int Size = 16;
  TRaster Border(Size, Size, Linen);
  Border.FillRect(0, 0, Size, 1, Crust);
  Border.FillRect(0, 0, 1, Size, Crust);
  Border.FillRect(Size - 1, 0, Size, Size, CrustDeep);
  Border.FillRect(0, Size - 1, Size, Size, CrustDeep);
  Border.FillRect(1, 1, Size - 1, 2, White);
  Border.FillRect(1, 1, 2, Size - 1, White);
  Border.FillRect(Size - 2, 1, Size - 1, Size - 1, Wheat);
  Border.FillRect(1, Size - 2, Size - 1, Size - 1, Wheat);
  return Border;
}

// Status bar panels: lowered, raised and flat, 16 x 18.
TRaster DrawStatusPanel(int Bevel) {
  const int Width = 16, Height = 18;
  TRaster Panel(Width, Height, Linen);
  if (Bevel == 2) {
    Panel.FillRect(0, 0, Width, 1, Wheat);
    return Panel;
  }
  const TRgb Shade = Bevel == 0 ? Crust : White, Light = Bevel == 0 ? White : Crust;
  Panel.FillRect(1, 2, Width - 1, Height - 1, Bevel == 0 ? Mix(Linen, Cream, 0.5) : Linen);
  Panel.FillRect(1, 1, Width - 1, 2, Shade);
  Panel.FillRect(1, 1, 2, Height - 1, Shade);
  Panel.FillRect(1, Height - 2, Width - 1, Height - 1, Light);
  Panel.FillRect(Width - 2, 1, Width - 1, Height - 1, Light);
  return Panel;
}

// Combo box: the frame around the field (16 x 16, edges 2) and the drop-down button
// (18 x 22), inset so the frame shows around it; the arrow comes from the extra images.
TRaster DrawSunkEdge(TFace State) {
  const int Size = 16;
  const TRgb Edge = State == TFace::Hot       ? Terracotta
                    : State == TFace::Pressed ? CrustDeep
                    : State == TFace::Disabled ? PaleEdge
                                               : Crust;
  TRaster Frame(Size, Size, Edge);
  Frame.FillRect(1, 1, Size - 1, Size - 1, State == TFace::Disabled ? Pale : White);
  Frame.FillRect(2, 2, Size - 2, Size - 2, Cream);
  return Frame;
}

TRaster DrawComboButton(TFace State) {
  const int Width = 18, Height = 22;
  TRaster Button(Width, Height, Magenta);
  const TRaster Face = DrawFace(Width - 3, Height - 4, 3, State, Cream);
  Button.Draw(Face, 1, 2);
  return Button;
}

// Extra images: the combo box arrow in four states, then the size grip, 12 x 12.
TRaster DrawExtraImage(int Index) {
  const int Size = 12;
  if (Index < 4) {
    TRaster Image(Size, Size, Cream);
    const TFace State = FourStates[Index];
    const double Shift = State == TFace::Pressed ? 1 : 0;
    const TShape Arrow = ArrowGlyph(6 + Shift, 6.5 + Shift, 8, TDirection::Down);
    Image.Fill(Arrow, GlyphColour(State));
    Image.KeyOutside(Arrow);
    return Image;
  }
  // Three rows of dimples in the corner, each with a light rim below it.
  TRaster Image(Size, Size, Linen);
  TShape Dimples = Rect(0, 0, 0, 0), Rims = Rect(0, 0, 0, 0);
  for (int Row = 0; Row < 3; ++Row)
    for (int Column = 2 - Row; Column < 3; ++Column) {
      const double X = 3 + Column * 3.5, Y = 3 + Row * 3.5;
      Rims = Union(Rims, Ellipse(X + 0.7, Y + 0.7, 1.2, 1.2));
      Dimples = Union(Dimples, Ellipse(X, Y, 1.2, 1.2));
    }
  Image.Fill(Rims, White);
  Image.Fill(Dimples, Crust);
  Image.KeyOutside(Union(Dimples, Rims));
  return Image;
}

// Column header: 24 x 20, a separator on the right.
TRaster DrawHeader(TFace State) {
  const int Width = 24, Height = 20;
  TRaster Header(Width, Height);
  const TRgb Top = State == TFace::Hot ? White : Cream;
  const TRgb Bottom = State == TFace::Pressed ? Wheat : (State == TFace::Hot ? Mix(Linen, Saffron, 0.25) : Linen);
  Header.FillRect(0, 0, Width, Height, Gradient({0, 0}, State == TFace::Disabled ? Pale : Top, {0, Height},
                                                State == TFace::Disabled ? Pale : Bottom));
  Header.FillRect(0, Height - 1, Width, Height, State == TFace::Default ? Olive : Crust);
  Header.FillRect(Width - 2, 3, Width - 1, Height - 3, Wheat);
  Header.FillRect(Width - 1, 3, Width, Height - 3, White);
  return Header;
}

// Track-bar thumbs: 11 x 20 (pointing down or up) or 20 x 11 (pointing right or left).
TRaster DrawThumb(TDirection Point, TFace State) {
  const int Width = 11, Length = 20;
  TRaster Thumb(Width, Length, Linen);
  const TShape Shape = Polygon({{0, 0}, {Width, 0}, {Width, 14}, {Width / 2.0, Length}, {0, 14}});
  const TRgb Light = State == TFace::Hot ? Mix(OliveLight, White, 0.3) : OliveLight;
  const TRgb Deep = State == TFace::Pressed ? Mix(OliveDeep, Cocoa, 0.3) : OliveDeep;
  if (State == TFace::Disabled)
    Thumb.Fill(Shape, Pale);
  else
    Thumb.Fill(Shape, Gradient({0, 0}, Light, {Width, 0}, Deep));
  Thumb.Fill(Outline(Shape, 1), State == TFace::Disabled ? PaleEdge : Mix(OliveDeep, Cocoa, 0.4));
  Thumb.KeyOutside(Shape);
  switch (Point) {
  case TDirection::Up:
    return Thumb.Flipped();
  case TDirection::Right:
    return Transposed(Thumb);
  case TDirection::Left:
    return Transposed(Thumb.Flipped());
  case TDirection::Down:
    break;
  }
  return Thumb;
}

// Thumbs have their normal look in the first two frames: the engine draws the second.
constexpr TFace ThumbStates[] = {TFace::Normal, TFace::Normal, TFace::Disabled, TFace::Hot, TFace::Pressed};

void AddThumb(TSkinBuilder& Skin, const std::string& Section, const std::string& FileName, TDirection Point) {
  Skin.SetBitmap(Section, "Image", FileName,
                 Frames(ThumbStates, [&](TFace State) { return DrawThumb(Point, State); }));
  Skin.Set(Section, "Style", 0);
  Skin.SetMargins(Section, 0, 0, 0, 0);
  SetFlags(Skin, Section, 1, 0);
}

// Spin buttons: four states of the first button (up or left), then of the second, each
// with a glyph image of the same layout.
void AddUpDown(TSkinBuilder& Skin, const std::string& Section, bool Vertical, const std::string& FileName,
               const std::string& GlyphFile) {
  const int Long = 16, Short = 11;
  std::vector<TRaster> Buttons, Glyphs;
  const TDirection Directions[2] = {Vertical ? TDirection::Up : TDirection::Left,
                                    Vertical ? TDirection::Down : TDirection::Right};
  for (TDirection Direction : Directions)
    for (TFace State : FourStates) {
      Buttons.push_back(Vertical ? DrawFace(Long, Short, 2, State, Linen) : DrawFace(Short, Long, 2, State, Linen));
      const int GlyphWidth = Vertical ? 7 : 4, GlyphHeight = Vertical ? 4 : 7;
      TRaster Glyph(GlyphWidth, GlyphHeight, Cream);
      const TShape Arrow = ArrowGlyph(GlyphWidth / 2.0, GlyphHeight / 2.0, 7, Direction);
      Glyph.Fill(Arrow, GlyphColour(State));
      Glyph.KeyOutside(Arrow);
      Glyphs.push_back(Glyph);
    }
  Skin.SetBitmap(Section, "Image", FileName, SideBySide(Buttons));
  Skin.SetMargins(Section, 0, 0, 0, 0);
  SetFlags(Skin, Section, 1, 0);
  Skin.SetBitmap(Section, "GlyphImage", GlyphFile, SideBySide(Glyphs));
}

TRaster DrawGroupBoxEdge(bool Enabled) {
  const int Size = 16;
  TRaster Edge(Size, Size, Linen);
  const TShape Shape = RoundRect(0, 0, Size, Size, 4);
  Edge.Fill(Outline(Shape, 1), Enabled ? Crust : PaleEdge);
  Edge.Fill(Outline(RoundRect(1, 1, Size - 1, Size - 1, 3), 1), White, 0.8);
  Edge.KeyOutside(Outline(Shape, 2));
  return Edge;
}

// Tool-bar buttons are flat until pointed at; the fifth frame is a button held down.
TRaster DrawToolbarButton(TFace State) {
  const int Size = 24;
  if (State == TFace::Normal || State == TFace::Disabled)
    return TRaster(Size, Size, Magenta);
  return DrawFace(Size, Size, 4, State, Linen);
}

}  // namespace

void AddPushButtons(TSkinBuilder& Skin) {
  Skin.SetBitmap("Buttons", "Bitmap", "button.bmp",
                 Frames(FiveStates, [](TFace State) { return DrawFace(28, 24, 4, State, Linen); }));
  Skin.SetMargins("Buttons", 5, 5, 5, 5);
  SetFlags(Skin, "Buttons", 1, 0);
  Skin.SetBitmap("Buttons", "CheckButton", "check.bmp", CheckImages(DrawCheckBox));
  Skin.SetBitmap("Buttons", "RadioButton", "radio.bmp", CheckImages(DrawRadioButton));
  Skin.Set("Buttons", "CheckButtonFrame", 4);
  Skin.Set("Buttons", "RadioButtonFrame", 4);
  SetTextColours(Skin, "Buttons", Cocoa, TerracottaEdge, Cocoa);
}

void AddProgress(TSkinBuilder& Skin) {
  Skin.SetBitmap("Progress", "Bitmap", "progress.bmp", SideBySide({DrawProgressTrough(), DrawProgressFill()}));
  Skin.SetBitmap("Progress", "Chunk", "progress_chunk.bmp", DrawProgressChunk());
  Skin.Set("Progress", "Style", 0);
  Skin.SetMargins("Progress", 4, 4, 4, 4);
  SetFlags(Skin, "Progress", 1, 0);
}

void AddControlElements(TSkinBuilder& Skin) {
  Skin.SetBitmap("GroupBoxEdge", "Image", "groupbox.bmp", SideBySide({DrawGroupBoxEdge(true), DrawGroupBoxEdge(false)}));
  Skin.Set("GroupBoxEdge", "Style", 0);
  Skin.SetMargins("GroupBoxEdge", 5, 5, 5, 5);
  SetFlags(Skin, "GroupBoxEdge", 1, 0);

  Skin.SetBitmap("Toolbars", "Image", "toolbar.bmp", Frames(FiveStates, DrawToolbarButton));
  Skin.Set("Toolbars", "Style", 0);
  Skin.SetMargins("Toolbars", 4, 4, 4, 4);
  SetFlags(Skin, "Toolbars", 1, 0);
  SetTextColours(Skin, "Toolbars", Cocoa, TerracottaEdge, Cocoa);

  // The engine shows frame 1 for a tab and frame 2 for the selected one.
  constexpr TFace TabStates[] = {TFace::Normal, TFace::Pressed, TFace::Disabled, TFace::Hot, TFace::Normal};
  Skin.SetBitmap("Tabs", "Image", "tabs.bmp", Frames(TabStates, DrawTab));
  Skin.SetMargins("Tabs", 6, 6, 6, 4);
  SetFlags(Skin, "Tabs", 1, 0);
  SetTextColours(Skin, "Tabs", Cocoa, TerracottaEdge, Cocoa);
  Skin.SetBitmap("Tabs", "Border", "tab_border.bmp", DrawTabBorder());

  Skin.SetBitmap("StatusBarEdges", "Image", "statusbar.bmp",
                 SideBySide({DrawStatusPanel(0), DrawStatusPanel(1), DrawStatusPanel(2)}));
  Skin.Set("StatusBarEdges", "Style", 0);
  Skin.SetMargins("StatusBarEdges", 3, 3, 3, 3);
  SetFlags(Skin, "StatusBarEdges", 0, 0);
  SetTextColours(Skin, "StatusBarEdges", Cocoa, Cocoa, Cocoa);

  const TRaster Combo = Frames(FourStates, DrawComboButton);
  Skin.SetBitmap("ComboButton", "Image", "combo_button.bmp", Combo);
  Skin.SetMargins("ComboButton", 0, 0, 0, 0);
  SetFlags(Skin, "ComboButton", 1, 0);
  Skin.SetBitmap("ComboButton", "****", "combo_button_left.bmp", Combo.Mirrored());

  Skin.SetBitmap("SunkEdge", "Image", "sunk_edge.bmp", Frames(FourStates, DrawSunkEdge));
  Skin.Set("SunkEdge", "Style", 0);
  Skin.SetMargins("SunkEdge", 2, 2, 2, 2);
  SetFlags(Skin, "SunkEdge", 0, 0);

  std::vector<TRaster> Extras;
  for (int Index = 0; Index < 5; ++Index)
    Extras.push_back(DrawExtraImage(Index));
  Skin.SetBitmap("ExtraImages", "Image", "extras.bmp", SideBySide(Extras));
  Skin.Set("ExtraImages", "Style", 0);
  Skin.SetMargins("ExtraImages", 0, 0, 0, 0);
  SetFlags(Skin, "ExtraImages", 1, 0);

  Skin.SetBitmap("Headerbar", "Image", "header.bmp", Frames(FiveStates, DrawHeader));
  Skin.Set("Headerbar", "Style", 0);
  Skin.SetMargins("Headerbar", 2, 2, 3, 3);
  SetFlags(Skin, "Headerbar", 0, 0);
  SetTextColours(Skin, "Headerbar", Cocoa, TerracottaEdge, Cocoa);
}

void AddTrackBarsAndSpinButtons(TSkinBuilder& Skin) {
  AddThumb(Skin, "Trackbar.ThumbHorz", "thumb_horz.bmp", TDirection::Down);
  AddThumb(Skin, "Trackbar.ThumbVert", "thumb_vert.bmp", TDirection::Right);
  AddThumb(Skin, "Trackbar.ThumbLeft", "thumb_left.bmp", TDirection::Left);
  AddThumb(Skin, "Trackbar.ThumbRight", "thumb_right.bmp", TDirection::Right);
  AddThumb(Skin, "Trackbar.ThumbUp", "thumb_up.bmp", TDirection::Up);
  AddThumb(Skin, "Trackbar.ThumbDown", "thumb_down.bmp", TDirection::Down);
  AddUpDown(Skin, "UpDown.Horz", false, "updown_horz.bmp", "updown_glyphs_horz.bmp");
  AddUpDown(Skin, "UpDown.Vert", true, "updown_vert.bmp", "updown_glyphs_vert.bmp");
}
