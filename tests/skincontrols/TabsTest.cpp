// Tab controls and tab sets painted by their kinds on skinned forms with a flat-colour skin
// whose tab frames carry a band along their top rows, so a capture tells which frame was
// drawn and which way up; driven with real mouse input.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Stream.h"
#include "framework/design/DesignReader.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHolders.h"
#include "framework/ui/TabControl.h"
#include "framework/ui/TabSet.h"
#include "skin/controls/EditCombo.h"
#include "skin/controls/Tabs.h"
#include "tests/controls/Input.h"
#include "tests/skinform/GdiCount.h"
#include "tests/skinform/SkinnedWindow.h"
#include "tests/support/Capture.h"

namespace {

constexpr int TabFrames = 5;
const COLORREF Band = RGB(250, 250, 0);  // the top two rows of every tab frame
const COLORREF NormalText = RGB(240, 40, 40);
const COLORREF FocusedText = RGB(40, 240, 40);
const POINT Away{1000, 740};

std::string BmpBytes(TBitmap& Bitmap)
{
    TMemoryStream Stream;
    Bitmap.SaveToStream(Stream);
    return std::string(Stream.Bytes().begin(), Stream.Bytes().end());
}

// The "Tabs" image of the flat skin with the band on top of each frame.
std::string BandedTabsBmp()
{
    const TFlatSkin::TControlElement E = TFlatSkin::ControlElement(feTabs);
    TBitmap Bitmap;
    Bitmap.SetPixelFormat(pf24bit);
    Bitmap.SetSize(E.Width * E.Frames, E.Height);
    const HDC DC = Bitmap.Canvas()->Handle();
    for (int F = 1; F <= E.Frames; ++F) {
        const RECT Frame{(F - 1) * E.Width, 0, F * E.Width, E.Height};
        const TBrushHandle Face(CreateSolidBrush(FlatColour(feTabs, F)));
        FillRect(DC, &Frame, Face.Get());
        const RECT Top{Frame.left, 0, Frame.right, 2};
        const TBrushHandle Top2(CreateSolidBrush(Band));
        FillRect(DC, &Top, Top2.Get());
    }
    return BmpBytes(Bitmap);
}

std::string Rgb(COLORREF C)
{
    return std::to_string(GetRValue(C)) + " " + std::to_string(GetGValue(C)) + " " + std::to_string(GetBValue(C));
}

// Tabs (banded, with the border) and the up-down images; without Border when asked.
TFlatSkin TabSkin(bool WithBorder = true)
{
    TFlatSkin S;
    S.WithControls({feTabs, feUpDownHorz, feUpDownVert});
    if (!WithBorder)
        S.ControlElements[0].SecondKey.clear();
    S.ExtraEntries.push_back({"tabs.bmp", BandedTabsBmp()});
    S.ExtraKeys.push_back({{"Tabs", "NormalColour2"}, Rgb(NormalText)});
    S.ExtraKeys.push_back({{"Tabs", "MouseOverColour2"}, Rgb(FocusedText)});
    return S;
}

// The frame of Element whose colour P is; 0 if none.
int FrameOf(COLORREF P, int Element, int Frames = TabFrames)
{
    for (int F = 1; F <= Frames; ++F)
        if (SameColor(P, FlatColour(Element, F), 4))
            return F;
    return 0;
}

int CountPixels(const TCapture& Shot, const RECT& R, COLORREF Colour, int Tolerance = 24)
{
    int N = 0;
    for (int Y = std::max(0, int(R.top)); Y < std::min(Shot.Height, int(R.bottom)); ++Y)
        for (int X = std::max(0, int(R.left)); X < std::min(Shot.Width, int(R.right)); ++X)
            N += SameColor(Shot.Pixel(X, Y), Colour, Tolerance);
    return N;
}

// Pixels of text in Colour on a tab of frame Frame: nearer the colour than the face (text is
// smoothed), within R less its 3 outer pixels, where the band and the strip's edges lie.
int TextPixels(const TCapture& Shot, RECT R, COLORREF Colour, int Frame)
{
    const COLORREF Face = FlatColour(feTabs, Frame);
    auto Distance = [](COLORREF A, COLORREF B) {
        return std::abs(GetRValue(A) - GetRValue(B)) + std::abs(GetGValue(A) - GetGValue(B)) +
               std::abs(GetBValue(A) - GetBValue(B));
    };
    InflateRect(&R, -3, -3);
    int N = 0;
    for (int Y = std::max(0, int(R.top)); Y < std::min(Shot.Height, int(R.bottom)); ++Y)
        for (int X = std::max(0, int(R.left)); X < std::min(Shot.Width, int(R.right)); ++X)
            N += Distance(Shot.Pixel(X, Y), Colour) < Distance(Shot.Pixel(X, Y), Face);
    return N;
}

int CountElementPixels(const TCapture& Shot, int Element)
{
    int N = 0;
    for (int Y = 0; Y < Shot.Height; ++Y)
        for (int X = 0; X < Shot.Width; ++X)
            N += FrameOf(Shot.Pixel(X, Y), Element) != 0;
    return N;
}

POINT CentreOnScreen(TControl* C, const RECT& R)
{
    return ScreenPointOf(C, (R.left + R.right) / 2, (R.top + R.bottom) / 2);
}

void Repaint(HWND Wnd, DWORD PumpMs = 60)
{
    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    AppPumpFor(PumpMs);
}

// Where a tab's band and its face show, one point each, for tabs on a side.
struct TTabProbe {
    POINT BandPoint;
    POINT FacePoint;
};

TTabProbe ProbeOf(TTabPosition Side, const RECT& R)
{
    const LONG MidX = (R.left + R.right) / 2;
    switch (Side) {
    case tpBottom:
        return {{R.left + 3, R.bottom - 2}, {R.left + 3, R.top + 3}};
    case tpLeft:
        return {{R.left + 1, R.top + 3}, {R.right - 3, R.top + 3}};
    case tpRight:
        return {{R.right - 2, R.top + 3}, {R.left + 2, R.top + 3}};
    default:
        return {{MidX, R.top + 1}, {R.left + 3, R.bottom - 3}};
    }
}

class TabKinds : public SkinnedWindow {
protected:
    void SetUp() override { MoveMouseTo(Away); }

