#include "tools/catalogue/CatalogueSource.h"

#include <set>
#include <sstream>

namespace {

std::string TrimRight(std::string S)
{
    while (!S.empty() && (S.back() == ' ' || S.back() == '\t' || S.back() == '\r'))
        S.pop_back();
    return S;
}

std::string TrimLeft(const std::string& S)
{
    size_t b = S.find_first_not_of(" \t");
    return b == std::string::npos ? std::string() : S.substr(b);
}

// Joins the lines of a block with CR LF, leaving out blank lines at its ends.
std::string JoinBlock(const std::vector<std::string>& Lines)
{
    size_t b = 0, e = Lines.size();
    while (b < e && Lines[b].empty()) ++b;
    while (e > b && Lines[e - 1].empty()) --e;
    std::string Out;
    for (size_t i = b; i < e; ++i) {
        if (i > b)
            Out += "\r\n";
        Out += Lines[i];
    }
    return Out;
}

std::string At(int Line) { return "line " + std::to_string(Line) + ": "; }

} // namespace

std::string StoredPicturePath(const std::string& Picture)
{
    return "\\pic\\" + Picture + ".jpg";
}

bool TCatalogueSource::Parse(const std::string& Text, std::string& Error)
{
    FRecipes.clear();
    std::istringstream In(Text);
    std::string Raw;
    int LineNo = 0;
    std::string* Block = nullptr;        // the multi-line field being read
    std::vector<std::string>* Lines = nullptr;
    std::vector<std::string> Pending;
    auto Finish = [&] {
        if (Block)
            *Block = JoinBlock(Pending);
        Block = nullptr;
        Lines = nullptr;
        Pending.clear();
    };
    while (std::getline(In, Raw)) {
        ++LineNo;
        std::string Line = TrimRight(Raw);
        if (!Line.empty() && Line[0] == '#')
            continue;
        if (Line.empty() || Line[0] != '@') {
            if (Lines)
                Lines->push_back(TrimLeft(Line));
            else if (Block)
                Pending.push_back(Line);
            else if (!TrimLeft(Line).empty()) {
                Error = At(LineNo) + "text outside a field";
                return false;
            }
            continue;
        }
        Finish();
        size_t Blank = Line.find(' ');
        std::string Tag = Line.substr(1, Blank == std::string::npos ? std::string::npos : Blank - 1);
        std::string Value = Blank == std::string::npos ? std::string() : TrimLeft(Line.substr(Blank));
        if (Tag == u8"菜谱") {
            FRecipes.emplace_back();
            FRecipes.back().Name = Value;
            FRecipes.back().Line = LineNo;
            continue;
        }
        if (FRecipes.empty()) {
            Error = At(LineNo) + "a recipe must begin with @" + u8"菜谱";
            return false;
        }
        TRecipeSource& R = FRecipes.back();
        if (Tag == u8"类别")
            R.Category = Value;
        else if (Tag == u8"图片")
            R.Picture = Value;
        else if (Tag == u8"配料" || Tag == u8"方法" || Tag == u8"提示") {
            Block = Tag == u8"配料" ? &R.Ingredients : Tag == u8"方法" ? &R.Method : &R.Tips;
            if (!Value.empty())
                Pending.push_back(Value);
        } else if (Tag == u8"画")
            Lines = &R.Drawing;
        else {
            Error = At(LineNo) + "unknown tag @" + Tag;
            return false;
        }
    }
    Finish();
    return Check(Error);
}

// Every row the program shows needs all six fields; pictures must fit the 40-byte path field.
bool TCatalogueSource::Check(std::string& Error) const
{
    std::set<std::string> Names, Pictures;
    for (const TRecipeSource& R : FRecipes) {
        std::string Where = At(R.Line) + R.Name + ": ";
        if (R.Name.empty() || R.Category.empty() || R.Ingredients.empty() || R.Method.empty() ||
                R.Picture.empty() || R.Tips.empty()) {
            Error = Where + "every recipe needs a name, category, picture, ingredients, method and tips";
            return false;
        }
        for (char c : R.Picture)
            if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) {
                Error = Where + "picture names use a-z, 0-9 and _";
                return false;
            }
        if (StoredPicturePath(R.Picture).size() > 40) {
            Error = Where + "picture path longer than 40 bytes";
            return false;
        }
        if (!Names.insert(R.Name).second || !Pictures.insert(R.Picture).second) {
            Error = Where + "recipe name or picture used twice";
            return false;
        }
        if (R.Drawing.empty()) {
            Error = Where + "no drawing";
            return false;
        }
    }
    return true;
}
