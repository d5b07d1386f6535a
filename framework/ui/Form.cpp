#include "framework/ui/Form.h"

#include <algorithm>

#include "framework/ui/Application.h"
#include "framework/ui/Screen.h"

TFormMenuHooks FormMenuHooks;

namespace {

// The Menu property: a reference to a TMainMenu, a class of the menu unit known here
// only by name.
TPropInfo MenuPropInfo()
{
    TPropInfo P;
    P.Name = "Menu";
    P.Kind = tkComponent;
    P.RefClass = &TComponent::StaticClassInfo;
    P.ReadComponent = [](const TObject* Obj) { return static_cast<const TCustomForm*>(Obj)->MenuComponent(); };
    P.WriteComponent = [](TObject* Obj, TComponent* Value) {
        const TClassInfo* MainMenu = FindClass("TMainMenu");
        if (Value && (!MainMenu || !Value->InheritsFrom(*MainMenu)))
            return false;
        static_cast<TCustomForm*>(Obj)->SetMenuComponent(Value);
        return true;
    };
    return P;
}

struct TDisabledWindows {
    HWND Keep;
    std::vector<HWND> List;
};

BOOL CALLBACK DisableWindow(HWND Wnd, LPARAM Data)
{
    auto* D = reinterpret_cast<TDisabledWindows*>(Data);
    if (Wnd != D->Keep && IsWindowVisible(Wnd) && IsWindowEnabled(Wnd)) {
        EnableWindow(Wnd, FALSE);
        D->List.push_back(Wnd);
    }
    return TRUE;
}

// The top-left corner of a window W by H at the centre of the screen.
POINT ScreenCentred(int W, int H)
{
    return POINT{(GetSystemMetrics(SM_CXSCREEN) - W) / 2, (GetSystemMetrics(SM_CYSCREEN) - H) / 2};
}

// Collects the focusable controls of a container in tab order, depth first.
void CollectTabList(TWinControl* Container, std::vector<TWinControl*>& List)
{
    std::vector<TWinControl*> Children;
    for (int I = 0; I < Container->ControlCount(); ++I)
        if (auto* W = dynamic_cast<TWinControl*>(Container->Controls(I)))
            Children.push_back(W);
    std::stable_sort(Children.begin(), Children.end(),
                     [](const TWinControl* A, const TWinControl* B) { return A->TabOrder() < B->TabOrder(); });
    for (TWinControl* W : Children) {
        if (!W->Visible() || !W->Enabled())
            continue;
        if (W->TabStop())
            List.push_back(W);
        CollectTabList(W, List);
    }
}

} // namespace

PANTREL_REGISTER(TCustomForm, TWinControl,
    PROP_ENUM(BorderStyle, BorderStyle, SetBorderStyle),
    PROP_SET(BorderIcons, BorderIcons, SetBorderIcons),
    PROP_ENUM(Position, Position, SetPosition),
    PROP_ENUM(WindowState, WindowState, SetWindowState),
    PROP_BOOL(AutoScroll, AutoScroll, SetAutoScroll),
    MenuPropInfo(),
    PROP_EVENT(OnCreate, OnCreate),
    PROP_EVENT(OnDestroy, OnDestroy),
    PROP_EVENT(OnShow, OnShow),
    PROP_EVENT(OnHide, OnHide),
    PROP_EVENT(OnActivate, OnActivate),
    PROP_EVENT(OnDeactivate, OnDeactivate),
    PROP_EVENT(OnClose, OnClose),
    PROP_EVENT(OnCloseQuery, OnCloseQuery))

