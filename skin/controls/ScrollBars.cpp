#include "skin/controls/ScrollBars.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>

#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHolders.h"
#include "framework/ui/ScrollBar.h"
#include "framework/ui/WinControl.h"
#include "skin/controls/Bars.h"
#include "skin/data/SkinData.h"
#include "skin/form/ElementDraw.h"
#include "skin/form/SkinForm.h"

PANTREL_REGISTER(TSkinScrollBar, TSkinControl)
PANTREL_REGISTER(TSkinListView, TSkinScrollBar)
PANTREL_REGISTER(TSkinScControl, TSkinControl)

namespace {

// Every bar is composed at this thickness and stretched to its real one.
constexpr int StripThickness = 16;
// Frame counts of the arrow and track elements.
constexpr int ArrowFrames = 23;
constexpr int TrackFrames = 4;
// Rectangles beyond this are nonsense (a window being created or moved off the desktop).
constexpr int FarAway = 10000;

bool HasArrows(const TSkinData* Skin)
{
    return Skin && Skin->Scrollbar && Skin->Scrollbar->Bitmap && !Skin->Scrollbar->Bitmap->Empty();
}

int ArrowSystemSize()
{
    return GetSystemMetrics(SM_CXHSCROLL);
}

// The shortest thumb the system draws.
int MinimumThumb(int ArrowSize)
{
    return GetVersion() < 0x80000000u ? 8 : ArrowSize / 2;
}

int BarLength(const RECT& R, bool Vertical)
{
    return Vertical ? R.bottom - R.top : R.right - R.left;
}

// A piece of a strip from Start, Length long, across the whole thickness.
RECT StripPiece(bool Vertical, int Start, int Length)
{
    return Vertical ? RECT{0, Start, StripThickness, Start + Length} : RECT{Start, 0, Start + Length, StripThickness};
}

// Thumb length and offset on a track of Track pixels for a page of Page at Position (from
// the start of the range) out of Span positions that a page can start at.
void FitThumb(TBarMetrics& M, int Track, int Span, int Page, int Position)
{
    M.TrackLength = Track;
    int L = Page != 0 ? std::max(MulDiv(Page, Track, Span), MinimumThumb(M.ArrowSize)) : GetSystemMetrics(SM_CXHTHUMB);
    L = std::min(L, Track);
    int O = 0;
    if (Page == Span)
        --L;
    else
        O = std::max(0, std::min(MulDiv(Position, Track - L, Span - Page), Track - L));
    M.ThumbLength = L;
    M.ThumbOffset = O;
}

// The strip's background (colour "Scrollbar", track, both arrows) for a bar Length long.
void ComposeBack(TBitmap& Back, int Length, const TSkinData& Skin, bool Vertical, int ArrowSize, int PressedPart)
{
    const RECT Strip = StripPiece(Vertical, 0, Length);
    Back.SetSize(Strip.right, Strip.bottom);
    const TMemoryDC Mem(Back.Handle());
    const HDC Target = Mem.Handle();
    SetStretchBltMode(Target, COLORONCOLOR);
    {
        const TBrushHandle Colour(CreateSolidBrush(ColorToRGB(Skin.ScrollbarColor)));
        FillRect(Target, &Strip, Colour.Get());
    }
    const int S = ArrowSize;
    if (const TDataSkinObject* Track = Vertical ? Skin.VertScroll.get() : Skin.HorzScroll.get())
        DrawElement(Target, StripPiece(Vertical, S, Length - 2 * S), *Track, TrackFrames, 1);

    const int Arrow = Length < 2 * S ? Length / 2 : S;
    const int FirstPart = Vertical ? ppUpArrow : ppLeftArrow;
    const int FirstFrame = Vertical ? 9 : 1;   // normal up or left; +1 pressed; +4 the other arrow
    TDCCanvas Canvas(Target);
    DrawFrameTransparent(*Canvas.Get(), StripPiece(Vertical, 0, Arrow), ArrowFrames,
                         FirstFrame + (PressedPart == FirstPart), *Skin.Scrollbar->Bitmap);
    DrawFrameTransparent(*Canvas.Get(), StripPiece(Vertical, Length - Arrow, Arrow), ArrowFrames,
                         FirstFrame + 4 + (PressedPart == FirstPart + 1), *Skin.Scrollbar->Bitmap);
}

// Every bar: the strip (colour "Scrollbar", track, arrows, thumb) composed
// 16 pixels thick and stretched onto BarRect of DC. While only the thumb moves, the rest of
// the strip and the thumb's own picture come from Cache.
void DrawStrip(HDC DC, const RECT& BarRect, const TSkinData& Skin, bool Vertical, const TBarMetrics& M,
               int PressedPart, std::unique_ptr<TStripCache>& Kept)
{
    const int Length = BarLength(BarRect, Vertical);
    const RECT Strip = StripPiece(Vertical, 0, Length);
    if (Length <= 0 || Strip.right > FarAway || Strip.bottom > FarAway)
        return;
    if (!Kept)
        Kept = std::make_unique<TStripCache>();
    TStripCache& Cache = *Kept;
    const int ThumbPart = Vertical ? ppVertThumb : ppHorzThumb;
    const int ArrowPressed = PressedPart == ThumbPart ? ppNone : PressedPart;
    if (Cache.Back.Empty() || Cache.Length != Length || Cache.Vertical != Vertical ||
        Cache.ArrowPressed != ArrowPressed) {
        ComposeBack(Cache.Back, Length, Skin, Vertical, M.ArrowSize, ArrowPressed);
        Cache.Length = Length;
        Cache.Vertical = Vertical;
        Cache.ArrowPressed = ArrowPressed;
    }
    if (Cache.Buffer.Width() != Strip.right || Cache.Buffer.Height() != Strip.bottom)
        Cache.Buffer.SetSize(Strip.right, Strip.bottom);
    const TMemoryDC Mem(Cache.Buffer.Handle());
    const HDC Target = Mem.Handle();
    {
        const TMemoryDC Back(Cache.Back.Handle());
        BitBlt(Target, 0, 0, Strip.right, Strip.bottom, Back.Handle(), 0, 0, SRCCOPY);
    }

    const TDataSkinObject* Thumb = Vertical ? Skin.VertScrollThumb.get() : Skin.HorzScrollThumb.get();
    if (Thumb && Thumb->Bitmap && M.TrackLength >= M.ThumbLength) {
        const RECT Place = StripPiece(Vertical, M.ArrowSize + M.ThumbOffset, M.ThumbLength);
        const int Frame = PressedPart == ThumbPart ? 2 : 1;
        if (Cache.ThumbLength != M.ThumbLength || Cache.ThumbVertical != Vertical || Cache.ThumbFrame != Frame) {
            Cache.Thumb = BuildElementBitmap(Place, *Thumb->Bitmap, ElementMargins(*Thumb), false, false,
                                             Thumb->FrameCount, Frame);
            Cache.ThumbLength = M.ThumbLength;
            Cache.ThumbVertical = Vertical;
            Cache.ThumbFrame = Frame;
        }
        if (Cache.Thumb && Thumb->Trans != 0) {
            DrawTransparent(Target, Place, *Cache.Thumb, SkinKeyColour);
        } else if (Cache.Thumb) {
            const TMemoryDC Picture(Cache.Thumb->Handle());
            BitBlt(Target, Place.left, Place.top, Place.right - Place.left, Place.bottom - Place.top,
                   Picture.Handle(), 0, 0, SRCCOPY);
        }
    }

    SetStretchBltMode(Target, COLORONCOLOR);
    StretchBlt(DC, BarRect.left, BarRect.top, BarRect.right - BarRect.left, BarRect.bottom - BarRect.top, Target, 0,
               0, Strip.right, Strip.bottom, SRCCOPY);
}

// The pressed part a scroll message of a bar stands for: FirstArrow is the bar's first
// arrow, Thumb its thumb; Unchanged for codes that say nothing about it.
constexpr int Unchanged = -1;
int PartOf(WORD Code, int FirstArrow, int Thumb, bool PositionIsThumb)
{
    switch (Code) {
    case SB_LINEUP:
        return FirstArrow;
    case SB_LINEDOWN:
        return FirstArrow + 1;
    case SB_THUMBTRACK:
        return Thumb;
    case SB_THUMBPOSITION:
        return PositionIsThumb ? Thumb : ppNone;
    case SB_PAGEUP:
    case SB_PAGEDOWN:
    case SB_ENDSCROLL:
        return ppNone;
    default:
        return Unchanged;
    }
}

// A drag of the thumb lasts while the kind holds the mouse and its window stays active.
bool StillDragging(HWND Wnd, HWND Active)
{
    return GetCapture() == Wnd && GetActiveWindow() == Active;
}

}  // namespace

