#include "tools/skinart/ScrollArt.h"

#include "tools/skinart/Faces.h"
#include "tools/skinart/Glyphs.h"
#include "tools/skinart/Palette.h"

namespace {

// Scroll bars are composed 16 pixels thick and stretched to the real thickness.
constexpr int Thickness = 16;

TRaster DrawArrow(TDirection Direction, TFace State) {
  TRaster Arrow = DrawFace(Thickness, Thickness, 3, State, Groove);
  const double Shift = State == TFace::Pressed ? 1 : 0;
  Arrow.Fill(ArrowGlyph(8 + Shift, 8 + Shift, 9, Direction), GlyphColour(State));
  return Arrow;
}

// 23 frames: for the left, right, up and down arrows in turn normal, pressed, hot and
// disabled (the engine draws the first two of each); then plain faces in the same four
// states and three normal ones for the spare states.
TRaster DrawArrows() {
  constexpr TFace States[] = {TFace::Normal, TFace::Pressed, TFace::Hot, TFace::Disabled};
  std::vector<TRaster> Frames;
  for (TDirection Direction : {TDirection::Left, TDirection::Right, TDirection::Up, TDirection::Down})
    for (TFace State : States)
      Frames.push_back(DrawArrow(Direction, State));
  for (TFace State : States)
    Frames.push_back(DrawFace(Thickness, Thickness, 3, State, Groove));
  while (Frames.size() < 23)
    Frames.push_back(DrawFace(Thickness, Thickness, 3, TFace::Normal, Groove));
  return SideBySide(Frames);
}

// A horizontal track: a groove shaded darker at its top edge. States: normal, pressed,
// disabled, hot.
TRaster DrawTrack(int State) {
  const int Length = 32;
  const TRgb Base = State == 1 ? Mix(Groove, Crust, 0.15) : State == 2 ? Mix(Groove, White, 0.5) : Groove;
  TRaster Track(Length, Thickness, Base);
  Track.FillRect(0, 0, Length, 1, Mix(Base, Crust, 0.45));
  Track.FillRect(0, 1, Length, 3, Gradient({0, 1}, Mix(Base, Crust, 0.25), {0, 3}, Base));
  Track.FillRect(0, Thickness - 1, Length, Thickness, Mix(Base, White, 0.6));
  return Track;
}

// A horizontal thumb: an olive pill with rounded ends kept at their own size. States:
// normal, pressed, hot.
TRaster DrawThumb(int State) {
  const int Length = 24;
  TRaster Thumb(Length, Thickness, Groove);
  const TShape Shape = RoundRect(0, 1, Length, Thickness - 1, 7);
  const TRgb Light = State == 2 ? Mix(OliveLight, White, 0.3) : OliveLight;
  const TRgb Deep = State == 1 ? Mix(OliveDeep, Cocoa, 0.35) : Olive;
  Thumb.Fill(Shape, Gradient({0, 1}, Light, {0, Thickness - 1}, Deep));
  Thumb.Fill(RoundRect(3, 2.5, Length - 3, 7, 2.5), White, 0.3);
  Thumb.Fill(Outline(Shape, 1), OliveDeep);
  Thumb.KeyOutside(Shape);
  return Thumb;
}

void AddObject(TSkinBuilder& Skin, const std::string& Section, const std::string& FileName, TRaster Image, int Left,
               int Top, int Right, int Bottom, int Trans) {
  Skin.SetBitmap(Section, "Image", FileName, std::move(Image));
  Skin.Set(Section, "Style", 0);
  Skin.SetMargins(Section, Left, Top, Right, Bottom);
  Skin.Set(Section, "Trans", Trans);
  Skin.Set(Section, "Tile", 0);
}

}  // namespace

void AddScrollBars(TSkinBuilder& Skin) {
  AddObject(Skin, "Scrollbar", "scroll_arrows.bmp", DrawArrows(), 0, 0, 0, 0, 1);
  std::vector<TRaster> Horizontal, Vertical;
  for (int State = 0; State < 4; ++State) {
    Horizontal.push_back(DrawTrack(State));
    Vertical.push_back(Transposed(DrawTrack(State)));
  }
  AddObject(Skin, "HorzScroll", "scroll_track_horz.bmp", SideBySide(Horizontal), 0, 0, 0, 0, 0);
  AddObject(Skin, "VertScroll", "scroll_track_vert.bmp", SideBySide(Vertical), 0, 0, 0, 0, 0);
  std::vector<TRaster> HorizontalThumbs, VerticalThumbs;
  for (int State = 0; State < 3; ++State) {
    HorizontalThumbs.push_back(DrawThumb(State));
    VerticalThumbs.push_back(Transposed(DrawThumb(State)));
  }
  AddObject(Skin, "HorzScrollThumb", "scroll_thumb_horz.bmp", SideBySide(HorizontalThumbs), 7, 0, 7, 0, 1);
  Skin.Set("HorzScrollThumb", "FrameCount", 3);
  AddObject(Skin, "VertScrollThumb", "scroll_thumb_vert.bmp", SideBySide(VerticalThumbs), 0, 7, 0, 7, 1);
  Skin.Set("VertScrollThumb", "FrameCount", 3);
}
