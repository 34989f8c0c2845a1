#pragma once
#include "components/Win32.h"

#include "components/Messages.h"
#include "components/TComponent.h"
#include "components/TMenuItem.h"

class TImageList;

// A menu: a root item whose entries are the menu's; the menu handle is the root's.
class TMenu : public TComponent {
    DECLARE_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    TMenuItem* Items() const { return FItems; }
    HMENU Handle() { return FItems->Handle(); }
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool ownerDraw);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* images);
    virtual bool IsMenuBar() const { return false; }
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode mode) { FBiDiMode = mode; }
    bool IsRightToLeft() const { return FBiDiMode != bdLeftToRight; }

    // Clicks the item of that command; false when the menu has none.
    bool DispatchCommand(WORD command);
    bool IsShortCut(WORD key, TShiftState shift);
    TMenuItem* FindItemByCommand(int command) { return FItems->FindByCommand(command); }
    TMenuItem* FindItemByHandle(HMENU handle) { return FItems->FindByHandle(handle); }
    // Something in the menu changed; a main menu tells its form.
    virtual void MenuChanged();

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    void Notification(TComponent* component, TOperation operation) override;

    // WM_MEASUREITEM and WM_DRAWITEM of owner-drawn items of these menus: the item's
    // OnMeasureItem and OnDrawItem, or a plain drawing. False for anything else.
    static bool HandleOwnerDraw(TMessage& message);
    // The size the menu gives an owner-drawn item of its own: what an item's OnMeasureItem
    // starts from.
    static void MeasureItem(TMenuItem* item, TCanvas& canvas, int& width, int& height);

private:
    void RebuildAll(TMenuItem* item);

    TMenuItem* FItems;
    bool FOwnerDraw = false;
    TImageList* FImages = nullptr;
    TBiDiMode FBiDiMode = bdLeftToRight;
};
