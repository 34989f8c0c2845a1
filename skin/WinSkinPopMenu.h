#pragma once
// The skin of one popup-menu window of the system (class "#32768"): made by the skin manager when
// the window is created and let go when it is destroyed. It answers the engine's query, so that
// the window is never taken twice, and keeps the popup's background for the owner-drawn items.
#include "components/Win32.h"

#include <memory>

#include "WindowProcInstance.h"
#include "components/TBitmap.h"

class TDataSkinObject;
class TSkinData;

class TWinSkinPopMenu {
public:
    TWinSkinPopMenu();
    ~TWinSkinPopMenu();
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    // Hooks the popup window's procedure.
    void Attach(HWND window, TSkinData* skinData, int level);
    // Gives the window its procedure back and lets the background go.
    void Detach();
    bool Attached() const { return FProc.Installed(); }

    HWND Handle = nullptr;
    TSkinData* SkinData = nullptr;
    HMENU Menu = nullptr;  // the menu shown in the window, once an item of it was drawn
    int Level = 0;
    // The popup opened while another was open: its items are drawn again.
    bool RepaintMark = false;
    std::unique_ptr<TBitmap> Background;  // the popup's background at its window's size

private:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The skin's popup background; nullptr when the system draws popups itself.
    TDataSkinObject* BackgroundLook() const;
    void MakeBackground(TDataSkinObject* look);
    // The frame from the skin's background (false: the system paints it).
    bool PaintFrame(HRGN updateRegion);
    // The background, then the system's items over it inside the frame (false: the system
    // prints it all).
    bool PrintBackground(HDC dc);
    // The frame from the background made last.
    void RepaintFrame();
    void BlitFrame(HDC dc);
    HRGN FrameRegion() const;

    TWindowProcInstance FProc{TWindowProcKind::PopupMenu};
    HRGN FRegion = nullptr;  // a region of its own it set on the window
    bool FRegionHeld = false;
};
