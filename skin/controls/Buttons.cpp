#include "skin/controls/Buttons.h"

#include <algorithm>

#include "framework/graphics/GdiHolders.h"
#include "framework/ui/BitBtn.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/WinControl.h"
#include "skin/data/SkinData.h"
#include "skin/form/Caption.h"
#include "skin/form/ElementDraw.h"
#include "skin/form/SkinForm.h"

PANTREL_REGISTER(TSkinButton, TSkinControl)
PANTREL_REGISTER(TSkinBitButton, TSkinButton)
PANTREL_REGISTER(TSkinSpeedButton, TSkinBitButton)

namespace {

constexpr int ButtonFrames = 5;
enum : int { frNormal = 1, frPressed = 2, frDisabled = 3, frHot = 4 };

// The holder of a form's hover slot is told that it lost the mouse; a windowless one through
// its WindowProc, since it has no window to send to.
void EndHover(TSkinControl& Holder)
{
    if (!Holder.FHandle && Holder.FGraphicControl)
        Holder.FGraphicControl->Perform(CM_MOUSELEAVE, 0, 0);
    else
        Holder.SendMouseLeave();
}

void UseWindowFont(TCanvas& Canvas, HWND Wnd)
{
    const auto Font = reinterpret_cast<HFONT>(SendMessageA(Wnd, WM_GETFONT, 0, 0));
    Canvas.Font()->SetHandle(Font ? Font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
}

// What a glyph button lays out besides its caption.
struct TGlyphFace {
    TBitmap* Glyph;
    int NumGlyphs;
    TButtonLayout Layout;
    int Margin;
    int Spacing;
    // The speed button puts a glyph centred at a fixed spacing one pixel further in.
    int CentredShift;
};

template <class B>
TGlyphFace FaceOf(B& Button, int CentredShift)
{
    return TGlyphFace{Button.Glyph(), Button.NumGlyphs(), Button.Layout(), Button.Margin(), Button.Spacing(),
                      CentredShift};
}

SIZE ImageSize(const TGlyphFace& Face)
{
    if (!Face.Glyph || Face.Glyph->Empty())
        return SIZE{0, 0};
    return SIZE{Face.Glyph->Width() / std::max(1, Face.NumGlyphs), Face.Glyph->Height()};
}

SIZE TextSize(TCanvas& Canvas, const std::string& Text, const RECT& Rect)
{
    if (Text.empty())
        return SIZE{0, 0};
    RECT R = Rect;
    Canvas.DrawText(Text, R, DT_CALCRECT);
    return SIZE{R.right - R.left, R.bottom - R.top};
}

// Moves glyph and text By pixels away from the edge the glyph sits at.
void ShiftFromGlyphEdge(TGlyphPlacement& P, TButtonLayout Layout, int By)
{
    const bool Horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
    const int D = (Layout == blGlyphLeft || Layout == blGlyphTop) ? By : -By;
    const int DX = Horizontal ? D : 0;
    const int DY = Horizontal ? 0 : D;
    P.Glyph.x += DX;
    P.Glyph.y += DY;
    OffsetRect(&P.Text, DX, DY);
}

// Image Image of the glyph and Text, placed in Rect as the glyph buttons place them, the
// text in Colour.
void DrawGlyphFace(TCanvas& Canvas, const RECT& Rect, const TGlyphFace& Face, const std::string& Text, int Image,
                   TColor Colour)
{
    const SIZE Client{Rect.right - Rect.left, Rect.bottom - Rect.top};
    const SIZE Glyph = ImageSize(Face);
    const SIZE Measured = TextSize(Canvas, Text, Rect);
    TGlyphPlacement P = PlaceGlyphAndText(Client, Glyph, Measured, Face.Layout, Face.Margin, Face.Spacing);
    const bool BothShown = Glyph.cx != 0 && Measured.cx != 0;
    if (Face.CentredShift != 0 && Face.Margin == -1 && !(BothShown && Face.Spacing == -1))
        ShiftFromGlyphEdge(P, Face.Layout, Face.CentredShift);
    if (Glyph.cx > 0)
        DrawGlyph(Canvas, POINT{Rect.left + P.Glyph.x, Rect.top + P.Glyph.y}, Face.NumGlyphs, Image, *Face.Glyph);
    if (Text.empty())
        return;
    RECT R = P.Text;
    OffsetRect(&R, Rect.left, Rect.top);
    Canvas.Brush()->SetStyle(bsClear);
    SetBkMode(Canvas.Handle(), TRANSPARENT);
    Canvas.Font()->SetColor(Colour);
    Canvas.DrawText(Text, R, P.TextFormat);
}

// The DC of a windowless control's canvas, taken on demand, is given back when drawing ends.
class TCanvasRelease {
public:
    explicit TCanvasRelease(TCanvas* Canvas) : FCanvas(dynamic_cast<TGraphicControlCanvas*>(Canvas)) {}
    ~TCanvasRelease()
    {
        if (FCanvas)
            FCanvas->FreeHandle();
    }
    TCanvasRelease(const TCanvasRelease&) = delete;
    TCanvasRelease& operator=(const TCanvasRelease&) = delete;

private:
    TGraphicControlCanvas* FCanvas;
};

}  // namespace

void DrawGlyph(TCanvas& Canvas, POINT Pos, int NumGlyphs, int Index, TBitmap& Glyph)
{
    if (Glyph.Empty() || NumGlyphs < 1)
        return;
    const int W = Glyph.Width() / NumGlyphs;
    const int H = Glyph.Height();
    if (W <= 0 || H <= 0)
        return;
    if (Index < 1 || Index > NumGlyphs)
        Index = 1;
    const HDC Source = Glyph.Canvas()->Handle();
    const int Left = (Index - 1) * W;
    GdiTransparentBlt(Canvas.Handle(), Pos.x, Pos.y, W, H, Source, Left, 0, W, H, GetPixel(Source, Left, 0));
}

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
    if (!PassUnlessPainted(Message))
        return false;
    switch (Message.Msg) {
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
            ClaimHoverSlot();
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
    const TWinSkinForm* Form = OwnerForm();
    if (Form && Form->FHoverControl == this)
        return;
    ClaimHoverSlot();
    RepaintNow();
}

void TSkinButton::ClaimHoverSlot()
{
    TWinSkinForm* Form = OwnerForm();
    if (!Form)
        return;
    if (Form->FHoverControl && Form->FHoverControl != this)
        EndHover(*Form->FHoverControl);
    Form->FHoverControl = this;
}

void TSkinButton::LoseHover()
{
    FMouseFlags &= uint8_t(~(mfOver | mfDown));
    RepaintNow();
    ReleaseHoverSlot();
}

void TSkinButton::ReleaseHoverSlot()
{
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
    case frDisabled:
        return clBtnShadow;
    default:
        return Element.NormalColour2;
    }
}

