#include "framework/ui/CustomControl.h"

PANTREL_REGISTER(TCustomControl, TWinControl)

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>())
{
    FCustomPaint = true;
}

TCustomControl::~TCustomControl()
{
    DestroyHandle();
}

void TCustomControl::CreateHandleDone()
{
    FCanvas->SetWindow(FHandle);
}

void TCustomControl::DestroyWnd()
{
    FCanvas->SetWindow(nullptr);
    TWinControl::DestroyWnd();
}

void TCustomControl::PaintWindow(HDC DC)
{
    FCanvas->FreeHandle();
    FCanvas->SetHandle(DC);
    try {
        FCanvas->Font()->Assign(*Font());
        FCanvas->Brush()->SetColor(Color());
        Paint();
    } catch (...) {
        FCanvas->SetHandle(nullptr);
        throw;
    }
    FCanvas->SetHandle(nullptr);
}
