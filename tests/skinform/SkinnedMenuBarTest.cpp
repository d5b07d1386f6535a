// The skinned menu bar on a real window: its buttons open their drop-downs by mouse and by
// Alt with a letter, Left/Right move to the neighbouring drop-down as on the system's bar,
// and every entry's handler runs exactly once per choice.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>

#include "framework/ui/Menus.h"
#include "skin/form/SkinMenuBar.h"
#include "skin/manage/SkinManage.h"
#include "tests/controls/Input.h"
#include "tests/skinform/SkinnedWindow.h"
#include "tests/support/Capture.h"
#include "tests/support/Remote.h"

namespace {

// Counts the clicks of every item by caption.
struct TClicks {
    std::map<std::string, int> Count;
    void Clicked(TObject* Sender) { ++Count[static_cast<TMenuItem*>(Sender)->Caption()]; }
};

int VisibleMenuCount()
{
    int Count = 0;
    EnumWindows(
        [](HWND Wnd, LPARAM Data) -> BOOL {
            char Class[16] = {};
            GetClassNameA(Wnd, Class, sizeof Class);
            if (std::string(Class) == "#32768" && IsWindowVisible(Wnd))
                ++*reinterpret_cast<int*>(Data);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&Count));
    return Count;
}

class SkinnedMenuBar : public SkinnedWindow {
protected:
    TClicks Clicks;
    TMainMenu* Menu = nullptr;
    std::map<std::string, TMenuItem*> Items;

    TMenuItem* Add(TMenuItem* Parent, const std::string& Caption, bool WithHandler = true)
    {
        auto* Item = new TMenuItem(Menu);
        Item->SetCaption(Caption);
        if (WithHandler)
            Item->OnClick = TNotifyEvent(&Clicks, &TClicks::Clicked);
        Parent->Add(Item);
        Items[Caption] = Item;
        return Item;
    }

    // &File (&Open, -, &Sub > &Deep, E&xit), &Edit (&Copy), &Help (&About).
    TForm* MenuForm(const TFlatSkin& Skin = WithBar())
    {
        LoadSkin(Skin);
        TForm* Form = MakeForm();
        Menu = new TMainMenu(Form);
        TMenuItem* File = Add(Menu->Items(), "&File", false);
        Add(File, "&Open");
        Add(File, "-", false);
        TMenuItem* Sub = Add(File, "&Sub", false);
        Add(Sub, "&Deep");
        Add(File, "E&xit");
        Add(Add(Menu->Items(), "&Edit", false), "&Copy");
        Add(Add(Menu->Items(), "&Help", false), "&About");
        Form->SetMenu(Menu);
        return Form;
    }

    static TFlatSkin WithBar()
    {
        TFlatSkin Skin;
        Skin.MenuBar.Present = true;
        return Skin;
    }

    static POINT ButtonCentre(const TWinSkinForm& F, int Index)
    {
        const RECT& R = F.FMenuBar->FButtons[size_t(Index)]->FRect;
        return POINT{F.FWindowRect.left + (R.left + R.right) / 2, F.FWindowRect.top + (R.top + R.bottom) / 2};
    }
};

}  // namespace

TEST_F(SkinnedMenuBar, AClickOpensTheDropDownUnderTheButtonsLeftEdge)
{
    TForm* Form = MenuForm();
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    ASSERT_NE(F->FMenuBar, nullptr);
    ASSERT_EQ(F->FMenuBar->FButtons.size(), 3u);
    EXPECT_EQ(GetMenu(Form->Handle()), nullptr);  // the system's bar is gone
    EXPECT_EQ(F->FMenuHeight, GetSystemMetrics(SM_CYMENU));
    CaptureWindow(Form->Handle()).SavePng("skinform-menubar.png");

    RECT Popup{};
    HMENU Tracked = nullptr;
    RunDuringMenus({[&] {
        Tracked = F->FTrackedMenu;
        if (const HWND Menu = VisibleMenuWindow())
            GetWindowRect(Menu, &Popup);
        RECT Both = F->FWindowRect;
        UnionRect(&Both, &Both, &Popup);
        CaptureScreenRect(Both).SavePng("skinform-menubar-open.png");
        EndMenu();
    }});
    ClickAt(ButtonCentre(*F, 1));
    AppPumpFor(300);
    EXPECT_EQ(Tracked, Items["&Edit"]->Handle());
    const RECT& B = F->FMenuBar->FButtons[1]->FRect;
    EXPECT_EQ(Popup.left, F->FWindowRect.left + B.left);
    EXPECT_EQ(Popup.top, F->FWindowRect.top + B.bottom);
    EXPECT_FALSE(F->FMenuTracking);
    EXPECT_EQ(VisibleMenuCount(), 0);
}

