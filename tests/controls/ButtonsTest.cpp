// Check boxes, radio buttons, radio groups, glyph buttons, speed buttons and up-downs,
// made from a design and driven with real clicks and keys.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/core/TypInfo.h"
#include "framework/design/DesignReader.h"
#include "framework/graphics/GdiHolders.h"
#include "framework/ui/Application.h"
#include "framework/ui/BitBtn.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Form.h"
#include "framework/ui/RadioButton.h"
#include "framework/ui/RadioGroup.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/StandardControls.h"
#include "framework/ui/UpDown.h"
#include "tests/controls/DesignFormFixture.h"
#include "tests/controls/Input.h"
#include "tests/support/Capture.h"

namespace {

const char* const Design = u8R"(object ButtonsForm: TForm
  Left = 60
  Top = 40
  ClientWidth = 520
  ClientHeight = 260
  Caption = 'Buttons'
  Font.Height = -13
  Font.Name = '宋体'
  object CheckBox1: TCheckBox
    Left = 8
    Top = 8
    Width = 120
    Height = 20
    Caption = '辣'
    Checked = True
  end
  object CheckBox2: TCheckBox
    Left = 8
    Top = 32
    Width = 120
    Height = 20
    Caption = '三态'
    AllowGrayed = True
    State = cbGrayed
    Alignment = taLeftJustify
  end
  object Radio1: TRadioButton
    Left = 8
    Top = 60
    Width = 120
    Height = 20
    Caption = '甲'
    Checked = True
  end
  object Radio2: TRadioButton
    Left = 8
    Top = 84
    Width = 120
    Height = 20
    Caption = '乙'
  end
  object RadioGroup1: TRadioGroup
    Left = 150
    Top = 8
    Width = 200
    Height = 100
    Caption = '口味'
    Columns = 2
    ItemIndex = 1
    Items.Strings = (
      '甜'
      '咸'
      '酸')
  end
  object Edit1: TEdit
    Left = 8
    Top = 120
    Width = 80
    Height = 24
  end
  object UpDown1: TUpDown
    Left = 100
    Top = 120
    Associate = Edit1
    Min = 0
    Max = 10
    Position = 5
  end
  object BitBtn1: TBitBtn
    Left = 8
    Top = 160
    Width = 100
    Height = 60
    Caption = 'OK'
    Margin = 4
  end
  object SpeedButton1: TSpeedButton
    Left = 150
    Top = 160
    Width = 60
    Height = 30
    Caption = 'A'
    GroupIndex = 1
    Down = True
  end
  object SpeedButton2: TSpeedButton
    Left = 214
    Top = 160
    Width = 60
    Height = 30
    Caption = 'B'
    GroupIndex = 1
  end
  object SpeedButton3: TSpeedButton
    Left = 278
    Top = 160
    Width = 60
    Height = 30
    Caption = 'C'
  end
end
)";

LONG_PTR StyleOf(TWinControl* C)
{
    return GetWindowLongPtrA(C->Handle(), GWL_STYLE);
}

LRESULT CheckOf(TWinControl* C)
{
    return SendMessageA(C->Handle(), BM_GETCHECK, 0, 0);
}

std::string TextOf(TWinControl* C)
{
    char Buffer[64] = {};
    GetWindowTextA(C->Handle(), Buffer, sizeof Buffer);
    return Buffer;
}

// The smallest rectangle holding every pixel of R that passes Test; empty when none does.
template<class F>
RECT BoundsOf(const TCapture& Shot, const RECT& R, F Test)
{
    RECT B{R.right, R.bottom, R.left, R.top};
    for (int Y = R.top; Y < R.bottom; ++Y)
        for (int X = R.left; X < R.right; ++X)
            if (Test(Shot.Pixel(X, Y))) {
                B.left = std::min(B.left, LONG(X));
                B.top = std::min(B.top, LONG(Y));
                B.right = std::max(B.right, LONG(X + 1));
                B.bottom = std::max(B.bottom, LONG(Y + 1));
            }
    return B;
}

