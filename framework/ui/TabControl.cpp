#include "framework/ui/TabControl.h"

#include <commctrl.h>

#include <algorithm>

PANTREL_REGISTER(TCustomTabControl, TWinControl,
    PROP_ENUM(TabPosition, TabPosition, SetTabPosition),
    PROP_BOOL(MultiLine, MultiLine, SetMultiLine),
    PROP_BOOL(HotTrack, HotTrack, SetHotTrack),
    PROP_EVENT(OnChange, OnChange))

PANTREL_REGISTER(TTabControl, TCustomTabControl,
    PROP_STRINGS(Tabs, Tabs),
    PROP_INT(TabIndex, TabIndex, SetTabIndex))

PANTREL_REGISTER(TTabSheet, TWinControl,
    PROP_COMPONENT(PageControl, PageControl, SetPageControl))

PANTREL_REGISTER(TPageControl, TCustomTabControl,
    PROP_COMPONENT(ActivePage, ActivePage, SetActivePage))

// --- TCustomTabControl ---------------------------------------------------------------------

TCustomTabControl::TCustomTabControl(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

DWORD TCustomTabControl::StyleBits() const
{
    // The system control lays tabs on the sides only in several rows.
    DWORD Style = FMultiLine || FTabPosition == tpLeft || FTabPosition == tpRight ? TCS_MULTILINE : 0;
    if (FHotTrack)
        Style |= TCS_HOTTRACK;
    switch (FTabPosition) {
    case tpBottom:
        Style |= TCS_BOTTOM;
        break;
    case tpLeft:
        Style |= TCS_VERTICAL;
        break;
    case tpRight:
        Style |= TCS_VERTICAL | TCS_RIGHT;
        break;
    default:
        break;
    }
    return Style;
}

void TCustomTabControl::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_TABCONTROLA);
    Params.Style |= StyleBits();
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TCustomTabControl::CreateHandleDone()
{
    UpdateTabs();
}

void TCustomTabControl::DestroyWnd()
{
    FTabIndex = TabIndex();
    TWinControl::DestroyWnd();
}

void TCustomTabControl::UpdateTabs()
{
    if (!FHandle)
        return;
    const int Selected = TabIndex();
    SendMessageA(FHandle, TCM_DELETEALLITEMS, 0, 0);
    const std::vector<std::string> Texts = TabTexts();
    for (size_t I = 0; I < Texts.size(); ++I) {
        TCITEMA Item{};
        Item.mask = TCIF_TEXT;
        Item.pszText = const_cast<char*>(Texts[I].c_str());
        SendMessageA(FHandle, TCM_INSERTITEMA, I, reinterpret_cast<LPARAM>(&Item));
    }
    const int Wanted = Selected >= 0 ? Selected : FTabIndex;
    SendMessageA(FHandle, TCM_SETCURSEL, WPARAM(std::min(Wanted, int(Texts.size()) - 1)), 0);
    Invalidate();
}

int TCustomTabControl::TabIndex() const
{
    if (!FHandle)
        return FTabIndex;
    return int(SendMessageA(FHandle, TCM_GETCURSEL, 0, 0));
}

void TCustomTabControl::SetTabIndex(int Value)
{
    FTabIndex = Value;
    if (FHandle)
        SendMessageA(FHandle, TCM_SETCURSEL, WPARAM(Value), 0);
}

void TCustomTabControl::SetTabPosition(TTabPosition Value)
{
    FTabPosition = Value;
    // The system control lays its tabs out for its style only when it is made.
    RecreateWnd();
}

void TCustomTabControl::SetMultiLine(bool Value)
{
    FMultiLine = Value;
    RecreateWnd();
}

void TCustomTabControl::SetHotTrack(bool Value)
{
    FHotTrack = Value;
    RecreateWnd();
}

RECT TCustomTabControl::DisplayRect()
{
    RECT R = ClientRect();
    SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&R));
    return R;
}

RECT TCustomTabControl::TabRect(int Index)
{
    RECT R{};
    if (!SendMessageA(Handle(), TCM_GETITEMRECT, WPARAM(Index), reinterpret_cast<LPARAM>(&R)))
        return RECT{};
    return R;
}

void TCustomTabControl::Change()
{
    OnChange(this);
}