    void Show(int W = 560, int H = 420)
    {
        Form = MakeForm({bsSizeable, {biSystemMenu}, W, H, "Tabs", 60, 60});
    }

    TTabControl* AddTabControl(TTabPosition Side, RECT Bounds, std::vector<std::string> Tabs, int Selected = 1)
    {
        auto* T = new TTabControl(Form);
        T->SetParent(Form);
        T->SetBoundsRect(Bounds);
        T->SetTabPosition(Side);
        for (const std::string& Text : Tabs)
            T->Tabs()->Add(Text);
        T->SetTabIndex(Selected);
        T->OnChange = TNotifyEvent(this, &TabKinds::Changed);
        return T;
    }

    TTabSet* AddTabSet(RECT Bounds, int Count)
    {
        auto* T = new TTabSet(Form);
        T->SetParent(Form);
        T->SetBoundsRect(Bounds);
        for (int I = 0; I < Count; ++I)
            T->Tabs()->Add("页" + std::to_string(I));
        T->SetTabIndex(0);
        T->OnChange = TNotifyEvent(this, &TabKinds::Changed);
        return T;
    }

    void ShowForm()
    {
        Skinned = ShowSkinned(Form);
        ASSERT_NE(Skinned, nullptr);
    }

    // The kind on C: one the form skin object made, or a new one.
    template<class K>
    K* KindOn(TWinControl* C)
    {
        for (TSkinControl* Kind : Skinned->FControls)
            if (Kind->FHandle == C->Handle())
                return dynamic_cast<K*>(Kind);
        return nullptr;
    }

    TSkinTab* WrapTab(TWinControl* C) { return WrapTab(C->Handle()); }
    TSkinTab* WrapTab(HWND Wnd)
    {
        TSkinTab* Kind = nullptr;
        for (TSkinControl* K : Skinned->FControls)
            if (K->FHandle == Wnd)
                Kind = dynamic_cast<TSkinTab*>(K);
        if (!Kind) {
            Kind = new TSkinTab(Skinned);
            Kind->InstallWindow(Wnd, Skinned->FSkinData, &Skinned->FControlCanvas);
            Skinned->AddControl(Kind);
        }
        Repaint(Wnd);
        return Kind;
    }

