#include "skin/form/SkinMenuBar.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "framework/graphics/GdiHolders.h"
#include "framework/ui/Menus.h"
#include "skin/data/SkinData.h"
#include "skin/form/Caption.h"
#include "skin/form/ElementDraw.h"
#include "skin/form/SkinForm.h"
#include "skin/manage/SkinManage.h"

PANTREL_REGISTER(TWinSkinMenu, TComponent)

namespace {

int Width(const RECT& R) { return R.right - R.left; }
int Height(const RECT& R) { return R.bottom - R.top; }

// What the message-filter hook knows while a popup of a skinned bar is open. The bar's
// popups are modal: one at a time per process.
struct TBarTracking {
    TWinSkinForm* Form = nullptr;
    int OpenIndex = -1;
    HHOOK Hook = nullptr;
    POINT LastPoint{};
    bool FirstSeen = false;
    bool Switching = false;
    TMenuBtn* Next = nullptr;  // the neighbour to open once the current popup has closed
    // The item last selected in the popups: the popup holding it and its own popup.
    bool Selected = false;
    HMENU SelectedParent = nullptr;
    HMENU SelectedSubMenu = nullptr;
};
TBarTracking Tracking;

LRESULT CALLBACK MenuFilterHook(int Code, WPARAM WParam, LPARAM LParam);

// The neighbouring button for Left/Right, or null when the key stays with the popup.
TMenuBtn* NeighbourForKey(TWinSkinForm& Form, WPARAM Key)
{
    const auto& Buttons = Form.FMenuBar->FButtons;
    const int Count = int(Buttons.size());
    if (Count == 0)
        return nullptr;
    if (Key == VK_LEFT) {
        // In a deeper popup, Left only closes that popup.
        if (Tracking.Selected && Tracking.SelectedParent != Form.FTrackedMenu &&
            Tracking.SelectedSubMenu != Form.FTrackedMenu)
            return nullptr;
        return Buttons[size_t((Tracking.OpenIndex + Count - 1) % Count)].get();
    }
    // Right on an item with a popup of its own opens it.
    if (Tracking.Selected && Tracking.SelectedSubMenu)
        return nullptr;
    return Buttons[size_t((Tracking.OpenIndex + 1) % Count)].get();
}

LRESULT CALLBACK MenuFilterHook(int Code, WPARAM WParam, LPARAM LParam)
{
    MSG* const Msg = reinterpret_cast<MSG*>(LParam);
    TWinSkinForm* const Form = Tracking.Form;
    const bool RightToLeft = Form && Form->FMenuBar && Form->FMenuBar->RightToLeft();
    if (Code >= 0 && RightToLeft && Msg->message == WM_KEYDOWN) {
        if (Msg->wParam == VK_LEFT)
            Msg->wParam = VK_RIGHT;
        else if (Msg->wParam == VK_RIGHT)
            Msg->wParam = VK_LEFT;
    }
    const LRESULT Result = CallNextHookEx(Tracking.Hook, Code, WParam, LParam);
    if (Result != 0 || Code != MSGF_MENU || !Form || !Form->FMenuBar)
        return Result;
    if (!Tracking.FirstSeen) {
        // Highlights the first item of the freshly opened popup.
        Tracking.FirstSeen = true;
        PostMessageA(Msg->hwnd, WM_KEYDOWN, VK_DOWN, 0);
    }
    TMenuBtn* Next = nullptr;
    switch (Msg->message) {
    case WM_KEYDOWN:
        if (Msg->wParam == VK_RETURN || Msg->wParam == VK_ESCAPE)
            Tracking.Switching = false;
        else if (Msg->wParam == VK_LEFT || Msg->wParam == VK_RIGHT)
            Next = NeighbourForKey(*Form, Msg->wParam);
        break;
    case WM_SYSKEYDOWN:
        if (Msg->wParam == VK_MENU)
            Form->FMenuTracking = false;
        return Result;
    case WM_MOUSEMOVE:
        if (Msg->pt.x != Tracking.LastPoint.x || Msg->pt.y != Tracking.LastPoint.y) {
            Next = Form->FMenuBar->ButtonAt(Form->ToWindowPoint(Msg->pt.x, Msg->pt.y));
            Tracking.LastPoint = Msg->pt;
        }
        break;
    }
    if (!Next || Next->FIndex == Tracking.OpenIndex)
        return Result;
    // Close this popup; the neighbour opens once TrackPopupMenu has returned. (A posted
    // click would be dispatched by the menu's own loop while the popup is still open.)
    Tracking.Switching = true;
    Tracking.Next = Next;
    EndMenu();
    return 1;
}

}  // namespace

