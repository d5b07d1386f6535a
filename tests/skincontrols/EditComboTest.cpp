// Edits, combo boxes and up-downs painted by their kinds on a skinned form with a flat-colour
// skin, driven by real mouse and keyboard input: framework controls (an edit with its up-down
// beside it, combo boxes, a horizontal up-down) and bare system windows made on the form (an
// edit without border, an edit holding an up-down child, a combo box with its button on the
// left).
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/design/DesignReader.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Edit.h"
#include "framework/ui/UpDown.h"
#include "skin/controls/EditCombo.h"
#include "tests/controls/Input.h"
#include "tests/skinform/GdiCount.h"
#include "tests/skinform/SkinnedWindow.h"
#include "tests/support/Capture.h"

namespace {

// Up-down images smaller than their buttons, so that both the button and its glyph show.
TFlatSkin EditComboSkin()
{
    TFlatSkin S;
    S.WithControls({feSunkEdge, feComboButton, feExtraImages, feUpDownVert, feUpDownHorz});
    for (TFlatSkin::TControlElement& E : S.ControlElements)
        if (E.Element == feUpDownVert || E.Element == feUpDownHorz) {
            E.Width = 8;
            E.Height = 6;
        }
    return S;
}

TFlatSkin SkinWithout(TFlatControlElement Missing)
{
    TFlatSkin S = EditComboSkin();
    auto& Elements = S.ControlElements;
    Elements.erase(std::remove_if(Elements.begin(), Elements.end(),
                                  [Missing](const TFlatSkin::TControlElement& E) { return E.Element == Missing; }),
                   Elements.end());
    return S;
}

COLORREF KeyColour(const std::string& Key)
{
    for (int I = 0; I < int(std::size(FlatColourKeys)); ++I)
        if (Key == FlatColourKeys[I])
            return FlatKeyColour(I);
    throw std::invalid_argument(Key);
}

// The frame of Element whose flat colour is at (X, Y) of Wnd (window coordinates); 0 if none.
int FrameAt(HWND Wnd, int Element, int X, int Y)
{
    const COLORREF P = WindowPixel(Wnd, X, Y);
    for (int F = 1; F <= 8; ++F)
        if (SameColor(P, FlatColour(Element, F), 4))
            return F;
    return 0;
}

int FrameIn(const TCapture& Shot, int Element, int X, int Y)
{
    for (int F = 1; F <= 8; ++F)
        if (SameColor(Shot.Pixel(X, Y), FlatColour(Element, F), 4))
            return F;
    return 0;
}

POINT CentreOf(HWND Wnd, int DX = 0, int DY = 0)
{
    const RECT R = WindowRect(Wnd);
    return POINT{(R.left + R.right) / 2 + DX, (R.top + R.bottom) / 2 + DY};
}

void MouseButton(bool Down)
{
    INPUT In{};
    In.type = INPUT_MOUSE;
    In.mi.dwFlags = Down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &In, sizeof In);
    AppPumpFor(100);
}

std::string TextOf(HWND Wnd)
{
    char Text[64] = {};
    GetWindowTextA(Wnd, Text, int(sizeof Text));
    return Text;
}

const POINT Away{1000, 740};

// Where the parts of a combo box's skin land: the frame, the button, the glyph (window
// coordinates), for the button on either side.
struct TComboSpots {
    POINT Edge, Button, Glyph, Inside;
};

