#include "TerminalRows.h"

#include <algorithm>

#include "DataConvert.h"

std::string TerminalId(const TUserInfoRecord& info) { return FieldText(info.Id, sizeof info.Id); }

int TTerminalRows::IndexOf(const std::string& id) const {
    const auto found = FSlots.find(id);
    if (found == FSlots.end()) return -1;
    const auto row = std::lower_bound(FRows.begin(), FRows.end(), found->second, [](const TRow& r, int slot) { return r.Slot < slot; });
    return static_cast<int>(row - FRows.begin());
}

std::vector<TTerminalRows::TRow>::iterator TTerminalRows::RowAt(int slot) {
    return std::lower_bound(FRows.begin(), FRows.end(), slot, [](const TRow& r, int s) { return r.Slot < s; });
}

void TTerminalRows::Put(int slot, const TUserInfoRecord& info) {
    const std::string id = TerminalId(info);
    // An id is in one slot at a time: a row left from an earlier slot goes.
    const auto earlier = FSlots.find(id);
    if (earlier != FSlots.end() && earlier->second != slot) Remove(earlier->second);
    auto row = RowAt(slot);
    if (row != FRows.end() && row->Slot == slot) {
        FSlots.erase(TerminalId(row->Info));
        row->Info = info;
    } else {
        FRows.insert(row, TRow{slot, info});
    }
    FSlots[id] = slot;
}

void TTerminalRows::Remove(int slot) {
    auto row = RowAt(slot);
    if (row == FRows.end() || row->Slot != slot) return;
    FSlots.erase(TerminalId(row->Info));
    FRows.erase(row);
}

std::string TTerminalRows::ReadSlot(int slot) {
    TUserInfoRecord info{};
    get_user_at(slot, &info);
    if (info.Status != LINK_SLOT_ONLINE) {
        Remove(slot);
        return std::string();
    }
    Put(slot, info);
    return TerminalId(info);
}

bool TTerminalRows::Rebuild() {
    const int slots = get_max_user_amount();
    if (slots <= 0) return false;
    FSlotCount = slots;
    FRows.clear();
    FSlots.clear();
    for (int slot = 0; slot < slots; ++slot) {
        TUserInfoRecord info{};
        get_user_at(slot, &info);
        if (info.Status != LINK_SLOT_ONLINE) continue;
        FRows.push_back(TRow{slot, info});
        FSlots[TerminalId(info)] = slot;
    }
    return true;
}

void TTerminalRows::Refresh(const std::string& id, bool loggedIn) {
    // Rows come as their events are read (not all at the first), so the list keeps step with the memo.
    if (FSlotCount == 0) FSlotCount = get_max_user_amount();
    const auto known = FSlots.find(id);
    if (known != FSlots.end() && ReadSlot(known->second) == id) return;
    if (!loggedIn) return;
    // A new login took a slot that was free when last read: read those in order until it shows.
    std::vector<int> freeSlots;
    auto row = FRows.begin();
    for (int slot = 0; slot < FSlotCount; ++slot) {
        while (row != FRows.end() && row->Slot < slot) ++row;
        if (row == FRows.end() || row->Slot != slot) freeSlots.push_back(slot);
    }
    for (int slot : freeSlots)
        if (ReadSlot(slot) == id) return;
}

void TTerminalRows::Clear() {
    FRows.clear();
    FSlots.clear();
    FSlotCount = 0;
}
