// Menus: the menu bar opened with Alt+letter and its commands run through the window
// system, shortcuts, changes reaching the window's menu, owner-drawn popup menus, and the
// shortcut and accelerator texts.
#include "tests/controls/GalleryFixture.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"

namespace {

std::string MenuText(HMENU Menu, UINT Position)
{
    char Buffer[256] = {};
    GetMenuStringA(Menu, Position, Buffer, sizeof Buffer, MF_BYPOSITION);
    return Buffer;
}

TMenuItem* Item(TGalleryForm* Form, const char* Name)
{
    return static_cast<TMenuItem*>(Form->FindComponent(Name));
}

// Runs inside the popup menu's own loop, one step per tick: highlight the first item,
// then capture the menu and press a key.
struct TPopupDriver {
    static WORD Key;
    static int Height;
    static int Step;
    static TCapture Shot;
    static void Send(WORD Vk)
    {
        INPUT In[2] = {};
        In[0].type = In[1].type = INPUT_KEYBOARD;
        In[0].ki.wVk = In[1].ki.wVk = Vk;
        In[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, In, sizeof In[0]);
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR Id, DWORD)
    {
        const HWND Menu = FindWindowA("#32768", nullptr);
        if (!Menu || !IsWindowVisible(Menu))
            return;
        if (Step++ == 0) {
            Send(VK_DOWN);
            return;
        }
        KillTimer(nullptr, Id);
        RECT R;
        GetWindowRect(Menu, &R);
        Height = R.bottom - R.top;
        Shot = CaptureWindow(Menu);
        Shot.SavePng("controls-popup.png");
        Send(Key);
    }
};
WORD TPopupDriver::Key = 0;
int TPopupDriver::Height = 0;
int TPopupDriver::Step = 0;
TCapture TPopupDriver::Shot;

// Pops the menu up over the memo and lets the driver press Key in it.
void PopupAndPress(TGalleryForm* Form, WORD Key)
{
    TPopupDriver::Key = Key;
    TPopupDriver::Step = 0;
    SetTimer(nullptr, 0, 200, &TPopupDriver::Tick);
    const POINT At = ScreenPointOf(Form->Memo2, 20, 20);
    Form->PopupMenu1->Popup(At.x, At.y);
    AppPumpFor(100);
}

} // namespace

TEST_F(GalleryTest, AltLetterOpensTheBarAndLettersRunCommands)
{
    QueueKey('F', {VK_MENU});
    PressKey('P');
    AppPumpUntil([&] { return !Form->Clicks.empty(); });
    EXPECT_EQ(Form->Clicks, (std::vector<std::string>{"MenuPrint"}));

    // A submenu, reached by letters; opening 操作 runs its own OnClick first.
    Form->Clicks.clear();
    QueueKey('E', {VK_MENU});
    QueueKey('M');
    PressKey('Z');
    AppPumpUntil([&] { return Form->Clicks.size() >= 2; });
    EXPECT_EQ(Form->Clicks, (std::vector<std::string>{"MenuEdit", "MenuDeep"}));

    // A disabled entry does nothing.
    Form->Clicks.clear();
    QueueKey('E', {VK_MENU});
    QueueKey('D');
    QueueKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(Form->Clicks, (std::vector<std::string>{"MenuEdit"}));
}

TEST_F(GalleryTest, ShortcutsRunTheirItemsAndShowInTheMenu)
{
    Form->Edit1->SetFocus();
    PressKey('P', {VK_CONTROL});
    AppPumpUntil([&] { return !Form->Clicks.empty(); });
    EXPECT_EQ(Form->Clicks, (std::vector<std::string>{"MenuPrint"}));
    EXPECT_EQ(Form->Edit1->Text(), "");

    const HMENU File = GetSubMenu(GetMenu(Form->Handle()), 0);
    EXPECT_EQ(MenuText(File, 0), "打印(&P)\tCtrl+P");
    // An item of a disabled parent is not reachable by its shortcut.
    Item(Form, "MenuFile")->SetEnabled(false);
    PressKey('P', {VK_CONTROL});
    EXPECT_EQ(Form->Clicks.size(), 1u);
}

