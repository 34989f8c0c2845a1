#include "components/TMenuItem.h"

#include <algorithm>
#include <map>
#include <set>

#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "components/TMenu.h"

namespace {
std::map<int, TMenuItem*>& CommandTable() {
    static std::map<int, TMenuItem*> table;
    return table;
}

std::set<const TMenuItem*>& LiveItems() {
    static std::set<const TMenuItem*> items;
    return items;
}

// WM_COMMAND carries 16 bits of identifier; numbers of freed items are used again.
int AllocateCommand(TMenuItem* item) {
    static int next = 1;
    auto& table = CommandTable();
    for (int tries = 0; tries < 0xFFFF; ++tries) {
        const int candidate = next;
        next = next % 0xFFFE + 1;
        if (!table.count(candidate)) {
            table[candidate] = item;
            return candidate;
        }
    }
    throw EOSError("No menu command numbers left");
}
}  // namespace

std::string ShortCutToText(int shortCut) {
    if (!shortCut) return "";
    std::string text;
    if (shortCut & scCtrl) text += "Ctrl+";
    if (shortCut & scAlt) text += "Alt+";
    if (shortCut & scShift) text += "Shift+";
    const int key = shortCut & 0xFF;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return text + static_cast<char>(key);
    if (key >= VK_F1 && key <= VK_F24) return text + "F" + IntToStr(key - VK_F1 + 1);
    char name[64] = {0};
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(key), 0);
    if (GetKeyNameTextA(static_cast<LONG>(scan << 16), name, sizeof name) > 0) return text + name;
    return text;
}

const TClassInfo& TMenuItem::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMenuItem>("TMenuItem")
        .Str("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
        .Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(0)
        .Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault).Default(0)
        .Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(1)
        .Str("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
        .Int("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex).Default(-1)
        .Bool("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem).Default(0)
        .Int("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut).Default(0)
        .Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(1)
        .Event("OnClick", &TMenuItem::OnClick)
        .Event("OnDrawItem", &TMenuItem::OnDrawItem)
        .Event("OnMeasureItem", &TMenuItem::OnMeasureItem)
        .Build();
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {
    FCommand = AllocateCommand(this);
    LiveItems().insert(this);
}

TMenuItem::~TMenuItem() {
    LiveItems().erase(this);
    while (!FItems.empty()) delete FItems.back();
    if (FParent) FParent->Remove(this);
    if (FHandle) {
        while (GetMenuItemCount(FHandle) > 0) RemoveMenu(FHandle, 0, MF_BYPOSITION);
        DestroyMenu(FHandle);
    }
    CommandTable().erase(FCommand);
}

TMenuItem* TMenuItem::FromItemData(ULONG_PTR data) {
    auto* item = reinterpret_cast<TMenuItem*>(data);
    return LiveItems().count(item) ? item : nullptr;
}

// ---- properties ---------------------------------------------------------------------------

void TMenuItem::SetCaption(const std::string& caption) {
    if (caption == FCaption) return;
    FCaption = caption;
    Changed();
}

void TMenuItem::SetChecked(bool checked) {
    if (checked == FChecked) return;
    FChecked = checked;
    Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    Changed();
}

void TMenuItem::SetVisible(bool visible) {
    if (visible == FVisible) return;
    FVisible = visible;
    Changed();
}

void TMenuItem::SetDefault(bool isDefault) {
    if (isDefault == FDefault) return;
    FDefault = isDefault;
    Changed();
}

void TMenuItem::SetRadioItem(bool radio) {
    if (radio == FRadioItem) return;
    FRadioItem = radio;
    Changed();
}

void TMenuItem::SetShortCut(int shortCut) {
    if (shortCut == FShortCut) return;
    FShortCut = shortCut;
    Changed();
}

void TMenuItem::SetImageIndex(int index) {
    if (index == FImageIndex) return;
    FImageIndex = index;
    Changed();
}

void TMenuItem::Changed() {
    if (FParent) FParent->RebuildHandle();
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged();
}

// ---- the item tree ------------------------------------------------------------------------

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError("Menu index out of range");
    return FItems[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) return;
    if (item->FParent) throw EInvalidOperation("Menu inserted twice");
    index = std::max(0, std::min(index, Count()));
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    RebuildHandle();
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end()) return;
    FItems.erase(it);
    item->FParent = nullptr;
    RebuildHandle();
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged();
}

void TMenuItem::Delete(int index) { delete Items(index); }

void TMenuItem::Clear() {
    while (!FItems.empty()) delete FItems.back();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->FParent) item = item->FParent;
    return item->FMenu;
}

TMenuItem* TMenuItem::FindByCommand(int command) {
    if (FCommand == command && FParent) return this;
    for (TMenuItem* item : FItems)
        if (TMenuItem* found = item->FindByCommand(command)) return found;
    return nullptr;
}

TMenuItem* TMenuItem::FindByHandle(HMENU handle) {
    if (FHandle && FHandle == handle) return this;
    for (TMenuItem* item : FItems)
        if (TMenuItem* found = item->FindByHandle(handle)) return found;
    return nullptr;
}

void TMenuItem::Click() {
    if (!FEnabled) return;
    if (OnClick) OnClick(this);
}

// ---- the menu handle ------------------------------------------------------------------------

HMENU TMenuItem::Handle() {
    if (!FHandle) {
        // The root of a main menu is a menu bar; every other menu drops down.
        const bool bar = FMenu && FMenu->IsMenuBar();
        FHandle = bar ? CreateMenu() : CreatePopupMenu();
        if (!FHandle) throw EOSError("Cannot create a menu");
        Populate();
    }
    return FHandle;
}

void TMenuItem::Populate() {
    TMenu* menu = GetParentMenu();
    const bool ownerDraw = menu && menu->OwnerDraw();
    UINT position = 0;
    for (TMenuItem* item : FItems) {
        if (!item->FVisible) continue;
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_TYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
        info.fType = item->IsLine() ? MFT_SEPARATOR : MFT_STRING;
        if (ownerDraw) info.fType |= MFT_OWNERDRAW;
        if (item->FRadioItem) info.fType |= MFT_RADIOCHECK;
        info.fState = (item->FChecked ? MFS_CHECKED : 0) | (item->FEnabled ? 0 : MFS_GRAYED) | (item->FDefault ? MFS_DEFAULT : 0);
        info.wID = static_cast<UINT>(item->FCommand);
        info.hSubMenu = item->Count() > 0 ? item->Handle() : nullptr;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
        std::string text = item->FCaption;
        if (!ownerDraw && item->FShortCut) text += "\t" + ShortCutToText(item->FShortCut);
        info.dwTypeData = text.data();
        info.cch = static_cast<UINT>(text.size());
        InsertMenuItemA(FHandle, position++, TRUE, &info);
    }
}

void TMenuItem::RebuildHandle() {
    if (!FHandle) return;
    while (GetMenuItemCount(FHandle) > 0) RemoveMenu(FHandle, 0, MF_BYPOSITION);
    Populate();
}

// ---- reading and writing ------------------------------------------------------------------

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* menu = dynamic_cast<TMenu*>(parent)) menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent)) item->Add(this);
}

TComponent* TMenuItem::GetParentComponent() const {
    if (FParent && FParent->FMenu) return FParent->FMenu;
    return FParent;
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
    for (TMenuItem* item : FItems) proc(item);
}
