#include "tools/skinart/MenuGlyphs.h"

#include "tools/skinart/Glyphs.h"

TRaster DrawMenuGlyphs() {
  constexpr TRgb Black{0, 0, 0}, White{255, 255, 255};
  TRaster Strip(64, 16, White);
  // Edges sit on pixel centres so that one-pixel lines come out crisp in two colours.
  Strip.FillHard(RestoreGlyph(8, 8, 10, 1), Black);
  Strip.FillHard(MaximizeGlyph(24, 8, 10, 1), Black);
  Strip.FillHard(MinimizeGlyph(40, 8, 8, 1.5), Black);
  Strip.FillHard(CloseGlyph(56, 8, 8, 1.6), Black);
  return Strip;
}
