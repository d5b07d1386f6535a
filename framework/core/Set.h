// TSet<E>: a Delphi-style set of the members of an enumeration (values 0..63).
#pragma once

#include <cstdint>
#include <initializer_list>

template<class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> Items)
    {
        for (E Item : Items)
            FBits |= Bit(Item);
    }
    static constexpr TSet FromBits(uint64_t Bits)
    {
        TSet S;
        S.FBits = Bits;
        return S;
    }

    constexpr bool Contains(E Item) const { return (FBits & Bit(Item)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr uint64_t Bits() const { return FBits; }
    TSet& Include(E Item) { FBits |= Bit(Item); return *this; }
    TSet& Exclude(E Item) { FBits &= ~Bit(Item); return *this; }
    TSet& operator<<(E Item) { return Include(Item); }
    TSet& operator>>(E Item) { return Exclude(Item); }

    constexpr TSet operator+(TSet O) const { return FromBits(FBits | O.FBits); }
    constexpr TSet operator-(TSet O) const { return FromBits(FBits & ~O.FBits); }
    constexpr TSet operator*(TSet O) const { return FromBits(FBits & O.FBits); }
    constexpr bool operator==(TSet O) const { return FBits == O.FBits; }
    constexpr bool operator!=(TSet O) const { return FBits != O.FBits; }

private:
    static constexpr uint64_t Bit(E Item) { return uint64_t(1) << (static_cast<unsigned>(Item) & 63); }
    uint64_t FBits = 0;
};
