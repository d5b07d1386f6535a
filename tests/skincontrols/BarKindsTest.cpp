// Status bars, progress bars, track bars, headers, panels, group boxes and a dialog's size
// grip painted by their kinds on a skinned form with a flat-colour skin: pixels tell which
// element and frame was drawn where; the mouse drags thumbs, presses header sections and
// pulls the size grip for real.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

#include "framework/design/DesignReader.h"
#include "framework/ui/GroupBox.h"
#include "framework/ui/HeaderControl.h"
#include "framework/ui/Panel.h"
#include "framework/ui/ProgressBar.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/TrackBar.h"
#include "skin/controls/Bars.h"
#include "tests/controls/Input.h"
#include "tests/skinform/GdiCount.h"
#include "tests/skinform/SkinnedWindow.h"
#include "tests/support/Capture.h"

namespace {

const POINT Away{1000, 740};
const COLORREF PanelText = RGB(250, 20, 20);
const COLORREF SkinFace = FlatKeyColour(1);
const COLORREF SkinShadow = FlatKeyColour(11);

TFlatSkin BarSkin()
{
    TFlatSkin S;
    S.WithControls({feStatusBarEdges, feExtraImages, feProgress, feTrackbarThumbHorz, feTrackbarThumbVert, feHeaderbar});
    S.ExtraKeys.push_back({{"StatusBarEdges", "NormalColour2"}, "250 20 20"});
    return S;
}

// The frame (1..Frames) of Element whose flat colour the pixel has; 0 if none.
int FrameOf(COLORREF Pixel, int Element, int Frames = 5)
{
    for (int F = 1; F <= Frames; ++F)
        if (SameColor(Pixel, FlatColour(Element, F), 4))
            return F;
    return 0;
}

// Pixels of Colour in the rectangle (window coordinates) of a capture.
int CountPixels(const TCapture& Shot, COLORREF Colour, RECT R = RECT{0, 0, 10000, 10000})
{
    int N = 0;
    for (int Y = std::max(0, int(R.top)); Y < std::min(Shot.Height, int(R.bottom)); ++Y)
        for (int X = std::max(0, int(R.left)); X < std::min(Shot.Width, int(R.right)); ++X)
            N += SameColor(Shot.Pixel(X, Y), Colour, 4);
    return N;
}

// Pixels of any colour of the flat skin's control elements.
int FlatPixels(const TCapture& Shot)
{
    int N = 0;
    for (int Y = 0; Y < Shot.Height; ++Y)
        for (int X = 0; X < Shot.Width; ++X)
            for (int E = feScrollbar; E < feFlatElementEnd; ++E)
                if (FrameOf(Shot.Pixel(X, Y), E, 5)) {
                    ++N;
                    break;
                }
    return N;
}

void MouseButton(bool Down)
{
    INPUT In{};
    In.type = INPUT_MOUSE;
    In.mi.dwFlags = Down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &In, sizeof In);
    AppPumpFor(150);
}

// Press at From, move to To in two steps, release. The input comes from another thread
// while this one handles messages, since the press may start the window system's sizing
// loop, which returns only once it has seen the release.
void Pull(POINT From, POINT To)
{
    MoveMouseTo(From);
    std::atomic<bool> Done{false};
    std::thread Hand([&] {
        auto Send = [](DWORD Flags, POINT P) {
            INPUT In{};
            In.type = INPUT_MOUSE;
            In.mi.dx = LONG(MulDiv(P.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1));
            In.mi.dy = LONG(MulDiv(P.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1));
            In.mi.dwFlags = Flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
            SendInput(1, &In, sizeof In);
            Sleep(120);
        };
        Send(MOUSEEVENTF_LEFTDOWN, From);
        Send(0, POINT{(From.x + To.x) / 2, (From.y + To.y) / 2});
        Send(0, To);
        Send(MOUSEEVENTF_LEFTUP, To);
        Done = true;
    });
    AppPumpUntil([&] { return Done.load(); }, 5000);
    Hand.join();
    AppPumpFor(200);
}

RECT ThumbRect(TTrackBar* Bar)
{
    RECT R{};
    SendMessageA(Bar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&R));
    return R;
}

POINT Centre(const RECT& R)
{
    return POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
}

void AddWords(std::vector<WORD>& T, std::initializer_list<DWORD> Dwords)
{
    for (const DWORD V : Dwords) {
        T.push_back(LOWORD(V));
        T.push_back(HIWORD(V));
    }
}

