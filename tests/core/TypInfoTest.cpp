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
