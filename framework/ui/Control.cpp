#include "framework/ui/Control.h"

#include <algorithm>

#include "framework/graphics/Font.h"
#include "framework/ui/WinControl.h"

namespace {

TControl* GMouseControl = nullptr;

} // namespace

TControl* MouseControl()
{
    return GMouseControl;
}

void SetMouseControl(TControl* Control)
{
    if (Control == GMouseControl)
        return;
    TControl* Old = GMouseControl;
    GMouseControl = Control;
    if (Old)
        Old->Perform(CM_MOUSELEAVE, 0, 0);
    if (Control && GMouseControl == Control)
        Control->Perform(CM_MOUSEENTER, 0, 0);
}

TShiftState KeysToShiftState(WPARAM Keys)
{
    TShiftState S;
    if (Keys & MK_SHIFT) S << ssShift;
    if (Keys & MK_CONTROL) S << ssCtrl;
    if (Keys & MK_LBUTTON) S << ssLeft;
    if (Keys & MK_RBUTTON) S << ssRight;
    if (Keys & MK_MBUTTON) S << ssMiddle;
    if (GetKeyState(VK_MENU) < 0) S << ssAlt;
    return S;
}

TShiftState KeyboardShiftState()
{
    TShiftState S;
    if (GetKeyState(VK_SHIFT) < 0) S << ssShift;
    if (GetKeyState(VK_CONTROL) < 0) S << ssCtrl;
    if (GetKeyState(VK_MENU) < 0) S << ssAlt;
    return S;
}

HCURSOR CursorHandle(TCursor Cursor)
{
    static const LPCSTR Ids[] = {
        nullptr, IDC_ARROW, IDC_IBEAM, IDC_CROSS, IDC_WAIT, IDC_HAND, IDC_SIZEALL,
        IDC_SIZENS, IDC_SIZEWE, IDC_SIZENESW, IDC_SIZENWSE, IDC_NO, IDC_APPSTARTING,
        IDC_HELP, IDC_UPARROW};
    const unsigned Index = unsigned(Cursor);
    if (Index == 0 || Index >= sizeof Ids / sizeof Ids[0])
        return nullptr;
    return LoadCursorA(nullptr, Ids[Index]);
}

PANTREL_REGISTER(TControl, TComponent,
    PROP_ENUM(Align, Align, SetAlign),
    PROP_INT(Left, Left, SetLeft),
    PROP_INT(Top, Top, SetTop),
    PROP_INT(Width, Width, SetWidth),
    PROP_INT(Height, Height, SetHeight),
    PROP_INT(ClientWidth, ClientWidth, SetClientWidth),
    PROP_INT(ClientHeight, ClientHeight, SetClientHeight),
    PROP_BOOL(Visible, Visible, SetVisible),
    PROP_BOOL(Enabled, Enabled, SetEnabled),
    PROP_COLOR(Color, Color, SetColor),
    PROP_BOOL(ParentColor, ParentColor, SetParentColor),
    PROP_FONT(Font, Font),
    PROP_BOOL(ParentFont, ParentFont, SetParentFont),
    PROP_ENUM(Cursor, Cursor, SetCursor),
    PROP_STRING(Caption, Caption, SetCaption),
    PROP_STRING(Text, Text, SetText),
    PROP_EVENT(OnClick, OnClick),
    PROP_EVENT(OnDblClick, OnDblClick),
    PROP_EVENT(OnMouseEnter, OnMouseEnter),
    PROP_EVENT(OnMouseLeave, OnMouseLeave),
    PROP_EVENT(OnMouseDown, OnMouseDown),
    PROP_EVENT(OnMouseUp, OnMouseUp),
    PROP_EVENT(OnMouseMove, OnMouseMove))

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), WindowProc(this, &TControl::WndProc), FFont(new TFont())
{
    FControlStyle = {csCaptureMouse, csClickEvents, csDoubleClicks};
    FFont->OnChange = TNotifyEvent(this, &TControl::FontOnChange);
}

TControl::~TControl()
{
    if (GMouseControl == this)
        GMouseControl = nullptr;
    SetParent(nullptr);
    delete FFont;
}