void BarMenuSelect(TWinSkinForm* Form, WPARAM WParam, LPARAM LParam)
{
    if (Tracking.Form != Form)
        return;
    const HMENU Menu = reinterpret_cast<HMENU>(LParam);
    if (HIWORD(WParam) == 0xFFFF && !Menu) {
        if (!Tracking.Switching)
            Form->FMenuTracking = false;
        return;
    }
    Tracking.Switching = false;
    Tracking.Selected = true;
    Tracking.SelectedParent = Menu;
    Tracking.SelectedSubMenu = (HIWORD(WParam) & MF_POPUP) ? GetSubMenu(Menu, LOWORD(WParam)) : nullptr;
}

bool IsWindowsNT4()
{
    const DWORD Version = GetVersion();
    return (Version & 0x80000000) == 0 && LOBYTE(LOWORD(Version)) == 4;
}

void MakeOwnerDraw(HMENU Menu)
{
    const int Count = GetMenuItemCount(Menu);
    for (int I = 0; I < Count; ++I) {
        MENUITEMINFOA Info{};
        Info.cbSize = sizeof Info;
        Info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoA(Menu, UINT(I), TRUE, &Info))
            continue;
        // The type alone changes: the item keeps its text, which plain painting reads.
        Info.fMask = MIIM_FTYPE;
        Info.fType |= MFT_OWNERDRAW;
        SetMenuItemInfoA(Menu, UINT(I), TRUE, &Info);
        if (Info.hSubMenu)
            MakeOwnerDraw(Info.hSubMenu);
    }
}

void DrawBarCaption(TCanvas& Canvas, const RECT& Rect, const TMenuBtn& Button)
{
    const TWinSkinMenu& Bar = *Button.FOwnerForm->FMenuBar;
    Canvas.Font()->Assign(Bar.FMenuFont);
    Canvas.Font()->SetColor(Button.FEnabled ? Bar.FSkin->MenuBarTextColor : Bar.FSkin->ButtonShadowColor);
    DrawCaption(Canvas, Rect, DT_CENTER, Button.FEnabled, Button.FCaption, Bar.FSkin->ButtonShadowColor);
}

// --- TWinSkinMenu ----------------------------------------------------------------------------

TWinSkinMenu::TWinSkinMenu(TWinSkinForm* AForm, TSkinData* ASkin, TMainMenu* AMenu)
    : TComponent(nullptr), FMenu(AMenu), FSkin(ASkin), FForm(AForm)
{
    FMenuFont.SetLogFont(MenuLogFont());
}

TWinSkinMenu::~TWinSkinMenu()
{
    FreeButtons();
}

void TWinSkinMenu::FreeButtons()
{
    if (dynamic_cast<TMenuBtn*>(FForm->FHotObject))
        FForm->FHotObject = nullptr;
    if (dynamic_cast<TMenuBtn*>(FForm->FPressedObject))
        FForm->FPressedObject = nullptr;
    FButtons.clear();
    FCount = 0;
}

bool TWinSkinMenu::RightToLeft() const
{
    return FMenu && FMenu->IsRightToLeft();
}

void TWinSkinMenu::TakeSystemBar()
{
    SetMenu(FForm->FHandle, nullptr);
}

std::unique_ptr<TMenuBtn> TWinSkinMenu::ButtonFromItem(HMENU Menu, int Position)
{
    char Text[81] = {};
    MENUITEMINFOA Info{};
    Info.cbSize = sizeof Info;
    Info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
    Info.dwTypeData = Text;
    Info.cch = sizeof Text - 1;
    GetMenuItemInfoA(Menu, UINT(Position), TRUE, &Info);
    if (Info.fType & (MFT_BITMAP | MFT_OWNERDRAW | MFT_SEPARATOR))
        Text[0] = '\0';

    auto Button = std::make_unique<TMenuBtn>(FForm);
    Button->FSkin = FSkin;
    Button->FIndex = Position;
    Button->FSubMenu = Info.hSubMenu;
    Button->FEnabled = (Info.fState & 3) == 0;
    Button->FVisible = true;
    Button->FCommand = int32_t(Info.wID);
    Button->FCaption = Text;
    return Button;
}

void TWinSkinMenu::BuildFromHandle()
{
    if (const HMENU Current = GetMenu(FForm->FHandle))
        FMenuHandle = Current;
    BuildButtons(false);
}

void TWinSkinMenu::BuildFromMenuHandle(HMENU Menu)
{
    if (Menu)
        FMenuHandle = Menu;
    BuildButtons(true);
}

