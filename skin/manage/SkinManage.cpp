#include "skin/manage/SkinManage.h"

#include <algorithm>
#include <cctype>

#include "framework/core/StrUtils.h"
#include "framework/ui/Form.h"
#include "framework/ui/Screen.h"
#include "framework/ui/StartupTrace.h"
#include "framework/ui/Timer.h"
#include "skin/data/SkinData.h"
#include "skin/form/ElementDraw.h"
#include "skin/form/SkinForm.h"
#include "skin/manage/SkinPopMenu.h"

PANTREL_REGISTER(TSkinManage, TObject)

TSkinManage* SkinManager = nullptr;
DWORD WinVersion = 0;

namespace {

// The framework's hidden application window, never skinned.
const char* const ApplicationClass = "TApplication";
const char* const MenuPopupClass = "#32768";

// An MDI child whose window still exists: the object of a destroyed one waits in Forms
// for the next tick.
bool IsLiveMDIChild(const TWinSkinForm* F)
{
    return F->FMDIKind == mkChild && F->FSkinState != ssDead;
}

}  // namespace

std::string WindowClassName(HWND Wnd)
{
    char Name[101] = {};
    GetClassNameA(Wnd, Name, sizeof Name);
    return Name;
}

TSkinManage::TSkinManage() : Timer(new TTimer(nullptr))
{
    Timer->SetEnabled(false);
    Timer->SetInterval(250);
    Timer->OnTimer = TNotifyEvent(this, &TSkinManage::TimerFired);
    StartScratchBitmap();
}

TSkinManage::~TSkinManage()
{
    ReadyCount = 4;
    Timer.reset();
    if (Hook)
        UnhookWindowsHookEx(Hook);
    Hook = nullptr;
    UnskinAll();
    // Menu windows still open get their own procedures back before their objects go.
    for (auto& Popup : Popups)
        Popup->Detach();
    Popups.clear();
    EndScratchBitmap();
}

void TSkinManage::AddSkinData(TSkinData* SkinData)
{
    // Once only: a component that started the manager on demand is loaded later.
    if (std::find(SkinDatas.begin(), SkinDatas.end(), SkinData) == SkinDatas.end())
        SkinDatas.push_back(SkinData);
}

void TSkinManage::RemoveSkinData(TSkinData* SkinData)
{
    const auto It = std::find(SkinDatas.begin(), SkinDatas.end(), SkinData);
    if (It != SkinDatas.end())
        SkinDatas.erase(It);
    // A component that goes away must not be called back by a pending action.
    if (PendingSkinData == SkinData)
        PendingSkinData = nullptr;
    // Nor may the windows and menus it skins paint with it once it is gone: they are given
    // back to the system now, while its elements still exist.
    for (size_t I = Forms.size(); I-- > 0;) {
        if (Forms[I]->FSkinData != SkinData)
            continue;
        if (Forms[I]->FSkinState != ssDead) {
            UnskinAndFree(I);
            continue;
        }
        TWinSkinForm* const Dead = Forms[I];
        Forms.erase(Forms.begin() + std::ptrdiff_t(I));
        delete Dead;
    }
    for (size_t I = Popups.size(); I-- > 0;)
        if (Popups[I]->FSkinData == SkinData) {
            Popups[I]->Detach();
            Popups.erase(Popups.begin() + std::ptrdiff_t(I));
        }
}

void TSkinManage::StartHook()
{
    WinVersion = GetVersion();
    if (Hook)
        UnhookWindowsHookEx(Hook);
    Hook = SetWindowsHookExA(WH_CBT, &TSkinManage::CBTProc, nullptr, GetCurrentThreadId());
}

TCustomForm* TSkinManage::FormOfWindow(HWND Wnd)
{
    if (!Screen)
        return nullptr;
    for (int I = 0; I < Screen->FormCount(); ++I)
        if (Screen->Forms(I)->Handle() == Wnd)
            return Screen->Forms(I);
    return nullptr;
}