TEST_F(SkinnedMenuBar, LeftAndRightMoveToTheNeighboursAndWrapAround)
{
    TForm* Form = MenuForm();
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    std::vector<HMENU> Seen;
    auto Record = [&] { Seen.push_back(F->FTrackedMenu); };
    RunDuringMenus({[&] { Record(); QueueKey(VK_RIGHT); },  // on the last: the first
                    [&] { Record(); QueueKey(VK_LEFT); },   // on the first: the last
                    [&] { Record(); QueueKey(VK_LEFT); },
                    [&] {
                        Record();
                        EndMenu();
                    }},
                   400);
    ClickAt(ButtonCentre(*F, 2));
    AppPumpUntil([&] { return Seen.size() == 4 && !F->FMenuTracking; }, 5000);
    AppPumpFor(200);
    const std::vector<HMENU> Expected{Items["&Help"]->Handle(), Items["&File"]->Handle(), Items["&Help"]->Handle(),
                                      Items["&Edit"]->Handle()};
    EXPECT_EQ(Seen, Expected);
    EXPECT_EQ(VisibleMenuCount(), 0);
}

TEST_F(SkinnedMenuBar, RightOpensASubmenuAndLeftInsideItOnlyClosesIt)
{
    TForm* Form = MenuForm();
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    std::vector<int> Menus;
    std::vector<HMENU> Tracked;
    auto Record = [&] {
        Menus.push_back(VisibleMenuCount());
        Tracked.push_back(F->FTrackedMenu);
    };
    // The first item is highlighted on opening; Down, Down reach "Sub" (the separator is
    // skipped).
    RunDuringMenus({[&] { QueueKey(VK_DOWN); },
                    [&] { Record(); QueueKey(VK_RIGHT); },
                    [&] { Record(); QueueKey(VK_LEFT); },
                    [&] {
                        Record();
                        EndMenu();
                    }},
                   400);
    ClickAt(ButtonCentre(*F, 0));
    AppPumpUntil([&] { return Menus.size() == 3 && !F->FMenuTracking; }, 5000);
    AppPumpFor(200);
    EXPECT_EQ(Menus, (std::vector<int>{1, 2, 1}));
    const HMENU File = Items["&File"]->Handle();
    EXPECT_EQ(Tracked, (std::vector<HMENU>{File, File, File}));
    EXPECT_EQ(Clicks.Count["&Deep"], 0);
}

TEST_F(SkinnedMenuBar, TopLevelItemsWithoutPopupsOnlyRunTheirCommandAndDisabledOnesOpenNothing)
{
    LoadSkin(WithBar());
    TForm* Form = MakeForm();
    Menu = new TMainMenu(Form);
    Add(Menu->Items(), "&Go");
    TMenuItem* Off = Add(Menu->Items(), "&Off", false);
    Add(Off, "&Never");
    Off->SetEnabled(false);
    Form->SetMenu(Menu);
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    ASSERT_EQ(F->FMenuBar->FButtons.size(), 2u);
    EXPECT_FALSE(F->FMenuBar->FButtons[1]->FEnabled);

    int MenusSeen = 0;
    RunDuringMenus({[&] {
        MenusSeen += VisibleMenuCount();
        EndMenu();
    }});
    ClickAt(ButtonCentre(*F, 0));
    AppPumpFor(400);
    EXPECT_EQ(Clicks.Count["&Go"], 1);
    EXPECT_EQ(MenusSeen, 0);
    EXPECT_FALSE(F->OpenMenuButton(F->FMenuBar->FButtons[0].get()));
    AppPumpFor(100);
    EXPECT_EQ(Clicks.Count["&Go"], 2);

    RunDuringMenus({[&] {
        MenusSeen += VisibleMenuCount();
        EndMenu();
    }});
    ClickAt(ButtonCentre(*F, 1));
    AppPumpFor(400);
    EXPECT_EQ(MenusSeen, 0);
    EXPECT_FALSE(F->FMenuTracking);
}

TEST_F(SkinnedMenuBar, AltWithALetterOrF10OpensAButtonAndAltAloneNothing)
{
    TForm* Form = MenuForm();
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    HMENU Tracked = nullptr;
    RunDuringMenus({[&] {
        Tracked = F->FTrackedMenu;
        EndMenu();
    }});
    PressKey('E', {VK_MENU});
    AppPumpFor(400);
    EXPECT_EQ(Tracked, Items["&Edit"]->Handle());

    Tracked = nullptr;
    F->FTrackedMenu = nullptr;
    PressKey(VK_MENU);
    AppPumpFor(300);
    EXPECT_EQ(F->FTrackedMenu, nullptr);
    EXPECT_EQ(VisibleMenuCount(), 0);

    // F10 enters the bar at its first drop-down, as it enters the system's bar.
    RunDuringMenus({[&] {
        Tracked = F->FTrackedMenu;
        EndMenu();
    }});
    PressKey(VK_F10);
    AppPumpFor(400);
    EXPECT_EQ(Tracked, Items["&File"]->Handle());
}

