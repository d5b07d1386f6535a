// TListBox over the system LISTBOX control: a column of Items (kept in memory and mirrored
// into the window whenever it exists) with one chosen item, ItemIndex (-1 for none). It
// always has a vertical scroll bar when the items do not fit; with a ScrollWidth wider than
// the box it also scrolls sideways. OnClick follows every change of the choice by the user.
#pragma once

#include "framework/core/Strings.h"
#include "framework/ui/WinControl.h"

class TListBox;

class TListBoxStrings : public TStrings {
    PANTREL_CLASS(TListBoxStrings, TStrings)
    explicit TListBoxStrings(TListBox* AListBox) : FListBox(AListBox) {}

    int Count() const override { return FList.Count(); }
    std::string Get(int Index) const override { return FList.Get(Index); }
    TObject* Objects(int Index) const override { return FList.Objects(Index); }
    void PutObject(int Index, TObject* AObject) override { FList.PutObject(Index, AObject); }
    void Put(int Index, const std::string& S) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    int IndexOf(const std::string& S) const override { return FList.IndexOf(S); }

private:
    friend class TListBox;
    void FillWindow();
    TListBox* FListBox;
    TStringList FList;
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
