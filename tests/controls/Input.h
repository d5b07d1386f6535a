// Real input for the controls tests: mouse moves and clicks and key presses go through
// the window system (SendInput), and messages are handled by the application's own loop,
// so keys reach controls and menus the way they do in the program.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>

class TControl;

// Handles the thread's messages through the application until Done or the time is up.
bool AppPumpUntil(const std::function<bool()>& Done, DWORD TimeoutMs = 3000);
void AppPumpFor(DWORD Ms);

// One mouse event for SendInput: Flags (moves, presses, releases) with Screen as the
// absolute place when Flags hold MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE.
INPUT MouseEvent(DWORD Flags, POINT Screen = {});
// Sends that one event; the messages it brings are left in the queue.
void SendMouse(DWORD Flags, POINT Screen = {});

// Screen point of a point in a control's client coordinates.
POINT ScreenPointOf(const TControl* Control, int X, int Y);
// Moves the mouse there and handles the messages for PumpMs milliseconds.
void MoveMouseTo(POINT Screen, DWORD PumpMs = 100);
// Moves there and clicks, then handles the messages for PumpMs milliseconds (a short time
// is enough where only the absence of harm is checked).
void ClickAt(POINT Screen, DWORD PumpMs = 150);
// Presses (Down) or lets go of the left mouse button where the mouse is, then handles the
// messages for PumpMs milliseconds (0: none, for input sent from inside a modal loop).
void MouseButton(bool Down, DWORD PumpMs = 150);
// Presses Key with the modifier keys held (VK_MENU, VK_CONTROL, VK_SHIFT), then lets go,
// and handles the messages. QueueKey only puts the key in the input queue: keys meant for
// a menu or dialog loop must be queued before the loop starts, since it returns only when
// they have been handled.
void PressKey(WORD Key, std::initializer_list<WORD> Held = {});
void QueueKey(WORD Key, std::initializer_list<WORD> Held = {});
