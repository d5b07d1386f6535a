#include <gtest/gtest.h>

#include <cctype>

#include "skin/data/SkinReader.h"
#include "tools/skinart/PantrelSkin.h"

namespace {

std::vector<uint8_t> Bytes(TMemoryStream& Stream) { return Stream.Bytes(); }

}  // namespace

// The skin file the build packs is exactly the artwork, and the program's reader finds
// every entry in it.
TEST(PackedPantrelSkin, HoldsTheDescriptionAndEveryBitmapAsDrawn) {
  TMemoryStream File;
  File.LoadFromFile(PANTREL_SKIN_FILE_PATH);
  TSkinReader Reader;
  ASSERT_TRUE(Reader.Open(File));
  TSkinBuilder Skin;
  BuildPantrelSkin(Skin);
  EXPECT_EQ(Reader.Count, static_cast<int32_t>(Skin.Bitmaps().size()) + 1);

  TMemoryStream Entry;
  std::string Name;
  Reader.ExtractByPart(".ini", Entry, Name);
  EXPECT_EQ(Name, PantrelDescriptionName);
  const std::string Text = Skin.DescriptionText();
  EXPECT_EQ(Bytes(Entry), std::vector<uint8_t>(Text.begin(), Text.end()));

  for (const auto& Bitmap : Skin.Bitmaps()) {
    std::string Upper = Bitmap.FileName;
    for (char& C : Upper)
      C = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
    Reader.ExtractByName(Upper, Entry);
    EXPECT_EQ(Bytes(Entry), Bitmap.Image.BmpBytes()) << Bitmap.FileName;
  }
}
