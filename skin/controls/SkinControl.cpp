#include "skin/controls/SkinControl.h"

#include <optional>
#include <vector>

#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHolders.h"
#include "framework/ui/GraphicControl.h"
#include "framework/ui/StartupTrace.h"
#include "framework/ui/WinControl.h"
#include "skin/data/SkinData.h"
#include "skin/form/ElementDraw.h"
#include "skin/form/SkinForm.h"

PANTREL_REGISTER(TSkinControl, TComponent)

std::string WindowTextOf(HWND Wnd)
{
    std::vector<char> Text(size_t(GetWindowTextLengthA(Wnd)) + 1);
    const int Length = GetWindowTextA(Wnd, Text.data(), int(Text.size()));
    return std::string(Text.data(), size_t(Length > 0 ? Length : 0));
}

namespace {

// BeginPaint/EndPaint for a WM_PAINT that brought no DC of its own.
class TPaintDC {
public:
    TPaintDC(HWND Wnd, HDC Given) : FWnd(Wnd), FDC(Given)
    {
        if (!FDC) {
            FDC = BeginPaint(FWnd, &FPaint);
            FBegun = true;
        }
    }
    ~TPaintDC()
    {
        if (FBegun)
            EndPaint(FWnd, &FPaint);
    }
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;
    HDC Handle() const { return FDC; }

private:
    HWND FWnd;
    HDC FDC;
    PAINTSTRUCT FPaint{};
    bool FBegun = false;
};

RECT MovedToOrigin(RECT R)
{
    OffsetRect(&R, -R.left, -R.top);
    return R;
}

}  // namespace

TSkinControl::TSkinControl(TComponent* AOwner) : TComponent(AOwner) {}

TSkinControl::~TSkinControl()
{
    Uninstall();
}

TWinSkinForm* TSkinControl::OwnerForm() const
{
    return dynamic_cast<TWinSkinForm*>(Owner());
}

void TSkinControl::InstallControl(TWinControl* Control, TSkinData* SkinData, bool Recolor, TCanvas* Canvas)
{
    if (FInstalled)
        return;
    FRecolor = Recolor;
    TakeControl(Control, SkinData, Canvas);
    FOldWindowProc = Control->WindowProc;
    Control->WindowProc = TWndMethod(this, &TSkinControl::WndProc);
    Control->SetDoubleBuffered(true);
    FFocused = GetFocus() == FHandle;
    FEnabled = (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
    FCaption = WindowTextOf(FHandle);
    if (FRecolor) {
        FOldColor = Control->Color();
        Control->SetColor(FSkinData->ButtonFaceColor);
    }
    Control->Invalidate();
    FInstalled = true;
}

void TSkinControl::TakeControl(TWinControl* Control, TSkinData* SkinData, TCanvas* Canvas)
{
    FSkinData = SkinData;
    FCanvas = Canvas;
    FControl = Control;
    FHandle = Control->Handle();
    // A control freed before this kind must not be touched again.
    Control->FreeNotification(this);
    if (TWinSkinForm* Form = OwnerForm())
        Form->AddControl(this);
}

bool TSkinControl::PassUnlessPainted(TMessage& Message, bool Paints)
{
    if (Message.Msg == WM_PAINT && Paints) {
        PaintFromMessage(Message);
        return false;
    }
    if (Message.Msg == WM_ERASEBKGND) {
        Message.Result = 1;
        return false;
    }
    return true;
}

void TSkinControl::InstallWindow(HWND Wnd, TSkinData* SkinData, TCanvas* Canvas)
{
    // Subclassing twice would chain the window to a thunk that the second call frees.
    if (FInstalled)
        return;
    FSkinData = SkinData;
    FCanvas = Canvas;
    FHandle = Wnd;
    FEnabled = true;
    FCaption = WindowTextOf(Wnd);
    FObjectInstance = std::make_unique<TThunk>(TWndMethod(this, &TSkinControl::WndProc));
    FOldWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(Wnd, GWLP_WNDPROC));
    SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FObjectInstance->Proc()));
    FInstalled = true;
}

void TSkinControl::Uninstall()
{
    if (FOldWindowProc) {
        if (FControl)
            FControl->WindowProc = FOldWindowProc;
        FOldWindowProc = TWndMethod();
    }
    if (FObjectInstance) {
        SetWindowLongPtrA(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOldWndProc));
        FObjectInstance.reset();
    }
    // A closing form is going away with its controls: their colours no longer matter.
    const TWinSkinForm* Form = OwnerForm();
    if (FInstalled && FRecolor && FControl && !(Form && Form->FSkinState == ssClosing))
        FControl->SetColor(FOldColor);
    FInstalled = false;
}

void TSkinControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FControl) {
        FControl = nullptr;
        FOldWindowProc = TWndMethod();
    }
}

bool TSkinControl::BeforeMessage(TMessage&)
{
    return true;
}

void TSkinControl::AfterMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case CM_ENABLEDCHANGED:
        RepaintNow();
        break;
    case WM_SETTEXT: {
        const char* Text = reinterpret_cast<const char*>(Message.LParam);
        FCaption = Text ? Text : "";
        RepaintNow();
        break;
    }
    case WM_PAINT:
        PaintControl(reinterpret_cast<HDC>(Message.WParam));
        break;
    case WM_NCDESTROY:
        Uninstall();
        break;
    }
}

void TSkinControl::PaintControl(HDC DC)
{
    RECT R;
    if (!GetWindowRect(FHandle, &R))
        return;
    FWindowRect = R;
    // Without a DC of its own the face covers the border too.
    std::optional<TWindowDC> WindowDC;
    if (!DC) {
        WindowDC.emplace(FHandle, TWindowDC::daWindow);
        DC = WindowDC->Handle();
    }
    if (!DC)
        return;
    try {
        Draw(DC, MovedToOrigin(R));
    } catch (...) {
        // The window keeps whatever was painted.
    }
    StartupTrace::Mark("skin: first control painted");
}

void TSkinControl::Draw(HDC, const RECT&) {}

void TSkinControl::SkinChanged()
{
    if (FRecolor && FControl)
        FControl->SetColor(FSkinData->ButtonFaceColor);
    if (FHandle)
        InvalidateRect(FHandle, nullptr, TRUE);
    else if (FGraphicControl)
        FGraphicControl->Invalidate();
}

void TSkinControl::WndProc(TMessage& Message)
{
    if (BeforeMessage(Message))
        CallDefault(Message);
    AfterMessage(Message);
}

void TSkinControl::CallDefault(TMessage& Message)
{
    if (FOldWindowProc)
        FOldWindowProc(Message);
    else if (FOldWndProc)
        Message.Result = CallWindowProcA(FOldWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TSkinControl::SendMouseLeave()
{
    if (FHandle)
        SendMessageA(FHandle, CM_MOUSELEAVE, 0, 0);
}

void TSkinControl::RepaintNow()
{
    RECT R;
    if (!GetWindowRect(FHandle, &R) || !GetParent(FHandle))
        return;
    R = MovedToOrigin(R);
    InvalidateRect(FHandle, &R, FALSE);
    UpdateWindow(FHandle);
}

void TSkinControl::FillBackground(HDC DC, const RECT& Rect)
{
    const TBrushHandle Brush(CreateSolidBrush(ColorToRGB(FSkinData->ButtonFaceColor)));
    FillRect(DC, &Rect, Brush.Get());
}

void TSkinControl::PaintFromMessage(TMessage& Message)
{
    const TPaintDC DC(FHandle, reinterpret_cast<HDC>(Message.WParam));
    RECT R;
    if (!GetWindowRect(FHandle, &R))
        return;
    FWindowRect = R;
    Draw(DC.Handle(), MovedToOrigin(R));
    StartupTrace::Mark("skin: first control painted");
}

void DrawFrameTransparent(TCanvas& Canvas, const RECT& Rect, int FrameCount, int Frame, TBitmap& Bitmap)
{
    const int Width = Rect.right - Rect.left;
    const int Height = Rect.bottom - Rect.top;
    if (FrameCount <= 0 || Frame < 1 || Frame > FrameCount || Bitmap.Empty() || Width <= 0 || Height <= 0)
        return;
    const int FrameWidth = Bitmap.Width() / FrameCount;
    if (FrameWidth <= 0)
        return;
    TBitmap Cell;
    Cell.SetSize(Width, Height);
    {
        const TMemoryDC Source(Bitmap.Handle());
        const TMemoryDC Target(Cell.Handle());
        SetStretchBltMode(Target.Handle(), COLORONCOLOR);
        StretchBlt(Target.Handle(), 0, 0, Width, Height, Source.Handle(), (Frame - 1) * FrameWidth, 0, FrameWidth,
                   Bitmap.Height(), SRCCOPY);
    }
    DrawTransparent(Canvas.Handle(), Rect, Cell, SkinKeyColour);
}
