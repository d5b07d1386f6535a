#include "framework/ui/Button.h"

#include "framework/ui/Form.h"
#include "framework/ui/Menus.h"

PANTREL_REGISTER(TButton, TWinControl,
    PROP_BOOL(Default, Default, SetDefault),
    PROP_BOOL(Cancel, Cancel, SetCancel),
    PROP_INT(ModalResult, ModalResult, SetModalResult))

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner)
{
    // The system control reports clicks (BN_CLICKED); the framework must not add its own.
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents});
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::SetDefault(bool Value)
{
    if (Value == FDefault)
        return;
    FDefault = Value;
    if (FHandle)
        SendMessageA(FHandle, BM_SETSTYLE, Value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "BUTTON");
    Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::Click()
{
    if (FModalResult != 0)
        if (TCustomForm* Form = GetParentForm(this))
            Form->SetModalResult(FModalResult);
    TWinControl::Click();
}

void TButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND:
        if (HIWORD(Message.WParam) == BN_CLICKED)
            Click();
        break;
    case CM_DIALOGKEY:
        if (((Message.WParam == VK_RETURN && FDefault) || (Message.WParam == VK_ESCAPE && FCancel)) && CanFocus()) {
            Click();
            Message.Result = 1;
        }
        break;
    case CM_DIALOGCHAR:
        if (IsAccel(unsigned(Message.WParam), Caption()) && CanFocus()) {
            Click();
            Message.Result = 1;
        }
        break;
    default:
        TWinControl::Dispatch(Message);
    }
}
