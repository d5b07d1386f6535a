#include "skin/data/SkinData.h"

#include <algorithm>

#include "framework/core/Exception.h"
#include "framework/core/IniFile.h"
#include "framework/core/StrUtils.h"
#include "framework/graphics/BmpFile.h"
#include "framework/graphics/Colors.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Form.h"
#include "framework/ui/StartupTrace.h"
#include "skin/data/BitmapTransforms.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinText.h"
#include "skin/manage/SkinManage.h"

PANTREL_REGISTER(TSkinData, TComponent,
    PROP_BOOL(Active, Active, SetActive),
    PROP_INT(DisableTag, DisableTag, SetDisableTag),
    PROP_SET(SkinControls, SkinControls, SetSkinControls),
    PROP_STRINGS(Skin3rd, Skin3rd),
    PROP_STRING(SkinFile, SkinFile, SetSkinFile),
    PROP_STRING(SkinStore, SkinStore, SetSkinStore),
    PROP_ENUM(SkinFormtype, SkinFormtype, SetSkinFormtype),
    PROP_BOOL(MenuUpdate, MenuUpdate, SetMenuUpdate),
    PROP_EVENT(OnFormSkin, OnFormSkin),
    PROP_EVENT(OnSkinChanged, OnSkinChanged),
    PROP_EVENT(OnSkinControl, OnSkinControl))

void (*ShowSkinMessage)(const std::string& Text) = &ShowMessage;

// Controls of other component libraries and the kind they are skinned as.
static const char* const BuiltInClassMap[] = {
    "TTBDock=Panel", "TTBToolbar=Panel", "TImageEnMView=scrollbar", "TImageEnView=scrollbar",
    "TRzButton=button", "TRzCheckGroup=CheckGroup", "TRzRadioGroup=Radiogroup",
    "TRzRadioButton=Radiobutton", "TRzCheckBox=Checkbox", "TRzButtonEdit=Edit",
    "TRzDBRadioGroup=Radiogroup", "TRzDBRadioButton=Radiobutton", "TRzDBCheckBox=Checkbox",
    "TDBCheckboxEh=Checkbox", "TDBCheckboxEh=Checkbox", "TLMDCHECKBOX=Checkbox",
    "TLMDDBCHECKBOX=Checkbox", "TLMDRadiobutton=Radiobutton", "TLMDGROUPBOX=Panel",
    "TLMDSIMPLEPANEL=Panel", "TLMDDBCalendar=Panel", "TLMDButtonPanel=Panel",
    "TLMDLMDCalculator=Panel", "TLMDHeaderPanel=Panel", "TLMDTechnicalLine=Panel",
    "TLMDLMDClock=Panel", "TLMDTrackbar=trackbar", "TLMDListCombobox=combobox",
    "TLMDCheckListCombobox=combobox", "TLMDHeaderListCombobox=combobox",
    "TLMDImageCombobox=combobox", "TLMDColorCombobox=combobox", "TLMDFontCombobox=combobox",
    "TLMDFontSizeCombobox=combobox", "TLMDFontSizeCombobox=combobox",
    "TLMDPrinterCombobox=combobox", "TLMDDriveCombobox=combobox", "TLMDCalculatorComboBox=combobox",
    "TLMDTrackBarComboBox=combobox", "TLMDCalendarComboBox=combobox", "TLMDRADIOGROUP=radiogroup",
    "TLMDCheckGroup=CheckGroup", "TLMDDBRADIOGROUP=radiogroup", "TLMDDBCheckGroup=CheckGroup",
    "TLMDEDIT=Edit", "TLMDMASKEDIT=Edit", "TLMDBROWSEEDIT=Edit", "TLMDEXTSPINEDIT=Edit",
    "TLMDCALENDAREDIT=Edit", "TLMDFILEOPENEDIT=Edit", "TLMDFILESAVEEDIT=Edit", "TLMDCOLOREDIT=Edit",
    "TLMDDBEDIT=Edit", "TLMDDBMASKEDIT=Edit", "TLMDDBEXTSPINEDIT=Edit", "TLMDDBSPINEDIT=Edit",
    "TLMDDBEDITDBLookup=Edit", "TLMDEDITDBLookup=Edit", "TDBLookupCombobox=Combobox",
    "TWWDBCombobox=Combobox", "TWWDBLookupCombo=Combobox", "TWWDBCombobox=Combobox",
    "TWWKeyCombo=Combobox", "TWWTempKeyCombo=combobox", "TWWDBDateTimePicker=Combobox",
    "TWWRADIOGROUP=radiogroup", "TDXDBPICKEDIT=Combobox", "TDXDBCALCEDIT=Combobox",
    "TDXDBIMAGEEDIT=Combobox", "TDXDBPOPUPEDIT=Combobox", "TDXDBEXTLOOKUPEDIT=Combobox",
    "TDXDBLOOKUPEDIT=Combobox", "TDXDBDATEEDIT=Combobox", "TDXDATEEDIT=Combobox",
    "TDXPICKEDIT=Combobox", "TDXPOPUPEDIT=Combobox", "TDXDBCURRENCYEDIT=Edit", "TDXDBEDIT=Edit",
    "TDXDBMASKEDIT=Edit", "TDXDBHYPERLINKEDIT=Edit", "TDXEDIT=Edit", "TDXMASKEDIT=Edit",
    "TWWDBEDIT=Edit", "TDXBUTTONEDIT=Edit", "TDXCURRENCYEDIT=Edit", "TDXHYPERLINKEDIT=Edit",
    "TOVCPICTUREFIELD=Edit", "TOVCDBPICTUREFIELD=Edit", "TOVCSLIDEREDIT=Edit",
    "TOVCDBSLIDEREDIT=Edit", "TOVCSIMPLEFIELD=Edit", "TOVCDBSIMPLEFIELD=Edit",
    "TO32DBFLEXEDIT=Edit", "TOVCNUMERICFIELD=Edit", "TOVCDBNUMERICFIELD=Edit",
};

