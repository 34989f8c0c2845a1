#pragma once
// A control is a real window whose window class is named after the component class (built on
// the standard Win32 control it stands for, where there is one). Every message of that window,
// and every message given to Perform, passes through the swappable WindowProc; its default is
// the control's own WndProc, which ends in DefaultHandler (the standard control's procedure).
#include "components/Win32.h"

#include <memory>
#include <string>

#include "components/Colors.h"
#include "components/ControlTypes.h"
#include "components/Messages.h"
#include "components/TBrush.h"
#include "components/TComponent.h"
#include "components/TFont.h"

class TWinControl;
class TCustomForm;
class TPopupMenu;

struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    std::string WinClassName;   // the window class: the component class name
    std::string BaseClassName;  // the standard control it is built on; empty: a class of its own
    UINT ClassStyle = CS_DBLCLKS;
};

// How a control takes the mouse: which of its own clicks it turns into Click and DblClick
// (standard controls report theirs through notifications instead).
enum TControlStyleFlag : unsigned { csClickEvents = 1, csDoubleClicks = 2, csAcceptsControls = 4, csOpaque = 8 };

class TControl : public TComponent {
    DECLARE_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // ---- the window
    HWND Handle();  // made (with the parents' windows) when first asked for
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    void DestroyHandle();
    void RecreateWnd();
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    TWndMethod WindowProc;
    virtual void WndProc(TMessage& message);
    virtual void DefaultHandler(TMessage& message);
    // The control whose window this is; nullptr for windows this library did not make.
    static TControl* FindControl(HWND window);
    // The atom of the window property that holds a window's control.
    static ATOM ControlAtom();

    // ---- place
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int left) { SetBounds(left, FTop, FWidth, FHeight); }
    void SetTop(int top) { SetBounds(FLeft, top, FWidth, FHeight); }
    void SetWidth(int width) { SetBounds(FLeft, FTop, width, FHeight); }
    void SetHeight(int height) { SetBounds(FLeft, FTop, FWidth, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return TRect{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual TRect ClientRect();
    int ClientWidth() { return ClientRect().Right; }
    int ClientHeight() { return ClientRect().Bottom; }
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    TPoint ClientToScreen(TPoint p);
    TPoint ScreenToClient(TPoint p);
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign align);

    // ---- state
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool enabled);
    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& caption) { SetText(caption); }
    std::string Text() const;
    void SetText(const std::string& text);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool parentColor);
    TFont* Font() { return &FFont; }
    void SetFont(TFont* font) { FFont.Assign(font); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool parentFont);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool show);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* menu);
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int context) { FHelpContext = context; }
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode mode) { FBiDiMode = mode; }
    bool IsRightToLeft() const { return FBiDiMode != bdLeftToRight; }
    unsigned ControlStyle() const { return FControlStyle; }
    HBRUSH BackgroundBrush() { return FBrush.Handle(); }
    void Notification(TComponent* component, TOperation operation) override;

    void Invalidate();
    void Update();
    void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();
    virtual void Click();
    virtual void DblClick();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnResize;

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    // Runs after the window exists: font, texts and contents kept while there was none.
    virtual void InitializeWindow();
    // Creates this control's window and, for containers, those of its children.
    virtual void CreateHandle();
    virtual void Resize();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void VisibleChanged();
    // The parent's font or colour changed, or the control came under a new parent.
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();
    // The height given to the window for a control height (a combo box adds its drop-down).
    virtual int WindowHeightFor(int height) const { return height; }
    HWND ParentWindow();
    void SetControlStyle(unsigned style) { FControlStyle = style; }
    // The stored value only, for classes whose showing works differently (forms).
    void SetVisibleFlag(bool visible) { FVisible = visible; }
    void MouseDown(TMouseButton button, const TMessage& m);
    void MouseUp(TMouseButton button, const TMessage& m);
    // Text colour and background brush for a standard control's WM_CTLCOLORxxx.
    void ColorControl(TMessage& message);

    TBrush FBrush;  // the background in Color

private:
    friend class TWinControl;
    static LRESULT CALLBACK StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    static WNDPROC RegisterWindowClass(const TCreateParams& params);
    void AttachWindow(HWND window);
    void UpdateBoundsFromWindow();
    void HandleDestroyed();

    HWND FHandle = nullptr;
    WNDPROC FDefWndProc = nullptr;
    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = alNone;
    bool FVisible = true;
    bool FEnabled = true;
    std::string FText;
    TColor FColor = clBtnFace;
    bool FParentColor = true;
    TFont FFont;
    bool FParentFont = true;
    bool FTakingParentFont = false;
    std::string FHint;
    bool FShowHint = false;
    TPopupMenu* FPopupMenu = nullptr;
    int FHelpContext = 0;
    TBiDiMode FBiDiMode = bdLeftToRight;
    unsigned FControlStyle = 0;
    bool FMouseDownInside = false;
};

// The form a control sits on, walking up the parents; nullptr when it is on none.
TCustomForm* GetParentForm(TControl* control);