bool IsRed(COLORREF C)
{
    return GetRValue(C) > 200 && GetGValue(C) < 60 && GetBValue(C) < 60;
}

bool IsBlue(COLORREF C)
{
    return GetBValue(C) > 200 && GetRValue(C) < 60 && GetGValue(C) < 60;
}

bool IsDark(COLORREF C)
{
    return GetRValue(C) < 80 && GetGValue(C) < 80 && GetBValue(C) < 80;
}

TCapture CaptureControl(const TControl* C)
{
    const POINT P = C->ClientToScreen(POINT{0, 0});
    return CaptureScreenRect(RECT{P.x, P.y, P.x + C->Width(), P.y + C->Height()});
}

// A quick second click at the same place is a double click; some tests need two clicks.
void ClickAgainAt(POINT Screen)
{
    AppPumpFor(GetDoubleClickTime() + 50);
    ClickAt(Screen);
}

class ButtonsTest : public DesignFormTest {
protected:
    void SetUp() override
    {
        ReadForm(Design, "ButtonsForm");
        Check1 = Find<TCheckBox>("CheckBox1");
        Check2 = Find<TCheckBox>("CheckBox2");
        Radio1 = Find<TRadioButton>("Radio1");
        Radio2 = Find<TRadioButton>("Radio2");
        Group = Find<TRadioGroup>("RadioGroup1");
        Edit = Find<TEdit>("Edit1");
        UpDown = Find<TUpDown>("UpDown1");
        BitBtn = Find<TBitBtn>("BitBtn1");
        Speed1 = Find<TSpeedButton>("SpeedButton1");
        Speed2 = Find<TSpeedButton>("SpeedButton2");
        Speed3 = Find<TSpeedButton>("SpeedButton3");
        for (TControl* C : std::initializer_list<TControl*>{Check1, Check2, Radio1, Radio2, Group, BitBtn, Speed1, Speed2,
                                                                   Speed3})
            C->OnClick = TNotifyEvent(this, &ButtonsTest::Clicked);
        UpDown->OnClick = TUDClickEvent(this, &ButtonsTest::Stepped);
        ShowForm();
    }
    void Clicked(TObject* Sender) { Clicks.push_back(static_cast<TComponent*>(Sender)->Name()); }
    void Stepped(TObject*, TUDBtnType Button) { Steps.push_back(Button); }
    POINT Middle(const TControl* C) { return ScreenPointOf(C, C->Width() / 2, C->Height() / 2); }

    TCheckBox* Check1 = nullptr;
    TCheckBox* Check2 = nullptr;
    TRadioButton* Radio1 = nullptr;
    TRadioButton* Radio2 = nullptr;
    TRadioGroup* Group = nullptr;
    TEdit* Edit = nullptr;
    TUpDown* UpDown = nullptr;
    TBitBtn* BitBtn = nullptr;
    TSpeedButton* Speed1 = nullptr;
    TSpeedButton* Speed2 = nullptr;
    TSpeedButton* Speed3 = nullptr;
    std::vector<std::string> Clicks;
    std::vector<TUDBtnType> Steps;
};

} // namespace

