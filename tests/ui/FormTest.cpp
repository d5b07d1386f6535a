// Forms: built from a design compiled into the test, shown modally, released; the screen's
// form list; the timer; the message dialog.
#include <gtest/gtest.h>

#include "framework/graphics/Colors.h"
#include "framework/ui/Application.h"
#include "framework/ui/CustomControl.h"
#include "framework/ui/Screen.h"
#include "framework/ui/Timer.h"
#include "tests/support/Capture.h"
#include "tests/ui/Probes.h"

namespace {

class TTestPanel : public TCustomControl {
    PANTREL_CLASS(TTestPanel, TCustomControl)
    explicit TTestPanel(TComponent* AOwner) : TCustomControl(AOwner)
    {
        SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    }
    bool WasLoaded = false;
    void Loaded() override
    {
        inherited::Loaded();
        WasLoaded = true;
    }
};

class TTestForm : public TForm {
    PANTREL_CLASS(TTestForm, TForm)
    explicit TTestForm(TComponent* AOwner) : TForm(AOwner) { CreateFromDesign(); }
    TTestPanel* Side = nullptr;
    TTestPanel* Bottom = nullptr;
    TProbeGraphic* Mark = nullptr;
    bool CreateSawDesign = false;
    void FormCreate(TObject*) { CreateSawDesign = Side && Side->WasLoaded && Bottom->WasLoaded && Mark; }

protected:
    void BindMembers() override
    {
        BindMember("Side", Side);
        BindMember("Bottom", Bottom);
        BindMember("Mark", Mark);
    }
};

// A form whose creation handler fails.
class TFailingForm : public TForm {
    PANTREL_CLASS(TFailingForm, TForm)
    explicit TFailingForm(TComponent* AOwner) : TForm(AOwner)
    {
        CreateFromDesignText("object FailingForm: TFailingForm\n  Caption = 'x'\n  OnCreate = FormCreate\nend\n",
                             "FailingForm");
    }
    void FormCreate(TObject*) { throw EConvertError("无法打开数据库"); }
};

} // namespace

PANTREL_REGISTER(TFailingForm, TForm, PROP_HANDLER(FormCreate))
PANTREL_REGISTER(TTestPanel, TCustomControl)
PANTREL_REGISTER(TTestForm, TForm, PROP_HANDLER(FormCreate))

