#include "components/TControl.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <unordered_map>

#include "components/SysUtils.h"
#include "components/Graphics.h"
#include "components/TApplication.h"
#include "components/TClassInfo.h"
#include "components/TCustomForm.h"
#include "components/TPopupMenu.h"
#include "components/TWinControl.h"

const TEnumType AlignType{"TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}};
const TEnumType AlignmentType{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};
const TEnumType BiDiModeType{"TBiDiMode", {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"}};
const TEnumType BorderStyleType{"TBorderStyle", {"bsNone", "bsSingle"}};
const TEnumType FormBorderStyleType{"TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};

const TClassInfo& TControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TControl>("TControl")
        .Int("Left", &TControl::Left, &TControl::SetLeft)
        .Int("Top", &TControl::Top, &TControl::SetTop)
        .Int("Width", &TControl::Width, &TControl::SetWidth)
        .Int("Height", &TControl::Height, &TControl::SetHeight)
        .Enum("Align", AlignType, &TControl::Align, &TControl::SetAlign).Default(alNone)
        .Enum("BiDiMode", BiDiModeType, &TControl::BiDiMode, &TControl::SetBiDiMode).Default(bdLeftToRight)
        .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(1)
        .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
        .Color("Color", &TControl::Color, &TControl::SetColor)
        .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
        .Object("Font", &TControl::Font, &TControl::SetFont)
        .Int("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext).Default(0)
        .Str("Hint", &TControl::Hint, &TControl::SetHint)
        .Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Default(0)
        .Object("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
        .Bool("Visible", &TControl::Visible, &TControl::SetVisible).Default(1)
        .Event("OnClick", &TControl::OnClick)
        .Event("OnDblClick", &TControl::OnDblClick)
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Event("OnMouseUp", &TControl::OnMouseUp)
        .Event("OnMouseMove", &TControl::OnMouseMove)
        .Event("OnResize", &TControl::OnResize)
        .Build();
    return info;
}

namespace {
// The control whose window CreateWindowEx is making: its first messages arrive before the
// window handle is known to it.
thread_local TControl* CreationControl = nullptr;
int NextControlId = 1000;

std::map<std::string, WNDPROC>& BaseProcedures() {
    static std::map<std::string, WNDPROC> procedures;
    return procedures;
}

// The controls of the process's windows, as the window property says too. Every message of
// every control looks its control up; reading the property is a round trip to the window server
// under Wine, so the lookups read this map instead. Its lock is held only for the lookup.
struct ControlsOfWindows {
    CRITICAL_SECTION lock;
    std::unordered_map<HWND, TControl*> map;
    ControlsOfWindows() { InitializeCriticalSection(&lock); }
};

ControlsOfWindows& TheControlsOfWindows() {
    static ControlsOfWindows* controls = new ControlsOfWindows;  // lives as long as the process
    return *controls;
}

class LockedControls {
public:
    LockedControls() : controls(TheControlsOfWindows()) { EnterCriticalSection(&controls.lock); }
    ~LockedControls() { LeaveCriticalSection(&controls.lock); }
    std::unordered_map<HWND, TControl*>& map() { return controls.map; }

private:
    ControlsOfWindows& controls;
};
}  // namespace

ATOM TControl::ControlAtom() {
    static const ATOM atom = [] {
        char name[64];
        std::snprintf(name, sizeof name, "ControlOfs%.8lX%.8lX", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(GetModuleHandleA(nullptr))),
                      static_cast<unsigned long>(GetCurrentThreadId()));
        return GlobalAddAtomA(name);
    }();
    return atom;
}

TControl* TControl::FindControl(HWND window) {
    if (!window) return nullptr;
    LockedControls locked;
    auto entry = locked.map().find(window);
    return entry != locked.map().end() ? entry->second : nullptr;
}

TCustomForm* GetParentForm(TControl* control) {
    while (control && !control->Is<TCustomForm>()) control = control->Parent();
    return static_cast<TCustomForm*>(control);
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    WindowProc = [this](TMessage& m) { WndProc(m); };
    FBrush.SetColor(FColor);
    FFont.OnChange = [this](TObject*) {
        if (!FTakingParentFont) FParentFont = false;
        FontChanged();
    };
}

TControl::~TControl() {
    if (Application) Application->ControlDestroying(this);
    if (TCustomForm* form = GetParentForm(this)) form->ControlDestroying(this);
    DestroyHandle();
    if (FParent) FParent->RemoveControl(this);
}

// ---- the window ------------------------------------------------------------------------

HWND TControl::Handle() {
    if (!FHandle) CreateHandle();
    return FHandle;
}

void TControl::CreateHandle() {
    if (!FHandle) CreateWnd();
}

HWND TControl::ParentWindow() {
    if (!FParent) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    return FParent->Handle();
}

void TControl::CreateParams(TCreateParams& params) {
    params.Caption = FText;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | (FVisible ? WS_VISIBLE : 0) | (FEnabled ? 0 : WS_DISABLED);
    params.X = FLeft;
    params.Y = FTop;
    params.Width = FWidth;
    params.Height = WindowHeightFor(FHeight);
    params.WinClassName = ClassName();
}

WNDPROC TControl::RegisterWindowClass(const TCreateParams& params) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    auto known = BaseProcedures().find(params.WinClassName);
    if (known != BaseProcedures().end()) return known->second;

    WNDCLASSA wc{};
    WNDPROC base = DefWindowProcA;
    if (!params.BaseClassName.empty()) {
        if (!GetClassInfoA(nullptr, params.BaseClassName.c_str(), &wc) && !GetClassInfoA(instance, params.BaseClassName.c_str(), &wc))
            throw EOSError("Window class " + params.BaseClassName + " is not available");
        base = wc.lpfnWndProc;
    } else {
        wc.style = params.ClassStyle;
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    }
    wc.lpfnWndProc = StdWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = params.WinClassName.c_str();
    // Our class stands over the standard one of the same look; no class-wide background.
    wc.hbrBackground = nullptr;
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw EOSError("Cannot register window class " + params.WinClassName);
    BaseProcedures()[params.WinClassName] = base;
    return base;
}

void TControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if (params.Style & WS_CHILD) params.WndParent = ParentWindow();
    FDefWndProc = RegisterWindowClass(params);

    CreationControl = this;
    const HMENU id = (params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextControlId++ & 0x7FFF)) : nullptr;
    HWND window = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style, params.X, params.Y,
                                  params.Width, params.Height, params.WndParent, id, GetModuleHandleA(nullptr), nullptr);
    CreationControl = nullptr;
    if (!window) throw EOSError("Cannot create the window of " + Name() + " (" + ClassName() + ")");
    if (!FHandle) AttachWindow(window);
    InitializeWindow();
}