TMenuItem* TWinSkinMenu::FrameworkItem(int Position, int32_t Command) const
{
    TMenuItem* const Root = FMenu->Items();
    if (Position >= 0)
        return Position < Root->Count() ? Root->Items(Position) : nullptr;
    // By command: the last matching item wins.
    TMenuItem* Found = nullptr;
    for (int I = 0; I < Root->Count(); ++I)
        if (Root->Items(I)->Command() == Command)
            Found = Root->Items(I);
    return Found;
}

void TWinSkinMenu::BuildButtons(bool ByCommand)
{
    if (!FMenuHandle)
        return;
    FreeButtons();
    const int Count = GetMenuItemCount(FMenuHandle);
    if (Count <= 0)
        return;
    FCount = Count;
    for (int I = 0; I < Count; ++I) {
        auto Button = ButtonFromItem(FMenuHandle, I);
        // Items the framework draws itself have no text: its own item tells.
        TMenuItem* const Item =
            Button->FCaption.empty() && FMenu ? FrameworkItem(ByCommand ? -1 : I, Button->FCommand) : nullptr;
        if (Item) {
            Button->FCaption = Item->Caption();
            Button->FEnabled = Item->Enabled();
            Button->FSubMenu = Item->Count() > 0 ? Item->Handle() : nullptr;
        }
        FButtons.push_back(std::move(Button));
    }
    TakeSystemBar();
}

void TWinSkinMenu::BuildFromMenu()
{
    if (!FMenu)
        return;
    FreeButtons();
    TMenuItem* const Root = FMenu->Items();
    for (int I = 0; I < Root->Count(); ++I) {
        TMenuItem* Item = Root->Items(I);
        auto Button = std::make_unique<TMenuBtn>(FForm);
        Button->FSkin = FSkin;
        Button->FIndex = I;
        Button->FCaption = Item->Caption();
        Button->FEnabled = Item->Enabled();
        Button->FVisible = Item->Visible();
        Button->FCommand = Item->Command();
        Button->FSubMenu = Item->Count() > 0 ? Item->Handle() : nullptr;
        FButtons.push_back(std::move(Button));
    }
    FCount = int(FButtons.size());
    if (const HMENU Current = GetMenu(FForm->FHandle))
        FMenuHandle = Current;
    TakeSystemBar();
    FForm->FHotObject = nullptr;
}

TMenuBtn* TWinSkinMenu::ButtonAt(POINT P) const
{
    for (const auto& Button : FButtons)
        if (Button->Contains(P) && !Button->FCaption.empty())
            return Button.get();
    return nullptr;
}

int TWinSkinMenu::FirstCaptionX(int BarWidth) const
{
    if (!FSkin->MenuBar)
        return 6;
    // Summed wide: a skin's margins can be anything.
    const int64_t X = RightToLeft() ? int64_t(FSkin->MenuBar->RightWidth) + 8 : int64_t(FSkin->MenuBar->LeftWidth) + 4;
    return X > BarWidth || X < 0 ? 12 : int(X);
}

void TWinSkinMenu::PaintBackground(TBitmap& Bitmap, const RECT& R)
{
    TCanvas& Canvas = *Bitmap.Canvas();
    const TDataSkinObject* const Element = FSkin->MenuBar.get();
    if (!Element) {
        Canvas.Brush()->SetStyle(bsSolid);
        Canvas.Brush()->SetColor(FSkin->MenubarColor);
        Canvas.FillRect(R);
        return;
    }
    const int Frame = FForm->FActive ? 1 : 2;
    const TMargins Margins{Element->LeftWidth, 0, Element->RightWidth, 0};
    if (Element->Tile == 1)
        DrawElement(Canvas.Handle(), R, *Element->Bitmap, true, false, false, 2, Frame, Margins);
    else
        DrawElementStrip(Canvas, R, *Element->Bitmap, Margins, Frame, 2, false, true);
}

void TWinSkinMenu::PaintBar(HDC DC, const RECT& Rect)
{
    TBitmap* const Scratch = ScratchBitmap();
    const int W = Width(Rect), H = Height(Rect);
    if (!Scratch || W <= 0 || H <= 0)
        return;
    const RECT R{0, 0, W, H};
    Scratch->SetSize(W, H);
    PaintBackground(*Scratch, R);
    FBarRect = Rect;
    FBackground.SetSize(W, H);
    BitBlt(FBackground.Canvas()->Handle(), 0, 0, W, H, Scratch->Canvas()->Handle(), 0, 0, SRCCOPY);

    TCanvas& Canvas = *Scratch->Canvas();
    const int First = FirstCaptionX(W);
    int X = RightToLeft() ? W - First : First;
    for (const auto& Button : FButtons) {
        int ButtonWidth = Canvas.TextWidth(Button->FCaption);
        if (ButtonWidth > 0)
            ButtonWidth += 10;
        const RECT Text = RightToLeft() ? RECT{X - ButtonWidth, 0, X, H - 1} : RECT{X, 0, X + ButtonWidth, H - 1};
        X += RightToLeft() ? -ButtonWidth : ButtonWidth;
        DrawBarCaption(Canvas, Text, *Button);
        Button->FRect = RECT{Text.left + Rect.left, Text.top + Rect.top, Text.right + Rect.left, Rect.bottom - 1};
    }
    PaintMDIButtons(*Scratch, Rect);
    BitBlt(DC, Rect.left, Rect.top, W, H, Canvas.Handle(), 0, 0, SRCCOPY);
}

