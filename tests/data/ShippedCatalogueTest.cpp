// The catalogue the build ships beside Pantrel.exe, read through the data layer the way the
// main window reads it: every row it shows has its texts and a picture file that exists.
#include "framework/core/CodePage.h"
#include "framework/data/ADOConnection.h"
#include "framework/data/ADOQuery.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace {

void Issue(TADOQuery& Q, const std::string& Statement)
{
    Q.Close();
    Q.SQL()->Clear();
    Q.SQL()->Add(Statement);
    Q.Open();
}

std::string Text(TADOQuery& Q, const char* Field) { return Q.FieldByName(Field)->Value().AsString(); }

} // namespace

TEST(ShippedCatalogue, EveryRecipeHasItsTextsAndItsPicture)
{
    const std::filesystem::path AppDir = PANTREL_APP_DIR;
    const std::filesystem::path OldDir = std::filesystem::current_path();
    std::filesystem::current_path(AppDir);
    TComponent Owner(nullptr);
    auto* Connection = new TADOConnection(&Owner);
    Connection->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=Dorvanet.mdb;Persist Security "
                                    "Info=False;Jet OLEDB:Database Password=pw7Kd2Qx9Lm4Rt");
    TADOQuery& Categories = *new TADOQuery(&Owner);
    TADOQuery& Recipes = *new TADOQuery(&Owner);
    Categories.SetConnection(Connection);
    Recipes.SetConnection(Connection);

    Issue(Categories, "SELECT  distinct 类别 FROM 饮食");
    EXPECT_GE(Categories.RecordCount(), 6);
    std::set<std::string> Names, Pictures;
    for (; !Categories.Eof(); Categories.Next()) {
        std::string Category = Text(Categories, "类别");
        Issue(Recipes, "select  *  from 饮食 where 类别=\"" + Category + "\"");
        EXPECT_GE(Recipes.RecordCount(), 5) << GbkToUtf8(Category);
        for (; !Recipes.Eof(); Recipes.Next()) {
            std::string Name = Text(Recipes, "菜谱");
            SCOPED_TRACE(GbkToUtf8(Name));
            EXPECT_TRUE(Names.insert(Name).second);
            EXPECT_FALSE(Text(Recipes, "配料").empty());
            EXPECT_NE(Text(Recipes, "方法").find("\r\n"), std::string::npos);
            EXPECT_FALSE(Text(Recipes, "提示").empty());
            std::string Picture = Text(Recipes, "图片");
            EXPECT_LE(Picture.size(), 40u);
            ASSERT_EQ(Picture.rfind("\\pic\\", 0), 0u);
            EXPECT_TRUE(Pictures.insert(Picture).second);
            std::ifstream File(AppDir / "pic" / Picture.substr(5), std::ios::binary);
            unsigned char Magic[3] = {};
            File.read(reinterpret_cast<char*>(Magic), 3);
            EXPECT_TRUE(Magic[0] == 0xFF && Magic[1] == 0xD8 && Magic[2] == 0xFF) << GbkToUtf8(Picture);
        }
    }
    EXPECT_GE(Names.size(), 30u);
    Owner.DestroyComponents();
    std::filesystem::current_path(OldDir);
}
