// A skinned window's procedures: the window procedure in its three stages, the form hook of a
// component-layer form, and the procedure of an MDI form's client window.
#include "WinSkinForm.h"

#include "SkinControl.h"
#include "SkinMessages.h"
#include "WinSkinData.h"
#include "WinSkinDlg.h"
#include "WinSkinMenu.h"
#include "components/TTimer.h"

bool TWinSkinForm::CallDefault(TMessage& message) {
    const std::weak_ptr<bool> life = FLife;
    message.Result = WndProcInstance.CallOld(message.Msg, message.WParam, message.LParam);
    return !life.expired();
}

bool TWinSkinForm::PassToForm(TMessage& message) {
    if (!OldWindowProc) return true;
    const std::weak_ptr<bool> life = FLife;
    // A copy: the form's procedure may be given back (and this object freed) while it runs.
    const TWndMethod old = OldWindowProc;
    old(message);
    return !life.expired();
}

// Stage 1 is what every skinned window does, frame or not; stage 2 keeps the window's state
// (for top-level windows and MDI children); stage 3 draws and measures the frame. Any message
// passed on may free this object (a command that closes the window, a box whose message loop
// unskins it): what follows a pass looks at the life token first.
LRESULT TWinSkinForm::SkinWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const std::weak_ptr<bool> life = FLife;
    TMessage m{msg, wParam, lParam, 0};
    // Until the frame is laid out, the system must not paint its own.
    if (State == wsAttached && msg == WM_NCPAINT) return 0;

    switch (msg) {
    case WM_ERASEBKGND:
        if (!CallDefault(m)) return m.Result;
        if (!Control && SkinData) {
            RECT client{};
            GetClientRect(Handle, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, SkinData->FaceBrush());
            m.Result = 1;
        }
        return m.Result;
    case WM_NCDESTROY: {
        // The object may be freed once the window is gone: nothing of it is touched after.
        State = wsDestroying;
        const WNDPROC old = WndProcInstance.OldProc();
        const bool unicode = IsUnicode;
        HWND window = Handle;
        UnskinDestroyed();
        m.Result = unicode ? CallWindowProcW(old, window, msg, wParam, lParam) : CallWindowProcA(old, window, msg, wParam, lParam);
        if (!life.expired()) State = wsGone;
        return m.Result;
    }
    case WM_NCACTIVATE:
        if (State == wsAttached && WindowKind != wkMDIChild) return 0;
        if (!SkinFrame) {
            CallDefault(m);
            return m.Result;
        }
        break;
    case WM_SYSTEMCAPTIONREDRAW:
        return 0;
    case WM_INITMENUPOPUP:
        if (SkinManager) SkinManager->MenuContext = reinterpret_cast<HMENU>(wParam) == SystemMenu ? mcSystemMenu : mcMenu;
        CallDefault(m);
        return m.Result;
    case WM_CTLCOLORBTN:
        if (!CallDefault(m)) return m.Result;
        if (!Control) SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return m.Result;
    case WM_CTLCOLORSTATIC:
        if (!CallDefault(m)) return m.Result;
        if (!Control && SkinData) {
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            m.Result = reinterpret_cast<LRESULT>(SkinData->FaceBrush());
        }
        return m.Result;
    case WM_SKINSTART:
        Start();
        return 0;
    case WM_SKINSCROLLBAR:
        ReskinScrollbar(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_SKINQUERY:
        return 1;
    default:
        if (!SkinFrame) {
            CallDefault(m);
            return m.Result;
        }
        break;
    }

    // Stage 2: a child window that is not an MDI child keeps its own frame.
    if ((Style & WS_CHILD) && WindowKind != wkMDIChild) {
        CallDefault(m);
        return m.Result;
    }
    bool goesOn = true;  // the message reaches stage 3's handlers and the old procedure
    switch (msg) {
    case WM_SIZE:
        SizeMessage(m);
        goesOn = false;
        break;
    case WM_ACTIVATE:
        // The high word says whether the window is minimised, not whether it is active.
        Active = LOWORD(wParam) != WA_INACTIVE;
        break;
    case WM_NCACTIVATE:
        Active = wParam != 0;
        break;
    case WM_GETMINMAXINFO:
        MinMaxMessage(m);
        goesOn = false;
        break;
    case WM_WINDOWPOSCHANGED:
        ReadPlacement();
        if (CallDefault(m)) FollowWindowMenu();
        goesOn = false;
        break;
    case WM_SYSCOMMAND:
        SysCommand(m);
        goesOn = false;
        break;
    case WM_COMMAND:
        Command(m);
        goesOn = false;
        break;
    case WM_SKINMENUBAR:
        MenuBarMessage(m);
        m.Result = 0;
        goesOn = false;
        break;
    case CM_MENUCHANGED:
        MenuChangedMessage(m);
        goesOn = false;
        break;
    default:
        break;
    }
    if (life.expired()) return m.Result;

    // Stage 3. A maximised MDI child's frame belongs to its MDI form's menu bar.
    if ((WindowKind == wkMDIChild && ShowState == ssMaximized) || State == wsAttached || !goesOn) {
        if (goesOn) CallDefault(m);
        return m.Result;
    }
    switch (msg) {
    case WM_NCACTIVATE: ActivationMessage(m); break;
    case WM_WINDOWPOSCHANGING: CallDefault(m); break;
    case WM_MEASUREITEM: MeasureItemMessage(m); break;
    case WM_DRAWITEM: DrawItemMessage(m); break;
    case WM_NCCALCSIZE: CalcSize(m); break;
    case WM_NCHITTEST: HitTest(m); break;
    case WM_NCPAINT:
        SetSysMenuStyle(true);
        if (SkinData && SkinData->NonClientPainting) {
            if ((WindowKind == wkMDIChild && ShowState == ssMaximized) || BorderKind == bkNoCaption) {
                CallDefault(m);
                return m.Result;
            }
            PaintNonClient(nullptr);
        }
        m.Result = 0;
        break;
    case WM_NCMOUSEMOVE: NCMouseMove(m); break;
    case WM_NCLBUTTONDOWN: NCButtonDown(m); break;
    case WM_NCLBUTTONUP: NCButtonUp(m); break;
    case WM_NCLBUTTONDBLCLK: NCDoubleClick(m); break;
    case WM_NCRBUTTONDOWN: NCRightButtonDown(m); break;
    case WM_SKINPAINTCAPTION: PaintNonClient(nullptr); break;
    default: CallDefault(m); break;
    }
    return m.Result;
}

