#include "framework/ui/RadioGroup.h"

#include <algorithm>

#include "framework/graphics/Font.h"
#include "framework/graphics/GdiHolders.h"

PANTREL_REGISTER(TRadioGroup, TCustomGroupBox,
    PROP_STRINGS(Items, Items),
    PROP_INT(Columns, Columns, SetColumns),
    PROP_INT(ItemIndex, ItemIndex, SetItemIndex))

TRadioGroup::TRadioGroup(TComponent* AOwner) : TCustomGroupBox(AOwner)
{
    FItems.OnChange = TNotifyEvent(this, &TRadioGroup::ItemsChanged);
}

void TRadioGroup::SetItemIndex(int Value)
{
    // A design may give the index before the items; it is checked once all is read.
    if (ComponentState().Contains(csLoading)) {
        FItemIndex = Value;
        return;
    }
    Value = std::clamp(Value, -1, ButtonCount() - 1);
    if (Value == FItemIndex)
        return;
    if (FItemIndex >= 0)
        FButtons[size_t(FItemIndex)]->SetChecked(false);
    FItemIndex = Value;
    if (Value >= 0)
        FButtons[size_t(Value)]->SetChecked(true);
}

void TRadioGroup::SetColumns(int Value)
{
    Value = std::clamp(Value, 1, 16);
    if (Value == FColumns)
        return;
    FColumns = Value;
    ArrangeButtons();
}

void TRadioGroup::Loaded()
{
    inherited::Loaded();
    UpdateButtons();
}

void TRadioGroup::UpdateButtons()
{
    if (ComponentState().Contains(csLoading))
        return;
    const size_t Count = size_t(FItems.Count());
    while (FButtons.size() > Count) {
        delete FButtons.back();
        FButtons.pop_back();
    }
    while (FButtons.size() < Count) {
        auto* Button = new TRadioButton(this);
        Button->OnClick = TNotifyEvent(this, &TRadioGroup::ButtonClicked);
        Button->SetEnabled(Enabled());
        Button->SetParent(this);
        FButtons.push_back(Button);
    }
    if (FItemIndex >= int(Count))
        FItemIndex = -1;
    for (size_t I = 0; I < Count; ++I) {
        FButtons[I]->SetCaption(FItems.Get(int(I)));
        FButtons[I]->SetChecked(int(I) == FItemIndex);
    }
    ArrangeButtons();
}

void TRadioGroup::ArrangeButtons()
{
    if (FButtons.empty() || ComponentState().Contains(csLoading))
        return;
    TWindowDC Screen(nullptr);
    TSelectObject SelectedFont(Screen.Handle(), Font()->Handle());
    TEXTMETRICA Metrics{};
    GetTextMetricsA(Screen.Handle(), &Metrics);
    // Below the caption in the top edge: rows of equal height, the rest split above and below.
    const int Count = ButtonCount();
    const int PerColumn = (Count + FColumns - 1) / FColumns;
    const int ButtonWidth = std::max(0, (Width() - 10) / FColumns);
    const int Room = std::max(0, Height() - int(Metrics.tmHeight) - 5);
    const int ButtonHeight = Room / PerColumn;
    const int TopMargin = Metrics.tmHeight + 1 + (Room % PerColumn) / 2;
    for (int I = 0; I < Count; ++I)
        FButtons[size_t(I)]->SetBounds((I / PerColumn) * ButtonWidth + 8, (I % PerColumn) * ButtonHeight + TopMargin,
                                       ButtonWidth, ButtonHeight);
}

void TRadioGroup::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TCustomGroupBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    ArrangeButtons();
}

void TRadioGroup::ButtonClicked(TObject* Sender)
{
    const auto It = std::find(FButtons.begin(), FButtons.end(), Sender);
    if (It == FButtons.end())
        return;
    FItemIndex = int(It - FButtons.begin());
    Click();
}

void TRadioGroup::Dispatch(TMessage& Message)
{
    TCustomGroupBox::Dispatch(Message);
    switch (Message.Msg) {
    case CM_FONTCHANGED:
        ArrangeButtons();
        break;
    case CM_ENABLEDCHANGED:
        for (TRadioButton* Button : FButtons)
            Button->SetEnabled(Enabled());
        break;
    }
}