TEST_F(ButtonsTest, DesignsMakeThemOverTheirSystemControls)
{
    EXPECT_EQ(StyleOf(Check1) & 0xF, BS_AUTOCHECKBOX);
    EXPECT_EQ(CheckOf(Check1), BST_CHECKED);
    EXPECT_EQ(StyleOf(Check2) & 0xF, BS_AUTO3STATE);
    EXPECT_TRUE(StyleOf(Check2) & BS_LEFTTEXT);
    EXPECT_EQ(CheckOf(Check2), BST_INDETERMINATE);
    EXPECT_EQ(StyleOf(Radio1) & 0xF, BS_AUTORADIOBUTTON);
    EXPECT_EQ(CheckOf(Radio1), BST_CHECKED);
    EXPECT_EQ(StyleOf(BitBtn) & 0xF, BS_OWNERDRAW);
    char Name[64] = {};
    GetClassNameA(UpDown->Handle(), Name, sizeof Name);
    EXPECT_STREQ(Name, "TUpDown");

    // The group's buttons: its own children and components, two columns, the design's index.
    ASSERT_EQ(Group->ButtonCount(), 3);
    EXPECT_EQ(Group->ItemIndex(), 1);
    for (int I = 0; I < 3; ++I) {
        EXPECT_EQ(Group->Buttons(I)->Parent(), Group);
        EXPECT_EQ(Group->Buttons(I)->Owner(), Group);
        EXPECT_EQ(CheckOf(Group->Buttons(I)), I == 1 ? BST_CHECKED : BST_UNCHECKED);
    }
    EXPECT_EQ(Group->ControlCount(), 3);
    EXPECT_EQ(TextOf(Group->Buttons(2)), "酸");
    EXPECT_EQ(Group->Buttons(0)->Left(), Group->Buttons(1)->Left());
    EXPECT_GT(Group->Buttons(1)->Top(), Group->Buttons(0)->Top());
    EXPECT_GT(Group->Buttons(2)->Left(), Group->Buttons(0)->Left() + Group->Buttons(0)->Width() - 2);
    EXPECT_EQ(Group->Buttons(2)->Top(), Group->Buttons(0)->Top());

    // The up-down holds on to the edit's right edge and shows its position there.
    EXPECT_EQ(HWND(SendMessageA(UpDown->Handle(), UDM_GETBUDDY, 0, 0)), Edit->Handle());
    EXPECT_EQ(UpDown->Left(), Edit->Left() + Edit->Width());
    EXPECT_EQ(UpDown->Top(), Edit->Top());
    EXPECT_EQ(Edit->Text(), "5");

    // Speed buttons have no window: the form is what is under them.
    EXPECT_EQ(dynamic_cast<TWinControl*>(static_cast<TControl*>(Speed1)), nullptr);
    POINT P{Speed1->Left() + 5, Speed1->Top() + 5};
    EXPECT_EQ(ChildWindowFromPoint(Form->Handle(), P), Form->Handle());
    EXPECT_TRUE(Speed1->Down());
}

TEST_F(ButtonsTest, PublishedPropertiesAnswerByName)
{
    EXPECT_EQ(GetOrdProp(Check1, "Checked"), 1);
    SetOrdProp(Check1, "Checked", 0);
    EXPECT_EQ(CheckOf(Check1), BST_UNCHECKED);
    EXPECT_TRUE(SetEnumPropByName(Check1, "Checked", "True"));
    EXPECT_EQ(CheckOf(Check1), BST_CHECKED);
    EXPECT_TRUE(SetEnumPropByName(Check2, "State", "cbChecked"));
    EXPECT_EQ(GetPropValue(Check2, "Checked"), "True");
    EXPECT_TRUE(SetEnumPropByName(Check2, "Alignment", "taRightJustify"));
    EXPECT_FALSE(StyleOf(Check2) & BS_LEFTTEXT);
    EXPECT_EQ(CheckOf(Check2), BST_CHECKED);

    EXPECT_EQ(GetOrdProp(Radio1, "Checked"), 1);
    EXPECT_TRUE(SetEnumPropByName(Radio2, "Checked", "True"));
    EXPECT_EQ(GetOrdProp(Radio1, "Checked"), 0);

    EXPECT_TRUE(SetEnumPropByName(BitBtn, "Layout", "blGlyphTop"));
    EXPECT_EQ(BitBtn->Layout(), blGlyphTop);
    EXPECT_EQ(GetPropValue(BitBtn, "Spacing"), "4");
    EXPECT_EQ(GetPropValue(BitBtn, "Margin"), "4");
    EXPECT_EQ(GetPropValue(Speed1, "Down"), "True");
    EXPECT_EQ(GetPropValue(Speed1, "GroupIndex"), "1");
    EXPECT_EQ(GetPropValue(UpDown, "Associate"), "Edit1");
    EXPECT_TRUE(SetEnumPropByName(UpDown, "Orientation", "udHorizontal"));
    EXPECT_TRUE(StyleOf(UpDown) & UDS_HORZ);
    EXPECT_EQ(GetPropValue(Group, "Items"), "甜\r\n咸\r\n酸\r\n");
}