TEST_F(SkinnedMenuBar, EveryEntryRunsOnceByMouseAndByKeyboard)
{
    TForm* Form = MenuForm();
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    // By mouse: the first item of the drop-down.
    RunDuringMenus({[&] {
        RECT Popup{};
        GetWindowRect(VisibleMenuWindow(), &Popup);
        ClickScreen(POINT{Popup.left + 30, Popup.top + 10});
    }});
    ClickAt(ButtonCentre(*F, 0));
    AppPumpUntil([&] { return Clicks.Count["&Open"] > 0; }, 3000);
    AppPumpFor(300);
    EXPECT_EQ(Clicks.Count["&Open"], 1);

    // By keyboard: Alt+E opens Edit with its first item highlighted; Enter chooses it.
    RunDuringMenus({[&] { QueueKey(VK_RETURN); }}, 400);
    PressKey('E', {VK_MENU});
    AppPumpUntil([&] { return Clicks.Count["&Copy"] > 0; }, 3000);
    AppPumpFor(300);
    EXPECT_EQ(Clicks.Count["&Copy"], 1);
    EXPECT_EQ(Clicks.Count["&Open"], 1);

    // A submenu's entry by keyboard: Alt+F, Down, Down, Right, Enter.
    RunDuringMenus({[&] { QueueKey(VK_DOWN); }, [&] { QueueKey(VK_RIGHT); }, [&] { QueueKey(VK_RETURN); }}, 300);
    PressKey('F', {VK_MENU});
    AppPumpUntil([&] { return Clicks.Count["&Deep"] > 0; }, 4000);
    AppPumpFor(300);
    EXPECT_EQ(Clicks.Count["&Deep"], 1);
}

TEST_F(SkinnedMenuBar, WithoutABarElementTheBarHasTheMenubarColourAndStartsSixPixelsIn)
{
    TForm* Form = MenuForm(TFlatSkin{});
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    const RECT& First = F->FMenuBar->FButtons[0]->FRect;
    EXPECT_EQ(First.left, F->FBorderLeft + 6);
    const int BarY = F->FCaptionHeight + 1;
    const COLORREF Menubar = TFlatSkin::DefaultColours().at("Menubar");
    EXPECT_TRUE(SameColor(WindowPixel(Form->Handle(), F->FBorderLeft + 2, BarY), Menubar));
    EXPECT_TRUE(SameColor(WindowPixel(Form->Handle(), F->FWidth - F->FBorderRight - 3, BarY), Menubar));

    // With the element: its active frame, and the first caption after its left margin.
    FinalizeSkinManager();
    delete Form;
    Forms.clear();
    TFlatSkin Skin = WithBar();
    Skin.TileLeftMenu = 5;
    Form = MenuForm(Skin);
    F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    EXPECT_EQ(F->FMenuBar->FButtons[0]->FRect.left, F->FBorderLeft + 5 + 4);
    EXPECT_TRUE(SameColor(WindowPixel(Form->Handle(), F->FWidth - F->FBorderRight - 3, BarY),
                          FlatColour(feMenuBar, 1)));
}

TEST_F(SkinnedMenuBar, BarButtonsLightUpUnderTheMouseAndChangedMenusRebuildTheBar)
{
    TForm* Form = MenuForm();
    TWinSkinForm* F = ShowSkinned(Form);
    ASSERT_NE(F, nullptr);
    const POINT Help = ButtonCentre(*F, 2);
    MoveMouseTo(Help);
    EXPECT_EQ(F->FHotObject, F->FMenuBar->FButtons[2].get());
    const RECT& R = F->FMenuBar->FButtons[2]->FRect;
    const COLORREF Frame = TFlatSkin::DefaultColours().at("ButtonHilight");
    EXPECT_TRUE(SameColor(WindowPixel(Form->Handle(), R.left, (R.top + R.bottom) / 2), Frame));
    MoveMouseTo(POINT{F->FWindowRect.left + F->FWidth / 2, F->FWindowRect.top + F->FHeight / 2});
    AppPumpFor(400);
    EXPECT_FALSE(SameColor(WindowPixel(Form->Handle(), R.left, (R.top + R.bottom) / 2), Frame));

    // A new top-level item reaches the bar.
    Add(Add(Menu->Items(), "&View", false), "&Zoom");
    AppPumpFor(200);
    ASSERT_EQ(F->FMenuBar->FButtons.size(), 4u);
    EXPECT_EQ(F->FMenuBar->FButtons[3]->FCaption, "&View");
    EXPECT_EQ(GetMenu(Form->Handle()), nullptr);
}
