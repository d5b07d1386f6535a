// TCheckBox: a check box over the system BUTTON control. With AllowGrayed a click cycles
// unchecked, checked, grayed; OnClick runs when the user changes the state.
#pragma once

#include "framework/ui/ControlTypes.h"
#include "framework/ui/WinControl.h"

PANTREL_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed)

class TCheckBox : public TWinControl {
    PANTREL_CLASS(TCheckBox, TWinControl)
    explicit TCheckBox(TComponent* AOwner);

    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value);
    // taLeftJustify puts the caption left of the box; anything else right of it.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void Dispatch(TMessage& Message) override;

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = taRightJustify;
};
