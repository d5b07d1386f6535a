// Message flow: thunks, a replaceable WindowProc, superclassed system controls, reflected
// notifications, the framework's notifications and the error box for a failing handler.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/ui/Application.h"
#include "framework/ui/Timer.h"
#include "tests/support/Capture.h"
#include "tests/ui/Probes.h"

namespace {

struct TEcho {
    int Id = 0;
    TMessage Last;
    void Handle(TMessage& Message)
    {
        Last = Message;
        Message.Result = LRESULT(Id) * 1000 + LRESULT(Message.Msg);
    }
};

TEST(Thunk, RoutesEachCallToItsOwnObjectWithAllArguments)
{
    // Enough thunks to fill several pages; some are freed and their slots used again.
    std::vector<std::unique_ptr<TEcho>> Echoes;
    std::vector<std::unique_ptr<TThunk>> Thunks;
    auto Add = [&] {
        Echoes.push_back(std::make_unique<TEcho>());
        Echoes.back()->Id = int(Echoes.size());
        Thunks.push_back(std::make_unique<TThunk>(TWndMethod(Echoes.back().get(), &TEcho::Handle)));
    };
    for (int I = 0; I < 400; ++I)
        Add();
    for (size_t I = 1; I < Thunks.size(); I += 2)
        Thunks[I].reset();
    for (int I = 0; I < 300; ++I)
        Add();

    const WPARAM WideW = ~WPARAM(0) - 5;
    const LPARAM WideL = LPARAM(~uintptr_t(0) >> 1) - 7;
    for (size_t I = 0; I < Thunks.size(); ++I) {
        if (!Thunks[I])
            continue;
        const UINT Msg = WM_USER + UINT(I);
        const LRESULT R = Thunks[I]->Proc()(reinterpret_cast<HWND>(0x1234), Msg, WideW, WideL);
        ASSERT_EQ(R, LRESULT(Echoes[I]->Id) * 1000 + LRESULT(Msg)) << "thunk " << I;
        EXPECT_EQ(Echoes[I]->Last.WParam, WideW);
        EXPECT_EQ(Echoes[I]->Last.LParam, WideL);
    }

    // Every page given back: new thunks come from fresh pages, never from released ones.
    Thunks.clear();
    for (int I = 0; I < 10; ++I)
        Add();
    for (size_t I = 0; I < Thunks.size(); ++I)
        EXPECT_EQ(Thunks[I]->Proc()(nullptr, WM_USER, 0, 0), LRESULT(Echoes[Echoes.size() - 10 + I]->Id) * 1000 + WM_USER);
}

struct TSubclass {
    HWND Wnd = nullptr;
    WNDPROC Old = nullptr;
    std::vector<UINT> Seen;
    void Handle(TMessage& M)
    {
        Seen.push_back(M.Msg);
        M.Result = CallWindowProcA(Old, Wnd, M.Msg, M.WParam, M.LParam);
    }
};

TEST(Thunk, SubclassesABareWindowAndGivesItBack)
{
    const HWND Edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(Edit);
    TSubclass Sub;
    Sub.Wnd = Edit;
    auto Thunk = std::make_unique<TThunk>(TWndMethod(&Sub, &TSubclass::Handle));
    Sub.Old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(Edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Thunk->Proc())));
    SetWindowTextA(Edit, "subclassed");
    char Text[32] = {};
    GetWindowTextA(Edit, Text, sizeof Text);
    EXPECT_STREQ(Text, "subclassed");
    EXPECT_NE(std::find(Sub.Seen.begin(), Sub.Seen.end(), UINT(WM_SETTEXT)), Sub.Seen.end());

    SetWindowLongPtrA(Edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Sub.Old));
    Thunk.reset();
    Sub.Seen.clear();
    SetWindowTextA(Edit, "back");
    EXPECT_TRUE(Sub.Seen.empty());
    DestroyWindow(Edit);
}

