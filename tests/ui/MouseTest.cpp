// CM_MOUSEENTER / CM_MOUSELEAVE and clicks from real mouse input, on a windowed and a
// windowless control, and the windowless control's cursor.
#include <gtest/gtest.h>

#include "framework/ui/Application.h"
#include "tests/support/Capture.h"
#include "tests/ui/Probes.h"

namespace {

void MoveMouse(int X, int Y)
{
    INPUT In{};
    In.type = INPUT_MOUSE;
    In.mi.dx = LONG(MulDiv(X, 65535, GetSystemMetrics(SM_CXSCREEN) - 1));
    In.mi.dy = LONG(MulDiv(Y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1));
    In.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &In, sizeof In);
    PumpFor(150);
}

void ClickMouse()
{
    INPUT In[2] = {};
    In[0].type = In[1].type = INPUT_MOUSE;
    In[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    In[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, In, sizeof In[0]);
    PumpFor(150);
}

struct TCounts {
    int Enter = 0, Leave = 0, Click = 0;
    void OnEnter(TObject*) { ++Enter; }
    void OnLeave(TObject*) { ++Leave; }
    void OnClick(TObject*) { ++Click; }
    void Bind(TControl* C)
    {
        C->OnMouseEnter = TNotifyEvent(this, &TCounts::OnEnter);
        C->OnMouseLeave = TNotifyEvent(this, &TCounts::OnLeave);
        C->OnClick = TNotifyEvent(this, &TCounts::OnClick);
    }
};

TEST(Mouse, EnterAndLeaveReachWindowedAndWindowlessControls)
{
    auto* Form = new TForm(Application);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(100, 100, 300, 120);
    auto* Graphic = new TProbeGraphic(Form);
    Graphic->SetParent(Form);
    Graphic->SetBounds(20, 20, 60, 30);
    Graphic->SetCursor(crHandPoint);
    auto* Windowed = new TProbeButton(Form);
    Windowed->SetParent(Form);
    Windowed->SetBounds(150, 20, 80, 24);
    TCounts G, W;
    G.Bind(Graphic);
    W.Bind(Windowed);
    Form->Show();
    PumpFor(100);

    MoveMouse(105, 190);  // on the form, over neither
    EXPECT_EQ(G.Enter + W.Enter, 0);
    MoveMouse(150, 135);  // the windowless control
    EXPECT_EQ(G.Enter, 1);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
    EXPECT_TRUE(Graphic->Saw(WM_MOUSEMOVE));
    MoveMouse(290, 132);  // straight onto the windowed one
    EXPECT_EQ(G.Leave, 1);
    EXPECT_EQ(W.Enter, 1);
    MoveMouse(700, 600);  // off the form: the system reports the leave a little later
    PumpUntil([&] { return W.Leave == 1; }, 2000);
    EXPECT_EQ(W.Leave, 1);
    EXPECT_EQ(MouseControl(), nullptr);

    MoveMouse(150, 135);
    EXPECT_EQ(G.Enter, 2);
    ClickMouse();
    EXPECT_EQ(G.Click, 1);
    EXPECT_TRUE(Graphic->Saw(WM_LBUTTONDOWN));
    EXPECT_TRUE(Graphic->Saw(WM_LBUTTONUP));
    MoveMouse(105, 190);
    EXPECT_EQ(G.Leave, 2);
    delete Form;
    EXPECT_EQ(MouseControl(), nullptr);
}

} // namespace
