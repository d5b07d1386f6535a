#include "framework/ui/BitBtn.h"

#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHolders.h"

namespace {

constexpr LONG_PTR ButtonTypeMask = 0x0F;

} // namespace

PANTREL_REGISTER(TBitBtn, TButton,
    PROP_CLASS(Glyph, Glyph),
    PROP_INT(NumGlyphs, NumGlyphs, SetNumGlyphs),
    PROP_ENUM(Layout, Layout, SetLayout),
    PROP_INT(Margin, Margin, SetMargin),
    PROP_INT(Spacing, Spacing, SetSpacing))

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner)
{
    FGlyph.OnChange = TNotifyEvent(this, &TBitBtn::GlyphChanged);
}

void TBitBtn::CreateParams(TCreateParams& Params)
{
    TButton::CreateParams(Params);
    Params.Style = (Params.Style & ~DWORD(ButtonTypeMask)) | BS_OWNERDRAW;
}

void TBitBtn::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam));
        Message.Result = TRUE;
        break;
    case BM_SETSTYLE:
        // Becoming the default button must not turn it into a system-drawn one.
        Message.WParam = (Message.WParam & ~WPARAM(ButtonTypeMask)) | BS_OWNERDRAW;
        TButton::Dispatch(Message);
        Invalidate();
        break;
    case WM_LBUTTONDBLCLK:
        // An owner-drawn system button only reports a double click; a fast second
        // press is a press like the first.
        Message.Msg = WM_LBUTTONDOWN;
        TButton::Dispatch(Message);
        break;
    default:
        TButton::Dispatch(Message);
    }
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& Item)
{
    const RECT Client = Item.rcItem;
    const int W = Client.right - Client.left;
    const int H = Client.bottom - Client.top;
    const TMemoryBitmap Buffer(W, H);
    const HDC DC = Buffer.DC();
    if (!DC)
        return;
    const bool Pressed = Item.itemState & ODS_SELECTED;
    const bool HasFocus = Item.itemState & ODS_FOCUS;
    const bool Disabled = Item.itemState & ODS_DISABLED;

    RECT Face{0, 0, W, H};
    if (HasFocus || Default()) {
        FrameRect(DC, &Face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&Face, -1, -1);
    }
    DrawFrameControl(DC, &Face, DFC_BUTTON, DFCS_BUTTONPUSH | (Pressed ? DFCS_PUSHED : 0));

    TSelectObject SelectedFont(DC, Font()->Handle());
    SetTextColor(DC, ColorToRGB(Font()->Color()));
    const TButtonState State = Disabled ? bsDisabled : Pressed ? bsDown : bsUp;
    FGlyph.Draw(DC, RECT{0, 0, W, H}, Caption(), State, Pressed ? POINT{1, 1} : POINT{0, 0});
    if (HasFocus) {
        RECT Focus{0, 0, W, H};
        InflateRect(&Focus, -4, -4);
        DrawFocusRect(DC, &Focus);
    }
    BitBlt(Item.hDC, Client.left, Client.top, W, H, DC, 0, 0, SRCCOPY);
}