// A handler put in front of a control's WindowProc, as the skin engine does.
struct TSpy {
    TWndMethod Old;
    std::vector<std::string>* Log = nullptr;
    std::vector<UINT> Seen;
    LRESULT DialogCharAnswer = 0;
    void Proc(TMessage& M)
    {
        Seen.push_back(M.Msg);
        if (Log && M.Msg == WM_SETTEXT)
            Log->push_back("spy");
        if (M.Msg == WM_USER + 1) {
            M.Result = 42;
            return;
        }
        if (M.Msg == CM_DIALOGCHAR && DialogCharAnswer) {
            M.Result = DialogCharAnswer;
            return;
        }
        Old(M);
    }
    bool Saw(UINT Msg) const { return std::find(Seen.begin(), Seen.end(), Msg) != Seen.end(); }
};

class TLoggingButton : public TProbeButton {
public:
    using TProbeButton::TProbeButton;
    std::vector<std::string>* Log = nullptr;
    void WndProc(TMessage& Message) override
    {
        if (Log && Message.Msg == WM_SETTEXT)
            Log->push_back("control");
        TProbeButton::WndProc(Message);
    }
};

class MessageFlow : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = new TForm(Application);
        Form->SetBounds(50, 50, 300, 200);
        A = new TLoggingButton(Form);
        A->SetParent(Form);
        A->SetBounds(10, 10, 80, 24);
        B = new TLoggingButton(Form);
        B->SetParent(Form);
        B->SetBounds(10, 50, 80, 24);
        Form->Show();
        PumpFor(50);
    }
    void TearDown() override { delete Form; }
    TForm* Form = nullptr;
    TLoggingButton* A = nullptr;
    TLoggingButton* B = nullptr;
};

TEST_F(MessageFlow, AReplacedWindowProcSeesMessagesFirstAndCanHandTheOldOneBack)
{
    std::vector<std::string> Log;
    A->Log = &Log;
    TSpy Spy;
    Spy.Log = &Log;
    Spy.Old = A->WindowProc;
    A->WindowProc = TWndMethod(&Spy, &TSpy::Proc);

    SetWindowTextA(A->Handle(), "abc");
    EXPECT_EQ(Log, (std::vector<std::string>{"spy", "control"}));
    EXPECT_EQ(A->Text(), "abc");
    // What the spy keeps never reaches the control.
    EXPECT_EQ(SendMessageA(A->Handle(), WM_USER + 1, 0, 0), 42);
    EXPECT_FALSE(A->Saw(WM_USER + 1));
    // Perform takes the same road.
    A->SetEnabled(false);
    EXPECT_TRUE(Spy.Saw(CM_ENABLEDCHANGED));
    EXPECT_TRUE(A->Saw(CM_ENABLEDCHANGED));
    EXPECT_FALSE(IsWindowEnabled(A->Handle()));

    A->WindowProc = Spy.Old;
    Spy.Seen.clear();
    SetWindowTextA(A->Handle(), "def");
    EXPECT_TRUE(Spy.Seen.empty());
    EXPECT_EQ(A->Text(), "def");
}