INT_PTR CALLBACK GripDialogProc(HWND, UINT Msg, WPARAM, LPARAM)
{
    return Msg == WM_INITDIALOG;
}

// A sizeable dialog of the system's dialog class whose only item is a size grip in its
// bottom-right corner; the grip exists before the dialog is skinned, as in a real dialog.
// Shown and activated at X, Y.
HWND MakeGripDialog(int X, int Y)
{
    std::vector<WORD> T;
    AddWords(T, {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0});
    T.push_back(1);  // one item
    for (const WORD V : {WORD(0), WORD(0), WORD(200), WORD(100), WORD(0), WORD(0)})
        T.push_back(V);  // x, y, cx, cy; no menu; the dialog class
    for (const char C : std::string("Grip"))
        T.push_back(WORD(C));
    T.push_back(0);
    if (T.size() % 2)
        T.push_back(0);
    AddWords(T, {WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN, 0});
    for (const WORD V : {WORD(190), WORD(90), WORD(10), WORD(10), WORD(100), WORD(0xFFFF), WORD(0x0084), WORD(0), WORD(0)})
        T.push_back(V);  // x, y, cx, cy, id, the scroll-bar class, no text, no data
    const HWND Dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                                   reinterpret_cast<LPCDLGTEMPLATEA>(T.data()), nullptr,
                                                   GripDialogProc, 0);
    SetWindowPos(Dialog, nullptr, X, Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(Dialog, SW_SHOW);
    SetForegroundWindow(Dialog);
    return Dialog;
}

// The size-grip kind on the dialog's grip: the one the form skin object made, or a new one.
TSkinSizer* SizerOf(TWinSkinForm* Form, HWND Grip)
{
    for (TSkinControl* K : Form->FControls)
        if (K->FHandle == Grip)
            return dynamic_cast<TSkinSizer*>(K);
    auto* Kind = new TSkinSizer(Form);
    Kind->InstallWindow(Grip, Form->FSkinData, &Form->FControlCanvas);
    Form->AddControl(Kind);
    return Kind;
}

class BarKinds : public SkinnedWindow {
protected:
    void SetUp() override { MoveMouseTo(Away); }

    // A skinned form, then the controls, each wrapped in its kind (made after the form was
    // skinned, so that only these kinds wrap them).
    void MakeBars()
    {
        TForm* Form = MakeForm({bsSizeable, {biSystemMenu}, 460, 300, "Bars", 100, 80});
        Skinned = ShowSkinned(Form);
        ASSERT_NE(Skinned, nullptr);
        Header = Add<THeaderControl>(Form, 0, 0, 460, 20);
        Header->AddSection("菜名", 100);
        Header->AddSection("", 80);
        Header->OnSectionClick = TSectionNotifyEvent(this, &BarKinds::SectionClicked);
        Status = Add<TStatusBar>(Form, 0, 280, 460, 20);
        const char* Texts[3] = {"Lowered", "", "Right"};
        const TStatusPanelBevel Bevels[3] = {pbLowered, pbRaised, pbNone};
        for (int I = 0; I < 3; ++I) {
            TStatusPanel* P = Status->Panels()->Add();
            P->SetWidth(120);
            P->SetText(Texts[I]);
            P->SetBevel(Bevels[I]);
        }
        Status->Panels()->Items(2)->SetAlignment(taRightJustify);
        Progress = Add<TProgressBar>(Form, 10, 40, 200, 18);
        Lying = Add<TTrackBar>(Form, 10, 80, 200, 40);
        Lying->SetMax(20);
        Lying->OnChange = TNotifyEvent(this, &BarKinds::Moved);
        Standing = Add<TTrackBar>(Form, 240, 30, 200, 40);
        Standing->SetOrientation(trVertical);  // turns it into 40 x 200
        Standing->SetMax(20);
        Panel = Add<TPanel>(Form, 300, 30, 120, 60);
        Group = Add<TGroupBox>(Form, 300, 110, 120, 60);
        Group->SetCaption("Group");
        Panel->SetColor(RGB(0, 128, 0));

        StatusKind = Wrap<TSkinStatusBar>(Status);
        ProgressKind = Wrap<TSkinProgress>(Progress);
        Wrap<TSkinTrackBar>(Lying);
        Wrap<TSkinTrackBar>(Standing);
        PanelKind = Wrap<TSkinBox>(Panel, true);
        GroupKind = Wrap<TSkinBox>(Group, true);
        HeaderKind = new TSkinHeader(Skinned);
        HeaderKind->InstallWindow(Header->Handle(), Skinned->FSkinData, &Skinned->FControlCanvas);
        Form->Invalidate();
        AppPumpFor(200);
    }

