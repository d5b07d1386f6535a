#include "tools/skinart/SkinBuilder.h"

#include <algorithm>
#include <fstream>

TSkinBuilder::TSection& TSkinBuilder::Section(const std::string& Name) {
  for (TSection& Existing : FSections)
    if (Existing.Name == Name)
      return Existing;
  FSections.push_back({Name, {}});
  return FSections.back();
}

void TSkinBuilder::Set(const std::string& SectionName, const std::string& Key, const std::string& Value) {
  TKeys& Keys = Section(SectionName).Keys;
  for (auto& Pair : Keys)
    if (Pair.first == Key) {
      Pair.second = Value;
      return;
    }
  Keys.emplace_back(Key, Value);
}

void TSkinBuilder::Set(const std::string& SectionName, const std::string& Key, int Value) {
  Set(SectionName, Key, std::to_string(Value));
}

void TSkinBuilder::Set(const std::string& SectionName, const std::string& Key, TRgb Colour) {
  Set(SectionName, Key, std::to_string(Colour.R) + " " + std::to_string(Colour.G) + " " + std::to_string(Colour.B));
}

void TSkinBuilder::SetMargins(const std::string& SectionName, int Left, int Top, int Right, int Bottom) {
  Set(SectionName, "LeftWidth", Left);
  Set(SectionName, "TopHeight", Top);
  Set(SectionName, "RightWidth", Right);
  Set(SectionName, "BottomHeight", Bottom);
}

void TSkinBuilder::SetBitmap(const std::string& SectionName, const std::string& Key, const std::string& FileName,
                             TRaster Image) {
  Set(SectionName, Key, FileName);
  FBitmaps.push_back({FileName, std::move(Image)});
}

std::string TSkinBuilder::DescriptionText() const {
  std::string Text;
  for (const TSection& Each : FSections) {
    if (!Text.empty())
      Text += "\r\n";
    Text += "[" + Each.Name + "]\r\n";
    for (const auto& Pair : Each.Keys)
      Text += Pair.first + "=" + Pair.second + "\r\n";
  }
  return Text;
}

bool TSkinBuilder::Write(const std::string& Folder, const std::string& DescriptionName) const {
  std::ofstream File(Folder + "/" + DescriptionName, std::ios::binary | std::ios::trunc);
  File << DescriptionText();
  File.close();
  if (!File)
    return false;
  for (const TBitmap& Each : FBitmaps)
    if (!Each.Image.WriteBmp(Folder + "/" + Each.FileName))
      return false;
  return true;
}

TRaster SideBySide(const std::vector<TRaster>& Frames) {
  int Width = 0, Height = 0;
  for (const TRaster& Frame : Frames) {
    Width += Frame.Width();
    Height = std::max(Height, Frame.Height());
  }
  TRaster Result(Width, Height, Magenta);
  int X = 0;
  for (const TRaster& Frame : Frames) {
    Result.Draw(Frame, X, 0);
    X += Frame.Width();
  }
  return Result;
}

TRaster Stacked(const std::vector<TRaster>& Frames) {
  int Width = 0, Height = 0;
  for (const TRaster& Frame : Frames) {
    Width = std::max(Width, Frame.Width());
    Height += Frame.Height();
  }
  TRaster Result(Width, Height, Magenta);
  int Y = 0;
  for (const TRaster& Frame : Frames) {
    Result.Draw(Frame, 0, Y);
    Y += Frame.Height();
  }
  return Result;
}
