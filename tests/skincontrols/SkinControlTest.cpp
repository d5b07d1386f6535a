// The skinned-control base on real windows: a framework panel (WindowProc route) and a bare
// BUTTON child (subclassing route), wrapped by a test kind that logs the message path and
// paints itself in the skin's face colour.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "framework/ui/Panel.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "tests/support/Capture.h"

namespace {

constexpr COLORREF Face = RGB(20, 160, 90);
constexpr UINT WM_PROBE = WM_USER + 7;

// A panel that logs what reaches its own handler.
class TLogPanel : public TPanel {
public:
    using TPanel::TPanel;
    std::vector<std::string>* Log = nullptr;
    void WndProc(TMessage& Message) override
    {
        if (Log && Message.Msg == WM_PROBE)
            Log->push_back("control");
        TPanel::WndProc(Message);
    }
};

class TFlatKind : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::vector<std::string>* Log = nullptr;
    UINT Kept = 0;                     // BeforeMessage keeps this message from the control
    std::vector<std::string> Drawn;    // FCaption at every Draw
    bool BeforeMessage(TMessage& Message) override
    {
        if (Log && Message.Msg == WM_PROBE)
            Log->push_back("before");
        return Message.Msg != Kept;
    }
    void AfterMessage(TMessage& Message) override
    {
        if (Log && Message.Msg == WM_PROBE)
            Log->push_back("after");
        TSkinControl::AfterMessage(Message);
    }
    void Draw(HDC DC, const RECT& Rect) override
    {
        Drawn.push_back(FCaption);
        FillBackground(DC, Rect);
    }
};

// The bare window's procedure before the kind: logs, then the BUTTON class's own.
WNDPROC ButtonProc = nullptr;
std::vector<std::string>* BareLog = nullptr;
LRESULT CALLBACK LoggingButtonProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (BareLog && Msg == WM_PROBE)
        BareLog->push_back("control");
    return CallWindowProcA(ButtonProc, Wnd, Msg, WParam, LParam);
}

class SkinControl : public ::testing::Test {
protected:
    void SetUp() override
    {
        Skin.ButtonFaceColor = Face;
        Owner = new TWinSkinForm(nullptr);
        Form = new TForm(Application);
        Form->SetBounds(40, 40, 320, 200);
        Panel = new TLogPanel(Form);
        Panel->SetParent(Form);
        Panel->SetBounds(10, 10, 120, 60);
        Panel->SetColor(clRed);
        Panel->Log = &Log;
        Form->Show();
        PumpFor(50);
    }
    void TearDown() override
    {
        delete Owner;
        delete Form;
        BareLog = nullptr;
    }

    TFlatKind* NewKind()
    {
        auto* Kind = new TFlatKind(Owner);
        Kind->Log = &Log;
        return Kind;
    }

    // A top-level window holding a BUTTON child with a border, subclassed by a logger.
    HWND MakeBareButton()
    {
        Top = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 400, 40, 200, 120, nullptr, nullptr,
                              nullptr, nullptr);
        const HWND Button = CreateWindowExA(WS_EX_CLIENTEDGE, "BUTTON", "bare", WS_CHILD | WS_VISIBLE | WS_BORDER,
                                            10, 10, 120, 60, Top, nullptr, nullptr, nullptr);
        ButtonProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(Button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LoggingButtonProc)));
        BareLog = &Log;
        PumpFor(50);
        return Button;
    }

    bool Listed(TSkinControl* Kind) const
    {
        return std::count(Owner->FControls.begin(), Owner->FControls.end(), Kind) == 1;
    }

    TSkinData Skin{nullptr};
    TCanvas Canvas;
    TWinSkinForm* Owner = nullptr;
    TForm* Form = nullptr;
    TLogPanel* Panel = nullptr;
    HWND Top = nullptr;
    std::vector<std::string> Log;
};

using TLog = std::vector<std::string>;

// The kind's filter sees a message before and after the control, and can keep it away.
void ExpectFiltered(HWND Wnd, TFlatKind& Kind, TLog& Log)
{
    Log.clear();
    SendMessageA(Wnd, WM_PROBE, 0, 0);
    EXPECT_EQ(Log, (TLog{"before", "control", "after"}));
    Log.clear();
    Kind.Kept = WM_PROBE;
    SendMessageA(Wnd, WM_PROBE, 0, 0);
    EXPECT_EQ(Log, (TLog{"before", "after"}));
    Kind.Kept = 0;
}

