// Status bars, progress bars, track bars, headers, panels, group boxes and a dialog's size
// grip painted by their kinds with flat-colour skins: pixels tell which element and frame was
// drawn where; the mouse drags thumbs, presses header sections and pulls the size grip.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
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

// Pixels of Colour in R (window coordinates) of a capture.
int CountPixels(const TCapture& Shot, COLORREF Colour, RECT R)
{
    int N = 0;
    for (int Y = std::max(0, int(R.top)); Y < std::min(Shot.Height, int(R.bottom)); ++Y)
        for (int X = std::max(0, int(R.left)); X < std::min(Shot.Width, int(R.right)); ++X)
            N += SameColor(Shot.Pixel(X, Y), Colour, 4);
    return N;
}

bool AnyControlElement(const TCapture& Shot)
{
    for (int Y = 0; Y < Shot.Height; ++Y)
        for (int X = 0; X < Shot.Width; ++X)
            for (int E = feScrollbar; E < feFlatElementEnd; ++E)
                if (FrameOf(Shot.Pixel(X, Y), E))
                    return true;
    return false;
}

// Press at From, move to To, release. The input comes from another thread while this one
// handles messages: the press starts the window system's sizing loop, which returns only
// once it has seen the release.
void Pull(POINT From, POINT To)
{
    MoveMouseTo(From);
    std::atomic<bool> Done{false};
    std::thread Hand([&] {
        for (const auto& [Flags, P] : {std::make_pair(MOUSEEVENTF_LEFTDOWN, From), std::make_pair(0, To),
                                       std::make_pair(MOUSEEVENTF_LEFTUP, To)}) {
            SendMouse(DWORD(Flags) | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, P);
            Sleep(150);
        }
        Done = true;
    });
    AppPumpUntil([&] { return Done.load(); }, 5000);
    Hand.join();
    AppPumpFor(200);
}

POINT Centre(const RECT& R)
{
    return POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
}

RECT ThumbRect(TTrackBar* Bar)
{
    RECT R{};
    SendMessageA(Bar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&R));
    return R;
}

RECT PartRect(HWND Bar, int Index)
{
    RECT R{};
    SendMessageA(Bar, SB_GETRECT, WPARAM(Index), reinterpret_cast<LPARAM>(&R));
    return R;
}

INT_PTR CALLBACK GripDialogProc(HWND, UINT Msg, WPARAM, LPARAM)
{
    return Msg == WM_INITDIALOG;
}

// A sizeable dialog of the system's dialog class whose one item (id 100) is a size grip in
// its bottom-right corner, made before the dialog is skinned as in a real dialog; shown.
HWND MakeGripDialog()
{
    constexpr DWORD DialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    constexpr DWORD GripStyle = WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN;
    alignas(DWORD) const WORD T[] = {
        LOWORD(DialogStyle), HIWORD(DialogStyle), 0, 0,
        // One item at 0, 0, 200 x 100; no menu, the dialog class, the caption "Grip".
        1, 0, 0, 200, 100, 0, 0, 'G', 'r', 'i', 'p', 0,  // ends on a DWORD boundary
        LOWORD(GripStyle), HIWORD(GripStyle), 0, 0,
        // At 190, 90, 10 x 10, id 100, the scroll-bar class, no text, no data.
        190, 90, 10, 10, 100, 0xFFFF, 0x0084, 0, 0};
    const HWND Dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                                   reinterpret_cast<LPCDLGTEMPLATEA>(T), nullptr,
                                                   GripDialogProc, 0);
    SetWindowPos(Dialog, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(Dialog, SW_SHOW);
    SetForegroundWindow(Dialog);
    return Dialog;
}

class BarKinds : public SkinnedWindow {
protected:
    void SetUp() override { MoveMouseTo(Away); }

