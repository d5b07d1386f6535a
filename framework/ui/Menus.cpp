#include "framework/ui/Menus.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "framework/core/StrUtils.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHolders.h"
#include "framework/graphics/ImageList.h"
#include "framework/ui/Form.h"
#include "framework/ui/Screen.h"

namespace {

// Commands above 0xF000 are the system menu's (SC_...): never hand them out.
constexpr WORD FirstCommand = 1;
constexpr WORD LastCommand = 0xEFFF;
// Plain data with no destructor: menus freed while the program ends (by the application's
// own finalisation) still find them.
bool UsedCommands[LastCommand + 1];
WORD NextCommand = FirstCommand;

WORD AllocateCommand()
{
    for (unsigned Tries = 0; Tries <= LastCommand - FirstCommand; ++Tries) {
        const WORD C = NextCommand;
        NextCommand = C == LastCommand ? FirstCommand : WORD(C + 1);
        if (!UsedCommands[C]) {
            UsedCommands[C] = true;
            return C;
        }
    }
    throw EOutOfResources("No menu command identifiers left");
}

void ReleaseCommand(WORD Command)
{
    UsedCommands[Command] = false;
}

struct TKeyName {
    WORD Key;
    const char* Name;
};
const TKeyName KeyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"}, {VK_ESCAPE, "Esc"}, {VK_RETURN, "Enter"},
    {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"}, {VK_END, "End"},
    {VK_HOME, "Home"}, {VK_LEFT, "Left"}, {VK_UP, "Up"}, {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"}, {VK_INSERT, "Ins"}, {VK_DELETE, "Del"}};

std::string KeyName(WORD Key)
{
    if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z'))
        return std::string(1, char(Key));
    if (Key >= VK_F1 && Key <= VK_F24)
        return "F" + std::to_string(Key - VK_F1 + 1);
    for (const TKeyName& K : KeyNames)
        if (K.Key == Key)
            return K.Name;
    return "";
}

const char* const ModifierNames[] = {"Shift+", "Ctrl+", "Alt+"};
const TShortCut ModifierBits[] = {scShift, scCtrl, scAlt};

bool StartsWithNoCase(const std::string& S, size_t Pos, const std::string& Prefix)
{
    return S.size() - Pos >= Prefix.size() && SameText(S.substr(Pos, Prefix.size()), Prefix);
}

// Selects a bold copy of the DC's font until destroyed.
class TBoldFont {
public:
    explicit TBoldFont(HDC DC) : FDC(DC)
    {
        LOGFONTA Font{};
        GetObjectA(GetCurrentObject(DC, OBJ_FONT), sizeof Font, &Font);
        Font.lfWeight = FW_BOLD;
        FFont = CreateFontIndirectA(&Font);
        FOld = SelectObject(DC, FFont);
    }
    ~TBoldFont()
    {
        SelectObject(FDC, FOld);
        DeleteObject(FFont);
    }
    TBoldFont(const TBoldFont&) = delete;
    TBoldFont& operator=(const TBoldFont&) = delete;

private:
    HDC FDC;
    HFONT FFont;
    HGDIOBJ FOld;
};

// A check mark (a tick) or a radio bullet centred in Box, in Colour.
void DrawCheckMark(HDC DC, const RECT& Box, bool Bullet, COLORREF Colour)
{
    const int X = (Box.left + Box.right) / 2;
    const int Y = (Box.top + Box.bottom) / 2;
    const HPEN Pen = CreatePen(PS_SOLID, 1, Colour);
    const HBRUSH Brush = CreateSolidBrush(Colour);
    const HGDIOBJ OldPen = SelectObject(DC, Pen);
    const HGDIOBJ OldBrush = SelectObject(DC, Brush);
    if (Bullet) {
        Ellipse(DC, X - 3, Y - 3, X + 4, Y + 4);
    } else {
        // Three pixels thick: down-right from the left arm, then up to the right.
        for (int T = 0; T < 3; ++T) {
            const POINT Tick[] = {{X - 4, Y - 1 + T}, {X - 1, Y + 2 + T}, {X + 5, Y - 4 + T}};
            Polyline(DC, Tick, 3);
        }
    }
    SelectObject(DC, OldBrush);
    SelectObject(DC, OldPen);
    DeleteObject(Brush);
    DeleteObject(Pen);
}

// Never freed, for the same reason as the commands.
std::vector<TPopupMenu*>& PopupMenus()
{
    static auto* List = new std::vector<TPopupMenu*>;
    return *List;
}

TMenuItem* FindPopupItem(UINT_PTR Value, TFindItemKind Kind, TMenu** Owner)
{
    for (TPopupMenu* Menu : PopupMenus())
        if (TMenuItem* Item = Menu->FindItem(Value, Kind)) {
            if (Owner)
                *Owner = Menu;
            return Item;
        }
    return nullptr;
}

// The item whose popup (or the menu whose bar) is Menu, for WM_MENUCHAR.
TMenuItem* ItemOfMenuHandle(TMenu* Owner, HMENU Menu)
{
    if (Owner->Items()->HandleAllocated() && Owner->Handle() == Menu)
        return Owner->Items();
    return Owner->FindItem(reinterpret_cast<UINT_PTR>(Menu), fkHandle);
}

// WM_MENUCHAR: owner-drawn items have no text the system could search, so the key is
// matched against the captions' accelerators here.
bool MenuChar(TMenu* Owner, TMessage& Message)
{
    TMenuItem* Parent = ItemOfMenuHandle(Owner, reinterpret_cast<HMENU>(Message.LParam));
    if (!Parent)
        return false;
    const unsigned Key = LOWORD(Message.WParam);
    int Position = 0;
    for (int I = 0; I < Parent->Count(); ++I) {
        TMenuItem* Item = Parent->Items(I);
        if (!Item->Visible())
            continue;
        if (Item->Enabled() && IsAccel(Key, Item->Caption())) {
            Message.Result = MAKELRESULT(Position, MNC_EXECUTE);
            return true;
        }
        ++Position;
    }
    return false;
}

// The popup menus' window: TrackPopupMenu's owner, which receives their owner-draw and
// popup messages.
LRESULT CALLBACK PopupListProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    try {
        TMenu* Owner = nullptr;
        switch (Msg) {
        case WM_INITMENUPOPUP:
            for (TPopupMenu* Menu : PopupMenus())
                if (Menu->DispatchPopup(reinterpret_cast<HMENU>(WParam)))
                    return 0;
            break;
        case WM_DRAWITEM: {
            const auto* Item = reinterpret_cast<const DRAWITEMSTRUCT*>(LParam);
            if (Item->CtlType == ODT_MENU && FindPopupItem(Item->itemID, fkCommand, &Owner) &&
                Owner->DispatchDrawItem(*Item))
                return TRUE;
            break;
        }
        case WM_MEASUREITEM: {
            auto* Item = reinterpret_cast<MEASUREITEMSTRUCT*>(LParam);
            if (Item->CtlType == ODT_MENU && FindPopupItem(Item->itemID, fkCommand, &Owner) &&
                Owner->DispatchMeasureItem(*Item, Wnd))
                return TRUE;
            break;
        }
        case WM_MENUCHAR: {
            TMessage M{Msg, WParam, LParam, 0};
            for (TPopupMenu* Menu : PopupMenus())
                if (MenuChar(Menu, M))
                    return M.Result;
            break;
        }
        }
    } catch (...) {
        if (ThunkExceptionHandler)
            ThunkExceptionHandler();
        return 0;
    }
    return DefWindowProcA(Wnd, Msg, WParam, LParam);
}

HWND PopupListWindow()
{
    static HWND Window = nullptr;
    if (!Window) {
        WNDCLASSA Class{};
        Class.lpfnWndProc = PopupListProc;
        Class.hInstance = GetModuleHandleA(nullptr);
        Class.lpszClassName = "TPopupList";
        RegisterClassA(&Class);
        Window = CreateWindowExA(WS_EX_TOOLWINDOW, "TPopupList", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 Class.hInstance, nullptr);
        if (!Window)
            throw EOutOfResources("Cannot create the popup menu window");
    }
    return Window;
}

// What a form asks of its main menu.
HMENU FormMenuHandle(TComponent* Menu)
{
    return static_cast<TMenu*>(Menu)->Handle();
}

bool FormMenuMessage(TCustomForm* Form, TMessage& Message)
{
    TMainMenu* Menu = Form->Menu();
    if (!Menu)
        return false;
    switch (Message.Msg) {
    case WM_COMMAND:
        return Menu->DispatchCommand(LOWORD(Message.WParam));
    case WM_INITMENUPOPUP:
        return Menu->DispatchPopup(reinterpret_cast<HMENU>(Message.WParam));
    case WM_MENUCHAR:
        return MenuChar(Menu, Message);
    case WM_DRAWITEM:
        if (!Menu->DispatchDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam)))
            return false;
        Message.Result = TRUE;
        return true;
    case WM_MEASUREITEM:
        if (!Menu->DispatchMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam), Form->Handle()))
            return false;
        Message.Result = TRUE;
        return true;
    }
    return false;
}

