#pragma once
#include <memory>
#include <vector>

#include "components/TPersistent.h"

class TCustomListView;
class TListItem;

// The rows of a list view. They live here and are mirrored into the view's window; in an
// owner-data view they live with the view's owner instead: only their count is kept here, and a
// row asked for is filled by the view's OnData.
class TListItems : public TPersistent {
    DECLARE_CLASS(TListItems, TPersistent)
public:
    explicit TListItems(TCustomListView& view) : FView(view) {}
    ~TListItems() override;

    int Count() const;
    // Owner data: the view shows this many rows and asks for their texts as it paints them.
    void SetCount(int count);
    // Throws EListError. In an owner-data view the row is filled anew by OnData at each call
    // and stays valid until the next call.
    TListItem* Item(int index) const;
    TListItem* operator[](int index) const { return Item(index); }
    TListItem* Add();
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int IndexOf(const TListItem* item) const;
    void BeginUpdate();
    void EndUpdate();

    TCustomListView& View() const { return FView; }
    // Puts every row into the view's window (after it was made).
    void PushToWindow();
    // A row's texts changed: the window shows them again.
    void ItemChanged(TListItem* item);

private:
    void InsertIntoWindow(int index);
    bool OwnerData() const;

    TCustomListView& FView;
    std::vector<TListItem*> FItems;
    int FUpdateCount = 0;
    int FOwnerDataCount = 0;
    std::unique_ptr<TListItem> FOwnerDataItem;
};
