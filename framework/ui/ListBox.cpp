#include "framework/ui/ListBox.h"

// --- TListBoxStrings ---------------------------------------------------------------------

PANTREL_REGISTER(TListBoxStrings, TWindowItems)

TListBoxStrings::TListBoxStrings(TListBox* AListBox)
    : TWindowItems(AListBox, AListBox->FItemIndex, {LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_ADDSTRING}),
      FListBox(AListBox)
{
}

int TListBoxStrings::ChosenIndex() const
{
    return FListBox->ItemIndex();
}

void TListBoxStrings::Choose(int Index)
{
    FListBox->SetItemIndex(Index);
}

// --- TListBox ----------------------------------------------------------------------------

PANTREL_REGISTER(TListBox, TWinControl,
    PROP_STRINGS(Items, Items),
    PROP_INT(ItemIndex, ItemIndex, SetItemIndex),
    PROP_INT(ScrollWidth, ScrollWidth, SetScrollWidth))

TListBox::TListBox(TComponent* AOwner) : TWinControl(AOwner), FItems(this)
{
    // Clicks are the list's selection changes, not every press of the mouse.
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents});
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    SetTabStop(true);
}

void TListBox::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "LISTBOX");
    Params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateHandleDone()
{
    FItems.FillWindow();
    SendMessageA(FHandle, LB_SETHORIZONTALEXTENT, WPARAM(FScrollWidth), 0);
    if (FItemIndex >= 0)
        SendMessageA(FHandle, LB_SETCURSEL, WPARAM(FItemIndex), 0);
}

void TListBox::DestroyWnd()
{
    FItemIndex = ItemIndex();
    TWinControl::DestroyWnd();
}

int TListBox::ItemIndex() const
{
    if (!FHandle)
        return FItemIndex;
    return int(SendMessageA(FHandle, LB_GETCURSEL, 0, 0));
}

void TListBox::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= FItems.Count())
        Value = -1;
    FItemIndex = Value;
    if (FHandle)
        SendMessageA(FHandle, LB_SETCURSEL, WPARAM(Value), 0);
}

void TListBox::SetScrollWidth(int Value)
{
    FScrollWidth = Value < 0 ? 0 : Value;
    if (FHandle)
        SendMessageA(FHandle, LB_SETHORIZONTALEXTENT, WPARAM(FScrollWidth), 0);
}

int TListBox::TopIndex() const
{
    return FHandle ? int(SendMessageA(FHandle, LB_GETTOPINDEX, 0, 0)) : 0;
}

void TListBox::SetTopIndex(int Value)
{
    if (FHandle)
        SendMessageA(FHandle, LB_SETTOPINDEX, WPARAM(Value), 0);
}

void TListBox::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == LBN_SELCHANGE) {
        Click();
        return;
    }
    TWinControl::Dispatch(Message);
}