TEST_F(GalleryTest, ChangesReachTheWindowMenu)
{
    TMenuItem* File = Item(Form, "MenuFile");
    TMenuItem* Print = Item(Form, "MenuPrint");
    const HMENU Bar = GetMenu(Form->Handle());
    ASSERT_EQ(GetSubMenu(Bar, 0), File->Handle());

    Print->SetCaption("预览(&V)");
    Print->SetShortCut(scNone);
    EXPECT_EQ(MenuText(File->Handle(), 0), "预览(&V)");
    Item(Form, "MenuExit")->SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(File->Handle()), 2);
    File->SetCaption("【文件】");
    EXPECT_EQ(MenuText(Bar, 0), "【文件】");
    EXPECT_EQ(GetMenu(Form->Handle()), Form->MainMenu1->Handle());

    auto* Added = new TMenuItem(Form);
    Added->SetCaption("新的");
    File->Insert(0, Added);
    EXPECT_EQ(MenuText(File->Handle(), 0), "新的");
    EXPECT_EQ(GetMenuItemID(File->Handle(), 0), Added->Command());
    delete Added;
    EXPECT_EQ(MenuText(File->Handle(), 0), "预览(&V)");

    MENUITEMINFOA Info{};
    Info.cbSize = sizeof Info;
    Info.fMask = MIIM_STATE;
    GetMenuItemInfoA(GetSubMenu(Bar, 1), 1, TRUE, &Info);
    EXPECT_TRUE(Info.fState & MFS_CHECKED);
    GetMenuItemInfoA(GetSubMenu(Bar, 1), 2, TRUE, &Info);
    EXPECT_TRUE(Info.fState & MFS_DISABLED);
}

TEST_F(GalleryTest, ItemsAreFoundByCommandHandleAndParent)
{
    TMainMenu* Menu = Form->MainMenu1;
    TMenuItem* More = Item(Form, "MenuMore");
    TMenuItem* Deep = Item(Form, "MenuDeep");
    EXPECT_EQ(Menu->FindItem(Deep->Command(), fkCommand), Deep);
    EXPECT_EQ(Menu->FindItem(reinterpret_cast<UINT_PTR>(More->Handle()), fkHandle), More);
    EXPECT_EQ(Menu->FindItem(TextToShortCut("Ctrl+P"), fkShortCut), Item(Form, "MenuPrint"));
    EXPECT_EQ(Form->PopupMenu1->FindItem(Deep->Command(), fkCommand), nullptr);
    EXPECT_EQ(Deep->GetParentMenu(), Menu);
    EXPECT_EQ(Deep->Parent(), More);
    EXPECT_EQ(More->Parent()->Parent(), Menu->Items());
    EXPECT_EQ(Menu->Items()->Count(), 2);
    EXPECT_TRUE(Item(Form, "MenuLine")->IsLine());

    // A WM_COMMAND the window receives runs the item's OnClick.
    SendMessageA(Form->Handle(), WM_COMMAND, Deep->Command(), 0);
    EXPECT_EQ(Form->Clicks, (std::vector<std::string>{"MenuDeep"}));
}

TEST_F(GalleryTest, OwnerDrawnPopupIsMeasuredDrawnAndAnswersItsLetters)
{
    TPopupMenu* Popup = Form->PopupMenu1;
    struct TMeasure {
        int Calls = 0;
        void Measure(TObject*, TCanvas*, int&, int& Height)
        {
            ++Calls;
            Height = 30;
        }
    } Measure;
    for (int I = 0; I < Popup->Items()->Count(); ++I)
        Popup->Items()->Items(I)->OnMeasureItem = TMenuMeasureItemEvent(&Measure, &TMeasure::Measure);

    PopupAndPress(Form, 'V');
    EXPECT_EQ(Form->Clicks, (std::vector<std::string>{"PopupPaste"}));
    EXPECT_EQ(Measure.Calls, 3);
    // Three items of 30 pixels inside the menu's frame.
    EXPECT_GE(TPopupDriver::Height, 90);
    EXPECT_LE(TPopupDriver::Height, 100);
}

TEST_F(GalleryTest, OwnerDrawnItemsShowTheirImages)
{
    TImageList Images(nullptr);
    TBitmap Red;
    Red.SetPixelFormat(pf24bit);
    Red.SetSize(16, 16);
    Red.Canvas()->Brush()->SetColor(clRed);
    Red.Canvas()->FillRect(RECT{0, 0, 16, 16});
    Images.AddMasked(Red, clFuchsia);
    Form->PopupMenu1->SetImages(&Images);
    static_cast<TMenuItem*>(Form->FindComponent("PopupPaste"))->SetImageIndex(0);

    PopupAndPress(Form, VK_ESCAPE);
    const TCapture& Shot = TPopupDriver::Shot;
    int Red16 = 0;
    for (int Y = 0; Y < Shot.Height; ++Y)
        for (int X = 0; X < 30 && X < Shot.Width; ++X)
            Red16 += SameColor(Shot.Pixel(X, Y), RGB(255, 0, 0));
    EXPECT_GE(Red16, 16 * 16);
    Form->PopupMenu1->SetImages(nullptr);
}

