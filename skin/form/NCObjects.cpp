#include "skin/form/NCObjects.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <utility>

#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHolders.h"
#include "skin/data/SkinData.h"
#include "skin/form/ElementDraw.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMenuBar.h"
#include "skin/manage/SkinManage.h"

PANTREL_REGISTER(TNCObject, TObject)
PANTREL_REGISTER(TWinSysButton, TNCObject)
PANTREL_REGISTER(TMenuBtn, TNCObject)

// --- TNCObject -----------------------------------------------------------------------------

void TNCObject::MouseDown()
{
    if (FOwnerForm->FHotObject && FOwnerForm->FHotObject != this)
        FOwnerForm->FHotObject->MouseLeave();
    if (!FVisible)
        return;
    FOwnerForm->FHotObject = this;
    FState = nsDown;
    Paint();
}

void TNCObject::MouseUp()
{
    if (!FVisible)
        return;
    FState = nsHot;
    Paint();
}

void TNCObject::MouseEnter()
{
    if (FOwnerForm->FHotObject == this)
        return;
    if (FOwnerForm->FHotObject)
        FOwnerForm->FHotObject->MouseLeave();
    if (!FVisible)
        return;
    FOwnerForm->FHotObject = this;
    FState = nsHot;
    Paint();
}

void TNCObject::MouseLeave()
{
    if (!FVisible)
        return;
    FOwnerForm->FHotObject = nullptr;
    FState = nsNormal;
    Paint();
}

// --- TWinSysButton ---------------------------------------------------------------------------

bool TWinSysButton::IsIconButton() const
{
    return FButtonData->Action == baIcon || FButtonData->Action == baIcon2;
}

void TWinSysButton::Paint()
{
    if (FButtonData->Bitmap->Empty())
        return;
    int Frame = FState;
    if (FState == nsHot && FButtonData->Visibility == MDIButtonVisibility)
        Frame = 4;
    TWindowDC DC(FOwnerForm->FHandle, TWindowDC::daWindow);
    if (IsIconButton())
        DrawFrameCell(DC.Handle(), FRect, FOwnerForm->FIconBitmap, true, 1, 1);
    else
        DrawFrameCell(DC.Handle(), FRect, *FButtonData->Bitmap, true, FButtonData->FrameCount, Frame);
}

// --- TMenuBtn ------------------------------------------------------------------------------

void TMenuBtn::Paint()
{
    TWinSkinMenu* const Bar = FOwnerForm->FMenuBar.get();
    if (!Bar)
        return;
    TWindowDC DC(FOwnerForm->FHandle, TWindowDC::daWindow);
    TCanvas& Canvas = FOwnerForm->FNCCanvas;
    Canvas.SetHandle(DC.Handle());
    // The bar's background under the button wipes the previous look.
    if (!Bar->FBackground.Empty())
        BitBlt(DC.Handle(), FRect.left, FRect.top, FRect.right - FRect.left, FRect.bottom - FRect.top,
               Bar->FBackground.Canvas()->Handle(), FRect.left - Bar->FBarRect.left, FRect.top - Bar->FBarRect.top,
               SRCCOPY);
    if (FState == nsDown || FState == nsHot) {
        Canvas.Brush()->SetColor(FSkin->ButtonHilightColor);
        Canvas.FrameRect(FRect);
    }
    DrawBarCaption(Canvas, FRect, *this);
    Canvas.SetHandle(nullptr);
}

// --- Caption buttons of the form skin object -------------------------------------------------

namespace {

// Whether a caption button is shown for one "Visibility" (First) or "Visibility1" value.
struct TVisibilityTest {
    bool Maximized, Active, HasMax, HasMin, SysMenu, Framed, MDIChildMaximized;
    int Action;

    bool Test(int Value, bool First) const
    {
        switch (Value) {
        case 0: return !First || (Framed && (Action != baClose || SysMenu));
        case 1: return Maximized;
        case 2: return !Maximized;
        case 3: return Active;
        case 4: return !Active;
        case 6: return HasMax && (SysMenu || !First);
        case 7: return !HasMax;
        case 8: return HasMin && (SysMenu || !First);
        case 9: return !HasMin;
        case MDIButtonVisibility: return MDIChildMaximized;
        default: return Value >= 200 && Value <= 2000;
        }
    }
};

}  // namespace

bool TWinSkinForm::IsButtonVisible(int Index)
{
    TWinSysButton& Button = *FSysButtons[size_t(Index)];
    const TDataSkinSysButton& Data = *Button.FButtonData;
    bool MDIChildMaximized = false;
    if (FMDIKind == mkFrame && FMenuHeight > 0)
        ActiveMDIChild(&MDIChildMaximized);
    const TVisibilityTest T{FWindowState == wsMaximized, FActive, (FBoxes & bxMaximize) != 0,
                            (FBoxes & bxMinimize) != 0, (FBoxes & bxSystemMenu) != 0, FFrameKind != fkPlain,
                            MDIChildMaximized, Data.Action};
    const bool A = T.Test(Data.Visibility, true);
    // For the MDI value the second test repeats the first.
    const bool B = Data.Visibility1 == MDIButtonVisibility ? A : T.Test(Data.Visibility1, false);
    bool Shown = A && B;
    if ((Data.Action == baMaximize && !T.HasMax) || (Data.Action == baMinimize && !T.HasMin))
        Shown = false;
    Button.FVisible = Shown;
    return Shown;
}

