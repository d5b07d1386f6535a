#include "framework/ui/WinControl.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/graphics/Colors.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/GdiHolders.h"
#include "framework/ui/Form.h"

namespace {

const char* const ControlProp = "PantrelControl";
// The control whose window CreateWindowExA is making; its first message binds the two.
thread_local TWinControl* CreationControl = nullptr;
// A windowless control that holds the mouse while a button is down.
TControl* CaptureControl = nullptr;
int NextControlId = 100;

bool IsWindowed(const TControl* C)
{
    return dynamic_cast<const TWinControl*>(C) != nullptr;
}

} // namespace

HINSTANCE HInstance()
{
    return GetModuleHandleA(nullptr);
}

TCustomForm* GetParentForm(TControl* Control)
{
    while (Control && Control->Parent())
        Control = Control->Parent();
    return dynamic_cast<TCustomForm*>(Control);
}

LRESULT CALLBACK InitWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TWinControl* Control = CreationControl;
    CreationControl = nullptr;
    if (!Control) {
        // A window of a framework class made by someone else: it stays a plain window.
        SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
        return DefWindowProcA(Wnd, Msg, WParam, LParam);
    }
    Control->FHandle = Wnd;
    SetPropA(Wnd, ControlProp, Control);
    const WNDPROC Proc = Control->FObjectInstance->Proc();
    SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
    return CallWindowProcA(Proc, Wnd, Msg, WParam, LParam);
}

PANTREL_REGISTER(TWinControl, TControl,
    PROP_BOOL(DoubleBuffered, DoubleBuffered, SetDoubleBuffered),
    PROP_BOOL(TabStop, TabStop, SetTabStop),
    PROP_INT(TabOrder, TabOrder, SetTabOrder),
    PROP_EVENT(OnEnter, OnEnter),
    PROP_EVENT(OnExit, OnExit))

TWinControl::TWinControl(TComponent* AOwner)
    : TControl(AOwner), FObjectInstance(std::make_unique<TThunk>(TWndMethod(this, &TWinControl::MainWndProc)))
{
}

TWinControl::~TWinControl()
{
    Destroying();
    DestroyHandle();
    // Children go with their parent, as their windows did.
    while (!FControls.empty())
        delete FControls.back();
    if (CaptureControl && CaptureControl->Parent() == this)
        CaptureControl = nullptr;
    if (FBrush)
        DeleteObject(FBrush);
}

TWinControl* TWinControl::FindControl(HWND Wnd)
{
    if (!Wnd)
        return nullptr;
    return static_cast<TWinControl*>(GetPropA(Wnd, ControlProp));
}

HWND TWinControl::Handle()
{
    HandleNeeded();
    return FHandle;
}

void TWinControl::HandleNeeded()
{
    if (FHandle)
        return;
    if (FParent)
        FParent->HandleNeeded();
    CreateWnd();
    CreateHandleDone();
    for (TControl* C : FControls)
        if (auto* W = dynamic_cast<TWinControl*>(C))
            W->HandleNeeded();
    Realign();
}

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params.Caption = FText;
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (FControlStyle.Contains(csAcceptsControls))
        Params.Style |= WS_CLIPCHILDREN;
    if (FVisible)
        Params.Style |= WS_VISIBLE;
    if (!FEnabled)
        Params.Style |= WS_DISABLED;
    if (FTabStop)
        Params.Style |= WS_TABSTOP;
    Params.X = FLeft;
    Params.Y = FTop;
    Params.Width = FWidth;
    Params.Height = FHeight;
    Params.WndParent = FParent ? FParent->Handle() : nullptr;
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    Params.WindowClass.lpfnWndProc = DefWindowProcA;
    // The shared arrow is asked for once: under Wine every LoadCursor costs server round trips.
    static const HCURSOR Arrow = LoadCursorA(nullptr, IDC_ARROW);
    Params.WindowClass.hCursor = Arrow;
    Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const char* SystemClassName)
{
    WNDCLASSA Class;
    if (!GetClassInfoA(nullptr, SystemClassName, &Class)) {
        INITCOMMONCONTROLSEX Init{sizeof Init, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&Init);
        if (!GetClassInfoA(nullptr, SystemClassName, &Class))
            throw EOutOfResources(std::string("Window class not found: ") + SystemClassName);
    }
    Params.WindowClass = Class;
    Params.WindowClass.style &= ~UINT(CS_GLOBALCLASS);
}

