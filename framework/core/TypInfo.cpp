#include "framework/core/TypInfo.h"

#include "framework/core/Color.h"
#include "framework/core/Component.h"
#include "framework/core/Strings.h"
#include "framework/core/StrUtils.h"

const TEnumInfo& EnumTypeInfo(bool)
{
    static const TEnumInfo Info("Boolean", "False, True");
    return Info;
}

const TPropInfo* GetPropInfo(const TObject* Obj, const std::string& Name)
{
    return Obj ? Obj->ClassInfo().FindProp(Name) : nullptr;
}

bool IsPublishedProp(const TObject* Obj, const std::string& Name)
{
    return GetPropInfo(Obj, Name) != nullptr;
}

static const TPropInfo& NeedProp(const TObject* Obj, const std::string& Name)
{
    const TPropInfo* P = GetPropInfo(Obj, Name);
    if (!P)
        throw EPropertyError("Property " + Name + " does not exist");
    return *P;
}

TTypeKind PropType(const TObject* Obj, const std::string& Name)
{
    return NeedProp(Obj, Name).Kind;
}

const TPropInfo* ResolvePropPath(TObject*& Obj, const std::string& Path)
{
    size_t Start = 0;
    for (;;) {
        size_t Dot = Path.find('.', Start);
        const TPropInfo* P = GetPropInfo(Obj, Path.substr(Start, Dot == std::string::npos ? Dot : Dot - Start));
        if (!P || Dot == std::string::npos)
            return P;
        if (!P->ReadObject)
            return nullptr;
        Obj = P->ReadObject(Obj);
        if (!Obj)
            return nullptr;
        Start = Dot + 1;
    }
}

std::string GetEnumName(const TEnumInfo& Info, int64_t Value)
{
    if (Value >= 0 && Value < static_cast<int64_t>(Info.Names.size()))
        return Info.Names[static_cast<size_t>(Value)];
    return IntToStr(Value);
}

int GetEnumValue(const TEnumInfo& Info, const std::string& Name)
{
    return Info.IndexOf(Name);
}

std::string SetToString(const TEnumInfo& Info, uint64_t Bits)
{
    std::string S = "[";
    for (size_t I = 0; I < Info.Names.size() && I < 64; ++I)
        if (Bits & (uint64_t(1) << I)) {
            if (S.size() > 1)
                S += ',';
            S += Info.Names[I];
        }
    return S + "]";
}

uint64_t StringToSet(const TEnumInfo& Info, const std::string& Text)
{
    std::string S = Trim(Text);
    if (!S.empty() && S.front() == '[') {
        if (S.back() != ']')
            throw EPropertyError("Invalid set value " + Text);
        S = S.substr(1, S.size() - 2);
    }
    uint64_t Bits = 0;
    size_t Start = 0;
    while (Start <= S.size()) {
        size_t Comma = S.find(',', Start);
        std::string Item = Trim(S.substr(Start, Comma == std::string::npos ? Comma : Comma - Start));
        if (!Item.empty()) {
            int V = Info.IndexOf(Item);
            if (V < 0 || V >= 64)
                throw EPropertyError("Invalid " + Info.Name + " value " + Item);
            Bits |= uint64_t(1) << V;
        } else if (Comma != std::string::npos) {
            throw EPropertyError("Invalid set value " + Text);
        }
        if (Comma == std::string::npos)
            break;
        Start = Comma + 1;
    }
    return Bits;
}

// Components and handlers named in values live in the object's owner (the form).
static TComponent* LookupRoot(const TObject* Obj)
{
    auto* C = dynamic_cast<const TComponent*>(Obj);
    if (!C)
        return nullptr;
    return C->Owner() ? C->Owner() : const_cast<TComponent*>(C);
}

std::string GetPropValue(const TObject* Obj, const std::string& Path)
{
    TObject* Target = const_cast<TObject*>(Obj);
    const TPropInfo* P = ResolvePropPath(Target, Path);
    if (!P)
        throw EPropertyError("Property " + Path + " does not exist");
    switch (P->Kind) {
    case tkInteger:
        return IntToStr(P->ReadOrd(Target));
    case tkBoolean:
    case tkEnumeration:
        return GetEnumName(*P->Enum, P->ReadOrd(Target));
    case tkSet:
        return SetToString(*P->Enum, static_cast<uint64_t>(P->ReadOrd(Target)));
    case tkColor:
        return ColorToString(static_cast<TColor>(P->ReadOrd(Target)));
    case tkString:
        return P->ReadStr(Target);
    case tkStrings:
        if (auto* S = dynamic_cast<TStrings*>(P->ReadObject(Target)))
            return S->Text();
        return "";
    case tkComponent: {
        TComponent* C = P->ReadComponent(Target);
        return C ? C->Name() : "";
    }
    case tkMethod: {
        TComponent* Root = LookupRoot(Target);
        for (const TClassInfo* C = Root ? &Root->ClassInfo() : nullptr; C; C = C->Parent)
            for (const THandlerInfo& H : C->Handlers)
                if (P->IsMethod(Target, H, Root))
                    return H.Name;
        return "";
    }
    case tkFont:
    case tkClass:
    case tkBinary:
        break;
    }
    throw EPropertyError("Property " + Path + " has no text form");
}