TSkinData::TSkinData(TComponent* AOwner)
    : TComponent(AOwner), SkinStream(new TMemoryStream), DefaultIcon(new TBitmap),
      FSkin3rd(new TStringList)
{
    for (const char* Line : BuiltInClassMap)
        FSkin3rd->Add(Line);
    Buttons = std::make_unique<TDataSkinButton>("Buttons");
    BorderLeft = std::make_unique<TDataSkinBorder>("Left");
    BorderRight = std::make_unique<TDataSkinBorder>("Right");
    BorderTop = std::make_unique<TDataSkinBorder>("Top");
    BorderBottom = std::make_unique<TDataSkinBorder>("Bottom");
    Title = std::make_unique<TDataSkinTitle>("Title");
    FSkinControls = TSkinControlTypes::FromBits((uint64_t(1) << xcFastReport) - 1);
    MenuImages = std::make_unique<TImageList>(nullptr);
    MenuImages->SetWidth(16);
    MenuImages->ResourceLoad(GetModuleHandleA(nullptr), "MORVELMENU", clWhite);
}

TSkinData::~TSkinData()
{
    MenuImages.reset();
    FSkin3rd.reset();
    if (SkinManager)
        SkinManager->RemoveSkinData(this);
    SkinStream.reset();
    DefaultIcon.reset();
    BorderLeft.reset();
    BorderRight.reset();
    BorderTop.reset();
    BorderBottom.reset();
    SysButtons.clear();
    Buttons.reset();
    Title.reset();
    if (FaceBrush)
        DeleteObject(FaceBrush);
}

void TSkinData::SetSkin3rd(const TStrings& Value)
{
    FSkin3rd->Assign(Value);
}

std::string TSkinData::SkinStore() const
{
    return Designing() && SkinStream->Size() > 0 ? "(Good)" : "(none)";
}

void TSkinData::DefineProperties(TFiler& Filer)
{
    inherited::DefineProperties(Filer);
    Filer.DefineBinaryProperty(
        "SkinStream", [this](TStream& S) { ReadSkinStream(S); }, [this](TStream& S) { WriteSkinStream(S); }, true);
}

void TSkinData::ReadSkinStream(TStream& Stream)
{
    uint8_t Header[4];
    Stream.ReadBuffer(Header, 4);
    const int32_t N = int32_t(uint32_t(Header[0]) | uint32_t(Header[1]) << 8 | uint32_t(Header[2]) << 16 |
                              uint32_t(Header[3]) << 24);
    if (N <= 0)
        return;
    // A length beyond the block is a short read; nothing is allocated for it.
    if (N > Stream.Size() - Stream.Position())
        throw EReadError("Stream read error");
    SkinStream->SetSize(N);
    SkinStream->SetPosition(0);
    Stream.ReadBuffer(SkinStream->Memory(), N);
    if (!Designing())
        LoadSkin();
}

void TSkinData::WriteSkinStream(TStream& Stream)
{
    const uint32_t N = uint32_t(SkinStream->Size());
    const uint8_t Header[4] = {uint8_t(N), uint8_t(N >> 8), uint8_t(N >> 16), uint8_t(N >> 24)};
    Stream.WriteBuffer(Header, 4);
    if (N > 0)
        Stream.WriteBuffer(SkinStream->Memory(), N);
}

