#pragma once
// A small 24-bit picture for the build-time generators (skin artwork, catalogue pictures):
// smooth-edged shapes, gradients and blending, written out as Windows BMP or JPEG.
//
// Coordinates are in pixels with y growing downwards; pixel (x, y) covers the square from
// (x, y) to (x + 1, y + 1), so a shape edge at a fractional position covers pixels partly.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TRgb {
  uint8_t R = 0, G = 0, B = 0;
  bool operator==(const TRgb& Other) const { return R == Other.R && G == Other.G && B == Other.B; }
  bool operator!=(const TRgb& Other) const { return !(*this == Other); }
};

// The transparent key colour of skin bitmaps.
constexpr TRgb Magenta{255, 0, 255};

// A colour between From (T = 0) and To (T = 1); T is clamped to that range.
TRgb Mix(TRgb From, TRgb To, double T);

struct TPoint {
  double X, Y;
};

// A shape is a signed distance in pixels: negative inside, positive outside, zero on the edge.
using TShape = std::function<double(double X, double Y)>;

TShape RoundRect(double Left, double Top, double Right, double Bottom, double Radius);
TShape Ellipse(double CenterX, double CenterY, double RadiusX, double RadiusY);
// A straight stroke of the given width with round ends.
TShape Segment(TPoint From, TPoint To, double Width);
TShape Polygon(std::vector<TPoint> Corners);
TShape Union(TShape A, TShape B);
TShape Subtract(TShape A, TShape Cut);
// The band of the given width just inside the shape's edge.
TShape Outline(TShape Shape, double Width);

// A paint gives the colour at a point.
using TPaint = std::function<TRgb(double X, double Y)>;

TPaint Solid(TRgb Colour);
// From colour A at point A to colour B at point B, constant across that direction.
TPaint Gradient(TPoint A, TRgb ColourA, TPoint B, TRgb ColourB);

class TRaster {
public:
  TRaster() = default;
  TRaster(int Width, int Height, TRgb Colour = {});

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

  // Pixels outside the picture read as black and ignore writes.
  TRgb Pixel(int X, int Y) const;
  void SetPixel(int X, int Y, TRgb Colour);
  // Mixes Colour into the pixel with the given opacity (0 to 1).
  void Blend(int X, int Y, TRgb Colour, double Opacity);

  // Paints the shape with smooth edges.
  void Fill(const TShape& Shape, const TPaint& Paint, double Opacity = 1.0);
  void Fill(const TShape& Shape, TRgb Colour, double Opacity = 1.0) { Fill(Shape, Solid(Colour), Opacity); }
  // Paints every pixel whose centre lies inside the shape, with hard edges.
  void FillHard(const TShape& Shape, const TPaint& Paint);
  void FillHard(const TShape& Shape, TRgb Colour) { FillHard(Shape, Solid(Colour)); }
  // Whole pixels from (Left, Top) up to but excluding (Right, Bottom).
  void FillRect(int Left, int Top, int Right, int Bottom, const TPaint& Paint);
  void FillRect(int Left, int Top, int Right, int Bottom, TRgb Colour) { FillRect(Left, Top, Right, Bottom, Solid(Colour)); }
  // Turns every pixel whose centre lies outside the shape into the key colour.
  void KeyOutside(const TShape& Shape, TRgb Key = Magenta);

  // Copies Source with its top-left corner at (X, Y), clipped to this picture.
  void Draw(const TRaster& Source, int X, int Y);
  TRaster Crop(int X, int Y, int Width, int Height) const;
  TRaster Mirrored() const;  // left to right
  TRaster Flipped() const;   // top to bottom

  // Uncompressed bottom-up Windows bitmap files with their file header.
  bool WriteBmp(const std::string& Path) const;
  // Two-colour bitmap (palette black, white): pixels darker than mid-grey become black.
  bool WriteMonoBmp(const std::string& Path) const;
  std::vector<uint8_t> BmpBytes() const;
  std::vector<uint8_t> MonoBmpBytes() const;
#ifdef PANTREL_RASTER_JPEG
  bool WriteJpeg(const std::string& Path, int Quality = 90) const;
#endif

private:
  int FWidth = 0;
  int FHeight = 0;
  std::vector<TRgb> FPixels;
};
