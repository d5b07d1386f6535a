#include "app/Statements.h"

#include "framework/data/ADOQuery.h"

void IssueStatement(TADOQuery* Query, const std::string& Statement)
{
    Query->Close();
    Query->SQL()->Clear();
    Query->SQL()->Add(Statement);
    Query->Open();
}

std::string QuotedValue(const std::string& Value)
{
    std::string Literal = "\"";
    for (char C : Value) {
        if (C == '"')
            Literal += '"';
        Literal += C;
    }
    return Literal + '"';
}

std::string CategoryListSql() { return "SELECT  distinct 类别 FROM 饮食"; }

std::string CategoryRecipesSql(const std::string& Category)
{
    return "select  *  from 饮食 where 类别=" + QuotedValue(Category);
}

std::string AllRecipesSql() { return "select * from 饮食"; }

std::string RecipeSql(const std::string& Recipe, const std::string& Category)
{
    return "select  *  from 饮食 where 菜谱=" + QuotedValue(Recipe) + "and 类别=" + QuotedValue(Category);
}

std::string AppendSql() { return "SELECT  * FROM 饮食"; }

std::string RecipeByNameSql(const std::string& Recipe)
{
    return "select * from 饮食 where 菜谱=" + QuotedValue(Recipe);
}

std::string DialogCategoryListSql() { return "select distinct 类别 from 饮食"; }
