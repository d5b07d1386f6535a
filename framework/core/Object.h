// TObject, the root of every framework class, and its run-time class information: the
// class name, the parent class, a factory for components and the published properties
// and handler methods, looked up by name (class registry for the design reader).
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

class TObject;
class TPersistent;
class TComponent;
struct TClassInfo;

// Kinds of published properties.
enum TTypeKind {
    tkInteger, tkBoolean, tkEnumeration, tkSet, tkString, tkColor, tkFont, tkStrings,
    tkComponent, tkMethod, tkBinary, tkClass
};

// Names of an enumeration's values, value 0 first (see PANTREL_ENUM in TypInfo.h).
struct TEnumInfo {
    TEnumInfo(const char* TypeName, const char* CommaSeparatedNames);
    std::string Name;
    std::vector<std::string> Names;
    // Index of a value name, ignoring ASCII case; -1 when unknown.
    int IndexOf(const std::string& ValueName) const;
};

// A handler method a form class offers to designs ("TreeView1Change"). Bind writes a
// TDelegate<Signature> for the method of Root into *Delegate.
struct THandlerInfo {
    std::string Name;
    const std::type_info* Signature = nullptr;
    std::function<void(TObject* Root, void* Delegate)> Bind;
};

// One published property. Which accessors are set depends on Kind:
//   ordinal (integer, Boolean, enumeration, set as bit mask, colour): ReadOrd/WriteOrd;
//   string: ReadStr/WriteStr; font, string list, class: ReadObject (the owned sub-object);
//   component reference: ReadComponent/WriteComponent (WriteComponent refuses, returning
//   false, a component that is not a RefClass); event: the Method accessors.
// A property without a writer is read-only.
struct TPropInfo {
    std::string Name;
    TTypeKind Kind = tkInteger;
    const TEnumInfo* Enum = nullptr;
    const TClassInfo& (*RefClass)() = nullptr;   // class of a component reference
    const std::type_info* EventSignature = nullptr;

    std::function<int64_t(const TObject*)> ReadOrd;
    std::function<void(TObject*, int64_t)> WriteOrd;
    std::function<std::string(const TObject*)> ReadStr;
    std::function<void(TObject*, const std::string&)> WriteStr;
    std::function<TPersistent*(const TObject*)> ReadObject;
    std::function<TComponent*(const TObject*)> ReadComponent;
    std::function<bool(TObject*, TComponent*)> WriteComponent;
    std::function<void(TObject*, const THandlerInfo&, TObject* Root)> BindMethod;
    std::function<bool(const TObject*, const THandlerInfo&, TObject* Root)> IsMethod;
    std::function<bool(const TObject*)> MethodAssigned;
    std::function<void(TObject*)> ClearMethod;
};

// An entry of a class's registration list: a property or a handler.
struct TClassMember {
    TClassMember(TPropInfo P) : Prop(std::move(P)) {}
    TClassMember(THandlerInfo H) : Handler(std::move(H)) {}
    std::optional<TPropInfo> Prop;
    std::optional<THandlerInfo> Handler;
};

using TComponentFactory = TComponent* (*)(TComponent* Owner);

struct TClassInfo {
    TClassInfo(const char* Name, const TClassInfo* Parent, TComponentFactory Create,
               std::initializer_list<TClassMember> Members);
    std::string Name;
    const TClassInfo* Parent;
    TComponentFactory Create;             // null for abstract and non-component classes
    std::vector<TPropInfo> Props;         // this class's own published properties
    std::vector<THandlerInfo> Handlers;   // this class's own handler methods

    bool InheritsFrom(const TClassInfo& Ancestor) const;
    // Own or inherited, names compared ignoring ASCII case; null when there is none.
    const TPropInfo* FindProp(const std::string& PropName) const;
    const THandlerInfo* FindHandler(const std::string& HandlerName) const;
};

class TObject {
public:
    virtual ~TObject() = default;
    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
    const std::string& ClassName() const { return ClassInfo().Name; }
    bool InheritsFrom(const TClassInfo& Ancestor) const { return ClassInfo().InheritsFrom(Ancestor); }
};

// Class registry. PANTREL_REGISTER registers a class when its object file is linked in; a
// class that only designs name (never code) must be registered from code so the linker
// keeps it: RegisterComponentClass(TSkinData::StaticClassInfo()).
void RegisterComponentClass(const TClassInfo& Info);
const TClassInfo* FindClass(const std::string& Name);   // ignoring ASCII case; null if unknown
// Creates a component of a registered class; raises EComponentError for an unknown or
// abstract class.
TComponent* CreateComponent(const std::string& ClassName, TComponent* Owner);

template<class C>
TComponentFactory PantrelFactory()
{
    if constexpr (std::is_base_of_v<TComponent, C> && !std::is_abstract_v<C> &&
                  std::is_constructible_v<C, TComponent*>)
        return [](TComponent* Owner) -> TComponent* { return new C(Owner); };
    else
        return nullptr;
}

// In the class body: PANTREL_CLASS(TButton, TWinControl). Declares StaticClassInfo(),
// overrides ClassInfo() and names the parent `inherited`. Leaves the access public.
#define PANTREL_CLASS(Class, ParentClass)                                          \
public:                                                                            \
    using inherited = ParentClass;                                                 \
    static const TClassInfo& StaticClassInfo();                                    \
    const TClassInfo& ClassInfo() const override { return Class::StaticClassInfo(); }

// In the class's .cpp: the class's own published properties and handlers (PROP_... and
// PROP_HANDLER from TypInfo.h), and its registration by name.
#define PANTREL_REGISTER(Class, ParentClass, ...)                                  \
    const TClassInfo& Class::StaticClassInfo()                                     \
    {                                                                              \
        using Self [[maybe_unused]] = Class;                                       \
        static const TClassInfo Info(#Class, &ParentClass::StaticClassInfo(),     \
                                     PantrelFactory<Class>(), {__VA_ARGS__});      \
        return Info;                                                               \
    }                                                                              \
    [[maybe_unused]] static const bool PantrelRegistered_##Class =                                  \
        (RegisterComponentClass(Class::StaticClassInfo()), true);
