// Owner-drawn menu items that reach the window: the items of popups opened from the skinned
// bar (made owner-drawn so that the skin can paint them). Items of the framework's menus are
// measured and drawn by the framework; any other item (an MDI window list, a bare window's
// menu) is measured from its text and drawn plainly here.
#include <algorithm>

#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHolders.h"
#include "framework/ui/Menus.h"
#include "skin/form/SkinForm.h"

namespace {

// Room left of an item's text for a check mark, and the height of a separator.
constexpr int GlyphRoom = 26;
constexpr int SeparatorHeight = 8;

std::string ItemText(HMENU Menu, UINT Id)
{
    char Text[81] = {};
    GetMenuStringA(Menu, Id, Text, sizeof Text - 1, MF_BYCOMMAND);
    return Text;
}

void DrawPlainItem(const DRAWITEMSTRUCT& Item, const std::string& Text)
{
    const HDC DC = Item.hDC;
    RECT R = Item.rcItem;
    const bool Selected = (Item.itemState & ODS_SELECTED) != 0;
    const bool Disabled = (Item.itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
    FillRect(DC, &R, GetSysColorBrush(Selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (Text.empty()) {
        R.top += (R.bottom - R.top) / 2;
        DrawEdge(DC, &R, EDGE_ETCHED, BF_TOP);
        return;
    }
    TDCCanvas Canvas(DC);
    Canvas->Font()->SetLogFont(MenuLogFont());
    Canvas->Font()->SetColor(Disabled ? clGrayText : Selected ? clHighlightText : clMenuText);
    Canvas->Brush()->SetStyle(bsClear);
    if (Item.itemState & ODS_CHECKED) {
        RECT Box{R.left, R.top, R.left + GlyphRoom, R.bottom};
        Canvas->DrawText("√", Box, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
    R.left += GlyphRoom;
    Canvas->DrawText(Text, R, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
}

}  // namespace

void TWinSkinForm::OnMeasureItem(TMessage& Message)
{
    auto& Item = *reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    CallDefault(Message);
    if (Item.CtlType != ODT_MENU || !FMenuHandle || Message.Result)
        return;
    const std::string Text = ItemText(FTrackedMenu, Item.itemID);
    if (Text.empty()) {
        Item.itemHeight = SeparatorHeight;
    } else {
        TWindowDC DC(FHandle);
        TDCCanvas Canvas(DC.Handle());
        Canvas->Font()->SetLogFont(MenuLogFont());
        const SIZE Size = Canvas->TextExtent(Text);
        Item.itemWidth = UINT(Size.cx + GlyphRoom);
        Item.itemHeight = UINT(std::max<int>(Size.cy + 4, GetSystemMetrics(SM_CYMENU)));
    }
    Message.Result = TRUE;
}

void TWinSkinForm::OnDrawItem(TMessage& Message)
{
    const auto& Item = *reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
    CallDefault(Message);
    if (Item.CtlType != ODT_MENU || !FMenuHandle || Message.Result)
        return;
    DrawPlainItem(Item, ItemText(FTrackedMenu, Item.itemID));
    Message.Result = TRUE;
}
