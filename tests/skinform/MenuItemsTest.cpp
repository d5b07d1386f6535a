// Menu items painted from the skin on real menus opened with real input: the bar's drop-down
// and its submenu, a form's popup menu, the system menu and an MDI window list, on the screen
// and printed. The flat "MenuItem" has its corners cut to the key colour and is drawn
// transparently: an item's corner shows the popup's background, its glyph column the frame.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Stream.h"
#include "framework/design/DesignReader.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHolders.h"
#include "framework/graphics/ImageList.h"
#include "framework/ui/Menus.h"
#include "skin/form/SkinMenuBar.h"
#include "skin/manage/SkinManage.h"
#include "skin/manage/SkinPopMenu.h"
#include "tests/controls/Input.h"
#include "tests/skinform/BareWindows.h"
#include "tests/skinform/SkinnedWindow.h"
#include "tests/support/Capture.h"

namespace {

const COLORREF Background = FlatColour(feMenuBackground, 1);
COLORREF ItemFrame(int Frame) { return FlatColour(feMenuItem, Frame); }
COLORREF SkinColour(const std::string& Key)
{
    int I = 0;
    while (Key != FlatColourKeys[I])
        ++I;
    return FlatKeyColour(I);
}

TFlatSkin MenuSkin(bool WithItem = true, bool WithBackground = true)
{
    TFlatSkin Skin;
    Skin.MenuBar.Present = true;
    Skin.MenuItem.Present = WithItem;
    Skin.MenuItem.Cut = {3, 3, 3, 3};
    Skin.ExtraKeys.push_back({{"MenuItem", "Trans"}, "1"});
    Skin.MenuBackground.Present = WithBackground;
    return Skin;
}

TCapture Picture(TBitmap& Bitmap)
{
    TCapture Shot;
    Shot.Width = Bitmap.Width();
    Shot.Height = Bitmap.Height();
    for (int Y = 0; Y < Shot.Height; ++Y)
        for (int X = 0; X < Shot.Width; ++X) {
            const COLORREF C = ColorToRGB(Bitmap.Canvas()->Pixels(X, Y));
            Shot.Rgb.insert(Shot.Rgb.end(), {GetRValue(C), GetGValue(C), GetBValue(C)});
        }
    return Shot;
}

// A W x H bitmap file, its top half one colour and its bottom half another.
std::string TwoBandBmp(int W, int H, COLORREF Top, COLORREF Bottom)
{
    TBitmap Bitmap;
    Bitmap.SetPixelFormat(pf24bit);
    Bitmap.SetSize(W, H);
    Bitmap.Canvas()->Brush()->SetColor(TColor(Top));
    Bitmap.Canvas()->FillRect(RECT{0, 0, W, H / 2});
    Bitmap.Canvas()->Brush()->SetColor(TColor(Bottom));
    Bitmap.Canvas()->FillRect(RECT{0, H / 2, W, H});
    TMemoryStream Stream;
    Bitmap.SaveToStream(Stream);
    return std::string(reinterpret_cast<const char*>(Stream.Memory()), size_t(Stream.Size()));
}

// A menu window on the screen or printed, with its items' rectangles (read while it is open:
// the system knows them only then), all in the window's coordinates.
struct TMenuShot {
    HWND Wnd = nullptr;
    TCapture Shot;
    std::vector<RECT> Items;

