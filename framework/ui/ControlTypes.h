// Small value types shared by several controls: text alignment, reading order, bevels and
// scroll bars.
#pragma once

#include <windows.h>

#include "framework/core/TypInfo.h"

PANTREL_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)
PANTREL_ENUM(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly)
PANTREL_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace)
PANTREL_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth)

// DT_LEFT / DT_RIGHT / DT_CENTER of an alignment; right-to-left swaps left and right.
inline UINT AlignmentToDrawText(TAlignment Value, bool RightToLeft = false)
{
    if (Value == taCenter)
        return DT_CENTER;
    return (Value == taRightJustify) != RightToLeft ? DT_RIGHT : DT_LEFT;
}
