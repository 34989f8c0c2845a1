#pragma once
// The menu bar of a skinned window, drawn in the window's non-client area in place of the
// system's: one item per entry of the window's menu (with the caption, state and drop-down of
// the component's item when the window is a form), laid out and painted on the skin's menu-bar
// picture. The window's own menu is taken away while the bar stands, so that the system no
// longer draws it; the window gives it back when it is unskinned.
#include "components/Win32.h"

#include <memory>
#include <utility>
#include <vector>

#include "MenuBtn.h"
#include "components/TBitmap.h"

class TMenu;
class TCanvas;
class TMenuItem;
class TSkinData;
class TWinSkinForm;

class TWinSkinMenu {
public:
    TWinSkinMenu(TWinSkinForm* form, TSkinData* skinData);
    ~TWinSkinMenu();
    TWinSkinMenu(const TWinSkinMenu&) = delete;
    TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

    // The items from the window's menu, completed from the component's menu, then the menu
    // taken from the window (unless `takeMenu` is false: the window keeps it until
    // TakeMenuAway). Nothing happens without a menu, or for a form without a menu.
    void BuildItems(bool takeMenu = true);
    // The system draws the window's menu no more.
    void TakeMenuAway();
    // The items from the component's menu alone (the systems that cannot read a menu's items).
    void BuildFromComponent(bool takeMenu = true);
    // The items again after the window's menu changed.
    void UpdateItems();
    // The bar into the rectangle (window coordinates) of the DC: the skin's picture, then the
    // captions; each item's rectangle is laid out on the way.
    void Paint(HDC dc, const TRect& r);
    // The item at the point (window coordinates) with a caption; nullptr for none.
    TMenuBtn* ItemAt(const TPoint& p) const;
    // The drop-down's items drawn by the skin while the bar stands.
    void MakeDropDownOwnerDraw(HMENU dropDown);
    // The items the bar made owner-drawn are the system's to draw again.
    void GiveOwnerDrawBack();
    // Where the first item begins, counted from the bar's edge the items start from.
    int LeftMargin() const;
    // Whether the items run from the right edge leftwards.
    bool RightToLeft() const;
    // The item's caption centred in the box, in the bar's text colours.
    void DrawItemCaption(HDC dc, const TMenuBtn& item, const TRect& box) const;

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuBtn* Items(int index) const;
    // The form's menu component as it is now (a form may be given another); nullptr for a raw
    // window or a form without one.
    TMenu* Menu() const;
    HMENU MenuHandle() const { return FMenuHandle; }
    const TRect& BarRect() const { return FBarRect; }
    // The bar as last painted, without captions.
    TBitmap* Background() const { return FBackground.get(); }

private:
    // Reads the items from the window's menu; with `update` only items with a text are looked
    // up in the component's menu, and their commands come from it.
    void ReadItems(bool update);
    void FreeItems();
    bool TakeWindowMenu();
    int PaintBackground(TCanvas* canvas, const TRect& whole);
    void LayoutAndDrawCaptions(HDC dc, const TRect& r);
    void PaintMDIButtons(HDC dc);

    std::vector<std::unique_ptr<TMenuBtn>> FItems;
    TRect FBarRect;
    TSkinData* FSkinData;
    TWinSkinForm* FForm;
    std::unique_ptr<TBitmap> FBackground;
    bool FPainting = false;
    HMENU FMenuHandle = nullptr;
    int FFirstItemOffset = 0;
    std::vector<std::pair<HMENU, UINT>> FOwnerDrawn;
};

// The separators of the drop-down that are not needed are hidden: none at its start or end,
// and one of each run.
void HideExtraSeparators(TMenuItem* item);
// Every item of the menu and of its sub-menus is made owner-drawn; those that were not are
// noted (menu, position) in `changed` when given.
void MakeMenuOwnerDraw(HMENU menu, std::vector<std::pair<HMENU, UINT>>* changed = nullptr);
