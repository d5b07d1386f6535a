// The statement texts the recipe windows issue against the table 饮食, word for word.
// A value goes between double quotes with every double quote inside it doubled, so no
// value can end its literal early.
#pragma once

#include <string>

class TADOQuery;

// Each use of a query: close it, make the statement its only line, open it.
void IssueStatement(TADOQuery* Query, const std::string& Statement);

// The value as a double-quoted literal: "a""b" for a"b.
std::string QuotedValue(const std::string& Value);

std::string CategoryListSql();                                    // main window, tree
std::string CategoryRecipesSql(const std::string& Category);      // main window, tree and category node
std::string AllRecipesSql();                                      // main window, root node
std::string RecipeSql(const std::string& Recipe, const std::string& Category);  // recipe node
std::string AppendSql();                                          // add dialog, appending
std::string RecipeByNameSql(const std::string& Recipe);           // add dialog, duplicate test
std::string DialogCategoryListSql();                              // add dialog, category list
