// Colour texts and bitmap names of skin descriptions.
#include <gtest/gtest.h>

#include "skin/data/SkinText.h"

TEST(SkinText, ColourTexts)
{
    EXPECT_EQ(TSkinText::StrToColour("255,128,0"), 0x0080FFu);
    EXPECT_EQ(TSkinText::StrToColour("  10 -- 20 ;; 30\t"), 10u | 20u << 8 | 30u << 16);
    EXPECT_EQ(TSkinText::StrToColour("1 2 3 4"), 1u | 2u << 8 | 3u << 16);
    EXPECT_EQ(TSkinText::StrToColour("1 2"), 1u);  // B comes from the end only after R and G
    EXPECT_EQ(TSkinText::StrToColour("1 2,"), 1u | 2u << 8);
    EXPECT_EQ(TSkinText::StrToColour("7 99999999999 5"), 7u);  // too large: the parse ends
    EXPECT_EQ(TSkinText::StrToColour("7 8 99999999999"), 7u | 8u << 8);
    EXPECT_EQ(TSkinText::StrToColour("rgb"), 0u);
}

TEST(SkinText, BitmapNames)
{
    EXPECT_EQ(TSkinText::BitmapEntryName("Skins\\Sub\\MixedCase.bmp"), "MixedCase.bmp");
    EXPECT_EQ(TSkinText::BitmapEntryName("C:left.bmp"), "left.bmp");
    EXPECT_EQ(TSkinText::BitmapEntryName("left.BMP"), "");
    EXPECT_EQ(TSkinText::BitmapEntryName("left.bmp.png"), "");
    EXPECT_EQ(TSkinText::BitmapEntryName("dir\\"), "");
    EXPECT_EQ(TSkinText::BitmapEntryName(""), "");
    // A double-byte name whose trail byte is a backslash stays whole.
    EXPECT_EQ(TSkinText::BitmapEntryName("\xB1\x5C.bmp"), "\xB1\x5C.bmp");
}
