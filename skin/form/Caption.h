#pragma once
// The caption routine shared by the skinned menu bar and the control kinds: a single text
// centred vertically (one pixel above the exact centre) in a rectangle, transparent, in the
// canvas's font and colour; disabled text in the shadow colour (the system's button shadow
// unless the caller's skin gives one).
#include <windows.h>

#include <string>

#include "framework/core/Color.h"

class TCanvas;

void DrawCaption(TCanvas& Canvas, const RECT& Rect, UINT Alignment, bool Enabled, const std::string& Text,
                 TColor Shadow = clBtnShadow);
