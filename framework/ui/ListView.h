// TListView over the system list-view control, shown as a report: a column header and rows
// of items whose later cells are the item's subitems. Columns holds one "Caption=Width" line
// per column; Items one line per item, its caption and subitems separated by tabs. Both are
// mirrored into the window whenever they change and it exists.
#pragma once

#include <string>
#include <vector>

#include "framework/core/Strings.h"
#include "framework/ui/WinControl.h"

PANTREL_ENUM(TViewStyle, vsIcon, vsSmallIcon, vsList, vsReport)

class TListView : public TWinControl {
    PANTREL_CLASS(TListView, TWinControl)
    explicit TListView(TComponent* AOwner);

    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle Value);
    TStrings* Columns() const { return &FColumns; }
    TStrings* Items() const { return &FItems; }
    // A column Width pixels wide at the end.
    void AddColumn(const std::string& Caption, int Width);
    // An item with its subitems at the end.
    void AddItem(const std::string& Caption, const std::vector<std::string>& SubItems = {});
    // The chosen item, -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int Value);
    // The header window over the columns, or null.
    HWND HeaderHandle();

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void DestroyWnd() override;

private:
    void ColumnsChanged(TObject* Sender);
    void ItemsChanged(TObject* Sender);
    void FillColumns();
    void FillItems();

    mutable TStringList FColumns;
    mutable TStringList FItems;
    TViewStyle FViewStyle = vsReport;
    int FItemIndex = -1;   // kept while the window does not exist
};
