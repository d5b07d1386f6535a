// Times the catalogue's data layer on generated catalogues of 1,000, 10,000 and 100,000
// recipes (20 per category): (a) building the recipe tree the way the main window does,
// (b) looking up one recipe by name and category, (c) appending one recipe through the
// add dialog's statement. Times are wall-clock, with the process's CPU time beside the tree
// times, which stays meaningful on a busy machine. Run from any folder:
//   data_benchmark [scratch-dir]
#include "framework/core/CodePage.h"
#include "framework/data/ADOConnection.h"
#include "framework/data/ADOQuery.h"
#include "framework/data/CatalogueFile.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <time.h>

namespace {

using TClock = std::chrono::steady_clock;

double Ms(TClock::duration D) { return std::chrono::duration<double, std::milli>(D).count(); }

double CpuMs()
{
    timespec T;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &T);
    return T.tv_sec * 1e3 + T.tv_nsec / 1e6;
}

// Names in UTF-8, as the file holds them.
std::string Category(int i) { return u8"类别" + std::to_string(i); }
std::string Recipe(int i) { return u8"菜谱第" + std::to_string(i) + u8"号"; }

void MakeCatalogue(const std::string& File, int Recipes, int Categories)
{
    std::filesystem::remove(File);
    sqlite3* Db = nullptr;
    sqlite3_open_v2(File.c_str(), &Db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    sqlite3_exec(Db, "BEGIN", nullptr, nullptr, nullptr);
    CreateCatalogue(Db, "pw7Kd2Qx9Lm4Rt");
    sqlite3_stmt* Insert = nullptr;
    sqlite3_prepare_v2(Db, u8"INSERT INTO 饮食 VALUES (?, ?, ?, ?, ?, ?)", -1, &Insert, nullptr);
    const std::string Ingredients = u8"嫩豆腐 1块（约400克）\r\n牛肉末 100克\r\n郫县豆瓣酱 1汤匙\r\n蒜末、姜末 各1茶匙";
    std::string Method;
    for (int k = 1; k <= 6; ++k)
        Method += std::to_string(k) + u8". 锅中放油烧热，下牛肉末炒散，炒到酥香出油，再加入调料小火炒出红油。\r\n";
    const std::string Tips = u8"豆腐焯水可以去掉豆腥味，也不容易碎。";
    for (int i = 0; i < Recipes; ++i) {
        // Categories interleave, so one category's rows lie all over the file.
        const std::string Fields[] = {Category(i % Categories), Recipe(i), Ingredients, Method,
                                      u8"\\pic\\dish" + std::to_string(i % 40) + ".jpg", Tips};
        for (int f = 0; f < 6; ++f)
            sqlite3_bind_text(Insert, f + 1, Fields[f].data(), int(Fields[f].size()), SQLITE_TRANSIENT);
        sqlite3_step(Insert);
        sqlite3_reset(Insert);
    }
    sqlite3_finalize(Insert);
    sqlite3_exec(Db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(Db);
}

void Issue(TADOQuery& Q, const std::string& Statement)
{
    Q.Close();
    Q.SQL()->Clear();
    Q.SQL()->Add(Statement);
    Q.Open();
}

struct TTimes { double Tree, TreeCpu, Lookup, Append; int Nodes; };

TTimes Measure(int Recipes, int Categories)
{
    MakeCatalogue("Dorvanet.mdb", Recipes, Categories);
    TComponent Owner(nullptr);
    TADOConnection* Connection = new TADOConnection(&Owner);
    Connection->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=Dorvanet.mdb;"
                                    "Persist Security Info=False;Jet OLEDB:Database Password=pw7Kd2Qx9Lm4Rt");
    TADOQuery* Q[4];
    for (auto& q : Q) {
        q = new TADOQuery(&Owner);
        q->SetConnection(Connection);
    }
    Connection->Open();
    TTimes T{};

    // (a) the tree: the category list, then the recipes of every category, reading every name.
    const int TreeRuns = 5;
    double Best = 1e30, BestCpu = 1e30;
    for (int Run = 0; Run < TreeRuns; ++Run) {
        auto Start = TClock::now();
        double StartCpu = CpuMs();
        int Nodes = 0;
        Issue(*Q[0], "SELECT  distinct 类别 FROM 饮食");
        int N = Q[0]->RecordCount();
        for (int i = 0; i < N; ++i) {
            std::string Cat = Q[0]->FieldByName("类别")->Value().AsString();
            Issue(*Q[1], "select  *  from 饮食 where 类别=\"" + Cat + "\"");
            int M = Q[1]->RecordCount();
            for (int k = 0; k < M; ++k) {
                Nodes += !Q[1]->FieldByName("菜谱")->Value().AsString().empty();
                Q[1]->Next();
            }
            Q[0]->Next();
        }
        Best = std::min(Best, Ms(TClock::now() - Start));
        BestCpu = std::min(BestCpu, CpuMs() - StartCpu);
        T.Nodes = Nodes;
    }
    T.Tree = Best;
    T.TreeCpu = BestCpu;

    // (b) one recipe by name and category, reading the four shown fields.
    const int Lookups = 200;
    auto Start = TClock::now();
    for (int i = 0; i < Lookups; ++i) {
        int r = (i * 7919) % Recipes;
        Issue(*Q[2], "select  *  from 饮食 where 菜谱=\"" + Utf8ToGbk(Recipe(r)) + "\"and 类别=\"" +
                         Utf8ToGbk(Category(r % Categories)) + "\"");
        for (const char* F : {"配料", "方法", "图片", "提示"})
            Q[2]->FieldByName(F)->Value().AsString();
    }
    T.Lookup = Ms(TClock::now() - Start) / Lookups;

    // (c) one append: open the whole table, start a row, set the six fields, post (one commit each).
    const int Appends = 50;
    Start = TClock::now();
    for (int i = 0; i < Appends; ++i) {
        Issue(*Q[3], "SELECT  * FROM 饮食");
        Q[3]->Append();
        Q[3]->FieldByName("类别")->SetAsString("新类别");
        Q[3]->FieldByName("菜谱")->SetAsString("新菜谱" + std::to_string(i));
        Q[3]->FieldByName("配料")->SetAsString("配料");
        Q[3]->FieldByName("方法")->SetAsString("方法\r\n第二步");
        Q[3]->FieldByName("图片")->SetAsString("\\pic\\new.jpg");
        Q[3]->FieldByName("提示")->SetAsString("无");
        Q[3]->Post();
    }
    T.Append = Ms(TClock::now() - Start) / Appends;
    return T;
}

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::path Dir = argc > 1 ? std::filesystem::path(argv[1])
                                         : std::filesystem::temp_directory_path() / "pantrel-data-benchmark";
    std::filesystem::create_directories(Dir);
    std::filesystem::current_path(Dir);
    const int Sizes[][2] = {{1000, 50}, {10000, 500}, {100000, 5000}};
    TTimes Results[3];
    std::printf("%9s %10s | %12s %8s %11s | %10s | %13s\n", "recipes", "categories", "(a) tree ms", "cpu ms",
                "per recipe", "(b) find ms", "(c) append ms");
    for (int i = 0; i < 3; ++i) {
        Results[i] = Measure(Sizes[i][0], Sizes[i][1]);
        const TTimes& T = Results[i];
        std::printf("%9d %10d | %12.2f %8.2f %9.2fus | %10.3f | %13.3f  (%d names read)\n", Sizes[i][0], Sizes[i][1],
                    T.Tree, T.TreeCpu, T.Tree * 1000 / Sizes[i][0], T.Lookup, T.Append, T.Nodes);
    }
    std::printf("growth 1k -> 100k: tree x%.1f (rows x100), find x%.2f, append x%.2f\n", Results[2].Tree / Results[0].Tree,
                Results[2].Lookup / Results[0].Lookup, Results[2].Append / Results[0].Append);
    std::filesystem::remove(Dir / "Dorvanet.mdb");
    return 0;
}