bool FormIsShortCut(TCustomForm* Form, TMessage& Message)
{
    TMainMenu* Menu = Form->Menu();
    return Menu && Menu->IsShortCut(Message);
}

[[maybe_unused]] const bool HooksInstalled = (FormMenuHooks.MenuHandle = FormMenuHandle,
                                              FormMenuHooks.DispatchMenuMessage = FormMenuMessage,
                                              FormMenuHooks.IsShortCut = FormIsShortCut, true);

} // namespace

LOGFONTA MenuLogFont()
{
    NONCLIENTMETRICSA Metrics{};
    Metrics.cbSize = sizeof Metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof Metrics, &Metrics, 0);
    return Metrics.lfMenuFont;
}

// --- Shortcuts and accelerators ----------------------------------------------------------

TShortCut ShortCut(WORD Key, bool Shift, bool Ctrl, bool Alt)
{
    if (Key > 0xFF)
        return scNone;
    TShortCut Result = Key;
    if (Shift) Result |= scShift;
    if (Ctrl) Result |= scCtrl;
    if (Alt) Result |= scAlt;
    return Result;
}

std::string ShortCutToText(TShortCut Value)
{
    const std::string Name = KeyName(WORD(Value & 0xFF));
    if (Name.empty())
        return "";
    std::string Text;
    for (int I = 0; I < 3; ++I)
        if (Value & ModifierBits[I])
            Text += ModifierNames[I];
    return Text + Name;
}

