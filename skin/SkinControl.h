#pragma once
// The base of the control skins: one object per skinned control of a skinned window, listed by
// that window. It sits between the control's window and the code that normally handles its
// messages, lets the ordinary handling run and then paints the skin over the result.
//
// A control of the component layer is hooked through its WindowProc; a window the component
// layer did not make (a dialog's child, a common control) through its window procedure. The
// kinds of control skin override the virtual protocol below: attach, colours, the message
// before and after the control's own handling, and the painting.
#include "components/Win32.h"

#include <memory>
#include <string>

#include "WindowProcInstance.h"
#include "components/Colors.h"
#include "components/ControlTypes.h"
#include "components/Messages.h"
#include "components/TComponent.h"

class TCanvas;
class TControl;
class TSkinData;
class TWinSkinForm;

// MouseState bits.
enum : unsigned { msHot = 1, msPressed = 2 };

// Where a control skin stands in its life (State).
enum : int { scCreated = 0, scAttached = 1, scWindowGone = 6 };

class TSkinControl : public TComponent {
    DECLARE_CLASS(TSkinControl, TComponent)
public:
    // Owned by its control, so that it goes with it; a raw window's skin by the window's skin.
    explicit TSkinControl(TComponent* owner);
    // Gives the control its procedure back and leaves the list of its window.
    ~TSkinControl() override;

    // ---- the virtual protocol
    // Hooks a control of the component layer (the owner); nothing when attached already.
    virtual void AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor);
    // Hooks a window the component layer did not make.
    virtual void AttachHandle(HWND window, TSkinData* skinData, TCanvas* canvas, TWinSkinForm* form);
    // The control gets back the colours it had before it was skinned.
    virtual void RestoreColors();
    // Runs before the control's own handling; false consumes the message (with the Result left).
    virtual bool BeforeMessage(TMessage& message);
    // Runs after the control's own handling.
    virtual void AfterMessage(TMessage& message);
    // Paints the whole window into the DC (0: the window's own).
    virtual void PaintMessage(HDC dc);
    // Paints the skin into the DC over the rectangle (the window's, at the origin).
    virtual void PaintSkin(HDC dc, const TRect& r);
    // A new skin was loaded: colours and look again.
    virtual void Reskin();
    virtual bool CanSkin() { return true; }

    // ---- message routing
    // The one entry of the skinned control's messages.
    void SkinWindowProc(TMessage& message);
    void CallOldWindowProc(TMessage& message);
    // Invalidates and paints the window (or the windowless control) now.
    void Repaint();
    // Tells the control that the mouse has left it.
    void SendMouseLeave();

    // ---- painting helpers of the kinds of skin
    // WM_PAINT with the message's DC or a paint DC: the whole window through PaintSkin.
    void PaintFromWmPaint(TMessage& message);
    // WM_ERASEBKGND: what the parent shows under the control.
    void EraseToParent(TMessage& message);
    // The colour of the control's parent; the default without one.
    TColor ParentColor(TColor fallback) const;
    void FillBackground(HDC dc, const TRect& r) const;
    void FillParentColor(HDC dc, const TRect& r) const;
    // Force: a published ParentBackground of True is turned off (and noted); otherwise one
    // turned off here is turned on again.
    void SetParentBackground(bool force);
    LONG_PTR GetWindowLong(HWND window, int index) const;
    // A focus rectangle around where Text stands when drawn into the rectangle with the flags.
    void DrawCaptionFocus(HDC dc, const TRect& r, UINT flags);
    // Refreshes WindowEnabled and Focused from the window.
    void ReadWindowState();

    // Expires when the skin is freed: a handler that may free it (the control's own click
    // handling) is followed by a look at this before the skin is touched again.
    std::weak_ptr<bool> LifeToken() const { return FLife; }

    unsigned MouseState = 0;
    TCanvas* Canvas = nullptr;  // the window skin's shared canvas, not owned
    bool WindowEnabled = true;
    bool Focused = false;
    std::wstring Text;
    bool SkinEnabled = true;
    bool UnicodeWindow = false;
    TSkinData* SkinData = nullptr;
    HWND Handle = nullptr;
    TWndMethod OldWindowProc;  // the control's WindowProc before the hook
    TControl* Control = nullptr;  // nullptr for a window the component layer did not make
    TRect WindowRect;
    TControl* GraphicControl = nullptr;  // a windowless control painted by its own canvas
    bool UseSkinColor = false;
    TColor SavedColor = clBtnFace;
    bool Attached = false;
    int State = scCreated;
    TWinSkinForm* Form = nullptr;
    int Kind = 0;
    bool ScrollbarFlag = false;  // kept by the scroll-bar skins
    bool ParentBackgroundForced = false;

protected:
    // The procedure of a raw window; installed by AttachHandle.
    TWindowProcInstance WindowProcInstance{TWindowProcKind::ControlSkin};
    // Hooks the component control's WindowProc (the base attach, and the skins that attach on
    // their own).
    void HookWindowProc(TControl* control);
    void UnhookWindowProc();
    // The first steps of every attach to a component control: the skin's data, window skin,
    // canvas, control and its window (made now when the control has none yet).
    void BindControl(TControl* control, TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas);
    // The control paints on its parent's background in the skin's button-face colour; its own
    // colour is kept to be given back.
    void TakeSkinColor(TControl* control);

private:
    std::shared_ptr<bool> FLife = std::make_shared<bool>(true);
};

// True for a window that is a popup: WS_POPUP, or a child of the desktop itself.
bool IsPopupWindow(HWND window);
