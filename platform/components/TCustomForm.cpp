#include "components/TCustomForm.h"

#include <algorithm>

#include "components/SysUtils.h"
#include "components/TApplication.h"
#include "components/TClassInfo.h"
#include "components/TCustomControl.h"
#include "components/TMainMenu.h"
#include "components/TReader.h"
#include "components/TScreen.h"
#include "components/TextCodec.h"

const TEnumType FormStyleType{"TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}};
const TEnumType PositionType{"TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                                           "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"}};
const TEnumType WindowStateType{"TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"}};
const TEnumType BorderIconType{"TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}};

const TClassInfo& TCustomForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCustomForm>("TCustomForm")
        .Str("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption)
        .Int("ClientWidth", &TCustomForm::FormClientWidth, &TCustomForm::SetFormClientWidth)
        .Int("ClientHeight", &TCustomForm::FormClientHeight, &TCustomForm::SetFormClientHeight)
        .Bool("AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll)
        .Set("BorderIcons", BorderIconType, &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
        .Enum("BorderStyle", FormBorderStyleType, &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle).Default(bsSizeable)
        .Enum("FormStyle", FormStyleType, &TCustomForm::FormStyle, &TCustomForm::SetFormStyle).Default(fsNormal)
        .Str("HelpFile", &TCustomForm::HelpFile, &TCustomForm::SetHelpFile)
        .Bool("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview).Default(0)
        .Object("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
        .Object("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
        .Int("ModalResult", &TCustomForm::ModalResult, &TCustomForm::SetModalResult).Default(0)
        .Enum("Position", PositionType, &TCustomForm::Position, &TCustomForm::SetPosition).Default(poDesigned)
        .Enum("WindowState", WindowStateType, &TCustomForm::WindowState, &TCustomForm::SetWindowState).Default(wsNormal)
        .Event("OnCreate", &TCustomForm::OnCreate)
        .Event("OnDestroy", &TCustomForm::OnDestroy)
        .Event("OnShow", &TCustomForm::OnShow)
        .Event("OnHide", &TCustomForm::OnHide)
        .Event("OnClose", &TCustomForm::OnClose)
        .Event("OnCloseQuery", &TCustomForm::OnCloseQuery)
        .Event("OnActivate", &TCustomForm::OnActivate)
        .Event("OnDeactivate", &TCustomForm::OnDeactivate)
        .Event("OnPaint", &TCustomForm::OnPaint)
        .Build();
    return info;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    SetVisibleFlag(false);
    SetParentColor(false);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
    SetComponentState(csDestroying);
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (const std::exception& e) {
            Application->HandleException(e);
        }
    }
    Screen->RemoveForm(this);
    Application->FormDestroying(this);
    DestroyHandle();
    DestroyComponents();
}

// ---- reading the description --------------------------------------------------------------

void TCustomForm::ReadFormResource() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(instance, ClassName().c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!resource) throw EReadError("The form description " + ClassName() + " is not among the program's resources");
    HGLOBAL loaded = LoadResource(instance, resource);
    const char* data = static_cast<const char*>(LockResource(loaded));
    const DWORD size = SizeofResource(instance, resource);
    if (!data) throw EReadError("The form description " + ClassName() + " cannot be loaded");
    ReadDescription(std::string(data, size), ClassName());
}

void TCustomForm::ReadFormText(const std::string& text, const std::string& sourceName) { ReadDescription(text, sourceName); }

void TCustomForm::ReadDescription(const std::string& text, const std::string& sourceName) {
    RegisterComponentClasses();
    TReader reader(Utf8ToGbk);
    reader.ReadRoot(this, text, sourceName);
    DoCreate();
    if (Visible()) {
        SetVisibleFlag(false);
        Show();
    }
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();
    if (FWantedClientWidth >= 0) SetClientWidth(FWantedClientWidth);
    if (FWantedClientHeight >= 0) SetClientHeight(FWantedClientHeight);
    FWantedClientWidth = FWantedClientHeight = -1;
}

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

// ---- properties --------------------------------------------------------------------------

void TCustomForm::SetFormClientWidth(int width) {
    // While reading, the border style may still change: the client size is applied at Loaded.
    if (InState(csLoading)) FWantedClientWidth = width;
    else SetClientWidth(width);
}

void TCustomForm::SetFormClientHeight(int height) {
    if (InState(csLoading)) FWantedClientHeight = height;
    else SetClientHeight(height);
}

TRect TCustomForm::ClientRect() {
    if (HandleAllocated()) return TWinControl::ClientRect();
    TCreateParams params;
    CreateParams(params);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, params.Style, FMenu != nullptr, params.ExStyle);
    return TRect{0, 0, std::max(0, Width() - static_cast<int>(frame.right - frame.left)), std::max(0, Height() - static_cast<int>(frame.bottom - frame.top))};
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
    if (style == FBorderStyle) return;
    FBorderStyle = style;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
    if (icons == FBorderIcons) return;
    FBorderIcons = icons;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle style) {
    if (style == FFormStyle) return;
    FFormStyle = style;
    if (!HandleAllocated()) return;
    SetWindowPos(Handle(), style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Some systems keep an owned window topmost whatever its new z-order says; a window made
    // anew takes the style from its parameters.
    const bool topmost = (GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (topmost != (style == fsStayOnTop)) RecreateWnd();
}

void TCustomForm::SetWindowState(TWindowState state) {
    if (state == FWindowState) return;
    FWindowState = state;
    if (HandleAllocated() && Visible())
        ShowWindow(Handle(), state == wsMaximized ? SW_MAXIMIZE : state == wsMinimized ? SW_MINIMIZE : SW_RESTORE);
}

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu == FMenu) return;
    if (FMenu) {
        FMenu->SetForm(nullptr);
        FMenu->RemoveFreeNotification(this);
    }
    FMenu = menu;
    if (menu) {
        menu->FreeNotification(this);
        menu->SetForm(this);
    }
    if (HandleAllocated()) {
        ::SetMenu(Handle(), menu ? menu->Handle() : nullptr);
        DrawMenuBar(Handle());
    }
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    FActiveControl = control;
    if (control && HandleAllocated() && Visible() && IsWindowVisible(Handle()) && control->CanFocus()) control->SetFocus();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == FMenu) FMenu = nullptr;
    if (component == FActiveControl) FActiveControl = nullptr;
    if (component == FFocusedControl) FFocusedControl = nullptr;
}

void TCustomForm::ControlDestroying(TControl* control) {
    if (control == FActiveControl) FActiveControl = nullptr;
    if (control == FFocusedControl) FFocusedControl = nullptr;
}

// ---- the window ---------------------------------------------------------------------------

HWND TCustomForm::OwnerWindow() {
    TCustomForm* main = Application->MainForm();
    if (main && main != this) return main->Handle();
    return Application->Handle();
}

void TCustomForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style = WS_CLIPCHILDREN | (Enabled() ? 0 : WS_DISABLED);
    params.ExStyle = 0;
    switch (FBorderStyle) {
    case bsNone: params.Style |= WS_POPUP; break;
    case bsSingle: params.Style |= WS_CAPTION; break;
    case bsSizeable: params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    case bsToolWindow:
        params.Style |= WS_CAPTION;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (FBorderStyle != bsNone && (FBorderIcons & biSystemMenu)) {
        params.Style |= WS_SYSMENU;
        if (FBorderStyle == bsSingle || FBorderStyle == bsSizeable) {
            if (FBorderIcons & biMinimize) params.Style |= WS_MINIMIZEBOX;
            if (FBorderIcons & biMaximize) params.Style |= WS_MAXIMIZEBOX;
        }
    }
    if (FFormStyle == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
    params.WndParent = OwnerWindow();
}

void TCustomForm::CreateWnd() {
    TWinControl::CreateWnd();
    if (HICON icon = Application->Icon()) {
        SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    if (FMenu) ::SetMenu(Handle(), FMenu->Handle());
}

void TCustomForm::DestroyWnd() {
    // The system destroys the menu of a window that goes; the form's main menu outlives it.
    if (FMenu && HandleAllocated()) ::SetMenu(Handle(), nullptr);
    TWinControl::DestroyWnd();
}

void TCustomForm::SetVisible(bool visible) {
    if (InState(csLoading)) {
        SetVisibleFlag(visible);  // shown once the description has been read
        return;
    }
    const bool showing = HandleAllocated() && IsWindowVisible(Handle());
    if (visible == Visible() && visible == showing) return;
    if (visible) {
        HandleNeeded();
        if (!FPositioned) {
            ApplyPosition();
            FPositioned = true;
        }
        SetVisibleFlag(true);
        if (OnShow) OnShow(this);
        const int command = FWindowState == wsMaximized ? SW_SHOWMAXIMIZED : FWindowState == wsMinimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
        ShowWindow(Handle(), command);
        BringWindowToTop(Handle());
        if (FActiveControl && FActiveControl->CanFocus()) ::SetFocus(FActiveControl->Handle());
    } else {
        if (OnHide) OnHide(this);
        SetVisibleFlag(false);
        if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    }
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
}

void TCustomForm::Centre() {
    SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
}

void TCustomForm::ApplyPosition() {
    TCustomForm* around = nullptr;
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
        Centre();
        return;
    case poMainFormCenter:
        around = Application->MainForm();
        break;
    case poOwnerFormCenter:
        around = dynamic_cast<TCustomForm*>(Owner());
        break;
    default:
        return;
    }
    if (!around || around == this || !around->Visible()) return Centre();
    const TRect r = around->BoundsRect();
    SetBounds(r.Left + (r.Width() - Width()) / 2, r.Top + (r.Height() - Height()) / 2, Width(), Height());
}

bool TCustomForm::Active() { return HandleAllocated() && GetActiveWindow() == Handle(); }

// ---- closing and modal showing --------------------------------------------------------------

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application->MainForm() == this) Application->Terminate();
    switch (action) {
    case caHide: Hide(); break;
    case caFree: Release(); break;
    case caMinimize: ShowWindow(Handle(), SW_MINIMIZE); break;
    default: break;
    }
}

void TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone) FModalResult = mrNone;
    else if (action == caFree) Release();
}

