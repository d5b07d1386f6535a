// Which kind wraps which control when a window is skinned: a framework form's components by
// tag, the skin's class map, the application's event, class and role, with the skin's
// control options; and a bare dialog's child windows by class and style.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "framework/core/Strings.h"
#include "framework/ui/BitBtn.h"
#include "framework/ui/Button.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Edit.h"
#include "framework/ui/GroupBox.h"
#include "framework/ui/HeaderControl.h"
#include "framework/ui/Label.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/ListView.h"
#include "framework/ui/Memo.h"
#include "framework/ui/Panel.h"
#include "framework/ui/ProgressBar.h"
#include "framework/ui/RadioButton.h"
#include "framework/ui/RadioGroup.h"
#include "framework/ui/ScrollBar.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/TabControl.h"
#include "framework/ui/TabSet.h"
#include "framework/ui/TrackBar.h"
#include "framework/ui/TreeView.h"
#include "framework/ui/UpDown.h"
#include "skin/controls/Buttons.h"
#include "skin/controls/CheckRadio.h"
#include "skin/controls/SkinControl.h"
#include "tests/controls/Input.h"
#include "tests/skinform/SkinnedWindow.h"

namespace {

TFlatSkin WalkSkin()
{
    TFlatSkin S;
    S.PushButton.Present = S.CheckButton.Present = S.RadioButton.Present = true;
    S.WithControls({feScrollbar, feHorzScroll, feVertScroll, feHorzScrollThumb, feVertScrollThumb, feSunkEdge,
                    feComboButton, feExtraImages, feUpDownVert, feUpDownHorz, feTabs, feStatusBarEdges, feProgress,
                    feTrackbarThumbHorz, feTrackbarThumbVert, feHeaderbar});
    return S;
}

class ControlWalk : public SkinnedWindow {
protected:
    // A form for the walk; controls are added with Add before Show.
    void NewForm() { Form = MakeForm({bsSizeable, {biSystemMenu}, 560, 360, "Walk", 80, 80}); }

    template <class T>
    T* Add(int Left, int Top, int Width, int Height, int Tag = 0, TWinControl* Parent = nullptr)
    {
        auto* C = new T(Form);
        C->SetParent(Parent ? Parent : Form);
        C->SetBounds(Left, Top, Width, Height);
        C->SetTag(Tag);
        return C;
    }

    void Show()
    {
        Skinned = ShowSkinned(Form);
        ASSERT_NE(Skinned, nullptr);
    }

    // The class name of the kind the form skin object made for C, "" when none.
    std::string KindOf(TControl* C) const
    {
        auto* Windowed = dynamic_cast<TWinControl*>(C);
        for (int I = 0; I < Skinned->ComponentCount(); ++I) {
            auto* Kind = dynamic_cast<TSkinControl*>(Skinned->Components(I));
            if (!Kind)
                continue;
            if (Kind->FGraphicControl == C || (Windowed && Kind->FHandle == Windowed->Handle()))
                return Kind->ClassName();
        }
        return "";
    }

    bool Listed(TWinControl* C) const
    {
        for (TSkinControl* Kind : Skinned->FControls)
            if (Kind->FHandle == C->Handle())
                return true;
        return false;
    }

    TForm* Form = nullptr;
    TWinSkinForm* Skinned = nullptr;
};

}  // namespace

