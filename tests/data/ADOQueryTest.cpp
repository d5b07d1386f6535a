#include "tests/data/CatalogueFixture.h"

#include "framework/core/Exception.h"
#include "framework/data/DataError.h"

#include <sqlite3.h>

#include <fstream>
#include <map>

namespace {

// The statement texts of the recipe windows, as they build them.
const std::string TreeCategories = "SELECT  distinct 类别 FROM 饮食";
std::string CategoryRecipes(const std::string& Category) { return "select  *  from 饮食 where 类别=" + Quoted(Category); }
const std::string AllRecipes = "select * from 饮食";
std::string RecipeInCategory(const std::string& Name, const std::string& Category)
{
    return "select  *  from 饮食 where 菜谱=" + Quoted(Name) + "and 类别=" + Quoted(Category);
}
const std::string AppendBase = "SELECT  * FROM 饮食";
std::string RecipeNamed(const std::string& Name) { return "select * from 饮食 where 菜谱=" + Quoted(Name); }
const std::string DialogCategories = "select distinct 类别 from 饮食";

std::vector<TRecipeRow> SampleRows()
{
    return {
        {u8"川菜", u8"麻婆豆腐", u8"豆腐\r\n牛肉末", u8"1. 切块\r\n2. 烧", u8"\\pic\\mapo.jpg", u8"要嫩"},
        {u8"粤菜", u8"白切鸡", u8"鸡", u8"浸熟", u8"\\pic\\baiqie.jpg", u8"过冰水"},
        {u8"川菜", u8"回锅肉", u8"五花肉", u8"煮后炒", u8"\\pic\\huiguo.jpg", u8"无"},
        {u8"粤菜", u8"麻婆豆腐", u8"粤式豆腐", u8"蒸", u8"\\pic\\yue.jpg", u8"别名"},
    };
}

} // namespace

class ADOQueryTest : public CatalogueTest {
protected:
    TADOQuery* NewQuery(const char* Name)
    {
        TADOQuery* Q = new TADOQuery(&FOwner);
        Q->SetName(Name);
        Q->SetConnection(FConnection);
        return Q;
    }
    // Appends through AppendBase the way the add-recipe dialog does.
    void AddRecipe(TADOQuery& Q, const std::string& Category, const std::string& Name, const std::string& Tips)
    {
        Issue(Q, AppendBase);
        Q.Append();
        Q.FieldByName("类别")->SetValue(Category);
        Q.FieldByName("菜谱")->SetValue(Name);
        Q.FieldByName("配料")->SetAsString("料");
        Q.FieldByName("方法")->SetAsString("做法第一行\r\n第二行");
        Q.FieldByName("图片")->SetAsString("\\pic\\new.jpg");
        Q.FieldByName("提示")->SetAsString(Tips);
        Q.Post();
    }
};

// The tree-building walk and the record lookups of the main window, then the add dialog.
TEST_F(ADOQueryTest, EveryStatementOfTheRecipeWindowsRunsAsWritten)
{
    MakeCatalogue(SampleRows());
    TADOQuery& Q1 = *NewQuery("ADOQuery1");
    TADOQuery& Q2 = *NewQuery("ADOQuery2");
    TADOQuery& Q3 = *NewQuery("ADOQuery3");
    EXPECT_FALSE(FConnection->Connected());

    Issue(Q1, TreeCategories);   // opens the connection
    EXPECT_TRUE(FConnection->Connected());
    std::map<std::string, std::vector<std::string>> Tree;
    int N = Q1.RecordCount();
    ASSERT_EQ(N, 2);
    for (int i = 0; i < N; ++i) {
        std::string Category = Text(Q1, "类别");
        Issue(Q2, CategoryRecipes(Category));
        int M = Q2.RecordCount();
        for (int k = 0; k < M; ++k) {
            Tree[Category].push_back(Text(Q2, "菜谱"));
            Q2.Next();
        }
        Q1.Next();
    }
    EXPECT_TRUE(Q1.Eof());
    EXPECT_EQ(Tree["川菜"], (std::vector<std::string>{"麻婆豆腐", "回锅肉"}));
    EXPECT_EQ(Tree["粤菜"], (std::vector<std::string>{"白切鸡", "麻婆豆腐"}));

    Issue(Q3, AllRecipes);
    EXPECT_EQ(Text(Q3, "配料"), "豆腐\r\n牛肉末");
    EXPECT_EQ(Text(Q3, "方法"), "1. 切块\r\n2. 烧");
    Issue(Q3, CategoryRecipes("粤菜"));   // a selected category node uses the same text
    EXPECT_EQ(Text(Q3, "图片"), "\\pic\\baiqie.jpg");
    Issue(Q3, RecipeInCategory("麻婆豆腐", "粤菜"));   // name and category together
    EXPECT_EQ(Text(Q3, "配料"), "粤式豆腐");
    EXPECT_EQ(Text(Q3, "提示"), "别名");

    TADOQuery& A1 = *NewQuery("AddQuery1");
    TADOQuery& A2 = *NewQuery("AddQuery2");
    TADOQuery& A3 = *NewQuery("AddQuery3");
    Issue(A3, DialogCategories);
    std::vector<std::string> Categories;
    for (; !A3.Eof(); A3.Next())
        Categories.push_back(Text(A3, "类别"));
    EXPECT_EQ(Categories.size(), 2u);
    Issue(A2, RecipeNamed("回锅肉"));
    EXPECT_EQ(Text(A2, "菜谱"), "回锅肉");
    Issue(A2, RecipeNamed("宫保鸡丁"));
    EXPECT_TRUE(A2.FieldByName("菜谱")->Value().IsNull());

    AddRecipe(A1, "家常菜", "宫保鸡丁", "无");
    EXPECT_EQ(Direct(u8"SELECT 类别 || '/' || 菜谱 || '/' || 方法 FROM 饮食 WHERE rowid = 5"),
              std::vector<std::string>{u8"家常菜/宫保鸡丁/做法第一行\r\n第二行"});
    Issue(A2, RecipeNamed("宫保鸡丁"));
    EXPECT_EQ(Text(A2, "菜谱"), "宫保鸡丁");
}