const TDataSkinButton* TSkinButton::ButtonElement() const
{
    const TDataSkinButton* Element = FSkinData ? FSkinData->Buttons.get() : nullptr;
    return Element && Element->Bitmap && !Element->Bitmap->Empty() ? Element : nullptr;
}

void TSkinButton::ReadWindowState()
{
    FFocused = GetFocus() == FHandle;
    FEnabled = (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
    FCaption = WindowTextOf(FHandle);
    if (FCaption.empty() && FControl)
        FCaption = FControl->Text();
}

void TSkinButton::Draw(HDC DC, const RECT& Rect)
{
    const TDataSkinButton* Element = ButtonElement();
    const int Width = Rect.right - Rect.left;
    const int Height = Rect.bottom - Rect.top;
    if (!Element || Width <= 0 || Height <= 0)
        return;
    ReadWindowState();
    const int Frame = StateFrame();

    FBitmap.SetSize(Width, Height);
    TCanvas& Canvas = *FBitmap.Canvas();
    FillBackground(Canvas.Handle(), Rect);
    DrawElement(Canvas.Handle(), Rect, *Element, ButtonFrames, Frame);
    UseWindowFont(Canvas, FHandle);
    Canvas.Font()->SetColor(TextColor(Frame));
    DrawCaption(Canvas, Rect, DT_CENTER, FEnabled, FCaption);
    BitBlt(DC, Rect.left, Rect.top, Width, Height, Canvas.Handle(), 0, 0, SRCCOPY);
}

// --- Glyph buttons ---------------------------------------------------------------------------

TSkinBitButton::TSkinBitButton(TComponent* AOwner) : TSkinButton(AOwner) {}

bool TSkinBitButton::BeforeMessage(TMessage& Message)
{
    if (Message.Msg != CN_DRAWITEM)
        return TSkinButton::BeforeMessage(Message);
    // The system button redraws itself on focus and state changes: the skin's face instead.
    const auto& Item = *reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
    Draw(Item.hDC, Item.rcItem);
    Message.Result = TRUE;
    return false;
}

void TSkinBitButton::Draw(HDC DC, const RECT& Rect)
{
    auto* Button = dynamic_cast<TBitBtn*>(FControl);
    if (!Button) {
        TSkinButton::Draw(DC, Rect);
        return;
    }
    const TDataSkinButton* Element = ButtonElement();
    const int Width = Rect.right - Rect.left;
    const int Height = Rect.bottom - Rect.top;
    if (!Element || Width <= 0 || Height <= 0)
        return;
    ReadWindowState();
    FEnabled = Button->Enabled();
    const int Frame = StateFrame();

    FBitmap.SetSize(Width, Height);
    TCanvas& Canvas = *FBitmap.Canvas();
    UseWindowFont(Canvas, FHandle);
    FillBackground(Canvas.Handle(), Rect);
    DrawElement(Canvas.Handle(), Rect, *Element, ButtonFrames, Frame);
    DrawGlyphFace(Canvas, Rect, FaceOf(*Button, 0), FCaption, 1, TextColor(Frame));
    BitBlt(DC, Rect.left, Rect.top, Width, Height, Canvas.Handle(), 0, 0, SRCCOPY);
}

// --- Speed buttons ---------------------------------------------------------------------------

TSkinSpeedButton::TSkinSpeedButton(TComponent* AOwner) : TSkinBitButton(AOwner) {}

TSkinSpeedButton::~TSkinSpeedButton()
{
    // The base destructor undoes only the windowed routes.
    Uninstall();
}

void TSkinSpeedButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TSkinBitButton::Notification(AComponent, Operation);
    // The pointer is kept for the form skin object, which frees this kind when it hears of it.
    if (Operation == opRemove && AComponent == FGraphicControl)
        FOldWindowProc = TWndMethod();
}

