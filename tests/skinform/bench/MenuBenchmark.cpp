// The drop-down of a menu bar, skinned against the system's, side by side in one run: the time
// from a real click on the bar's first button to the end of the drop-down's first paint
// (frame and every item), on two windows shaped like Pantrel's main window with a drop-down
// of eight entries. The plain twin has Tag 99, which the skin manager never skins, and its
// rounds run with popup skinning off so that the system paints its drop-down.
//   menu_benchmark SKINFILE [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/graphics/ImageList.h"
#include "framework/ui/Application.h"
#include "framework/ui/Menus.h"
#include "framework/ui/StandardControls.h"
#include "framework/ui/Timer.h"
#include "skin/data/SkinData.h"
#include "tests/skinform/bench/SkinBench.h"
#include "skin/form/NCObjects.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMenuBar.h"
#include "skin/manage/SkinManage.h"

namespace {

TForm* MainWindowLike(int Left, bool Plain)
{
    auto* Form = new TForm(nullptr);
    Form->SetTag(Plain ? 99 : 0);
    Form->SetBorderStyle(bsSingle);
    Form->SetBorderIcons({biSystemMenu, biMinimize});
    Form->SetBounds(Left, 20, 100, 100);
    Form->SetClientWidth(400);
    Form->SetClientHeight(300);
    Form->SetCaption("Pantrel系统");
    auto* Menu = new TMainMenu(Form);
    auto* Top = new TMenuItem(Menu);
    Top->SetCaption("【文件】");
    Menu->Items()->Add(Top);
    for (const char* Caption : {"添加菜谱", "修改", "-", "删除", "导出", "打印", "-", "退出"}) {
        auto* Entry = new TMenuItem(Menu);
        Entry->SetCaption(Caption);
        Top->Add(Entry);
    }
    Top->Items(0)->SetShortCut(TextToShortCut("Ctrl+N"));
    Form->SetMenu(Menu);
    Form->Show();
    return Form;
}

// The benchmark's watch on menu windows: its CBT hook, installed before the skin manager's,
// runs after it, so its subclass sits outside the skin's and sees the whole first paint.
struct TWatch {
    HHOOK Hook = nullptr;
    HWND Menu = nullptr;
    WNDPROC Old = nullptr;
    LARGE_INTEGER Painted{};
} Watch;

LRESULT CALLBACK WatchedMenuProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    const LRESULT Result = CallWindowProcA(Watch.Old, Wnd, Msg, WParam, LParam);
    if (Msg == WM_PAINT && Watch.Painted.QuadPart == 0) {
        QueryPerformanceCounter(&Watch.Painted);
        EndMenu();
    }
    return Result;
}

LRESULT CALLBACK WatchMenus(int Code, WPARAM WParam, LPARAM LParam)
{
    const HWND Wnd = reinterpret_cast<HWND>(WParam);
    const LRESULT Result = CallNextHookEx(Watch.Hook, Code, WParam, LParam);
    if (Code == HCBT_CREATEWND && WindowClassName(Wnd) == "#32768" && !Watch.Menu) {
        Watch.Menu = Wnd;
        Watch.Old = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchedMenuProc)));
    }
    return Result;
}

void Click(POINT Screen)
{
    SetCursorPos(Screen.x, Screen.y);
    INPUT In[2]{};
    In[0].type = In[1].type = INPUT_MOUSE;
    In[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    In[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, In, sizeof(INPUT));
}

// Milliseconds from the click at Screen to the end of the drop-down's first paint; negative
// when no drop-down was painted.
double OpenOnce(POINT Screen)
{
    Watch.Menu = nullptr;
    Watch.Painted.QuadPart = 0;
    LARGE_INTEGER Frequency, Start;
    QueryPerformanceFrequency(&Frequency);
    SetCursorPos(Screen.x, Screen.y);
    Pump(150);
    QueryPerformanceCounter(&Start);
    Click(Screen);
    const DWORD Begun = GetTickCount();
    while (Watch.Painted.QuadPart == 0 && GetTickCount() - Begun < 3000) {
        Application->ProcessMessages();
        Sleep(0);
    }
    Pump(150);
    if (Watch.Painted.QuadPart == 0)
        return -1;
    return double(Watch.Painted.QuadPart - Start.QuadPart) * 1e3 / double(Frequency.QuadPart);
}

}  // namespace

