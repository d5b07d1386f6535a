// Progress bars, track bars and header controls made from a design over their system
// controls, driven with real mouse input.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/core/Exception.h"
#include "framework/core/TypInfo.h"
#include "framework/design/DesignReader.h"
#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "framework/ui/HeaderControl.h"
#include "framework/ui/ProgressBar.h"
#include "framework/ui/StandardControls.h"
#include "framework/ui/TrackBar.h"
#include "tests/controls/DesignFormFixture.h"
#include "tests/controls/Input.h"

namespace {

const char* const Design = u8R"(object BarsForm: TForm
  Left = 60
  Top = 40
  ClientWidth = 420
  ClientHeight = 260
  Caption = 'Bars'
  object Header1: THeaderControl
    Left = 0
    Top = 0
    Width = 420
    Height = 20
    object Section1: THeaderSection
      Text = '菜名'
      Width = 120
    end
    object Section2: THeaderSection
      Text = 'Time'
      Width = 80
    end
  end
  object Progress1: TProgressBar
    Left = 10
    Top = 40
    Width = 200
    Height = 18
    Max = 50
    Position = 20
    Smooth = True
  end
  object Track1: TTrackBar
    Left = 10
    Top = 80
    Width = 200
    Height = 40
    Max = 20
    Position = 5
    Frequency = 5
  end
  object Track2: TTrackBar
    Left = 300
    Top = 40
    Orientation = trVertical
    Max = 8
  end
end
)";

LONG_PTR StyleOf(TWinControl* C)
{
    return GetWindowLongPtrA(C->Handle(), GWL_STYLE);
}

std::string ClassOf(TWinControl* C)
{
    char Name[64] = {};
    GetClassNameA(C->Handle(), Name, sizeof Name);
    return Name;
}

class BarsTest : public DesignFormTest {
protected:
    void SetUp() override
    {
        ReadForm(Design, "BarsForm");
        Header = Find<THeaderControl>("Header1");
        Progress = Find<TProgressBar>("Progress1");
        Track = Find<TTrackBar>("Track1");
        Standing = Find<TTrackBar>("Track2");
        Track->OnChange = TNotifyEvent(this, &BarsTest::Changed);
        Header->OnSectionClick = TSectionNotifyEvent(this, &BarsTest::SectionClicked);
        ShowForm();
    }
    void Changed(TObject*) { Positions.push_back(Track->Position()); }
    void SectionClicked(TObject*, THeaderSection* Section) { Clicked.push_back(Section->Index()); }
    // Screen point of the track bar's thumb centre.
    POINT ThumbCentre(TTrackBar* Bar)
    {
        RECT Thumb{};
        SendMessageA(Bar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&Thumb));
        return ScreenPointOf(Bar, (Thumb.left + Thumb.right) / 2, (Thumb.top + Thumb.bottom) / 2);
    }

    THeaderControl* Header = nullptr;
    TProgressBar* Progress = nullptr;
    TTrackBar* Track = nullptr;
    TTrackBar* Standing = nullptr;
    std::vector<int> Positions;
    std::vector<int> Clicked;
};

}  // namespace

// Designs make them over their system controls; style changes make a new window, which
// keeps the position and the range.
TEST_F(BarsTest, DesignedPropertiesSurviveTheWindowBeingMadeAgain)
{
    EXPECT_EQ(ClassOf(Progress), "TProgressBar");
    EXPECT_EQ(ClassOf(Track), "TTrackBar");
    EXPECT_EQ(ClassOf(Header), "THeaderControl");
    EXPECT_TRUE(StyleOf(Progress) & PBS_SMOOTH);
    EXPECT_TRUE(StyleOf(Standing) & TBS_VERT);
    EXPECT_EQ(SendMessageA(Track->Handle(), TBM_GETNUMTICS, 0, 0), 5);  // 0, 5, 10, 15, 20

    EXPECT_EQ(Progress->Position(), 20);
    Progress->SetPosition(35);
    EXPECT_TRUE(SetEnumPropByName(Progress, "Smooth", "False"));
    EXPECT_FALSE(StyleOf(Progress) & PBS_SMOOTH);
    Progress->SetOrientation(pbVertical);
    EXPECT_TRUE(StyleOf(Progress) & PBS_VERTICAL);
    EXPECT_EQ(Progress->Position(), 35);
    Progress->SetPosition(80);  // kept within the designed range
    EXPECT_EQ(Progress->Position(), 50);

    Track->SetPosition(12);
    EXPECT_TRUE(SetEnumPropByName(Track, "Orientation", "trVertical"));
    EXPECT_TRUE(StyleOf(Track) & TBS_VERT);
    EXPECT_EQ(Track->Width(), 40);
    EXPECT_EQ(Track->Height(), 200);
    EXPECT_EQ(GetOrdProp(Track, "Position"), 12);
    EXPECT_EQ(SendMessageA(Track->Handle(), TBM_GETRANGEMAX, 0, 0), 20);
}

TEST_F(BarsTest, DraggingTheThumbReportsEachNewPosition)
{
    MoveMouseTo(ThumbCentre(Track));
    MouseButton(true);
    const POINT End = ScreenPointOf(Track, Track->Width() - 5, Track->Height() / 2);
    MoveMouseTo(POINT{(ThumbCentre(Track).x + End.x) / 2, End.y});
    MoveMouseTo(End);
    MouseButton(false);
    EXPECT_EQ(Track->Position(), 20);
    ASSERT_GE(Positions.size(), 2u);
    EXPECT_EQ(Positions.back(), 20);
    for (size_t I = 1; I < Positions.size(); ++I)
        EXPECT_NE(Positions[I], Positions[I - 1]);

    // A setting from the program is no move of the user's.
    Positions.clear();
    Track->SetPosition(3);
    AppPumpFor(50);
    EXPECT_TRUE(Positions.empty());
}

TEST_F(BarsTest, SectionsClickAndFollowTheirChanges)
{
    ClickAt(ScreenPointOf(Header, 150, 10));
    ClickAt(ScreenPointOf(Header, 20, 10));
    EXPECT_EQ(Clicked, (std::vector<int>{1, 0}));
    char Text[16] = {};
    HDITEMA Item{};
    Item.mask = HDI_TEXT;
    Item.pszText = Text;
    Item.cchTextMax = sizeof Text;
    SendMessageA(Header->Handle(), HDM_GETITEMA, 0, reinterpret_cast<LPARAM>(&Item));
    EXPECT_STREQ(Text, "菜名");

    Header->Sections(1)->SetWidth(60);
    Header->AddSection("Third", 40);
    delete Header->Sections(0);
    ASSERT_EQ(Header->SectionCount(), 2);
    ASSERT_EQ(SendMessageA(Header->Handle(), HDM_GETITEMCOUNT, 0, 0), 2);
    RECT Last{};
    SendMessageA(Header->Handle(), HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&Last));
    EXPECT_EQ(Last.left, 60);
    EXPECT_EQ(Last.right, 100);
    EXPECT_THROW(Header->Sections(2), EListError);
}
