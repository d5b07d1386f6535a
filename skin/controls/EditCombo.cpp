#include "skin/controls/EditCombo.h"

#include <commctrl.h>

#include <iterator>
#include <optional>

#include "framework/core/StrUtils.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHolders.h"
#include "skin/data/SkinData.h"
#include "skin/form/ElementDraw.h"

PANTREL_REGISTER(TSkinEdit, TSkinControl)
PANTREL_REGISTER(TSkinComBox, TSkinControl)
PANTREL_REGISTER(TSkinUpDown, TSkinControl)

namespace {

enum : int { stNormal = 1, stPressed = 2, stDisabled = 3, stHot = 4 };
enum : int { drUp, drDown, drLeft, drRight };
constexpr int EdgeFrames = 4;
constexpr int ComboFrames = 4;
constexpr int ExtraFrames = 5;
constexpr int UpDownFrames = 8;

int Width(const RECT& R) { return R.right - R.left; }
int Height(const RECT& R) { return R.bottom - R.top; }

// A W x H rectangle centred in Area.
RECT CentredIn(const RECT& Area, int W, int H)
{
    const int X = Area.left + (Width(Area) - W) / 2;
    const int Y = Area.top + (Height(Area) - H) / 2;
    return RECT{X, Y, X + W, Y + H};
}

// The DC's state (its clipping above all) saved for a scope: a DC handed in by a message
// goes back to its sender as it came.
class TSavedDC {
public:
    explicit TSavedDC(HDC DC) : FDC(DC), FSaved(SaveDC(DC)) {}
    ~TSavedDC()
    {
        if (FSaved)
            RestoreDC(FDC, FSaved);
    }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC FDC;
    int FSaved;
};

bool IsUpDownWindow(HWND Wnd)
{
    char Class[101] = {};
    GetClassNameA(Wnd, Class, 100);
    return SameText(Class, "msctls_updown32") || SameText(Class, "TSpinButton");
}

bool HasImage(const TDataSkinObject* Element)
{
    return Element && Element->Bitmap && !Element->Bitmap->Empty();
}

// Strokes of the plain arrows, (x1, y1, x2, y2) from the arrow's anchor.
struct TStroke {
    int X1, Y1, X2, Y2;
};
constexpr TStroke UpArrow[] = {{0, 0, 0, -1}, {1, 1, 4, 4},  {0, 1, 3, 4},  {0, 2, 2, 4},
                               {-1, 1, -4, 4}, {0, 2, -3, 4}, {0, 1, -2, 4}};
constexpr TStroke DownArrow[] = {{0, 3, 0, 4},   {1, 2, 4, -1},  {0, 2, 3, -1}, {0, 1, 2, 0},
                                 {-1, 2, -4, -1}, {0, 2, -3, -1}, {0, 1, -2, 0}};
constexpr POINT LeftArrow[] = {{0, 0}, {1, 2}, {1, -2}, {-1, 0}, {1, 2}};
constexpr POINT RightArrow[] = {{0, 0}, {-1, 2}, {-1, -2}, {1, 0}, {-1, 2}};

}  // namespace

// --- Edit ---------------------------------------------------------------------------------

TSkinEdit::TSkinEdit(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinEdit::AfterMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        // A paint into someone else's DC (a print of the client) keeps the edit's own look.
        if (!Message.WParam)
            PaintControl(nullptr);
        break;
    case WM_PRINT:
        PrintFrame(reinterpret_cast<HDC>(Message.WParam));
        break;
    default:
        TSkinControl::AfterMessage(Message);
    }
}

void TSkinEdit::FindUpDown()
{
    for (HWND Child = GetTopWindow(FHandle); Child; Child = GetWindow(Child, GW_HWNDNEXT)) {
        if (!IsUpDownWindow(Child))
            continue;
        // Without an owner to free it, the up-down's kind goes with this one.
        FUpDown = new TSkinUpDown(Owner() ? Owner() : this);
        FUpDown->InstallWindow(Child, FSkinData, FCanvas);
        FUpDown->FInset = true;
        // It may have painted itself already; its next paint is the kind's.
        InvalidateRect(Child, nullptr, TRUE);
        return;
    }
}

void TSkinEdit::Draw(HDC DC, const RECT& Rect)
{
    if (!FUpDown)
        FindUpDown();
    RECT Client;
    if (!GetClientRect(FHandle, &Client) || Client.right >= Width(Rect) || Client.bottom >= Height(Rect))
        return;  // no border to paint over
    RECT R = Rect;
    const TBrushHandle Shadow(CreateSolidBrush(ColorToRGB(FSkinData->ButtonShadowColor)));
    FrameRect(DC, &R, Shadow.Get());
    InflateRect(&R, -1, -1);
    const TBrushHandle White(CreateSolidBrush(RGB(255, 255, 255)));
    FrameRect(DC, &R, White.Get());
}

