// The skin manager's deferred actions on real windows, for a main-form component and for a
// component bound to its own form: skinning the screen's forms, switching skinning off, a
// new skin from a file, freeing the objects of destroyed windows; and the manager's end.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/design/DesignReader.h"
#include "framework/ui/Button.h"
#include "framework/ui/Edit.h"
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

constexpr LONG_PTR Boxes = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

// What a window looks like to the system before it is skinned.
struct TPlain {
    HWND Wnd;
    RECT Rect;
    LONG_PTR Style;
    explicit TPlain(HWND W) : Wnd(W), Rect(WindowRect(W)), Style(GetWindowLongPtrA(W, GWL_STYLE)) {}
};

// A skin whose borders differ from the flat skin's in size and colour.
TFlatSkin NewLook()
{
    TFlatSkin Skin;
    Skin.Left = Skin.Right = TFlatSkin::TPiece{9, 40, 0, 0, {}, 1, 1, 0};
    Skin.Top.Size = 30;
    Skin.ExtraEntries = {{"left.bmp", FlatBmp(9, 40, RGB(200, 120, 40))}};
    return Skin;
}
const COLORREF NewLeftColour = RGB(200, 120, 40);

class DeferredActions : public SkinnedWindow {
protected:
    void TearDown() override
    {
        for (HWND Wnd : Windows)
            if (IsWindow(Wnd))
                DestroyWindow(Wnd);
        SkinnedWindow::TearDown();
    }

    void Changed(TObject*) { ++Changes; }
    void CountChanges(TSkinData& Skin) { Skin.OnSkinChanged = TNotifyEvent(this, &DeferredActions::Changed); }
    // Waits for the timer to carry out an action (OnSkinChanged reports each one).
    bool WaitForChanges(int N)
    {
        return AppPumpUntil([&] { return Changes >= N; }) && (AppPumpFor(100), true);
    }

    HWND Bare(DWORD Style = WS_OVERLAPPEDWINDOW)
    {
        TBareOptions Options;
        Options.Style = Style;
        Windows.push_back(MakeBareWindow(Options));
        return Windows.back();
    }

    // A component of kind sfOnlyThisForm on Form, streamed in as from Form's design.
    TSkinData& FormBoundSkin(TForm* Form, const TFlatSkin& Skin)
    {
        std::string Text = SkinDesign(Skin.Pack(), true);
        Text.replace(Text.find("TSkinRoot"), 9, "TForm");
        Text.insert(Text.find("    SkinStream"), "    SkinFormtype = sfOnlyThisForm\n");
        ReadComponentText(Text, Form, "test");
        return *dynamic_cast<TSkinData*>(Form->FindComponent("SkinData1"));
    }

    static std::string SkinFile(const TFlatSkin& Skin, const std::string& Name)
    {
        const std::string Path = TestOutputPath(Name);
        Skin.WriteFile(Path);
        return Path;
    }

    static void ExpectSkinned(HWND Wnd, bool Skinned)
    {
        EXPECT_EQ(SkinOf(Wnd) != nullptr, Skinned) << WindowClassName(Wnd);
        EXPECT_EQ(SendMessageA(Wnd, WM_SKINQUERY, 0, 0) == 1, Skinned) << WindowClassName(Wnd);
        EXPECT_EQ(HasRegion(Wnd), Skinned) << WindowClassName(Wnd);
    }

    // Skinning gone: procedure, region, caption boxes and outer size as before.
    static void ExpectAsBefore(const TPlain& Plain)
    {
        ExpectSkinned(Plain.Wnd, false);
        EXPECT_EQ(GetWindowLongPtrA(Plain.Wnd, GWL_STYLE) & Boxes, Plain.Style & Boxes);
        const RECT Now = WindowRect(Plain.Wnd);
        EXPECT_EQ(Width(Now), Width(Plain.Rect));
        EXPECT_EQ(Height(Now), Height(Plain.Rect));
    }

    int Changes = 0;
    std::vector<HWND> Windows;
};

}  // namespace