void TControl::AttachWindow(HWND window) {
    FHandle = window;
    SetPropA(window, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(ControlAtom())), this);
    LockedControls locked;
    locked.map()[window] = this;
}

void TControl::InitializeWindow() {
    SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), FALSE);
    UpdateBoundsFromWindow();
    if (Application) Application->UpdateHintTool(this);
}

void TControl::DestroyWnd() {
    if (FHandle) DestroyWindow(FHandle);
}

void TControl::DestroyHandle() {
    if (!FHandle) return;
    FText = Text();
    DestroyWnd();
    // A window destroyed by something other than DestroyWindow still lets go here.
    if (FHandle) HandleDestroyed();
}

void TControl::HandleDestroyed() {
    if (!FHandle) return;
    RemovePropA(FHandle, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(ControlAtom())));
    {
        LockedControls locked;
        auto entry = locked.map().find(FHandle);
        if (entry != locked.map().end() && entry->second == this) locked.map().erase(entry);
    }
    FHandle = nullptr;
}

void TControl::RecreateWnd() {
    if (FHandle) Perform(CM_RECREATEWND);
}

LRESULT CALLBACK TControl::StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    TControl* control = FindControl(window);
    if (!control && CreationControl) {
        control = CreationControl;
        CreationControl = nullptr;
        control->AttachWindow(window);
    }
    if (!control) return DefWindowProcA(window, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    try {
        control->WindowProc(m);
    } catch (const std::exception& e) {
        // An exception must not unwind through the system's frames: it is reported here.
        if (Application) Application->HandleException(e);
    }
    return m.Result;
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::DefaultHandler(TMessage& m) {
    if (!FHandle) return;
    m.Result = CallWindowProcA(FDefWndProc ? FDefWndProc : DefWindowProcA, FHandle, m.Msg, m.WParam, m.LParam);
}

void TControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_MOUSEMOVE:
        if (Application) Application->NoteMouseOver(this);
        if (OnMouseMove) OnMouseMove(this, KeyboardShiftState(), MouseX(m.LParam), MouseY(m.LParam));
        break;
    case WM_MOUSELEAVE:
        if (Application) Application->NoteMouseLeft(this);
        break;
    case WM_LBUTTONDOWN: MouseDown(mbLeft, m); break;
    case WM_RBUTTONDOWN: MouseDown(mbRight, m); break;
    case WM_LBUTTONUP: MouseUp(mbLeft, m); break;
    case WM_RBUTTONUP: MouseUp(mbRight, m); break;
    case WM_LBUTTONDBLCLK:
        if (FControlStyle & csDoubleClicks) DblClick();
        else MouseDown(mbLeft, m);
        break;
    case WM_CONTEXTMENU:
        if (FPopupMenu && FPopupMenu->AutoPopup()) {
            POINT p{MouseX(m.LParam), MouseY(m.LParam)};
            if (p.x == -1 && p.y == -1) {
                p = {0, 0};
                ::ClientToScreen(FHandle, &p);
            }
            FPopupMenu->SetPopupComponent(this);
            FPopupMenu->Popup(p.x, p.y);
            return;
        }
        break;
    case WM_SETTEXT:
        DefaultHandler(m);
        FText = m.LParam ? reinterpret_cast<const char*>(m.LParam) : "";
        return;
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(m);
        UpdateBoundsFromWindow();
        return;
    case WM_NCDESTROY:
        DefaultHandler(m);
        HandleDestroyed();
        return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORLISTBOX:
        ColorControl(m);
        return;
    case CM_RECREATEWND:
        if (FHandle) {
            const bool focused = GetFocus() == FHandle;
            DestroyHandle();
            CreateHandle();
            if (focused) SetFocus(FHandle);
        }
        return;
    default:
        break;
    }
    if (m.Msg >= CM_BASE && m.Msg < CN_BASE + 0x400) return;  // notices nobody above took
    DefaultHandler(m);
}