    explicit TMenuShot(HWND Window = nullptr, bool Printed = false) : Wnd(Window)
    {
        if (!Wnd)
            return;
        const RECT W = WindowRect(Wnd);
        const auto Menu = reinterpret_cast<HMENU>(SendMessageA(Wnd, MN_GETHMENU, 0, 0));
        for (int Pos = 0; Pos < GetMenuItemCount(Menu); ++Pos) {
            RECT R{};
            GetMenuItemRect(nullptr, Menu, UINT(Pos), &R);
            OffsetRect(&R, -W.left, -W.top);
            Items.push_back(R);
        }
        if (!Printed) {
            Shot = CaptureWindow(Wnd);
            return;
        }
        TBitmap Target;
        Target.SetSize(Width(W), Height(W));
        SendMessageA(Wnd, WM_PRINT, reinterpret_cast<WPARAM>(Target.Canvas()->Handle()), PRF_NONCLIENT | PRF_CLIENT);
        Shot = Picture(Target);
    }
    COLORREF At(int X, int Y) const { return Shot.Pixel(X, Y); }
    // Left of the glyph box, in the middle of the item's height.
    COLORREF Middle(int Pos) const { return At(Items[Pos].left + 2, (Items[Pos].top + Items[Pos].bottom) / 2); }

    void ExpectSkinBorder(bool Skin = true) const
    {
        for (int I = 0; I < 3; ++I) {
            EXPECT_EQ(SameColor(At(I, Shot.Height / 2), Background), Skin) << "left " << I;
            EXPECT_EQ(SameColor(At(Shot.Width - 1 - I, Shot.Height / 2), Background), Skin) << "right " << I;
            EXPECT_EQ(SameColor(At(Shot.Width / 2, Shot.Height - 1 - I), Background), Skin) << "bottom " << I;
        }
    }
    void ExpectItem(int Pos, int Frame) const
    {
        EXPECT_TRUE(SameColor(At(Items[Pos].left, Items[Pos].top), Background)) << "corner of " << Pos;
        EXPECT_TRUE(SameColor(Middle(Pos), ItemFrame(Frame))) << "middle of " << Pos;
    }
    // Pixels of Colour in R: how many, and the rightmost column.
    std::pair<int, int> Ink(const RECT& R, COLORREF Colour) const
    {
        std::pair<int, int> Ink{0, -1};
        for (int Y = R.top; Y < R.bottom; ++Y)
            for (int X = R.left; X < R.right; ++X)
                if (SameColor(At(X, Y), Colour, 4))
                    Ink = {Ink.first + 1, std::max(Ink.second, X)};
        return Ink;
    }
};

class MenuItems : public SkinnedWindow {
protected:
    TMainMenu* Menu = nullptr;
    std::vector<TMenuItem*> File;  // the entries of &File

    TMenuItem* Add(TMenuItem* Parent, const std::string& Caption)
    {
        auto* Item = new TMenuItem(Menu);
        Item->SetCaption(Caption);
        Parent->Add(Item);
        return Item;
    }

    // &File: &Open (Ctrl+O), &Checked, &Pictured (checked, with a blue square in the middle of
    // a transparent image), &Off (disabled), -, &Sub > &Deep, Heavy (default), Heavy.
    TForm* MenuForm()
    {
        TForm* Form = MakeForm();
        Menu = new TMainMenu(Form);
        auto* Images = new TImageList(Form);
        TBitmap Image;
        Image.SetSize(16, 16);
        Image.Canvas()->Brush()->SetColor(clWhite);
        Image.Canvas()->FillRect(RECT{0, 0, 16, 16});
        Image.Canvas()->Brush()->SetColor(TColor(RGB(0, 0, 255)));
        Image.Canvas()->FillRect(RECT{4, 4, 12, 12});
        Images->AddMasked(Image, clWhite);
        Menu->SetImages(Images);
        TMenuItem* Top = Add(Menu->Items(), "&File");
        for (const char* Caption : {"&Open", "&Checked", "&Pictured", "&Off", "-", "&Sub", "Heavy", "Heavy"})
            File.push_back(Add(Top, Caption));
        File[0]->SetShortCut(TextToShortCut("Ctrl+O"));
        File[1]->SetChecked(true);
        File[2]->SetChecked(true);
        File[2]->SetImageIndex(0);
        File[3]->SetEnabled(false);
        Add(File[5], "&Deep");
        File[6]->SetDefault(true);
        Form->SetMenu(Menu);
        return Form;
    }