TEST_F(DeferredActions, AMainFormComponentSkinsTheScreensFormsAndUnskinsEveryWindow)
{
    TSkinData& Skin = LoadSkin(TFlatSkin{}, sfMainform, false);
    CountChanges(Skin);
    ASSERT_FALSE(SkinManager->SkinningEnabled);
    TForm* A = MakeForm();
    TForm* B = MakeForm(TFormOptions{bsSizeable, {biSystemMenu}, 200, 120, "B", 520, 300});
    A->Show();
    B->Show();
    const HWND Early = Bare();
    ShowWindow(Early, SW_SHOW);
    Activate(A->Handle());
    ASSERT_EQ(SkinManager->ReadyCount, 1);
    ASSERT_TRUE(SkinManager->Forms.empty());
    const TPlain PlainA(A->Handle()), PlainB(B->Handle()), PlainEarly(Early);
    const TColor OldColour = A->Color();

    // Action 1: every form of the screen, not the bare window that is not a form.
    Skin.SetActive(true);
    ASSERT_TRUE(WaitForChanges(1));
    ExpectSkinned(A->Handle(), true);
    ExpectSkinned(B->Handle(), true);
    ExpectSkinned(Early, false);
    EXPECT_EQ(SkinOf(A->Handle())->FSkinState, ssReady);
    EXPECT_TRUE(SameColor(WindowPixel(A->Handle(), 1, Height(WindowRect(A->Handle())) / 2), FlatColour(feLeft, 1)));
    // The client area shows nothing of what it was before the frame changed.
    for (int Y : {0, 1, 100})
        EXPECT_TRUE(SameColor(WindowPixel(A->Handle(), 100, SkinOf(A->Handle())->FCaptionHeight + Y),
                              Skin.ButtonFaceColor)) << Y;
    CaptureWindow(A->Handle()).SavePng("deferred-skinned.png");

    // Windows activated now are skinned by the hook, a dialog by the dialog component.
    TSkinData& Dialogs = LoadSkin(TFlatSkin{}, sfDialog);
    const HWND Late = Bare();
    const TPlain PlainLate(Late);
    ShowWindow(Late, SW_SHOW);
    Activate(Late);
    const HWND Dialog = MakeDialog("Dialog", 300, 420);
    Windows.push_back(Dialog);
    AppPumpFor(200);
    ASSERT_NE(SkinOf(Late), nullptr);
    ASSERT_NE(SkinOf(Dialog), nullptr);
    ASSERT_EQ(SkinOf(Dialog)->FSkinData, &Dialogs);

    // Action 2: every skinned window, whatever its component, gets back what it had.
    Skin.SetActive(false);
    ASSERT_TRUE(WaitForChanges(2));
    EXPECT_TRUE(SkinManager->Forms.empty());
    EXPECT_FALSE(SkinManager->SkinningEnabled);
    ExpectAsBefore(PlainA);
    ExpectAsBefore(PlainB);
    ExpectAsBefore(PlainLate);
    ExpectAsBefore(PlainEarly);
    ExpectSkinned(Dialog, false);
    EXPECT_EQ(A->Color(), OldColour);
    CaptureWindow(A->Handle()).SavePng("deferred-unskinned.png");
    // The system paints the frame again: no skin colour on the left edge.
    EXPECT_FALSE(SameColor(WindowPixel(A->Handle(), 1, Height(WindowRect(A->Handle())) / 2), FlatColour(feLeft, 1)));
    Activate(B->Handle());
    EXPECT_EQ(SkinOf(B->Handle()), nullptr);
}

