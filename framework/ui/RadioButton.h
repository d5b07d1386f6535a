// TRadioButton: a radio button over the system BUTTON control. Checking one unchecks the
// radio buttons beside it (same parent); OnClick runs when the user checks it.
#pragma once

#include "framework/ui/WinControl.h"

class TRadioButton : public TWinControl {
    PANTREL_CLASS(TRadioButton, TWinControl)
    explicit TRadioButton(TComponent* AOwner);

    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void Dispatch(TMessage& Message) override;

private:
    bool FChecked = false;
};
