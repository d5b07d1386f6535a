// TUpDown: a pair of arrow buttons over the common control "msctls_updown32" that steps
// Position between Min and Max by Increment. With an Associate (usually an edit) it sits at
// the associate's right edge and shows Position as the associate's text, and the up and
// down keys in the associate step it too. OnClick tells which button stepped it.
#pragma once

#include "framework/ui/WinControl.h"

PANTREL_ENUM(TUDOrientation, udHorizontal, udVertical)
PANTREL_ENUM(TUDBtnType, btNext, btPrev)

using TUDClickEvent = TDelegate<void(TObject* Sender, TUDBtnType Button)>;

class TUpDown : public TWinControl {
    PANTREL_CLASS(TUpDown, TWinControl)
    explicit TUpDown(TComponent* AOwner);

    TWinControl* Associate() const { return FAssociate; }
    void SetAssociate(TWinControl* Value);
    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    // Read from the control, which also takes a number typed into the associate.
    int Position() const;
    void SetPosition(int Value);
    int Increment() const { return FIncrement; }
    void SetIncrement(int Value);
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation Value);
    // Past Max it goes on at Min, and the other way round.
    bool Wrap() const { return FWrap; }
    void SetWrap(bool Value);
    bool ArrowKeys() const { return FArrowKeys; }
    void SetArrowKeys(bool Value);

    // Hides TControl's OnClick: this one says which button was pressed.
    TUDClickEvent OnClick;

    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;

private:
    DWORD StyleBits() const;
    void UpdateStyle();
    void SetRange();
    void SetBuddy();

    TWinControl* FAssociate = nullptr;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FIncrement = 1;
    TUDOrientation FOrientation = udVertical;
    bool FWrap = false;
    bool FArrowKeys = true;
    // The direction the control announced (UDN_DELTAPOS) before it moved.
    TUDBtnType FStep = btNext;
};
