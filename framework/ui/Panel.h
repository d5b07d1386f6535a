// TCustomPanel / TPanel: a plain container window of the framework with a bevelled edge
// and an optional caption.
#pragma once

#include "framework/ui/ControlTypes.h"
#include "framework/ui/WinControl.h"

class TCustomPanel : public TWinControl {
    PANTREL_CLASS(TCustomPanel, TWinControl)
    explicit TCustomPanel(TComponent* AOwner);

    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);
    // Room between the outer and the inner bevel.
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

protected:
    void PaintWindow(HDC DC) override;
    void Dispatch(TMessage& Message) override;

private:
    void Changed() { Invalidate(); }
    TBevelCut FBevelOuter = bvRaised;
    TBevelCut FBevelInner = bvNone;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TAlignment FAlignment = taCenter;
};

class TPanel : public TCustomPanel {
    PANTREL_CLASS(TPanel, TCustomPanel)
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

// Draws a bevel Width pixels wide just inside R and moves R inside it: TopLeft colours the
// top and left edges, BottomRight the others.
void Frame3D(HDC DC, RECT& R, COLORREF TopLeft, COLORREF BottomRight, int Width);
