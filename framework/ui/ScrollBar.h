// TScrollBar over the system SCROLLBAR control: a horizontal or vertical bar whose Position
// runs from Min to Max - PageSize + 1. The bar moves when the user scrolls it: the arrows by
// SmallChange, the track by LargeChange, the thumb where it is dragged. OnScroll may change
// the new position before it is taken; OnChange follows every change of Position.
#pragma once

#include "framework/ui/WinControl.h"

PANTREL_ENUM(TScrollBarKind, sbHorizontal, sbVertical)
PANTREL_ENUM(TScrollCode, scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom,
             scEndScroll)

using TScrollEvent = TDelegate<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
    PANTREL_CLASS(TScrollBar, TWinControl)
    explicit TScrollBar(TComponent* AOwner);

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    int Min() const { return FMin; }
    void SetMin(int Value) { SetParams(FPosition, Value, FMax); }
    int Max() const { return FMax; }
    void SetMax(int Value) { SetParams(FPosition, FMin, Value); }
    int PageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    int Position() const { return FPosition; }
    void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int Value) { FSmallChange = Value; }
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int Value) { FLargeChange = Value; }
    // All three at once; Max below Min becomes Min, Position is kept in its range.
    void SetParams(int APosition, int AMin, int AMax);

    TScrollEvent OnScroll;
    TNotifyEvent OnChange;

    void Loaded() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void Dispatch(TMessage& Message) override;

private:
    // The highest position: the last page starts there.
    int LastPosition() const;
    void UpdateWindow();
    void Scrolled(WORD Code);

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPageSize = 0;
    int FPosition = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
};