void TControl::MouseDown(TMouseButton button, const TMessage& m) {
    if (button == mbLeft && (FControlStyle & csClickEvents)) {
        FMouseDownInside = true;
        SetCapture(FHandle);
    }
    DefaultHandler(const_cast<TMessage&>(m));
    if (OnMouseDown) OnMouseDown(this, button, KeyboardShiftState(), MouseX(m.LParam), MouseY(m.LParam));
}

void TControl::MouseUp(TMouseButton button, const TMessage& m) {
    const int x = MouseX(m.LParam);
    const int y = MouseY(m.LParam);
    bool clicked = false;
    if (button == mbLeft && FMouseDownInside) {
        FMouseDownInside = false;
        if (GetCapture() == FHandle) ReleaseCapture();
        const TRect r = ClientRect();
        clicked = x >= 0 && y >= 0 && x < r.Right && y < r.Bottom;
    }
    DefaultHandler(const_cast<TMessage&>(m));
    if (OnMouseUp) OnMouseUp(this, button, KeyboardShiftState(), x, y);
    if (clicked) Click();
}

void TControl::ColorControl(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, ColorToRGB(FFont.Color()));
    SetBkColor(dc, ColorToRGB(FColor));
    m.Result = reinterpret_cast<LRESULT>(FBrush.Handle());
}

void TControl::UpdateBoundsFromWindow() {
    if (!FHandle) return;
    RECT r;
    GetWindowRect(FHandle, &r);
    if (GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD) MapWindowPoints(nullptr, GetParent(FHandle), reinterpret_cast<POINT*>(&r), 2);
    const bool resized = r.right - r.left != FWidth || r.bottom - r.top != FHeight;
    FLeft = r.left;
    FTop = r.top;
    FWidth = r.right - r.left;
    FHeight = r.bottom - r.top;
    if (resized) Resize();
}

