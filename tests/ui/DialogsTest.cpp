// The framework's message dialog, with the standard controls registered as the program
// registers them.
#include <gtest/gtest.h>

#include "framework/ui/Application.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Menus.h"
#include "framework/ui/StandardControls.h"
#include "framework/ui/Timer.h"
#include "framework/graphics/Font.h"
#include "tests/support/Capture.h"
#include "tests/ui/Probes.h"

namespace {

struct TDialogCloser {
    bool Found = false;
    std::string Caption;
    int Buttons = 0;
    int ClientWidth = 0;
    int TextPixels = 0;
    // Instead of clicking, a key for the focused control (the default button).
    WPARAM Key = 0;
    void Tick(TObject* Sender)
    {
        const HWND Dialog = FindThreadWindow("TMessageForm");
        if (!Dialog)
            return;
        static_cast<TTimer*>(Sender)->SetEnabled(false);
        Found = true;
        char Text[128] = {};
        GetWindowTextA(Dialog, Text, sizeof Text);
        Caption = Text;
        RECT R;
        GetClientRect(Dialog, &R);
        ClientWidth = R.right;
        HWND Button = nullptr;
        for (HWND C = GetWindow(Dialog, GW_CHILD); C; C = GetWindow(C, GW_HWNDNEXT)) {
            char Class[32] = {};
            GetClassNameA(C, Class, sizeof Class);
            if (std::string(Class) == "TButton") {
                ++Buttons;
                Button = C;
            }
        }
        const TCapture Shot = CaptureWindow(Dialog, true);
        Shot.SavePng("ui-message-dialog.png");
        // The text is drawn above the button.
        for (int Y = 0; Y < Shot.Height / 2; ++Y)
            for (int X = 0; X < Shot.Width; ++X)
                TextPixels += GetRValue(Shot.Pixel(X, Y)) < 100 ? 1 : 0;
        if (Key)
            PostMessageA(GetFocus(), WM_KEYDOWN, Key, 0);
        else if (Button)
            SendMessageA(Button, BM_CLICK, 0, 0);
    }
};

TEST(Dialogs, ShowMessageIsAModalMessageFormWithOneButton)
{
    RegisterStandardControls();
    Application->SetTitle("Pantrel");
    TDialogCloser Closer;
    auto* Timer = new TTimer(Application);
    Timer->SetInterval(100);
    Timer->OnTimer = TNotifyEvent(&Closer, &TDialogCloser::Tick);
    const std::string Text = "这个菜谱已存在！请检查.....";
    ShowMessage(Text);
    delete Timer;
    ASSERT_TRUE(Closer.Found);
    EXPECT_EQ(Closer.Caption, "Pantrel");
    EXPECT_EQ(Closer.Buttons, 1);
    EXPECT_GT(Closer.TextPixels, 20);
    EXPECT_EQ(FindThreadWindow("TMessageForm"), nullptr);

    TMessageForm* Dialog = CreateMessageDialog(Text, mtCustom, {mbOK});
    HDC DC = GetDC(nullptr);
    SelectObject(DC, Dialog->Font()->Handle());
    SIZE Size;
    GetTextExtentPoint32A(DC, Text.c_str(), int(Text.size()), &Size);
    ReleaseDC(nullptr, DC);
    EXPECT_GT(Dialog->ClientWidth(), Size.cx);
    delete Dialog;
}

TEST(Dialogs, EnterPressesTheDefaultButtonAndEscapeTheCancelButton)
{
    RegisterStandardControls();
    TDialogCloser Closer;
    auto* Timer = new TTimer(Application);
    Timer->SetInterval(100);
    Timer->OnTimer = TNotifyEvent(&Closer, &TDialogCloser::Tick);
    Closer.Key = VK_RETURN;
    EXPECT_EQ(MessageDlg("Save?", mtConfirmation, {mbYes, mbNo, mbCancel}, 0), mrYes);
    EXPECT_EQ(Closer.Buttons, 3);
    EXPECT_EQ(Closer.Caption, "Confirm");
    Closer = TDialogCloser();
    Closer.Key = VK_ESCAPE;
    Timer->SetEnabled(true);
    EXPECT_EQ(MessageDlg("Save?", mtConfirmation, {mbYes, mbNo, mbCancel}, 0), mrCancel);
    delete Timer;
}

struct TMenuSpy {
    TWndMethod Old;
    int MenuChanged = 0;
    void Proc(TMessage& M)
    {
        if (M.Msg == CM_MENUCHANGED)
            ++MenuChanged;
        Old(M);
    }
};

// A form (without a window yet) and a main menu of one entry that it owns.
TMainMenu* FormMenu(TForm*& Form)
{
    RegisterStandardControls();
    Form = new TForm(Application);
    auto* Menu = new TMainMenu(Form);
    auto* Item = new TMenuItem(Form);
    Item->SetCaption("&File");
    Menu->Items()->Add(Item);
    return Menu;
}

// The form tells its window (where a skin may listen) when its menu changes.
TEST(Forms, SettingTheMenuGivesTheWindowItsMenuBarWithCMMenuChanged)
{
    TForm* Form = nullptr;
    TMainMenu* Menu = FormMenu(Form);
    const HWND Wnd = Form->Handle();
    TMenuSpy Spy;
    Spy.Old = Form->WindowProc;
    Form->WindowProc = TWndMethod(&Spy, &TMenuSpy::Proc);
    Form->SetMenu(Menu);
    EXPECT_EQ(Form->Menu(), Menu);
    EXPECT_EQ(Spy.MenuChanged, 1);
    EXPECT_EQ(GetMenu(Wnd), Menu->Handle());
    Form->SetMenu<TMainMenu>(nullptr);
    EXPECT_EQ(GetMenu(Wnd), nullptr);
    EXPECT_EQ(Spy.MenuChanged, 2);
    Form->WindowProc = Spy.Old;
    delete Form;
}

HMENU MenuAtCreation = nullptr;
LRESULT CALLBACK NoteCreationMenu(int Code, WPARAM WParam, LPARAM LParam)
{
    if (Code == HCBT_CREATEWND)
        MenuAtCreation = reinterpret_cast<CBT_CREATEWNDA*>(LParam)->lpcs->hMenu;
    return CallNextHookEx(nullptr, Code, WParam, LParam);
}

// A form given its menu before its window exists is made with the bar, at its client size.
TEST(Forms, AFormIsMadeWithItsMenuBar)
{
    TForm* Form = nullptr;
    TMainMenu* Menu = FormMenu(Form);
    Form->SetMenu(Menu);
    Form->SetClientSize(320, 200);
    const HHOOK Hook = SetWindowsHookExA(WH_CBT, &NoteCreationMenu, nullptr, GetCurrentThreadId());
    const HWND Wnd = Form->Handle();
    UnhookWindowsHookEx(Hook);
    EXPECT_EQ(MenuAtCreation, Menu->Handle());
    EXPECT_EQ(GetMenu(Wnd), Menu->Handle());
    EXPECT_EQ(Form->ClientWidth(), 320);
    EXPECT_EQ(Form->ClientHeight(), 200);
    delete Form;
}

} // namespace
