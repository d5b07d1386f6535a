#include "framework/ui/TrackBar.h"

#include <commctrl.h>

PANTREL_REGISTER(TTrackBar, TWinControl,
    PROP_INT(Min, Min, SetMin),
    PROP_INT(Max, Max, SetMax),
    PROP_INT(Position, Position, SetPosition),
    PROP_ENUM(Orientation, Orientation, SetOrientation),
    PROP_INT(Frequency, Frequency, SetFrequency),
    PROP_EVENT(OnChange, OnChange))

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner)
{
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, TRACKBAR_CLASSA);
    Params.Style |= TBS_AUTOTICKS | (FOrientation == trVertical ? TBS_VERT : TBS_HORZ);
}

void TTrackBar::CreateHandleDone()
{
    SetRange();
    SendMessageA(FHandle, TBM_SETTICFREQ, WPARAM(FFrequency), 0);
    SendMessageA(FHandle, TBM_SETPOS, TRUE, LPARAM(FPosition));
}

void TTrackBar::DestroyWnd()
{
    FPosition = Position();
    TWinControl::DestroyWnd();
}

void TTrackBar::SetRange()
{
    SendMessageA(FHandle, TBM_SETRANGEMIN, FALSE, LPARAM(FMin));
    SendMessageA(FHandle, TBM_SETRANGEMAX, TRUE, LPARAM(FMax));
}

void TTrackBar::SetMin(int Value)
{
    FMin = Value;
    if (FHandle)
        SetRange();
}

void TTrackBar::SetMax(int Value)
{
    FMax = Value;
    if (FHandle)
        SetRange();
}

int TTrackBar::Position() const
{
    return FHandle ? int(SendMessageA(FHandle, TBM_GETPOS, 0, 0)) : FPosition;
}

void TTrackBar::SetPosition(int Value)
{
    FPosition = Value;
    if (FHandle)
        SendMessageA(FHandle, TBM_SETPOS, TRUE, LPARAM(Value));
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value)
{
    if (Value == FOrientation)
        return;
    FOrientation = Value;
    if (!ComponentState().Contains(csLoading))
        SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TTrackBar::SetFrequency(int Value)
{
    FFrequency = Value;
    if (FHandle)
        SendMessageA(FHandle, TBM_SETTICFREQ, WPARAM(Value), 0);
}

void TTrackBar::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL: {
        const int Now = Position();
        if (Now != FPosition) {
            FPosition = Now;
            OnChange(this);
        }
        Message.Result = 0;
        break;
    }
    default:
        TWinControl::Dispatch(Message);
    }
}
