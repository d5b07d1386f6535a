#include "tests/data/CatalogueFixture.h"

#include "framework/data/CatalogueFile.h"

#include <sqlite3.h>

#include <atomic>
#include <chrono>

const char* const CataloguePassword = "pw7Kd2Qx9Lm4Rt";
const char* const CatalogueConnection =
    "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=Dorvanet.mdb;Persist Security Info=False;"
    "Jet OLEDB:Database Password=pw7Kd2Qx9Lm4Rt";

void CatalogueTest::SetUp()
{
    static std::atomic<int> Serial{0};
    auto Stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    FDir = std::filesystem::temp_directory_path() /
           ("pantrel-data-" + std::to_string(Stamp) + "-" + std::to_string(Serial++));
    std::filesystem::create_directories(FDir);
    FOldDir = std::filesystem::current_path();
    std::filesystem::current_path(FDir);
    FConnection = new TADOConnection(&FOwner);
    FConnection->SetName("ADOConnect");
    FConnection->SetConnectionString(CatalogueConnection);
    FConnection->SetLoginPrompt(false);
}

void CatalogueTest::TearDown()
{
    FOwner.DestroyComponents();
    std::filesystem::current_path(FOldDir);
    std::error_code Ignored;
    std::filesystem::permissions(FDir / "Dorvanet.mdb", std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, Ignored);
    std::filesystem::remove_all(FDir, Ignored);
}

void CatalogueTest::MakeCatalogue(const std::vector<TRecipeRow>& Rows, const std::string& Password)
{
    sqlite3* Db = nullptr;
    ASSERT_EQ(sqlite3_open_v2("Dorvanet.mdb", &Db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(Db, "BEGIN", nullptr, nullptr, nullptr), SQLITE_OK);
    ASSERT_EQ(CreateCatalogue(Db, Password), SQLITE_OK);
    sqlite3_stmt* Insert = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(Db, u8"INSERT INTO 饮食 VALUES (?, ?, ?, ?, ?, ?)", -1, &Insert, nullptr), SQLITE_OK);
    for (const TRecipeRow& R : Rows) {
        const std::string* Fields[] = {&R.Category, &R.Name, &R.Ingredients, &R.Method, &R.Picture, &R.Tips};
        for (int i = 0; i < 6; ++i)
            sqlite3_bind_text(Insert, i + 1, Fields[i]->data(), int(Fields[i]->size()), SQLITE_TRANSIENT);
        ASSERT_EQ(sqlite3_step(Insert), SQLITE_DONE);
        sqlite3_reset(Insert);
    }
    sqlite3_finalize(Insert);
    ASSERT_EQ(sqlite3_exec(Db, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(Db);
}

std::vector<std::string> CatalogueTest::Direct(const std::string& Sql)
{
    std::vector<std::string> Out;
    sqlite3* Db = nullptr;
    sqlite3_open_v2("Dorvanet.mdb", &Db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* Stmt = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(Db, Sql.c_str(), -1, &Stmt, nullptr), SQLITE_OK) << Sql;
    while (Stmt && sqlite3_step(Stmt) == SQLITE_ROW) {
        const char* Text = reinterpret_cast<const char*>(sqlite3_column_text(Stmt, 0));
        Out.push_back(Text ? Text : "(null)");
    }
    sqlite3_finalize(Stmt);
    sqlite3_close(Db);
    return Out;
}

void CatalogueTest::Issue(TADOQuery& Query, const std::string& Statement)
{
    Query.Close();
    Query.SQL()->Clear();
    Query.SQL()->Add(Statement);
    Query.Open();
}

std::string CatalogueTest::Text(TADOQuery& Query, const std::string& Field)
{
    return Query.FieldByName(Field)->Value().AsString();
}

std::string Quoted(const std::string& Value)
{
    std::string Out = "\"";
    for (char c : Value) {
        if (c == '"')
            Out += '"';
        Out += c;
    }
    return Out + "\"";
}
