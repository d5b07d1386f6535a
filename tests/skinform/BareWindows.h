// Windows the framework does not know, for tests of the skin manager: plain top-level windows
// of a class of their own, dialogs of the system's dialog class, and a small MDI frame (a
// frame window holding an "MDIClient" with its children), all made with plain Win32.
#pragma once

#include <windows.h>

#include <string>

struct TBareOptions {
    DWORD Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    RECT Bounds{600, 80, 900, 280};  // screen coordinates
    std::string Caption = "Bare";
    // The window answers WM_SKINQUERY with 1, as one skinned by someone else would.
    bool AnswersSkinQuery = false;
    HWND Parent = nullptr;
};

HWND MakeBareWindow(const TBareOptions& Options = {});
// A modeless dialog of the system's dialog class "#32770" with an OK button, from a
// template in memory; shown and activated.
HWND MakeDialog(const std::string& Caption, int X, int Y);
// Brings Wnd to the front and activates it, then handles messages for a moment.
void Activate(HWND Wnd);
// The first visible top-level window of this thread whose class is ClassName, or null.
HWND ThreadWindowOfClass(const std::string& ClassName);

// An MDI frame with a menu bar (&File, &Window; the second is the client's window menu)
// and an "MDIClient"; destroyed with the object.
class TMdiFrame {
public:
    explicit TMdiFrame(const RECT& Bounds = RECT{60, 60, 660, 500});
    ~TMdiFrame();
    TMdiFrame(const TMdiFrame&) = delete;
    TMdiFrame& operator=(const TMdiFrame&) = delete;

    // A new child through WM_MDICREATE, followed by WM_MDIREFRESHMENU as an MDI
    // application sends it after a child was made.
    HWND AddChild(const std::string& Title, int X = 10, int Y = 10, int W = 240, int H = 160);

    HWND Frame = nullptr;
    HWND Client = nullptr;
};
