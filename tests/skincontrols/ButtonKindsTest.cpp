// Push, glyph and speed buttons, check boxes and radio buttons painted by their kinds, on
// skinned windows with a flat-colour skin, driven by real mouse and keyboard input: framework
// buttons on a form, and the controls of a bare dialog of the system's dialog class, which the
// form skin object wraps by itself.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/design/DesignReader.h"
#include "framework/graphics/GdiHolders.h"
#include "framework/ui/BitBtn.h"
#include "framework/ui/Button.h"
#include "framework/ui/SpeedButton.h"
#include "skin/controls/Buttons.h"
#include "skin/controls/CheckRadio.h"
#include "skin/manage/SkinManage.h"
#include "tests/controls/Input.h"
#include "tests/skinform/BareWindows.h"
#include "tests/skinform/GdiCount.h"
#include "tests/skinform/SkinnedWindow.h"
#include "tests/support/Capture.h"

namespace {

TFlatSkin ButtonSkin()
{
    TFlatSkin S;
    S.PushButton.Present = S.CheckButton.Present = S.RadioButton.Present = true;
    return S;
}

// The frame of Element whose flat colour is at (X, Y) of Wnd (window coordinates); 0 if none.
int FrameAt(HWND Wnd, int Element, int X, int Y)
{
    const COLORREF P = WindowPixel(Wnd, X, Y);
    for (int F = 1; F <= 5; ++F)
        if (SameColor(P, FlatColour(Element, F), 4))
            return F;
    return 0;
}

int ButtonFrame(HWND Wnd)
{
    return FrameAt(Wnd, feButtons, 2, 2);
}

int CountPixels(const TCapture& Shot, COLORREF Colour)
{
    int N = 0;
    for (int Y = 0; Y < Shot.Height; ++Y)
        for (int X = 0; X < Shot.Width; ++X)
            N += SameColor(Shot.Pixel(X, Y), Colour, 24);
    return N;
}

void Key(WORD Vk, bool Down)
{
    INPUT In{};
    In.type = INPUT_KEYBOARD;
    In.ki.wVk = Vk;
    In.ki.dwFlags = Down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &In, sizeof In);
    AppPumpFor(150);
}

POINT CentreOf(HWND Wnd)
{
    RECT R{};
    GetWindowRect(Wnd, &R);
    return POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
}

const POINT Away{1000, 740};

// A quick sweep: the moves are queued at once and handled together.
void Sweep(const std::vector<POINT>& Points)
{
    std::vector<INPUT> In;
    for (const POINT P : Points)
        In.push_back(MouseEvent(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, P));
    SendInput(UINT(In.size()), In.data(), sizeof(INPUT));
}

// --- Glyphs and windowless buttons ---------------------------------------------------------

constexpr int GlyphW = 12, GlyphH = 10;

// Glyph image colours (1-based), unlike the skin's frames and text colours.
COLORREF ImageColour(int Image)
{
    static const COLORREF Colours[] = {RGB(255, 128, 0), RGB(0, 128, 255), RGB(128, 64, 0), RGB(0, 255, 255)};
    return Colours[Image - 1];
}

// Images side by side, each one flat colour but for its top-left pixel, the transparent one.
void PaintGlyph(TBitmap& Glyph, int Images)
{
    Glyph.SetSize(GlyphW * Images, GlyphH);
    const HDC DC = Glyph.Canvas()->Handle();
    for (int I = 1; I <= Images; ++I) {
        const RECT R{(I - 1) * GlyphW, 0, I * GlyphW, GlyphH};
        const TBrushHandle Brush(CreateSolidBrush(ImageColour(I)));
        FillRect(DC, &R, Brush.Get());
        SetPixelV(DC, R.left, 0, RGB(255, 255, 255));
    }
}

// The smallest rectangle holding every pixel of Colour.
RECT Bounds(const TCapture& Shot, COLORREF Colour, int Tolerance = 8)
{
    RECT R{Shot.Width, Shot.Height, 0, 0};
    for (int Y = 0; Y < Shot.Height; ++Y)
        for (int X = 0; X < Shot.Width; ++X)
            if (SameColor(Shot.Pixel(X, Y), Colour, Tolerance))
                R = RECT{std::min<LONG>(R.left, X), std::min<LONG>(R.top, Y), std::max<LONG>(R.right, X + 1),
                         std::max<LONG>(R.bottom, Y + 1)};
    return R;
}

// What the screen shows where the control is (a speed button has no window of its own).
TCapture ShotOf(const TControl* C)
{
    const POINT P = ScreenPointOf(C, 0, 0);
    return CaptureScreenRect(RECT{P.x, P.y, P.x + C->Width(), P.y + C->Height()});
}

