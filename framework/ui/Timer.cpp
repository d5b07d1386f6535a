#include "framework/ui/Timer.h"

#include "framework/core/Exception.h"
#include "framework/ui/Application.h"
#include "framework/ui/Thunk.h"

#include <map>
#include <set>

PANTREL_REGISTER(TTimer, TComponent,
    PROP_BOOL(Enabled, Enabled, SetEnabled),
    PROP_INT(Interval, Interval, SetInterval),
    PROP_EVENT(OnTimer, OnTimer))

// Every timer ticks through one hidden window: a window of its own would cost each timer
// as much to make as a control. Ids are never given twice, so a tick already queued when
// its timer went away finds nobody.
class TTimerWindow {
public:
    static TTimerWindow& Get()
    {
        static TTimerWindow* const Window = new TTimerWindow;  // lives as long as the program
        return *Window;
    }
    UINT_PTR Add(TTimer* Timer)
    {
        FTimers[++FLastId] = Timer;
        return FLastId;
    }
    void Remove(UINT_PTR Id)
    {
        Stop(Id);
        FTimers.erase(Id);
    }
    bool Start(UINT_PTR Id, unsigned Interval)
    {
        if (!SetTimer(Handle(), Id, Interval, nullptr))
            return false;
        FRunning.insert(Id);
        return true;
    }
    // A timer that is not running is not stopped again: each call is a server request.
    void Stop(UINT_PTR Id)
    {
        if (FRunning.erase(Id))
            KillTimer(FWindow, Id);
    }

private:
    TTimerWindow() : FThunk(TWndMethod(this, &TTimerWindow::WndProc)) {}
    HWND Handle()
    {
        if (!FWindow && !(FWindow = AllocateHWnd(FThunk)))
            throw EOutOfResources("Cannot create the timers' window");
        return FWindow;
    }
    void WndProc(TMessage& Message)
    {
        if (Message.Msg != WM_TIMER) {
            Message.Result = DefWindowProcA(FWindow, Message.Msg, Message.WParam, Message.LParam);
            return;
        }
        const auto Found = FTimers.find(Message.WParam);
        if (Found != FTimers.end())
            Found->second->Tick();
    }

    TThunk FThunk;
    HWND FWindow = nullptr;
    std::map<UINT_PTR, TTimer*> FTimers;
    std::set<UINT_PTR> FRunning;
    UINT_PTR FLastId = 0;
};

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FId(TTimerWindow::Get().Add(this))
{
    UpdateTimer();
}

TTimer::~TTimer()
{
    TTimerWindow::Get().Remove(FId);
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
    TTimerWindow& Window = TTimerWindow::Get();
    Window.Stop(FId);
    if (FEnabled && FInterval != 0 && !Window.Start(FId, FInterval))
        throw EOutOfResources("Not enough timers available");
}

void TTimer::Timer()
{
    OnTimer(this);
}

void TTimer::Tick()
{
    try {
        Timer();
    } catch (...) {
        Application->HandleException(this);
    }
}
