#pragma once
#include <memory>

#include "components/TItemStrings.h"
#include "components/TWinControl.h"

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
extern const TEnumType ComboBoxStyleType;

// A combo box on the standard combo box window. Height is the closed height; the window gets
// room for DropDownCount items below it.
class TCustomComboBox : public TWinControl {
    DECLARE_CLASS(TCustomComboBox, TWinControl)
public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;

    TStrings* Items() { return FItems.get(); }
    void SetItems(TStrings* items) { FItems->Assign(items); }
    int ItemIndex();
    void SetItemIndex(int index);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle style);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int count) { FDropDownCount = count; }
    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int height) { FItemHeight = height; }
    bool DroppedDown();
    void SetDroppedDown(bool down);
    void Clear();

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;
    int WindowHeightFor(int height) const override;
    void Loaded() override;
    virtual void Change();
    virtual void Select();
    // Owner-drawn styles draw their items here.
    virtual void DrawItem(int index, const TRect& r, UINT state, HDC dc);

private:
    std::unique_ptr<TItemStrings> FItems;
    int FItemIndex = -1;  // kept while there is no window
    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
    bool FSorted = false;
    int FItemHeight = 16;
};

class TComboBox : public TCustomComboBox {
    DECLARE_CLASS(TComboBox, TCustomComboBox)
public:
    explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
};
