// Builds the shipped catalogue: reads the catalogue source, writes the SQLite file with the
// recorded access password, and writes one MVG drawing per recipe picture for ImageMagick.
//
//   catalogue_builder <source.txt> <password> <out.mdb> <drawing-dir>
#include "framework/data/CatalogueFile.h"
#include "tools/catalogue/CatalogueSource.h"
#include "tools/catalogue/DishPainter.h"

#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

bool Fail(const std::string& Message)
{
    std::cerr << "catalogue_builder: " << Message << "\n";
    return false;
}

bool WriteFile(const std::string& Path, const std::string& Text)
{
    std::ofstream Out(Path, std::ios::binary);
    Out << Text;
    return Out.good() || Fail("cannot write " + Path);
}

bool WriteDatabase(const TCatalogueSource& Source, const std::string& Password, const std::string& Path)
{
    // Built beside the target and moved into place, so a failed build leaves no half file.
    std::string Temp = Path + ".tmp";
    std::remove(Temp.c_str());
    sqlite3* Db = nullptr;
    if (sqlite3_open_v2(Temp.c_str(), &Db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close(Db);
        return Fail("cannot create " + Temp);
    }
    bool Ok = sqlite3_exec(Db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK &&
                        CreateCatalogue(Db, Password) == SQLITE_OK;
    sqlite3_stmt* Insert = nullptr;
    Ok = Ok && sqlite3_prepare_v2(Db, u8"INSERT INTO 饮食 (类别, 菜谱, 配料, 方法, 图片, 提示) VALUES (?, ?, ?, ?, ?, ?)",
                                                                -1, &Insert, nullptr) == SQLITE_OK;
    for (size_t i = 0; Ok && i < Source.Recipes().size(); ++i) {
        const TRecipeSource& R = Source.Recipes()[i];
        const std::string Fields[] = {R.Category, R.Name, R.Ingredients, R.Method, StoredPicturePath(R.Picture), R.Tips};
        for (int f = 0; f < 6; ++f)
            sqlite3_bind_text(Insert, f + 1, Fields[f].data(), int(Fields[f].size()), SQLITE_TRANSIENT);
        Ok = sqlite3_step(Insert) == SQLITE_DONE && sqlite3_reset(Insert) == SQLITE_OK;
    }
    sqlite3_finalize(Insert);
    Ok = Ok && sqlite3_exec(Db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    std::string Error = sqlite3_errmsg(Db);
    sqlite3_close(Db);
    if (!Ok) {
        std::remove(Temp.c_str());
        return Fail("cannot build the catalogue: " + Error);
    }
    std::remove(Path.c_str());
    return std::rename(Temp.c_str(), Path.c_str()) == 0 || Fail("cannot move " + Temp + " to " + Path);
}

bool WriteDrawings(const TCatalogueSource& Source, const std::string& Dir)
{
    for (const TRecipeSource& R : Source.Recipes()) {
        std::string Mvg, Error;
        if (!TDishPainter(R.Picture).Paint(R.Drawing, Mvg, Error))
            return Fail(R.Name + ": " + Error);
        if (!WriteFile(Dir + "/" + R.Picture + ".mvg", Mvg))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::cerr << "usage: catalogue_builder <source.txt> <password> <out.mdb> <drawing-dir>\n";
        return 2;
    }
    std::ifstream In(argv[1], std::ios::binary);
    if (!In) {
        Fail(std::string("cannot read ") + argv[1]);
        return 1;
    }
    std::stringstream Text;
    Text << In.rdbuf();
    TCatalogueSource Source;
    std::string Error;
    if (!Source.Parse(Text.str(), Error)) {
        Fail(std::string(argv[1]) + ": " + Error);
        return 1;
    }
    if (!WriteDatabase(Source, argv[2], argv[3]) || !WriteDrawings(Source, argv[4]))
        return 1;
    std::cout << "catalogue_builder: " << Source.Recipes().size() << " recipes\n";
    return 0;
}