TEST_F(GalleryTest, OwnerDrawnMenuBarStillAnswersAltLetters)
{
    Form->MainMenu1->SetOwnerDraw(true);
    MENUITEMINFOA Info{};
    Info.cbSize = sizeof Info;
    Info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(GetMenu(Form->Handle()), 0, TRUE, &Info);
    ASSERT_TRUE(Info.fType & MFT_OWNERDRAW);
    DrawMenuBar(Form->Handle());
    AppPumpFor(200);
    CaptureWindow(Form->Handle()).SavePng("controls-owner-drawn-bar.png");

    // The items have no text the system could search: the letters are matched here.
    QueueKey('F', {VK_MENU});
    PressKey('P');
    QueueKey('E', {VK_MENU});
    QueueKey('M');
    PressKey('Z');
    AppPumpUntil([&] { return Form->Clicks.size() >= 3; });
    EXPECT_EQ(Form->Clicks, (std::vector<std::string>{"MenuPrint", "MenuEdit", "MenuDeep"}));
}

TEST(ShortCuts, TextsAndAccelerators)
{
    EXPECT_EQ(ShortCutToText(ShortCut('P', false, true, false)), "Ctrl+P");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F4, true, false, false)), "Shift+F4");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, true, true, true)), "Shift+Ctrl+Alt+Del");
    EXPECT_EQ(ShortCutToText(scNone), "");
    for (const char* Text : {"Ctrl+P", "Shift+F4", "Alt+Enter", "F12", "Ctrl+Shift+Home"})
        EXPECT_NE(TextToShortCut(Text), scNone) << Text;
    EXPECT_EQ(TextToShortCut("ctrl+shift+home"), ShortCut(VK_HOME, true, true, false));
    EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
    EXPECT_EQ(TextToShortCut("Hyper+X"), scNone);

    EXPECT_EQ(GetHotkey("删除(&D)"), 'D');
    EXPECT_EQ(GetHotkey("&open"), 'O');
    EXPECT_EQ(GetHotkey("Fish && Chips"), 0);
    EXPECT_EQ(GetHotkey("末尾&"), 0);
    EXPECT_EQ(StripHotkey("Fish && &Chips"), "Fish & Chips");
    EXPECT_TRUE(IsAccel('d', "删除(&D)"));
    EXPECT_FALSE(IsAccel('x', "删除(&D)"));
    EXPECT_FALSE(IsAccel(0x144, "删除(&D)"));
}

TEST(AutoHotkeys, GiveEachItemADifferentLetterUnlessManual)
{
    TPopupMenu Menu(nullptr);
    for (const char* Caption : {"Open", "Options", "E&xit", "Other", "-", "中文"}) {
        auto* I = new TMenuItem(&Menu);
        I->SetCaption(Caption);
        Menu.Items()->Add(I);
    }
    const HMENU Handle = Menu.Handle();
    EXPECT_EQ(MenuText(Handle, 0), "&Open");
    EXPECT_EQ(MenuText(Handle, 1), "O&ptions");
    EXPECT_EQ(MenuText(Handle, 2), "E&xit");
    EXPECT_EQ(MenuText(Handle, 3), "O&ther");
    EXPECT_EQ(MenuText(Handle, 5), "中文");
    // The captions themselves are unchanged.
    EXPECT_EQ(Menu.Items()->Items(0)->Caption(), "Open");
    Menu.SetAutoHotkeys(maManual);
    EXPECT_EQ(MenuText(Handle, 1), "Options");
}

TEST(RightToLeft, MenusAndStatusPanelsReadFromTheRight)
{
    TPopupMenu Menu(nullptr);
    auto* First = new TMenuItem(&Menu);
    First->SetCaption("一");
    Menu.Items()->Add(First);
    Menu.SetBiDiMode(bdRightToLeft);
    MENUITEMINFOA Info{};
    Info.cbSize = sizeof Info;
    Info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(Menu.Handle(), 0, TRUE, &Info);
    EXPECT_TRUE(Info.fType & MFT_RIGHTORDER);
    EXPECT_TRUE(Menu.IsRightToLeft());
    Menu.SetBiDiMode(bdLeftToRight);
    GetMenuItemInfoA(Menu.Handle(), 0, TRUE, &Info);
    EXPECT_FALSE(Info.fType & MFT_RIGHTORDER);
}