// --- TSkinScrollBar ------------------------------------------------------------------------

TSkinScrollBar::TSkinScrollBar(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinScrollBar::InstallScrollBars(TWinControl* Control, TSkinData* SkinData, bool TrackThumb, TCanvas* Canvas)
{
    TakeControl(Control, SkinData, Canvas);
    FOldWindowProc = Control->WindowProc;
    Control->WindowProc = TWndMethod(this, &TSkinScrollBar::WndProc);
    FDragging = FInVScroll = FInHScroll = false;
    // The bars as they stand count as drawn: they are painted with the window, not at once.
    for (const int Bar : {SB_HORZ, SB_VERT}) {
        Info(Bar).cbSize = sizeof(SCROLLINFO);
        Info(Bar).fMask = SIF_ALL;
        GetScrollInfo(FHandle, Bar, &Info(Bar));
    }
    FHorzBar.StyleBit = WS_HSCROLL;
    FVertBar.StyleBit = WS_VSCROLL;
    FTrackThumb = TrackThumb;
    // The parent is painted with everything else, not at once for each control wrapped.
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                     SWP_DEFERERASE);
}

bool TSkinScrollBar::BeforeMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCPAINT:
        PassFrameOnly(Message);
        return false;
    case WM_NCMOUSEMOVE:
        // The system's own bar would light up its parts under the mouse.
        return Message.WParam != HTHSCROLL && Message.WParam != HTVSCROLL;
    case WM_NCLBUTTONDOWN:
        return !(FTrackThumb && NCLButtonDown(Message));
    case WM_HSCROLL:
        PassScroll(Message, FInHScroll);
        return false;
    case WM_VSCROLL:
        PassScroll(Message, FInVScroll);
        return false;
    default:
        return true;
    }
}

