#pragma once
// TSkinManage: the one object per process that connects the skin components with the
// windows they skin: it keeps the registered components, watches the thread's windows
// through a CBT hook (a window about to be activated gets a form skin object, a menu popup
// window a popup skin object), carries out deferred skin actions from a 250 ms timer, and
// holds the state of the MDI handling.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Object.h"
#include "framework/ui/Timer.h"

class TBitmap;
class TCustomForm;
class TSkinData;
class TWinSkinForm;
class TWinSkinPopMenu;

// Deferred actions a skin component or a form skin object can ask for.
enum : int32_t { saSkinForms = 1, saUnskinForms = 2, saSkinChanged = 3, saFreeDeadForms = 6 };

// Private window messages between skinned windows and the skin engine.
constexpr UINT WM_SKINQUERY = 0x3504;    // a skinned window answers 1
constexpr UINT WM_SKINSTART = 0x3503;    // posted once a form skin object was made
constexpr UINT WM_SKINREPAINT = 0x3502;  // repaint the whole non-client area
constexpr UINT WM_SKINCHANGED = 0x3401;  // re-apply the skin

class TSkinManage : public TObject {
    PANTREL_CLASS(TSkinManage, TObject)
    TSkinManage();
    ~TSkinManage() override;
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    void AddSkinData(TSkinData* SkinData);
    void RemoveSkinData(TSkinData* SkinData);
    // Installs the CBT hook for the calling thread (removing one installed before).
    void StartHook();
    // Gives Wnd a form skin object now, when it qualifies; true when it got one.
    bool SkinWindow(HWND Wnd);
    // Records Action; with a window activated already, the timer carries it out after
    // Interval ms; before that only the on/off switch is applied at once.
    void ScheduleAction(int32_t Action, unsigned Interval);
    // Every form skin object drops its caption buttons (before a new skin is applied).
    void RefreshSkinForms();

    // Called by form skin objects.
    void ForgetWindow(HWND Wnd);
    TWinSkinForm* FindSkinForm(HWND Wnd) const;
    void SetMDIChildMaximized(bool Value);
    int MDIChildCount() const;
    // The background bitmap of the popup window showing Menu, or null.
    TBitmap* PopupBackground(HMENU Menu) const;
    // The popup skin object showing Menu, or null.
    TWinSkinPopMenu* PopupShowing(HMENU Menu) const;

    // Which registered component skins Wnd, or null.
    TSkinData* SelectSkinData(HWND Wnd) const;
    // The veto of the first main-form component; true without one.
    bool ClassAllowed(const std::string& ClassName) const;
    // A window embedded in another (a child that is not an MDI child).
    static bool IsPlainChild(HWND Wnd);
    // The framework form whose window is Wnd, or null (makes the windows of forms that
    // have none yet, as it asks each form for its window).
    static TCustomForm* FormOfWindow(HWND Wnd);

    std::unique_ptr<TTimer> Timer;
    HHOOK Hook = nullptr;
    std::vector<TWinSkinForm*> Forms;
    std::vector<std::unique_ptr<TWinSkinPopMenu>> Popups;
    std::vector<TSkinData*> SkinDatas;  // registration order; not owned
    bool SkinningEnabled = false;
    bool SkinningAll = false;
    int32_t ReadyCount = 0;
    bool MDIChildMaximized = false;
    HWND MDIClient = nullptr;
    int32_t PendingAction = 0;
    TSkinData* PendingSkinData = nullptr;  // the component the pending action is for

private:
    void TimerFired(TObject* Sender);
    void SkinAllForms(TSkinData* P);
    void UnskinForms(TSkinData* P);
    void ApplyChangedSkin(TSkinData* P);
    void FreeDeadForms();
    void UnskinAll();
    // Unskins one object of Forms, repaints its window and frees the object.
    void UnskinAndFree(size_t Index);
    void OnCreateWindow(HWND Wnd, const CBT_CREATEWNDA& Create, bool& Refuse);
    void SkinPopup(HWND Wnd);
    bool UnskinPopup(HWND Wnd);
    bool IsPopupSkinned(HWND Wnd) const;
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

// The class name of a window (at most 100 characters).
std::string WindowClassName(HWND Wnd);
