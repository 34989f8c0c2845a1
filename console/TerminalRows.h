#pragma once
// The terminals online as the console lists them: the link library's online slots in slot
// order, each with the record it was last read with. A rebuild reads every slot; a login, logout
// or drop reads only the slots it can concern, so that logins spread over time do not each cost
// a pass over thousands of slots.
#include <string>
#include <unordered_map>
#include <vector>

#include "verrin.h"

class TTerminalRows {
public:
    int Count() const { return static_cast<int>(FRows.size()); }
    const TUserInfoRecord& Row(int index) const { return FRows[static_cast<std::size_t>(index)].Info; }
    // The row of the terminal; -1 when it is not listed.
    int IndexOf(const std::string& id) const;

    // Reads every slot anew. False, with the rows as they were, when the library has no slots.
    bool Rebuild();
    // An event without data for the terminal: reads its slot again, and after a login the slots
    // it may have taken. Other terminals found on the way are listed too.
    void Refresh(const std::string& id, bool loggedIn);
    void Clear();

private:
    struct TRow {
        int Slot;
        TUserInfoRecord Info;
    };

    // Reads the slot and lists what it holds now; the id it holds ("" when free).
    std::string ReadSlot(int slot);
    void Put(int slot, const TUserInfoRecord& info);
    void Remove(int slot);
    std::vector<TRow>::iterator RowAt(int slot);

    std::vector<TRow> FRows;                     // by slot
    std::unordered_map<std::string, int> FSlots;  // slot of each id listed
    int FSlotCount = 0;
};

// The terminal id of a slot record, up to its first NUL.
std::string TerminalId(const TUserInfoRecord& info);