void TSkinScrollBar::PassScroll(TMessage& Message, bool& InScroll)
{
    // The bar is the system's while it handles the message; AfterMessage then paints it once.
    InScroll = true;
    CallDefault(Message);
    InScroll = false;
}

bool TSkinScrollBar::HasBarsToPaint() const
{
    return HasArrows(FSkinData) &&
           (FInHScroll || FInVScroll || (GetWindowLongPtrA(FHandle, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)));
}

void TSkinScrollBar::PaintBars()
{
    // A window DC costs the system a round of display checks: none for nothing to paint.
    if (HasBarsToPaint())
        PaintControl(nullptr);
}

void TSkinScrollBar::PassFrameOnly(TMessage& Message)
{
    // The system's own bars would be drawn only to be painted over at once, and drawing
    // them is the dearest part of its frame: it paints the frame without them.
    if (!HasBarsToPaint() || FInHScroll || FInVScroll) {
        CallDefault(Message);
        return;
    }
    const LONG_PTR Style = GetWindowLongPtrA(FHandle, GWL_STYLE);
    const LONG_PTR Bars = Style & (WS_HSCROLL | WS_VSCROLL);
    SetWindowLongPtrA(FHandle, GWL_STYLE, Style & ~Bars);
    CallDefault(Message);
    SetWindowLongPtrA(FHandle, GWL_STYLE, GetWindowLongPtrA(FHandle, GWL_STYLE) | Bars);
}

