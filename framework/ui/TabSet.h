// TTabSet: a strip of text tabs drawn by the framework, hanging from its top edge as under a
// page above it, the selected tab joined to that edge. Tabs that do not fit are reached with
// a small left-right up-down at the strip's right end; the tab set owns it as its first
// component. OnChange runs when a click selects another tab.
#pragma once

#include <vector>

#include "framework/core/Strings.h"
#include "framework/ui/CustomControl.h"
#include "framework/ui/UpDown.h"

class TTabSet : public TCustomControl {
    PANTREL_CLASS(TTabSet, TCustomControl)
    explicit TTabSet(TComponent* AOwner);

    TStrings* Tabs() const { return &FTabs; }
    // The selected tab, -1 when there is none.
    int TabIndex() const { return FTabIndex; }
    void SetTabIndex(int Value);
    // The first tab shown; the up-down moves it.
    int FirstIndex() const { return FFirstIndex; }
    void SetFirstIndex(int Value);
    // Room before the first tab and after the last.
    int StartMargin() const { return FStartMargin; }
    void SetStartMargin(int Value);
    int EndMargin() const { return FEndMargin; }
    void SetEndMargin(int Value);
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value);
    TColor UnselectedColor() const { return FUnselectedColor; }
    void SetUnselectedColor(TColor Value);
    TUpDown* Scroller() const { return FScroller; }

    // A tab as drawn: its index and its rectangle in a strip of the given size.
    struct TTabPlace {
        int Index;
        RECT Rect;
    };
    // The tabs that fit in a strip Width x Height measured with Canvas's font, from
    // FirstIndex on, each w + 9 wide for a text w wide. A tab is drawn when it ends 9 pixels
    // (21 while the up-down shows) before the end margin; one that does not fit is passed
    // over and a narrower one after it may still be drawn.
    std::vector<TTabPlace> TabPlaces(TCanvas& Canvas, int Width, int Height) const;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Loaded() override;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void FontChanged() override;

private:
    std::vector<TTabPlace> Places(TCanvas& Canvas, int Width, int Height, bool Scrolling) const;
    // Places measured with the tab set's font.
    std::vector<TTabPlace> MeasuredPlaces(bool Scrolling) const;
    // Shows the up-down when tabs are scrolled away or do not all fit, at the right end.
    void UpdateScroller();
    bool Loading() const;
    void TabsChanged(TObject*);
    void Scrolled(TObject*, TUDBtnType);
    void PaintTab(const TTabPlace& Place);

    TUpDown* FScroller;
    mutable TStringList FTabs;
    int FTabIndex = -1;
    int FFirstIndex = 0;
    int FStartMargin = 5;
    int FEndMargin = 5;
    TColor FSelectedColor = clBtnFace;
    TColor FUnselectedColor = clWindow;
};
