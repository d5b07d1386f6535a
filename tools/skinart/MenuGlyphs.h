#pragma once
// The glyph strip of the replacement system menu: 64 x 16, four black-on-white 16 x 16
// pictures in the order restore, maximise, minimise, close; written as a two-colour bitmap.
#include "tools/raster/Raster.h"

TRaster DrawMenuGlyphs();
