// TCustomControl: a windowed control that paints its client area itself (Paint on Canvas).
#pragma once

#include <memory>

#include "framework/graphics/Canvas.h"
#include "framework/ui/WinControl.h"

class TCustomControl : public TWinControl {
    PANTREL_CLASS(TCustomControl, TWinControl)
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;

    // Bound to the paint DC while Paint runs, else to a DC of the window taken on demand.
    TControlCanvas* Canvas() const { return FCanvas.get(); }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC DC) override;
    void CreateHandleDone() override;
    void DestroyWnd() override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};
