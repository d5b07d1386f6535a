// TTrackBar over the common control "msctls_trackbar32": a thumb the user drags or steps
// between Min and Max, with a tick mark every Frequency positions, lying or standing
// (Orientation). OnChange follows every move of the thumb.
#pragma once

#include "framework/ui/WinControl.h"

PANTREL_ENUM(TTrackBarOrientation, trHorizontal, trVertical)

class TTrackBar : public TWinControl {
    PANTREL_CLASS(TTrackBar, TWinControl)
    explicit TTrackBar(TComponent* AOwner);

    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    // Read from the control, which the user may have moved.
    int Position() const;
    void SetPosition(int Value);
    TTrackBarOrientation Orientation() const { return FOrientation; }
    // Also turns the bounds, as a standing bar is as wide as a lying one is high.
    void SetOrientation(TTrackBarOrientation Value);
    int Frequency() const { return FFrequency; }
    void SetFrequency(int Value);

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;

private:
    void SetRange();

    int FMin = 0;
    int FMax = 10;
    int FPosition = 0;
    TTrackBarOrientation FOrientation = trHorizontal;
    int FFrequency = 1;
};
