// TRadioGroup: a group box holding one radio button per line of Items, laid out in
// Columns (top to bottom, then left to right). The buttons are its children and its own
// components; ItemIndex is the checked one (-1: none). OnClick runs when the user checks one.
#pragma once

#include <vector>

#include "framework/core/Strings.h"
#include "framework/ui/GroupBox.h"
#include "framework/ui/RadioButton.h"

class TRadioGroup : public TCustomGroupBox {
    PANTREL_CLASS(TRadioGroup, TCustomGroupBox)
    explicit TRadioGroup(TComponent* AOwner);

    TStrings* Items() const { return &FItems; }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    int Columns() const { return FColumns; }
    void SetColumns(int Value);   // 1..16
    int ButtonCount() const { return int(FButtons.size()); }
    TRadioButton* Buttons(int Index) const { return FButtons.at(size_t(Index)); }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Loaded() override;
    void Dispatch(TMessage& Message) override;

private:
    void ItemsChanged(TObject*) { UpdateButtons(); }
    // One button per item with its text, the checked one, and their places.
    void UpdateButtons();
    void ArrangeButtons();
    void ButtonClicked(TObject* Sender);

    mutable TStringList FItems;
    std::vector<TRadioButton*> FButtons;
    int FItemIndex = -1;
    int FColumns = 1;
};
