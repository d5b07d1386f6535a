// Skinned frames on real windows: the frame fitted around the client area, borders and title
// from the skin (active and inactive), the window region, the caption text and the caption
// buttons' places, looks and actions, and giving everything back when skinning goes off.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/ui/Application.h"
#include "skin/form/NCObjects.h"
#include "skin/manage/SkinManage.h"
#include "tests/controls/Input.h"
#include "tests/skinform/SkinnedWindow.h"
#include "tests/support/Capture.h"

namespace {

bool InRegion(HWND Wnd, int X, int Y)
{
    HRGN Region = CreateRectRgn(0, 0, 0, 0);
    const int Kind = GetWindowRgn(Wnd, Region);
    const bool Inside = Kind != ERROR && PtInRegion(Region, X, Y);
    DeleteObject(Region);
    return Inside;
}

// A caption button's centre on the screen.
POINT ButtonCentre(const TWinSkinForm& F, int Index)
{
    const RECT& R = F.FSysButtons[size_t(Index)]->FRect;
    return POINT{F.FWindowRect.left + (R.left + R.right) / 2, F.FWindowRect.top + (R.top + R.bottom) / 2};
}

class SkinnedFrame : public SkinnedWindow {};

}  // namespace

TEST_F(SkinnedFrame, FrameFitsAroundTheClientAreaAndPaintsEveryPart)
{
    const TFlatSkin Skin;
    LoadSkin(Skin);
    TForm* Form = MakeForm();
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    const HWND Wnd = Form->Handle();
    EXPECT_EQ(SendMessageA(Wnd, WM_SKINQUERY, 0, 0), 1);

    RECT Client{};
    GetClientRect(Wnd, &Client);
    EXPECT_EQ(Client.right, 320);
    EXPECT_EQ(Client.bottom, 200);
    const RECT W = WindowRect(Wnd);
    EXPECT_EQ(Width(W), 320 + Skin.Left.Size + Skin.Right.Size);
    EXPECT_EQ(Height(W), 200 + Skin.Top.Size + Skin.Bottom.Size);
    EXPECT_EQ(F->FCaptionHeight, Skin.Top.Size);
    // The system's caption boxes are gone; the skin draws its own.
    EXPECT_EQ(GetWindowLongPtrA(Wnd, GWL_STYLE) & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);

    const int X = Width(W), Y = Height(W);
    EXPECT_TRUE(SameColor(WindowPixel(Wnd, 1, Y / 2), FlatColour(feLeft, 1)));
    EXPECT_TRUE(SameColor(WindowPixel(Wnd, X - 2, Y / 2), FlatColour(feRight, 1)));
    EXPECT_TRUE(SameColor(WindowPixel(Wnd, X / 2, Y - 2), FlatColour(feBottom, 1)));
    EXPECT_TRUE(SameColor(WindowPixel(Wnd, X - 100, 1), FlatColour(feTop, 1)));
    const POINT Close = ButtonCentre(*F, 0);
    EXPECT_TRUE(SameColor(WindowPixel(Wnd, Close.x - W.left, Close.y - W.top), FlatColour(feCaptionButton, 1)));
    CaptureWindow(Wnd).SavePng("skinform-frame-active.png");

    // Another window takes the activation: the inactive frames.
    TForm* Other = MakeForm(TFormOptions{bsSizeable, {biSystemMenu}, 100, 60, "Other", 600, 400});
    ASSERT_NE(ShowSkinned(Other), nullptr);
    EXPECT_FALSE(F->FActive);
    EXPECT_TRUE(SameColor(WindowPixel(Wnd, 1, Y / 2), FlatColour(feLeft, 2)));
    EXPECT_TRUE(SameColor(WindowPixel(Wnd, X / 2, Y - 2), FlatColour(feBottom, 2)));
    EXPECT_TRUE(SameColor(WindowPixel(Wnd, X - 100, 1), FlatColour(feTop, 2)));
    // Caption buttons with fewer than four frames look the same; six frames: frame 4.
    EXPECT_TRUE(SameColor(WindowPixel(Wnd, Close.x - W.left, Close.y - W.top), FlatColour(feCaptionButton, 4)));
    CaptureWindow(Wnd).SavePng("skinform-frame-inactive.png");
}

