#pragma once
// A skin as it is being drawn: the sections of its description, in order, and the bitmap
// files they name; written out as one folder that the skin packer takes as it is.
#include <string>
#include <utility>
#include <vector>

#include "tools/raster/Raster.h"

class TSkinBuilder {
public:
  using TKeys = std::vector<std::pair<std::string, std::string>>;
  struct TSection {
    std::string Name;
    TKeys Keys;
  };
  struct TBitmap {
    std::string FileName;
    TRaster Image;
  };

  // The section of that name; a new one goes after all others.
  TSection& Section(const std::string& Name);
  void Set(const std::string& Section, const std::string& Key, const std::string& Value);
  void Set(const std::string& Section, const std::string& Key, int Value);
  void Set(const std::string& Section, const std::string& Key, TRgb Colour);
  // The four margin keys of an element section.
  void SetMargins(const std::string& Section, int Left, int Top, int Right, int Bottom);
  // Adds a bitmap file and names it under Key.
  void SetBitmap(const std::string& Section, const std::string& Key, const std::string& FileName,
                 TRaster Image);

  const std::vector<TSection>& Sections() const { return FSections; }
  const std::vector<TBitmap>& Bitmaps() const { return FBitmaps; }

  // INI text with CR LF line ends.
  std::string DescriptionText() const;
  // The description under DescriptionName and every bitmap, into an existing folder.
  bool Write(const std::string& Folder, const std::string& DescriptionName) const;

private:
  std::vector<TSection> FSections;
  std::vector<TBitmap> FBitmaps;
};

// State images of one element joined into one bitmap, left to right or top to bottom.
TRaster SideBySide(const std::vector<TRaster>& Frames);
TRaster Stacked(const std::vector<TRaster>& Frames);