bool TSkinManage::IsPlainChild(HWND Wnd)
{
    return (GetWindowLongPtrA(Wnd, GWL_STYLE) & WS_CHILD) &&
           LowerCaseAscii(WindowClassName(GetParent(Wnd))) != "mdiclient";
}

bool TSkinManage::ClassAllowed(const std::string& ClassName) const
{
    for (TSkinData* S : SkinDatas)
        if (S->SkinFormtype() == sfMainform) {
            bool DoSkin = true;
            S->DoFormSkin(ClassName, DoSkin);
            return DoSkin;
        }
    return true;
}

TSkinData* TSkinManage::SelectSkinData(HWND Wnd) const
{
    // Each search keeps the last match: the later registered component wins.
    auto Last = [this](auto Matches) {
        TSkinData* Found = nullptr;
        for (TSkinData* S : SkinDatas)
            if (Matches(S))
                Found = S;
        return Found;
    };
    if (TSkinData* S = Last([Wnd](TSkinData* S) {
            const auto* Owner = dynamic_cast<TWinControl*>(S->Owner());
            return S->SkinFormtype() == sfOnlyThisForm && Owner && Owner->HandleAllocated() &&
                   const_cast<TWinControl*>(Owner)->Handle() == Wnd;
        }))
        return S;
    const std::string Class = LowerCaseAscii(WindowClassName(Wnd));
    if (Class == "tmessageform" || Class == "#32770")
        if (TSkinData* S = Last([](TSkinData* S) { return S->SkinFormtype() == sfDialog; }))
            return S;
    if (TSkinData* S = Last([](TSkinData* S) { return S->SkinFormtype() == sfMainform; }))
        return S;
    return SkinDatas.empty() ? nullptr : SkinDatas.front();
}

bool TSkinManage::SkinWindow(HWND Wnd)
{
    if (!SkinningEnabled || SendMessageA(Wnd, WM_SKINQUERY, 0, 0) == 1 || FindSkinForm(Wnd))
        return false;
    TCustomForm* const Form = FormOfWindow(Wnd);
    if (!SkinningAll && IsPlainChild(Wnd))
        return false;
    RECT R{};
    GetWindowRect(Wnd, &R);
    if ((R.right - R.left) * (R.bottom - R.top) == 0)
        return false;
    // The fixed number 99, whatever the component's DisableTag says.
    if (Form && Form->Tag() == 99)
        return false;
    const std::string Class = WindowClassName(Wnd);
    if (Class == ApplicationClass || !ClassAllowed(Class))
        return false;
    TSkinData* const S = SelectSkinData(Wnd);
    if (!S || S->NoSkin)
        return false;

    StartupTrace::Mark("skin: first window taken");
    auto* SkinForm = new TWinSkinForm(Form);
    SkinForm->FHandle = Wnd;
    Forms.push_back(SkinForm);
    if (Form)
        SkinForm->AttachForm(S, Form);
    else
        SkinForm->AttachWindow(S);
    PostMessageA(Wnd, WM_SKINSTART, 0, 1000);
    return true;
}

void TSkinManage::ScheduleAction(int32_t Action, unsigned Interval)
{
    PendingAction = Action;
    Timer->SetInterval(Interval);
    if (ReadyCount != 0)
        Timer->SetEnabled(true);
    else if (Action == saSkinForms)
        SkinningEnabled = true;
    else if (Action == saUnskinForms)
        SkinningEnabled = false;
}

void TSkinManage::RefreshSkinForms()
{
    for (TWinSkinForm* F : Forms)
        F->FreeSysButtons();
}

void TSkinManage::ForgetWindow(HWND Wnd)
{
    const auto It = std::find_if(Forms.begin(), Forms.end(), [Wnd](TWinSkinForm* F) { return F->FHandle == Wnd; });
    if (It != Forms.end())
        Forms.erase(It);
}

