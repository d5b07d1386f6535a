#include "framework/core/CodePage.h"
#include "framework/design/DesignReader.h"
#include "tests/core/Sample.h"

#include <gtest/gtest.h>

namespace {

const char* const FullDesign = u8R"(object Form1: TSampleForm
  Caption = 'Pantrel系统'
  Width = 688
  Font.Height = -13
  Font.Name = '宋体'
  Font.Color = clRed
  BorderIcons = [siSystemMenu, siMinimize]
  Color = clBtnFace
  OnClick = ButtonClick
  object Panel1: TSampleControl
    Align = saLeft
    Buddy = Edit1
    Visible = False
    Tag = -7
    object Edit1: TSampleControl
      Caption = 'it''s'#13#10'两行' +
        ' more'
      Lines.Strings = (
        '第一'
        'second')
      OnChange = ListChange
      OnClick = ButtonClick
      Data = {
        00 01FE
        ff}
    end
  end
  object Other: TSampleControl
    Buddy = Form1
    Color = -16777201
  end
end
)";

struct TReadFixture : ::testing::Test {
    TSampleForm Form{nullptr};
    TSampleControl* Control(const char* Name) { return dynamic_cast<TSampleControl*>(Form.FindComponent(Name)); }
};

} // namespace

TEST_F(TReadFixture, ReadsComponentsPropertiesEventsAndReferences)
{
    SampleLoadedCounter = 0;
    ReadComponentText(FullDesign, &Form, "Form1");

    EXPECT_EQ(Form.Name(), "Form1");
    EXPECT_EQ(Form.Caption(), Utf8ToGbk(u8"Pantrel系统"));
    EXPECT_EQ(Form.Width(), 688);
    EXPECT_EQ(Form.Font()->Height, -13);
    EXPECT_EQ(Form.Font()->FaceName, Utf8ToGbk(u8"宋体"));
    EXPECT_EQ(Form.Font()->Color, clRed);
    EXPECT_EQ(Form.Icons(), (TSampleIcons{siSystemMenu, siMinimize}));

    // Nested objects: owned by the root in creation order, parented by the enclosing one.
    ASSERT_EQ(Form.ComponentCount(), 3);
    TSampleControl* Panel = Control("Panel1");
    TSampleControl* Edit = Control("Edit1");
    TSampleControl* Other = Control("Other");
    ASSERT_TRUE(Panel && Edit && Other);
    EXPECT_EQ(Form.Components(0), Panel);
    EXPECT_EQ(Form.Components(1), Edit);
    EXPECT_EQ(Panel->FParent, &Form);
    EXPECT_EQ(Edit->FParent, Panel);
    EXPECT_EQ(Panel->Align(), saLeft);
    EXPECT_FALSE(Panel->Visible());
    EXPECT_EQ(Panel->Tag(), -7);
    EXPECT_EQ(Other->Color(), clBtnFace);

    // A reference to a component declared later, and one to the root.
    EXPECT_EQ(Panel->Buddy(), Edit);
    EXPECT_EQ(Other->Buddy(), &Form);

    EXPECT_EQ(Edit->Caption(), Utf8ToGbk(u8"it's\r\n两行 more"));
    ASSERT_EQ(Edit->Lines()->Count(), 2);
    EXPECT_EQ(Edit->Lines()->Strings(0), Utf8ToGbk(u8"第一"));
    ASSERT_TRUE(Edit->FHasData);
    ASSERT_EQ(Edit->FData.Size(), 4);
    EXPECT_EQ(Edit->FData.Bytes(), (std::vector<uint8_t>{0x00, 0x01, 0xFE, 0xFF}));

    // Events call the root's handlers with the component as sender.
    Edit->FOnChange(Edit, 5);
    EXPECT_EQ(Form.LastIndex, 5);
    EXPECT_EQ(Form.LastSender, Edit);
    Form.FOnClick(&Form);
    Edit->FOnClick(Edit);
    EXPECT_EQ(Form.Clicks, 2);
    EXPECT_EQ(GetPropValue(Edit, "OnChange"), "ListChange");

    // Properties were set while reading; Loaded ran root first, then in creation order, and
    // the state bits are gone afterwards.
    EXPECT_TRUE(Form.FReadingWhenCaptionSet);
    EXPECT_TRUE(Edit->FReadingWhenCaptionSet);
    EXPECT_EQ(Form.FLoadedOrder, 0);
    EXPECT_EQ(Panel->FLoadedOrder, 1);
    EXPECT_EQ(Edit->FLoadedOrder, 2);
    EXPECT_EQ(Other->FLoadedOrder, 3);
    for (TComponent* C : {static_cast<TComponent*>(&Form), static_cast<TComponent*>(Edit)})
        EXPECT_TRUE(C->ComponentState().Empty());
}