int FaceFrame(const TControl* C)
{
    const COLORREF P = ShotOf(C).Pixel(2, 2);
    for (int F = 1; F <= 5; ++F)
        if (SameColor(P, FlatColour(feButtons, F), 4))
            return F;
    return 0;
}

POINT CentreOf(const TControl* C)
{
    return ScreenPointOf(C, C->Width() / 2, C->Height() / 2);
}

// --- A bare dialog from a template in memory -----------------------------------------------

struct TItem {
    WORD Id;
    DWORD Style;
    DWORD ExStyle;
    short X, Y, W, H;
    const char* Text;
};

enum : WORD {
    idTwo = 100, idThree = 101, idGroup = 150,
    idCheck = 200, idThreeState = 201, idLeftText = 202, idExRight = 203, idCheckedOff = 204, idCheckOff = 205,
    idRadio = 300, idRadioOn = 301, idRadioOnOff = 302, idRadioOff = 303
};

const TItem DialogItems[] = {
    {IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 10, 10, 50, 16, "OK"},
    {idTwo, BS_PUSHBUTTON, 0, 70, 10, 50, 16, "Two"},
    {idThree, BS_PUSHBUTTON, 0, 130, 10, 50, 16, "Three"},
    {idGroup, BS_GROUPBOX, 0, 190, 4, 60, 30, "Group"},
    {idCheck, BS_AUTOCHECKBOX, 0, 10, 34, 80, 12, "Check"},
    {idThreeState, BS_AUTO3STATE, 0, 10, 48, 80, 12, "Three state"},
    {idLeftText, BS_CHECKBOX | BS_LEFTTEXT, 0, 10, 62, 80, 12, "Left text"},
    {idExRight, BS_AUTOCHECKBOX, WS_EX_RIGHT, 10, 76, 80, 12, "Ex right"},
    {idCheckedOff, BS_AUTOCHECKBOX | WS_DISABLED, 0, 10, 90, 80, 12, "Checked off"},
    {idCheckOff, BS_AUTOCHECKBOX | WS_DISABLED, 0, 10, 104, 80, 12, "Off"},
    {idRadio, BS_AUTORADIOBUTTON | WS_GROUP, 0, 120, 34, 80, 12, "Radio"},
    {idRadioOn, BS_RADIOBUTTON, 0, 120, 48, 80, 12, "Radio on"},
    {idRadioOnOff, BS_RADIOBUTTON | WS_DISABLED, 0, 120, 62, 80, 12, "On, off"},
    {idRadioOff, BS_RADIOBUTTON | WS_DISABLED, 0, 120, 76, 80, 12, "Off"},
};

std::vector<std::pair<WORD, WORD>> Commands;  // (id, code) of WM_COMMAND reaching the dialog

INT_PTR CALLBACK DialogProc(HWND, UINT Msg, WPARAM WParam, LPARAM)
{
    if (Msg == WM_COMMAND)
        Commands.push_back({LOWORD(WParam), HIWORD(WParam)});
    return Msg == WM_INITDIALOG || Msg == WM_COMMAND;
}

void AddText(std::vector<WORD>& T, const char* Text)
{
    for (const char* C = Text; *C; ++C)
        T.push_back(WORD(static_cast<unsigned char>(*C)));
    T.push_back(0);
}

void AddDword(std::vector<WORD>& T, DWORD V)
{
    T.push_back(LOWORD(V));
    T.push_back(HIWORD(V));
}

