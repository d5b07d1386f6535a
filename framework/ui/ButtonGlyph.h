// TButtonGlyph: the glyph and caption of the framework's glyph buttons (TBitBtn,
// TSpeedButton). The glyph is a bitmap of up to four images side by side (up, disabled,
// clicked, down); its bottom-left pixel gives the transparent colour. Both buttons place
// glyph and caption with PlaceGlyphAndText, so skins that repaint them can do the same.
#pragma once

#include <windows.h>

#include <string>

#include "framework/core/Delegate.h"
#include "framework/core/TypInfo.h"
#include "framework/graphics/Bitmap.h"

PANTREL_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)

// The face a button shows; also the index of its image in the glyph.
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

struct TGlyphPlacement {
    POINT Glyph;
    RECT Text;
    UINT TextFormat;   // DT_LEFT, DT_RIGHT or DT_CENTER
};

// Where a glyph of size Glyph and a text of size Text go on a face of size Client. Margin
// is the distance from the edge the glyph sits at, Spacing the gap between glyph and text;
// -1 centres: both -1 share the free space equally among margin, gap and the far side.
TGlyphPlacement PlaceGlyphAndText(SIZE Client, SIZE Glyph, SIZE Text, TButtonLayout Layout, int Margin,
                                  int Spacing);

class TButtonGlyph {
public:
    TButtonGlyph();
    TButtonGlyph(const TButtonGlyph&) = delete;
    TButtonGlyph& operator=(const TButtonGlyph&) = delete;

    TBitmap* Bitmap() const { return &FBitmap; }
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);   // 1..4
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);

    // Size of one image; (0, 0) without a glyph.
    SIZE ImageSize() const;
    // Draws the glyph image of State and the caption on a face already drawn in DC (whose
    // font and text colour are the button's), moved by Offset (a pressed look). Disabled
    // without an image of its own: the glyph and caption are drawn embossed in grey.
    void Draw(HDC DC, const RECT& Client, const std::string& Caption, TButtonState State, POINT Offset) const;

    // Glyph, layout or spacing changed: the button repaints.
    TNotifyEvent OnChange;

private:
    void Changed(TObject*) { OnChange(nullptr); }
    void DrawImage(HDC DC, POINT At, TButtonState State) const;

    mutable TBitmap FBitmap;
    int FNumGlyphs = 1;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
};
