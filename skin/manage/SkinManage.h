#pragma once
// TSkinManage: the one object per process that connects the skin components with the
// windows they skin: it keeps the registered components, watches the thread's windows
// through a CBT hook and carries out deferred skin actions from a 250 ms timer.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/core/Object.h"
#include "framework/ui/Timer.h"

class TSkinData;

// Deferred actions a skin component can ask for.
enum : int32_t { saSkinForms = 1, saUnskinForms = 2, saSkinChanged = 3, saFreeDeadForms = 6 };

class TSkinManage : public TObject {
    PANTREL_CLASS(TSkinManage, TObject)
    TSkinManage();
    ~TSkinManage() override;
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    void AddSkinData(TSkinData* SkinData);
    void RemoveSkinData(TSkinData* SkinData);
    // Installs the CBT hook for the calling thread (replacing one installed before).
    void StartHook();
    // Gives Wnd a form skin object now; true when it got one. Form skinning is not part of
    // the program yet, so no window qualifies.
    bool SkinWindow(HWND Wnd);
    // Records Action; with a window activated already, the timer carries it out after
    // Interval ms; before that only the on/off switch is applied at once.
    void ScheduleAction(int32_t Action, unsigned Interval);

    std::unique_ptr<TTimer> Timer;
    HHOOK Hook = nullptr;
    std::vector<TSkinData*> SkinDatas;  // registration order; not owned
    bool SkinningEnabled = false;
    bool SkinningAll = false;
    int32_t ReadyCount = 0;
    int32_t PendingAction = 0;
    TSkinData* PendingSkinData = nullptr;  // the component the pending action is for

private:
    void TimerFired(TObject* Sender);
    static LRESULT CALLBACK CBTProc(int Code, WPARAM WParam, LPARAM LParam);
};

// The manager of the process, or null before the first skin component is loaded.
extern TSkinManage* SkinManager;
// The value of GetVersion, recorded by StartHook.
extern DWORD WinVersion;
// The manager, made on first use; it is freed at program end.
TSkinManage& NeedSkinManager();
// Removes the hook and frees the manager (at program end, or in tests).
void FinalizeSkinManager();
