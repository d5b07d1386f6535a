// TBitBtn: a push button that shows a glyph beside its caption. It is the system button
// drawn by its owner (BS_OWNERDRAW), so pressing, focus and clicks stay the system's.
#pragma once

#include "framework/ui/Button.h"
#include "framework/ui/ButtonGlyph.h"

class TBitBtn : public TButton {
    PANTREL_CLASS(TBitBtn, TButton)
    explicit TBitBtn(TComponent* AOwner);

    TBitmap* Glyph() const { return FGlyph.Bitmap(); }
    int NumGlyphs() const { return FGlyph.NumGlyphs(); }
    void SetNumGlyphs(int Value) { FGlyph.SetNumGlyphs(Value); }
    TButtonLayout Layout() const { return FGlyph.Layout(); }
    void SetLayout(TButtonLayout Value) { FGlyph.SetLayout(Value); }
    int Margin() const { return FGlyph.Margin(); }
    void SetMargin(int Value) { FGlyph.SetMargin(Value); }
    int Spacing() const { return FGlyph.Spacing(); }
    void SetSpacing(int Value) { FGlyph.SetSpacing(Value); }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;

private:
    void DrawItem(const DRAWITEMSTRUCT& Item);
    void GlyphChanged(TObject*) { Invalidate(); }

    TButtonGlyph FGlyph;
};
