#include "framework/ui/HeaderControl.h"

#include <commctrl.h>

#include <algorithm>

// --- THeaderSection --------------------------------------------------------------------------

PANTREL_REGISTER(THeaderSection, TComponent,
    PROP_STRING(Text, Text, SetText),
    PROP_INT(Width, Width, SetWidth))

THeaderSection::THeaderSection(TComponent* AOwner) : TComponent(AOwner) {}

THeaderSection::~THeaderSection()
{
    if (FHeader)
        FHeader->Detach(this);
}

int THeaderSection::Index() const
{
    if (!FHeader)
        return -1;
    for (int I = 0; I < FHeader->SectionCount(); ++I)
        if (FHeader->Sections(I) == this)
            return I;
    return -1;
}

void THeaderSection::SetText(const std::string& Value)
{
    FText = Value;
    Changed();
}

void THeaderSection::SetWidth(int Value)
{
    FWidth = Value;
    Changed();
}

void THeaderSection::Changed()
{
    if (FHeader)
        FHeader->UpdateSections();
}

void THeaderSection::SetParentComponent(TComponent* Value)
{
    if (auto* Header = dynamic_cast<THeaderControl*>(Value))
        Header->Attach(this);
    else if (FHeader)
        FHeader->Detach(this);
}

TComponent* THeaderSection::GetParentComponent() const
{
    return FHeader;
}

// --- THeaderControl --------------------------------------------------------------------------

PANTREL_REGISTER(THeaderControl, TWinControl)

THeaderControl::THeaderControl(TComponent* AOwner) : TWinControl(AOwner)
{
    SetBounds(0, 0, 200, 17);
    SetAlign(alTop);
}

THeaderControl::~THeaderControl()
{
    Destroying();
    DestroyHandle();
    // The sections go with their header, whoever owns them.
    while (!FSections.empty())
        delete FSections.back();
}

THeaderSection* THeaderControl::Sections(int Index) const
{
    if (Index < 0 || Index >= SectionCount())
        throw EListError("Header section index out of range (" + std::to_string(Index) + ")");
    return FSections[size_t(Index)];
}

THeaderSection* THeaderControl::AddSection(const std::string& Text, int Width)
{
    auto* Section = new THeaderSection(this);
    Section->FText = Text;
    Section->FWidth = Width;
    Attach(Section);
    return Section;
}

void THeaderControl::Attach(THeaderSection* Section)
{
    if (Section->FHeader)
        Section->FHeader->Detach(Section);
    FSections.push_back(Section);
    Section->FHeader = this;
    UpdateSections();
}

void THeaderControl::Detach(THeaderSection* Section)
{
    FSections.erase(std::remove(FSections.begin(), FSections.end(), Section), FSections.end());
    Section->FHeader = nullptr;
    UpdateSections();
}

void THeaderControl::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_HEADERA);
    Params.Style |= HDS_BUTTONS | HDS_HORZ | CCS_NOPARENTALIGN | CCS_NORESIZE;
}

void THeaderControl::CreateHandleDone()
{
    UpdateSections();
}

void THeaderControl::UpdateSections()
{
    if (!FHandle || ComponentState().Contains(csDestroying))
        return;
    for (LRESULT N = SendMessageA(FHandle, HDM_GETITEMCOUNT, 0, 0); N > 0; --N)
        SendMessageA(FHandle, HDM_DELETEITEM, 0, 0);
    for (size_t I = 0; I < FSections.size(); ++I) {
        HDITEMA Item{};
        Item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        Item.fmt = HDF_LEFT | HDF_STRING;
        Item.cxy = FSections[I]->FWidth;
        Item.pszText = const_cast<char*>(FSections[I]->FText.c_str());
        SendMessageA(FHandle, HDM_INSERTITEMA, WPARAM(I), reinterpret_cast<LPARAM>(&Item));
    }
}

void THeaderControl::Dispatch(TMessage& Message)
{
    if (Message.Msg != CN_NOTIFY) {
        TWinControl::Dispatch(Message);
        return;
    }
    const auto* Note = reinterpret_cast<const NMHEADERA*>(Message.LParam);
    if ((Note->hdr.code == UINT(HDN_ITEMCLICKA) || Note->hdr.code == UINT(HDN_ITEMCLICKW)) && Note->iItem >= 0 &&
        Note->iItem < SectionCount())
        OnSectionClick(this, FSections[size_t(Note->iItem)]);
    Message.Result = 0;
}
