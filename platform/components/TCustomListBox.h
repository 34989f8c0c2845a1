#pragma once
#include <memory>

#include "components/TItemStrings.h"
#include "components/TWinControl.h"

// A list box on the standard list box window: OnClick when the selection changes, OnDblClick
// on a double click.
class TCustomListBox : public TWinControl {
    DECLARE_CLASS(TCustomListBox, TWinControl)
public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;

    TStrings* Items() { return FItems.get(); }
    void SetItems(TStrings* items) { FItems->Assign(items); }
    int ItemIndex();
    void SetItemIndex(int index);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool multi);
    bool Selected(int index);
    void Clear() { FItems->Clear(); }

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;

private:
    std::unique_ptr<TItemStrings> FItems;
    int FItemIndex = -1;
    bool FSorted = false;
    bool FMultiSelect = false;
};

class TListBox : public TCustomListBox {
    DECLARE_CLASS(TListBox, TCustomListBox)
public:
    explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
};
