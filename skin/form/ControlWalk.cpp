// Control discovery: which skinned-control kind wraps which control of a skinned window.
// A framework form's components are walked (by class, the skin's class map, the
// application's OnSkinControl event or Tag); a bare window's child windows by class and style.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <type_traits>

#include "framework/core/StrUtils.h"
#include "framework/core/TypInfo.h"
#include "framework/core/Color.h"
#include "framework/ui/BitBtn.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/CustomControl.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Form.h"
#include "framework/ui/GraphicControl.h"
#include "framework/ui/GroupBox.h"
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
#include "framework/ui/TreeView.h"
#include "framework/ui/WinControl.h"
#include "skin/controls/Bars.h"
#include "skin/controls/Buttons.h"
#include "skin/controls/CheckRadio.h"
#include "skin/controls/EditCombo.h"
#include "skin/controls/ScrollBars.h"
#include "skin/controls/Tabs.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/manage/SkinManage.h"

bool TWinSkinForm::AddControl(TSkinControl* Kind)
{
    if (std::find(FControls.begin(), FControls.end(), Kind) != FControls.end())
        return true;
    FControls.push_back(Kind);
    return false;
}

void TWinSkinForm::FreeControls()
{
    FHoverControl = nullptr;
    // Taken out first: freeing a kind notifies this object, which must not search the list.
    std::vector<TSkinControl*> Kinds;
    Kinds.swap(FControls);
    for (TSkinControl* Kind : Kinds) {
        Kind->Uninstall();
        delete Kind;
    }
}

void TWinSkinForm::ForgetControl(TComponent* Component)
{
    if (Component == FHoverControl)
        FHoverControl = nullptr;
    for (auto It = FControls.begin(); It != FControls.end(); ++It) {
        TSkinControl* const Kind = *It;
        if (Kind == Component) {
            FControls.erase(It);
            return;
        }
        // A windowless control that goes takes its kind with it.
        if (Kind->FGraphicControl && Kind->FGraphicControl == Component) {
            FControls.erase(It);
            if (FHoverControl == Kind)
                FHoverControl = nullptr;
            delete Kind;
            return;
        }
    }
}

namespace {

// Preview forms keep their controls' windows for later: such a control counts as wrapped.
bool IsPreviewForm(const TComponent* Form)
{
    const std::string Name = LowerCaseAscii(Form->Name());
    return Name.find("preview") != std::string::npos || Form->Name() == "TQRStandardPreview" ||
           Form->Name() == "TppPrintPreview" || Form->Name() == "TdxfmStdPreview";
}

}  // namespace

bool TWinSkinForm::IsWrapped(TComponent* C) const
{
    auto* Windowed = dynamic_cast<TWinControl*>(C);
    for (TSkinControl* Kind : FControls) {
        if (Kind->FGraphicControl) {
            if (Kind->FGraphicControl == C)
                return true;
            continue;
        }
        if (!Windowed)
            continue;
        if (!Windowed->HandleAllocated())
            return FForm && IsPreviewForm(FForm);
        if (Windowed->Handle() == Kind->FHandle)
            return true;
    }
    return false;
}

namespace {

// One component on its way through the walk: the facts the rows test and the actions they
// take, so that each row of the walk reads as one line.
class TWalkStep {
public:
    TWalkStep(TWinSkinForm& Form, TComponent* C)
        : FForm(Form), FC(C), FClass(UpperCaseAscii(C->ClassName())), FTag(C->Tag() % 100),
          FOptions(Form.FSkinData->SkinControls())
    {
    }
    bool Named(std::initializer_list<const char*> Names) const
    {
        return std::any_of(Names.begin(), Names.end(), [&](const char* N) { return FClass == N; });
    }
    // C's class or one of its ancestors has this name (for classes the walk names by role).
    bool Descends(const char* ClassName) const
    {
        for (const TClassInfo* I = &FC->ClassInfo(); I; I = I->Parent)
            if (UpperCaseAscii(I->Name) == ClassName)
                return true;
        return false;
    }
    template <class T>
    bool Is() const
    {
        return dynamic_cast<T*>(FC) != nullptr;
    }
    bool Tagged(int Tag) const { return FTag == Tag; }
    bool On(TSkinControlType Option) const { return FOptions.Contains(Option); }
    bool HasTabs() const { return FForm.FSkinData->Tabs != nullptr; }
    TWinControl* Windowed() const { return dynamic_cast<TWinControl*>(FC); }
    TComponent* Component() const { return FC; }
    TWinSkinForm& Form() const { return FForm; }

