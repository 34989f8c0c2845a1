#pragma once
#include <functional>
#include <vector>

#include "components/TPersistent.h"

class TCollectionItem;

class TCollection : public TPersistent {
    DECLARE_CLASS(TCollection, TPersistent)
public:
    ~TCollection() override;

    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int index) const;  // throws EListError
    // A new item of the collection's item class at the end.
    TCollectionItem* AddItem();
    void Delete(int index);
    void Clear();
    void BeginUpdate();
    void EndUpdate();
    void Assign(TPersistent* source) override;

    // Called with the changed item, or nullptr when items were added, removed or many changed.
    std::function<void(TCollectionItem*)> OnUpdate;

protected:
    virtual TCollectionItem* CreateItem() = 0;

private:
    friend class TCollectionItem;
    void Attach(TCollectionItem* item);
    void Detach(TCollectionItem* item);
    void Changed(TCollectionItem* item);

    std::vector<TCollectionItem*> FItems;
    int FUpdateCount = 0;
    bool FClearing = false;
};

// A collection of one item class, with typed access.
template <class Item>
class TTypedCollection : public TCollection {
public:
    Item* Add() { return static_cast<Item*>(AddItem()); }
    Item* operator[](int index) const { return static_cast<Item*>(Items(index)); }

protected:
    TCollectionItem* CreateItem() override { return new Item(this); }
};