    template<class C>
    C* Add(TForm* Form, int X, int Y, int W, int H)
    {
        auto* Control = new C(Form);
        Control->SetAlign(alNone);
        Control->SetParent(Form);
        Control->SetBounds(X, Y, W, H);
        return Control;
    }

    template<class K>
    K* Wrap(TWinControl* Control, bool Recolor = false)
    {
        auto* Kind = new K(Skinned);
        Kind->InstallControl(Control, Skinned->FSkinData, Recolor, &Skinned->FControlCanvas);
        return Kind;
    }

    // Pulls the track bar's thumb to Fraction of its length with the mouse; Pressed is the
    // capture taken while the button is held.
    void DragThumb(TTrackBar* Bar, double Fraction, TCapture* Pressed = nullptr)
    {
        const RECT Thumb = ThumbRect(Bar);
        MoveMouseTo(ScreenPointOf(Bar, Centre(Thumb).x, Centre(Thumb).y));
        MouseButton(true);
        const bool Vertical = Bar->Orientation() == trVertical;
        const int Along = int((Vertical ? Bar->Height() : Bar->Width()) * Fraction);
        MoveMouseTo(Vertical ? ScreenPointOf(Bar, Centre(Thumb).x, Along) : ScreenPointOf(Bar, Along, Centre(Thumb).y));
        if (Pressed)
            *Pressed = CaptureWindow(Bar->Handle());
        MouseButton(false);
    }

    void Moved(TObject*) { ++Moves; }
    void SectionClicked(TObject*, THeaderSection* Section) { Sections.push_back(Section->Index()); }

    TWinSkinForm* Skinned = nullptr;
    THeaderControl* Header = nullptr;
    TStatusBar* Status = nullptr;
    TProgressBar* Progress = nullptr;
    TTrackBar* Lying = nullptr;
    TTrackBar* Standing = nullptr;
    TPanel* Panel = nullptr;
    TGroupBox* Group = nullptr;
    TSkinStatusBar* StatusKind = nullptr;
    TSkinProgress* ProgressKind = nullptr;
    TSkinHeader* HeaderKind = nullptr;
    TSkinBox* PanelKind = nullptr;
    TSkinBox* GroupKind = nullptr;
    int Moves = 0;
    std::vector<int> Sections;
};

RECT PartRect(HWND Bar, int Index)
{
    RECT R{};
    SendMessageA(Bar, SB_GETRECT, WPARAM(Index), reinterpret_cast<LPARAM>(&R));
    return R;
}

TEST_F(BarKinds, StatusBarPanelsTakeTheirEdgesTextColourAndTheGrip)
{
    LoadSkin(BarSkin());
    MakeBars();
    const HWND Bar = Status->Handle();
    const TCapture Shot = CaptureWindow(Bar);
    Shot.SavePng("bars_status.png");
    const RECT Rect = WindowRect(Bar);
    const int W = Width(Rect), H = Height(Rect);
    for (int I = 0; I < 3; ++I) {
        const RECT R = PartRect(Bar, I);
        EXPECT_EQ(FrameOf(Shot.Pixel(R.left + 2, R.top + 1), feStatusBarEdges, 3), I + 1) << I;
        EXPECT_EQ(FrameOf(Shot.Pixel(R.left + 60, R.bottom - 2), feStatusBarEdges, 3), I + 1) << I;
    }
    // The panel texts in the skin's colour; the empty one still has its panel.
    EXPECT_GT(CountPixels(Shot, PanelText, PartRect(Bar, 0)), 4);
    EXPECT_EQ(CountPixels(Shot, PanelText, PartRect(Bar, 1)), 0);
    // The last panel (right-aligned text) reaches the right edge, under the grip of frame 5.
    const RECT Last = PartRect(Bar, 2);
    EXPECT_GT(CountPixels(Shot, PanelText, RECT{(Last.left + Last.right) / 2, 0, W, H}), 4);
    EXPECT_EQ(FrameOf(Shot.Pixel(W - 2, Last.top), feStatusBarEdges, 3), 3);
    EXPECT_EQ(FrameOf(Shot.Pixel(W - 9, H - 9), feExtraImages), 5);

    // Parts that end short of the bar (as the system may leave room for its own grip): the
    // last one still reaches the right edge.
    const int Edges[3] = {120, 240, 300};
    SendMessageA(Bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(Edges));
    AppPumpFor(100);
    const TCapture Short = CaptureWindow(Bar);
    EXPECT_EQ(FrameOf(Short.Pixel(W - 30, H / 2), feStatusBarEdges, 3), 3);

    // Simple text: one panel of frame 1 over the whole bar.
    Status->SetSimpleText("简单");
    Status->SetSimplePanel(true);
    AppPumpFor(100);
    const TCapture Simple = CaptureWindow(Bar);
    Simple.SavePng("bars_status_simple.png");
    EXPECT_EQ(FrameOf(Simple.Pixel(1, 1), feStatusBarEdges, 3), 1);
    EXPECT_EQ(FrameOf(Simple.Pixel(W / 2, H / 2), feStatusBarEdges, 3), 1);
    EXPECT_GT(CountPixels(Simple, PanelText, RECT{0, 0, W / 3, H}), 4);
}

