#include "MenuLoopHook.h"

#include "MenuBtn.h"
#include "WinSkinForm.h"
#include "WinSkinMenu.h"
#include "components/TMenu.h"

namespace {

TMenuLoopState& Loop() {
    static TMenuLoopState state;
    return state;
}

TWinSkinForm* LoopForm() {
    TMenuLoopState& loop = Loop();
    if (loop.Form && loop.FormLife.expired()) {
        // Its menus went with it.
        loop.Form = nullptr;
        loop.SelectedItem = nullptr;
    }
    return loop.Form;
}

TMenu* LoopMenu() {
    TWinSkinForm* form = LoopForm();
    return form && form->MenuBar ? form->MenuBar->Menu() : nullptr;
}

bool SelectedInRightToLeftMenu() {
    TMenuItem* item = Loop().SelectedItem;
    TMenu* menu = item ? item->GetParentMenu() : nullptr;
    return menu && menu->IsRightToLeft();
}

// The selected item lies in the drop-down the bar item opened (not in one of its sub-menus).
bool SelectedInTopDropDown() {
    TMenuItem* item = Loop().SelectedItem;
    HMENU dropped = LoopForm() ? LoopForm()->TrackedMenu : nullptr;
    if (!item || !dropped) return false;
    if (item->HasHandle() && item->Handle() == dropped) return true;
    return item->Parent() && item->Parent()->Handle() == dropped;
}

void NoteMenuSelect(const MSG& msg) {
    TMenuLoopState& loop = Loop();
    const UINT flags = HIWORD(msg.wParam);
    auto* menu = reinterpret_cast<HMENU>(msg.lParam);
    if (flags == 0xFFFF && !menu) {
        if (!loop.Switching && LoopForm()) LoopForm()->ClearMenuTracking();
        return;
    }
    loop.Switching = false;
    TMenu* owner = LoopMenu();
    if (!owner) return;
    if (flags & MF_POPUP) loop.SelectedItem = owner->FindItemByHandle(GetSubMenu(menu, LOWORD(msg.wParam)));
    else loop.SelectedItem = owner->FindItemByCommand(LOWORD(msg.wParam));
}

TMenuBtn* ItemUnderMouse(const MSG& msg) {
    TMenuLoopState& loop = Loop();
    if (msg.pt.x == loop.LastMouse.x && msg.pt.y == loop.LastMouse.y) return nullptr;
    loop.LastMouse = msg.pt;
    TWinSkinForm* form = LoopForm();
    if (!form || !form->MenuBar) return nullptr;
    const TPoint p{msg.pt.x - form->WindowRect.Left, msg.pt.y - form->WindowRect.Top};
    return form->MenuBar->ItemAt(p);
}

}  // namespace

const TMenuLoopState& MenuLoopState() { return Loop(); }

TWinSkinForm* MenuLoopForm() { return LoopForm(); }

void SetMenuLoopItem(TWinSkinForm* form, int index) {
    Loop().Form = form;
    Loop().FormLife = form ? form->LifeToken() : std::weak_ptr<bool>();
    Loop().OpenIndex = index;
}

void StartMenuLoopHook() {
    TMenuLoopState& loop = Loop();
    loop.FirstKeyPosted = loop.Switching = loop.Switched = false;
    GetCursorPos(&loop.LastMouse);
    if (!loop.Hook) loop.Hook = SetWindowsHookExA(WH_MSGFILTER, MenuLoopFilterProc, nullptr, GetCurrentThreadId());
}

void StopMenuLoopHook() {
    TMenuLoopState& loop = Loop();
    if (loop.Hook) UnhookWindowsHookEx(loop.Hook);
    loop.Hook = nullptr;
    // The window may go once its loop is over.
    loop.Form = nullptr;
    loop.FormLife.reset();
    loop.SelectedItem = nullptr;
    loop.OpenIndex = -1;
    loop.FirstKeyPosted = loop.Switching = loop.Switched = false;
}

// Items without a caption or not shown cannot be opened, and are passed over.
TMenuBtn* NextMenuBtn(bool forward) {
    TWinSkinForm* form = LoopForm();
    TWinSkinMenu* bar = form ? form->MenuBar : nullptr;
    if (!bar || bar->Count() == 0) return nullptr;
    const int count = bar->Count();
    int index = Loop().OpenIndex;
    for (int step = 0; step < count; ++step) {
        index = forward ? (index + 1) % count : (index - 1 + count) % count;
        TMenuBtn* item = bar->Items(index);
        if (item->Visible && !item->Caption.empty()) return item;
    }
    return nullptr;
}

LRESULT CALLBACK MenuLoopFilterProc(int code, WPARAM wParam, LPARAM lParam) {
    TMenuLoopState& loop = Loop();
    auto* msg = reinterpret_cast<MSG*>(lParam);
    LoopForm();  // forgets a window that is gone, with its selected item
    if (code >= 0 && msg && msg->message == WM_KEYDOWN && SelectedInRightToLeftMenu()) {
        if (msg->wParam == VK_LEFT) msg->wParam = VK_RIGHT;
        else if (msg->wParam == VK_RIGHT) msg->wParam = VK_LEFT;
    }
    const LRESULT result = CallNextHookEx(loop.Hook, code, wParam, lParam);
    if (result || code != MSGF_MENU || !msg) return result;
    if (!loop.FirstKeyPosted) {
        // The dropped menu opens with its first item selected.
        loop.FirstKeyPosted = true;
        PostMessageA(msg->hwnd, WM_KEYDOWN, VK_DOWN, 0);
    }
    TMenuBtn* target = nullptr;
    switch (msg->message) {
    case WM_KEYDOWN:
        if (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE) loop.Switching = false;
        else if (msg->wParam == VK_LEFT && (!loop.SelectedItem || SelectedInTopDropDown())) target = NextMenuBtn(false);
        else if (msg->wParam == VK_RIGHT && (!loop.SelectedItem || loop.SelectedItem->Count() == 0)) target = NextMenuBtn(true);
        break;
    case WM_SYSKEYDOWN:
        if (msg->wParam == VK_MENU && LoopForm()) LoopForm()->ClearMenuTracking();
        return result;
    case WM_MENUSELECT:
        NoteMenuSelect(*msg);
        return result;
    case WM_MOUSEMOVE:
        target = ItemUnderMouse(*msg);
        break;
    default:
        break;
    }
    if (target && target->Index != loop.OpenIndex && LoopForm()) {
        loop.Switching = true;
        LoopForm()->OpenMenuItem(target);
        loop.Switched = true;
    }
    return result;
}