TShortCut TextToShortCut(const std::string& Text)
{
    TShortCut Modifiers = 0;
    size_t Pos = 0;
    for (bool Found = true; Found;) {
        Found = false;
        for (int I = 0; I < 3; ++I)
            if (StartsWithNoCase(Text, Pos, ModifierNames[I])) {
                Modifiers |= ModifierBits[I];
                Pos += std::string(ModifierNames[I]).size();
                Found = true;
            }
    }
    const std::string Rest = Text.substr(Pos);
    if (Rest.empty())
        return scNone;
    for (unsigned Key = 1; Key <= 0xFF; ++Key)
        if (SameText(KeyName(WORD(Key)), Rest))
            return TShortCut(Key | Modifiers);
    return scNone;
}

char GetHotkey(const std::string& Caption)
{
    for (size_t I = 0; I < Caption.size(); ++I) {
        if (IsLeadByte(Caption[I])) {
            ++I;
            continue;
        }
        if (Caption[I] != '&' || I + 1 >= Caption.size())
            continue;
        const char Next = Caption[I + 1];
        if (Next == '&') {
            ++I;
            continue;
        }
        if (IsLeadByte(Next))
            return 0;
        return char(std::toupper(static_cast<unsigned char>(Next)));
    }
    return 0;
}

bool IsAccel(unsigned Key, const std::string& Caption)
{
    const char Hotkey = GetHotkey(Caption);
    return Hotkey != 0 && Key <= 0xFF && Hotkey == char(std::toupper(int(Key)));
}