void TControl::SetParent(TWinControl* AParent)
{
    if (AParent == FParent)
        return;
    if (AParent == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent) {
        TWinControl* Old = FParent;
        Old->RemoveControl(this);
        FParent = nullptr;
    }
    if (AParent) {
        FParent = AParent;
        AParent->InsertControl(this);
        if (FParentColor)
            TakeParentColor();
        if (FParentFont)
            TakeParentFont();
    }
}

void TControl::SetParentComponent(TComponent* Value)
{
    if (auto* Container = dynamic_cast<TWinControl*>(Value))
        SetParent(Container);
}

TComponent* TControl::GetParentComponent() const
{
    return FParent;
}

void TControl::SetAlign(TAlign Value)
{
    if (Value == FAlign)
        return;
    FAlign = Value;
    BoundsChanged();
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    Invalidate();
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    Invalidate();
    BoundsChanged();
}

void TControl::BoundsChanged()
{
    if (FParent && !ComponentState().Contains(csLoading))
        FParent->Realign();
}

RECT TControl::ClientRect() const
{
    return RECT{0, 0, FWidth, FHeight};
}

void TControl::SetClientSize(int AWidth, int AHeight)
{
    const RECT R = ClientRect();
    SetBounds(FLeft, FTop, FWidth - R.right + AWidth, FHeight - R.bottom + AHeight);
}

POINT TControl::ClientOrigin() const
{
    POINT P{FLeft, FTop};
    if (FParent) {
        const POINT Origin = FParent->ClientOrigin();
        P.x += Origin.x;
        P.y += Origin.y;
    }
    return P;
}

POINT TControl::ClientToScreen(POINT P) const
{
    const POINT Origin = ClientOrigin();
    return POINT{P.x + Origin.x, P.y + Origin.y};
}

POINT TControl::ScreenToClient(POINT P) const
{
    const POINT Origin = ClientOrigin();
    return POINT{P.x - Origin.x, P.y - Origin.y};
}

void TControl::SetVisible(bool Value)
{
    if (Value == FVisible)
        return;
    Invalidate();
    FVisible = Value;
    Perform(CM_VISIBLECHANGED, Value, 0);
    Invalidate();
    BoundsChanged();
}

bool TControl::Showing() const
{
    return FVisible && FParent && FParent->Showing();
}

void TControl::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value)
{
    if (Value != FColor) {
        FColor = Value;
        ColorChanged();
    }
    FParentColor = false;
}

void TControl::SetParentColor(bool Value)
{
    FParentColor = Value;
    if (Value && FParent)
        TakeParentColor();
}

void TControl::TakeParentColor()
{
    if (FColor != FParent->Color()) {
        FColor = FParent->Color();
        ColorChanged();
    }
}

void TControl::ColorChanged()
{
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value)
{
    FParentFont = Value;
    if (Value && FParent)
        TakeParentFont();
}

void TControl::TakeParentFont()
{
    FSettingParentFont = true;
    FFont->Assign(*FParent->Font());
    FSettingParentFont = false;
}

void TControl::FontOnChange(TObject*)
{
    if (!FSettingParentFont)
        FParentFont = false;
    FontChanged();
}