    // &One, -, &Two (checked).
    static TPopupMenu* FormPopup(TForm* Form)
    {
        auto* Popup = new TPopupMenu(Form);
        for (const char* Caption : {"&One", "-", "&Two"}) {
            auto* Item = new TMenuItem(Popup);
            Item->SetCaption(Caption);
            Popup->Items()->Add(Item);
        }
        Popup->Items()->Items(2)->SetChecked(true);
        return Popup;
    }

    // Opens a menu with Open(), runs Steps inside it, closes it and waits for its end; false
    // when the menu did not run its steps and close in time.
    static bool InMenu(const std::function<void()>& Open, std::vector<std::function<void()>> Steps,
                       UINT Interval = 250)
    {
        const auto Done = std::make_shared<bool>(false);
        Steps.push_back([Done] {
            *Done = true;
            EndMenu();
        });
        RunDuringMenus(std::move(Steps), Interval);
        Open();
        const bool Closed = AppPumpUntil([Done] { return *Done && !VisibleMenuWindow(); }, 5000);
        AppPumpFor(50);
        return Closed;
    }
    static std::function<void()> ClickBar(const TWinSkinForm& F, int Index)
    {
        const RECT& R = F.FMenuBar->FButtons[size_t(Index)]->FRect;
        const POINT P{F.FWindowRect.left + (R.left + R.right) / 2, F.FWindowRect.top + (R.top + R.bottom) / 2};
        return [P] { ClickAt(P); };
    }
    static std::function<void()> PopUp(TForm* Form, TPopupMenu* Popup)
    {
        return [=] { Popup->Popup(WindowRect(Form->Handle()).left + 40, WindowRect(Form->Handle()).top + 60); };
    }
};

}  // namespace