// Values reach the engine as text only: quotes, comment marks, semicolons and line breaks
// are stored and found again, and never change what a statement does.
TEST_F(ADOQueryTest, ValuesWithQuotesAndMarksAreStoredAndFoundExactly)
{
    MakeCatalogue(SampleRows());
    TADOQuery& Q = *NewQuery("ADOQuery1");
    TADOQuery& Find = *NewQuery("ADOQuery2");
    const std::string Names[] = {
        "老\"干妈\"炒饭", "it's \"\"", "a\" or \"1\"=\"1", "x'; DROP TABLE 饮食; --", "第一行\r\n第二行", "[名]",
    };
    for (const std::string& Name : Names) {
        AddRecipe(Q, Name, Name, "无");
        Issue(Find, RecipeNamed(Name));
        ASSERT_EQ(Find.RecordCount(), 1) << Name;
        EXPECT_EQ(Text(Find, "菜谱"), Name);
        Issue(Find, RecipeInCategory(Name, Name));
        EXPECT_EQ(Text(Find, "类别"), Name);
        Issue(Find, CategoryRecipes(Name));
        EXPECT_EQ(Find.RecordCount(), 1) << Name;
    }
    EXPECT_EQ(Direct(u8"SELECT count(*) FROM 饮食"), std::vector<std::string>{"10"});

    // Without doubling, the quote ends the literal early and the engine refuses the rest.
    EXPECT_THROW(Issue(Find, "select * from 饮食 where 菜谱=\"老\"干妈\"炒饭\""), EDatabaseError);
    EXPECT_FALSE(Find.Active());
}

TEST_F(ADOQueryTest, OpeningOnlyReadsAndTakesOneStatement)
{
    MakeCatalogue(SampleRows());
    TADOQuery& Q = *NewQuery("ADOQuery1");
    const std::vector<std::string> Refused = {
        "DELETE FROM 饮食", AllRecipes + "; DELETE FROM 饮食", "select * from 饮食 where 菜谱=\"x\"; DELETE FROM 饮食 --\"",
        "ATTACH 'x.db' AS x", "   ", "selec * from 饮食"};
    for (const std::string& Bad : Refused)
        EXPECT_THROW(Issue(Q, Bad), EDatabaseError) << Bad;
    EXPECT_EQ(Direct(u8"SELECT count(*) FROM 饮食"), std::vector<std::string>{"4"});
    EXPECT_FALSE(std::filesystem::exists("x.db"));
    Issue(Q, AllRecipes + ";  -- end\r\n");
    EXPECT_EQ(Q.RecordCount(), 4);
    try {
        Issue(Q, "select nosuch from 饮食");
        FAIL();
    } catch (const EDatabaseError& E) {
        EXPECT_NE(E.Message().find("nosuch"), std::string::npos) << E.Message();
    }
}

