#include "tests/core/Sample.h"

int SampleLoadedCounter = 0;

PANTREL_REGISTER(TSampleFont, TPersistent,
    PROP_INT(Height, Height, Height),
    PROP_STRING(Name, GetName, SetName),
    PROP_COLOR(Color, Color, Color))

void TSampleFont::Assign(const TPersistent& Source)
{
    if (auto* F = dynamic_cast<const TSampleFont*>(&Source)) {
        Height = F->Height;
        FaceName = F->FaceName;
        Color = F->Color;
        return;
    }
    TPersistent::Assign(Source);
}

PANTREL_REGISTER(TSampleControl, TComponent,
    PROP_INT(Width, Width, SetWidth),
    PROP_BOOL(Visible, Visible, SetVisible),
    PROP_ENUM(Align, Align, SetAlign),
    PROP_SET(BorderIcons, Icons, SetIcons),
    PROP_COLOR(Color, Color, SetColor),
    PROP_STRING(Caption, Caption, SetCaption),
    PROP_FONT(Font, Font),
    PROP_STRINGS(Lines, Lines),
    PROP_COMPONENT(Buddy, Buddy, SetBuddy),
    PROP_EVENT(OnClick, FOnClick),
    PROP_EVENT(OnChange, FOnChange),
    MakeOrdProp<Self>("ReadOnlyCount", tkInteger, nullptr, &Self::FReadOnlyCount, nullptr))

PANTREL_REGISTER(TSampleForm, TSampleControl,
    PROP_HANDLER(ButtonClick),
    PROP_HANDLER(ListChange))

void TSampleControl::Loaded()
{
    inherited::Loaded();
    FLoadedOrder = SampleLoadedCounter++;
}

void TSampleControl::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FBuddy)
        FBuddy = nullptr;
}

void TSampleControl::DefineProperties(TFiler& Filer)
{
    Filer.DefineBinaryProperty(
        "Data",
        [this](TStream& S) {
            FData.LoadFromStream(S);
            FHasData = true;
        },
        [this](TStream& S) { FData.SaveToStream(S); }, FData.Size() > 0);
}