void TSkinScrollBar::AfterMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCPAINT:
        PaintBars();
        break;
    case WM_PRINT:
        PaintControl(reinterpret_cast<HDC>(Message.WParam));
        break;
    case WM_NCLBUTTONDOWN:
        // The system's own arrow and page tracking has ended; its last picture of the bar
        // came after the end-of-scroll message.
        if (Message.WParam == HTHSCROLL || Message.WParam == HTVSCROLL)
            PaintBars();
        break;
    case WM_HSCROLL:
    case WM_VSCROLL: {
        const bool Horz = Message.Msg == WM_HSCROLL;
        const int Part = PartOf(LOWORD(Message.WParam), Horz ? ppLeftArrow : ppUpArrow,
                                Horz ? ppHorzThumb : ppVertThumb, true);
        if (Part != Unchanged)
            FPressedPart = Part;
        PaintBars();
        break;
    }
    default:
        TSkinControl::AfterMessage(Message);
        // Keys, the wheel and the program move the bars without a scroll message; the
        // system has then drawn its own bar.
        if (!FDragging && BarsMoved())
            PaintBars();
    }
}

bool TSkinScrollBar::BarsMoved()
{
    for (const int Bar : {SB_HORZ, SB_VERT}) {
        if (!(GetWindowLongPtrA(FHandle, GWL_STYLE) & Metrics(Bar).StyleBit))
            continue;
        SCROLLINFO Now{};
        Now.cbSize = sizeof Now;
        Now.fMask = SIF_ALL;
        const SCROLLINFO& Drawn = Info(Bar);
        if (GetScrollInfo(FHandle, Bar, &Now) && (Now.nPos != Drawn.nPos || Now.nPage != Drawn.nPage ||
                                                  Now.nMin != Drawn.nMin || Now.nMax != Drawn.nMax))
            return true;
    }
    return false;
}

void TSkinScrollBar::Draw(HDC DC, const RECT& Rect)
{
    if (!HasArrows(FSkinData))
        return;
    FStyle = DWORD(GetWindowLongPtrA(FHandle, GWL_STYLE));
    if (FInVScroll)
        FStyle |= WS_VSCROLL;
    if (FInHScroll)
        FStyle |= WS_HSCROLL;
    FExStyle = DWORD(GetWindowLongPtrA(FHandle, GWL_EXSTYLE));
    if (!(FStyle & (WS_HSCROLL | WS_VSCROLL)) || Rect.left > FarAway || Rect.top > FarAway)
        return;
    LayoutBars(Rect);
    if (FStyle & WS_HSCROLL && !IsRectEmpty(&FHorzRect))
        DrawBar(DC, FHorzRect, SB_HORZ);
    if (FStyle & WS_VSCROLL && !IsRectEmpty(&FVertRect))
        DrawBar(DC, FVertRect, SB_VERT);
    if (!IsRectEmpty(&FCornerRect))
        FillBackground(DC, FCornerRect);
}

void TSkinScrollBar::LayoutBars(const RECT& Rect)
{
    const int W = Rect.right - Rect.left;
    const int H = Rect.bottom - Rect.top;
    const int S = ArrowSystemSize();
    const bool Horz = FStyle & WS_HSCROLL;
    const bool Vert = FStyle & WS_VSCROLL;
    RECT Client{};
    GetClientRect(FHandle, &Client);
    int E = GetSystemMetrics(SM_CXEDGE);
    if (Vert)
        E = (W - Client.right - S) / 2;
    else if (Horz)
        E = (H - Client.bottom - S) / 2;
    FHorzBar.ArrowSize = FVertBar.ArrowSize = S;

    FHorzRect = FVertRect = FCornerRect = RECT{};
    const bool Left = FExStyle & WS_EX_LEFTSCROLLBAR;
    if (Horz && Vert) {
        if (Left) {
            FHorzRect = {E + S, H - E - S, W - E, H - E};
            FVertRect = {E, E, E + S, H - E - S};
            FCornerRect = {E, H - E - S, E + S, H - E};
        } else {
            FHorzRect = {E, H - E - S, W - E - S, H - E};
            FVertRect = {W - E - S, E, W - E, H - E - S};
            FCornerRect = {W - E - S, H - E - S, W - E, H - E};
        }
    } else if (Horz) {
        FHorzRect = {E, H - E - S, W - E, H - E};
    } else if (Vert) {
        FVertRect = Left ? RECT{E, E, E + S, H - E} : RECT{W - E - S, E, W - E, H - E};
    }
}

