#include "tools/raster/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

#ifdef PANTREL_RASTER_JPEG
#include <jpeglib.h>
#endif

namespace {

double Clamp01(double V) { return V < 0 ? 0 : (V > 1 ? 1 : V); }

uint8_t Channel(double V) { return static_cast<uint8_t>(std::lround(std::clamp(V, 0.0, 255.0))); }

// Coverage of a pixel by a shape whose edge lies at distance D from the pixel centre.
double Coverage(double D) { return Clamp01(0.5 - D); }

void Put16(std::vector<uint8_t>& Out, uint32_t V) {
  Out.push_back(V & 0xFF);
  Out.push_back((V >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& Out, uint32_t V) {
  Put16(Out, V & 0xFFFF);
  Put16(Out, V >> 16);
}

// File header and 40-byte info header of an uncompressed bottom-up bitmap.
void PutBmpHeaders(std::vector<uint8_t>& Out, int Width, int Height, int Bits, uint32_t PaletteSize,
                   uint32_t ImageSize) {
  const uint32_t Offset = 14 + 40 + PaletteSize;
  Out.push_back('B');
  Out.push_back('M');
  Put32(Out, Offset + ImageSize);
  Put32(Out, 0);
  Put32(Out, Offset);
  Put32(Out, 40);
  Put32(Out, static_cast<uint32_t>(Width));
  Put32(Out, static_cast<uint32_t>(Height));
  Put16(Out, 1);
  Put16(Out, static_cast<uint32_t>(Bits));
  Put32(Out, 0);  // no compression
  Put32(Out, ImageSize);
  Put32(Out, 2835);  // 72 dots per inch
  Put32(Out, 2835);
  Put32(Out, PaletteSize / 4);
  Put32(Out, 0);
}

bool WriteFile(const std::string& Path, const std::vector<uint8_t>& Bytes) {
  std::ofstream File(Path, std::ios::binary | std::ios::trunc);
  File.write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
  return static_cast<bool>(File);
}

double Length(double X, double Y) { return std::sqrt(X * X + Y * Y); }

}  // namespace

TRgb Mix(TRgb From, TRgb To, double T) {
  T = Clamp01(T);
  return {Channel(From.R + (To.R - From.R) * T), Channel(From.G + (To.G - From.G) * T),
          Channel(From.B + (To.B - From.B) * T)};
}

TShape RoundRect(double Left, double Top, double Right, double Bottom, double Radius) {
  const double CX = (Left + Right) / 2, CY = (Top + Bottom) / 2;
  const double HX = (Right - Left) / 2, HY = (Bottom - Top) / 2;
  // An inverted rectangle gets no rounding (and covers nothing).
  const double R = std::max(0.0, std::min(Radius, std::min(HX, HY)));
  return [=](double X, double Y) {
    const double QX = std::fabs(X - CX) - (HX - R), QY = std::fabs(Y - CY) - (HY - R);
    return Length(std::max(QX, 0.0), std::max(QY, 0.0)) + std::min(std::max(QX, QY), 0.0) - R;
  };
}

TShape Ellipse(double CenterX, double CenterY, double RadiusX, double RadiusY) {
  return [=](double X, double Y) {
    const double PX = X - CenterX, PY = Y - CenterY;
    const double K0 = Length(PX / RadiusX, PY / RadiusY);
    const double K1 = Length(PX / (RadiusX * RadiusX), PY / (RadiusY * RadiusY));
    if (K1 == 0)
      return -std::min(RadiusX, RadiusY);
    return K0 * (K0 - 1) / K1;
  };
}

TShape Segment(TPoint From, TPoint To, double Width) {
  return [=](double X, double Y) {
    const double DX = To.X - From.X, DY = To.Y - From.Y;
    const double LengthSquared = DX * DX + DY * DY;
    const double T = LengthSquared == 0 ? 0 : Clamp01(((X - From.X) * DX + (Y - From.Y) * DY) / LengthSquared);
    return Length(X - (From.X + T * DX), Y - (From.Y + T * DY)) - Width / 2;
  };
}

TShape Polygon(std::vector<TPoint> Corners) {
  return [Corners = std::move(Corners)](double X, double Y) {
    const size_t N = Corners.size();
    if (N < 3)
      return 1e9;
    double Best = 1e18;
    bool Inside = false;
    for (size_t I = 0, J = N - 1; I < N; J = I++) {
      const TPoint A = Corners[J], B = Corners[I];
      const double EX = B.X - A.X, EY = B.Y - A.Y;
      const double WX = X - A.X, WY = Y - A.Y;
      const double LengthSquared = EX * EX + EY * EY;
      const double T = LengthSquared == 0 ? 0 : Clamp01((WX * EX + WY * EY) / LengthSquared);
      Best = std::min(Best, Length(WX - EX * T, WY - EY * T));
      // Crossing count of a ray towards +x decides inside or outside.
      if ((A.Y > Y) != (B.Y > Y) && X < A.X + (Y - A.Y) * EX / EY)
        Inside = !Inside;
    }
    return Inside ? -Best : Best;
  };
}

TShape Union(TShape A, TShape B) {
  return [=](double X, double Y) { return std::min(A(X, Y), B(X, Y)); };
}

TShape Subtract(TShape A, TShape Cut) {
  return [=](double X, double Y) { return std::max(A(X, Y), -Cut(X, Y)); };
}

TShape Outline(TShape Shape, double Width) {
  return [=](double X, double Y) {
    const double D = Shape(X, Y);
    return std::max(D, -D - Width);
  };
}

TPaint Solid(TRgb Colour) {
  return [=](double, double) { return Colour; };
}

TPaint Gradient(TPoint A, TRgb ColourA, TPoint B, TRgb ColourB) {
  const double DX = B.X - A.X, DY = B.Y - A.Y;
  const double LengthSquared = DX * DX + DY * DY;
  return [=](double X, double Y) {
    const double T = LengthSquared == 0 ? 0 : ((X - A.X) * DX + (Y - A.Y) * DY) / LengthSquared;
    return Mix(ColourA, ColourB, T);
  };
}

TRaster::TRaster(int Width, int Height, TRgb Colour)
    : FWidth(std::max(Width, 0)), FHeight(std::max(Height, 0)),
      FPixels(static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight), Colour) {}

TRgb TRaster::Pixel(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight)
    return {};
  return FPixels[static_cast<size_t>(Y) * FWidth + X];
}

