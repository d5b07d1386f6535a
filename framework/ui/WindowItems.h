// Items of a list-like system control (list box, combo box): kept in memory and mirrored
// into the control's window whenever it exists, so they survive the window being made
// again. While there is no window the control's chosen index follows insertions and
// deletions here.
#pragma once

#include "framework/core/Strings.h"
#include "framework/ui/WinControl.h"

// The control's messages for its items.
struct TItemMessages {
    UINT Insert, Delete, Reset, Add;
};

class TWindowItems : public TStrings {
    PANTREL_CLASS(TWindowItems, TStrings)
    // ItemIndex: the control's chosen index kept while it has no window.
    TWindowItems(TWinControl* AControl, int& AItemIndex, const TItemMessages& AMessages)
        : FControl(AControl), FItemIndex(AItemIndex), FMessages(AMessages)
    {
    }

    int Count() const override { return FList.Count(); }
    std::string Get(int Index) const override { return FList.Get(Index); }
    TObject* Objects(int Index) const override { return FList.Objects(Index); }
    void PutObject(int Index, TObject* AObject) override { FList.PutObject(Index, AObject); }
    void Put(int Index, const std::string& S) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    int IndexOf(const std::string& S) const override { return FList.IndexOf(S); }

    // Fills the control's window with every item.
    void FillWindow();

protected:
    // The control's chosen item, as the control reads and sets it.
    virtual int ChosenIndex() const = 0;
    virtual void Choose(int Index) = 0;

private:
    TWinControl* FControl;
    int& FItemIndex;
    TItemMessages FMessages;
    TStringList FList;
};
