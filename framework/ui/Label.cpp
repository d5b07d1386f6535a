#include "framework/ui/Label.h"

#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHolders.h"

PANTREL_REGISTER(TCustomLabel, TGraphicControl,
    PROP_BOOL(AutoSize, AutoSize, SetAutoSize),
    PROP_BOOL(WordWrap, WordWrap, SetWordWrap),
    PROP_BOOL(Transparent, Transparent, SetTransparent),
    PROP_ENUM(Alignment, Alignment, SetAlignment),
    PROP_BOOL(ShowAccelChar, ShowAccelChar, SetShowAccelChar))

PANTREL_REGISTER(TLabel, TCustomLabel)

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value)
{
    if (Value == Transparent())
        return;
    // Invalidate before and after: an opaque label's area is not erased by its parent.
    Invalidate();
    SetControlStyle(Value ? ControlStyle() - TControlStyle{csOpaque} : ControlStyle() + TControlStyle{csOpaque});
    Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value)
{
    FShowAccelChar = Value;
    AdjustBounds();
    Invalidate();
}

UINT TCustomLabel::TextFormat() const
{
    UINT Format = DT_EXPANDTABS | AlignmentToDrawText(FAlignment);
    if (FWordWrap)
        Format |= DT_WORDBREAK | DT_EDITCONTROL;
    if (!FShowAccelChar)
        Format |= DT_NOPREFIX;
    return Format;
}

void TCustomLabel::Loaded()
{
    inherited::Loaded();
    AdjustBounds();
}

void TCustomLabel::AdjustBounds()
{
    if (!FAutoSize || ComponentState().Contains(csLoading) || ComponentState().Contains(csReading))
        return;
    const std::string Text = Caption();
    // Measured on a memory DC like the screen: under Wine a screen DC costs server calls.
    const TMemoryDC DC;
    const TSelectObject Selected(DC.Handle(), Font()->Handle());
    RECT R{0, 0, FWordWrap ? Width() : 0, 0};
    // An empty caption is measured as one line.
    const std::string Measured = Text.empty() ? std::string(" ") : Text;
    DrawTextA(DC.Handle(), Measured.c_str(), int(Measured.size()), &R, TextFormat() | DT_CALCRECT);
    int NewLeft = Left();
    if (FAlignment == taRightJustify && !FWordWrap)
        NewLeft += Width() - R.right;
    SetBounds(NewLeft, Top(), R.right, R.bottom);
}

void TCustomLabel::Dispatch(TMessage& Message)
{
    TGraphicControl::Dispatch(Message);
    if (Message.Msg == CM_TEXTCHANGED || Message.Msg == CM_FONTCHANGED)
        AdjustBounds();
}

void TCustomLabel::Paint()
{
    TCanvas* C = Canvas();
    RECT R = ClientRect();
    if (!Transparent()) {
        C->Brush()->SetColor(Color());
        C->FillRect(R);
    }
    C->Brush()->SetStyle(bsClear);
    const std::string Text = Caption();
    if (!Enabled()) {
        // Disabled text: an embossed copy in highlight, then the shadow colour over it.
        C->Font()->SetColor(clBtnHighlight);
        RECT Offset = R;
        OffsetRect(&Offset, 1, 1);
        C->DrawText(Text, Offset, TextFormat());
        C->Font()->SetColor(clBtnShadow);
    }
    C->DrawText(Text, R, TextFormat());
}
