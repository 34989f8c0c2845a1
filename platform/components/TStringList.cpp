#include "components/TStringList.h"

#include "components/TClassInfo.h"

const TClassInfo& TStringList::StaticClass() {
    static const TClassInfo info = TClassBuilder<TStringList>("TStringList").Build();
    return info;
}

std::string TStringList::Get(int index) const {
    CheckIndex(index, Count());
    return FItems[static_cast<size_t>(index)].Text;
}

void TStringList::Put(int index, const std::string& text) {
    CheckIndex(index, Count());
    FItems[static_cast<size_t>(index)].Text = text;
    Changed();
}

TObject* TStringList::Objects(int index) const {
    CheckIndex(index, Count());
    return FItems[static_cast<size_t>(index)].Object;
}

void TStringList::PutObject(int index, TObject* object) {
    CheckIndex(index, Count());
    FItems[static_cast<size_t>(index)].Object = object;
    Changed();
}

void TStringList::Insert(int index, const std::string& text) {
    CheckIndex(index, Count() + 1);
    FItems.insert(FItems.begin() + index, TItem{text, nullptr});
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

void TStringList::SetUpdateState(bool updating) {
    FUpdating = updating;
    if (!updating && FChangedWhileUpdating) {
        FChangedWhileUpdating = false;
        Changed();
    }
}

void TStringList::Changed() {
    if (FUpdating) FChangedWhileUpdating = true;
    else if (OnChange) OnChange(this);
}
