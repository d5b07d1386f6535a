#include "skin/form/SkinForm.h"

#include <windowsx.h>

#include <algorithm>
#include <cstddef>

#include "framework/graphics/Colors.h"
#include "framework/ui/Menus.h"
#include "framework/ui/StartupTrace.h"
#include "framework/ui/Timer.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinData.h"
#include "skin/form/NCObjects.h"
#include "skin/form/SkinMenuBar.h"
#include "skin/manage/SkinManage.h"

PANTREL_REGISTER(TWinSkinForm, TComponent, PROP_INT(DisableTag, DisableTag, SetDisableTag))

namespace {

// The caption boxes a skinned window hides from the system.
constexpr LONG_PTR SystemBoxes = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
// Window commands that arrive as WM_COMMAND when the system menu is tracked by the object.
constexpr WORD WindowCommands[] = {SC_SIZE, SC_MOVE, SC_MINIMIZE, SC_MAXIMIZE, SC_NEXTWINDOW,
                                   SC_PREVWINDOW, SC_CLOSE, SC_RESTORE};
// A frame thicker than this comes from a broken skin; the window must stay usable.
constexpr int MaxBorder = 200;
// Items of the replacement system menu, by tag.
enum : int { tgRestore = 0, tgMaximize = 1, tgMinimize = 2, tgClose = 3, tgSeparator = 100 };

int Width(const RECT& R) { return R.right - R.left; }
int Height(const RECT& R) { return R.bottom - R.top; }

// A shown top-level window that changes its frame several times in a row paints none of the
// steps; the caller invalidates it once at the end. Child windows are left alone: a plain
// child never handles the start message that paints it whole again.
class TRedrawOff {
public:
    explicit TRedrawOff(HWND Wnd, bool On = true)
        : FWnd(On && IsWindowVisible(Wnd) && !(GetWindowLongPtrA(Wnd, GWL_STYLE) & WS_CHILD) ? Wnd : nullptr)
    {
        if (FWnd)
            SendMessageA(FWnd, WM_SETREDRAW, FALSE, 0);
    }
    ~TRedrawOff()
    {
        if (FWnd)
            SendMessageA(FWnd, WM_SETREDRAW, TRUE, 0);
    }
    TRedrawOff(const TRedrawOff&) = delete;
    TRedrawOff& operator=(const TRedrawOff&) = delete;

private:
    HWND FWnd;
};

void InvalidateWhole(HWND Wnd)
{
    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// A skin whose four frame pieces have no image would leave a window without any frame or
// title bar: such a skin leaves frames to the system.
bool SkinHasFrame(const TSkinData& Skin)
{
    for (const auto* Piece : {Skin.BorderLeft.get(), Skin.BorderRight.get(), Skin.BorderTop.get(),
                              Skin.BorderBottom.get()})
        if (!Piece->Bitmap->Empty())
            return true;
    return false;
}

}  // namespace

TWinSkinForm::TWinSkinForm(TComponent* AOwner) : TComponent(AOwner), FDblClickTime(GetDoubleClickTime()) {}

TWinSkinForm::~TWinSkinForm()
{
    FreeControls();
    FreeSysButtons();
    FMenuBar.reset();
    // Normally undone already; a window must never keep a procedure that points here.
    Unsubclass();
    UnhookClient();
    if (SkinManager)
        SkinManager->ForgetWindow(FHandle);
}

void TWinSkinForm::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove)
        ForgetControl(AComponent);
}

// --- Attaching -----------------------------------------------------------------------------

void TWinSkinForm::TakeSkin(TSkinData* SkinData)
{
    FSkinData = SkinData;
    // Decided once: undoing the skin must take the same road as doing it.
    FFrameSkinned = SkinData->SkinControls().Contains(xcMainMenu) && SkinHasFrame(*SkinData);
}

void TWinSkinForm::AttachForm(TSkinData* SkinData, TCustomForm* Form)
{
    FForm = Form;
    TakeSkin(SkinData);
    Form->SetAutoScroll(false);
    if (FrameSkinned()) {
        FOldWindowProc = Form->WindowProc;
        Form->WindowProc = TWndMethod(this, &TWinSkinForm::FormWindowProc);
    }
    AttachWindow(SkinData);
    FOldColor = Form->Color();
    Form->SetColor(SkinData->ButtonFaceColor);
    if (FrameSkinned())
        HookPopupMenus(true);
}

