#include "NCObject.h"

#include "WinSkinForm.h"

void TNCObject::ButtonDown() {
    if (Form->HotObject && Form->HotObject != this) Form->HotObject->MouseLeave();
    if (!Visible) return;
    Form->HotObject = this;
    State = ncPressed;
    Paint();
}

void TNCObject::ButtonUp() {
    if (!Visible) return;
    State = ncHot;
    Paint();
}

void TNCObject::MouseMove() {
    if (Form->HotObject == this) return;
    if (Form->HotObject) Form->HotObject->MouseLeave();
    if (!Visible) return;
    Form->HotObject = this;
    State = ncHot;
    Paint();
}

void TNCObject::MouseLeave() {
    // An object hidden while it was hot lets go all the same, so that the window never keeps
    // an object that no longer shows.
    if (Form->HotObject == this) Form->HotObject = nullptr;
    if (!Visible) return;
    State = ncNormal;
    Paint();
}