void TSkinScrollBar::CalcThumb(const RECT& BarRect, int Bar)
{
    if (FDragging)
        return;
    TBarMetrics& M = Metrics(Bar);
    const int Track = BarLength(BarRect, Bar == SB_VERT) - 2 * M.ArrowSize;
    SCROLLINFO Now{};
    Now.cbSize = sizeof Now;
    Now.fMask = SIF_ALL;
    if (!GetScrollInfo(FHandle, Bar, &Now))
        return;
    const int Range = Now.nMax - Now.nMin;
    if (Range <= 0)
        return;
    FitThumb(M, Track, Range, int(Now.nPage), Now.nPos - Now.nMin);
    Info(Bar) = Now;
}

void TSkinScrollBar::DrawBar(HDC DC, const RECT& BarRect, int Bar)
{
    if (Bar == SB_HORZ ? FInHScroll : FInVScroll)
        return;
    CalcThumb(BarRect, Bar);
    DrawStrip(DC, BarRect, *FSkinData, Bar == SB_VERT, Metrics(Bar), FPressedPart, FStrips[Bar == SB_VERT]);
}

void TSkinScrollBar::SkinChanged()
{
    for (std::unique_ptr<TStripCache>& Strip : FStrips)
        Strip.reset();
    TSkinControl::SkinChanged();
}

int TSkinScrollBar::HitTestBar(int Pos, int Bar) const
{
    const TBarMetrics& M = Bar == SB_HORZ ? FHorzBar : FVertBar;
    const int A = M.ArrowSize, T = M.TrackLength, L = M.ThumbLength, O = M.ThumbOffset;
    if (Pos < A)
        return SB_LINEUP;
    if (Pos < A + O)
        return SB_PAGEUP;
    if (Pos < A + O + L)
        return SB_THUMBTRACK;
    if (Pos < A + T)
        return SB_PAGEDOWN;
    if (Pos < 2 * A + T)
        return SB_LINEDOWN;
    return -1;
}