TEST_F(ControlWalk, EachControlGetsTheKindOfTheFirstRowThatApplies)
{
    LoadSkin(WalkSkin());
    NewForm();
    auto* Button = Add<TButton>(10, 10, 80, 26);
    auto* BitBtn = Add<TBitBtn>(100, 10, 80, 26);
    auto* Speed = Add<TSpeedButton>(190, 10, 26, 26);
    auto* Check = Add<TCheckBox>(230, 10, 90, 20);
    auto* Radio = Add<TRadioButton>(330, 10, 90, 20);
    auto* Edit = Add<TEdit>(10, 50, 100, 22);
    auto* Combo = Add<TComboBox>(120, 50, 100, 22);
    auto* UpDown = Add<TUpDown>(230, 50, 16, 22);
    auto* Memo = Add<TMemo>(260, 50, 100, 60);
    auto* Tree = Add<TTreeView>(370, 50, 100, 60);
    auto* Group = Add<TGroupBox>(10, 120, 150, 80);
    auto* InGroup = Add<TCheckBox>(10, 20, 100, 20, 0, Group);
    auto* Panel = Add<TPanel>(170, 120, 150, 80);
    auto* OnPanel = Add<TButton>(10, 10, 80, 26, 0, Panel);
    auto* Radios = Add<TRadioGroup>(330, 120, 150, 80);
    Radios->Items()->SetText("one\ntwo");
    auto* Label = Add<TLabel>(10, 210, 80, 16);
    auto* Status = Add<TStatusBar>(0, 0, 100, 20);
    Show();

    EXPECT_EQ(KindOf(Button), "TSkinButton");
    EXPECT_EQ(KindOf(OnPanel), "TSkinButton");
    EXPECT_EQ(KindOf(BitBtn), "TSkinBitButton");  // before the push-button row
    EXPECT_EQ(KindOf(Speed), "TSkinSpeedButton");
    EXPECT_EQ(KindOf(Check), "TSkinCheckBox");
    EXPECT_EQ(KindOf(InGroup), "TSkinCheckBox");
    EXPECT_FALSE(InGroup->ParentColor());
    EXPECT_EQ(KindOf(Radio), "TSkinRadioButton");
    EXPECT_EQ(KindOf(Edit), "TSkinEdit");
    EXPECT_FALSE(Listed(Edit));  // an edit's kind is the form skin object's but not listed
    EXPECT_EQ(KindOf(Combo), "TSkinComBox");
    EXPECT_EQ(KindOf(UpDown), "TSkinUpDown");
    EXPECT_EQ(KindOf(Memo), "TSkinScrollBar");
    EXPECT_EQ(KindOf(Tree), "TSkinScrollBar");  // it has scroll bars of its own
    EXPECT_EQ(KindOf(Group), "TSkinBox");
    EXPECT_EQ(KindOf(Panel), "TSkinBox");
    ASSERT_EQ(Radios->ButtonCount(), 2);
    for (int I = 0; I < 2; ++I) {
        EXPECT_EQ(KindOf(Radios->Buttons(I)), "TSkinRadioButton");
        EXPECT_FALSE(Radios->Buttons(I)->ParentColor());
    }
    EXPECT_EQ(KindOf(Radios), "TSkinBox");
    EXPECT_EQ(KindOf(Label), "");
    EXPECT_EQ(KindOf(Status), "TSkinStatusBar");
    EXPECT_FALSE(Status->SizeGrip());  // the skin draws its own grip
    for (TSkinControl* Kind : Skinned->FControls) {
        if (Kind->FHandle == Check->Handle() || Kind->FHandle == Button->Handle()) {
            EXPECT_EQ(Kind->FRecolor, Kind->FHandle == Check->Handle());
        }
    }
}

TEST_F(ControlWalk, TabsBarsAndListsGetTheirKinds)
{
    LoadSkin(WalkSkin());
    NewForm();
    auto* Pages = Add<TPageControl>(10, 10, 160, 100);
    auto* Sheet = new TTabSheet(Form);
    Sheet->SetPageControl(Pages);
    auto* Tabs = Add<TTabControl>(180, 10, 160, 100);
    Tabs->Tabs()->SetText("one\ntwo");
    auto* TabSet = Add<TTabSet>(350, 10, 160, 22);
    TabSet->Tabs()->SetText("one\ntwo");
    auto* Track = Add<TTrackBar>(10, 120, 160, 30);
    auto* Progress = Add<TProgressBar>(180, 120, 160, 18);
    auto* Bar = Add<TScrollBar>(350, 120, 160, 17);
    auto* List = Add<TListBox>(10, 160, 160, 80);
    auto* View = Add<TListView>(180, 160, 160, 80);
    Show();

    EXPECT_EQ(KindOf(Pages), "TSkinTab");
    EXPECT_TRUE(Listed(Pages));
    EXPECT_EQ(KindOf(Tabs), "TSkinTab");
    EXPECT_EQ(KindOf(TabSet), "TSkinTab31");
    EXPECT_EQ(KindOf(Track), "TSkinTrackBar");
    EXPECT_EQ(KindOf(Progress), "TSkinProgress");
    EXPECT_EQ(KindOf(Bar), "TSkinScControl");
    EXPECT_EQ(KindOf(List), "TSkinScrollBar");
    EXPECT_EQ(List->Color(), clBtnFace);
    EXPECT_EQ(KindOf(View), "TSkinListView");
}

