// Small component classes with one published property of every kind, shared by the
// property and design-reader tests.
#pragma once

#include "framework/core/Color.h"
#include "framework/core/Component.h"
#include "framework/core/Stream.h"
#include "framework/core/Strings.h"

PANTREL_ENUM(TSampleAlign, saNone, saTop, saBottom, saLeft, saRight, saClient)
PANTREL_ENUM(TSampleIcon, siSystemMenu, siMinimize, siMaximize, siHelp)
using TSampleIcons = TSet<TSampleIcon>;

using TSampleChangeEvent = TDelegate<void(TObject* Sender, int Index)>;

// A font-like sub-object reached through dotted names.
class TSampleFont : public TPersistent {
    PANTREL_CLASS(TSampleFont, TPersistent)
    int Height = 0;
    std::string FaceName;
    TColor Color = clWindowText;
    const std::string& GetName() const { return FaceName; }
    void SetName(const std::string& Value) { FaceName = Value; }
    void Assign(const TPersistent& Source) override;
};

class TSampleControl : public TComponent {
    PANTREL_CLASS(TSampleControl, TComponent)
    explicit TSampleControl(TComponent* AOwner) : TComponent(AOwner) {}

    int Width() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }
    TSampleAlign Align() const { return FAlign; }
    void SetAlign(TSampleAlign Value) { FAlign = Value; }
    TSampleIcons Icons() const { return FIcons; }
    void SetIcons(TSampleIcons Value) { FIcons = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value)
    {
        FCaption = Value;
        FReadingWhenCaptionSet = ComponentState().Contains(csReading) && ComponentState().Contains(csLoading);
    }
    TSampleFont* Font() const { return const_cast<TSampleFont*>(&FFont); }
    TStringList* Lines() const { return const_cast<TStringList*>(&FLines); }
    TSampleControl* Buddy() const { return FBuddy; }
    void SetBuddy(TSampleControl* Value) { FBuddy = Value; }

    void SetParentComponent(TComponent* Parent) override { FParent = Parent; }
    TComponent* GetParentComponent() const override { return FParent; }
    bool HasParent() const override { return true; }
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DefineProperties(TFiler& Filer) override;

    TNotifyEvent FOnClick;
    TSampleChangeEvent FOnChange;
    int FReadOnlyCount = 7;
    TComponent* FParent = nullptr;
    // State seen while reading and at Loaded, for the reader tests.
    bool FReadingWhenCaptionSet = false;
    int FLoadedOrder = -1;
    TMemoryStream FData;
    bool FHasData = false;

private:
    int FWidth = 0;
    bool FVisible = true;
    TSampleAlign FAlign = saNone;
    TSampleIcons FIcons;
    TColor FColor = clBtnFace;
    std::string FCaption;
    TSampleFont FFont;
    TStringList FLines;
    TSampleControl* FBuddy = nullptr;
};

// A form-like root with handler methods that designs bind by name.
class TSampleForm : public TSampleControl {
    PANTREL_CLASS(TSampleForm, TSampleControl)
    explicit TSampleForm(TComponent* AOwner) : TSampleControl(AOwner) {}
    void ButtonClick(TObject* Sender) { LastSender = Sender; ++Clicks; }
    void ListChange(TObject* Sender, int Index) { LastSender = Sender; LastIndex = Index; }
    TObject* LastSender = nullptr;
    int Clicks = 0;
    int LastIndex = -1;
};

// Counts Loaded calls across all sample components.
extern int SampleLoadedCounter;