TEST_F(SkinnedFrame, SingleFrameBordersLookTheSameWhenInactive)
{
    TFlatSkin Skin;
    Skin.Left.Frames = Skin.Right.Frames = Skin.Top.Frames = Skin.Bottom.Frames = 1;
    LoadSkin(Skin);
    TForm* Form = MakeForm();
    ASSERT_NE(ShowSkinned(Form), nullptr);
    TForm* Other = MakeForm(TFormOptions{bsSizeable, {biSystemMenu}, 100, 60, "Other", 600, 400});
    ASSERT_NE(ShowSkinned(Other), nullptr);
    const RECT W = WindowRect(Form->Handle());
    EXPECT_TRUE(SameColor(WindowPixel(Form->Handle(), 1, Height(W) / 2), FlatColour(feLeft, 1)));
    EXPECT_TRUE(SameColor(WindowPixel(Form->Handle(), Width(W) - 100, 1), FlatColour(feTop, 1)));
}

TEST_F(SkinnedFrame, TheRegionCutsTheTransparentCornersAndFollowsTheSize)
{
    LoadSkin(TFlatSkin{});
    TForm* Form = MakeForm();
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    const HWND Wnd = Form->Handle();
    RECT W = WindowRect(Wnd);
    // Three-pixel squares cut at the top corners of the left and right pieces.
    EXPECT_FALSE(InRegion(Wnd, 0, 0));
    EXPECT_FALSE(InRegion(Wnd, 2, 2));
    EXPECT_TRUE(InRegion(Wnd, 3, 3));
    EXPECT_FALSE(InRegion(Wnd, Width(W) - 1, 0));
    EXPECT_TRUE(InRegion(Wnd, Width(W) / 2, 0));
    EXPECT_TRUE(InRegion(Wnd, 0, Height(W) - 1));
    EXPECT_TRUE(InRegion(Wnd, Width(W) - 1, Height(W) - 1));

    // A move keeps the region; a one-pixel resize builds a new one.
    const HRGN Before = F->FRegion;
    SetWindowPos(Wnd, nullptr, W.left + 7, W.top + 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Settle();
    EXPECT_EQ(F->FRegion, Before);
    W = WindowRect(Wnd);
    SetWindowPos(Wnd, nullptr, 0, 0, Width(W) + 1, Height(W), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Settle();
    EXPECT_NE(F->FRegion, Before);
    EXPECT_EQ(F->FRegionWidth, Width(W) + 1);
    EXPECT_FALSE(InRegion(Wnd, Width(W), 0));
    EXPECT_TRUE(InRegion(Wnd, Width(W) - 4, 0));
}

TEST_F(SkinnedFrame, OpaqueBordersGiveThePlainRectangleAndAThinBottomIsNeverCut)
{
    TFlatSkin Opaque;
    Opaque.Left.Trans = Opaque.Right.Trans = Opaque.Top.Trans = Opaque.Bottom.Trans = 0;
    LoadSkin(Opaque);
    TForm* Form = MakeForm();
    ASSERT_NE(ShowSkinned(Form), nullptr);
    EXPECT_TRUE(InRegion(Form->Handle(), 0, 0));
    const RECT W = WindowRect(Form->Handle());
    EXPECT_TRUE(InRegion(Form->Handle(), Width(W) - 1, 0));
}

TEST_F(SkinnedFrame, OnlyTheBottomBorderTransparentCutsTheBottomButNotWhenItIsOnePixelHigh)
{
    TFlatSkin Skin;
    Skin.Left.Trans = Skin.Right.Trans = Skin.Top.Trans = 0;
    Skin.Bottom.Size = 5;
    Skin.Bottom.MarginStart = Skin.Bottom.MarginEnd = 2;  // the corners keep their size
    Skin.Bottom.Cut = TFlatSkin::TCorners{0, 0, 2, 2};
    LoadSkin(Skin);
    TForm* Form = MakeForm();
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    RECT W = WindowRect(Form->Handle());
    // The bottom piece lies between the side borders: its cut corners start there.
    EXPECT_FALSE(InRegion(Form->Handle(), F->FBorderLeft, Height(W) - 1));
    EXPECT_TRUE(InRegion(Form->Handle(), F->FBorderLeft + 2, Height(W) - 1));
    EXPECT_TRUE(InRegion(Form->Handle(), 0, 0));
    delete Form;
    Forms.clear();
    FinalizeSkinManager();

    TFlatSkin Thin = Skin;
    Thin.Bottom.Size = 1;
    Thin.Bottom.Cut = TFlatSkin::TCorners{0, 0, 1, 1};
    LoadSkin(Thin);
    Form = MakeForm();
    F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    W = WindowRect(Form->Handle());
    EXPECT_TRUE(InRegion(Form->Handle(), F->FBorderLeft, Height(W) - 1));
}

TEST_F(SkinnedFrame, CaptionTextFollowsTheAlignmentAndStopsBeforeTheButtons)
{
    TFlatSkin Skin;
    for (int Alignment : {0, 1, 2}) {
        Skin.TextAlignment = Alignment;
        LoadSkin(Skin);
        TForm* Form = MakeForm();
        TWinSkinForm* F = ShowSkinned(Form);
        ASSERT_NE(F, nullptr);
        const int Left = F->FBorderLeft, Right = F->FWidth - F->FBorderRight;
        const RECT& T = F->FTextRect;
        SCOPED_TRACE(Alignment);
        if (Alignment == 0) {
            EXPECT_EQ(T.left, Left + Skin.TextShift);
        } else if (Alignment == 1) {
            EXPECT_NEAR(T.left - Left, Right - T.right, 1);
        } else {
            EXPECT_EQ(T.right, Right - Skin.TextRightClip);
        }
        // The band behind the text shows the title band's active frame.
        EXPECT_TRUE(SameColor(WindowPixel(Form->Handle(), T.left + 1, 2), FlatColour(feTextBack, 1)));
        delete Form;
        Forms.clear();
        FinalizeSkinManager();
    }

    // A caption longer than the bar ends at the skin's clip; a dialog's before its buttons.
    Skin.TextAlignment = 0;
    LoadSkin(Skin);
    const std::string Long(200, 'W');
    TForm* Form = MakeForm(TFormOptions{bsSizeable, {biSystemMenu}, 320, 100, Long});
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    EXPECT_EQ(F->FTextRect.right, F->FWidth - F->FBorderRight - Skin.TextRightClip);
    TForm* Dialog = MakeForm(TFormOptions{bsDialog, {biSystemMenu}, 320, 100, Long, 200, 350});
    TWinSkinForm* D = ShowSkinned(Dialog);
    ASSERT_NE(D, nullptr);
    ASSERT_GT(D->FRightButtonsLeft, 0);
    EXPECT_EQ(D->FTextRect.right, D->FRightButtonsLeft - 5);
    CaptureWindow(Dialog->Handle()).SavePng("skinform-long-caption.png");
}

TEST_F(SkinnedFrame, CaptionButtonsShowAsTheirVisibilityValuesSay)
{
    TFlatSkin Skin;
    // Action 40 keeps the buttons out of the window commands.
    Skin.Buttons = {
        {0, 0, 0, 0, 0},         // 0 close: needs a system menu
        {1, 0, 20, 0, 200},      // 1 maximise: hidden without a maximise box whatever its value
        {40, 0, 40, 0, 200},     // 2 always
        {40, 0, 60, 0, 2000},    // 3 always
        {40, 0, 80, 0, 5},       // 4 never
        {40, 0, 100, 0, 10},     // 5 never
        {40, 0, 120, 0, 50},     // 6 never
        {40, 0, 140, 0, 2},      // 7 while not maximised
        {40, 0, 160, 0, 1},      // 8 while maximised
    };
    LoadSkin(Skin);
    TForm* Form = MakeForm(TFormOptions{bsSizeable, {biSystemMenu, biMinimize}});
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    const bool Expected[] = {true, false, true, true, false, false, false, true, false};
    for (int I = 0; I < 9; ++I)
        EXPECT_EQ(F->IsButtonVisible(I), Expected[I]) << I;

    F->FActive = false;
    Skin.Buttons[2].Visibility = 3;
    F->FSysButtons[2]->FButtonData->Visibility = 3;
    F->FSysButtons[3]->FButtonData->Visibility = 4;
    EXPECT_FALSE(F->IsButtonVisible(2));
    EXPECT_TRUE(F->IsButtonVisible(3));
    F->FActive = true;
    EXPECT_TRUE(F->IsButtonVisible(2));
    EXPECT_FALSE(F->IsButtonVisible(3));
    // Maximise-box values: 6 needs the box, 7 its absence; 8 and 9 the same for minimise.
    int Values[] = {6, 7, 8, 9};
    bool Shown[] = {false, true, true, false};
    for (int I = 0; I < 4; ++I) {
        F->FSysButtons[2]->FButtonData->Visibility = Values[I];
        EXPECT_EQ(F->IsButtonVisible(2), Shown[I]) << Values[I];
    }
}

TEST_F(SkinnedFrame, CloseButtonDisappearsWithoutASystemMenu)
{
    LoadSkin(TFlatSkin{});
    TForm* Form = MakeForm(TFormOptions{bsDialog, {}});
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    if (!(F->FBoxes & bxSystemMenu)) {
        EXPECT_FALSE(F->IsButtonVisible(0));
    }
    EXPECT_FALSE(F->IsButtonVisible(1));  // no maximise box
}

TEST_F(SkinnedFrame, CaptionButtonsArePlacedByTheirAlign)
{
    TFlatSkin Skin;
    Skin.Buttons = {
        {40, 0, 7, 3, 200},    // from the left edge
        {40, 1, 30, 4, 200},   // from the right edge
        {40, 2, 5, 2, 200},    // left of the caption text
        {40, 3, 6, 2, 200},    // right of the caption text
        {40, 77, 50, 9, 200},  // unknown: top-left corner
    };
    LoadSkin(Skin);
    TForm* Form = MakeForm();
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    const int W = F->FWidth, BW = 16;
    const RECT& T = F->FTextRect;
    auto Rect = [&](int I) { return F->FSysButtons[size_t(I)]->FRect; };
    EXPECT_EQ(Rect(0).left, 7);
    EXPECT_EQ(Rect(0).top, 3);
    EXPECT_EQ(Rect(1).left, W - 30);
    EXPECT_EQ(Rect(1).top, 4);
    EXPECT_EQ(Rect(2).left, T.left - BW - 5);
    EXPECT_EQ(Rect(3).left, T.right + 6);
    EXPECT_EQ(Rect(4).left, 0);
    EXPECT_EQ(Rect(4).top, 0);
    EXPECT_EQ(Rect(4).right, BW);
    EXPECT_EQ(F->FRightButtonsLeft, W - 30);
}

TEST_F(SkinnedFrame, CaptionButtonsShowHotPressedAndNormalLooksUnderTheMouse)
{
    LoadSkin(TFlatSkin{});
    TForm* Form = MakeForm();
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    const HWND Wnd = Form->Handle();
    const RECT W = WindowRect(Wnd);
    const POINT Minimise = ButtonCentre(*F, 3), Close = ButtonCentre(*F, 0);
    auto LookAt = [&](POINT P) { return WindowPixel(Wnd, P.x - W.left, P.y - W.top); };

    MoveMouseTo(Minimise);
    EXPECT_EQ(F->FHotObject, F->FSysButtons[3].get());
    EXPECT_TRUE(SameColor(LookAt(Minimise), FlatColour(feCaptionButton + 3, 3)));
    // To the neighbour: the old one normal again, the new one hot.
    MoveMouseTo(Close);
    EXPECT_TRUE(SameColor(LookAt(Minimise), FlatColour(feCaptionButton + 3, 1)));
    EXPECT_TRUE(SameColor(LookAt(Close), FlatColour(feCaptionButton, 3)));

    INPUT Down{};
    Down.type = INPUT_MOUSE;
    Down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &Down, sizeof Down);
    AppPumpFor(150);
    EXPECT_TRUE(SameColor(LookAt(Close), FlatColour(feCaptionButton, 2)));
    // Released over another button: nothing runs; the hover poll ends the look.
    MoveMouseTo(Minimise);
    INPUT Up{};
    Up.type = INPUT_MOUSE;
    Up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &Up, sizeof Up);
    AppPumpFor(150);
    EXPECT_TRUE(IsWindowVisible(Wnd));
    EXPECT_FALSE(IsIconic(Wnd));
    MoveMouseTo(POINT{W.left + Width(W) / 2, W.top + Height(W) / 2});
    AppPumpFor(400);
    EXPECT_TRUE(SameColor(LookAt(Close), FlatColour(feCaptionButton, 1)));
    EXPECT_EQ(F->FHotObject, nullptr);
}

