// Fuzzes the statement translation. Besides not crashing: a translated statement without
// bracketed or back-quoted names holds no double quote outside text literals and comments,
// so every value the caller quoted reaches the engine as text.
#include "framework/data/JetSql.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool QuotesOnlyInsideText(const std::string& S)
{
    for (size_t i = 0; i < S.size(); ++i) {
        if (S[i] == '\'') {
            for (++i; i < S.size(); ++i)
                if (S[i] == '\'' && !(i + 1 < S.size() && S[i + 1] == '\'' && ++i))
                    break;
        } else if (S.compare(i, 2, "--") == 0) {
            i = S.find('\n', i);
            if (i == std::string::npos)
                return true;
        } else if (S.compare(i, 2, "/*") == 0) {
            i = S.find("*/", i + 2);
            if (i == std::string::npos)
                return false;
            ++i;
        } else if (S[i] == '"') {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    std::string Jet(reinterpret_cast<const char*>(Data), Size);
    std::string Out, Error;
    bool Ok = TranslateJetSql(Jet, Out, Error);
    if (Ok != Error.empty())
        std::abort();
    if (Ok && Jet.find_first_of("[`") == std::string::npos && !QuotesOnlyInsideText(Out))
        std::abort();
    return 0;
}
