#include "skin/manage/SkinManage.h"

#include <algorithm>

#include "framework/ui/Form.h"
#include "framework/ui/Screen.h"
#include "framework/ui/Timer.h"
#include "skin/data/SkinData.h"

PANTREL_REGISTER(TSkinManage, TObject)

TSkinManage* SkinManager = nullptr;
DWORD WinVersion = 0;

TSkinManage::TSkinManage() : Timer(new TTimer(nullptr))
{
    Timer->SetEnabled(false);
    Timer->SetInterval(250);
    Timer->OnTimer = TNotifyEvent(this, &TSkinManage::TimerFired);
}

TSkinManage::~TSkinManage()
{
    ReadyCount = 4;
    Timer.reset();
    if (Hook)
        UnhookWindowsHookEx(Hook);
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
}

void TSkinManage::StartHook()
{
    WinVersion = GetVersion();
    if (Hook)
        UnhookWindowsHookEx(Hook);
    Hook = SetWindowsHookExA(WH_CBT, &TSkinManage::CBTProc, nullptr, GetCurrentThreadId());
}

bool TSkinManage::SkinWindow(HWND)
{
    return false;
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

void TSkinManage::TimerFired(TObject*)
{
    if (!PendingSkinData)
        return;
    Timer->SetEnabled(false);
    TSkinData* const P = PendingSkinData;
    switch (PendingAction) {
    case saSkinForms:
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
        break;
    case saUnskinForms:
        SkinningEnabled = false;
        break;
    default:
        // A changed skin and dead form skin objects concern form skin objects, which
        // only form skinning makes.
        break;
    }
    P->DoSkinChanged();
    PendingSkinData = nullptr;
}

LRESULT CALLBACK TSkinManage::CBTProc(int Code, WPARAM WParam, LPARAM LParam)
{
    TSkinManage* const M = SkinManager;
    if (Code == HCBT_ACTIVATE && M) {
        if (M->ReadyCount == 0)
            M->ReadyCount = 1;
        M->SkinWindow(reinterpret_cast<HWND>(WParam));
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
