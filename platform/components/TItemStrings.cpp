#include "components/TItemStrings.h"

#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "components/TControl.h"

const TItemMessages ListBoxMessages{LB_GETCOUNT,    LB_GETTEXT,       LB_GETTEXTLEN,  LB_ADDSTRING, LB_INSERTSTRING,
                                    LB_DELETESTRING, LB_RESETCONTENT, LB_GETITEMDATA, LB_SETITEMDATA};
const TItemMessages ComboBoxMessages{CB_GETCOUNT,    CB_GETLBTEXT,     CB_GETLBTEXTLEN, CB_ADDSTRING, CB_INSERTSTRING,
                                     CB_DELETESTRING, CB_RESETCONTENT, CB_GETITEMDATA,  CB_SETITEMDATA};

const TClassInfo& TItemStrings::StaticClass() {
    static const TClassInfo info = TClassBuilder<TItemStrings>("TItemStrings").Build();
    return info;
}

HWND TItemStrings::Window() const { return FControl.HandleAllocated() ? const_cast<TControl&>(FControl).Handle() : nullptr; }

int TItemStrings::Count() const {
    if (HWND w = Window()) return static_cast<int>(SendMessageA(w, FMessages.GetCount, 0, 0));
    return static_cast<int>(FItems.size());
}

std::string TItemStrings::Get(int index) const {
    CheckIndex(index, Count());
    HWND w = Window();
    if (!w) return FItems[static_cast<size_t>(index)].Text;
    const LRESULT length = SendMessageA(w, FMessages.GetTextLen, static_cast<WPARAM>(index), 0);
    if (length <= 0) return "";
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(w, FMessages.GetText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

TObject* TItemStrings::Objects(int index) const {
    CheckIndex(index, Count());
    if (HWND w = Window()) return reinterpret_cast<TObject*>(SendMessageA(w, FMessages.GetItemData, static_cast<WPARAM>(index), 0));
    return FItems[static_cast<size_t>(index)].Object;
}

void TItemStrings::PutObject(int index, TObject* object) {
    CheckIndex(index, Count());
    if (HWND w = Window()) SendMessageA(w, FMessages.SetItemData, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(object));
    else FItems[static_cast<size_t>(index)].Object = object;
}

void TItemStrings::Insert(int index, const std::string& text) {
    CheckIndex(index, Count() + 1);
    if (HWND w = Window()) {
        const LRESULT at = SendMessageA(w, FMessages.InsertString, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
        if (at < 0) throw EOutOfResources("Not enough room for another item");
        return;
    }
    FItems.insert(FItems.begin() + index, TItem{text, nullptr});
}

void TItemStrings::Delete(int index) {
    CheckIndex(index, Count());
    if (HWND w = Window()) SendMessageA(w, FMessages.DeleteString, static_cast<WPARAM>(index), 0);
    else FItems.erase(FItems.begin() + index);
}

void TItemStrings::Clear() {
    if (HWND w = Window()) SendMessageA(w, FMessages.ResetContent, 0, 0);
    else FItems.clear();
}

void TItemStrings::SetUpdateState(bool updating) {
    if (HWND w = Window()) {
        SendMessageA(w, WM_SETREDRAW, updating ? FALSE : TRUE, 0);
        if (!updating) InvalidateRect(w, nullptr, TRUE);
    }
}

void TItemStrings::PushToWindow() {
    HWND w = Window();
    if (!w) return;
    for (const TItem& item : FItems) {
        const LRESULT at = SendMessageA(w, FMessages.AddString, 0, reinterpret_cast<LPARAM>(item.Text.c_str()));
        if (at >= 0) SendMessageA(w, FMessages.SetItemData, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(item.Object));
    }
    FItems.clear();
}

void TItemStrings::PullFromWindow() {
    HWND w = Window();
    if (!w) return;
    std::vector<TItem> items;
    for (int i = 0; i < Count(); ++i) items.push_back(TItem{Get(i), Objects(i)});
    FItems = std::move(items);
}