TEST_F(ADOQueryTest, NullsAndMissingRowsAndFields)
{
    MakeCatalogue(SampleRows());
    ASSERT_TRUE(Direct(u8"SELECT 1 FROM 饮食 LIMIT 0").empty());
    {
        sqlite3* Db = nullptr;
        sqlite3_open("Dorvanet.mdb", &Db);
        sqlite3_exec(Db, u8"INSERT INTO 饮食 (类别, 菜谱) VALUES ('空', '无提示')", nullptr, nullptr, nullptr);
        sqlite3_close(Db);
    }
    TADOQuery& Q = *NewQuery("ADOQuery3");
    Issue(Q, RecipeInCategory("无提示", "空"));
    EXPECT_EQ(Text(Q, "菜谱"), "无提示");
    EXPECT_TRUE(Q.FieldByName("提示")->IsNull());
    EXPECT_THROW(Text(Q, "提示"), EConvertError);

    Issue(Q, RecipeNamed("没有这道菜"));
    EXPECT_TRUE(Q.Eof());
    EXPECT_EQ(Q.RecordCount(), 0);
    EXPECT_TRUE(Q.FieldByName("配料")->Value().IsNull());
    EXPECT_THROW(Text(Q, "配料"), EConvertError);

    try {
        Q.FieldByName("价格");
        FAIL();
    } catch (const EDatabaseError& E) {
        EXPECT_EQ(E.Message(), "ADOQuery3: Field '价格' not found");
    }
    Q.Close();
    EXPECT_THROW(Q.FieldByName("配料"), EDatabaseError);
    EXPECT_THROW(Q.Append(), EDatabaseError);
}

TEST_F(ADOQueryTest, AppendedRowsAreSavedOnlyByPost)
{
    MakeCatalogue(SampleRows());
    TADOQuery& Q = *NewQuery("ADOQuery1");
    Issue(Q, AppendBase);
    EXPECT_THROW(Q.FieldByName("菜谱")->SetAsString("x"), EDatabaseError);   // not appending
    Q.Append();
    Q.FieldByName("菜谱")->SetAsString("取消的");
    EXPECT_EQ(Text(Q, "菜谱"), "取消的");
    Q.Cancel();
    EXPECT_EQ(Text(Q, "菜谱"), "麻婆豆腐");   // back on the row it was on
    Q.Append();
    Q.FieldByName("菜谱")->SetAsString("被替换的");
    Q.Append();   // a second Append drops the first row unsaved
    Q.FieldByName("菜谱")->SetAsString("关闭前的");
    Q.Close();
    EXPECT_EQ(Direct(u8"SELECT count(*) FROM 饮食"), std::vector<std::string>{"4"});
    EXPECT_THROW(Q.Post(), EDatabaseError);

    // A result of more than one table takes no rows.
    Issue(Q, "select 饮食.菜谱, Password from 饮食, MSysAccess");
    EXPECT_THROW(Q.Append(), EDatabaseError);
}

// Opening reads one row; the count is exact; the rows stay those of the moment of opening
// while rows are appended through other queries or through the query itself.
TEST_F(ADOQueryTest, LazyRowsExactCountAndAStableResult)
{
    std::vector<TRecipeRow> Rows;
    for (int i = 0; i < 10000; ++i)
        Rows.push_back({u8"类" + std::to_string(i % 7), u8"菜" + std::to_string(i), "a", "b", "c", "d"});
    MakeCatalogue(Rows);
    TADOQuery& Browse = *NewQuery("ADOQuery3");
    TADOQuery& Add = *NewQuery("ADOQuery1");
    Issue(Browse, AllRecipes);   // opens the connection

    int Stepped = 0;
    sqlite3_trace_v2(FConnection->Handle(), SQLITE_TRACE_ROW,
                     [](unsigned, void* Count, void*, void*) { ++*static_cast<int*>(Count); return 0; }, &Stepped);
    Issue(Browse, AllRecipes);
    EXPECT_EQ(Text(Browse, "菜谱"), "菜0");
    EXPECT_EQ(Stepped, 1);
    EXPECT_EQ(Browse.RecordCount(), 10000);
    EXPECT_LE(Stepped, 2);
    Issue(Add, AppendBase);
    EXPECT_LE(Stepped, 3);

    // Another query appends: the open result keeps its 10,000 rows.
    Browse.Next();
    AddRecipe(Add, "类0", "新菜", "无");
    EXPECT_EQ(Browse.RecordCount(), 10000);
    int Walked = 2;
    while (!Browse.Eof()) {
        Browse.Next();
        Walked += Browse.Eof() ? 0 : 1;
    }
    EXPECT_EQ(Walked, 10000);
    EXPECT_EQ(Text(Browse, "菜谱"), "菜9999");   // the last row stays current at the end

    // The query that appends shows its rows after the ones it had, each once.
    Issue(Add, AppendBase);
    EXPECT_EQ(Add.RecordCount(), 10001);
    Add.Append();
    Add.FieldByName("菜谱")->SetAsString("又一个");
    Add.Post();
    EXPECT_EQ(Text(Add, "菜谱"), "又一个");
    EXPECT_EQ(Add.RecordCount(), 10002);
    std::vector<std::string> Names;
    for (Add.First(); !Add.Eof(); Add.Next())
        Names.push_back(Text(Add, "菜谱"));
    ASSERT_EQ(Names.size(), 10002u);
    EXPECT_EQ(Names[10000], "新菜");
    EXPECT_EQ(Names[10001], "又一个");
    sqlite3_trace_v2(FConnection->Handle(), 0, nullptr, nullptr);
}