// Each faulty design must fail with the design name, the line and the property or object.
TEST(DesignErrors, NameDesignLineAndProperty)
{
    struct TCase {
        const char* Text;
        const char* Expected;
    } Cases[] = {
        {"object F: TSampleForm\n  Widht = 3\nend", "Test(2): Widht: unknown property"},
        {"object F: TSampleForm\n  Align = saMiddle\nend", "Test(2): Align: invalid TSampleAlign value saMiddle"},
        {"object F: TSampleForm\n  Width = 'x'\nend", "Test(2): Width: integer expected"},
        {"object F: TSampleForm\n\n  object B: TNoSuchClass\n  end\nend", "Test(3): B: class TNoSuchClass not found"},
        {"object F: TSampleForm\n  OnClick = Missing\nend", "Test(2): OnClick: TSampleForm has no handler Missing"},
        {"object F: TSampleForm\n  OnClick = ListChange\nend", "Test(2): OnClick: handler ListChange does not fit"},
        {"object F: TSampleForm\n  Buddy = Nobody\nend", "Test(2): Buddy: component Nobody not found"},
        {"object F: TSampleForm\n  ReadOnlyCount = 3\nend", "Test(2): ReadOnlyCount: property is read-only"},
        {"object F: TSampleForm\n  Caption = 'abc\nend", "Test(2): : unterminated string"},
        {"object F: TSampleForm\n  Width = 3\n", "F: 'end' expected"},
        {"object F: TSampleControl\nend", "Test(1): F: the design is for TSampleControl, not TSampleForm"},
        {"object F: TSampleForm\n  Data = { 0A1 }\nend", "Test(2): Data: odd number of hex digits"},
        {"object F: TSampleForm\n  Data = { @file \"x\" }\nend", "run designpack"},
        {"object F: TSampleForm\n  Nothing = { 00 }\nend", "Test(2): Nothing: unknown property"},
        {"object F: TSampleForm\n  BorderIcons = [siHelp siMinimize]\nend", "Test(2): BorderIcons: ',' or ']' expected"},
        {"object F: TSampleForm\n  object A: TSampleControl\n  end\n  object A: TSampleControl\n  end\nend",
         "Test(4): A: A component named A already exists"},
    };
    for (const TCase& C : Cases) {
        TSampleForm Form(nullptr);
        try {
            ReadComponentText(C.Text, &Form, "Test");
            ADD_FAILURE() << "no error for: " << C.Text;
        } catch (const EDesignError& E) {
            EXPECT_NE(E.Message().find(C.Expected), std::string::npos) << E.Message();
            EXPECT_FALSE(Form.ComponentState().Contains(csLoading));
        }
    }
}

TEST(DesignErrors, BinaryBlockOver64MiBIsRefused)
{
    std::string Text = "object F: TSampleForm\n  Data = {";
    Text.append(size_t(64) * 1024 * 1024 * 2 + 2, 'A');
    Text += "}\nend\n";
    TSampleForm Form(nullptr);
    try {
        ReadComponentText(Text, &Form, "Big");
        FAIL() << "accepted";
    } catch (const EDesignError& E) {
        EXPECT_NE(E.Message().find("larger than 64 MiB"), std::string::npos) << E.Message();
    }
    EXPECT_FALSE(Form.FHasData);
}

namespace {
// A component whose Loaded fails, as a skin component with a broken skin might.
class TFailingLoad : public TSampleControl {
    PANTREL_CLASS(TFailingLoad, TSampleControl)
    explicit TFailingLoad(TComponent* AOwner) : TSampleControl(AOwner) {}
    void Loaded() override
    {
        inherited::Loaded();
        throw EInvalidOperation("cannot load");
    }
};
PANTREL_REGISTER(TFailingLoad, TSampleControl)
} // namespace

TEST(DesignErrors, FailingLoadedLeavesNoComponentLoading)
{
    TSampleForm Form(nullptr);
    EXPECT_THROW(ReadComponentText("object F: TSampleForm\n  object A: TSampleControl\n  end\n"
                                   "  object B: TFailingLoad\n  end\n  object C: TSampleControl\n  end\nend",
                                   &Form, "Fail"),
                 EInvalidOperation);
    ASSERT_EQ(Form.ComponentCount(), 3);
    for (int I = 0; I < Form.ComponentCount(); ++I)
        EXPECT_TRUE(Form.Components(I)->ComponentState().Empty()) << I;
    EXPECT_TRUE(Form.ComponentState().Empty());
}

// Every prefix of a valid design either reads or fails with EDesignError, never anything worse.
TEST(DesignErrors, TruncatedDesignsFailCleanly)
{
    std::string Text = FullDesign;
    for (size_t N = 0; N < Text.size(); ++N) {
        TSampleForm Form(nullptr);
        try {
            ReadComponentText(Text.substr(0, N), &Form, "Cut");
        } catch (const EDesignError&) {
        }
    }
}
