// Scroll bars painted by their kinds on skinned forms with a flat-colour skin, driven by real
// mouse input: the built-in bars of list boxes, memos, tree views and list views, and the
// stand-alone scroll bar. Where the system puts each bar comes from the system itself
// (GetScrollBarInfo); the pixels there tell which skin element and frame was drawn.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "framework/design/DesignReader.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/ListView.h"
#include "framework/ui/Memo.h"
#include "framework/ui/Panel.h"
#include "framework/ui/ScrollBar.h"
#include "framework/ui/TreeView.h"
#include "skin/controls/Bars.h"
#include "skin/controls/ScrollBars.h"
#include "tests/controls/Input.h"
#include "tests/skinform/GdiCount.h"
#include "tests/skinform/SkinnedWindow.h"
#include "tests/support/Capture.h"

namespace {

TFlatSkin ScrollSkin()
{
    TFlatSkin S;
    S.WithControls({feScrollbar, feHorzScroll, feVertScroll, feHorzScrollThumb, feVertScrollThumb});
    return S;
}

COLORREF KeyColour(const std::string& Key)
{
    for (int I = 0; I < 16; ++I)
        if (Key == FlatColourKeys[I])
            return FlatKeyColour(I);
    throw std::invalid_argument(Key);
}

// The frame of Element whose flat colour is at (X, Y) of Shot; 0 if none.
int FrameAt(const TCapture& Shot, int Element, int X, int Y)
{
    const COLORREF P = Shot.Pixel(X, Y);
    for (int F = 1; F <= FlatMaxControlFrames; ++F)
        if (SameColor(P, FlatColour(Element, F), 4))
            return F;
    return 0;
}

// Pixels of Shot that have the colour of any control element.
int SkinPixels(const TCapture& Shot)
{
    int N = 0;
    for (int Y = 0; Y < Shot.Height; ++Y)
        for (int X = 0; X < Shot.Width; ++X) {
            const COLORREF P = Shot.Pixel(X, Y);
            for (int E = feScrollbar; E <= feVertScrollThumb; ++E)
                if (GetBValue(P) == 160 && GetRValue(P) == 6 + 11 * (E - feScrollbar) && GetGValue(P) % 10 == 0) {
                    ++N;
                    break;
                }
        }
    return N;
}

// A bar as the system places it, in window coordinates: the bar, and the thumb's start and
// end along it (from the bar's start).
struct TBarPlace {
    RECT Bar{};
    int ThumbTop = 0;
    int ThumbBottom = 0;
    bool Visible = false;
};

TBarPlace PlaceOf(HWND Wnd, LONG Object)
{
    SCROLLBARINFO Info{};
    Info.cbSize = sizeof Info;
    TBarPlace P;
    if (!GetScrollBarInfo(Wnd, Object, &Info))
        return P;
    const RECT W = WindowRect(Wnd);
    P.Bar = Info.rcScrollBar;
    OffsetRect(&P.Bar, -W.left, -W.top);
    P.ThumbTop = Info.xyThumbTop;
    P.ThumbBottom = Info.xyThumbBottom;
    P.Visible = !(Info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN));
    return P;
}

// Window point of a bar, Along pixels from its start, in the middle of its thickness.
POINT OnBar(const TBarPlace& P, bool Vertical, int Along)
{
    return Vertical ? POINT{(P.Bar.left + P.Bar.right) / 2, P.Bar.top + Along}
                    : POINT{P.Bar.left + Along, (P.Bar.top + P.Bar.bottom) / 2};
}

int Thickness(const TBarPlace& P, bool Vertical)
{
    return Vertical ? Width(P.Bar) : Height(P.Bar);
}

int Length(const TBarPlace& P, bool Vertical)
{
    return Vertical ? Height(P.Bar) : Width(P.Bar);
}

POINT ToScreen(HWND Wnd, POINT WindowPoint)
{
    const RECT W = WindowRect(Wnd);
    return POINT{W.left + WindowPoint.x, W.top + WindowPoint.y};
}

// Frames of the arrows, track and thumb of a bar drawn by the kind.
struct TBarFrames {
    int First = 0;
    int Second = 0;
    int Track = 0;
    int Thumb = 0;
};

TBarFrames FramesOf(const TCapture& Shot, const TBarPlace& P, bool Vertical)
{
    const int S = Thickness(P, Vertical);
    const int L = Length(P, Vertical);
    const auto At = [&](int Element, int Along) {
        const POINT Pt = OnBar(P, Vertical, Along);
        return FrameAt(Shot, Element, Pt.x, Pt.y);
    };
    TBarFrames F;
    F.First = At(feScrollbar, S / 2);
    F.Second = At(feScrollbar, L - S / 2 - 1);
    // The track just before the second arrow, unless the thumb is there.
    F.Track = At(Vertical ? feVertScroll : feHorzScroll, P.ThumbBottom < L - S - 2 ? L - S - 2 : S + 1);
    F.Thumb = At(Vertical ? feVertScrollThumb : feHorzScrollThumb, (P.ThumbTop + P.ThumbBottom) / 2);
    return F;
}

