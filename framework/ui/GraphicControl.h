// TGraphicControl: a control without a window of its own. Its parent paints it (WM_PAINT
// with the parent's DC, moved to the control's corner, through its WindowProc) and routes
// the mouse messages over it to it, CM_MOUSEENTER and CM_MOUSELEAVE included.
#pragma once

#include <memory>

#include "framework/graphics/Canvas.h"
#include "framework/ui/Control.h"

class TGraphicControl;

// A canvas on the part of the parent's window that a windowless control covers, with the
// control's top-left corner as origin; the DC is taken on demand and given back by FreeHandle.
class TGraphicControlCanvas : public TCanvas {
    PANTREL_CLASS(TGraphicControlCanvas, TCanvas)
    explicit TGraphicControlCanvas(TGraphicControl* AControl) : FControl(AControl) {}
    ~TGraphicControlCanvas() override;
    void FreeHandle();

protected:
    void CreateHandle() override;

private:
    TGraphicControl* FControl;
    HWND FWindow = nullptr;
    HDC FWindowDC = nullptr;
};

class TGraphicControl : public TControl {
    PANTREL_CLASS(TGraphicControl, TControl)
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;

    // The drawing surface: bound to the paint DC while Paint runs, else to a DC of the
    // parent's window taken on demand.
    TCanvas* Canvas() const { return FCanvas.get(); }
    void Dispatch(TMessage& Message) override;

protected:
    // Draws the control on Canvas; (0, 0) is its top-left corner.
    virtual void Paint() {}

private:
    std::unique_ptr<TGraphicControlCanvas> FCanvas;
};
