// Control discovery: which skinned-control kind wraps which control of a skinned window.
// A framework form's components are walked (by class, the skin's class map, the
// application's OnSkinControl event or Tag); a bare window's child windows by class and style.
#include <algorithm>

#include "framework/core/StrUtils.h"
#include "framework/ui/GraphicControl.h"
#include "framework/ui/Panel.h"
#include "framework/ui/WinControl.h"
#include "skin/controls/Buttons.h"
#include "skin/controls/CheckRadio.h"
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
    }
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

void TWinSkinForm::SkinChildWindow(HWND Wnd)
{
    if (!Wnd || std::any_of(FControls.begin(), FControls.end(), [Wnd](TSkinControl* K) { return K->FHandle == Wnd; }))
        return;
    char Class[101] = {};
    GetClassNameA(Wnd, Class, 100);
    if (LowerCaseAscii(Class) != "button")
        return;
    const LONG_PTR Style = GetWindowLongPtrA(Wnd, GWL_STYLE);
    if ((Style & 7) == 7)
        return;  // a group box
    TSkinControl* Kind;
    if ((Style & 3) == 3 || (Style & 2) != 0 || (Style & 5) == 5)
        Kind = new TSkinCheckBox(this);
    else if ((Style & 9) == 9 || (Style & 4) != 0)
        Kind = new TSkinRadioButton(this);
    else
        Kind = new TSkinButton(this);
    Kind->InstallWindow(Wnd, FSkinData, &FControlCanvas);
    AddControl(Kind);
}