void TCustomTabControl::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_NOTIFY) {
        const auto* Header = reinterpret_cast<const NMHDR*>(Message.LParam);
        if (Header->code == UINT(TCN_SELCHANGE)) {
            FTabIndex = TabIndex();
            Change();
        }
        Message.Result = 0;  // a change is never refused
        return;
    }
    TWinControl::Dispatch(Message);
}

// --- TTabControl ---------------------------------------------------------------------------

TTabControl::TTabControl(TComponent* AOwner) : TCustomTabControl(AOwner)
{
    FTabs.OnChange = TNotifyEvent(this, &TTabControl::TabsChanged);
}

std::vector<std::string> TTabControl::TabTexts() const
{
    std::vector<std::string> Texts;
    for (int I = 0; I < FTabs.Count(); ++I)
        Texts.push_back(FTabs.Get(I));
    return Texts;
}

void TTabControl::TabsChanged(TObject*)
{
    UpdateTabs();
}

// --- TTabSheet ------------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetVisible(false);
}

TTabSheet::~TTabSheet()
{
    if (FPageControl)
        FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value)
{
    SetParent(Value);
}

int TTabSheet::PageIndex() const
{
    if (!FPageControl)
        return -1;
    const auto& Pages = FPageControl->FPages;
    return int(std::find(Pages.begin(), Pages.end(), this) - Pages.begin());
}

void TTabSheet::SetParent(TWinControl* AParent)
{
    if (FPageControl && FPageControl != AParent) {
        FPageControl->RemovePage(this);
        FPageControl = nullptr;
    }
    TWinControl::SetParent(AParent);
    auto* Pages = dynamic_cast<TPageControl*>(AParent);
    if (Pages && !FPageControl) {
        FPageControl = Pages;
        Pages->InsertPage(this);
    }
}

void TTabSheet::SetTextValue(const std::string& Value)
{
    TWinControl::SetTextValue(Value);
    if (FPageControl)
        FPageControl->PageCaptionChanged();
}

// --- TPageControl ---------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}

TPageControl::~TPageControl()
{
    // The sheets go with their parent; they need not find their way back.
    for (TTabSheet* Page : FPages)
        Page->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
}

std::vector<std::string> TPageControl::TabTexts() const
{
    std::vector<std::string> Texts;
    for (const TTabSheet* Page : FPages)
        Texts.push_back(Page->Caption());
    return Texts;
}

void TPageControl::InsertPage(TTabSheet* Page)
{
    FPages.push_back(Page);
    UpdateTabs();
    if (!FActivePage)
        SetActivePage(Page);
    else
        ArrangePages();
}

void TPageControl::RemovePage(TTabSheet* Page)
{
    const auto It = std::find(FPages.begin(), FPages.end(), Page);
    if (It == FPages.end())
        return;
    const size_t Index = size_t(It - FPages.begin());
    FPages.erase(It);
    if (FActivePage == Page)
        FActivePage = FPages.empty() ? nullptr : FPages[std::min(Index, FPages.size() - 1)];
    UpdateTabs();
    SetTabIndex(FActivePage ? FActivePage->PageIndex() : -1);
    ArrangePages();
}

void TPageControl::PageCaptionChanged()
{
    UpdateTabs();
    ArrangePages();
}

void TPageControl::SetActivePage(TTabSheet* Value)
{
    if (Value && Value->FPageControl != this)
        return;
    FActivePage = Value;
    SetTabIndex(Value ? Value->PageIndex() : -1);
    ArrangePages();
}

void TPageControl::Change()
{
    const int Index = TabIndex();
    FActivePage = Index >= 0 && Index < PageCount() ? FPages[size_t(Index)] : nullptr;
    ArrangePages();
    TCustomTabControl::Change();
}

void TPageControl::ArrangePages()
{
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying))
        return;
    const RECT R = HandleAllocated() ? DisplayRect() : RECT{};
    for (TTabSheet* Page : FPages) {
        if (HandleAllocated())
            Page->SetBoundsRect(R);
        Page->SetVisible(Page == FActivePage);
    }
}

void TPageControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TCustomTabControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    ArrangePages();
}

void TPageControl::CreateHandleDone()
{
    TCustomTabControl::CreateHandleDone();
    ArrangePages();
}

void TPageControl::Loaded()
{
    TCustomTabControl::Loaded();
    SetActivePage(FActivePage);
}