// ---- place --------------------------------------------------------------------------------

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    if (parent == this) throw EInvalidOperation("A control cannot be its own parent");
    if (FHandle) DestroyHandle();
    if (FParent) FParent->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* container = dynamic_cast<TWinControl*>(parent)) SetParent(container);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    const bool resized = width != FWidth || height != FHeight;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    if (FHandle) {
        SetWindowPos(FHandle, nullptr, left, top, width, WindowHeightFor(height), SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateBoundsFromWindow();
    } else if (resized) {
        Resize();
    }
    if (FParent && (FAlign != alNone || FParent->ArrangesChildren())) FParent->AlignControls();
}

TRect TControl::ClientRect() {
    if (FHandle) {
        RECT r;
        GetClientRect(FHandle, &r);
        return TRect::From(r);
    }
    // Without a window the frame is what the window would get.
    TCreateParams params;
    CreateParams(params);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
    return TRect{0, 0, std::max(0, FWidth - static_cast<int>(frame.right - frame.left)), std::max(0, FHeight - static_cast<int>(frame.bottom - frame.top))};
}

void TControl::SetClientWidth(int width) { SetWidth(width + FWidth - ClientWidth()); }

void TControl::SetClientHeight(int height) { SetHeight(height + FHeight - ClientHeight()); }

TPoint TControl::ClientToScreen(TPoint p) {
    POINT q{p.X, p.Y};
    ::ClientToScreen(Handle(), &q);
    return TPoint{q.x, q.y};
}

TPoint TControl::ScreenToClient(TPoint p) {
    POINT q{p.X, p.Y};
    ::ScreenToClient(Handle(), &q);
    return TPoint{q.x, q.y};
}

void TControl::SetAlign(TAlign align) {
    if (align == FAlign) return;
    FAlign = align;
    if (FParent) FParent->AlignControls();
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

// ---- state --------------------------------------------------------------------------------

void TControl::SetVisible(bool visible) {
    if (visible == FVisible) return;
    FVisible = visible;
    VisibleChanged();
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
    if (FParent && (FAlign != alNone || FParent->ArrangesChildren())) FParent->AlignControls();
}

void TControl::VisibleChanged() {
    if (FHandle) ShowWindow(FHandle, FVisible ? SW_SHOWNA : SW_HIDE);
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    if (FHandle) EnableWindow(FHandle, enabled);
    Perform(CM_ENABLEDCHANGED);
}

std::string TControl::Text() const {
    if (!FHandle) return FText;
    const int length = GetWindowTextLengthA(FHandle);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(FHandle, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(0, copied)));
    return text;
}

void TControl::SetText(const std::string& text) {
    if (text == Text()) return;
    if (FHandle) SetWindowTextA(FHandle, text.c_str());
    FText = text;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetColor(TColor color) {
    FParentColor = false;
    if (color == FColor) return;
    FColor = color;
    ColorChanged();
}

void TControl::ColorChanged() {
    FBrush.SetColor(FColor);
    Invalidate();
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool parentColor) {
    FParentColor = parentColor;
    if (parentColor) ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (!FParentColor || !FParent) return;
    FColor = FParent->Color();
    ColorChanged();
    FParentColor = true;
}

void TControl::SetParentFont(bool parentFont) {
    FParentFont = parentFont;
    if (parentFont) ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!FParentFont || !FParent) return;
    FTakingParentFont = true;
    FFont.Assign(FParent->Font());
    FTakingParentFont = false;
}

void TControl::FontChanged() {
    if (FHandle) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), TRUE);
    Invalidate();
    Perform(CM_FONTCHANGED);
}

void TControl::SetHint(const std::string& hint) {
    FHint = hint;
    if (Application) Application->UpdateHintTool(this);
}

void TControl::SetShowHint(bool show) {
    FShowHint = show;
    if (Application) Application->UpdateHintTool(this);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = menu;
    if (menu) menu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::Invalidate() {
    if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TControl::Update() {
    if (FHandle) UpdateWindow(FHandle);
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (FHandle) SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TControl::SendToBack() {
    if (FHandle) SetWindowPos(FHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}
