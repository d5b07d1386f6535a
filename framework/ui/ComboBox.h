// TCustomComboBox / TComboBox over the system COMBOBOX control: by default an editable
// drop-down list. Items are kept in memory and mirrored into the window; Text is the edit
// part, ItemIndex the chosen item (-1 for none).
#pragma once

#include "framework/ui/WindowItems.h"

class TCustomComboBox;

PANTREL_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList)

class TComboBoxStrings : public TWindowItems {
    PANTREL_CLASS(TComboBoxStrings, TWindowItems)
    explicit TComboBoxStrings(TCustomComboBox* ACombo);

protected:
    int ChosenIndex() const override;
    void Choose(int Index) override;

private:
    TCustomComboBox* FCombo;
};

class TCustomComboBox : public TWinControl {
    PANTREL_CLASS(TCustomComboBox, TWinControl)
    explicit TCustomComboBox(TComponent* AOwner);

    TStrings* Items() const { return &FItems; }
    int ItemIndex() const;
    void SetItemIndex(int Value);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    // Items shown at once in the dropped-down list.
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value);
    bool DroppedDown() const;
    void SetDroppedDown(bool Value);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // The text changed, by typing or by choosing an item.
    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void Change();

private:
    friend class TComboBoxStrings;
    // The window is as high as the closed box plus its list.
    int ListHeight() const;

    mutable TComboBoxStrings FItems;
    int FItemIndex = -1;   // kept while the window does not exist
    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
    int FMaxLength = 0;
};

class TComboBox : public TCustomComboBox {
    PANTREL_CLASS(TComboBox, TCustomComboBox)
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};