TEST_F(ButtonsTest, ClicksToggleCheckBoxesOnceEach)
{
    ClickAt(Middle(Check1));
    EXPECT_FALSE(Check1->Checked());
    EXPECT_EQ(CheckOf(Check1), BST_UNCHECKED);
    ClickAt(Middle(Check1));   // a double click counts as a second click
    EXPECT_TRUE(Check1->Checked());
    EXPECT_EQ(Clicks, (std::vector<std::string>{"CheckBox1", "CheckBox1"}));
    // Set by the program: no OnClick.
    Check1->SetChecked(false);
    EXPECT_EQ(CheckOf(Check1), BST_UNCHECKED);
    EXPECT_EQ(Clicks.size(), 2u);

    // Three states in turn, starting from grayed.
    std::vector<TCheckBoxState> Seen;
    for (int I = 0; I < 3; ++I) {
        ClickAgainAt(Middle(Check2));
        Seen.push_back(Check2->State());
    }
    EXPECT_EQ(Seen, (std::vector<TCheckBoxState>{cbUnchecked, cbChecked, cbGrayed}));
    EXPECT_EQ(Clicks.size(), 5u);
    // The space key on the focused box.
    Check1->SetFocus();
    PressKey(VK_SPACE);
    AppPumpUntil([&] { return Check1->Checked(); });
    EXPECT_TRUE(Check1->Checked());
    EXPECT_EQ(Clicks.back(), "CheckBox1");
}

TEST_F(ButtonsTest, RadioButtonsUncheckTheirSiblings)
{
    ClickAt(Middle(Radio2));
    EXPECT_TRUE(Radio2->Checked());
    EXPECT_FALSE(Radio1->Checked());
    EXPECT_EQ(CheckOf(Radio1), BST_UNCHECKED);
    // Checking the checked one again is no change.
    ClickAgainAt(Middle(Radio2));
    EXPECT_EQ(Clicks, (std::vector<std::string>{"Radio2"}));
    // The group's buttons have another parent and stay as they were.
    EXPECT_EQ(Group->ItemIndex(), 1);
    EXPECT_EQ(CheckOf(Group->Buttons(1)), BST_CHECKED);

    Radio1->SetChecked(true);
    EXPECT_FALSE(Radio2->Checked());
    EXPECT_EQ(CheckOf(Radio2), BST_UNCHECKED);
    EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(ButtonsTest, RadioGroupFollowsClicksAndItems)
{
    ClickAt(Middle(Group->Buttons(2)));
    EXPECT_EQ(Group->ItemIndex(), 2);
    EXPECT_EQ(CheckOf(Group->Buttons(1)), BST_UNCHECKED);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"RadioGroup1"}));
    ClickAgainAt(Middle(Group->Buttons(0)));
    EXPECT_EQ(Group->ItemIndex(), 0);
    EXPECT_EQ(Clicks.size(), 2u);

    // Set by the program: the button follows, no OnClick.
    Group->SetItemIndex(2);
    EXPECT_EQ(CheckOf(Group->Buttons(2)), BST_CHECKED);
    EXPECT_EQ(CheckOf(Group->Buttons(0)), BST_UNCHECKED);
    Group->SetItemIndex(7);
    EXPECT_EQ(Group->ItemIndex(), 2);
    EXPECT_EQ(Clicks.size(), 2u);

    Group->Items()->Add("辣");
    ASSERT_EQ(Group->ButtonCount(), 4);
    EXPECT_EQ(TextOf(Group->Buttons(3)), "辣");
    EXPECT_EQ(Group->ItemIndex(), 2);
    EXPECT_TRUE(IsWindowVisible(Group->Buttons(3)->Handle()));
    Group->Items()->Delete(3);
    Group->Items()->Delete(2);
    EXPECT_EQ(Group->ButtonCount(), 2);
    EXPECT_EQ(Group->ItemIndex(), -1);
    Group->Items()->Clear();
    EXPECT_EQ(Group->ControlCount(), 0);
}