TEST_F(ControlWalk, TagsDisableOrForceKindsAndOptionsSwitchRowsOff)
{
    TSkinData& Skin = LoadSkin(WalkSkin());
    TSkinControlTypes Options = Skin.SkinControls();
    Options.Exclude(xcCheckBox);
    Skin.SetSkinControls(Options);
    NewForm();
    auto* Disabled = Add<TButton>(10, 10, 80, 26, 199);
    auto* AsCombo = Add<TButton>(100, 10, 80, 26, 195);
    auto* AsBars = Add<THeaderControl>(190, 10, 80, 40, 196);
    auto* Panel = Add<TPanel>(280, 10, 80, 40, 196);
    auto* AsEdit = Add<TStatusBar>(0, 0, 100, 20, 197);
    auto* Check = Add<TCheckBox>(10, 60, 90, 20);
    auto* Scrolled = Add<THeaderControl>(100, 60, 80, 40, 55);
    Show();

    EXPECT_EQ(KindOf(Disabled), "");
    EXPECT_EQ(KindOf(AsCombo), "TSkinComBox");
    EXPECT_EQ(KindOf(AsBars), "TSkinScrollBar");
    EXPECT_EQ(KindOf(Panel), "TSkinBox");  // the panel's row is ahead of the tag's
    EXPECT_EQ(KindOf(Check), "");  // its option is off and no later row takes a check box
    EXPECT_EQ(KindOf(Scrolled), "TSkinScrollBar");
    // The status bar's own row is ahead of the edit tag, whose option is on.
    EXPECT_EQ(KindOf(AsEdit), "TSkinStatusBar");
}

TEST_F(ControlWalk, TheSkinsClassMapDecidesBeforeTheRowsEvenForKindsItDoesNotKnow)
{
    TSkinData& Skin = LoadSkin(WalkSkin());
    TStringList Map;
    Map.SetText("TCheckBox=Button\ntbutton=grid\nTRadioButton=checkbox\nTPanel=radiogroup\nTEdit=");
    Skin.SetSkin3rd(Map);
    NewForm();
    auto* Check = Add<TCheckBox>(10, 10, 90, 20);
    auto* Button = Add<TButton>(110, 10, 80, 26);
    auto* Radio = Add<TRadioButton>(200, 10, 90, 20);
    auto* Panel = Add<TPanel>(10, 50, 200, 80);
    auto* OnPanel = Add<TCheckBox>(10, 10, 100, 20, 0, Panel);
    auto* Edit = Add<TEdit>(220, 50, 100, 22);
    Show();

    EXPECT_EQ(KindOf(Check), "TSkinButton");
    EXPECT_EQ(KindOf(Button), "");  // "grid" is no kind: handled, and by nothing
    EXPECT_EQ(KindOf(Radio), "TSkinCheckBox");
    EXPECT_EQ(KindOf(Panel), "TSkinBox");
    EXPECT_EQ(KindOf(OnPanel), "TSkinRadioButton");  // the group's children, before their own row
    EXPECT_EQ(KindOf(Edit), "");  // a line with no kind text settles it too
}

namespace {

// The application's choice: a check-box kind for the first button, the same kind again for
// the second, nothing for the rest.
class TApplicationChoice : public TObject {
public:
    void Choose(TComponent* Sender, TSkinData*, TControl*, TControl* Control, const std::string& Class,
                TComponent*& Skinned)
    {
        Classes.push_back(Class);
        if (Control == First || Control == Second) {
            if (!Kind)
                Kind = new TSkinCheckBox(Sender);
            Skinned = Kind;
        }
    }
    TControl* First = nullptr;
    TControl* Second = nullptr;
    TSkinCheckBox* Kind = nullptr;
    std::vector<std::string> Classes;
};

}  // namespace

TEST_F(ControlWalk, TheApplicationsKindComesFirstAndAListedKindIsNotInstalledTwice)
{
    TSkinData& Skin = LoadSkin(WalkSkin());
    TApplicationChoice Choice;
    Skin.OnSkinControl = TOnSkinControl(&Choice, &TApplicationChoice::Choose);
    NewForm();
    auto* First = Add<TButton>(10, 10, 80, 26);
    auto* Second = Add<TButton>(100, 10, 80, 26);
    auto* Third = Add<TButton>(190, 10, 80, 26);
    Choice.First = First;
    Choice.Second = Second;
    Show();

    EXPECT_EQ(KindOf(First), "TSkinCheckBox");
    EXPECT_EQ(KindOf(Second), "");
    EXPECT_EQ(KindOf(Third), "TSkinButton");
    ASSERT_GE(Choice.Classes.size(), 3u);
    EXPECT_EQ(Choice.Classes[0], "TBUTTON");
}

