#pragma once
// Non-client input for skinned windows in the test's own process: mouse messages sent at points
// given in window coordinates, what the window shows on the screen read back pixel by pixel,
// and a form with a menu bar of its own.
#include <memory>

#include "SkinWindowSupport.h"
#include "components/TMainMenu.h"

// The window point (from the window's top-left corner) on the screen, as a mouse message's
// lParam.
LPARAM ScreenPointOf(HWND window, int x, int y);
// Sends the non-client mouse message for the window point.
LRESULT SendMouse(HWND window, UINT msg, int x, int y, WPARAM hit = HTCAPTION);
// A press and release of the left button at the window point, and the messages that follow.
void ClickAt(HWND window, int x, int y);
// What the window shows at the window point.
TRgb ScreenPixel(HWND window, int x, int y);

// A form whose menu bar has "&File" (Open, Save, Recent > One), "&Edit" (separators around
// Cut and Paste), an item without a caption, and "&Help" (About).
struct TMenuForm {
    std::unique_ptr<TForm> Form;
    TMainMenu* Menu = nullptr;
    TMenuItem* File = nullptr;
    TMenuItem* Recent = nullptr;
    TMenuItem* Edit = nullptr;
    TMenuItem* Help = nullptr;
    TMenuItem* About = nullptr;
    HWND Handle() const { return Form->Handle(); }
};
// Built by the caller's setUp (when given) and then shown, activated and skinned.
TMenuForm ShowMenuForm();
TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const std::string& caption);

// The centre of the title button placed at xcoord from the window's right edge.
POINT TitleButton(HWND window, int xcoord);
