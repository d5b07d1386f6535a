#include "tools/skinart/Glyphs.h"

#include <cmath>

namespace {

TShape Rect(double Left, double Top, double Right, double Bottom) { return RoundRect(Left, Top, Right, Bottom, 0); }

TShape WindowOutline(double Left, double Top, double Right, double Bottom, double Stroke) {
  return Union(Outline(Rect(Left, Top, Right, Bottom), Stroke), Rect(Left, Top, Right, Top + 2 * Stroke));
}

}  // namespace

TShape CloseGlyph(double X, double Y, double Size, double Stroke) {
  const double H = Size / 2;
  return Union(Segment({X - H, Y - H}, {X + H, Y + H}, Stroke), Segment({X + H, Y - H}, {X - H, Y + H}, Stroke));
}

TShape MaximizeGlyph(double X, double Y, double Size, double Stroke) {
  const double H = Size / 2;
  return WindowOutline(X - H, Y - H, X + H, Y + H, Stroke);
}

TShape RestoreGlyph(double X, double Y, double Size, double Stroke) {
  const double H = Size / 2, Offset = std::round(Size * 0.3);
  const double FrontRight = X + H - Offset, FrontTop = Y - H + Offset;
  const TShape Back = WindowOutline(X - H + Offset, Y - H, X + H, Y + H - Offset, Stroke);
  const TShape Front = WindowOutline(X - H, FrontTop, FrontRight, Y + H, Stroke);
  // The back window is hidden behind the front one, with one stroke of air around it.
  return Union(Subtract(Back, Rect(X - H - Stroke, FrontTop - Stroke, FrontRight + Stroke, Y + H + Stroke)), Front);
}

TShape MinimizeGlyph(double X, double Y, double Size, double Stroke) {
  return Rect(X - Size / 2, Y - Stroke, X + Size / 2, Y + Stroke);
}

TShape ArrowGlyph(double X, double Y, double Size, TDirection Direction) {
  const double H = Size / 2, D = Size * 0.28;
  switch (Direction) {
  case TDirection::Left:
    return Polygon({{X - D, Y}, {X + D, Y - H}, {X + D, Y + H}});
  case TDirection::Right:
    return Polygon({{X + D, Y}, {X - D, Y - H}, {X - D, Y + H}});
  case TDirection::Up:
    return Polygon({{X, Y - D}, {X + H, Y + D}, {X - H, Y + D}});
  case TDirection::Down:
    break;
  }
  return Polygon({{X, Y + D}, {X - H, Y - D}, {X + H, Y - D}});
}
