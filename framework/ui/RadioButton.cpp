#include "framework/ui/RadioButton.h"

PANTREL_REGISTER(TRadioButton, TWinControl,
    PROP_BOOL(Checked, Checked, SetChecked))

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner)
{
    // The system control reports clicks (BN_CLICKED).
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents});
    SetBounds(0, 0, 113, 17);
    SetTabStop(true);
}

void TRadioButton::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "BUTTON");
    Params.Style |= BS_AUTORADIOBUTTON;
}

void TRadioButton::CreateHandleDone()
{
    SendMessageA(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool Value)
{
    FChecked = Value;
    if (FHandle)
        SendMessageA(FHandle, BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!Value || !FParent)
        return;
    // The system only unchecks the buttons of the clicked one's dialog group.
    for (int I = 0; I < FParent->ControlCount(); ++I)
        if (auto* Other = dynamic_cast<TRadioButton*>(FParent->Controls(I)); Other && Other != this && Other->FChecked)
            Other->SetChecked(false);
}

void TRadioButton::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == BN_CLICKED) {
        if (!FChecked) {
            SetChecked(true);
            Click();
        }
        return;
    }
    TWinControl::Dispatch(Message);
}
