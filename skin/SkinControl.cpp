#include "SkinControl.h"

#include <algorithm>

#include "ImgUtil.h"
#include "SkinMessages.h"
#include "SkinPropByName.h"
#include "SkinText.h"
#include "WinSkinData.h"
#include "WinSkinForm.h"
#include "components/Graphics.h"
#include "components/PropertyAccess.h"
#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "components/TControl.h"
#include "components/TWinControl.h"

const TClassInfo& TSkinControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinControl>("TSkinControl").Build();
    return info;
}

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) {}

TSkinControl::~TSkinControl() {
    // Freed with its control, the skin finds the control half gone: its WindowProc is not
    // there to be given back.
    if (Owner() && Owner()->InState(csDestroying)) OldWindowProc = nullptr;
    UnhookWindowProc();
    WindowProcInstance.Remove();
    if (Form) Form->RemoveControl(this);
}

// ---- attaching ----------------------------------------------------------------------------------

void TSkinControl::HookWindowProc(TControl* control) {
    OldWindowProc = control->WindowProc;
    // The closure is not touched after the call: the skin may be freed inside it.
    control->WindowProc = [self = this](TMessage& m) { self->SkinWindowProc(m); };
}

void TSkinControl::UnhookWindowProc() {
    if (!OldWindowProc) return;
    TControl* hooked = Control ? Control : GraphicControl;
    if (hooked) hooked->WindowProc = OldWindowProc;
    OldWindowProc = nullptr;
}

void TSkinControl::BindControl(TControl* control, TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas) {
    SkinData = skinData;
    Form = form;
    Canvas = canvas;
    Control = control;
    Handle = control->Handle();
}

void TSkinControl::TakeSkinColor(TControl* control) {
    SetParentBackground(true);
    SavedColor = control->Color();
    if (SkinData) control->SetColor(SkinData->Colours().ButtonFace);
}

void TSkinControl::AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) {
    if (Attached) return;
    auto* control = dynamic_cast<TControl*>(Owner());
    if (!control) return;
    UseSkinColor = useSkinColor;
    BindControl(control, form, skinData, canvas);
    UnicodeWindow = IsWindowUnicode(Handle) != FALSE;
    ReadWindowState();
    HookWindowProc(control);
    if (Form) Form->AddControl(this);
    if (UseSkinColor) TakeSkinColor(control);
    if (ParentBackgroundForced) Kind = 1;
    control->Invalidate();
    Attached = true;
    State = scAttached;
}

void TSkinControl::AttachHandle(HWND window, TSkinData* skinData, TCanvas* canvas, TWinSkinForm* form) {
    Handle = window;
    SkinData = skinData;
    Canvas = canvas;
    Form = form;
    WindowEnabled = true;
    Kind = 0;
    if (Form) Form->AddControl(this);
    UnicodeWindow = IsWindowUnicode(window) != FALSE;
    Text = GetWindowTextWide(window);
    WindowProcInstance.Install(window, UnicodeWindow, [self = this](UINT msg, WPARAM wParam, LPARAM lParam) {
        TMessage m{msg, wParam, lParam, 0};
        self->SkinWindowProc(m);
        return m.Result;
    });
    InvalidateRect(window, nullptr, TRUE);
    Attached = true;
    State = scAttached;
}

// ---- colours --------------------------------------------------------------------------------------

void TSkinControl::RestoreColors() {
    if (!UseSkinColor || !Control) return;
    SetParentBackground(false);
    Control->SetColor(SavedColor);
}

void TSkinControl::Reskin() {
    if (UseSkinColor && Control && SkinData) Control->SetColor(SkinData->Colours().ButtonFace);
    Repaint();
}

TColor TSkinControl::ParentColor(TColor fallback) const {
    if (Control && Control->Parent()) return Control->Parent()->Color();
    return fallback;
}

static void FillSolid(HDC dc, const TRect& r, TColor colour) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(colour));
    RECT rect{r.Left, r.Top, r.Right, r.Bottom};
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

static TColor SkinFaceColour(const TSkinData* skinData) { return skinData ? skinData->Colours().ButtonFace : clBtnFace; }

void TSkinControl::FillBackground(HDC dc, const TRect& r) const { FillSolid(dc, r, SkinFaceColour(SkinData)); }

void TSkinControl::FillParentColor(HDC dc, const TRect& r) const { FillSolid(dc, r, ParentColor(SkinFaceColour(SkinData))); }

void TSkinControl::SetParentBackground(bool force) {
    if (!Control || (SkinData && (SkinData->Options() & SkinOptionBit(xoParentBackGround)))) return;
    if (!GetPropInfo(Control, "ParentBackground")) return;
    if (force) {
        std::string value;
        GetEnumPropByName(Control, "ParentBackground", value);
        ParentBackgroundForced = LowerCase(value) == "true";
        if (ParentBackgroundForced) SetPropByName(Control, "ParentBackground", "False");
    } else if (ParentBackgroundForced) {
        SetPropByName(Control, "ParentBackground", "True");
    }
}

LONG_PTR TSkinControl::GetWindowLong(HWND window, int index) const {
    return UnicodeWindow ? GetWindowLongPtrW(window, index) : GetWindowLongPtrA(window, index);
}

