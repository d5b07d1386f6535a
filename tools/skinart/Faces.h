#pragma once
// The rounded, softly shaded face shared by push buttons, scroll arrows, combo and spin
// buttons and tool-bar buttons, in each of its states.
#include "tools/raster/Raster.h"

enum class TFace { Normal, Pressed, Disabled, Hot, Default };

// A face filling the whole picture, drawn over Background (the colour it will be shown on,
// so that its smooth edge blends in); outside its rounded corners the picture is magenta.
TRaster DrawFace(int Width, int Height, double Radius, TFace State, TRgb Background);

// Colour of a glyph (arrow, check mark) drawn on a face in that state.
TRgb GlyphColour(TFace State);

// The picture turned over its main diagonal: pixel (x, y) moves to (y, x).
TRaster Transposed(const TRaster& Image);