std::string StripHotkey(const std::string& Caption)
{
    std::string Result;
    for (size_t I = 0; I < Caption.size(); ++I) {
        if (IsLeadByte(Caption[I]) && I + 1 < Caption.size()) {
            Result += Caption[I];
            Result += Caption[++I];
        } else if (Caption[I] == '&') {
            if (I + 1 < Caption.size() && Caption[I + 1] == '&')
                Result += Caption[++I];
        } else {
            Result += Caption[I];
        }
    }
    return Result;
}

// --- TMenuItem ---------------------------------------------------------------------------

PANTREL_REGISTER(TMenuItem, TComponent,
    PROP_STRING(Caption, Caption, SetCaption),
    PROP_BOOL(Checked, Checked, SetChecked),
    PROP_BOOL(Enabled, Enabled, SetEnabled),
    PROP_BOOL(Visible, Visible, SetVisible),
    PROP_BOOL(Default, Default, SetDefault),
    PROP_BOOL(RadioItem, RadioItem, SetRadioItem),
    PROP_INT(ShortCut, ShortCut, SetShortCut),
    PROP_INT(ImageIndex, ImageIndex, SetImageIndex),
    PROP_ENUM(AutoHotkeys, AutoHotkeys, SetAutoHotkeys),
    PROP_EVENT(OnClick, OnClick),
    PROP_EVENT(OnDrawItem, OnDrawItem),
    PROP_EVENT(OnMeasureItem, OnMeasureItem))

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(AllocateCommand())
{
}

TMenuItem::~TMenuItem()
{
    if (FParent)
        FParent->Remove(this);
    Clear();
    DestroyHandle();
    ReleaseCommand(FCommand);
}

void TMenuItem::SetCaption(const std::string& Value)
{
    ChangeField(FCaption, Value);
}

void TMenuItem::SetChecked(bool Value)
{
    ChangeField(FChecked, Value);
}

void TMenuItem::SetEnabled(bool Value)
{
    ChangeField(FEnabled, Value);
}

void TMenuItem::SetVisible(bool Value)
{
    ChangeField(FVisible, Value);
}

void TMenuItem::SetDefault(bool Value)
{
    if (Value == FDefault)
        return;
    // One default item per popup.
    if (Value && FParent)
        for (TMenuItem* Sibling : FParent->FItems)
            Sibling->FDefault = false;
    FDefault = Value;
    MenuChanged(false);
}

void TMenuItem::SetRadioItem(bool Value)
{
    ChangeField(FRadioItem, Value);
}

void TMenuItem::SetShortCut(TShortCut Value)
{
    ChangeField(FShortCut, Value);
}

void TMenuItem::SetImageIndex(int Value)
{
    ChangeField(FImageIndex, Value);
}

void TMenuItem::SetAutoHotkeys(TMenuAutoFlag Value)
{
    ChangeField(FAutoHotkeys, Value, true);
}

bool TMenuItem::AutoHotkeysOn() const
{
    if (FAutoHotkeys != maParent)
        return FAutoHotkeys == maAutomatic;
    if (FParent)
        return FParent->AutoHotkeysOn();
    return FMenu && FMenu->AutoHotkeys() == maAutomatic;
}

HMENU TMenuItem::Handle()
{
    if (!FHandle) {
        FHandle = FPopupHandle ? CreatePopupMenu() : CreateMenu();
        if (!FHandle)
            throw EOutOfResources("Cannot create a menu");
        RebuildHandle();
    }
    return FHandle;
}

void TMenuItem::DestroyHandle()
{
    if (!FHandle)
        return;
    // Detach the sub-items' popups first: DestroyMenu would destroy them with it.
    while (GetMenuItemCount(FHandle) > 0)
        RemoveMenu(FHandle, 0, MF_BYPOSITION);
    DestroyMenu(FHandle);
    FHandle = nullptr;
}

TMenuItem* TMenuItem::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError("Menu index out of range (" + std::to_string(Index) + ")");
    return FItems[size_t(Index)];
}

int TMenuItem::MenuIndex() const
{
    return FParent ? FParent->IndexOf(this) : -1;
}

int TMenuItem::IndexOf(const TMenuItem* Item) const
{
    const auto It = std::find(FItems.begin(), FItems.end(), Item);
    return It == FItems.end() ? -1 : int(It - FItems.begin());
}