class ConnectionTest : public CatalogueTest {
protected:
    std::string OpenError()
    {
        try {
            FConnection->Open();
        } catch (const EDatabaseError& E) {
            EXPECT_FALSE(FConnection->Connected());
            return E.Message();
        }
        return "opened";
    }
};

TEST_F(ConnectionTest, OpensOnlyTheRightFileWithTheRightPassword)
{
    EXPECT_EQ(OpenError(), "Could not find file 'Dorvanet.mdb'.");
    EXPECT_FALSE(std::filesystem::exists("Dorvanet.mdb"));   // never created

    { std::ofstream("Dorvanet.mdb") << "Standard Jet DB, but not really a database file at all.........."; }
    EXPECT_EQ(OpenError(), "Unrecognized database format 'Dorvanet.mdb'.");
    std::filesystem::remove("Dorvanet.mdb");

    MakeCatalogue({}, "another password");
    EXPECT_EQ(OpenError(), "Not a valid password.");
    FConnection->SetConnectionString(
        "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=Dorvanet.mdb;Jet OLEDB:Database Password=another password");
    EXPECT_EQ(OpenError(), "opened");
    FConnection->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=Dorvanet.mdb");
    EXPECT_EQ(OpenError(), "Not a valid password.");
    FConnection->SetConnectionString("Provider=SQLOLEDB;Data Source=Dorvanet.mdb");
    EXPECT_EQ(OpenError(), "Provider cannot be found. It may not be properly installed.");

    // An SQLite file that records no password is no catalogue.
    std::filesystem::remove("Dorvanet.mdb");
    {
        sqlite3* Db = nullptr;
        sqlite3_open("Dorvanet.mdb", &Db);
        sqlite3_exec(Db, u8"CREATE TABLE 饮食 (类别 TEXT)", nullptr, nullptr, nullptr);
        sqlite3_close(Db);
    }
    FConnection->SetConnectionString(CatalogueConnection);
    EXPECT_EQ(OpenError(), "Unrecognized database format 'Dorvanet.mdb'.");

    // The file is looked for in the working directory only.
    std::filesystem::remove("Dorvanet.mdb");
    std::filesystem::create_directory("sub");
    std::filesystem::current_path("sub");
    MakeCatalogue({});
    std::filesystem::current_path("..");
    EXPECT_EQ(OpenError(), "Could not find file 'Dorvanet.mdb'.");
}

TEST_F(ConnectionTest, AReadOnlyFileIsReadButNeverWritten)
{
    MakeCatalogue(SampleRows());
    std::filesystem::permissions("Dorvanet.mdb", std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::group_read |
                                                     std::filesystem::perms::others_read);
    TADOQuery Q(&FOwner);
    Q.SetConnection(FConnection);
    Issue(Q, "SELECT  * FROM 饮食");
    EXPECT_EQ(Q.RecordCount(), 4);
    Q.Append();
    Q.FieldByName("菜谱")->SetAsString("写不进去");
    try {
        Q.Post();
        FAIL();
    } catch (const EDatabaseError& E) {
        EXPECT_EQ(E.Message(), "Cannot update. Database or object is read-only.");
    }
    EXPECT_EQ(Q.State(), dsInsert);   // the row stays for the caller to drop
    EXPECT_EQ(Direct(u8"SELECT count(*) FROM 饮食"), std::vector<std::string>{"4"});
}

TEST_F(ConnectionTest, ClosingTheConnectionClosesItsQueries)
{
    MakeCatalogue(SampleRows());
    TADOQuery* Q = new TADOQuery(&FOwner);
    Q->SetConnection(FConnection);
    Issue(*Q, "select * from 饮食");
    FConnection->Close();
    EXPECT_FALSE(Q->Active());
    Issue(*Q, "select * from 饮食");   // and the next open opens it again
    EXPECT_TRUE(FConnection->Connected());
    delete FConnection;
    FConnection = nullptr;
    EXPECT_FALSE(Q->Active());
    EXPECT_EQ(Q->Connection(), nullptr);
    EXPECT_THROW(Q->Open(), EDatabaseError);
}
