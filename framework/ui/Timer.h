// TTimer: runs OnTimer every Interval milliseconds while Enabled, through the message loop.
#pragma once

#include "framework/core/Component.h"
#include "framework/ui/Thunk.h"

class TTimer : public TComponent {
    PANTREL_CLASS(TTimer, TComponent)
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned Value);

    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    void WndProc(TMessage& Message);

    bool FEnabled = true;
    unsigned FInterval = 1000;
    TThunk FThunk;
    HWND FWindow;
};
