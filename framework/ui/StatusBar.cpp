#include "framework/ui/StatusBar.h"

#include <algorithm>

#include <commctrl.h>

// --- TStatusPanel ------------------------------------------------------------------------

PANTREL_REGISTER(TStatusPanel, TComponent,
    PROP_INT(Width, Width, SetWidth),
    PROP_STRING(Text, Text, SetText),
    PROP_ENUM(Bevel, Bevel, SetBevel),
    PROP_ENUM(Alignment, Alignment, SetAlignment),
    PROP_ENUM(BiDiMode, BiDiMode, SetBiDiMode))

TStatusPanel::TStatusPanel(TComponent* AOwner) : TComponent(AOwner)
{
}

TStatusPanel::~TStatusPanel()
{
    if (FStatusBar)
        FStatusBar->Panels()->Detach(this);
}

int TStatusPanel::Index() const
{
    return FStatusBar ? FStatusBar->Panels()->IndexOf(this) : -1;
}

void TStatusPanel::SetWidth(int Value)
{
    FWidth = Value;
    Changed();
}

void TStatusPanel::SetText(const std::string& Value)
{
    FText = Value;
    Changed();
}

void TStatusPanel::SetBevel(TStatusPanelBevel Value)
{
    FBevel = Value;
    Changed();
}

void TStatusPanel::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Changed();
}

void TStatusPanel::SetBiDiMode(TBiDiMode Value)
{
    FBiDiMode = Value;
    Changed();
}

void TStatusPanel::Changed()
{
    if (FStatusBar)
        FStatusBar->UpdatePanels();
}

void TStatusPanel::SetParentComponent(TComponent* Value)
{
    if (FStatusBar)
        FStatusBar->Panels()->Detach(this);
    if (auto* Bar = dynamic_cast<TStatusBar*>(Value))
        Bar->Panels()->Attach(this);
}

TComponent* TStatusPanel::GetParentComponent() const
{
    return FStatusBar;
}

// --- TStatusPanels -----------------------------------------------------------------------

PANTREL_REGISTER(TStatusPanels, TPersistent)

TStatusPanel* TStatusPanels::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError("Status panel index out of range (" + std::to_string(Index) + ")");
    return FItems[size_t(Index)];
}

int TStatusPanels::IndexOf(const TStatusPanel* Panel) const
{
    const auto It = std::find(FItems.begin(), FItems.end(), Panel);
    return It == FItems.end() ? -1 : int(It - FItems.begin());
}

TStatusPanel* TStatusPanels::Add()
{
    auto* Panel = new TStatusPanel(FStatusBar);
    Attach(Panel);
    return Panel;
}

void TStatusPanels::Attach(TStatusPanel* Panel)
{
    if (Panel->FStatusBar)
        throw EInvalidOperation("Status panel '" + Panel->Name() + "' is already on a status bar");
    FItems.push_back(Panel);
    Panel->FStatusBar = FStatusBar;
    FStatusBar->UpdatePanels();
}

void TStatusPanels::Detach(TStatusPanel* Panel)
{
    FItems.erase(std::remove(FItems.begin(), FItems.end(), Panel), FItems.end());
    Panel->FStatusBar = nullptr;
    FStatusBar->UpdatePanels();
}

void TStatusPanels::Delete(int Index)
{
    delete Items(Index);
}

void TStatusPanels::Clear()
{
    while (!FItems.empty())
        delete FItems.back();
}

// --- TStatusBar --------------------------------------------------------------------------

PANTREL_REGISTER(TStatusBar, TWinControl,
    PROP_BOOL(SimplePanel, SimplePanel, SetSimplePanel),
    PROP_STRING(SimpleText, SimpleText, SetSimpleText),
    PROP_BOOL(SizeGrip, SizeGrip, SetSizeGrip))

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner), FPanels(this)
{
    SetBounds(0, 0, 200, 19);
    SetAlign(alBottom);
    SetColor(clBtnFace);
}

TStatusBar::~TStatusBar()
{
    Destroying();
    DestroyHandle();
    // The panels go with their bar, whoever owns them.
    FPanels.Clear();
}

void TStatusBar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, STATUSCLASSNAMEA);
    Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
    if (FSizeGrip)
        Params.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::CreateHandleDone()
{
    UpdatePanels();
    UpdateSimpleText();
    SendMessageA(FHandle, SB_SIMPLE, FSimplePanel, 0);
}

void TStatusBar::SetSimplePanel(bool Value)
{
    FSimplePanel = Value;
    if (FHandle)
        SendMessageA(FHandle, SB_SIMPLE, Value, 0);
}

void TStatusBar::SetSimpleText(const std::string& Value)
{
    FSimpleText = Value;
    UpdateSimpleText();
}

void TStatusBar::UpdateSimpleText()
{
    if (FHandle)
        SendMessageA(FHandle, SB_SETTEXTA, SB_SIMPLEID | SBT_NOBORDERS, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
}

void TStatusBar::SetSizeGrip(bool Value)
{
    if (Value == FSizeGrip)
        return;
    FSizeGrip = Value;
    RecreateWnd();
}

void TStatusBar::UpdatePanels()
{
    if (!FHandle || ComponentState().Contains(csDestroying))
        return;
    const int Count = FPanels.Count();
    std::vector<int> Edges(size_t(std::max(Count, 1)), -1);
    int Edge = 0;
    for (int I = 0; I + 1 < Count; ++I) {
        Edge += std::max(0, FPanels.Items(I)->Width());
        Edges[size_t(I)] = Edge;
    }
    SendMessageA(FHandle, SB_SETPARTS, WPARAM(Edges.size()), reinterpret_cast<LPARAM>(Edges.data()));
    for (int I = 0; I < Count; ++I) {
        const TStatusPanel* Panel = FPanels.Items(I);
        WPARAM Flags = WPARAM(I);
        if (Panel->Bevel() == pbNone)
            Flags |= SBT_NOBORDERS;
        else if (Panel->Bevel() == pbRaised)
            Flags |= SBT_POPOUT;
        if (Panel->IsRightToLeft())
            Flags |= SBT_RTLREADING;
        // The control centres text after one tab and right-aligns it after two.
        const UINT Align = AlignmentToDrawText(Panel->Alignment(), Panel->IsRightToLeft());
        const std::string Text = (Align == DT_CENTER ? "\t" : Align == DT_RIGHT ? "\t\t" : "") + Panel->Text();
        SendMessageA(FHandle, SB_SETTEXTA, Flags, reinterpret_cast<LPARAM>(Text.c_str()));
    }
}
