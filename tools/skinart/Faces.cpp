#include "tools/skinart/Faces.h"

#include "tools/skinart/Palette.h"

TRaster DrawFace(int Width, int Height, double Radius, TFace State, TRgb Background) {
  TRaster Face(Width, Height, Background);
  const TShape Shape = RoundRect(0, 0, Width, Height, Radius);
  auto Vertical = [&](TRgb Top, TRgb Bottom) { return Gradient({0, 0}, Top, {0, static_cast<double>(Height)}, Bottom); };
  TRgb Edge = Crust;
  switch (State) {
  case TFace::Normal:
  case TFace::Default:
    Face.Fill(Shape, Vertical(White, Biscuit));
    break;
  case TFace::Pressed:
    Face.Fill(Shape, Vertical(Mix(Biscuit, Crust, 0.25), Linen));
    Edge = CrustDeep;
    break;
  case TFace::Disabled:
    Face.Fill(Shape, Pale);
    Edge = PaleEdge;
    break;
  case TFace::Hot:
    Face.Fill(Shape, Vertical(White, Peach));
    Edge = Terracotta;
    break;
  }
  if (State != TFace::Pressed && State != TFace::Disabled) {
    const TShape Rim = Outline(RoundRect(1, 1, Width - 1, Height - 1, Radius - 1), 1);
    Face.Fill(Subtract(Rim, RoundRect(0, Height / 2.0, Width, Height, 0)), White, 0.7);
  }
  Face.Fill(Outline(Shape, 1), Edge);
  if (State == TFace::Default)
    Face.Fill(Outline(RoundRect(1, 1, Width - 1, Height - 1, Radius - 1), 1), Olive, 0.8);
  Face.KeyOutside(Shape);
  return Face;
}

TRgb GlyphColour(TFace State) {
  switch (State) {
  case TFace::Disabled:
    return PaleEdge;
  case TFace::Hot:
    return TerracottaDeep;
  default:
    return Cocoa;
  }
}

TRaster Transposed(const TRaster& Image) {
  TRaster Result(Image.Height(), Image.Width());
  for (int Y = 0; Y < Image.Height(); ++Y)
    for (int X = 0; X < Image.Width(); ++X)
      Result.SetPixel(Y, X, Image.Pixel(X, Y));
  return Result;
}
