#include "framework/core/StrUtils.h"

#include "framework/core/Exception.h"

#include <algorithm>
#include <climits>

// Walks GBK characters so that a trail byte in the ASCII letter range is never changed.
template<class F>
static std::string MapAscii(std::string S, F Map)
{
    for (size_t I = 0; I < S.size(); ++I) {
        if (IsLeadByte(S[I]) && I + 1 < S.size())
            ++I;
        else
            S[I] = Map(S[I]);
    }
    return S;
}

std::string LowerCaseAscii(std::string S)
{
    return MapAscii(std::move(S), [](char C) { return C >= 'A' && C <= 'Z' ? char(C + 32) : C; });
}

std::string UpperCaseAscii(std::string S)
{
    return MapAscii(std::move(S), [](char C) { return C >= 'a' && C <= 'z' ? char(C - 32) : C; });
}

// Compares byte by byte, folding ASCII letters outside double-byte characters.
int CompareText(const std::string& A, const std::string& B)
{
    size_t N = std::min(A.size(), B.size());
    bool Trail = false;
    for (size_t I = 0; I < N; ++I) {
        unsigned char CA = static_cast<unsigned char>(A[I]), CB = static_cast<unsigned char>(B[I]);
        if (!Trail) {
            if (CA >= 'a' && CA <= 'z')
                CA = static_cast<unsigned char>(CA - 32);
            if (CB >= 'a' && CB <= 'z')
                CB = static_cast<unsigned char>(CB - 32);
        }
        if (CA != CB)
            return CA < CB ? -1 : 1;
        Trail = !Trail && IsLeadByte(CA);
    }
    return A.size() == B.size() ? 0 : A.size() < B.size() ? -1 : 1;
}

bool SameText(const std::string& A, const std::string& B)
{
    return A.size() == B.size() && CompareText(A, B) == 0;
}

static bool IsBlank(char C) { return static_cast<unsigned char>(C) <= ' '; }

std::string TrimLeft(const std::string& S)
{
    size_t B = 0;
    while (B < S.size() && IsBlank(S[B]))
        ++B;
    return S.substr(B);
}

std::string TrimRight(const std::string& S)
{
    size_t E = S.size();
    while (E > 0 && IsBlank(S[E - 1]))
        --E;
    return S.substr(0, E);
}

std::string Trim(const std::string& S) { return TrimLeft(TrimRight(S)); }

std::string IntToStr(int64_t Value) { return std::to_string(Value); }

std::string IntToHex(uint64_t Value, int Digits)
{
    static const char HexDigits[] = "0123456789ABCDEF";
    std::string S;
    do {
        S.insert(S.begin(), HexDigits[Value & 15]);
        Value >>= 4;
    } while (Value);
    while (static_cast<int>(S.size()) < Digits)
        S.insert(S.begin(), '0');
    return S;
}

bool TryStrToInt64(const std::string& S, int64_t& Value)
{
    size_t I = 0;
    bool Negative = false;
    if (I < S.size() && (S[I] == '-' || S[I] == '+'))
        Negative = S[I++] == '-';
    unsigned Base = 10;
    if (I < S.size() && S[I] == '$') {
        Base = 16;
        ++I;
    } else if (I + 1 < S.size() && S[I] == '0' && (S[I + 1] == 'x' || S[I + 1] == 'X')) {
        Base = 16;
        I += 2;
    }
    if (I >= S.size())
        return false;
    uint64_t Magnitude = 0;
    const uint64_t Limit = Negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
    for (; I < S.size(); ++I) {
        char C = S[I];
        unsigned D;
        if (C >= '0' && C <= '9')
            D = unsigned(C - '0');
        else if (Base == 16 && C >= 'a' && C <= 'f')
            D = unsigned(C - 'a' + 10);
        else if (Base == 16 && C >= 'A' && C <= 'F')
            D = unsigned(C - 'A' + 10);
        else
            return false;
        if (Magnitude > (Limit - D) / Base)
            return false;
        Magnitude = Magnitude * Base + D;
    }
    Value = Negative ? static_cast<int64_t>(0 - Magnitude) : static_cast<int64_t>(Magnitude);
    return true;
}

bool TryStrToInt(const std::string& S, int& Value)
{
    int64_t V;
    if (!TryStrToInt64(S, V) || V < INT_MIN || V > INT_MAX)
        return false;
    Value = static_cast<int>(V);
    return true;
}

int StrToInt(const std::string& S)
{
    int V;
    if (!TryStrToInt(S, V))
        throw EConvertError("'" + S + "' is not a valid integer value");
    return V;
}

int64_t StrToInt64(const std::string& S)
{
    int64_t V;
    if (!TryStrToInt64(S, V))
        throw EConvertError("'" + S + "' is not a valid integer value");
    return V;
}

int StrToIntDef(const std::string& S, int Default)
{
    int V;
    return TryStrToInt(S, V) ? V : Default;
}