TEST_F(SkinnedFrame, CaptionButtonsRunTheirActions)
{
    LoadSkin(TFlatSkin{});
    TForm* Form = MakeForm();
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    const HWND Wnd = Form->Handle();

    ClickAt(ButtonCentre(*F, 1));  // maximise
    AppPumpUntil([&] { return IsZoomed(Wnd) != 0; });
    EXPECT_TRUE(IsZoomed(Wnd));
    AppPumpFor(200);
    ASSERT_TRUE(F->FSysButtons[2]->FVisible);  // restore shows while maximised
    ClickAt(ButtonCentre(*F, 2));
    AppPumpUntil([&] { return !IsZoomed(Wnd); });
    EXPECT_FALSE(IsZoomed(Wnd));
    AppPumpFor(200);

    ClickAt(ButtonCentre(*F, 3));  // minimise
    AppPumpUntil([&] { return IsIconic(Wnd) != 0; });
    EXPECT_TRUE(IsIconic(Wnd));
    ShowWindow(Wnd, SW_RESTORE);
    AppPumpFor(300);
    ASSERT_FALSE(IsIconic(Wnd));

    ClickAt(ButtonCentre(*F, 0));  // close
    AppPumpUntil([&] { return !IsWindowVisible(Wnd); });
    EXPECT_FALSE(IsWindowVisible(Wnd));
}