void TSkinControl::ReadWindowState() {
    if (!Handle) return;
    WindowEnabled = (GetWindowLong(Handle, GWL_STYLE) & WS_DISABLED) == 0;
    Focused = GetFocus() == Handle;
}

// ---- messages -------------------------------------------------------------------------------------

void TSkinControl::SkinWindowProc(TMessage& message) {
    if (message.Msg == WM_SKINENABLE) {
        SkinEnabled = message.WParam > 0;
        if (SkinEnabled) Repaint();
        return;
    }
    if (!SkinEnabled) {
        CallOldWindowProc(message);
        return;
    }
    if (!BeforeMessage(message)) return;
    const std::weak_ptr<bool> life = FLife;
    CallOldWindowProc(message);
    // The control's own handling may have freed the skin (a click that closes its form).
    if (life.expired()) return;
    AfterMessage(message);
}

void TSkinControl::CallOldWindowProc(TMessage& message) {
    if (OldWindowProc) {
        // A copy: the control may take its procedure back while this one runs.
        const TWndMethod old = OldWindowProc;
        old(message);
    } else if (WindowProcInstance.Installed()) {
        message.Result = WindowProcInstance.CallOld(message.Msg, message.WParam, message.LParam);
    }
}

bool TSkinControl::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_NCDESTROY:
        CallOldWindowProc(message);
        SkinEnabled = false;
        State = scWindowGone;
        RestoreColors();
        WindowProcInstance.Remove();
        return false;
    case WM_SKINQUERY:
        message.Result = 1;
        return false;
    default:
        return true;
    }
}

void TSkinControl::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case CM_ENABLEDCHANGED:
        Repaint();
        break;
    case WM_PAINT:
        PaintMessage(reinterpret_cast<HDC>(message.WParam));
        break;
    case WM_SKINENABLE:
        SkinEnabled = message.WParam > 0;
        break;
    default:
        break;
    }
}

// ---- painting -------------------------------------------------------------------------------------

void TSkinControl::PaintSkin(HDC, const TRect&) {}

static bool WindowBounds(HWND window, TRect& stored, TRect& atOrigin) {
    RECT r{};
    if (!window || !GetWindowRect(window, &r)) return false;
    stored = TRect{r.left, r.top, r.right, r.bottom};
    atOrigin = TRect{0, 0, r.right - r.left, r.bottom - r.top};
    return true;
}

void TSkinControl::PaintMessage(HDC dc) {
    TRect r;
    if (!WindowBounds(Handle, WindowRect, r)) return;
    HDC windowDC = dc ? nullptr : GetWindowDC(Handle);
    try {
        PaintSkin(dc ? dc : windowDC, r);
    } catch (...) {
        // A painting error leaves the control as the system drew it.
    }
    if (windowDC) ReleaseDC(Handle, windowDC);
}

void TSkinControl::PaintFromWmPaint(TMessage& message) {
    PAINTSTRUCT ps{};
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    const bool ownPaint = dc == nullptr;
    if (ownPaint) dc = BeginPaint(Handle, &ps);
    TRect r;
    try {
        if (WindowBounds(Handle, WindowRect, r)) PaintSkin(dc, r);
    } catch (const std::exception& e) {
        // Told to the user, a failure to paint (a system out of bitmaps) would come back as a
        // box with every paint; the paint is dropped and the next one tries again.
        SkinLog(std::string("paint: ") + e.what());
    }
    if (ownPaint) EndPaint(Handle, &ps);
}

void TSkinControl::EraseToParent(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    if (Control) {
        PaintParentBackground(Control, dc);
    } else {
        RECT client{};
        GetClientRect(Handle, &client);
        FillParentColor(dc, TRect{client.left, client.top, client.right, client.bottom});
    }
    message.Result = 1;
}

void TSkinControl::Repaint() {
    if (GraphicControl) {
        GraphicControl->Invalidate();
        return;
    }
    if (!Handle) return;
    InvalidateRect(Handle, nullptr, TRUE);
    UpdateWindow(Handle);
}

void TSkinControl::SendMouseLeave() {
    if (Handle) SendMessageA(Handle, CM_MOUSELEAVE, 0, 0);
}

void TSkinControl::DrawCaptionFocus(HDC dc, const TRect& r, UINT flags) {
    RECT box{r.Left, r.Top, r.Right, r.Bottom};
    DrawTextWide(dc, Text, box, flags | DT_CALCRECT | DT_NOCLIP);
    const int w = box.right - box.left;
    const int h = box.bottom - box.top;
    if (flags & DT_CENTER) OffsetRect(&box, (r.Width() - w) / 2, (r.Height() - h) / 2 - 1);
    else if (flags & DT_RIGHT) OffsetRect(&box, r.Width() - w, 0);
    InflateRect(&box, 2, 1);
    box.left = std::max(box.left, static_cast<LONG>(r.Left));
    box.top = std::max(box.top, static_cast<LONG>(r.Top));
    box.right = std::min(box.right, static_cast<LONG>(r.Right));
    box.bottom = std::min(box.bottom, static_cast<LONG>(r.Bottom));
    DrawFocusRect(dc, &box);
}

bool IsPopupWindow(HWND window) {
    if (GetWindowLongPtrA(window, GWL_STYLE) & WS_POPUP) return true;
    // Asked of the system: the desktop's handle differs between systems and sessions.
    return GetParent(window) == GetDesktopWindow();
}
