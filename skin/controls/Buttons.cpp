#include "skin/controls/Buttons.h"

#include "framework/ui/WinControl.h"
#include "skin/data/SkinData.h"
#include "skin/form/Caption.h"
#include "skin/form/ElementDraw.h"
#include "skin/form/SkinForm.h"

PANTREL_REGISTER(TSkinButton, TSkinControl)

namespace {

constexpr int ButtonFrames = 5;
enum : int { frNormal = 1, frPressed = 2, frDisabled = 3, frHot = 4 };

}  // namespace

TSkinButton::TSkinButton(TComponent* AOwner) : TSkinControl(AOwner) {}

int TSkinButton::StateFrame() const
{
    if (!FEnabled)
        return frDisabled;
    if (FMouseFlags & mfDown)
        return frPressed;
    if ((FMouseFlags & mfOver) || FFocused)
        return frHot;
    return frNormal;
}

bool TSkinButton::BeforeMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        PaintFromMessage(Message);
        return false;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // Kept from the button, which therefore never captures the mouse: a release over
        // another window is no click.
        if (!FFocused)
            SetFocus(FHandle);
        FMouseFlags |= mfDown;
        PaintControl(nullptr);
        return false;
    default:
        return true;
    }
}

void TSkinButton::AfterMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN:
        if (Message.WParam == VK_SPACE) {
            FMouseFlags |= mfDown;
            RepaintNow();
        }
        break;
    case WM_KEYUP:
        // The button itself raises the click for the key.
        if (Message.WParam == VK_SPACE) {
            FMouseFlags &= uint8_t(~mfDown);
            RepaintNow();
        }
        break;
    case WM_MOUSEMOVE:
        TakeHover();
        break;
    case WM_LBUTTONUP:
        if (FMouseFlags & mfDown) {
            FMouseFlags &= uint8_t(~mfDown);
            RepaintNow();
            RaiseClick();  // may free this object
        }
        break;
    case CM_MOUSEENTER:
        if (FEnabled) {
            FMouseFlags |= mfOver;
            RepaintNow();
            if (TWinSkinForm* Form = OwnerForm())
                Form->FHoverControl = this;
        }
        break;
    case CM_MOUSELEAVE:
        if (FEnabled)
            LoseHover();
        break;
    default:
        TSkinControl::AfterMessage(Message);
    }
}

// At most one button of a form looks hot: the one holding the form's hover slot.
void TSkinButton::TakeHover()
{
    if (FMouseFlags & mfOver)
        return;
    FMouseFlags |= mfOver;
    TWinSkinForm* Form = OwnerForm();
    if (Form && Form->FHoverControl && Form->FHoverControl != this)
        Form->FHoverControl->SendMouseLeave();
    if (!Form || Form->FHoverControl != this) {
        RepaintNow();
        if (Form)
            Form->FHoverControl = this;
    }
}

void TSkinButton::LoseHover()
{
    FMouseFlags &= uint8_t(~(mfOver | mfDown));
    RepaintNow();
    TWinSkinForm* Form = OwnerForm();
    if (Form && Form->FHoverControl == this)
        Form->FHoverControl = nullptr;
}

void TSkinButton::RaiseClick()
{
    if (FControl)
        FControl->Click();
    else
        PostMessageA(GetParent(FHandle), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(FHandle), BN_CLICKED),
                     reinterpret_cast<LPARAM>(FHandle));
}

TColor TSkinButton::TextColor(int Frame) const
{
    const TDataSkinButton& Element = *FSkinData->Buttons;
    switch (Frame) {
    case frPressed:
        return Element.PressedColour2;
    case frHot:
        return Element.MouseOverColour2;
    default:
        return Element.NormalColour2;  // disabled text is drawn in the shadow colour
    }
}

void TSkinButton::Draw(HDC DC, const RECT& Rect)
{
    const TDataSkinButton* Element = FSkinData ? FSkinData->Buttons.get() : nullptr;
    if (!Element || !Element->Bitmap || Element->Bitmap->Empty())
        return;
    const int Width = Rect.right - Rect.left;
    const int Height = Rect.bottom - Rect.top;
    if (Width <= 0 || Height <= 0)
        return;
    FFocused = GetFocus() == FHandle;
    FEnabled = (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
    FCaption = WindowTextOf(FHandle);
    if (FCaption.empty() && FControl)
        FCaption = FControl->Text();
    const int Frame = StateFrame();

    FBitmap.SetSize(Width, Height);
    TCanvas& Canvas = *FBitmap.Canvas();
    FillBackground(Canvas.Handle(), Rect);
    DrawElement(Canvas.Handle(), Rect, *Element, ButtonFrames, Frame);
    const auto Font = reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0));
    Canvas.Font()->SetHandle(Font ? Font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    Canvas.Font()->SetColor(TextColor(Frame));
    DrawCaption(Canvas, Rect, DT_CENTER, FEnabled, FCaption);
    BitBlt(DC, Rect.left, Rect.top, Width, Height, Canvas.Handle(), 0, 0, SRCCOPY);
}