TEST_F(BarKinds, StatusBarWithoutEdgeImagesGetsPlainBevels)
{
    TFlatSkin Skin;
    Skin.WithControls({feProgress});
    LoadSkin(Skin);
    MakeBars();
    const HWND Bar = Status->Handle();
    const TCapture Shot = CaptureWindow(Bar);
    Shot.SavePng("bars_status_bevels.png");
    const COLORREF Shadow = GetSysColor(COLOR_BTNSHADOW), Light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const RECT Lowered = PartRect(Bar, 0), Raised = PartRect(Bar, 1), Plain = PartRect(Bar, 2);
    EXPECT_TRUE(SameColor(Shot.Pixel(Lowered.left + 5, Lowered.top), Shadow, 4));
    EXPECT_TRUE(SameColor(Shot.Pixel(Lowered.left, Lowered.top + 5), Shadow, 4));
    EXPECT_TRUE(SameColor(Shot.Pixel(Lowered.left + 5, Lowered.bottom - 1), Light, 4));
    EXPECT_TRUE(SameColor(Shot.Pixel(Raised.left + 5, Raised.top), Light, 4));
    EXPECT_TRUE(SameColor(Shot.Pixel(Raised.right - 1, Raised.top + 5), Shadow, 4));
    EXPECT_TRUE(SameColor(Shot.Pixel(Plain.left + 5, Plain.top), SkinFace, 4));
    // No grip image: nothing but the face in the corner.
    EXPECT_TRUE(SameColor(Shot.Pixel(Shot.Width - 4, Shot.Height - 4), SkinFace, 4));
}

TEST_F(BarKinds, ProgressFillsWithItsSecondFrameOrWithChunks)
{
    LoadSkin(BarSkin());
    MakeBars();
    const HWND Bar = Progress->Handle();
    // Frames along the middle row at a quarter and three quarters of the bar.
    auto Frames = [&](int Position, const char* File) {
        Progress->SetPosition(Position);
        AppPumpFor(80);
        const TCapture Shot = CaptureWindow(Bar);
        Shot.SavePng(File);
        return std::make_pair(FrameOf(Shot.Pixel(50, 9), feProgress, 2), FrameOf(Shot.Pixel(150, 9), feProgress, 2));
    };
    EXPECT_EQ(Frames(0, "bars_progress_0.png"), std::make_pair(1, 1));
    EXPECT_EQ(Frames(50, "bars_progress_50.png"), std::make_pair(2, 1));
    EXPECT_EQ(Frames(100, "bars_progress_100.png"), std::make_pair(2, 2));
    const TCapture Full = CaptureWindow(Bar);
    EXPECT_EQ(FrameOf(Full.Pixel(199, 17), feProgress, 2), 2);
    EXPECT_EQ(FrameOf(Full.Pixel(0, 0), feProgress, 2), 2);
}

