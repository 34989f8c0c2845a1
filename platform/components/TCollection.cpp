#include "components/TCollection.h"

#include <algorithm>

#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "components/TCollectionItem.h"

const TClassInfo& TCollectionItem::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCollectionItem>("TCollectionItem").Build();
    return info;
}

TCollectionItem::TCollectionItem(TCollection* collection) : FCollection(collection) {}

TCollectionItem::~TCollectionItem() {
    if (FCollection) FCollection->Detach(this);
}

int TCollectionItem::Index() const {
    if (!FCollection) return -1;
    const auto& items = FCollection->FItems;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::Changed() {
    if (FCollection) FCollection->Changed(this);
}

const TClassInfo& TCollection::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCollection>("TCollection").Build();
    return info;
}

TCollection::~TCollection() {
    FClearing = true;
    for (TCollectionItem* item : FItems) {
        item->FCollection = nullptr;
        delete item;
    }
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FItems[static_cast<size_t>(index)];
}

TCollectionItem* TCollection::AddItem() {
    TCollectionItem* item = CreateItem();
    Attach(item);
    return item;
}

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear() {
    if (FItems.empty()) return;
    BeginUpdate();
    while (!FItems.empty()) delete FItems.back();
    EndUpdate();
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed(nullptr);
}

void TCollection::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TCollection*>(source);
    if (!other) return TPersistent::Assign(source);
    BeginUpdate();
    Clear();
    for (TCollectionItem* item : other->FItems) AddItem()->Assign(item);
    EndUpdate();
}

void TCollection::Attach(TCollectionItem* item) {
    item->FCollection = this;
    FItems.push_back(item);
    Changed(nullptr);
}

void TCollection::Detach(TCollectionItem* item) {
    FItems.erase(std::remove(FItems.begin(), FItems.end(), item), FItems.end());
    item->FCollection = nullptr;
    if (!FClearing) Changed(nullptr);
}

void TCollection::Changed(TCollectionItem* item) {
    if (FUpdateCount == 0 && OnUpdate) OnUpdate(item);
}