namespace {

RECT WindowRect(HWND Wnd)
{
    RECT R;
    GetWindowRect(Wnd, &R);
    return R;
}

TEST(Form, IsBuiltFromItsStoredDesign)
{
    auto* Form = new TTestForm(Application);
    EXPECT_TRUE(Form->CreateSawDesign);
    const HWND Wnd = Form->Handle();
    char Name[64] = {};
    GetClassNameA(Wnd, Name, sizeof Name);
    EXPECT_STREQ(Name, "TTestForm");
    EXPECT_EQ(Form->Caption(), "测试窗体");
    const LONG_PTR Style = GetWindowLongPtrA(Wnd, GWL_STYLE);
    EXPECT_TRUE(Style & WS_SYSMENU);
    EXPECT_TRUE(Style & WS_MINIMIZEBOX);
    EXPECT_FALSE(Style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(Style & WS_THICKFRAME);
    EXPECT_EQ(Form->ClientWidth(), 320);
    EXPECT_EQ(Form->ClientHeight(), 200);
    // Bottom first takes its strip, then the left panel the rest of the height.
    EXPECT_EQ(Form->Bottom->BoundsRect().top, 170);
    EXPECT_EQ(Form->Bottom->Width(), 320);
    EXPECT_EQ(Form->Side->Height(), 170);
    EXPECT_EQ(Form->Side->Width(), 80);

    Form->Show();
    PumpFor(200);
    const RECT R = WindowRect(Wnd);
    EXPECT_NEAR((R.left + R.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((R.top + R.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    // The windowless mark is painted by its panel, over the panel's own colour.
    const TCapture Shot = CaptureWindow(Wnd, true);
    Shot.SavePng("ui-form-design.png");
    EXPECT_TRUE(SameColor(Shot.Pixel(5, 5), RGB(255, 0, 0)));
    EXPECT_TRUE(SameColor(Shot.Pixel(20, 20), RGB(0, 0, 255)));
    EXPECT_TRUE(SameColor(Shot.Pixel(160, 185), RGB(0, 255, 0)));
    EXPECT_TRUE(SameColor(Shot.Pixel(150, 50), RGB(255, 255, 255)));

    // A wider client area: the aligned panels follow.
    Form->SetClientWidth(400);
    EXPECT_EQ(Form->Bottom->Width(), 400);
    EXPECT_EQ(Form->Side->Width(), 80);
    // So they do when only the frame changes (as when a skin takes the caption away).
    SetWindowLongPtrA(Wnd, GWL_STYLE, GetWindowLongPtrA(Wnd, GWL_STYLE) & ~LONG_PTR(WS_CAPTION));
    SetWindowPos(Wnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_GT(Form->ClientHeight(), 200);
    EXPECT_EQ(Form->Side->Height(), Form->ClientHeight() - 30);
    delete Form;
}

namespace {

SIZE CreatedSize{};
POINT CreatedAt{};
LRESULT CALLBACK NoteCreatedSize(int Code, WPARAM WParam, LPARAM LParam)
{
    if (Code == HCBT_CREATEWND) {
        const CREATESTRUCTA* Create = reinterpret_cast<CBT_CREATEWNDA*>(LParam)->lpcs;
        if (!(Create->style & WS_CHILD)) {
            CreatedSize = {Create->cx, Create->cy};
            CreatedAt = {Create->x, Create->y};
        }
    }
    return CallNextHookEx(nullptr, Code, WParam, LParam);
}

// Makes Form's window with NoteCreatedSize watching.
void MakeWindowNoted(TForm* Form)
{
    const HHOOK Hook = SetWindowsHookExA(WH_CBT, &NoteCreatedSize, nullptr, GetCurrentThreadId());
    Form->HandleNeeded();
    UnhookWindowsHookEx(Hook);
}

}  // namespace

// Made at its old size and resized, a window would cost a round of messages at every start.
TEST(Form, AClientSizeGivenBeforeTheWindowSizesItWhenMade)
{
    auto* Form = new TForm(Application);
    Form->SetBorderStyle(bsSingle);
    Form->SetClientSize(333, 222);
    MakeWindowNoted(Form);
    const RECT Window = WindowRect(Form->Handle());
    EXPECT_EQ(CreatedSize.cx, Window.right - Window.left);
    EXPECT_EQ(CreatedSize.cy, Window.bottom - Window.top);
    EXPECT_EQ(Form->ClientWidth(), 333);
    EXPECT_EQ(Form->ClientHeight(), 222);
    delete Form;
}

// Likewise a form centred on the screen is made there, and centred again at its first
// showing should its size have changed since.
TEST(Form, AFormCentredOnTheScreenIsMadeThere)
{
    const auto Centred = [](HWND Wnd) {
        const RECT R = WindowRect(Wnd);
        return POINT{(GetSystemMetrics(SM_CXSCREEN) - (R.right - R.left)) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - (R.bottom - R.top)) / 2};
    };
    auto* Form = new TForm(Application);
    Form->SetPosition(poScreenCenter);
    Form->SetClientSize(300, 200);
    MakeWindowNoted(Form);
    EXPECT_EQ(CreatedAt.x, Centred(Form->Handle()).x);
    EXPECT_EQ(CreatedAt.y, Centred(Form->Handle()).y);
    Form->SetBounds(Form->Left(), Form->Top(), 500, 300);
    Form->Show();
    const RECT Shown = WindowRect(Form->Handle());
    EXPECT_EQ(Shown.right - Shown.left, 500);
    EXPECT_EQ(Shown.left, Centred(Form->Handle()).x);
    EXPECT_EQ(Shown.top, Centred(Form->Handle()).y);
    delete Form;
}

TEST(Form, AFailingCreationHandlerGoesToTheErrorHandlingAndTheFormStays)
{
    struct TCatcher {
        std::string Message;
        void Handle(TObject*, const std::exception& E) { Message = E.what(); }
    } Catcher;
    Application->OnException = TExceptionEvent(&Catcher, &TCatcher::Handle);
    auto* Form = new TFailingForm(Application);
    Application->OnException = TExceptionEvent();
    EXPECT_EQ(Catcher.Message, "无法打开数据库");
    EXPECT_EQ(Form->Caption(), "x");
    delete Form;
}

TEST(Form, AutoScrollShowsScrollBarsAndScrollsTheControls)
{
    auto* Form = new TForm(Application);
    Form->SetBorderStyle(bsSingle);
    Form->SetClientSize(200, 100);
    auto* Far = new TProbeButton(Form);
    Far->SetParent(Form);
    Far->SetBounds(20, 300, 80, 24);
    Form->Show();
    PumpFor(50);
    EXPECT_TRUE(GetWindowLongPtrA(Form->Handle(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(GetWindowLongPtrA(Form->Handle(), GWL_STYLE) & WS_HSCROLL);
    SendMessageA(Form->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_LT(Far->Top(), 300);
    EXPECT_EQ(Far->Top(), 300 - GetScrollPos(Form->Handle(), SB_VERT));
    SendMessageA(Form->Handle(), WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(Far->Top(), 300);

    // Without AutoScroll (as a skinned form has it) there are no scroll bars.
    Form->SetAutoScroll(false);
    EXPECT_FALSE(GetWindowLongPtrA(Form->Handle(), GWL_STYLE) & WS_VSCROLL);
    delete Form;
}

struct TModalProbe {
    TForm* Owner = nullptr;
    TForm* Dialog = nullptr;
    bool OwnerEnabled = true;
    bool DialogInFront = false;
    TModalResult Answer = mrOk;
    void Tick(TObject* Sender)
    {
        static_cast<TTimer*>(Sender)->SetEnabled(false);
        OwnerEnabled = IsWindowEnabled(Owner->Handle()) != FALSE;
        DialogInFront = Screen->FormCount() > 0 && Screen->Forms(0) == Dialog && Screen->ActiveForm() == Dialog;
        if (Answer == mrCancel)
            PostMessageA(Dialog->Handle(), WM_CLOSE, 0, 0);
        else
            Dialog->SetModalResult(Answer);
    }
};

TEST(Form, ShowModalDisablesTheOtherWindowsUntilItIsClosed)
{
    auto* Owner = new TForm(Application);
    Owner->Show();
    auto* Dialog = new TForm(Application);
    Dialog->SetBounds(200, 200, 200, 100);
    TModalProbe Probe{Owner, Dialog};
    auto* Timer = new TTimer(Dialog);
    Timer->SetInterval(100);
    Timer->OnTimer = TNotifyEvent(&Probe, &TModalProbe::Tick);

    Probe.Answer = mrYes;
    EXPECT_EQ(Dialog->ShowModal(), mrYes);
    EXPECT_FALSE(Probe.OwnerEnabled);
    EXPECT_TRUE(Probe.DialogInFront);
    EXPECT_TRUE(IsWindowEnabled(Owner->Handle()));
    EXPECT_FALSE(IsWindowVisible(Dialog->Handle()));
    EXPECT_FALSE(Dialog->Modal());

    // Closed through its close box: mrCancel.
    Probe.Answer = mrCancel;
    Timer->SetEnabled(true);
    EXPECT_EQ(Dialog->ShowModal(), mrCancel);
    // A shown form cannot become modal.
    Dialog->Show();
    EXPECT_THROW(Dialog->ShowModal(), EInvalidOperation);
    delete Dialog;
    delete Owner;
}

TEST(Form, ScreenListsFormsFrontMostFirstAndForgetsReleasedOnes)
{
    const int Before = Screen->FormCount();
    auto* First = new TForm(Application);
    auto* Second = new TForm(Application);
    ASSERT_EQ(Screen->FormCount(), Before + 2);
    EXPECT_EQ(Screen->Forms(Before + 1), Second);
    First->Show();
    Second->Show();
    PumpFor(100);
    EXPECT_EQ(Screen->Forms(0), Second);
    SetActiveWindow(First->Handle());
    PumpFor(100);
    EXPECT_EQ(Screen->Forms(0), First);
    EXPECT_EQ(Screen->ActiveForm(), First);
    // Show on a form that is up brings it forward again.
    Second->Show();
    PumpFor(100);
    EXPECT_EQ(Screen->Forms(0), Second);
    EXPECT_EQ(GetActiveWindow(), Second->Handle());

    // Closing a form that is not the main form hides it; Release frees it later.
    First->Close();
    EXPECT_FALSE(IsWindowVisible(First->Handle()));
    First->Release();
    EXPECT_EQ(Screen->FormCount(), Before + 2);
    PumpUntil([&] { return Screen->FormCount() == Before + 1; }, 2000);
    EXPECT_EQ(Screen->FormCount(), Before + 1);
    delete Second;
    EXPECT_EQ(Screen->FormCount(), Before);
}

} // namespace
