#pragma once
#include <string>

#include "components/ControlTypes.h"
#include "components/TCollection.h"
#include "components/TCollectionItem.h"

// A column of a report-style list view.
class TListColumn : public TCollectionItem {
    DECLARE_CLASS(TListColumn, TCollectionItem)
public:
    explicit TListColumn(TCollection* collection) : TCollectionItem(collection) {}

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& caption);
    int Width() const { return FWidth; }
    void SetWidth(int width);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    void Assign(TPersistent* source) override;

private:
    std::string FCaption;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
};

class TListColumns : public TTypedCollection<TListColumn> {
    DECLARE_CLASS(TListColumns, TCollection)
};
