// The application's message loop with a main form, in a process of its own: once the main
// form has closed, the application stays terminated.
#include <gtest/gtest.h>

#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "framework/ui/Screen.h"
#include "framework/ui/Timer.h"
#include "tests/ui/Probes.h"

namespace {

struct TCloser {
    TForm* Main = nullptr;
    bool MainShown = false;
    bool Closing = false;
    void Tick(TObject*)
    {
        MainShown = IsWindowVisible(Main->Handle()) != FALSE;
        PostMessageA(Main->Handle(), WM_CLOSE, 0, 0);
    }
    void Close(TObject*, TCloseAction&) { Closing = true; }
};

TEST(Application, RunsUntilTheFirstFormCreatedCloses)
{
    Application->Initialize();
    Application->SetTitle("Pantrel");
    TForm* Main = nullptr;
    TForm* Other = nullptr;
    Application->CreateForm(Main);
    Application->CreateForm(Other);
    EXPECT_EQ(Application->MainForm(), Main);

    // The hidden window owns the forms; the main form has its own taskbar button.
    const HWND AppWnd = Application->Handle();
    char Class[32] = {}, Title[32] = {};
    GetClassNameA(AppWnd, Class, sizeof Class);
    GetWindowTextA(AppWnd, Title, sizeof Title);
    EXPECT_STREQ(Class, "TApplication");
    EXPECT_STREQ(Title, "Pantrel");
    EXPECT_FALSE(IsWindowVisible(AppWnd));
    EXPECT_EQ(GetWindow(Main->Handle(), GW_OWNER), AppWnd);
    EXPECT_TRUE(GetWindowLongPtrA(Main->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);

    TCloser Closer;
    Closer.Main = Main;
    Main->OnClose = TCloseEvent(&Closer, &TCloser::Close);
    auto* Timer = new TTimer(Main);
    Timer->SetInterval(200);
    Timer->OnTimer = TNotifyEvent(&Closer, &TCloser::Tick);
    Application->Run();
    EXPECT_TRUE(Closer.MainShown);
    EXPECT_TRUE(Closer.Closing);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(IsWindowVisible(Other->Handle()));
    // Both forms are still the application's until it goes.
    EXPECT_EQ(Screen->FormCount(), 2);
}

} // namespace
