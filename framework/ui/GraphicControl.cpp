#include "framework/ui/GraphicControl.h"

#include "framework/ui/WinControl.h"

PANTREL_REGISTER(TGraphicControlCanvas, TCanvas)
PANTREL_REGISTER(TGraphicControl, TControl)

TGraphicControlCanvas::~TGraphicControlCanvas()
{
    FreeHandle();
}

void TGraphicControlCanvas::CreateHandle()
{
    TWinControl* Parent = FControl->Parent();
    if (!Parent)
        return;
    FWindow = Parent->Handle();
    FWindowDC = GetDC(FWindow);
    const RECT R = FControl->BoundsRect();
    IntersectClipRect(FWindowDC, R.left, R.top, R.right, R.bottom);
    SetViewportOrgEx(FWindowDC, R.left, R.top, nullptr);
    SetHandle(FWindowDC);
}

void TGraphicControlCanvas::FreeHandle()
{
    if (!FWindowDC)
        return;
    SetHandle(nullptr);
    ReleaseDC(FWindow, FWindowDC);
    FWindowDC = nullptr;
    FWindow = nullptr;
}

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TGraphicControlCanvas>(this))
{
}

TGraphicControl::~TGraphicControl()
{
    FCanvas->FreeHandle();
}

void TGraphicControl::Dispatch(TMessage& Message)
{
    // A DC taken for drawing outside a paint is given back at the control's next message.
    FCanvas->FreeHandle();
    if (Message.Msg != WM_PAINT) {
        TControl::Dispatch(Message);
        return;
    }
    FCanvas->SetHandle(reinterpret_cast<HDC>(Message.WParam));
    try {
        FCanvas->Font()->Assign(*Font());
        Paint();
    } catch (...) {
        FCanvas->SetHandle(nullptr);
        throw;
    }
    FCanvas->SetHandle(nullptr);
}
