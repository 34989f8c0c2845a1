#pragma once
// While a drop-down of a skinned menu bar is open, the system runs its own menu loop and the
// window hears nothing of the keys and the mouse. A message-filter hook of the thread watches
// the loop instead: left and right move along the bar (swapped for right-to-left menus), the
// mouse moving onto another bar item opens that one, and Alt or the menu's end lets the window
// know the loop is over. One loop runs at a time, so its state is the thread's one.
#include "components/Win32.h"

#include <memory>

class TMenuBtn;
class TMenuItem;
class TWinSkinForm;

struct TMenuLoopState {
    // The window whose bar item is open, reached only while its token lives: the drop-down's
    // loop may free the window's skin before the loop ends.
    TWinSkinForm* Form = nullptr;
    std::weak_ptr<bool> FormLife;
    int OpenIndex = -1;            // the open bar item
    TMenuItem* SelectedItem = nullptr;  // the drop-down's item now selected, when it is the component's
    POINT LastMouse{};
    bool FirstKeyPosted = false;
    bool Switching = false;  // another bar item is being opened: the loop's end is not the menu's
    bool Switched = false;
    HHOOK Hook = nullptr;
};

const TMenuLoopState& MenuLoopState();
// The window in the loop; nullptr when there is none or its skin is gone.
TWinSkinForm* MenuLoopForm();

// The window and its bar item that the next loop opens.
void SetMenuLoopItem(TWinSkinForm* form, int index);
// Clears the loop's flags, takes the cursor as the last mouse position and installs the hook
// (once).
void StartMenuLoopHook();
// Removes the hook and forgets the loop and its window.
void StopMenuLoopHook();
// The bar item after (or before) the open one, wrapping round; nullptr without a menu bar.
TMenuBtn* NextMenuBtn(bool forward);
// The filter itself; the system calls it with MSGF_MENU for every message of a menu loop.
LRESULT CALLBACK MenuLoopFilterProc(int code, WPARAM wParam, LPARAM lParam);
