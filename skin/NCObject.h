#pragma once
// An object of a skinned window's non-client area that reacts to the mouse: a title-bar button
// or an item of the skinned menu bar. The window keeps one of them as its hot object, the one
// under the mouse or being pressed.
#include "components/ControlTypes.h"

class TWinSkinForm;

class TNCObject {
public:
    explicit TNCObject(TWinSkinForm* form) : Form(form) {}
    virtual ~TNCObject() = default;
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    // Pressing, releasing, hovering and leaving, fed by the window's non-client mouse handling;
    // the look of each state is drawn by Paint. The base reacts to none of them yet: the mouse
    // in the non-client area is handled with the title-bar input.
    virtual void ButtonDown() {}
    virtual void ButtonUp() {}
    virtual void MouseMove() {}
    virtual void MouseLeave() {}
    virtual void Paint() {}

    TWinSkinForm* Form;
    TRect Rect;  // where it lies, in window coordinates
    bool Visible = false;  // an object that is not shown ignores the mouse
    int State = 1;  // 1 normal, 2 pressed, 3 hot
};