static bool IsNilName(const std::string& S) { return S.empty() || SameText(S, "nil"); }

void SetPropValue(TObject* Obj, const std::string& Path, const std::string& Value)
{
    TObject* Target = Obj;
    const TPropInfo* P = ResolvePropPath(Target, Path);
    if (!P)
        throw EPropertyError("Property " + Path + " does not exist");
    const bool Writable = P->WriteOrd || P->WriteStr || P->WriteComponent || P->BindMethod ||
                          P->Kind == tkStrings;
    if (!Writable)
        throw EPropertyError("Property " + Path + " is read-only");
    switch (P->Kind) {
    case tkInteger: {
        int64_t V;
        if (!TryStrToInt64(Trim(Value), V))
            throw EPropertyError("'" + Value + "' is not a valid integer value");
        P->WriteOrd(Target, V);
        return;
    }
    case tkBoolean:
    case tkEnumeration: {
        int V = P->Enum->IndexOf(Trim(Value));
        if (V < 0)
            throw EPropertyError("Invalid " + P->Enum->Name + " value " + Value);
        P->WriteOrd(Target, V);
        return;
    }
    case tkSet:
        P->WriteOrd(Target, static_cast<int64_t>(StringToSet(*P->Enum, Value)));
        return;
    case tkColor:
        try {
            P->WriteOrd(Target, StringToColor(Trim(Value)));
        } catch (const EConvertError& E) {
            throw EPropertyError(E.Message());
        }
        return;
    case tkString:
        P->WriteStr(Target, Value);
        return;
    case tkStrings:
        if (auto* S = dynamic_cast<TStrings*>(P->ReadObject(Target)))
            S->SetText(Value);
        return;
    case tkComponent: {
        TComponent* C = nullptr;
        if (!IsNilName(Value)) {
            TComponent* Root = LookupRoot(Target);
            C = !Root ? nullptr : SameText(Root->Name(), Value) ? Root : Root->FindComponent(Value);
            if (!C)
                throw EPropertyError("Component " + Value + " not found");
        }
        if (!P->WriteComponent(Target, C))
            throw EPropertyError(Value + " is not a " + P->RefClass().Name);
        return;
    }
    case tkMethod: {
        if (IsNilName(Value)) {
            P->ClearMethod(Target);
            return;
        }
        TComponent* Root = LookupRoot(Target);
        const THandlerInfo* H = Root ? Root->ClassInfo().FindHandler(Value) : nullptr;
        if (!H)
            throw EPropertyError("Handler " + Value + " not found");
        if (*H->Signature != *P->EventSignature)
            throw EPropertyError("Handler " + Value + " does not fit " + P->Name);
        P->BindMethod(Target, *H, Root);
        return;
    }
    case tkFont:
    case tkClass:
    case tkBinary:
        break;
    }
    throw EPropertyError("Property " + Path + " cannot be set from text");
}

bool SetEnumPropByName(TObject* Obj, const std::string& Prop, const std::string& Value)
{
    const TPropInfo* P = GetPropInfo(Obj, Prop);
    if (!P || (P->Kind != tkEnumeration && P->Kind != tkBoolean) || !P->WriteOrd)
        return false;
    int V = P->Enum->IndexOf(Value);
    if (V < 0)
        return false;
    P->WriteOrd(Obj, V);
    return true;
}

static const TPropInfo& NeedKind(const TObject* Obj, const std::string& Name, bool Ordinal)
{
    const TPropInfo& P = NeedProp(Obj, Name);
    if (Ordinal ? !P.ReadOrd : !P.ReadStr)
        throw EPropertyError("Property " + Name + " is not " + (Ordinal ? "ordinal" : "a string"));
    return P;
}

int64_t GetOrdProp(const TObject* Obj, const std::string& Name)
{
    return NeedKind(Obj, Name, true).ReadOrd(Obj);
}

void SetOrdProp(TObject* Obj, const std::string& Name, int64_t Value)
{
    const TPropInfo& P = NeedKind(Obj, Name, true);
    if (!P.WriteOrd)
        throw EPropertyError("Property " + Name + " is read-only");
    P.WriteOrd(Obj, Value);
}

std::string GetStrProp(const TObject* Obj, const std::string& Name)
{
    return NeedKind(Obj, Name, false).ReadStr(Obj);
}

void SetStrProp(TObject* Obj, const std::string& Name, const std::string& Value)
{
    const TPropInfo& P = NeedKind(Obj, Name, false);
    if (!P.WriteStr)
        throw EPropertyError("Property " + Name + " is read-only");
    P.WriteStr(Obj, Value);
}

TPersistent* GetObjectProp(const TObject* Obj, const std::string& Name)
{
    const TPropInfo& P = NeedProp(Obj, Name);
    if (!P.ReadObject)
        throw EPropertyError("Property " + Name + " is not an object");
    return P.ReadObject(Obj);
}
