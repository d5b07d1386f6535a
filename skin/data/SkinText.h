#pragma once
// The value rules of a skin description that need no graphics: RGB colour texts and which
// container entry a bitmap name stands for.
#include <string>

#include "framework/core/Color.h"

class TSkinText {
public:
    // Three decimal numbers separated by anything else ("236 233 216"), red first; each
    // taken modulo 256. Slots never filled stay 0; a number too large for 32 bits ends the
    // parse.
    static TColor StrToColour(const std::string& Text);
    // The entry a bitmap name refers to: its file name without directory (after the last
    // '\' or ':'), provided it ends in exactly ".bmp"; empty otherwise.
    static std::string BitmapEntryName(const std::string& BitmapName);
};
