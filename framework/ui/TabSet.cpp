#include "framework/ui/TabSet.h"

#include <algorithm>

#include "framework/graphics/GdiHolders.h"

PANTREL_REGISTER(TTabSet, TCustomControl,
    PROP_STRINGS(Tabs, Tabs),
    PROP_INT(TabIndex, TabIndex, SetTabIndex),
    PROP_INT(FirstIndex, FirstIndex, SetFirstIndex),
    PROP_INT(StartMargin, StartMargin, SetStartMargin),
    PROP_INT(EndMargin, EndMargin, SetEndMargin),
    PROP_COLOR(SelectedColor, SelectedColor, SetSelectedColor),
    PROP_COLOR(UnselectedColor, UnselectedColor, SetUnselectedColor),
    PROP_EVENT(OnChange, OnChange))

namespace {

constexpr int TabPadding = 9;     // a tab is its text's width plus this
constexpr int ScrollerRoom = 12;  // kept free after the last tab while the up-down shows
constexpr int ScrollerWidth = 16;

}  // namespace

TTabSet::TTabSet(TComponent* AOwner) : TCustomControl(AOwner), FScroller(new TUpDown(this))
{
    SetBounds(0, 0, 185, 21);
    FScroller->SetOrientation(udHorizontal);
    FScroller->SetVisible(false);
    FScroller->SetParent(this);
    FScroller->OnClick = TUDClickEvent(this, &TTabSet::Scrolled);
    FTabs.OnChange = TNotifyEvent(this, &TTabSet::TabsChanged);
}

std::vector<TTabSet::TTabPlace> TTabSet::Places(TCanvas& Canvas, int Width, int Height, bool Scrolling) const
{
    std::vector<TTabPlace> Result;
    int X = FStartMargin;
    const int Limit = Width - FEndMargin;
    const int Room = TabPadding + (Scrolling ? ScrollerRoom : 0);
    for (int I = std::max(FFirstIndex, 0); I < FTabs.Count(); ++I) {
        const int W = Canvas.TextWidth(FTabs.Get(I));
        if (X + W + Room > Limit)
            continue;
        Result.push_back(TTabPlace{I, RECT{X, 0, X + W + TabPadding, Height}});
        X += W + TabPadding;
    }
    return Result;
}

std::vector<TTabSet::TTabPlace> TTabSet::TabPlaces(TCanvas& Canvas, int Width, int Height) const
{
    return Places(Canvas, Width, Height, FScroller->Visible());
}

std::vector<TTabSet::TTabPlace> TTabSet::MeasuredPlaces(bool Scrolling) const
{
    const TMemoryDC DC;
    TDCCanvas Measure(DC.Handle());
    Measure->Font()->Assign(*Font());
    return Places(*Measure.Get(), Width(), Height(), Scrolling);
}

void TTabSet::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;  // the up-down paints itself
}

void TTabSet::UpdateScroller()
{
    const int Shown = int(MeasuredPlaces(false).size());
    FScroller->SetMin(0);
    FScroller->SetMax(std::max(FTabs.Count() - 1, 0));
    FScroller->SetPosition(FFirstIndex);
    FScroller->SetBounds(Width() - ScrollerWidth - 1, 2, ScrollerWidth, std::min(Height() - 4, ScrollerWidth));
    FScroller->SetVisible(FFirstIndex > 0 || Shown < FTabs.Count());
}

bool TTabSet::Loading() const
{
    return ComponentState().Contains(csLoading);
}

// While a design is read the tabs may come after the indexes; Loaded fits them.
void TTabSet::SetTabIndex(int Value)
{
    FTabIndex = Loading() ? Value : std::clamp(Value, -1, FTabs.Count() - 1);
    Invalidate();
}

void TTabSet::SetFirstIndex(int Value)
{
    FFirstIndex = Loading() ? Value : std::clamp(Value, 0, std::max(FTabs.Count() - 1, 0));
    UpdateScroller();
    Invalidate();
}

void TTabSet::Loaded()
{
    TCustomControl::Loaded();
    SetFirstIndex(FFirstIndex);
    SetTabIndex(FTabIndex);
}

void TTabSet::SetStartMargin(int Value)
{
    FStartMargin = Value;
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetEndMargin(int Value)
{
    FEndMargin = Value;
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetSelectedColor(TColor Value)
{
    FSelectedColor = Value;
    Invalidate();
}

void TTabSet::SetUnselectedColor(TColor Value)
{
    FUnselectedColor = Value;
    Invalidate();
}

void TTabSet::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    UpdateScroller();
}

void TTabSet::FontChanged()
{
    TCustomControl::FontChanged();
    UpdateScroller();
    Invalidate();
}

void TTabSet::TabsChanged(TObject*)
{
    if (Loading())
        return;
    FTabIndex = std::min(FTabIndex, FTabs.Count() - 1);
    FFirstIndex = std::clamp(FFirstIndex, 0, std::max(FTabs.Count() - 1, 0));
    UpdateScroller();
    Invalidate();
}

void TTabSet::Scrolled(TObject*, TUDBtnType)
{
    SetFirstIndex(FScroller->Position());
}

void TTabSet::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    const POINT P{X, Y};
    for (const TTabPlace& Place : MeasuredPlaces(FScroller->Visible()))
        if (PtInRect(&Place.Rect, P) && Place.Index != FTabIndex) {
            SetTabIndex(Place.Index);
            OnChange(this);
            return;
        }
}

void TTabSet::Paint()
{
    TCanvas& C = *Canvas();
    const RECT R = ClientRect();
    C.Brush()->SetColor(Color());
    C.FillRect(R);
    // The edge of the page above, which the selected tab opens.
    C.Pen()->SetColor(clBtnShadow);
    C.MoveTo(0, 0);
    C.LineTo(R.right, 0);
    for (const TTabPlace& Place : TabPlaces(C, R.right, R.bottom))
        PaintTab(Place);
}

void TTabSet::PaintTab(const TTabPlace& Place)
{
    TCanvas& C = *Canvas();
    const bool Selected = Place.Index == FTabIndex;
    const RECT Face{Place.Rect.left, Selected ? 0 : 1, Place.Rect.right, Place.Rect.bottom - 2};
    C.Brush()->SetColor(Selected ? FSelectedColor : FUnselectedColor);
    C.FillRect(Face);
    C.Pen()->SetColor(Selected ? clBlack : clBtnShadow);
    const POINT Edge[] = {{Face.left, Face.top}, {Face.left, Face.bottom}, {Face.right - 1, Face.bottom},
                          {Face.right - 1, Face.top - 1}};
    C.Polyline(Edge, 4);
    C.Brush()->SetStyle(bsClear);
    RECT Text = Face;
    C.DrawText(FTabs.Get(Place.Index), Text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    C.Brush()->SetStyle(bsSolid);
}
