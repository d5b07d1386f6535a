#include "framework/ui/ProgressBar.h"

#include <commctrl.h>

PANTREL_REGISTER(TProgressBar, TWinControl,
    PROP_INT(Min, Min, SetMin),
    PROP_INT(Max, Max, SetMax),
    PROP_INT(Position, Position, SetPosition),
    PROP_BOOL(Smooth, Smooth, SetSmooth),
    PROP_ENUM(Orientation, Orientation, SetOrientation))

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner)
{
    SetBounds(0, 0, 150, 16);
}

void TProgressBar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, PROGRESS_CLASSA);
    if (FSmooth)
        Params.Style |= PBS_SMOOTH;
    if (FOrientation == pbVertical)
        Params.Style |= PBS_VERTICAL;
}

void TProgressBar::CreateHandleDone()
{
    SetRange();
    SendMessageA(FHandle, PBM_SETPOS, WPARAM(FPosition), 0);
}

void TProgressBar::DestroyWnd()
{
    FPosition = Position();
    TWinControl::DestroyWnd();
}

void TProgressBar::SetRange()
{
    SendMessageA(FHandle, PBM_SETRANGE32, WPARAM(FMin), LPARAM(FMax));
}

void TProgressBar::SetMin(int Value)
{
    FMin = Value;
    if (FHandle)
        SetRange();
}

void TProgressBar::SetMax(int Value)
{
    FMax = Value;
    if (FHandle)
        SetRange();
}

int TProgressBar::Position() const
{
    return FHandle ? int(SendMessageA(FHandle, PBM_GETPOS, 0, 0)) : FPosition;
}

void TProgressBar::SetPosition(int Value)
{
    FPosition = Value;
    if (FHandle)
        SendMessageA(FHandle, PBM_SETPOS, WPARAM(Value), 0);
}

// The control takes both styles only when its window is made.
void TProgressBar::SetSmooth(bool Value)
{
    if (Value == FSmooth)
        return;
    FSmooth = Value;
    RecreateWnd();
}

void TProgressBar::SetOrientation(TProgressBarOrientation Value)
{
    if (Value == FOrientation)
        return;
    FOrientation = Value;
    RecreateWnd();
}
