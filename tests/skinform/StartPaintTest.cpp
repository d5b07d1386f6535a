// A form with a menu bar and children, from its show to its first skinned picture: taking the
// bar from the system, fitting the frame and cutting the region paint nothing on the way;
// the frame and every child are painted once, after the fit, from the skin.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <memory>

#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHolders.h"
#include "framework/ui/Memo.h"
#include "framework/ui/Menus.h"
#include "framework/ui/Panel.h"
#include "skin/controls/ScrollBars.h"
#include "tests/controls/Input.h"
#include "tests/skinform/SkinnedWindow.h"
#include "tests/support/Capture.h"

namespace {

// Paint messages per window of this thread while a TPaintCount is alive: sent ones through
// one hook, taken from the queue through another.
struct TPaintCount {
    std::map<HWND, int> NCPaint, Paint, Erase;

    TPaintCount()
    {
        Current = this;
        FSent = SetWindowsHookExA(WH_CALLWNDPROC, Sent, nullptr, GetCurrentThreadId());
        FTaken = SetWindowsHookExA(WH_GETMESSAGE, Taken, nullptr, GetCurrentThreadId());
    }
    ~TPaintCount()
    {
        UnhookWindowsHookEx(FSent);
        UnhookWindowsHookEx(FTaken);
        Current = nullptr;
    }
    TPaintCount(const TPaintCount&) = delete;
    TPaintCount& operator=(const TPaintCount&) = delete;

private:
    static inline TPaintCount* Current = nullptr;
    HHOOK FSent, FTaken;

    void Count(HWND Wnd, UINT Msg)
    {
        if (Msg == WM_NCPAINT)
            ++NCPaint[Wnd];
        else if (Msg == WM_PAINT)
            ++Paint[Wnd];
        else if (Msg == WM_ERASEBKGND)
            ++Erase[Wnd];
    }
    static LRESULT CALLBACK Sent(int Code, WPARAM WParam, LPARAM LParam)
    {
        const auto* M = reinterpret_cast<const CWPSTRUCT*>(LParam);
        if (Code == HC_ACTION && Current)
            Current->Count(M->hwnd, M->message);
        return CallNextHookEx(nullptr, Code, WParam, LParam);
    }
    static LRESULT CALLBACK Taken(int Code, WPARAM WParam, LPARAM LParam)
    {
        const auto* M = reinterpret_cast<const MSG*>(LParam);
        if (Code == HC_ACTION && WParam == PM_REMOVE && Current)
            Current->Count(M->hwnd, M->message);
        return CallNextHookEx(nullptr, Code, WParam, LParam);
    }
};

class StartPaint : public SkinnedWindow {
protected:
    TPanel* Panel = nullptr;
    TPanel* Bottom = nullptr;
    TMemo* Memo = nullptr;