void TCustomForm::Release() {
    if (HandleAllocated()) PostMessageA(Handle(), CM_RELEASE, 0, 0);
    else delete this;
}

namespace {
struct TDisabledWindows {
    HWND Keep;
    std::vector<HWND> Windows;
};

BOOL CALLBACK DisableWindow(HWND window, LPARAM data) {
    auto* list = reinterpret_cast<TDisabledWindows*>(data);
    if (window != list->Keep && IsWindowVisible(window) && IsWindowEnabled(window)) {
        list->Windows.push_back(window);
        EnableWindow(window, FALSE);
    }
    return TRUE;
}
}  // namespace

int TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || FModal) throw EInvalidOperation("Cannot make a visible window modal");
    if (GetCapture()) SendMessageA(GetCapture(), WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    HWND previous = GetActiveWindow();
    TDisabledWindows disabled{Handle(), {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&disabled));
    FModal = true;
    FModalResult = mrNone;
    auto finish = [&] {
        for (HWND window : disabled.Windows)
            if (IsWindow(window)) EnableWindow(window, TRUE);
        FModal = false;
        Hide();
        if (previous && IsWindow(previous)) SetActiveWindow(previous);
    };
    try {
        Show();
        while (FModalResult == mrNone) {
            Application->HandleMessage();
            if (Application->Terminated()) FModalResult = mrCancel;
            else if (FModalResult != mrNone) CloseModal();
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return FModalResult;
}

// ---- keys and focus -------------------------------------------------------------------------

void TCustomForm::PreviewKeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TCustomForm::PreviewKeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

bool TCustomForm::IsShortCut(WORD key, TShiftState shift) { return FMenu && FMenu->IsShortCut(key, shift); }

void TCustomForm::DialogKey(TMessage& m) {
    const WORD key = static_cast<WORD>(m.WParam);
    const TShiftState shift = KeyboardShiftState();
    if (key == VK_TAB && !(shift & (ssCtrl | ssAlt))) {
        SelectNext(FActiveControl, !(shift & ssShift), true);
        m.Result = 1;
        return;
    }
    if (key >= VK_LEFT && key <= VK_DOWN) {
        TWinControl* group = FActiveControl && FActiveControl->Parent() ? FActiveControl->Parent() : this;
        group->SelectNext(FActiveControl, key == VK_RIGHT || key == VK_DOWN, false);
        m.Result = 1;
        return;
    }
    Broadcast(m);
}

void TCustomForm::FocusMoved(TWinControl* control) {
    if (control == this || control == FFocusedControl) return;
    TWinControl* old = FFocusedControl;
    FFocusedControl = control;
    FActiveControl = control;
    if (old) {
        old->Perform(CM_EXIT);
        if (old->OnExit && FFocusedControl == control) old->OnExit(old);
    }
    control->Perform(CM_ENTER);
    if (control->OnEnter) control->OnEnter(control);
    TMessage notice{CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control), 0};
    Broadcast(notice);
}

void TCustomForm::Activated(bool active) {
    if (!active) {
        if (OnDeactivate) OnDeactivate(this);
        return;
    }
    Screen->SetActiveForm(this);
    if (FActiveControl && FActiveControl->CanFocus() && FActiveControl->HandleAllocated()) ::SetFocus(FActiveControl->Handle());
    else if (!FActiveControl) SelectFirst();
    if (OnActivate) OnActivate(this);
}

void TCustomForm::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case WM_ACTIVATE:
        DefaultHandler(m);
        Activated(LOWORD(m.WParam) != WA_INACTIVE);
        return;
    case WM_COMMAND:
        if (m.LParam == 0 && FMenu && FMenu->DispatchCommand(LOWORD(m.WParam))) return;
        break;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        if (TMenu::HandleOwnerDraw(m)) return;
        break;
    case WM_ERASEBKGND:
        if (EraseControlBackground(*this, m)) return;
        break;
    case WM_PAINT:
        if (OnPaint) return PaintControl(*this, FCanvas, m, [this] { OnPaint(this); });
        break;
    case CM_MENUCHANGED:
        if (FMenu && HandleAllocated()) {
            if (GetMenu(Handle()) != FMenu->Handle()) ::SetMenu(Handle(), FMenu->Handle());
            DrawMenuBar(Handle());
        }
        return;
    case CM_DIALOGKEY:
        DialogKey(m);
        return;
    case CM_RELEASE:
        delete this;
        return;
    case CM_RECREATEWND: {
        // A form is shown by SetVisible, not by its window style: a shown form is shown again.
        const bool showing = HandleAllocated() && IsWindowVisible(Handle());
        TWinControl::WndProc(m);
        if (showing) ShowWindow(Handle(), SW_SHOWNA);
        return;
    }
    default:
        break;
    }
    TWinControl::WndProc(m);
}