void TWinSkinForm::AttachWindow(TSkinData* SkinData)
{
    if (FObjectInstance)
        return;
    TakeSkin(SkinData);
    FHoverTimer = new TTimer(this);
    FHoverTimer->SetEnabled(false);
    FHoverTimer->SetInterval(250);
    FHoverTimer->OnTimer = TNotifyEvent(this, &TWinSkinForm::HoverPoll);

    // The size of the structure without the padded-border field, which every system knows.
    NONCLIENTMETRICSA Metrics{};
    Metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, Metrics.cbSize, &Metrics, 0))
        FCaptionFont.SetLogFont(Metrics.lfCaptionFont);

    FStyle = DWORD(GetWindowLongPtrA(FHandle, GWL_STYLE));
    const DWORD ExStyle = DWORD(GetWindowLongPtrA(FHandle, GWL_EXSTYLE));
    FRightToLeft = (ExStyle & WS_EX_LEFTSCROLLBAR) != 0;
    FSysMenu = GetSystemMenu(FHandle, FALSE);
    LoadWindowIcon(FIconBitmap);
    FCaption = WindowTextOf(FHandle);
    GetClientRect(FHandle, &FClientRect);
    RECT Window{};
    GetWindowRect(FHandle, &Window);
    FSystemFrame = RECT{0, 0, Width(Window) - FClientRect.right, Height(Window) - FClientRect.bottom};

    FBoxes = 0;
    if ((FStyle & WS_SYSMENU) || FSysMenu)
        FBoxes |= bxSystemMenu;
    if (FStyle & WS_MINIMIZEBOX)
        FBoxes |= bxMinimize;
    if (FStyle & WS_MAXIMIZEBOX)
        FBoxes |= bxMaximize;

    BuildSysPopup();
    UpdateWindowState();
    FindMDIClient();
    if (ExStyle & WS_EX_MDICHILD)
        FMDIKind = mkChild;

    FFrameKind = fkPlain;
    if ((FStyle & WS_POPUP) && (FStyle & WS_CAPTION) != WS_CAPTION)
        FFrameKind = fkNoCaption;
    else if ((ExStyle & WS_EX_WINDOWEDGE) || (FStyle & WS_THICKFRAME))
        FFrameKind = fkSizeable;

    if (FMDIKind == mkFrame) {
        FSavedMenuUpdate = SkinData->MenuUpdate();
        FClientInstance = std::make_unique<TThunk>(TWndMethod(this, &TWinSkinForm::ClientWndProc));
        FOldClientWndProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(FMDIClient, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FClientInstance->Proc())));
    }

    {
        // Taking the bar from the system changes the frame, and the kinds recolour and frame
        // their controls anew: none of it is painted before WM_SKINSTART has fitted the frame.
        const TRedrawOff Quiet(FHandle, FrameSkinned());
        TakeFrameAndControls(SkinData);
    }
    StartupTrace::Mark("skin: controls walked");
    // The children are painted once the frame is fitted (WM_SKINSTART).
    RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_NOCHILDREN);
    // Children made before their frame was skinned are not activated again (the system
    // does not activate MDI children through the hook either): they are skinned now.
    if (FMDIKind == mkFrame && SkinManager)
        for (HWND Child = GetTopWindow(FMDIClient); Child; Child = GetWindow(Child, GW_HWNDNEXT))
            SkinManager->SkinWindow(Child);
}

void TWinSkinForm::TakeFrameAndControls(TSkinData* SkinData)
{
    if (FrameSkinned()) {
        FMenuHandle = GetMenu(FHandle);
        if (FMenuHandle && FMDIKind != mkChild) {
            FMenuBar = std::make_unique<TWinSkinMenu>(this, SkinData, FForm ? FForm->Menu() : nullptr);
            FMenuHeight = GetSystemMetrics(SM_CYMENU);
            FMenuBar->BuildFromHandle();
        }
        const bool KeepBoxes = (IsMDIChild() && SkinManager && SkinManager->MDIChildMaximized) || WindowMinimized();
        if (!KeepBoxes)
            ShowSystemBoxes(false);
        ReadFrameMetrics();
    }

    FObjectInstance = std::make_unique<TThunk>(TWndMethod(this, &TWinSkinForm::SkinWndProc));
    FOldWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FObjectInstance->Proc())));

    if (FForm)
        SkinChildControls(FForm);
    else
        SkinChildWindows();
}

void TWinSkinForm::ReadFrameMetrics()
{
    if (!FSkinData || FSkinData->NoSkin)
        return;
    if (FFrameKind == fkNoCaption) {
        FBorderLeft = FCaptionHeight = FBorderRight = FBorderBottom = FMenuHeight = 0;
    } else {
        auto Size = [](const TDataSkinObject& Piece, bool Vertical) {
            const int Frames = std::max(1, int(Piece.FrameCount));
            const int Length = Vertical ? Piece.Bitmap->Height() : Piece.Bitmap->Width();
            return std::min(MaxBorder, Length / Frames);
        };
        FCaptionHeight = Size(*FSkinData->BorderTop, true);
        FBorderLeft = Size(*FSkinData->BorderLeft, false);
        FBorderRight = Size(*FSkinData->BorderRight, false);
        FBorderBottom = Size(*FSkinData->BorderBottom, true);
    }
    for (TPartImage& Part : FPartImages)
        Part.Image.reset();
    FreeSysButtons();
    for (const auto& Entry : FSkinData->SysButtons) {
        auto Button = std::make_unique<TWinSysButton>(this, Entry.get());
        if (Button->IsIconButton()) {
            if (Entry->Bitmap->Empty())
                Entry->Bitmap->Assign(FIconBitmap);
            if (FSkinData->DefaultIcon->Empty())
                FSkinData->DefaultIcon->Assign(FIconBitmap);
            Entry->FrameCount = 1;
        }
        FSysButtons.push_back(std::move(Button));
    }
    FSysButtonCount = int(FSysButtons.size());
}

