#pragma once
#include <string>

#include "components/TStringList.h"

class TListItems;

// A row of a list view: its caption (the first column) and the texts of the further columns.
class TListItem : public TPersistent {
    DECLARE_CLASS(TListItem, TPersistent)
public:
    explicit TListItem(TListItems* owner);

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& caption);
    TStrings* SubItems() { return &FSubItems; }
    void* Data() const { return FData; }
    void SetData(void* data) { FData = data; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index);
    int Index() const;
    bool Selected() const;
    void SetSelected(bool selected);
    // Frees the item and takes it off the list.
    void Delete();

private:
    friend class TListItems;
    TListItems* FOwner;
    int FOwnerDataIndex = -1;  // the row an owner-data view filled this item for
    std::string FCaption;
    TStringList FSubItems;
    void* FData = nullptr;
    int FImageIndex = -1;
};