void TWinSkinForm::Start() {
    const std::weak_ptr<bool> life = FLife;
    Started = true;
    if (MenuBar) MenuBar->TakeMenuAway();
    SystemMenu = GetSystemMenu(Handle, FALSE);
    PrepareIcon(*IconBitmap);
    ReadMetrics();
    if (Control) SkinChildControls(Control);
    else SkinChildWindows(Handle);
    if (life.expired()) return;
    if (State == wsAttached) {
        if (WindowKind == wkMDIChild) {
            if (ShowState == ssMaximized) {
                if (SkinManager) PostMessageA(SkinManager->MDIClient, WM_SKINMDIREDRAW, reinterpret_cast<WPARAM>(Handle), 0);
            } else if (ShowState == ssMinimized) {
                SetCaptionStyle(true);
            } else {
                State = wsResizing;
                ResizeForFrame(false);
                State = wsSkinned;
                UpdateRegion();
            }
        } else if (!IsChild && BorderKind != bkNoCaption && ShowState != ssMinimized) {
            State = wsResizing;
            ResizeForFrame(false);
            State = wsSkinned;
            if (life.expired()) return;
            if (ShowState == ssNormal) UpdateRegion();
            else FrameChanged();
        }
    }
    SendMessageA(Handle, WM_SKINREADY, 0, SkinAnswerKey);
    if (life.expired()) return;
    State = wsSkinned;
    if (Timer) Timer->SetEnabled(true);
}

// The show state from WM_SIZE; a window of a new size gets its region made anew, a maximised
// one none (restored, it gets the region of its normal size again).
void TWinSkinForm::SizeMessage(TMessage& message) {
    if (!CallDefault(message)) return;
    switch (message.WParam) {
    case SIZE_RESTORED: ShowState = ssNormal; break;
    case SIZE_MINIMIZED: ShowState = ssMinimized; break;
    case SIZE_MAXIMIZED: ShowState = ssMaximized; break;
    default: break;
    }
    if (ShowState == ssMinimized) return;
    if (WindowKind == wkMDIChild && SkinManager && SkinManager->MDIMaximized) return;
    if (ShowState == ssMaximized && WindowKind != wkMDIChild) return ShowWhole();
    if (ShowState != ssNormal) return;
    if (State == wsSkinned || State == wsReapplying) UpdateRegion();
}

void TWinSkinForm::MinMaxMessage(TMessage& message) {
    if (!CallDefault(message)) return;
    ReadPlacement();
    SetCaptionStyle(ShowState == ssMinimized || (WindowKind == wkMDIChild && ShowState == ssMaximized));
}

void TWinSkinForm::ActivationMessage(TMessage& message) {
    Active = message.WParam != 0;
    if (Timer) Timer->SetEnabled(Active);
    if (!Active && HoverControl) {
        HoverControl->SendMouseLeave();
        HoverControl = nullptr;
    }
    if (WindowKind == wkMDIForm && MDIClient) SendMessageA(MDIClient, WM_NCACTIVATE, message.WParam, 0);
    if (WindowKind == wkMDIChild && !CallDefault(message)) return;
    if (!(WindowKind == wkMDIChild && ShowState == ssMaximized)) PaintNonClient(nullptr);
    message.Result = 1;
}

