#pragma once
#include <vector>

#include "components/TPersistent.h"

class TCustomListView;
class TListItem;

// The rows of a list view. They live here and are mirrored into the view's window.
class TListItems : public TPersistent {
    DECLARE_CLASS(TListItems, TPersistent)
public:
    explicit TListItems(TCustomListView& view) : FView(view) {}
    ~TListItems() override;

    int Count() const { return static_cast<int>(FItems.size()); }
    TListItem* Item(int index) const;  // throws EListError
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

    TCustomListView& FView;
    std::vector<TListItem*> FItems;
    int FUpdateCount = 0;
};