TEST_F(ButtonsTest, UpDownStepsItsEditWithinItsRange)
{
    const RECT R = UpDown->ClientRect();
    const POINT Up = ScreenPointOf(UpDown, R.right / 2, R.bottom / 4);
    const POINT Down = ScreenPointOf(UpDown, R.right / 2, R.bottom * 3 / 4);
    ClickAt(Up);
    EXPECT_EQ(Edit->Text(), "6");
    EXPECT_EQ(UpDown->Position(), 6);
    ClickAt(Down);
    ClickAt(Down);   // quick clicks on the same half step each time
    EXPECT_EQ(Edit->Text(), "4");
    EXPECT_EQ(Steps, (std::vector<TUDBtnType>{btNext, btPrev, btPrev}));

    // The arrow keys in the edit.
    Edit->SetFocus();
    PressKey(VK_UP);
    AppPumpUntil([&] { return Edit->Text() == "5"; });
    EXPECT_EQ(Edit->Text(), "5");
    EXPECT_EQ(Steps.size(), 4u);

    // At Max it stays, and nothing is reported; with Wrap it goes round to Min.
    UpDown->SetPosition(10);
    EXPECT_EQ(Edit->Text(), "10");
    ClickAgainAt(Up);
    EXPECT_EQ(UpDown->Position(), 10);
    EXPECT_EQ(Steps.size(), 4u);
    UpDown->SetWrap(true);
    ClickAgainAt(Up);
    EXPECT_EQ(UpDown->Position(), 0);
    EXPECT_EQ(Edit->Text(), "0");
    EXPECT_EQ(Steps.back(), btNext);
    UpDown->SetWrap(false);
    ClickAgainAt(Down);
    EXPECT_EQ(UpDown->Position(), 0);
    UpDown->SetPosition(42);
    EXPECT_EQ(UpDown->Position(), 10);
}

namespace {

// A 16 x 16 image per glyph: red, except the bottom four rows in the bottom-left
// pixel's colour (green), which is transparent. Further images are blue, yellow, cyan.
void MakeGlyph(TBitmap& Glyph, int Images)
{
    const COLORREF Colors[] = {RGB(255, 0, 0), RGB(0, 0, 255), RGB(255, 255, 0), RGB(0, 255, 255)};
    Glyph.SetPixelFormat(pf24bit);
    Glyph.SetSize(16 * Images, 16);
    const HDC DC = Glyph.Canvas()->Handle();
    for (int I = 0; I < Images; ++I) {
        TBrushHandle Image(CreateSolidBrush(Colors[I]));
        RECT R{16 * I, 0, 16 * I + 16, 12};
        FillRect(DC, &R, Image.Get());
        TBrushHandle Key(CreateSolidBrush(RGB(0, 255, 0)));
        R = RECT{16 * I, 12, 16 * I + 16, 16};
        FillRect(DC, &R, Key.Get());
    }
}

SIZE TextExtentOf(TControl* C, const std::string& Text)
{
    TWindowDC Screen(nullptr);
    TSelectObject Font(Screen.Handle(), C->Font()->Handle());
    RECT R{0, 0, 200, 100};
    DrawTextA(Screen.Handle(), Text.c_str(), int(Text.size()), &R, DT_CALCRECT);
    return SIZE{R.right, R.bottom};
}

void LeftButton(bool Down)
{
    INPUT In{};
    In.type = INPUT_MOUSE;
    In.mi.dwFlags = Down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &In, sizeof In);
    AppPumpFor(150);
}

} // namespace

