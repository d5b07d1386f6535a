// The gallery as a whole: every control is the framework class over its system control,
// published properties answer by name, real clicks and keys reach the controls.
#include "tests/controls/GalleryFixture.h"

#include <commctrl.h>

#include <set>

#include "framework/core/TypInfo.h"

namespace {

std::string ClassOf(HWND Wnd)
{
    char Name[128] = {};
    GetClassNameA(Wnd, Name, sizeof Name);
    return Name;
}

LONG_PTR StyleOf(TWinControl* C)
{
    return GetWindowLongPtrA(C->Handle(), GWL_STYLE);
}

} // namespace

TEST_F(GalleryTest, WindowsAreFrameworkClassesOverSystemControls)
{
    for (TWinControl* C : std::initializer_list<TWinControl*>{Form->TreeView1, Form->Panel1, Form->Memo1,
                                                              Form->GroupBox1, Form->Edit1, Form->ComboBox1,
                                                              Form->Button1, Form->StatusBar1})
        EXPECT_EQ(ClassOf(C->Handle()), C->ClassName());

    EXPECT_EQ(SendMessageA(Form->TreeView1->Handle(), TVM_GETINDENT, 0, 0), 19);
    EXPECT_FALSE(StyleOf(Form->TreeView1) & TVS_EDITLABELS);
    EXPECT_EQ(StyleOf(Form->GroupBox1) & 0xF, BS_GROUPBOX);
    EXPECT_EQ(StyleOf(Form->Button1) & 0xF, BS_DEFPUSHBUTTON);
    EXPECT_TRUE(StyleOf(Form->Memo1) & ES_MULTILINE);
    EXPECT_TRUE(StyleOf(Form->Memo1) & ES_READONLY);
    EXPECT_TRUE(StyleOf(Form->Memo1) & WS_VSCROLL);
    EXPECT_EQ(SendMessageA(Form->ComboBox1->Handle(), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(Form->ComboBox1->Text(), "川菜");
    EXPECT_EQ(WindowText(Form->GroupBox1->Handle()), "烹制方法");

    int Edges[4] = {};
    const HWND Bar = Form->StatusBar1->Handle();
    ASSERT_EQ(SendMessageA(Bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(Edges)), 2);
    EXPECT_EQ(Edges[0], 100);
    EXPECT_EQ(Edges[1], -1);
    char Text[128] = {};
    const LRESULT Second = SendMessageA(Bar, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(Text));
    EXPECT_STREQ(Text, "设计：某人    学校    someone@example.com");
    EXPECT_TRUE(HIWORD(Second) & SBT_POPOUT);
    EXPECT_TRUE(StyleOf(Form->StatusBar1) & SBARS_SIZEGRIP);

    EXPECT_EQ(GetMenu(Form->Handle()), Form->MainMenu1->Handle());
    EXPECT_EQ(GetMenuItemCount(Form->MainMenu1->Handle()), 2);
    EXPECT_EQ(Form->Image1->Picture()->Width(), 200);
    EXPECT_EQ(Form->Image1->Picture()->Height(), 150);
}

TEST_F(GalleryTest, PublishedPropertiesAnswerByName)
{
    EXPECT_EQ(GetPropValue(Form->TreeView1, "ReadOnly"), "True");
    EXPECT_EQ(GetPropValue(Form->TreeView1, "Indent"), "19");
    auto* Checked = static_cast<TMenuItem*>(Form->FindComponent("MenuChecked"));
    EXPECT_EQ(GetPropValue(Checked, "Checked"), "True");
    EXPECT_EQ(GetPropValue(Form->Memo1, "ScrollBars"), "ssVertical");
    EXPECT_EQ(GetPropValue(Form->StatusBar1, "SizeGrip"), "True");
    EXPECT_EQ(GetPropValue(Form->Label1, "Caption"), "原料");

    // Set by name as the skin engine does: the bar loses its grip (a new window).
    EXPECT_TRUE(SetEnumPropByName(Form->StatusBar1, "SizeGrip", "False"));
    EXPECT_FALSE(StyleOf(Form->StatusBar1) & SBARS_SIZEGRIP);
    int Edges[4] = {};
    EXPECT_EQ(SendMessageA(Form->StatusBar1->Handle(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(Edges)), 2);
    // Not an enumeration, or no such property: nothing happens.
    EXPECT_FALSE(SetEnumPropByName(Form->Panel1, "Transparent", "True"));
    EXPECT_FALSE(SetEnumPropByName(Form->TreeView1, "Indent", "True"));
}

TEST_F(GalleryTest, LooksRight)
{
    AppPumpFor(300);
    const TCapture Shot = CaptureWindow(Form->Handle(), true);
    Shot.SavePng("controls-gallery.png");

    // The placeholder picture: drawn (not one flat colour) where the box shows it.
    const POINT Image = Form->Image1->ClientOrigin();
    POINT Client{0, 0};
    ClientToScreen(Form->Handle(), &Client);
    std::set<COLORREF> Colours;
    const RECT Dest = Form->Image1->DestRect();
    for (int Y = Dest.top; Y < Dest.bottom; Y += 7)
        for (int X = Dest.left; X < Dest.right; X += 7)
            Colours.insert(Shot.Pixel(Image.x - Client.x + X, Image.y - Client.y + Y));
    EXPECT_GT(Colours.size(), 8u);
    // Stretched to the box's width with its proportions kept: 192 x 144.
    EXPECT_EQ(Dest.right - Dest.left, 192);
    EXPECT_EQ(Dest.bottom - Dest.top, 144);

    // The bold caption of Label1 has dark pixels; the panel around it is button face.
    const POINT Label = Form->Label1->ClientOrigin();
    int Dark = 0;
    for (int Y = 0; Y < Form->Label1->Height(); ++Y)
        for (int X = 0; X < Form->Label1->Width(); ++X) {
            const COLORREF C = Shot.Pixel(Label.x - Client.x + X, Label.y - Client.y + Y);
            Dark += GetRValue(C) < 80 && GetGValue(C) < 80 && GetBValue(C) < 80;
        }
    EXPECT_GT(Dark, 20);
    const POINT Panel = Form->Panel1->ClientOrigin();
    EXPECT_TRUE(SameColor(Shot.Pixel(Panel.x - Client.x + 120, Panel.y - Client.y + 190), GetSysColor(COLOR_BTNFACE)));
    // The panel's raised bevel: highlight on the left edge, shadow on the right.
    EXPECT_TRUE(SameColor(Shot.Pixel(Panel.x - Client.x, Panel.y - Client.y + 100), GetSysColor(COLOR_BTNHIGHLIGHT)));
    EXPECT_TRUE(SameColor(Shot.Pixel(Panel.x - Client.x + Form->Panel1->Width() - 1, Panel.y - Client.y + 100),
                          GetSysColor(COLOR_BTNSHADOW)));
    // The group box's etched frame: shadow then highlight, below the caption's middle.
    const POINT Box = Form->GroupBox1->ClientOrigin();
    EXPECT_TRUE(SameColor(Shot.Pixel(Box.x - Client.x, Box.y - Client.y + 200), GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_TRUE(SameColor(Shot.Pixel(Box.x - Client.x + 1, Box.y - Client.y + 200), GetSysColor(COLOR_BTNHIGHLIGHT)));
    EXPECT_TRUE(SameColor(Shot.Pixel(Box.x - Client.x + 4, Box.y - Client.y + 2), GetSysColor(COLOR_BTNFACE)));
}

TEST_F(GalleryTest, RealClicksReachLabelsInAGroupBoxButtonsAndPictures)
{
    // Label2 lies in the group box, whose system control would let the mouse through.
    const TLabel* Label = Form->Label2;
    MoveMouseTo(ScreenPointOf(Label, Label->Width() / 2, Label->Height() / 2));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
    ClickAt(ScreenPointOf(Label, Label->Width() / 2, Label->Height() / 2));
    ClickAt(ScreenPointOf(Form->Button1, 20, 12));
    ClickAt(ScreenPointOf(Form->Image1, 50, 50));
    AppPumpUntil([&] { return Form->Clicks.size() >= 3; });
    EXPECT_EQ(Form->Clicks, (std::vector<std::string>{"Label2", "Button1", "Image1"}));
}

TEST_F(GalleryTest, KeysPressButtonsAndChooseComboItems)
{
    Form->Edit1->SetFocus();
    PressKey('X');
    AppPumpUntil([&] { return Form->Edit1->Text() == "x"; });
    EXPECT_EQ(Form->Edit1->Text(), "x");
    PressKey(VK_RETURN);                 // the default button
    PressKey('A', {VK_MENU});            // its accelerator
    AppPumpUntil([&] { return Form->Clicks.size() >= 2; });
    EXPECT_EQ(Form->Clicks, (std::vector<std::string>{"Button1", "Button1"}));

    Form->ComboBox1->SetFocus();
    const int Before = Form->ComboChanges;
    PressKey(VK_DOWN);
    AppPumpUntil([&] { return Form->ComboBox1->ItemIndex() == 1; });
    EXPECT_EQ(Form->ComboBox1->ItemIndex(), 1);
    EXPECT_EQ(Form->ComboBox1->Text(), "粤菜");
    EXPECT_EQ(Form->ComboChanges, Before + 1);
    // A new entry typed into the edit part.
    PressKey('A', {VK_CONTROL});
    PressKey('Q');
    AppPumpUntil([&] { return Form->ComboBox1->Text() == "q"; });
    EXPECT_EQ(Form->ComboBox1->Text(), "q");
    EXPECT_EQ(Form->ComboChanges, Before + 2);
}

TEST_F(GalleryTest, StatusPanelsFollowTheirProperties)
{
    const HWND Bar = Form->StatusBar1->Handle();
    TStatusPanel* Panel = Form->StatusBar1->Panels()->Items(0);
    char Text[128] = {};
    Panel->SetAlignment(taRightJustify);
    SendMessageA(Bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(Text));
    EXPECT_STREQ(Text, "\t\tQQ：10000");
    // Right-to-left reading swaps the sides.
    Panel->SetBiDiMode(bdRightToLeft);
    const LRESULT Flags = SendMessageA(Bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(Text));
    EXPECT_STREQ(Text, "QQ：10000");
    EXPECT_TRUE(HIWORD(Flags) & SBT_RTLREADING);
    Panel->SetBevel(pbNone);
    EXPECT_TRUE(HIWORD(SendMessageA(Bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(Text))) & SBT_NOBORDERS);

    TStatusPanel* Third = Form->StatusBar1->Panels()->Add();
    Third->SetText("三");
    int Edges[4] = {};
    ASSERT_EQ(SendMessageA(Bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(Edges)), 3);
    EXPECT_EQ(Edges[1], 100 + 50);
    EXPECT_EQ(Edges[2], -1);
    delete Third;
    EXPECT_EQ(SendMessageA(Bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(Edges)), 2);

    Form->StatusBar1->SetSimpleText("简单");
    Form->StatusBar1->SetSimplePanel(true);
    EXPECT_TRUE(SendMessageA(Bar, SB_ISSIMPLE, 0, 0));
    AppPumpFor(200);
    const TCapture Simple = CaptureWindow(Bar);
    Simple.SavePng("controls-status-simple.png");
    // The simple text is drawn at the left, over where the panels were.
    int Dark = 0;
    for (int Y = 0; Y < Simple.Height; ++Y)
        for (int X = 0; X < 40; ++X)
            Dark += GetRValue(Simple.Pixel(X, Y)) < 80;
    EXPECT_GT(Dark, 10);
    Form->StatusBar1->SetSimplePanel(false);
    EXPECT_FALSE(SendMessageA(Bar, SB_ISSIMPLE, 0, 0));
}

TEST(Placeholder, IsTheBuiltInJpegOf200By150)
{
    TPicture Picture;
    LoadPlaceholderPicture(Picture);
    ASSERT_TRUE(Picture.Graphic());
    EXPECT_EQ(Picture.Graphic()->ClassName(), "TJPEGImage");
    EXPECT_EQ(Picture.Width(), 200);
    EXPECT_EQ(Picture.Height(), 150);
}
