// TThunk: a callable window procedure bound to one message handler (an object and its
// member). Each call of Proc() becomes a TMessage for the handler, whose Result is returned.
// Used for the framework's own windows and for subclassing any window (the skin engine).
#pragma once

#include <windows.h>

#include "framework/ui/Messages.h"

class TThunk {
public:
    explicit TThunk(TWndMethod Handler);
    ~TThunk();
    TThunk(const TThunk&) = delete;
    TThunk& operator=(const TThunk&) = delete;

    // The window procedure to give to SetWindowLongPtrA(GWLP_WNDPROC) or a window class.
    WNDPROC Proc() const { return FProc; }
    const TWndMethod& Handler() const { return FHandler; }

private:
    static LRESULT CALLBACK Entry(HWND Self, UINT Msg, WPARAM WParam, LPARAM LParam);

    TWndMethod FHandler;
    WNDPROC FProc;
};

// Called (inside the catch block) when a handler reached through a thunk lets an exception
// escape, which must never unwind through the system's frames. The application puts its
// error box here; without one the exception is dropped.
extern void (*ThunkExceptionHandler)();

// A hidden message-only window whose messages go to Thunk's handler (timers and the like
// that need a window but no control).
HWND AllocateHWnd(const TThunk& Thunk);