void TMenuItem::Add(TMenuItem* Item)
{
    Insert(Count(), Item);
}

void TMenuItem::Insert(int Index, TMenuItem* Item)
{
    if (Item->FParent)
        throw EInvalidOperation("Menu item '" + Item->Name() + "' is already in a menu");
    if (Index < 0 || Index > Count())
        throw EListError("Menu index out of range (" + std::to_string(Index) + ")");
    for (const TMenuItem* P = this; P; P = P->FParent)
        if (P == Item)
            throw EInvalidOperation("A menu item cannot hold itself");
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* Item)
{
    const int Index = IndexOf(Item);
    if (Index < 0)
        throw EInvalidOperation("Menu item '" + Item->Name() + "' is not in this menu");
    FItems.erase(FItems.begin() + Index);
    Item->FParent = nullptr;
    MenuChanged(true);
}

void TMenuItem::Delete(int Index)
{
    TMenuItem* Item = Items(Index);
    Remove(Item);
}

void TMenuItem::Clear()
{
    while (!FItems.empty())
        delete FItems.back();
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* Item = this;
    while (Item->FParent)
        Item = Item->FParent;
    return Item->FMenu;
}

TImageList* TMenuItem::GetImageList() const
{
    const TMenu* Menu = GetParentMenu();
    return Menu ? Menu->Images() : nullptr;
}

TMenuItem* TMenuItem::Find(UINT_PTR Value, TFindItemKind Kind)
{
    for (TMenuItem* Item : FItems) {
        switch (Kind) {
        case fkCommand:
            if (Item->FCommand == Value)
                return Item;
            break;
        case fkHandle:
            if (Item->FHandle && reinterpret_cast<UINT_PTR>(Item->FHandle) == Value)
                return Item;
            break;
        case fkShortCut:
            if (Item->FShortCut != scNone && Item->FShortCut == Value)
                return Item;
            break;
        }
        if (TMenuItem* Found = Item->Find(Value, Kind))
            return Found;
    }
    return nullptr;
}

void TMenuItem::Click()
{
    if (FEnabled)
        OnClick(this);
}

void TMenuItem::SetParentComponent(TComponent* Value)
{
    if (FParent)
        FParent->Remove(this);
    if (auto* Item = dynamic_cast<TMenuItem*>(Value))
        Item->Add(this);
    else if (auto* Menu = dynamic_cast<TMenu*>(Value))
        Menu->Items()->Add(this);
}

TComponent* TMenuItem::GetParentComponent() const
{
    if (FParent && FParent->FMenu)
        return FParent->FMenu;
    return FParent;
}

void TMenuItem::Loaded()
{
    inherited::Loaded();
    MenuChanged(true);
}

void TMenuItem::MenuChanged(bool Rebuild)
{
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying))
        return;
    if (Rebuild)
        RebuildHandle();
    if (FParent)
        FParent->RebuildHandle();
    if (TMenu* Menu = GetParentMenu())
        Menu->MenuChanged();
}

std::string TMenuItem::DisplayCaption() const
{
    return FAutoCaption.empty() ? FCaption : FAutoCaption;
}

void TMenuItem::RebuildHandle()
{
    if (!FHandle)
        return;
    while (GetMenuItemCount(FHandle) > 0)
        RemoveMenu(FHandle, 0, MF_BYPOSITION);

    // Automatic accelerators: an item without one gets the first letter or digit of its
    // caption that no sibling uses yet.
    std::string Used;
    for (TMenuItem* Item : FItems) {
        Item->FAutoCaption.clear();
        if (const char Key = GetHotkey(Item->FCaption))
            Used += Key;
    }
    for (TMenuItem* Item : FItems) {
        if (!Item->AutoHotkeysOn() || !Item->FVisible || Item->IsLine() || GetHotkey(Item->FCaption))
            continue;
        const std::string& C = Item->FCaption;
        for (size_t I = 0; I < C.size(); ++I) {
            if (IsLeadByte(C[I])) {
                ++I;
                continue;
            }
            const char Key = char(std::toupper(static_cast<unsigned char>(C[I])));
            if (std::isalnum(static_cast<unsigned char>(Key)) && Used.find(Key) == std::string::npos) {
                Used += Key;
                Item->FAutoCaption = C.substr(0, I) + "&" + C.substr(I);
                break;
            }
        }
    }

    const TMenu* Menu = GetParentMenu();
    const bool RightToLeft = Menu && Menu->IsRightToLeft();
    for (TMenuItem* Item : FItems)
        Item->AppendTo(FHandle, RightToLeft);
}

