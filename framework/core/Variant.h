// TVariant: a field value as the data layer hands it out: null, text, integer, float or
// Boolean.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

enum TVarType { varNull, varString, varInteger, varDouble, varBoolean };

class TVariant {
public:
    TVariant() = default;                       // null
    TVariant(std::string S) : FType(varString), FString(std::move(S)) {}
    TVariant(const char* S) : FType(varString), FString(S ? S : "") {}
    template<class I, std::enable_if_t<std::is_integral_v<I> && !std::is_same_v<I, bool>, int> = 0>
    TVariant(I Value) : FType(varInteger), FInteger(static_cast<int64_t>(Value)) {}
    TVariant(double Value) : FType(varDouble), FDouble(Value) {}
    TVariant(bool Value) : FType(varBoolean), FInteger(Value ? 1 : 0) {}
    static TVariant Null() { return TVariant(); }

    TVarType VarType() const { return FType; }
    bool IsNull() const { return FType == varNull; }
    // Conversions raise EConvertError "Could not convert variant of type (Null) into type
    // (String)" and the like when the value has none.
    std::string AsString() const;
    int64_t AsInteger() const;
    double AsFloat() const;
    bool AsBoolean() const;

    bool operator==(const TVariant& O) const;
    bool operator!=(const TVariant& O) const { return !(*this == O); }

private:
    [[noreturn]] void Fail(const char* Target) const;
    TVarType FType = varNull;
    std::string FString;
    int64_t FInteger = 0;
    double FDouble = 0;
};

inline bool VarIsNull(const TVariant& V) { return V.IsNull(); }
