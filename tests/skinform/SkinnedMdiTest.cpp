// An MDI frame made with plain Win32 under the skin: the frame and its children, the mode in
// which a maximised child keeps the system's frame while the frame's menu bar shows the
// child's buttons, and the children going one by one.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "skin/form/NCObjects.h"
#include "skin/form/SkinMenuBar.h"
#include "skin/manage/SkinManage.h"
#include "tests/controls/Input.h"
#include "tests/skinform/BareWindows.h"
#include "tests/skinform/SkinnedWindow.h"
#include "tests/support/Capture.h"

namespace {

bool HasRegion(HWND Wnd)
{
    HRGN Region = CreateRectRgn(0, 0, 0, 0);
    const bool Has = GetWindowRgn(Wnd, Region) != ERROR;
    DeleteObject(Region);
    return Has;
}

bool HasSystemMenu(HWND Wnd)
{
    return (GetWindowLongPtrA(Wnd, GWL_STYLE) & WS_SYSMENU) != 0;
}

class SkinnedMdi : public SkinnedWindow {
protected:
    static TFlatSkin MdiSkin()
    {
        TFlatSkin Skin;
        Skin.MenuBar.Present = true;
        Skin.MDIControls.Present = true;
        return Skin;
    }

    static TWinSkinForm* WaitSkinned(HWND Wnd)
    {
        WaitStarted(Wnd);
        AppPumpFor(100);
        return SkinOf(Wnd);
    }

    // The frame's MDI buttons (minimise, restore, close of the maximised child).
    static std::vector<TWinSysButton*> MDIButtons(TWinSkinForm& Frame)
    {
        std::vector<TWinSysButton*> Buttons;
        for (const auto& B : Frame.FSysButtons)
            if (B->FButtonData->Visibility == MDIButtonVisibility)
                Buttons.push_back(B.get());
        return Buttons;
    }

    static POINT Centre(const TWinSkinForm& F, const RECT& R)
    {
        return POINT{F.FWindowRect.left + (R.left + R.right) / 2, F.FWindowRect.top + (R.top + R.bottom) / 2};
    }

    // Each child's mode: the system's frame (no region, caption boxes back) or the skin's.
    static void ExpectSystemFrames(std::initializer_list<HWND> Children, bool System)
    {
        for (HWND Child : Children) {
            EXPECT_EQ(HasRegion(Child), !System);
            EXPECT_EQ(HasSystemMenu(Child), System);
        }
    }
};

}  // namespace

