#include "framework/ui/SpeedButton.h"

#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHolders.h"
#include "framework/ui/WinControl.h"

PANTREL_REGISTER(TSpeedButton, TGraphicControl,
    PROP_CLASS(Glyph, Glyph),
    PROP_INT(NumGlyphs, NumGlyphs, SetNumGlyphs),
    PROP_ENUM(Layout, Layout, SetLayout),
    PROP_INT(Margin, Margin, SetMargin),
    PROP_INT(Spacing, Spacing, SetSpacing),
    PROP_BOOL(Flat, Flat, SetFlat),
    PROP_INT(GroupIndex, GroupIndex, SetGroupIndex),
    PROP_BOOL(Down, Down, SetDown),
    PROP_BOOL(AllowAllUp, AllowAllUp, SetAllowAllUp))

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner)
{
    // The click is raised here on release, after Down has changed.
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents} + TControlStyle{csOpaque});
    SetBounds(0, 0, 23, 22);
    FGlyph.OnChange = TNotifyEvent(this, &TSpeedButton::GlyphChanged);
}

void TSpeedButton::SetFlat(bool Value)
{
    FFlat = Value;
    Invalidate();
}

void TSpeedButton::SetDown(bool Value)
{
    if (FGroupIndex == 0)
        Value = false;
    if (Value == FDown || (FDown && !FAllowAllUp))
        return;
    FDown = Value;
    if (Value)
        ReleaseGroup();
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int Value)
{
    FGroupIndex = Value;
    if (Value == 0)
        FDown = false;
    else if (FDown)
        ReleaseGroup();
    Invalidate();
}

void TSpeedButton::ReleaseGroup()
{
    if (!FParent)
        return;
    for (int I = 0; I < FParent->ControlCount(); ++I) {
        auto* Other = dynamic_cast<TSpeedButton*>(FParent->Controls(I));
        if (Other && Other != this && Other->FGroupIndex == FGroupIndex && Other->FDown) {
            Other->FDown = false;
            Other->Invalidate();
        }
    }
}

TButtonState TSpeedButton::State() const
{
    if (!Enabled())
        return bsDisabled;
    if (FPressed)
        return bsDown;
    return FDown ? bsExclusive : bsUp;
}

void TSpeedButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        FMouseInControl = Message.Msg == CM_MOUSEENTER;
        if (FFlat)
            Invalidate();
        break;
    case CM_ENABLEDCHANGED:
        FDragging = FPressed = false;
        break;
    }
    TGraphicControl::Dispatch(Message);
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // A quick second click (ssDouble) presses it like the first.
    if (Button == mbLeft && Enabled()) {
        FDragging = FPressed = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FDragging && Inside(X, Y) != FPressed) {
        FPressed = !FPressed;
        Invalidate();
    }
    TGraphicControl::MouseMove(Shift, X, Y);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const bool Clicked = Button == mbLeft && FDragging && Inside(X, Y);
    if (Button == mbLeft && FDragging) {
        FDragging = FPressed = false;
        Invalidate();
    }
    if (Clicked) {
        if (FGroupIndex != 0)
            SetDown(!FDown);
        Click();
    }
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSpeedButton::Paint()
{
    const int W = Width();
    const int H = Height();
    const HDC Target = Canvas()->Handle();
    const TMemoryBitmap Buffer(W, H);
    const HDC DC = Buffer.DC();
    if (!DC)
        return;
    RECT Face{0, 0, W, H};
    TBrushHandle Back(CreateSolidBrush(ColorToRGB(Color())));
    FillRect(DC, &Face, Back.Get());

    const TButtonState S = State();
    const bool Sunk = S == bsDown || S == bsExclusive || (FDown && S == bsDisabled);
    if (!FFlat)
        DrawFrameControl(DC, &Face, DFC_BUTTON, DFCS_BUTTONPUSH | (Sunk ? DFCS_PUSHED : 0));
    else if (Sunk || (FMouseInControl && Enabled()))
        DrawEdge(DC, &Face, Sunk ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    if (FDown && S == bsExclusive) {
        // A latched button shows a dithered face, as the system's tool bars do.
        RECT Inner{2, 2, W - 2, H - 2};
        TBrushHandle Dither(CreatePatternBrush(AllocPatternBitmap(clBtnFace, clBtnHighlight)->Handle()));
        FillRect(DC, &Inner, Dither.Get());
    }

    TSelectObject SelectedFont(DC, Font()->Handle());
    SetTextColor(DC, ColorToRGB(Font()->Color()));
    FGlyph.Draw(DC, RECT{0, 0, W, H}, Caption(), S, Sunk ? POINT{1, 1} : POINT{0, 0});
    BitBlt(Target, 0, 0, W, H, DC, 0, 0, SRCCOPY);
}