void TControl::FontChanged()
{
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor Value)
{
    if (Value == FCursor)
        return;
    FCursor = Value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetTextValue(const std::string& Value)
{
    if (Value == FText)
        return;
    FText = Value;
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::Invalidate()
{
    if (FParent && FVisible && FParent->HandleAllocated()) {
        const RECT R = BoundsRect();
        InvalidateRect(FParent->Handle(), &R, !FControlStyle.Contains(csOpaque));
    }
}

void TControl::Repaint()
{
    Invalidate();
    if (FParent && FParent->HandleAllocated())
        UpdateWindow(FParent->Handle());
}

void TControl::BringToFront()
{
    if (FParent)
        FParent->MoveToFront(this);
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage Message;
    Message.Msg = Msg;
    Message.WParam = WParam;
    Message.LParam = LParam;
    WindowProc(Message);
    return Message.Result;
}

void TControl::Click()
{
    OnClick(this);
}

void TControl::DblClick()
{
    OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    OnMouseMove(this, Shift, X, Y);
}

void TControl::WndProc(TMessage& Message)
{
    Dispatch(Message);
}

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, bool Double)
{
    const TWMMouse M(Message);
    TShiftState Shift = KeysToShiftState(M.Keys);
    if (Double)
        Shift << ssDouble;
    if (Button == mbLeft && FControlStyle.Contains(csClickEvents))
        FClicked = !Double;
    // A windowed control keeps the mouse while the button is held (a windowless one is
    // held by its parent).
    if (FControlStyle.Contains(csCaptureMouse))
        if (auto* W = dynamic_cast<TWinControl*>(this))
            if (W->HandleAllocated() && GetCapture() != W->Handle())
                SetCapture(W->Handle());
    MouseDown(Button, Shift, M.XPos, M.YPos);
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button)
{
    const TWMMouse M(Message);
    if (auto* W = dynamic_cast<TWinControl*>(this))
        if (W->HandleAllocated() && GetCapture() == W->Handle() &&
            !(M.Keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)))
            ReleaseCapture();
    if (Button == mbLeft && FClicked) {
        FClicked = false;
        const RECT R = ClientRect();
        const POINT P{M.XPos, M.YPos};
        if (PtInRect(&R, P))
            Click();
    }
    MouseUp(Button, KeysToShiftState(M.Keys), M.XPos, M.YPos);
}

void TControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    // The window class sees the mouse first (a system button presses itself).
    case WM_LBUTTONDOWN: DefaultHandler(Message); DoMouseDown(Message, mbLeft, false); break;
    case WM_RBUTTONDOWN: DefaultHandler(Message); DoMouseDown(Message, mbRight, false); break;
    case WM_MBUTTONDOWN: DefaultHandler(Message); DoMouseDown(Message, mbMiddle, false); break;
    case WM_LBUTTONDBLCLK:
        DefaultHandler(Message);
        if (FControlStyle.Contains(csDoubleClicks))
            DblClick();
        DoMouseDown(Message, mbLeft, true);
        break;
    case WM_RBUTTONDBLCLK: DefaultHandler(Message); DoMouseDown(Message, mbRight, true); break;
    case WM_MBUTTONDBLCLK: DefaultHandler(Message); DoMouseDown(Message, mbMiddle, true); break;
    case WM_LBUTTONUP: DefaultHandler(Message); DoMouseUp(Message, mbLeft); break;
    case WM_RBUTTONUP: DefaultHandler(Message); DoMouseUp(Message, mbRight); break;
    case WM_MBUTTONUP: DefaultHandler(Message); DoMouseUp(Message, mbMiddle); break;
    case WM_MOUSEMOVE: {
        DefaultHandler(Message);
        const TWMMouse M(Message);
        MouseMove(KeysToShiftState(M.Keys), M.XPos, M.YPos);
        break;
    }
    case CM_MOUSEENTER: OnMouseEnter(this); break;
    case CM_MOUSELEAVE: OnMouseLeave(this); break;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
        Invalidate();
        break;
    case CM_PARENTCOLORCHANGED:
        if (FParentColor && FParent)
            TakeParentColor();
        break;
    case CM_PARENTFONTCHANGED:
        if (FParentFont && FParent)
            TakeParentFont();
        break;
    default:
        DefaultHandler(Message);
    }
}

void TControl::DefaultHandler(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETTEXTLENGTH:
        Message.Result = LRESULT(FText.size());
        break;
    case WM_GETTEXT: {
        const size_t Room = size_t(Message.WParam);
        if (Room == 0)
            break;
        const size_t Count = std::min(FText.size(), Room - 1);
        char* Buffer = reinterpret_cast<char*>(Message.LParam);
        FText.copy(Buffer, Count);
        Buffer[Count] = '\0';
        Message.Result = LRESULT(Count);
        break;
    }
    case WM_SETTEXT:
        SetTextValue(reinterpret_cast<const char*>(Message.LParam));
        Message.Result = TRUE;
        break;
    }
}
