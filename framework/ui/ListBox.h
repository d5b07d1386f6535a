// TListBox over the system LISTBOX control: a column of Items (kept in memory and mirrored
// into the window whenever it exists) with one chosen item, ItemIndex (-1 for none). It
// always has a vertical scroll bar when the items do not fit; with a ScrollWidth wider than
// the box it also scrolls sideways. OnClick follows every change of the choice by the user.
#pragma once

#include "framework/ui/WindowItems.h"

class TListBox;

class TListBoxStrings : public TWindowItems {
    PANTREL_CLASS(TListBoxStrings, TWindowItems)
    explicit TListBoxStrings(TListBox* AListBox);

protected:
    int ChosenIndex() const override;
    void Choose(int Index) override;

private:
    TListBox* FListBox;
};

class TListBox : public TWinControl {
    PANTREL_CLASS(TListBox, TWinControl)
    explicit TListBox(TComponent* AOwner);

    TStrings* Items() const { return &FItems; }
    int ItemIndex() const;
    void SetItemIndex(int Value);
    // The width the items can be scrolled over, in pixels; 0 for no sideways scrolling.
    int ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(int Value);
    // The item shown at the top.
    int TopIndex() const;
    void SetTopIndex(int Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;

private:
    friend class TListBoxStrings;
    mutable TListBoxStrings FItems;
    int FItemIndex = -1;   // kept while the window does not exist
    int FScrollWidth = 0;
};