TEST_F(BarKinds, ChunkStyleRepeatsTheChunkOverTheWholeImage)
{
    TFlatSkin Skin = BarSkin();
    Skin.ExtraKeys.push_back({{"Progress", "Style"}, "1"});
    LoadSkin(Skin);
    MakeBars();
    const HWND Bar = Progress->Handle();
    // Chunk columns along the middle row (both chunk frames are chunk colours).
    auto ChunkColumns = [&](int Position, const char* File) {
        Progress->SetPosition(Position);
        AppPumpFor(80);
        const TCapture Shot = CaptureWindow(Bar);
        Shot.SavePng(File);
        int N = 0;
        for (int X = 0; X < Shot.Width; ++X)
            N += FrameOf(Shot.Pixel(X, 9), feProgressChunk, 2) != 0;
        return N;
    };
    EXPECT_EQ(ChunkColumns(0, "bars_chunks_0.png"), 0);
    // From the image's left margin (2) on, as wide as the filled part.
    EXPECT_EQ(ChunkColumns(50, "bars_chunks_50.png"), 100);
    EXPECT_EQ(ChunkColumns(100, "bars_chunks_100.png"), 198);
    // The whole image lies behind as one frame: both halves of it.
    const TCapture Half = CaptureWindow(Bar);
    EXPECT_EQ(FrameOf(Half.Pixel(1, 9), feProgress, 2), 1);
    Progress->SetPosition(0);
    AppPumpFor(80);
    const TCapture Empty = CaptureWindow(Bar);
    EXPECT_EQ(FrameOf(Empty.Pixel(50, 9), feProgress, 2), 1);
    EXPECT_EQ(FrameOf(Empty.Pixel(150, 9), feProgress, 2), 2);
}

TEST_F(BarKinds, TrackBarThumbsDrawnInTheirImageWhateverTheStateAndValuesArrive)
{
    LoadSkin(BarSkin());
    MakeBars();
    auto ThumbFrame = [](TTrackBar* Bar, int Element) {
        const POINT C = Centre(ThumbRect(Bar));
        return FrameOf(CaptureWindow(Bar->Handle()).Pixel(C.x, C.y), Element);
    };
    CaptureWindow(Skinned->FHandle).SavePng("bars_form.png");
    EXPECT_EQ(ThumbFrame(Lying, feTrackbarThumbHorz), 2);
    EXPECT_EQ(ThumbFrame(Standing, feTrackbarThumbVert), 2);
    // The channel stays the control's own.
    const RECT Thumb = ThumbRect(Lying);
    const TCapture Normal = CaptureWindow(Lying->Handle());
    EXPECT_EQ(FrameOf(Normal.Pixel(Thumb.right + 40, Centre(Thumb).y), feTrackbarThumbHorz), 0);

    // Hot, then pressed while dragged: the same frame, and the values arrive.
    MoveMouseTo(ScreenPointOf(Lying, Centre(Thumb).x, Centre(Thumb).y));
    EXPECT_EQ(ThumbFrame(Lying, feTrackbarThumbHorz), 2);
    TCapture Pressed;
    DragThumb(Lying, 0.75, &Pressed);
    Pressed.SavePng("bars_track_pressed.png");
    EXPECT_GT(Lying->Position(), 10);
    EXPECT_LT(Lying->Position(), 20);
    EXPECT_GE(Moves, 1);
    const RECT Moved = ThumbRect(Lying);
    EXPECT_GT(Moved.left, Thumb.left + 50);
    EXPECT_EQ(FrameOf(Pressed.Pixel(Centre(Moved).x, Centre(Moved).y), feTrackbarThumbHorz), 2);
    EXPECT_EQ(ThumbFrame(Lying, feTrackbarThumbHorz), 2);

    DragThumb(Standing, 0.5);
    EXPECT_GT(Standing->Position(), 5);
    EXPECT_EQ(ThumbFrame(Standing, feTrackbarThumbVert), 2);
}

TEST_F(BarKinds, TrackBarsFallBackToTheLyingThumbThenToAPlainRectangle)
{
    TFlatSkin Skin;
    Skin.WithControls({feTrackbarThumbHorz});
    LoadSkin(Skin);
    MakeBars();
    const POINT C = Centre(ThumbRect(Standing));
    EXPECT_EQ(FrameOf(CaptureWindow(Standing->Handle()).Pixel(C.x, C.y), feTrackbarThumbHorz), 2);
    SkinnedWindow::TearDown();

    LoadSkin(TFlatSkin());
    MakeBars();
    for (TTrackBar* Bar : {Lying, Standing}) {
        const RECT Thumb = ThumbRect(Bar);
        const TCapture Shot = CaptureWindow(Bar->Handle());
        Shot.SavePng(Bar == Lying ? "bars_track_plain.png" : "bars_track_plain_vert.png");
        EXPECT_TRUE(SameColor(Shot.Pixel(Thumb.left, Centre(Thumb).y), SkinShadow, 4));
        EXPECT_TRUE(SameColor(Shot.Pixel(Centre(Thumb).x, Thumb.bottom - 1), SkinShadow, 4));
        EXPECT_EQ(FlatPixels(Shot), 0);
    }
}

