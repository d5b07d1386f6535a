// TDelegate<R(Args...)>: a method pointer (object + member function, or a plain function),
// the type of every event. Empty by default; calling an empty one does nothing and returns
// a value-initialised result. Copyable and comparable, so a handler can be saved, replaced
// and given back.
#pragma once

#include <cstring>
#include <type_traits>
#include <utility>

class TObject;

template<class Sig>
class TDelegate;

template<class R, class... Args>
class TDelegate<R(Args...)> {
public:
    using Signature = R(Args...);

    TDelegate() = default;

    template<class B, class D>
    TDelegate(D* Object, R (B::*Method)(Args...))
    {
        static_assert(std::is_base_of_v<B, D>, "method of an unrelated class");
        Store(static_cast<B*>(Object), Method, &CallMethod<B, R (B::*)(Args...)>);
    }
    template<class B, class D>
    TDelegate(D* Object, R (B::*Method)(Args...) const)
    {
        static_assert(std::is_base_of_v<B, D>, "method of an unrelated class");
        Store(static_cast<B*>(Object), Method, &CallMethod<B, R (B::*)(Args...) const>);
    }
    TDelegate(R (*Function)(Args...))
    {
        if (Function)
            Store(static_cast<void*>(nullptr), Function, &CallFunction);
    }

    bool Assigned() const { return FInvoke != nullptr; }
    explicit operator bool() const { return Assigned(); }
    // The object the delegate calls (null for a plain function).
    void* Object() const { return FObject; }

    R operator()(Args... A) const
    {
        if (!FInvoke) {
            if constexpr (std::is_void_v<R>)
                return;
            else
                return R();
        }
        return FInvoke(FObject, FCode, std::forward<Args>(A)...);
    }

    bool operator==(const TDelegate& O) const
    {
        return FInvoke == O.FInvoke && FObject == O.FObject &&
               std::memcmp(FCode, O.FCode, sizeof FCode) == 0;
    }
    bool operator!=(const TDelegate& O) const { return !(*this == O); }

private:
    // Room for a member function pointer (two words on the Itanium ABI) or a function pointer.
    using TInvoke = R (*)(void* Object, const unsigned char* Code, Args&&... A);

    template<class M>
    void Store(void* Object, M Code, TInvoke Invoke)
    {
        static_assert(sizeof(M) <= sizeof FCode, "method pointer too large");
        FObject = Object;
        std::memcpy(FCode, &Code, sizeof(M));
        FInvoke = Invoke;
    }
    // GCC cannot see that a method pointer of a class without virtual methods never reads
    // a vtable, and warns about small objects.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#endif
    template<class B, class M>
    static R CallMethod(void* Object, const unsigned char* Code, Args&&... A)
    {
        M Method;
        std::memcpy(&Method, Code, sizeof(M));
        return (static_cast<B*>(Object)->*Method)(std::forward<Args>(A)...);
    }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
    static R CallFunction(void*, const unsigned char* Code, Args&&... A)
    {
        R (*Function)(Args...);
        std::memcpy(&Function, Code, sizeof Function);
        return Function(std::forward<Args>(A)...);
    }

    void* FObject = nullptr;
    alignas(void*) unsigned char FCode[2 * sizeof(void*)] = {};
    TInvoke FInvoke = nullptr;
};

template<class D, class B, class R, class... Args>
TDelegate<R(Args...)> MakeDelegate(D* Object, R (B::*Method)(Args...))
{
    return TDelegate<R(Args...)>(Object, Method);
}

using TNotifyEvent = TDelegate<void(TObject* Sender)>;
