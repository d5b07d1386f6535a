#include "framework/core/Object.h"

#include "framework/core/Component.h"
#include "framework/core/Exception.h"
#include "framework/core/StrUtils.h"

#include <map>

TEnumInfo::TEnumInfo(const char* TypeName, const char* CommaSeparatedNames) : Name(TypeName)
{
    std::string Item;
    for (const char* P = CommaSeparatedNames;; ++P) {
        if (*P == ',' || *P == 0) {
            Names.push_back(Trim(Item));
            Item.clear();
            if (*P == 0)
                break;
        } else {
            Item += *P;
        }
    }
}

int TEnumInfo::IndexOf(const std::string& ValueName) const
{
    for (size_t I = 0; I < Names.size(); ++I)
        if (SameText(Names[I], ValueName))
            return static_cast<int>(I);
    return -1;
}

TClassInfo::TClassInfo(const char* AName, const TClassInfo* AParent, TComponentFactory ACreate,
                       std::initializer_list<TClassMember> Members)
    : Name(AName), Parent(AParent), Create(ACreate)
{
    for (const TClassMember& M : Members) {
        if (M.Prop)
            Props.push_back(*M.Prop);
        if (M.Handler)
            Handlers.push_back(*M.Handler);
    }
}

bool TClassInfo::InheritsFrom(const TClassInfo& Ancestor) const
{
    for (const TClassInfo* C = this; C; C = C->Parent)
        if (C == &Ancestor)
            return true;
    return false;
}

const TPropInfo* TClassInfo::FindProp(const std::string& PropName) const
{
    for (const TClassInfo* C = this; C; C = C->Parent)
        for (const TPropInfo& P : C->Props)
            if (SameText(P.Name, PropName))
                return &P;
    return nullptr;
}

const THandlerInfo* TClassInfo::FindHandler(const std::string& HandlerName) const
{
    for (const TClassInfo* C = this; C; C = C->Parent)
        for (const THandlerInfo& H : C->Handlers)
            if (SameText(H.Name, HandlerName))
                return &H;
    return nullptr;
}

const TClassInfo& TObject::StaticClassInfo()
{
    static const TClassInfo Info("TObject", nullptr, nullptr, {});
    return Info;
}

namespace {
// Keyed by the upper-case name; a function-local static so registration from other
// translation units' static initialisers finds it constructed.
std::map<std::string, const TClassInfo*>& Registry()
{
    static std::map<std::string, const TClassInfo*> Classes;
    return Classes;
}
} // namespace

void RegisterComponentClass(const TClassInfo& Info)
{
    Registry().emplace(UpperCaseAscii(Info.Name), &Info);
}

const TClassInfo* FindClass(const std::string& Name)
{
    auto It = Registry().find(UpperCaseAscii(Name));
    return It == Registry().end() ? nullptr : It->second;
}

TComponent* CreateComponent(const std::string& ClassName, TComponent* Owner)
{
    const TClassInfo* Info = FindClass(ClassName);
    if (!Info)
        throw EComponentError("Class " + ClassName + " not found");
    if (!Info->Create)
        throw EComponentError("Cannot create an instance of class " + ClassName);
    return Info->Create(Owner);
}