    // A system tab control on the form with no framework object; unlike the framework's,
    // it does not keep its children out of its own painting.
    HWND AddBareTabs(const RECT& R, int Count)
    {
        const HWND Wnd = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, R.left, R.top,
                                         Width(R), Height(R), Form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
        SendMessageA(Wnd, WM_SETFONT, reinterpret_cast<WPARAM>(Form->Font()->Handle()), 0);
        for (int I = 0; I < Count; ++I) {
            std::string Text = "菜谱" + std::to_string(I);
            TCITEMA Item{};
            Item.mask = TCIF_TEXT;
            Item.pszText = Text.data();
            SendMessageA(Wnd, TCM_INSERTITEMA, WPARAM(I), reinterpret_cast<LPARAM>(&Item));
        }
        return Wnd;
    }

    TSkinTab31* WrapTabSet(TTabSet* C)
    {
        TSkinTab31* Kind = KindOn<TSkinTab31>(C);
        if (!Kind) {
            Kind = new TSkinTab31(Skinned);
            Kind->InstallControl(C, Skinned->FSkinData, false, &Skinned->FControlCanvas);
        }
        Repaint(C->Handle());
        return Kind;
    }

    bool Listed(TSkinControl* Kind) const
    {
        return std::find(Skinned->FControls.begin(), Skinned->FControls.end(), Kind) != Skinned->FControls.end();
    }

public:
    void Changed(TObject* Sender) { ++Changes[Sender]; }

protected:
    TForm* Form = nullptr;
    TWinSkinForm* Skinned = nullptr;
    std::map<TObject*, int> Changes;
};

// The page border's frames (of the five "Border" frames laid side by side) seen in the
// middle of the page's left, top, right and bottom edges.
struct TBorderLook {
    int Left, Top, Right, Bottom;
};

TBorderLook BorderLook(const TCapture& Shot, RECT Page)
{
    const LONG MidX = (Page.left + Page.right) / 2, MidY = (Page.top + Page.bottom) / 2;
    return {FrameOf(Shot.Pixel(Page.left + 1, MidY), feTabsBorder), FrameOf(Shot.Pixel(MidX, Page.top + 1), feTabsBorder),
            FrameOf(Shot.Pixel(Page.right - 2, MidY), feTabsBorder),
            FrameOf(Shot.Pixel(MidX, Page.bottom - 2), feTabsBorder)};
}

// The page rectangle the border frames: the display area grown by 4, one pixel towards the tabs.
RECT BorderRect(TCustomTabControl* T, TTabPosition Side)
{
    RECT P = T->DisplayRect();
    InflateRect(&P, 4, 4);
    switch (Side) {
    case tpBottom: --P.bottom; break;
    case tpLeft: ++P.left; break;
    case tpRight: --P.right; break;
    default: ++P.top; break;
    }
    return P;
}

TEST_F(TabKinds, TabsOnEverySideShowTheirFramesBandsAndBorderTurnedToTheirSide)
{
    LoadSkin(TabSkin());
    Show();
    const TTabPosition Sides[] = {tpTop, tpBottom, tpLeft, tpRight};
    const RECT Places[] = {{10, 10, 270, 190}, {290, 10, 550, 190}, {10, 210, 270, 400}, {290, 210, 550, 400}};
    std::vector<TTabControl*> Controls;
    for (int I = 0; I < 4; ++I)
        Controls.push_back(AddTabControl(Sides[I], Places[I], {"甲一", "乙二", "丙三"}));
    ShowForm();
    for (TTabControl* T : Controls)
        WrapTab(T);
    CaptureWindow(Form->Handle()).SavePng("tabs_sides.png");

    // Where the band of the image's top rows ends up, and the border's frames 1 and 5
    // (its left and right columns before turning) on each side.
    const TBorderLook Borders[] = {{1, 3, 5, 3}, {1, 3, 5, 3}, {3, 5, 3, 1}, {3, 1, 3, 5}};
    for (int I = 0; I < 4; ++I) {
        SCOPED_TRACE("side " + std::to_string(I));
        TTabControl* T = Controls[size_t(I)];
        const TCapture Shot = CaptureWindow(T->Handle());
        for (int Tab = 0; Tab < 3; ++Tab) {
            SCOPED_TRACE("tab " + std::to_string(Tab));
            const RECT R = T->TabRect(Tab);
            ASSERT_GT(Width(R), 8);
            const TTabProbe Probe = ProbeOf(Sides[I], R);
            EXPECT_TRUE(SameColor(Shot.Pixel(Probe.BandPoint.x, Probe.BandPoint.y), Band, 4));
            EXPECT_EQ(FrameOf(Shot.Pixel(Probe.FacePoint.x, Probe.FacePoint.y), feTabs), Tab == 1 ? 2 : 1);
            EXPECT_GT(TextPixels(Shot, R, Tab == 1 ? FocusedText : NormalText, Tab == 1 ? 2 : 1), 4);
        }
        const TBorderLook B = BorderLook(Shot, BorderRect(T, Sides[I]));
        EXPECT_EQ(B.Left, Borders[I].Left);
        EXPECT_EQ(B.Top, Borders[I].Top);
        EXPECT_EQ(B.Right, Borders[I].Right);
        EXPECT_EQ(B.Bottom, Borders[I].Bottom);
    }
}

TEST_F(TabKinds, ClickingATabSelectsItOnceHotTabsStayPlainAndDisabledTextIsGrey)
{
    LoadSkin(TabSkin());
    Show(420, 220);
    TTabControl* T = AddTabControl(tpTop, {10, 10, 400, 200}, {"甲一", "乙二", "丙三"}, 0);
    T->SetHotTrack(true);
    auto* Pages = new TPageControl(Form);
    Pages->SetParent(Form);
    Pages->SetBounds(10, 110, 390, 100);
    Pages->OnChange = TNotifyEvent(this, &TabKinds::Changed);
    std::vector<TTabSheet*> Sheets;
    for (const char* Caption : {"一", "二"}) {
        auto* Sheet = new TTabSheet(Form);
        Sheet->SetPageControl(Pages);
        Sheet->SetCaption(Caption);
        Sheets.push_back(Sheet);
    }
    T->SetHeight(90);
    ShowForm();
    WrapTab(T);
    WrapTab(Pages);

    ClickAt(CentreOnScreen(T, T->TabRect(2)));
    AppPumpFor(100);
    EXPECT_EQ(T->TabIndex(), 2);
    EXPECT_EQ(Changes[T], 1);
    ClickAt(CentreOnScreen(T, T->TabRect(2)));
    AppPumpFor(GetDoubleClickTime());
    EXPECT_EQ(Changes[T], 1);
    ClickAt(CentreOnScreen(Pages, Pages->TabRect(1)));
    EXPECT_EQ(Changes[Pages], 1);
    EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
    EXPECT_TRUE(IsWindowVisible(Sheets[1]->Handle()));
    EXPECT_FALSE(IsWindowVisible(Sheets[0]->Handle()));

    // The mouse over an ordinary tab: still frame 1 with the normal text.
    MoveMouseTo(CentreOnScreen(T, T->TabRect(0)));
    AppPumpFor(150);
    TCapture Shot = CaptureWindow(T->Handle());
    Shot.SavePng("tabs_hot.png");
    RECT R = T->TabRect(0);
    EXPECT_EQ(FrameOf(Shot.Pixel(R.left + 3, R.bottom - 3), feTabs), 1);
    EXPECT_EQ(FrameOf(Shot.Pixel(T->TabRect(2).left + 3, T->TabRect(2).bottom - 3), feTabs), 2);
    EXPECT_GT(TextPixels(Shot, R, NormalText, 1), 4);

    MoveMouseTo(Away);
    T->SetEnabled(false);
    AppPumpFor(100);
    Shot = CaptureWindow(T->Handle());
    Shot.SavePng("tabs_disabled.png");
    EXPECT_EQ(FrameOf(Shot.Pixel(R.left + 3, R.bottom - 3), feTabs), 1);
    EXPECT_GT(TextPixels(Shot, R, GetSysColor(COLOR_BTNSHADOW), 1), 4);
    EXPECT_EQ(TextPixels(Shot, R, NormalText, 1), 0);
    T->SetEnabled(true);
    AppPumpFor(100);
    EXPECT_GT(TextPixels(CaptureWindow(T->Handle()), R, NormalText, 1), 4);
}

TEST_F(TabKinds, TabsWiderThanTheControlLeaveTheirUpDownToItsKind)
{
    LoadSkin(TabSkin());
    Show(300, 160);
    const HWND T = AddBareTabs({10, 10, 250, 140}, 12);
    ShowForm();
    TSkinTab* Kind = WrapTab(T);
    const HWND UpDown = FindWindowExA(T, nullptr, UPDOWN_CLASSA, nullptr);
    ASSERT_NE(UpDown, nullptr);
    ASSERT_NE(Kind->FUpDown, nullptr);
    EXPECT_EQ(Kind->FUpDown->FHandle, UpDown);
    EXPECT_TRUE(Listed(Kind->FUpDown));  // so that unskinning the form gives it back
    // The kind paints over the control's own paint without the up-down painting again.
    Repaint(T);
    Kind->PaintControl(nullptr);
    AppPumpFor(100);
    TCapture Shot = CaptureWindow(T);
    Shot.SavePng("tabs_scrolling.png");
    RECT U = WindowRect(UpDown);
    OffsetRect(&U, -WindowRect(T).left, -WindowRect(T).top);
    // The strip is clipped around the up-down, which its own kind paints.
    int TabPixels = 0;
    for (LONG Y = U.top; Y < U.bottom; ++Y)
        for (LONG X = U.left; X < U.right; ++X)
            TabPixels += FrameOf(Shot.Pixel(X, Y), feTabs) != 0;
    EXPECT_EQ(TabPixels, 0);
    EXPECT_GT(CountPixels(Shot, U, FlatColour(feUpDownHorz, 1), 4), 0);

    // Scrolled by its right arrow: the first tab leaves, the strip follows.
    ClickAt(POINT{WindowRect(UpDown).right - 3, (WindowRect(UpDown).top + WindowRect(UpDown).bottom) / 2});
    AppPumpFor(150);
    RECT Second{};
    SendMessageA(T, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&Second));
    ASSERT_LT(Second.left, 10);
    Shot = CaptureWindow(T);
    EXPECT_EQ(FrameOf(Shot.Pixel(Second.left + 3, Second.bottom - 3), feTabs), 1);
    EXPECT_EQ(SendMessageA(T, TCM_GETCURSEL, 0, 0), 0);
}