bool TSkinScrollBar::NCLButtonDown(TMessage& Message)
{
    if (Message.WParam != HTHSCROLL && Message.WParam != HTVSCROLL)
        return false;
    POINT P{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    ScreenToClient(FHandle, &P);
    const bool Horz = Message.WParam == HTHSCROLL;
    const int Bar = Horz ? SB_HORZ : SB_VERT;
    if (HitTestBar(Horz ? P.x : P.y, Bar) != SB_THUMBTRACK)
        return false;
    FPressedPart = Horz ? ppHorzThumb : ppVertThumb;
    PaintControl(nullptr);
    TrackThumb(Bar, Horz ? WM_HSCROLL : WM_VSCROLL);
    return true;
}

int TSkinScrollBar::DragTo(int Bar, UINT ScrollMessage, int Offset, int LastPosition)
{
    TBarMetrics& M = Metrics(Bar);
    SCROLLINFO& I = Info(Bar);
    const int T = M.TrackLength, L = M.ThumbLength;
    const int Page = int(I.nPage);
    int N = std::max(Offset, 0);
    int P;
    if (Page != 0) {
        N = std::min(N, T);
        P = MulDiv(N, I.nMax - I.nMin, T) + I.nMin;
        if (P >= I.nMax - Page)
            P = I.nMax - Page + 1;
    } else {
        N = std::min(N, T - L);
        P = std::min(MulDiv(N, I.nMax - I.nMin, T - L) + I.nMin, I.nMax);
    }
    P = std::max(P, I.nMin);
    if (P == LastPosition)
        return P;
    I.fMask = SIF_POS;
    I.nPos = I.nTrackPos = P;
    // Past the last page the thumb stays at the end of its track.
    M.ThumbOffset = std::max(0, std::min(N, T - L));
    SetScrollInfo(FHandle, Bar, &I, FALSE);
    SendMessageA(FHandle, ScrollMessage, MAKEWPARAM(SB_THUMBTRACK, P), 0);
    return P;
}

void TSkinScrollBar::TrackThumb(int Bar, UINT ScrollMessage)
{
    FDragging = true;
    POINT Start{};
    GetCursorPos(&Start);
    const int StartOffset = Metrics(Bar).ThumbOffset;
    int Last = Info(Bar).nPos;
    const HWND Active = GetActiveWindow();
    SetCapture(FHandle);
    bool Quit = false;
    WPARAM QuitCode = 0;
    while (StillDragging(FHandle, Active)) {
        MSG Msg;
        if (!PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (Msg.message == WM_QUIT) {
            Quit = true;
            QuitCode = Msg.wParam;
            break;
        }
        if (Msg.message == WM_LBUTTONUP || Msg.message == WM_NCLBUTTONUP ||
            (Msg.message == WM_KEYDOWN && Msg.wParam == VK_ESCAPE))
            break;
        TranslateMessage(&Msg);
        DispatchMessageA(&Msg);
        if (Msg.message == WM_MOUSEMOVE || Msg.message == WM_NCMOUSEMOVE) {
            const int Moved = Bar == SB_HORZ ? Msg.pt.x - Start.x : Msg.pt.y - Start.y;
            Last = DragTo(Bar, ScrollMessage, StartOffset + Moved, Last);
        }
    }
    FDragging = false;
    if (GetCapture() == FHandle)
        ReleaseCapture();
    SendMessageA(FHandle, ScrollMessage, MAKEWPARAM(SB_THUMBPOSITION, Last), 0);
    PostMessageA(FHandle, ScrollMessage, SB_ENDSCROLL, 0);
    // The outer loop ends the program.
    if (Quit)
        PostQuitMessage(int(QuitCode));
}

// --- TSkinListView -------------------------------------------------------------------------

TSkinListView::TSkinListView(TComponent* AOwner) : TSkinScrollBar(AOwner) {}

void TSkinListView::InstallControl(TWinControl* Control, TSkinData* SkinData, bool Recolor, TCanvas* Canvas)
{
    InstallScrollBars(Control, SkinData, Recolor, Canvas);
    const HWND Header = reinterpret_cast<HWND>(SendMessageA(FHandle, LVM_GETHEADER, 0, 0));
    if (!Header)
        return;
    FHeader = new TSkinHeader(Owner());
    FHeader->InstallWindow(Header, SkinData, Canvas);
}

// --- TSkinScControl ------------------------------------------------------------------------

TSkinScControl::TSkinScControl(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinScControl::BeforeMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCMOUSEMOVE:
        return Message.WParam != HTHSCROLL && Message.WParam != HTVSCROLL;
    case SBM_SETSCROLLINFO:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        // The system draws the bar once more after the end of scrolling, when the press
        // (or its own tracking loop) ends.
        CallDefault(Message);
        PaintControl(nullptr);
        return false;
    case CN_HSCROLL:
    case CN_VSCROLL: {
        const bool Horz = Message.Msg == CN_HSCROLL;
        const int Part = PartOf(LOWORD(Message.WParam), Horz ? ppLeftArrow : ppUpArrow,
                                Horz ? ppHorzThumb : ppVertThumb, false);
        FPressedPart = Part == Unchanged ? ppNone : Part;
        CallDefault(Message);
        PaintControl(nullptr);
        return false;
    }
    default:
        return true;
    }
}

void TSkinScControl::SkinChanged()
{
    FStrip.reset();
    TSkinControl::SkinChanged();
}

void TSkinScControl::Draw(HDC DC, const RECT& Rect)
{
    const auto* Bar = dynamic_cast<const TScrollBar*>(FControl);
    if (!HasArrows(FSkinData) || !Bar)
        return;
    const bool Vertical = Bar->Kind() == sbVertical;
    TBarMetrics M;
    M.ArrowSize = ArrowSystemSize();
    M.TrackLength = FTrackLength;
    M.ThumbLength = FThumbLength;
    M.ThumbOffset = FThumbOffset;
    const int Range = Bar->Max() - Bar->Min();
    if (Range >= 0) {
        const int Track = BarLength(Rect, Vertical) - 2 * M.ArrowSize;
        FitThumb(M, Track, Range + 1, Bar->PageSize(), Bar->Position() - Bar->Min());
        FTrackLength = M.TrackLength;
        FThumbLength = M.ThumbLength;
        FThumbOffset = M.ThumbOffset;
    }
    DrawStrip(DC, Rect, *FSkinData, Vertical, M, FPressedPart, FStrip);
}
