// Menu items painted from the skin on real menus opened with real input: the drop-downs of
// the skinned bar and their submenus, a form's popup menu, the system menu and an MDI window
// list, looked at on the screen and printed. The flat skin's "MenuItem" has its corners cut
// to the key colour and is drawn transparently, so an item's corner shows the popup's
// background and its middle the item frame.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

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
#include "tests/skinform/GdiCount.h"
#include "tests/skinform/SkinnedWindow.h"
#include "tests/support/Capture.h"

namespace {

const COLORREF Background = FlatColour(feMenuBackground, 1);
COLORREF ItemFrame(int Frame) { return FlatColour(feMenuItem, Frame); }
COLORREF SkinColour(const std::string& Key)
{
    for (int I = 0; I < 16; ++I)
        if (Key == FlatColourKeys[I])
            return FlatKeyColour(I);
    throw std::out_of_range(Key);
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

// A menu window as it stands on the screen, or as it prints itself.
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

// The items' rectangles are read while the menu is open: the system knows them only then.
struct TMenuShot {
    HWND Wnd = nullptr;
    RECT Window{};
    TCapture Shot;
    std::vector<RECT> Items;  // in the shot's coordinates

    static TMenuShot Screen(HWND Wnd)
    {
        TMenuShot S{Wnd, WindowRect(Wnd), CaptureWindow(Wnd), {}};
        S.ReadItems();
        return S;
    }
    static TMenuShot Printed(HWND Wnd)
    {
        TMenuShot S{Wnd, WindowRect(Wnd), {}, {}};
        S.ReadItems();
        TBitmap Target;
        Target.SetSize(Width(S.Window), Height(S.Window));
        SendMessageA(Wnd, WM_PRINT, reinterpret_cast<WPARAM>(Target.Canvas()->Handle()),
                     PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
        S.Shot = Picture(Target);
        return S;
    }

    void ReadItems()
    {
        const auto Menu = reinterpret_cast<HMENU>(SendMessageA(Wnd, MN_GETHMENU, 0, 0));
        for (int Pos = 0; Pos < GetMenuItemCount(Menu); ++Pos) {
            RECT R{};
            GetMenuItemRect(nullptr, Menu, UINT(Pos), &R);
            OffsetRect(&R, -Window.left, -Window.top);
            Items.push_back(R);
        }
    }
    RECT Item(int Pos) const { return Pos < int(Items.size()) ? Items[size_t(Pos)] : RECT{}; }
    COLORREF At(int X, int Y) const { return Shot.Pixel(X, Y); }

    // The 3-pixel border shows the background on every side.
    void ExpectSkinBorder(const char* What) const
    {
        const int W = Shot.Width, H = Shot.Height;
        for (int I = 0; I < 3; ++I) {
            EXPECT_TRUE(SameColor(At(I, H / 2), Background)) << What << " left " << I;
            EXPECT_TRUE(SameColor(At(W - 1 - I, H / 2), Background)) << What << " right " << I;
            EXPECT_TRUE(SameColor(At(W / 2, I), Background)) << What << " top " << I;
            EXPECT_TRUE(SameColor(At(W / 2, H - 1 - I), Background)) << What << " bottom " << I;
        }
    }
    // An item's cut corner shows the background, its glyph column the item frame.
    void ExpectItem(const RECT& R, int Frame, const char* What) const
    {
        EXPECT_TRUE(SameColor(At(R.left, R.top), Background)) << What << " corner";
        EXPECT_TRUE(SameColor(At(R.left + 6, (R.top + R.bottom) / 2), ItemFrame(Frame))) << What << " middle";
    }
    // Pixels of Colour in R: how many, and the leftmost and rightmost column.
    struct TInk {
        int Count = 0;
        int Left = INT_MAX;
        int Right = INT_MIN;
    };
    TInk Ink(const RECT& R, COLORREF Colour) const
    {
        TInk Ink;
        for (int Y = R.top; Y < R.bottom; ++Y)
            for (int X = R.left; X < R.right; ++X)
                if (SameColor(At(X, Y), Colour, 4)) {
                    ++Ink.Count;
                    Ink.Left = std::min(Ink.Left, X);
                    Ink.Right = std::max(Ink.Right, X);
                }
        return Ink;
    }
};

BOOL CALLBACK AddMenuWindow(HWND Wnd, LPARAM Found)
{
    if (WindowClassName(Wnd) == "#32768" && IsWindowVisible(Wnd))
        reinterpret_cast<std::vector<HWND>*>(Found)->push_back(Wnd);
    return TRUE;
}

// The visible menu windows, topmost first.
std::vector<HWND> MenuWindows()
{
    std::vector<HWND> Found;
    EnumWindows(&AddMenuWindow, reinterpret_cast<LPARAM>(&Found));
    return Found;
}

void RightClickAt(POINT Screen)
{
    MoveMouseTo(Screen, 50);
    INPUT In[2]{};
    In[0].type = In[1].type = INPUT_MOUSE;
    In[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    In[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(2, In, sizeof(INPUT));
}

// A 16 x 16 image: a blue square of 8 in the middle, the rest transparent (white).
TImageList* SquareImages(TComponent* Owner)
{
    auto* Images = new TImageList(Owner);
    Images->SetWidth(16);
    Images->SetHeight(16);
    TBitmap Image;
    Image.SetSize(16, 16);
    Image.Canvas()->Brush()->SetColor(clWhite);
    Image.Canvas()->FillRect(RECT{0, 0, 16, 16});
    Image.Canvas()->Brush()->SetColor(TColor(RGB(0, 0, 255)));
    Image.Canvas()->FillRect(RECT{4, 4, 12, 12});
    Images->AddMasked(Image, clWhite);
    return Images;
}

class MenuItems : public SkinnedWindow {
protected:
    TMainMenu* Menu = nullptr;
    std::vector<TMenuItem*> File;  // the items of &File, by position

    TMenuItem* Add(TMenuItem* Parent, const std::string& Caption)
    {
        auto* Item = new TMenuItem(Menu);
        Item->SetCaption(Caption);
        Parent->Add(Item);
        return Item;
    }

    // &File: &Open (Ctrl+O), &Checked (checked), &Pictured (checked, image), &Off
    // (disabled), -, &Sub > &Deep, Heavy (default), Heavy.
    TForm* MenuForm(const TFlatSkin& Skin = MenuSkin())
    {
        LoadSkin(Skin);
        return MakeMenuForm();
    }
    TForm* MakeMenuForm()
    {
        TForm* Form = MakeForm();
        Menu = new TMainMenu(Form);
        Menu->SetImages(SquareImages(Form));
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

    // A popup menu of the form: &One, -, &Two (checked), &Three (disabled).
    TPopupMenu* FormPopup(TForm* Form)
    {
        auto* Popup = new TPopupMenu(Form);
        for (const char* Caption : {"&One", "-", "&Two", "&Three"}) {
            auto* Item = new TMenuItem(Popup);
            Item->SetCaption(Caption);
            Popup->Items()->Add(Item);
        }
        Popup->Items()->Items(2)->SetChecked(true);
        Popup->Items()->Items(3)->SetEnabled(false);
        return Popup;
    }

    // Pops Popup up on Form, walks its items with the keyboard and closes it; the menu window
    // that showed, or null.
    static HWND PopUpAndWalk(TForm* Form, TPopupMenu* Popup, UINT Interval = 60)
    {
        HWND Shown = nullptr;
        RunDuringMenus({[] { QueueKey(VK_DOWN); }, [] { QueueKey(VK_DOWN); },
                        [&] {
                            Shown = VisibleMenuWindow();
                            EndMenu();
                        }},
                       Interval);
        const RECT W = WindowRect(Form->Handle());
        Popup->Popup(W.left + 40, W.top + 60);
        return Shown;
    }

    HMENU FileHandle() const { return Menu->Items()->Items(0)->Handle(); }

    // Opens &File with a click on its bar button and captures it.
    TMenuShot OpenFileMenu(TWinSkinForm& F)
    {
        TMenuShot Drop;
        RunDuringMenus({[&] {
            Drop = TMenuShot::Screen(VisibleMenuWindow());
            EndMenu();
        }});
        ClickAt(BarButton(F, 0));
        AppPumpUntil([&] { return Drop.Wnd && !F.FMenuTracking; }, 5000);
        return Drop;
    }

    static POINT BarButton(const TWinSkinForm& F, int Index)
    {
        const RECT& R = F.FMenuBar->FButtons[size_t(Index)]->FRect;
        return POINT{F.FWindowRect.left + (R.left + R.right) / 2, F.FWindowRect.top + (R.top + R.bottom) / 2};
    }
};

}  // namespace

TEST_F(MenuItems, TheBarsDropDownAndItsSubmenuShowTheSkinOnScreenAndPrinted)
{
    TWinSkinForm* F = ShowSkinned(MenuForm());
    ASSERT_NE(F, nullptr);
    const HMENU FileMenu = FileHandle();
    const HMENU SubMenu = File[5]->Handle();
    TMenuShot Drop, Printed, Hovered, Sub;
    HMENU DropShows = nullptr, SubShows = nullptr;
    RunDuringMenus({[&] {
                        Drop = TMenuShot::Screen(VisibleMenuWindow());
                        Printed = TMenuShot::Printed(Drop.Wnd);
                        // The mouse on the separator selects nothing.
                        const RECT Line = Drop.Item(4);
                        MoveMouseTo(POINT{Drop.Window.left + (Line.left + Line.right) / 2,
                                          Drop.Window.top + (Line.top + Line.bottom) / 2},
                                    0);
                    },
                    [&] {
                        Hovered = TMenuShot::Screen(Drop.Wnd);
                        // From the first item up, round to the last, to &Sub, and into it.
                        for (WORD Key : {VK_UP, VK_UP, VK_UP, VK_RIGHT})
                            QueueKey(Key);
                    },
                    [] {},
                    [&] {
                        for (HWND Wnd : MenuWindows())
                            if (Wnd != Drop.Wnd)
                                Sub = TMenuShot::Screen(Wnd);
                        if (SkinManager)
                            for (const auto& P : SkinManager->Popups)
                                (P->FHandle == Drop.Wnd ? DropShows : SubShows) = P->FMenuHandle;
                        EndMenu();
                    }},
                   400);
    ClickAt(BarButton(*F, 0));
    AppPumpUntil([&] { return Sub.Wnd && !F->FMenuTracking; }, 5000);
    ASSERT_NE(Drop.Wnd, nullptr);
    Drop.Shot.SavePng("menuitems-dropdown.png");
    Printed.Shot.SavePng("menuitems-dropdown-printed.png");
    Hovered.Shot.SavePng("menuitems-separator-hovered.png");

    for (const TMenuShot* S : {&Drop, &Printed}) {
        const char* What = S == &Drop ? "screen" : "printed";
        S->ExpectSkinBorder(What);
        S->ExpectItem(S->Item(0), 4, What);  // selected on opening
        S->ExpectItem(S->Item(3), 1, What);
        S->ExpectItem(S->Item(5), 1, What);
    }
    // The separator: the background and the skin's strip, never the selected frame.
    for (const TMenuShot* S : {&Drop, &Hovered}) {
        const RECT Line = S->Item(4);
        EXPECT_TRUE(SameColor(S->At((Line.left + Line.right) / 2, (Line.top + Line.bottom) / 2), ItemFrame(2)));
        EXPECT_TRUE(SameColor(S->At(Line.left, Line.bottom - 1), Background));  // a cut corner
        EXPECT_EQ(S->Ink(Line, ItemFrame(4)).Count, 0);
    }

    // The submenu has its own popup object, bound to its own menu.
    ASSERT_NE(Sub.Wnd, nullptr) << "the submenu did not open";
    Sub.Shot.SavePng("menuitems-submenu.png");
    Sub.ExpectSkinBorder("submenu");
    Sub.ExpectItem(Sub.Item(0), 4, "submenu");  // Right selects its first item
    EXPECT_EQ(DropShows, FileMenu);
    EXPECT_EQ(SubShows, SubMenu);
}

TEST_F(MenuItems, GlyphsChecksDisabledDefaultAndShortcutsAreDrawnFromTheSkin)
{
    TWinSkinForm* F = ShowSkinned(MenuForm());
    ASSERT_NE(F, nullptr);
    const TMenuShot Drop = OpenFileMenu(*F);
    ASSERT_NE(Drop.Wnd, nullptr);
    Drop.Shot.SavePng("menuitems-content.png");
    const int Margin = 3;  // the flat "MenuItem" left margin
    auto GlyphBox = [&](int Pos) {
        const RECT R = Drop.Item(Pos);
        return RECT{R.left + 1 + Margin, R.top + 1, R.left + 1 + Margin + 16, R.top + 17};
    };

    // Checked without an image: the system's check mark in the button-text colour.
    EXPECT_GT(Drop.Ink(GlyphBox(1), GetSysColor(COLOR_BTNTEXT)).Count, 5);
    EXPECT_EQ(Drop.Ink(GlyphBox(3), GetSysColor(COLOR_BTNTEXT)).Count, 0);
    // Checked with an image: the image over a dithered box with a sunken edge.
    const RECT Pictured = GlyphBox(2);
    EXPECT_TRUE(SameColor(Drop.At(Pictured.left + 8, Pictured.top + 8), RGB(0, 0, 255)));
    EXPECT_TRUE(SameColor(Drop.At(Pictured.left, Pictured.top + 8), GetSysColor(COLOR_BTNSHADOW)));
    const int Dither = Drop.Ink(RECT{Pictured.left + 1, Pictured.top + 1, Pictured.right - 1, Pictured.top + 4},
                                GetSysColor(COLOR_BTNFACE)).Count +
                       Drop.Ink(RECT{Pictured.left + 1, Pictured.top + 1, Pictured.right - 1, Pictured.top + 4},
                                GetSysColor(COLOR_BTNHIGHLIGHT)).Count;
    EXPECT_GT(Dither, 20);

    // Texts: the selected item in "HilightText", others in "MenuText", the disabled one in
    // "ButtonShadow"; the default item is bold (more ink than its twin).
    const COLORREF Text = SkinColour("MenuText");
    EXPECT_GT(Drop.Ink(Drop.Item(0), SkinColour("HilightText")).Count, 10);
    EXPECT_GT(Drop.Ink(Drop.Item(1), Text).Count, 10);
    EXPECT_GT(Drop.Ink(Drop.Item(3), SkinColour("ButtonShadow")).Count, 10);
    EXPECT_EQ(Drop.Ink(Drop.Item(3), Text).Count, 0);
    EXPECT_GT(Drop.Ink(Drop.Item(6), Text).Count, Drop.Ink(Drop.Item(7), Text).Count * 11 / 10);

    // The shortcut ends 11 pixels before the item's right edge; the caption starts after the
    // glyph box.
    const RECT Open = Drop.Item(0);
    const auto OpenInk = Drop.Ink(Open, SkinColour("HilightText"));
    EXPECT_LE(OpenInk.Right, Open.right - 12);
    EXPECT_GE(OpenInk.Right, Open.right - 16);
    EXPECT_GE(OpenInk.Left, GlyphBox(0).right + 3);
}

// Wine sends no WM_DRAWITEM for right-ordered owner-drawn items, so the item is drawn
// through the framework item's handler onto a bitmap, as the menu would have it drawn.
TEST_F(MenuItems, RightToLeftMenusPutTheGlyphOnTheRightAndTheCaptionAgainstIt)
{
    LoadSkin(MenuSkin());
    TForm* Form = MakeForm();
    Menu = new TMainMenu(Form);
    Menu->SetBiDiMode(bdRightToLeft);
    TMenuItem* Checked = Add(Add(Menu->Items(), "&File"), "&Checked");
    Checked->SetChecked(true);
    Form->SetMenu(Menu);
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);

    TBitmap Item;
    Item.SetSize(140, 20);
    Item.Canvas()->Font()->SetLogFont(MenuLogFont());
    F->DrawMenuItem(Checked, Item.Canvas(), RECT{0, 0, 140, 20}, false);
    TMenuShot Shot;
    Shot.Shot = Picture(Item);
    Shot.Shot.SavePng("menuitems-rtl.png");
    // The glyph box ends 1 + the left margin (3) from the right edge; the caption ends 3
    // pixels left of the box.
    const RECT Box{140 - 1 - 3 - 16, 1, 140 - 1 - 3, 17};
    EXPECT_GT(Shot.Ink(Box, GetSysColor(COLOR_BTNTEXT)).Count, 5);
    EXPECT_EQ(Shot.Ink(RECT{0, 0, Box.left, 20}, GetSysColor(COLOR_BTNTEXT)).Count, 0);
    const auto Text = Shot.Ink(RECT{0, 0, 140, 20}, SkinColour("MenuText"));
    EXPECT_GT(Text.Count, 10);
    EXPECT_LT(Text.Right, Box.left - 3);
    EXPECT_GT(Text.Right, Box.left - 3 - 6);
}

TEST_F(MenuItems, TheFormsPopupMenuAndTheSystemMenuShowTheSkin)
{
    LoadSkin(MenuSkin());
    TForm* Form = MakeForm();
    auto* Popup = new TPopupMenu(Form);
    for (const char* Caption : {"&One", "-", "&Two"}) {
        auto* Item = new TMenuItem(Popup);
        Item->SetCaption(Caption);
        Popup->Items()->Add(Item);
    }
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);

    TMenuShot Shot;
    RunDuringMenus({[&] { QueueKey(VK_DOWN); },
                    [&] {
                        Shot = TMenuShot::Screen(VisibleMenuWindow());
                        EndMenu();
                    }});
    const RECT W = WindowRect(Form->Handle());
    Popup->Popup(W.left + 40, W.top + 60);
    ASSERT_NE(Shot.Wnd, nullptr);
    Shot.Shot.SavePng("menuitems-popup.png");
    Shot.ExpectSkinBorder("popup");
    Shot.ExpectItem(Shot.Item(0), 4, "popup");
    Shot.ExpectItem(Shot.Item(2), 1, "popup");
    EXPECT_TRUE(SameColor(Shot.At(Shot.Window.right - Shot.Window.left - 10, Shot.Item(1).top + 2),
                          ItemFrame(2)));

    // The system menu: a right click on the caption.
    const HMENU SysMenu = F->FSysPopup->Handle();
    TMenuShot Sys;
    RunDuringMenus({[&] {
        Sys = TMenuShot::Screen(VisibleMenuWindow());
        EndMenu();
    }});
    RightClickAt(POINT{W.left + 60, W.top + 10});
    AppPumpUntil([&] { return Sys.Wnd != nullptr; }, 3000);
    AppPumpFor(100);
    ASSERT_NE(Sys.Wnd, nullptr);
    Sys.Shot.SavePng("menuitems-sysmenu.png");
    Sys.ExpectSkinBorder("system menu");
    for (int Pos = 0; Pos < GetMenuItemCount(SysMenu); ++Pos)
        if (F->FSysPopup->Items()->Items(Pos)->IsLine())
            EXPECT_TRUE(SameColor(Sys.At(Sys.Item(Pos).left + 20, Sys.Item(Pos).top + 2),
                                  ItemFrame(2)));
        else
            EXPECT_TRUE(SameColor(Sys.At(Sys.Item(Pos).left, Sys.Item(Pos).top), Background))
                << Pos;
}

TEST_F(MenuItems, WithoutAMenuBackgroundTheBorderIsTheSystemsAndItemsLieOnTheMenuColour)
{
    TWinSkinForm* F = ShowSkinned(MenuForm(MenuSkin(true, false)));
    ASSERT_NE(F, nullptr);
    const TMenuShot Drop = OpenFileMenu(*F);
    ASSERT_NE(Drop.Wnd, nullptr);
    Drop.Shot.SavePng("menuitems-no-background.png");
    const RECT R = Drop.Item(1);
    EXPECT_TRUE(SameColor(Drop.At(R.left, R.top), SkinColour("Menu")));
    EXPECT_TRUE(SameColor(Drop.At(R.left + 6, (R.top + R.bottom) / 2), ItemFrame(1)));
    EXPECT_FALSE(SameColor(Drop.At(1, Drop.Shot.Height / 2), SkinColour("Menu")));
}

TEST_F(MenuItems, WithoutAMenuItemImageSelectedItemsLieOnHilightAndOthersOnMenu)
{
    TWinSkinForm* F = ShowSkinned(MenuForm(MenuSkin(false, true)));
    ASSERT_NE(F, nullptr);
    const TMenuShot Drop = OpenFileMenu(*F);
    ASSERT_NE(Drop.Wnd, nullptr);
    Drop.Shot.SavePng("menuitems-no-item.png");
    Drop.ExpectSkinBorder("no item image");
    const RECT Selected = Drop.Item(0), Other = Drop.Item(3);
    EXPECT_TRUE(SameColor(Drop.At(Selected.left + 6, (Selected.top + Selected.bottom) / 2), SkinColour("Hilight")));
    EXPECT_TRUE(SameColor(Drop.At(Other.left + 6, (Other.top + Other.bottom) / 2), SkinColour("Menu")));
}

TEST_F(MenuItems, AnMdiWindowListEntryAndItsSeparatorAreMeasuredFromTheirText)
{
    LoadSkin(MenuSkin());
    TMdiFrame Mdi;
    Activate(Mdi.Frame);
    AppPumpUntil([&] { return SkinOf(Mdi.Frame) && SkinOf(Mdi.Frame)->FSkinState == ssReady; });
    Mdi.AddChild("Child one");
    TWinSkinForm* F = SkinOf(Mdi.Frame);
    ASSERT_NE(F, nullptr);
    ASSERT_NE(F->FMenuBar, nullptr);
    AppPumpFor(200);
    // The window menu: &Cascade, a separator, the child's entry.
    const HMENU WindowMenu = F->FMenuBar->FButtons[1]->FSubMenu;
    ASSERT_EQ(GetMenuItemCount(WindowMenu), 3);
    const UINT Entry = GetMenuItemID(WindowMenu, 2);
    char Text[80] = {};
    GetMenuStringA(WindowMenu, Entry, Text, sizeof Text, MF_BYCOMMAND);

    MEASUREITEMSTRUCT EntrySize{ODT_MENU, 0, Entry, 0, 16, 0};
    MEASUREITEMSTRUCT LineSize{ODT_MENU, 0, GetMenuItemID(WindowMenu, 1), 0, 16, 0};
    TMenuShot Drop;
    RunDuringMenus({[&] {
        SendMessageA(Mdi.Frame, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&EntrySize));
        SendMessageA(Mdi.Frame, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&LineSize));
        Drop = TMenuShot::Screen(VisibleMenuWindow());
        EndMenu();
    }});
    ClickAt(POINT{F->FWindowRect.left + (F->FMenuBar->FButtons[1]->FRect.left + F->FMenuBar->FButtons[1]->FRect.right) / 2,
                  F->FWindowRect.top + F->FMenuBar->FButtons[1]->FRect.top + 4});
    AppPumpUntil([&] { return Drop.Wnd && !F->FMenuTracking; }, 5000);
    ASSERT_NE(Drop.Wnd, nullptr);
    Drop.Shot.SavePng("menuitems-mdi-window-list.png");

    TWindowDC DC(Mdi.Frame);
    TDCCanvas Canvas(DC.Handle());
    Canvas->Font()->SetLogFont(MenuLogFont());
    EXPECT_EQ(int(EntrySize.itemWidth), Canvas->TextWidth(Text) + 26 + 3);
    EXPECT_EQ(EntrySize.itemHeight, 20u);
    EXPECT_EQ(LineSize.itemHeight, 8u);
    // On the screen: the separator among them is 8 high; the entry shows the skin.
    const RECT Line = Drop.Item(1);
    EXPECT_EQ(Height(Line), 8);
    Drop.ExpectSkinBorder("window list");
    Drop.ExpectItem(Drop.Item(2), 1, "window list");
}

TEST_F(MenuItems, SkinningSwitchedOnOrOffWhileAMenuIsOpenLeavesItAsItWasOpenedOrGivesItBack)
{
    LoadSkin(MenuSkin());
    TForm* Form = MakeForm();
    auto* Popup = new TPopupMenu(Form);
    for (const char* Caption : {"&One", "&Two"}) {
        auto* Item = new TMenuItem(Popup);
        Item->SetCaption(Caption);
        Popup->Items()->Add(Item);
    }
    ASSERT_NE(ShowSkinned(Form), nullptr);
    const RECT W = WindowRect(Form->Handle());
    auto Repainted = [](HWND Wnd) {
        RedrawWindow(Wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return TMenuShot::Screen(Wnd);
    };

    // Opened while off: no skin object, even once skinning is back on.
    SkinManager->SkinningEnabled = false;
    TMenuShot Unskinned;
    LRESULT Query = -1;
    RunDuringMenus({[&] {
        SkinManager->SkinningEnabled = true;
        Unskinned = Repainted(VisibleMenuWindow());
        Query = SendMessageA(Unskinned.Wnd, WM_SKINQUERY, 0, 0);
        EndMenu();
    }});
    Popup->Popup(W.left + 40, W.top + 60);
    ASSERT_NE(Unskinned.Wnd, nullptr);
    EXPECT_EQ(Query, 0);
    EXPECT_FALSE(SameColor(Unskinned.At(1, Unskinned.Shot.Height / 2), Background));

    // Switched off while open: the system paints the border again; the subclass stays.
    TMenuShot Before, After;
    RunDuringMenus({[&] {
        Before = TMenuShot::Screen(VisibleMenuWindow());
        SkinManager->SkinningEnabled = false;
        After = Repainted(Before.Wnd);
        Query = SendMessageA(Before.Wnd, WM_SKINQUERY, 0, 0);
        EndMenu();
    }});
    Popup->Popup(W.left + 40, W.top + 60);
    SkinManager->SkinningEnabled = true;
    ASSERT_NE(After.Wnd, nullptr);
    After.Shot.SavePng("menuitems-switched-off.png");
    Before.ExpectSkinBorder("before");
    EXPECT_FALSE(SameColor(After.At(1, After.Shot.Height / 2), Background));
    EXPECT_EQ(Query, 1);
}

TEST_F(MenuItems, HostileSkinsPaintMenusWithoutHarm)
{
    for (const auto& [Name, Packed] : HostileSkins()) {
        SCOPED_TRACE(Name);
        std::fprintf(stderr, "hostile skin %s\n", Name.c_str());
        std::fflush(stderr);
        const DWORD Start = GetTickCount();
        Roots.push_back(std::make_unique<TSkinRoot>(nullptr));
        ReadComponentText(SkinDesign(Packed, true), Roots.back().get(), "test");
        TForm* Form = MakeMenuForm();
        TPopupMenu* Popup = FormPopup(Form);
        TWinSkinForm* F = ShowSkinned(Form);
        EXPECT_NE(PopUpAndWalk(Form, Popup), nullptr);
        if (F && F->FMenuBar && !F->FMenuBar->FButtons.empty()) {
            const TMenuShot Drop = OpenFileMenu(*F);
            EXPECT_NE(Drop.Wnd, nullptr);
            if (Drop.Wnd)
                Drop.Shot.SavePng("menuitems-hostile-" + Name + ".png");
        }
        EXPECT_LT(GetTickCount() - Start, 8000u);
        TearDown();
        File.clear();
    }
}

TEST_F(MenuItems, MenusOpenedAgainAndAgainLeakNoGdiObjects)
{
    LoadSkin(MenuSkin());
    TForm* Form = MakeForm();
    TPopupMenu* Popup = FormPopup(Form);
    ASSERT_NE(ShowSkinned(Form), nullptr);
    for (int I = 0; I < 3; ++I)
        ASSERT_NE(PopUpAndWalk(Form, Popup), nullptr);
    AppPumpFor(200);
    const int Before = LiveGdiObjects();
    ASSERT_GT(Before, 0);
    for (int I = 0; I < 25; ++I)
        PopUpAndWalk(Form, Popup);
    AppPumpFor(300);
    EXPECT_LE(LiveGdiObjects(), Before + 8);
}
