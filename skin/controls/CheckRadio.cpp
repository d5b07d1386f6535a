#include "skin/controls/CheckRadio.h"

#include "framework/core/StrUtils.h"
#include "framework/core/TypInfo.h"
#include "framework/graphics/GdiHolders.h"
#include "framework/ui/WinControl.h"
#include "skin/data/SkinData.h"

PANTREL_REGISTER(TSkinCheckBox, TSkinControl)
PANTREL_REGISTER(TSkinRadioButton, TSkinControl)

namespace {

// A framework notification after which the box is drawn again, like a focus leave.
constexpr UINT CM_BOXCHANGED = 0xB0D0;
// The cell of the native box, in pixels.
constexpr int NativeBox = 14;

// Messages after which the control has repainted its native box.
bool RedrawsBox(UINT Msg)
{
    switch (Msg) {
    case BM_SETCHECK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CM_EXIT:
    case CM_BOXCHANGED:
        return true;
    default:
        return false;
    }
}

// Frame 1 or 2 by the check state; a wrapped framework control's "Checked" property wins
// over the window, which may not have caught up yet. Frames 3 and 4 when disabled.
int BoxFrame(const TSkinControl& Kind, bool Checked)
{
    if (Kind.FControl && IsPublishedProp(Kind.FControl, "Checked"))
        Checked = SameText(GetPropValue(Kind.FControl, "Checked"), "true");
    const bool Disabled = GetWindowLongPtrA(Kind.FHandle, GWL_STYLE) & WS_DISABLED;
    return (Checked ? 2 : 1) + (Disabled ? 2 : 0);
}

// Frame Frame of Image (FrameCount frames side by side) over the native box of a control
// drawn in Rect. Images that give no usable frame leave the native box alone.
void DrawBox(TSkinControl& Kind, HDC DC, const RECT& Rect, TBitmap* Image, int FrameCount, int Frame)
{
    if (!Image || Image->Empty() || FrameCount <= 0 || Frame > FrameCount)
        return;
    const int W = Image->Width() / FrameCount;
    const int H = Image->Height();
    if (W <= 0)
        return;
    RECT Box;
    Box.top = Rect.top + (Rect.bottom - Rect.top - H) / 2;
    Box.bottom = Box.top + H;
    // The system puts the box on the right for either style.
    const bool RightBox = (GetWindowLongPtrA(Kind.FHandle, GWL_STYLE) & BS_RIGHTBUTTON) ||
                          (GetWindowLongPtrA(Kind.FHandle, GWL_EXSTYLE) & WS_EX_RIGHT);
    if (!RightBox) {
        Box.left = Rect.left + (W <= NativeBox ? (NativeBox - W) / 2 : 0);
        Box.right = Box.left + W;
    } else {
        Box.right = W <= NativeBox ? Rect.right - (NativeBox - W) / 2 : Rect.right - 1;
        Box.left = Box.right - W;
    }
    Kind.FillBackground(DC, Box);
    TDCCanvas Canvas(DC);
    DrawFrameTransparent(*Canvas.Get(), Box, FrameCount, Frame, *Image);
}

}  // namespace

TSkinCheckBox::TSkinCheckBox(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinCheckBox::AfterMessage(TMessage& Message)
{
    if (RedrawsBox(Message.Msg))
        RepaintNow();
    else
        TSkinControl::AfterMessage(Message);
}

void TSkinCheckBox::Draw(HDC DC, const RECT& Rect)
{
    if (!FSkinData || !FSkinData->Buttons)
        return;
    const LRESULT State = SendMessageA(FHandle, BM_GETSTATE, 0, 0);
    const int Frame = (State & BST_INDETERMINATE) ? 4 : BoxFrame(*this, State & BST_CHECKED);
    const TDataSkinButton& Element = *FSkinData->Buttons;
    DrawBox(*this, DC, Rect, Element.CheckBitmap.get(), Element.CheckFrameCount, Frame);
}

TSkinRadioButton::TSkinRadioButton(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinRadioButton::AfterMessage(TMessage& Message)
{
    if (RedrawsBox(Message.Msg))
        RepaintNow();
    else
        TSkinControl::AfterMessage(Message);
}

void TSkinRadioButton::Draw(HDC DC, const RECT& Rect)
{
    if (!FSkinData || !FSkinData->Buttons)
        return;
    const int Frame = BoxFrame(*this, SendMessageA(FHandle, BM_GETCHECK, 0, 0) & 1);
    const TDataSkinButton& Element = *FSkinData->Buttons;
    DrawBox(*this, DC, Rect, Element.RadioBitmap.get(), Element.RadioFrameCount, Frame);
}
