// Scroll bars, list boxes and list views made from a design over their system controls,
// driven with real mouse input.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/design/DesignReader.h"
#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/ListView.h"
#include "framework/ui/ScrollBar.h"
#include "framework/ui/StandardControls.h"
#include "tests/controls/DesignFormFixture.h"
#include "tests/controls/Input.h"

namespace {

// Position comes before Max: the range is only known at the end of the design.
const char* const Design = u8R"(object ScrollForm: TForm
  Left = 60
  Top = 40
  ClientWidth = 560
  ClientHeight = 320
  Caption = 'Scroll'
  object Bar1: TScrollBar
    Left = 10
    Top = 10
    Width = 20
    Height = 240
    Kind = sbVertical
    Position = 85
    Max = 99
    PageSize = 10
    SmallChange = 3
    LargeChange = 20
  end
  object List1: TListBox
    Left = 50
    Top = 10
    Width = 150
    Height = 120
    Items.Strings = ('一' 'two' 'three' 'four' 'five' 'six' 'seven' 'eight' 'nine' 'ten' 'eleven' 'twelve')
    ItemIndex = 2
    ScrollWidth = 400
  end
  object View1: TListView
    Left = 220
    Top = 10
    Width = 320
    Height = 200
    ViewStyle = vsReport
    Columns.Strings = ('菜名=140' 'Time=80')
    Items.Strings = ('Soup'#9'20' 'Rice'#9'15'#9'extra' 'Tea')
  end
end
)";

// Moves and the release of a drag, one per tick of a thread timer: the system's thumb
// tracking is a loop of its own that returns only after the release.
std::vector<POINT> DragSteps;

VOID CALLBACK DragStep(HWND, UINT, UINT_PTR Id, DWORD)
{
    if (DragSteps.empty()) {
        KillTimer(nullptr, Id);
        SendMouse(MOUSEEVENTF_LEFTUP);
        return;
    }
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, DragSteps.front());
    DragSteps.erase(DragSteps.begin());
}

void Drag(POINT From, std::vector<POINT> Through)
{
    MoveMouseTo(From);
    DragSteps = std::move(Through);
    SetTimer(nullptr, 0, 100, DragStep);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    AppPumpUntil([] { return DragSteps.empty() && GetKeyState(VK_LBUTTON) >= 0; });
    AppPumpFor(200);
}

std::string CellText(HWND View, int Item, int Sub)
{
    char Text[64] = {};
    LVITEMA Cell{};
    Cell.iSubItem = Sub;
    Cell.pszText = Text;
    Cell.cchTextMax = sizeof Text;
    SendMessageA(View, LVM_GETITEMTEXTA, WPARAM(Item), reinterpret_cast<LPARAM>(&Cell));
    return Text;
}

std::string HeaderText(HWND Header, int Index)
{
    char Text[64] = {};
    HDITEMA Item{};
    Item.mask = HDI_TEXT;
    Item.pszText = Text;
    Item.cchTextMax = sizeof Text;
    SendMessageA(Header, HDM_GETITEMA, WPARAM(Index), reinterpret_cast<LPARAM>(&Item));
    return Text;
}

class ScrollListTest : public DesignFormTest {
public:
    void Changed(TObject*) { Positions.push_back(Bar->Position()); }
    void Clicked(TObject*) { ++Clicks; }
    void Halve(TObject*, TScrollCode Code, int& Pos)
    {
        Codes.push_back(Code);
        if (Code == scLineDown)
            Pos /= 2;
    }

protected:
    void SetUp() override
    {
        ReadForm(Design, "ScrollForm");
        Bar = Find<TScrollBar>("Bar1");
        List = Find<TListBox>("List1");
        View = Find<TListView>("View1");
        ASSERT_TRUE(Bar && List && View);
        Bar->OnChange = TNotifyEvent(this, &ScrollListTest::Changed);
        List->OnClick = TNotifyEvent(this, &ScrollListTest::Clicked);
        ShowForm();
    }
    // Screen point Along pixels down the bar, in its middle.
    POINT OnBar(int Along) const { return ScreenPointOf(Bar, Bar->Width() / 2, Along); }
    int WindowPosition() const
    {
        SCROLLINFO Info{};
        Info.cbSize = sizeof Info;
        Info.fMask = SIF_POS;
        GetScrollInfo(Bar->Handle(), SB_CTL, &Info);
        return Info.nPos;
    }

    TScrollBar* Bar = nullptr;
    TListBox* List = nullptr;
    TListView* View = nullptr;
    std::vector<int> Positions;
    std::vector<TScrollCode> Codes;
    int Clicks = 0;
};