TEST_F(SkinnedFrame, TheIconOpensTheSystemMenuAndASecondClickSoonAfterCloses)
{
    LoadSkin(TFlatSkin{});
    TForm* Form = MakeForm();
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    const HWND Wnd = Form->Handle();
    ASSERT_EQ(F->FLastSysMenuClick, 0u);  // the first click always opens the menu
    bool Open = false;
    RunDuringMenus({[&] {
        Open = VisibleMenuWindow() != nullptr;
        EndMenu();
    }});
    ClickAt(ButtonCentre(*F, 4));
    AppPumpFor(300);
    EXPECT_TRUE(Open);
    EXPECT_NE(F->FLastSysMenuClick, 0u);
    EXPECT_TRUE(IsWindowVisible(Wnd));
    // Within the double-click time: the window closes.
    F->FLastSysMenuClick = GetTickCount();
    ClickAt(ButtonCentre(*F, 4));
    AppPumpUntil([&] { return !IsWindowVisible(Wnd); });
    EXPECT_FALSE(IsWindowVisible(Wnd));
}

TEST_F(SkinnedFrame, AnUnknownActionOnlyAsksTheWindow)
{
    TFlatSkin Skin;
    Skin.Buttons = {{40, 0, 30, 3, 200}};
    LoadSkin(Skin);
    TForm* Form = MakeForm();
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    const RECT Before = WindowRect(Form->Handle());
    ClickAt(ButtonCentre(*F, 0));
    AppPumpFor(200);
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    EXPECT_FALSE(IsIconic(Form->Handle()));
    EXPECT_FALSE(IsZoomed(Form->Handle()));
    const RECT After = WindowRect(Form->Handle());
    EXPECT_TRUE(EqualRect(&Before, &After));
}