TSpeedButton* TSkinSpeedButton::SpeedButton() const
{
    return static_cast<TSpeedButton*>(FGraphicControl);  // only InstallGraphic sets it
}

void TSkinSpeedButton::InstallGraphic(TSpeedButton* Button, TSkinData* SkinData, TCanvas* Canvas)
{
    // A second installation would save this kind's own handler as the old one.
    if (FOldWindowProc)
        return;
    FSkinData = SkinData;
    FCanvas = Canvas;
    FGraphicControl = Button;
    Button->FreeNotification(this);
    FOldWindowProc = Button->WindowProc;
    Button->WindowProc = TWndMethod(this, &TSkinControl::WndProc);
    if (TWinSkinForm* Form = OwnerForm())
        Form->AddControl(this);
    Button->Invalidate();
}

void TSkinSpeedButton::Uninstall()
{
    if (!FOldWindowProc)
        return;
    if (FGraphicControl)
        FGraphicControl->WindowProc = FOldWindowProc;
    FOldWindowProc = TWndMethod();
}

int TSkinSpeedButton::SpeedFrame() const
{
    const TSpeedButton& Button = *SpeedButton();
    if (Button.Down())
        return frPressed;
    if (!Button.Enabled())
        return frDisabled;
    if (FMouseFlags & mfDown)
        return frPressed;
    if (FMouseFlags & mfOver)
        return frHot;
    return frNormal;
}

