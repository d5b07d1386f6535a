#include "framework/ui/Timer.h"

#include "framework/core/Exception.h"
#include "framework/ui/Application.h"

PANTREL_REGISTER(TTimer, TComponent,
    PROP_BOOL(Enabled, Enabled, SetEnabled),
    PROP_INT(Interval, Interval, SetInterval),
    PROP_EVENT(OnTimer, OnTimer))

TTimer::TTimer(TComponent* AOwner)
    : TComponent(AOwner), FThunk(TWndMethod(this, &TTimer::WndProc)), FWindow(AllocateHWnd(FThunk))
{
    if (!FWindow)
        throw EOutOfResources("Cannot create the timer's window");
    UpdateTimer();
}

TTimer::~TTimer()
{
    KillTimer(FWindow, 1);
    DeallocateHWnd(FWindow);
}

void TTimer::SetEnabled(bool Value)
{
    if (Value != FEnabled) {
        FEnabled = Value;
        UpdateTimer();
    }
}

void TTimer::SetInterval(unsigned Value)
{
    if (Value != FInterval) {
        FInterval = Value;
        UpdateTimer();
    }
}

void TTimer::UpdateTimer()
{
    KillTimer(FWindow, 1);
    if (FEnabled && FInterval != 0 && !SetTimer(FWindow, 1, FInterval, nullptr))
        throw EOutOfResources("Not enough timers available");
}

void TTimer::Timer()
{
    OnTimer(this);
}

void TTimer::WndProc(TMessage& Message)
{
    if (Message.Msg != WM_TIMER) {
        Message.Result = DefWindowProcA(FWindow, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    try {
        Timer();
    } catch (...) {
        Application->HandleException(this);
    }
}