TEST_F(SkinnedFrame, AltAloneDoesNotEnterTheSystemMenuMode)
{
    LoadSkin(TFlatSkin{});
    TForm* Form = MakeForm();
    ASSERT_NE(ShowSkinned(Form), nullptr);
    EXPECT_EQ(SendMessageA(Form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0), 1);
    PressKey(VK_MENU);
    PressKey(VK_DOWN);
    AppPumpFor(200);
    EXPECT_EQ(VisibleMenuWindow(), nullptr);
}

TEST_F(SkinnedFrame, SwitchingSkinningOffGivesBackTheOuterSizeAndTheFrame)
{
    TFlatSkin Thick;
    Thick.Left.Size = Thick.Right.Size = 7;
    TSkinData& Skin = LoadSkin(Thick);
    SkinManager->SkinningEnabled = false;
    TForm* Form = MakeForm();
    Form->Show();
    AppPumpFor(200);
    const HWND Wnd = Form->Handle();
    ASSERT_EQ(SkinOf(Wnd), nullptr);
    const RECT Plain = WindowRect(Wnd);
    const LONG_PTR Style = GetWindowLongPtrA(Wnd, GWL_STYLE);
    RECT PlainClient{};
    GetClientRect(Wnd, &PlainClient);

    SkinManager->SkinningEnabled = true;
    ASSERT_TRUE(SkinManager->SkinWindow(Wnd));
    WaitStarted(Wnd);
    const RECT Skinned = WindowRect(Wnd);
    EXPECT_NE(Width(Skinned), Width(Plain));

    Skin.SetActive(false);
    AppPumpUntil([&] { return SkinOf(Wnd) == nullptr; }, 3000);
    ASSERT_EQ(SkinOf(Wnd), nullptr);
    AppPumpFor(100);
    const RECT After = WindowRect(Wnd);
    EXPECT_EQ(Width(After), Width(Plain));
    EXPECT_EQ(Height(After), Height(Plain));
    EXPECT_EQ(GetWindowLongPtrA(Wnd, GWL_STYLE) & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              Style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    RECT Client{};
    GetClientRect(Wnd, &Client);
    EXPECT_TRUE(EqualRect(&Client, &PlainClient));
    EXPECT_NE(SendMessageA(Wnd, WM_SKINQUERY, 0, 0), 1);
    HRGN Region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(Wnd, Region), ERROR);
    DeleteObject(Region);
}

