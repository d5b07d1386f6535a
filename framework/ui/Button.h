// TButton: a push button over the system BUTTON control. A click (mouse, space, Enter on
// the default button, Escape on the cancel button, Alt+accelerator) runs Click, which also
// closes a modal form with the button's ModalResult.
#pragma once

#include "framework/ui/WinControl.h"

class TButton : public TWinControl {
    PANTREL_CLASS(TButton, TWinControl)
    explicit TButton(TComponent* AOwner);

    // Enter anywhere on the form presses the default button.
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    // Escape anywhere on the form presses the cancel button.
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }

    void Click() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;

private:
    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = 0;
};
