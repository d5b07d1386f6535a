#pragma once
// The readable catalogue source: recipes in a UTF-8 text file, one field per "@name" tag.
//
//   @菜谱 麻婆豆腐          a new recipe begins with its name
//   @类别 川菜
//   @图片 mapo               picture name: pic\mapo.jpg
//   @配料 / @方法 / @提示    the following lines, up to the next tag, joined by CR LF
//   @画                      the following lines describe the dish's illustration
//
// Lines starting with # are comments.
#include <string>
#include <vector>

struct TRecipeSource {
    std::string Category, Name, Ingredients, Method, Picture, Tips;
    std::vector<std::string> Drawing;
    int Line = 0;   // where the recipe begins
};

class TCatalogueSource {
public:
    // Parses Text; on a mistake returns false with Error naming the line.
    bool Parse(const std::string& Text, std::string& Error);
    const std::vector<TRecipeSource>& Recipes() const { return FRecipes; }

private:
    std::vector<TRecipeSource> FRecipes;
    bool Check(std::string& Error) const;
};

// The stored picture path of a picture name: \pic\<name>.jpg
std::string StoredPicturePath(const std::string& Picture);