PANTREL_REGISTER(TForm, TCustomForm)

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner)
{
    FVisible = false;
    FCustomPaint = true;
    FControlStyle << csAcceptsControls;
    FControlStyle.Exclude(csClickEvents);
    SetParentColor(false);
    SetParentFont(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    Screen->FormCreated(this);
}

TCustomForm::~TCustomForm()
{
    OnDestroy(this);
    Destroying();
    // The window goes while the form is still whole.
    DestroyHandle();
    Screen->FormDestroyed(this);
    Application->FormDestroyed(this);
}

void TCustomForm::CreateFromDesign()
{
    ReadComponentRes(ClassName(), this);
    DesignRead();
}

void TCustomForm::CreateFromDesignText(const std::string& Text, const std::string& DesignName)
{
    ReadComponentText(Text, this, DesignName);
    DesignRead();
}

void TCustomForm::DesignRead()
{
    BindMembers();
    DoCreate();
    if (FVisible)
        ShowWindowNow();
}

void TCustomForm::DoCreate()
{
    try {
        OnCreate(this);
    } catch (...) {
        Application->HandleException(this);
    }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value)
{
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value)
{
    if (Value == FBorderIcons)
        return;
    FBorderIcons = Value;
    RecreateWnd();
}

TWindowState TCustomForm::WindowState() const
{
    if (FHandle && FShown) {
        if (IsIconic(FHandle))
            return wsMinimized;
        if (IsZoomed(FHandle))
            return wsMaximized;
        return wsNormal;
    }
    return FWindowState;
}

void TCustomForm::SetWindowState(TWindowState Value)
{
    FWindowState = Value;
    if (FHandle && IsWindowVisible(FHandle)) {
        static const int Commands[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
        ShowWindow(FHandle, Commands[Value]);
    }
}

void TCustomForm::SetAutoScroll(bool Value)
{
    FAutoScroll = Value;
    UpdateScrollRange();
}

void TCustomForm::SetMenuComponent(TComponent* Value)
{
    if (Value == FMenu)
        return;
    if (FMenu)
        FMenu->RemoveFreeNotification(this);
    FMenu = Value;
    if (FMenu)
        FMenu->FreeNotification(this);
    if (FHandle) {
        if (!FMenu)
            ::SetMenu(FHandle, nullptr);
        SendMessageA(FHandle, CM_MENUCHANGED, 0, 0);
    }
}

void TCustomForm::SetActiveControl(TWinControl* Value)
{
    FActiveControl = Value;
    if (Value && FHandle && Active() && Value->CanFocus())
        Value->SetFocus();
}

bool TCustomForm::Active() const
{
    return FHandle && GetActiveWindow() == FHandle;
}

void TCustomForm::FocusChanged(TWinControl* Control)
{
    if (Control != this)
        FActiveControl = Control;
}

bool TCustomForm::IsShortCut(TMessage& Message)
{
    return FormMenuHooks.IsShortCut && FormMenuHooks.IsShortCut(this, Message);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FMenu)
        FMenu = nullptr;
    if (AComponent == FActiveControl)
        FActiveControl = nullptr;
}

void TCustomForm::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.Style &= ~DWORD(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS);
    Params.WndParent = Application->Handle();
    // Owned by the hidden window, the main form needs a taskbar button of its own.
    if (Application->MainForm() == this)
        Params.ExStyle |= WS_EX_APPWINDOW;
    switch (FBorderStyle) {
    case bsNone:
        Params.Style |= WS_POPUP;
        break;
    case bsSingle:
    case bsToolWindow:
        Params.Style |= WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        Params.Style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        Params.Style |= WS_POPUP | WS_CAPTION;
        Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    }
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin)
        Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (FBorderStyle != bsNone && FBorderIcons.Contains(biSystemMenu)) {
        Params.Style |= WS_SYSMENU;
        if (FBorderStyle != bsDialog && FBorderStyle != bsToolWindow && FBorderStyle != bsSizeToolWin) {
            if (FBorderIcons.Contains(biMinimize))
                Params.Style |= WS_MINIMIZEBOX;
            if (FBorderIcons.Contains(biMaximize))
                Params.Style |= WS_MAXIMIZEBOX;
        }
    }
    if (FPosition == poDefault || FPosition == poDefaultPosOnly) {
        Params.X = CW_USEDEFAULT;
        Params.Y = CW_USEDEFAULT;
    }
    // Made with its menu bar: set afterwards, the bar would change the frame of a made window.
    if (FMenu && FormMenuHooks.MenuHandle)
        Params.Menu = FormMenuHooks.MenuHandle(FMenu);
    // A client size asked for before the window exists sizes it from the start: a window
    // made at the old size and then resized costs a round of messages and a server trip.
    // The client area is checked once the window and its menu exist.
    if (FClientWidth >= 0 || FClientHeight >= 0) {
        RECT Frame{0, 0, 0, 0};
        AdjustWindowRectEx(&Frame, Params.Style, FMenu != nullptr, Params.ExStyle);
        if (FClientWidth >= 0)
            Params.Width = FClientWidth + int(Frame.right - Frame.left);
        if (FClientHeight >= 0)
            Params.Height = FClientHeight + int(Frame.bottom - Frame.top);
    }
    // Likewise a form to be centred is made where showing it would move it.
    if (!FShown && CentredOnScreen()) {
        const POINT At = ScreenCentred(Params.Width, Params.Height);
        Params.X = At.x;
        Params.Y = At.y;
    }
}

