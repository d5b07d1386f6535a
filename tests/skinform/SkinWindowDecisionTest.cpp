// Which windows the skin manager skins, and with which component: windows skinned already,
// forms tagged 99, windows without area, plain and MDI children, the framework's hidden
// window, the veto, no component, two components, dialogs and message boxes; and the
// size grip refused on skinned windows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/ui/Application.h"
#include "framework/ui/Button.h"
#include "framework/ui/Dialogs.h"
#include "skin/manage/SkinManage.h"
#include "tests/controls/Input.h"
#include "tests/skinform/BareWindows.h"
#include "tests/skinform/SkinnedWindow.h"

namespace {

// Records the class names the veto is asked about and refuses one of them.
struct TVeto {
    std::string Refused;
    std::vector<std::string> Asked;
    void Ask(TObject*, const std::string& Name, bool& DoSkin)
    {
        Asked.push_back(Name);
        if (Name == Refused)
            DoSkin = false;
    }
    bool WasAsked(const std::string& Name) const
    {
        for (const std::string& A : Asked)
            if (A == Name)
                return true;
        return false;
    }
};

class SkinWindowDecision : public SkinnedWindow {
protected:
    void TearDown() override
    {
        for (HWND Wnd : Windows)
            if (IsWindow(Wnd))
                DestroyWindow(Wnd);
        SkinnedWindow::TearDown();
    }

    HWND Bare(const TBareOptions& Options = {})
    {
        Windows.push_back(MakeBareWindow(Options));
        return Windows.back();
    }

    // Activates another window first, so that Wnd is activated anew.
    void Reactivate(HWND Wnd)
    {
        if (!Elsewhere)
            Elsewhere = Bare(TBareOptions{WS_POPUP | WS_VISIBLE, RECT{0, 700, 40, 740}, "elsewhere", true});
        Activate(Elsewhere);
        Activate(Wnd);
    }

    static int SkinObjectsOf(TForm* Form)
    {
        int N = 0;
        for (int I = 0; I < Form->ComponentCount(); ++I)
            N += dynamic_cast<TWinSkinForm*>(Form->Components(I)) != nullptr;
        return N;
    }

    std::vector<HWND> Windows;
    HWND Elsewhere = nullptr;
};

}  // namespace

TEST_F(SkinWindowDecision, AWindowSkinnedAlreadyGetsNoSecondObject)
{
    LoadSkin(TFlatSkin{});
    // Answers the query with 1 as if skinned by someone else: left exactly as it is.
    TBareOptions Options;
    Options.AnswersSkinQuery = true;
    const HWND Other = Bare(Options);
    const LONG_PTR Proc = GetWindowLongPtrA(Other, GWLP_WNDPROC);
    const LONG_PTR Style = GetWindowLongPtrA(Other, GWL_STYLE);
    Reactivate(Other);
    EXPECT_EQ(SkinOf(Other), nullptr);
    EXPECT_FALSE(SkinManager->SkinWindow(Other));
    EXPECT_EQ(GetWindowLongPtrA(Other, GWLP_WNDPROC), Proc);
    EXPECT_EQ(GetWindowLongPtrA(Other, GWL_STYLE), Style);

    // Activating a skinned form again makes nothing new.
    TForm* Form = MakeForm();
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    const size_t Count = SkinManager->Forms.size();
    Reactivate(Form->Handle());
    Reactivate(Form->Handle());
    EXPECT_FALSE(SkinManager->SkinWindow(Form->Handle()));
    EXPECT_EQ(SkinOf(Form->Handle()), F);
    EXPECT_EQ(SkinManager->Forms.size(), Count);
    EXPECT_EQ(SkinObjectsOf(Form), 1);
}

TEST_F(SkinWindowDecision, AFormTagged99IsNeverSkinnedWhateverTheDisableTag)
{
    TSkinData& Skin = LoadSkin(TFlatSkin{});
    Skin.SetDisableTag(5);
    TForm* Tagged = MakeForm();
    Tagged->SetTag(99);
    Tagged->Show();
    Reactivate(Tagged->Handle());
    EXPECT_EQ(SkinOf(Tagged->Handle()), nullptr);
    EXPECT_FALSE(SkinManager->SkinWindow(Tagged->Handle()));
    EXPECT_EQ(SkinObjectsOf(Tagged), 0);
    // The component's own DisableTag does not keep a form out.
    TForm* Five = MakeForm(TFormOptions{bsSizeable, {biSystemMenu}, 200, 100, "Five", 500, 300});
    Five->SetTag(5);
    EXPECT_NE(ShowSkinned(Five), nullptr);
}

