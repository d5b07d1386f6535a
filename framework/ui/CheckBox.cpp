#include "framework/ui/CheckBox.h"

PANTREL_REGISTER(TCheckBox, TWinControl,
    PROP_BOOL(Checked, Checked, SetChecked),
    PROP_ENUM(State, State, SetState),
    PROP_BOOL(AllowGrayed, AllowGrayed, SetAllowGrayed),
    PROP_ENUM(Alignment, Alignment, SetAlignment))

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner)
{
    // The system control reports clicks (BN_CLICKED).
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents});
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

void TCheckBox::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "BUTTON");
    Params.Style |= FAllowGrayed ? BS_AUTO3STATE : BS_AUTOCHECKBOX;
    if (FAlignment == taLeftJustify)
        Params.Style |= BS_LEFTTEXT;
}

void TCheckBox::CreateHandleDone()
{
    SendMessageA(FHandle, BM_SETCHECK, WPARAM(FState), 0);
}

void TCheckBox::SetState(TCheckBoxState Value)
{
    FState = Value;
    if (FHandle)
        SendMessageA(FHandle, BM_SETCHECK, WPARAM(Value), 0);
}

void TCheckBox::SetAllowGrayed(bool Value)
{
    if (Value == FAllowGrayed)
        return;
    FAllowGrayed = Value;
    RecreateWnd();
}

void TCheckBox::SetAlignment(TAlignment Value)
{
    if (Value == FAlignment)
        return;
    FAlignment = Value;
    RecreateWnd();
}

void TCheckBox::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == BN_CLICKED) {
        // The system control has already moved on to its next state.
        FState = TCheckBoxState(SendMessageA(FHandle, BM_GETCHECK, 0, 0) & 3);
        Click();
        return;
    }
    TWinControl::Dispatch(Message);
}