TEST_F(BarKinds, HeaderItemsAndTheSpaceBesideThemInFrameOneEvenPressed)
{
    LoadSkin(BarSkin());
    MakeBars();
    EXPECT_TRUE(std::find(Skinned->FControls.begin(), Skinned->FControls.end(), HeaderKind) !=
                Skinned->FControls.end());
    const HWND Wnd = Header->Handle();
    const TCapture Shot = CaptureWindow(Wnd);
    Shot.SavePng("bars_header.png");
    for (int X : {2, 60, 98, 102, 170, 200, 400, 458})
        EXPECT_EQ(FrameOf(Shot.Pixel(X, 2), feHeaderbar), 1) << X;
    // The first section shows its text, the empty one none.
    const COLORREF Face = FlatColour(feHeaderbar, 1);
    EXPECT_LT(CountPixels(Shot, Face, RECT{0, 0, 100, Shot.Height}), 100 * Shot.Height - 10);
    EXPECT_EQ(CountPixels(Shot, Face, RECT{100, 0, 180, Shot.Height}), 80 * Shot.Height);

    MoveMouseTo(ScreenPointOf(Header, 50, 10));
    MouseButton(true);
    const TCapture Pressed = CaptureWindow(Wnd);
    Pressed.SavePng("bars_header_pressed.png");
    EXPECT_EQ(FrameOf(Pressed.Pixel(2, 2), feHeaderbar), 1);
    EXPECT_EQ(FrameOf(Pressed.Pixel(97, 17), feHeaderbar), 1);
    MouseButton(false);
    EXPECT_EQ(Sections, std::vector<int>{0});
}

TEST_F(BarKinds, ControlsWhoseElementIsMissingStayAsTheSystemDrawsThem)
{
    LoadSkin(TFlatSkin());
    MakeBars();
    Progress->SetPosition(50);
    AppPumpFor(100);
    const TCapture Bar = CaptureWindow(Progress->Handle());
    const TCapture Head = CaptureWindow(Header->Handle());
    Bar.SavePng("bars_progress_system.png");
    Head.SavePng("bars_header_system.png");
    // The system's own bar: its highlight up to the middle, none beyond.
    const COLORREF Fill = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_GT(CountPixels(Bar, Fill, RECT{0, 0, 100, 18}), 300);
    EXPECT_EQ(CountPixels(Bar, Fill, RECT{110, 0, 200, 18}), 0);
    EXPECT_EQ(FlatPixels(Head), 0);
    const COLORREF Back = Head.Pixel(150, 10);
    EXPECT_EQ(Head.Pixel(300, 10), Back);
    EXPECT_GT(98 * Head.Height - CountPixels(Head, Back, RECT{0, 0, 98, Head.Height}), 10);  // the text
}

TEST_F(BarKinds, PanelsAndGroupBoxesWearTheFaceColourWhileWrapped)
{
    LoadSkin(BarSkin());
    MakeBars();
    const TCapture Shot = CaptureWindow(Panel->Handle());
    Shot.SavePng("bars_panel.png");
    EXPECT_EQ(Panel->Color(), TColor(SkinFace));
    EXPECT_EQ(Group->Color(), TColor(SkinFace));
    EXPECT_TRUE(SameColor(Shot.Pixel(60, 30), SkinFace, 4));
    EXPECT_TRUE(SameColor(CaptureWindow(Group->Handle()).Pixel(60, 40), SkinFace, 4));
    // The control keeps its own handler.
    EXPECT_FALSE(PanelKind->FOldWindowProc);
    EXPECT_NE(Panel->WindowProc.Object(), static_cast<void*>(PanelKind));

    // Removed: the old colour back; a second installation changes nothing.
    PanelKind->Uninstall();
    EXPECT_EQ(Panel->Color(), TColor(RGB(0, 128, 0)));
    GroupKind->InstallControl(Panel, Skinned->FSkinData, true, &Skinned->FControlCanvas);
    EXPECT_EQ(Panel->Color(), TColor(RGB(0, 128, 0)));

    // A form being torn down keeps the face colour.
    Skinned->FSkinState = ssClosing;
    GroupKind->Uninstall();
    Skinned->FSkinState = ssReady;
    EXPECT_EQ(Group->Color(), TColor(SkinFace));
}