TEST_F(SkinControl, FrameworkRouteFiltersMessagesAndGivesEverythingBack)
{
    const TWndMethod Original = Panel->WindowProc;
    TFlatKind* Kind = NewKind();
    Kind->InstallControl(Panel, &Skin, true, &Canvas);
    EXPECT_TRUE(Listed(Kind));
    EXPECT_EQ(Panel->Color(), Face);
    EXPECT_TRUE(Panel->DoubleBuffered());
    ExpectFiltered(Panel->Handle(), *Kind, Log);

    // A second installation changes nothing: still one entry, the first skin, one layer.
    TSkinData Other(nullptr);
    Kind->InstallControl(Panel, &Other, false, &Canvas);
    EXPECT_TRUE(Listed(Kind));
    EXPECT_EQ(Kind->FSkinData, &Skin);
    ExpectFiltered(Panel->Handle(), *Kind, Log);

    Kind->Uninstall();
    Kind->Uninstall();  // harmless
    EXPECT_TRUE(Panel->WindowProc == Original);
    EXPECT_EQ(Panel->Color(), clRed);
}

TEST_F(SkinControl, LateUninstallsKeepAClosingOwnersColoursAndNeverTouchAFreedControl)
{
    const TWndMethod Original = Panel->WindowProc;
    TFlatKind* Kind = NewKind();
    Kind->InstallControl(Panel, &Skin, true, &Canvas);
    Owner->FSkinState = ssClosing;
    delete Kind;  // the destructor uninstalls
    EXPECT_TRUE(Panel->WindowProc == Original);
    EXPECT_EQ(Panel->Color(), Face);

    Owner->FSkinState = ssReady;
    Kind = NewKind();
    Kind->InstallControl(Panel, &Skin, true, &Canvas);
    delete Panel;
    Panel = nullptr;
    EXPECT_EQ(Kind->FControl, nullptr);
    delete Kind;  // must not reach the freed panel
}

TEST_F(SkinControl, PaintCoversTheWindowAndTextChangesShowAtOnce)
{
    TFlatKind* Kind = NewKind();
    Kind->InstallControl(Panel, &Skin, false, &Canvas);
    InvalidateRect(Panel->Handle(), nullptr, TRUE);
    UpdateWindow(Panel->Handle());
    const TCapture Shot = CaptureWindow(Panel->Handle());
    Shot.SavePng("skin_control_panel.png");
    EXPECT_TRUE(SameColor(Shot.Pixel(0, 0), Face));
    EXPECT_TRUE(SameColor(Shot.Pixel(60, 30), Face));

    // The new caption is in place when the repaint draws, inside the SetWindowText call.
    Kind->Drawn.clear();
    SetWindowTextA(Panel->Handle(), "新标题");
    EXPECT_EQ(Kind->Drawn, (TLog{"新标题"}));

    // A DC in wParam is painted into, with a system colour resolved first.
    Skin.ButtonFaceColor = clHighlight;
    TBitmap Target;
    Target.SetSize(120, 60);
    SendMessageA(Panel->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(Target.Canvas()->Handle()), 0);
    EXPECT_EQ(Target.Canvas()->Pixels(5, 5), TColor(GetSysColor(COLOR_HIGHLIGHT)));
}

TEST_F(SkinControl, BareRouteSubclassesPaintsTheBorderAndGivesTheProcedureBack)
{
    const HWND Button = MakeBareButton();
    TFlatKind* Kind = NewKind();
    Kind->InstallWindow(Button, &Skin, &Canvas);
    Kind->InstallWindow(Button, &Skin, &Canvas);  // ignored: one thunk only
    EXPECT_EQ(Kind->FCaption, "bare");
    ExpectFiltered(Button, *Kind, Log);

    // The window DC: the face covers the client edge and the border as well.
    Kind->Drawn.clear();
    Kind->RepaintNow();
    EXPECT_EQ(Kind->Drawn.size(), 1u);
    const TCapture Shot = CaptureWindow(Button);
    Shot.SavePng("skin_control_bare.png");
    EXPECT_TRUE(SameColor(Shot.Pixel(0, 0), Face));
    EXPECT_TRUE(SameColor(Shot.Pixel(2, 30), Face));
    EXPECT_TRUE(SameColor(Shot.Pixel(60, 30), Face));

    Kind->Uninstall();
    EXPECT_EQ(GetWindowLongPtrA(Button, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&LoggingButtonProc));

    // A window without a parent is not repainted; its destruction uninstalls the kind.
    TFlatKind* Lone = NewKind();
    Lone->InstallWindow(Top, &Skin, &Canvas);
    UpdateWindow(Top);
    Lone->Drawn.clear();
    Lone->RepaintNow();
    EXPECT_TRUE(Lone->Drawn.empty());
    DestroyWindow(Top);
    EXPECT_FALSE(Lone->FObjectInstance);
}

}  // namespace
