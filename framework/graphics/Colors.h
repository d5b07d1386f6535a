#pragma once
// Resolving framework colours (TColor) to the RGB values drawing calls take.

#include "framework/core/Color.h"

#include <windows.h>

// A system colour (0xFF0000nn) becomes the current value of system colour nn; a plain
// colour is returned as it is.
COLORREF ColorToRGB(TColor Color);
