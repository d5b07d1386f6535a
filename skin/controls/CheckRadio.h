#pragma once
// TSkinCheckBox, TSkinRadioButton: check boxes and radio buttons paint themselves (caption,
// focus rectangle, native box); the kinds then paint the skin's box image over the native
// box. Frames: 1 unchecked, 2 checked, 3 unchecked disabled, 4 checked disabled (and, for
// check boxes, indeterminate in any state).
#include <windows.h>

#include "skin/controls/SkinControl.h"

class TSkinCheckBox : public TSkinControl {
    PANTREL_CLASS(TSkinCheckBox, TSkinControl)
    explicit TSkinCheckBox(TComponent* AOwner);

    void AfterMessage(TMessage& Message) override;
    void Draw(HDC DC, const RECT& Rect) override;
};

class TSkinRadioButton : public TSkinControl {
    PANTREL_CLASS(TSkinRadioButton, TSkinControl)
    explicit TSkinRadioButton(TComponent* AOwner);

    void AfterMessage(TMessage& Message) override;
    void Draw(HDC DC, const RECT& Rect) override;
};