void TSkinEdit::PrintFrame(HDC DC)
{
    RECT R;
    if (!GetWindowRect(FHandle, &R))
        return;
    FWindowRect = R;
    std::optional<TWindowDC> WindowDC;
    if (!DC) {
        WindowDC.emplace(FHandle, TWindowDC::daWindow);
        DC = WindowDC->Handle();
    }
    RECT Client;
    if (!DC || !GetClientRect(FHandle, &Client) || Client.right + 2 >= Width(R) || Client.bottom + 2 >= Height(R))
        return;
    try {
        OffsetRect(&R, -R.left, -R.top);
        // The edit's own print leaves its text clipping in the DC.
        const TSavedDC Saved(DC);
        SelectClipRgn(DC, nullptr);
        TDCCanvas Canvas(DC);
        // The inner line in the printer's own background brush, the outer one in the shadow.
        Canvas->Brush()->SetHandle(static_cast<HBRUSH>(GetCurrentObject(DC, OBJ_BRUSH)));
        RECT Inner = R;
        InflateRect(&Inner, -1, -1);
        Canvas->FrameRect(Inner);
        Canvas->Brush()->SetColor(FSkinData->ButtonShadowColor);
        Canvas->FrameRect(R);
    } catch (...) {
        // The print keeps whatever was drawn.
    }
}

// --- Combo box ----------------------------------------------------------------------------

TSkinComBox::TSkinComBox(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinComBox::AfterMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        FMouseFlags |= mfDown;
        PaintControl(nullptr);
        break;
    case WM_LBUTTONUP:
        FMouseFlags &= uint8_t(~mfDown);
        PaintControl(nullptr);
        break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        if (FEnabled) {
            if (Message.Msg == CM_MOUSEENTER)
                FMouseFlags |= mfOver;
            else
                FMouseFlags &= uint8_t(~mfOver);
            PaintControl(nullptr);
        }
        break;
    default:
        TSkinControl::AfterMessage(Message);
    }
}

void TSkinComBox::Draw(HDC DC, const RECT& Rect)
{
    const TDataSkinBorder* Button = FSkinData->ComboButton.get();
    if (!HasImage(Button))
        return;
    FStyle = uint32_t(GetWindowLongPtrA(FHandle, GWL_STYLE));
    FExStyle = uint32_t(GetWindowLongPtrA(FHandle, GWL_EXSTYLE));
    const TDataSkinObject* Edge = FSkinData->SunkEdge.get();
    if (!HasImage(Edge))
        return;
    FFocused = GetFocus() == FHandle;
    FEnabled = !(FStyle & WS_DISABLED);
    int State = FEnabled ? stNormal : stDisabled;
    if (FMouseFlags & mfDown)
        State = stPressed;
    else if (FFocused || (FMouseFlags & mfOver))
        State = stHot;

    const int S = GetSystemMetrics(SM_CXHSCROLL);
    const int W = Width(Rect), H = Height(Rect);
    const TSavedDC Saved(DC);
    RECT ButtonRect, GlyphArea;
    TBitmap* Image;
    int ButtonFrame;
    if (!(FExStyle & WS_EX_LEFTSCROLLBAR)) {
        ExcludeClipRect(DC, 2, 2, W - S - 4, H - 2);  // the edit area stays the combo's
        ButtonRect = RECT{W - S - 2, 0, W, H};
        GlyphArea = RECT{W - S - 2, 0, W - 2, H};
        Image = Button->Bitmap.get();
        ButtonFrame = State;
    } else {
        ExcludeClipRect(DC, S + 4, 2, W - 2, H - 2);
        ButtonRect = RECT{0, 0, S + 2, H};
        GlyphArea = RECT{2, 0, S + 2, H};
        // The mirrored strip holds the frames in reverse order too.
        Image = Button->Bitmap2.get();
        ButtonFrame = ComboFrames + 1 - State;
    }
    DrawElement(DC, Rect, *Edge, EdgeFrames, State);
    if (Image) {
        TDCCanvas Canvas(DC);
        DrawFrameTransparent(*Canvas.Get(), ButtonRect, ComboFrames, ButtonFrame, *Image);
    }
    const TDataSkinObject* Extra = FSkinData->ExtraImages.get();
    if (HasImage(Extra)) {
        TBitmap& Glyph = *Extra->Bitmap;
        DrawFrameCell(DC, CentredIn(GlyphArea, Glyph.Width() / ExtraFrames, Glyph.Height()), Glyph, true,
                      ExtraFrames, State);
    }
}

// --- Up-down ------------------------------------------------------------------------------

