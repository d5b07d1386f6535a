// Edits, combo boxes and up-downs painted by their kinds on a skinned form with a flat-colour
// skin, under real mouse and keyboard input: framework controls and bare system windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

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

const std::vector<TFlatControlElement> AllElements{feSunkEdge, feComboButton, feExtraImages, feUpDownVert, feUpDownHorz};

// Up-down images smaller than their buttons, so that button and glyph both show.
TFlatSkin EditSkin(const std::vector<TFlatControlElement>& Elements = AllElements, bool Glyphs = true)
{
    TFlatSkin S;
    for (const TFlatControlElement E : Elements)
        S.ControlElements.push_back(TFlatSkin::ControlElement(E));
    for (TFlatSkin::TControlElement& E : S.ControlElements) {
        if (E.Element == feUpDownVert || E.Element == feUpDownHorz)
            E.Width = 8, E.Height = 6;
        if (!Glyphs)
            E.SecondKey.clear();
    }
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
    for (int F = 1; F <= 8; ++F)
        if (SameColor(WindowPixel(Wnd, X, Y), FlatColour(Element, F), 4))
            return F;
    return 0;
}

// The frames of a combo box's border, button and glyph, and of anything skinned over its
// edit area (0: nothing), with the button on either side.
std::vector<int> ComboLook(HWND Combo)
{
    const RECT R = WindowRect(Combo);
    const int W = Width(R), Y = Height(R) / 2, S = GetSystemMetrics(SM_CXHSCROLL);
    const bool Left = GetWindowLongPtrA(Combo, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR;
    return {FrameAt(Combo, feSunkEdge, Left ? W - 1 : 0, Y), FrameAt(Combo, feComboButton, Left ? 0 : W - 1, Y),
            FrameAt(Combo, feExtraImages, Left ? 2 + S / 2 : W - 2 - S / 2, Y),
            FrameAt(Combo, feSunkEdge, Left ? W - 12 : 12, Y)};
}

std::vector<int> Look(int Frame)
{
    return {Frame, Frame, Frame, 0};
}

POINT ComboButtonPoint(HWND Combo)
{
    const RECT R = WindowRect(Combo);
    const int S = GetSystemMetrics(SM_CXHSCROLL), Y = (R.top + R.bottom) / 2;
    return GetWindowLongPtrA(Combo, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR ? POINT{R.left + 2 + S / 2, Y}
                                                                       : POINT{R.right - 2 - S / 2, Y};
}

// Frames of an up-down's first and second button at a corner of each (the button image) and
// at each centre (the glyph).
std::vector<int> UpDownLook(HWND UpDown, int In = 1)
{
    const RECT R = WindowRect(UpDown);
    const int W = Width(R), H = Height(R);
    const bool Horz = GetWindowLongPtrA(UpDown, GWL_STYLE) & UDS_HORZ;
    const int E = Horz ? feUpDownHorz : feUpDownVert;
    return Horz ? std::vector<int>{FrameAt(UpDown, E, In, In), FrameAt(UpDown, E + 1, W / 4, H / 2),
                                   FrameAt(UpDown, E, W - 1 - In, In), FrameAt(UpDown, E + 1, 3 * W / 4, H / 2)}
                : std::vector<int>{FrameAt(UpDown, E, In, In), FrameAt(UpDown, E + 1, W / 2, H / 4),
                                   FrameAt(UpDown, E, In, H - 1 - In), FrameAt(UpDown, E + 1, W / 2, 3 * H / 4)};
}

using V = std::vector<int>;

POINT CentreOf(HWND Wnd, int DX = 0, int DY = 0)
{
    const RECT R = WindowRect(Wnd);
    return POINT{(R.left + R.right) / 2 + DX, (R.top + R.bottom) / 2 + DY};
}

const POINT Away{1000, 740};

class EditComboKinds : public SkinnedWindow {
protected:
    void SetUp() override { MoveMouseTo(Away); }

    template<class C>
    C* Add(TForm* Form, int X, int Y, int W, int H)
    {
        auto* Control = new C(Form);
        Control->SetParent(Form);
        Control->SetBounds(X, Y, W, H);
        Control->SetTag(99);  // left alone by the form's own walk: wrapped below
        return Control;
    }
    HWND AddBare(const char* Class, DWORD ExStyle, DWORD Style, int X, int Y, int W, int H, HWND Parent)
    {
        return CreateWindowExA(ExStyle, Class, "7", WS_CHILD | WS_VISIBLE | Style, X, Y, W, H, Parent, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }
    template<class K>
    K* Wrap(HWND Wnd)
    {
        auto* Kind = new K(Skinned);
        Kind->InstallWindow(Wnd, Skinned->FSkinData, &Skinned->FControlCanvas);
        return Kind;
    }
    template<class K>
    void Wrap(TWinControl* Control)
    {
        (new K(Skinned))->InstallControl(Control, Skinned->FSkinData, false, &Skinned->FControlCanvas);
    }

    // A skinned form with framework controls (an edit with its up-down beside it, a horizontal
    // up-down, two combo boxes) and bare ones (an edit without border, an edit holding an
    // up-down, a combo box with its button on the left), each wrapped by its kind.
    void MakeControls()
    {
        TForm* Form = MakeForm({bsSizeable, {biSystemMenu}, 460, 220, "Edits and combo boxes", 100, 100});
        Edit = Add<TEdit>(Form, 10, 10, 90, 44);
        Spin = Add<TUpDown>(Form, 100, 10, 24, 44);
        Spin->SetAssociate(Edit);
        Spin->SetPosition(50);
        HorzSpin = Add<TUpDown>(Form, 140, 10, 48, 24);
        HorzSpin->SetOrientation(udHorizontal);
        List = Add<TComboBox>(Form, 10, 70, 140, 24);
        List->SetStyle(csDropDownList);
        Combo = Add<TComboBox>(Form, 160, 70, 140, 24);
        for (TComboBox* C : {List, Combo}) {
            for (const char* Item : {"Salt", "Sugar", "Vinegar", "Soy sauce"})
                C->Items()->Add(Item);
            C->OnSelect = TNotifyEvent(this, &EditComboKinds::Selected);
        }
        Holder = Add<TEdit>(Form, 320, 180, 100, 24);
        Skinned = ShowSkinned(Form);
        ASSERT_NE(Skinned, nullptr);
        const HWND F = Form->Handle();
        Bare = AddBare("EDIT", 0, 0, 200, 10, 80, 24, F);
        Boxed = AddBare("EDIT", WS_EX_CLIENTEDGE, 0, 300, 10, 100, 44, F);
        Inner = AddBare(UPDOWN_CLASSA, 0, UDS_SETBUDDYINT, 72, 0, 24, 40, Boxed);
        SendMessageA(Inner, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Boxed), 0);
        SendMessageA(Inner, UDM_SETRANGE32, 0, 100);
        SendMessageA(Inner, UDM_SETPOS32, 0, 7);
        LeftCombo = AddBare("COMBOBOX", WS_EX_LEFTSCROLLBAR, CBS_DROPDOWNLIST, 10, 120, 140, 200, F);
        SendMessageA(LeftCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Left"));
        Wrap<TSkinEdit>(Edit->Handle());
        Wrap<TSkinEdit>(Bare);
        BoxedKind = Wrap<TSkinEdit>(Boxed);
        Wrap<TSkinComBox>(LeftCombo);
        Wrap<TSkinComBox>(List);
        Wrap<TSkinComBox>(Combo);
        Wrap<TSkinUpDown>(Spin);
        Wrap<TSkinUpDown>(HorzSpin);
        Holder->SetFocus();
        RepaintAll();
    }

    void Selected(TObject* Sender) { Selections.push_back(static_cast<TComboBox*>(Sender)->ItemIndex()); }

    // Everything painted again; Wine shows a window DC's drawing once messages are handled.
    void RepaintAll()
    {
        RedrawWindow(Skinned->FHandle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        AppPumpFor(150);
    }

    TWinSkinForm* Skinned = nullptr;
    TEdit *Edit = nullptr, *Holder = nullptr;
    TUpDown *Spin = nullptr, *HorzSpin = nullptr;
    TComboBox *List = nullptr, *Combo = nullptr;
    HWND Bare = nullptr, Boxed = nullptr, Inner = nullptr, LeftCombo = nullptr;
    TSkinEdit* BoxedKind = nullptr;
    std::vector<int> Selections;
};

TEST_F(EditComboKinds, EditsAreFramedOverTheirBorderAndTheirUpDownChildIsSkinnedOnePixelIn)
{
    LoadSkin(EditSkin());
    MakeControls();
    CaptureWindow(Skinned->FHandle).SavePng("editcombo_controls.png");
    const COLORREF Shadow = KeyColour("ButtonShadow");
    for (const HWND Wnd : {Edit->Handle(), Boxed}) {
        EXPECT_TRUE(SameColor(WindowPixel(Wnd, 0, 20), Shadow, 4));
        EXPECT_TRUE(SameColor(WindowPixel(Wnd, 30, 1), RGB(255, 255, 255), 4));
    }
    EXPECT_FALSE(SameColor(WindowPixel(Bare, 0, 12), Shadow, 40));

    ASSERT_NE(BoxedKind->FUpDown, nullptr);
    EXPECT_EQ(BoxedKind->FUpDown->FHandle, Inner);
    EXPECT_TRUE(SameColor(WindowPixel(Inner, 0, 0), KeyColour("ButtonFace"), 4));
    EXPECT_EQ(UpDownLook(Inner, 2), (V{1, 1, 5, 5}));
    ClickAt(CentreOf(Inner, 0, -8));
    EXPECT_EQ(WindowTextOf(Boxed), "8");

    // A print of the edit carries the frame too, whatever clipping the edit's own print left.
    TBitmap Print;
    Print.SetSize(Width(WindowRect(Edit->Handle())), Height(WindowRect(Edit->Handle())));
    SendMessageA(Edit->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(Print.Canvas()->Handle()), PRF_NONCLIENT | PRF_CLIENT);
    EXPECT_TRUE(SameColor(GetPixel(Print.Canvas()->Handle(), 0, 20), Shadow, 4));
}

TEST_F(EditComboKinds, ComboBoxesShowNormalHotFocusedPressedAndDisabledWithTheButtonOnEitherSide)
{
    LoadSkin(EditSkin());
    MakeControls();
    for (const HWND Wnd : {List->Handle(), Combo->Handle(), LeftCombo})
        EXPECT_EQ(ComboLook(Wnd), Look(1));
    MoveMouseTo(CentreOf(List->Handle()));
    EXPECT_EQ(ComboLook(List->Handle()), Look(4));
    MoveMouseTo(Away, 400);  // the leave is polled
    EXPECT_EQ(ComboLook(List->Handle()), Look(1));
    SetFocus(LeftCombo);
    AppPumpFor(100);
    EXPECT_EQ(ComboLook(LeftCombo), Look(4));
    MoveMouseTo(ComboButtonPoint(LeftCombo));
    MouseButton(true, 100);
    EXPECT_EQ(ComboLook(LeftCombo), Look(2));
    MouseButton(false, 100);
    EXPECT_EQ(ComboLook(LeftCombo), Look(4));
    PressKey(VK_ESCAPE);
    Holder->SetFocus();
    List->SetEnabled(false);
    EnableWindow(LeftCombo, FALSE);
    MoveMouseTo(CentreOf(List->Handle()));
    EXPECT_EQ(ComboLook(List->Handle()), Look(3));
    EXPECT_EQ(ComboLook(LeftCombo), Look(3));

}

TEST_F(EditComboKinds, DropDownsOpenByMouseAndKeyboardAndTheChoiceArrives)
{
    LoadSkin(EditSkin());
    MakeControls();
    for (TComboBox* C : {List, Combo}) {
        Selections.clear();
        ClickAt(ComboButtonPoint(C->Handle()));
        ASSERT_TRUE(AppPumpUntil([&] { return C->DroppedDown(); }));
        COMBOBOXINFO Info{};
        Info.cbSize = sizeof Info;
        GetComboBoxInfo(C->Handle(), &Info);
        RECT Item{};
        SendMessageA(Info.hwndList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&Item));
        MapWindowPoints(Info.hwndList, nullptr, reinterpret_cast<POINT*>(&Item), 2);
        ClickAt(POINT{(Item.left + Item.right) / 2, (Item.top + Item.bottom) / 2});
        EXPECT_FALSE(C->DroppedDown());
        EXPECT_EQ(C->Text(), "Vinegar");
        EXPECT_EQ(Selections, V{2});

        PressKey(VK_F4);
        ASSERT_TRUE(AppPumpUntil([&] { return C->DroppedDown(); }));
        PressKey(VK_DOWN);
        PressKey(VK_RETURN);
        EXPECT_FALSE(C->DroppedDown());
        EXPECT_EQ(C->Text(), "Soy sauce");
        EXPECT_EQ(Selections.back(), 3);
    }
}

TEST_F(EditComboKinds, EachUpDownHalfShowsItsPressedFrameWhileHeldAndStepsOncePerClick)
{
    LoadSkin(EditSkin());
    MakeControls();
    const auto Hold = [](HWND Wnd, POINT P) {
        MoveMouseTo(P);
        MouseButton(true, 100);
        const V Held = UpDownLook(Wnd);
        MouseButton(false, 100);
        return Held;
    };
    const HWND Vert = Spin->Handle(), Horz = HorzSpin->Handle();
    EXPECT_EQ(Hold(Vert, CentreOf(Vert, 0, 11)), (V{1, 1, 6, 6}));
    EXPECT_EQ(UpDownLook(Vert), (V{1, 1, 5, 5}));
    EXPECT_EQ(Edit->Text(), "49");
    EXPECT_EQ(Hold(Vert, CentreOf(Vert, 0, -11)), (V{2, 2, 5, 5}));
    ClickAt(CentreOf(Vert, 0, -11));  // the second click of a double click
    EXPECT_EQ(Spin->Position(), 51);
    AppPumpFor(GetDoubleClickTime());
    EXPECT_EQ(Hold(Horz, CentreOf(Horz, 12, 0)), (V{1, 1, 6, 6}));
    EXPECT_EQ(HorzSpin->Position(), 1);
    EXPECT_EQ(Hold(Horz, CentreOf(Horz, -12, 0)), (V{2, 2, 5, 5}));
    EXPECT_EQ(HorzSpin->Position(), 0);

    Spin->SetEnabled(false);
    HorzSpin->SetEnabled(false);
    EXPECT_EQ(Hold(Vert, CentreOf(Vert, 0, -11)), (V{3, 3, 7, 7}));
    EXPECT_EQ(UpDownLook(Horz), (V{3, 3, 7, 7}));
    EXPECT_EQ(Spin->Position(), 51);
}

TEST_F(EditComboKinds, UpDownsWithoutGlyphImagesGetPlainButtons)
{
    LoadSkin(EditSkin(AllElements, false));
    MakeControls();
    MoveMouseTo(CentreOf(Spin->Handle(), 0, 11));
    MouseButton(true, 100);
    const TCapture Shot = CaptureWindow(Spin->Handle());
    MouseButton(false, 100);
    Shot.SavePng("editcombo_plain_updown.png");
    const COLORREF Dark = KeyColour("ButtonDkShadow");
    const auto Count = [&](COLORREF Colour, int Top, int Bottom) {
        int N = 0;
        for (int Y = Top; Y < Bottom; ++Y)
            for (int X = 0; X < Shot.Width; ++X)
                N += SameColor(Shot.Pixel(X, Y), Colour, 4);
        return N;
    };
    // Outlined; the face colour above, the shadow below while pressed; an arrow on each.
    const int H = Shot.Height, Half = H / 2;
    EXPECT_TRUE(SameColor(Shot.Pixel(0, 0), Dark, 4));
    EXPECT_TRUE(SameColor(Shot.Pixel(2, 2), KeyColour("ButtonFace"), 4));
    EXPECT_TRUE(SameColor(Shot.Pixel(2, Half + 2), KeyColour("ButtonShadow"), 4));
    EXPECT_GE(Count(Dark, 2, Half - 2) - 2 * (Half - 4), 8);  // beyond the outline's sides
    EXPECT_GE(Count(Dark, Half + 2, H - 2) - 2 * (H - Half - 4), 8);
    EXPECT_EQ(Count(FlatColour(feUpDownVert, 1), 0, H), 0);
}

TEST_F(EditComboKinds, ASkinLackingTheComboElementsLeavesComboBoxesAsTheSystemDrawsThem)
{
    for (const TFlatControlElement Missing : {feComboButton, feSunkEdge}) {
        SCOPED_TRACE(Missing);
        LoadSkin(EditSkin({Missing == feSunkEdge ? feComboButton : feSunkEdge, feExtraImages}));
        MakeControls();
        auto* Plain = Add<TComboBox>(Forms.back(), 160, 120, 140, 24);
        Plain->SetStyle(csDropDownList);
        RepaintAll();
        EXPECT_EQ(CaptureWindow(List->Handle()).Rgb, CaptureWindow(Plain->Handle()).Rgb);
        SkinnedWindow::TearDown();
    }
    // Without glyph images the button shows bare.
    LoadSkin(EditSkin({feSunkEdge, feComboButton}));
    MakeControls();
    EXPECT_EQ(ComboLook(List->Handle()), (V{1, 1, 0, 0}));
    const POINT Glyph = ComboButtonPoint(List->Handle());
    const RECT R = WindowRect(List->Handle());
    EXPECT_EQ(FrameAt(List->Handle(), feComboButton, Glyph.x - R.left, Glyph.y - R.top), 1);
}

// Skins full of nonsense on every kind: painted, pressed, dropped down and stepped without a
// crash, a hang or GDI objects left behind; then thousands of repaints that still paint right.
TEST_F(EditComboKinds, HostileSkinsAndASoakOfRepaintsHarmNoKind)
{
    constexpr DWORD Brief = 40;  // long enough for the clicks to be handled; their effect is not checked
    const auto Exercise = [&] {
        MakeControls();
        for (const POINT P : {CentreOf(Spin->Handle(), 0, 11), CentreOf(HorzSpin->Handle()), CentreOf(Inner),
                              CentreOf(List->Handle())})
            ClickAt(P, Brief);
        PressKey(VK_ESCAPE);
        SetFocus(LeftCombo);
        SendMessageA(Edit->Handle(), WM_PRINT, 0, PRF_NONCLIENT);
        RepaintAll();
        SkinnedWindow::TearDown();
    };
    LoadSkin(EditSkin());
    Exercise();  // the first run makes what stays for the process
    const int Before = LiveGdiObjects();
    ASSERT_GT(Before, 0);
    for (const auto& [Name, Bytes] : HostileControlSkins()) {
        SCOPED_TRACE(Name);
        Roots.push_back(std::make_unique<TSkinRoot>(nullptr));
        ReadComponentText(SkinDesign(Bytes), Roots.back().get(), "test");
        Exercise();
    }
    const int After = LiveGdiObjects();
    std::printf("%d GDI objects before the hostile skins, %d after\n", Before, After);
    EXPECT_LE(After, Before + 8);

    LoadSkin(EditSkin());
    MakeControls();
    const int SoakBefore = LiveGdiObjects();
    for (int I = 0; I < 2000; ++I)
        RedrawWindow(Skinned->FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RepaintAll();
    EXPECT_LE(LiveGdiObjects(), SoakBefore + 8);
    EXPECT_EQ(ComboLook(List->Handle()), Look(1));
    EXPECT_EQ(ComboLook(LeftCombo), Look(1));
    EXPECT_EQ(UpDownLook(Spin->Handle()), (V{1, 1, 5, 5}));
    EXPECT_TRUE(SameColor(WindowPixel(Edit->Handle(), 0, 20), KeyColour("ButtonShadow"), 4));
}

}  // namespace