TEST_F(ButtonsTest, GlyphButtonsPlaceGlyphAndCaptionByLayout)
{
    MakeGlyph(*BitBtn->Glyph(), 1);
    Edit->SetFocus();   // no focus frame on the button
    const SIZE Text = TextExtentOf(BitBtn, "OK");
    ASSERT_GT(Text.cx, 8);
    const RECT Whole{0, 0, 100, 60};
    const RECT Inner{3, 3, 97, 57};
    struct TCase {
        TButtonLayout Layout;
        RECT Glyph;
    };
    // Margin 4, spacing 4 on a 100 x 60 face; the glyph's bottom four rows are transparent.
    for (const TCase& C : {TCase{blGlyphLeft, {4, 22, 20, 34}}, TCase{blGlyphRight, {80, 22, 96, 34}},
                           TCase{blGlyphTop, {42, 4, 58, 16}}, TCase{blGlyphBottom, {42, 40, 58, 52}}}) {
        BitBtn->SetLayout(C.Layout);
        AppPumpFor(150);
        const TCapture Shot = CaptureControl(BitBtn);
        Shot.SavePng("controls-bitbtn-" + GetEnumName(EnumTypeInfo(C.Layout), C.Layout) + ".png");
        const RECT Glyph = BoundsOf(Shot, Whole, IsRed);
        const RECT Ink = BoundsOf(Shot, Inner, IsDark);
        SCOPED_TRACE(C.Layout);
        EXPECT_TRUE(EqualRect(&Glyph, &C.Glyph)) << Glyph.left << "," << Glyph.top << "," << Glyph.right << ","
                                                 << Glyph.bottom;
        // The text's cell starts (ends) 4 pixels past the glyph; its ink lies inside the cell.
        switch (C.Layout) {
        case blGlyphLeft:
            EXPECT_GE(Ink.left, 24);
            EXPECT_LE(Ink.left, 27);
            break;
        case blGlyphRight:
            EXPECT_LE(Ink.right, 76);
            EXPECT_GE(Ink.right, 73);
            break;
        case blGlyphTop:
            EXPECT_GE(Ink.top, 24);
            EXPECT_LE(Ink.top, 24 + Text.cy / 2);
            EXPECT_NEAR((Ink.left + Ink.right) / 2, 50, 3);
            break;
        case blGlyphBottom:
            EXPECT_LE(Ink.bottom, 36);
            EXPECT_GE(Ink.bottom, 36 - Text.cy / 2);
            break;
        }
    }

    // Margin and spacing -1: margin, gap and the far side share the free width equally.
    BitBtn->SetLayout(blGlyphLeft);
    BitBtn->SetMargin(-1);
    BitBtn->SetSpacing(-1);
    AppPumpFor(150);
    TCapture Shot = CaptureControl(BitBtn);
    Shot.SavePng("controls-bitbtn-centred.png");
    RECT Glyph = BoundsOf(Shot, Whole, IsRed);
    RECT Ink = BoundsOf(Shot, Inner, IsDark);
    EXPECT_EQ(Glyph.left, (100 - 16 - Text.cx) / 3);
    EXPECT_NEAR(Ink.left - Glyph.right, Glyph.left, 3);
    EXPECT_NEAR(100 - Ink.right, Glyph.left, 3);
    // Margin -1 alone centres glyph and text as one block.
    BitBtn->SetSpacing(4);
    AppPumpFor(150);
    Shot = CaptureControl(BitBtn);
    Glyph = BoundsOf(Shot, Whole, IsRed);
    Ink = BoundsOf(Shot, Inner, IsDark);
    EXPECT_EQ(Glyph.left, (100 - 16 - 4 - Text.cx) / 2);
    EXPECT_NEAR(100 - Ink.right, Glyph.left, 3);
}

