#pragma once
// TBrush: the fill of shapes and text backgrounds: a solid colour, a hatch, or clear
// (nothing filled, text drawn on a transparent background).

#include "framework/core/Color.h"
#include "framework/core/TypInfo.h"
#include "framework/graphics/GraphicsObject.h"

class TBitmap;

PANTREL_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal,
             bsCross, bsDiagCross)

class TBrush : public TGraphicsObject {
    PANTREL_CLASS(TBrush, TGraphicsObject)
    TBrush() = default;
    void Assign(const TPersistent& Source) override;

    HBRUSH Handle() const { return static_cast<HBRUSH>(ObjectHandle()); }
    // Uses a brush made elsewhere (for instance a DC's current brush) until Color or Style
    // is set again; Color and Style take its values. The brush stays the caller's.
    void SetHandle(HBRUSH Brush);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    // A pattern brush repeating Bitmap (which stays the caller's and must outlive its use
    // here); null goes back to Color and Style.
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* Value);

protected:
    HGDIOBJ CreateObject() const override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
};