TEST_F(TabKinds, ATabSetDrawsUpsideDownTabsAndScrollsWithItsUpDown)
{
    LoadSkin(TabSkin());
    Show(320, 120);
    TTabSet* Wide = AddTabSet({10, 10, 310, 31}, 3);
    TTabSet* Narrow = AddTabSet({10, 60, 160, 81}, 8);
    ShowForm();
    WrapTabSet(Wide);
    TSkinTab31* Kind = WrapTabSet(Narrow);
    CaptureWindow(Form->Handle()).SavePng("tabset.png");

    // Visible scroll buttons keep 21 pixels free after the last tab drawn, else 9.
    auto Places = [](TTabSet* T) {
        const TMemoryDC DC;
        TDCCanvas Canvas(DC.Handle());
        Canvas->Font()->Assign(*T->Font());
        return T->TabPlaces(*Canvas.Get(), T->Width(), T->Height());
    };
    EXPECT_FALSE(Wide->Scroller()->Visible());
    ASSERT_TRUE(Narrow->Scroller()->Visible());
    const auto NarrowPlaces = Places(Narrow);
    ASSERT_FALSE(NarrowPlaces.empty());
    EXPECT_LE(NarrowPlaces.back().Rect.right + 12, Narrow->Width() - Narrow->EndMargin());
    ASSERT_NE(Kind->FUpDown, nullptr);
    EXPECT_EQ(Kind->FUpDown->FHandle, Narrow->Scroller()->Handle());
    EXPECT_EQ(Kind->FUpDown->FOrientation, 1);
    EXPECT_TRUE(Listed(Kind->FUpDown));

    for (TTabSet* T : {Wide, Narrow}) {
        const TCapture Shot = CaptureWindow(T->Handle());
        for (const TTabSet::TTabPlace& P : Places(T)) {
            SCOPED_TRACE(P.Index);
            EXPECT_TRUE(SameColor(Shot.Pixel(P.Rect.left + 3, P.Rect.bottom - 1), Band, 4));
            EXPECT_EQ(FrameOf(Shot.Pixel(P.Rect.left + 3, 2), feTabs), P.Index == T->TabIndex() ? 2 : 1);
        }
    }

    // A click selects a tab once; the up-down's right half scrolls by one tab.
    const auto WidePlaces = Places(Wide);
    ClickAt(CentreOnScreen(Wide, WidePlaces[2].Rect));
    EXPECT_EQ(Wide->TabIndex(), 2);
    EXPECT_EQ(Changes[Wide], 1);
    EXPECT_EQ(FrameOf(CaptureWindow(Wide->Handle()).Pixel(WidePlaces[2].Rect.left + 3, 2), feTabs), 2);
    const RECT S = WindowRect(Narrow->Scroller()->Handle());
    ClickAt(POINT{S.right - 3, (S.top + S.bottom) / 2});
    AppPumpFor(100);
    EXPECT_EQ(Narrow->FirstIndex(), 1);
    const auto Scrolled = Places(Narrow);
    ASSERT_FALSE(Scrolled.empty());
    EXPECT_EQ(Scrolled.front().Index, 1);
    EXPECT_EQ(Scrolled.front().Rect.left, Narrow->StartMargin());
    const TCapture After = CaptureWindow(Narrow->Handle());
    After.SavePng("tabset_scrolled.png");
    EXPECT_EQ(FrameOf(After.Pixel(Scrolled.front().Rect.left + 3, 2), feTabs), 1);
}

