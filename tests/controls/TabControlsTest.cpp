// Page controls, tab controls and tab sets made from a design and driven with real clicks.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>

#include "framework/design/DesignReader.h"
#include "framework/graphics/GdiHolders.h"
#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "framework/ui/StandardControls.h"
#include "framework/ui/TabControl.h"
#include "framework/ui/TabSet.h"
#include "tests/controls/DesignFormFixture.h"
#include "tests/controls/Input.h"
#include "tests/support/Capture.h"

namespace {

const char* const Design = u8R"(object TabsForm: TForm
  Left = 60
  Top = 40
  ClientWidth = 520
  ClientHeight = 300
  Caption = 'Tabs'
  Font.Height = -13
  Font.Name = '宋体'
  object PageControl1: TPageControl
    Left = 8
    Top = 8
    Width = 300
    Height = 160
    ActivePage = TabSheet2
    object TabSheet1: TTabSheet
      Caption = '配料'
    end
    object TabSheet2: TTabSheet
      Caption = '方法'
    end
    object TabSheet3: TTabSheet
      Caption = '提示'
    end
  end
  object TabControl1: TTabControl
    Left = 320
    Top = 8
    Width = 190
    Height = 160
    TabPosition = tpBottom
    TabIndex = 1
    Tabs.Strings = (
      '甲'
      '乙'
      '丙')
  end
  object TabSet1: TTabSet
    Left = 8
    Top = 190
    Width = 300
    Height = 21
    TabIndex = 0
    SelectedColor = clRed
    UnselectedColor = clBlue
    Tabs.Strings = (
      '凉菜'
      '热菜'
      '汤')
  end
  object TabSet2: TTabSet
    Left = 8
    Top = 240
    Width = 120
    Height = 21
    Tabs.Strings = (
      '一号菜'
      '二号菜'
      '三号菜'
      '四号菜'
      '五号菜')
  end
end
)";

std::string TabText(TCustomTabControl* T, int Index)
{
    char Buffer[64] = {};
    TCITEMA Item{};
    Item.mask = TCIF_TEXT;
    Item.pszText = Buffer;
    Item.cchTextMax = sizeof Buffer - 1;
    SendMessageA(T->Handle(), TCM_GETITEMA, WPARAM(Index), reinterpret_cast<LPARAM>(&Item));
    return Item.pszText;
}

int TabCount(TCustomTabControl* T)
{
    return int(SendMessageA(T->Handle(), TCM_GETITEMCOUNT, 0, 0));
}

POINT CentreOf(TControl* C, const RECT& R)
{
    return ScreenPointOf(C, (R.left + R.right) / 2, (R.top + R.bottom) / 2);
}

bool SameRect(const RECT& A, const RECT& B)
{
    return EqualRect(&A, &B) != 0;
}

class TabControlsTest : public DesignFormTest {
protected:
    void SetUp() override
    {
        ReadForm(Design, "TabsForm");
        Pages = Find<TPageControl>("PageControl1");
        Tabs = Find<TTabControl>("TabControl1");
        Set = Find<TTabSet>("TabSet1");
        Narrow = Find<TTabSet>("TabSet2");
        for (TControl* C : std::initializer_list<TControl*>{Pages, Tabs, Set, Narrow})
            ASSERT_NE(C, nullptr);
        Pages->OnChange = TNotifyEvent(this, &TabControlsTest::Changed);
        Tabs->OnChange = TNotifyEvent(this, &TabControlsTest::Changed);
        Set->OnChange = TNotifyEvent(this, &TabControlsTest::Changed);
        Narrow->OnChange = TNotifyEvent(this, &TabControlsTest::Changed);
        ShowForm();
    }

public:
    void Changed(TObject* Sender) { ++Changes[Sender]; }

protected:
    TPageControl* Pages = nullptr;
    TTabControl* Tabs = nullptr;
    TTabSet* Set = nullptr;
    TTabSet* Narrow = nullptr;
    std::map<TObject*, int> Changes;
};

TEST_F(TabControlsTest, APageControlShowsItsActivePageInTheDisplayAreaAndSwitchesOnAClick)
{
    CaptureWindow(Form->Handle()).SavePng("controls_tabs.png");
    ASSERT_EQ(Pages->PageCount(), 3);
    ASSERT_EQ(TabCount(Pages), 3);
    EXPECT_EQ(TabText(Pages, 0), "配料");
    EXPECT_EQ(TabText(Pages, 2), "提示");
    TTabSheet* Sheet1 = Pages->Pages(0);
    TTabSheet* Sheet2 = Pages->Pages(1);
    EXPECT_EQ(Pages->ActivePage(), Sheet2);
    EXPECT_EQ(Pages->TabIndex(), 1);
    EXPECT_TRUE(IsWindowVisible(Sheet2->Handle()));
    EXPECT_FALSE(IsWindowVisible(Sheet1->Handle()));
    EXPECT_TRUE(SameRect(Sheet2->BoundsRect(), Pages->DisplayRect()));

    ClickAt(CentreOf(Pages, Pages->TabRect(0)));
    EXPECT_EQ(Changes[Pages], 1);
    EXPECT_EQ(Pages->ActivePage(), Sheet1);
    EXPECT_TRUE(IsWindowVisible(Sheet1->Handle()));
    EXPECT_FALSE(IsWindowVisible(Sheet2->Handle()));
    AppPumpFor(GetDoubleClickTime());
    ClickAt(CentreOf(Pages, Pages->TabRect(0)));
    EXPECT_EQ(Changes[Pages], 1);

    // A caption is its tab's text; a page that goes takes its tab and hands on the active role.
    Sheet1->SetCaption("做法");
    EXPECT_EQ(TabText(Pages, 0), "做法");
    delete Sheet1;
    ASSERT_EQ(Pages->PageCount(), 2);
    EXPECT_EQ(TabCount(Pages), 2);
    EXPECT_EQ(TabText(Pages, 0), "方法");
    EXPECT_EQ(Pages->ActivePage(), Sheet2);
    EXPECT_EQ(Pages->TabIndex(), 0);
    EXPECT_TRUE(IsWindowVisible(Sheet2->Handle()));

    // Tabs on the left: a new window with vertical tabs, the page fitted to the new area.
    Pages->SetTabPosition(tpLeft);
    AppPumpFor(100);
    EXPECT_TRUE(GetWindowLongPtrA(Pages->Handle(), GWL_STYLE) & TCS_VERTICAL);
    EXPECT_EQ(TabCount(Pages), 2);
    EXPECT_EQ(Pages->TabIndex(), 0);
    const RECT Area = Pages->DisplayRect();
    EXPECT_GT(Area.left, 10);
    EXPECT_TRUE(SameRect(Sheet2->BoundsRect(), Area));
    EXPECT_TRUE(IsWindowVisible(Sheet2->Handle()));
    ClickAt(CentreOf(Pages, Pages->TabRect(1)));
    EXPECT_EQ(Pages->ActivePage(), Pages->Pages(1));
    EXPECT_EQ(Changes[Pages], 2);
}

