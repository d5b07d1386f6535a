#include "framework/data/JetSql.h"

namespace {

// Copies In[From..] up to and including the closing Quote into Out; a doubled Quote stands for
// one. Returns the index after the closing quote, or npos when it is missing.
size_t CopyQuoted(const std::string& In, size_t From, char Quote, std::string& Out)
{
    Out += In[From];
    for (size_t i = From + 1; i < In.size(); ++i) {
        Out += In[i];
        if (In[i] == Quote) {
            if (i + 1 < In.size() && In[i + 1] == Quote) {
                Out += In[++i];
                continue;
            }
            return i + 1;
        }
    }
    return std::string::npos;
}

// A Jet text literal "..." ("" is one quote) as an SQLite literal '...' (' doubled).
size_t ConvertDoubleQuoted(const std::string& In, size_t From, std::string& Out)
{
    Out += '\'';
    for (size_t i = From + 1; i < In.size(); ++i) {
        char c = In[i];
        if (c == '"') {
            if (i + 1 < In.size() && In[i + 1] == '"') {
                Out += '"';
                ++i;
                continue;
            }
            Out += '\'';
            return i + 1;
        }
        if (c == '\'')
            Out += '\'';
        Out += c;
    }
    return std::string::npos;
}

// A Jet name [...] as an SQLite identifier "..." (" doubled). Jet names end at the first ].
size_t ConvertBracketed(const std::string& In, size_t From, std::string& Out)
{
    size_t Close = In.find(']', From + 1);
    if (Close == std::string::npos)
        return Close;
    Out += '"';
    for (size_t i = From + 1; i < Close; ++i) {
        if (In[i] == '"')
            Out += '"';
        Out += In[i];
    }
    Out += '"';
    return Close + 1;
}

} // namespace

bool TranslateJetSql(const std::string& Jet, std::string& Sqlite, std::string& Error)
{
    Sqlite.clear();
    Error.clear();
    if (Jet.find('\0') != std::string::npos) {
        Error = "The statement text contains a NUL character.";
        return false;
    }
    Sqlite.reserve(Jet.size() + 8);
    size_t i = 0;
    while (i < Jet.size()) {
        char c = Jet[i];
        size_t Next = i + 1;
        if (c == '"') {
            Next = ConvertDoubleQuoted(Jet, i, Sqlite);
            if (Next == std::string::npos)
                Error = "Unterminated text literal in the statement.";
        } else if (c == '[') {
            Next = ConvertBracketed(Jet, i, Sqlite);
            if (Next == std::string::npos)
                Error = "Missing ] after a name in the statement.";
        } else if (c == '\'' || c == '`') {
            Next = CopyQuoted(Jet, i, c, Sqlite);
            if (Next == std::string::npos)
                Error = c == '\'' ? "Unterminated text literal in the statement."
                                                    : "Unterminated name in the statement.";
        } else if (c == '-' && i + 1 < Jet.size() && Jet[i + 1] == '-') {
            size_t End = Jet.find('\n', i);
            Next = End == std::string::npos ? Jet.size() : End + 1;
            Sqlite.append(Jet, i, Next - i);
        } else if (c == '/' && i + 1 < Jet.size() && Jet[i + 1] == '*') {
            size_t End = Jet.find("*/", i + 2);
            if (End == std::string::npos) {
                Next = End;
                Error = "Unterminated comment in the statement.";
            } else {
                Next = End + 2;
                Sqlite.append(Jet, i, Next - i);
            }
        } else {
            Sqlite += c;
        }
        if (Next == std::string::npos) {
            Sqlite.clear();
            return false;
        }
        i = Next;
    }
    return true;
}