namespace {

struct TDialogItem {
    const char* Class;
    DWORD Style;
    short X, Y, W, H;
};

void AddWords(std::vector<WORD>& T, const char* Text)
{
    for (const char* C = Text; *C; ++C)
        T.push_back(WORD(static_cast<unsigned char>(*C)));
    T.push_back(0);
}

// A dialog of the system's dialog class with Items (by class name), shown and activated.
HWND MakeDialog(const std::vector<TDialogItem>& Items)
{
    std::vector<WORD> T;
    const DWORD Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    T.insert(T.end(), {LOWORD(Style), HIWORD(Style), 0, 0, WORD(Items.size()), 20, 20, 300, 160, 0, 0});
    AddWords(T, "Walk");
    for (const TDialogItem& I : Items) {
        if (T.size() % 2)
            T.push_back(0);
        const DWORD S = WS_CHILD | WS_VISIBLE | I.Style;
        T.insert(T.end(), {LOWORD(S), HIWORD(S), 0, 0, WORD(I.X), WORD(I.Y), WORD(I.W), WORD(I.H), 0});
        AddWords(T, I.Class);
        T.insert(T.end(), {0, 0});  // no text, no creation data
    }
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(T.data()),
                                      nullptr, [](HWND, UINT Msg, WPARAM, LPARAM) -> INT_PTR { return Msg == WM_INITDIALOG; },
                                      0);
}

}  // namespace

TEST_F(ControlWalk, ABareDialogsChildrenTakeTheirKindByClassAndStyleWhateverTheOptions)
{
    TSkinData& Skin = LoadSkin(WalkSkin());
    Skin.SetSkinControls(TSkinControlTypes{xcMainMenu});  // the bare route does not ask
    INITCOMMONCONTROLSEX Init{sizeof Init, ICC_TAB_CLASSES | ICC_USEREX_CLASSES};
    InitCommonControlsEx(&Init);
    const HWND Dialog = MakeDialog({{"BUTTON", BS_GROUPBOX, 2, 2, 60, 20},
                                    {"Button", BS_AUTOCHECKBOX, 70, 2, 60, 12},
                                    {"ComboBox", CBS_DROPDOWNLIST, 2, 26, 60, 60},
                                    {"ComboBox", CBS_SIMPLE, 70, 26, 60, 40},
                                    {WC_COMBOBOXEXA, CBS_DROPDOWN, 140, 26, 60, 60},
                                    {"Edit", WS_BORDER, 2, 70, 60, 14},
                                    {"ScrollBar", SBS_SIZEGRIP, 70, 70, 10, 10},
                                    {WC_TABCONTROLA, 0, 2, 90, 120, 40},
                                    {WC_TABCONTROLA, TCS_OWNERDRAWFIXED, 130, 90, 120, 40}});
    ASSERT_NE(Dialog, nullptr);
    HWND Items[9];
    for (int I = 0; I < 9; ++I)
        Items[I] = GetWindow(I ? Items[I - 1] : GetWindow(Dialog, GW_CHILD), I ? GW_HWNDNEXT : GW_HWNDFIRST);
    const auto [Group, Check, Drop, Simple, Ex, Edit, Grip, Tabs, OwnTabs] = Items;
    SetForegroundWindow(Dialog);
    WaitStarted(Dialog);
    TWinSkinForm* Form = SkinOf(Dialog);
    ASSERT_NE(Form, nullptr);
    const size_t Count = Form->FControls.size();
    Form->SkinChildWindows();  // a second walk wraps nothing twice, the extended combo's inner one neither
    EXPECT_EQ(Form->FControls.size(), Count);
    std::map<HWND, std::string> Kinds;
    for (TSkinControl* Kind : Form->FControls)
        Kinds[Kind->FHandle] = Kind->ClassName();

    EXPECT_EQ(Kinds.count(Group), 0u);
    EXPECT_EQ(Kinds[Check], "TSkinCheckBox");
    EXPECT_EQ(Kinds[Drop], "TSkinComBox");
    EXPECT_EQ(Kinds.count(Simple), 0u);
    EXPECT_EQ(Kinds.count(Ex), 0u);
    EXPECT_EQ(Kinds[GetWindow(Ex, GW_CHILD)], "TSkinComBox");
    EXPECT_EQ(Kinds[Edit], "TSkinEdit");
    EXPECT_EQ(Kinds[Grip], "TSkinSizer");
    EXPECT_EQ(Kinds[Tabs], "TSkinTab");
    EXPECT_EQ(Kinds.count(OwnTabs), 0u);
    DestroyWindow(Dialog);
}