void TWinSkinMenu::PaintMDIButtons(TBitmap& Bitmap, const RECT& Bar)
{
    if (FForm->FMDIKind != mkFrame || !FForm->FMDIClient)
        return;
    BOOL Maximized = FALSE;
    if (!SendMessageA(FForm->FMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&Maximized)) || !Maximized)
        return;
    for (const auto& Button : FForm->FSysButtons) {
        const TDataSkinSysButton& Data = *Button->FButtonData;
        if (Data.Visibility != MDIButtonVisibility || Data.Bitmap->Empty())
            continue;
        RECT R = Button->FRect;
        OffsetRect(&R, -Bar.left, -Bar.top);
        DrawFrameCell(Bitmap.Canvas()->Handle(), R, *Data.Bitmap, true, Data.FrameCount, 1);
    }
    if (SkinManager && !SkinManager->MDIChildMaximized)
        SkinManager->SetMDIChildMaximized(true);
}

// --- Opening the bar's popups (members of the form skin object) --------------------------------

TMenuBtn* TWinSkinForm::FindAccelButton(unsigned Char)
{
    if (!FMenuBar)
        return nullptr;
    for (const auto& Button : FMenuBar->FButtons)
        if (Button->FEnabled && IsAccel(Char, Button->FCaption))
            return Button.get();
    return nullptr;
}

void TWinSkinForm::PostOpenButton(TMenuBtn* Button)
{
    GetWindowRect(FHandle, &FWindowRect);
    PostMessageA(FHandle, WM_NCLBUTTONDOWN, HTCLIENT,
                 MAKELPARAM(WORD(Button->FRect.left + FWindowRect.left + 1),
                            WORD(Button->FRect.top + FWindowRect.top + 1)));
}

bool TWinSkinForm::OpenMenuButton(TMenuBtn* Button)
{
    if (!Button)
        return false;
    // Left/Right or the mouse may move on to the neighbours, one popup after the other.
    bool Opened = TrackButton(Button);
    while (Opened && Tracking.Next) {
        TMenuBtn* const Next = std::exchange(Tracking.Next, nullptr);
        Next->MouseDown();
        Opened = TrackButton(Next);
    }
    Tracking.Next = nullptr;
    return Opened;
}

bool TWinSkinForm::TrackButton(TMenuBtn* Button)
{
    // The framework runs the top-level item's click as when its popup opens.
    PostMessageA(FHandle, WM_COMMAND, WPARAM(WORD(Button->FCommand)), 0);
    if (!Button->FSubMenu)
        return false;
    Tracking.Form = this;
    Tracking.OpenIndex = Button->FIndex;
    GetWindowRect(FHandle, &FWindowRect);
    if (!IsWindowsNT4())
        MakeOwnerDraw(Button->FSubMenu);
    FMenuTracking = true;
    FTrackedMenu = Button->FSubMenu;

    Tracking.FirstSeen = false;
    Tracking.Switching = false;
    Tracking.Selected = false;
    Tracking.Next = nullptr;
    GetCursorPos(&Tracking.LastPoint);
    if (!Tracking.Hook)
        Tracking.Hook = SetWindowsHookExA(WH_MSGFILTER, MenuFilterHook, nullptr, GetCurrentThreadId());
    if (Button->FEnabled)
        TrackPopupMenu(Button->FSubMenu, TPM_NONOTIFY | TPM_RIGHTBUTTON, FWindowRect.left + Button->FRect.left,
                       FWindowRect.top + Button->FRect.bottom, 0, FHandle, nullptr);
    if (Tracking.Hook)
        UnhookWindowsHookEx(Tracking.Hook);
    Tracking.Hook = nullptr;
    Tracking.Selected = false;
    Tracking.OpenIndex = -1;
    Tracking.FirstSeen = false;
    Tracking.Form = nullptr;
    FMenuTracking = false;
    // The pressed look ends with the popup, unless the neighbour takes over.
    if (FHotObject == Button)
        Button->MouseLeave();
    return true;
}

void TWinSkinForm::OnMenuSelect(TMessage& Message)
{
    BarMenuSelect(this, Message.WParam, Message.LParam);
}
