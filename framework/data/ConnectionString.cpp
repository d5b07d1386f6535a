#include "framework/data/ConnectionString.h"

#include "framework/core/StrUtils.h"

TConnectionString::TConnectionString(const std::string& Text)
{
    size_t i = 0;
    while (i < Text.size()) {
        size_t Eq = Text.find('=', i);
        size_t Semi = Text.find(';', i);
        if (Eq == std::string::npos || (Semi != std::string::npos && Semi < Eq)) {
            // A blank stretch between two semicolons is allowed; anything else has no value.
            size_t End = Semi == std::string::npos ? Text.size() : Semi;
            if (!Trim(Text.substr(i, End - i)).empty())
                FValid = false;
            i = End + 1;
            continue;
        }
        std::string Key = Trim(Text.substr(i, Eq - i));
        size_t v = Eq + 1;
        while (v < Text.size() && (Text[v] == ' ' || Text[v] == '\t'))
            ++v;
        std::string Value;
        if (v < Text.size() && (Text[v] == '"' || Text[v] == '\'')) {
            char Quote = Text[v];
            size_t k = v + 1;
            bool Closed = false;
            for (; k < Text.size(); ++k) {
                if (Text[k] == Quote) {
                    if (k + 1 < Text.size() && Text[k + 1] == Quote) {
                        Value += Quote;
                        ++k;
                        continue;
                    }
                    Closed = true;
                    ++k;
                    break;
                }
                Value += Text[k];
            }
            size_t End = Text.find(';', k);
            if (!Closed || !Trim(Text.substr(k, (End == std::string::npos ? Text.size() : End) - k)).empty())
                FValid = false;
            i = End == std::string::npos ? Text.size() : End + 1;
        } else {
            size_t End = Semi == std::string::npos ? Text.size() : Semi;
            Value = Trim(Text.substr(v, End - v));
            i = End + 1;
        }
        if (Key.empty()) {
            FValid = false;
            continue;
        }
        FPairs.emplace_back(Key, Value);
    }
}

const std::string* TConnectionString::Find(const std::string& Key) const
{
    for (auto it = FPairs.rbegin(); it != FPairs.rend(); ++it)
        if (SameText(it->first, Key))
            return &it->second;
    return nullptr;
}

bool TConnectionString::HasKey(const std::string& Key) const
{
    return Find(Key) != nullptr;
}

std::string TConnectionString::Value(const std::string& Key) const
{
    const std::string* V = Find(Key);
    return V ? *V : std::string();
}
