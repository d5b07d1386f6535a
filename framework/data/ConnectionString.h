#pragma once
// An OLE DB connection string: "Key=Value;Key=Value". Keys are matched case-insensitively
// and trimmed; a value may be quoted with ' or " (a doubled quote stands for one) to hold a ;.
// A key given twice keeps its last value.
#include <string>
#include <utility>
#include <vector>

class TConnectionString {
public:
    explicit TConnectionString(const std::string& Text);
    bool HasKey(const std::string& Key) const;
    std::string Value(const std::string& Key) const;   // "" when absent
    // False when the text could not be split into pairs (a quote left open, a pair without =).
    bool Valid() const { return FValid; }

private:
    std::vector<std::pair<std::string, std::string>> FPairs;
    bool FValid = true;
    const std::string* Find(const std::string& Key) const;
};
