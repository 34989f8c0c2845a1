#pragma once
// The window a scroll-bar skin lays exactly over one scroll bar: it paints the skin's arrows,
// track and thumb there and hands every click on to the real scroll bar underneath, so that the
// system still scrolls, repeats and drags the thumb.
//
// It covers a window scroll bar of its target (horizontal or vertical) or a whole scroll bar
// control, and sits in the target's parent directly above the target.
#include "components/Win32.h"

#include <memory>

#include "ScrollbarGeometry.h"
#include "components/Colors.h"
#include "components/ControlTypes.h"
#include "components/TBitmap.h"

class TControl;
class TSkinControl;
class TSkinData;

// What an overlay covers.
enum TScrollOverlayKind : int { okHorizontal = 0, okVertical = 1, okControl = 2 };

class TWScrollbar {
public:
    TWScrollbar(TSkinControl* ownerSkin, TScrollOverlayKind kind);
    // Takes its window away; the target keeps its own scroll bar.
    ~TWScrollbar();
    TWScrollbar(const TWScrollbar&) = delete;
    TWScrollbar& operator=(const TWScrollbar&) = delete;

    // Covers the scroll bar of a control of the component layer (the scroll bar control itself
    // for okControl), in the colour of the control's parent.
    void Bind(TControl* control);
    // Covers the scroll bar of a window the component layer did not make.
    void BindHandle(HWND window);
    // Puts the overlay over the bar as it is now, or hides it when the bar is not shown.
    void Place();
    void Hide();
    // Paints the overlay again now, when it is shown.
    void Repaint();
    // Paints the bar into the context (the overlay's own, at its origin).
    void Paint(HDC dc);
    // The part at the point of the overlay's client area.
    TScrollPart PartAt(int x, int y);
    // A new window for the target (a control made its window anew).
    void SetTarget(HWND target) { FTarget = target; }

    HWND Handle() const { return FWindow; }
    HWND Target() const { return FTarget; }
    TScrollOverlayKind Kind() const { return FKind; }
    bool Vertical() const { return FVertical; }
    bool Shown() const { return FShown; }
    bool Pressed() const { return FPressed; }
    int HotPart() const { return FHotPart; }
    void SetHotPart(int part) { FHotPart = part; }
    int ArrowSize() const { return FArrowSize; }
    TColor Color = clBtnFace;
    bool ShowHint = false;
    std::string Hint;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void PaintQuietly(HDC dc);
    void CreateOverlayWindow(HWND parent);
    // The bar's geometry in window coordinates of the screen; for a control from its scroll
    // information (fromProperties: its published values) and its bounds.
    bool ReadInfo(SCROLLBARINFO& info, bool fromProperties);
    bool ReadControlInfo(SCROLLBARINFO& info, bool fromProperties);
    TScrollThumb ThumbOf(const SCROLLBARINFO& info) const;
    TScrollThumb PaintedThumb(const SCROLLBARINFO& info) const;
    void MouseMove(int x, int y);
    void MouseLeave();
    void ButtonDown(int x, int y);
    void ButtonUp(int x, int y);
    LPARAM TargetPoint(int x, int y);
    void PaintTrack(HDC dc, const TRect& r, bool enabled);
    void PaintArrows(TCanvas* canvas, const TRect& r);
    void PaintThumb(HDC dc, TCanvas* canvas, const TScrollThumb& thumb, int breadth);
    TSkinData* SkinData() const;

    TSkinControl* FOwnerSkin;
    TScrollOverlayKind FKind;
    HWND FWindow = nullptr;
    HWND FTarget = nullptr;
    TControl* FControl = nullptr;  // the scroll bar control of okControl
    bool FVertical = false;
    int FLength = 0;
    TScrollThumb FThumb;
    POINT FOrigin{};
    POINT FDown{};
    int FThumbStartAtDown = 0;
    bool FPressed = false;
    int FHotPart = spNone;
    int FArrowSize = 0;
    bool FShown = false;
    TBitmap FWork;
    // Expires with the overlay: the system's scroll loop dispatches every message, and one of
    // them may free the skin and with it this overlay before the forwarded click returns.
    std::shared_ptr<bool> FLife = std::make_shared<bool>(true);
};