void TSkinData::Loaded()
{
    inherited::Loaded();
    if (!Designing())
        StartSkinning();
}

void TSkinData::StartSkinning()
{
    TSkinManage& M = NeedSkinManager();
    M.AddSkinData(this);
    if (FSkinFormtype != sfMainform) {
        M.SkinningEnabled = true;
        ++M.ReadyCount;
        if (auto* Form = dynamic_cast<TCustomForm*>(Owner()))
            M.SkinWindow(Form->Handle());
        return;
    }
    M.StartHook();
    if (FActive) {
        if (NoSkin)
            FActive = false;  // the stored skin was missing or refused
        else
            M.ScheduleAction(saSkinForms, 250);
    }
}

TSkinManage& TSkinData::Manager()
{
    if (!SkinManager)
        StartSkinning();
    return *SkinManager;
}

void TSkinData::SetActive(bool Value)
{
    if (Value == FActive)
        return;
    FActive = Value;
    if (Designing() || ComponentState().Contains(csReading))
        return;
    switch (FSkinFormtype) {
    case sfMainform:
        if (Value && NoSkin)
            return;
        Manager().ScheduleAction(Value ? saSkinForms : saUnskinForms, 250);
        SkinManager->PendingSkinData = this;
        break;
    case sfOnlyThisForm:
        Manager().PendingSkinData = this;
        if (Value && NoSkin)
            return;
        SkinManager->ScheduleAction(Value ? saSkinForms : saUnskinForms, 250);
        break;
    case sfDialog:
        break;
    }
}