void TMenuItem::AppendTo(HMENU Menu, bool RightToLeft)
{
    if (!FVisible)
        return;
    const TMenu* ParentMenu = GetParentMenu();
    const bool OwnerDrawn = ParentMenu && ParentMenu->OwnerDraw();
    const bool OnBar = FParent && !FParent->FPopupHandle;

    std::string Text = DisplayCaption();
    if (FShortCut != scNone && !OnBar)
        Text += "\t" + ShortCutToText(FShortCut);

    MENUITEMINFOA Info{};
    Info.cbSize = sizeof Info;
    Info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
    if (IsLine())
        Info.fType |= MFT_SEPARATOR;
    if (FRadioItem)
        Info.fType |= MFT_RADIOCHECK;
    if (OwnerDrawn)
        Info.fType |= MFT_OWNERDRAW;
    else if (!IsLine()) {
        Info.fMask |= MIIM_STRING;
        Info.dwTypeData = Text.data();
        Info.cch = UINT(Text.size());
    }
    if (RightToLeft)
        Info.fType |= OnBar ? MFT_RIGHTJUSTIFY | MFT_RIGHTORDER : MFT_RIGHTORDER;
    if (FChecked)
        Info.fState |= MFS_CHECKED;
    if (!FEnabled)
        Info.fState |= MFS_DISABLED;
    if (FDefault)
        Info.fState |= MFS_DEFAULT;
    Info.wID = FCommand;
    Info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    Info.hSubMenu = FItems.empty() ? nullptr : Handle();
    InsertMenuItemA(Menu, UINT(GetMenuItemCount(Menu)), TRUE, &Info);
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height)
{
    const HDC DC = ACanvas->Handle();
    const TImageList* Images = GetImageList();
    const bool OnBar = FParent && !FParent->FPopupHandle;
    if (IsLine()) {
        Width = 10;
        Height = 5;
    } else {
        SIZE Text{};
        const std::string Caption = StripHotkey(DisplayCaption());
        GetTextExtentPoint32A(DC, Caption.c_str(), int(Caption.size()), &Text);
        if (OnBar) {
            Width = Text.cx + 6;
            Height = Text.cy + 4;
        } else {
            const int Glyph = Images ? std::max(16, Images->Width()) : 16;
            const int GlyphHeight = Images ? std::max(16, Images->Height()) : 16;
            Width = 4 + Glyph + 6 + Text.cx + 10;
            if (FShortCut != scNone) {
                SIZE Key{};
                const std::string KeyText = ShortCutToText(FShortCut);
                GetTextExtentPoint32A(DC, KeyText.c_str(), int(KeyText.size()), &Key);
                Width += Key.cx + 16;
            }
            Height = std::max(GlyphHeight + 4, int(Text.cy) + 4);
        }
    }
    OnMeasureItem(this, ACanvas, Width, Height);
}

void TMenuItem::DrawItem(TCanvas* ACanvas, const RECT& ARect, bool Selected)
{
    if (OnDrawItem.Assigned())
        OnDrawItem(this, ACanvas, ARect, Selected);
    else
        DrawDefault(ACanvas->Handle(), ARect, Selected);
}