TEST_F(DeferredActions, ANewSkinFileGivesEveryFormTheNewBordersAndColours)
{
    TSkinData& Skin = LoadSkin(TFlatSkin{});
    CountChanges(Skin);
    TForm* A = MakeForm();
    TForm* B = MakeForm(TFormOptions{bsSizeable, {biSystemMenu}, 200, 120, "B", 520, 300});
    ASSERT_NE(ShowSkinned(A), nullptr);
    ASSERT_NE(ShowSkinned(B), nullptr);

    const TFlatSkin New = NewLook();
    Skin.SetSkinFile(SkinFile(New, "deferred-new.skin"));
    ASSERT_TRUE(WaitForChanges(1));
    for (TForm* Form : {A, B}) {
        const HWND Wnd = Form->Handle();
        TWinSkinForm* F = SkinOf(Wnd);
        ASSERT_NE(F, nullptr);
        EXPECT_EQ(F->FBorderLeft, 9);
        EXPECT_EQ(F->FCaptionHeight, 30);
        RECT Client{};
        GetClientRect(Wnd, &Client);
        const RECT W = WindowRect(Wnd);
        EXPECT_EQ(Width(W), Client.right + 9 + 9);
        EXPECT_EQ(Height(W), Client.bottom + 30 + New.Bottom.Size);
        EXPECT_TRUE(SameColor(WindowPixel(Wnd, 1, Height(W) / 2), NewLeftColour));
        // No cut corners in the new skin: the region is the whole window.
        HRGN Region = CreateRectRgn(0, 0, 0, 0);
        GetWindowRgn(Wnd, Region);
        EXPECT_TRUE(PtInRegion(Region, 0, 0));
        DeleteObject(Region);
    }
    CaptureWindow(A->Handle()).SavePng("deferred-new-skin.png");
}

TEST_F(DeferredActions, ADestroyedBareWindowsObjectIsFreedByTheNextTick)
{
    TSkinData& Skin = LoadSkin(TFlatSkin{});
    CountChanges(Skin);
    const HWND Wnd = Bare();
    ShowWindow(Wnd, SW_SHOW);
    Activate(Wnd);
    WaitStarted(Wnd);
    TWinSkinForm* const F = SkinOf(Wnd);
    ASSERT_NE(F, nullptr);
    auto Held = [&] {
        return std::find(SkinManager->Forms.begin(), SkinManager->Forms.end(), F) != SkinManager->Forms.end();
    };
    DestroyWindow(Wnd);
    ASSERT_TRUE(Held());
    EXPECT_EQ(F->FSkinState, ssDead);
    EXPECT_EQ(SkinManager->PendingAction, saFreeDeadForms);
    EXPECT_EQ(Changes, 0);
    ASSERT_TRUE(WaitForChanges(1));
    EXPECT_FALSE(Held());
}

TEST_F(DeferredActions, ASkinComponentThatGoesAwayGivesItsWindowsBackFirst)
{
    LoadSkin(TFlatSkin{});
    TForm* Form = MakeForm();
    auto* Button = new TButton(Form);
    Button->SetParent(Form);
    Button->SetBounds(10, 10, 90, 28);
    auto* Edit = new TEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(10, 50, 120, 22);
    ASSERT_NE(ShowSkinned(Form), nullptr);
    const HWND Dead = Bare();
    ShowWindow(Dead, SW_SHOW);
    Activate(Dead);
    WaitStarted(Dead);
    DestroyWindow(Dead);  // its object waits for the next tick

    Roots.clear();  // the skin component goes while its windows are skinned
    EXPECT_TRUE(SkinManager->Forms.empty());
    EXPECT_EQ(SkinOf(Form->Handle()), nullptr);
    // The controls paint and take input as the system's again.
    RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SendMessageA(Edit->Handle(), WM_SETTEXT, 0, LPARAM("typed"));
    AppPumpFor(300);
    EXPECT_EQ(Edit->Text(), "typed");
    ExpectSkinned(Form->Handle(), false);
}