TEST_F(TabKinds, ANewSkinBringsItsTabImagesToBothKinds)
{
    TSkinData& Skin = LoadSkin(TabSkin());
    Skin.OnSkinChanged = TNotifyEvent(this, &TabKinds::Changed);
    Show(320, 220);
    TTabControl* T = AddTabControl(tpBottom, {10, 10, 300, 160}, {"甲一", "乙二"});
    TTabSet* Set = AddTabSet({10, 180, 300, 201}, 3);
    ShowForm();
    WrapTab(T);
    WrapTabSet(Set);
    const TTabProbe Probe = ProbeOf(tpBottom, T->TabRect(0));
    const POINT SetBand{Set->StartMargin() + 3, Set->Height() - 1};
    auto Banded = [&](HWND Wnd, POINT P) { return SameColor(CaptureWindow(Wnd).Pixel(P.x, P.y), Band, 4); };
    ASSERT_TRUE(Banded(T->Handle(), Probe.BandPoint));
    ASSERT_TRUE(Banded(Set->Handle(), SetBand));

    // The plain flat tabs: no band any more.
    TFlatSkin Plain;
    Plain.WithControls({feTabs});
    const std::string Path = TestOutputPath("tabs-plain.skin");
    Plain.WriteFile(Path);
    Skin.SetSkinFile(Path);
    ASSERT_TRUE(AppPumpUntil([&] { return Changes[&Skin] > 0; }));
    AppPumpFor(200);
    CaptureWindow(Form->Handle()).SavePng("tabs_new_skin.png");
    EXPECT_FALSE(Banded(T->Handle(), Probe.BandPoint));
    EXPECT_EQ(FrameOf(CaptureWindow(T->Handle()).Pixel(Probe.BandPoint.x, Probe.BandPoint.y), feTabs), 1);
    EXPECT_FALSE(Banded(Set->Handle(), SetBand));
    EXPECT_EQ(FrameOf(CaptureWindow(Set->Handle()).Pixel(SetBand.x, SetBand.y), feTabs), 2);
}

