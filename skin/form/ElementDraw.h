#pragma once
// Drawing skin elements: a frame of a multi-frame bitmap cut in nine parts and fitted to a
// rectangle, drawn opaque or with magenta transparent; three-part strips, single frame
// cells, tiles, and window regions cut from a bitmap's non-magenta pixels. Shared by form
// skinning, control skinning and menu skinning, with one process-wide scratch bitmap.
//
// Skins come from users: every routine accepts nonsense (frame counts of 0 or below or far
// above the bitmap's width, frames out of range, negative or oversized margins, empty or
// 1 x 1 bitmaps, inverted rectangles) and then draws what fits or nothing.
#include <windows.h>

#include <memory>

#include "framework/graphics/Bitmap.h"

class TDataSkinObject;

// The key colour of every skin bitmap.
constexpr COLORREF SkinKeyColour = RGB(255, 0, 255);

// Margins of a nine-part cut (or of a strip: Left and Right only), in source pixels.
struct TMargins {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// The margins of an element (its LeftWidth, TopHeight, RightWidth, BottomHeight).
TMargins ElementMargins(const TDataSkinObject& Element);

// A new bitmap of DestRect's size from frame Frame (1-based) of FrameCount frames of Bitmap
// (side by side, or one above the other when Vertical): corners at their own size, edges
// stretched along their length, the centre tiled (Tile) or stretched. Margins that do not
// fit the destination count as 0. Null when nothing can be drawn.
std::unique_ptr<TBitmap> BuildElementBitmap(const RECT& DestRect, TBitmap& Bitmap, const TMargins& Margins,
                                            bool Vertical, bool Tile, int FrameCount, int Frame);

// Draws Bitmap at Rect (stretched to it) leaving pixels of KeyColour transparent.
void DrawTransparent(HDC DC, const RECT& Rect, TBitmap& Bitmap, COLORREF KeyColour);

// The element's frame fitted to Rect with its own margins, Tile and Trans flags (frames side
// by side).
void DrawElement(HDC DC, const RECT& Rect, const TDataSkinObject& Element, int FrameCount, int Frame);
// The same with the parts given one by one; any non-zero Transparent draws transparently.
void DrawElement(HDC DC, const RECT& Rect, TBitmap& Bitmap, bool Vertical, bool Tile, bool Transparent,
                 int FrameCount, int Frame, const TMargins& Margins);

// A horizontal three-part strip: left cap, the frame's middle repeated at its own width,
// right cap (Margins.Left and Margins.Right wide), each stretched to Rect's height.
void DrawElementStrip(TCanvas& Canvas, const RECT& Rect, TBitmap& Bitmap, const TMargins& Margins, int Frame,
                      int FrameCount, bool Transparent, bool Vertical);

// One frame cell (frames side by side) stretched into Rect.
void DrawFrameCell(HDC DC, const RECT& Rect, TBitmap& Bitmap, bool Transparent, int FrameCount, int Frame);

// Repeats SourceRect of Bitmap over DestRect at its own size, from DestRect's top-left.
void TileBitmap(TCanvas& Canvas, const RECT& DestRect, TBitmap& Bitmap, const RECT& SourceRect);

// The frame parts of the nine-part cut (corners at their own size, edges stretched; no
// centre) straight onto DC at Rect.
void DrawElementDirect(HDC DC, const RECT& Rect, TBitmap& Bitmap, bool Vertical, int FrameCount, int Frame,
                       const TMargins& Margins);

// The region of Bitmap's pixels that are not the key colour (within the tolerances added
// to each key component), moved by (DX, DY); the caller owns it. An empty bitmap gives an
// empty region.
HRGN RegionFromBitmap(TBitmap& Bitmap, int DX, int DY, int TolBlue, int TolGreen, int TolRed, COLORREF KeyColour);

// The process-wide scratch bitmap (stretch mode COLORONCOLOR): each user of the skin engine
// starts it and ends it; it exists while at least one user holds it.
void StartScratchBitmap();
void EndScratchBitmap();
// Null while nobody holds it.
TBitmap* ScratchBitmap();