static bool FileExists(const std::string& Name)
{
    const DWORD Attributes = GetFileAttributesA(Name.c_str());
    return Attributes != INVALID_FILE_ATTRIBUTES && !(Attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void TSkinData::SetSkinFile(const std::string& Value)
{
    NoSkin = true;
    FSkinFile = Value;
    if (Designing()) {
        // A named file replaces the stored copy.
        if (!Value.empty() && SkinStream->Size() > 0)
            SkinStream->Clear();
        return;
    }
    if (!FileExists(Value))
        return;
    SkinStream->Clear();
    SkinStream->LoadFromFile(Value);
    LoadSkin();
    ApplySkin();
}

bool TSkinData::LoadSkin()
{
    NoSkin = true;
    if (Designing())
        return false;
    StartupTrace::Mark("LoadSkin: start");
    TSkinReader Reader;
    Reader.ShowMessage = [](const std::string& Text) { ShowSkinMessage(Text); };
    if (!Reader.Open(*SkinStream))
        return false;
    StartupTrace::Mark("LoadSkin: skin decoded");
    TMemoryStream Entry;
    std::string EntryName;
    Reader.ExtractByPart(".ini", Entry, EntryName);
    FReader = &Reader;
    try {
        ParseDescription(std::string(reinterpret_cast<const char*>(Entry.Memory()), size_t(Entry.Size())));
    } catch (...) {
        FReader = nullptr;
        throw;
    }
    FReader = nullptr;
    StartupTrace::Mark("LoadSkin: elements built");
    return true;
}

void TSkinData::ParseDescription(const std::string& Description)
{
    // Skinned windows' caption buttons point at the elements about to be replaced; they get
    // new ones when the changed skin is applied, and paint none until then.
    if (SkinManager)
        SkinManager->RefreshSkinForms();
    const TMemIniFile Ini(Description);
    TStringList SectionList;
    Ini.ReadSections(SectionList);
    std::vector<std::string> Sections;
    for (int I = 0; I < SectionList.Count(); ++I)
        Sections.push_back(SectionList[I]);
    FIni = &Ini;
    try {
        TSkinElementLoader Loader(*this, Ini);
        SkinName = Ini.ReadString("TitlebarSkin", "SkinName", "");
        Loader.LoadFramePiece(*BorderLeft);
        Loader.LoadFramePiece(*BorderRight);
        Loader.LoadFramePiece(*BorderTop);
        Loader.LoadFramePiece(*BorderBottom);
        // Colours come before the elements whose text colours default to ButtonTextColor.
        ReadColours(Sections);
        ReadElements(Loader, Sections);
        SetFrameCounts();
        RemakeFaceBrush();
    } catch (...) {
        FIni = nullptr;
        throw;
    }
    FIni = nullptr;
    NoSkin = false;
}

void TSkinData::ReadColours(const std::vector<std::string>& Sections)
{
    auto Read = [this](const char* Key, TColor Default) {
        return ReadColourText(FIni->ReadString("Colours", Key, ""), Default);
    };
    WindowTextColor = Read("WindowText", clWindowText);
    ButtonFaceColor = Read("ButtonFace", clBtnFace);
    ScrollbarColor = Read("Scrollbar", clScrollBar);
    HilightTextColor = Read("HilightText", clHighlightText);
    HilightColor = Read("Hilight", clHighlight);
    MenubarColor = Read("Menubar", ButtonFaceColor);
    MenuColor = Read("Menu", clMenu);
    MenuTextColor = Read("MenuText", clMenuText);
    ButtonTextColor = Read("ButtonText", clBtnText);
    ButtonHilightColor = Read("ButtonHilight", clBtnHighlight);
    ButtonLightColor = Read("Buttonlight", clBtnHighlight);
    ButtonShadowColor = Read("ButtonShadow", clBtnShadow);
    ButtonDkShadowColor = Read("ButtonDkShadow", clBtnShadow);
    MenuBarTextColor = Read("MenuBarText", clMenuText);
    TitleTextActiveColor = Read("TitleTextActive", clCaptionText);
    TitleTextNoActiveColor = Read("TitleTextNoActive", clInactiveCaptionText);
    // Numbered colours in the order of their sections, whatever their numbers.
    Colours.clear();
    for (const auto& Section : Sections)
        if (TSkinElementLoader::IsColourSection(Section))
            Colours.push_back(ReadColourText(FIni->ReadString(Section, "color", ""), clWindowText));
}

void TSkinData::ReadElements(TSkinElementLoader& Loader, const std::vector<std::string>& Sections)
{
    SysButtons.clear();
    for (const auto& Section : Sections)
        if (TSkinElementLoader::IsSysButtonSection(Section))
            SysButtons.push_back(Loader.LoadSysButton(Section));
    std::unique_ptr<TDataSkinSysButton> MDIButtons[3];
    Loader.LoadMDIControls(MDIButtons);
    for (auto& B : MDIButtons)
        SysButtons.push_back(std::move(B));

    Loader.LoadPushButtons(*Buttons);
    Loader.LoadTitle(*Title);
    Progress = Loader.LoadProgress();
    MenuBar = Loader.LoadMenuBar();

    GroupBoxEdge = Loader.LoadObject("GroupBoxEdge");
    Toolbars = Loader.LoadObject("Toolbars");
    Tabs = Loader.LoadObjectWithSecondImage("Tabs", "Border");
    StatusBarEdges = Loader.LoadObject("StatusBarEdges");
    ComboButton = Loader.LoadObjectWithSecondImage("ComboButton", "****");
    if (ComboButton && !ComboButton->Bitmap->Empty()) {
        // The second picture is the first one mirrored.
        ComboButton->Bitmap2->Assign(*ComboButton->Bitmap);
        ComboButton->Bitmap2->SetPixelFormat(pf24bit);
        MirrorBitmap(*ComboButton->Bitmap2);
    }
    SunkEdge = Loader.LoadObject("SunkEdge");
    ExtraImages = Loader.LoadObject("ExtraImages");
    Headerbar = Loader.LoadObject("Headerbar");
    MenuItem = Loader.LoadObject("MenuItem");
    MenuBackground = Loader.LoadObject("MenuBackground");
    Scrollbar = Loader.LoadObject("Scrollbar");
    HorzScroll = Loader.LoadObject("HorzScroll");
    VertScroll = Loader.LoadObject("VertScroll");
    HorzScrollThumb = Loader.LoadObject("HorzScrollThumb");
    VertScrollThumb = Loader.LoadObject("VertScrollThumb");
    TrackbarThumbHorz = Loader.LoadObject("Trackbar.ThumbHorz");
    TrackbarThumbVert = Loader.LoadObject("Trackbar.ThumbVert");
    TrackbarThumbLeft = Loader.LoadObject("Trackbar.ThumbLeft");
    TrackbarThumbRight = Loader.LoadObject("Trackbar.ThumbRight");
    TrackbarThumbUp = Loader.LoadObject("Trackbar.ThumbUp");
    TrackbarThumbDown = Loader.LoadObject("Trackbar.ThumbDown");
    UpDownHorz = Loader.LoadObjectWithSecondImage("UpDown.Horz", "GlyphImage");
    UpDownVert = Loader.LoadObjectWithSecondImage("UpDown.Vert", "GlyphImage");
}

// The loader fixes these state counts whatever the description says.
void TSkinData::SetFrameCounts()
{
    auto Set = [](TDataSkinObject* Object, int32_t Count) {
        if (Object)
            Object->FrameCount = Count;
    };
    Set(Title.get(), 2);
    Set(Buttons.get(), 5);
    Set(Progress.get(), 2);
    Set(MenuBar.get(), 2);
    Set(GroupBoxEdge.get(), 2);
    Set(Toolbars.get(), 5);
    Set(Tabs.get(), 5);
    Set(StatusBarEdges.get(), 3);
    Set(ComboButton.get(), 4);
    Set(SunkEdge.get(), 4);
    Set(ExtraImages.get(), 5);
    Set(Headerbar.get(), 5);
    Set(MenuItem.get(), 5);
    Set(MenuBackground.get(), 1);
    Set(Scrollbar.get(), 23);
    Set(HorzScroll.get(), 4);
    Set(VertScroll.get(), 4);
    Set(HorzScrollThumb.get(), FIni->ReadInteger("HorzScrollThumb", "FrameCount", 3));
    Set(VertScrollThumb.get(), FIni->ReadInteger("VertScrollThumb", "FrameCount", 3));
    for (auto* Thumb : {TrackbarThumbHorz.get(), TrackbarThumbVert.get(), TrackbarThumbLeft.get(),
                        TrackbarThumbRight.get(), TrackbarThumbUp.get(), TrackbarThumbDown.get()})
        Set(Thumb, 5);
    Set(UpDownHorz.get(), 8);
    Set(UpDownVert.get(), 8);

    // Check and radio images without a stated count: cells 13 pixels wide in images lower
    // than 16 pixels, else 16; at least 4.
    auto Derived = [](const TBitmap& Image) {
        const int Cell = Image.Height() < 16 ? 13 : 16;
        return std::max(4, Image.Width() / Cell);
    };
    if (Buttons->RadioFrameCount == 0)
        Buttons->RadioFrameCount = Derived(*Buttons->RadioBitmap);
    if (Buttons->CheckFrameCount == 0)
        Buttons->CheckFrameCount = Derived(*Buttons->CheckBitmap);
}

void TSkinData::RemakeFaceBrush()
{
    if (FaceBrush)
        DeleteObject(FaceBrush);
    FaceBrush = CreateSolidBrush(ColorToRGB(ButtonFaceColor));
}

void TSkinData::ApplySkin()
{
    if (Designing() || ComponentState().Contains(csReading))
        return;
    TSkinManage& M = Manager();
    M.PendingSkinData = this;
    M.ScheduleAction(saSkinChanged, 250);
}

void TSkinData::DoFormSkin(const std::string& ClassName, bool& DoSkin)
{
    if (OnFormSkin.Assigned()) {
        OnFormSkin(this, ClassName, DoSkin);
        return;
    }
    if (ClassName == "SysMonthCal32")
        DoSkin = false;
    else if (FSkinControls.Contains(xcFastReport) && ClassName.compare(0, 3, "Tfr") == 0)
        DoSkin = false;
}

void TSkinData::DoSkinChanged()
{
    if (OnSkinChanged.Assigned())
        OnSkinChanged(this);
}

void TSkinData::LoadSkinBitmap(TBitmap& Bitmap, const std::string& Name)
{
    Bitmap.SetSize(0, 0);
    const std::string FileName = TSkinText::BitmapEntryName(Name);
    if (FileName.empty() || !FReader)
        return;
    // Read where the entry lies: a skin has dozens of bitmaps.
    const std::string_view Entry = FReader->EntryByName(FileName);
    if (Entry.empty())
        return;
    try {
        Bitmap.LoadFromImage(ReadBmpFile(reinterpret_cast<const uint8_t*>(Entry.data()), Entry.size()));
    } catch (const std::exception&) {
        Bitmap.SetSize(0, 0);  // not a usable bitmap: left to the platform's painting
    }
}

TColor TSkinData::ReadColourText(const std::string& Text, TColor Default)
{
    return Text.empty() ? Default : StrToColour(Text);
}

TColor TSkinData::StrToColour(const std::string& Text)
{
    return TSkinText::StrToColour(Text);
}

void TSkinData::ReadRGBKeys(const std::string& Section, const std::string& Prefix, TColor& Colour)
{
    const int R = FIni->ReadInteger(Section, Prefix + "R", -1);
    const int G = FIni->ReadInteger(Section, Prefix + "G", -1);
    const int B = FIni->ReadInteger(Section, Prefix + "B", -1);
    if (R >= 0 && G >= 0 && B >= 0)
        Colour = TColor(R % 256) | TColor(G % 256) << 8 | TColor(B % 256) << 16;
}
