#include "tests/core/Sample.h"

#include <gtest/gtest.h>

TEST(TypInfo, PropertiesOfEveryKindByName)
{
    TSampleControl C(nullptr);
    SetPropValue(&C, "width", "120");
    SetPropValue(&C, "Visible", "false");
    SetPropValue(&C, "Align", "saClient");
    SetPropValue(&C, "BorderIcons", "[siSystemMenu, siHelp]");
    SetPropValue(&C, "Color", "clRed");
    SetPropValue(&C, "Caption", "abc");
    SetPropValue(&C, "Font.Name", "SimSun");
    SetPropValue(&C, "Lines", "a\r\nb");
    EXPECT_EQ(C.Width(), 120);
    EXPECT_FALSE(C.Visible());
    EXPECT_EQ(C.Align(), saClient);
    EXPECT_EQ(C.Icons(), (TSampleIcons{siSystemMenu, siHelp}));
    EXPECT_EQ(GetPropValue(&C, "BorderIcons"), "[siSystemMenu,siHelp]");
    EXPECT_EQ(GetPropValue(&C, "Color"), "clRed");
    EXPECT_EQ(GetPropValue(&C, "Font.Name"), "SimSun");
    EXPECT_EQ(C.Lines()->Count(), 2);
    EXPECT_EQ(PropType(&C, "OnClick"), tkMethod);
    EXPECT_EQ(PropType(&C, "Tag"), tkInteger);
    EXPECT_EQ(C.ClassName(), "TSampleControl");
}

TEST(TypInfo, SetEnumPropByNameOnlyForEnumerationsAndBooleans)
{
    TSampleControl C(nullptr);
    EXPECT_TRUE(SetEnumPropByName(&C, "Visible", "False"));
    EXPECT_FALSE(C.Visible());
    EXPECT_TRUE(SetEnumPropByName(&C, "align", "saTop"));
    EXPECT_EQ(C.Align(), saTop);
    EXPECT_FALSE(SetEnumPropByName(&C, "Align", "saNowhere"));
    EXPECT_EQ(C.Align(), saTop);
    EXPECT_FALSE(SetEnumPropByName(&C, "Width", "1"));
    EXPECT_FALSE(SetEnumPropByName(&C, "Caption", "True"));
    EXPECT_FALSE(SetEnumPropByName(&C, "Flat", "True"));
    EXPECT_FALSE(SetEnumPropByName(nullptr, "Flat", "True"));
}

TEST(TypInfo, ReferencesEventsAndFaultsThroughText)
{
    TSampleForm Form(nullptr);
    Form.SetName("Form1");
    auto* A = new TSampleControl(&Form);
    A->SetName("A");
    auto* Plain = new TComponent(&Form);
    Plain->SetName("Plain");

    SetPropValue(A, "Buddy", "Form1");
    EXPECT_EQ(A->Buddy(), &Form);
    EXPECT_THROW(SetPropValue(A, "Buddy", "Plain"), EPropertyError);   // not a TSampleControl
    EXPECT_EQ(A->Buddy(), &Form);
    SetPropValue(A, "Buddy", "");
    EXPECT_EQ(A->Buddy(), nullptr);

    SetPropValue(A, "OnClick", "ButtonClick");
    A->FOnClick(A);
    EXPECT_EQ(Form.Clicks, 1);
    EXPECT_EQ(GetPropValue(A, "OnClick"), "ButtonClick");
    EXPECT_THROW(SetPropValue(A, "OnClick", "ListChange"), EPropertyError);

    EXPECT_THROW(SetPropValue(A, "ReadOnlyCount", "1"), EPropertyError);
    EXPECT_THROW(SetPropValue(A, "Nope", "1"), EPropertyError);
    EXPECT_THROW(SetPropValue(A, "Width", "12x"), EPropertyError);
    EXPECT_THROW(SetPropValue(A, "BorderIcons", "[siHelp,siNone]"), EPropertyError);
    EXPECT_EQ(GetOrdProp(A, "ReadOnlyCount"), 7);
    // A referenced component that goes away is cleared through Notification.
    SetPropValue(&Form, "Buddy", "A");
    delete A;
    EXPECT_EQ(Form.Buddy(), nullptr);
}