TEST_F(TabControlsTest, ATabControlKeepsItsTabsSideAndSelection)
{
    EXPECT_TRUE(GetWindowLongPtrA(Tabs->Handle(), GWL_STYLE) & TCS_BOTTOM);
    ASSERT_EQ(TabCount(Tabs), 3);
    EXPECT_EQ(Tabs->TabIndex(), 1);
    EXPECT_GT(Tabs->TabRect(0).top, Tabs->DisplayRect().bottom - 1);
    Tabs->Tabs()->Add("丁");
    EXPECT_EQ(TabCount(Tabs), 4);
    EXPECT_EQ(TabText(Tabs, 3), "丁");
    EXPECT_EQ(Tabs->TabIndex(), 1);

    ClickAt(CentreOf(Tabs, Tabs->TabRect(2)));
    EXPECT_EQ(Tabs->TabIndex(), 2);
    EXPECT_EQ(Changes[Tabs], 1);
    Tabs->SetTabIndex(0);
    EXPECT_EQ(Changes[Tabs], 1);  // only the user's picks are changes
    Tabs->SetTabPosition(tpRight);
    EXPECT_EQ(Tabs->TabIndex(), 0);
    EXPECT_EQ(GetWindowLongPtrA(Tabs->Handle(), GWL_STYLE) & (TCS_VERTICAL | TCS_RIGHT), TCS_VERTICAL | TCS_RIGHT);
}

TEST_F(TabControlsTest, ATabSetDrawsItsTabsSelectsOnAClickAndScrollsWhenTheyDoNotFit)
{
    // The scroll up-down is the tab set's first component.
    EXPECT_EQ(Set->Components(0), Set->Scroller());
    EXPECT_FALSE(Set->Scroller()->Visible());
    ASSERT_TRUE(Narrow->Scroller()->Visible());

    const TMemoryDC DC;
    TDCCanvas Measure(DC.Handle());
    Measure->Font()->Assign(*Set->Font());
    const auto Places = Set->TabPlaces(*Measure.Get(), Set->Width(), Set->Height());
    ASSERT_EQ(Places.size(), 3u);
    EXPECT_EQ(Places[0].Rect.left, Set->StartMargin());
    EXPECT_EQ(Places[1].Rect.left, Places[0].Rect.right);

    // Selected red, joined to the top edge; the others blue below it.
    const POINT Origin = Set->ClientToScreen(POINT{0, 0});
    const TCapture Shot = CaptureScreenRect(RECT{Origin.x, Origin.y, Origin.x + Set->Width(), Origin.y + Set->Height()});
    Shot.SavePng("controls_tabset.png");
    EXPECT_TRUE(SameColor(Shot.Pixel(Places[0].Rect.left + 3, 0), RGB(255, 0, 0)));
    EXPECT_TRUE(SameColor(Shot.Pixel(Places[0].Rect.left + 3, 4), RGB(255, 0, 0)));
    EXPECT_FALSE(SameColor(Shot.Pixel(Places[1].Rect.left + 3, 0), RGB(0, 0, 255)));
    EXPECT_TRUE(SameColor(Shot.Pixel(Places[1].Rect.left + 3, 4), RGB(0, 0, 255)));

    ClickAt(CentreOf(Set, Places[2].Rect));
    EXPECT_EQ(Set->TabIndex(), 2);
    EXPECT_EQ(Changes[Set], 1);
    AppPumpFor(GetDoubleClickTime());
    ClickAt(CentreOf(Set, Places[2].Rect));
    EXPECT_EQ(Changes[Set], 1);

    // The up-down's right half shows the next tabs, its left half the earlier ones.
    const RECT S = Narrow->Scroller()->BoundsRect();
    EXPECT_LE(S.right, Narrow->Width());
    ClickAt(ScreenPointOf(Narrow, S.right - 3, (S.top + S.bottom) / 2));
    EXPECT_EQ(Narrow->FirstIndex(), 1);
    AppPumpFor(GetDoubleClickTime());
    ClickAt(ScreenPointOf(Narrow, S.left + 3, (S.top + S.bottom) / 2));
    EXPECT_EQ(Narrow->FirstIndex(), 0);
    Narrow->SetWidth(500);
    EXPECT_FALSE(Narrow->Scroller()->Visible());
    EXPECT_EQ(Changes[Narrow], 0);
}

}  // namespace
