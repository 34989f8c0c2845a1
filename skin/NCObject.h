#pragma once
// An object of a skinned window's non-client area that reacts to the mouse: a title-bar button
// or an item of the skinned menu bar. The window keeps one of them as its hot object, the one
// under the mouse or being pressed; the window's non-client mouse handling feeds the objects,
// and each draws the look of its state itself.
#include "components/ControlTypes.h"

class TWinSkinForm;

// States of a non-client object.
enum : int { ncNormal = 1, ncPressed = 2, ncHot = 3 };

class TNCObject {
public:
    explicit TNCObject(TWinSkinForm* form) : Form(form) {}
    virtual ~TNCObject() = default;
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    // The left button went down on it: it becomes the hot object, pressed (the hot object
    // before it leaves first).
    virtual void ButtonDown();
    // The left button came up over it while it was the hot object: hot again.
    virtual void ButtonUp();
    // The mouse came over it: it becomes the hot object unless it is already.
    virtual void MouseMove();
    // The mouse has left it: the window has no hot object any more.
    virtual void MouseLeave();
    // Draws the look of its state straight onto the window.
    virtual void Paint() {}

    TWinSkinForm* Form;
    TRect Rect;  // where it lies, in window coordinates
    bool Visible = false;  // an object that is not shown ignores the mouse
    int State = ncNormal;
};