TEST_F(MessageFlow, ASystemControlIsSuperclassedAndGetsItsNotificationsReflected)
{
    char Name[64] = {};
    GetClassNameA(A->Handle(), Name, sizeof Name);
    EXPECT_STREQ(Name, "TProbeButton");
    EXPECT_EQ(TWinControl::FindControl(A->Handle()), A);
    // Still a system button underneath: it answers BM_ messages and notifies its parent.
    SendMessageA(A->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(A->Saw(CN_COMMAND));
    EXPECT_FALSE(B->Saw(CN_COMMAND));
    A->Invalidate();
    UpdateWindow(A->Handle());
    EXPECT_TRUE(A->Saw(CN_CTLCOLORBTN));
}

TEST_F(MessageFlow, FocusLeavingAControlSendsExit)
{
    int Exits = 0;
    struct TCounter {
        int* Count;
        void Exit(TObject*) { ++*Count; }
    } Counter{&Exits};
    A->OnExit = TNotifyEvent(&Counter, &TCounter::Exit);
    A->SetFocus();
    EXPECT_TRUE(A->Focused());
    EXPECT_TRUE(A->Saw(CM_ENTER));
    EXPECT_EQ(Form->ActiveControl(), A);
    B->SetFocus();
    EXPECT_TRUE(A->Saw(CM_EXIT));
    EXPECT_EQ(Exits, 1);
    EXPECT_EQ(Form->ActiveControl(), B);
}

TEST_F(MessageFlow, TabInTheMessageLoopMovesTheFocusInTabOrder)
{
    B->SetTabOrder(0);
    A->SetTabOrder(1);
    A->SetFocus();
    // A is last in tab order: Tab wraps round to B, then comes back to A.
    PostMessageA(A->Handle(), WM_KEYDOWN, VK_TAB, 0);
    Application->ProcessMessages();
    EXPECT_TRUE(B->Focused());
    PostMessageA(B->Handle(), WM_KEYDOWN, VK_TAB, 0);
    Application->ProcessMessages();
    EXPECT_TRUE(A->Focused());
}

TEST_F(MessageFlow, AltLetterIsOfferedToTheFormBeforeTheSystemMenu)
{
    TSpy Spy;
    Spy.Old = Form->WindowProc;
    Spy.DialogCharAnswer = 1;
    Form->WindowProc = TWndMethod(&Spy, &TSpy::Proc);
    // Alt+X with the focus in a control: the system asks the control for SC_KEYMENU.
    SendMessageA(A->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'x');
    ASSERT_TRUE(Spy.Saw(CM_DIALOGCHAR));
    EXPECT_FALSE(A->Saw(CM_DIALOGCHAR));

    // Not taken by the form: its controls are asked in turn.
    Spy.DialogCharAnswer = 0;
    SendMessageA(A->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'x');
    EXPECT_TRUE(A->Saw(CM_DIALOGCHAR));
    EXPECT_TRUE(B->Saw(CM_DIALOGCHAR));
    Form->WindowProc = Spy.Old;
}

// The error box is modal: a thread timer looks at it and presses its button.
struct TBoxSeen {
    bool Found = false;
    std::string Caption;
    std::vector<std::string> Texts;
    int Buttons = 0;
};
TBoxSeen BoxSeen;

BOOL CALLBACK LookAtChild(HWND Child, LPARAM)
{
    char Class[32] = {}, Text[256] = {};
    GetClassNameA(Child, Class, sizeof Class);
    GetWindowTextA(Child, Text, sizeof Text);
    if (lstrcmpiA(Class, "Button") == 0 && IsWindowVisible(Child))
        ++BoxSeen.Buttons;
    if (lstrcmpiA(Class, "Static") == 0)
        BoxSeen.Texts.push_back(Text);
    return TRUE;
}

void CALLBACK PressErrorBox(HWND, UINT, UINT_PTR Id, DWORD)
{
    const HWND Box = FindThreadWindow("#32770");
    if (!Box)
        return;
    KillTimer(nullptr, Id);
    char Caption[128] = {};
    GetWindowTextA(Box, Caption, sizeof Caption);
    BoxSeen.Found = true;
    BoxSeen.Caption = Caption;
    EnumChildWindows(Box, LookAtChild, 0);
    PostMessageA(Box, WM_COMMAND, IDOK, 0);
}

struct TThrower {
    TWndMethod Old;
    void Proc(TMessage& M)
    {
        if (M.Msg == WM_USER + 2)
            throw EConvertError("鱼香肉丝 is not a number");
        Old(M);
    }
};

TEST_F(MessageFlow, AnExceptionInAHandlerShowsTheDefaultErrorBox)
{
    Application->SetTitle("Pantrel");
    TThrower Thrower;
    Thrower.Old = A->WindowProc;
    A->WindowProc = TWndMethod(&Thrower, &TThrower::Proc);
    BoxSeen = TBoxSeen();
    const UINT_PTR Timer = SetTimer(nullptr, 0, 50, PressErrorBox);
    SendMessageA(A->Handle(), WM_USER + 2, 0, 0);
    KillTimer(nullptr, Timer);
    A->WindowProc = Thrower.Old;

    ASSERT_TRUE(BoxSeen.Found);
    EXPECT_EQ(BoxSeen.Caption, "Pantrel");
    EXPECT_EQ(BoxSeen.Buttons, 1);
    EXPECT_NE(std::find(BoxSeen.Texts.begin(), BoxSeen.Texts.end(), "鱼香肉丝 is not a number"), BoxSeen.Texts.end());
    // The program goes on: the control still works.
    SetWindowTextA(A->Handle(), "alive");
    EXPECT_EQ(A->Text(), "alive");
}

TEST_F(MessageFlow, OnExceptionReplacesTheErrorBox)
{
    struct TCatcher {
        std::string Message;
        void Handle(TObject*, const std::exception& E) { Message = E.what(); }
    } Catcher;
    Application->OnException = TExceptionEvent(&Catcher, &TCatcher::Handle);
    TThrower Thrower;
    Thrower.Old = A->WindowProc;
    A->WindowProc = TWndMethod(&Thrower, &TThrower::Proc);
    SendMessageA(A->Handle(), WM_USER + 2, 0, 0);
    A->WindowProc = Thrower.Old;
    Application->OnException = TExceptionEvent();
    EXPECT_EQ(Catcher.Message, "鱼香肉丝 is not a number");
}

// Timers tick through one hidden window however many there are; each keeps its own
// interval, and a tick already queued when its timer is freed reaches nobody.
TEST(Timers, ShareOneWindowAndTickOnlyWhileTheyExist)
{
    struct TCounter {
        int Ticks = 0;
        void Tick(TObject*) { ++Ticks; }
    } Fast, Slow, Gone;
    const auto UtilityWindows = [] {
        int N = 0;
        for (HWND W = FindWindowExA(HWND_MESSAGE, nullptr, "TPUtilWindow", nullptr); W;
             W = FindWindowExA(HWND_MESSAGE, W, "TPUtilWindow", nullptr))
            ++N;
        return N;
    };
    auto* First = new TTimer(nullptr);
    const int Windows = UtilityWindows();
    std::vector<std::unique_ptr<TTimer>> Timers;
    for (int I = 0; I < 10; ++I)
        Timers.push_back(std::make_unique<TTimer>(nullptr));
    EXPECT_EQ(UtilityWindows(), Windows);
    delete First;

    Timers[0]->SetInterval(20);
    Timers[0]->OnTimer = TNotifyEvent(&Fast, &TCounter::Tick);
    Timers[1]->SetInterval(400);
    Timers[1]->OnTimer = TNotifyEvent(&Slow, &TCounter::Tick);
    Timers[2]->SetInterval(1);
    Timers[2]->OnTimer = TNotifyEvent(&Gone, &TCounter::Tick);
    Sleep(60);  // Timers[2]'s tick is due before it goes
    Timers[2].reset();
    PumpFor(300);
    EXPECT_GE(Fast.Ticks, 4);
    EXPECT_EQ(Slow.Ticks, 0);
    EXPECT_EQ(Gone.Ticks, 0);
    Timers[0]->SetEnabled(false);
    const int Stopped = Fast.Ticks;
    PumpFor(100);
    EXPECT_EQ(Fast.Ticks, Stopped);
    // Started again and given a new interval while running: one timer, ticking at the new pace.
    Timers[0]->SetEnabled(true);
    Timers[0]->SetInterval(30);
    PumpFor(200);
    EXPECT_GE(Fast.Ticks, Stopped + 3);
    EXPECT_LE(Fast.Ticks, Stopped + 8);
}

} // namespace