bool TCustomForm::CentredOnScreen() const
{
    return FPosition == poScreenCenter || FPosition == poDesktopCenter ||
           (FPosition == poMainFormCenter && !Application->MainForm());
}

void TCustomForm::CreateWnd()
{
    TWinControl::CreateWnd();
    ApplyPendingClientSize();
}

void TCustomForm::ApplyPendingClientSize()
{
    if (FClientWidth < 0 && FClientHeight < 0)
        return;
    RECT Client;
    GetClientRect(FHandle, &Client);
    const int W = FClientWidth < 0 ? Client.right : FClientWidth;
    const int H = FClientHeight < 0 ? Client.bottom : FClientHeight;
    FClientWidth = FClientHeight = -1;
    TWinControl::SetBounds(FLeft, FTop, FWidth - Client.right + W, FHeight - Client.bottom + H);
}

void TCustomForm::SetClientSize(int AWidth, int AHeight)
{
    if (FHandle) {
        TWinControl::SetClientSize(AWidth, AHeight);
        return;
    }
    // Without a window the frame is not known yet: the size is applied when it is made.
    FClientWidth = AWidth;
    FClientHeight = AHeight;
}

RECT TCustomForm::ClientRect() const
{
    if (FHandle)
        return TWinControl::ClientRect();
    if (FClientWidth >= 0 && FClientHeight >= 0)
        return RECT{0, 0, FClientWidth, FClientHeight};
    TCreateParams Params;
    const_cast<TCustomForm*>(this)->CreateParams(Params);
    RECT Frame{0, 0, 0, 0};
    AdjustWindowRectEx(&Frame, Params.Style, FMenu != nullptr, Params.ExStyle);
    const int W = std::max(0, int(FWidth - (Frame.right - Frame.left)));
    const int H = std::max(0, int(FHeight - (Frame.bottom - Frame.top)));
    return RECT{0, 0, FClientWidth >= 0 ? FClientWidth : W, FClientHeight >= 0 ? FClientHeight : H};
}

void TCustomForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (!FHandle && (AWidth != FWidth || AHeight != FHeight))
        FClientWidth = FClientHeight = -1;
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomForm::PaintWindow(HDC)
{
    // The background is erased; the windowless children paint themselves.
}

void TCustomForm::Show()
{
    // A form that comes up is shown in front and active; one already up is brought there.
    const bool Showing = FHandle && IsWindowVisible(FHandle);
    SetVisible(true);
    if (Showing) {
        SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetActiveWindow(FHandle);
    }
}