void TWinSkinForm::MenuChangedMessage(TMessage& message) {
    TSkinData* skinData = SkinData;
    const bool painting = skinData->NonClientPainting;
    skinData->NonClientPainting = false;
    const bool alive = CallDefault(message);
    skinData->NonClientPainting = painting;
    if (!alive) return;
    if (MenuBar && SkinData->MenuUpdate() && GetMenu(Handle)) RebuildMenuBar(false);
    if (GetMenu(Handle) && MenuBar) SetMenu(Handle, nullptr);
}

// ---- the form hook ------------------------------------------------------------------------------

void TWinSkinForm::FormWindowProc(TMessage& message) {
    switch (message.Msg) {
    case WM_SETTEXT:
        SetTextMessage(message);
        return;
    case WM_SKINAPPLYCOLORS:
        ApplyColors();
        return;
    case CM_DIALOGCHAR:
        DialogChar(message);
        return;
    case WM_SKINPAINTFRAMETO:
        if (message.LParam != SkinAnswerKey) return;
        if (message.WParam) PaintNonClient(reinterpret_cast<HDC>(message.WParam));
        message.Result = SkinAnswerKey;
        return;
    case WM_SKINPROBE:
        message.Result = message.LParam == SkinAnswerKey ? SkinAnswerKey : 1;
        return;
    default:
        PassToForm(message);
        return;
    }
}

// The system paints its own caption when a window's text changes: the change is made with the
// window's drawing held, then the skinned title bar is painted. No messages are handled in
// between, so that nothing else runs in the middle of this one.
void TWinSkinForm::SetTextMessage(TMessage& message) {
    if (!IsWindowVisible(Handle)) {
        PassToForm(message);
        return;
    }
    if (IsUnicode) {
        if (!PassToForm(message)) return;
    } else {
        HWND window = Handle;
        SendMessageA(window, WM_SETREDRAW, FALSE, 0);
        const bool alive = PassToForm(message);
        if (IsWindow(window)) SendMessageA(window, WM_SETREDRAW, TRUE, 0);
        if (!alive) return;
    }
    if (ShowState == ssMaximized && WindowKind == wkMDIChild) {
        if (SkinManager) PostMessageA(SkinManager->MDIClient, WM_SKINMDIREDRAW, reinterpret_cast<WPARAM>(Handle), 0);
    } else if (ShowState == ssMinimized) {
        PaintNonClient(nullptr);
    } else {
        FrameChanged();
    }
}

// ---- the MDI client -------------------------------------------------------------------------------

LRESULT TWinSkinForm::MDIClientWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND client = MDIClientInstance.Window();
    const auto passOn = [&] { return MDIClientInstance.CallOld(msg, wParam, lParam); };
    switch (msg) {
    case WM_NCDESTROY: {
        const WNDPROC old = MDIClientInstance.OldProc();
        MDIClientInstance.Remove();
        return CallWindowProcA(old, client, msg, wParam, lParam);
    }
    case WM_NCCALCSIZE:
        if (SkinFrame && !(SkinData->Options() & SkinOptionBit(xoMDIScrollbar))) {
            const LONG_PTR style = GetWindowLongPtrA(client, GWL_STYLE);
            SetWindowLongPtrA(client, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_HSCROLL | WS_VSCROLL));
        }
        return passOn();
    case WM_MDICREATE:
        SkinData->SetMenuUpdate(false);
        return passOn();
    case WM_MDIDESTROY: {
        const LRESULT result = passOn();
        if (SkinFrame) {
            if (SkinManager) SkinManager->SetMDIMaximized(IsMDIChildMaximized());
            if (!SendMessageA(client, WM_MDIGETACTIVE, 0, 0) && MenuBar) {
                SkinData->SetMenuUpdate(SavedMenuUpdate);
                RebuildMenuBar(false);
            }
        }
        return result;
    }
    case WM_MDITILE:
    case WM_MDICASCADE:
        if (SkinFrame && SkinManager && SkinManager->MDIMaximized) SkinManager->SetMDIMaximized(false);
        return passOn();
    case WM_MDISETMENU: {
        const LRESULT result = passOn();
        if (SkinFrame) {
            if (wParam && MenuBar) RebuildMenuBar(true);
            SetMenu(Handle, nullptr);
        }
        return result;
    }
    case WM_SKINMDIREDRAW:
        RedrawWindow(client, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        return 0;
    default:
        return passOn();
    }
}