TEST_F(SkinnedFrame, ANewSkinFilePaintsSafelyBeforeItIsAppliedAndThenTakesOver)
{
    TSkinData& Skin = LoadSkin(TFlatSkin{});
    TForm* Form = MakeForm();
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    TFlatSkin Wider;
    Wider.Left.Size = Wider.Right.Size = 9;
    Wider.Buttons.pop_back();
    const std::string Path = TestOutputPath("skinform-wider.skin");
    Wider.WriteFile(Path);
    Skin.SetSkinFile(Path);
    // The old caption buttons are gone with the old elements; the title still paints.
    EXPECT_EQ(F->FSysButtonCount, 0);
    Form->SetCaption("Retitled before the new skin is applied");
    AppPumpUntil([&] { return F->FBorderLeft == 9; }, 3000);
    EXPECT_EQ(F->FBorderLeft, 9);
    EXPECT_EQ(F->FSysButtonCount, int(Wider.Buttons.size()) + 3);  // and the three MDI buttons
    AppPumpFor(200);
    RECT Client{};
    GetClientRect(Form->Handle(), &Client);
    EXPECT_EQ(Client.right, 320);
    EXPECT_EQ(Width(WindowRect(Form->Handle())), 320 + 18);
    EXPECT_TRUE(SameColor(WindowPixel(Form->Handle(), 4, 100), FlatColour(feLeft, 1)));
}