TEST_F(SkinnedMdi, MaximisedChildrenKeepTheSystemFrameAndTheFrameShowsTheirButtons)
{
    TSkinData& Skin = LoadSkin(MdiSkin());
    TMdiFrame Mdi;
    ASSERT_NE(Mdi.Client, nullptr);
    Activate(Mdi.Frame);
    TWinSkinForm* Frame = WaitSkinned(Mdi.Frame);
    ASSERT_NE(Frame, nullptr);
    EXPECT_EQ(Frame->FMDIKind, mkFrame);
    EXPECT_EQ(SkinManager->MDIClient, Mdi.Client);
    ASSERT_NE(Frame->FMenuBar, nullptr);
    EXPECT_EQ(GetMenu(Mdi.Frame), nullptr);

    const HWND One = Mdi.AddChild("One");
    const HWND Two = Mdi.AddChild("Two", 60, 60);
    ASSERT_NE(WaitSkinned(One), nullptr);
    ASSERT_NE(WaitSkinned(Two), nullptr);
    EXPECT_EQ(SkinOf(One)->FMDIKind, mkChild);
    EXPECT_EQ(SkinOf(Two)->FMDIKind, mkChild);
    EXPECT_EQ(SkinManager->MDIChildCount(), 2);
    EXPECT_FALSE(SkinManager->MDIChildMaximized);
    ExpectSystemFrames({One, Two}, false);
    EXPECT_EQ(SkinOf(One)->FMenuBar, nullptr);  // children have no bar of their own
    RECT ChildRect{};
    GetWindowRect(Two, &ChildRect);
    EXPECT_TRUE(SameColor(WindowPixel(Two, 1, (ChildRect.bottom - ChildRect.top) / 2), FlatColour(feLeft, 1)));
    // Skinned after it was painted: its client shows nothing of the old look.
    EXPECT_TRUE(SameColor(WindowPixel(Two, 100, SkinOf(Two)->FCaptionHeight), Skin.ButtonFaceColor));
    CaptureWindow(Mdi.Frame).SavePng("skinform-mdi-children.png");

    // Maximised: the mode goes on, every child keeps the system's frame, and the frame's
    // bar shows the child's three buttons at the right end.
    SendMessageA(Mdi.Client, WM_MDIMAXIMIZE, WPARAM(Two), 0);
    AppPumpUntil([] { return SkinManager->MDIChildMaximized; });
    AppPumpFor(150);
    ASSERT_TRUE(SkinManager->MDIChildMaximized);
    EXPECT_TRUE(IsZoomed(Two));
    ExpectSystemFrames({One, Two}, true);
    // The maximised child covers the client area, also where its old region did not reach.
    RECT Client{};
    GetClientRect(Mdi.Client, &Client);
    MapWindowPoints(Mdi.Client, nullptr, reinterpret_cast<POINT*>(&Client), 2);
    EXPECT_TRUE(SameColor(CaptureScreenRect(RECT{Client.right - 20, Client.bottom - 20, Client.right - 19,
                                                 Client.bottom - 19}).Pixel(0, 0),
                          Skin.ButtonFaceColor));
    const auto Buttons = MDIButtons(*Frame);
    ASSERT_EQ(Buttons.size(), 3u);
    for (size_t I = 0; I < Buttons.size(); ++I) {
        EXPECT_TRUE(Buttons[I]->FVisible);
        const POINT P = Centre(*Frame, Buttons[I]->FRect);
        EXPECT_GT(Buttons[I]->FRect.top, Frame->FCaptionHeight - 1);  // on the bar, not the title
        EXPECT_TRUE(SameColor(WindowPixel(Mdi.Frame, P.x - Frame->FWindowRect.left, P.y - Frame->FWindowRect.top),
                              FlatColour(feMDIControls, 4 * int(I) + 1)))
            << I;
    }
    CaptureWindow(Mdi.Frame).SavePng("skinform-mdi-maximised.png");

    // The restore button on the bar: the mode goes off, the children get their regions back.
    ClickAt(Centre(*Frame, Buttons[1]->FRect));
    AppPumpUntil([&] { return !IsZoomed(Two) && !SkinManager->MDIChildMaximized; });
    AppPumpFor(150);
    EXPECT_FALSE(IsZoomed(Two));
    EXPECT_FALSE(SkinManager->MDIChildMaximized);
    ExpectSystemFrames({One, Two}, false);
    EXPECT_TRUE(SameColor(WindowPixel(Two, 1, (ChildRect.bottom - ChildRect.top) / 2), FlatColour(feLeft, 1)));
    for (TWinSysButton* B : MDIButtons(*Frame))
        EXPECT_FALSE(B->FVisible);

    // Restored by the system (WM_MDIRESTORE) works the same.
    SendMessageA(Mdi.Client, WM_MDIMAXIMIZE, WPARAM(One), 0);
    AppPumpUntil([] { return SkinManager->MDIChildMaximized; });
    ASSERT_TRUE(SkinManager->MDIChildMaximized);
    SendMessageA(Mdi.Client, WM_MDIRESTORE, WPARAM(One), 0);
    AppPumpUntil([] { return !SkinManager->MDIChildMaximized; });
    AppPumpFor(150);
    EXPECT_FALSE(SkinManager->MDIChildMaximized);
    ExpectSystemFrames({One, Two}, false);

    // The children go one by one; the last one leaves no mode and no count behind, and the
    // frame takes its menu updates again.
    EXPECT_FALSE(Skin.MenuUpdate());  // held off while children are made
    SendMessageA(Mdi.Client, WM_MDIDESTROY, WPARAM(One), 0);
    AppPumpFor(400);
    EXPECT_EQ(SkinManager->MDIChildCount(), 1);
    SendMessageA(Mdi.Client, WM_MDIMAXIMIZE, WPARAM(Two), 0);
    AppPumpUntil([] { return SkinManager->MDIChildMaximized; });
    ASSERT_TRUE(SkinManager->MDIChildMaximized);
    SendMessageA(Mdi.Client, WM_MDIDESTROY, WPARAM(Two), 0);
    EXPECT_FALSE(SkinManager->MDIChildMaximized);
    EXPECT_TRUE(Skin.MenuUpdate());
    AppPumpFor(400);
    EXPECT_EQ(SkinManager->MDIChildCount(), 0);
    EXPECT_EQ(SkinManager->Forms.size(), 1u);
    EXPECT_EQ(SendMessageA(Mdi.Frame, WM_SKINQUERY, 0, 0), 1);
    RedrawWindow(Mdi.Frame, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    AppPumpFor(100);
    const POINT P = Centre(*Frame, Buttons[2]->FRect);
    EXPECT_TRUE(SameColor(WindowPixel(Mdi.Frame, P.x - Frame->FWindowRect.left, P.y - Frame->FWindowRect.top),
                          FlatColour(feMenuBar, 1)));
    CaptureWindow(Mdi.Frame).SavePng("skinform-mdi-empty.png");
}