void MouseTo(POINT Screen)
{
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Screen);
}

const POINT Away{1000, 740};

SCROLLINFO ScrollInfoOf(HWND Wnd, int Bar)
{
    SCROLLINFO Info{};
    Info.cbSize = sizeof Info;
    Info.fMask = SIF_ALL;
    GetScrollInfo(Wnd, Bar, &Info);
    return Info;
}

SCROLLINFO Range(int Min, int Max, UINT Page, int Pos)
{
    SCROLLINFO Info{};
    Info.cbSize = sizeof Info;
    Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    Info.nMin = Min;
    Info.nMax = Max;
    Info.nPage = Page;
    Info.nPos = Pos;
    return Info;
}

double ThreadSeconds()
{
    FILETIME Create, Exit, Kernel, User;
    GetThreadTimes(GetCurrentThread(), &Create, &Exit, &Kernel, &User);
    const auto Value = [](FILETIME T) { return (ULONGLONG(T.dwHighDateTime) << 32 | T.dwLowDateTime) / 1e7; };
    return Value(Kernel) + Value(User);
}

// Scroll messages reaching a control's previous handler, recorded in front of it.
struct TScrollLog {
    TWndMethod Old;
    std::vector<WPARAM> Vertical;
    std::vector<LONG_PTR> NCPaintStyles;  // the window's style as the system paints the frame

    HWND Wnd = nullptr;

    void Attach(TWinControl* Control)
    {
        Old = Control->WindowProc;
        Control->WindowProc = TWndMethod(this, &TScrollLog::WndProc);
        Wnd = Control->Handle();
    }
    void WndProc(TMessage& Message)
    {
        if (Message.Msg == WM_VSCROLL)
            Vertical.push_back(Message.WParam);
        if (Message.Msg == WM_NCPAINT)
            NCPaintStyles.push_back(GetWindowLongPtrA(Wnd, GWL_STYLE));
        Old(Message);
    }
    int Count(WORD Code) const
    {
        return int(std::count_if(Vertical.begin(), Vertical.end(), [Code](WPARAM W) { return LOWORD(W) == Code; }));
    }
};

// A plain window of another thread, as another program's window would be.
class TForeignWindow {
public:
    explicit TForeignWindow(RECT At)
    {
        FThread = std::thread([this, At] {
            FWnd = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "elsewhere", WS_POPUP | WS_VISIBLE | WS_BORDER, At.left,
                                   At.top, At.right - At.left, At.bottom - At.top, nullptr, nullptr, nullptr, nullptr);
            FThreadId = GetCurrentThreadId();
            MSG Msg;
            while (GetMessageA(&Msg, nullptr, 0, 0) > 0)
                DispatchMessageA(&Msg);
            DestroyWindow(FWnd);
        });
        while (!FThreadId)
            Sleep(10);
    }
    ~TForeignWindow()
    {
        PostThreadMessageA(FThreadId, WM_QUIT, 0, 0);
        FThread.join();
    }
    POINT Centre() const
    {
        const RECT R = WindowRect(FWnd);
        return POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
    }

private:
    std::thread FThread;
    HWND FWnd = nullptr;
    volatile DWORD FThreadId = 0;
};

class ScrollBars : public SkinnedWindow {
public:
    void Changed(TObject*) { ++Changes; }

protected:
    void SetUp() override { MoveMouseTo(Away); }

