#include "tests/controls/Input.h"

#include <algorithm>
#include <vector>

#include "framework/ui/Application.h"
#include "framework/ui/Control.h"

bool AppPumpUntil(const std::function<bool()>& Done, DWORD TimeoutMs)
{
    const DWORD Start = GetTickCount();
    for (;;) {
        Application->ProcessMessages();
        if (Done())
            return true;
        if (GetTickCount() - Start >= TimeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void AppPumpFor(DWORD Ms)
{
    AppPumpUntil([] { return false; }, Ms);
}

POINT ScreenPointOf(const TControl* Control, int X, int Y)
{
    return Control->ClientToScreen(POINT{X, Y});
}

INPUT MouseEvent(DWORD Flags, POINT Screen)
{
    INPUT In{};
    In.type = INPUT_MOUSE;
    In.mi.dx = LONG(MulDiv(Screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1));
    In.mi.dy = LONG(MulDiv(Screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1));
    In.mi.dwFlags = Flags;
    return In;
}

void SendMouse(DWORD Flags, POINT Screen)
{
    INPUT In = MouseEvent(Flags, Screen);
    SendInput(1, &In, sizeof In);
}

void MoveMouseTo(POINT Screen, DWORD PumpMs)
{
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Screen);
    AppPumpFor(PumpMs);
}

void ClickAt(POINT Screen, DWORD PumpMs)
{
    MoveMouseTo(Screen, std::min<DWORD>(PumpMs, 100));
    INPUT In[2] = {};
    In[0].type = In[1].type = INPUT_MOUSE;
    In[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    In[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, In, sizeof In[0]);
    AppPumpFor(PumpMs);
}

void PressKey(WORD Key, std::initializer_list<WORD> Held)
{
    QueueKey(Key, Held);
    AppPumpFor(150);
}

void QueueKey(WORD Key, std::initializer_list<WORD> Held)
{
    std::vector<INPUT> In;
    auto Add = [&](WORD Vk, bool Up) {
        INPUT I{};
        I.type = INPUT_KEYBOARD;
        I.ki.wVk = Vk;
        I.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
        In.push_back(I);
    };
    for (WORD H : Held)
        Add(H, false);
    Add(Key, false);
    Add(Key, true);
    for (auto It = Held.end(); It != Held.begin();)
        Add(*--It, true);
    SendInput(UINT(In.size()), In.data(), sizeof(INPUT));
}

void MouseButton(bool Down, DWORD PumpMs)
{
    INPUT In{};
    In.type = INPUT_MOUSE;
    In.mi.dwFlags = Down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &In, sizeof In);
    if (PumpMs > 0)  // 0: only queued, for input sent from inside a modal loop
        AppPumpFor(PumpMs);
}
