#include "framework/ui/Panel.h"

#include "framework/graphics/Colors.h"
#include "framework/graphics/Font.h"

PANTREL_REGISTER(TCustomPanel, TWinControl,
    PROP_ENUM(BevelOuter, BevelOuter, SetBevelOuter),
    PROP_ENUM(BevelInner, BevelInner, SetBevelInner),
    PROP_INT(BevelWidth, BevelWidth, SetBevelWidth),
    PROP_INT(BorderWidth, BorderWidth, SetBorderWidth),
    PROP_ENUM(Alignment, Alignment, SetAlignment))

PANTREL_REGISTER(TPanel, TCustomPanel)

void Frame3D(HDC DC, RECT& R, COLORREF TopLeft, COLORREF BottomRight, int Width)
{
    const HBRUSH Light = CreateSolidBrush(TopLeft);
    const HBRUSH Dark = CreateSolidBrush(BottomRight);
    for (int I = 0; I < Width; ++I) {
        const RECT Top{R.left, R.top, R.right - 1, R.top + 1};
        const RECT Left{R.left, R.top, R.left + 1, R.bottom - 1};
        const RECT Bottom{R.left, R.bottom - 1, R.right, R.bottom};
        const RECT Right{R.right - 1, R.top, R.right, R.bottom};
        FillRect(DC, &Top, Light);
        FillRect(DC, &Left, Light);
        FillRect(DC, &Bottom, Dark);
        FillRect(DC, &Right, Dark);
        InflateRect(&R, -1, -1);
    }
    DeleteObject(Light);
    DeleteObject(Dark);
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetBounds(0, 0, 185, 41);
    FCustomPaint = true;
}

void TCustomPanel::SetBevelOuter(TBevelCut Value)
{
    FBevelOuter = Value;
    Changed();
}

void TCustomPanel::SetBevelInner(TBevelCut Value)
{
    FBevelInner = Value;
    Changed();
}

void TCustomPanel::SetBevelWidth(int Value)
{
    FBevelWidth = Value < 1 ? 1 : Value;
    Changed();
}

void TCustomPanel::SetBorderWidth(int Value)
{
    FBorderWidth = Value < 0 ? 0 : Value;
    Changed();
}

void TCustomPanel::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Changed();
}

void TCustomPanel::PaintWindow(HDC DC)
{
    const COLORREF Highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF Shadow = GetSysColor(COLOR_BTNSHADOW);
    RECT R = ClientRect();
    auto Bevel = [&](TBevelCut Cut) {
        if (Cut == bvRaised)
            Frame3D(DC, R, Highlight, Shadow, FBevelWidth);
        else if (Cut == bvLowered)
            Frame3D(DC, R, Shadow, Highlight, FBevelWidth);
        else if (Cut == bvSpace)
            InflateRect(&R, -FBevelWidth, -FBevelWidth);
    };
    Bevel(FBevelOuter);
    InflateRect(&R, -FBorderWidth, -FBorderWidth);
    Bevel(FBevelInner);

    const std::string Text = Caption();
    if (Text.empty())
        return;
    const HGDIOBJ OldFont = SelectObject(DC, Font()->Handle());
    const int OldMode = SetBkMode(DC, TRANSPARENT);
    const COLORREF OldColor = SetTextColor(DC, Enabled() ? ColorToRGB(Font()->Color()) : GetSysColor(COLOR_GRAYTEXT));
    DrawTextA(DC, Text.c_str(), int(Text.size()), &R,
              DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | AlignmentToDrawText(FAlignment));
    SetTextColor(DC, OldColor);
    SetBkMode(DC, OldMode);
    SelectObject(DC, OldFont);
}

void TCustomPanel::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_TEXTCHANGED)
        Invalidate();
    TWinControl::Dispatch(Message);
}