    // A skinned form whose controls the tests wrap themselves.
    TForm* SkinnedForm(TSkinData& Data, int W = 600, int H = 400)
    {
        Data.SetSkinControls({});
        Form = MakeForm({bsSizeable, {biSystemMenu}, W, H, "Scroll bars", 60, 60});
        return Form;
    }
    TSkinData& LoadPacked(const std::string& Packed)
    {
        Roots.push_back(std::make_unique<TSkinRoot>(nullptr));
        ReadComponentText(SkinDesign(Packed, true), Roots.back().get(), "test");
        return *dynamic_cast<TSkinData*>(Roots.back()->FindComponent("SkinData1"));
    }
    void Show()
    {
        Skinned = ShowSkinned(Form);
        ASSERT_NE(Skinned, nullptr);
    }
    template<class C>
    C* Add(int X, int Y, int W, int H)
    {
        auto* Control = new C(Form);
        Control->SetParent(Form);
        Control->SetBounds(X, Y, W, H);
        return Control;
    }
    TSkinScrollBar* WrapBars(TWinControl* Control, bool TrackThumb = true)
    {
        auto* Kind = new TSkinScrollBar(Skinned);
        Kind->InstallScrollBars(Control, Skinned->FSkinData, TrackThumb, &Skinned->FControlCanvas);
        Repaint(Control->Handle());
        return Kind;
    }
    static void Repaint(HWND Wnd)
    {
        RedrawWindow(Wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        AppPumpFor(50);
    }
    TMemo* LongMemo(int X, int Y, int W, int H, int Lines)
    {
        auto* Memo = Add<TMemo>(X, Y, W, H);
        Memo->SetScrollBars(ssVertical);
        std::string Text;
        for (int I = 0; I < Lines; ++I)
            Text += "line " + std::to_string(I) + "\r\n";
        Memo->Lines()->SetText(Text);
        return Memo;
    }
    TListBox* WideList(int X, int Y, int W, int H)
    {
        auto* List = Add<TListBox>(X, Y, W, H);
        for (int I = 0; I < 60; ++I)
            List->Items()->Add("item " + std::to_string(I));
        List->SetScrollWidth(3 * W);
        return List;
    }
    // Presses the left button at Screen, runs Steps Interval ms apart while it is down (the
    // last one lets go), and handles messages until they are done.
    static void HoldAt(POINT Screen, std::vector<std::function<void()>> Steps, UINT Interval = 150)
    {
        MoveMouseTo(Screen);
        const size_t Count = Steps.size();
        size_t Done = 0;
        for (auto& Step : Steps)
            Step = [Step, &Done] { Step(); ++Done; };
        RunDuringMenus(std::move(Steps), Interval);
        MouseButton(true, 0);
        AppPumpUntil([&] { return Done == Count; }, DWORD(Interval * (Count + 10)));
        AppPumpFor(150);
    }

    TForm* Form = nullptr;
    TWinSkinForm* Skinned = nullptr;
    // Outlives the forms, which TearDown frees.
    TScrollLog Log;
    int Changes = 0;
};

TEST_F(ScrollBars, ListBoxMemoTreeAndListViewWearTheSkin)
{
    SkinnedForm(LoadSkin(ScrollSkin()), 640, 420);
    TListBox* List = WideList(10, 10, 180, 180);
    TMemo* Memo = LongMemo(200, 10, 180, 180, 80);
    auto* Tree = Add<TTreeView>(390, 10, 180, 180);
    for (int I = 0; I < 40; ++I)
        Tree->Items()->Add(nullptr, "node " + std::to_string(I));
    auto* View = Add<TListView>(10, 200, 300, 150);
    View->AddColumn("Name", 200);
    View->AddColumn("Colour", 200);
    for (int I = 0; I < 30; ++I)
        View->AddItem("row " + std::to_string(I), {"red"});
    Show();
    WrapBars(List);
    WrapBars(Memo);
    WrapBars(Tree);
    auto* ViewKind = new TSkinListView(Skinned);
    ViewKind->InstallControl(View, Skinned->FSkinData, false, &Skinned->FControlCanvas);
    Repaint(View->Handle());
    CaptureWindow(Skinned->FHandle).SavePng("scroll_controls.png");

    for (TWinControl* C : std::initializer_list<TWinControl*>{List, Memo, Tree, View}) {
        const HWND Wnd = C->Handle();
        const TCapture Shot = CaptureWindow(Wnd);
        const TBarPlace V = PlaceOf(Wnd, OBJID_VSCROLL);
        ASSERT_TRUE(V.Visible) << C->ClassName();
        const TBarFrames F = FramesOf(Shot, V, true);
        EXPECT_EQ(F.First, 9) << C->ClassName();
        EXPECT_EQ(F.Second, 13) << C->ClassName();
        EXPECT_EQ(F.Track, 1) << C->ClassName();
        EXPECT_EQ(F.Thumb, 1) << C->ClassName();
    }
    // Both bars of the list box and the list view: the horizontal one, and the corner in
    // the skin's face colour.
    for (TWinControl* C : std::initializer_list<TWinControl*>{List, View}) {
        const HWND Wnd = C->Handle();
        const TCapture Shot = CaptureWindow(Wnd);
        const TBarPlace H = PlaceOf(Wnd, OBJID_HSCROLL);
        const TBarPlace V = PlaceOf(Wnd, OBJID_VSCROLL);
        ASSERT_TRUE(H.Visible) << C->ClassName();
        const TBarFrames F = FramesOf(Shot, H, false);
        EXPECT_EQ(F.First, 1) << C->ClassName();
        EXPECT_EQ(F.Second, 5) << C->ClassName();
        EXPECT_EQ(F.Track, 1) << C->ClassName();
        EXPECT_EQ(F.Thumb, 1) << C->ClassName();
        EXPECT_TRUE(SameColor(Shot.Pixel(V.Bar.left + 3, H.Bar.top + 3), KeyColour("ButtonFace"), 4))
            << C->ClassName();
    }
    // The list view's header is wrapped too, by a kind of the same form skin object.
    ASSERT_NE(ViewKind->FHeader, nullptr);
    EXPECT_EQ(ViewKind->FHeader->FHandle, View->HeaderHandle());
    EXPECT_NE(std::find(Skinned->FControls.begin(), Skinned->FControls.end(), ViewKind->FHeader),
              Skinned->FControls.end());
}

TEST_F(ScrollBars, ArrowsShowPressedWhileTheyScrollAndPageClicksPressNothing)
{
    SkinnedForm(LoadSkin(ScrollSkin()));
    TListBox* List = WideList(20, 20, 200, 200);
    Show();
    TSkinScrollBar* Kind = WrapBars(List);
    const HWND Wnd = List->Handle();
    const TBarPlace V = PlaceOf(Wnd, OBJID_VSCROLL);
    const int S = Thickness(V, true);

    // Held on the down arrow: the list scrolls on and on, the arrow shows pressed.
    TBarFrames Held;
    int TopWhileHeld = 0;
    HoldAt(ToScreen(Wnd, OnBar(V, true, Length(V, true) - S / 2)),
           {[] {}, [] {}, [] {}, [] {}, [&] {
                const TCapture Shot = CaptureWindow(Wnd);
                Shot.SavePng("scroll_arrow_held.png");
                Held = FramesOf(Shot, PlaceOf(Wnd, OBJID_VSCROLL), true);
                TopWhileHeld = List->TopIndex();
            },
            [] { MouseButton(false, 0); }});
    EXPECT_EQ(Held.Second, 14);
    EXPECT_EQ(Held.First, 9);
    EXPECT_GT(TopWhileHeld, 2);   // repeated, not one step
    EXPECT_EQ(Kind->FPressedPart, ppNone);
    TBarFrames After = FramesOf(CaptureWindow(Wnd), PlaceOf(Wnd, OBJID_VSCROLL), true);
    EXPECT_EQ(After.Second, 13);
    EXPECT_EQ(After.Thumb, 1);

    // A click on the track below the thumb pages down, and presses no arrow.
    const int Top = List->TopIndex();
    const TBarPlace Now = PlaceOf(Wnd, OBJID_VSCROLL);
    ClickAt(ToScreen(Wnd, OnBar(Now, true, (Now.ThumbBottom + Length(Now, true) - S) / 2)));
    AppPumpFor(100);
    EXPECT_GT(List->TopIndex(), Top + 3);
    After = FramesOf(CaptureWindow(Wnd), PlaceOf(Wnd, OBJID_VSCROLL), true);
    EXPECT_EQ(After.First, 9);
    EXPECT_EQ(After.Second, 13);
    EXPECT_EQ(After.Thumb, 1);

    // Moved by the program and by a key: no scroll message, the skin's bar all the same.
    List->SetTopIndex(30);
    AppPumpFor(50);
    EXPECT_EQ(FramesOf(CaptureWindow(Wnd), PlaceOf(Wnd, OBJID_VSCROLL), true).Thumb, 1);
    List->SetFocus();
    PressKey(VK_END);
    After = FramesOf(CaptureWindow(Wnd), PlaceOf(Wnd, OBJID_VSCROLL), true);
    EXPECT_EQ(After.Thumb, 1);
    EXPECT_EQ(After.Second, 13);

    // The left arrow of the horizontal bar, held.
    List->Perform(WM_HSCROLL, SB_PAGEDOWN, 0);
    const TBarPlace H = PlaceOf(Wnd, OBJID_HSCROLL);
    int LeftFrame = 0;
    HoldAt(ToScreen(Wnd, OnBar(H, false, S / 2)),
           {[] {}, [&] { LeftFrame = FramesOf(CaptureWindow(Wnd), PlaceOf(Wnd, OBJID_HSCROLL), false).First; },
            [] { MouseButton(false, 0); }});
    EXPECT_EQ(LeftFrame, 2);
    EXPECT_EQ(FramesOf(CaptureWindow(Wnd), PlaceOf(Wnd, OBJID_HSCROLL), false).First, 1);
}

TEST_F(ScrollBars, ThumbDraggedPastTheEndStopsAtTheLastPage)
{
    SkinnedForm(LoadSkin(ScrollSkin()));
    TMemo* Memo = LongMemo(20, 20, 220, 200, 100);
    Show();
    Log.Attach(Memo);
    TSkinScrollBar* Kind = WrapBars(Memo);
    const HWND Wnd = Memo->Handle();
    const TBarPlace V = PlaceOf(Wnd, OBJID_VSCROLL);
    const POINT Thumb = ToScreen(Wnd, OnBar(V, true, (V.ThumbTop + V.ThumbBottom) / 2));

    int ThumbWhileDragging = 0;
    bool Dragging = false;
    HoldAt(Thumb,
           {[&] { MouseTo(POINT{Thumb.x, Thumb.y + 30}); },
            [&] {
                ThumbWhileDragging = FramesOf(CaptureWindow(Wnd), PlaceOf(Wnd, OBJID_VSCROLL), true).Thumb;
                Dragging = Kind->FDragging;
            },
            [&] { MouseTo(POINT{Thumb.x, Thumb.y + 600}); }, [&] { MouseTo(POINT{Thumb.x + 5, Thumb.y + 620}); },
            [] { MouseButton(false, 0); }});
    EXPECT_TRUE(Dragging);
    EXPECT_FALSE(Kind->FDragging);

    const SCROLLINFO Info = ScrollInfoOf(Wnd, SB_VERT);
    const int Last = Info.nMax - int(Info.nPage) + 1;
    EXPECT_EQ(Info.nPos, Last);
    EXPECT_EQ(SendMessageA(Wnd, EM_GETFIRSTVISIBLELINE, 0, 0), Last);

    // Tracks only for new positions; then one position and one end, in that order.
    ASSERT_GE(Log.Vertical.size(), 4u);
    for (size_t I = 1; I + 2 < Log.Vertical.size(); ++I)
        EXPECT_NE(HIWORD(Log.Vertical[I]), HIWORD(Log.Vertical[I - 1]));
    EXPECT_EQ(Log.Count(SB_THUMBPOSITION), 1);
    EXPECT_EQ(Log.Count(SB_ENDSCROLL), 1);
    EXPECT_EQ(Log.Count(SB_THUMBTRACK), int(Log.Vertical.size()) - 2);
    const WPARAM Position = Log.Vertical[Log.Vertical.size() - 2];
    EXPECT_EQ(LOWORD(Position), SB_THUMBPOSITION);
    EXPECT_EQ(HIWORD(Position), Last);
    EXPECT_EQ(LOWORD(Log.Vertical.back()), SB_ENDSCROLL);

    // Pressed while dragged; afterwards at the end of the track, normal again.
    EXPECT_EQ(ThumbWhileDragging, 2);
    const TBarPlace End = PlaceOf(Wnd, OBJID_VSCROLL);
    const TCapture Shot = CaptureWindow(Wnd);
    Shot.SavePng("scroll_thumb_at_end.png");
    const int S = Thickness(End, true);
    const POINT BeforeArrow = OnBar(End, true, Length(End, true) - S - 2);
    EXPECT_EQ(FrameAt(Shot, feVertScrollThumb, BeforeArrow.x, BeforeArrow.y), 1);
    EXPECT_EQ(FramesOf(Shot, End, true).Second, 13);
}

TEST_F(ScrollBars, AHeldDragIdlesAndEndsOnReleaseElsewhereEscapeLostCaptureOrQuit)
{
    SkinnedForm(LoadSkin(ScrollSkin()));
    TMemo* Memo = LongMemo(20, 20, 220, 200, 100);
    Show();
    Log.Attach(Memo);
    TSkinScrollBar* Kind = WrapBars(Memo);
    const HWND Wnd = Memo->Handle();
    const auto ThumbCentre = [&] {
        const TBarPlace V = PlaceOf(Wnd, OBJID_VSCROLL);
        return ToScreen(Wnd, OnBar(V, true, (V.ThumbTop + V.ThumbBottom) / 2));
    };
    const TForeignWindow Elsewhere(RECT{700, 100, 900, 300});

    // Two seconds held still, then released over another thread's window.
    double Start = 0, Used = 0;
    bool Dragging = false;
    std::vector<std::function<void()>> Steps{[&] { Start = ThreadSeconds(); }};
    for (int I = 0; I < 8; ++I)
        Steps.push_back([] {});
    Steps.push_back([&] {
        Used = ThreadSeconds() - Start;
        Dragging = Kind->FDragging;
        MouseTo(Elsewhere.Centre());
    });
    Steps.push_back([] { MouseButton(false, 0); });
    HoldAt(ThumbCentre(), Steps, 250);
    EXPECT_TRUE(Dragging);
    EXPECT_LT(Used, 0.4) << "CPU seconds used while the thumb was held for two";
    EXPECT_FALSE(Kind->FDragging);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Log.Count(SB_ENDSCROLL), 1);