void TMenuItem::DrawDefault(HDC DC, const RECT& R, bool Selected)
{
    const TMenu* Menu = GetParentMenu();
    const bool RightToLeft = Menu && Menu->IsRightToLeft();
    TImageList* Images = GetImageList();
    const bool OnBar = FParent && !FParent->FPopupHandle;

    const HBRUSH Back = GetSysColorBrush(Selected && FEnabled ? COLOR_HIGHLIGHT : COLOR_MENU);
    FillRect(DC, &R, Back);
    if (IsLine()) {
        RECT Line{R.left + 2, (R.top + R.bottom) / 2 - 1, R.right - 2, R.bottom};
        DrawEdge(DC, &Line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const int OldMode = SetBkMode(DC, TRANSPARENT);
    const COLORREF OldColor = SetTextColor(
        DC, GetSysColor(!FEnabled ? COLOR_GRAYTEXT : Selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    const UINT Reading = RightToLeft ? DT_RTLREADING : 0;
    std::string Caption = DisplayCaption();

    if (OnBar) {
        RECT Text = R;
        DrawTextA(DC, Caption.c_str(), int(Caption.size()), &Text,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | Reading);
    } else {
        const int Glyph = Images ? std::max(16, Images->Width()) : 16;
        RECT Box{R.left + 2, R.top, R.left + 2 + Glyph, R.bottom};
        if (RightToLeft)
            Box = RECT{R.right - 2 - Glyph, R.top, R.right - 2, R.bottom};
        const int BoxTop = R.top + (R.bottom - R.top - Glyph) / 2;
        if (Images && FImageIndex >= 0 && FImageIndex < Images->Count()) {
            TDCCanvas Canvas(DC);
            Images->Draw(*Canvas.Get(), Box.left, BoxTop, FImageIndex, FEnabled);
        } else if (FChecked) {
            DrawCheckMark(DC, RECT{Box.left, BoxTop, Box.right, BoxTop + Glyph}, FRadioItem, GetTextColor(DC));
        }
        RECT Text = RightToLeft ? RECT{R.left + 10, R.top, Box.left - 6, R.bottom}
                                : RECT{Box.right + 6, R.top, R.right - 10, R.bottom};
        const UINT Format = DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | Reading;
        {
            std::unique_ptr<TBoldFont> Bold;
            if (FDefault)
                Bold = std::make_unique<TBoldFont>(DC);
            DrawTextA(DC, Caption.c_str(), int(Caption.size()), &Text,
                      Format | (RightToLeft ? DT_RIGHT : DT_LEFT));
        }
        if (FShortCut != scNone) {
            const std::string KeyText = ShortCutToText(FShortCut);
            DrawTextA(DC, KeyText.c_str(), int(KeyText.size()), &Text,
                      Format | DT_NOPREFIX | (RightToLeft ? DT_LEFT : DT_RIGHT));
        }
    }
    SetTextColor(DC, OldColor);
    SetBkMode(DC, OldMode);
}

// --- TMenu -------------------------------------------------------------------------------

PANTREL_REGISTER(TMenu, TComponent,
    PROP_BOOL(OwnerDraw, OwnerDraw, SetOwnerDraw),
    PROP_COMPONENT(Images, Images, SetImages),
    PROP_ENUM(AutoHotkeys, AutoHotkeys, SetAutoHotkeys),
    PROP_ENUM(BiDiMode, BiDiMode, SetBiDiMode))

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr))
{
    FItems->FMenu = this;
}

TMenu::~TMenu()
{
    delete FItems;
}

void TMenu::SetOwnerDraw(bool Value)
{
    if (Value == FOwnerDraw)
        return;
    FOwnerDraw = Value;
    FItems->MenuChanged(true);
}

void TMenu::SetImages(TImageList* Value)
{
    if (Value == FImages)
        return;
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages)
        FImages->FreeNotification(this);
    FItems->MenuChanged(true);
}

void TMenu::SetAutoHotkeys(TMenuAutoFlag Value)
{
    if (Value == FAutoHotkeys)
        return;
    FAutoHotkeys = Value;
    FItems->MenuChanged(true);
}

void TMenu::SetBiDiMode(TBiDiMode Value)
{
    if (Value == FBiDiMode)
        return;
    FBiDiMode = Value;
    FItems->MenuChanged(true);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages)
        FImages = nullptr;
}

TMenuItem* TMenu::FindItem(UINT_PTR Value, TFindItemKind Kind) const
{
    return FItems->Find(Value, Kind);
}