TEST_F(MenuItems, TheBarsDropDownAndItsSubmenuAreDrawnFromTheSkinOnScreenAndPrinted)
{
    LoadSkin(MenuSkin());
    TWinSkinForm* F = ShowSkinned(MenuForm());
    ASSERT_NE(F, nullptr);
    TMenuShot Drop, Printed, Sub;
    HMENU DropShows = nullptr, SubShows = nullptr;
    InMenu(ClickBar(*F, 0), {[&] {
                                 Drop = TMenuShot(VisibleMenuWindow());
                                 Printed = TMenuShot(Drop.Wnd, true);
                                 // Up from the first item, round to &Sub, and into it.
                                 for (WORD Key : {VK_UP, VK_UP, VK_UP, VK_RIGHT})
                                     QueueKey(Key);
                             },
                             [&] {
                                 Sub = TMenuShot(VisibleMenuWindow());
                                 for (const auto& P : SkinManager->Popups)
                                     (P->FHandle == Drop.Wnd ? DropShows : SubShows) = P->FMenuHandle;
                             }});
    ASSERT_FALSE(Drop.Items.empty());
    Drop.Shot.SavePng("menuitems-dropdown.png");
    for (const TMenuShot* S : {&Drop, &Printed}) {
        S->ExpectSkinBorder();
        S->ExpectItem(0, 4);  // selected on opening
        S->ExpectItem(3, 1);
        // The separator: the skin's strip (its cut corner shows the background), no item frame.
        const RECT& Line = S->Items[4];
        EXPECT_TRUE(SameColor(S->At(Line.left + 20, Line.top + 2), ItemFrame(2)));
        EXPECT_TRUE(SameColor(S->At(Line.left, Line.bottom - 1), Background));
    }

    // Glyphs: the system's check mark; an image over a dithered box with a sunken edge.
    const RECT Box1{Drop.Items[1].left + 4, Drop.Items[1].top + 1, Drop.Items[1].left + 20, Drop.Items[1].top + 17};
    EXPECT_GT(Drop.Ink(Box1, GetSysColor(COLOR_BTNTEXT)).first, 5);
    const RECT& P = Drop.Items[2];
    EXPECT_TRUE(SameColor(Drop.At(P.left + 12, P.top + 9), RGB(0, 0, 255)));
    EXPECT_TRUE(SameColor(Drop.At(P.left + 4, P.top + 9), GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_GT(Drop.Ink(RECT{P.left + 5, P.top + 2, P.left + 19, P.top + 5}, GetSysColor(COLOR_BTNHIGHLIGHT)).first,
              10);
    // Texts: "HilightText" selected, "ButtonShadow" disabled, the default one bold (more ink
    // than its twin), the shortcut ending 11 pixels before the item's right edge.
    const auto Open = Drop.Ink(Drop.Items[0], SkinColour("HilightText"));
    EXPECT_GT(Open.first, 10);
    EXPECT_LE(Open.second, Drop.Items[0].right - 12);
    EXPECT_GE(Open.second, Drop.Items[0].right - 16);
    EXPECT_GT(Drop.Ink(Drop.Items[3], SkinColour("ButtonShadow")).first, 10);
    EXPECT_EQ(Drop.Ink(Drop.Items[3], SkinColour("MenuText")).first, 0);
    EXPECT_GT(Drop.Ink(Drop.Items[6], SkinColour("MenuText")).first,
              Drop.Ink(Drop.Items[7], SkinColour("MenuText")).first * 11 / 10);

    // Two popups at once, each with its own object bound to its own menu.
    ASSERT_FALSE(Sub.Items.empty()) << "the submenu did not open";
    Sub.ExpectSkinBorder();
    Sub.ExpectItem(0, 4);
    EXPECT_EQ(DropShows, Menu->Items()->Items(0)->Handle());
    EXPECT_EQ(SubShows, File[5]->Handle());
}

TEST_F(MenuItems, ItemsContinueThePictureOfTheBorderRowByRow)
{
    // A background of two bands, and items whose image is all key colour.
    TFlatSkin Skin = MenuSkin();
    Skin.ExtraEntries.push_back({"menubackground.bmp", TwoBandBmp(32, 32, Background, FlatColour(feMenuBackground, 2))});
    Skin.ExtraEntries.push_back({"menuitem.bmp", FlatBmp(120, 18, RGB(255, 0, 255))});
    LoadSkin(Skin);
    TWinSkinForm* F = ShowSkinned(MenuForm());
    ASSERT_NE(F, nullptr);
    TMenuShot Drop;
    InMenu(ClickBar(*F, 0), {[&] { Drop = TMenuShot(VisibleMenuWindow()); }});
    ASSERT_FALSE(Drop.Items.empty());
    Drop.Shot.SavePng("menuitems-two-bands.png");
    int Boundaries = 0;
    for (int Y = 3; Y < Drop.Shot.Height - 3; ++Y) {
        EXPECT_TRUE(SameColor(Drop.At(Drop.Items[0].left + 2, Y), Drop.At(1, Y))) << "row " << Y;
        Boundaries += !SameColor(Drop.At(1, Y), Drop.At(1, Y - 1));
    }
    EXPECT_EQ(Boundaries, 1);
}

// Wine sends no WM_DRAWITEM for right-ordered owner-drawn items: the item is drawn through the
// framework item's handler onto a bitmap, as the menu would have it drawn.
TEST_F(MenuItems, RightToLeftItemsHaveTheGlyphOnTheRightAndTheCaptionAgainstIt)
{
    LoadSkin(MenuSkin());
    TForm* Form = MenuForm();
    Menu->SetBiDiMode(bdRightToLeft);
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    TBitmap Item;
    Item.SetSize(140, 20);
    F->DrawMenuItem(File[1], Item.Canvas(), RECT{0, 0, 140, 20}, false);
    TMenuShot Shot;
    Shot.Shot = Picture(Item);
    const int BoxLeft = 140 - 1 - 3 - 16;  // 1 + the left margin from the right edge
    EXPECT_GT(Shot.Ink(RECT{BoxLeft, 0, 140, 20}, GetSysColor(COLOR_BTNTEXT)).first, 5);
    EXPECT_EQ(Shot.Ink(RECT{0, 0, BoxLeft, 20}, GetSysColor(COLOR_BTNTEXT)).first, 0);
    const auto Text = Shot.Ink(RECT{0, 0, 140, 20}, SkinColour("MenuText"));
    EXPECT_GT(Text.first, 10);
    EXPECT_LT(Text.second, BoxLeft - 3);
    EXPECT_GT(Text.second, BoxLeft - 3 - 6);
}

TEST_F(MenuItems, TheFormsPopupMenuAndTheSystemMenuAreDrawnFromTheSkin)
{
    LoadSkin(MenuSkin());
    TForm* Form = MakeForm();
    TPopupMenu* Popup = FormPopup(Form);
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    TMenuShot Shot, Sys;
    InMenu(PopUp(Form, Popup), {[] { QueueKey(VK_DOWN); }, [&] { Shot = TMenuShot(VisibleMenuWindow()); }});
    ASSERT_EQ(Shot.Items.size(), 3u);
    Shot.Shot.SavePng("menuitems-popup.png");
    Shot.ExpectSkinBorder();
    Shot.ExpectItem(0, 4);
    Shot.ExpectItem(2, 1);
    EXPECT_TRUE(SameColor(Shot.At(Shot.Items[1].left + 20, Shot.Items[1].top + 2), ItemFrame(2)));

    // A right click on the caption: Restore, Maximize, Minimize, -, Close.
    const RECT W = WindowRect(Form->Handle());
    InMenu(
        [&] {
            MoveMouseTo(POINT{W.left + 60, W.top + 10}, 50);
            INPUT In[2]{};
            In[0].type = In[1].type = INPUT_MOUSE;
            In[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
            In[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
            SendInput(2, In, sizeof(INPUT));
        },
        {[&] { Sys = TMenuShot(VisibleMenuWindow()); }});
    ASSERT_EQ(Sys.Items.size(), 5u);
    Sys.Shot.SavePng("menuitems-sysmenu.png");
    Sys.ExpectSkinBorder();
    Sys.ExpectItem(4, 1);
    EXPECT_TRUE(SameColor(Sys.At(Sys.Items[3].left + 20, Sys.Items[3].top + 2), ItemFrame(2)));
}

TEST_F(MenuItems, WithoutMenuBackgroundOrMenuItemTheItemsFallBackToTheSkinsColours)
{
    for (const bool WithItem : {true, false}) {
        LoadSkin(MenuSkin(WithItem, !WithItem));
        File.clear();
        TWinSkinForm* F = ShowSkinned(MenuForm());
        ASSERT_NE(F, nullptr);
        TMenuShot Drop;
        InMenu(ClickBar(*F, 0), {[&] { Drop = TMenuShot(VisibleMenuWindow()); }});
        ASSERT_FALSE(Drop.Items.empty());
        Drop.ExpectSkinBorder(!WithItem);
        if (WithItem) {
            // No background: items lie on "Menu" under their frames.
            EXPECT_TRUE(SameColor(Drop.At(Drop.Items[1].left, Drop.Items[1].top), SkinColour("Menu")));
            EXPECT_TRUE(SameColor(Drop.Middle(1), ItemFrame(1)));
        } else {
            EXPECT_TRUE(SameColor(Drop.Middle(0), SkinColour("Hilight")));
            EXPECT_TRUE(SameColor(Drop.Middle(3), SkinColour("Menu")));
        }
        TearDown();
    }
}

TEST_F(MenuItems, AMenuOpenedWhileSkinningIsOffStaysUnskinnedAndOneSwitchedOffGoesBackToTheSystem)
{
    LoadSkin(MenuSkin());
    TForm* Form = MakeForm();
    TPopupMenu* Popup = FormPopup(Form);
    ASSERT_NE(ShowSkinned(Form), nullptr);
    auto Repaint = [](bool Enable) {
        SkinManager->SkinningEnabled = Enable;
        const HWND Wnd = VisibleMenuWindow();
        RedrawWindow(Wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return TMenuShot(Wnd);
    };
    TMenuShot Before, After;
    LRESULT Query = -1;
    SkinManager->SkinningEnabled = false;
    InMenu(PopUp(Form, Popup), {[&] {
                                    After = Repaint(true);
                                    Query = SendMessageA(After.Wnd, WM_SKINQUERY, 0, 0);
                                }});
    After.ExpectSkinBorder(false);
    EXPECT_EQ(Query, 0);

    InMenu(PopUp(Form, Popup), {[&] {
                                    Before = TMenuShot(VisibleMenuWindow());
                                    After = Repaint(false);
                                    Query = SendMessageA(After.Wnd, WM_SKINQUERY, 0, 0);
                                }});
    SkinManager->SkinningEnabled = true;
    Before.ExpectSkinBorder();
    After.ExpectSkinBorder(false);
    EXPECT_EQ(Query, 1);  // still subclassed
}

TEST_F(MenuItems, AnMdiWindowListEntryAndTheSeparatorBeforeItAreMeasuredFromTheirText)
{
    LoadSkin(MenuSkin());
    TMdiFrame Mdi;
    Activate(Mdi.Frame);
    WaitStarted(Mdi.Frame);
    Mdi.AddChild("Child one");
    TWinSkinForm* F = SkinOf(Mdi.Frame);
    ASSERT_TRUE(F && F->FMenuBar);
    // &Cascade, a separator, the child's entry.
    const HMENU WindowMenu = F->FMenuBar->FButtons[1]->FSubMenu;
    ASSERT_EQ(GetMenuItemCount(WindowMenu), 3);
    MEASUREITEMSTRUCT Entry{ODT_MENU, 0, GetMenuItemID(WindowMenu, 2), 0, 16, 0};
    TMenuShot Drop;
    InMenu(ClickBar(*F, 1), {[&] {
               SendMessageA(Mdi.Frame, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&Entry));
               Drop = TMenuShot(VisibleMenuWindow());
           }});
    ASSERT_EQ(Drop.Items.size(), 3u);
    char Text[80] = {};
    GetMenuStringA(WindowMenu, Entry.itemID, Text, sizeof Text, MF_BYCOMMAND);
    TWindowDC DC(Mdi.Frame);
    TDCCanvas Canvas(DC.Handle());
    Canvas->Font()->SetLogFont(MenuLogFont());
    EXPECT_EQ(int(Entry.itemWidth), Canvas->TextWidth(Text) + 26 + 3);  // + the left margin
    EXPECT_EQ(Entry.itemHeight, 20u);
    EXPECT_EQ(Height(Drop.Items[1]), 8);
    Drop.ExpectSkinBorder();
    Drop.ExpectItem(2, 1);
}

TEST_F(MenuItems, HostileSkinsPaintMenusWithoutHarm)
{
    for (const auto& [Name, Packed] : HostileSkins()) {
        SCOPED_TRACE(Name);
        std::fprintf(stderr, "hostile skin %s\n", Name.c_str());
        Roots.push_back(std::make_unique<TSkinRoot>(nullptr));
        ReadComponentText(SkinDesign(Packed, true), Roots.back().get(), "test");
        TForm* Form = MenuForm();
        TWinSkinForm* F = ShowSkinned(Form);
        HWND Shown = nullptr;
        EXPECT_TRUE(InMenu(PopUp(Form, FormPopup(Form)), {[&] { Shown = VisibleMenuWindow(); }}, 100));
        EXPECT_NE(Shown, nullptr);
        if (F && F->FMenuBar && !F->FMenuBar->FButtons.empty()) {
            EXPECT_TRUE(InMenu(ClickBar(*F, 0), {[] { QueueKey(VK_DOWN); }, [] {}}, 100));
        }
        TearDown();
        File.clear();
    }
}
