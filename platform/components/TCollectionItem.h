#pragma once
#include "components/TPersistent.h"

class TCollection;

// One entry of a collection (a list-view column, a status-bar panel): freed by its collection,
// and takes itself out of the collection when freed.
class TCollectionItem : public TPersistent {
    DECLARE_CLASS(TCollectionItem, TPersistent)
public:
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    int Index() const;

protected:
    // Tells the collection (and through it the owning control) that this item changed.
    void Changed();

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
};