void TCustomForm::ShowWindowNow()
{
    HandleNeeded();
    if (!FShown) {
        FShown = true;
        if (CentredOnScreen()) {
            const POINT At = ScreenCentred(FWidth, FHeight);
            SetBounds(At.x, At.y, FWidth, FHeight);
        } else if (FPosition == poMainFormCenter || FPosition == poOwnerFormCenter) {
            TCustomForm* Center = FPosition == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner()) : nullptr;
            if (!Center)
                Center = Application->MainForm();
            if (Center && Center != this)
                SetBounds(Center->Left() + (Center->Width() - FWidth) / 2,
                          Center->Top() + (Center->Height() - FHeight) / 2, FWidth, FHeight);
        }
    }
    static const int Commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(FHandle, Commands[FWindowState]);
    UpdateScrollRange();
    OnShow(this);
}

int TCustomForm::ShowModal()
{
    if (FVisible || !FEnabled || FModal)
        throw EInvalidOperation("Cannot make a visible window modal");
    if (HWND Capture = GetCapture())
        SendMessageA(Capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    HandleNeeded();
    FModal = true;
    const HWND ActiveWindow = GetActiveWindow();
    TDisabledWindows Disabled{FHandle, {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&Disabled));
    TModalResult Result = mrNone;
    try {
        Show();
        FModalResult = mrNone;
        do {
            Application->HandleMessage();
            if (Application->Terminated())
                FModalResult = mrCancel;
            else if (FModalResult != mrNone)
                CloseModal();
        } while (FModalResult == mrNone);
        Result = FModalResult;
    } catch (...) {
        for (HWND Wnd : Disabled.List)
            EnableWindow(Wnd, TRUE);
        FModal = false;
        Hide();
        throw;
    }
    // Enable the others first, so activation returns to the window that had it.
    for (HWND Wnd : Disabled.List)
        EnableWindow(Wnd, TRUE);
    if (ActiveWindow && IsWindow(ActiveWindow))
        SetActiveWindow(ActiveWindow);
    FModal = false;
    Hide();
    return Result;
}

void TCustomForm::CloseModal()
{
    TCloseAction Action = caNone;
    if (CloseQuery()) {
        Action = caHide;
        DoClose(Action);
    }
    switch (Action) {
    case caNone: FModalResult = mrNone; break;
    case caFree: Release(); break;
    default: break;
    }
}

bool TCustomForm::CloseQuery()
{
    bool CanClose = true;
    OnCloseQuery(this, CanClose);
    return CanClose;
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    OnClose(this, Action);
}

void TCustomForm::Close()
{
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction Action = caHide;
    DoClose(Action);
    if (Action == caNone)
        return;
    if (Application->MainForm() == this)
        Application->Terminate();
    else if (Action == caHide)
        Hide();
    else if (Action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

void TCustomForm::Release()
{
    PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::SelectNext(TWinControl* Current, bool Forward)
{
    std::vector<TWinControl*> List;
    CollectTabList(this, List);
    if (List.empty())
        return;
    auto It = std::find(List.begin(), List.end(), Current);
    size_t Index;
    if (It == List.end())
        Index = Forward ? 0 : List.size() - 1;
    else if (Forward)
        Index = (size_t(It - List.begin()) + 1) % List.size();
    else
        Index = (size_t(It - List.begin()) + List.size() - 1) % List.size();
    List[Index]->SetFocus();
}

// Scroll bars appear when the controls reach past the client area.
void TCustomForm::UpdateScrollRange()
{
    if (!FHandle)
        return;
    int Right = 0, Bottom = 0;
    if (FAutoScroll)
        for (int I = 0; I < ControlCount(); ++I) {
            const TControl* C = Controls(I);
            if (C->Visible() && C->Align() == alNone) {
                Right = std::max(Right, int(C->Left() + C->Width() + FScrollPos.x));
                Bottom = std::max(Bottom, int(C->Top() + C->Height() + FScrollPos.y));
            }
        }
    for (int Bar : {SB_HORZ, SB_VERT}) {
        const int Range = Bar == SB_HORZ ? Right : Bottom;
        SCROLLINFO Info{sizeof Info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        const RECT R = ClientRect();
        Info.nPage = UINT(Bar == SB_HORZ ? R.right : R.bottom);
        Info.nMax = Range > int(Info.nPage) ? Range - 1 : 0;
        Info.nPos = Bar == SB_HORZ ? FScrollPos.x : FScrollPos.y;
        SetScrollInfo(FHandle, Bar, &Info, TRUE);
    }
}

void TCustomForm::Scroll(int Bar, WORD Code)
{
    SCROLLINFO Info{sizeof Info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(FHandle, Bar, &Info);
    int Pos = Info.nPos;
    switch (Code) {
    case SB_LINEUP: Pos -= 8; break;
    case SB_LINEDOWN: Pos += 8; break;
    case SB_PAGEUP: Pos -= int(Info.nPage); break;
    case SB_PAGEDOWN: Pos += int(Info.nPage); break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: Pos = Info.nTrackPos; break;
    default: return;
    }
    Pos = std::max(0, std::min(Pos, Info.nMax - int(Info.nPage) + 1));
    LONG& Current = Bar == SB_HORZ ? FScrollPos.x : FScrollPos.y;
    const int Delta = Current - Pos;
    if (Delta == 0)
        return;
    Current = Pos;
    for (int I = 0; I < ControlCount(); ++I) {
        TControl* C = Controls(I);
        if (C->Align() == alNone)
            C->SetBounds(C->Left() + (Bar == SB_HORZ ? Delta : 0), C->Top() + (Bar == SB_VERT ? Delta : 0),
                         C->Width(), C->Height());
    }
    Invalidate();
    UpdateScrollRange();
}

void TCustomForm::Dispatch(TMessage& Message)
{
    if (FormMenuHooks.DispatchMenuMessage) {
        const bool ForMenu =
            (Message.Msg == WM_COMMAND && Message.LParam == 0) || Message.Msg == WM_INITMENUPOPUP ||
            Message.Msg == WM_MENUSELECT || Message.Msg == WM_MENUCHAR ||
            (Message.Msg == WM_DRAWITEM && reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam)->CtlType == ODT_MENU) ||
            (Message.Msg == WM_MEASUREITEM && reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam)->CtlType == ODT_MENU);
        if (ForMenu && FormMenuHooks.DispatchMenuMessage(this, Message))
            return;
    }
    switch (Message.Msg) {
    case WM_CLOSE:
        Close();
        break;
    case CM_RELEASE:
        delete this;
        break;
    case CM_VISIBLECHANGED:
        // A design that shows the form is shown once it is read.
        if (ComponentState().Contains(csLoading))
            break;
        if (FVisible) {
            ShowWindowNow();
        } else if (FHandle) {
            ShowWindow(FHandle, SW_HIDE);
            OnHide(this);
        }
        break;
    case CM_MENUCHANGED:
        if (FHandle && FMenu && FormMenuHooks.MenuHandle) {
            ::SetMenu(FHandle, FormMenuHooks.MenuHandle(FMenu));
            DrawMenuBar(FHandle);
        }
        break;
    case WM_ACTIVATE:
        TWinControl::Dispatch(Message);
        if (LOWORD(Message.WParam) != WA_INACTIVE) {
            Screen->FormActivated(this);
            if (FActiveControl && FActiveControl != this && FActiveControl->CanFocus())
                ::SetFocus(FActiveControl->Handle());
            OnActivate(this);
        } else {
            OnDeactivate(this);
        }
        break;
    case CM_DIALOGKEY:
        if (Message.WParam == VK_TAB && !KeyboardShiftState().Contains(ssCtrl)) {
            SelectNext(FActiveControl, !KeyboardShiftState().Contains(ssShift));
            Message.Result = 1;
        } else {
            TWinControl::Dispatch(Message);
        }
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (Message.LParam == 0)
            Scroll(Message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(Message.WParam));
        else
            TWinControl::Dispatch(Message);
        break;
    case WM_SIZE:
        TWinControl::Dispatch(Message);
        UpdateScrollRange();
        break;
    default:
        TWinControl::Dispatch(Message);
    }
}