    // A skinned form, then the controls, each wrapped by a kind made here (the form was
    // walked before they existed).
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
        for (const auto& [Text, Bevel] : {std::make_pair("Lowered", pbLowered), std::make_pair("", pbRaised),
                                          std::make_pair("Right", pbNone)}) {
            TStatusPanel* P = Status->Panels()->Add();
            P->SetWidth(120);
            P->SetText(Text);
            P->SetBevel(Bevel);
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
        Panel->SetColor(RGB(0, 128, 0));
        Group = Add<TGroupBox>(Form, 300, 110, 120, 60);

        Wrap<TSkinStatusBar>(Status);
        Wrap<TSkinProgress>(Progress);
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

    // Pulls the thumb to Fraction of the bar with the mouse; Pressed: a capture while held.
    void DragThumb(TTrackBar* Bar, double Fraction, TCapture* Pressed = nullptr)
    {
        const POINT C = Centre(ThumbRect(Bar));
        MoveMouseTo(ScreenPointOf(Bar, C.x, C.y));
        MouseButton(true);
        const bool Vertical = Bar->Orientation() == trVertical;
        const int Along = int((Vertical ? Bar->Height() : Bar->Width()) * Fraction);
        MoveMouseTo(Vertical ? ScreenPointOf(Bar, C.x, Along) : ScreenPointOf(Bar, Along, C.y));
        if (Pressed)
            *Pressed = CaptureWindow(Bar->Handle());
        MouseButton(false);
    }

    int ThumbFrame(TTrackBar* Bar, int Element)
    {
        const POINT C = Centre(ThumbRect(Bar));
        return FrameOf(CaptureWindow(Bar->Handle()).Pixel(C.x, C.y), Element);
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
    TSkinHeader* HeaderKind = nullptr;
    TSkinBox* PanelKind = nullptr;
    TSkinBox* GroupKind = nullptr;
    int Moves = 0;
    std::vector<int> Sections;
};

TEST_F(BarKinds, StatusBarPanelsTakeTheirEdgesOrPlainBevels)
{
    LoadSkin(BarSkin());
    MakeBars();
    const HWND Bar = Status->Handle();
    const TCapture Shot = CaptureWindow(Bar);
    Shot.SavePng("bars_status.png");
    const int W = Shot.Width, H = Shot.Height;
    for (int I = 0; I < 3; ++I) {
        const RECT R = PartRect(Bar, I);
        EXPECT_EQ(FrameOf(Shot.Pixel(R.left + 2, R.top + 1), feStatusBarEdges, 3), I + 1) << I;
        EXPECT_EQ(FrameOf(Shot.Pixel(R.left + 60, R.bottom - 2), feStatusBarEdges, 3), I + 1) << I;
    }
    // Texts in the skin's colour, right-aligned ones at the bar's edge; the empty panel has none.
    EXPECT_GT(CountPixels(Shot, PanelText, PartRect(Bar, 0)), 4);
    EXPECT_EQ(CountPixels(Shot, PanelText, PartRect(Bar, 1)), 0);
    EXPECT_GT(CountPixels(Shot, PanelText, RECT{W - 60, 0, W, H}), 4);
    EXPECT_EQ(FrameOf(Shot.Pixel(W - 9, H - 9), feExtraImages), 5);  // the grip

    // Parts that end short of the bar (as the system may leave room for its own grip): the
    // last one still reaches the right edge.
    const int Edges[3] = {120, 240, 300};
    SendMessageA(Bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(Edges));
    AppPumpFor(100);
    EXPECT_EQ(FrameOf(CaptureWindow(Bar).Pixel(W - 30, H / 2), feStatusBarEdges, 3), 3);

    // Simple text: one panel of frame 1 over the whole bar.
    Status->SetSimpleText("简单");
    Status->SetSimplePanel(true);
    AppPumpFor(100);
    const TCapture Simple = CaptureWindow(Bar);
    Simple.SavePng("bars_status_simple.png");
    EXPECT_EQ(FrameOf(Simple.Pixel(1, 1), feStatusBarEdges, 3), 1);
    EXPECT_EQ(FrameOf(Simple.Pixel(W / 2, H / 2), feStatusBarEdges, 3), 1);
    EXPECT_GT(CountPixels(Simple, PanelText, RECT{0, 0, W / 3, H}), 4);

    // A skin without the edges: system-coloured bevels, and no grip without its image.
    SkinnedWindow::TearDown();
    LoadSkin(TFlatSkin());
    MakeBars();
    const TCapture Plain = CaptureWindow(Status->Handle());
    Plain.SavePng("bars_status_bevels.png");
    const COLORREF Shadow = GetSysColor(COLOR_BTNSHADOW), Light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const RECT Lowered = PartRect(Status->Handle(), 0), Raised = PartRect(Status->Handle(), 1);
    EXPECT_TRUE(SameColor(Plain.Pixel(Lowered.left, Lowered.top + 5), Shadow, 4));
    EXPECT_TRUE(SameColor(Plain.Pixel(Lowered.left + 5, Lowered.bottom - 1), Light, 4));
    EXPECT_TRUE(SameColor(Plain.Pixel(Raised.left + 5, Raised.top), Light, 4));
    EXPECT_TRUE(SameColor(Plain.Pixel(Raised.right - 1, Raised.top + 5), Shadow, 4));
    EXPECT_TRUE(SameColor(Plain.Pixel(PartRect(Status->Handle(), 2).left + 5, Lowered.top), SkinFace, 4));
    EXPECT_TRUE(SameColor(Plain.Pixel(W - 4, H - 4), SkinFace, 4));
}

TEST_F(BarKinds, ProgressFillsWithItsSecondFrameOrWithChunks)
{
    // Frames of "Progress" and chunk columns along the middle row.
    auto Look = [&](int Position, const std::string& File) {
        Progress->SetPosition(Position);
        AppPumpFor(80);
        const TCapture Shot = CaptureWindow(Progress->Handle());
        Shot.SavePng(File + std::to_string(Position) + ".png");
        int Chunks = 0;
        for (int X = 0; X < Shot.Width; ++X)
            Chunks += FrameOf(Shot.Pixel(X, 9), feProgressChunk, 2) != 0;
        return std::vector<int>{FrameOf(Shot.Pixel(50, 9), feProgress, 2), FrameOf(Shot.Pixel(150, 9), feProgress, 2),
                                FrameOf(Shot.Pixel(199, 17), feProgress, 2), Chunks};
    };
    LoadSkin(BarSkin());
    MakeBars();
    EXPECT_EQ(Look(0, "bars_progress_"), (std::vector<int>{1, 1, 1, 0}));
    EXPECT_EQ(Look(50, "bars_progress_"), (std::vector<int>{2, 1, 1, 0}));
    EXPECT_EQ(Look(100, "bars_progress_"), (std::vector<int>{2, 2, 2, 0}));

    // Chunks from the left margin (2) on, as wide as the filled part, over the whole image
    // taken as one frame (its two halves).
    TFlatSkin Skin = BarSkin();
    Skin.ExtraKeys.push_back({{"Progress", "Style"}, "1"});
    SkinnedWindow::TearDown();
    LoadSkin(Skin);
    MakeBars();
    EXPECT_EQ(Look(0, "bars_chunks_"), (std::vector<int>{1, 2, 2, 0}));
    EXPECT_EQ(Look(50, "bars_chunks_")[3], 100);
    EXPECT_EQ(Look(100, "bars_chunks_")[3], 198);
}

TEST_F(BarKinds, TrackBarThumbsKeepTheirFrameWhileHotAndDraggedAndValuesArrive)
{
    LoadSkin(BarSkin());
    MakeBars();
    CaptureWindow(Skinned->FHandle).SavePng("bars_form.png");
    EXPECT_EQ(ThumbFrame(Lying, feTrackbarThumbHorz), 2);
    EXPECT_EQ(ThumbFrame(Standing, feTrackbarThumbVert), 2);
    const RECT Thumb = ThumbRect(Lying);
    // The channel stays the control's own.
    EXPECT_EQ(FrameOf(CaptureWindow(Lying->Handle()).Pixel(Thumb.right + 40, Centre(Thumb).y), feTrackbarThumbHorz), 0);

    MoveMouseTo(ScreenPointOf(Lying, Centre(Thumb).x, Centre(Thumb).y));
    EXPECT_EQ(ThumbFrame(Lying, feTrackbarThumbHorz), 2);
    TCapture Pressed;
    DragThumb(Lying, 0.75, &Pressed);
    Pressed.SavePng("bars_track_pressed.png");
    const RECT Moved = ThumbRect(Lying);
    EXPECT_GT(Moved.left, Thumb.left + 50);
    EXPECT_EQ(FrameOf(Pressed.Pixel(Centre(Moved).x, Centre(Moved).y), feTrackbarThumbHorz), 2);
    EXPECT_GT(Lying->Position(), 10);
    EXPECT_LT(Lying->Position(), 20);
    EXPECT_GE(Moves, 1);
    DragThumb(Standing, 0.5);
    EXPECT_GT(Standing->Position(), 5);
    EXPECT_EQ(ThumbFrame(Standing, feTrackbarThumbVert), 2);

    // Without a standing thumb the lying one serves; without either, a plain rectangle.
    TFlatSkin Skin;
    Skin.WithControls({feTrackbarThumbHorz});
    SkinnedWindow::TearDown();
    LoadSkin(Skin);
    MakeBars();
    EXPECT_EQ(ThumbFrame(Standing, feTrackbarThumbHorz), 2);
    SkinnedWindow::TearDown();
    LoadSkin(TFlatSkin());
    MakeBars();
    for (TTrackBar* Bar : {Lying, Standing}) {
        const RECT R = ThumbRect(Bar);
        const TCapture Shot = CaptureWindow(Bar->Handle());
        Shot.SavePng(Bar == Lying ? "bars_track_plain.png" : "bars_track_plain_vert.png");
        EXPECT_TRUE(SameColor(Shot.Pixel(R.left, Centre(R).y), SkinShadow, 4));
        EXPECT_TRUE(SameColor(Shot.Pixel(Centre(R).x, R.bottom - 1), SkinShadow, 4));
        EXPECT_FALSE(AnyControlElement(Shot));
    }
}

TEST_F(BarKinds, HeaderItemsAndTheSpaceBesideThemInFrameOneEvenPressed)
{
    LoadSkin(BarSkin());
    MakeBars();
    EXPECT_NE(std::find(Skinned->FControls.begin(), Skinned->FControls.end(), HeaderKind), Skinned->FControls.end());
    const TCapture Shot = CaptureWindow(Header->Handle());
    Shot.SavePng("bars_header.png");
    for (int X : {2, 60, 98, 102, 170, 200, 400, 458})
        EXPECT_EQ(FrameOf(Shot.Pixel(X, 2), feHeaderbar), 1) << X;
    // The first section shows its text, the empty one none.
    const COLORREF Face = FlatColour(feHeaderbar, 1);
    EXPECT_LT(CountPixels(Shot, Face, RECT{0, 0, 100, Shot.Height}), 100 * Shot.Height - 10);
    EXPECT_EQ(CountPixels(Shot, Face, RECT{100, 0, 180, Shot.Height}), 80 * Shot.Height);

    MoveMouseTo(ScreenPointOf(Header, 50, 10));
    MouseButton(true);
    const TCapture Pressed = CaptureWindow(Header->Handle());
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
    const COLORREF Fill = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_GT(CountPixels(Bar, Fill, RECT{0, 0, 100, 18}), 300);
    EXPECT_EQ(CountPixels(Bar, Fill, RECT{110, 0, 200, 18}), 0);
    EXPECT_FALSE(AnyControlElement(Head));
    const COLORREF Back = Head.Pixel(150, 10);
    EXPECT_EQ(Head.Pixel(300, 10), Back);
    EXPECT_GT(98 * Head.Height - CountPixels(Head, Back, RECT{0, 0, 98, Head.Height}), 10);  // the text
}

TEST_F(BarKinds, PanelsAndGroupBoxesWearTheFaceColourWhileWrapped)
{
    LoadSkin(BarSkin());
    MakeBars();
    CaptureWindow(Panel->Handle()).SavePng("bars_panel.png");
    EXPECT_EQ(Panel->Color(), TColor(SkinFace));
    EXPECT_EQ(Group->Color(), TColor(SkinFace));
    EXPECT_TRUE(SameColor(CaptureWindow(Panel->Handle()).Pixel(60, 30), SkinFace, 4));
    EXPECT_TRUE(SameColor(CaptureWindow(Group->Handle()).Pixel(60, 40), SkinFace, 4));
    EXPECT_NE(Panel->WindowProc.Object(), static_cast<void*>(PanelKind));  // the panel's own handler

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

TEST_F(BarKinds, ADialogsSizeGripIsFramedAndStillSizesTheDialog)
{
    LoadSkin(BarSkin());
    const HWND Dialog = MakeGripDialog();
    const HWND Grip = GetDlgItem(Dialog, 100);
    WaitStarted(Dialog);
    const TWinSkinForm* Form = SkinOf(Dialog);
    ASSERT_NE(Form, nullptr);
    EXPECT_TRUE(std::any_of(Form->FControls.begin(), Form->FControls.end(), [&](TSkinControl* K) {
        return K->FHandle == Grip && dynamic_cast<TSkinSizer*>(K);
    }));
    const TCapture Shot = CaptureWindow(Grip);
    CaptureWindow(Dialog).SavePng("bars_grip_dialog.png");
    const int W = Shot.Width, H = Shot.Height;
    EXPECT_TRUE(SameColor(Shot.Pixel(0, 0), SkinShadow, 4));
    EXPECT_TRUE(SameColor(Shot.Pixel(W - 1, H / 2), SkinShadow, 4));
    EXPECT_TRUE(SameColor(Shot.Pixel(W / 2, H - 1), SkinShadow, 4));
    EXPECT_FALSE(SameColor(Shot.Pixel(W / 2, H / 2), SkinShadow, 4));

    const RECT Before = WindowRect(Dialog);
    const POINT G = Centre(WindowRect(Grip));
    Pull(G, POINT{G.x + 40, G.y + 30});
    EXPECT_GT(Width(WindowRect(Dialog)), Width(Before) + 20);
    EXPECT_GT(Height(WindowRect(Dialog)), Height(Before) + 15);
    DestroyWindow(Dialog);
}

// Every kind under skins full of nonsense: painted, dragged, pressed and pulled without a
// crash, a hang or GDI objects left behind.
TEST_F(BarKinds, HostileSkinsHarmNoKind)
{
    constexpr DWORD Brief = 40;  // long enough for the clicks to be handled; their effect is not checked
    auto Exercise = [&](const std::string& Bytes) {
        Roots.push_back(std::make_unique<TSkinRoot>(nullptr));
        ReadComponentText(SkinDesign(Bytes), Roots.back().get(), "test");
        MakeBars();
        for (int P : {0, 50, 100}) {
            Progress->SetPosition(P);
            AppPumpFor(30);
        }
        Status->SetSimplePanel(true);
        DragThumb(Lying, 0.8);
        DragThumb(Standing, 0.3);
        ClickAt(ScreenPointOf(Header, 30, 10), Brief);
        const HWND Dialog = MakeGripDialog();
        AppPumpFor(150);
        const POINT G = Centre(WindowRect(GetDlgItem(Dialog, 100)));
        Pull(G, POINT{G.x + 30, G.y + 20});
        DestroyWindow(Dialog);
        MoveMouseTo(Away);
        SkinnedWindow::TearDown();
    };
    Exercise(BarSkin().Pack());  // the first run makes what stays for the process
    const int Before = LiveGdiObjects();
    ASSERT_GT(Before, 0);
    for (const auto& [Name, Bytes] : HostileControlSkins()) {
        SCOPED_TRACE(Name);
        Exercise(Bytes);
    }
    const int After = LiveGdiObjects();
    std::printf("%d GDI objects before the hostile skins, %d after\n", Before, After);
    EXPECT_LE(After, Before + 8);
}

}  // namespace