HWND MakeButtonDialog()
{
    std::vector<WORD> T;
    AddDword(T, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    AddDword(T, 0);
    T.push_back(WORD(std::size(DialogItems)));
    for (short V : {short(0), short(0), short(260), short(124)})
        T.push_back(WORD(V));
    T.push_back(0);  // no menu
    T.push_back(0);  // the dialog class
    AddText(T, "Buttons");
    for (const TItem& I : DialogItems) {
        if (T.size() % 2)
            T.push_back(0);
        AddDword(T, WS_CHILD | WS_VISIBLE | I.Style);
        AddDword(T, I.ExStyle);
        for (short V : {I.X, I.Y, I.W, I.H})
            T.push_back(WORD(V));
        T.push_back(I.Id);
        T.push_back(0xFFFF);
        T.push_back(0x0080);  // a button
        AddText(T, I.Text);
        T.push_back(0);
    }
    const HWND Dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                                   reinterpret_cast<LPCDLGTEMPLATEA>(T.data()), nullptr,
                                                   DialogProc, 0);
    SetWindowPos(Dialog, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendDlgItemMessageA(Dialog, idThreeState, BM_SETCHECK, BST_INDETERMINATE, 0);
    SendDlgItemMessageA(Dialog, idLeftText, BM_SETCHECK, BST_CHECKED, 0);
    SendDlgItemMessageA(Dialog, idCheckedOff, BM_SETCHECK, BST_CHECKED, 0);
    SendDlgItemMessageA(Dialog, idRadioOn, BM_SETCHECK, BST_CHECKED, 0);
    SendDlgItemMessageA(Dialog, idRadioOnOff, BM_SETCHECK, BST_CHECKED, 0);
    ShowWindow(Dialog, SW_SHOW);
    SetForegroundWindow(Dialog);
    return Dialog;
}

class ButtonKinds : public SkinnedWindow {
protected:
    void SetUp() override
    {
        MoveMouseTo(Away);
        Commands.clear();
    }
    void TearDown() override
    {
        for (const HWND Wnd : Dialogs)
            DestroyWindow(Wnd);
        SkinnedWindow::TearDown();
    }

    // A form with Holder at its bottom left, the button that holds the focus.
    void StartForm(int ClientWidth, int ClientHeight)
    {
        Form = MakeForm({bsSizeable, {biSystemMenu}, ClientWidth, ClientHeight, "Buttons", 100, 100});
        Holder = Add<TButton>(10, ClientHeight - 50, 80, 28, "holder");
    }
    // A button of class B on Form, its clicks counted; a glyph of Images images on glyph buttons.
    template <class B>
    B* Add(int X, int Y, int W, int H, const std::string& Caption, int Images = 1)
    {
        auto* Button = new B(Form);
        Button->SetParent(Form);
        Button->SetBounds(X, Y, W, H);
        Button->SetCaption(Caption);
        Button->OnClick = TNotifyEvent(this, &ButtonKinds::Clicked);
        if constexpr (!std::is_same_v<B, TButton>)
            if (Images) {
                PaintGlyph(*Button->Glyph(), Images);
                Button->SetNumGlyphs(Images);
            }
        return Button;
    }
    // Skins Form (its walk wraps the buttons) and gives Holder the focus.
    void Show()
    {
        Skinned = ShowSkinned(Form);
        ASSERT_NE(Skinned, nullptr);
        Holder->SetFocus();
        AppPumpFor(100);
    }
    // A skinned form with Count wrapped buttons in a row; a glyph and a speed button beside
    // Holder.
    void MakeButtons(int Count)
    {
        StartForm(420, 140);
        for (int I = 0; I < Count; ++I)
            Buttons.push_back(Add<TButton>(10 + 100 * I, 20, 90, 30, "Btn" + std::to_string(I)));
        Bit = Add<TBitBtn>(250, 90, 70, 28, "bit", 4);
        Speed = Add<TSpeedButton>(330, 90, 70, 28, "speed", 4);
        Speed->SetGroupIndex(1);
        Show();
        for (TButton* B : Buttons)
            Kinds.push_back(Wrap(B));
    }

    // The kind on B: the one the form skin object made, or a new one.
    TSkinButton* Wrap(TButton* B)
    {
        for (TSkinControl* K : Skinned->FControls)
            if (K->FHandle == B->Handle())
                return dynamic_cast<TSkinButton*>(K);
        auto* Kind = new TSkinButton(Skinned);
        Kind->InstallControl(B, Skinned->FSkinData, false, &Skinned->FControlCanvas);
        return Kind;
    }

    HWND Dialog()
    {
        const HWND Wnd = MakeButtonDialog();
        Dialogs.push_back(Wnd);
        WaitStarted(Wnd);
        Settle();
        return Wnd;
    }

    template<class K>
    static K* KindOf(HWND Dialog, int Id)
    {
        const TWinSkinForm* Form = SkinOf(Dialog);
        const HWND Item = GetDlgItem(Dialog, Id);
        for (TSkinControl* Kind : Form->FControls)
            if (Kind->FHandle == Item)
                return dynamic_cast<K*>(Kind);
        return nullptr;
    }

    void Clicked(TObject* Sender) { ++Clicks[Sender]; }

    int HotButtons() const
    {
        return int(std::count_if(Buttons.begin(), Buttons.end(), [](TButton* B) { return ButtonFrame(B->Handle()) == 4; }));
    }

    // The kind wrapping C, windowed or not.
    TSkinControl* KindOn(TControl* C) const
    {
        auto* Windowed = dynamic_cast<TWinControl*>(C);
        for (TSkinControl* K : Skinned->FControls)
            if (K->FGraphicControl == C || (Windowed && K->FHandle == Windowed->Handle()))
                return K;
        return nullptr;
    }

    TForm* Form = nullptr;
    TWinSkinForm* Skinned = nullptr;
    TButton* Holder = nullptr;
    TBitBtn* Bit = nullptr;
    TSpeedButton* Speed = nullptr;
    std::vector<TButton*> Buttons;
    std::vector<TSkinButton*> Kinds;
    std::map<TObject*, int> Clicks;
    std::vector<HWND> Dialogs;
};

TEST_F(ButtonKinds, OneClickPerClickAndNoneForAPressReleasedElsewhere)
{
    LoadSkin(ButtonSkin());
    MakeButtons(2);
    ClickAt(CentreOf(Buttons[0]->Handle()));
    EXPECT_EQ(Clicks[Buttons[0]], 1);
    EXPECT_EQ(Buttons[0]->Handle(), GetFocus());
    ClickAt(CentreOf(Buttons[0]->Handle()));  // the second click of a double click
    EXPECT_EQ(Clicks[Buttons[0]], 2);
    AppPumpFor(GetDoubleClickTime());

    // Pressed while held; the release over the neighbour clicks nothing.
    MouseButton(true);
    EXPECT_EQ(ButtonFrame(Buttons[0]->Handle()), 2);
    MoveMouseTo(CentreOf(Buttons[1]->Handle()));
    MouseButton(false);
    EXPECT_EQ(Clicks[Buttons[0]], 2);
    EXPECT_EQ(Clicks[Buttons[1]], 0);
    EXPECT_EQ(ButtonFrame(Buttons[0]->Handle()), 4);  // focused, no longer pressed

    // Space: pressed while the key is down, one click when it comes up.
    Key(VK_SPACE, true);
    const TCapture Down = CaptureWindow(Buttons[0]->Handle());
    Down.SavePng("button_space_down.png");
    EXPECT_EQ(ButtonFrame(Buttons[0]->Handle()), 2);
    EXPECT_GT(CountPixels(Down, ButtonSkin().ButtonTextColours[2]), 4);
    Key(VK_SPACE, false);
    EXPECT_EQ(ButtonFrame(Buttons[0]->Handle()), 4);
    EXPECT_EQ(Clicks[Buttons[0]], 3);
}

TEST_F(ButtonKinds, StatesShowTheirFramesAndTextColours)
{
    const TFlatSkin Skin = ButtonSkin();
    LoadSkin(Skin);
    MakeButtons(3);
    Buttons[1]->SetEnabled(false);
    MoveMouseTo(CentreOf(Buttons[2]->Handle()));
    AppPumpFor(100);

    const TCapture Shot = CaptureWindow(Skinned->FHandle);
    Shot.SavePng("button_states.png");
    const TCapture Normal = CaptureWindow(Buttons[0]->Handle());
    const TCapture Disabled = CaptureWindow(Buttons[1]->Handle());
    const TCapture Hot = CaptureWindow(Buttons[2]->Handle());
    EXPECT_EQ(ButtonFrame(Buttons[0]->Handle()), 1);
    EXPECT_EQ(ButtonFrame(Buttons[1]->Handle()), 3);
    EXPECT_EQ(ButtonFrame(Buttons[2]->Handle()), 4);
    EXPECT_GT(CountPixels(Normal, Skin.ButtonTextColours[0]), 4);
    EXPECT_GT(CountPixels(Disabled, GetSysColor(COLOR_BTNSHADOW)), 4);
    EXPECT_EQ(CountPixels(Disabled, Skin.ButtonTextColours[0]), 0);
    EXPECT_GT(CountPixels(Hot, Skin.ButtonTextColours[1]), 4);
    EXPECT_EQ(CountPixels(Hot, Skin.ButtonTextColours[0]), 0);

    // Focus alone looks hot; a disabled button stays disabled under the mouse.
    MoveMouseTo(Away);
    Buttons[0]->SetFocus();
    AppPumpFor(100);
    EXPECT_EQ(ButtonFrame(Buttons[0]->Handle()), 4);
    MoveMouseTo(CentreOf(Buttons[1]->Handle()));
    MouseButton(true);
    MouseButton(false);
    EXPECT_EQ(ButtonFrame(Buttons[1]->Handle()), 3);
    EXPECT_EQ(Clicks[Buttons[1]], 0);
}

TEST_F(ButtonKinds, AtMostOneButtonOfAFormLooksHot)
{
    LoadSkin(ButtonSkin());
    MakeButtons(4);
    MoveMouseTo(CentreOf(Buttons[0]->Handle()));
    EXPECT_EQ(ButtonFrame(Buttons[0]->Handle()), 4);
    EXPECT_EQ(Skinned->FHoverControl, Kinds[0]);
    MoveMouseTo(CentreOf(Buttons[1]->Handle()));
    EXPECT_EQ(ButtonFrame(Buttons[0]->Handle()), 1);
    EXPECT_EQ(ButtonFrame(Buttons[1]->Handle()), 4);
    EXPECT_EQ(Skinned->FHoverControl, Kinds[1]);

    // Quick sweeps, across the buttons and back out of the window.
    std::vector<POINT> Across;
    for (TButton* B : Buttons)
        Across.push_back(CentreOf(B->Handle()));
    Sweep(Across);
    AppPumpFor(300);
    EXPECT_EQ(HotButtons(), 1);
    EXPECT_EQ(ButtonFrame(Buttons[3]->Handle()), 4);
    std::reverse(Across.begin(), Across.end());
    Across.push_back(Away);
    Sweep(Across);
    AppPumpFor(600);
    EXPECT_LE(HotButtons(), 1);
    // Wine reports no leave for a window the mouse left before the move reached it; the
    // next move over the form ends the hover.
    MoveMouseTo(ScreenPointOf(Holder, 200, 10));
    MoveMouseTo(Away);
    AppPumpFor(400);
    EXPECT_EQ(HotButtons(), 0);
    EXPECT_EQ(Skinned->FHoverControl, nullptr);
}

TEST_F(ButtonKinds, ABareDialogsControlsAreWrappedAndDrawnByTheirKinds)
{
    LoadSkin(ButtonSkin());
    const HWND Box = Dialog();
    ASSERT_NE(SkinOf(Box), nullptr);
    CaptureWindow(Box).SavePng("button_dialog.png");
    for (int Id : {IDOK, int(idTwo), int(idThree)})
        EXPECT_NE(KindOf<TSkinButton>(Box, Id), nullptr) << Id;
    for (int Id : {idCheck, idThreeState, idLeftText, idExRight, idCheckedOff, idCheckOff})
        EXPECT_NE(KindOf<TSkinCheckBox>(Box, Id), nullptr) << Id;
    for (int Id : {idRadio, idRadioOn, idRadioOnOff, idRadioOff})
        EXPECT_NE(KindOf<TSkinRadioButton>(Box, Id), nullptr) << Id;
    EXPECT_EQ(KindOf<TSkinControl>(Box, idGroup), nullptr);

    // Boxes: 13 pixels wide, at the left edge, or at the right edge for either style.
    auto BoxFrame = [&](int Id, int Element, bool Right) {
        const HWND Item = GetDlgItem(Box, Id);
        RECT R{};
        GetWindowRect(Item, &R);
        return FrameAt(Item, Element, Right ? R.right - R.left - 7 : 6, (R.bottom - R.top) / 2);
    };
    EXPECT_EQ(BoxFrame(idCheck, feCheckButton, false), 1);
    EXPECT_EQ(BoxFrame(idThreeState, feCheckButton, false), 4);
    EXPECT_EQ(BoxFrame(idLeftText, feCheckButton, true), 2);
    EXPECT_EQ(BoxFrame(idExRight, feCheckButton, true), 1);
    EXPECT_EQ(BoxFrame(idCheckedOff, feCheckButton, false), 4);
    EXPECT_EQ(BoxFrame(idCheckOff, feCheckButton, false), 3);
    EXPECT_EQ(BoxFrame(idRadio, feRadioButton, false), 1);
    EXPECT_EQ(BoxFrame(idRadioOn, feRadioButton, false), 2);
    EXPECT_EQ(BoxFrame(idRadioOnOff, feRadioButton, false), 4);
    EXPECT_EQ(BoxFrame(idRadioOff, feRadioButton, false), 3);
    ClickAt(CentreOf(GetDlgItem(Box, idCheck)));
    ClickAt(CentreOf(GetDlgItem(Box, idRadio)));
    EXPECT_EQ(BoxFrame(idCheck, feCheckButton, false), 2);
    EXPECT_EQ(BoxFrame(idRadio, feRadioButton, false), 2);

    // Push buttons: hover handed on, ended by the poll once the mouse is out of the window.
    const HWND Two = GetDlgItem(Box, idTwo), Three = GetDlgItem(Box, idThree);
    MoveMouseTo(CentreOf(Two));
    EXPECT_EQ(ButtonFrame(Two), 4);
    MoveMouseTo(CentreOf(Three));
    EXPECT_EQ(ButtonFrame(Two), 1);
    EXPECT_EQ(ButtonFrame(Three), 4);
    EXPECT_EQ(SkinOf(Box)->FHoverControl, KindOf<TSkinButton>(Box, idThree));
    Sweep({CentreOf(Two), CentreOf(GetDlgItem(Box, IDOK)), CentreOf(Two), CentreOf(Three), Away});
    AppPumpFor(600);
    EXPECT_EQ(ButtonFrame(Three), 1);
    EXPECT_EQ(SkinOf(Box)->FHoverControl, nullptr);

    // One command per click; none for a press released over another button.
    Commands.clear();
    ClickAt(CentreOf(Two));
    EXPECT_EQ(Commands, (std::vector<std::pair<WORD, WORD>>{{idTwo, BN_CLICKED}}));
    MouseButton(true);
    MoveMouseTo(CentreOf(Three));
    MouseButton(false);
    EXPECT_EQ(Commands.size(), 1u);
}

TEST_F(ButtonKinds, AMessageBoxClosesThroughItsSkinnedButton)
{
    LoadSkin(ButtonSkin());
    TForm* Form = MakeForm();
    ASSERT_NE(ShowSkinned(Form), nullptr);
    bool Wrapped = false;
    HWND Ok = nullptr;
    RunDuringMenus({[&] {
                        const HWND Box = ThreadWindowOfClass("#32770");
                        Ok = GetDlgItem(Box, IDOK);
                        Wrapped = SkinOf(Box) && KindOf<TSkinButton>(Box, IDOK);
                        CaptureWindow(Box).SavePng("button_message_box.png");
                        MoveMouseTo(CentreOf(Ok));
                    },
                    [] {
                        INPUT In[2] = {};
                        In[0].type = In[1].type = INPUT_MOUSE;
                        In[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
                        In[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
                        SendInput(2, In, sizeof In[0]);
                    },
                    [] {
                        if (const HWND Box = ThreadWindowOfClass("#32770"))
                            PostMessageA(Box, WM_CLOSE, 0, 0);
                    }},
                   500);
    EXPECT_EQ(MessageBoxA(Form->Handle(), "Box", "Message", MB_OKCANCEL), IDOK);
    EXPECT_TRUE(Wrapped);
}

// Every kind under skins full of nonsense: painted, hovered, pressed and clicked without a
// crash, a hang or GDI objects left behind.
TEST_F(ButtonKinds, HostileSkinsHarmNoKind)
{
    constexpr DWORD Brief = 40;  // long enough for the clicks to be handled; their effect is not checked
    auto Exercise = [&](const std::string& Bytes) {
        Roots.push_back(std::make_unique<TSkinRoot>(nullptr));
        ReadComponentText(SkinDesign(Bytes), Roots.back().get(), "test");
        MakeButtons(2);
        MoveMouseTo(CentreOf(Buttons[0]->Handle()));
        ClickAt(CentreOf(Buttons[1]->Handle()), Brief);
        Key(VK_SPACE, true);
        Key(VK_SPACE, false);
        const HWND Box = Dialog();
        ClickAt(CentreOf(GetDlgItem(Box, idCheck)), Brief);
        ClickAt(CentreOf(GetDlgItem(Box, idRadio)), Brief);
        ClickAt(CentreOf(GetDlgItem(Box, idTwo)), Brief);
        ClickAt(CentreOf(Bit), Brief);
        ClickAt(CentreOf(Speed), Brief);
        Speed->SetEnabled(false);
        // A speed button freed while hot takes its kind along.
        delete Speed;
        for (TSkinControl* K : Skinned->FControls)
            EXPECT_NE(K->FGraphicControl, static_cast<TGraphicControl*>(Speed));
        MoveMouseTo(Away);
        AppPumpFor(300);
        DestroyWindow(Box);
        Dialogs.clear();
        SkinnedWindow::TearDown();
        Buttons.clear();
        Kinds.clear();
        Clicks.clear();
    };
    Exercise(ButtonSkin().Pack());  // the first run makes what stays for the process
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

// --- Glyph buttons and speed buttons -------------------------------------------------------

TEST_F(ButtonKinds, GlyphAndCaptionFollowLayoutMarginAndSpacing)
{
    constexpr int W = 120, H = 44, Across = (H - GlyphH + 1) / 2, Along = (W - GlyphW + 1) / 2;
    struct TCase {
        bool Speed;
        TButtonLayout Layout;
        int Margin, Spacing;
        const char* Caption;
        POINT Glyph;  // x -1: placed by the free space
    };
    const TCase Cases[] = {
        {false, blGlyphLeft, 4, 3, "Ab", {4, Across}}, {false, blGlyphRight, 4, 3, "Ab", {W - 4 - GlyphW, Across}},
        {false, blGlyphTop, 4, 3, "Ab", {Along, 4}}, {false, blGlyphBottom, 4, 3, "Ab", {Along, H - 4 - GlyphH}},
        {false, blGlyphLeft, -1, -1, "Ab", {-1, Across}}, {false, blGlyphLeft, -1, 4, "Ab", {-1, Across}},
        {false, blGlyphLeft, 6, -1, "Ab", {6, Across}}, {false, blGlyphTop, -1, -1, "", {Along, (H - GlyphH) / 2}},
        // A speed button's glyph centred by a free margin sits one pixel further in.
        {true, blGlyphTop, -1, -1, "", {Along, (H - GlyphH) / 2 + 1}},
        {true, blGlyphLeft, -1, 4, "", {(W - GlyphW) / 2 + 1, Across}}, {true, blGlyphLeft, -1, -1, "Ab", {-1, Across}},
    };
    LoadSkin(ButtonSkin());
    StartForm(4 * (W + 6) + 14, 3 * (H + 6) + 60);
    std::vector<TControl*> Faces;
    auto Place = [&](auto* B, const TCase& C) {
        B->SetLayout(C.Layout);
        B->SetMargin(C.Margin);
        B->SetSpacing(C.Spacing);
        Faces.push_back(B);
    };
    for (const TCase& C : Cases) {
        const int X = 10 + int(Faces.size() % 4) * (W + 6), Y = 10 + int(Faces.size() / 4) * (H + 6);
        if (C.Speed)
            Place(Add<TSpeedButton>(X, Y, W, H, C.Caption), C);
        else
            Place(Add<TBitBtn>(X, Y, W, H, C.Caption), C);
    }
    Show();
    CaptureWindow(Skinned->FHandle).SavePng("glyph_layouts.png");
    for (size_t I = 0; I < std::size(Cases); ++I) {
        const TCase& C = Cases[I];
        SCOPED_TRACE(I);
        const TCapture Shot = ShotOf(Faces[I]);
        const RECT G = Bounds(Shot, ImageColour(1)), T = Bounds(Shot, ButtonSkin().ButtonTextColours[0], 24);
        EXPECT_EQ(FaceFrame(Faces[I]), 1);
        EXPECT_EQ(G.right - G.left, GlyphW);
        EXPECT_EQ(G.bottom - G.top, GlyphH);
        EXPECT_EQ(G.top, C.Glyph.y);
        if (C.Glyph.x >= 0) {
            EXPECT_EQ(G.left, C.Glyph.x);
        }
        if (!*C.Caption)
            continue;
        // The text's ink lies a pixel or two inside its cell, more so vertically.
        const int Gap = C.Layout == blGlyphLeft    ? T.left - G.right
                        : C.Layout == blGlyphRight ? G.left - T.right
                        : C.Layout == blGlyphTop   ? T.top - G.bottom
                                                   : G.top - T.bottom;
        const int Lead = G.left, Trail = W - T.right;
        if (C.Spacing >= 0) {
            EXPECT_GE(Gap, C.Spacing);
            EXPECT_LE(Gap, C.Spacing + 6);
        }
        if (C.Margin == -1) {
            EXPECT_LE(std::abs(Lead - Trail), 3);
        }
        if (C.Spacing == -1) {
            EXPECT_LE(std::abs(Gap - Trail), 3);
        }
    }
}

TEST_F(ButtonKinds, GlyphAndSpeedButtonsClickOnceAndNotForAPressReleasedElsewhere)
{
    LoadSkin(ButtonSkin());
    StartForm(420, 140);
    auto* Bit = Add<TBitBtn>(10, 20, 100, 32, "bit");
    auto* Speed = Add<TSpeedButton>(120, 20, 100, 32, "speed");
    auto* Push = Add<TButton>(230, 20, 90, 30, "push");
    Show();
    for (TControl* B : std::vector<TControl*>{Bit, Speed}) {
        SCOPED_TRACE(B->ClassName());
        ClickAt(CentreOf(B));
        ClickAt(CentreOf(B));  // the second click of a double click
        EXPECT_EQ(Clicks[B], 2);
        AppPumpFor(GetDoubleClickTime());
        MouseButton(true);
        EXPECT_EQ(FaceFrame(B), 2);
        MoveMouseTo(CentreOf(Push));
        MouseButton(false);
        EXPECT_EQ(Clicks[B], 2);
        EXPECT_EQ(Clicks[Push], 0);
        EXPECT_NE(FaceFrame(B), 2);
        MoveMouseTo(Away);
    }
}

TEST_F(ButtonKinds, GlyphAndSpeedButtonStatesGroupsAndImages)
{
    const TFlatSkin Skin = ButtonSkin();
    LoadSkin(Skin);
    StartForm(440, 150);
    std::vector<TSpeedButton*> Group;
    for (int I = 0; I < 3; ++I) {
        Group.push_back(Add<TSpeedButton>(10 + 60 * I, 10, 56, 40, "", 4));
        Group.back()->SetGroupIndex(1);
    }
    auto* Single = Add<TSpeedButton>(190, 10, 56, 40, "", 1);
    auto* Free = Add<TSpeedButton>(250, 10, 56, 40, "", 4);
    auto* Off = Add<TBitBtn>(310, 10, 110, 40, "Off", 2);
    Off->SetEnabled(false);
    Show();
    // The one glyph image on the face (1-based), else 0.
    auto Image = [](const TControl* C) {
        const TCapture Shot = ShotOf(C);
        int Shown = 0;
        for (int I = 1; I <= 4; ++I)
            if (CountPixels(Shot, ImageColour(I)) > 0)
                Shown = Shown ? -1 : I;
        return std::max(Shown, 0);
    };
    // A disabled glyph button: frame 3, text in the button shadow, its first image.
    EXPECT_EQ(FaceFrame(Off), 3);
    EXPECT_GT(CountPixels(ShotOf(Off), GetSysColor(COLOR_BTNSHADOW)), 4);
    EXPECT_EQ(CountPixels(ShotOf(Off), Skin.ButtonTextColours[0]), 0);
    EXPECT_EQ(Image(Off), 1);

    ClickAt(CentreOf(Group[1]));
    EXPECT_TRUE(Group[1]->Down());
    EXPECT_EQ(FaceFrame(Group[1]), 2);
    EXPECT_EQ(Image(Group[1]), 3);
    ClickAt(CentreOf(Group[2]));
    ClickAt(CentreOf(Group[2]));  // the down button of a group stays down
    EXPECT_EQ(Clicks[Group[2]], 2);
    EXPECT_FALSE(Group[1]->Down());
    EXPECT_TRUE(Group[2]->Down());
    EXPECT_EQ(FaceFrame(Group[0]), 1);
    EXPECT_EQ(FaceFrame(Group[1]), 1);
    EXPECT_EQ(FaceFrame(Group[2]), 2);
    AppPumpFor(GetDoubleClickTime());
    ClickAt(CentreOf(Free));  // without a group it springs back
    EXPECT_FALSE(Free->Down());
    EXPECT_EQ(FaceFrame(Free), 4);
    EXPECT_EQ(Image(Free), 1);
    MoveMouseTo(Away);

    // Down wins over disabled; a glyph of one image shows it in every state.
    Single->SetGroupIndex(2);
    Single->SetDown(true);
    for (TSpeedButton* S : {Group[2], Free, Single})
        S->SetEnabled(false);
    AppPumpFor(200);
    CaptureWindow(Skinned->FHandle).SavePng("glyph_states.png");
    EXPECT_EQ(FaceFrame(Group[2]), 2);
    EXPECT_EQ(Image(Group[2]), 3);
    EXPECT_EQ(FaceFrame(Free), 3);
    EXPECT_EQ(Image(Free), 2);
    EXPECT_EQ(FaceFrame(Single), 2);
    EXPECT_EQ(Image(Single), 1);
    ClickAt(CentreOf(Free));
    EXPECT_EQ(Clicks[Free], 1);
}

TEST_F(ButtonKinds, OneHotButtonAcrossPushGlyphAndSpeedButtons)
{
    LoadSkin(ButtonSkin());
    StartForm(440, 140);
    const std::vector<TControl*> All{Add<TButton>(10, 20, 90, 30, "push"), Add<TBitBtn>(110, 20, 90, 30, "bit"),
                                     Add<TSpeedButton>(210, 20, 90, 30, "s1", 0),
                                     Add<TSpeedButton>(310, 20, 90, 30, "s2", 0)};
    Show();
    auto Hot = [&] { return std::count_if(All.begin(), All.end(), [](TControl* C) { return FaceFrame(C) == 4; }); };
    for (TControl* C : All) {
        MoveMouseTo(CentreOf(C));
        EXPECT_EQ(FaceFrame(C), 4);
        EXPECT_EQ(Hot(), 1);
        EXPECT_EQ(Skinned->FHoverControl, KindOn(C));
    }
    // Taking the slot from a speed button ends its hover, though it has no window to be told.
    All[0]->Perform(CM_MOUSEENTER, 0, 0);
    AppPumpFor(100);
    EXPECT_EQ(FaceFrame(All[3]), 1);
    EXPECT_EQ(Skinned->FHoverControl, KindOn(All[0]));
    MoveMouseTo(CentreOf(All[0]));

    std::vector<POINT> Across;
    for (TControl* C : All)
        Across.push_back(CentreOf(C));
    Sweep(Across);
    AppPumpFor(300);
    EXPECT_EQ(Hot(), 1);
    EXPECT_EQ(FaceFrame(All[3]), 4);
    std::reverse(Across.begin(), Across.end());
    Across.push_back(Away);
    Sweep(Across);
    AppPumpFor(600);
    MoveMouseTo(ScreenPointOf(Form, 200, 100));
    MoveMouseTo(Away);
    AppPumpFor(400);
    EXPECT_EQ(Hot(), 0);
    EXPECT_EQ(Skinned->FHoverControl, nullptr);
}

}  // namespace
