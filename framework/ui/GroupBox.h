// TCustomGroupBox / TGroupBox: a frame with its caption in the top edge, over the system
// BUTTON control's group-box style, holding other controls.
#pragma once

#include "framework/ui/WinControl.h"

class TCustomGroupBox : public TWinControl {
    PANTREL_CLASS(TCustomGroupBox, TWinControl)
    explicit TCustomGroupBox(TComponent* AOwner);

protected:
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
};

class TGroupBox : public TCustomGroupBox {
    PANTREL_CLASS(TGroupBox, TCustomGroupBox)
    explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};
