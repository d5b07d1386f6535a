// TSpeedButton: a windowless button (tool-bar style) with a glyph and a caption. Buttons
// of one GroupIndex on the same parent act like radio buttons: one stays Down (or none,
// with AllowAllUp); with GroupIndex 0 it springs back after each click.
#pragma once

#include "framework/ui/ButtonGlyph.h"
#include "framework/ui/GraphicControl.h"

class TSpeedButton : public TGraphicControl {
    PANTREL_CLASS(TSpeedButton, TGraphicControl)
    explicit TSpeedButton(TComponent* AOwner);

    TBitmap* Glyph() const { return FGlyph.Bitmap(); }
    int NumGlyphs() const { return FGlyph.NumGlyphs(); }
    void SetNumGlyphs(int Value) { FGlyph.SetNumGlyphs(Value); }
    TButtonLayout Layout() const { return FGlyph.Layout(); }
    void SetLayout(TButtonLayout Value) { FGlyph.SetLayout(Value); }
    int Margin() const { return FGlyph.Margin(); }
    void SetMargin(int Value) { FGlyph.SetMargin(Value); }
    int Spacing() const { return FGlyph.Spacing(); }
    void SetSpacing(int Value) { FGlyph.SetSpacing(Value); }

    // A frame only while the mouse is over it or it is down.
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    // Only a button of a group (GroupIndex not 0) stays down; it raises the others.
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    // A down button of the group may be raised again with a click.
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }

    // The face drawn now (pressed while the mouse is held over it).
    TButtonState State() const;

    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    bool Inside(int X, int Y) const { return X >= 0 && Y >= 0 && X < Width() && Y < Height(); }
    void GlyphChanged(TObject*) { Invalidate(); }
    // Raises the other buttons of this one's group.
    void ReleaseGroup();

    TButtonGlyph FGlyph;
    bool FFlat = false;
    bool FDown = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FDragging = false;   // the left button went down on it and is still held
    bool FPressed = false;    // ... and the mouse is over it
    bool FMouseInControl = false;
};
