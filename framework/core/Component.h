// TComponent: a named object owned by another component. The owner frees what it owns
// (last created first) and everyone who asked hears of a component's removal.
#pragma once

#include "framework/core/Persistent.h"
#include "framework/core/Set.h"
#include "framework/core/TypInfo.h"

#include <cstdint>
#include <string>
#include <vector>

using NativeInt = intptr_t;

// csDesigning is never set at run time; it exists for code that asks.
enum TComponentStateItem { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating };
using TComponentState = TSet<TComponentStateItem>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
    PANTREL_CLASS(TComponent, TPersistent)
    explicit TComponent(TComponent* AOwner);
    // Frees the owned components and leaves the owner. Derived destructors run first, so a
    // class that needs its components gone earlier calls DestroyComponents itself.
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int Index) const;   // creation order; EListError out of range
    int ComponentIndex() const;                // position in the owner's list, -1 if none

    const std::string& Name() const { return FName; }
    // Raises EComponentError for a name that is not an identifier or that another
    // component of the same owner already has (ignoring ASCII case). "" is allowed.
    virtual void SetName(const std::string& NewName);
    NativeInt Tag() const { return FTag; }
    void SetTag(NativeInt Value) { FTag = Value; }

    // An owned component by name, ignoring ASCII case; null if none.
    TComponent* FindComponent(const std::string& AName) const;
    TComponentState ComponentState() const { return FComponentState; }

    void InsertComponent(TComponent* AComponent);   // takes it from its old owner
    void RemoveComponent(TComponent* AComponent);   // notifies, then releases (no delete)
    void DestroyComponents();                       // deletes all owned, last first
    void Destroying();                              // includes csDestroying

    // AComponent is told (Notification opRemove) when this component goes, and the other
    // way round.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Called by the design reader after the whole design is read; clears csLoading.
    // Overrides call inherited::Loaded() first.
    virtual void Loaded();
    // AComponent was inserted into or removed from this component's owner chain, or
    // (opRemove) a component this one asked about goes. The base forwards it to every
    // owned component. During destruction of AComponent only compare the pointer.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

    // The design reader calls SetParentComponent for every nested object with the object
    // around it; TControl makes that its Parent.
    virtual void SetParentComponent(TComponent* Parent);
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual bool HasParent() const { return false; }

private:
    friend class TDesignReader;
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void RemoveNotification(TComponent* AComponent);

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    std::string FName;
    NativeInt FTag = 0;
    TComponentState FComponentState;
};