void TWinSkinForm::FreeSysButtons()
{
    FHotObject = nullptr;
    FPressedObject = nullptr;
    FSysButtons.clear();
    FSysButtonCount = 0;
}

void TWinSkinForm::ShowSystemBoxes(bool Show)
{
    if (!Show && IsMDIChild() && SkinManager && SkinManager->MDIChildMaximized)
        return;
    const LONG_PTR Old = GetWindowLongPtrA(FHandle, GWL_STYLE);
    LONG_PTR Style = Old;
    if (Show) {
        if (FBoxes & bxSystemMenu)
            Style |= WS_SYSMENU;
        if (FBoxes & bxMinimize)
            Style |= WS_MINIMIZEBOX;
        if (FBoxes & bxMaximize)
            Style |= WS_MAXIMIZEBOX;
    } else {
        Style &= ~SystemBoxes;
    }
    // Every size change asks again; rewriting the same style would cost a round of messages.
    if (Style != Old)
        SetWindowLongPtrA(FHandle, GWL_STYLE, Style);
}

void TWinSkinForm::FrameChanged()
{
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::FitWindow(bool RereadClient)
{
    if (FWindowState == wsMaximized) {
        FrameChanged();
        return;
    }
    RECT Window{};
    GetWindowRect(FHandle, &Window);
    const int NewWidth = FClientRect.right + FBorderLeft + FBorderRight;
    if (RereadClient)
        GetClientRect(FHandle, &FClientRect);
    const int NewHeight = FClientRect.bottom + FCaptionHeight + FBorderBottom + FMenuHeight;
    // The client moves within the window: copied bits of a window painted before would
    // leave rows of its old look under the new title.
    SetWindowPos(FHandle, nullptr, Window.left, Window.top, NewWidth, NewHeight,
                 SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOCOPYBITS);
}

void TWinSkinForm::UpdateWindowState()
{
    WINDOWPLACEMENT Placement{};
    Placement.length = sizeof Placement;
    GetWindowPlacement(FHandle, &Placement);
    switch (Placement.showCmd) {
    case SW_SHOWMINIMIZED: case SW_MINIMIZE: case SW_SHOWMINNOACTIVE: FWindowState = wsMinimized; break;
    case SW_SHOWMAXIMIZED: FWindowState = wsMaximized; break;
    default: FWindowState = wsNormal; break;
    }
}

void TWinSkinForm::FindMDIClient()
{
    FMDIKind = mkNormal;
    for (HWND Child = GetTopWindow(FHandle); Child; Child = GetWindow(Child, GW_HWNDNEXT))
        if (WindowClassName(Child) == "MDIClient") {
            FMDIKind = mkFrame;
            FMDIClient = Child;
            if (SkinManager)
                SkinManager->MDIClient = Child;
            return;
        }
}

POINT TWinSkinForm::ToWindowPoint(int X, int Y) const
{
    POINT P{X, Y};
    ScreenToClient(FHandle, &P);
    if (!WindowMinimized()) {
        P.x += FBorderLeft;
        P.y += FCaptionHeight + FMenuHeight;
    }
    return P;
}

// --- System menu and window commands -------------------------------------------------------

void TWinSkinForm::BuildSysPopup()
{
    delete FSysPopup;
    FSysPopup = new TPopupMenu(this);
    FSysPopup->SetOwnerDraw(true);
    FSysPopup->SetImages(FSkinData->MenuImages.get());
    auto Add = [this](const char* Caption, int Tag, TShortCut ShortCut = scNone) {
        auto* Item = new TMenuItem(FSysPopup);
        Item->SetCaption(Caption);
        Item->SetTag(Tag);
        Item->SetImageIndex(Tag);
        Item->SetShortCut(ShortCut);
        Item->OnClick = TNotifyEvent(this, &TWinSkinForm::SysPopupClick);
        Item->OnDrawItem = TMenuDrawItemEvent(this, &TWinSkinForm::DrawMenuItem);
        Item->OnMeasureItem = TMenuMeasureItemEvent(this, &TWinSkinForm::MeasureMenuItem);
        FSysPopup->Items()->Add(Item);
    };
    Add(" Restore ", tgRestore);
    if (FBoxes & bxMaximize)
        Add(" Maximize ", tgMaximize);
    if (FBoxes & bxMinimize)
        Add(" Minimize ", tgMinimize);
    Add("-", tgSeparator);
    Add(" Close ", tgClose, TextToShortCut("Shift+F4"));
}

void TWinSkinForm::SysPopupClick(TObject* Sender)
{
    switch (static_cast<TMenuItem*>(Sender)->Tag()) {
    case tgRestore: Restore(); break;
    case tgMaximize: MaximizeToggle(); break;
    case tgMinimize: MinimizeToggle(); break;
    case tgClose:
        FHoverTimer->SetEnabled(false);
        PostMessageA(FHandle, WM_CLOSE, 0, 0);
        break;
    }
}

void TWinSkinForm::OpenSystemMenu(int X, int Y)
{
    if (FSysPopup)
        for (int I = 0; I < FSysPopup->Items()->Count(); ++I) {
            TMenuItem* Item = FSysPopup->Items()->Items(I);
            switch (Item->Tag()) {
            case tgRestore: Item->SetEnabled(FWindowState != wsNormal); break;
            case tgMaximize: Item->SetEnabled(FWindowState != wsMaximized); break;
            case tgMinimize: Item->SetEnabled(FWindowState != wsMinimized); break;
            }
        }
    // A second click on the icon within the double-click time closes the window.
    const DWORD Now = GetTickCount();
    if (FLastSysMenuClick != 0 && Now - FLastSysMenuClick <= FDblClickTime) {
        FHoverTimer->SetEnabled(false);
        PostMessageA(FHandle, WM_CLOSE, 0, 0);
        return;
    }
    FLastSysMenuClick = Now;
    if (FSkinData->SkinControls().Contains(xcSystemMenu) && !IsMDIChild() && FSysPopup)
        FSysPopup->Popup(X, Y);
    else
        TrackPopupMenu(FSysMenu, TPM_RIGHTBUTTON, X, Y, 0, FHandle, nullptr);
}

void TWinSkinForm::MaximizeToggle()
{
    if (FWindowState == wsMaximized) {
        Restore();
        return;
    }
    FWindowState = wsMaximized;
    PostMessageA(FHandle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    FHotObject = nullptr;
}

void TWinSkinForm::MinimizeToggle()
{
    if (FWindowState == wsMinimized) {
        Restore();
        return;
    }
    FWindowState = wsMinimized;
    PostMessageA(FHandle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::Restore()
{
    FWindowState = wsNormal;
    PostMessageA(FHandle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

HWND TWinSkinForm::ActiveMDIChild(bool* Maximized) const
{
    BOOL IsMaximized = FALSE;
    const HWND Child = FMDIClient ? reinterpret_cast<HWND>(SendMessageA(FMDIClient, WM_MDIGETACTIVE, 0,
                                                                        reinterpret_cast<LPARAM>(&IsMaximized)))
                                  : nullptr;
    if (Maximized)
        *Maximized = Child && IsMaximized;
    return Child;
}

void TWinSkinForm::MDICommand(WPARAM Command)
{
    if (FMDIKind != mkFrame)
        return;
    if (const HWND Child = ActiveMDIChild())
        SendMessageA(Child, WM_SYSCOMMAND, Command, 0);
    bool Maximized = false;
    ActiveMDIChild(&Maximized);
    if (SkinManager && SkinManager->MDIChildMaximized && !Maximized)
        SkinManager->SetMDIChildMaximized(false);
}

void TWinSkinForm::HookPopupMenus(bool On)
{
    if (!FForm || !FSkinData->SkinControls().Contains(xcPopupMenu))
        return;
    for (int I = 0; I < FForm->ComponentCount(); ++I)
        if (auto* Menu = dynamic_cast<TPopupMenu*>(FForm->Components(I)))
            if (Menu != FSysPopup && Menu->Tag() % 100 != FSkinData->DisableTag()) {
                Menu->SetOwnerDraw(On);
                HookMenuItems(*Menu->Items(), On);
            }
}

void TWinSkinForm::HoverPoll(TObject*)
{
    // Asking where the cursor is costs the display server a round trip: only when it matters.
    if (FMenuTracking || !(FHotObject || (!FForm && FHoverControl)))
        return;
    POINT Cursor{};
    GetCursorPos(&Cursor);
    if (FHotObject && !FHotObject->Contains(ToWindowPoint(Cursor.x, Cursor.y)))
        FHotObject->MouseLeave();
    if (!FForm && FHoverControl && !PtInRect(&FHoverControl->FWindowRect, Cursor)) {
        FHoverControl->SendMouseLeave();
        FHoverControl = nullptr;
    }
}

// --- Window procedures ---------------------------------------------------------------------

void TWinSkinForm::CallDefault(TMessage& Message)
{
    Message.Result = CallWindowProcA(FOldWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TWinSkinForm::FormWindowProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETTEXT:
        FOldWindowProc(Message);
        FCaption = WindowTextOf(FHandle);
        FrameChanged();
        break;
    case WM_SKINCHANGED:
        Reskin();
        break;
    case CM_DIALOGCHAR:
        OnDialogChar(Message);
        break;
    case CM_DIALOGKEY:
        OnDialogKey(Message);
        break;
    default:
        FOldWindowProc(Message);
    }
}

void TWinSkinForm::OnDialogKey(TMessage& Message)
{
    // F10 opens the skinned bar's first drop-down, as it would enter the system's bar.
    if (Message.WParam == VK_F10 && FMenuBar && !FMenuBar->FButtons.empty()) {
        PostOpenButton(FMenuBar->FButtons.front().get());
        Message.Result = 1;
        return;
    }
    FOldWindowProc(Message);
}

void TWinSkinForm::OnDialogChar(TMessage& Message)
{
    TMenuBtn* const Button = FindAccelButton(unsigned(Message.WParam));
    if (Button && KeyboardShiftState() == TShiftState{ssAlt}) {
        PostOpenButton(Button);
        Message.Result = 1;
        return;
    }
    FOldWindowProc(Message);
}

void TWinSkinForm::Reskin()
{
    if (FForm) {
        FForm->SetColor(FSkinData->ButtonFaceColor);
        for (int I = 0; I < FForm->ComponentCount(); ++I)
            if (auto* Embedded = dynamic_cast<TCustomForm*>(FForm->Components(I)))
                Embedded->SetColor(FSkinData->ButtonFaceColor);
    }
    for (TSkinControl* Kind : FControls)
        Kind->SkinChanged();
    FSkinState = ssReskin;
    if (FrameSkinned()) {
        HookPopupMenus(true);
        FitWindow(true);
        // Still in ssReskin: the new skin's borders may cut another shape at the same size.
        BuildRegion();
    }
    FSkinState = ssReady;
}

void TWinSkinForm::SkinWndProc(TMessage& Message)
{
    if (HandleStage1(Message))
        return;
    const bool PlainChild = (FStyle & WS_CHILD) && !IsMDIChild();
    if (!FrameSkinned() || PlainChild) {
        CallDefault(Message);
        return;
    }
    if (HandleStage2(Message))
        return;
    if (!Stage3Runs() || !HandleStage3(Message))
        CallDefault(Message);
}

bool TWinSkinForm::Stage3Runs() const
{
    return !MDIChildNotNormal() && !WindowMinimized() && FSkinState != ssNew;
}

bool TWinSkinForm::HandleStage1(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND: OnEraseBkgnd(Message); return true;
    case WM_STYLECHANGED: OnStyleChanged(Message); return true;
    case WM_NCDESTROY: OnNCDestroy(Message); return true;
    case WM_CTLCOLORBTN: OnCtlColorBtn(Message); return true;
    case WM_CTLCOLORSTATIC: OnCtlColorStatic(Message); return true;
    case WM_SKINQUERY: Message.Result = 1; return true;
    default: return false;
    }
}

bool TWinSkinForm::HandleStage2(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SIZE: OnSize(Message); return true;
    case WM_ACTIVATE: FActive = LOWORD(Message.WParam) != WA_INACTIVE; return false;
    case WM_NCACTIVATE: FActive = Message.WParam != 0; return false;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(Message); return true;
    case WM_WINDOWPOSCHANGED:
        UpdateWindowState();
        CallDefault(Message);
        return true;
    case WM_COMMAND: OnCommand(Message); return true;
    case WM_SYSCOMMAND: OnSysCommand(Message); return true;
    case WM_SKINSTART: OnSkinStart(Message); return true;
    case CM_MENUCHANGED: OnMenuChanged(Message); return true;
    case WM_MENUSELECT: OnMenuSelect(Message); return false;
    default: return false;
    }
}

bool TWinSkinForm::HandleStage3(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE: OnNCCalcSize(Message); return true;
    case WM_NCHITTEST: OnNCHitTest(Message); return true;
    case WM_NCPAINT: OnNCPaint(Message); return true;
    case WM_NCACTIVATE: OnNCActivate(Message); return true;
    case WM_NCMOUSEMOVE: OnNCMouseMove(Message); return true;
    case WM_NCLBUTTONDOWN: OnNCLButtonDown(Message); return true;
    case WM_NCLBUTTONUP: OnNCLButtonUp(Message); return true;
    case WM_NCLBUTTONDBLCLK: OnNCLButtonDblClk(Message); return true;
    case WM_NCRBUTTONDOWN: OnNCRButtonDown(Message); return true;
    case WM_MEASUREITEM: OnMeasureItem(Message); return true;
    case WM_DRAWITEM: OnDrawItem(Message); return true;
    case WM_SKINREPAINT: OnSkinRepaint(Message); return true;
    case WM_SETTEXT: OnSetText(Message); return true;
    default: return false;
    }
}

// Stage 1: every skinned window.

void TWinSkinForm::OnEraseBkgnd(TMessage& Message)
{
    CallDefault(Message);
    if (FForm)
        return;
    RECT Client{};
    GetClientRect(FHandle, &Client);
    FillRect(reinterpret_cast<HDC>(Message.WParam), &Client, FSkinData->FaceBrush);
    Message.Result = 1;
}

void TWinSkinForm::OnStyleChanged(TMessage& Message)
{
    if (Message.WParam == WPARAM(GWL_STYLE))
        FStyle = reinterpret_cast<const STYLESTRUCT*>(Message.LParam)->styleNew;
    CallDefault(Message);
}

void TWinSkinForm::OnNCDestroy(TMessage& Message)
{
    FSkinState = ssClosing;
    UnskinForDestroy();
    CallDefault(Message);
    FSkinState = ssDead;
    if (SkinManager) {
        SkinManager->PendingSkinData = FSkinData;
        SkinManager->ScheduleAction(saFreeDeadForms, 250);
    }
}

void TWinSkinForm::OnCtlColorBtn(TMessage& Message)
{
    CallDefault(Message);
    if (!FForm)
        SetBkMode(reinterpret_cast<HDC>(Message.WParam), TRANSPARENT);
}

void TWinSkinForm::OnCtlColorStatic(TMessage& Message)
{
    CallDefault(Message);
    if (!FForm)
        SetBkMode(reinterpret_cast<HDC>(Message.WParam), TRANSPARENT);
    Message.Result = reinterpret_cast<LRESULT>(FSkinData->FaceBrush);
}

// Stage 2: windows whose frame is skinned.

void TWinSkinForm::OnSize(TMessage& Message)
{
    CallDefault(Message);
    switch (Message.WParam) {
    case SIZE_RESTORED: FWindowState = wsNormal; break;
    case SIZE_MINIMIZED: FWindowState = wsMinimized; break;
    case SIZE_MAXIMIZED: FWindowState = wsMaximized; break;
    }
    if (WindowMinimized())
        return;
    if (IsMDIChild() && ((SkinManager && SkinManager->MDIChildMaximized) || FWindowState != wsNormal))
        return;
    if (FSkinState == ssReady || FSkinState == ssReskin)
        BuildRegion();
}

void TWinSkinForm::OnGetMinMaxInfo(TMessage& Message)
{
    CallDefault(Message);
    UpdateWindowState();
    if (WindowMinimized()) {
        ShowSystemBoxes(true);
    } else if (!IsMDIChild()) {
        ShowSystemBoxes(false);
    } else if (FWindowState == wsNormal) {
        if (SkinManager && SkinManager->MDIChildMaximized)
            SkinManager->SetMDIChildMaximized(false);
        ShowSystemBoxes(false);
    } else if (FWindowState == wsMaximized) {
        ShowSystemBoxes(true);
    }
    auto* Info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
    Info->ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
}

void TWinSkinForm::OnCommand(TMessage& Message)
{
    const WORD Command = LOWORD(Message.WParam);
    if (std::find(std::begin(WindowCommands), std::end(WindowCommands), Command) != std::end(WindowCommands))
        PostMessageA(FHandle, WM_SYSCOMMAND, Command, 0);
    else
        CallDefault(Message);
}

bool TWinSkinForm::SwallowKeyMenu(const TMessage& Message)
{
    if (FMenuTracking || (Message.WParam & 0xFFF0) != SC_KEYMENU || Message.LParam == ' ' ||
        Message.LParam == '-' || GetCapture())
        return false;
    // Alt alone, or Alt with a bar button's letter (which opens the skinned bar instead).
    return Message.LParam == 0 || FindAccelButton(unsigned(Message.LParam));
}

void TWinSkinForm::OnSysCommand(TMessage& Message)
{
    if (SwallowKeyMenu(Message)) {
        // With the focus on the form itself no control offered the letter to the form yet.
        if (FForm && Message.LParam != 0)
            FForm->Perform(CM_DIALOGCHAR, WPARAM(Message.LParam), 0);
        Message.Result = 1;
        return;
    }
    switch (Message.WParam & 0xFFF0) {
    case SC_MINIMIZE:
        FWindowState = wsMinimized;
        if (IsMDIChild())
            ShowSystemBoxes(true);
        break;
    case SC_MAXIMIZE:
        FWindowState = wsMaximized;
        break;
    case SC_RESTORE:
        FWindowState = wsNormal;
        if (IsMDIChild())
            ShowSystemBoxes(false);
        break;
    }
    CallDefault(Message);
}

void TWinSkinForm::OnSkinStart(TMessage&)
{
    if (FSkinState == ssNew) {
        if (IsMDIChild() && SkinManager && SkinManager->MDIChildMaximized) {
            ShowSystemBoxes(true);
            FrameChanged();
        } else if (!WindowMinimized() && FFrameKind != fkNoCaption) {
            // Size, frame and region change together: painted once, when all are done.
            const TRedrawOff Quiet(FHandle);
            FSkinState = ssFitting;
            FitWindow(false);
            FSkinState = ssReady;
            BuildRegion();
        }
        // Children too: a window whose menu bar was taken left them for this moment.
        InvalidateWhole(FHandle);
    }
    FSkinState = ssReady;
    FHoverTimer->SetEnabled(true);
    StartupTrace::Mark("skin: frame fitted, region set");
}

void TWinSkinForm::OnMenuChanged(TMessage& Message)
{
    // The framework puts the menu back on the window; the skinned bar paints itself after.
    FSkinData->PaintNonClient = false;
    CallDefault(Message);
    FSkinData->PaintNonClient = true;
    if (FMenuBar && FSkinData->MenuUpdate() && GetMenu(FHandle))
        FMenuBar->BuildFromHandle();
}

// Stage 3: the skinned frame at work.

void TWinSkinForm::OnNCCalcSize(TMessage& Message)
{
    CallDefault(Message);
    if (Message.WParam == 0) {
        Message.Result = 0;
        return;
    }
    auto* Params = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
    if (MDIChildNotNormal() || FFrameKind == fkNoCaption) {
        Params->rgrc[1] = Params->rgrc[0];
    } else {
        const WINDOWPOS& Pos = *Params->lppos;
        RECT Client{Pos.x + FBorderLeft, Pos.y + FCaptionHeight + FMenuHeight, Pos.x + Pos.cx - FBorderRight,
                    Pos.y + Pos.cy - FBorderBottom};
        // A window smaller than its frame gets an empty client area, never an inverted one.
        Client.right = std::max(Client.right, Client.left);
        Client.bottom = std::max(Client.bottom, Client.top);
        Params->rgrc[0] = Client;
        Params->rgrc[1] = Client;
    }
    Message.Result = WVR_VALIDRECTS;
}

void TWinSkinForm::OnNCHitTest(TMessage& Message)
{
    CallDefault(Message);
    if (Message.Result != HTNOWHERE)
        return;
    const POINT P = ToWindowPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    if (P.y > FCaptionHeight)
        Message.Result = HTMENU;
    else if (P.y > 3)
        Message.Result = HTCAPTION;
}

void TWinSkinForm::OnNCLButtonDblClk(TMessage&)
{
    if (FWindowState != wsNormal)
        Restore();
    else if (FBoxes & bxMaximize)
        MaximizeToggle();
}

void TWinSkinForm::OnNCRButtonDown(TMessage& Message)
{
    if (Message.WParam == HTCAPTION && !IsMDIChild())
        OpenSystemMenu(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    else
        CallDefault(Message);
}

void TWinSkinForm::OnSkinRepaint(TMessage&)
{
    PaintNC(nullptr);
}

void TWinSkinForm::OnSetText(TMessage& Message)
{
    // The system would draw its own caption over the skinned one.
    FSkinData->PaintNonClient = false;
    CallDefault(Message);
    FSkinData->PaintNonClient = true;
    FCaption = WindowTextOf(FHandle);
    PaintNC(nullptr);
}

// --- MDI client ----------------------------------------------------------------------------

void TWinSkinForm::ClientWndProc(TMessage& Message)
{
    auto Default = [&] {
        Message.Result =
            CallWindowProcA(FOldClientWndProc, FMDIClient, Message.Msg, Message.WParam, Message.LParam);
    };
    const bool MainMenu = FrameSkinned();
    switch (Message.Msg) {
    case WM_NCDESTROY:
        Default();
        UnhookClient();
        break;
    case WM_NCCALCSIZE:
        if (MainMenu)
            SetWindowLongPtrA(FMDIClient, GWL_STYLE,
                              GetWindowLongPtrA(FMDIClient, GWL_STYLE) & ~LONG_PTR(WS_HSCROLL | WS_VSCROLL));
        Default();
        break;
    case WM_MDICREATE:
        FSkinData->SetMenuUpdate(false);
        Default();
        FNewMDIChild = reinterpret_cast<HWND>(Message.Result);
        break;
    case WM_MDIDESTROY:
        Default();
        if (MainMenu)
            MDIDestroyed();
        break;
    case WM_MDITILE:
    case WM_MDICASCADE:
        if (MainMenu && SkinManager && SkinManager->MDIChildMaximized)
            SkinManager->SetMDIChildMaximized(false);
        Default();
        break;
    case WM_MDISETMENU:
        Default();
        if (MainMenu)
            MDISetMenu(Message);
        break;
    case WM_MDIREFRESHMENU:
        Default();
        MDIRefreshMenu();
        break;
    default:
        Default();
    }
}

void TWinSkinForm::MDIDestroyed()
{
    bool Maximized = false;
    ActiveMDIChild(&Maximized);
    if (SkinManager)
        SkinManager->SetMDIChildMaximized(Maximized);
    if (FMenuBar && SkinManager && SkinManager->MDIChildCount() == 0) {
        FSkinData->SetMenuUpdate(FSavedMenuUpdate);
        FMenuBar->BuildFromMenu();
    }
}

void TWinSkinForm::MDISetMenu(TMessage& Message)
{
    const HMENU FrameMenu = reinterpret_cast<HMENU>(Message.WParam);
    if (FrameMenu && FMenuBar && (FrameMenu != FMenuBar->FMenuHandle || FNewMDIChild))
        FMenuBar->BuildFromMenuHandle(GetMenu(FHandle));
    SetMenu(FHandle, nullptr);
}

void TWinSkinForm::MDIRefreshMenu()
{
    if (!FNewMDIChild)
        return;
    if (SkinManager)
        SkinManager->SkinWindow(FNewMDIChild);
    PostMessageA(FHandle, WM_SKINREPAINT, 0, 0);
    FNewMDIChild = nullptr;
}

// --- Undoing the skin ----------------------------------------------------------------------

void TWinSkinForm::Unsubclass()
{
    if (!FObjectInstance)
        return;
    SetWindowLongPtrA(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOldWndProc));
    FObjectInstance.reset();
}

void TWinSkinForm::UnhookClient()
{
    if (!FClientInstance)
        return;
    SetWindowLongPtrA(FMDIClient, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOldClientWndProc));
    FClientInstance.reset();
}

// Steps shared by switching the skin off and by the window's destruction; false when the
// window was not subclassed.
bool TWinSkinForm::UnskinCommon()
{
    delete FSysPopup;
    FSysPopup = nullptr;
    if (FHoverTimer)
        FHoverTimer->SetEnabled(false);
    if (!Subclassed())
        return false;
    if (FOldWindowProc.Assigned() && FForm)
        FForm->WindowProc = FOldWindowProc;
    FOldWindowProc = TWndMethod();
    Unsubclass();
    FreeControls();
    return true;
}

void TWinSkinForm::Unskin()
{
    if (!FrameSkinned()) {
        UnskinPlain();
        return;
    }
    if (!UnskinCommon())
        return;
    if (FForm) {
        HookPopupMenus(false);
        if (FSkinState != ssClosing)
            FForm->SetColor(FOldColor);
    }
    ShowSystemBoxes(true);
    if (FMenuBar) {
        SetMenu(FHandle, FMenuBar->FMenuHandle);
        FMenuBar.reset();
    }
    UnhookClient();
    FTitleBitmap.SetSize(0, 0);
    const bool TopLevel = IsMDIChild() || !(GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_CHILD);
    if (FSkinState != ssClosing && TopLevel)
        RestoreFrameSize();
    SetWindowRgn(FHandle, nullptr, TRUE);
    FOwnsRegion = false;
    FRegion = nullptr;
}

void TWinSkinForm::RestoreFrameSize()
{
    // A window unskinned before its frame was fitted still has its system size.
    if (FRegionWidth == 0 && FSkinState == ssNew)
        return;
    RECT Window{};
    GetWindowRect(FHandle, &Window);
    POINT TopLeft{Window.left, Window.top};
    if (IsMDIChild())
        ScreenToClient(GetParent(FHandle), &TopLeft);
    const int NewWidth = Width(Window) + FSystemFrame.right - FBorderLeft - FBorderRight;
    const int NewHeight = Height(Window) + FSystemFrame.bottom - FCaptionHeight - FMenuHeight - FBorderBottom;
    SetWindowPos(FHandle, nullptr, TopLeft.x, TopLeft.y, NewWidth, NewHeight,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
}

void TWinSkinForm::UnskinForDestroy()
{
    if (!FrameSkinned()) {
        UnskinPlain();
        return;
    }
    UnskinCommon();
    FMenuBar.reset();
    FTitleBitmap.SetSize(0, 0);
}

void TWinSkinForm::UnskinPlain()
{
    if (FHoverTimer)
        FHoverTimer->SetEnabled(false);
    FreeControls();
    if (FForm) {
        HookPopupMenus(false);
        if (FSkinState != ssClosing)
            FForm->SetColor(FOldColor);
    }
    Unsubclass();
    UnhookClient();
    if (FForm)
        for (int I = 0; I < FForm->ComponentCount(); ++I)
            if (auto* Control = dynamic_cast<TControl*>(FForm->Components(I)))
                Control->Invalidate();
    if (FSkinState != ssClosing) {
        // Forces a complete repaint of frame and client.
        ShowWindow(FHandle, SW_MINIMIZE);
        ShowWindow(FHandle, SW_RESTORE);
    }
}