TComboSpots SpotsOf(HWND Combo)
{
    const RECT R = WindowRect(Combo);
    const int W = Width(R), H = Height(R), S = GetSystemMetrics(SM_CXHSCROLL);
    if (GetWindowLongPtrA(Combo, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR)
        return {{W - 1, H / 2}, {0, H / 2}, {2 + S / 2, H / 2}, {W - 10, H / 2}};
    return {{0, H / 2}, {W - 1, H / 2}, {W - 2 - S / 2, H / 2}, {10, H / 2}};
}

// The frames a combo box shows: (frame, button, glyph); all equal when it is drawn right.
std::vector<int> ComboFrames(HWND Combo)
{
    const TComboSpots S = SpotsOf(Combo);
    return {FrameAt(Combo, feSunkEdge, S.Edge.x, S.Edge.y), FrameAt(Combo, feComboButton, S.Button.x, S.Button.y),
            FrameAt(Combo, feExtraImages, S.Glyph.x, S.Glyph.y)};
}

std::vector<int> Three(int Frame)
{
    return {Frame, Frame, Frame};
}

// Frames of the two buttons of an up-down, read at a corner of each button (the element) and
// at each button's centre (the glyph): {first, first glyph, second, second glyph}.
std::vector<int> UpDownFrames(HWND UpDown, bool Inset = false)
{
    const bool Horizontal = GetWindowLongPtrA(UpDown, GWL_STYLE) & UDS_HORZ;
    const int Element = Horizontal ? feUpDownHorz : feUpDownVert;
    const TCapture Shot = CaptureWindow(UpDown);
    const int In = Inset ? 2 : 1;
    const int W = Shot.Width, H = Shot.Height;
    if (Horizontal)
        return {FrameIn(Shot, Element, In, In), FrameIn(Shot, Element + 1, W / 4, H / 2),
                FrameIn(Shot, Element, W - 1 - In, In), FrameIn(Shot, Element + 1, 3 * W / 4, H / 2)};
    return {FrameIn(Shot, Element, In, In), FrameIn(Shot, Element + 1, W / 2, H / 4),
            FrameIn(Shot, Element, In, H - 1 - In), FrameIn(Shot, Element + 1, W / 2, 3 * H / 4)};
}

class EditComboKinds : public SkinnedWindow {
protected:
    void SetUp() override { MoveMouseTo(Away); }

    // A skinned form holding every kind of control this file looks at, each wrapped.
    void MakeControls()
    {
        TForm* Form = MakeForm({bsSizeable, {biSystemMenu}, 460, 220, "Edits and combo boxes", 100, 100});
        Edit = new TEdit(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(10, 10, 90, 44);
        Spin = new TUpDown(Form);
        Spin->SetParent(Form);
        Spin->SetBounds(100, 10, 24, 44);
        Spin->SetAssociate(Edit);
        Spin->SetPosition(50);
        HorzSpin = new TUpDown(Form);
        HorzSpin->SetParent(Form);
        HorzSpin->SetOrientation(udHorizontal);
        HorzSpin->SetBounds(140, 10, 48, 24);
        HorzSpin->SetPosition(10);
        List = new TComboBox(Form);
        List->SetParent(Form);
        List->SetStyle(csDropDownList);
        List->SetBounds(10, 70, 140, 24);
        Combo = new TComboBox(Form);
        Combo->SetParent(Form);
        Combo->SetBounds(160, 70, 140, 24);
        for (TCustomComboBox* C : {static_cast<TCustomComboBox*>(List), static_cast<TCustomComboBox*>(Combo)})
            for (const char* Item : {"Salt", "Sugar", "Vinegar", "Soy sauce"})
                C->Items()->Add(Item);
        List->OnSelect = TNotifyEvent(this, &EditComboKinds::Selected);
        Combo->OnSelect = TNotifyEvent(this, &EditComboKinds::Selected);
        Holder = new TEdit(Form);
        Holder->SetParent(Form);
        Holder->SetBounds(320, 180, 100, 24);

        Skinned = ShowSkinned(Form);
        ASSERT_NE(Skinned, nullptr);
        const HWND Parent = Form->Handle();
        const HINSTANCE Instance = GetModuleHandleA(nullptr);
        Bare = CreateWindowExA(0, "EDIT", "bare", WS_CHILD | WS_VISIBLE, 200, 10, 80, 24, Parent, nullptr, Instance,
                               nullptr);
        Boxed = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "7", WS_CHILD | WS_VISIBLE, 300, 10, 100, 44, Parent, nullptr,
                                Instance, nullptr);
        RECT Client{};
        GetClientRect(Boxed, &Client);
        Inner = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_NOTHOUSANDS,
                                Client.right - 24, 0, 24, Client.bottom, Boxed, nullptr, Instance, nullptr);
        SendMessageA(Inner, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Boxed), 0);
        SendMessageA(Inner, UDM_SETRANGE32, 0, 100);
        SendMessageA(Inner, UDM_SETPOS32, 0, 7);
        LeftCombo = CreateWindowExA(WS_EX_LEFTSCROLLBAR, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST,
                                    10, 120, 140, 200, Parent, nullptr, Instance, nullptr);
        SendMessageA(LeftCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Left"));
        SendMessageA(LeftCombo, CB_SETCURSEL, 0, 0);

        for (TWinControl* C : std::initializer_list<TWinControl*>{Edit, Holder})
            Install<TSkinEdit>(C->Handle());
        Install<TSkinEdit>(Bare);
        BoxedKind = Install<TSkinEdit>(Boxed);
        Install<TSkinComBox>(LeftCombo);
        for (TWinControl* C : std::initializer_list<TWinControl*>{List, Combo})
            Install<TSkinComBox>(C);
        for (TWinControl* C : std::initializer_list<TWinControl*>{Spin, HorzSpin})
            Install<TSkinUpDown>(C);
        Holder->SetFocus();
        RedrawWindow(Parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        AppPumpFor(150);
    }

    // The kind of K on the window: the one the form skin object made, or a new one.
    template<class K>
    K* Existing(HWND Wnd)
    {
        for (int I = 0; I < Skinned->ComponentCount(); ++I)
            if (auto* Kind = dynamic_cast<K*>(Skinned->Components(I)); Kind && Kind->FHandle == Wnd)
                return Kind;
        return nullptr;
    }
    template<class K>
    K* Install(HWND Wnd)
    {
        if (K* Kind = Existing<K>(Wnd))
            return Kind;
        auto* Kind = new K(Skinned);
        Kind->InstallWindow(Wnd, Skinned->FSkinData, &Skinned->FControlCanvas);
        return Kind;
    }
    template<class K>
    K* Install(TWinControl* Control)
    {
        if (K* Kind = Existing<K>(Control->Handle()))
            return Kind;
        auto* Kind = new K(Skinned);
        Kind->InstallControl(Control, Skinned->FSkinData, false, &Skinned->FControlCanvas);
        return Kind;
    }

    void Selected(TObject* Sender) { Selections.push_back(static_cast<TCustomComboBox*>(Sender)->ItemIndex()); }

    // Every control painted again, at once.
    void RepaintAll()
    {
        RedrawWindow(Skinned->FHandle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }

    // What the tests check after anything: every control still shows its normal look.
    void ExpectNormalLooks()
    {
        EXPECT_EQ(ComboFrames(List->Handle()), Three(1));
        EXPECT_EQ(ComboFrames(LeftCombo), Three(1));
        EXPECT_EQ(UpDownFrames(Spin->Handle()), (std::vector<int>{1, 1, 5, 5}));
        EXPECT_EQ(UpDownFrames(HorzSpin->Handle()), (std::vector<int>{1, 1, 5, 5}));
        EXPECT_TRUE(SameColor(WindowPixel(Edit->Handle(), 0, 20), KeyColour("ButtonShadow"), 4));
    }

    TWinSkinForm* Skinned = nullptr;
    TEdit* Edit = nullptr;
    TEdit* Holder = nullptr;
    TUpDown* Spin = nullptr;
    TUpDown* HorzSpin = nullptr;
    TComboBox* List = nullptr;
    TComboBox* Combo = nullptr;
    HWND Bare = nullptr, Boxed = nullptr, Inner = nullptr, LeftCombo = nullptr;
    TSkinEdit* BoxedKind = nullptr;
    std::vector<int> Selections;
};

TEST_F(EditComboKinds, EditsGetAFrameOnlyOverABorderAndTheirUpDownChildItsKind)
{
    LoadSkin(EditComboSkin());
    MakeControls();
    CaptureWindow(Skinned->FHandle).SavePng("editcombo_controls.png");
    const COLORREF Shadow = KeyColour("ButtonShadow"), White = RGB(255, 255, 255);
    for (const HWND Wnd : {Edit->Handle(), Boxed}) {
        EXPECT_TRUE(SameColor(WindowPixel(Wnd, 0, 20), Shadow, 4));
        EXPECT_TRUE(SameColor(WindowPixel(Wnd, 1, 20), White, 4));
        EXPECT_TRUE(SameColor(WindowPixel(Wnd, 30, 0), Shadow, 4));
    }
    EXPECT_FALSE(SameColor(WindowPixel(Bare, 0, 12), Shadow, 40));

    // The up-down inside the edit was found at the edit's first paint and drawn one pixel in.
    ASSERT_NE(BoxedKind->FUpDown, nullptr);
    EXPECT_EQ(BoxedKind->FUpDown->FHandle, Inner);
    EXPECT_TRUE(BoxedKind->FUpDown->FInset);
    EXPECT_TRUE(SameColor(WindowPixel(Inner, 0, 0), KeyColour("ButtonFace"), 4));
    EXPECT_EQ(UpDownFrames(Inner, true), (std::vector<int>{1, 1, 5, 5}));
    ClickAt(CentreOf(Inner, 0, -8));
    EXPECT_EQ(TextOf(Boxed), "8");

    // A print of the edit (as an animation or a drag image takes it) carries the frame too.
    const RECT R = WindowRect(Edit->Handle());
    TBitmap Print;
    Print.SetSize(Width(R), Height(R));
    SendMessageA(Edit->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(Print.Canvas()->Handle()),
                 PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_TRUE(SameColor(GetPixel(Print.Canvas()->Handle(), 0, 20), Shadow, 4));
}

TEST_F(EditComboKinds, ComboBoxesShowTheirStateOnFrameButtonAndGlyphWithTheButtonOnEitherSide)
{
    LoadSkin(EditComboSkin());
    MakeControls();
    CaptureWindow(LeftCombo).SavePng("editcombo_left_combo.png");
    EXPECT_EQ(ComboFrames(List->Handle()), Three(1));
    EXPECT_EQ(ComboFrames(Combo->Handle()), Three(1));
    EXPECT_EQ(ComboFrames(LeftCombo), Three(1));
    // The edit area is the combo box's own.
    for (const HWND Wnd : {List->Handle(), Combo->Handle(), LeftCombo}) {
        const POINT In = SpotsOf(Wnd).Inside;
        EXPECT_EQ(FrameAt(Wnd, feSunkEdge, In.x, In.y), 0);
        EXPECT_EQ(FrameAt(Wnd, feComboButton, In.x, In.y), 0);
    }

    // Hover and focus show frame 4, a held button frame 2, a disabled box frame 3.
    MoveMouseTo(CentreOf(List->Handle()));
    EXPECT_EQ(ComboFrames(List->Handle()), Three(4));
    MoveMouseTo(Away, 400);  // the leave is polled
    EXPECT_EQ(ComboFrames(List->Handle()), Three(1));
    SetFocus(LeftCombo);
    AppPumpFor(100);
    EXPECT_EQ(ComboFrames(LeftCombo), Three(4));
    const TComboSpots Spots = SpotsOf(LeftCombo);
    const RECT L = WindowRect(LeftCombo);
    MoveMouseTo(POINT{L.left + Spots.Glyph.x, L.top + Spots.Glyph.y});
    MouseButton(true);
    EXPECT_EQ(ComboFrames(LeftCombo), Three(2));
    MouseButton(false);
    EXPECT_EQ(ComboFrames(LeftCombo), Three(4));
    PressKey(VK_ESCAPE);
    Holder->SetFocus();
    MoveMouseTo(Away);
    EXPECT_EQ(ComboFrames(LeftCombo), Three(1));
    List->SetEnabled(false);
    EnableWindow(LeftCombo, FALSE);
    AppPumpFor(100);
    EXPECT_EQ(ComboFrames(List->Handle()), Three(3));
    EXPECT_EQ(ComboFrames(LeftCombo), Three(3));
    MoveMouseTo(CentreOf(List->Handle()));
    EXPECT_EQ(ComboFrames(List->Handle()), Three(3));
}

TEST_F(EditComboKinds, DropDownListsOpenByMouseAndKeyboardAndTheChoiceArrives)
{
    LoadSkin(EditComboSkin());
    MakeControls();
    const auto ClickItem = [](TComboBox* C, int Index) {
        COMBOBOXINFO Info{};
        Info.cbSize = sizeof Info;
        ASSERT_TRUE(GetComboBoxInfo(C->Handle(), &Info));
        RECT Item{};
        SendMessageA(Info.hwndList, LB_GETITEMRECT, WPARAM(Index), reinterpret_cast<LPARAM>(&Item));
        POINT P{(Item.left + Item.right) / 2, (Item.top + Item.bottom) / 2};
        ClientToScreen(Info.hwndList, &P);
        ClickAt(P);
    };
    for (TComboBox* C : {List, Combo}) {
        SCOPED_TRACE(C == List ? "drop-down list" : "drop-down");
        Selections.clear();
        const TComboSpots S = SpotsOf(C->Handle());
        const RECT R = WindowRect(C->Handle());
        ClickAt(POINT{R.left + S.Glyph.x, R.top + S.Glyph.y});
        ASSERT_TRUE(AppPumpUntil([&] { return C->DroppedDown(); }));
        ClickItem(C, 2);
        EXPECT_FALSE(C->DroppedDown());
        EXPECT_EQ(C->ItemIndex(), 2);
        EXPECT_EQ(C->Text(), "Vinegar");
        EXPECT_EQ(Selections, std::vector<int>{2});

        PressKey(VK_F4);
        ASSERT_TRUE(AppPumpUntil([&] { return C->DroppedDown(); }));
        PressKey(VK_DOWN);
        PressKey(VK_RETURN);
        EXPECT_FALSE(C->DroppedDown());
        EXPECT_EQ(C->ItemIndex(), 3);
        EXPECT_EQ(C->Text(), "Soy sauce");
        EXPECT_EQ(Selections.back(), 3);
        MoveMouseTo(Away);
        Holder->SetFocus();
        AppPumpFor(100);
        EXPECT_EQ(ComboFrames(C->Handle()), Three(1));
    }
}

TEST_F(EditComboKinds, EachUpDownHalfShowsItsPressedFrameWhileHeldAndStepsOncePerClick)
{
    LoadSkin(EditComboSkin());
    MakeControls();
    EXPECT_EQ(UpDownFrames(Spin->Handle()), (std::vector<int>{1, 1, 5, 5}));
    EXPECT_EQ(UpDownFrames(HorzSpin->Handle()), (std::vector<int>{1, 1, 5, 5}));

    // Held: the pressed half only; released: one step.
    MoveMouseTo(CentreOf(Spin->Handle(), 0, 11));
    MouseButton(true);
    EXPECT_EQ(UpDownFrames(Spin->Handle()), (std::vector<int>{1, 1, 6, 6}));
    MouseButton(false);
    EXPECT_EQ(UpDownFrames(Spin->Handle()), (std::vector<int>{1, 1, 5, 5}));
    EXPECT_EQ(Spin->Position(), 49);
    EXPECT_EQ(Edit->Text(), "49");
    MoveMouseTo(CentreOf(Spin->Handle(), 0, -11));
    MouseButton(true);
    EXPECT_EQ(UpDownFrames(Spin->Handle()), (std::vector<int>{2, 2, 5, 5}));
    MouseButton(false);
    EXPECT_EQ(Spin->Position(), 50);
    ClickAt(CentreOf(Spin->Handle(), 0, -11));  // the second click of a double click
    EXPECT_EQ(Spin->Position(), 51);
    AppPumpFor(GetDoubleClickTime());

    MoveMouseTo(CentreOf(HorzSpin->Handle(), 12, 0));
    MouseButton(true);
    EXPECT_EQ(UpDownFrames(HorzSpin->Handle()), (std::vector<int>{1, 1, 6, 6}));
    MouseButton(false);
    EXPECT_EQ(HorzSpin->Position(), 11);
    MoveMouseTo(CentreOf(HorzSpin->Handle(), -12, 0));
    MouseButton(true);
    EXPECT_EQ(UpDownFrames(HorzSpin->Handle()), (std::vector<int>{2, 2, 5, 5}));
    MouseButton(false);
    EXPECT_EQ(HorzSpin->Position(), 10);

    // Disabled: frames 3 and 7 whatever the mouse does, and no step.
    Spin->SetEnabled(false);
    HorzSpin->SetEnabled(false);
    AppPumpFor(100);
    ClickAt(CentreOf(Spin->Handle(), 0, -11));
    EXPECT_EQ(Spin->Position(), 51);
    EXPECT_EQ(UpDownFrames(Spin->Handle()), (std::vector<int>{3, 3, 7, 7}));
    EXPECT_EQ(UpDownFrames(HorzSpin->Handle()), (std::vector<int>{3, 3, 7, 7}));
}

TEST_F(EditComboKinds, UpDownsWithoutGlyphImagesGetPlainButtons)
{
    TFlatSkin Skin = EditComboSkin();
    for (TFlatSkin::TControlElement& E : Skin.ControlElements)
        E.SecondKey.clear();  // the up-downs keep their button images but lose the glyphs
    LoadSkin(Skin);
    MakeControls();
    const COLORREF Face = KeyColour("ButtonFace"), Shadow = KeyColour("ButtonShadow"),
                   Dark = KeyColour("ButtonDkShadow");
    const auto Count = [](const TCapture& Shot, COLORREF Colour, const RECT& Area) {
        int N = 0;
        for (int Y = Area.top; Y < Area.bottom; ++Y)
            for (int X = Area.left; X < Area.right; ++X)
                N += SameColor(Shot.Pixel(X, Y), Colour, 4);
        return N;
    };
    MoveMouseTo(CentreOf(Spin->Handle(), 0, 11));
    MouseButton(true);
    const TCapture Shot = CaptureWindow(Spin->Handle());
    MouseButton(false);
    Shot.SavePng("editcombo_plain_updown.png");
    const int W = Shot.Width, Half = Shot.Height / 2;
    // Outlined, face-coloured above and shadow-coloured below while pressed, an arrow in each.
    EXPECT_TRUE(SameColor(Shot.Pixel(0, 0), Dark, 4));
    EXPECT_TRUE(SameColor(Shot.Pixel(2, 2), Face, 4));
    EXPECT_TRUE(SameColor(Shot.Pixel(2, Half + 2), Shadow, 4));
    EXPECT_GE(Count(Shot, Dark, RECT{2, 2, W - 2, Half - 2}), 8);
    EXPECT_GE(Count(Shot, Dark, RECT{2, Half + 2, W - 2, Shot.Height - 2}), 8);
    EXPECT_EQ(Count(Shot, FlatColour(feUpDownVert, 1), RECT{0, 0, W, Shot.Height}), 0);
    EXPECT_EQ(Spin->Position(), 49);
}

TEST_F(EditComboKinds, ASkinLackingAnElementLeavesComboBoxesAsTheSystemDrawsThem)
{
    const auto Look = [](HWND Wnd) {
        InvalidateRect(Wnd, nullptr, TRUE);
        RedrawWindow(Wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        AppPumpFor(100);
        return CaptureWindow(Wnd);
    };
    for (const TFlatControlElement Missing : {feComboButton, feSunkEdge}) {
        SCOPED_TRACE(Missing);
        LoadSkin(SkinWithout(Missing));
        TForm* Form = MakeForm();
        auto* C = new TComboBox(Form);
        C->SetParent(Form);
        C->SetStyle(csDropDownList);
        C->SetBounds(10, 10, 140, 24);
        TWinSkinForm* Skin = ShowSkinned(Form);
        ASSERT_NE(Skin, nullptr);
        const TCapture Before = Look(C->Handle());
        auto* Kind = new TSkinComBox(Skin);
        Kind->InstallControl(C, Skin->FSkinData, false, &Skin->FControlCanvas);
        const TCapture After = Look(C->Handle());
        EXPECT_EQ(Before.Rgb, After.Rgb);
        SkinnedWindow::TearDown();
    }
    // Without the glyph images the button still shows, with no glyph on it.
    LoadSkin(SkinWithout(feExtraImages));
    MakeControls();
    const TComboSpots S = SpotsOf(List->Handle());
    EXPECT_EQ(FrameAt(List->Handle(), feComboButton, S.Glyph.x, S.Glyph.y), 1);
}

// Skins full of nonsense on every kind: painted, pressed, dropped down and stepped without a
// crash, a hang or GDI objects left behind; then thousands of repaints that still paint right.
TEST_F(EditComboKinds, HostileSkinsAndASoakOfRepaintsHarmNoKind)
{
    const auto Exercise = [&] {
        MakeControls();
        ClickAt(CentreOf(Spin->Handle(), 0, 11));
        ClickAt(CentreOf(HorzSpin->Handle(), -12, 0));
        ClickAt(CentreOf(Inner, 0, -8));
        ClickAt(CentreOf(List->Handle()));
        PressKey(VK_ESCAPE);
        MoveMouseTo(CentreOf(Combo->Handle()));
        SetFocus(LeftCombo);
        SendMessageA(Edit->Handle(), WM_PRINT, 0, PRF_NONCLIENT);
        RepaintAll();
        MoveMouseTo(Away);
        AppPumpFor(100);
    };
    LoadSkin(EditComboSkin());
    Exercise();  // the first run makes what stays for the process
    SkinnedWindow::TearDown();
    const int Before = LiveGdiObjects();
    ASSERT_GT(Before, 0);
    for (const auto& [Name, Bytes] : HostileSkins()) {
        SCOPED_TRACE(Name);
        Roots.push_back(std::make_unique<TSkinRoot>(nullptr));
        ReadComponentText(SkinDesign(Bytes), Roots.back().get(), "test");
        Exercise();
        SkinnedWindow::TearDown();
    }
    const int After = LiveGdiObjects();
    std::printf("%d GDI objects before the hostile skins, %d after\n", Before, After);
    EXPECT_LE(After, Before + 8);

    LoadSkin(EditComboSkin());
    MakeControls();
    const int SoakBefore = LiveGdiObjects();
    for (int I = 0; I < 2000; ++I) {
        RepaintAll();
        if (I % 50 == 0)
            AppPumpFor(0);
    }
    AppPumpFor(100);
    const int SoakAfter = LiveGdiObjects();
    std::printf("%d GDI objects before 2000 repaints, %d after\n", SoakBefore, SoakAfter);
    EXPECT_LE(SoakAfter, SoakBefore + 8);
    ExpectNormalLooks();
}

}  // namespace