    // A menu bar, two panels (one aligned) and a memo with a scroll bar (wrapped by the
    // scroll-bar kind).
    TForm* MenuFormWithChildren()
    {
        TFlatSkin Skin;
        Skin.MenuBar.Present = true;
        LoadSkin(Skin);
        TForm* Form = MakeForm();
        auto* Menu = new TMainMenu(Form);
        for (const char* Caption : {"&File", "&Help"}) {
            auto* Item = new TMenuItem(Menu);
            Item->SetCaption(Caption);
            Menu->Items()->Add(Item);
        }
        Form->SetMenu(Menu);
        Panel = new TPanel(Form);
        Panel->SetParent(Form);
        Panel->SetBounds(10, 10, 120, 80);
        // Aligned to the bottom, it moves whenever the client area changes size.
        Bottom = new TPanel(Form);
        Bottom->SetParent(Form);
        Bottom->SetHeight(24);
        Bottom->SetAlign(alBottom);
        Memo = new TMemo(Form);
        Memo->SetParent(Form);
        Memo->SetBounds(150, 10, 150, 120);
        Memo->SetScrollBars(ssVertical);
        return Form;
    }
};

TEST_F(StartPaint, FrameAndChildrenArePaintedOnceAfterTheFitAndFromTheSkin)
{
    TForm* Form = MenuFormWithChildren();
    TPaintCount Count;
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    ASSERT_NE(F->FMenuBar, nullptr);
    for (const HWND Child : {Panel->Handle(), Bottom->Handle(), Memo->Handle()}) {
        EXPECT_EQ(Count.NCPaint[Child], 1) << "child " << Child;
        EXPECT_EQ(Count.Paint[Child], 1) << "child " << Child;
        EXPECT_LE(Count.Erase[Child], 1) << "child " << Child;
    }
    EXPECT_EQ(Count.Paint[Form->Handle()], 1);

    // What that one paint left: the skin's frame, bar and face colour.
    const HWND Wnd = Form->Handle();
    EXPECT_TRUE(SameColor(WindowPixel(Wnd, 1, F->FHeight / 2), FlatColour(feLeft, 1)));
    EXPECT_TRUE(SameColor(WindowPixel(Wnd, F->FWidth - F->FBorderRight - 20, F->FCaptionHeight + F->FMenuHeight / 2),
                          FlatColour(feMenuBar, 1)));
    POINT PanelMiddle{60, 40};
    ClientToScreen(Panel->Handle(), &PanelMiddle);
    EXPECT_TRUE(SameColor(CaptureScreenRect(RECT{PanelMiddle.x, PanelMiddle.y, PanelMiddle.x + 1, PanelMiddle.y + 1})
                              .Pixel(0, 0),
                          ColorToRGB(F->FSkinData->ButtonFaceColor)));
    CaptureWindow(Wnd).SavePng("start-paint.png");
}

TEST_F(StartPaint, AWindowWaitingForItsStartMessageStillHasItsPaintAhead)
{
    // Taking the bar paints nothing, but what is on the screen then is not the finished
    // picture: whoever waits for the window to be painted through must keep waiting.
    TForm* Form = MenuFormWithChildren();
    Form->Show();
    SetForegroundWindow(Form->Handle());
    TWinSkinForm* F = SkinOf(Form->Handle());
    ASSERT_NE(F, nullptr);
    ASSERT_EQ(F->FSkinState, ssNew);
    EXPECT_TRUE(GetUpdateRect(Form->Handle(), nullptr, FALSE));
    AppPumpUntil([&] { return F->FSkinState == ssReady && !GetUpdateRect(Form->Handle(), nullptr, FALSE); });
    Settle();
    for (const HWND Child : {Panel->Handle(), Memo->Handle()})
        EXPECT_FALSE(GetUpdateRect(Child, nullptr, FALSE));
}

TEST_F(StartPaint, WrappingAShownMemoDrawsNothingOnItUntilItIsPainted)
{
    TFlatSkin Skin;
    Skin.WithControls({feScrollbar, feHorzScroll, feVertScroll, feHorzScrollThumb, feVertScrollThumb});
    TSkinData& Data = LoadSkin(Skin);
    TForm* Form = MakeForm();
    Form->SetTag(99);  // never skinned: the kind is put on by hand
    Memo = new TMemo(Form);
    Memo->SetParent(Form);
    Memo->SetBounds(10, 10, 150, 160);
    Memo->SetScrollBars(ssVertical);
    Form->Show();
    AppPumpFor(150);
    const HWND Wnd = Memo->Handle();
    // A mark on the system's bar, low on its track.
    RECT Window{};
    GetWindowRect(Wnd, &Window);
    const int BarX = Width(Window) - 2 - GetSystemMetrics(SM_CXVSCROLL) / 2, BarY = Height(Window) * 3 / 4;
    const COLORREF Mark = RGB(255, 0, 255);
    {
        const TWindowDC DC(Wnd, TWindowDC::daWindow);
        const RECT Spot{BarX - 2, BarY - 2, BarX + 3, BarY + 3};
        const TBrushHandle Brush(CreateSolidBrush(Mark));
        FillRect(DC.Handle(), &Spot, Brush.Get());
    }
    auto BarPixel = [&] {
        return CaptureScreenRect(RECT{Window.left + BarX, Window.top + BarY, Window.left + BarX + 1, Window.top + BarY + 1})
            .Pixel(0, 0);
    };
    AppPumpFor(50);  // the screen shows what was drawn once the window's picture is flushed
    ASSERT_TRUE(SameColor(BarPixel(), Mark));
    const auto Kind = std::make_unique<TSkinScrollBar>(nullptr);
    Kind->InstallScrollBars(Memo, &Data, true, nullptr);
    AppPumpFor(50);
    EXPECT_TRUE(SameColor(BarPixel(), Mark));

    RedrawWindow(Wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    AppPumpFor(50);
    EXPECT_TRUE(SameColor(BarPixel(), FlatColour(feVertScroll, 1)));
    CaptureWindow(Wnd).SavePng("start-paint-memo.png");
}

}  // namespace
