// Skinned frames against the system's, side by side in one run, with Pantrel's own skin: on
// windows shaped like Pantrel's main window (client 688 x 437, single border, menu bar of three
// items) the non-client paint, the region rebuild and a full repaint (frame, client,
// controls); and a full repaint of the skin preview's window. Each plain twin has Tag 99,
// which the skin manager never skins.
//   frame_benchmark SKINFILE [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "framework/graphics/ImageList.h"
#include "framework/ui/Application.h"
#include "framework/ui/OpenPictureDialog.h"
#include "framework/ui/StandardControls.h"
#include "framework/ui/Timer.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Memo.h"
#include "framework/ui/Menus.h"
#include "framework/ui/Panel.h"
#include "framework/ui/TreeView.h"
#include "skin/data/SkinData.h"
#include "tests/skinform/bench/SkinBench.h"
#include "skin/form/SkinForm.h"
#include "skin/manage/SkinManage.h"
#include "tools/skinpreview/PreviewForm.h"

namespace {

TForm* MainWindowLike(const char* Caption, int Left, bool Plain)
{
    auto* Form = new TForm(nullptr);
    Form->SetTag(Plain ? 99 : 0);
    Form->SetBorderStyle(bsSingle);
    Form->SetBorderIcons({biSystemMenu, biMinimize});
    Form->SetBounds(Left, 20, 100, 100);
    Form->SetClientWidth(688);
    Form->SetClientHeight(437);
    Form->SetCaption(Caption);
    auto* Menu = new TMainMenu(Form);
    for (const char* Top : {"【文件】", "【操作】", "【帮助】"}) {
        auto* Item = new TMenuItem(Menu);
        Item->SetCaption(Top);
        auto* Entry = new TMenuItem(Menu);
        Entry->SetCaption("添加");
        Item->Add(Entry);
        Menu->Items()->Add(Item);
    }
    Form->SetMenu(Menu);
    auto* Tree = new TTreeView(Form);
    Tree->SetParent(Form);
    Tree->SetBounds(0, 0, 153, 437);
    auto* Panel = new TPanel(Form);
    Panel->SetParent(Form);
    Panel->SetBounds(153, 0, 242, 437);
    auto* Memo = new TMemo(Form);
    Memo->SetParent(Panel);
    Memo->SetBounds(8, 32, 225, 177);
    Memo->SetScrollBars(ssVertical);
    auto* Edit = new TEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(400, 10, 200, 22);
    Form->Show();
    return Form;
}

// Microseconds per call of Run: the best of Rounds rounds of Count calls each (the machine's
// other work only ever adds time).
double MicrosecondsPer(int Rounds, int Count, const std::function<void()>& Run)
{
    LARGE_INTEGER Frequency;
    QueryPerformanceFrequency(&Frequency);
    std::vector<double> Results;
    for (int R = 0; R < Rounds; ++R) {
        LARGE_INTEGER Start, End;
        QueryPerformanceCounter(&Start);
        for (int I = 0; I < Count; ++I)
            Run();
        QueryPerformanceCounter(&End);
        Results.push_back(double(End.QuadPart - Start.QuadPart) * 1e6 / double(Frequency.QuadPart) / Count);
    }
    std::sort(Results.begin(), Results.end());
    return Results.front();
}

void FullRepaint(HWND Wnd)
{
    RedrawWindow(Wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// The best full repaint of each window over alternating rounds.
std::pair<double, double> FullRepaints(int Rounds, HWND Skinned, HWND Plain)
{
    double A = 1e300, B = 1e300;
    for (int R = 0; R < Rounds; ++R) {
        A = std::min(A, MicrosecondsPer(1, 30, [&] { FullRepaint(Skinned); }));
        B = std::min(B, MicrosecondsPer(1, 30, [&] { FullRepaint(Plain); }));
    }
    return {A, B};
}

bool IsSkinned(TForm* Form)
{
    TWinSkinForm* F = SkinManager ? SkinManager->FindSkinForm(Form->Handle()) : nullptr;
    return F && F->FSkinState == ssReady;
}

}  // namespace

int main(int Argc, char** Argv)
{
    if (Argc < 2) {
        std::fprintf(stderr, "usage: frame_benchmark SKINFILE [ROUNDS]\n");
        return 2;
    }
    const int Rounds = Argc > 2 ? std::max(1, std::atoi(Argv[2])) : 7;
    RegisterStandardControls();
    for (const TClassInfo* Info : {&TSkinData::StaticClassInfo(), &TImageList::StaticClassInfo(),
                                   &TTimer::StaticClassInfo(), &TOpenDialog::StaticClassInfo()})
        RegisterComponentClass(*Info);
    Application->Initialize();
    // As the main window's design does: the skin, then the component switched on.
    TSkinData Skin(nullptr);
    if (!LoadBenchSkin(Skin, Argv[1], true))
        return 1;

    TForm* Skinned = MainWindowLike("Pantrel系统", 0, false);
    TForm* Plain = MainWindowLike("Pantrel系统", 320, true);
    Pump(800);
    // The skin preview's window, skinned and plain.
    auto* PreviewSkinned = new TPreviewForm(nullptr);
    auto* PreviewPlain = new TPreviewForm(nullptr);
    PreviewPlain->SetTag(99);
    PreviewSkinned->Show();
    PreviewPlain->SetLeft(200);
    PreviewPlain->Show();
    Pump(800);
    TWinSkinForm* F = SkinManager ? SkinManager->FindSkinForm(Skinned->Handle()) : nullptr;
    if (!IsSkinned(Skinned) || IsSkinned(Plain) || !IsSkinned(PreviewSkinned) || IsSkinned(PreviewPlain)) {
        std::fprintf(stderr, "the windows are not skinned as expected\n");
        return 1;
    }

    // Alternating rounds, so that both see the same machine; the best round of each.
    double NCSkinned = 1e300, NCPlain = 1e300;
    for (int R = 0; R < Rounds; ++R) {
        NCSkinned = std::min(NCSkinned, MicrosecondsPer(1, 100, [&] { F->PaintNC(nullptr); }));
        NCPlain = std::min(NCPlain, MicrosecondsPer(1, 100, [&] { SendMessageA(Plain->Handle(), WM_NCPAINT, 1, 0); }));
    }
    const auto [FullSkinned, FullPlain] = FullRepaints(Rounds, Skinned->Handle(), Plain->Handle());
    const auto [PreviewFullSkinned, PreviewFullPlain] =
        FullRepaints(Rounds, PreviewSkinned->Handle(), PreviewPlain->Handle());
    const double Region = MicrosecondsPer(Rounds, 50, [&] {
        F->FRegionWidth = 0;  // forces a rebuild at the same size
        F->BuildRegion();
    });
    const double RegionMade = MicrosecondsPer(Rounds, 50, [&] { DeleteObject(F->MakeRegion(F->FWidth, F->FHeight)); });
    std::printf("%-44s %10s %10s %7s\n", "figure (microseconds)", "skinned", "plain", "ratio");
    std::printf("%-44s %10.1f %10.1f %7.2f\n", "non-client paint, main window", NCSkinned, NCPlain, NCSkinned / NCPlain);
    std::printf("%-44s %10.1f %10.1f %7.2f\n", "full repaint, main window", FullSkinned, FullPlain,
                FullSkinned / FullPlain);
    std::printf("%-44s %10.1f %10.1f %7.2f\n", "full repaint, skin preview window", PreviewFullSkinned,
                PreviewFullPlain, PreviewFullSkinned / PreviewFullPlain);
    std::printf("BENCH|non-client paint, main window (us, best of %d)|%.0f|%.0f (system frame)|%.2f|-\n", Rounds,
                NCSkinned, NCPlain, NCSkinned / NCPlain);
    std::printf("BENCH|full repaint, skin preview window (us, best of %d)|%.0f|%.0f (unskinned)|%.2f|<= 1.5\n", Rounds,
                PreviewFullSkinned, PreviewFullPlain, PreviewFullSkinned / PreviewFullPlain);
    std::printf("%-44s %10.1f %10s %7s\n", "region rebuild (ours, without SetWindowRgn)", RegionMade, "-", "-");
    std::printf("%-44s %10.1f %10s %7s\n", "region rebuild with SetWindowRgn", Region, "-", "-");
    delete PreviewPlain;
    delete PreviewSkinned;
    delete Plain;
    delete Skinned;
    FinalizeSkinManager();
    return 0;
}
