#pragma once
// TSkinData: the component that skins an application. It stores a skin inside its form's
// design, decodes it into element objects and colours, holds the options saying which
// controls are skinned, and hands activation and skin changes to the skin manager.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Color.h"
#include "framework/core/Component.h"
#include "framework/core/Delegate.h"
#include "framework/core/Set.h"
#include "framework/core/Stream.h"
#include "framework/core/Strings.h"
#include "framework/core/TypInfo.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "skin/data/SkinObjects.h"

class TControl;
class TMemIniFile;
class TSkinManage;
class TSkinReader;

PANTREL_ENUM(TSkinControlType, xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo,
             xcCheckBox, xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn,
             xcSpeedButton, xcPanel, xcGroupBox, xcStatusBar, xcTab, xcSystemMenu, xcFastReport)
using TSkinControlTypes = TSet<TSkinControlType>;

// sfMainform skins every window of the application; sfOnlyThisForm and sfDialog skin the
// owner form from Loaded on (Active switches only that form, or nothing for sfDialog).
PANTREL_ENUM(TSkinFormType, sfMainform, sfOnlyThisForm, sfDialog)

class TSkinData;

// Shows the skin engine's one message (an older skin format): the framework's message box,
// unless a tool puts its own output in place.
extern void (*ShowSkinMessage)(const std::string& Text);

using TOnFormSkin = TDelegate<void(TObject* Sender, const std::string& aName, bool& DoSkin)>;
using TOnSkinControl = TDelegate<void(TComponent* Sender, TSkinData* SkinData, TControl* Form,
                                      TControl* Control, const std::string& ControlClass,
                                      TComponent*& SkinnedControl)>;

class TSkinData : public TComponent {
    PANTREL_CLASS(TSkinData, TComponent)
    explicit TSkinData(TComponent* AOwner);
    ~TSkinData() override;

    // Published properties.
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    int DisableTag() const { return FDisableTag; }
    void SetDisableTag(int Value) { FDisableTag = Value; }
    TSkinControlTypes SkinControls() const { return FSkinControls; }
    void SetSkinControls(TSkinControlTypes Value) { FSkinControls = Value; }
    // Class names of other libraries' controls, "Class=kind".
    TStrings* Skin3rd() const { return FSkin3rd.get(); }
    void SetSkin3rd(const TStrings& Value);
    std::string SkinFile() const { return FSkinFile; }
    void SetSkinFile(const std::string& Value);
    std::string SkinStore() const;
    void SetSkinStore(const std::string&) {}
    TSkinFormType SkinFormtype() const { return FSkinFormtype; }
    void SetSkinFormtype(TSkinFormType Value) { FSkinFormtype = Value; }
    bool MenuUpdate() const { return FMenuUpdate; }
    void SetMenuUpdate(bool Value) { FMenuUpdate = Value; }
    TOnFormSkin OnFormSkin;
    TNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;

    // "SkinStream": the stored skin file's bytes.
    void DefineProperties(TFiler& Filer) override;
    void Loaded() override;

    // Decodes SkinStream and rebuilds the elements; false when the skin was refused (the
    // previous elements then stay).
    bool LoadSkin();
    // Builds every element and colour from a description text.
    void ParseDescription(const std::string& Description);
    // Hands a newly loaded skin to the skin manager.
    void ApplySkin();
    // The veto the manager asks before it skins a window of class ClassName.
    void DoFormSkin(const std::string& ClassName, bool& DoSkin);
    void DoSkinChanged();

    // Load steps: a bitmap entry of the open skin by name; RGB text ("236 233 216").
    void LoadSkinBitmap(TBitmap& Bitmap, const std::string& Name);
    static TColor ReadColourText(const std::string& Text, TColor Default);
    static TColor StrToColour(const std::string& Text);
    void ReadRGBKeys(const std::string& Section, const std::string& Prefix, TColor& Colour);

    // The active skin (read by form and control skinning).
    std::unique_ptr<TMemoryStream> SkinStream;
    bool NoSkin = true;
    std::string SkinName;
    std::unique_ptr<TDataSkinBorder> BorderLeft, BorderRight, BorderTop, BorderBottom;
    std::unique_ptr<TDataSkinTitle> Title;
    std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;
    std::unique_ptr<TDataSkinButton> Buttons;
    std::unique_ptr<TDataSkinBorder> Progress;
    std::unique_ptr<TDataSkinObject> MenuBar;
    std::unique_ptr<TDataSkinObject> GroupBoxEdge, Toolbars;
    std::unique_ptr<TDataSkinBorder> Tabs;
    std::unique_ptr<TDataSkinObject> StatusBarEdges;
    std::unique_ptr<TDataSkinBorder> ComboButton;
    std::unique_ptr<TDataSkinObject> SunkEdge, ExtraImages, Headerbar, MenuItem, MenuBackground;
    std::unique_ptr<TDataSkinObject> Scrollbar, HorzScroll, VertScroll, HorzScrollThumb, VertScrollThumb;
    std::unique_ptr<TDataSkinObject> TrackbarThumbHorz, TrackbarThumbVert, TrackbarThumbLeft,
        TrackbarThumbRight, TrackbarThumbUp, TrackbarThumbDown;
    std::unique_ptr<TDataSkinBorder> UpDownHorz, UpDownVert;
    std::vector<TColor> Colours;
    TColor WindowTextColor = clWindowText;
    TColor ButtonFaceColor = clBtnFace;
    TColor ScrollbarColor = clScrollBar;
    TColor HilightTextColor = clHighlightText;
    TColor HilightColor = clHighlight;
    TColor MenubarColor = clBtnFace;
    TColor MenuColor = clMenu;
    TColor MenuTextColor = clMenuText;
    TColor ButtonTextColor = clBtnText;
    TColor ButtonHilightColor = clBtnHighlight;
    TColor ButtonLightColor = clBtnHighlight;
    TColor ButtonShadowColor = clBtnShadow;
    TColor ButtonDkShadowColor = clBtnShadow;
    TColor MenuBarTextColor = clMenuText;
    TColor TitleTextActiveColor = clCaptionText;
    TColor TitleTextNoActiveColor = clInactiveCaptionText;
    HBRUSH FaceBrush = nullptr;                // solid ButtonFaceColor; owned
    std::unique_ptr<TImageList> MenuImages;    // glyphs of the replacement system menu
    std::unique_ptr<TBitmap> DefaultIcon;      // filled by form skinning
    bool PaintNonClient = true;

private:
    bool FActive = false;
    int FDisableTag = 99;
    TSkinControlTypes FSkinControls;
    std::unique_ptr<TStringList> FSkin3rd;
    std::string FSkinFile;
    TSkinFormType FSkinFormtype = sfMainform;
    bool FMenuUpdate = true;
    // During a load only: the open skin and its description.
    TSkinReader* FReader = nullptr;
    const TMemIniFile* FIni = nullptr;

    bool Designing() const { return ComponentState().Contains(csDesigning); }
    void ReadSkinStream(TStream& Stream);
    void WriteSkinStream(TStream& Stream);
    // The Loaded steps: manager, registration, hook or the owner form.
    void StartSkinning();
    // The manager, started by the Loaded steps when there is none yet.
    TSkinManage& Manager();
    void ReadColours(const std::vector<std::string>& Sections);
    void ReadElements(TSkinElementLoader& Loader, const std::vector<std::string>& Sections);
    void SetFrameCounts();
    void RemakeFaceBrush();
};
