// TMemIniFile: an INI text parsed in memory with the matching rules of the platform's
// profile functions: section and key names ignore ASCII case and surrounding blanks, the
// first section and the first key of a name win, values are trimmed and lose one pair of
// matching quotes, lines starting with ';' are comments, lines without '=' have no value.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

class TStrings;

class TMemIniFile {
public:
    explicit TMemIniFile(const std::string& Text);   // GBK text; a UTF-8 BOM means UTF-8
    // Raises EFOpenError when the file cannot be read.
    static TMemIniFile FromFile(const std::string& FileName);

    // Section names in file order, each name once.
    void ReadSections(TStrings& Sections) const;
    // Key names of a section that have a value, in file order (comments left out).
    void ReadSection(const std::string& Section, TStrings& Keys) const;
    bool SectionExists(const std::string& Section) const;
    bool ValueExists(const std::string& Section, const std::string& Key) const;
    std::string ReadString(const std::string& Section, const std::string& Key,
                           const std::string& Default) const;
    // Decimal with an optional sign, in int range; anything else gives Default.
    int ReadInteger(const std::string& Section, const std::string& Key, int Default) const;
    // An integer, non-zero meaning true.
    bool ReadBool(const std::string& Section, const std::string& Key, bool Default) const;

private:
    struct TKey {
        std::string Name;
        std::string Value;
        bool HasValue = false;
    };
    struct TSection {
        std::string Name;
        std::vector<TKey> Keys;
    };
    const TSection* FindSection(const std::string& Section) const;
    const TKey* FindKey(const std::string& Section, const std::string& Key) const;

    std::vector<TSection> FSections;   // the first one holds keys before any header
    // Upper-cased section name -> its first section: readers ask for hundreds of keys.
    std::unordered_map<std::string, size_t> FSectionIndex;
};
