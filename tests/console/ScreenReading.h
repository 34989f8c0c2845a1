#pragma once
// The screen as the operator sees it: pictures of another process's windows taken from the
// screen, and what the pixels of a caption say about how it reads.
#include <windows.h>

#include <string>
#include <vector>

#include "Contrast.h"

struct TScreenShot {
    RECT Screen{0, 0, 0, 0};  // where it was taken
    std::vector<TScreenRgb> Pixels;
    int Width() const { return Screen.right - Screen.left; }
    int Height() const { return Screen.bottom - Screen.top; }
    // The pixel at a point of the screen; black outside the picture.
    TScreenRgb At(int screenX, int screenY) const;
    bool operator==(const TScreenShot& o) const;
    // As a 24-bit bitmap file; false when it cannot be written.
    bool SaveBitmap(const std::string& path) const;
};

TScreenShot TakeScreenShot(const RECT& screen);
// The window's rectangle once two pictures of it, taken a little apart, show the same: the
// window has painted and nothing moves in it (or the time is up).
TScreenShot TakeSteadyShot(HWND window, int timeoutMs = 5000);

// A caption within an area of a picture (screen coordinates): the area's most frequent colour is
// taken as what the text is drawn on, and its pixel that differs most from that as the text.
struct TCaptionReading {
    TScreenRgb Background;
    TScreenRgb Text;
    double Contrast = 1;
    // The outermost columns (screen coordinates) holding pixels that stand out from the
    // background; both -1 when none do.
    int TextLeft = -1;
    int TextRight = -1;
    int TextWidth() const { return TextLeft < 0 ? 0 : TextRight - TextLeft + 1; }
};
TCaptionReading ReadCaption(const TScreenShot& shot, const RECT& area);
std::string Describe(const TCaptionReading& reading);

// The child window's rectangle on the screen, smaller by `inset` on every side.
RECT ScreenRectOf(HWND window, int inset = 0);
// The width the text takes in the system's title font: what a title bar must show whole.
int TitleTextWidth(HWND window);
