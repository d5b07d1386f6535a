#include "framework/ui/UpDown.h"

#include <commctrl.h>

PANTREL_REGISTER(TUpDown, TWinControl,
    PROP_COMPONENT(Associate, Associate, SetAssociate),
    PROP_INT(Min, Min, SetMin),
    PROP_INT(Max, Max, SetMax),
    PROP_INT(Position, Position, SetPosition),
    PROP_INT(Increment, Increment, SetIncrement),
    PROP_ENUM(Orientation, Orientation, SetOrientation),
    PROP_BOOL(Wrap, Wrap, SetWrap),
    PROP_BOOL(ArrowKeys, ArrowKeys, SetArrowKeys),
    PROP_EVENT(OnClick, OnClick))

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents, csCaptureMouse});
    SetBounds(0, 0, 17, 25);
}

DWORD TUpDown::StyleBits() const
{
    DWORD Style = UDS_ALIGNRIGHT | UDS_SETBUDDYINT;
    if (FOrientation == udHorizontal)
        Style |= UDS_HORZ;
    if (FWrap)
        Style |= UDS_WRAP;
    if (FArrowKeys)
        Style |= UDS_ARROWKEYS;
    return Style;
}

void TUpDown::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, UPDOWN_CLASSA);
    Params.Style |= StyleBits();
}

void TUpDown::CreateHandleDone()
{
    SetRange();
    UDACCEL Accel{0, UINT(FIncrement)};
    SendMessageA(FHandle, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&Accel));
    SendMessageA(FHandle, UDM_SETPOS32, 0, FPosition);
    SetBuddy();
}

void TUpDown::DestroyWnd()
{
    FPosition = Position();
    TWinControl::DestroyWnd();
}

void TUpDown::SetRange()
{
    SendMessageA(FHandle, UDM_SETRANGE32, WPARAM(FMin), LPARAM(FMax));
}

void TUpDown::SetBuddy()
{
    if (!FHandle)
        return;
    // Read before: with a new associate the control takes the number from its text.
    const LRESULT Now = SendMessageA(FHandle, UDM_GETPOS32, 0, 0);
    SendMessageA(FHandle, UDM_SETBUDDY, FAssociate ? reinterpret_cast<WPARAM>(FAssociate->Handle()) : 0, 0);
    SendMessageA(FHandle, UDM_SETPOS32, 0, Now);
}

void TUpDown::UpdateStyle()
{
    if (!FHandle)
        return;
    const DWORD Mask = UDS_HORZ | UDS_WRAP | UDS_ARROWKEYS;
    const LONG_PTR Style = GetWindowLongPtrA(FHandle, GWL_STYLE);
    SetWindowLongPtrA(FHandle, GWL_STYLE, (Style & ~LONG_PTR(Mask)) | LONG_PTR(StyleBits() & Mask));
    Invalidate();
}

void TUpDown::SetAssociate(TWinControl* Value)
{
    if (Value == FAssociate)
        return;
    if (FAssociate)
        FAssociate->RemoveFreeNotification(this);
    FAssociate = Value;
    if (Value)
        Value->FreeNotification(this);
    SetBuddy();
}

void TUpDown::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FAssociate) {
        FAssociate = nullptr;
        if (FHandle)
            SendMessageA(FHandle, UDM_SETBUDDY, 0, 0);
    }
}

void TUpDown::SetMin(int Value)
{
    FMin = Value;
    if (FHandle)
        SetRange();
}

void TUpDown::SetMax(int Value)
{
    FMax = Value;
    if (FHandle)
        SetRange();
}

int TUpDown::Position() const
{
    if (!FHandle)
        return FPosition;
    return int(SendMessageA(FHandle, UDM_GETPOS32, 0, 0));
}

void TUpDown::SetPosition(int Value)
{
    FPosition = Value;
    if (FHandle) {
        SendMessageA(FHandle, UDM_SETPOS32, 0, Value);
        FPosition = Position();   // kept within the range
    }
}

void TUpDown::SetIncrement(int Value)
{
    FIncrement = Value;
    if (FHandle) {
        UDACCEL Accel{0, UINT(Value)};
        SendMessageA(FHandle, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&Accel));
    }
}

void TUpDown::SetOrientation(TUDOrientation Value)
{
    FOrientation = Value;
    UpdateStyle();
}

void TUpDown::SetWrap(bool Value)
{
    FWrap = Value;
    UpdateStyle();
}

void TUpDown::SetArrowKeys(bool Value)
{
    FArrowKeys = Value;
    UpdateStyle();
}

void TUpDown::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: {
        const auto* Change = reinterpret_cast<const NMUPDOWN*>(Message.LParam);
        if (Change->hdr.code == UINT(UDN_DELTAPOS))
            FStep = Change->iDelta > 0 ? btNext : btPrev;
        Message.Result = 0;
        break;
    }
    case CN_HSCROLL:
    case CN_VSCROLL:
        // Sent after every step, also when the position could not move.
        if (LOWORD(Message.WParam) == SB_THUMBPOSITION) {
            // After a step by key some versions of the control keep the arrow pressed
            // and step again once the mouse comes over it; only the mouse's press may last.
            if (GetKeyState(VK_LBUTTON) >= 0)
                SendMessageA(FHandle, WM_CANCELMODE, 0, 0);
            const int Now = Position();
            if (Now != FPosition) {
                FPosition = Now;
                OnClick(this, FStep);
            }
        }
        break;
    default:
        TWinControl::Dispatch(Message);
    }
}