    // Escape, and a capture taken away, end the drag too.
    const auto EndedBy = [&](std::function<void()> End) {
        Log.Vertical.clear();
        bool Was = false, Is = true;
        HoldAt(ThumbCentre(), {[&] { Was = Kind->FDragging; End(); }, [&] { Is = Kind->FDragging; },
                               [] { MouseButton(false, 0); }});
        return Was && !Is && Log.Count(SB_THUMBPOSITION) == 1 && Log.Count(SB_ENDSCROLL) == 1;
    };
    EXPECT_TRUE(EndedBy([] { QueueKey(VK_ESCAPE); }));
    EXPECT_TRUE(EndedBy([] { ReleaseCapture(); }));

    // A quit arriving during the drag ends it and is left for the outer loop.
    MoveMouseTo(ThumbCentre());
    RunDuringMenus({[] { PostQuitMessage(7); }}, 150);
    MouseButton(true, 0);
    WPARAM Quit = 0;
    bool GotQuit = false;
    const DWORD Until = GetTickCount() + 3000;
    while (!GotQuit && GetTickCount() < Until) {
        MSG Msg;
        if (!PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            continue;
        }
        if (Msg.message == WM_QUIT) {
            GotQuit = true;
            Quit = Msg.wParam;
            break;
        }
        TranslateMessage(&Msg);
        DispatchMessageA(&Msg);
    }
    MouseButton(false, 0);
    AppPumpFor(100);
    EXPECT_TRUE(GotQuit);
    EXPECT_EQ(Quit, 7u);
    EXPECT_FALSE(Kind->FDragging);
}