TEST_F(ButtonsTest, DisabledGlyphButtonsShowTheirDisabledImage)
{
    MakeGlyph(*BitBtn->Glyph(), 1);
    Edit->SetFocus();
    BitBtn->SetEnabled(false);
    AppPumpFor(150);
    TCapture Shot = CaptureControl(BitBtn);
    Shot.SavePng("controls-bitbtn-disabled.png");
    const RECT GlyphArea{4, 22, 20, 34};
    // One image: drawn in grey relief where the glyph's opaque pixels are.
    EXPECT_EQ(BoundsOf(Shot, RECT{0, 0, 100, 60}, IsRed).right, 0);
    const RECT Relief = BoundsOf(Shot, GlyphArea, [](COLORREF C) { return SameColor(C, GetSysColor(COLOR_BTNSHADOW)); });
    EXPECT_EQ(Relief.left, 4);
    EXPECT_EQ(Relief.top, 22);
    // Two images: the second one.
    MakeGlyph(*BitBtn->Glyph(), 2);
    BitBtn->SetNumGlyphs(2);
    AppPumpFor(150);
    Shot = CaptureControl(BitBtn);
    Shot.SavePng("controls-bitbtn-disabled2.png");
    const RECT Blue = BoundsOf(Shot, RECT{0, 0, 100, 60}, IsBlue);
    EXPECT_TRUE(EqualRect(&Blue, &GlyphArea));
    BitBtn->SetEnabled(true);
    AppPumpFor(150);
    Shot = CaptureControl(BitBtn);
    const RECT Red = BoundsOf(Shot, RECT{0, 0, 100, 60}, IsRed);
    EXPECT_TRUE(EqualRect(&Red, &GlyphArea));
    EXPECT_EQ(BoundsOf(Shot, RECT{0, 0, 100, 60}, IsBlue).right, 0);

    // Drawn by its owner, it still clicks like a push button, a quick second click too.
    ClickAt(Middle(BitBtn));
    ClickAt(Middle(BitBtn));
    EXPECT_EQ(Clicks, (std::vector<std::string>{"BitBtn1", "BitBtn1"}));
    EXPECT_EQ(StyleOf(BitBtn) & 0xF, BS_OWNERDRAW);
}

TEST_F(ButtonsTest, SpeedButtonsOfAGroupActLikeRadioButtons)
{
    ClickAt(Middle(Speed2));
    EXPECT_TRUE(Speed2->Down());
    EXPECT_FALSE(Speed1->Down());
    ClickAgainAt(Middle(Speed2));   // the last one down stays down
    EXPECT_TRUE(Speed2->Down());
    Speed2->SetAllowAllUp(true);
    ClickAgainAt(Middle(Speed2));
    EXPECT_FALSE(Speed2->Down());
    EXPECT_FALSE(Speed1->Down());
    // Without a group it springs back; quick clicks are a click each.
    ClickAt(Middle(Speed3));
    ClickAt(Middle(Speed3));
    EXPECT_FALSE(Speed3->Down());
    EXPECT_EQ(Clicks, (std::vector<std::string>{"SpeedButton2", "SpeedButton2", "SpeedButton2", "SpeedButton3",
                                                "SpeedButton3"}));
    Speed3->SetDown(true);
    EXPECT_FALSE(Speed3->Down());
    Speed1->SetDown(true);
    EXPECT_TRUE(Speed1->Down());
    AppPumpFor(150);
    CaptureWindow(Form->Handle(), true).SavePng("controls-buttons-form.png");
}

TEST_F(ButtonsTest, SpeedButtonLooksPressedWhileTheMouseIsHeldOverIt)
{
    MakeGlyph(*Speed3->Glyph(), 1);
    Speed3->SetMargin(2);
    Speed3->SetCaption("");
    AppPumpFor(150);
    RECT Glyph = BoundsOf(CaptureControl(Speed3), RECT{0, 0, 60, 30}, IsRed);
    EXPECT_EQ(Glyph.left, 2);
    EXPECT_EQ(Glyph.top, (30 - 16 + 1) / 2);

    MoveMouseTo(Middle(Speed3));
    LeftButton(true);
    EXPECT_EQ(Speed3->State(), bsDown);
    const TCapture Held = CaptureControl(Speed3);
    Held.SavePng("controls-speedbutton-held.png");
    Glyph = BoundsOf(Held, RECT{0, 0, 60, 30}, IsRed);
    EXPECT_EQ(Glyph.left, 3);
    EXPECT_EQ(Glyph.top, (30 - 16 + 1) / 2 + 1);
    // Dragged off it, it comes up; let go there, it is no click.
    MoveMouseTo(ScreenPointOf(Form, 450, 240));
    EXPECT_EQ(Speed3->State(), bsUp);
    LeftButton(false);
    EXPECT_TRUE(Clicks.empty());
}
