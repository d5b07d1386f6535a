// The statements the recipe windows build, run against a real catalogue with values that
// try to end their literals early, and the rules for storing a chosen picture's path.
#include "app/PicturePath.h"
#include "app/Statements.h"
#include "framework/core/CodePage.h"
#include "tests/data/CatalogueFixture.h"

#include <gtest/gtest.h>

class RecipeStatementsTest : public CatalogueTest {};

TEST_F(RecipeStatementsTest, ValuesWithQuotesFindExactlyTheirOwnRows)
{
    MakeCatalogue({
        {u8"川菜", u8"麻婆豆腐", u8"豆腐", u8"烧", u8"\\pic\\a.jpg", u8"无"},
        {u8"家常菜", u8"麻婆豆腐", u8"豆腐二", u8"炖", u8"\\pic\\b.jpg", u8"无"},
        {u8"他说\"好\"", u8"\"\" or 1=1 --", u8"x", u8"y", u8"\\pic\\c.jpg", u8"无"},
        {u8"汤羹", u8"名\"and 类别=\"汤羹", u8"q", u8"r", u8"\\pic\\d.jpg", u8"无"},
    });
    TADOQuery Query(&FOwner);
    Query.SetConnection(FConnection);

    // The same name in two categories: the recipe statement tells them apart.
    Issue(Query, RecipeSql(Utf8ToGbk(u8"麻婆豆腐"), Utf8ToGbk(u8"家常菜")));
    EXPECT_EQ(Query.RecordCount(), 1);
    EXPECT_EQ(GbkToUtf8(Text(Query, "配料")), u8"豆腐二");

    Issue(Query, CategoryRecipesSql(Utf8ToGbk(u8"他说\"好\"")));
    ASSERT_EQ(Query.RecordCount(), 1);
    EXPECT_EQ(GbkToUtf8(Text(Query, "菜谱")), u8"\"\" or 1=1 --");

    Issue(Query, RecipeByNameSql(Utf8ToGbk(u8"\"\" or 1=1 --")));
    EXPECT_EQ(Query.RecordCount(), 1);
    Issue(Query, RecipeByNameSql(Utf8ToGbk(u8"名\"and 类别=\"汤羹")));
    EXPECT_EQ(Query.RecordCount(), 1);
    Issue(Query, RecipeSql(Utf8ToGbk(u8"名\"and 类别=\"汤羹"), Utf8ToGbk(u8"汤羹")));
    EXPECT_EQ(Query.RecordCount(), 1);
    Issue(Query, RecipeByNameSql(Utf8ToGbk(u8"名")));
    EXPECT_EQ(Query.RecordCount(), 0);

    Issue(Query, CategoryListSql());
    EXPECT_EQ(Query.RecordCount(), 4);
    Issue(Query, DialogCategoryListSql());
    EXPECT_EQ(Query.RecordCount(), 4);
    Issue(Query, AllRecipesSql());
    EXPECT_EQ(Query.RecordCount(), 4);
}

TEST_F(RecipeStatementsTest, AnAppendedRowWithQuotesIsFoundByItsName)
{
    MakeCatalogue({});
    TADOQuery Appender(&FOwner), Finder(&FOwner);
    Appender.SetConnection(FConnection);
    Finder.SetConnection(FConnection);
    const std::string Name = Utf8ToGbk(u8"\"老\"干妈炒饭");
    Issue(Appender, AppendSql());
    Appender.Append();
    for (const char* Field : {"类别", "配料", "方法", "图片", "提示"})
        Appender.FieldByName(Field)->SetAsString("x");
    Appender.FieldByName("菜谱")->SetAsString(Name);
    Appender.Post();
    Issue(Finder, RecipeByNameSql(Name));
    ASSERT_EQ(Finder.RecordCount(), 1);
    EXPECT_EQ(Text(Finder, "菜谱"), Name);
}

TEST(PicturePathTest, StoredFromTheFoldersBackslashAndLeadingBackToTheFile)
{
    const std::string Dir = "C:\\Cook\\";
    TStoredPicture S = StorePicturePath(Dir, "C:\\Cook\\pic\\fish.jpg");
    ASSERT_TRUE(S.Accepted);
    EXPECT_EQ(S.Value, "\\pic\\fish.jpg");
    EXPECT_EQ(PictureFileName(Dir, S.Value), "C:\\Cook\\\\pic\\fish.jpg");

    // Letters in another case are the same folder on Windows.
    EXPECT_EQ(StorePicturePath(Dir, "c:\\COOK\\a.bmp").Value, "\\a.bmp");

    // Exactly 40 bytes is kept, 41 refused; a Chinese character counts two.
    const std::string Forty = "\\pic\\" + std::string(31, 'x') + ".jpg";
    ASSERT_EQ(Forty.size(), 40u);
    EXPECT_TRUE(StorePicturePath(Dir, "C:\\Cook" + Forty).Accepted);
    TStoredPicture Long = StorePicturePath(Dir, "C:\\Cook\\pic\\" + std::string(32, 'x') + ".jpg");
    EXPECT_FALSE(Long.Accepted);
    EXPECT_FALSE(Long.Reason.empty());
    const std::string Dish = Utf8ToGbk(u8"鱼");
    EXPECT_TRUE(StorePicturePath(Dir, "C:\\Cook\\pic\\" + std::string(29, 'x') + Dish + ".jpg").Accepted);
    EXPECT_FALSE(StorePicturePath(Dir, "C:\\Cook\\pic\\" + std::string(30, 'x') + Dish + ".jpg").Accepted);
}

TEST(PicturePathTest, PicturesOutsideTheFolderAreRefused)
{
    const std::string Dir = "C:\\Cook\\";
    for (const std::string& Outside : {std::string("D:\\pic\\fish.jpg"), std::string("C:\\Cookbook\\fish.jpg"),
                                       std::string("C:\\Cook"), std::string("C:\\Cook\\"),
                                       std::string("C:\\Cook\\..\\fish.jpg"), std::string("C:\\Cook\\pic\\..\\..\\a.jpg")}) {
        TStoredPicture S = StorePicturePath(Dir, Outside);
        EXPECT_FALSE(S.Accepted) << Outside;
        EXPECT_FALSE(S.Reason.empty()) << Outside;
    }
    // Double-byte characters are compared whole, also when their trail byte is a backslash
    // or a letter (no case folding inside a character).
    const std::string Folder = Utf8ToGbk(u8"C:\\菜谱\\");
    EXPECT_TRUE(StorePicturePath(Folder, Utf8ToGbk(u8"C:\\菜谱\\pic\\a.jpg")).Accepted);
    const std::string FolderWithTrail = std::string("C:\\") + "\x81\x5C" + "\\";
    EXPECT_TRUE(StorePicturePath(FolderWithTrail, FolderWithTrail + "a.jpg").Accepted);
    EXPECT_FALSE(StorePicturePath(FolderWithTrail, std::string("C:\\") + "\x81\x7C" + "\\a.jpg").Accepted);
    const std::string LetterTrail = std::string("C:\\") + "\x81\x41" + "\\";   // trail byte 'A'
    EXPECT_FALSE(StorePicturePath(LetterTrail, std::string("C:\\") + "\x81\x61" + "\\a.jpg").Accepted);
}