TEST_F(TabKinds, SkinsWithoutTabsOrBorderLeaveWhatTheyLack)
{
    // No "Tabs": the control looks as the system draws it.
    TFlatSkin NoTabs;
    NoTabs.WithControls({feUpDownHorz});
    LoadSkin(NoTabs);
    Show(420, 150);
    TTabControl* T = AddTabControl(tpTop, {10, 10, 200, 140}, {"甲一", "乙二"});
    TTabSet* Set = AddTabSet({220, 10, 400, 31}, 3);
    ShowForm();
    Repaint(T->Handle());
    Repaint(Set->Handle());
    const TCapture SystemLook = CaptureWindow(T->Handle());
    const TCapture FrameworkLook = CaptureWindow(Set->Handle());
    WrapTab(T);
    WrapTabSet(Set);
    const TCapture Wrapped = CaptureWindow(T->Handle());
    const TCapture WrappedSet = CaptureWindow(Set->Handle());
    Wrapped.SavePng("tabs_no_tabs_element.png");
    EXPECT_TRUE(Wrapped.Rgb == SystemLook.Rgb);
    EXPECT_TRUE(WrappedSet.Rgb == FrameworkLook.Rgb);
}

TEST_F(TabKinds, AnEmptyBorderImageLeavesThePageUnframedButTheStripSkinned)
{
    LoadSkin(TabSkin(false));
    Show(300, 200);
    TTabControl* T = AddTabControl(tpBottom, {10, 10, 290, 190}, {"甲一", "乙二"});
    ShowForm();
    WrapTab(T);
    const TCapture Shot = CaptureWindow(T->Handle());
    Shot.SavePng("tabs_no_border.png");
    EXPECT_EQ(CountElementPixels(Shot, feTabsBorder), 0);
    const RECT R = T->TabRect(0);
    EXPECT_EQ(FrameOf(Shot.Pixel(R.left + 3, R.top + 3), feTabs), 1);
}