bool TMenu::DispatchCommand(WORD Command)
{
    TMenuItem* Item = FindItem(Command, fkCommand);
    if (!Item)
        return false;
    Item->Click();
    return true;
}

bool TMenu::DispatchPopup(HMENU Menu)
{
    TMenuItem* Item = FindItem(reinterpret_cast<UINT_PTR>(Menu), fkHandle);
    if (!Item || Item->FHandle != Menu)
        return false;
    Item->Click();
    return true;
}

bool TMenu::DispatchDrawItem(const DRAWITEMSTRUCT& Item)
{
    TMenuItem* MenuItem = FindItem(Item.itemID, fkCommand);
    if (!MenuItem)
        return false;
    const int Saved = SaveDC(Item.hDC);
    {
        TDCCanvas Canvas(Item.hDC);
        Canvas->Font()->SetLogFont(MenuLogFont());
        MenuItem->DrawItem(Canvas.Get(), Item.rcItem, (Item.itemState & ODS_SELECTED) != 0);
    }
    RestoreDC(Item.hDC, Saved);
    return true;
}

bool TMenu::DispatchMeasureItem(MEASUREITEMSTRUCT& Item, HWND Window)
{
    TMenuItem* MenuItem = FindItem(Item.itemID, fkCommand);
    if (!MenuItem)
        return false;
    int Width = int(Item.itemWidth), Height = int(Item.itemHeight);
    {
        TWindowDC DC(Window);
        TDCCanvas Canvas(DC.Handle());
        Canvas->Font()->SetLogFont(MenuLogFont());
        MenuItem->MeasureItem(Canvas.Get(), Width, Height);
    }
    Item.itemWidth = UINT(std::max(0, Width));
    Item.itemHeight = UINT(std::max(0, Height));
    return true;
}

bool TMenu::IsShortCut(const TMessage& Message)
{
    if (Message.Msg != WM_KEYDOWN && Message.Msg != WM_SYSKEYDOWN && Message.Msg != CN_KEYDOWN &&
        Message.Msg != CN_SYSKEYDOWN)
        return false;
    const bool Alt = (Message.LParam & (1 << 29)) != 0;
    const TShortCut Key = ShortCut(WORD(Message.WParam), GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, Alt);
    if (Key == scNone || (Key & 0xFF) == 0)
        return false;
    TMenuItem* Item = FindItem(Key, fkShortCut);
    if (!Item)
        return false;
    for (const TMenuItem* I = Item; I; I = I->Parent())
        if (!I->Enabled() || !I->Visible())
            return false;
    Item->Click();
    return true;
}

// --- TMainMenu, TPopupMenu ---------------------------------------------------------------

PANTREL_REGISTER(TMainMenu, TMenu)

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner)
{
    SetRootPopup(false);
}

void TMainMenu::MenuChanged()
{
    if (!Screen)
        return;
    for (int I = 0; I < Screen->FormCount(); ++I) {
        TCustomForm* Form = Screen->Forms(I);
        // Through the window, so that whoever subclassed it hears of the change too.
        if (Form->MenuComponent() == this && Form->HandleAllocated())
            SendMessageA(Form->Handle(), CM_MENUCHANGED, 0, 0);
    }
}

PANTREL_REGISTER(TPopupMenu, TMenu,
    PROP_ENUM(Alignment, Alignment, SetAlignment),
    PROP_EVENT(OnPopup, OnPopup))

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner)
{
    PopupMenus().push_back(this);
}

TPopupMenu::~TPopupMenu()
{
    auto& List = PopupMenus();
    List.erase(std::remove(List.begin(), List.end(), this), List.end());
}

void TPopupMenu::Popup(int X, int Y)
{
    OnPopup(this);
    static const UINT AlignFlags[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
    UINT Flags = TPM_RIGHTBUTTON | TPM_RETURNCMD | AlignFlags[FAlignment];
    if (IsRightToLeft())
        Flags |= TPM_LAYOUTRTL;
    const HWND Window = PopupListWindow();
    const UINT Command = UINT(TrackPopupMenu(Handle(), Flags, X, Y, 0, Window, nullptr));
    if (Command != 0)
        DispatchCommand(WORD(Command));
}