void TRaster::SetPixel(int X, int Y, TRgb Colour) {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight)
    return;
  FPixels[static_cast<size_t>(Y) * FWidth + X] = Colour;
}

void TRaster::Blend(int X, int Y, TRgb Colour, double Opacity) {
  if (Opacity <= 0)
    return;
  SetPixel(X, Y, Mix(Pixel(X, Y), Colour, Opacity));
}

void TRaster::Fill(const TShape& Shape, const TPaint& Paint, double Opacity) {
  for (int Y = 0; Y < FHeight; ++Y)
    for (int X = 0; X < FWidth; ++X) {
      const double CX = X + 0.5, CY = Y + 0.5;
      const double Cover = Coverage(Shape(CX, CY));
      if (Cover > 0)
        Blend(X, Y, Paint(CX, CY), Cover * Opacity);
    }
}

void TRaster::FillHard(const TShape& Shape, const TPaint& Paint) {
  for (int Y = 0; Y < FHeight; ++Y)
    for (int X = 0; X < FWidth; ++X)
      if (Shape(X + 0.5, Y + 0.5) <= 0)
        SetPixel(X, Y, Paint(X + 0.5, Y + 0.5));
}

void TRaster::FillRect(int Left, int Top, int Right, int Bottom, const TPaint& Paint) {
  for (int Y = std::max(Top, 0); Y < std::min(Bottom, FHeight); ++Y)
    for (int X = std::max(Left, 0); X < std::min(Right, FWidth); ++X)
      SetPixel(X, Y, Paint(X + 0.5, Y + 0.5));
}

void TRaster::KeyOutside(const TShape& Shape, TRgb Key) {
  for (int Y = 0; Y < FHeight; ++Y)
    for (int X = 0; X < FWidth; ++X)
      if (Shape(X + 0.5, Y + 0.5) > 0)
        SetPixel(X, Y, Key);
}

void TRaster::Draw(const TRaster& Source, int X, int Y) {
  for (int SY = 0; SY < Source.FHeight; ++SY)
    for (int SX = 0; SX < Source.FWidth; ++SX)
      SetPixel(X + SX, Y + SY, Source.Pixel(SX, SY));
}