    // Kind K (Recolor) through the framework route; it lists itself.
    template <class K>
    void Wrap(bool Recolor, TComponent* Target = nullptr) const
    {
        auto* Control = dynamic_cast<TWinControl*>(Target ? Target : FC);
        if (!Control)
            return;
        auto* Kind = new K(&FForm);
        Kind->InstallControl(Control, FForm.FSkinData, Recolor, &FForm.FControlCanvas);
    }
    // Kind K on C's window, listed in FControls only when Listed.
    template <class K>
    void WrapWindow(bool Listed) const
    {
        TWinControl* Control = Windowed();
        if (!Control)
            return;
        auto* Kind = new K(&FForm);
        Kind->InstallWindow(Control->Handle(), FForm.FSkinData, &FForm.FControlCanvas);
        if (Listed)
            FForm.AddControl(Kind);
    }
    // The speed-button kind through its windowless installation.
    void WrapSpeedButton() const
    {
        auto* Kind = new TSkinSpeedButton(&FForm);
        Kind->InstallGraphic(dynamic_cast<TSpeedButton*>(FC), FForm.FSkinData, &FForm.FControlCanvas);
    }
    // The scroll-bar kind through its own installation.
    void WrapScrollBars(bool TrackThumb) const
    {
        TWinControl* Control = Windowed();
        if (!Control)
            return;
        auto* Kind = new TSkinScrollBar(&FForm);
        Kind->InstallScrollBars(Control, FForm.FSkinData, TrackThumb, &FForm.FControlCanvas);
    }
    // Every child control of C takes its own colour and, with K, kind K (1).
    template <class K = void>
    void ChildrenOwnColour() const
    {
        TWinControl* Control = Windowed();
        if (!Control)
            return;
        for (int I = 0; I < Control->ControlCount(); ++I) {
            TControl* Child = Control->Controls(I);
            Child->SetParentColor(false);
            if constexpr (!std::is_void_v<K>)
                Wrap<K>(true, Child);
        }
    }
    void SetColour(TColor Colour) const
    {
        if (auto* Control = dynamic_cast<TControl*>(FC))
            Control->SetColor(Colour);
    }
    void SetEnum(const char* Name, const char* Value) const { SetEnumPropByName(FC, Name, Value); }
    // A published ordinal property's value, -1 without one.
    int64_t OrdProp(const char* Name) const { return IsPublishedProp(FC, Name) ? GetOrdProp(FC, Name) : -1; }
    void WalkInto() const { FForm.SkinChildControls(FC); }

private:
    TWinSkinForm& FForm;
    TComponent* FC;
    std::string FClass;
    int FTag;
    TSkinControlTypes FOptions;
};

void SkinByRow(const TWalkStep& W);

}  // namespace

void TWinSkinForm::SkinChildControls(TComponent* Container)
{
    for (int I = 0; I < Container->ComponentCount(); ++I) {
        TComponent* const C = Container->Components(I);
        if (C->Tag() % 100 == FSkinData->DisableTag() || IsWrapped(C))
            continue;
        auto* Windowed = dynamic_cast<TWinControl*>(C);
        if (Windowed && !Windowed->HandleAllocated()) {
            try {
                Windowed->HandleNeeded();
            } catch (...) {
                continue;  // a control whose window cannot be made stays as it is
            }
        }
        if (SkinByApplication(Container, C))
            continue;
        SkinByClass(C);
    }
}

