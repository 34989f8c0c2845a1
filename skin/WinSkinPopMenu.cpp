#include "WinSkinPopMenu.h"

#include "SkinMessages.h"
#include "WinSkinDlg.h"

TWinSkinPopMenu::TWinSkinPopMenu() : Background(std::make_unique<TBitmap>()) {}

TWinSkinPopMenu::~TWinSkinPopMenu() { Detach(); }

void TWinSkinPopMenu::Attach(HWND window, TSkinData* skinData, int level) {
    Handle = window;
    SkinData = skinData;
    Level = level;
    // Popup menus are ANSI windows to the engine, whatever the system made them.
    FProc.Install(window, false, [this](UINT msg, WPARAM wParam, LPARAM lParam) { return WndProc(msg, wParam, lParam); });
}

void TWinSkinPopMenu::Detach() {
    if (!FProc.Installed()) return;
    if (FRegionHeld && FRegion) DeleteObject(FRegion);
    FRegion = nullptr;
    FRegionHeld = false;
    FProc.Remove();
    Background->SetSize(0, 0);
}

LRESULT TWinSkinPopMenu::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SKINQUERY) return 1;
    if (!SkinManager || !SkinManager->Active) return FProc.CallOld(msg, wParam, lParam);
    if (msg == WM_DESTROY) {
        const WNDPROC old = FProc.OldProc();
        HWND window = Handle;
        Detach();
        return CallWindowProcA(old, window, msg, wParam, lParam);
    }
    LRESULT result = 0;
    if (PaintFrame(msg, wParam, lParam, result)) return result;
    return FProc.CallOld(msg, wParam, lParam);
}

bool TWinSkinPopMenu::PaintFrame(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
