// TTimer: runs OnTimer every Interval milliseconds while Enabled, through the message loop.
#pragma once

#include "framework/core/Component.h"

#include <windows.h>

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
    friend class TTimerWindow;
    void UpdateTimer();
    void Tick();

    bool FEnabled = true;
    unsigned FInterval = 1000;
    UINT_PTR FId;
};
