#include "framework/core/IniFile.h"

#include "framework/core/CodePage.h"
#include "framework/core/Stream.h"
#include "framework/core/Strings.h"
#include "framework/core/StrUtils.h"

#include <climits>
#include <string_view>

namespace {
// Blanks as the profile functions see them: ASCII white space and Ctrl-Z. None of these
// bytes can be the trail byte of a GBK character.
bool IsBlank(char C)
{
    return C == ' ' || (C >= '\t' && C <= '\r') || C == 0x1A;
}

// Views, not copies: a description has hundreds of lines, and every allocation counts.
std::string_view TrimBlanks(std::string_view S)
{
    size_t Begin = 0, End = S.size();
    while (Begin < End && IsBlank(S[Begin]))
        ++Begin;
    while (End > Begin && IsBlank(S[End - 1]))
        --End;
    return S.substr(Begin, End - Begin);
}

size_t CharLength(std::string_view S, size_t I)
{
    return IsLeadByte(S[I]) && I + 1 < S.size() ? 2 : 1;
}

// One pair of matching quotes around a value goes.
std::string Unquote(const std::string& V)
{
    if (V.size() >= 2 && (V.front() == '"' || V.front() == '\'') && V.back() == V.front())
        return V.substr(1, V.size() - 2);
    return V;
}
} // namespace

TMemIniFile::TMemIniFile(const std::string& Source)
{
    const bool Utf8 = Source.compare(0, 3, "\xEF\xBB\xBF") == 0;
    const std::string Converted = Utf8 ? Utf8ToGbk(Source.substr(3)) : std::string();
    const std::string_view Text = Utf8 ? Converted : Source;
    FSections.push_back(TSection());
    size_t Pos = 0;
    while (Pos < Text.size()) {
        size_t End = Pos;
        while (End < Text.size() && Text[End] != '\r' && Text[End] != '\n')
            ++End;
        const std::string_view Line = TrimBlanks(Text.substr(Pos, End - Pos));
        Pos = End + 1;
        if (Line.empty())
            continue;
        if (Line[0] == '[') {
            size_t Close = std::string::npos;
            for (size_t I = 1; I < Line.size(); I += CharLength(Line, I))
                if (Line[I] == ']')
                    Close = I;
            if (Close != std::string::npos) {
                FSections.push_back(TSection{std::string(TrimBlanks(Line.substr(1, Close - 1))), {}});
                continue;
            }
        }
        TKey Key;
        size_t Eq = Line.find('=');
        if (Eq == std::string::npos) {
            Key.Name = std::string(Line);
        } else {
            Key.Name = TrimBlanks(Line.substr(0, Eq));
            Key.Value = TrimBlanks(Line.substr(Eq + 1));
            Key.HasValue = true;
        }
        FSections.back().Keys.push_back(std::move(Key));
    }
    for (size_t I = 0; I < FSections.size(); ++I)
        FSectionIndex.emplace(UpperCaseAscii(FSections[I].Name), I);
}

TMemIniFile TMemIniFile::FromFile(const std::string& FileName)
{
    TMemoryStream Stream;
    Stream.LoadFromFile(FileName);
    return TMemIniFile(std::string(reinterpret_cast<const char*>(Stream.Memory()),
                                   static_cast<size_t>(Stream.Size())));
}

const TMemIniFile::TSection* TMemIniFile::FindSection(const std::string& Section) const
{
    const auto Found = FSectionIndex.find(UpperCaseAscii(std::string(TrimBlanks(Section))));
    return Found == FSectionIndex.end() ? nullptr : &FSections[Found->second];
}

const TMemIniFile::TKey* TMemIniFile::FindKey(const std::string& Section, const std::string& Key) const
{
    const TSection* S = FindSection(Section);
    if (!S)
        return nullptr;
    const std::string Name(TrimBlanks(Key));
    for (const TKey& K : S->Keys)
        if (SameText(K.Name, Name))
            return &K;
    return nullptr;
}

void TMemIniFile::ReadSections(TStrings& Sections) const
{
    Sections.BeginUpdate();
    Sections.Clear();
    for (size_t I = 1; I < FSections.size(); ++I)
        if (!FSections[I].Name.empty() && FindSection(FSections[I].Name) == &FSections[I])
            Sections.Add(FSections[I].Name);
    Sections.EndUpdate();
}

void TMemIniFile::ReadSection(const std::string& Section, TStrings& Keys) const
{
    Keys.BeginUpdate();
    Keys.Clear();
    if (const TSection* S = FindSection(Section))
        for (const TKey& K : S->Keys)
            if (K.HasValue && !K.Name.empty() && K.Name[0] != ';')
                Keys.Add(K.Name);
    Keys.EndUpdate();
}

bool TMemIniFile::SectionExists(const std::string& Section) const
{
    return FindSection(Section) != nullptr;
}

bool TMemIniFile::ValueExists(const std::string& Section, const std::string& Key) const
{
    const TKey* K = FindKey(Section, Key);
    return K && K->HasValue;
}

std::string TMemIniFile::ReadString(const std::string& Section, const std::string& Key,
                                    const std::string& Default) const
{
    const TKey* K = FindKey(Section, Key);
    return K && K->HasValue ? Unquote(K->Value) : Default;
}

int TMemIniFile::ReadInteger(const std::string& Section, const std::string& Key, int Default) const
{
    std::string S = ReadString(Section, Key, "");
    size_t I = 0;
    if (I < S.size() && (S[I] == '-' || S[I] == '+'))
        ++I;
    if (I == S.size())
        return Default;
    for (size_t J = I; J < S.size(); ++J)
        if (S[J] < '0' || S[J] > '9')
            return Default;
    int64_t V;
    if (!TryStrToInt64(S, V) || V < INT_MIN || V > INT_MAX)
        return Default;
    return static_cast<int>(V);
}

bool TMemIniFile::ReadBool(const std::string& Section, const std::string& Key, bool Default) const
{
    return ReadInteger(Section, Key, Default ? 1 : 0) != 0;
}
