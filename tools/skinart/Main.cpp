// skinart: draws Pantrel's skin.
//   skinart OUTDIR                 the description and its bitmaps into OUTDIR (created)
//   skinart --menuglyphs OUT.bmp   the system-menu glyph strip
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "tools/skinart/MenuGlyphs.h"
#include "tools/skinart/PantrelSkin.h"

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--menuglyphs") == 0) {
    if (!DrawMenuGlyphs().WriteMonoBmp(argv[2])) {
      std::fprintf(stderr, "skinart: cannot write %s\n", argv[2]);
      return 1;
    }
    return 0;
  }
  if (argc != 2 || argv[1][0] == '-') {
    std::fprintf(stderr, "usage: skinart OUTDIR | skinart --menuglyphs OUT.bmp\n");
    return 2;
  }
  std::error_code Error;
  std::filesystem::create_directories(argv[1], Error);
  TSkinBuilder Skin;
  BuildPantrelSkin(Skin);
  if (Error || !Skin.Write(argv[1], PantrelDescriptionName)) {
    std::fprintf(stderr, "skinart: cannot write the skin into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
