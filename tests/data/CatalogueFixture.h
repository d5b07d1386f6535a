// A scratch folder holding a catalogue file, made the current directory for the test (the
// connection finds its file there), with helpers to fill it directly through SQLite.
#pragma once

#include "framework/data/ADOConnection.h"
#include "framework/data/ADOQuery.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

struct sqlite3;

// The connection string of the recipe windows, with the shipped password.
extern const char* const CatalogueConnection;
extern const char* const CataloguePassword;

struct TRecipeRow {   // UTF-8
    std::string Category, Name, Ingredients, Method, Picture, Tips;
};

class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes Dorvanet.mdb in the scratch folder with these rows (UTF-8 texts).
    void MakeCatalogue(const std::vector<TRecipeRow>& Rows, const std::string& Password = CataloguePassword);
    // Runs UTF-8 SQL on the file directly and returns the first column of every row.
    std::vector<std::string> Direct(const std::string& Sql);

    // Issues a statement the way the recipe windows do: close, clear, one line, open.
    void Issue(TADOQuery& Query, const std::string& Statement);
    std::string Text(TADOQuery& Query, const std::string& Field);

    std::filesystem::path FDir, FOldDir;
    TComponent FOwner{nullptr};
    TADOConnection* FConnection = nullptr;
};

// A statement's value as the recipe windows place it: between double quotes, any double
// quote inside doubled.
std::string Quoted(const std::string& Value);
