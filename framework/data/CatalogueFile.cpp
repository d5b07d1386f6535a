#include "framework/data/CatalogueFile.h"

#include <sqlite3.h>

int CreateCatalogue(sqlite3* Db, const std::string& Password)
{
    // The per-category lookup and the recipe-name lookups each get an index.
    int Rc = sqlite3_exec(Db,
            u8"CREATE TABLE 饮食 (类别 TEXT, 菜谱 TEXT, 配料 TEXT, 方法 TEXT, 图片 TEXT, 提示 TEXT);"
            u8"CREATE INDEX 饮食_类别 ON 饮食 (类别);"
            u8"CREATE INDEX 饮食_菜谱 ON 饮食 (菜谱);"
            "CREATE TABLE MSysAccess (Password TEXT NOT NULL);",
            nullptr, nullptr, nullptr);
    if (Rc != SQLITE_OK)
        return Rc;
    sqlite3_stmt* Stmt = nullptr;
    Rc = sqlite3_prepare_v2(Db, "INSERT INTO MSysAccess (Password) VALUES (?)", -1, &Stmt, nullptr);
    if (Rc == SQLITE_OK) {
        sqlite3_bind_text(Stmt, 1, Password.data(), int(Password.size()), SQLITE_TRANSIENT);
        Rc = sqlite3_step(Stmt);
        if (Rc == SQLITE_DONE)
            Rc = SQLITE_OK;
    }
    sqlite3_finalize(Stmt);
    return Rc;
}

TAccessCheck CheckAccessPassword(sqlite3* Db, const std::string& Password)
{
    sqlite3_stmt* Stmt = nullptr;
    int Rc = sqlite3_prepare_v2(Db, "SELECT Password FROM MSysAccess", -1, &Stmt, nullptr);
    if (Rc != SQLITE_OK) {
        sqlite3_finalize(Stmt);
        // An unknown table means a real database that is not ours; anything else (NOTADB, a
        // damaged header, an I/O error) means the file cannot be used as a database.
        return Rc == SQLITE_ERROR ? acNotCatalogue : acNotDatabase;
    }
    TAccessCheck Result = acNotCatalogue;
    Rc = sqlite3_step(Stmt);
    if (Rc == SQLITE_ROW) {
        const char* Text = reinterpret_cast<const char*>(sqlite3_column_text(Stmt, 0));
        std::string Recorded(Text ? Text : "", size_t(sqlite3_column_bytes(Stmt, 0)));
        Result = Recorded == Password ? acGranted : acWrongPassword;
    } else if (Rc != SQLITE_DONE) {
        Result = acNotDatabase;
    }
    sqlite3_finalize(Stmt);
    return Result;
}