TWinSkinForm* TSkinManage::FindSkinForm(HWND Wnd) const
{
    for (TWinSkinForm* F : Forms)
        if (F->FHandle == Wnd)
            return F;
    return nullptr;
}

void TSkinManage::TimerFired(TObject*)
{
    if (!PendingSkinData)
        return;
    Timer->SetEnabled(false);
    TSkinData* const P = PendingSkinData;
    switch (PendingAction) {
    case saSkinForms: SkinAllForms(P); break;
    case saUnskinForms: UnskinForms(P); break;
    case saSkinChanged: ApplyChangedSkin(P); break;
    case saFreeDeadForms: FreeDeadForms(); break;
    default: break;
    }
    P->DoSkinChanged();
    PendingSkinData = nullptr;
}

void TSkinManage::SkinAllForms(TSkinData* P)
{
    SkinningEnabled = true;
    SkinningAll = true;
    // From the last form to the first; a form-bound component skins only its owner.
    for (int I = Screen ? Screen->FormCount() - 1 : -1; I >= 0; --I) {
        TCustomForm* const Form = Screen->Forms(I);
        if (P->SkinFormtype() != sfOnlyThisForm) {
            SkinWindow(Form->Handle());
        } else if (Form == P->Owner()) {
            SkinWindow(Form->Handle());
            break;
        }
    }
    SkinningAll = false;
}

void TSkinManage::UnskinForms(TSkinData* P)
{
    SkinningEnabled = false;
    for (size_t I = Forms.size(); I-- > 0;) {
        if (P->SkinFormtype() != sfOnlyThisForm) {
            UnskinAndFree(I);
        } else if (Forms[I]->FSkinData == P) {
            UnskinAndFree(I);
            break;
        }
    }
}

void TSkinManage::UnskinAndFree(size_t Index)
{
    TWinSkinForm* const F = Forms[Index];
    const HWND Wnd = F->FHandle;
    F->Unskin();
    InvalidateRect(Wnd, nullptr, TRUE);
    UpdateWindow(Wnd);
    Forms.erase(Forms.begin() + std::ptrdiff_t(Index));
    delete F;
}

void TSkinManage::ApplyChangedSkin(TSkinData* P)
{
    // All metrics first, then the repaints, so no window paints with a half-read skin.
    for (TWinSkinForm* F : Forms)
        if (F->FSkinData == P) {
            F->FreeSysButtons();
            F->ReadFrameMetrics();
            if (P->SkinFormtype() == sfOnlyThisForm)
                break;
        }
    const std::vector<TWinSkinForm*> List = Forms;
    for (TWinSkinForm* F : List)
        if (F->FSkinData == P) {
            F->Reskin();
            if (P->SkinFormtype() == sfOnlyThisForm)
                break;
        }
}

void TSkinManage::FreeDeadForms()
{
    for (size_t I = Forms.size(); I-- > 0;)
        if (Forms[I]->FSkinState == ssDead) {
            TWinSkinForm* const F = Forms[I];
            Forms.erase(Forms.begin() + std::ptrdiff_t(I));
            delete F;
        }
}

void TSkinManage::UnskinAll()
{
    while (!Forms.empty()) {
        TWinSkinForm* const F = Forms.back();
        Forms.pop_back();
        F->FSkinState = ssClosing;
        F->UnskinForDestroy();
        delete F;
    }
}

