#pragma once
// The base of the control skins: one object per skinned control of a skinned window, listed by
// that window. Here is what the window needs of every control skin; the kinds of control skin
// add how they hook their control and paint it.
#include "components/Win32.h"

#include "components/TComponent.h"

class TControl;
class TSkinData;
class TWinSkinForm;

class TSkinControl : public TComponent {
    DECLARE_CLASS(TSkinControl, TComponent)
public:
    // Owned by its control, so that it goes with it.
    explicit TSkinControl(TComponent* owner) : TComponent(owner) {}
    // Leaves the list of its window.
    ~TSkinControl() override;

    // The control gets back the colours it had before it was skinned.
    virtual void RestoreColors() {}
    // A new skin was loaded: colours and look again.
    virtual void Reskin() {}
    // Tells the control that the mouse has left it.
    void SendMouseLeave();

    HWND Handle = nullptr;
    TControl* Control = nullptr;  // nullptr for a window the component layer did not make
    TSkinData* SkinData = nullptr;
    TWinSkinForm* Form = nullptr;
    int State = 0;  // 0 made, 1 attached, 6 its window is gone
};
