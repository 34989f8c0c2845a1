#pragma once
// Named, owned objects: an owner frees what it owns, a freed component leaves its owner's list
// and tells those that asked for it (FreeNotification) that it is gone.
#include <functional>
#include <string>
#include <vector>

#include "components/TPersistent.h"

enum TComponentStateFlag : unsigned {
    csLoading = 1,     // read from a form description; cleared by Loaded
    csReading = 2,     // its properties are being read
    csWriting = 4,
    csDestroying = 8,
    csDesigning = 16,  // never set in these programs: there is no designer
    csUpdating = 32,
};
using TComponentState = unsigned;

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
    DECLARE_CLASS(TComponent, TPersistent)
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    const std::string& Name() const { return FName; }
    virtual void SetName(const std::string& name);  // throws EComponentError
    int Tag() const { return FTag; }
    void SetTag(int tag) { FTag = tag; }

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;
    TComponent* FindComponent(const std::string& name) const;  // case-insensitive; nullptr when absent
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void DestroyComponents();

    TComponentState ComponentState() const { return FState; }
    bool InState(TComponentStateFlag flag) const { return (FState & flag) != 0; }
    void SetComponentState(TComponentState flags) { FState |= flags; }
    void ClearComponentState(TComponentState flags) { FState &= ~flags; }

    // Notification(this, opRemove) reaches the given component when this one is freed.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Called once on every component of a form description after the whole form was read.
    virtual void Loaded();
    // Nesting in a form description: the component enclosing this one in the text.
    virtual void SetParentComponent(TComponent* parent);
    virtual TComponent* GetParentComponent() const { return nullptr; }
    // The components a writer nests directly inside this one.
    virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);

    // Passes the notice on to every owned component, as an owner keeps them all informed.
    virtual void Notification(TComponent* component, TOperation operation);

private:
    void Unlink(std::vector<TComponent*>& list, TComponent* component);

    TComponent* FOwner = nullptr;
    std::string FName;
    int FTag = 0;
    TComponentState FState = 0;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};