void TWinSkinForm::SkinByClass(TComponent* C)
{
    const TWalkStep W(*this, C);
    if (W.Named({"TDBCOMBOBOXEH", "TQRPREVIEW", "TFRDESIGNERPAGE", "TFRPBOX"}))
        return;
    if (W.Named({"TTOOLBAR"})) {
        // The flat look re-creates the tool bar's window, drawn on the skin's face colour.
        W.SetEnum("Flat", "True");
        W.SetColour(clBtnFace);
        return;
    }
    if ((W.Is<TPageControl>() || W.Is<TTabControl>()) && W.HasTabs() && W.On(xcTab))
        return W.WrapWindow<TSkinTab>(true);
    if (SkinByClassMap(C))
        return;
    SkinByRow(W);
}

namespace {

void SkinByRow(const TWalkStep& W)
{
    // By class, role and tag, first row that applies.
    if (W.Named({"TTABSET"}) && W.HasTabs() && W.On(xcTab))
        return W.Wrap<TSkinTab31>(false);
    if (W.Named({"TTABBEDNOTEBOOK"}) && W.HasTabs() && W.On(xcTab))
        return W.WrapWindow<TSkinTab>(true);
    if (W.Named({"TMVCPANEL"}))
        return W.WalkInto();
    if (W.Is<TCustomTabControl>() && W.HasTabs() && W.On(xcTab))
        return W.WrapWindow<TSkinTab>(true);
    if (W.Is<TCheckBox>() && W.On(xcCheckBox))
        return W.Wrap<TSkinCheckBox>(true);
    if (W.Named({"TTRACKBAR"}) && W.On(xcButton))
        return W.Wrap<TSkinTrackBar>(false);
    if (W.Named({"TUPDOWN"}) && W.On(xcButton))
        return W.Wrap<TSkinUpDown>(false);
    if (W.Is<TRadioGroup>() && W.On(xcRadioButton)) {
        W.ChildrenOwnColour<TSkinRadioButton>();
        return W.Wrap<TSkinBox>(true);
    }
    if (W.Named({"TDBNAVIGATOR"}) && W.On(xcPanel)) {
        W.SetEnum("Flat", "True");
        return W.Wrap<TSkinBox>(true);
    }
    if (W.Is<TCustomGroupBox>() && W.On(xcPanel)) {
        W.ChildrenOwnColour();
        W.Wrap<TSkinBox>(true);
        return W.WalkInto();
    }
    if (W.Is<TRadioButton>() && W.On(xcRadioButton))
        return W.Wrap<TSkinRadioButton>(true);
    if (W.Descends("TTOOLBAR") && W.On(xcToolbar)) {
        W.SetEnum("Flat", "True");
        return W.Wrap<TSkinBox>(true);
    }
    if (W.Is<TStatusBar>() && W.On(xcStatusBar)) {
        W.SetEnum("SizeGrip", "False");
        return W.Wrap<TSkinStatusBar>(false);
    }
    if (W.Is<TProgressBar>() && W.On(xcProgress))
        return W.Wrap<TSkinProgress>(false);
    if (W.Is<TScrollBar>() && W.On(xcScrollbar))
        return W.Wrap<TSkinScControl>(false);
    if ((W.Is<TCustomComboBox>() || W.Tagged(95)) && W.On(xcCombo))
        return W.Wrap<TSkinComBox>(false);
    if (W.Named({"TDATETIMEPICKER"}) && W.On(xcEdit)) {
        // The picker's up-down mode looks like an edit, its drop-down mode like a combo box.
        if (W.OrdProp("DateMode") == 1)
            return W.Wrap<TSkinEdit>(false);
        return W.Wrap<TSkinComBox>(false);
    }
    if (W.Named({"TRICHEDIT", "TWWDBRICHEDIT", "TDXDBMEMO"}) && W.On(xcScrollbar))
        return W.WrapScrollBars(true);
    if (W.Is<TBitBtn>() && W.On(xcBitBtn))
        return W.Wrap<TSkinBitButton>(false);
    if (W.Is<TSpeedButton>() && W.On(xcSpeedButton))
        return W.WrapSpeedButton();
    if (W.Is<TCustomPanel>() && W.On(xcPanel)) {
        W.Wrap<TSkinBox>(true);
        return W.WalkInto();
    }
    if (W.Named({"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"}) && W.On(xcScrollbar))
        return W.WrapScrollBars(false);
    if (W.Is<TListView>() && W.On(xcScrollbar))
        return W.Wrap<TSkinListView>(false);
    if (W.Is<TCustomMemo>() && W.On(xcScrollbar))
        return W.WrapScrollBars(true);
    if (W.Is<TListBox>() && W.On(xcScrollbar)) {
        W.SetColour(clBtnFace);
        return W.WrapScrollBars(true);
    }
    if ((W.Tagged(96) || W.Form().HasOwnScrollBars(W.Component())) && W.On(xcScrollbar))
        return W.WrapScrollBars(true);
    if (W.Is<TButton>() && W.On(xcButton))
        return W.Wrap<TSkinButton>(false);
    if ((W.Is<TCustomEdit>() || W.Tagged(97)) && W.On(xcEdit))
        return W.WrapWindow<TSkinEdit>(false);
    if (W.Is<TCustomControl>())
        return W.WalkInto();
    if (W.Is<TCustomForm>()) {
        W.SetColour(clBtnFace);
        return W.WalkInto();
    }
}

}  // namespace

