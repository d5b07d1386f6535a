#include "framework/ui/ListView.h"

#include <commctrl.h>

#include <cstdlib>

PANTREL_REGISTER(TListView, TWinControl,
    PROP_ENUM(ViewStyle, ViewStyle, SetViewStyle),
    PROP_STRINGS(Columns, Columns),
    PROP_STRINGS(Items, Items),
    PROP_INT(ItemIndex, ItemIndex, SetItemIndex))

namespace {

const DWORD ViewStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};

// The tab-separated cells of an item line.
std::vector<std::string> Cells(const std::string& Line)
{
    std::vector<std::string> Result;
    size_t Start = 0;
    for (;;) {
        const size_t Tab = Line.find('\t', Start);
        Result.push_back(Line.substr(Start, Tab == std::string::npos ? std::string::npos : Tab - Start));
        if (Tab == std::string::npos)
            return Result;
        Start = Tab + 1;
    }
}

}  // namespace

TListView::TListView(TComponent* AOwner) : TWinControl(AOwner)
{
    SetBounds(0, 0, 250, 150);
    SetColor(clWindow);
    SetTabStop(true);
    FColumns.OnChange = TNotifyEvent(this, &TListView::ColumnsChanged);
    FItems.OnChange = TNotifyEvent(this, &TListView::ItemsChanged);
}

void TListView::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_LISTVIEWA);
    Params.Style |= ViewStyles[FViewStyle] | LVS_SHOWSELALWAYS | LVS_SINGLESEL;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::CreateHandleDone()
{
    SendMessageA(FHandle, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    FillColumns();
    FillItems();
    SetItemIndex(FItemIndex);
}

void TListView::DestroyWnd()
{
    FItemIndex = ItemIndex();
    TWinControl::DestroyWnd();
}

void TListView::SetViewStyle(TViewStyle Value)
{
    FViewStyle = Value;
    if (!FHandle)
        return;
    const LONG_PTR Style = GetWindowLongPtrA(FHandle, GWL_STYLE);
    SetWindowLongPtrA(FHandle, GWL_STYLE, (Style & ~LONG_PTR(LVS_TYPEMASK)) | LONG_PTR(ViewStyles[Value]));
}

void TListView::AddColumn(const std::string& Caption, int Width)
{
    FColumns.Add(Caption + "=" + std::to_string(Width));
}

void TListView::AddItem(const std::string& Caption, const std::vector<std::string>& SubItems)
{
    std::string Line = Caption;
    for (const std::string& S : SubItems)
        Line += "\t" + S;
    FItems.Add(Line);
}

int TListView::ItemIndex() const
{
    if (!FHandle)
        return FItemIndex;
    return int(SendMessageA(FHandle, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

void TListView::SetItemIndex(int Value)
{
    FItemIndex = Value;
    if (!FHandle)
        return;
    LVITEMA Item{};
    Item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(FHandle, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&Item));
    if (Value < 0)
        return;
    Item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(FHandle, LVM_SETITEMSTATE, WPARAM(Value), reinterpret_cast<LPARAM>(&Item));
}

HWND TListView::HeaderHandle()
{
    return reinterpret_cast<HWND>(SendMessageA(Handle(), LVM_GETHEADER, 0, 0));
}

void TListView::ColumnsChanged(TObject*)
{
    if (FHandle) {
        FillColumns();
        FillItems();
    }
}

void TListView::ItemsChanged(TObject*)
{
    if (FHandle)
        FillItems();
}

void TListView::FillColumns()
{
    while (SendMessageA(FHandle, LVM_DELETECOLUMN, 0, 0)) {
    }
    for (int I = 0; I < FColumns.Count(); ++I) {
        const std::string Line = FColumns.Get(I);
        const size_t Equals = Line.rfind('=');
        std::string Caption = Line.substr(0, Equals);
        LVCOLUMNA Column{};
        Column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        Column.pszText = Caption.data();
        Column.cx = Equals == std::string::npos ? 80 : std::atoi(Line.c_str() + Equals + 1);
        Column.iSubItem = I;
        SendMessageA(FHandle, LVM_INSERTCOLUMNA, WPARAM(I), reinterpret_cast<LPARAM>(&Column));
    }
}

void TListView::FillItems()
{
    SendMessageA(FHandle, LVM_DELETEALLITEMS, 0, 0);
    for (int I = 0; I < FItems.Count(); ++I) {
        std::vector<std::string> Line = Cells(FItems.Get(I));
        LVITEMA Item{};
        Item.mask = LVIF_TEXT;
        Item.iItem = I;
        Item.pszText = Line[0].data();
        SendMessageA(FHandle, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&Item));
        for (size_t Sub = 1; Sub < Line.size(); ++Sub) {
            Item.iSubItem = int(Sub);
            Item.pszText = Line[Sub].data();
            SendMessageA(FHandle, LVM_SETITEMTEXTA, WPARAM(I), reinterpret_cast<LPARAM>(&Item));
        }
    }
}