TEST_F(SkinWindowDecision, AWindowWithoutAreaWaitsForALaterActivation)
{
    LoadSkin(TFlatSkin{});
    const HWND Wnd = Bare(TBareOptions{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, RECT{300, 300, 300, 300}});
    const RECT Empty = WindowRect(Wnd);
    ASSERT_TRUE(IsRectEmpty(&Empty));
    Reactivate(Wnd);
    EXPECT_EQ(SkinOf(Wnd), nullptr);
    SetWindowPos(Wnd, nullptr, 0, 0, 240, 120, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Reactivate(Wnd);
    EXPECT_NE(SkinOf(Wnd), nullptr);
}

TEST_F(SkinWindowDecision, AChildWindowIsLeftToThePassOverTheForms)
{
    TSkinData& Skin = LoadSkin(TFlatSkin{}, sfMainform, false);
    SkinManager->SkinningEnabled = true;
    const HWND Host = Bare();
    Activate(Host);
    TBareOptions Options;
    Options.Style = WS_CHILD | WS_CAPTION | WS_VISIBLE;
    Options.Bounds = RECT{10, 10, 200, 100};
    Options.Parent = Host;
    const HWND Child = Bare(Options);
    EXPECT_FALSE(SkinManager->SkinWindow(Child));
    EXPECT_EQ(SkinOf(Child), nullptr);

    // A form's window made a child of another window: the hook leaves it, the pass over
    // the screen's forms (action 1) takes it.
    TForm* Embedded = MakeForm(TFormOptions{bsSizeable, {biSystemMenu}, 120, 80, "Embedded", 20, 20});
    const HWND EmbeddedWnd = Embedded->Handle();
    SetWindowLongPtrA(EmbeddedWnd, GWL_STYLE, (GetWindowLongPtrA(EmbeddedWnd, GWL_STYLE) & ~LONG_PTR(WS_POPUP)) | WS_CHILD);
    SetParent(EmbeddedWnd, Host);
    ShowWindow(EmbeddedWnd, SW_SHOWNA);
    EXPECT_FALSE(SkinManager->SkinWindow(EmbeddedWnd));
    SkinManager->SkinningEnabled = false;
    Skin.SetActive(true);
    AppPumpUntil([&] { return SkinManager->PendingSkinData == nullptr; });
    EXPECT_NE(SkinOf(EmbeddedWnd), nullptr);
    EXPECT_EQ(SendMessageA(EmbeddedWnd, WM_SKINQUERY, 0, 0), 1);
    EXPECT_EQ(SkinOf(Child), nullptr);  // not a form: the pass does not see it

}

TEST_F(SkinWindowDecision, AnMDIChildIsNotAPlainChild)
{
    LoadSkin(TFlatSkin{});
    SkinManager->SkinningEnabled = false;
    TMdiFrame Mdi;
    ASSERT_NE(Mdi.Client, nullptr);
    const HWND Child = Mdi.AddChild("Child");
    ASSERT_NE(Child, nullptr);
    SkinManager->SkinningEnabled = true;
    EXPECT_TRUE(SkinManager->SkinWindow(Child));
    ASSERT_NE(SkinOf(Child), nullptr);
    EXPECT_EQ(SkinOf(Child)->FMDIKind, mkChild);
}

TEST_F(SkinWindowDecision, TheFrameworksHiddenWindowIsNeverSkinned)
{
    LoadSkin(TFlatSkin{});
    const HWND App = Application->Handle();
    const RECT Before = WindowRect(App);
    // Given an area, so that only its class keeps it out.
    SetWindowPos(App, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT Sized = WindowRect(App);
    EXPECT_FALSE(IsRectEmpty(&Sized));
    EXPECT_FALSE(SkinManager->SkinWindow(App));
    EXPECT_NE(SendMessageA(App, WM_SKINQUERY, 0, 0), 1);
    SetWindowPos(App, nullptr, 0, 0, Before.right - Before.left, Before.bottom - Before.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TEST_F(SkinWindowDecision, TheVetoOfTheFirstMainFormComponentDecides)
{
    INITCOMMONCONTROLSEX Init{sizeof Init, ICC_DATE_CLASSES};
    InitCommonControlsEx(&Init);
    TSkinData& First = LoadSkin(TFlatSkin{});
    // Without a handler only the month calendar is refused.
    const HWND Calendar = CreateWindowExA(0, MONTHCAL_CLASSA, "Calendar", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                                          600, 300, 260, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(Calendar, nullptr);
    Windows.push_back(Calendar);
    Reactivate(Calendar);
    EXPECT_EQ(SkinOf(Calendar), nullptr);

    // A handler decides alone: the calendar passes, the bare class it refuses does not.
    TVeto Veto{"PantrelBareWindow", {}};
    First.OnFormSkin = TOnFormSkin(&Veto, &TVeto::Ask);
    Reactivate(Calendar);
    EXPECT_NE(SkinOf(Calendar), nullptr);
    EXPECT_TRUE(Veto.WasAsked("SysMonthCal32"));
    const HWND Refused = Bare();
    Reactivate(Refused);
    EXPECT_EQ(SkinOf(Refused), nullptr);
    EXPECT_TRUE(Veto.WasAsked("PantrelBareWindow"));

    // A later main-form component's veto is never asked.
    TSkinData& Second = LoadSkin(TFlatSkin{});
    TVeto Ignored{"TForm", {}};
    Second.OnFormSkin = TOnFormSkin(&Ignored, &TVeto::Ask);
    TForm* Form = MakeForm();
    EXPECT_NE(ShowSkinned(Form), nullptr);
    EXPECT_TRUE(Ignored.Asked.empty());
    EXPECT_TRUE(Veto.WasAsked("TForm"));
}

TEST_F(SkinWindowDecision, WithoutAComponentNothingIsSkinned)
{
    TSkinManage& M = NeedSkinManager();
    M.StartHook();
    M.SkinningEnabled = true;
    TForm* Form = MakeForm();
    Form->Show();
    Reactivate(Form->Handle());
    EXPECT_EQ(M.ReadyCount, 1);  // the hook saw the activation
    EXPECT_EQ(SkinOf(Form->Handle()), nullptr);
    EXPECT_TRUE(M.Forms.empty());
    EXPECT_FALSE(M.SkinWindow(Bare()));
}

TEST_F(SkinWindowDecision, OfTwoMainFormComponentsTheLaterRegisteredSkins)
{
    TFlatSkin Thin, Tall;
    Tall.Top.Size = 34;
    LoadSkin(Thin);
    TSkinData& Later = LoadSkin(Tall);
    TForm* Form = MakeForm();
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    EXPECT_EQ(F->FSkinData, &Later);
    EXPECT_EQ(F->FCaptionHeight, 34);
    EXPECT_EQ(Height(WindowRect(Form->Handle())), 200 + 34 + Tall.Bottom.Size);
}

TEST_F(SkinWindowDecision, DialogsAndMessageBoxesTakeTheDialogComponent)
{
    TFlatSkin DialogLook;
    DialogLook.Top.Size = 30;
    TSkinData& Main = LoadSkin(TFlatSkin{});
    TSkinData& Dialogs = LoadSkin(DialogLook, sfDialog);
    TForm* Form = MakeForm();
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    EXPECT_EQ(F->FSkinData, &Main);

    const HWND Dialog = MakeDialog("Dialog", 500, 200);
    Windows.push_back(Dialog);
    WaitStarted(Dialog);
    ASSERT_NE(SkinOf(Dialog), nullptr);
    EXPECT_EQ(SkinOf(Dialog)->FSkinData, &Dialogs);
    EXPECT_EQ(SkinOf(Dialog)->FCaptionHeight, 30);
    DestroyWindow(Dialog);

    // Modal ones: looked at from a timer while their loops run, then closed.
    RegisterComponentClass(TButton::StaticClassInfo());  // the message form makes its buttons by name
    TSkinData* BoxSkin = nullptr;
    TSkinData* MessageFormSkin = nullptr;
    auto SkinOfModal = [](const char* Class, TSkinData*& Seen) {
        return [Class, &Seen] {
            const HWND Wnd = ThreadWindowOfClass(Class);
            if (TWinSkinForm* S = SkinOf(Wnd))
                Seen = S->FSkinData;
            PostMessageA(Wnd, WM_CLOSE, 0, 0);
        };
    };
    RunDuringMenus({SkinOfModal("#32770", BoxSkin)}, 400);
    MessageBoxA(Form->Handle(), "Box", "Message", MB_OK);
    EXPECT_EQ(BoxSkin, &Dialogs);
    RunDuringMenus({SkinOfModal("TMessageForm", MessageFormSkin)}, 400);
    ShowMessage("Message");
    EXPECT_EQ(MessageFormSkin, &Dialogs);

    // Without a dialog component the main-form one skins them.
    Dialogs.SetSkinFormtype(sfOnlyThisForm);  // owned by no form: it matches no window
    BoxSkin = MessageFormSkin = nullptr;
    RunDuringMenus({SkinOfModal("#32770", BoxSkin)}, 400);
    MessageBoxA(Form->Handle(), "Box", "Message", MB_OK);
    EXPECT_EQ(BoxSkin, &Main);
    RunDuringMenus({SkinOfModal("TMessageForm", MessageFormSkin)}, 400);
    ShowMessage("Message");
    EXPECT_EQ(MessageFormSkin, &Main);
}

TEST_F(SkinWindowDecision, ASizeGripIsRefusedOnlyOnASkinnedWindow)
{
    LoadSkin(TFlatSkin{});
    auto Grip = [](HWND Parent, DWORD Kind) {
        return CreateWindowExA(0, "SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | Kind, 0, 0, 16, 16, Parent, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    };
    TForm* Form = MakeForm();
    ASSERT_NE(ShowSkinned(Form), nullptr);
    EXPECT_EQ(Grip(Form->Handle(), SBS_SIZEGRIP), nullptr);
    EXPECT_NE(Grip(Form->Handle(), SBS_VERT), nullptr);

    TForm* Plain = MakeForm(TFormOptions{bsSizeable, {biSystemMenu}, 200, 100, "Plain", 500, 300});
    Plain->SetTag(99);
    Plain->Show();
    Reactivate(Plain->Handle());
    ASSERT_EQ(SkinOf(Plain->Handle()), nullptr);
    EXPECT_NE(Grip(Plain->Handle(), SBS_SIZEGRIP), nullptr);
}