int main(int Argc, char** Argv)
{
    if (Argc < 2) {
        std::fprintf(stderr, "usage: menu_benchmark SKINFILE [ROUNDS]\n");
        return 2;
    }
    const int Rounds = Argc > 2 ? std::max(1, std::atoi(Argv[2])) : 15;
    RegisterStandardControls();
    for (const TClassInfo* Info : {&TSkinData::StaticClassInfo(), &TImageList::StaticClassInfo(),
                                   &TTimer::StaticClassInfo()})
        RegisterComponentClass(*Info);
    Application->Initialize();
    Watch.Hook = SetWindowsHookExA(WH_CBT, &WatchMenus, nullptr, GetCurrentThreadId());
    TSkinData Skin(nullptr);
    if (!LoadBenchSkin(Skin, Argv[1], true))
        return 1;
    TForm* Skinned = MainWindowLike(0, false);
    TForm* Plain = MainWindowLike(520, true);
    Pump(800);
    TWinSkinForm* F = SkinManager ? SkinManager->FindSkinForm(Skinned->Handle()) : nullptr;
    if (!F || !F->FMenuBar || F->FMenuBar->FButtons.empty() || !GetMenu(Plain->Handle())) {
        std::fprintf(stderr, "the windows are not skinned as expected\n");
        return 1;
    }
    const RECT& Button = F->FMenuBar->FButtons[0]->FRect;
    RECT PlainItem{};
    GetMenuItemRect(Plain->Handle(), GetMenu(Plain->Handle()), 0, &PlainItem);

    // Alternating rounds, so that both see the same machine.
    std::vector<double> SkinnedTimes, PlainTimes;
    for (int R = 0; R < Rounds; ++R) {
        SkinManager->SkinningEnabled = true;
        SetForegroundWindow(Skinned->Handle());
        Pump(100);
        GetWindowRect(Skinned->Handle(), &F->FWindowRect);
        SkinnedTimes.push_back(OpenOnce(POINT{F->FWindowRect.left + (Button.left + Button.right) / 2,
                                              F->FWindowRect.top + (Button.top + Button.bottom) / 2}));
        SkinManager->SkinningEnabled = false;
        SetForegroundWindow(Plain->Handle());
        Pump(100);
        PlainTimes.push_back(
            OpenOnce(POINT{(PlainItem.left + PlainItem.right) / 2, (PlainItem.top + PlainItem.bottom) / 2}));
    }
    SkinManager->SkinningEnabled = true;
    if (*std::min_element(SkinnedTimes.begin(), SkinnedTimes.end()) < 0 ||
        *std::min_element(PlainTimes.begin(), PlainTimes.end()) < 0) {
        std::fprintf(stderr, "a drop-down did not open\n");
        return 1;
    }
    const double SkinnedBest = *std::min_element(SkinnedTimes.begin(), SkinnedTimes.end());
    const double PlainBest = *std::min_element(PlainTimes.begin(), PlainTimes.end());
    std::printf("%-46s %10s %10s %7s\n", "click to drop-down painted (ms), rounds", "skinned", "plain", "ratio");
    std::printf("%-46s %10.2f %10.2f %7.2f\n", ("best of " + std::to_string(Rounds)).c_str(), SkinnedBest,
                PlainBest, SkinnedBest / PlainBest);
    std::printf("%-46s %10.2f %10.2f %7.2f\n", "median", Median(SkinnedTimes), Median(PlainTimes),
                Median(SkinnedTimes) / Median(PlainTimes));
    std::printf("BENCH|click on the bar to the drop-down painted (ms, median of %d)|%.2f|%.2f (system menu bar)|%.2f|-\n",
                Rounds, Median(SkinnedTimes), Median(PlainTimes), Median(SkinnedTimes) / Median(PlainTimes));
    delete Plain;
    delete Skinned;
    FinalizeSkinManager();
    UnhookWindowsHookEx(Watch.Hook);
    return 0;
}
