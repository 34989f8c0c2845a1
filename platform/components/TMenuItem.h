#pragma once
#include "components/Win32.h"

#include <string>
#include <vector>

#include "components/ControlTypes.h"
#include "components/TComponent.h"

class TCanvas;
class TMenu;

using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)>;
using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;

// Short-cut keys of menu items: the virtual key with these bits added.
constexpr int scShift = 0x2000;
constexpr int scCtrl = 0x4000;
constexpr int scAlt = 0x8000;
std::string ShortCutToText(int shortCut);

// One entry of a menu: a command, a separator (caption "-") or a sub-menu. Its command number
// is the WM_COMMAND identifier of the entry; Handle is the menu handle of its sub-menu.
class TMenuItem : public TComponent {
    DECLARE_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& caption);
    bool Checked() const { return FChecked; }
    void SetChecked(bool checked);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    bool Default() const { return FDefault; }
    void SetDefault(bool isDefault);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool radio);
    int ShortCut() const { return FShortCut; }
    void SetShortCut(int shortCut);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& hint) { FHint = hint; }
    bool IsLine() const { return FCaption == "-"; }

    int Command() const { return FCommand; }
    HMENU Handle();
    bool HasHandle() const { return FHandle != nullptr; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* operator[](int index) const { return Items(index); }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    void Delete(int index);  // frees the item
    void Clear();            // frees every item
    int IndexOf(const TMenuItem* item) const;
    int MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
    TMenuItem* Parent() const { return FParent; }
    TMenu* GetParentMenu() const;
    TMenuItem* FindByCommand(int command);
    TMenuItem* FindByHandle(HMENU handle);

    virtual void Click();
    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

    // The item whose menu data this is, when it is a live item (checks the pointer).
    static TMenuItem* FromItemData(ULONG_PTR data);
    // Rebuilds the entries of this item's menu handle (after items or their looks changed).
    void RebuildHandle();

private:
    friend class TMenu;
    void Changed();
    void Populate();

    std::string FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    bool FRadioItem = false;
    int FShortCut = 0;
    int FImageIndex = -1;
    std::string FHint;
    int FCommand = 0;
    HMENU FHandle = nullptr;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;  // set on the root item of a menu
    std::vector<TMenuItem*> FItems;
};