// A size grip of a dialog, pulled with the mouse: framed in the skin's shadow colour, and
// the dialog grows.
TEST_F(BarKinds, ADialogsSizeGripIsFramedAndStillSizesTheDialog)
{
    LoadSkin(BarSkin());
    const HWND Dialog = MakeGripDialog(300, 200);
    const HWND Grip = GetDlgItem(Dialog, 100);
    AppPumpUntil([&] { return SkinOf(Dialog) && SkinOf(Dialog)->FSkinState == ssReady; });
    TWinSkinForm* Form = SkinOf(Dialog);
    ASSERT_NE(Form, nullptr);
    ASSERT_NE(SizerOf(Form, Grip), nullptr);
    InvalidateRect(Grip, nullptr, TRUE);
    AppPumpFor(150);
    const TCapture Shot = CaptureWindow(Grip);
    CaptureWindow(Dialog).SavePng("bars_grip_dialog.png");
    const int Side = Shot.Width;
    EXPECT_TRUE(SameColor(Shot.Pixel(0, 0), SkinShadow, 4));
    EXPECT_TRUE(SameColor(Shot.Pixel(Side - 1, Side / 2), SkinShadow, 4));
    EXPECT_TRUE(SameColor(Shot.Pixel(Side / 2, Shot.Height - 1), SkinShadow, 4));
    EXPECT_FALSE(SameColor(Shot.Pixel(Side / 2, Shot.Height / 2), SkinShadow, 4));

    const RECT Before = WindowRect(Dialog);
    const POINT G = Centre(WindowRect(Grip));
    Pull(G, POINT{G.x + 40, G.y + 30});
    const RECT After = WindowRect(Dialog);
    EXPECT_GT(Width(After), Width(Before) + 20);
    EXPECT_GT(Height(After), Height(Before) + 15);
    DestroyWindow(Dialog);
}

// Every kind under skins full of nonsense: painted, dragged, pressed and pulled without a
// crash, a hang or GDI objects left behind.
TEST_F(BarKinds, HostileSkinsHarmNoKind)
{
    auto Exercise = [&](const std::string& Bytes) {
        Roots.push_back(std::make_unique<TSkinRoot>(nullptr));
        ReadComponentText(SkinDesign(Bytes), Roots.back().get(), "test");
        MakeBars();
        for (int P : {0, 50, 100}) {
            Progress->SetPosition(P);
            AppPumpFor(30);
        }
        Status->SetSimplePanel(true);
        AppPumpFor(30);
        DragThumb(Lying, 0.8);
        DragThumb(Standing, 0.3);
        ClickAt(ScreenPointOf(Header, 30, 10));
        const HWND Dialog = MakeGripDialog(300, 200);
        const HWND Grip = GetDlgItem(Dialog, 100);
        AppPumpUntil([&] { return SkinOf(Dialog) && SkinOf(Dialog)->FSkinState == ssReady; });
        if (TWinSkinForm* Form = SkinOf(Dialog))
            SizerOf(Form, Grip);
        InvalidateRect(Grip, nullptr, TRUE);
        const POINT G = Centre(WindowRect(Grip));
        Pull(G, POINT{G.x + 30, G.y + 20});
        MoveMouseTo(Away);
        AppPumpFor(150);
        DestroyWindow(Dialog);
        SkinnedWindow::TearDown();
        Moves = 0;
        Sections.clear();
    };
    Exercise(BarSkin().Pack());  // the first run makes what stays for the process
    const int Before = LiveGdiObjects();
    ASSERT_GT(Before, 0);
    for (const auto& [Name, Bytes] : HostileSkins()) {
        SCOPED_TRACE(Name);
        Exercise(Bytes);
    }
    const int After = LiveGdiObjects();
    std::printf("%d GDI objects before the hostile skins, %d after\n", Before, After);
    EXPECT_LE(After, Before + 8);
}

}  // namespace
