// Published properties: declaring them per class (PROP_... inside PANTREL_REGISTER) and
// reading or writing them by name and as text, as the design reader and the skin engine do.
#pragma once

#include "framework/core/Delegate.h"
#include "framework/core/Exception.h"
#include "framework/core/Object.h"
#include "framework/core/Set.h"

#include <functional>
#include <type_traits>

// A property that does not exist or cannot take the given value.
PANTREL_EXCEPTION(EPropertyError, EConvertError);

// PANTREL_ENUM(TAlign, alNone, alTop, alBottom) declares the enumeration (values from 0)
// and its names for published properties. PANTREL_ENUM_NAMES adds the names to an
// enumeration declared elsewhere (same order, values from 0).
#define PANTREL_ENUM(Type, ...)                                           \
    enum Type { __VA_ARGS__ };                                            \
    PANTREL_ENUM_NAMES(Type, __VA_ARGS__)
#define PANTREL_ENUM_NAMES(Type, ...)                                     \
    inline const TEnumInfo& EnumTypeInfo(Type)                            \
    {                                                                     \
        static const TEnumInfo Info(#Type, #__VA_ARGS__);                 \
        return Info;                                                      \
    }

const TEnumInfo& EnumTypeInfo(bool);   // "Boolean": False, True

// --- Lookup and conversion by name -------------------------------------------------------
// Own or inherited published property, names ignoring ASCII case; null if none.
const TPropInfo* GetPropInfo(const TObject* Obj, const std::string& Name);
bool IsPublishedProp(const TObject* Obj, const std::string& Name);
// Raises EPropertyError when the property does not exist.
TTypeKind PropType(const TObject* Obj, const std::string& Name);

// Follows a dotted path ("Font.Name") through font, string-list and class properties:
// on return Obj is the object that holds the last property. Null if a step is missing.
const TPropInfo* ResolvePropPath(TObject*& Obj, const std::string& Path);

// The value as text: integers in decimal, enumerations and Booleans by name, sets as
// "[a,b]", colours by name ("clBtnFace") or number, strings as they are, string lists as
// their Text, components by name, events by handler name ("" when unassigned).
std::string GetPropValue(const TObject* Obj, const std::string& Path);
// Sets from the same text forms (a set may omit the brackets; a component or handler name
// is looked up in the object's owner, or in the object itself when it has none; "" or
// "nil" clears). Raises EPropertyError for an unknown property, a read-only one or a
// value it cannot take.
void SetPropValue(TObject* Obj, const std::string& Path, const std::string& Value);

// Sets Prop only when Obj has a published property of that name whose type is an
// enumeration or Boolean and Value is one of its names; returns whether it did.
bool SetEnumPropByName(TObject* Obj, const std::string& Prop, const std::string& Value);

int64_t GetOrdProp(const TObject* Obj, const std::string& Name);     // raise EPropertyError
void SetOrdProp(TObject* Obj, const std::string& Name, int64_t Value);
std::string GetStrProp(const TObject* Obj, const std::string& Name);
void SetStrProp(TObject* Obj, const std::string& Name, const std::string& Value);
TPersistent* GetObjectProp(const TObject* Obj, const std::string& Name);

// Value name, or the number as text when out of range.
std::string GetEnumName(const TEnumInfo& Info, int64_t Value);
int GetEnumValue(const TEnumInfo& Info, const std::string& Name);   // -1 if unknown
std::string SetToString(const TEnumInfo& Info, uint64_t Bits);     // "[a,b]"
uint64_t StringToSet(const TEnumInfo& Info, const std::string& Text); // EPropertyError

// --- Declaring properties ----------------------------------------------------------------
// Inside PANTREL_REGISTER(Class, Parent, ...), with Self = Class. Getters are const member
// functions or data members; setters member functions taking the value, or data members.
#define PROP_INT(Name, Get, Set) MakeOrdProp<Self>(#Name, tkInteger, nullptr, &Self::Get, &Self::Set)
#define PROP_BOOL(Name, Get, Set) MakeOrdProp<Self>(#Name, tkBoolean, &EnumTypeInfo(false), &Self::Get, &Self::Set)
#define PROP_ENUM(Name, Get, Set) MakeEnumProp<Self>(#Name, &Self::Get, &Self::Set)
#define PROP_SET(Name, Get, Set) MakeSetProp<Self>(#Name, &Self::Get, &Self::Set)
#define PROP_COLOR(Name, Get, Set) MakeOrdProp<Self>(#Name, tkColor, nullptr, &Self::Get, &Self::Set)
#define PROP_STRING(Name, Get, Set) MakeStrProp<Self>(#Name, &Self::Get, &Self::Set)
#define PROP_FONT(Name, Get) MakeObjectProp<Self>(#Name, tkFont, &Self::Get)
#define PROP_STRINGS(Name, Get) MakeObjectProp<Self>(#Name, tkStrings, &Self::Get)
#define PROP_CLASS(Name, Get) MakeObjectProp<Self>(#Name, tkClass, &Self::Get)
#define PROP_COMPONENT(Name, Get, Set) MakeComponentProp<Self>(#Name, &Self::Get, &Self::Set)
#define PROP_EVENT(Name, Field) MakeEventProp<Self>(#Name, &Self::Field)
// A handler method of a form class, bindable by name from its design.
#define PROP_HANDLER(Method) MakeHandler<Self>(#Method, &Self::Method)

template<class G> struct TPropValueOf;
template<class C, class R> struct TPropValueOf<R (C::*)() const> { using Type = std::decay_t<R>; };
template<class C, class R> struct TPropValueOf<R C::*> { using Type = R; };

template<class V> struct TSetMember;
template<class E> struct TSetMember<TSet<E>> { using Type = E; };

template<class Self, class G>
decltype(auto) PropGet(const TObject* Obj, G Getter)
{
    return std::invoke(Getter, static_cast<const Self*>(Obj));
}
template<class Self, class S, class V>
void PropSet(TObject* Obj, S Setter, V&& Value)
{
    Self* Target = static_cast<Self*>(Obj);
    if constexpr (std::is_member_object_pointer_v<S>)
        std::invoke(Setter, Target) = std::forward<V>(Value);
    else
        std::invoke(Setter, Target, std::forward<V>(Value));
}

template<class Self, class G, class S>
TPropInfo MakeOrdProp(const char* Name, TTypeKind Kind, const TEnumInfo* Enum, G Getter, S Setter)
{
    using V = typename TPropValueOf<G>::Type;
    TPropInfo P;
    P.Name = Name;
    P.Kind = Kind;
    P.Enum = Enum;
    P.ReadOrd = [Getter](const TObject* Obj) -> int64_t {
        if constexpr (std::is_integral_v<V> || std::is_enum_v<V>)
            return static_cast<int64_t>(PropGet<Self>(Obj, Getter));
        else
            return static_cast<int64_t>(PropGet<Self>(Obj, Getter).Bits());
    };
    if constexpr (!std::is_null_pointer_v<S>)
        P.WriteOrd = [Setter](TObject* Obj, int64_t Value) {
            if constexpr (std::is_integral_v<V> || std::is_enum_v<V>)
                PropSet<Self>(Obj, Setter, static_cast<V>(Value));
            else
                PropSet<Self>(Obj, Setter, V::FromBits(static_cast<uint64_t>(Value)));
        };
    return P;
}

template<class Self, class G, class S>
TPropInfo MakeEnumProp(const char* Name, G Getter, S Setter)
{
    using V = typename TPropValueOf<G>::Type;
    return MakeOrdProp<Self>(Name, tkEnumeration, &EnumTypeInfo(V{}), Getter, Setter);
}

template<class Self, class G, class S>
TPropInfo MakeSetProp(const char* Name, G Getter, S Setter)
{
    using E = typename TSetMember<typename TPropValueOf<G>::Type>::Type;
    return MakeOrdProp<Self>(Name, tkSet, &EnumTypeInfo(E{}), Getter, Setter);
}

template<class Self, class G, class S>
TPropInfo MakeStrProp(const char* Name, G Getter, S Setter)
{
    TPropInfo P;
    P.Name = Name;
    P.Kind = tkString;
    P.ReadStr = [Getter](const TObject* Obj) { return std::string(PropGet<Self>(Obj, Getter)); };
    if constexpr (!std::is_null_pointer_v<S>)
        P.WriteStr = [Setter](TObject* Obj, const std::string& Value) { PropSet<Self>(Obj, Setter, Value); };
    return P;
}

template<class Self, class G>
TPropInfo MakeObjectProp(const char* Name, TTypeKind Kind, G Getter)
{
    TPropInfo P;
    P.Name = Name;
    P.Kind = Kind;
    P.ReadObject = [Getter](const TObject* Obj) -> TPersistent* {
        decltype(auto) Sub = PropGet<Self>(Obj, Getter);
        if constexpr (std::is_pointer_v<std::decay_t<decltype(Sub)>>)
            return Sub;
        else
            return const_cast<std::remove_const_t<std::remove_reference_t<decltype(Sub)>>*>(&Sub);
    };
    return P;
}

template<class Self, class G, class S>
TPropInfo MakeComponentProp(const char* Name, G Getter, S Setter)
{
    using T = std::remove_pointer_t<typename TPropValueOf<G>::Type>;
    TPropInfo P;
    P.Name = Name;
    P.Kind = tkComponent;
    P.RefClass = &T::StaticClassInfo;   // lazily: the class may refer to itself
    P.ReadComponent = [Getter](const TObject* Obj) -> TComponent* { return PropGet<Self>(Obj, Getter); };
    if constexpr (!std::is_null_pointer_v<S>)
        P.WriteComponent = [Setter](TObject* Obj, TComponent* Value) {
            T* Typed = dynamic_cast<T*>(Value);
            if (Value && !Typed)
                return false;
            PropSet<Self>(Obj, Setter, Typed);
            return true;
        };
    return P;
}

template<class Self, class B, class Sig>
TPropInfo MakeEventProp(const char* Name, TDelegate<Sig> B::*Field)
{
    using D = TDelegate<Sig>;
    TPropInfo P;
    P.Name = Name;
    P.Kind = tkMethod;
    P.EventSignature = &typeid(Sig);
    P.BindMethod = [Field](TObject* Obj, const THandlerInfo& H, TObject* Root) {
        D Bound;
        H.Bind(Root, &Bound);
        static_cast<Self*>(Obj)->*Field = Bound;
    };
    P.IsMethod = [Field](const TObject* Obj, const THandlerInfo& H, TObject* Root) {
        if (*H.Signature != typeid(Sig))
            return false;
        D Bound;
        H.Bind(Root, &Bound);
        return static_cast<const Self*>(Obj)->*Field == Bound;
    };
    P.MethodAssigned = [Field](const TObject* Obj) { return (static_cast<const Self*>(Obj)->*Field).Assigned(); };
    P.ClearMethod = [Field](TObject* Obj) { static_cast<Self*>(Obj)->*Field = D(); };
    return P;
}

template<class Self, class B, class R, class... A>
THandlerInfo MakeHandler(const char* Name, R (B::*Method)(A...))
{
    THandlerInfo H;
    H.Name = Name;
    H.Signature = &typeid(R(A...));
    H.Bind = [Method](TObject* Root, void* Delegate) {
        *static_cast<TDelegate<R(A...)>*>(Delegate) = TDelegate<R(A...)>(static_cast<Self*>(Root), Method);
    };
    return H;
}