TEST_F(TabKinds, ATabWithoutTextShowsItsIconAlone)
{
    LoadSkin(TabSkin());
    Show(300, 160);
    TTabControl* T = AddTabControl(tpTop, {10, 10, 290, 150}, {"", "乙二"});
    ShowForm();
    const COLORREF IconColour = RGB(20, 120, 220);
    const HIMAGELIST Images = ImageList_Create(12, 12, ILC_COLOR24, 1, 0);
    {
        TBitmap Icon;
        Icon.SetPixelFormat(pf24bit);
        Icon.SetSize(12, 12);
        const RECT All{0, 0, 12, 12};
        const TBrushHandle Fill(CreateSolidBrush(IconColour));
        FillRect(Icon.Canvas()->Handle(), &All, Fill.Get());
        Icon.Canvas()->Refresh();
        ImageList_Add(Images, Icon.Handle(), nullptr);
    }
    SendMessageA(T->Handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(Images));
    TCITEMA Item{};
    Item.mask = TCIF_IMAGE;
    Item.iImage = 0;
    SendMessageA(T->Handle(), TCM_SETITEMA, 0, reinterpret_cast<LPARAM>(&Item));
    WrapTab(T);
    const TCapture Shot = CaptureWindow(T->Handle());
    Shot.SavePng("tabs_icon.png");
    RECT R = T->TabRect(0);
    OffsetRect(&R, 0, 1);
    EXPECT_GE(CountPixels(Shot, R, IconColour, 4), 100);
    EXPECT_EQ(TextPixels(Shot, R, NormalText, 1), 0);
    SendMessageA(T->Handle(), TCM_SETIMAGELIST, 0, 0);
    ImageList_Destroy(Images);
}

TEST_F(TabKinds, HostileSkinsNeitherCrashNorHangNorLeak)
{
    constexpr DWORD Brief = 40;  // long enough for the clicks to be handled; their effect is not checked
    auto Exercise = [&](const std::string& Bytes) {
        Roots.push_back(std::make_unique<TSkinRoot>(nullptr));
        ReadComponentText(SkinDesign(Bytes), Roots.back().get(), "test");
        Show(420, 260);
        std::vector<TTabControl*> Controls;
        const TTabPosition Sides[] = {tpTop, tpBottom, tpLeft, tpRight};
        for (int I = 0; I < 4; ++I)
            Controls.push_back(AddTabControl(Sides[I], {10 + 100 * I, 10, 100 + 100 * I, 150},
                                             {"甲一", "乙二", "丙三", "丁四", "戊五"}));
        TTabSet* Set = AddTabSet({10, 170, 200, 191}, 9);
        ShowForm();
        for (TTabControl* T : Controls)
            WrapTab(T);
        WrapTabSet(Set);
        for (int Round = 0; Round < 3; ++Round) {
            for (TTabControl* T : Controls)
                Repaint(T->Handle(), 0);
            Repaint(Set->Handle(), 0);
        }
        ClickAt(CentreOnScreen(Controls[0], Controls[0]->TabRect(1)), Brief);
        Controls[0]->SetBounds(10, 10, 60, 100);
        Repaint(Controls[0]->Handle());
        const RECT S = WindowRect(Set->Scroller()->Handle());
        ClickAt(POINT{S.right - 3, (S.top + S.bottom) / 2}, Brief);
        MoveMouseTo(Away);
        SkinnedWindow::TearDown();
        Form = nullptr;
        Skinned = nullptr;
    };
    Exercise(TabSkin().Pack());  // the first run makes what stays for the process
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