bool TSkinSpeedButton::BeforeMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        // The parent paints its windowless children with a DC whose origin is their corner.
        if (Message.WParam) {
            TDCCanvas Canvas(reinterpret_cast<HDC>(Message.WParam));
            DrawSpeedButton(*Canvas.Get(), SpeedButton()->ClientRect());
        }
        Message.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The speed button keeps its own press (capture, Down, groups, the click).
        CallDefault(Message);
        FMouseFlags |= mfDown;
        PaintControl(nullptr);
        return false;
    default:
        return true;
    }
}

void TSkinSpeedButton::AfterMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        break;  // drawn before
    case WM_NCDESTROY:
    case CM_RELEASE:
        Uninstall();
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (Message.WParam == VK_SPACE) {
            if (Message.Msg == WM_KEYDOWN)
                FMouseFlags |= mfDown;
            else
                FMouseFlags &= uint8_t(~mfDown);
            PaintControl(nullptr);
        }
        break;
    case WM_LBUTTONUP:
        FMouseFlags &= uint8_t(~mfDown);
        PaintControl(nullptr);
        break;
    case WM_MOUSEMOVE:
        if (FMouseFlags & mfOver)
            break;
        [[fallthrough]];
    case CM_MOUSEENTER:
        FMouseFlags |= mfOver;
        ClaimHoverSlot();
        PaintControl(nullptr);
        break;
    case CM_MOUSELEAVE:
        FMouseFlags &= uint8_t(~(mfOver | mfDown));
        ReleaseHoverSlot();
        PaintControl(nullptr);
        break;
    default:
        TSkinBitButton::AfterMessage(Message);
    }
}

void TSkinSpeedButton::PaintControl(HDC)
{
    TSpeedButton* Button = SpeedButton();
    if (!Button || !Button->Visible() || !Button->Parent() || !Button->Parent()->HandleAllocated())
        return;
    TCanvas* Canvas = Button->Canvas();
    const TCanvasRelease Release(Canvas);
    try {
        DrawSpeedButton(*Canvas, Button->ClientRect());
    } catch (...) {
        // The button keeps whatever was painted.
    }
}

void TSkinSpeedButton::DrawSpeedButton(TCanvas& Canvas, const RECT& Rect)
{
    const TDataSkinButton* Element = ButtonElement();
    TSpeedButton* Button = SpeedButton();
    const int Width = Rect.right - Rect.left;
    const int Height = Rect.bottom - Rect.top;
    if (!Element || !Button || Width <= 0 || Height <= 0)
        return;
    const int Frame = SpeedFrame();
    // Glyph images: up, disabled, down.
    const int Image = Frame == frPressed ? 3 : Frame == frDisabled ? 2 : 1;

    TBitmap& Buffer = ScratchBitmap() ? *ScratchBitmap() : FBitmap;
    Buffer.SetSize(Width, Height);
    TCanvas& Face = *Buffer.Canvas();
    Face.Font()->Assign(*Button->Font());
    const RECT Local{0, 0, Width, Height};
    FillBackground(Face.Handle(), Local);
    DrawElement(Face.Handle(), Local, *Element, ButtonFrames, Frame);
    if (!Button->Glyph()->Empty())
        DrawGlyphFace(Face, Local, FaceOf(*Button, 1), Button->Caption(), Image, TextColor(Frame));
    else
        DrawCaption(Face, Local, DT_CENTER, Button->Enabled(), Button->Caption());
    BitBlt(Canvas.Handle(), Rect.left, Rect.top, Width, Height, Face.Handle(), 0, 0, SRCCOPY);
}
