// A skinned memo's scroll bar against the system's, side by side in one run: two memos of
// 2,700 lines, one wrapped by the scroll-bar kind (which drags the thumb itself), one
// plain (the system drags it); each thumb is dragged from top to bottom with the mouse, and
// every SB_THUMBTRACK is timed from its arrival until the memo and its bar are repainted.
//   scroll_benchmark SKINFILE [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "framework/ui/Memo.h"
#include "framework/ui/StandardControls.h"
#include "skin/controls/ScrollBars.h"
#include "skin/data/SkinData.h"
#include "tests/controls/Input.h"
#include "tests/skinform/bench/SkinBench.h"

namespace {

// Under the 30,000 characters a memo holds by default: a memo whose limit is raised beyond
// that repaints without end under Wine.
constexpr int Lines = 2700;
constexpr int Step = 2;   // pixels the mouse moves per tick of the drag

LONGLONG Now()
{
    LARGE_INTEGER T;
    QueryPerformanceCounter(&T);
    return T.QuadPart;
}

// Times the thumb-track messages reaching a memo, repaint included; put in front of
// whatever handles the memo's messages.
struct TTrackTimer {
    TWinControl* Memo = nullptr;
    TWndMethod Old;
    std::vector<double> Microseconds;

    void Attach(TWinControl* Control)
    {
        Memo = Control;
        Old = Control->WindowProc;
        Control->WindowProc = TWndMethod(this, &TTrackTimer::WndProc);
    }
    void WndProc(TMessage& Message)
    {
        if (Message.Msg != WM_VSCROLL || LOWORD(Message.WParam) != SB_THUMBTRACK) {
            Old(Message);
            return;
        }
        LARGE_INTEGER Frequency;
        QueryPerformanceFrequency(&Frequency);
        const LONGLONG Start = Now();
        Old(Message);
        UpdateWindow(Memo->Handle());
        Microseconds.push_back(double(Now() - Start) * 1e6 / double(Frequency.QuadPart));
    }
};

// The drag in progress: the mouse goes down the bar Step pixels per tick and lets go at the
// end. Timer ticks reach both the kind's drag loop and the system's.
POINT DragAt;
LONG DragEnd = 0;
bool Dragging = false;

VOID CALLBACK DragTick(HWND, UINT, UINT_PTR Id, DWORD)
{
    if (DragAt.y >= DragEnd) {
        KillTimer(nullptr, Id);
        SendMouse(MOUSEEVENTF_LEFTUP);
        Dragging = false;
        return;
    }
    DragAt.y = std::min<LONG>(DragAt.y + Step, DragEnd);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, DragAt);
}

// Drags the memo's thumb from the top of its track to the bottom of the bar.
void DragThumb(TMemo* Memo)
{
    SendMessageA(Memo->Handle(), WM_VSCROLL, SB_TOP, 0);
    Pump(100);
    SCROLLBARINFO Info{};
    Info.cbSize = sizeof Info;
    GetScrollBarInfo(Memo->Handle(), OBJID_VSCROLL, &Info);
    DragAt = POINT{(Info.rcScrollBar.left + Info.rcScrollBar.right) / 2,
                   Info.rcScrollBar.top + (Info.xyThumbTop + Info.xyThumbBottom) / 2};
    DragEnd = Info.rcScrollBar.bottom - 1;
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, DragAt);
    Pump(50);
    Dragging = true;
    SetTimer(nullptr, 0, 10, DragTick);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    const DWORD Start = GetTickCount();
    while (Dragging && GetTickCount() - Start < 60000) {
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    Pump(100);
}

TMemo* LongMemo(TForm* Form, int Left, const std::string& Text)
{
    auto* Memo = new TMemo(Form);
    Memo->SetParent(Form);
    Memo->SetBounds(Left, 10, 300, 500);
    Memo->SetScrollBars(ssVertical);
    Memo->SetText(Text);
    return Memo;
}

}  // namespace

int main(int Argc, char** Argv)
{
    if (Argc < 2) {
        std::fprintf(stderr, "usage: scroll_benchmark SKINFILE [ROUNDS]\n");
        return 2;
    }
    const int Rounds = Argc > 2 ? std::max(1, std::atoi(Argv[2])) : 3;
    RegisterStandardControls();
    Application->Initialize();
    TSkinData Skin(nullptr);
    if (!LoadBenchSkin(Skin, Argv[1], false))
        return 1;

    std::string Text;
    for (int I = 0; I < Lines; ++I)
        Text += "line " + std::to_string(I) + "\r\n";
    auto* Form = new TForm(nullptr);
    Form->SetBounds(10, 10, 660, 580);
    Form->SetCaption("scroll_benchmark");
    TMemo* Skinned = LongMemo(Form, 10, Text);
    TMemo* Plain = LongMemo(Form, 330, Text);
    Form->Show();
    SetForegroundWindow(Form->Handle());
    Pump(300);

    TSkinScrollBar Kind(nullptr);
    Kind.InstallScrollBars(Skinned, &Skin, true, nullptr);
    TTrackTimer SkinnedTimer, PlainTimer;
    SkinnedTimer.Attach(Skinned);
    PlainTimer.Attach(Plain);
    Pump(200);

    for (int R = 0; R < Rounds; ++R) {
        DragThumb(Skinned);
        DragThumb(Plain);
    }
    const double A = Median(SkinnedTimer.Microseconds);
    const double B = Median(PlainTimer.Microseconds);
    std::printf("thumb drag over a %d-line memo, median time per SB_THUMBTRACK repaint (%d rounds):\n", Lines,
                Rounds);
    std::printf("  skinned  %8.1f us  (%zu tracks)\n", A, SkinnedTimer.Microseconds.size());
    std::printf("  plain    %8.1f us  (%zu tracks)\n", B, PlainTimer.Microseconds.size());
    std::printf("  ratio    %8.2f\n", B > 0 ? A / B : 0.0);
    std::printf("BENCH|memo thumb drag, per SB_THUMBTRACK repaint (us, median)|%.0f|%.0f (unskinned memo)|%.2f|<= 1.5\n", A, B,
                B > 0 ? A / B : 0.0);
    Kind.Uninstall();
    delete Form;
    return 0;
}
