#include "framework/ui/ComboBox.h"

// --- TComboBoxStrings --------------------------------------------------------------------

PANTREL_REGISTER(TComboBoxStrings, TWindowItems)

TComboBoxStrings::TComboBoxStrings(TCustomComboBox* ACombo)
    : TWindowItems(ACombo, ACombo->FItemIndex, {CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_ADDSTRING}),
      FCombo(ACombo)
{
}

int TComboBoxStrings::ChosenIndex() const
{
    return FCombo->ItemIndex();
}

void TComboBoxStrings::Choose(int Index)
{
    FCombo->SetItemIndex(Index);
}

// --- TCustomComboBox ---------------------------------------------------------------------

PANTREL_REGISTER(TCustomComboBox, TWinControl,
    PROP_STRINGS(Items, Items),
    PROP_INT(ItemIndex, ItemIndex, SetItemIndex),
    PROP_ENUM(Style, Style, SetStyle),
    PROP_INT(DropDownCount, DropDownCount, SetDropDownCount),
    PROP_INT(MaxLength, MaxLength, SetMaxLength),
    PROP_EVENT(OnChange, OnChange),
    PROP_EVENT(OnSelect, OnSelect),
    PROP_EVENT(OnDropDown, OnDropDown))

PANTREL_REGISTER(TComboBox, TCustomComboBox)

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner), FItems(this)
{
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents});
    SetBounds(0, 0, 145, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

int TCustomComboBox::ListHeight() const
{
    const int ItemHeight = FHandle ? int(SendMessageA(FHandle, CB_GETITEMHEIGHT, 0, 0)) : 16;
    return FStyle == csSimple ? 0 : FDropDownCount * ItemHeight + 2;
}

void TCustomComboBox::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "COMBOBOX");
    static const DWORD Styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST};
    Params.Style |= Styles[FStyle] | CBS_AUTOHSCROLL | WS_VSCROLL;
    Params.Height += ListHeight();
}

void TCustomComboBox::CreateHandleDone()
{
    FItems.FillWindow();
    SendMessageA(FHandle, CB_LIMITTEXT, WPARAM(FMaxLength), 0);
    if (FItemIndex >= 0)
        SendMessageA(FHandle, CB_SETCURSEL, WPARAM(FItemIndex), 0);
    // The list height depends on the item height, known only now.
    SetWindowPos(FHandle, nullptr, 0, 0, FWidth, FHeight + ListHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::DestroyWnd()
{
    FItemIndex = ItemIndex();
    TWinControl::DestroyWnd();
}

void TCustomComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (!FHandle) {
        TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
        return;
    }
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight + ListHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateBounds();
}

int TCustomComboBox::ItemIndex() const
{
    if (!FHandle)
        return FItemIndex;
    return int(SendMessageA(FHandle, CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= FItems.Count())
        Value = -1;
    FItemIndex = Value;
    if (FHandle)
        SendMessageA(FHandle, CB_SETCURSEL, WPARAM(Value), 0);
    else
        FText = Value >= 0 ? FItems.Get(Value) : std::string();
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int Value)
{
    FDropDownCount = Value < 1 ? 1 : Value;
    if (FHandle)
        SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TCustomComboBox::SetMaxLength(int Value)
{
    FMaxLength = Value < 0 ? 0 : Value;
    if (FHandle)
        SendMessageA(FHandle, CB_LIMITTEXT, WPARAM(FMaxLength), 0);
}

bool TCustomComboBox::DroppedDown() const
{
    return FHandle && SendMessageA(FHandle, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool Value)
{
    SendMessageA(Handle(), CB_SHOWDROPDOWN, Value, 0);
}

void TCustomComboBox::Change()
{
    OnChange(this);
}

void TCustomComboBox::Dispatch(TMessage& Message)
{
    if (Message.Msg != CN_COMMAND) {
        TWinControl::Dispatch(Message);
        return;
    }
    switch (HIWORD(Message.WParam)) {
    case CBN_EDITCHANGE:
        Change();
        break;
    case CBN_SELCHANGE: {
        // The edit part still shows the old text while the list reports the choice.
        const int Index = ItemIndex();
        if (Index >= 0)
            SetText(FItems.Get(Index));
        OnSelect(this);
        Change();
        break;
    }
    case CBN_DROPDOWN:
        OnDropDown(this);
        break;
    }
}
