#pragma once
// TSkinButton: a push button painted from the skin's "Buttons" element (frames 1 normal,
// 2 pressed, 3 disabled, 4 hot or focused). It keeps the left-button press from the
// button, so the button never captures the mouse: the kind shows the press itself and
// raises the click on the release over the button, once.
#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "skin/controls/SkinControl.h"

class TSkinButton : public TSkinControl {
    PANTREL_CLASS(TSkinButton, TSkinControl)
    explicit TSkinButton(TComponent* AOwner);

    bool BeforeMessage(TMessage& Message) override;
    void AfterMessage(TMessage& Message) override;
    void Draw(HDC DC, const RECT& Rect) override;

    // The frame of "Buttons" for the present state: disabled over pressed over hot.
    int StateFrame() const;

    TBitmap FBitmap;  // paint buffer

private:
    void TakeHover();
    void LoseHover();
    void RaiseClick();
    // The caption colour of the state drawn in Frame.
    TColor TextColor(int Frame) const;
};