TEST_F(ScrollListTest, ScrollBarMovesByItsStepsAndStaysInItsRange)
{
    EXPECT_TRUE(GetWindowLongPtrA(Bar->Handle(), GWL_STYLE) & SBS_VERT);
    EXPECT_EQ(Bar->Position(), 85);   // read before the range, kept once it came
    EXPECT_EQ(WindowPosition(), 85);

    Bar->SetPosition(5);
    const int Arrow = GetSystemMetrics(SM_CYVSCROLL);
    ClickAt(OnBar(Arrow / 2));
    EXPECT_EQ(Bar->Position(), 2);
    ClickAt(OnBar(Bar->Height() - Arrow / 2));
    EXPECT_EQ(Bar->Position(), 5);
    ClickAt(OnBar(Bar->Height() - Arrow - 3));   // the track below the thumb
    EXPECT_EQ(Bar->Position(), 25);
    EXPECT_EQ(WindowPosition(), 25);
    EXPECT_EQ(Positions, (std::vector<int>{5, 2, 5, 25}));

    // The last page starts at Max - PageSize + 1, also for a thumb dragged past the end.
    SCROLLBARINFO Info{};
    Info.cbSize = sizeof Info;
    GetScrollBarInfo(Bar->Handle(), OBJID_CLIENT, &Info);
    const POINT Thumb = OnBar((Info.xyThumbTop + Info.xyThumbBottom) / 2);
    Drag(Thumb, {POINT{Thumb.x, Thumb.y + 60}, OnBar(Bar->Height() + 8)});
    EXPECT_EQ(Bar->Position(), 90);
    EXPECT_EQ(WindowPosition(), 90);
    Bar->SetPosition(500);
    EXPECT_EQ(Bar->Position(), 90);
    Bar->SetPosition(-4);
    EXPECT_EQ(Bar->Position(), 0);

    // OnScroll has the last word; no change, no OnChange.
    Bar->SetPosition(40);
    Bar->OnScroll = TScrollEvent(this, &ScrollListTest::Halve);
    Positions.clear();
    ClickAt(OnBar(Bar->Height() - Arrow / 2));
    EXPECT_EQ(Bar->Position(), 21);
    ASSERT_FALSE(Codes.empty());
    EXPECT_EQ(Codes.front(), scLineDown);
    Bar->SetParams(21, 0, 99);
    EXPECT_EQ(Positions, (std::vector<int>{21}));
}

TEST_F(ScrollListTest, ListBoxMirrorsItsItemsAndReportsClicks)
{
    const HWND Wnd = List->Handle();
    EXPECT_EQ(SendMessageA(Wnd, LB_GETCOUNT, 0, 0), 12);
    EXPECT_EQ(List->ItemIndex(), 2);
    char First[16] = {};
    SendMessageA(Wnd, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(First));
    EXPECT_STREQ(First, "一");

    // Both bars: the items are longer than the box and wider is scrollable.
    const LONG_PTR Style = GetWindowLongPtrA(Wnd, GWL_STYLE);
    EXPECT_TRUE(Style & WS_VSCROLL);
    EXPECT_TRUE(Style & WS_HSCROLL);

    List->Items()->Insert(0, "zero");
    EXPECT_EQ(List->ItemIndex(), 3);
    List->Items()->Delete(3);
    EXPECT_EQ(List->ItemIndex(), -1);

    const int ItemHeight = int(SendMessageA(Wnd, LB_GETITEMHEIGHT, 0, 0));
    ClickAt(ScreenPointOf(List, 20, ItemHeight + ItemHeight / 2));
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_EQ(Clicks, 1);
    List->SetItemIndex(4);
    EXPECT_EQ(Clicks, 1);   // only the user's choices

    // The choice and the items outlive the window.
    List->RecreateWnd();
    EXPECT_EQ(SendMessageA(List->Handle(), LB_GETCOUNT, 0, 0), 12);
    EXPECT_EQ(List->ItemIndex(), 4);
}

TEST_F(ScrollListTest, ListViewShowsColumnsItemsAndSubitems)
{
    const HWND Wnd = View->Handle();
    EXPECT_EQ(GetWindowLongPtrA(Wnd, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
    const HWND Header = View->HeaderHandle();
    ASSERT_NE(Header, nullptr);
    ASSERT_EQ(SendMessageA(Header, HDM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(HeaderText(Header, 0), "菜名");
    EXPECT_EQ(SendMessageA(Wnd, LVM_GETCOLUMNWIDTH, 0, 0), 140);
    EXPECT_EQ(HeaderText(Header, 1), "Time");

    ASSERT_EQ(SendMessageA(Wnd, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(CellText(Wnd, 0, 0), "Soup");
    EXPECT_EQ(CellText(Wnd, 0, 1), "20");
    EXPECT_EQ(CellText(Wnd, 1, 1), "15");
    EXPECT_EQ(CellText(Wnd, 2, 0), "Tea");
    EXPECT_EQ(CellText(Wnd, 2, 1), "");

    View->AddItem("Noodles", {"10"});
    View->AddColumn("Note", 60);
    EXPECT_EQ(SendMessageA(Header, HDM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(CellText(Wnd, 3, 1), "10");
    EXPECT_EQ(CellText(Wnd, 1, 2), "extra");

    // A click on a row's second cell chooses the row.
    RECT Row{};
    Row.left = LVIR_BOUNDS;
    SendMessageA(Wnd, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&Row));
    ClickAt(ScreenPointOf(View, 160, (Row.top + Row.bottom) / 2));
    EXPECT_EQ(View->ItemIndex(), 1);
    View->SetItemIndex(3);
    EXPECT_EQ(View->ItemIndex(), 3);
    View->RecreateWnd();
    EXPECT_EQ(View->ItemIndex(), 3);
    EXPECT_EQ(CellText(View->Handle(), 3, 0), "Noodles");
}

}  // namespace