TEST_F(ScrollBars, FullPageShortBarAndBarsOnTheLeft)
{
    SkinnedForm(LoadSkin(ScrollSkin()));
    // Panels whose bars the tests set up by hand, once the form is up.
    TPanel* Full = Add<TPanel>(20, 20, 120, 200);
    TPanel* Short = Add<TPanel>(160, 20, 120, 20);
    TPanel* Left = Add<TPanel>(300, 20, 200, 200);
    Show();
    const auto WithBars = [](TPanel* P, DWORD Bars, DWORD ExStyle) {
        const HWND Wnd = P->Handle();
        SetWindowLongPtrA(Wnd, GWL_STYLE, GetWindowLongPtrA(Wnd, GWL_STYLE) | LONG_PTR(Bars));
        SetWindowLongPtrA(Wnd, GWL_EXSTYLE, GetWindowLongPtrA(Wnd, GWL_EXSTYLE) | LONG_PTR(ExStyle));
        SetWindowPos(Wnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    };
    WithBars(Full, WS_VSCROLL, 0);
    WithBars(Short, WS_VSCROLL, 0);
    WithBars(Left, WS_VSCROLL | WS_HSCROLL, WS_EX_LEFTSCROLLBAR);
    SCROLLINFO Page = Range(0, 50, 50, 0);
    SetScrollInfo(Full->Handle(), SB_VERT, &Page, TRUE);
    SCROLLINFO Some = Range(0, 100, 20, 30);
    for (int Bar : {SB_VERT, SB_HORZ})
        SetScrollInfo(Left->Handle(), Bar, &Some, TRUE);
    SetScrollInfo(Short->Handle(), SB_VERT, &Some, TRUE);
    for (TPanel* P : {Full, Short, Left})
        WrapBars(P);
    CaptureWindow(Skinned->FHandle).SavePng("scroll_geometry.png");

    // A page as long as the range: the thumb fills the track less its last pixel.
    {
        const HWND Wnd = Full->Handle();
        const TCapture Shot = CaptureWindow(Wnd);
        const TBarPlace V = PlaceOf(Wnd, OBJID_VSCROLL);
        const int S = Thickness(V, true), L = Length(V, true);
        const auto At = [&](int Element, int Along) {
            const POINT P = OnBar(V, true, Along);
            return FrameAt(Shot, Element, P.x, P.y);
        };
        EXPECT_EQ(At(feVertScrollThumb, S), 1);
        EXPECT_EQ(At(feVertScrollThumb, L - S - 2), 1);
        EXPECT_EQ(At(feVertScrollThumb, L - S - 1), 0);
        EXPECT_EQ(At(feVertScroll, L - S - 1), 1);
    }
    // Shorter than two arrows: each arrow takes half, and there is no thumb.
    {
        const HWND Wnd = Short->Handle();
        const TCapture Shot = CaptureWindow(Wnd);
        const TBarPlace V = PlaceOf(Wnd, OBJID_VSCROLL);
        const int L = Length(V, true);
        ASSERT_LT(L, 2 * Thickness(V, true));
        const POINT Up = OnBar(V, true, L / 4), Down = OnBar(V, true, L - L / 4 - 1);
        EXPECT_EQ(FrameAt(Shot, feScrollbar, Up.x, Up.y), 9);
        EXPECT_EQ(FrameAt(Shot, feScrollbar, Down.x, Down.y), 13);
        EXPECT_EQ(SkinPixels(Shot) > 0, true);
        for (int Along = 0; Along < L; ++Along) {
            const POINT P = OnBar(V, true, Along);
            EXPECT_EQ(FrameAt(Shot, feVertScrollThumb, P.x, P.y), 0) << Along;
        }
    }
    // Vertical bar on the left: the corner at the bottom left, the horizontal bar after it.
    {
        const HWND Wnd = Left->Handle();
        const TCapture Shot = CaptureWindow(Wnd);
        const TBarPlace V = PlaceOf(Wnd, OBJID_VSCROLL);
        const TBarPlace H = PlaceOf(Wnd, OBJID_HSCROLL);
        ASSERT_LT(V.Bar.left, H.Bar.left);
        EXPECT_EQ(FramesOf(Shot, V, true).First, 9);
        EXPECT_EQ(FramesOf(Shot, V, true).Thumb, 1);
        EXPECT_EQ(FramesOf(Shot, H, false).First, 1);
        EXPECT_EQ(FramesOf(Shot, H, false).Second, 5);
        EXPECT_EQ(FramesOf(Shot, H, false).Thumb, 1);
        EXPECT_TRUE(SameColor(Shot.Pixel(V.Bar.left + 3, H.Bar.top + 3), KeyColour("ButtonFace"), 4));
    }
}

TEST_F(ScrollBars, StandAloneBarScrollsAndShowsItsParts)
{
    SkinnedForm(LoadSkin(ScrollSkin()));
    auto* Bar = Add<TScrollBar>(40, 20, 20, 250);
    Bar->SetKind(sbVertical);
    Bar->SetBounds(40, 20, 20, 250);
    Bar->SetParams(0, 0, 99);
    Bar->SetPageSize(10);
    Bar->SetSmallChange(3);
    Bar->OnChange = TNotifyEvent(this, &ScrollBars::Changed);
    Show();
    auto* Kind = new TSkinScControl(Skinned);
    Kind->InstallControl(Bar, Skinned->FSkinData, false, &Skinned->FControlCanvas);
    Repaint(Bar->Handle());
    const HWND Wnd = Bar->Handle();
    TBarPlace Whole;
    Whole.Bar = RECT{0, 0, Bar->Width(), Bar->Height()};
    const auto Frames = [&] {
        SCROLLBARINFO Info{};
        Info.cbSize = sizeof Info;
        GetScrollBarInfo(Wnd, OBJID_CLIENT, &Info);
        Whole.ThumbTop = Info.xyThumbTop;
        Whole.ThumbBottom = Info.xyThumbBottom;
        return FramesOf(CaptureWindow(Wnd), Whole, true);
    };
    CaptureWindow(Wnd).SavePng("scroll_standalone.png");
    TBarFrames F = Frames();
    EXPECT_EQ(F.First, 9);
    EXPECT_EQ(F.Second, 13);
    EXPECT_EQ(F.Track, 1);
    EXPECT_EQ(F.Thumb, 1);

    int Held = 0;
    HoldAt(ToScreen(Wnd, OnBar(Whole, true, Bar->Height() - 5)),
           {[&] { Held = Frames().Second; }, [] { MouseButton(false, 0); }});
    EXPECT_EQ(Held, 14);
    EXPECT_GE(Bar->Position(), 3);
    EXPECT_EQ(Bar->Position() % 3, 0);
    EXPECT_GE(Changes, 1);
    EXPECT_EQ(Kind->FPressedPart, ppNone);
    // A focused bar control blinks its thumb in the system's colours; without the focus the
    // face is the skin's again.
    SetFocus(Skinned->FHandle);
    AppPumpFor(100);
    CaptureWindow(Wnd).SavePng("scroll_standalone_after.png");
    F = Frames();
    EXPECT_EQ(F.Second, 13);
    EXPECT_EQ(F.Thumb, 1);
}

TEST_F(ScrollBars, ASkinWithoutArrowsLeavesTheSystemsBars)
{
    TFlatSkin Skin;
    Skin.WithControls({feHorzScroll, feVertScroll, feHorzScrollThumb, feVertScrollThumb});
    SkinnedForm(LoadSkin(Skin));
    TListBox* List = WideList(20, 20, 200, 200);
    auto* Bar = Add<TScrollBar>(240, 20, 200, 20);
    Show();
    WrapBars(List);
    auto* Kind = new TSkinScControl(Skinned);
    Kind->InstallControl(Bar, Skinned->FSkinData, false, &Skinned->FControlCanvas);
    Repaint(Bar->Handle());
    List->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
    const TCapture Shot = CaptureWindow(Skinned->FHandle);
    Shot.SavePng("scroll_no_arrows.png");
    EXPECT_EQ(SkinPixels(Shot), 0);
}

// The system paints the frame under the kind, but not bars that the kind paints over at
// once; without the skin's arrows the bars stay the system's. The style comes back whole.
TEST_F(ScrollBars, TheSystemPaintsTheFrameButNotTheBarsTheKindPaints)
{
    const TFlatSkin Arrows = ScrollSkin();
    TFlatSkin Plain;
    Plain.WithControls({feHorzScroll, feVertScroll});
    for (const TFlatSkin* Skin : {&Arrows, static_cast<const TFlatSkin*>(&Plain)}) {
        TSkinData& Data = LoadSkin(*Skin);
        const bool KindPaintsBars = Data.Scrollbar != nullptr;
        SkinnedForm(Data);
        TMemo* Memo = LongMemo(20, 20, 200, 200, 80);
        Show();
        Log.NCPaintStyles.clear();
        Log.Attach(Memo);
        WrapBars(Memo);
        ASSERT_FALSE(Log.NCPaintStyles.empty());
        for (const LONG_PTR Style : Log.NCPaintStyles)
            EXPECT_EQ((Style & WS_VSCROLL) != 0, !KindPaintsBars);
        EXPECT_TRUE(GetWindowLongPtrA(Memo->Handle(), GWL_STYLE) & WS_VSCROLL);
        SCROLLINFO Info{};
        Info.cbSize = sizeof Info;
        Info.fMask = SIF_ALL;
        EXPECT_TRUE(GetScrollInfo(Memo->Handle(), SB_VERT, &Info));
        EXPECT_GT(Info.nMax, 0);
        SkinnedWindow::TearDown();
    }
}

TEST_F(ScrollBars, HostileSkinsNeitherCrashNorHangNorLeak)
{
    int AfterFirstSkin = 0;
    for (const auto& [Name, Bytes] : HostileControlSkins()) {
        SCOPED_TRACE(Name);
        // Names the skin in the log, should one take the process down.
        std::fprintf(stderr, "hostile skin %s\n", Name.c_str());
        const DWORD Start = GetTickCount();
        SkinnedForm(LoadPacked(Bytes));
        TListBox* List = WideList(20, 20, 150, 150);
        TMemo* Memo = LongMemo(180, 20, 150, 26, 50);
        auto* Bar = Add<TScrollBar>(20, 200, 300, 12);
        auto* Tiny = Add<TListBox>(350, 20, 20, 20);
        Tiny->Items()->Add("a");
        Show();
        for (TWinControl* C : std::initializer_list<TWinControl*>{List, Memo, Tiny})
            WrapBars(C);
        auto* Kind = new TSkinScControl(Skinned);
        Kind->InstallControl(Bar, Skinned->FSkinData, false, &Skinned->FControlCanvas);
        const HWND Wnd = List->Handle();
        const auto Torment = [&] {
            RedrawWindow(Skinned->FHandle, nullptr, nullptr,
                         RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            List->SetTopIndex(0);
            const TBarPlace V = PlaceOf(Wnd, OBJID_VSCROLL);
            const POINT Thumb = ToScreen(Wnd, OnBar(V, true, (V.ThumbTop + V.ThumbBottom) / 2));
            HoldAt(Thumb, {[&] { MouseTo(POINT{Thumb.x, Thumb.y + 40}); }, [] { MouseButton(false, 0); }}, 80);
            Memo->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
            Bar->SetPosition(Bar->Position() == 50 ? 10 : 50);
            MoveMouseTo(Away, 30);
        };
        Torment();
        const int Before = LiveGdiObjects();
        Torment();
        // A leak per paint would show dozens; the first skin's repaints still fill caches.
        EXPECT_LE(LiveGdiObjects() - Before, 8);
        EXPECT_FALSE(Kind->FPressedPart);
        EXPECT_LT(GetTickCount() - Start, 15000u);
        CaptureWindow(Skinned->FHandle).SavePng("scroll_hostile-" + Name + ".png");
        SkinnedWindow::TearDown();
        if (!AfterFirstSkin)
            AfterFirstSkin = LiveGdiObjects();
    }
    // A few objects left behind per skin add up over the skins.
    EXPECT_LE(LiveGdiObjects(), AfterFirstSkin + 8);
}

}  // namespace