bool TWinSkinForm::HasOwnScrollBars(TComponent* C) const
{
    if (C->Tag() == 55 || dynamic_cast<TMemo*>(C) || dynamic_cast<TCustomTreeView*>(C))
        return true;
    auto* Control = dynamic_cast<TWinControl*>(C);
    return Control && Control->HandleAllocated() &&
           (GetWindowLongPtrA(Control->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) != 0;
}

bool TWinSkinForm::SkinByClassMap(TComponent* C)
{
    const std::optional<std::string> Mapped = ClassMapKind(C->ClassName());
    if (!Mapped)
        return false;
    const std::string& Kind = *Mapped;
    const TWalkStep W(*this, C);
    if (Kind == "combobox" && W.On(xcCombo))
        W.Wrap<TSkinComBox>(false);
    else if (Kind == "edit" && W.On(xcEdit))
        W.WrapWindow<TSkinEdit>(false);
    else if (Kind == "radiobutton" && W.On(xcRadioButton))
        W.Wrap<TSkinRadioButton>(true);
    else if (Kind == "panel" && W.On(xcPanel)) {
        W.SetEnum("Transparent", "True");
        W.Wrap<TSkinBox>(true);
    } else if (Kind == "trackbar" && W.On(xcButton)) {
        W.SetEnum("Transparent", "True");
        W.Wrap<TSkinTrackBar>(false);
    }
    else if (Kind == "button" && W.On(xcButton))
        W.Wrap<TSkinButton>(false);
    else if (Kind == "tab" && W.On(xcTab) && W.HasTabs())
        W.WrapWindow<TSkinTab>(true);
    else if (Kind == "progress" && W.On(xcProgress))
        W.Wrap<TSkinProgress>(false);
    else if (Kind == "scrollbar" && W.On(xcScrollbar))
        W.WrapScrollBars(true);
    else if (Kind == "radiogroup" && W.On(xcPanel) && W.On(xcRadioButton)) {
        W.ChildrenOwnColour<TSkinRadioButton>();
        W.Wrap<TSkinBox>(true);
    } else if (Kind == "checkgroup" && W.On(xcPanel) && W.On(xcRadioButton)) {
        W.ChildrenOwnColour<TSkinCheckBox>();
        W.Wrap<TSkinBox>(true);
    }
    else if (Kind == "checkbox" && W.On(xcCheckBox))
        W.Wrap<TSkinCheckBox>(true);
    return true;
}

std::optional<std::string> TWinSkinForm::ClassMapKind(const std::string& ClassName) const
{
    const std::string Key = LowerCaseAscii(ClassName) + "=";
    const TStrings& Lines = *FSkinData->Skin3rd();
    for (int I = 0; I < Lines.Count(); ++I) {
        const std::string Line = LowerCaseAscii(Lines.Strings(I));
        if (Line.compare(0, Key.size(), Key) == 0)
            return Line.substr(Key.size(), 50);
    }
    return std::nullopt;
}

bool TWinSkinForm::SkinByApplication(TComponent* Container, TComponent* C)
{
    if (!FSkinData->OnSkinControl.Assigned())
        return false;
    auto* Control = dynamic_cast<TControl*>(C);
    TComponent* Skinned = nullptr;
    FSkinData->OnSkinControl(this, FSkinData, dynamic_cast<TControl*>(Container), Control,
                             UpperCaseAscii(C->ClassName()), Skinned);
    auto* Kind = dynamic_cast<TSkinControl*>(Skinned);
    if (!Kind)
        return false;
    if (AddControl(Kind))
        return true;
    if (auto* Windowed = dynamic_cast<TWinControl*>(C))
        Kind->InstallControl(Windowed, FSkinData, Kind->FRecolor, &FControlCanvas);
    if (dynamic_cast<TCustomPanel*>(C))
        SkinChildControls(C);
    return true;
}

void TWinSkinForm::SkinChildWindows()
{
    for (HWND Child = GetTopWindow(FHandle); Child; Child = GetWindow(Child, GW_HWNDNEXT))
        if (GetWindowLongPtrA(Child, GWL_STYLE) & WS_CHILD)
            SkinChildWindow(Child);
}

namespace {

// The kind a bare window's button takes by its style, or null for a group box.
TSkinControl* ButtonKind(TWinSkinForm* Form, LONG_PTR Style)
{
    if ((Style & 7) == 7)
        return nullptr;
    if ((Style & 3) == 3 || (Style & 2) != 0 || (Style & 5) == 5)
        return new TSkinCheckBox(Form);
    if ((Style & 9) == 9 || (Style & 4) != 0)
        return new TSkinRadioButton(Form);
    return new TSkinButton(Form);
}

}  // namespace

void TWinSkinForm::SkinChildWindow(HWND Wnd)
{
    const auto Wrapped = [this](HWND W) {
        return std::any_of(FControls.begin(), FControls.end(), [W](TSkinControl* K) { return K->FHandle == W; });
    };
    if (!Wnd || Wrapped(Wnd))
        return;
    char Name[101] = {};
    GetClassNameA(Wnd, Name, 100);
    const std::string Class = LowerCaseAscii(Name);
    const LONG_PTR Style = GetWindowLongPtrA(Wnd, GWL_STYLE);
    TSkinControl* Kind = nullptr;
    HWND Target = Wnd;
    if (Class == "button")
        Kind = ButtonKind(this, Style);
    else if (Class == "combobox" && (Style & 3) != 1)
        Kind = new TSkinComBox(this);
    else if (Class == "comboboxex32" && GetWindow(Wnd, GW_CHILD)) {
        Target = GetWindow(Wnd, GW_CHILD);
        if (Wrapped(Target))
            return;  // walked before: its combo is wrapped already
        Kind = new TSkinComBox(this);
    } else if (Class == "scrollbar")
        Kind = new TSkinSizer(this);
    else if (Class == "systabcontrol32" && (Style & TCS_OWNERDRAWFIXED) == 0)
        Kind = new TSkinTab(this);
    else if (Class == "edit")
        Kind = new TSkinEdit(this);
    if (!Kind)
        return;
    Kind->InstallWindow(Target, FSkinData, &FControlCanvas);
    AddControl(Kind);
}
