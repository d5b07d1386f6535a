// Skins full of nonsense on real windows: a form with a menu bar and a system dialog are
// repainted, resized to nothing and to more than the screen, activated and deactivated and
// hovered over; nothing may crash or hang, and the windows must still answer.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "framework/design/DesignReader.h"
#include "framework/ui/Menus.h"
#include "skin/manage/SkinManage.h"
#include "tests/controls/Input.h"
#include "tests/skinform/BareWindows.h"
#include "tests/skinform/SkinnedWindow.h"
#include "tests/support/Capture.h"

namespace {

constexpr UINT Repaint = RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN;

class HostileSkin : public SkinnedWindow {
protected:
    TSkinData& LoadPacked(const std::string& Packed)
    {
        Roots.push_back(std::make_unique<TSkinRoot>(nullptr));
        ReadComponentText(SkinDesign(Packed, true), Roots.back().get(), "test");
        return *dynamic_cast<TSkinData*>(Roots.back()->FindComponent("SkinData1"));
    }

    TForm* MenuForm()
    {
        TForm* Form = MakeForm();
        auto* Menu = new TMainMenu(Form);
        for (const char* Caption : {"&File", "&Edit"}) {
            auto* Top = new TMenuItem(Menu);
            Top->SetCaption(Caption);
            auto* Item = new TMenuItem(Menu);
            Item->SetCaption("&Open");
            Top->Add(Item);
            Menu->Items()->Add(Top);
        }
        Form->SetMenu(Menu);
        return Form;
    }

    // Everything a user does to a window's frame, many times over.
    static void Torment(HWND Wnd, HWND Other)
    {
        for (int I = 0; I < 20; ++I)
            RedrawWindow(Wnd, nullptr, nullptr, Repaint);
        for (SIZE Size : {SIZE{1, 1}, SIZE{0, 0}, SIZE{2, 3}, SIZE{60, 20}, SIZE{1600, 1200}, SIZE{3, 700},
                          SIZE{700, 3}, SIZE{320, 240}}) {
            SetWindowPos(Wnd, nullptr, 0, 0, Size.cx, Size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            RedrawWindow(Wnd, nullptr, nullptr, Repaint);
        }
        Activate(Other);
        Activate(Wnd);
        RECT R{};
        GetWindowRect(Wnd, &R);
        for (int X = R.left; X < R.right; X += 40)
            for (int Y : {R.top + 3, R.top + 12})
                MoveMouseTo(POINT{X, Y}, 10);
        MoveMouseTo(POINT{R.right - 8, R.top + 8}, 10);
        for (int I = 0; I < 20; ++I)
            SendMessageA(Wnd, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(R.left + 15 * I, R.top + 5));
        MoveMouseTo(POINT{5, 760}, 10);
    }

    static bool Answers(HWND Wnd)
    {
        DWORD_PTR Result = 0;
        return SendMessageTimeoutA(Wnd, WM_SKINQUERY, 0, 0, SMTO_ABORTIFHUNG, 2000, &Result) && Result == 1;
    }
};

}  // namespace

TEST_F(HostileSkin, EveryHostileSkinLeavesTheWindowsWorking)
{
    for (const auto& [Name, Packed] : HostileSkins()) {
        SCOPED_TRACE(Name);
        // Names the skin in the log, should one take the process down.
        std::fprintf(stderr, "hostile skin %s\n", Name.c_str());
        std::fflush(stderr);
        const DWORD Start = GetTickCount();
        LoadPacked(Packed);
        TForm* Form = MenuForm();
        TWinSkinForm* F = ShowSkinned(Form);
        EXPECT_NE(F, nullptr);
        const HWND Dialog = MakeDialog("Hostile", 420, 300);
        ASSERT_NE(Dialog, nullptr);
        EXPECT_NE(SkinOf(Dialog), nullptr);

        Torment(Form->Handle(), Dialog);
        Torment(Dialog, Form->Handle());
        AppPumpFor(300);  // the hover polls run
        EXPECT_TRUE(Answers(Form->Handle()));
        EXPECT_TRUE(Answers(Dialog));
        EXPECT_LT(GetTickCount() - Start, 5000u);
        SetWindowPos(Form->Handle(), nullptr, 0, 0, 360, 260, SWP_NOMOVE | SWP_NOZORDER);
        AppPumpFor(100);
        CaptureWindow(Form->Handle()).SavePng("hostile-" + Name + ".png");

        DestroyWindow(Dialog);
        delete Form;
        Forms.clear();
        AppPumpFor(50);
        FinalizeSkinManager();
        Roots.clear();
    }
}