TSkinUpDown::TSkinUpDown(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinUpDown::BeforeMessage(TMessage& Message)
{
    if (!PassUnlessPainted(Message))
        return false;
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        CallDefault(Message);
        FMouseFlags |= mfDown;
        PaintControl(nullptr);
        return false;
    case WM_LBUTTONUP:
        FMouseFlags &= uint8_t(~mfDown);
        CallDefault(Message);
        PaintControl(nullptr);
        return false;
    default:
        return true;
    }
}

void TSkinUpDown::Draw(HDC DC, const RECT& Rect)
{
    RECT C;
    if (!GetClientRect(FHandle, &C) || C.right <= 0 || C.bottom <= 0)
        return;
    TBitmap Buffer;
    Buffer.SetSize(C.right, C.bottom);
    TCanvas& Canvas = *Buffer.Canvas();
    Canvas.Brush()->SetColor(FSkinData->ButtonFaceColor);
    Canvas.FillRect(C);
    if (FInset)
        InflateRect(&C, -1, -1);

    POINT Cursor{};
    GetCursorPos(&Cursor);
    ScreenToClient(FHandle, &Cursor);
    const LONG_PTR Style = GetWindowLongPtrA(FHandle, GWL_STYLE);
    FEnabled = !(Style & WS_DISABLED);
    const bool Horizontal = FOrientation == 1 || (Style & UDS_HORZ);
    RECT First = C, Second = C;
    bool InFirst;
    if (Horizontal) {
        First.right = Second.left = C.left + Width(C) / 2;
        InFirst = Cursor.x < First.right;
    } else {
        First.bottom = Second.top = C.top + Height(C) / 2;
        InFirst = Cursor.y < First.bottom;
    }
    const auto StateOf = [this](bool Under) {
        if (!FEnabled)
            return stDisabled;
        if (!Under)
            return stNormal;
        if (FMouseFlags & mfDown)
            return stPressed;
        return (FMouseFlags & mfOver) ? stHot : stNormal;
    };
    const TDataSkinBorder* Element = (Horizontal ? FSkinData->UpDownHorz : FSkinData->UpDownVert).get();
    const bool Skinned = Element && Element->Bitmap2 && !Element->Bitmap2->Empty();
    const auto DrawButton = [&](const RECT& Button, int Direction, bool Under) {
        if (Skinned)
            DrawSkinButton(Canvas.Handle(), Button, Direction, StateOf(Under));
        else
            DrawPlainButton(Canvas, Button, Direction, StateOf(Under));
    };
    const int FirstDirection = Horizontal ? drLeft : drUp;
    DrawButton(First, FirstDirection, InFirst);
    DrawButton(Second, FirstDirection + 1, !InFirst);
    BitBlt(DC, Rect.left, Rect.top, Buffer.Width(), Buffer.Height(), Canvas.Handle(), 0, 0, SRCCOPY);
}

void TSkinUpDown::DrawSkinButton(HDC DC, const RECT& Rect, int Direction, int State)
{
    const bool Horizontal = Direction >= drLeft;
    const TDataSkinBorder* Element = (Horizontal ? FSkinData->UpDownHorz : FSkinData->UpDownVert).get();
    if (!Element)
        return;
    // Up and left take frames 1-4, down and right 5-8.
    const int Frame = State + 4 * Direction - (Horizontal ? 8 : 0);
    if (Element->Bitmap)
        DrawFrameCell(DC, Rect, *Element->Bitmap, true, UpDownFrames, Frame);
    if (Element->Bitmap2) {
        TBitmap& Glyph = *Element->Bitmap2;
        DrawFrameCell(DC, CentredIn(Rect, Glyph.Width() / UpDownFrames, Glyph.Height()), Glyph, true, UpDownFrames,
                      Frame);
    }
}

void TSkinUpDown::DrawPlainButton(TCanvas& Canvas, const RECT& Rect, int Direction, int State)
{
    const bool Sunk = State == stPressed || State == stHot;
    Canvas.Brush()->SetColor(Sunk ? FSkinData->ButtonShadowColor : FSkinData->ButtonFaceColor);
    Canvas.Pen()->SetColor(FSkinData->ButtonDkShadowColor);
    Canvas.Rectangle(Rect);
    const int X = Rect.left + Width(Rect) / 2;
    const int Y = Rect.top + Height(Rect) / 2 - (Direction <= drDown ? 2 : 0);
    if (Direction <= drDown) {
        const auto& Strokes = Direction == drUp ? UpArrow : DownArrow;
        for (const TStroke& S : Strokes) {
            Canvas.MoveTo(X + S.X1, Y + S.Y1);
            Canvas.LineTo(X + S.X2, Y + S.Y2);
        }
        return;
    }
    const POINT* Shape = Direction == drLeft ? LeftArrow : RightArrow;
    POINT Points[std::size(LeftArrow)];
    for (size_t I = 0; I < std::size(Points); ++I)
        Points[I] = POINT{X + Shape[I].x, Y + Shape[I].y};
    Canvas.Polyline(Points, int(std::size(Points)));
}