void TWinControl::CreateWnd()
{
    TCreateParams Params;
    CreateParams(Params);
    if ((Params.Style & WS_CHILD) && !Params.WndParent)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    FDefWndProc = Params.WindowClass.lpfnWndProc;

    const HINSTANCE Instance = HInstance();
    WNDCLASSA Existing;
    const bool Registered = GetClassInfoA(Instance, Params.WinClassName.c_str(), &Existing);
    if (!Registered || Existing.lpfnWndProc != InitWndProc) {
        if (Registered)
            UnregisterClassA(Params.WinClassName.c_str(), Instance);
        WNDCLASSA Class = Params.WindowClass;
        Class.lpfnWndProc = InitWndProc;
        Class.hInstance = Instance;
        Class.lpszClassName = Params.WinClassName.c_str();
        if (!RegisterClassA(&Class))
            throw EOutOfResources("Cannot register window class " + Params.WinClassName);
    }

    const HMENU Id = (Params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(INT_PTR(NextControlId++)) : Params.Menu;
    CreationControl = this;
    const HWND Wnd = CreateWindowExA(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(),
                                     Params.Style, Params.X, Params.Y, Params.Width, Params.Height,
                                     Params.WndParent, Id, Instance, nullptr);
    CreationControl = nullptr;
    if (!Wnd)
        throw EOutOfResources("Error creating window " + Params.WinClassName);
    FHandle = Wnd;
    SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
    UpdateBounds();
}

void TWinControl::DestroyHandle()
{
    if (!FHandle)
        return;
    for (TControl* C : FControls)
        if (auto* W = dynamic_cast<TWinControl*>(C))
            W->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd()
{
    FText = GetText();
    DestroyWindow(FHandle);
    FHandle = nullptr;
}

void TWinControl::RecreateWnd()
{
    if (!FHandle)
        return;
    DestroyHandle();
    HandleNeeded();
}

void TWinControl::InsertControl(TControl* AControl)
{
    FControls.push_back(AControl);
    if (FHandle)
        if (auto* W = dynamic_cast<TWinControl*>(AControl))
            W->HandleNeeded();
    AControl->Invalidate();
    Realign();
}

void TWinControl::RemoveControl(TControl* AControl)
{
    if (auto* W = dynamic_cast<TWinControl*>(AControl))
        W->DestroyHandle();
    else
        AControl->Invalidate();
    if (CaptureControl == AControl) {
        CaptureControl = nullptr;
        ReleaseCapture();
    }
    FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
    Realign();
}

void TWinControl::MoveToFront(TControl* AControl)
{
    auto It = std::find(FControls.begin(), FControls.end(), AControl);
    if (It == FControls.end())
        return;
    FControls.erase(It);
    FControls.push_back(AControl);
    if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
        if (W->FHandle)
            SetWindowPos(W->FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        AControl->Invalidate();
    }
}

TControl* TWinControl::ControlAtPos(POINT P, bool AllowDisabled) const
{
    for (auto It = FControls.rbegin(); It != FControls.rend(); ++It) {
        TControl* C = *It;
        if (IsWindowed(C) || !C->Visible() || (!C->Enabled() && !AllowDisabled))
            continue;
        const RECT R = C->BoundsRect();
        if (PtInRect(&R, P))
            return C;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& Message)
{
    for (size_t I = 0; I < FControls.size(); ++I) {
        FControls[I]->WindowProc(Message);
        if (Message.Result != 0)
            return;
    }
}

void TWinControl::NotifyControls(UINT Msg)
{
    for (size_t I = 0; I < FControls.size(); ++I)
        FControls[I]->Perform(Msg, 0, 0);
}

void TWinControl::Realign()
{
    if (FRealigning || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying))
        return;
    FRealigning = true;
    RECT R = ClientRect();
    for (TAlign A : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> List;
        for (TControl* C : FControls)
            if (C->Align() == A && C->Visible())
                List.push_back(C);
        // Among controls of one alignment the one nearest the edge it sticks to comes first.
        std::stable_sort(List.begin(), List.end(), [A](const TControl* X, const TControl* Y) {
            switch (A) {
            case alTop: return X->Top() < Y->Top();
            case alBottom: return X->Top() + X->Height() > Y->Top() + Y->Height();
            case alLeft: return X->Left() < Y->Left();
            case alRight: return X->Left() + X->Width() > Y->Left() + Y->Width();
            default: return false;
            }
        });
        for (TControl* C : List) {
            const int W = std::max(0, int(R.right - R.left));
            const int H = std::max(0, int(R.bottom - R.top));
            switch (A) {
            case alTop:
                C->SetBounds(R.left, R.top, W, C->Height());
                R.top += C->Height();
                break;
            case alBottom:
                C->SetBounds(R.left, R.bottom - C->Height(), W, C->Height());
                R.bottom -= C->Height();
                break;
            case alLeft:
                C->SetBounds(R.left, R.top, C->Width(), H);
                R.left += C->Width();
                break;
            case alRight:
                C->SetBounds(R.right - C->Width(), R.top, C->Width(), H);
                R.right -= C->Width();
                break;
            default:
                C->SetBounds(R.left, R.top, W, H);
            }
        }
    }
    FRealigning = false;
}

void TWinControl::Loaded()
{
    inherited::Loaded();
    Realign();
}

void TWinControl::SetTabStop(bool Value)
{
    FTabStop = Value;
    if (FHandle) {
        const LONG_PTR Style = GetWindowLongPtrA(FHandle, GWL_STYLE);
        SetWindowLongPtrA(FHandle, GWL_STYLE, Value ? (Style | WS_TABSTOP) : (Style & ~LONG_PTR(WS_TABSTOP)));
    }
}

bool TWinControl::Focused() const
{
    return FHandle && GetFocus() == FHandle;
}

bool TWinControl::CanFocus() const
{
    for (const TControl* C = this; C; C = C->Parent())
        if (!C->Visible() || !C->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus()
{
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    ::SetFocus(Handle());
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (!FHandle) {
        TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
        return;
    }
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateBounds();
}

void TWinControl::UpdateBounds()
{
    RECT R;
    GetWindowRect(FHandle, &R);
    if (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(nullptr, GetParent(FHandle), reinterpret_cast<POINT*>(&R), 2);
    const int W = R.right - R.left;
    const int H = R.bottom - R.top;
    if (R.left == FLeft && R.top == FTop && W == FWidth && H == FHeight)
        return;
    const bool Resized = W != FWidth || H != FHeight;
    FLeft = R.left;
    FTop = R.top;
    FWidth = W;
    FHeight = H;
    BoundsChanged();
    if (Resized)
        Realign();
}

RECT TWinControl::ClientRect() const
{
    if (!FHandle)
        return TControl::ClientRect();
    RECT R;
    GetClientRect(FHandle, &R);
    return R;
}

POINT TWinControl::ClientOrigin() const
{
    if (!FHandle)
        return TControl::ClientOrigin();
    POINT P{0, 0};
    ::ClientToScreen(FHandle, &P);
    return P;
}

bool TWinControl::Showing() const
{
    return FHandle && IsWindowVisible(FHandle);
}

void TWinControl::Invalidate()
{
    if (FHandle)
        InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Repaint()
{
    if (FHandle) {
        Invalidate();
        UpdateWindow(FHandle);
    }
}

std::string TWinControl::GetText() const
{
    if (!FHandle)
        return FText;
    std::string S(size_t(GetWindowTextLengthA(FHandle)) + 1, '\0');
    S.resize(size_t(GetWindowTextA(FHandle, S.data(), int(S.size()))));
    return S;
}

void TWinControl::SetTextValue(const std::string& Value)
{
    if (!FHandle) {
        TControl::SetTextValue(Value);
        return;
    }
    if (Value == GetText())
        return;
    FText = Value;
    SetWindowTextA(FHandle, Value.c_str());
    Perform(CM_TEXTCHANGED, 0, 0);
}

HBRUSH TWinControl::Brush()
{
    if (!FBrush || FBrushColor != Color()) {
        if (FBrush)
            DeleteObject(FBrush);
        FBrushColor = Color();
        FBrush = CreateSolidBrush(ColorToRGB(FBrushColor));
    }
    return FBrush;
}

void TWinControl::MainWndProc(TMessage& Message)
{
    WindowProc(Message);
    // The window is gone even when a replaced WindowProc kept the message to itself.
    if (Message.Msg == WM_NCDESTROY && FHandle) {
        RemovePropA(FHandle, ControlProp);
        FHandle = nullptr;
        FTrackingMouse = false;
    }
}

void TWinControl::TrackMouseLeave()
{
    if (FTrackingMouse)
        return;
    TRACKMOUSEEVENT Track{sizeof Track, TME_LEAVE, FHandle, 0};
    FTrackingMouse = TrackMouseEvent(&Track) != FALSE;
    // A mouse that left before the tracking began is never reported (Wine): report it now.
    POINT Cursor{};
    if (FTrackingMouse && GetCursorPos(&Cursor) && WindowFromPoint(Cursor) != FHandle)
        PostMessageA(FHandle, WM_MOUSELEAVE, 0, 0);
}

// Mouse messages over a windowless child go to that child, in its own coordinates; the
// child under the mouse (or this control) gets the hover.
bool TWinControl::IsControlMouseMsg(TMessage& Message)
{
    const TWMMouse M(Message);
    const POINT P{M.XPos, M.YPos};
    TControl* Target = (CaptureControl && CaptureControl->Parent() == this) ? CaptureControl : ControlAtPos(P, false);
    if (Message.Msg == WM_MOUSEMOVE) {
        TrackMouseLeave();
        SetMouseControl(Target ? Target : this);
    }
    if (!Target)
        return false;
    switch (Message.Msg) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
        if (Target->ControlStyle().Contains(csCaptureMouse)) {
            CaptureControl = Target;
            SetCapture(FHandle);
        }
        break;
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
        if (CaptureControl == Target && !(M.Keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
            CaptureControl = nullptr;
            ReleaseCapture();
        }
        break;
    }
    Message.Result = Target->Perform(Message.Msg, Message.WParam, PointToLParam(P.x - Target->Left(), P.y - Target->Top()));
    return true;
}

void TWinControl::WndProc(TMessage& Message)
{
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MBUTTONDBLCLK && Message.Msg != WM_MOUSEWHEEL) {
        if (IsControlMouseMsg(Message))
            return;
    } else if (Message.Msg == WM_MOUSELEAVE) {
        FTrackingMouse = false;
        TControl* Hover = MouseControl();
        if (Hover == this || (Hover && Hover->Parent() == this && !IsWindowed(Hover)))
            SetMouseControl(nullptr);
    } else if (Message.Msg == WM_CAPTURECHANGED && CaptureControl && CaptureControl->Parent() == this) {
        CaptureControl = nullptr;
    }
    TControl::WndProc(Message);
}

bool TWinControl::ReflectToControl(HWND Child, TMessage& Message)
{
    TWinControl* Control = FindControl(Child);
    if (!Control || Control == this)
        return false;
    Message.Result = Control->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return true;
}

bool TWinControl::ReflectNotification(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NOTIFY:
        return ReflectToControl(reinterpret_cast<NMHDR*>(Message.LParam)->hwndFrom, Message);
    case WM_DRAWITEM: {
        const auto* Item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
        return Item->CtlType != ODT_MENU && ReflectToControl(Item->hwndItem, Message);
    }
    case WM_MEASUREITEM: {
        const auto* Item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
        if (Item->CtlType == ODT_MENU)
            return false;
        for (TControl* C : FControls)
            if (auto* W = dynamic_cast<TWinControl*>(C))
                if (W->FHandle && UINT(GetDlgCtrlID(W->FHandle)) == Item->CtlID)
                    return ReflectToControl(W->FHandle, Message);
        return false;
    }
    case WM_COMPAREITEM:
        return ReflectToControl(reinterpret_cast<COMPAREITEMSTRUCT*>(Message.LParam)->hwndItem, Message);
    case WM_DELETEITEM:
        return ReflectToControl(reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam)->hwndItem, Message);
    default:
        // WM_COMMAND, WM_HSCROLL, WM_VSCROLL, WM_CTLCOLOR..., WM_CHARTOITEM, WM_VKEYTOITEM:
        // the child's window in LParam.
        return ReflectToControl(reinterpret_cast<HWND>(Message.LParam), Message);
    }
}

void TWinControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_COMMAND: case WM_NOTIFY: case WM_HSCROLL: case WM_VSCROLL:
    case WM_DRAWITEM: case WM_MEASUREITEM: case WM_COMPAREITEM: case WM_DELETEITEM:
    case WM_CHARTOITEM: case WM_VKEYTOITEM:
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
        if (!ReflectNotification(Message))
            TControl::Dispatch(Message);
        break;
    case CN_CTLCOLORMSGBOX: case CN_CTLCOLOREDIT: case CN_CTLCOLORLISTBOX: case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG: case CN_CTLCOLORSCROLLBAR: case CN_CTLCOLORSTATIC:
        CNCtlColor(Message);
        break;
    case WM_PAINT:
        WMPaint(Message);
        break;
    case WM_ERASEBKGND:
        // A double-buffered paint erases its memory bitmap itself (WParam = LParam).
        if (!FDoubleBuffered || Message.WParam == WPARAM(Message.LParam)) {
            const RECT R = ClientRect();
            FillRect(reinterpret_cast<HDC>(Message.WParam), &R, Brush());
        }
        Message.Result = 1;
        break;
    case WM_SETCURSOR:
        WMSetCursor(Message);
        break;
    case WM_SYSCOMMAND:
        WMSysCommand(Message);
        break;
    case WM_SETFOCUS:
        DefaultHandler(Message);
        if (TCustomForm* Form = GetParentForm(this))
            Form->FocusChanged(this);
        Perform(CM_ENTER, 0, 0);
        break;
    case WM_KILLFOCUS:
        DefaultHandler(Message);
        Perform(CM_EXIT, 0, 0);
        break;
    case CM_ENTER:
        OnEnter(this);
        break;
    case CM_EXIT:
        OnExit(this);
        break;
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(Message);
        if (FHandle)
            UpdateBounds();
        break;
    case WM_SIZE:
        // The client area can change without the window's size (a frame or menu bar change).
        DefaultHandler(Message);
        if (FHandle && Message.WParam != SIZE_MINIMIZED)
            Realign();
        break;
    case WM_NCDESTROY:
        DefaultHandler(Message);
        RemovePropA(FHandle, ControlProp);
        FHandle = nullptr;
        FTrackingMouse = false;
        break;
    case CM_ENABLEDCHANGED:
        if (FHandle)
            EnableWindow(FHandle, Enabled());
        break;
    case CM_VISIBLECHANGED:
        if (FHandle)
            ShowWindow(FHandle, Message.WParam ? SW_SHOWNA : SW_HIDE);
        break;
    case CM_COLORCHANGED:
        Invalidate();
        NotifyControls(CM_PARENTCOLORCHANGED);
        break;
    case CM_FONTCHANGED:
        if (FHandle)
            SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
        NotifyControls(CM_PARENTFONTCHANGED);
        break;
    case CM_TEXTCHANGED:
        break;
    case CM_DIALOGCHAR:
    case CM_DIALOGKEY:
        Broadcast(Message);
        break;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
        CNKeyDown(Message);
        break;
    default:
        TControl::Dispatch(Message);
    }
}

void TWinControl::DefaultHandler(TMessage& Message)
{
    if (!FHandle) {
        TControl::DefaultHandler(Message);
        return;
    }
    Message.Result = CallWindowProcA(FDefWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TWinControl::CNCtlColor(TMessage& Message)
{
    const HDC DC = reinterpret_cast<HDC>(Message.WParam);
    SetTextColor(DC, ColorToRGB(Font()->Color()));
    SetBkColor(DC, ColorToRGB(Color()));
    Message.Result = reinterpret_cast<LRESULT>(Brush());
}

void TWinControl::PaintWindow(HDC DC)
{
    TMessage Message;
    Message.Msg = WM_PAINT;
    Message.WParam = reinterpret_cast<WPARAM>(DC);
    DefaultHandler(Message);
}

void TWinControl::PaintControls(HDC DC)
{
    for (TControl* C : FControls) {
        if (IsWindowed(C) || !C->Visible())
            continue;
        const RECT R = C->BoundsRect();
        if (!RectVisible(DC, &R))
            continue;
        const int Saved = SaveDC(DC);
        POINT Origin;
        GetViewportOrgEx(DC, &Origin);
        SetViewportOrgEx(DC, Origin.x + R.left, Origin.y + R.top, nullptr);
        IntersectClipRect(DC, 0, 0, R.right - R.left, R.bottom - R.top);
        C->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
        RestoreDC(DC, Saved);
    }
}

void TWinControl::PaintHandler(TMessage& Message)
{
    PAINTSTRUCT PS;
    HDC DC = reinterpret_cast<HDC>(Message.WParam);
    if (!DC)
        DC = BeginPaint(FHandle, &PS);
    const int Saved = SaveDC(DC);
    // Opaque windowless children cover their part of the window.
    int Clip = SIMPLEREGION;
    for (TControl* C : FControls)
        if (!IsWindowed(C) && C->Visible() && C->ControlStyle().Contains(csOpaque)) {
            const RECT R = C->BoundsRect();
            Clip = ExcludeClipRect(DC, R.left, R.top, R.right, R.bottom);
            if (Clip == NULLREGION)
                break;
        }
    if (Clip != NULLREGION)
        PaintWindow(DC);
    RestoreDC(DC, Saved);
    PaintControls(DC);
    if (!Message.WParam)
        EndPaint(FHandle, &PS);
}

void TWinControl::WMPaint(TMessage& Message)
{
    if (!FDoubleBuffered || Message.WParam) {
        const bool HasGraphicChildren = std::any_of(FControls.begin(), FControls.end(),
                                                    [](const TControl* C) { return !IsWindowed(C); });
        if (!FCustomPaint && !HasGraphicChildren)
            DefaultHandler(Message);
        else
            PaintHandler(Message);
        return;
    }
    // Double-buffered: the whole client area is drawn into a memory bitmap first.
    PAINTSTRUCT PS;
    const HDC DC = BeginPaint(FHandle, &PS);
    const RECT R = ClientRect();
    const TMemoryBitmap Buffer(std::max(1, int(R.right)), std::max(1, int(R.bottom)));
    const HDC MemDC = Buffer.DC();
    // Without a buffer (no memory for it) the window is painted directly.
    TMessage Paint = Message;
    Paint.WParam = reinterpret_cast<WPARAM>(MemDC ? MemDC : DC);
    if (MemDC)
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(MemDC), reinterpret_cast<LPARAM>(MemDC));
    WMPaint(Paint);
    if (MemDC)
        BitBlt(DC, 0, 0, R.right, R.bottom, MemDC, 0, 0, SRCCOPY);
    EndPaint(FHandle, &PS);
}

void TWinControl::WMSetCursor(TMessage& Message)
{
    if (LOWORD(Message.LParam) == HTCLIENT && reinterpret_cast<HWND>(Message.WParam) == FHandle) {
        POINT P;
        GetCursorPos(&P);
        ::ScreenToClient(FHandle, &P);
        const TControl* Control = ControlAtPos(P, false);
        const HCURSOR Cursor = CursorHandle(Control ? Control->Cursor() : this->Cursor());
        if (Cursor) {
            ::SetCursor(Cursor);
            Message.Result = TRUE;
            return;
        }
    }
    DefaultHandler(Message);
}

// Alt+letter: the form hears of it (CM_DIALOGCHAR) before the system's menu handling.
void TWinControl::WMSysCommand(TMessage& Message)
{
    if ((Message.WParam & 0xFFF0) == SC_KEYMENU && Message.LParam != VK_SPACE && Message.LParam != '-' &&
        !GetCapture()) {
        if (TCustomForm* Form = GetParentForm(this))
            if (Form->Perform(CM_DIALOGCHAR, WPARAM(Message.LParam), 0) != 0)
                return;
    }
    DefaultHandler(Message);
}

// Keys a control does not want for itself (Tab, Enter, Escape, arrows) go to its form.
void TWinControl::CNKeyDown(TMessage& Message)
{
    Message.Result = 1;
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form->IsShortCut(Message))
        return;
    UINT Mask = 0;
    switch (Message.WParam) {
    case VK_TAB: Mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: Mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: Mask = DLGC_WANTALLKEYS; break;
    }
    if (Mask && Message.Msg == CN_KEYDOWN && !(Perform(WM_GETDLGCODE, 0, 0) & Mask) && Form &&
        Form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0)
        return;
    // F10 (the key that enters the menu bar) is offered to the form as well.
    if (Message.Msg == CN_SYSKEYDOWN && Message.WParam == VK_F10 && !KeyboardShiftState().Contains(ssShift) && Form &&
        Form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0)
        return;
    Message.Result = 0;
}