void TWinSkinForm::LayoutButtons()
{
    FRightButtonsLeft = 0;
    const int MenuLeftMargin = FSkinData->MenuBar ? FSkinData->MenuBar->LeftWidth : 0;
    for (int I = 0; I < FSysButtonCount; ++I) {
        TWinSysButton& Button = *FSysButtons[size_t(I)];
        const TDataSkinSysButton& Data = *Button.FButtonData;
        if (!IsButtonVisible(I) || Data.Bitmap->Empty())
            continue;
        const int FrameWidth = Data.Bitmap->Width() / std::max(1, int(Data.FrameCount));
        const int ImageHeight = Data.Bitmap->Height();
        // Offsets computed wide and kept within reach: a skin's numbers can be anything.
        int64_t X = 0, Y = Data.YCoord;
        switch (Data.Align) {
        case 0: X = Data.XCoord; break;
        case 1: X = int64_t(FWidth) - Data.XCoord; break;
        case 2: case 8: X = int64_t(FTextRect.left) - FrameWidth - Data.XCoord; break;
        case 3: case 9: X = int64_t(FTextRect.right) + Data.XCoord; break;
        case MDIButtonVisibility:
            X = FRightToLeft ? int64_t(Data.XCoord) + MenuLeftMargin + FBorderLeft
                             : int64_t(FWidth) - Data.XCoord - FBorderRight - MenuLeftMargin;
            Y = (FMenuHeight - ImageHeight) / 2 + FCaptionHeight;
            break;
        default: Y = 0; break;
        }
        constexpr int64_t Reach = 1 << 20;
        RECT R{0, 0, FrameWidth, ImageHeight};
        OffsetRect(&R, int(std::clamp(X, -Reach, Reach)), int(std::clamp(Y, -Reach, Reach)));
        if (Data.Align == 1)
            FRightButtonsLeft = std::max(FRightButtonsLeft, int(R.left));
        Button.FRect = R;
    }
}

void TWinSkinForm::PaintButtons(TCanvas& Canvas)
{
    for (const auto& Button : FSysButtons) {
        const TDataSkinSysButton& Data = *Button->FButtonData;
        if (!Button->FVisible || Data.Bitmap->Empty() || Data.Visibility == MDIButtonVisibility)
            continue;
        if (Button->IsIconButton()) {
            DrawFrameCell(Canvas.Handle(), Button->FRect, FIconBitmap, true, 1, 1);
            continue;
        }
        const int Frame = FActive || Data.FrameCount < 4 ? 1 : 4;
        DrawFrameCell(Canvas.Handle(), Button->FRect, *Data.Bitmap, true, Data.FrameCount, Frame);
    }
}

TNCObject* TWinSkinForm::FindElement(POINT P)
{
    for (const auto& Button : FSysButtons)
        if (Button->FVisible && Button->FButtonData->Action >= 0 && Button->Contains(P))
            return Button.get();
    return nullptr;
}

void TWinSkinForm::DoButtonAction(int X, int Y)
{
    auto* Button = dynamic_cast<TWinSysButton*>(FHotObject);
    if (!Button)
        return;
    const int Action = Button->FButtonData->Action;
    switch (Action) {
    case baClose:
        FHoverTimer->SetEnabled(false);
        PostMessageA(FHandle, WM_CLOSE, 0, 0);
        break;
    case baMaximize: case baMaximize2: MaximizeToggle(); break;
    case baMinimize: case baMinimize2: MinimizeToggle(); break;
    case baIcon: case baIcon2: case baSysMenu: OpenSystemMenu(X + 1, Y + 1); break;
    case baMDIMinimize: case baMDIMinimize2: MDICommand(SC_MINIMIZE); break;
    case baMDIRestore: case baMDIRestore2: MDICommand(SC_RESTORE); break;
    case baMDIClose: case baMDIClose2: MDICommand(SC_CLOSE); break;
    default: PostMessageA(FHandle, WM_SKINQUERY, WPARAM(Action), 0); break;
    }
}

// --- Non-client mouse ----------------------------------------------------------------------

TNCObject* TWinSkinForm::ElementAt(const TMessage& Message)
{
    const POINT P = ToWindowPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    if (TNCObject* Element = FindElement(P))
        return Element;
    return FMenuBar ? FMenuBar->ButtonAt(P) : nullptr;
}

namespace {

void MarkHandled(TMessage& Message)
{
    Message.Result = 0;
    Message.Msg = 0;
}

}  // namespace

void TWinSkinForm::OnNCMouseMove(TMessage& Message)
{
    if (!FActive)
        return;
    if (TNCObject* Element = ElementAt(Message)) {
        Element->MouseEnter();
        MarkHandled(Message);
        return;
    }
    if (FHotObject)
        FHotObject->MouseLeave();
    CallDefault(Message);
}

void TWinSkinForm::OnNCLButtonDown(TMessage& Message)
{
    if (TNCObject* Element = ElementAt(Message)) {
        if (!FActive)
            SetForegroundWindow(FHandle);
        Element->MouseDown();
        FPressedObject = Element;
        if (auto* Button = dynamic_cast<TMenuBtn*>(Element))
            OpenMenuButton(Button);
        MarkHandled(Message);
        return;
    }
    // A maximized window is not dragged by its title bar.
    if (FWindowState == wsMaximized && FActive && Message.WParam == HTCAPTION)
        Message.WParam = HTMENU;
    CallDefault(Message);
}

void TWinSkinForm::OnNCLButtonUp(TMessage& Message)
{
    TNCObject* const Element = ElementAt(Message);
    TNCObject* const Pressed = std::exchange(FPressedObject, nullptr);
    if (!Element) {
        CallDefault(Message);
        return;
    }
    // Only the button the press started on runs its action.
    if (dynamic_cast<TWinSysButton*>(Element) && Element == FHotObject && Element == Pressed) {
        Element->MouseUp();
        DoButtonAction(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    }
    MarkHandled(Message);
}
