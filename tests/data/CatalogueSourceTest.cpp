// The catalogue source the build reads: blocks joined with CR LF, and the rules every
// shipped row must keep (all six fields, a picture path of at most 40 bytes).
#include "tools/catalogue/CatalogueSource.h"
#include "tools/catalogue/DishPainter.h"

#include <gtest/gtest.h>

namespace {

const std::string Recipe = u8"@菜谱 拍黄瓜\n@类别 凉菜\n@图片 huanggua\n@配料\n黄瓜 2根\n\n蒜 4瓣\n\n"
                           u8"# a comment\n@方法\n1. 拍裂\n2. 拌匀\n@提示 尽快吃\n@画\nvessel plate\nchunks #4a8a3a 14 11\n";

std::string ParseError(const std::string& Text)
{
    TCatalogueSource Source;
    std::string Error;
    return Source.Parse(Text, Error) ? "parsed" : Error;
}

} // namespace

TEST(CatalogueSource, ReadsBlocksWithWindowsLineBreaks)
{
    TCatalogueSource Source;
    std::string Error;
    ASSERT_TRUE(Source.Parse(Recipe, Error)) << Error;
    ASSERT_EQ(Source.Recipes().size(), 1u);
    const TRecipeSource& R = Source.Recipes()[0];
    EXPECT_EQ(R.Name, u8"拍黄瓜");
    EXPECT_EQ(R.Ingredients, u8"黄瓜 2根\r\n\r\n蒜 4瓣");
    EXPECT_EQ(R.Method, u8"1. 拍裂\r\n2. 拌匀");
    EXPECT_EQ(R.Tips, u8"尽快吃");
    EXPECT_EQ(StoredPicturePath(R.Picture), "\\pic\\huanggua.jpg");
    std::string Mvg;
    EXPECT_TRUE(TDishPainter(R.Picture).Paint(R.Drawing, Mvg, Error)) << Error;
    EXPECT_FALSE(TDishPainter(R.Picture).Paint({"chunks #4a8a3a 14"}, Mvg, Error));
    EXPECT_FALSE(TDishPainter(R.Picture).Paint({"blobs #4a8a3a 14 11"}, Mvg, Error));
}

TEST(CatalogueSource, RefusesRowsTheProgramCouldNotShow)
{
    EXPECT_NE(ParseError(Recipe.substr(0, Recipe.find(u8"@提示"))), "parsed");           // no tips
    std::string Longest = Recipe, Long = Recipe;
    Longest.replace(Longest.find("huanggua"), 8, std::string(31, 'a'));                // 40 bytes
    EXPECT_EQ(ParseError(Longest), "parsed");
    Long.replace(Long.find("huanggua"), 8, std::string(32, 'a'));                      // 41 bytes
    EXPECT_NE(ParseError(Long), "parsed");
    EXPECT_NE(ParseError(Recipe + Recipe), "parsed");                                    // same name twice
    EXPECT_NE(ParseError(u8"@类别 凉菜\n"), "parsed");                                    // no recipe begun
    EXPECT_NE(ParseError(Recipe + u8"@价格 5\n"), "parsed");                               // unknown tag
    std::string Upper = Recipe;
    Upper.replace(Upper.find("huanggua"), 8, "Huang");
    EXPECT_NE(ParseError(Upper), "parsed");
}