TEST_F(DeferredActions, AFormBoundComponentActsOnItsOwnerOnly)
{
    const TFlatSkin Flat;
    TSkinData& Main = LoadSkin(Flat);
    TForm* Other = MakeForm(TFormOptions{bsSizeable, {biSystemMenu}, 200, 120, "Other", 520, 300});
    TWinSkinForm* OtherSkin = ShowSkinned(Other);
    ASSERT_NE(OtherSkin, nullptr);
    TForm* Owner = MakeForm();
    TSkinData& Own = FormBoundSkin(Owner, Flat);
    CountChanges(Own);
    ASSERT_NE(ShowSkinned(Owner), nullptr);
    ASSERT_EQ(SkinOf(Owner->Handle())->FSkinData, &Own);

    // Action 2: the owner only; the main component's window stays skinned.
    Own.SetActive(false);
    ASSERT_TRUE(WaitForChanges(1));
    ExpectSkinned(Owner->Handle(), false);
    EXPECT_EQ(SkinOf(Other->Handle()), OtherSkin);
    EXPECT_EQ(SendMessageA(Other->Handle(), WM_SKINQUERY, 0, 0), 1);

    // Action 1: the owner again, not another form left unskinned meanwhile.
    TForm* Left = MakeForm(TFormOptions{bsSizeable, {biSystemMenu}, 200, 120, "Left alone", 300, 420});
    Left->Show();
    Activate(Left->Handle());
    ASSERT_EQ(SkinOf(Left->Handle()), nullptr);
    Own.SetActive(true);
    ASSERT_TRUE(WaitForChanges(2));
    ExpectSkinned(Owner->Handle(), true);
    ExpectSkinned(Left->Handle(), false);
    EXPECT_EQ(SkinOf(Owner->Handle())->FSkinData, &Own);

    // Action 3: the new skin reaches the owner, not the main component's window.
    Own.SetSkinFile(SkinFile(NewLook(), "deferred-own.skin"));
    ASSERT_TRUE(WaitForChanges(3));
    EXPECT_EQ(SkinOf(Owner->Handle())->FBorderLeft, 9);
    EXPECT_EQ(SkinOf(Owner->Handle())->FCaptionHeight, 30);
    EXPECT_TRUE(SameColor(WindowPixel(Owner->Handle(), 1, 100), NewLeftColour));
    EXPECT_EQ(OtherSkin->FBorderLeft, Flat.Left.Size);
    EXPECT_EQ(OtherSkin->FSkinData, &Main);

    // Action 6: the owner's window goes while the form stays.
    TWinSkinForm* const Dying = SkinOf(Owner->Handle());
    Owner->DestroyHandle();
    EXPECT_EQ(Dying->FSkinState, ssDead);
    ASSERT_TRUE(WaitForChanges(4));
    EXPECT_EQ(std::find(SkinManager->Forms.begin(), SkinManager->Forms.end(), Dying), SkinManager->Forms.end());
    EXPECT_EQ(SkinOf(Other->Handle()), OtherSkin);
}

TEST_F(DeferredActions, TheManagersEndUnskinsWhatItHoldsAndLeavesNoHook)
{
    LoadSkin(TFlatSkin{});
    TForm* Form = MakeForm();
    const HWND FormWnd = Form->Handle();
    const LONG_PTR FormProc = GetWindowLongPtrA(FormWnd, GWLP_WNDPROC);
    ASSERT_NE(ShowSkinned(Form), nullptr);
    const HWND Wnd = Bare();
    const LONG_PTR BareProc = GetWindowLongPtrA(Wnd, GWLP_WNDPROC);
    ShowWindow(Wnd, SW_SHOW);
    Activate(Wnd);
    ASSERT_NE(SkinOf(Wnd), nullptr);
    const HHOOK Hook = SkinManager->Hook;
    ASSERT_NE(Hook, nullptr);

    FinalizeSkinManager();
    EXPECT_EQ(SkinManager, nullptr);
    for (const auto& [W, Proc] : {std::pair{FormWnd, FormProc}, std::pair{Wnd, BareProc}}) {
        EXPECT_NE(SendMessageA(W, WM_SKINQUERY, 0, 0), 1);
        EXPECT_EQ(GetWindowLongPtrA(W, GWLP_WNDPROC), Proc);
    }
    for (int I = 0; I < Form->ComponentCount(); ++I)
        EXPECT_EQ(dynamic_cast<TWinSkinForm*>(Form->Components(I)), nullptr);
    EXPECT_FALSE(UnhookWindowsHookEx(Hook));
    // The windows live on without the skin engine.
    Activate(FormWnd);
    RedrawWindow(FormWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    SendMessageA(Wnd, WM_NCPAINT, 1, 0);
    EXPECT_TRUE(IsWindow(FormWnd));
}
