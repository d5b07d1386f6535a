#pragma once
// Line drawings shared by the caption buttons, the maximised-child buttons, the menu glyph
// strip and the arrows of scroll bars and spin buttons. Each is centred on (X, Y) and Size
// pixels across; Stroke is the line width.
#include "tools/raster/Raster.h"

TShape CloseGlyph(double X, double Y, double Size, double Stroke);
// A window outline with a thick top edge.
TShape MaximizeGlyph(double X, double Y, double Size, double Stroke);
// Two overlapping window outlines, the front one lower left.
TShape RestoreGlyph(double X, double Y, double Size, double Stroke);
// A bar Size wide and twice Stroke thick.
TShape MinimizeGlyph(double X, double Y, double Size, double Stroke);

enum class TDirection { Left, Right, Up, Down };
// A solid triangle pointing in Direction; Size is the width of its base.
TShape ArrowGlyph(double X, double Y, double Size, TDirection Direction);
