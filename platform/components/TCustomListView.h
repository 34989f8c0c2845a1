#pragma once
#include <memory>

#include "components/TListColumn.h"
#include "components/TListItem.h"
#include "components/TListItems.h"
#include "components/TWinControl.h"

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
extern const TEnumType ViewStyleType;

class TImageList;
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
// Fills an owner-data row (Item->Index()) with its caption and further column texts.
using TLVOwnerDataEvent = std::function<void(TObject* Sender, TListItem* Item)>;

// A list view on the standard list-view window; in report style one column per TListColumn.
// With OwnerData the window holds no rows: it is told their count and asks for the texts of the
// rows it paints, so a list of thousands is rebuilt by setting its count.
class TCustomListView : public TWinControl {
    DECLARE_CLASS(TCustomListView, TWinControl)
public:
    explicit TCustomListView(TComponent* owner);
    ~TCustomListView() override;

    TListColumns* Columns() { return &FColumns; }
    void SetColumns(TListColumns* columns) { FColumns.Assign(columns); }
    TListItems* Items() { return &FItems; }
    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle style);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool readOnly);
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool rowSelect);
    bool GridLines() const { return FGridLines; }
    void SetGridLines(bool gridLines);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool hide);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool multi);
    bool OwnerData() const { return FOwnerData; }
    void SetOwnerData(bool ownerData);
    TImageList* SmallImages() const { return FSmallImages; }
    void SetSmallImages(TImageList* images);
    // The first selected row; nullptr when none is.
    TListItem* Selected();
    void SetSelected(TListItem* item);
    int ItemIndex();

    TLVSelectItemEvent OnSelectItem;
    TLVOwnerDataEvent OnData;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& message) override;

private:
    void UpdateColumns();
    void UpdateExtendedStyle();
    void GiveCellText(NMHDR* header);

    TListColumns FColumns;
    TListItems FItems;
    TViewStyle FViewStyle = vsIcon;
    bool FReadOnly = false;
    bool FRowSelect = false;
    bool FGridLines = false;
    bool FHideSelection = true;
    bool FMultiSelect = false;
    bool FOwnerData = false;
    TImageList* FSmallImages = nullptr;
    std::string FTextBuffer;
    std::wstring FWideBuffer;
};

class TListView : public TCustomListView {
    DECLARE_CLASS(TListView, TCustomListView)
public:
    explicit TListView(TComponent* owner) : TCustomListView(owner) {}
};
