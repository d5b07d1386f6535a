// TProgressBar over the common control "msctls_progress32": Position between Min and Max,
// shown as blocks or (Smooth) as one bar, lying or standing (Orientation).
#pragma once

#include "framework/ui/WinControl.h"

PANTREL_ENUM(TProgressBarOrientation, pbHorizontal, pbVertical)

class TProgressBar : public TWinControl {
    PANTREL_CLASS(TProgressBar, TWinControl)
    explicit TProgressBar(TComponent* AOwner);

    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    // Read from the control, which keeps it within the range.
    int Position() const;
    void SetPosition(int Value);
    bool Smooth() const { return FSmooth; }
    void SetSmooth(bool Value);
    TProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TProgressBarOrientation Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void DestroyWnd() override;

private:
    void SetRange();

    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    bool FSmooth = false;
    TProgressBarOrientation FOrientation = pbHorizontal;
};
