// A skinned window's own system menu: an owner-drawn copy of the window's system menu (or a
// few fallback items where the system menu cannot be read), popped up from the window icon, a
// right click on the title or Alt+Space.
#include <functional>
#include <memory>

#include "WinSkinData.h"
#include "WinSkinDlg.h"
#include "WinSkinForm.h"
#include "components/TPopupMenu.h"
#include "components/TTimer.h"

namespace {

// The copy's tag, by which its items are told from the program's own.
constexpr int SysMenuTag = 33333;
constexpr int SysMenuTextLength = 80;

enum : int { fbRestore = 0, fbMaximize = 1, fbMinimize = 2, fbClose = 3, fbSeparator = 100 };

}  // namespace

void TWinSkinForm::ShowSystemMenu(int x, int y) {
    const DWORD now = GetTickCount();
    if (now - LastSysMenuTick <= DoubleClickTime) {
        // A second click on the window icon closes the window.
        if (!HotObject) return;
        if (Timer) Timer->SetEnabled(false);
        PostMessageA(Handle, WM_CLOSE, 0, 0);
        return;
    }
    if (SkinManager) SkinManager->MenuContext = mcSystemMenu;
    LastSysMenuTick = now;
    BuildSysMenu();
    // Held for the whole loop: the window may be unskinned, or its skin freed, inside it.
    if (const std::shared_ptr<TPopupMenu> open = SysMenuPopup) open->Popup(x, y);
}

void TWinSkinForm::BuildSysMenu() {
    SysMenuPopup.reset();
    const bool fallback = RunsOnOldWindowsNT();
    if (!fallback && !SystemMenu) return;
    auto popup = std::make_shared<TPopupMenu>(nullptr);
    popup->SetTag(SysMenuTag);
    popup->SetOwnerDraw(true);
    popup->SetImages(SkinData ? SkinData->MenuGlyphs() : nullptr);
    HWND window = Handle;
    // The copy may outlive this object (see ShowSystemMenu): its items reach it through its token.
    const std::weak_ptr<bool> life = FLife;
    const auto whileAlive = [life](std::function<void()> action) {
        return [life, action = std::move(action)](TObject*) {
            if (!life.expired()) action();
        };
    };
    const auto add = [&](const std::string& caption, int tag, int image, bool enabled, TNotifyEvent click) {
        auto* item = new TMenuItem(popup.get());
        item->SetCaption(caption.empty() ? "-" : caption);
        item->SetTag(tag);
        item->SetImageIndex(image);
        item->SetEnabled(enabled);
        item->OnClick = std::move(click);
        item->OnDrawItem = [this, life](TObject* s, TCanvas* c, TRect r, bool selected) {
            if (!life.expired()) DrawMenuItem(s, c, r, selected);
        };
        item->OnMeasureItem = [this, life](TObject* s, TCanvas* c, int& w, int& h) {
            if (!life.expired()) MeasureMenuItemSafe(s, c, w, h);
        };
        popup->Items()->Add(item);
        return item;
    };
    const bool maximized = ShowState == ssMaximized, minimized = ShowState == ssMinimized;
    const bool maxBox = (ButtonSet & bsMaximizeBox) != 0, minBox = (ButtonSet & bsMinimizeBox) != 0;

    if (fallback) {
        add(" Restore ", fbRestore, fbRestore, true, whileAlive([this] { Restore(); }));
        if (maxBox) add(" Maximize ", fbMaximize, fbMaximize, true, whileAlive([this] { MaximizeToggle(); }));
        if (minBox) add(" Minimize ", fbMinimize, fbMinimize, true, whileAlive([this] { MinimizeToggle(); }));
        add("-", fbSeparator, fbSeparator, true, nullptr);
        TMenuItem* close = add(" Close ", fbClose, fbClose, true, whileAlive([this] {
            if (Timer) Timer->SetEnabled(false);
            PostMessageA(Handle, WM_CLOSE, 0, 0);
        }));
        close->SetShortCut(scAlt | VK_F4);
        SysMenuPopup = std::move(popup);
        return;
    }

    const int count = GetMenuItemCount(SystemMenu);
    for (int i = 0; i < count; ++i) {
        char text[SysMenuTextLength] = {0};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE;
        info.dwTypeData = text;
        info.cch = sizeof text - 1;
        if (!GetMenuItemInfoA(SystemMenu, static_cast<UINT>(i), TRUE, &info)) continue;
        const auto command = static_cast<int>(info.wID);
        bool enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
        int image = -1;
        switch (command) {
        case SC_SIZE:
        case SC_MOVE: enabled = !maximized; break;
        case SC_MINIMIZE: enabled = !minimized && minBox; image = 2; break;
        case SC_MAXIMIZE: enabled = !maximized && maxBox; image = 1; break;
        case SC_CLOSE: image = 3; break;
        case SC_RESTORE: enabled = ShowState != ssNormal; image = 0; break;
        default: break;
        }
        TMenuItem* item = add(text, command, image, enabled,
                              [window, command](TObject*) { PostMessageA(window, WM_SYSCOMMAND, static_cast<WPARAM>(command), 0); });
        if (info.fState & MFS_CHECKED) item->SetChecked(true);
    }
    SysMenuPopup = std::move(popup);
}