TRaster TRaster::Crop(int X, int Y, int Width, int Height) const {
  TRaster Result(Width, Height);
  for (int DY = 0; DY < Result.FHeight; ++DY)
    for (int DX = 0; DX < Result.FWidth; ++DX)
      Result.SetPixel(DX, DY, Pixel(X + DX, Y + DY));
  return Result;
}

TRaster TRaster::Mirrored() const {
  TRaster Result(FWidth, FHeight);
  for (int Y = 0; Y < FHeight; ++Y)
    for (int X = 0; X < FWidth; ++X)
      Result.SetPixel(FWidth - 1 - X, Y, Pixel(X, Y));
  return Result;
}

TRaster TRaster::Flipped() const {
  TRaster Result(FWidth, FHeight);
  for (int Y = 0; Y < FHeight; ++Y)
    for (int X = 0; X < FWidth; ++X)
      Result.SetPixel(X, FHeight - 1 - Y, Pixel(X, Y));
  return Result;
}

std::vector<uint8_t> TRaster::BmpBytes() const {
  const uint32_t Stride = (static_cast<uint32_t>(FWidth) * 3 + 3) & ~3u;
  std::vector<uint8_t> Out;
  PutBmpHeaders(Out, FWidth, FHeight, 24, 0, Stride * FHeight);
  for (int Y = FHeight - 1; Y >= 0; --Y) {
    const size_t RowStart = Out.size();
    for (int X = 0; X < FWidth; ++X) {
      const TRgb P = Pixel(X, Y);
      Out.push_back(P.B);
      Out.push_back(P.G);
      Out.push_back(P.R);
    }
    Out.resize(RowStart + Stride, 0);
  }
  return Out;
}

std::vector<uint8_t> TRaster::MonoBmpBytes() const {
  const uint32_t Stride = ((static_cast<uint32_t>(FWidth) + 31) / 32) * 4;
  std::vector<uint8_t> Out;
  PutBmpHeaders(Out, FWidth, FHeight, 1, 8, Stride * FHeight);
  Put32(Out, 0x000000);  // index 0: black
  Put32(Out, 0xFFFFFF);  // index 1: white
  for (int Y = FHeight - 1; Y >= 0; --Y) {
    const size_t RowStart = Out.size();
    Out.resize(RowStart + Stride, 0);
    for (int X = 0; X < FWidth; ++X) {
      const TRgb P = Pixel(X, Y);
      const bool Light = P.R * 299 + P.G * 587 + P.B * 114 >= 128 * 1000;
      if (Light)
        Out[RowStart + X / 8] |= static_cast<uint8_t>(0x80 >> (X % 8));
    }
  }
  return Out;
}

bool TRaster::WriteBmp(const std::string& Path) const { return WriteFile(Path, BmpBytes()); }

bool TRaster::WriteMonoBmp(const std::string& Path) const { return WriteFile(Path, MonoBmpBytes()); }

#ifdef PANTREL_RASTER_JPEG
bool TRaster::WriteJpeg(const std::string& Path, int Quality) const {
  if (FWidth == 0 || FHeight == 0)
    return false;
  FILE* File = std::fopen(Path.c_str(), "wb");
  if (!File)
    return false;
  jpeg_compress_struct Info;
  jpeg_error_mgr Errors;
  Info.err = jpeg_std_error(&Errors);
  jpeg_create_compress(&Info);
  jpeg_stdio_dest(&Info, File);
  Info.image_width = static_cast<JDIMENSION>(FWidth);
  Info.image_height = static_cast<JDIMENSION>(FHeight);
  Info.input_components = 3;
  Info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&Info);
  jpeg_set_quality(&Info, Quality, TRUE);
  jpeg_start_compress(&Info, TRUE);
  std::vector<JSAMPLE> Row(static_cast<size_t>(FWidth) * 3);
  for (int Y = 0; Y < FHeight; ++Y) {
    for (int X = 0; X < FWidth; ++X) {
      const TRgb P = Pixel(X, Y);
      Row[X * 3] = P.R;
      Row[X * 3 + 1] = P.G;
      Row[X * 3 + 2] = P.B;
    }
    JSAMPROW Rows[1] = {Row.data()};
    jpeg_write_scanlines(&Info, Rows, 1);
  }
  jpeg_finish_compress(&Info);
  jpeg_destroy_compress(&Info);
  const bool Ok = std::ferror(File) == 0;
  return std::fclose(File) == 0 && Ok;
}
#endif