void TSkinManage::SetMDIChildMaximized(bool Value)
{
    if (Value == MDIChildMaximized)
        return;
    MDIChildMaximized = Value;
    for (TWinSkinForm* F : Forms) {
        if (!IsLiveMDIChild(F))
            continue;
        if (Value) {
            F->RemoveRegion();
            F->ShowSystemBoxes(true);
            // What the region hid of the grown child is painted now.
            RedrawWindow(F->FHandle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        } else if (F->FWindowState == wsMinimized) {
            F->ShowSystemBoxes(true);
        } else {
            F->FWindowState = wsNormal;
            F->BuildRegion();
            F->ShowSystemBoxes(false);
            if (!F->FOwnsRegion)
                F->FrameChanged();
        }
    }
}

int TSkinManage::MDIChildCount() const
{
    return int(std::count_if(Forms.begin(), Forms.end(), IsLiveMDIChild));
}

bool TSkinManage::IsPopupSkinned(HWND Wnd) const
{
    return std::any_of(Popups.begin(), Popups.end(), [Wnd](const auto& P) { return P->FHandle == Wnd; });
}

void TSkinManage::SkinPopup(HWND Wnd)
{
    if (!SkinningEnabled || SendMessageA(Wnd, WM_SKINQUERY, 0, 0) == 1 || IsPopupSkinned(Wnd))
        return;
    TSkinData* const S = SelectSkinData(Wnd);
    // The main-menu option stands for popup menus as well as for the menu bar.
    if (!S || S->NoSkin || !S->SkinControls().Contains(xcMainMenu))
        return;
    auto Popup = std::make_unique<TWinSkinPopMenu>();
    Popup->Attach(Wnd, S, nullptr);
    Popups.push_back(std::move(Popup));
}

bool TSkinManage::UnskinPopup(HWND Wnd)
{
    const auto It = std::find_if(Popups.begin(), Popups.end(), [Wnd](const auto& P) { return P->FHandle == Wnd; });
    if (It == Popups.end())
        return false;
    (*It)->Detach();
    Popups.erase(It);
    return true;
}

TBitmap* TSkinManage::PopupBackground(HMENU Menu) const
{
    TWinSkinPopMenu* const P = PopupShowing(Menu);
    return P ? &P->FBackground : nullptr;
}

TWinSkinPopMenu* TSkinManage::PopupShowing(HMENU Menu) const
{
    // Popups still waiting for their menu do not show "no menu".
    for (const auto& P : Popups)
        if (Menu && P->FMenuHandle == Menu)
            return P.get();
    return nullptr;
}

void TSkinManage::OnCreateWindow(HWND Wnd, const CBT_CREATEWNDA& Create, bool& Refuse)
{
    const std::string Class = WindowClassName(Wnd);
    // Skinned windows draw their own frame and get no system size grip.
    if (Class == "ScrollBar" && (Create.lpcs->style & SBS_SIZEGRIP) && FindSkinForm(Create.lpcs->hwndParent))
        Refuse = true;
    else if (Class == MenuPopupClass)
        SkinPopup(Wnd);
}

LRESULT CALLBACK TSkinManage::CBTProc(int Code, WPARAM WParam, LPARAM LParam)
{
    TSkinManage* const M = SkinManager;
    const HWND Wnd = reinterpret_cast<HWND>(WParam);
    if (M && Code >= 0) {
        switch (Code) {
        case HCBT_CREATEWND: {
            bool Refuse = false;
            M->OnCreateWindow(Wnd, *reinterpret_cast<CBT_CREATEWNDA*>(LParam), Refuse);
            if (Refuse)
                return 10;
            break;
        }
        case HCBT_DESTROYWND:
            M->UnskinPopup(Wnd);
            break;
        case HCBT_ACTIVATE:
            if (M->ReadyCount == 0)
                M->ReadyCount = 1;
            M->SkinWindow(Wnd);
            break;
        }
    }
    return CallNextHookEx(M ? M->Hook : nullptr, Code, WParam, LParam);
}

TSkinManage& NeedSkinManager()
{
    // Made on the first call, so it ends before everything the framework set up earlier:
    // the manager then goes with the program, taking its hook with it.
    static struct TFinalizer {
        ~TFinalizer() { FinalizeSkinManager(); }
    } Finalizer;
    if (!SkinManager)
        SkinManager = new TSkinManage;
    return *SkinManager;
}

void FinalizeSkinManager()
{
    delete SkinManager;
    SkinManager = nullptr;
}
