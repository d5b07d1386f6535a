#include "framework/core/Variant.h"

#include "framework/core/Exception.h"
#include "framework/core/StrUtils.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

static const char* TypeName(TVarType T)
{
    switch (T) {
    case varNull: return "Null";
    case varString: return "String";
    case varInteger: return "Int64";
    case varDouble: return "Double";
    case varBoolean: return "Boolean";
    }
    return "Unknown";
}

void TVariant::Fail(const char* Target) const
{
    throw EConvertError(std::string("Could not convert variant of type (") + TypeName(FType) +
                        ") into type (" + Target + ")");
}

std::string TVariant::AsString() const
{
    switch (FType) {
    case varString: return FString;
    case varInteger: return IntToStr(FInteger);
    case varBoolean: return FInteger ? "True" : "False";
    case varDouble: {
        char Buffer[32];
        std::snprintf(Buffer, sizeof Buffer, "%.15g", FDouble);
        return Buffer;
    }
    case varNull: break;
    }
    Fail("String");
}

int64_t TVariant::AsInteger() const
{
    switch (FType) {
    case varInteger:
    case varBoolean:
        return FInteger;
    case varDouble:
        if (std::isfinite(FDouble) && std::fabs(FDouble) < 9.2e18)
            return std::llround(FDouble);
        break;
    case varString: {
        int64_t V;
        if (TryStrToInt64(Trim(FString), V))
            return V;
        break;
    }
    case varNull: break;
    }
    Fail("Int64");
}

double TVariant::AsFloat() const
{
    switch (FType) {
    case varInteger:
    case varBoolean:
        return static_cast<double>(FInteger);
    case varDouble:
        return FDouble;
    case varString: {
        std::string S = Trim(FString);
        char* End = nullptr;
        double V = S.empty() ? 0 : std::strtod(S.c_str(), &End);
        if (!S.empty() && End && *End == 0)
            return V;
        break;
    }
    case varNull: break;
    }
    Fail("Double");
}

bool TVariant::AsBoolean() const
{
    switch (FType) {
    case varInteger:
    case varBoolean:
        return FInteger != 0;
    case varDouble:
        return FDouble != 0;
    case varString:
        if (SameText(FString, "True"))
            return true;
        if (SameText(FString, "False"))
            return false;
        {
            int64_t V;
            if (TryStrToInt64(Trim(FString), V))
                return V != 0;
        }
        break;
    case varNull: break;
    }
    Fail("Boolean");
}

bool TVariant::operator==(const TVariant& O) const
{
    if (FType != O.FType)
        return false;
    switch (FType) {
    case varNull: return true;
    case varString: return FString == O.FString;
    case varDouble: return FDouble == O.FDouble;
    default: return FInteger == O.FInteger;
    }
}
